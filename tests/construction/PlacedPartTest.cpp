// Doors, skylights and lamps: the part they place, kept across a start from the host's defaults;
// the default door's memo; a skylight's owner; what they answer without the host's functions.
#include <gtest/gtest.h>

#include "Environment/HostCalls.h"
#include "Environment/HostTable.h"
#include "construction/ConstructionFactory.h"
#include "construction/Door.h"
#include "construction/Lamp.h"
#include "construction/Roof.h"
#include "construction/Skylight.h"
#include "elements/ElementTestSupport.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/RecordFields.h"
#include "project/ElementLinkList.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class PlacedParts : public HostTest {
protected:
    PlacedParts() { registerConstructionElementCreators(); }
    ~PlacedParts() override { releaseElementCreators(); }

    template <class T> std::unique_ptr<T> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* typed = dynamic_cast<T*>(element.get());
        if (typed == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<T>(typed);
    }

    // The host's default element of the type places the part.
    void defaultPlaces(uint32_t type, uint32_t index) {
        API_Element& record = host.project()->model.defaults.edit(type, 0).record;
        if (type == HostLampTypeCode) {
            HostLampElement lamp = zavhost::partOf<HostLampElement>(record);
            lamp.libIndex = index;
            zavhost::setPart(record, lamp);
        } else {
            HostJoineryElement door = zavhost::partOf<HostJoineryElement>(record);
            door.opening.libIndex = index;
            zavhost::setPart(record, door);
        }
    }
};

} // namespace

TEST_F(PlacedParts, DoorsAndLampsKeepTheirOwnPartWhenTheDefaultNamesAnother) {
    defaultPlaces(HostDoorTypeCode, 2);
    defaultPlaces(HostLampTypeCode, 2);

    Door door(ComponentLink(1, 0, nullptr));
    EXPECT_EQ(door.getOpeningRecord().libIndex, 1u);
    EXPECT_EQ(door.getRecord().byte76, 1);
    EXPECT_DOUBLE_EQ(door.getOpeningWidth(), 0.9); // the default door's
    door.setOpeningWidth(1.2);
    EXPECT_TRUE(door.resetToDefaults());
    EXPECT_EQ(door.getOpeningRecord().libIndex, 1u);
    EXPECT_DOUBLE_EQ(door.getOpeningWidth(), 0.9);

    Lamp lamp(ComponentLink(1, LibPartLamp, nullptr), 0);
    EXPECT_EQ(lamp.getPartIndex(), 1u);
    EXPECT_EQ(lamp.getRecord().byte76, 1);
    lamp.initFromPart();
    EXPECT_EQ(lamp.getPartIndex(), 1u);

    // Made from the defaults alone, they place the default's part.
    EXPECT_EQ(Door(false).getOpeningRecord().libIndex, 2u);
    EXPECT_EQ(Door(false).getComponentLink().getType(), LibPartDoor);
}

TEST_F(PlacedParts, ADoorTakesItsDefaultMemoOnlyWhenAskedAndAPartOfItsOwnKindOnly) {
    Door withMemo(true);
    Parameter* width = withMemo.find("A");
    ASSERT_NE(width, nullptr);
    Door without(false);
    EXPECT_EQ(without.find("A"), nullptr);

    for (const auto& [kind, taken] : {std::pair{0u, true}, {3u, true}, {5u, false}}) {
        Door door(false);
        door.editOpeningRecord().libIndex = 0;
        door.setComponentLink(ComponentLink(6, kind, nullptr), false, false);
        EXPECT_EQ(door.getOpeningRecord().libIndex, taken ? 6u : 0u) << kind;
        EXPECT_EQ(door.getComponentLink().getType(), LibPartDoor) << kind;
    }

    // Without the host's defaults the record is zero-filled.
    const HostFunctionTable full = hostTable();
    HostFunctionTable partial = full;
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "GetDefaultElement"));
    installHostTable(&partial);
    Door bare(true);
    installHostTable(&full);
    EXPECT_EQ(bare.getOpeningWidth(), 0.0);
    EXPECT_EQ(bare.getOpeningRecord().libIndex, 0u);
}

