#include "Environment/Transformation.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <type_traits>

namespace tarnwick {
namespace {

HostEditTransformation sampleRecord() {
    HostEditTransformation r;
    r.kind = 0x4D4F5645; // MOVE
    r.flags = 3;
    r.origin = {1.0, 2.0, 3.0};
    r.target = {4.0, 5.0, 6.0};
    r.angle = 0.5;
    r.scale = 2.0;
    for (int i = 0; i < 9; ++i)
        r.matrix[i] = i + 1.0;
    return r;
}

std::array<double*, 11> doubles(HostEditTransformation& r) {
    return {&r.origin.x, &r.origin.y, &r.origin.z,  &r.target.x,  &r.target.y, &r.target.z,
            &r.angle,    &r.scale,    &r.matrix[0], &r.matrix[4], &r.matrix[8]};
}

TEST(Transformation, EveryFieldButTheReservedBytesCountsAndNegativeZeroEqualsZero) {
    for (size_t i = 0; i < 11; ++i) {
        HostEditTransformation a = sampleRecord(), b = sampleRecord(), c = sampleRecord();
        *doubles(a)[i] = 0.0;
        *doubles(b)[i] = -0.0;
        EXPECT_TRUE(Transformation(a) == Transformation(b)) << "field " << i;
        *doubles(c)[i] += 0.25;
        EXPECT_FALSE(Transformation(sampleRecord()) == Transformation(c)) << "field " << i;
    }
    HostEditTransformation kind = sampleRecord(), flags = sampleRecord(), reserved = sampleRecord();
    kind.kind = 0x524F5441; // ROTA
    EXPECT_FALSE(Transformation(sampleRecord()) == Transformation(kind));
    flags.flags = 0;
    EXPECT_FALSE(Transformation(sampleRecord()) == Transformation(flags));
    std::memset(reserved.reserved, 0xAB, sizeof reserved.reserved);
    EXPECT_TRUE(Transformation(sampleRecord()) == Transformation(reserved));
}

TEST(Transformation, IsTheIdentityOnlyWhenItMovesNoPoint) {
    HostEditTransformation still;
    still.matrix[0] = still.matrix[4] = still.matrix[8] = 1.0;
    still.origin = still.target = {2.0, 3.0, 0.0}; // a fixed point anywhere
    HostEditTransformation moved = still, turned = still, scaled = still, flat = still;
    moved.target.y = 4.0;
    turned.matrix[1] = -1.0;
    turned.matrix[3] = 1.0;
    turned.matrix[0] = turned.matrix[4] = 0.0;
    scaled.scale = 2.0;
    flat.matrix[8] = 0.0;
    EXPECT_TRUE(Transformation(still).isIdentity());
    for (const HostEditTransformation& r : {moved, turned, scaled, flat})
        EXPECT_FALSE(Transformation(r).isIdentity());
}

TEST(Transformation, CloneIsAnEqualOwnedCopy) {
    static_assert(std::is_same_v<decltype(std::declval<const Transformation&>().clone()),
                                 std::unique_ptr<Transformation>>);
    Transformation original(sampleRecord());
    std::unique_ptr<Transformation> copy = original.clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(*copy == original);
    copy->getRecord().angle = 1.5;
    EXPECT_FALSE(*copy == original);
    EXPECT_EQ(original.getRecord().angle, 0.5);
}

} // namespace
} // namespace tarnwick
