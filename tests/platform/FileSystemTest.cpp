#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Environment/TempFolder.h"
#include "platform/api/HostErrors.h"
#include "platform/io/File.h"
#include "platform/io/FileSystem.h"
#include "platform/io/SpecialFolders.h"

using IO::File;

TEST(FileSystem, FoldersAndItems) {
    TempFolder temp;
    IO::Location deep = temp.child("a");
    deep.AppendToLocal("b");
    EXPECT_EQ(IO::GetItemType(deep), IO::ItemMissing);
    EXPECT_EQ(IO::CreateFolder(deep), hosterr::Ok);
    EXPECT_EQ(IO::CreateFolder(deep), hosterr::Ok); // already there
    EXPECT_EQ(IO::GetItemType(deep), IO::ItemFolder);

    File f(temp.child("z.txt"));
    EXPECT_EQ(f.GetStatus(), hosterr::NotFound);
    ASSERT_EQ(f.Open(File::Access::Write, true), hosterr::Ok);
    f.Close();
    EXPECT_EQ(IO::GetItemType(temp.child("z.txt")), IO::ItemFile);
    EXPECT_EQ(IO::CreateFolder(temp.child("z.txt")), hosterr::BadName); // a file is in the way

    std::vector<std::string> names;
    EXPECT_EQ(IO::ListFolder(temp.location(), &names), hosterr::Ok);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "z.txt"}));
    EXPECT_EQ(IO::ListFolder(temp.child("missing"), &names), hosterr::NotFound);
    EXPECT_TRUE(names.empty());

    EXPECT_NE(IO::Delete(temp.child("a")), hosterr::Ok); // not empty
    EXPECT_EQ(IO::Rename(temp.child("z.txt"), temp.child("y.txt")), hosterr::Ok);
    EXPECT_FALSE(IO::Exists(temp.child("z.txt")));
    EXPECT_EQ(IO::Delete(temp.child("y.txt")), hosterr::Ok);
    EXPECT_EQ(IO::Delete(temp.child("y.txt")), hosterr::NotFound);
    EXPECT_EQ(IO::DeleteTree(temp.child("a")), hosterr::Ok);
    EXPECT_FALSE(IO::Exists(temp.child("a")));
}

TEST(FileSystem, FileReadWriteAndLengthAndReadOnlyRefusesWrites) {
    TempFolder temp;
    File missing(temp.child("none"));
    EXPECT_EQ(missing.Open(File::Access::Read), hosterr::NotFound);
    EXPECT_EQ(missing.Open(File::Access::ReadWrite), hosterr::NotFound); // not asked to create

    File f(temp.child("data.bin"));
    ASSERT_EQ(f.Open(File::Access::ReadWrite, true), hosterr::Ok);
    EXPECT_EQ(f.Open(File::Access::Read), hosterr::Refused); // already open
    ASSERT_EQ(f.Write("hello world", 11), hosterr::Ok);
    uint64_t length = 0;
    EXPECT_EQ(f.GetDataLength(&length), hosterr::Ok);
    EXPECT_EQ(length, 11u);
    ASSERT_EQ(f.Seek(6), hosterr::Ok);
    char buffer[16] = {};
    size_t got = 0;
    EXPECT_EQ(f.Read(buffer, sizeof buffer, &got), hosterr::Ok); // short at the end, not an error
    EXPECT_EQ(std::string(buffer, got), "world");
    EXPECT_EQ(f.SetDataLength(5), hosterr::Ok);
    EXPECT_EQ(f.Seek(0, File::From::End), hosterr::Ok);
    uint64_t position = 0;
    EXPECT_EQ(f.GetPosition(&position), hosterr::Ok);
    EXPECT_EQ(position, 5u);
    EXPECT_EQ(f.Close(), hosterr::Ok);
    EXPECT_EQ(f.GetDataLength(&length), hosterr::Ok); // closed files have a length too
    EXPECT_EQ(length, 5u);

    // Opening never empties the file.
    ASSERT_EQ(f.Open(File::Access::Write), hosterr::Ok);
    f.Close();
    EXPECT_EQ(f.GetDataLength(&length), hosterr::Ok);
    EXPECT_EQ(length, 5u);

    // Opened for reading, it refuses writes.
    ASSERT_EQ(f.Open(File::Access::Read), hosterr::Ok);
    EXPECT_NE(f.Write("x", 1), hosterr::Ok);
    EXPECT_EQ(f.GetStatus(), hosterr::Refused);
    EXPECT_EQ(f.SetDataLength(0), hosterr::Refused);
    File folder(temp.location());
    EXPECT_EQ(folder.Open(File::Access::Read), hosterr::BadName); // a folder is not a file
    EXPECT_FALSE(folder.IsOpen());
}

