// Walls: accessors over the record as the host keeps it, where other walls meet them, storeys they
// span, a polygonal outline through the memo and through a copy, window and door links, and
// quantities asked for one field at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "Environment/HostTable.h"
#include "construction/ConstructionFactory.h"
#include "construction/Wall.h"
#include "elements/ElementTestSupport.h"
#include "platform/api/OpeningRecords.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/RecordFields.h"
#include "platform/host/WallParts.h"
#include "project/ComplexProfile.h"
#include "project/Composite.h"
#include "project/ElementLinkList.h"
#include "project/Fill.h"
#include "project/Material.h"
#include "project/Storey.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class Walls : public HostTest {
protected:
    Walls() { registerConstructionElementCreators(); }
    ~Walls() override { releaseElementCreators(); }

    // A building material with cut-fill pens 21 and 22 and surface 7.
    int16_t addMaterial() {
        API_Attribute record;
        record.header.typeCode = AttrBuildingMaterial;
        std::snprintf(record.header.name, sizeof record.header.name, "%s", "Brick");
        record.material.fillPen = 21;
        record.material.backgroundPen = 22;
        record.material.surface = 7;
        if (host.project()->model.attributes.create(&record, nullptr) != hosterr::Ok) return 0;
        return static_cast<int16_t>(record.header.index);
    }

    // A host default wall along the points, changed by `more`.
    API_Guid addWall(HostCoord2D begin, HostCoord2D end,
                     const std::function<void(HostWallElement&, zavhost::StoredElement&)>& more = nullptr) {
        return addHostElement(host, Wall::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            zavhost::setDefaultWallSettings(e.record);
            HostWallElement part = zavhost::partOf<HostWallElement>(e.record);
            part.begin = begin;
            part.end = end;
            if (more) more(part, e);
            zavhost::setPart(e.record, part);
        });
    }

    std::unique_ptr<Wall> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* wall = dynamic_cast<Wall*>(element.get());
        if (wall == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<Wall>(wall);
    }
};

std::string bytesOfGuids(std::initializer_list<API_Guid> guids) {
    std::string bytes;
    for (const API_Guid& guid : guids)
        bytes.append(reinterpret_cast<const char*>(&guid), sizeof guid);
    return bytes;
}

// One contour, stored closed, one-based.
void setOutline(zavhost::StoredElement& e, const std::vector<HostCoord2D>& points) {
    std::string coordinates(sizeof(HostCoord2D), '\0');
    for (size_t i = 0; i <= points.size(); ++i)
        coordinates.append(reinterpret_cast<const char*>(&points[i % points.size()]), sizeof(HostCoord2D));
    const uint32_t ends[] = {0, static_cast<uint32_t>(points.size() + 1)};
    e.memo.blocks[offsetof(API_ElementMemo, coordinates)].bytes = coordinates;
    e.memo.blocks[offsetof(API_ElementMemo, subPolygonEnds)].bytes =
        std::string(reinterpret_cast<const char*>(ends), sizeof ends);
}

double widthOf(const CadPolygon& polygon) {
    double right = 0.0;
    for (size_t i = 0; i < polygon.getVertexCount(); ++i)
        right = std::max(right, polygon.getVertex(i).getX());
    return right;
}

} // namespace

TEST_F(Walls, PensFinishesAndTheScaledValueMapOntoTheRecordTheHostKeeps) {
    const int16_t material = addMaterial();
    ASSERT_NE(material, 0);
    Wall wall;
    EXPECT_EQ(wall.getRecord().byte76, 1);
    HostWallElement& part = wall.getWallRecord();
    part.material = static_cast<uint16_t>(material);
    part.cutFillPen = 31;
    part.cutFillBackgroundPen = 32;
    part.finishOverrides[0] = 0x10000 | 5;
    part.finishOverrides[1] = 9; // an index that does not override
    part.finishOverrides[2] = 0x10000 | 6;
    wall.setScaledValue(1);
    EXPECT_EQ(part.scaledValue, 4300);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(wall, false, true); }));
    std::unique_ptr<Wall> read = this->read(wall.getGuid().toAPI());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getScaledValue(), 1);

    for (uint8_t flag : {0, 1}) {
        read->setCutFillPensFromRecord(flag != 0);
        Pen pen;
        read->getPen(pen, 11);
        EXPECT_EQ(pen.getIndex(), flag != 0 ? 31u : 21u);
        read->getPen(pen, 12);
        EXPECT_EQ(pen.getIndex(), flag != 0 ? 32u : 22u);
    }
    const std::pair<uint32_t, uint32_t> finishes[] = {{0, 5}, {1, 5}, {4, 5}, {2, 7}, {3, 6}, {5, 7}};
    for (const auto& [kind, index] : finishes) {
        Finish finish;
        read->getFinish(finish, kind);
        EXPECT_EQ(finish.getIndex(), index) << kind;
    }
    for (const auto& [stored, value] : {std::pair{4300, 1}, {0, 0}, {-5, 0}, {100, -41}}) {
        read->getWallRecord().scaledValue = stored;
        EXPECT_EQ(read->getScaledValue(), value) << stored;
    }
}

