#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "Environment/HostTable.h"
#include "Environment/Resources.h"
#include "platform/gsroot/ResourceStrings.h"
#include "resources/ModuleResources.h"

using tarnwick::loadResourceString;
using tarnwick::String;

namespace {

GSResModule handedOut = nullptr;
GSResModule answerResources() {
    return handedOut;
}

// A host whose GetOwnResModule answers the given resources; forgotten again at the end.
class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override { useResources(zavModuleResources()); }
    void TearDown() override {
        tarnwick::installHostTable(nullptr);
        handedOut = nullptr;
    }
    static void useResources(GSResModule module) {
        handedOut = module;
        HostFunctionTable table;
        table.GetOwnResModule = &answerResources;
        tarnwick::installHostTable(&table);
    }
};

} // namespace

TEST_F(ModuleResources, EveryStringListIsAWellFormedBlob) {
    const ResourceModule* module = zavModuleResources();
    ASSERT_NE(module, nullptr);
    ASSERT_GT(module->count, 0u);
    for (uint32_t i = 0; i < module->count; ++i) {
        const ResourceEntry& entry = module->entries[i];
        if (entry.type != fourCC("STRS")) continue;
        ASSERT_GE(entry.size, 4u) << entry.id;
        uint32_t count = uint32_t(entry.data[0]) | (uint32_t(entry.data[1]) << 8) |
                         (uint32_t(entry.data[2]) << 16) | (uint32_t(entry.data[3]) << 24);
        EXPECT_EQ(count, entry.size - 4) << entry.id;
        if (count > 0) {
            EXPECT_EQ(entry.data[entry.size - 1], 0) << entry.id;
        }
    }
    EXPECT_EQ(RSGetStringCount(module, 32700), 39);
    EXPECT_EQ(RSGetStringCount(module, 32703), 24);
}

TEST_F(ModuleResources, FoundItemsMatchTheirTexts) {
    EXPECT_EQ(loadResourceString(32700, 1), String("Notification"));
    EXPECT_EQ(loadResourceString(32700, 3), String("Error"));
    EXPECT_EQ(loadResourceString(32700, 6), String("Cancel"));
    EXPECT_EQ(loadResourceString(32700, 9), String("Please specify a name"));
    EXPECT_EQ(
        loadResourceString(32700, 13),
        String(
            "The layer named \"$1\" is not in your workspace. Please choose another layer for this tool."));
    EXPECT_EQ(loadResourceString(32700, 18), String("Choose Layer"));
    EXPECT_EQ(loadResourceString(32700, 19), String("Base Layer"));
    EXPECT_EQ(loadResourceString(32700, 25), String("Proposed"));
    EXPECT_EQ(loadResourceString(32703, 1), String("Missing ")); // the blank kept
    EXPECT_EQ(loadResourceString(32703, 3), String("All"));
    EXPECT_EQ(loadResourceString(32703, 5), String("Deleted"));
    EXPECT_EQ(loadResourceString(32528, 2), String("ZAV Link"));
    EXPECT_FALSE(loadResourceString(32528, 3).isEmpty());
    EXPECT_EQ(loadResourceString(32524, 1).find(String("An internal error")), 0u);
}

TEST_F(ModuleResources, GapsMissingItemsAndMissingListsAreEmpty) {
    for (uint32_t gap : {7u, 20u, 21u, 22u})
        EXPECT_TRUE(loadResourceString(32700, gap).isEmpty()) << gap;
    EXPECT_TRUE(loadResourceString(32703, 6).isEmpty());
    EXPECT_TRUE(loadResourceString(32700, 0).isEmpty());
    EXPECT_TRUE(loadResourceString(32700, 26).isEmpty());
    EXPECT_TRUE(loadResourceString(32700, 0x80000000u).isEmpty());
    EXPECT_TRUE(loadResourceString(12345, 1).isEmpty());
    EXPECT_TRUE(loadResourceString(0x80000000u + 32700, 1).isEmpty());
}

TEST_F(ModuleResources, NoHostOrNoResourcesGiveEmptyTexts) {
    tarnwick::installHostTable(nullptr);
    EXPECT_TRUE(loadResourceString(32700, 1).isEmpty());
    useResources(nullptr);
    EXPECT_TRUE(loadResourceString(32700, 1).isEmpty());
}

TEST_F(ModuleResources, AMalformedBlobGivesEmptyTexts) {
    // declares more bytes than it holds, and one that is cut inside its count
    static const unsigned char overlong[] = {0x10, 0, 0, 0, 'a', 0};
    static const unsigned char cut[] = {2, 0};
    static const unsigned char unterminated[] = {3, 0, 0, 0, 'a', 0, 'b'};
    static const ResourceEntry entries[] = {{fourCC("STRS"), 1, overlong, sizeof overlong},
                                            {fourCC("STRS"), 2, cut, sizeof cut},
                                            {fourCC("STRS"), 3, unterminated, sizeof unterminated},
                                            {fourCC("DLGR"), 4, unterminated, sizeof unterminated}};
    static const ResourceModule module{4, entries};
    useResources(&module);
    EXPECT_TRUE(loadResourceString(1, 1).isEmpty());
    EXPECT_TRUE(loadResourceString(2, 1).isEmpty());
    EXPECT_EQ(loadResourceString(3, 1), String("a"));
    EXPECT_EQ(loadResourceString(3, 2), String("b"));
    EXPECT_TRUE(loadResourceString(3, 3).isEmpty());
    EXPECT_TRUE(loadResourceString(4, 1).isEmpty()); // not a string list
}
