// Extrusions, sweeps and morphs: one creator per sub-kind, a save that leaves every memo part the
// host holds as it was, a profile the module sets that is never written, accessors over the record,
// quantities one field each, and a reference point from the body in 3D.
#include <gtest/gtest.h>

#include <stdexcept>

#include "construction/ConstructionFactory.h"
#include "construction/Profile.h"
#include "elements/ElementTestSupport.h"
#include "platform/host/ProfileParts.h"
#include "platform/host/RecordFields.h"
#include "project/Finish.h"
#include "project/LineStyle.h"
#include "project/Pen.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

using Contours = std::vector<std::vector<HostCoord2D>>;

const Contours squareWithHole = {{{1, 1}, {5, 1}, {5, 5}, {1, 5}}, {{2, 2}, {2, 3}, {3, 3}, {3, 2}}};

class Profiles : public HostTest {
protected:
    Profiles() { registerConstructionElementCreators(); }
    ~Profiles() override { releaseElementCreators(); }

    // A body of the host's defaults for the sub-kind, its section in the memo.
    API_Guid addBody(uint32_t subKind, const Contours& section = squareWithHole) {
        const API_Element defaults = host.project()->model.defaults.get(Profile::TypeCode, subKind).record;
        return addHostElement(host, Profile::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            setHostPolygon(e, section);
            e.record.head.variation = subKind;
            zavhost::startProfile(e.record, defaults);
        });
    }

    std::unique_ptr<Profile> read(const API_Guid& guid) {
        std::unique_ptr<Element> element = Host::getPlan()->get(ElementLink(Guid(guid), Host::getPlan()));
        auto* body = dynamic_cast<Profile*>(element.get());
        if (body == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<Profile>(body);
    }

    const zavhost::StoredElement& stored(const API_Guid& guid) {
        return *host.project()->model.views.findElement(guid);
    }
};

std::unique_ptr<CadPolygon> square(double side) {
    auto polygon = std::make_unique<CadPolygon>();
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {side, 0.0}, {side, side}, {0.0, side}})
        polygon->append(PolyPoint(CadPoint(x, y), 0.0));
    return polygon;
}

} // namespace

TEST_F(Profiles, EachCreatorMakesOnlyItsOwnSubKindAndTheFactoryPicksItFromTheRecord) {
    using Creator = std::unique_ptr<Element> (*)(const API_Element&, ElementLink&);
    const Creator creators[] = {&createExtrusion, &createSweep, &createMorph};
    for (uint32_t subKind = 0; subKind < 4; ++subKind) {
        API_Element record;
        record.head.typeCode = Profile::TypeCode;
        HostKindedElement kinded;
        kinded.head = record.head;
        kinded.subKind = subKind;
        zavhost::setPart(record, kinded);
        for (uint32_t kind = 0; kind < 3; ++kind) {
            ElementLink link;
            std::unique_ptr<Element> made = creators[kind](record, link);
            EXPECT_EQ(made != nullptr, kind == subKind) << subKind << " " << kind;
            if (made) {
                EXPECT_EQ(made->getLink().getVariation(), subKind);
            }
        }
        record.head.typeCode = 1; // a wall of the same sub-kind is none of them
        ElementLink link;
        EXPECT_EQ(creators[subKind % 3](record, link), nullptr);
    }

    EXPECT_NE(dynamic_cast<Extrusion*>(read(addBody(HostExtrusionSubKind)).get()), nullptr);
    EXPECT_NE(dynamic_cast<Sweep*>(read(addBody(HostSweepSubKind)).get()), nullptr);
    std::unique_ptr<Profile> morph = read(addBody(HostMorphSubKind));
    ASSERT_NE(dynamic_cast<Morph*>(morph.get()), nullptr);
    EXPECT_EQ(morph->getSubKind(), HostMorphSubKind);
    EXPECT_FALSE(morph->getSideFlags(0)); // the morph's defaults
    EXPECT_TRUE(Sweep().getSideFlags(0));
    EXPECT_FALSE(Sweep().getSideFlags(1));
}

TEST_F(Profiles, ABodyReadSavedAndReadAgainKeepsEveryMemoPartTheHostHeld) {
    const API_Guid guid = addBody(HostSweepSubKind);
    zavhost::StoredElement& held = *host.project()->model.views.editElement(guid);
    held.memo.blocks[offsetof(API_ElementMemo, vertexDoubles)].bytes = std::string(11 * sizeof(double), '\1');
    held.memo.blocks[offsetof(API_ElementMemo, field64)].bytes = "kept";
    held.infoText = "B-1";
    const zavhost::StoredMemo before = held.memo;

    std::unique_ptr<Profile> sweep = read(guid);
    ASSERT_NE(sweep, nullptr);
    EXPECT_FALSE(sweep->ProfileMemo::isLoaded()); // reading the host's memo reads nothing of it
    EXPECT_EQ(sweep->getProfile(), nullptr);
    sweep->setPen(Pen(AttributeLink(7, AttrPen)), 1);
    uint64_t mask = 99;
    EXPECT_NE(sweep->buildMemo(mask), nullptr);
    EXPECT_EQ(mask, 0u);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*sweep, false, true); }));

    EXPECT_EQ(zavhost::partOf<HostProfileElement>(stored(guid).record).pen, 7);
    EXPECT_EQ(stored(guid).memo, before);
    EXPECT_EQ(stored(guid).infoText, "B-1");
    std::unique_ptr<Profile> again = read(guid);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(std::memcmp(&again->getProfileRecord(), &sweep->getProfileRecord(), sizeof(HostProfileElement)),
              0);
}