TEST_F(Walls, TheStructureTypeChoosesCompositeProfileOrMaterial) {
    Wall wall;
    wall.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), 0); // not a wall's to take
    EXPECT_EQ(wall.getStructureType(), 0u);
    wall.setPattern(Composite(AttributeLink(int16_t(3), AttrComposite)), 0);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(wall, false, true); }));
    std::unique_ptr<Wall> read = this->read(wall.getGuid().toAPI());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getStructureType(), Wall::Composite);
    for (uint32_t kind : {0u, 1u, 3u}) {
        std::unique_ptr<Pattern> pattern = read->getPattern(kind);
        ASSERT_NE(pattern, nullptr) << kind;
        EXPECT_EQ(pattern->getLink().getType(), AttrComposite);
        EXPECT_EQ(pattern->getLink().getIndex16(), 3);
    }
    EXPECT_EQ(read->getPattern(2), nullptr);
    Material material;
    read->getMaterial(material);
    EXPECT_EQ(material.getLink().getIndex16(), 0);

    read->setComplexProfile(ComplexProfile(AttributeLink(int16_t(2), AttrProfile)));
    ComplexProfile profile;
    read->getComplexProfile(profile);
    EXPECT_EQ(profile.getLink().getIndex16(), 0); // only a profiled wall has one
    read->setStructureType(Wall::ComplexProfileStructure);
    read->getComplexProfile(profile);
    EXPECT_EQ(profile.getLink().getIndex16(), 2);
    read->setStructureType(0);
    read->getWallRecord().material = 0;
    EXPECT_EQ(read->getPattern(0), nullptr); // a material of index 0 has no fill
}

TEST_F(Walls, EachPenKindWritesItsOwnFields) {
    using Fields = std::vector<uint16_t HostWallElement::*>;
    const Fields all = {&HostWallElement::contourPen, &HostWallElement::kind10Pen, &HostWallElement::kind5Pen,
                        &HostWallElement::cutFillPen, &HostWallElement::cutFillBackgroundPen};
    const std::pair<uint32_t, Fields> cases[] = {
        {0,
         {&HostWallElement::contourPen, &HostWallElement::kind10Pen, &HostWallElement::cutFillPen,
          &HostWallElement::cutFillBackgroundPen}},
        {1, {&HostWallElement::contourPen}},
        {5, {&HostWallElement::kind5Pen}},
        {6, {&HostWallElement::cutFillPen}},
        {11, {&HostWallElement::cutFillPen}},
        {8, {&HostWallElement::cutFillBackgroundPen}},
        {12, {&HostWallElement::cutFillBackgroundPen}},
        {10, {&HostWallElement::kind10Pen}},
        {2, {}},
        {3, {}},
        {7, {}},
        {9, {}},
        {13, {}},
    };
    for (const auto& [kind, written] : cases) {
        Wall wall;
        for (auto field : all)
            wall.getWallRecord().*field = 2;
        wall.setPen(Pen(AttributeLink(int16_t(40), AttrPen)), kind);
        for (auto field : all) {
            const bool expected = std::find(written.begin(), written.end(), field) != written.end();
            EXPECT_EQ(wall.getWallRecord().*field, expected ? 40 : 2) << kind;
        }
    }
}

