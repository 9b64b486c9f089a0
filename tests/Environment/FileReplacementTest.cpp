// A file written whole through a new temporary file beside it: what stands at either name and is
// not a regular file refuses the write and is never written through, a leftover of an earlier
// write is replaced, a write that fails leaves the file as it was and nothing beside it, and the
// new bytes are no one else's to read, before or after.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "Environment/FileReplacement.h"
#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "platform/api/HostErrors.h"

using tarnwick::DataFile;
using tarnwick::Directory;
using tarnwick::FileReplacement;
using tarnwick::String;

namespace {

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool isLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

struct Writable {
    ~Writable() { IO::ClearUnwritable(); }
};

} // namespace

TEST(FileReplacement, TheFileIsMadeOrReplacedWholeAndNothingIsLeftBeside) {
    TempFolder temp;
    Directory folder(temp.location());
    FileReplacement made(folder, String("prefs.xml"), String(".tmp"));
    EXPECT_EQ(made.getPath().bytes(), temp.path("prefs.xml"));
    EXPECT_EQ(made.getTemporaryPath().bytes(), temp.path("prefs.xml.tmp"));
    ASSERT_TRUE(made.writeWhole("first"));
    EXPECT_EQ(contentOf(temp.path("prefs.xml")), "first");

    put(temp.path("prefs.xml"), std::string(5000, '#'));
    FileReplacement replaced(folder, String("prefs.xml"), String(".tmp"));
    DataFile* file = replaced.begin();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->getPath().bytes(), temp.path("prefs.xml.tmp"));
    ASSERT_TRUE(file->write("second", 6));
    EXPECT_EQ(contentOf(temp.path("prefs.xml")), std::string(5000, '#')); // not before commit
    ASSERT_TRUE(replaced.commit());
    EXPECT_EQ(contentOf(temp.path("prefs.xml")), "second");
    EXPECT_EQ(contentOf(temp.path("prefs.xml.tmp")), "<missing>");
    EXPECT_TRUE(replaced.getRefusedPath().isEmpty());
}

TEST(FileReplacement, ALeftoverOfAnEarlierWriteIsReplacedNotWrittenThrough) {
    TempFolder temp;
    Directory folder(temp.location());
    put(temp.path("prefs.xml.tmp"), "half of an earlier write, and longer than the new one");
    // A second name of the leftover keeps what it held: the new bytes go into a new file.
    ASSERT_EQ(::link(temp.path("prefs.xml.tmp").c_str(), temp.path("other name").c_str()), 0);
    FileReplacement replacement(folder, String("prefs.xml"), String(".tmp"));
    ASSERT_TRUE(replacement.writeWhole("new"));
    EXPECT_EQ(contentOf(temp.path("prefs.xml")), "new");
    EXPECT_EQ(contentOf(temp.path("other name")), "half of an earlier write, and longer than the new one");
    EXPECT_EQ(contentOf(temp.path("prefs.xml.tmp")), "<missing>");
}

TEST(FileReplacement, ALinkAtTheFileRefusesTheWriteAndWhatItNamesIsUntouched) {
    TempFolder temp;
    Directory folder(temp.location());
    put(temp.path("outside.txt"), "not the report's");
    ASSERT_EQ(::symlink(temp.path("outside.txt").c_str(), temp.path("house.zavrpt").c_str()), 0);
    ASSERT_EQ(::symlink(temp.path("nowhere.txt").c_str(), temp.path("dangling.zavrpt").c_str()), 0);
    for (const char* name : {"house.zavrpt", "dangling.zavrpt"}) {
        SCOPED_TRACE(name);
        FileReplacement replacement(folder, String(name), String(".tmp"));
        EXPECT_FALSE(replacement.writeWhole("the report"));
        EXPECT_EQ(replacement.getRefusedPath().bytes(), temp.path(name));
        EXPECT_TRUE(isLink(temp.path(name)));
        EXPECT_EQ(contentOf(temp.path(std::string(name) + ".tmp")), "<missing>");
    }
    EXPECT_EQ(contentOf(temp.path("outside.txt")), "not the report's");
    EXPECT_EQ(contentOf(temp.path("nowhere.txt")), "<missing>");

    // A folder or a pipe is no file to replace either.
    ASSERT_EQ(IO::CreateFolder(temp.child("folder.xml")), hosterr::Ok);
    ASSERT_EQ(::mkfifo(temp.path("pipe.xml").c_str(), 0600), 0);
    for (const char* name : {"folder.xml", "pipe.xml"}) {
        FileReplacement replacement(folder, String(name), String(".tmp"));
        EXPECT_EQ(replacement.begin(), nullptr) << name;
        EXPECT_EQ(replacement.getRefusedPath().bytes(), temp.path(name)) << name;
    }
    EXPECT_EQ(IO::GetItemType(temp.child("folder.xml")), IO::ItemFolder);
}