TEST(FileSystem, SpecialFoldersLiveUnderTheHostRootWhichFollowsTheEnvironment) {
    IO::Location root = IO::GetHostRoot();
    ASSERT_FALSE(root.IsEmpty());
    IO::Location user, scope1, scope2;
    ASSERT_EQ(IO::GetSpecialFolder(IO::UserDataFolder, &user), hosterr::Ok);
    ASSERT_EQ(IO::GetSpecialFolder(IO::AddOnPreferencesScope1, &scope1), hosterr::Ok);
    ASSERT_EQ(IO::GetSpecialFolder(IO::AddOnPreferencesScope2, &scope2), hosterr::Ok);
    for (const IO::Location* loc : {&user, &scope1, &scope2}) {
        EXPECT_TRUE(root.IsAncestorOf(*loc)) << loc->ToPath();
        EXPECT_EQ(IO::GetItemType(*loc), IO::ItemFolder) << loc->ToPath();
    }
    EXPECT_NE(user, scope1);
    EXPECT_NE(scope1, scope2);
    IO::Location untouched("/unchanged");
    EXPECT_EQ(IO::GetSpecialFolder(4711, &untouched), hosterr::BadParameter);
    EXPECT_EQ(untouched.ToPath(), "/unchanged");

    // The root follows the environment.
    TempFolder temp;
    const char* before = std::getenv("ZAVHOST_HOME");
    std::string saved = before ? before : "";
    ::setenv("ZAVHOST_HOME", temp.path("other-home").c_str(), 1);
    GSErrCode err = IO::GetSpecialFolder(IO::UserDataFolder, &user);
    if (before)
        ::setenv("ZAVHOST_HOME", saved.c_str(), 1);
    else
        ::unsetenv("ZAVHOST_HOME");
    ASSERT_EQ(err, hosterr::Ok);
    EXPECT_TRUE(temp.child("other-home").IsAncestorOf(user));
    EXPECT_EQ(IO::GetItemType(user), IO::ItemFolder);
}

