#include "Environment/Transformation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
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

using Field = std::function<double&(HostEditTransformation&)>;

const Field kDoubleFields[] = {
    [](HostEditTransformation& r) -> double& { return r.origin.x; },
    [](HostEditTransformation& r) -> double& { return r.origin.y; },
    [](HostEditTransformation& r) -> double& { return r.origin.z; },
    [](HostEditTransformation& r) -> double& { return r.target.x; },
    [](HostEditTransformation& r) -> double& { return r.target.y; },
    [](HostEditTransformation& r) -> double& { return r.target.z; },
    [](HostEditTransformation& r) -> double& { return r.angle; },
    [](HostEditTransformation& r) -> double& { return r.scale; },
    [](HostEditTransformation& r) -> double& { return r.matrix[0]; },
    [](HostEditTransformation& r) -> double& { return r.matrix[4]; },
    [](HostEditTransformation& r) -> double& { return r.matrix[8]; },
};

TEST(Transformation, NegativeZeroEqualsZeroInEveryField) {
    for (size_t i = 0; i < std::size(kDoubleFields); ++i) {
        HostEditTransformation a = sampleRecord();
        HostEditTransformation b = sampleRecord();
        kDoubleFields[i](a) = 0.0;
        kDoubleFields[i](b) = -0.0;
        EXPECT_TRUE(Transformation(a) == Transformation(b)) << "field " << i;
    }
}

TEST(Transformation, AnyDifferentFieldMakesThemDiffer) {
    for (size_t i = 0; i < std::size(kDoubleFields); ++i) {
        HostEditTransformation b = sampleRecord();
        kDoubleFields[i](b) += 0.25;
        EXPECT_FALSE(Transformation(sampleRecord()) == Transformation(b)) << "field " << i;
    }
    HostEditTransformation kind = sampleRecord();
    kind.kind = 0x524F5441; // ROTA
    EXPECT_FALSE(Transformation(sampleRecord()) == Transformation(kind));
    HostEditTransformation flags = sampleRecord();
    flags.flags = 0;
    EXPECT_FALSE(Transformation(sampleRecord()) == Transformation(flags));
}

TEST(Transformation, ReservedBytesDoNotCount) {
    HostEditTransformation b = sampleRecord();
    std::memset(b.reserved, 0xAB, sizeof b.reserved);
    EXPECT_TRUE(Transformation(sampleRecord()) == Transformation(b));
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
