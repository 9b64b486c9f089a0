// Windows and doors in walls: their span along straight and curved walls, their elevation on an upper storey,
// an owner that is no wall, openings that do not fit a curved wall, their quantities, and window and door
// records kept by the host with the wall's lists.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "Environment/HostCalls.h"
#include "construction/ConstructionFactory.h"
#include "construction/Door.h"
#include "construction/Wall.h"
#include "construction/Window.h"
#include "elements/ElementTestSupport.h"
#include "platform/host/ModelCalls.h"
#include "platform/host/OpeningParts.h"
#include "platform/host/RecordFields.h"
#include "platform/host/WallParts.h"
#include "project/ElementLinkList.h"
#include "project/Fill.h"
#include "project/Storey.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr double Near = 1e-9;

class Openings : public HostTest {
protected:
    Openings() { registerConstructionElementCreators(); }
    ~Openings() override { releaseElementCreators(); }

    zavhost::ElementStore& plan() { return host.project()->model.views.plan().elements; }

    // A host default wall along the points, changed by `more`.
    API_Guid addWall(HostCoord2D begin, HostCoord2D end,
                     const std::function<void(HostWallElement&)>& more = nullptr) {
        return addHostElement(host, Wall::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            zavhost::setDefaultWallSettings(e.record);
            HostWallElement part = zavhost::partOf<HostWallElement>(e.record);
            part.begin = begin;
            part.end = end;
            if (more) more(part);
            zavhost::setPart(e.record, part);
        });
    }

    // A window or door of the host's defaults in the owner at the position, in the owner's list.
    API_Guid addOpening(const API_Guid& owner, double position, double width = 1.0,
                        const std::function<void(HostJoineryElement&)>& more = nullptr,
                        uint32_t type = Window::TypeCode) {
        const API_Element defaults = host.project()->model.defaults.get(type, 0).record;
        const API_Guid guid = addHostElement(host, type, nullptr, [&](zavhost::StoredElement& e) {
            const zavhost::StoredElement* wall = plan().find(owner);
            if (wall != nullptr && wall->head().typeCode == Wall::TypeCode) {
                EXPECT_EQ(zavhost::placeOpening(e, defaults, *wall, position), "");
            }
            HostJoineryElement part = zavhost::partOf<HostJoineryElement>(e.record);
            part.ownerGuid = owner;
            part.wallPosition = position;
            part.opening.width = width;
            if (more) more(part);
            zavhost::setPart(e.record, part);
        });
        zavhost::attachOpening(plan(), *plan().find(guid));
        return guid;
    }

    template <class T> std::unique_ptr<T> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* typed = dynamic_cast<T*>(element.get());
        if (typed == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<T>(typed);
    }
};

void expectPoint(const CadPoint& point, double x, double y, double z) {
    EXPECT_NEAR(point.getX(), x, Near);
    EXPECT_NEAR(point.getY(), y, Near);
    EXPECT_NEAR(point.getZ(), z, Near);
}

} // namespace

TEST_F(Openings, OnAStraightWallTheSpanCoversTheWidthAboutItsPositionOnTheCentreLine) {
    const API_Guid wall = addWall({0.0, 0.0}, {10.0, 0.0}, [](HostWallElement& w) { w.baseElevation = 0.5; });
    const API_Guid guid =
        addOpening(wall, 4.0, 1.0, [](HostJoineryElement& j) { j.relativeElevation = 0.9; });
    std::unique_ptr<Window> window = read<Window>(guid);
    ASSERT_NE(window, nullptr);
    PolyEdge span;
    double thickness = 0.0;
    ASSERT_TRUE(window->getSpan(span, thickness));
    EXPECT_DOUBLE_EQ(thickness, 0.3);
    // The centre line lies half the thickness to the left of the reference line.
    expectPoint(span.getStartPoint(), 3.5, 0.15, 1.4);
    expectPoint(span.getEndPoint(), 4.5, 0.15, 1.4);
    EXPECT_NEAR(window->getAngle(), 0.0, Near);
    CadPoint reference;
    window->getReferencePoint(reference);
    expectPoint(reference, 3.5, 0.0, 1.4);
    EXPECT_DOUBLE_EQ(window->getElevation(false), 1.4);
}

