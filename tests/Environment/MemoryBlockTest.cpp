#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>

#include "Environment/Memory.h"
#include "Environment/MemoryBlock.h"
#include "platform/gsroot/Memory.h"

using tarnwick::MemoryBlock;

namespace {
GSHandle handleWith(const char* text) {
    GSHandle h = tarnwick::allocateHandle(static_cast<GSSize>(std::strlen(text)));
    std::memcpy(*h, text, std::strlen(text));
    return h;
}
std::string contents(const MemoryBlock& block) {
    return block.getData() ? std::string(block.getData(), static_cast<size_t>(block.getSize()))
                           : std::string();
}
} // namespace

TEST(MemoryBlock, OwnsFreesAllocatesAndResizesItsHandle) {
    int64_t start = BMLiveHandleCount();
    {
        MemoryBlock block(handleWith("abc"));
        EXPECT_EQ(BMLiveHandleCount(), start + 1);
        EXPECT_EQ(block.getSize(), 3);
    }
    EXPECT_EQ(BMLiveHandleCount(), start);
    MemoryBlock none;
    EXPECT_EQ(none.getSize(), 0);
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(none.getData(), nullptr);

    none.allocateHandle(4);
    EXPECT_EQ(contents(none), std::string(4, '\0'));
    std::memcpy(none.getData(), "abcd", 4);
    none.resize(6);
    EXPECT_EQ(contents(none), std::string("abcd\0\0", 6));
    none.resize(2);
    EXPECT_EQ(contents(none), "ab");
    MemoryBlock fresh;
    fresh.resize(3);
    EXPECT_EQ(fresh.getSize(), 3);
}

TEST(MemoryBlock, SetHandleWithItsOwnChangesNothingAndMovesAndReleaseHandOverOwnership) {
    MemoryBlock block(handleWith("keep"));
    GSHandle h = block.getHandle();
    block.setHandle(h);
    ASSERT_TRUE(BMIsLiveHandle(h));
    EXPECT_EQ(block.getHandle(), h);
    EXPECT_EQ(contents(block), "keep");
    block.getData()[0] = 'K'; // still ours to write
    block.assignHandle(h);
    ASSERT_TRUE(BMIsLiveHandle(h));
    EXPECT_EQ(contents(block), "Keep");

    GSHandle other = handleWith("new");
    block.setHandle(other);
    EXPECT_FALSE(BMIsLiveHandle(h)); // the old one was freed
    EXPECT_EQ(contents(block), "new");
    block.setHandle(nullptr);
    EXPECT_FALSE(BMIsLiveHandle(other));
    EXPECT_TRUE(block.isEmpty());
}

TEST(MemoryBlock, CopiesAndClonesAreIndependent) {
    MemoryBlock original(handleWith("abc"));
    std::unique_ptr<MemoryBlock> clone(original.clone());
    MemoryBlock copy(original);
    MemoryBlock assigned;
    assigned = original;
    original.getData()[0] = 'X';
    EXPECT_EQ(contents(*clone), "abc");
    EXPECT_EQ(contents(copy), "abc");
    EXPECT_EQ(contents(assigned), "abc");
    EXPECT_NE(clone->getHandle(), original.getHandle());
    EXPECT_NE(copy.getHandle(), original.getHandle());

    MemoryBlock& same = assigned;
    assigned = same; // self-assignment keeps the bytes
    EXPECT_EQ(contents(assigned), "abc");

    MemoryBlock empty;
    std::unique_ptr<MemoryBlock> emptyClone(empty.clone());
    EXPECT_TRUE(emptyClone->isEmpty());
    EXPECT_EQ(empty.duplicateHandle(), nullptr);
    copy = empty; // assigning nothing frees what the copy held
    EXPECT_TRUE(copy.isEmpty());
}

TEST(MemoryBlock, MovesAndReleaseHandOverOwnership) {
    MemoryBlock a(handleWith("abc"));
    GSHandle h = a.getHandle();
    MemoryBlock b(std::move(a));
    EXPECT_EQ(b.getHandle(), h);
    EXPECT_TRUE(a.isEmpty());
    MemoryBlock c(handleWith("old"));
    c = std::move(b);
    EXPECT_EQ(c.getHandle(), h);

    GSHandle released = c.releaseHandle();
    EXPECT_EQ(released, h);
    EXPECT_TRUE(c.isEmpty());
    EXPECT_TRUE(BMIsLiveHandle(released)); // the caller owns it now
    tarnwick::freeHandle(released);
    EXPECT_EQ(released, nullptr);
}

TEST(MemoryBlock, FailedAllocationsThrowAndKeepTheBlock) {
    MemoryBlock block(handleWith("abc"));
    BMFailAfter(0);
    EXPECT_THROW(block.allocateHandle(8), std::bad_alloc);
    EXPECT_THROW(block.duplicateHandle(), std::bad_alloc);
    EXPECT_THROW(std::unique_ptr<MemoryBlock> copy(block.clone()), std::bad_alloc);
    EXPECT_THROW(MemoryBlock copy(block), std::bad_alloc);
    BMFailAfter(-1);
    EXPECT_EQ(contents(block), "abc");
    EXPECT_THROW(tarnwick::allocateHandle(-1), std::bad_alloc);
}

TEST(MemoryBlock, HostMemoryHelpers) {
    EXPECT_EQ(tarnwick::getHandleSize(nullptr), 0);
    GSHandle h = tarnwick::stringToHandle(tarnwick::String("héllo"));
    EXPECT_EQ(tarnwick::getHandleSize(h), 6);
    EXPECT_EQ(tarnwick::handleToString(h), tarnwick::String("héllo"));
    tarnwick::freeHandle(h);
    tarnwick::freeHandle(h); // null does nothing
    EXPECT_TRUE(tarnwick::handleToString(nullptr).isEmpty());

    GSPtr p = tarnwick::allocatePtr(5);
    EXPECT_EQ(tarnwick::getPtrSize(p), 5);
    GSPtr q = tarnwick::duplicatePtr(p);
    EXPECT_NE(q, p);
    EXPECT_EQ(tarnwick::getPtrSize(q), 5);
    tarnwick::freePtr(p);
    tarnwick::freePtr(q);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(tarnwick::duplicatePtr(nullptr), nullptr);
}
