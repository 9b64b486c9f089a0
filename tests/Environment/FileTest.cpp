#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

#include "Environment/DataFile.h"
#include "Environment/Directory.h"
#include "Environment/FileDialog.h"
#include "TempFolder.h"
#include "platform/api/HostErrors.h"
#include "platform/dg/FileDialogs.h"

using tarnwick::DataFile;
using tarnwick::Directory;
using tarnwick::File;
using tarnwick::String;

TEST(File, NamesAndLocations) {
    File f(String("/data/report.v2.xml"));
    EXPECT_EQ(f.getName(), "report.v2.xml");
    EXPECT_EQ(f.getName(true), "report.v2");
    EXPECT_EQ(File(String("/data/.profile")).getName(true), ".profile");
    EXPECT_EQ(File(String("/data/plain")).getName(true), "plain");
    EXPECT_EQ(f.getPath(), "/data/report.v2.xml");
    EXPECT_TRUE(f.isSameLocation(File(String("/data/sub/../report.v2.xml"))));
    EXPECT_FALSE(f.isSameLocation(File(String("/data/report.v2.XML"))));
    EXPECT_FALSE(File().isSameLocation(File()));
    EXPECT_FALSE(f.exists());
    EXPECT_FALSE(f.isDirectory());
}

TEST(Directory, FromParentAndNameCreatesNothingAndCreateChildReportsFailures) {
    TempFolder temp;
    Directory parent(temp.location());
    EXPECT_TRUE(parent.exists());
    Directory child(parent, String("child"));
    EXPECT_EQ(child.getPath(), String(temp.path("child")));
    EXPECT_FALSE(child.exists());
    EXPECT_FALSE(IO::Exists(temp.child("child")));

    GSErrCode status = -1;
    auto made = Directory::createChild(parent, String("child"), &status);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(status, hosterr::Ok);
    EXPECT_TRUE(made->isDirectory());
    EXPECT_TRUE(child.exists());
    EXPECT_TRUE(made->isSameLocation(child));

    status = -1;
    EXPECT_NE(Directory::createChild(parent, String("child"), &status), nullptr); // already there
    EXPECT_EQ(status, hosterr::Ok);
    EXPECT_EQ(parent.getEntries(), std::vector<String>{String("child")});

    EXPECT_EQ(Directory::createChild(parent, String("a/b"), &status), nullptr);
    EXPECT_EQ(status, hosterr::BadName);
    EXPECT_EQ(Directory::createChild(parent, String(".."), &status), nullptr);
    EXPECT_EQ(status, hosterr::BadName);
    EXPECT_TRUE(Directory(parent, String("..")).getLocation().IsEmpty());

    DataFile blocker(parent, String("taken"), 0, true);
    ASSERT_TRUE(blocker.exists());
    EXPECT_EQ(Directory::createChild(parent, String("taken"), &status), nullptr);
    EXPECT_NE(status, hosterr::Ok);

    Directory missing(parent, String("missing"));
    EXPECT_EQ(Directory::createChild(missing, String("x"), &status), nullptr);
    EXPECT_EQ(status, hosterr::NotFound);
    EXPECT_FALSE(missing.exists());
}