TEST_F(Openings, OnACurvedWallTheSpanIsAnArcOfTheOpeningsChordUnlessTheCircleCannotHoldIt) {
    struct Case {
        const char* what;
        HostCoord2D begin, end;
        double arc;             // the wall's arc angle
        uint32_t referenceLine; // 1 centred
        double thickness;
        double width;
        bool fits;
        double radius;      // of the span's arc
        double chordRadius; // the radius its width is measured on
    };
    const double pi = std::numbers::pi;
    const Case cases[] = {
        {"half a circle of radius 10", {10.0, 0.0}, {-10.0, 0.0}, pi, 1, 0.3, 2.0, true, 10.0, 10.0},
        {"as wide as the circle", {10.0, 0.0}, {-10.0, 0.0}, pi, 1, 0.3, 20.0, true, 10.0, 10.0},
        {"wider than the circle", {10.0, 0.0}, {-10.0, 0.0}, pi, 1, 0.3, 20.5, false, 0.0, 0.0},
        {"off the centre, on the outer face", {10.0, 0.0}, {-10.0, 0.0}, pi, 0, 2.0, 2.0, true, 11.0, 12.0},
        {"clockwise, thicker than its radius", {-10.0, 0.0}, {10.0, 0.0}, -pi, 0, 30.0, 2.0, false, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const API_Guid wall = addWall(c.begin, c.end, [&](HostWallElement& w) {
            w.arcAngle = c.arc;
            w.referenceLinePosition = c.referenceLine;
            w.thickness = c.thickness;
            w.referenceOffset = c.thickness / 2.0; // the reference line is the centre line
        });
        // A quarter of the way round.
        const API_Guid guid = addOpening(wall, 10.0 * pi / 2.0, c.width);
        std::unique_ptr<Window> window = read<Window>(guid);
        ASSERT_NE(window, nullptr);
        PolyEdge span;
        double thickness = 0.0;
        ASSERT_EQ(window->getSpan(span, thickness), c.fits);
        CadPoint reference;
        window->getReferencePoint(reference);
        if (!c.fits) {
            expectPoint(reference, 0.0, 0.0, 0.0);
            EXPECT_EQ(window->getAngle(), 0.0);
            continue;
        }
        const double half = std::asin(c.width / 2.0 / c.chordRadius);
        EXPECT_NEAR(span.getArcAngle(), 2.0 * half, Near);
        const CadArc arc = span.getArc();
        EXPECT_NEAR(arc.getRadius(), c.radius, 1e-7);
        EXPECT_NEAR(arc.getStartAngle(), pi / 2.0 - half, 1e-7);
        expectPoint(arc.getCentre(), 0.0, 0.0, 0.9);
    }
}

TEST_F(Openings, AnOwnerThatIsNoWallGivesNoSpanAndTheElevationAboveTheStorey) {
    const int16_t upper = 1; // the host's first floor, at 3.0
    ASSERT_DOUBLE_EQ(host.project()->model.storeys.find(upper)->level, 3.0);
    const API_Guid slab = addHostElement(host, 8);
    const API_Guid guid = addHostElement(host, Window::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
        e.record.head.storey = upper;
        HostJoineryElement part = zavhost::partOf<HostJoineryElement>(e.record);
        part.ownerGuid = slab;
        part.wallPosition = 4.0;
        part.opening.width = 1.0;
        part.relativeElevation = 0.9;
        zavhost::setPart(e.record, part);
    });
    std::unique_ptr<Window> window = read<Window>(guid);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->getOwnerWall(), nullptr);
    EXPECT_TRUE(window->getOwnerLink().hasGuid());
    CadPoint reference(1.0, 1.0, 1.0);
    window->getReferencePoint(reference);
    expectPoint(reference, 0.0, 0.0, 0.0);
    EXPECT_EQ(window->getAngle(), 0.0);
    EXPECT_DOUBLE_EQ(window->getElevation(false), 0.9);
    EXPECT_DOUBLE_EQ(window->getElevation(true), 3.9);
}

TEST_F(Openings, AnOpeningsAbsoluteElevationStandsOnItsWallsStorey) {
    const int16_t upper = 1; // the host's first floor, at 3.0
    ASSERT_DOUBLE_EQ(host.project()->model.storeys.find(upper)->level, 3.0);
    const API_Guid wall = addWall({0.0, 0.0}, {10.0, 0.0}, [&](HostWallElement& w) {
        w.head.storey = upper;
        w.baseElevation = 0.5;
    });
    auto above = [](HostJoineryElement& j) { j.relativeElevation = 0.9; };
    std::unique_ptr<Window> window = read<Window>(addOpening(wall, 2.0, 1.0, above));
    std::unique_ptr<Door> door = read<Door>(addOpening(wall, 6.0, 0.9, above, Door::TypeCode));
    ASSERT_NE(window, nullptr);
    ASSERT_NE(door, nullptr);
    for (const Joinery* opening : std::initializer_list<const Joinery*>{window.get(), door.get()}) {
        ASSERT_NE(opening->getOwnerWall(), nullptr);
        ASSERT_NE(opening->getStorey(), nullptr);
        EXPECT_EQ(opening->getStorey()->getIndex(), 1u);
        EXPECT_DOUBLE_EQ(opening->getElevation(false), 1.4); // above the wall's storey
        EXPECT_DOUBLE_EQ(opening->getElevation(true), 4.4);  // the storey's 3.0, the wall's 0.5, its own 0.9
    }
}

