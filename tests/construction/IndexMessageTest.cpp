// An index past the end says which index and how many there are: relations of a wall, level lines
// and points of a mesh, sides of a slab and a joinery's flags.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "construction/ConstructionFactory.h"
#include "construction/Mesh.h"
#include "construction/Profile.h"
#include "construction/Shelter.h"
#include "construction/Slab.h"
#include "construction/Wall.h"
#include "construction/Window.h"
#include "elements/ElementTestSupport.h"
#include "platform/host/RecordFields.h"
#include "platform/host/WallParts.h"
#include "project/Plan.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class IndexMessages : public HostTest {
protected:
    IndexMessages() { registerConstructionElementCreators(); }
    ~IndexMessages() override { releaseElementCreators(); }

    API_Guid addWall(HostCoord2D begin, HostCoord2D end) {
        return addHostElement(host, Wall::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            zavhost::setDefaultWallSettings(e.record);
            HostWallElement part = zavhost::partOf<HostWallElement>(e.record);
            part.begin = begin;
            part.end = end;
            zavhost::setPart(e.record, part);
        });
    }
};

// What the call throws; empty when it throws nothing or something else.
template <class Call> std::string outOfRange(Call call) {
    try {
        call();
    } catch (const std::out_of_range& e) {
        return e.what();
    }
    return {};
}

std::unique_ptr<CadPolygon> line(double y) {
    auto made = std::make_unique<CadPolygon>(0, 0, false);
    made->append(new PolyPoint(CadPoint(0.0, y, 0.0)));
    made->append(new PolyPoint(CadPoint(1.0, y, 0.0)));
    return made;
}

} // namespace

TEST_F(IndexMessages, AWallsRelationPastTheCountNamesTheIndexAndTheCount) {
    const API_Guid guid = addWall({0, 0}, {10, 0});
    (void)addWall({0, 0}, {0, 5});
    Plan* plan = Host::getPlan();
    std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
    auto* wall = dynamic_cast<Wall*>(element.get());
    ASSERT_NE(wall, nullptr);
    ASSERT_EQ(wall->getRelationCount(), 1u);
    EXPECT_EQ(outOfRange([&] { (void)wall->getRelation(1); }),
              "invalid vector<T> subscript: index 1, size 1");
    EXPECT_EQ(outOfRange([&] { (void)wall->getRelation(7); }),
              "invalid vector<T> subscript: index 7, size 1");
}

TEST_F(IndexMessages, AMeshsLevelLinesAndPointsPastTheEndNameTheIndexAndTheCount) {
    Mesh mesh;
    mesh.addLevelLine(line(1.0).release());
    mesh.addLevelLine(line(2.0).release());
    EXPECT_EQ(outOfRange([&] { (void)mesh.getLevelLine(5); }),
              "invalid vector<T> subscript: index 5, size 2");
    EXPECT_EQ(outOfRange([&] { mesh.removeLevelLine(2); }), "invalid vector<T> subscript: index 2, size 2");
    EXPECT_EQ(outOfRange([&] { mesh.replaceLevelLine(line(3.0).release(), 2); }),
              "invalid vector<T> subscript: index 2, size 2");
    EXPECT_EQ(outOfRange([&] { mesh.replaceLevelLine(nullptr, 0); }), "invalid vector<T> subscript: no line");
    EXPECT_EQ(mesh.getLevelLineCount(), 2u); // nothing replaced or removed
    EXPECT_EQ(outOfRange([&] { (void)mesh.getLevelPoint(0); }),
              "invalid vector<T> subscript: index 0, size 0");
    EXPECT_EQ(outOfRange([&] { mesh.removeLevelPoint(1); }), "invalid vector<T> subscript: index 1, size 0");
}

TEST_F(IndexMessages, ASideOrFlagPastTheLastNamesTheIndexAndHowManyThereAre) {
    Slab slab;
    EXPECT_EQ(outOfRange([&] { (void)slab.getSideFlags(2); }), "invalid side: index 2, size 2");
    EXPECT_EQ(outOfRange([&] { slab.setSideFlag3(5, true); }), "invalid side: index 5, size 2");
    Extrusion body;
    EXPECT_EQ(outOfRange([&] { body.setSideFlags(2, true); }), "invalid side: index 2, size 2");
    Window window;
    EXPECT_EQ(outOfRange([&] { (void)window.getJoineryFlag(3); }), "invalid flag: index 3, size 3");
    EXPECT_EQ(outOfRange([&] { window.setJoineryFlag(4, true); }), "invalid flag: index 4, size 3");
    EXPECT_EQ(outOfRange([&] { (void)window.getJoineryFlag(2); }), ""); // the last one is there
}
