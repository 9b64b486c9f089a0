// A composite's cores and edges: read from and written to an attribute extension block byte for
// byte, and refused unless there is a whole core and one edge more than cores.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Environment/Memory.h"
#include "project/ConstructionMemo.h"
#include "project/MemoStore.h"
#include "support/TestAddon.h"

using namespace tarnwick;

namespace {

GSHandle patterned(size_t bytes, int seed) {
    GSHandle handle = allocateHandle(static_cast<GSSize>(bytes));
    for (size_t i = 0; i < bytes; ++i)
        (*handle)[i] = static_cast<char>(seed + 7 * i);
    return handle;
}

std::string bytesOf(GSHandle handle) {
    return handle == nullptr ? std::string()
                             : std::string(*handle, static_cast<size_t>(getHandleSize(handle)));
}

} // namespace

TEST(ConstructionMemo, OneCoreAndTwoEdgesGoBackByteForByte) {
    testsupport::ModuleUnderTest module(nullptr, false);
    AttributeMemoStore source;
    *source.coreListAddress() = patterned(16, 1);
    *source.edgeListAddress() = patterned(64, 50);
    ConstructionMemo memo;
    ASSERT_TRUE(memo.readMemo(source));
    ASSERT_EQ(memo.getCoreCount(), 1u);
    ASSERT_EQ(memo.getEdgeCount(), 2u);
    EXPECT_EQ(memo.getCore(0)->material, 1 | (8 << 8));
    EXPECT_EQ(memo.getCore(1), nullptr);
    EXPECT_EQ(memo.getEdge(2), nullptr);

    const ConstructionMemo copy(memo);
    AttributeMemoStore target;
    ASSERT_TRUE(ConstructionMemo(copy).writeMemo(target));
    EXPECT_EQ(bytesOf(target.getCoreList()), bytesOf(source.getCoreList()));
    EXPECT_EQ(bytesOf(target.getEdgeList()), bytesOf(source.getEdgeList()));

    auto core = std::make_unique<ConstructionMemo::Core>();
    core->material = 42;
    memo.setCore(std::move(core), 0);
    memo.setCore(std::make_unique<ConstructionMemo::Core>(), 1); // past the end: not taken
    EXPECT_EQ(memo.getCore(0)->material, 42);
    EXPECT_EQ(copy.getCore(0)->material, 1 | (8 << 8)); // the copy is its own
}

TEST(ConstructionMemo, BlocksWithoutAWholeCoreOrOneEdgeMoreAreInvalid) {
    testsupport::ModuleUnderTest module(nullptr, false);
    struct Case {
        size_t coreBytes, edgeBytes;
    } cases[] = {{48, 96}, {15, 32}, {0, 32}, {32, 64}, {16, 0}};
    for (const Case& c : cases) {
        AttributeMemoStore store;
        if (c.coreBytes > 0) *store.coreListAddress() = patterned(c.coreBytes, 3);
        if (c.edgeBytes > 0) *store.edgeListAddress() = patterned(c.edgeBytes, 4);
        ConstructionMemo memo;
        EXPECT_FALSE(memo.readMemo(store)) << c.coreBytes << " " << c.edgeBytes;
        EXPECT_FALSE(memo.isValid());
        EXPECT_EQ(memo.getCoreCount(), 0u);
        EXPECT_EQ(memo.getCore(0), nullptr);
        AttributeMemoStore target;
        EXPECT_FALSE(memo.writeMemo(target));
        EXPECT_EQ(target.getCoreList(), nullptr);
    }
}