TEST(DataFile, CreateTakesTheStemAndTheExtensionAndWithoutADotIsABadName) {
    TempFolder temp;
    Directory folder(temp.location());
    GSErrCode status = -1;
    auto file = DataFile::create(folder, String("plan.v1.txt"), 0, &status, String("xml"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(status, hosterr::Ok);
    EXPECT_EQ(file->getName(), "plan.v1.xml");
    EXPECT_TRUE(file->exists());
    EXPECT_TRUE(IO::Exists(temp.child("plan.v1.xml")));

    auto dotted = DataFile::create(folder, String("a.b"), 0, &status, String(".csv"));
    ASSERT_NE(dotted, nullptr);
    EXPECT_EQ(dotted->getName(), "a.csv");
    auto bare = DataFile::create(folder, String("c.d"), 0, &status, String());
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->getName(), "c");

    status = 0;
    EXPECT_EQ(DataFile::create(folder, String("nodot"), 0, &status, String("xml")), nullptr);
    EXPECT_EQ(status, static_cast<GSErrCode>(0x81060067));
    status = 0;
    EXPECT_EQ(DataFile::create(folder, String(".xml"), 0, &status, String("xml")), nullptr);
    EXPECT_EQ(status, hosterr::BadName);
    EXPECT_EQ(DataFile::create(folder, String("x.y"), 0, nullptr, String("z/z")), nullptr); // status optional
    std::vector<std::string> names; // the refused ones left nothing behind
    IO::ListFolder(temp.location(), &names);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.csv", "c", "plan.v1.xml"}));

    Directory missing(folder, String("missing"));
    EXPECT_EQ(DataFile::create(missing, String("x.y"), 0, &status, String("z")), nullptr);
    EXPECT_EQ(status, hosterr::NotFound);
}

TEST(DataFile, ReadWriteLengthAndRemoveAndReadOnlyRefusesWriting) {
    TempFolder temp;
    DataFile file(String(temp.path("data.bin")));
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(file.getLength(), 0u);
    EXPECT_EQ(file.getLastError(), hosterr::NotFound);
    char buffer[8];
    EXPECT_EQ(file.read(buffer, sizeof buffer), 0u); // nothing to open
    EXPECT_FALSE(file.isOpen());

    ASSERT_TRUE(file.write("0123456789", 10));
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(file.getLength(), 10u);
    ASSERT_TRUE(file.seek(4));
    EXPECT_EQ(file.read(buffer, sizeof buffer), 6u);
    EXPECT_EQ(std::string(buffer, 6), "456789");
    EXPECT_TRUE(file.setLength(0));
    EXPECT_EQ(file.getLength(), 0u);
    EXPECT_TRUE(file.close());

    auto folder = file.getDirectory();
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(folder->isSameLocation(Directory(temp.location())));
    EXPECT_EQ(DataFile(String("/")).getDirectory(), nullptr);

    ASSERT_TRUE(file.write("x", 1)); // opens again
    EXPECT_TRUE(file.remove());
    EXPECT_FALSE(file.exists());
    EXPECT_FALSE(file.remove());

    // A file opened read-only refuses writing.
    {
        DataFile maker(Directory(temp.location()), String("ro.txt"), 0, true);
        ASSERT_TRUE(maker.write("abc", 3));
    }
    DataFile readOnly(temp.child("ro.txt"), DataFile::TextureKind);
    EXPECT_EQ(readOnly.getKind(), 3u);
    ASSERT_EQ(readOnly.read(buffer, 1), 1u); // opens read-only
    EXPECT_FALSE(readOnly.hasWriteFailed());
    EXPECT_FALSE(readOnly.write("x", 1));
    EXPECT_EQ(readOnly.getLastError(), hosterr::Refused);
    EXPECT_TRUE(readOnly.hasWriteFailed());
    EXPECT_FALSE(readOnly.open(true));
    EXPECT_EQ(readOnly.getLength(), 3u);

    // A change of length that fails leaves bytes in doubt as a failed write does, until reopened.
    DataFile shortened(temp.child("ro.txt"));
    ASSERT_EQ(shortened.read(buffer, 1), 1u);
    EXPECT_FALSE(shortened.setLength(0));
    EXPECT_TRUE(shortened.hasWriteFailed());
    ASSERT_TRUE(shortened.close());
    ASSERT_TRUE(shortened.open(true));
    EXPECT_FALSE(shortened.hasWriteFailed());
}

TEST(DataFile, ANewFileIsMadeOnlyWhereNothingStandsAndNeverWhereALinkPoints) {
    TempFolder temp;
    Directory folder(temp.location());
    DataFile made(folder, String("new.txt"));
    ASSERT_TRUE(made.createNew());
    EXPECT_TRUE(made.isOpen());
    ASSERT_TRUE(made.write("new", 3));
    EXPECT_FALSE(made.createNew()); // open already
    EXPECT_TRUE(made.close());
    ASSERT_EQ(::symlink(temp.path("new.txt").c_str(), temp.path("link").c_str()), 0);
    ASSERT_EQ(::symlink(temp.path("elsewhere.txt").c_str(), temp.path("dangling").c_str()), 0);
    for (const char* name : {"new.txt", "link", "dangling"}) {
        DataFile again(folder, String(name));
        EXPECT_FALSE(again.createNew()) << name;
        EXPECT_EQ(again.getLastError(), hosterr::BadName) << name;
        EXPECT_FALSE(again.isOpen()) << name;
    }
    EXPECT_FALSE(IO::Exists(temp.child("elsewhere.txt")));
    EXPECT_EQ(made.getLength(), 3u);
}

namespace {
struct DialogHandlerGuard {
    ~DialogHandlerGuard() { DG::SetFileDialogHandler({}); }
};
} // namespace

TEST(FileDialog, WithoutHandlerEveryDialogIsCancelledAndAHandlerAnswersOpenAndSave) {
    int index = 7;
    EXPECT_EQ(tarnwick::FileDialog::open(String("Open"), {String("Text")}, {String("txt")}, &index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(tarnwick::FileDialog::save(String("Save"), {}, {}, String("x"), &index), nullptr);

    TempFolder temp;
    DialogHandlerGuard guard;
    DG::FileDialogRequest seen;
    IO::Location answerPath = temp.child("chosen.csv");
    DG::SetFileDialogHandler([&](const DG::FileDialogRequest& request) {
        seen = request;
        DG::FileDialogAnswer answer;
        answer.cancelled = false;
        answer.chosen = answerPath;
        answer.typeIndex = 1;
        return answer;
    });
    std::vector<String> names{String("Text"), String("Values")};
    std::vector<String> extensions{String("txt"), String("*.csv")};
    // Open needs the file to be there.
    EXPECT_EQ(tarnwick::FileDialog::open(String("Pick"), names, extensions, &index), nullptr);
    ASSERT_TRUE(DataFile(answerPath).write("a", 1));
    auto opened = tarnwick::FileDialog::open(String("Pick"), names, extensions, &index);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(seen.title, "Pick");
    EXPECT_EQ(seen.kind, DG::FileDialogRequest::Kind::Open);
    EXPECT_EQ(seen.extensions[1], "*.csv");

    answerPath = temp.child("new");
    auto saved = tarnwick::FileDialog::save(String("Save as"), names, extensions, String("draft"), &index);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->getName(), "new.csv"); // the chosen type's extension is added
    EXPECT_FALSE(saved->exists());          // nothing is created by the dialog
    EXPECT_EQ(seen.defaultName, "draft");

    EXPECT_EQ(tarnwick::FileDialog::save(String("Bad"), names, {String("txt")}, String(), &index), nullptr);
    EXPECT_EQ(index, -1);
}