TEST_F(Openings, EachQuantityIsOneFieldOfTheWindowVariant) {
    const API_Guid wall = addWall({0.0, 0.0}, {10.0, 0.0});
    const API_Guid guid = addOpening(wall, 4.0, 1.0, [](HostJoineryElement& j) { j.opening.size2 = 2.0; });
    std::unique_ptr<Window> window = read<Window>(guid);
    ASSERT_NE(window, nullptr);
    const std::pair<std::function<double()>, double> table[] = {
        {[&] { return window->getOpeningMeasure1(); }, 2.0},
        {[&] { return window->getOpeningMeasure2(); }, 0.6},
        {[&] { return window->getMeasureA(); }, 2000.0 + offsetof(HostOpeningQuantities, measure1)},
        {[&] { return window->getMeasureB(); }, 2000.0 + offsetof(HostOpeningQuantities, measure2)},
        {[&] { return window->getMeasureD(); }, 2000.0 + offsetof(HostOpeningQuantities, measure5)},
        {[&] { return window->getMeasureE(); }, 2000.0 + offsetof(HostOpeningQuantities, measure6)},
        {[&] { return window->getSurfaceArea(); }, 2000.0 + offsetof(HostOpeningQuantities, measure4)},
    };
    const size_t before = mark();
    for (const auto& [quantity, value] : table)
        EXPECT_NEAR(quantity(), value, Near);
    EXPECT_EQ(host.calls().count("=> 1 value(s)", before), std::size(table));
}

TEST_F(Openings, AWindowsRecordGoesThroughTheHostWhole) {
    const API_Guid wall = addWall({0.0, 0.0}, {10.0, 0.0});
    Window window;
    EXPECT_EQ(window.getRecord().byte76, 1);
    EXPECT_DOUBLE_EQ(window.getOpeningWidth(), 1.2); // the host's default window
    window.setOwner(Guid(wall));
    window.setWallPosition(2.5);
    window.setRelativeElevation(1.1);
    window.setOpeningWidth(1.4);
    window.setOpeningSize2(1.6);
    window.setOpeningFlag1(true);
    window.setOpeningFlag4(true);
    window.setFlagB(true);
    window.setJoineryFlag(0, true);
    window.setJoineryFlag(2, true);
    window.setJoineryValue1(0.1);
    window.setJoineryValue5(0.5);
    window.setAttributeChoice(3, nullptr);
    window.setPen(Pen(AttributeLink(7, AttrPen)), 0);
    window.setPen(Pen(AttributeLink(9, AttrPen)), 12);
    window.setPattern(Fill(AttributeLink(4, AttrFill)), 0);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(window, true, false); }));
    ASSERT_TRUE(window.isValid());

    std::unique_ptr<Window> read = this->read<Window>(window.getGuid().toAPI());
    ASSERT_NE(read, nullptr);
    const HostJoineryElement& kept = read->getJoineryRecord();
    const HostJoineryElement& given = window.getJoineryRecord();
    EXPECT_EQ(
        std::memcmp(&kept.opening, &given.opening, sizeof(HostJoineryElement) - sizeof(HostElementHead)), 0);
    EXPECT_TRUE(read->isFlagA());
    EXPECT_TRUE(read->isFlagB());
    std::unique_ptr<Pattern> fill = read->getPattern(3);
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->getIndex(), 4u);
    std::unique_ptr<Wall> owner = read->getOwnerWall();
    ASSERT_NE(owner, nullptr);
    ElementLinkList windows;
    ASSERT_EQ(owner->getWindowLinks(windows), 1u);
    EXPECT_EQ(windows[0]->getGuid(), window.getGuid());

    // A window needs a wall.
    Window loose;
    loose.setOwner(Guid(addHostElement(host, 8)));
    const size_t before = mark();
    EXPECT_FALSE(change([&] { return Host::getPlan()->saveElement(loose, true, false); }));
    EXPECT_TRUE(host.calls().contains("stands in a wall", before));
}