TEST_F(Walls, RelationsComeFromTheFiveListsEachLastToFirst) {
    const API_Guid wall = addWall({0, 0}, {10, 0});
    const API_Guid a = addWall({0, 0}, {0, 5});   // its begin at our begin
    const API_Guid b = addWall({-3, -3}, {0, 0}); // its end at our begin
    const API_Guid c = addWall({10, 0}, {10, 5}); // its begin at our end
    const API_Guid d = addWall({11, -1}, {9, 1}); // our end on its side
    const API_Guid e = addWall({5, 0}, {5, 5});   // its begin on our side
    const API_Guid f = addWall({3, -2}, {3, 2});  // crossing
    const API_Guid g = addWall({-1, 1}, {1, -1}); // our begin on its side
    std::unique_ptr<Wall> read = this->read(wall);
    ASSERT_NE(read, nullptr);
    struct Expected {
        API_Guid guid;
        uint32_t thisEnd, otherEnd;
    } expected[] = {{b, 2, 8}, {a, 2, 2}, {c, 8, 2}, {g, 2, 4}, {d, 8, 4}, {e, 4, 2}, {f, 4, 4}};
    ASSERT_EQ(read->getRelationCount(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Wall::Relation* relation = read->getRelation(i);
        ASSERT_NE(relation, nullptr);
        EXPECT_EQ(relation->link.getGuid().toAPI(), expected[i].guid) << i;
        EXPECT_EQ(relation->thisEnd, expected[i].thisEnd) << i;
        EXPECT_EQ(relation->otherEnd, expected[i].otherEnd) << i;
    }
    EXPECT_THROW(read->getRelation(std::size(expected)), std::out_of_range);

    // A wall nobody meets asks the host every time.
    std::unique_ptr<Wall> alone = this->read(addWall({50, 50}, {60, 50}));
    ASSERT_NE(alone, nullptr);
    const size_t before = mark();
    EXPECT_EQ(alone->getRelationCount(), 0u);
    EXPECT_EQ(alone->getRelation(0), nullptr);
    EXPECT_EQ(host.calls().count("GECN", before), 2u);
    EXPECT_EQ(host.calls().count("DECN", before), 2u);
}

TEST_F(Walls, AWallSpanningStoreysIsOnThoseItsHeightReaches) {
    Wall wall;
    HostWallElement& part = wall.getWallRecord();
    part.baseElevation = 0.0;
    part.height = 3.0;
    part.storeySpanFlag = 1;
    EXPECT_FALSE(wall.isEnabled());
    const Storey ground(nullptr, "Ground", 0, 0.0, 3.0);
    const Storey first(nullptr, "First", 1, 3.0, 3.0);
    EXPECT_TRUE(wall.isOnStorey(ground));
    EXPECT_FALSE(wall.isOnStorey(first));
    EXPECT_TRUE(wall.isOnStorey(first, -0.01));
    EXPECT_FALSE(wall.isOnStorey(ground, 3.0));
}

TEST_F(Walls, TheCentreLineLengthRadiusAndAngleFollowTheReferenceLine) {
    Wall wall;
    HostWallElement& part = wall.getWallRecord();
    part.begin = {0, 0};
    part.end = {4, 0};
    part.thickness = 0.4;
    part.referenceOffset = 0.1;
    for (auto [side, y] : {std::pair{1, 0.1}, {0, -0.1}}) {
        part.sideFlag = static_cast<uint8_t>(side);
        PolyEdge centre;
        wall.getCenterLine(centre);
        EXPECT_NEAR(centre.getStartPoint().getY(), y, 1e-9) << side;
    }
    wall.setAngle(std::numbers::pi / 2);
    EXPECT_NEAR(part.end.x, 0.0, 1e-9);
    EXPECT_NEAR(part.end.y, 4.0, 1e-9);

    // A quarter circle either way round: radius sqrt(2), length its arc.
    part.end = {2, 0};
    for (double angle : {std::numbers::pi / 2, -std::numbers::pi / 2}) {
        part.arcAngle = angle;
        EXPECT_NEAR(wall.getArcRadius(), std::sqrt(2.0), 1e-9) << angle;
        EXPECT_NEAR(wall.getLength(), std::numbers::pi / 2 * std::sqrt(2.0), 1e-9) << angle;
    }
}

TEST_F(Walls, APolygonalOutlineGoesThroughTheMemoAndThroughACopyEditedBeforeItIsSaved) {
    HostGable gable;
    gable.planeC = 1.0;
    const API_Guid guid = addWall({0, 0}, {4, 0}, [&](HostWallElement& part, zavhost::StoredElement& e) {
        part.geometryKind = Wall::Polygonal;
        setOutline(e, {{0, 0}, {4, 0}, {4, 1}, {0, 1}});
        e.memo.blocks[offsetof(API_ElementMemo, gables)].bytes =
            std::string(reinterpret_cast<const char*>(&gable), sizeof gable);
    });
    std::unique_ptr<Wall> read = this->read(guid);
    ASSERT_NE(read, nullptr);
    std::unique_ptr<CadPolygon> outline = read->getOutline();
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->getVertexCount(), 4u);
    EXPECT_EQ(read->getGableCount(), 1u);
    uint64_t mask = 0;
    EXPECT_NE(read->buildMemo(mask), nullptr);
    EXPECT_EQ(mask, uint64_t(MemoPolygon | MemoGables));

    // The copy carries the edited outline to the host, not the one the host held.
    Wall copy(*read);
    auto wider = std::make_unique<CadPolygon>(4, 0, true);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {6.0, 0.0}, {6.0, 1.0}, {0.0, 1.0}})
        wider->append(PolyPoint(CadPoint(x, y, 0.0)));
    read->setPolygon(std::move(wider));
    Wall edited(*read);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(edited, false, true); }));
    std::unique_ptr<Wall> again = this->read(guid);
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again->getOutline(), nullptr);
    EXPECT_EQ(widthOf(*again->getOutline()), 6.0);
    EXPECT_EQ(widthOf(*copy.getOutline()), 4.0);

    // A straight wall neither asks for a polygon nor keeps one in its memo, whatever it is asked.
    std::unique_ptr<Wall> plain = this->read(addWall({0, 0}, {4, 0}));
    ASSERT_NE(plain, nullptr);
    plain->GableMemo::setLoaded(false);
    const size_t before = mark();
    MemoStore* store = nullptr;
    {
        Element::MemoLoadSwitch loading(false);
        plain->loadMemo(MemoPolygon, store);
    }
    std::unique_ptr<MemoStore> fetched(store);
    EXPECT_EQ(host.calls().count("GetElementMemo", before), 1u);
    EXPECT_EQ(host.calls().count("mask 0x2", before), 1u) << host.calls().texts(before);
    Wall straight;
    straight.setPolygon(read->getOutline());
    ElementMemoPtr memo = straight.buildMemo(mask);
    EXPECT_EQ(mask & MemoPolygon, 0u);
}