TEST(FileReplacement, ALinkAtTheTemporaryNameGoesUnfollowedAndAFolderThereRefusesTheWrite) {
    TempFolder temp;
    Directory folder(temp.location());
    put(temp.path("outside.txt"), "not the settings'");
    // A link to another file, and one that names nothing.
    const struct {
        const char* suffix;
        const char* named;
    } links[] = {{".tmp", "outside.txt"}, {".part", "nowhere.txt"}};
    for (const auto& [suffix, named] : links) {
        SCOPED_TRACE(suffix);
        const std::string temporary = temp.path(std::string("prefs.xml") + suffix);
        ASSERT_EQ(::symlink(temp.path(named).c_str(), temporary.c_str()), 0);
        FileReplacement replacement(folder, String("prefs.xml"), String(suffix));
        ASSERT_TRUE(replacement.writeWhole(std::string("settings through ") + suffix));
        EXPECT_EQ(contentOf(temp.path("prefs.xml")), std::string("settings through ") + suffix);
        EXPECT_FALSE(isLink(temporary));
        EXPECT_EQ(contentOf(temporary), "<missing>");
    }
    EXPECT_EQ(contentOf(temp.path("outside.txt")), "not the settings'");
    EXPECT_EQ(contentOf(temp.path("nowhere.txt")), "<missing>");

    ASSERT_EQ(IO::CreateFolder(temp.child("prefs.xml.tmp")), hosterr::Ok);
    FileReplacement blocked(folder, String("prefs.xml"), String(".tmp"));
    EXPECT_FALSE(blocked.writeWhole("new settings"));
    EXPECT_EQ(blocked.getRefusedPath().bytes(), temp.path("prefs.xml.tmp"));
    EXPECT_EQ(IO::GetItemType(temp.child("prefs.xml.tmp")), IO::ItemFolder);
    EXPECT_EQ(contentOf(temp.path("prefs.xml")), "settings through .part");
}

TEST(FileReplacement, AFailedWriteLeavesTheFileAsItWasAndNothingBesideIt) {
    TempFolder temp;
    Writable writable;
    Directory folder(temp.location());
    put(temp.path("prefs.xml"), "as it was");
    {
        // Abandoned before it was put in place.
        FileReplacement abandoned(folder, String("prefs.xml"), String(".tmp"));
        DataFile* file = abandoned.begin();
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(file->write("half", 4));
    }
    EXPECT_EQ(contentOf(temp.path("prefs.xml.tmp")), "<missing>");
    EXPECT_EQ(contentOf(temp.path("prefs.xml")), "as it was");

    // The file may not be replaced: nothing stood in the way, so nothing is named as refusing.
    IO::SetUnwritable(temp.child("prefs.xml"), true);
    FileReplacement held(folder, String("prefs.xml"), String(".tmp"));
    EXPECT_FALSE(held.writeWhole("new"));
    EXPECT_TRUE(held.getRefusedPath().isEmpty());
    EXPECT_EQ(contentOf(temp.path("prefs.xml.tmp")), "<missing>");
    EXPECT_EQ(contentOf(temp.path("prefs.xml")), "as it was");
    EXPECT_FALSE(held.commit()); // once failed, it stays so

    // Nor may anything be made in the folder.
    IO::SetUnwritable(temp.location(), true);
    FileReplacement unmade(folder, String("other.xml"), String(".tmp"));
    EXPECT_EQ(unmade.begin(), nullptr);
    EXPECT_TRUE(unmade.getRefusedPath().isEmpty());
    EXPECT_FALSE(IO::Exists(temp.child("other.xml.tmp")));

    // A name that cannot be one file's.
    FileReplacement badName(folder, String("a/b"), String(".tmp"));
    EXPECT_EQ(badName.begin(), nullptr);
}

namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

struct Umask {
    explicit Umask(mode_t mask) : before(::umask(mask)) {}
    ~Umask() { ::umask(before); }
    mode_t before;
};

} // namespace

TEST(FileReplacement, NoOneElseReadsTheNewBytesAndTheFileKeepsOnlyItsPermissionBits) {
    TempFolder temp;
    const Umask umask(022);
    Directory folder(temp.location());
    const struct {
        mode_t before; // 0: no file stood there
        mode_t after;
    } cases[] = {{0640, 0640}, {0600, 0600}, {0666, 0666}, {04755, 0755}, {06775, 0775}, {0, 0644}};
    for (const auto& [before, after] : cases) {
        SCOPED_TRACE(before);
        const std::string path = temp.path("prefs.xml");
        ::unlink(path.c_str());
        if (before != 0) {
            put(path, "as it was");
            ASSERT_EQ(::chmod(path.c_str(), before), 0);
        }
        FileReplacement replacement(folder, String("prefs.xml"), String(".tmp"));
        DataFile* file = replacement.begin();
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(file->write("private settings", 16));
        EXPECT_EQ(modeOf(temp.path("prefs.xml.tmp")), 0600u);
        ASSERT_TRUE(replacement.commit());
        EXPECT_EQ(contentOf(path), "private settings");
        EXPECT_EQ(modeOf(path), after);
    }
    // A new file follows the umask, as any file made would.
    const Umask strict(077);
    ::unlink(temp.path("prefs.xml").c_str());
    FileReplacement made(folder, String("prefs.xml"), String(".tmp"));
    ASSERT_TRUE(made.writeWhole("new"));
    EXPECT_EQ(modeOf(temp.path("prefs.xml")), 0600u);
}

TEST(FileReplacement, ATemporaryFileSwappedForALinkWhileWrittenIsRefusedAndNothingOfTheUsersChanges) {
    TempFolder temp;
    Directory folder(temp.location());
    // Planted by another user of the folder, open to all.
    put(temp.path("house.zavrpt"), "planted");
    ASSERT_EQ(::chmod(temp.path("house.zavrpt").c_str(), 0666), 0);
    put(temp.path("secret.txt"), "mine alone");
    ASSERT_EQ(::chmod(temp.path("secret.txt").c_str(), 0600), 0);

    FileReplacement replacement(folder, String("house.zavrpt"), String(".tmp"));
    DataFile* file = replacement.begin();
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->write("the report", 10));
    ASSERT_EQ(::rename(temp.path("house.zavrpt.tmp").c_str(), temp.path("taken").c_str()), 0);
    ASSERT_EQ(::symlink(temp.path("secret.txt").c_str(), temp.path("house.zavrpt.tmp").c_str()), 0);

    EXPECT_FALSE(replacement.commit());
    EXPECT_EQ(replacement.getRefusedPath().bytes(), temp.path("house.zavrpt.tmp"));
    EXPECT_EQ(contentOf(temp.path("secret.txt")), "mine alone");
    EXPECT_EQ(modeOf(temp.path("secret.txt")), 0600u);
    EXPECT_EQ(contentOf(temp.path("house.zavrpt")), "planted");
    EXPECT_TRUE(isLink(temp.path("house.zavrpt.tmp"))); // not the writer's to remove
    EXPECT_EQ(modeOf(temp.path("taken")), 0600u);       // the new bytes stay unreadable to others
}