TEST_F(PlacedParts, ASkylightsOwnerIsTheRoofThatHoldsItAndNoneForASlab) {
    const API_Guid roof = addHostElement(host, 9);
    const API_Guid slab = addHostElement(host, 8);
    API_Element record;
    record.head.typeCode = Skylight::TypeCode;
    record.head.layer = 1;
    HostSkylightElement part = zavhost::partOf<HostSkylightElement>(record);
    part.opening.width = 0.7;
    part.opening.libIndex = 4;
    part.settings[2] = 9;
    part.anchor = {1.0, 2.0, 3.0};
    part.values[1] = 0.25;

    // The host keeps a skylight only in a roof or shell.
    part.ownerGuid = slab;
    zavhost::setPart(record, part);
    EXPECT_FALSE(change([&] { return ACAPCreateElement(&record, nullptr) == hosterr::Ok; }));
    part.ownerGuid = roof;
    zavhost::setPart(record, part);
    ASSERT_TRUE(change([&] { return ACAPCreateElement(&record, nullptr) == hosterr::Ok; }));
    std::unique_ptr<Skylight> skylight = read<Skylight>(record.head.guid);
    ASSERT_NE(skylight, nullptr);
    EXPECT_EQ(
        std::memcmp(&skylight->getSkylightRecord().opening, &part.opening, sizeof part - sizeof part.head),
        0);
    EXPECT_EQ(skylight->getComponentLink().getIndex(), 4u);
    EXPECT_EQ(skylight->getComponentLink().getType(), LibPartSkylight);
    std::unique_ptr<Shelter> owner = skylight->getOwnerShelter();
    ASSERT_NE(owner, nullptr);
    EXPECT_NE(dynamic_cast<Roof*>(owner.get()), nullptr);
    ElementLinkList skylights;
    ASSERT_TRUE(owner->getSkylights(skylights));
    ASSERT_EQ(skylights.size(), 1u);
    EXPECT_EQ(skylights[0]->getGuid(), skylight->getGuid());

    // One the host was handed with a slab for its owner has none.
    const API_Guid onSlab = addHostElement(host, Skylight::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
        HostSkylightElement misplaced = zavhost::partOf<HostSkylightElement>(e.record);
        misplaced.ownerGuid = slab;
        zavhost::setPart(e.record, misplaced);
    });
    std::unique_ptr<Skylight> loose = read<Skylight>(onSlab);
    ASSERT_NE(loose, nullptr);
    EXPECT_TRUE(loose->getOwnerLink().hasGuid());
    EXPECT_EQ(loose->getOwnerShelter(), nullptr);
    skylight->setOwner(ElementLink());
    EXPECT_EQ(skylight->getOwnerShelter(), nullptr);

    // Without the host's relation call the roof cannot say.
    const HostFunctionTable full = hostTable();
    HostFunctionTable partial = full;
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "GetRelatedElements"));
    installHostTable(&partial);
    ElementLinkList none;
    EXPECT_FALSE(owner->getSkylights(none));
    installHostTable(&full);
    EXPECT_TRUE(none.empty());
}

TEST_F(PlacedParts, SkylightQuantitiesAreOneFieldEach) {
    const API_Guid roof = addHostElement(host, 9);
    const API_Guid guid = addHostElement(host, Skylight::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
        HostSkylightElement part = zavhost::partOf<HostSkylightElement>(e.record);
        part.ownerGuid = roof;
        zavhost::setPart(e.record, part);
    });
    std::unique_ptr<Skylight> skylight = read<Skylight>(guid);
    ASSERT_NE(skylight, nullptr);
    const double base = HostSkylightTypeCode * 1000.0;
    const std::pair<std::function<double()>, double> table[] = {
        {[&] { return skylight->getOpeningMeasure1(); },
         base + offsetof(HostOpeningQuantities, openingMeasure1)},
        {[&] { return skylight->getOpeningMeasure2(); },
         base + offsetof(HostOpeningQuantities, openingMeasure2)},
        {[&] { return skylight->getMeasureA(); }, base + offsetof(HostOpeningQuantities, measure1)},
        {[&] { return skylight->getMeasureB(); }, base + offsetof(HostOpeningQuantities, measure1)},
        {[&] { return skylight->getMeasureD(); }, base + offsetof(HostOpeningQuantities, measure5)},
    };
    const size_t before = mark();
    for (size_t i = 0; i < std::size(table); ++i)
        EXPECT_NEAR(table[i].first(), table[i].second, 1e-9) << i;
    EXPECT_EQ(host.calls().count("=> 1 value(s)", before), std::size(table));
}