TEST_F(Profiles, AnInvalidProfileBuildsNoMemoAndTheBodyIsNotSaved) {
    const API_Guid guid = addBody(HostExtrusionSubKind);
    const zavhost::StoredElement before = stored(guid);
    std::unique_ptr<Profile> body = read(guid);
    ASSERT_NE(body, nullptr);

    auto line = std::make_unique<CadPolygon>(); // two points enclose nothing
    line->append(PolyPoint(CadPoint(0, 0), 0.0));
    line->append(PolyPoint(CadPoint(1, 0), 0.0));
    body->setProfile(std::move(line));
    EXPECT_TRUE(body->ProfileMemo::isLoaded());
    uint64_t mask = 99;
    EXPECT_EQ(body->buildMemo(mask), nullptr);
    EXPECT_EQ(mask, 0u);
    body->setPen(Pen(AttributeLink(9, AttrPen)), 1);
    EXPECT_FALSE(change([&] { return Host::getPlan()->saveElement(*body, false, true); }));
    EXPECT_TRUE(stored(guid) == before);

    // A valid profile stays the module's: a copy holds its own, and nothing of it is written.
    body->copyProfile(*square(2.0));
    Extrusion copy(static_cast<Extrusion&>(*body));
    body->setProfile(square(3.0));
    EXPECT_DOUBLE_EQ(copy.getProfile()->getArea(true), 4.0);
    ElementMemoPtr memo = body->buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(mask, 0u);
    EXPECT_EQ(memo->coordinates, nullptr);
}

TEST_F(Profiles, AccessorsMapOntoTheRecordAndQuantitiesComeOneFieldEachFromTheHost) {
    const API_Guid guid = addBody(HostExtrusionSubKind);
    std::unique_ptr<Profile> body = read(guid);
    ASSERT_NE(body, nullptr);
    HostProfileElement& part = body->getProfileRecord();
    part.kind3LineType = 4;
    LineStyle style;
    body->getLineStyle(style, 3);
    EXPECT_EQ(style.getIndex(), 4u);
    body->getLineStyle(style, 2);
    EXPECT_EQ(style.getIndex(), 0u);
    body->setPen(Pen(AttributeLink(5, AttrPen)), 0);
    for (uint16_t pen :
         {part.pen, part.kind6Pen, part.kind8Pen, part.kind10Pen, part.cutFillPen, part.cutFillBackgroundPen})
        EXPECT_EQ(pen, 5);
    // The override byte comes with the finish: a plain index does not override.
    body->setFinish(Finish(AttributeLink(uint32_t{0x10006}, AttrSurface)), 6);
    body->setFinish(Finish(AttributeLink(uint32_t{8}, AttrSurface)), 7);
    EXPECT_EQ(part.finishOverrides[0], 0x10006u);
    EXPECT_EQ(part.finishOverrides[2], 8u);
    Finish finish;
    body->getFinish(finish, 1);
    EXPECT_EQ(finish.getIndex(), 6u);
    // Only the third byte says so: a finish with its fourth byte set alone does not override.
    body->setFinish(Finish(AttributeLink(uint32_t{0x1000009}, AttrSurface)), 7);
    EXPECT_EQ(part.finishOverrides[2], 9u);
    body->setSideFlag3(1, false);
    EXPECT_FALSE(body->getSideFlags(1));
    EXPECT_TRUE(body->getSideFlag2(1));
    EXPECT_THROW(body->setSideFlags(2, true), std::out_of_range);

    // A 4 x 4 section less a 1 x 1 hole, standing from 0 to 3: 15 x 3, 2 x 15, 20 x 3.
    EXPECT_DOUBLE_EQ(body->getMeasureA(), 45.0);
    EXPECT_DOUBLE_EQ(body->getSurfaceArea(), 30.0 + 45.0 + 60.0);
    EXPECT_DOUBLE_EQ(body->getMeasureI(), 3.0);
    EXPECT_DOUBLE_EQ(body->getOutlineArea(), 15.0);
    EXPECT_DOUBLE_EQ(body->getOutlineMeasure(), 20.0);
    EXPECT_EQ(body->getOutlineHoleCount(), 1u);

    // The body in 3D places it; a body the host has not made stands at the origin.
    CadPoint point;
    body->getReferencePoint(point);
    EXPECT_EQ(point, CadPoint(1, 1, 0));
    host.project()->model.model3d.extents[guid] = {2.0, 5.0, 0};
    body->releaseElement3D();
    EXPECT_DOUBLE_EQ(body->getElevation(false), 2.0);
    Extrusion fresh;
    fresh.getReferencePoint(point);
    EXPECT_EQ(point, CadPoint());
    // A flat section has a plan box but no body: still the origin, without asking the box's level.
    std::unique_ptr<Profile> flat = read(addBody(HostMorphSubKind, {{{0, 0}, {1, 0}, {2, 0}}}));
    ASSERT_NE(flat, nullptr);
    EXPECT_DOUBLE_EQ(flat->getElevation(true), 0.0);
}
