#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "geometry/Cube.h"
#include "geometry/ScreenRect.h"

using namespace tarnwick;

TEST(Cube, GridPointsOfTheNormalisedBox) {
    const Cube box(4, 1, 9, -2, 5, 3); // corners in any order
    const double xs[3] = {-2, 1, 4}, ys[3] = {1, 3, 5};
    for (unsigned i = 0; i < 9; ++i)
        EXPECT_TRUE(box.getGridPoint(i).isEqual(CadPoint(xs[i % 3], ys[i / 3], 3))) << i;
    EXPECT_THROW(box.getGridPoint(9), std::out_of_range);
    EXPECT_TRUE(box.getCentre().isEqual(CadPoint(1, 3, 6)));
    EXPECT_EQ(box.getXSize(), 6.0);
    Cube moved(box);
    moved.moveTo(CadPoint(10, 10, 10));
    EXPECT_TRUE(moved.getGridPoint(0).isEqual(CadPoint(10, 10, 10)));
    moved.moveCentreTo(CadPoint(-1, 0, 0));
    EXPECT_TRUE(moved.getCentre().isEqual(CadPoint(-1, 0, 0)));
}

TEST(Cube, ScalingMergingAndInflating) {
    Cube box(CadPoint(2, 4, 6), CadPoint(4, 8, 12));
    EXPECT_TRUE(box / 2 == Cube(1, 2, 3, 2, 4, 6));
    box /= 0.0; // refused, no infinities
    EXPECT_TRUE(box == Cube(2, 4, 6, 4, 8, 12));
    box.merge(Cube(10, -1, 7, 9, 0, 8));
    EXPECT_TRUE(box == Cube(2, -1, 6, 10, 8, 12));
    box.inflate(0.5);
    EXPECT_TRUE(box == Cube(1.5, -1.5, 5.5, 10.5, 8.5, 12.5));
    EXPECT_FALSE(box != Cube(1.5, -1.5, 5.5, 10.5, 8.5, 12.5 + 0.5e-5));
    const HostBox2D plan{1, 2, 3, 4};
    const Cube fromPlan(plan);
    EXPECT_EQ(fromPlan.getZSize(), 0.0);
    EXPECT_EQ(fromPlan.getPlanBox().yMax, 4.0);
    EXPECT_EQ(Cube(HostBox3D{1, 2, 3, 4, 5, 9}).getZSize(), 6.0);
}

TEST(ScreenRect, SizesArePositiveWhicheverCornerIsFirst) {
    std::mt19937 rng(16);
    std::uniform_int_distribution<int> v(-32768, 32767);
    for (int round = 0; round < 1000; ++round) {
        const ScreenPoint a(v(rng), v(rng), 4, 9), b(v(rng), v(rng));
        const ScreenRect forward(a, b), backward(b, a);
        EXPECT_GE(forward.getWidth(), 0);
        EXPECT_GE(forward.getHeight(), 0);
        EXPECT_EQ(forward.getWidth(), backward.getWidth());
        EXPECT_EQ(forward.getHeight(), backward.getHeight());
    }
    EXPECT_EQ(ScreenRect(-32768, 0, 32767, 0).getWidth(), 32767); // capped, never negative
}

TEST(ScreenRect, RectOrderEqualityAndMoves) {
    ScreenRect rect(ScreenPoint(10, 20, 2, 0), ScreenPoint(30, 60, 2, 0));
    EXPECT_EQ(rect.toRect(), (ScreenRect::Rect{20, 10, 60, 30}));
    EXPECT_TRUE(rect == ScreenRect(10, 20, 30, 60)); // codes are not compared
    rect.moveTo(ScreenPoint(-5, 5));
    EXPECT_EQ(rect, ScreenRect(-5, 5, 15, 45));
    EXPECT_EQ(rect.getFirst().getCoordinateSpace(), 2u);
    rect += ScreenPoint(1, 1);
    EXPECT_EQ(rect.getSecond().getX(), 16);
    EXPECT_TRUE(ScreenRect().isEmpty());

    ScreenPoint p(DG::Point(3, -4));
    EXPECT_EQ(p.getY(), -4);
    p -= ScreenPoint(1, 1, 6, 7);
    EXPECT_EQ(p.getX(), 2);
    EXPECT_EQ(p.getCoordinateSpace(), 0u);
    for (uint32_t code : {0u, 2u, 4u})
        EXPECT_TRUE(ScreenPoint(0, 0, code, 0).isClientCoordinateSpace());
    for (uint32_t code : {1u, 3u, 6u, 0x102u})
        EXPECT_FALSE(ScreenPoint(0, 0, code, 0).isClientCoordinateSpace());
}
