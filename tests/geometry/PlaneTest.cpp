// Planes: the side a line lies on, lines split where they cross, faces gathered with their area
// measured in the plane; and the list that keeps lines with their codes.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "geometry/LineList.h"
#include "geometry/Plane.h"

using namespace tarnwick;

namespace {

CadPolygon polygonOf(const std::vector<CadPoint>& points) {
    CadPolygon polygon;
    for (const CadPoint& p : points)
        polygon.append(PolyPoint(p));
    return polygon;
}

const Plane ground(CadPoint(5, 5, 0), Vector3(0, 0, 3));

} // namespace

TEST(Plane, ALineLiesOnOneSideOnThePlaneOrAcrossIt) {
    const struct {
        CadPoint start, end;
        uint32_t expected;
    } cases[] = {
        {{0, 0, -1}, {0, 0, -2}, Plane::kBelow},
        {{0, 0, 1}, {1, 1, 2}, Plane::kAbove},
        {{0, 0, 0}, {1, 0, 0}, Plane::kOnPlane},
        {{0, 0, 0}, {0, 0, 3}, Plane::kAbove},  // touching at its start
        {{0, 0, -1}, {0, 0, 0}, Plane::kBelow}, // touching at its end
        {{0, 0, -1}, {0, 0, 1}, Plane::kCrossing},
        {{0, 0, 1}, {0, 0, -1}, Plane::kCrossing},
        {{0, 0, -0.000005}, {1, 0, 0.000005}, Plane::kOnPlane},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ground.getPosition(Line(c.start, c.end)), c.expected)
            << c.start.getZ() << " " << c.end.getZ();
    EXPECT_EQ(Plane::kCrossing, 17u);
    EXPECT_EQ(Plane(CadPoint(), Vector3()).getPosition(Line(CadPoint(0, 0, -1), CadPoint(0, 0, 1))),
              Plane::kOnPlane);
}

TEST(Plane, ACrossingLineIsSplitWhereItMeetsThePlaneAndAnyOtherComesBackWhole) {
    std::vector<Line> parts = ground.splitLine(Line(CadPoint(0, 0, -1), CadPoint(0, 0, 3)));
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].getStartPoint(), CadPoint(0, 0, -1));
    EXPECT_EQ(parts[0].getEndPoint(), CadPoint(0, 0, 0));
    EXPECT_EQ(parts[1].getStartPoint(), CadPoint(0, 0, 0));
    EXPECT_EQ(parts[1].getEndPoint(), CadPoint(0, 0, 3));

    parts = ground.splitLine(Line(CadPoint(0, 0, 3), CadPoint(0, 0, -1))); // the start's part first
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].getStartPoint(), CadPoint(0, 0, 3));
    EXPECT_EQ(parts[0].getEndPoint(), CadPoint(0, 0, 0));
    EXPECT_EQ(parts[1].getEndPoint(), CadPoint(0, 0, -1));

    // x + y = 1 meets the line from (0, 0, 5) to (2, 2, 5) a quarter along it.
    parts = Plane(CadPoint(1, 0, 0), Vector3(1, 1, 0)).splitLine(Line(CadPoint(0, 0, 5), CadPoint(2, 2, 5)));
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].getEndPoint(), CadPoint(0.5, 0.5, 5));

    for (const Line& whole :
         {Line(CadPoint(0, 0, 1), CadPoint(4, 0, 2)), Line(CadPoint(0, 0, 0), CadPoint(4, 0, 0)),
          Line(CadPoint(0, 0, 0), CadPoint(0, 0, -2)), Line(CadPoint(1, 1, 1), CadPoint(1, 1, 1))}) {
        parts = ground.splitLine(whole);
        ASSERT_EQ(parts.size(), 1u);
        EXPECT_EQ(parts[0].getStartPoint(), whole.getStartPoint());
        EXPECT_EQ(parts[0].getEndPoint(), whole.getEndPoint());
    }
}

TEST(Plane, GatheredFacesAreCountedMeasuredInThePlaneAndBoxed) {
    // A unit square tilted into x = z: its plan area is 1, its own area the square root of 2.
    Plane tilted(CadPoint(), Vector3(1, 0, -1));
    EXPECT_EQ(tilted.getFaceCount(), 0u);
    EXPECT_EQ(tilted.getFaceBounds(), nullptr);
    tilted.accumulate(polygonOf({{0, 0, 0}, {0, 1, 0}, {1, 1, 1}, {1, 0, 1}}));
    EXPECT_EQ(tilted.getFaceCount(), 1u);
    EXPECT_NEAR(tilted.getFaceArea(), std::sqrt(2.0), 1e-12);
    ASSERT_NE(tilted.getFaceBounds(), nullptr);
    EXPECT_EQ(*tilted.getFaceBounds(), Cube(0, 0, 0, 1, 1, 1));

    // A 4 by 4 square with a 2 by 2 hole, twice; then a face that encloses nothing.
    Plane flat = ground;
    CadPolygon holed = polygonOf({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}});
    holed.addHole(new CadPolygon(polygonOf({{1, 1, 0}, {1, 3, 0}, {3, 3, 0}, {3, 1, 0}})));
    flat.accumulate(holed);
    flat.accumulate(holed);
    flat.accumulate(polygonOf({{-1, 0, 0}, {6, 0, 0}}));
    EXPECT_EQ(flat.getFaceCount(), 3u);
    EXPECT_NEAR(flat.getFaceArea(), 24.0, 1e-12);
    EXPECT_EQ(*flat.getFaceBounds(), Cube(-1, 0, 0, 6, 4, 0));
    EXPECT_EQ(ground.getFaceCount(), 0u); // the copy gathered, not the original

    flat.clearFaces();
    EXPECT_EQ(flat.getFaceCount(), 0u);
    EXPECT_EQ(flat.getFaceArea(), 0.0);
    EXPECT_EQ(flat.getFaceBounds(), nullptr);
    flat.accumulate(CadPolygon());
    EXPECT_EQ(flat.getFaceCount(), 1u);
    EXPECT_EQ(flat.getFaceBounds(), nullptr);
}

TEST(LineList, KeepsCodesOnlyWhenMadeToAndAnswersOutOfRangePastTheEnd) {
    LineList coded(true);
    LineList plain;
    EXPECT_TRUE(coded.keepsCodes());
    EXPECT_FALSE(plain.keepsCodes());
    EXPECT_TRUE(plain.empty());
    for (LineList* list : {&coded, &plain}) {
        list->append(Line(CadPoint(0, 0, 0), CadPoint(1, 0, 0)), Plane::kAbove);
        list->append(Line(CadPoint(1, 0, 0), CadPoint(2, 0, 0)));
    }
    ASSERT_EQ(coded.size(), 2u);
    EXPECT_EQ(coded.getCode(0), Plane::kAbove);
    EXPECT_EQ(coded.getCode(1), 0u);
    EXPECT_EQ(coded.getLine(1).getEndPoint(), CadPoint(2, 0, 0));
    EXPECT_EQ(plain.getCode(0), 0u);
    EXPECT_THROW(coded.getLine(2), std::out_of_range);
    EXPECT_THROW(plain.getCode(2), std::out_of_range);
    coded.clear();
    EXPECT_TRUE(coded.empty());
}
