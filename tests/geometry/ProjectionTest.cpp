#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "geometry/Projection.h"

using namespace tarnwick;

namespace {

HostCameraRecord randomRecord(std::mt19937& rng, bool perspective) {
    std::uniform_real_distribution<double> v(-100, 100);
    HostCameraRecord record;
    double values[39];
    for (double& d : values)
        d = v(rng);
    std::memcpy(reinterpret_cast<unsigned char*>(&record) + 40, values, sizeof values);
    record.isPerspective = perspective ? 1 : 0;
    return record;
}

bool sameBytes(const HostCameraRecord& a, const HostCameraRecord& b, size_t from, size_t to) {
    return std::memcmp(reinterpret_cast<const unsigned char*>(&a) + from,
                       reinterpret_cast<const unsigned char*>(&b) + from, to - from) == 0;
}

} // namespace

TEST(Projection, CameraRecordRoundTrip) {
    std::mt19937 rng(352);
    for (int round = 0; round < 50; ++round) {
        const HostCameraRecord perspective = randomRecord(rng, true);
        const auto p = Projection::fromCameraRecord(perspective);
        ASSERT_NE(dynamic_cast<PerspectiveProjection*>(p.get()), nullptr);
        HostCameraRecord out;
        p->toCameraRecord(out);
        EXPECT_EQ(out.isPerspective, 1);
        EXPECT_TRUE(sameBytes(out, perspective, 40, 288));
        EXPECT_EQ(p->getCameraPosition().getZ(), perspective.perspective.cameraZ);

        const HostCameraRecord parallel = randomRecord(rng, false);
        const auto o = Projection::fromCameraRecord(parallel);
        auto* orthogonal = dynamic_cast<OrthogonalProjection*>(o.get());
        ASSERT_NE(orthogonal, nullptr);
        EXPECT_EQ(orthogonal->getScale(), 1.0);
        HostCameraRecord back;
        back.isPerspective = 1;
        o->toCameraRecord(back);
        EXPECT_EQ(back.isPerspective, 0);
        EXPECT_TRUE(sameBytes(back, parallel, 40, 352));
    }
}

// Looking straight down, the level direction is undefined: model x must still show right and y up.
TEST(Projection, PictureAxesLookingStraightDown) {
    for (bool perspective : {true, false}) {
        HostCameraRecord record;
        record.isPerspective = perspective;
        record.perspective.viewConeAngle = kPi / 2;
        record.perspective.scale = 1.0;
        const auto projection = Projection::fromCameraRecord(record);
        projection->setCamera(CadPoint(0, 0, 10), CadPoint(0, 0, 0));
        const double scale = perspective ? 0.1 : 1;
        EXPECT_TRUE(projection->transform(CadPoint(1, 0, 0)).isEqual(CadPoint(scale, 0, 10), 1e-12))
            << perspective;
        EXPECT_TRUE(projection->transform(CadPoint(0, 1, 0)).isEqual(CadPoint(0, scale, 10), 1e-12))
            << perspective;
    }
}