TEST_F(Openings, ADoorsRecordGoesThroughTheHostIntoTheWallsDoorListAndBothGoWithTheWall) {
    const API_Guid wall = addWall({0.0, 0.0}, {10.0, 0.0});
    const API_Guid window = addOpening(wall, 2.0);
    API_Element record;
    record.head.typeCode = 5;
    record.head.layer = 1;
    HostJoineryElement door = zavhost::partOf<HostJoineryElement>(record);
    door.ownerGuid = wall;
    door.wallPosition = 6.0;
    door.opening.width = 0.9;
    door.opening.libIndex = 3;
    door.joineryValues[2] = 0.25;
    zavhost::setPart(record, door);
    ASSERT_TRUE(change([&] { return ACAPCreateElement(&record, nullptr) == hosterr::Ok; }));
    API_Element back;
    back.head.guid = record.head.guid;
    ASSERT_EQ(ACAPGetElement(&back), hosterr::Ok);
    const HostJoineryElement kept = zavhost::partOf<HostJoineryElement>(back);
    EXPECT_EQ(std::memcmp(&kept.opening, &door.opening, sizeof door - sizeof door.head), 0);

    std::unique_ptr<Wall> owner = read<Wall>(wall);
    ASSERT_NE(owner, nullptr);
    ElementLinkList doors;
    ASSERT_EQ(owner->getDoorLinks(doors), 1u);
    EXPECT_EQ(doors[0]->getGuid(), Guid(record.head.guid));

    zavhost::model::deleteElement(*host.project(), wall);
    EXPECT_EQ(plan().find(window), nullptr);
    EXPECT_EQ(plan().find(record.head.guid), nullptr);
}

TEST_F(Openings, AWallsListsAreTheHostsAndNeverTakenFromAModulesMemo) {
    const API_Guid wall = addWall({0.0, 0.0}, {10.0, 0.0});
    (void)addOpening(wall, 2.0);
    const auto hasList = [&](const API_Guid& guid) {
        return plan().find(guid)->memo.blocks.count(offsetof(API_ElementMemo, windowGuids)) != 0;
    };
    API_ElementMemo memo;
    ASSERT_EQ(ACAPGetElementMemo(&wall, &memo, MemoAll), hosterr::Ok);
    ASSERT_NE(memo.windowGuids, nullptr);
    API_Element record;
    record.head.guid = wall;
    ASSERT_EQ(ACAPGetElement(&record), hosterr::Ok);
    // A copy made from the wall's memo starts without the first wall's window.
    API_Element copy = record;
    copy.head.guid = API_Guid();
    EXPECT_TRUE(change([&] { return ACAPCreateElement(&copy, &memo) == hosterr::Ok; }));
    EXPECT_FALSE(hasList(copy.head.guid));
    // A change of every part that brings no lists leaves the wall's.
    API_ElementMemo none;
    EXPECT_TRUE(
        change([&] { return ACAPChangeElement(&record, nullptr, &none, MemoAll, false) == hosterr::Ok; }));
    EXPECT_TRUE(hasList(wall));
    (void)ACAPDisposeElementMemo(&memo);
}

TEST_F(Openings, PensLinksAndAttributeChoicesFollowTheirKinds) {
    Window window;
    window.setPen(Pen(AttributeLink(5, AttrPen)), 6);
    Pen pen(AttributeLink(3, AttrPen));
    window.getPen(pen, 6);
    EXPECT_EQ(pen.getIndex(), 0u); // written as kind 11, read as no kind
    window.getPen(pen, 11);
    EXPECT_EQ(pen.getIndex(), 5u);

    for (const auto& [kind, taken] : {std::pair{0u, true}, {2u, true}, {3u, false}}) {
        window.editOpeningRecord().libIndex = 0;
        window.setComponentLink(ComponentLink(6, kind, nullptr), false, false);
        EXPECT_EQ(window.getOpeningRecord().libIndex, taken ? 6u : 0u) << kind;
        EXPECT_EQ(window.getComponentLink().getType(), 2u) << kind;
    }

    // A window made for a part keeps it over the default window's, which places none.
    EXPECT_EQ(Window(ComponentLink(6, 2, nullptr)).getOpeningRecord().libIndex, 6u);

    const Pen chosen(AttributeLink(8, AttrPen));
    for (const auto& [kind, index] : {std::pair{1u, 8u}, {2u, 0u}, {3u, 8u}}) {
        Window chooser;
        chooser.setAttributeChoice(kind, &chosen);
        uint16_t read = 0;
        EXPECT_EQ(chooser.getAttributeChoice(read), kind);
        EXPECT_EQ(read, index) << kind;
        EXPECT_EQ(chooser.getJoineryRecord().attributeIndex, index) << kind;
    }
}