TEST(FileReplacement, AWriteThatFailsPartWayNeverTakesTheFilesPlace) {
    TempFolder temp;
    Directory folder(temp.location());
    const std::string before(3000, 'o');
    put(temp.path("prefs.xml"), before);
    const std::string bytes(8000, 'n');
    {
        const FileSizeLimit full(1024);
        ASSERT_TRUE(full.isSet());
        FileReplacement whole(folder, String("prefs.xml"), String(".tmp"));
        EXPECT_FALSE(whole.writeWhole(bytes));

        // A caller that commits after its write failed.
        FileReplacement stepwise(folder, String("prefs.xml"), String(".tmp"));
        DataFile* file = stepwise.begin();
        ASSERT_NE(file, nullptr);
        EXPECT_FALSE(file->write(bytes.data(), bytes.size()));
        EXPECT_FALSE(stepwise.commit());
        EXPECT_TRUE(stepwise.getRefusedPath().isEmpty());
    }
    EXPECT_EQ(contentOf(temp.path("prefs.xml")), before);
    EXPECT_EQ(contentOf(temp.path("prefs.xml.tmp")), "<missing>");
}

TEST(FileReplacement, ALinkFolderOrPipePutAtTheNameAfterBeginIsRefusedAtCommit) {
    TempFolder temp;
    Directory folder(temp.location());
    put(temp.path("outside.txt"), "not the report's");
    const struct {
        const char* what;
        std::function<void(const std::string&)> make;
    } intruders[] = {
        {"link",
         [&](const std::string& at) {
             ASSERT_EQ(::symlink(temp.path("outside.txt").c_str(), at.c_str()), 0);
         }},
        {"dangling link",
         [&](const std::string& at) {
             ASSERT_EQ(::symlink(temp.path("nowhere.txt").c_str(), at.c_str()), 0);
         }},
        {"folder", [](const std::string& at) { ASSERT_EQ(::mkdir(at.c_str(), 0700), 0); }},
        {"pipe", [](const std::string& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
    };
    for (const auto& intruder : intruders) {
        SCOPED_TRACE(intruder.what);
        const std::string name = std::string(intruder.what) + ".zavrpt";
        put(temp.path(name), "an earlier report");
        FileReplacement replacement(folder, String(name), String(".tmp"));
        DataFile* file = replacement.begin();
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(file->write("the report", 10));
        ASSERT_EQ(::unlink(temp.path(name).c_str()), 0);
        intruder.make(temp.path(name));
        EXPECT_FALSE(replacement.commit());
        EXPECT_EQ(replacement.getRefusedPath().bytes(), temp.path(name));
        EXPECT_NE(IO::GetItemTypeNoFollow(temp.child(name)), IO::ItemFile);
        EXPECT_EQ(contentOf(temp.path(name + ".tmp")), "<missing>");
    }
    EXPECT_EQ(contentOf(temp.path("outside.txt")), "not the report's");
    EXPECT_EQ(contentOf(temp.path("nowhere.txt")), "<missing>");
}

TEST(FileReplacement, ANameTooLongForTheFolderIsToldApart) {
    TempFolder temp;
    Directory folder(temp.location());
    // The file's name fits, the temporary one does not; then neither does.
    for (size_t stem : {246, 250}) {
        SCOPED_TRACE(stem);
        const std::string name = std::string(stem, 's') + ".zavrpt";
        FileReplacement replacement(folder, String(name), String(".tmp"));
        EXPECT_FALSE(replacement.writeWhole("the report"));
        EXPECT_TRUE(replacement.isNameTooLong());
        EXPECT_TRUE(replacement.getRefusedPath().isEmpty());
        EXPECT_EQ(contentOf(temp.path(name)), "<missing>");
    }
    FileReplacement fits(folder, String(std::string(240, 's') + ".zavrpt"), String(".tmp"));
    EXPECT_TRUE(fits.writeWhole("the report"));
    EXPECT_FALSE(fits.isNameTooLong());
    // Refused for another reason, it is not said to be too long.
    FileReplacement unmade(Directory(temp.child("missing")), String("house.zavrpt"), String(".tmp"));
    EXPECT_FALSE(unmade.writeWhole("the report"));
    EXPECT_FALSE(unmade.isNameTooLong());
}
