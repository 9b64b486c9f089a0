// Every test must leave no live host handle or pointer block behind.
#include <gtest/gtest.h>

#include "platform/gsroot/Memory.h"

namespace {
class HostMemoryLeakCheck : public ::testing::EmptyTestEventListener {
    int64_t handles = 0;
    int64_t ptrs = 0;
    void OnTestStart(const ::testing::TestInfo&) override {
        handles = BMLiveHandleCount();
        ptrs = BMLivePtrCount();
    }
    void OnTestEnd(const ::testing::TestInfo& info) override {
        BMFailAfter(-1);
        EXPECT_EQ(BMLiveHandleCount(), handles) << "host handles leaked by " << info.name();
        EXPECT_EQ(BMLivePtrCount(), ptrs) << "host pointer blocks leaked by " << info.name();
    }
};
} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new HostMemoryLeakCheck);
    return RUN_ALL_TESTS();
}