namespace {

void writeText(const IO::Location& location, const std::string& text) {
    File f(location);
    ASSERT_EQ(f.Open(File::Access::Write, true), hosterr::Ok);
    ASSERT_EQ(f.SetDataLength(0), hosterr::Ok);
    ASSERT_EQ(f.Write(text.data(), text.size()), hosterr::Ok);
}

std::string readText(const IO::Location& location) {
    File f(location);
    if (f.Open(File::Access::Read) != hosterr::Ok) return "<missing>";
    char buffer[64] = {};
    size_t got = 0;
    f.Read(buffer, sizeof buffer, &got);
    return std::string(buffer, got);
}

mode_t modeOf(const IO::Location& location) {
    struct stat st {};
    return ::stat(location.ToPath().c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

// Made new beside target, readable by its owner alone, and written.
void makeNew(File& file, const std::string& text) {
    ASSERT_EQ(file.CreateNew(File::Access::ReadWrite, true), hosterr::Ok);
    ASSERT_EQ(file.Write(text.data(), text.size()), hosterr::Ok);
}

struct Umask {
    explicit Umask(mode_t mask) : before(::umask(mask)) {}
    ~Umask() { ::umask(before); }
    mode_t before;
};

TEST(FileSystem, ANewFileTakesTheTargetsPlaceWithItsPermissionBitsOnly) {
    TempFolder temp;
    const Umask umask(022);
    // A target's permission bits are kept; set-user, set-group and sticky bits are not.
    const struct {
        mode_t target;
        mode_t kept;
    } modes[] = {{0640, 0640}, {0604, 0604}, {04755, 0755}, {02750, 0750}, {07777, 0777}};
    for (const auto& [targetMode, kept] : modes) {
        SCOPED_TRACE(targetMode);
        const IO::Location target = temp.child("prefs.xml"), replacement = temp.child("prefs.xml.tmp");
        writeText(target, "old");
        ASSERT_EQ(::chmod(target.ToPath().c_str(), targetMode), 0);
        File fresh(replacement);
        makeNew(fresh, "new");
        EXPECT_EQ(modeOf(replacement), 0600u); // no one else reads it while it is written
        EXPECT_EQ(readText(target), "old");
        ASSERT_EQ(fresh.PutInPlaceOf(target), hosterr::Ok);
        EXPECT_FALSE(fresh.IsOpen());
        EXPECT_EQ(fresh.GetLocation(), target);
        EXPECT_EQ(readText(target), "new");
        EXPECT_EQ(modeOf(target), kept);
        EXPECT_FALSE(IO::Exists(replacement));
        ASSERT_EQ(IO::Delete(target), hosterr::Ok);
    }

    // Nothing at the target: a new file's permissions, whatever the temporary file had.
    for (mode_t mask : {022, 027, 077}) {
        const Umask set(mask);
        File fresh(temp.child("fresh.txt.tmp"));
        makeNew(fresh, "text");
        ASSERT_EQ(fresh.PutInPlaceOf(temp.child("fresh.txt")), hosterr::Ok);
        EXPECT_EQ(readText(temp.child("fresh.txt")), "text");
        EXPECT_EQ(modeOf(temp.child("fresh.txt")), 0666u & ~mask) << mask;
        ASSERT_EQ(IO::Delete(temp.child("fresh.txt")), hosterr::Ok);
    }
}

TEST(FileSystem, OnlyAnOpenFileMadeNewIsPutInPlaceAndAFailureLeavesBothAsTheyWere) {
    TempFolder temp;
    const IO::Location target = temp.child("prefs.xml"), replacement = temp.child("prefs.xml.tmp");
    writeText(target, "old");
    ASSERT_EQ(::chmod(target.ToPath().c_str(), 0644), 0);

    // Opened by name, or closed: it may be anything, so it takes no file's place.
    writeText(replacement, "opened");
    File opened(replacement);
    ASSERT_EQ(opened.Open(File::Access::ReadWrite), hosterr::Ok);
    EXPECT_EQ(opened.PutInPlaceOf(target), hosterr::Refused);
    opened.Close();
    ASSERT_EQ(IO::Delete(replacement), hosterr::Ok);
    File closed(replacement);
    makeNew(closed, "closed");
    closed.Close();
    EXPECT_EQ(closed.PutInPlaceOf(target), hosterr::Refused);
    ASSERT_EQ(IO::Delete(replacement), hosterr::Ok);
    EXPECT_EQ(readText(target), "old");

    // Only a name in its own folder.
    ASSERT_EQ(IO::CreateFolder(temp.child("other")), hosterr::Ok);
    IO::Location elsewhere = temp.child("other");
    elsewhere.AppendToLocal("prefs.xml");
    File fresh(replacement);
    makeNew(fresh, "new");
    EXPECT_EQ(fresh.PutInPlaceOf(elsewhere), hosterr::BadParameter);
    EXPECT_EQ(fresh.PutInPlaceOf(IO::Location()), hosterr::BadParameter);
    EXPECT_FALSE(IO::Exists(elsewhere));

    // A folder at the target is not replaced; the file stays open, as it was, where it was.
    ASSERT_EQ(IO::CreateFolder(temp.child("folder.xml")), hosterr::Ok);
    EXPECT_NE(fresh.PutInPlaceOf(temp.child("folder.xml")), hosterr::Ok);
    EXPECT_EQ(IO::GetItemType(temp.child("folder.xml")), IO::ItemFolder);
    EXPECT_TRUE(fresh.IsOpen());
    EXPECT_TRUE(fresh.IsAtItsLocation());
    EXPECT_EQ(modeOf(replacement), 0600u);
    EXPECT_EQ(readText(replacement), "new");
    ASSERT_EQ(fresh.PutInPlaceOf(target), hosterr::Ok);
    EXPECT_EQ(readText(target), "new");
    EXPECT_EQ(modeOf(target), 0644u);
}

TEST(FileSystem, AFileWhoseNameNoLongerHoldsItIsNotPutInPlaceAndNothingElseIsTouched) {
    TempFolder temp;
    // Another user of a shared folder plants a target open to all, and swaps the file being
    // written for a link to a private file of the writer's.
    const IO::Location target = temp.child("house.zavrpt"), replacement = temp.child("house.zavrpt.tmp");
    writeText(target, "planted");
    ASSERT_EQ(::chmod(target.ToPath().c_str(), 0666), 0);
    const IO::Location secret = temp.child("secret.txt");
    writeText(secret, "private");
    ASSERT_EQ(::chmod(secret.ToPath().c_str(), 0600), 0);
    File fresh(replacement);
    makeNew(fresh, "the report");
    ASSERT_EQ(::rename(replacement.ToPath().c_str(), temp.path("moved away").c_str()), 0);
    ASSERT_EQ(::symlink(secret.ToPath().c_str(), replacement.ToPath().c_str()), 0);
    EXPECT_FALSE(fresh.IsAtItsLocation());

    EXPECT_EQ(fresh.PutInPlaceOf(target), hosterr::BadName);
    EXPECT_EQ(readText(secret), "private");
    EXPECT_EQ(modeOf(secret), 0600u);
    EXPECT_EQ(readText(target), "planted");
    EXPECT_EQ(modeOf(target), 0666u);
    EXPECT_EQ(IO::GetItemTypeNoFollow(replacement), IO::ItemLink);
    EXPECT_EQ(modeOf(temp.child("moved away")), 0600u); // the written bytes stay the writer's
    EXPECT_TRUE(fresh.IsOpen());

    // Nor a regular file put there in its stead.
    ASSERT_EQ(IO::Delete(replacement), hosterr::Ok);
    writeText(replacement, "another");
    EXPECT_EQ(fresh.PutInPlaceOf(target), hosterr::BadName);
    EXPECT_EQ(readText(target), "planted");
    EXPECT_EQ(readText(replacement), "another");
}

TEST(FileSystem, AnUnwritableFolderOrFileTakesNoWritesButReadsGoOn) {
    TempFolder temp;
    struct Writable {
        ~Writable() { IO::ClearUnwritable(); } // before the folder goes, whatever the test did
    } writable;
    const IO::Location folder = temp.child("held");
    ASSERT_EQ(IO::CreateFolder(folder), hosterr::Ok);
    IO::Location inside = folder;
    inside.AppendToLocal("kept.txt");
    {
        File f(inside);
        ASSERT_EQ(f.Open(File::Access::Write, true), hosterr::Ok);
        ASSERT_EQ(f.Write("kept", 4), hosterr::Ok);
    }
    IO::Location deeper = folder;
    deeper.AppendToLocal("sub");
    IO::Location newFile = folder;
    newFile.AppendToLocal("new.txt");
    File outside(temp.child("outside.txt"));
    ASSERT_EQ(outside.Open(File::Access::Write, true), hosterr::Ok);
    outside.Close();
    IO::Location fresh = folder;
    fresh.AppendToLocal("kept.txt.tmp");
    File replacement(fresh);
    ASSERT_EQ(replacement.CreateNew(File::Access::ReadWrite, true), hosterr::Ok);

    IO::SetUnwritable(folder, true);
    EXPECT_TRUE(IO::IsUnwritable(folder));
    EXPECT_TRUE(IO::IsUnwritable(inside));
    EXPECT_TRUE(IO::IsUnwritable(deeper));
    EXPECT_FALSE(IO::IsUnwritable(temp.location()));
    EXPECT_FALSE(IO::IsUnwritable(temp.child("held2"))); // a sibling whose name begins the same

    File existing(inside);
    EXPECT_EQ(existing.Open(File::Access::Write), hosterr::Refused);
    EXPECT_EQ(existing.Open(File::Access::ReadWrite), hosterr::Refused);
    ASSERT_EQ(existing.Open(File::Access::Read), hosterr::Ok);
    char bytes[4] = {};
    size_t got = 0;
    EXPECT_EQ(existing.Read(bytes, 4, &got), hosterr::Ok);
    EXPECT_EQ(std::string(bytes, got), "kept");
    existing.Close();
    File made(newFile);
    EXPECT_EQ(made.Open(File::Access::Write, true), hosterr::Refused);
    EXPECT_EQ(made.Open(File::Access::Write), hosterr::NotFound); // nothing to open, nothing made
    EXPECT_FALSE(IO::Exists(newFile));
    EXPECT_EQ(IO::CreateFolder(deeper), hosterr::Refused);
    EXPECT_EQ(IO::CreateFolder(folder), hosterr::Ok); // there already: nothing to make
    EXPECT_EQ(IO::Delete(inside), hosterr::Refused);
    EXPECT_EQ(IO::Delete(newFile), hosterr::NotFound);
    EXPECT_EQ(IO::DeleteTree(folder), hosterr::Refused);
    EXPECT_EQ(IO::DeleteTree(temp.location()), hosterr::Refused); // it holds the folder
    EXPECT_EQ(IO::Rename(inside, temp.child("moved.txt")), hosterr::Refused);
    EXPECT_EQ(IO::Rename(temp.child("outside.txt"), newFile), hosterr::Refused);
    EXPECT_EQ(replacement.PutInPlaceOf(inside), hosterr::Refused);
    EXPECT_TRUE(IO::Exists(inside));
    EXPECT_TRUE(IO::Exists(temp.child("outside.txt")));
    EXPECT_TRUE(IO::Exists(fresh));
    replacement.Close();

    // A file alone, while its folder takes writes again.
    IO::SetUnwritable(folder, false);
    IO::SetUnwritable(inside, true);
    EXPECT_FALSE(IO::IsUnwritable(folder));
    EXPECT_EQ(made.Open(File::Access::Write, true), hosterr::Ok);
    made.Close();
    EXPECT_EQ(existing.Open(File::Access::Write), hosterr::Refused);
    EXPECT_EQ(IO::Delete(newFile), hosterr::Ok);

    IO::ClearUnwritable();
    EXPECT_FALSE(IO::IsUnwritable(inside));
    EXPECT_EQ(existing.Open(File::Access::Write), hosterr::Ok);
    existing.Close();
    EXPECT_EQ(IO::Delete(inside), hosterr::Ok);
}

TEST(FileSystem, AnItemsOwnTypeTellsALinkFromWhatItNames) {
    TempFolder temp;
    writeText(temp.child("file.txt"), "text");
    ASSERT_EQ(IO::CreateFolder(temp.child("folder")), hosterr::Ok);
    ASSERT_EQ(::symlink(temp.path("file.txt").c_str(), temp.path("to-file").c_str()), 0);
    ASSERT_EQ(::symlink(temp.path("folder").c_str(), temp.path("to-folder").c_str()), 0);
    ASSERT_EQ(::symlink(temp.path("nothing").c_str(), temp.path("dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo(temp.path("pipe").c_str(), 0600), 0);

    EXPECT_EQ(IO::GetItemTypeNoFollow(temp.child("file.txt")), IO::ItemFile);
    EXPECT_EQ(IO::GetItemTypeNoFollow(temp.child("folder")), IO::ItemFolder);
    EXPECT_EQ(IO::GetItemTypeNoFollow(temp.child("to-file")), IO::ItemLink);
    EXPECT_EQ(IO::GetItemTypeNoFollow(temp.child("to-folder")), IO::ItemLink);
    EXPECT_EQ(IO::GetItemTypeNoFollow(temp.child("dangling")), IO::ItemLink);
    EXPECT_EQ(IO::GetItemTypeNoFollow(temp.child("pipe")), IO::ItemOther);
    EXPECT_EQ(IO::GetItemTypeNoFollow(temp.child("missing")), IO::ItemMissing);
    EXPECT_EQ(IO::GetItemTypeNoFollow(IO::Location()), IO::ItemMissing);
    // Followed, a link is what it names.
    EXPECT_EQ(IO::GetItemType(temp.child("to-file")), IO::ItemFile);
    EXPECT_EQ(IO::GetItemType(temp.child("dangling")), IO::ItemMissing);
}

TEST(FileSystem, ANewFileIsMadeOnlyWhereNothingStandsNotThroughALink) {
    TempFolder temp;
    struct Writable {
        ~Writable() { IO::ClearUnwritable(); }
    } writable;
    File made(temp.child("new.txt"));
    ASSERT_EQ(made.CreateNew(), hosterr::Ok);
    EXPECT_TRUE(made.CanWrite());
    EXPECT_EQ(made.Write("new", 3), hosterr::Ok);
    made.Close();
    EXPECT_EQ(readText(temp.child("new.txt")), "new");

    // Something there already: a file, a link to one, a link that names nothing, a folder.
    ASSERT_EQ(::symlink(temp.path("new.txt").c_str(), temp.path("to-file").c_str()), 0);
    ASSERT_EQ(::symlink(temp.path("elsewhere.txt").c_str(), temp.path("dangling").c_str()), 0);
    ASSERT_EQ(IO::CreateFolder(temp.child("folder")), hosterr::Ok);
    for (const char* name : {"new.txt", "to-file", "dangling", "folder"}) {
        File again(temp.child(name));
        EXPECT_EQ(again.CreateNew(), hosterr::BadName) << name;
        EXPECT_FALSE(again.IsOpen()) << name;
    }
    EXPECT_EQ(readText(temp.child("new.txt")), "new");
    EXPECT_FALSE(IO::Exists(temp.child("elsewhere.txt")));

    // Only for writing, never over an empty location, and not where writes are held.
    File readOnly(temp.child("read.txt"));
    EXPECT_EQ(readOnly.CreateNew(File::Access::Read), hosterr::BadParameter);
    EXPECT_EQ(File(IO::Location()).CreateNew(), hosterr::BadParameter);
    IO::SetUnwritable(temp.child("held.txt"), true);
    File held(temp.child("held.txt"));
    EXPECT_EQ(held.CreateNew(File::Access::Write), hosterr::Refused);
    EXPECT_FALSE(IO::Exists(temp.child("held.txt")));
    EXPECT_FALSE(IO::Exists(temp.child("read.txt")));
}

TEST(FileSystem, ALinkAtTheTargetIsReplacedNeitherFollowedNorCopied) {
    TempFolder temp;
    const Umask umask(022);
    const IO::Location outside = temp.child("outside.txt");
    writeText(outside, "outside");
    ASSERT_EQ(::chmod(outside.ToPath().c_str(), 0600), 0);
    ASSERT_EQ(::symlink(outside.ToPath().c_str(), temp.path("target.txt").c_str()), 0);
    File fresh(temp.child("target.txt.tmp"));
    makeNew(fresh, "new");
    EXPECT_EQ(fresh.PutInPlaceOf(temp.child("target.txt")), hosterr::Ok);
    EXPECT_EQ(IO::GetItemTypeNoFollow(temp.child("target.txt")), IO::ItemFile);
    EXPECT_EQ(readText(temp.child("target.txt")), "new");
    EXPECT_EQ(modeOf(temp.child("target.txt")), 0644u); // a new file's, not the linked file's
    EXPECT_EQ(readText(outside), "outside");
    EXPECT_EQ(modeOf(outside), 0600u);
}

TEST(FileSystem, ANameLongerThanItsFolderTakesIsToldApart) {
    TempFolder temp;
    EXPECT_FALSE(IO::IsNameTooLong(temp.child(std::string(255, 'a'))));
    EXPECT_TRUE(IO::IsNameTooLong(temp.child(std::string(256, 'a'))));
    IO::Location missing = temp.child("not there");
    missing.AppendToLocal(std::string(256, 'b'));
    EXPECT_TRUE(IO::IsNameTooLong(missing));
    EXPECT_FALSE(IO::IsNameTooLong(temp.child("short")));
    EXPECT_FALSE(IO::IsNameTooLong(IO::Location()));
    // A whole path the system would not take.
    IO::Location deep = temp.location();
    while (deep.ToPath().size() < PATH_MAX)
        deep.AppendToLocal(std::string(200, 'c'));
    EXPECT_TRUE(IO::IsNameTooLong(deep));
    File made(temp.child(std::string(256, 'a')));
    EXPECT_NE(made.CreateNew(), hosterr::Ok);
}

TEST(FileSystem, ASpecialFolderIsLocatedWithoutBeingMade) {
    TempFolder temp;
    const char* before = std::getenv("ZAVHOST_HOME");
    std::string saved = before ? before : "";
    ::setenv("ZAVHOST_HOME", temp.path("home").c_str(), 1);
    IO::Location user, untouched("/unchanged");
    GSErrCode located = IO::LocateSpecialFolder(IO::UserDataFolder, &user);
    GSErrCode unknown = IO::LocateSpecialFolder(4711, &untouched);
    if (before)
        ::setenv("ZAVHOST_HOME", saved.c_str(), 1);
    else
        ::unsetenv("ZAVHOST_HOME");
    ASSERT_EQ(located, hosterr::Ok);
    EXPECT_EQ(user.ToPath(), temp.path("home/User Data"));
    EXPECT_FALSE(IO::Exists(temp.child("home")));
    EXPECT_EQ(unknown, hosterr::BadParameter);
    EXPECT_EQ(untouched.ToPath(), "/unchanged");
}