TEST_F(Walls, WindowAndDoorLinksComeFromTheirMemoLists) {
    const API_Guid first = addHostElement(host, 24);
    const API_Guid second = addHostElement(host, 24);
    const API_Guid door = addHostElement(host, 24);
    const API_Guid guid = addWall({0, 0}, {4, 0}, [&](HostWallElement&, zavhost::StoredElement& e) {
        // A trailing part of a guid is not one.
        e.memo.blocks[offsetof(API_ElementMemo, windowGuids)].bytes = bytesOfGuids({first, second}) + "xyz";
        e.memo.blocks[offsetof(API_ElementMemo, doorGuids)].bytes = bytesOfGuids({door});
    });
    std::unique_ptr<Wall> read = this->read(guid);
    ASSERT_NE(read, nullptr);
    ElementLinkList windows;
    ASSERT_EQ(read->getWindowLinks(windows), 2u);
    EXPECT_EQ(windows[0]->getGuid().toAPI(), first);
    EXPECT_EQ(windows[1]->getGuid().toAPI(), second);
    EXPECT_EQ(read->getDoorCount(), 1u);
    EXPECT_EQ(Wall().getWindowCount(), 0u);
}

TEST_F(Walls, MovingOpeningsPassesOverWhatIsNotOneAndSaysSo) {
    API_Guid wallGuid;
    auto addWindow = [&](double position, uint32_t type = HostWindowTypeCode) {
        return addHostElement(host, type, nullptr, [&](zavhost::StoredElement& e) {
            HostJoineryElement part = zavhost::partOf<HostJoineryElement>(e.record);
            part.ownerGuid = wallGuid;
            part.wallPosition = position;
            zavhost::setPart(e.record, part);
        });
    };
    auto positionOf = [&](const API_Guid& guid) {
        return zavhost::partOf<HostJoineryElement>(host.project()->model.views.findElement(guid)->record)
            .wallPosition;
    };
    const std::pair<bool, bool> cases[] = {{false, false}, {true, true}}; // foreign between, moved all
    for (const auto& [clean, answer] : cases) {
        wallGuid = zavhost::newGuid();
        const API_Guid first = addWindow(1.0);
        const API_Guid foreign = addHostElement(host, 24);
        const API_Guid second = addWindow(2.0);
        const API_Guid door = addWindow(3.0, HostDoorTypeCode);
        const std::string list =
            clean ? bytesOfGuids({first, second}) : bytesOfGuids({first, foreign, second});
        const API_Guid guid = addWall({0, 0}, {8, 0}, [&](HostWallElement&, zavhost::StoredElement& e) {
            e.record.head.guid = wallGuid;
            e.memo.blocks[offsetof(API_ElementMemo, windowGuids)].bytes = list;
            e.memo.blocks[offsetof(API_ElementMemo, doorGuids)].bytes = bytesOfGuids({door});
        });
        std::unique_ptr<Wall> wall = this->read(guid);
        ASSERT_NE(wall, nullptr);
        bool moved = false;
        ASSERT_TRUE(change([&] { return moved = wall->moveOpenings(0.5), true; }));
        EXPECT_EQ(moved, answer) << clean;
        EXPECT_EQ(positionOf(first), 1.5) << clean;
        EXPECT_EQ(positionOf(second), 2.5) << clean;
        EXPECT_EQ(positionOf(door), 3.5) << clean; // a door is an opening too
    }
    EXPECT_FALSE(Wall().moveOpenings(1.0)); // no drawing to move them in
}

