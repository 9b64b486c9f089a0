// Whole writes of stored settings, and copies of stored settings kept aside: never over another
// file or key, an identical copy taken again, the host's answers checked.
#include <gtest/gtest.h>
#include <unistd.h>

#include "../Environment/TempFolder.h"
#include "Environment/Directory.h"
#include "Environment/Host.h"
#include "Environment/HostTable.h"
#include "FileBytes.h"
#include "persistence/StoredCopy.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/DebugPrint.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using filebytes::readFile;
using filebytes::writeFile;
using testsupport::ModuleUnderTest;

namespace {

const std::string Damaged("<store><a/><b>\0\x01cut", 19);

} // namespace

TEST(StoredCopy, CopiesAreNamedBesideTheFileAndNumbered) {
    struct Case {
        const char* name;
        int n;
        const char* copy;
    } cases[] = {
        {"frameworkPreferenceStore.xml", 1, "frameworkPreferenceStore.unreadable.xml"},
        {"frameworkPreferenceStore.xml", 2, "frameworkPreferenceStore.unreadable-2.xml"},
        {"a.b.xml", 12, "a.b.unreadable-12.xml"},
        {"plain", 1, "plain.unreadable"},
        {".hidden", 3, ".hidden.unreadable-3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(storedcopy::copyName(String(c.name), c.n), c.copy) << c.name;
    EXPECT_EQ(storedcopy::copyKey(String("frameworkPreferenceStore"), 1),
              "frameworkPreferenceStore.unreadable");
    EXPECT_EQ(storedcopy::copyKey(String("k"), 2), "k.unreadable-2");
}

TEST(StoredCopy, AFileCopyNeverReplacesAnotherFileAndIsTakenAgainWhenItHoldsTheSameBytes) {
    TempFolder temp;
    Directory folder(temp.location());
    const String name("store.xml");
    writeFile(temp.path("store.xml"), Damaged);

    String first = storedcopy::keepFileCopy(folder, name, Damaged);
    EXPECT_EQ(first, temp.path("store.unreadable.xml"));
    EXPECT_EQ(readFile(temp.path("store.unreadable.xml")), Damaged);
    EXPECT_EQ(readFile(temp.path("store.xml")), Damaged); // the file itself is left alone
    EXPECT_EQ(storedcopy::keepFileCopy(folder, name, Damaged), first);
    EXPECT_EQ(readFile(temp.path("store.unreadable.xml.tmp")), "<missing>");

    // Other bytes go to the next free name; a folder in the way is passed by.
    IO::CreateFolder(temp.child("store.unreadable-2.xml"));
    EXPECT_EQ(storedcopy::keepFileCopy(folder, name, "other"), temp.path("store.unreadable-3.xml"));
    EXPECT_EQ(readFile(temp.path("store.unreadable.xml")), Damaged);
    EXPECT_EQ(readFile(temp.path("store.unreadable-3.xml")), "other");

    // Every name taken: no copy.
    for (int n = 4; n <= 100; ++n)
        writeFile(temp.path(storedcopy::copyName(name, n).bytes()), "taken");
    EXPECT_EQ(storedcopy::keepFileCopy(folder, name, "third"), "");
    EXPECT_EQ(readFile(temp.path("store.unreadable-100.xml")), "taken");
}

TEST(StoredCopy, AFileThatCannotBeReadIsMovedAsideUnread) {
    TempFolder temp;
    Directory folder(temp.location());
    const String name("store.xml");
    writeFile(temp.path("store.xml"), Damaged);
    writeFile(temp.path("store.unreadable.xml"), "an older copy");
    EXPECT_EQ(storedcopy::moveFileAside(folder, name), temp.path("store.unreadable-2.xml"));
    EXPECT_EQ(readFile(temp.path("store.unreadable-2.xml")), Damaged);
    EXPECT_EQ(readFile(temp.path("store.unreadable.xml")), "an older copy");
    EXPECT_EQ(readFile(temp.path("store.xml")), "<missing>");
    EXPECT_EQ(storedcopy::moveFileAside(folder, name), ""); // nothing left to move
}

TEST(StoredCopy, FilesAreReadAndWrittenWhole) {
    TempFolder temp;
    Directory folder(temp.location());
    std::string bytes = "left";
    EXPECT_FALSE(storedcopy::readFile(folder, String("missing.xml"), bytes));
    EXPECT_EQ(bytes, "");
    IO::CreateFolder(temp.child("folder.xml"));
    EXPECT_FALSE(storedcopy::readFile(folder, String("folder.xml"), bytes));
    EXPECT_FALSE(storedcopy::writeWhole(folder, String("folder.xml"), "text"));
    const std::string big(3 * 65536 + 7, 'x');
    ASSERT_TRUE(storedcopy::writeWhole(folder, String("big.xml"), big));
    ASSERT_TRUE(storedcopy::readFile(folder, String("big.xml"), bytes));
    EXPECT_EQ(bytes, big);
    ASSERT_TRUE(storedcopy::writeWhole(folder, String("big.xml"), Damaged));
    ASSERT_TRUE(storedcopy::readFile(folder, String("big.xml"), bytes));
    EXPECT_EQ(bytes, Damaged);
}

TEST(StoredCopy, ALinkAtTheTemporaryNameIsNotFollowedAndALinkAtTheFileIsNotReplaced) {
    TempFolder temp;
    Directory folder(temp.location());
    writeFile(temp.path("store.xml"), "as stored");
    writeFile(temp.path("elsewhere.xml"), "another program's");
    // At the temporary name, a link that names nothing: nothing is made where it points.
    ASSERT_EQ(::symlink(temp.path("nowhere.xml").c_str(), temp.path("store.xml.tmp").c_str()), 0);
    EXPECT_TRUE(storedcopy::writeWhole(folder, String("store.xml"), "new settings"));
    EXPECT_EQ(readFile(temp.path("store.xml")), "new settings");
    EXPECT_EQ(readFile(temp.path("nowhere.xml")), "<missing>");
    EXPECT_EQ(readFile(temp.path("store.xml.tmp")), "<missing>");

    // At the file itself: refused, and what it names is untouched.
    ASSERT_EQ(::symlink(temp.path("elsewhere.xml").c_str(), temp.path("linked.xml").c_str()), 0);
    EXPECT_FALSE(storedcopy::writeWhole(folder, String("linked.xml"), "new settings"));
    EXPECT_EQ(readFile(temp.path("elsewhere.xml")), "another program's");
    EXPECT_EQ(readFile(temp.path("linked.xml.tmp")), "<missing>");
}

TEST(StoredCopy, AModuleDataCopyGoesUnderAKeyOfItsOwnAndChecksTheHostsAnswer) {
    DBSetQuiet(true);
    {
        ModuleUnderTest module(nullptr, false);
        EXPECT_EQ(storedcopy::keepModuleDataCopy(String("store"), Damaged), ""); // no project
    }
    ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    auto& keyed = host.project()->model.keyedModuleData;
    host.project()->model.moduleData = "untouched";
    EXPECT_EQ(storedcopy::keepModuleDataCopy(String("store"), Damaged), "store.unreadable");
    EXPECT_EQ(keyed.at("store.unreadable"), Damaged);
    EXPECT_EQ(storedcopy::keepModuleDataCopy(String("store"), Damaged), "store.unreadable");
    EXPECT_EQ(keyed.size(), 1u);
    EXPECT_EQ(storedcopy::keepModuleDataCopy(String("store"), "other"), "store.unreadable-2");
    EXPECT_EQ(keyed.at("store.unreadable"), Damaged);
    EXPECT_EQ(keyed.at("store.unreadable-2"), "other");
    EXPECT_EQ(host.project()->model.moduleData, "untouched");
    // A key no host takes.
    EXPECT_EQ(storedcopy::keepModuleDataCopy(String(std::string(250, 'k')), "x"), "");
    // A host without keyed module data, or one that refuses the write: no copy.
    HostFunctionTable partial = host.functionTable();
    partial.SetModuleDataByKey = [](const char*, GSHandle) -> GSErrCode { return hosterr::Failed; };
    installHostTable(&partial);
    EXPECT_EQ(storedcopy::keepModuleDataCopy(String("store"), "third"), "");
    partial.SetModuleDataByKey = nullptr;
    EXPECT_EQ(storedcopy::keepModuleDataCopy(String("store"), "third"), "");
    partial = host.functionTable();
    partial.GetModuleDataByKey = nullptr;
    EXPECT_EQ(storedcopy::keepModuleDataCopy(String("store"), "third"), "");
    installHostTable(&host.functionTable());
    EXPECT_EQ(keyed.size(), 2u);
    for (int n = 3; n <= 100; ++n)
        keyed[storedcopy::copyKey(String("store"), n).bytes()] = "taken";
    EXPECT_EQ(storedcopy::keepModuleDataCopy(String("store"), "third"), "");
}
