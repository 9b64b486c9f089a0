// A 2 x 2 x 1 box from the modeler met by planes through it, beside it, along its faces and along
// two of its vertical edges: its edges split and placed on their sides, its faces in the plane
// gathered by the plane.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

#include "elements/Body.h"
#include "geometry/LineList.h"
#include "geometry/Plane.h"
#include "platform/host/Prism3D.h"
#include "platform/modeler/MeshBody.h"

using namespace tarnwick;

namespace {

const Vector3 up(0, 0, 1);

Body box() {
    return Body(std::make_shared<ModelerAPI::MeshBody>(
                    zavhost::model3d::prism({{{0, 0}, {2, 0}, {2, 2}, {0, 2}}}, 0.0, 1.0, 0)),
                nullptr);
}

// How many parts lie on each side, and their summed length on each.
struct Sides {
    std::map<uint32_t, int> count;
    std::map<uint32_t, double> length;
};

Sides sidesOf(const LineList& list) {
    Sides sides;
    for (size_t i = 0; i < list.size(); ++i) {
        ++sides.count[list.getCode(i)];
        sides.length[list.getCode(i)] += list.getLine(i).getLength();
    }
    return sides;
}

} // namespace

TEST(BodyAgainstPlane, EdgesAreSplitWhereTheyCrossAndPlacedOnTheirSides) {
    const Body body = box();
    ASSERT_EQ(body.getEdgeCount(), 12u);
    const struct {
        const char* name;
        Plane plane;
        size_t parts;
        int below, on, above;
        double belowLength, aboveLength;
    } cases[] = {
        // The four upright edges are cut in two halves.
        {"through, level", Plane(CadPoint(7, 7, 0.5), up), 16, 8, 0, 8, 8 + 2.0, 8 + 2.0},
        // The four edges along x are cut 0.5 from their start; the rest lie at x = 0 or x = 2.
        {"through, upright", Plane(CadPoint(0.5, 9, 9), Vector3(1, 0, 0)), 16, 8, 0, 8, 2 + 4 + 2, 6 + 4 + 2},
        {"along the top", Plane(CadPoint(5, 5, 1), up), 12, 8, 4, 0, 8 + 4, 0},
        // The normal points into the box: what is not on the side lies above.
        {"along a side", Plane(CadPoint(2, 0, 0), Vector3(-1, 0, 0)), 12, 0, 4, 8, 0, 8 + 4 + 2},
        {"beside, facing down", Plane(CadPoint(0, 0, 3), Vector3(0, 0, -1)), 12, 0, 0, 12, 0, 20},
        {"beside, facing away", Plane(CadPoint(-1, 0, 0), Vector3(-1, 0, 0)), 12, 12, 0, 0, 20, 0},
        // x + y = 2 runs through the uprights at (2, 0) and (0, 2): no edge crosses it.
        {"along two uprights", Plane(CadPoint(2, 0, 0), Vector3(1, 1, 0)), 12, 5, 2, 5, 8 + 1, 8 + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LineList list(true);
        EXPECT_EQ(body.getEdgesAgainstPlane(c.plane, list), c.parts);
        ASSERT_EQ(list.size(), c.parts);
        Sides sides = sidesOf(list);
        EXPECT_EQ(sides.count[Plane::kBelow], c.below);
        EXPECT_EQ(sides.count[Plane::kOnPlane], c.on);
        EXPECT_EQ(sides.count[Plane::kAbove], c.above);
        EXPECT_EQ(sides.count.size(), 3u); // no part has another code
        EXPECT_NEAR(sides.length[Plane::kBelow], c.belowLength, 1e-12);
        EXPECT_NEAR(sides.length[Plane::kAbove], c.aboveLength, 1e-12);
    }
}

TEST(BodyAgainstPlane, EdgesComeFromTheLastAndAreAddedToWhatTheListHolds) {
    const Body body = box();
    LineList list;
    list.append(Line(CadPoint(9, 9, 9), CadPoint(9, 9, 8)));
    EXPECT_EQ(body.getEdgesAgainstPlane(Plane(CadPoint(0, 0, 0.25), up), list), 16u);
    ASSERT_EQ(list.size(), 17u);
    EXPECT_EQ(list.getLine(0).getStartPoint(), CadPoint(9, 9, 9)); // kept
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list.getCode(i), 0u) << i; // the list keeps no codes
    const Edge::Data last = body.getEdge(11);
    const CadPoint a = body.getVertex(last.getVertex1()), b = body.getVertex(last.getVertex2());
    EXPECT_EQ(list.getLine(1).getStartPoint(), a);
    // The last edge is an upright one: split at a quarter of its height.
    EXPECT_NEAR(std::fabs(a.getZ() - b.getZ()), 1.0, 1e-12);
    EXPECT_NEAR(list.getLine(1).getEndPoint().getZ(), 0.25, 1e-12);
    EXPECT_EQ(list.getLine(2).getEndPoint(), b);

    const Body empty(std::make_shared<ModelerAPI::MeshBody>(), nullptr);
    EXPECT_EQ(empty.getEdgesAgainstPlane(Plane(), list), 0u);
    EXPECT_EQ(list.size(), 17u);
}

TEST(BodyAgainstPlane, FacesInThePlaneAreGatheredByItWhenAsked) {
    const Body body = box();
    const struct {
        const char* name;
        Plane plane;
        size_t faces;
        double area;
        Cube bounds;
    } cases[] = {
        {"along the top", Plane(CadPoint(5, 5, 1), up), 1, 4.0, Cube(0, 0, 1, 2, 2, 1)},
        {"along the bottom, facing up", Plane(CadPoint(), up), 1, 4.0, Cube(0, 0, 0, 2, 2, 0)},
        {"along a side", Plane(CadPoint(2, 7, 7), Vector3(-3, 0, 0)), 1, 2.0, Cube(2, 0, 0, 2, 2, 1)},
        {"through", Plane(CadPoint(0, 0, 0.5), up), 0, 0.0, Cube()},
        {"beside", Plane(CadPoint(0, 0, 3), up), 0, 0.0, Cube()},
        {"slanting through a corner", Plane(CadPoint(2, 0, 0), Vector3(1, 1, 0)), 0, 0.0, Cube()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Plane plane = c.plane;
        PolyList faces;
        body.getFacesInPlane(plane, faces, 1e-5, true);
        ASSERT_EQ(faces.size(), c.faces);
        EXPECT_EQ(plane.getFaceCount(), c.faces);
        EXPECT_NEAR(plane.getFaceArea(), c.area, 1e-12);
        if (c.faces == 0) {
            EXPECT_EQ(plane.getFaceBounds(), nullptr);
            continue;
        }
        EXPECT_EQ(faces[0]->getVertexCount(), 4u);
        ASSERT_NE(plane.getFaceBounds(), nullptr);
        EXPECT_EQ(*plane.getFaceBounds(), c.bounds);

        // Asked again the plane gathers the face again; unasked, or through a plane that may not
        // change, it only lists it.
        body.getFacesInPlane(plane, faces, 1e-5, true);
        EXPECT_EQ(plane.getFaceCount(), 2u);
        EXPECT_NEAR(plane.getFaceArea(), 2 * c.area, 1e-12);
        body.getFacesInPlane(plane, faces, 1e-5, false);
        body.getFacesInPlane(static_cast<const Plane&>(plane), faces, 1e-5);
        EXPECT_EQ(faces.size(), 4u);
        EXPECT_EQ(plane.getFaceCount(), 2u);
    }
}