TEST_F(Walls, WithoutTheHostsFunctionsAWallAnswersNothingAndHoldsNothing) {
    const API_Guid guid = addWall({0, 0}, {4, 0}, [&](HostWallElement& part, zavhost::StoredElement& e) {
        part.geometryKind = Wall::Polygonal;
        setOutline(e, {{0, 0}, {4, 0}, {4, 1}, {0, 1}});
        e.memo.blocks[offsetof(API_ElementMemo, windowGuids)].bytes = bytesOfGuids({zavhost::newGuid()});
    });
    (void)addWall({4, 0}, {4, 4});
    const HostFunctionTable full = hostTable();
    for (const char* slot : {"DatabaseCall", "GetElementMemo", "GetElementQuantities"}) {
        std::unique_ptr<Wall> wall = this->read(guid);
        ASSERT_NE(wall, nullptr);
        HostFunctionTable partial = full;
        ASSERT_TRUE(zavhost::clearFunctionSlot(partial, slot));
        installHostTable(&partial);
        const std::string name = slot;
        EXPECT_EQ(wall->getRelationCount(), name == "DatabaseCall" ? 0u : 1u) << slot;
        EXPECT_EQ(wall->getOutline() == nullptr, name == "DatabaseCall") << slot;
        EXPECT_EQ(wall->getWindowCount(), name == "GetElementMemo" ? 0u : 1u) << slot;
        EXPECT_EQ(wall->getMeasureA(), name == "GetElementQuantities" ? 0.0 : 4.0) << slot;
        installHostTable(&full);
        EXPECT_EQ(wall->getRelationCount(), 1u) << slot;
        EXPECT_NE(wall->getOutline(), nullptr) << slot;
    }
}

TEST_F(Walls, EachQuantityIsOneFieldOfTheWallsVariant) {
    const API_Guid guid = addWall({0, 0}, {4, 0});
    std::unique_ptr<Wall> wall = this->read(guid);
    ASSERT_NE(wall, nullptr);
    const size_t before = mark();
    const std::pair<double, double> table[] = {
        {wall->getMeasureA(), 4.0},
        {wall->getMeasureB(), 12.0},
        {wall->getMeasureC(), 12.0 * 0.3},
        {wall->getCompositeQuantity(1), 4.0},
        {wall->getMeasureD(), 1000.0 + offsetof(HostWallQuantities, measureD)},
        {wall->getMeasureI(), 1000.0 + offsetof(HostWallQuantities, measureI)},
        {wall->getWallQuantity1(), 1000.0 + offsetof(HostWallQuantities, wallQuantity)},
        {wall->getWallQuantity9(), 1000.0 + offsetof(HostWallQuantities, wallQuantity) + 64},
    };
    for (size_t i = 0; i < std::size(table); ++i)
        EXPECT_NEAR(table[i].first, table[i].second, 1e-9) << i;
    EXPECT_EQ(host.calls().count("=> 1 value(s)", before), std::size(table));
    // The outline of a straight wall has no holes.
    EXPECT_EQ(wall->getOutlineHoleCount(), 0u);
    EXPECT_EQ(wall->getMeasureJ(), 0.0);
}
