// Zones: names and numbers cut to their fields, top storeys, elevations, the stamp a zone keeps
// when it is read and saved, and a memo that is not built when the stamp's part fails.
#include <gtest/gtest.h>

#include "construction/ConstructionFactory.h"
#include "construction/ZoneElement.h"
#include "elements/ElementTestSupport.h"
#include "library/ParameterKinds.h"
#include "platform/host/LibraryManager.h"
#include "platform/host/RecordFields.h"
#include "platform/host/ZoneParts.h"
#include "project/Storey.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class Zones : public HostTest {
protected:
    Zones() { registerConstructionElementCreators(); }
    ~Zones() override { releaseElementCreators(); }

    // A zone of the host's defaults over a 4 x 3 rectangle on the storey, changed by `more`.
    API_Guid addZone(int16_t storey = 0, const std::function<void(HostZoneElement&)>& more = nullptr) {
        const zavhost::DefaultElement defaults = host.project()->model.defaults.get(ZoneElement::TypeCode, 0);
        return addHostElement(host, ZoneElement::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            e.record.head.storey = storey;
            setHostPolygon(e, {{{0.0, 0.0}, {4.0, 0.0}, {4.0, 3.0}, {0.0, 3.0}}});
            zavhost::startZone(*host.project(), e, defaults);
            HostZoneElement part = zavhost::partOf<HostZoneElement>(e.record);
            if (more) more(part);
            zavhost::setPart(e.record, part);
        });
    }

    std::unique_ptr<ZoneElement> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* zone = dynamic_cast<ZoneElement*>(element.get());
        if (zone == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<ZoneElement>(zone);
    }

    HostZoneElement stored(const API_Guid& guid) {
        return zavhost::partOf<HostZoneElement>(host.project()->model.views.findElement(guid)->record);
    }

    uint32_t addStampPart(const std::string& name) {
        zavhost::LibraryPart part;
        part.type = LibPartZone;
        part.name = name;
        part.fileName = name + ".gsm";
        return host.project()->library.add(part);
    }
};

// A parameter whose host record cannot be made.
class Unwritable : public RealParameter {
public:
    using RealParameter::RealParameter;
    bool writeHostValue(HostAdditionalParameter&) const override { return false; }
};

// A zone that counts the outlines it was asked to write.
class CountingZone : public ZoneElement {
public:
    using ZoneElement::ZoneElement;
    bool canWrite(const PolygonCounts& header, MemoStore& store) override {
        ++outlinesWritten;
        return ZoneElement::canWrite(header, store);
    }
    int outlinesWritten = 0;
};

} // namespace

TEST_F(Zones, NamesAndNumbersKeepRoomForTheTerminatorAndNeverSplitACharacter) {
    const std::u16string pair = u"\U0001F600";
    struct Case {
        const char* what;
        bool name;
        std::u16string given;
        std::u16string kept;
    };
    const Case cases[] = {
        {"a 300-character name", true, std::u16string(300, u'n'), std::u16string(255, u'n')},
        {"a pair at the name's cut", true, std::u16string(254, u'n') + pair, std::u16string(254, u'n')},
        {"a pair just inside", true, std::u16string(253, u'n') + pair + u"x",
         std::u16string(253, u'n') + pair},
        {"a 40-character number", false, std::u16string(40, u'7'), std::u16string(31, u'7')},
        {"a pair at the number's cut", false, std::u16string(30, u'7') + pair, std::u16string(30, u'7')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const API_Guid guid = addZone();
        std::unique_ptr<ZoneElement> zone = read(guid);
        ASSERT_NE(zone, nullptr);
        const String given(c.given.c_str());
        c.name ? zone->setZoneName(given) : zone->setZoneNumber(given);
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*zone, false, false); }));
        std::unique_ptr<ZoneElement> back = read(guid);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ((c.name ? back->getZoneName() : back->getZoneNumber()).toUtf16(), c.kept);
    }

    // A field the host filled to its end reads no further, into the next field.
    const API_Guid full = addZone(0, [](HostZoneElement& z) {
        std::fill(std::begin(z.name), std::end(z.name), u'f');
        std::fill(std::begin(z.number), std::end(z.number), u'9');
    });
    std::unique_ptr<ZoneElement> zone = read(full);
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(zone->getZoneName().toUtf16(), std::u16string(256, u'f'));
    EXPECT_EQ(zone->getZoneNumber().toUtf16(), std::u16string(32, u'9'));
}

TEST_F(Zones, TheTopStoreyIsOnlyEverAboveTheHomeStorey) {
    std::string why;
    ASSERT_TRUE(host.project()->model.storeys.add("Second", 6.0, &why)) << why;
    ASSERT_TRUE(host.project()->model.storeys.add("Third", 9.0, &why)) << why;
    ASSERT_TRUE(host.project()->model.storeys.add("Basement", -3.0, &why)) << why;
    std::unique_ptr<ZoneElement> zone = read(addZone(1));
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(zone->getTopStorey(), nullptr);
    Plan* plan = Host::getPlan();
    struct Case {
        int16_t storey;
        int16_t offset;
    };
    for (const Case& c : {Case{3, 2}, Case{-1, 0}, Case{1, 0}, Case{2, 1}}) {
        SCOPED_TRACE(c.storey);
        Storey* top = plan->getStorey(static_cast<uint16_t>(c.storey));
        ASSERT_NE(top, nullptr);
        zone->setTopStorey(*top);
        EXPECT_EQ(zone->getZoneRecord().topStoreyOffset, c.offset);
        Storey* answer = zone->getTopStorey();
        if (c.offset == 0) {
            EXPECT_EQ(answer, nullptr);
        } else {
            ASSERT_NE(answer, nullptr);
            EXPECT_EQ(answer->getIndex(), top->getIndex());
        }
    }
}

TEST_F(Zones, TheElevationIsStoredRelativeToTheHomeStoreyWhenGivenAbsolute) {
    std::unique_ptr<ZoneElement> zone = read(addZone(1)); // the first floor, at 3
    ASSERT_NE(zone, nullptr);
    zone->setElevation(5.0, true);
    EXPECT_DOUBLE_EQ(zone->getZoneRecord().elevation, 2.0);
    EXPECT_DOUBLE_EQ(zone->getElevation(true), 5.0);
    zone->setElevation(5.0, false);
    EXPECT_DOUBLE_EQ(zone->getZoneRecord().elevation, 5.0);
    CadPoint reference;
    zone->getReferencePoint(reference);
    EXPECT_DOUBLE_EQ(reference.getZ(), 8.0);
    EXPECT_DOUBLE_EQ(reference.getX(), zone->getOutline()->getVertex(0).getX());
}

TEST_F(Zones, AStampOtherThanTheCategorysSurvivesAReadAndASave) {
    const uint32_t office = addStampPart("Office Stamp");
    const uint32_t chosen = addStampPart("Chosen Stamp");
    API_Attribute category;
    category.header.typeCode = AttrZoneCategory;
    std::snprintf(category.header.name, sizeof category.header.name, "%s", "Office");
    const std::u16string stampName = u"Office Stamp";
    std::copy(stampName.begin(), stampName.end(), category.zoneCategory.stampName);
    ASSERT_EQ(host.project()->model.attributes.create(&category, nullptr), hosterr::Ok);
    const auto index = static_cast<uint16_t>(category.header.index);

    // The category's stamp, found by name, for a zone placed without one of its own.
    const API_Guid placed = addZone(0, [&](HostZoneElement& z) { z.category = index; });
    EXPECT_EQ(stored(placed).stampIndex, 0u); // set before its category
    std::unique_ptr<ZoneElement> plain = read(placed);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->getStampIndex(), office);
    EXPECT_EQ(plain->getComponentLink().getIndex(), office);
    EXPECT_EQ(plain->getComponentLink().getType(), LibPartZone);

    const API_Guid guid = addZone(0, [&](HostZoneElement& z) {
        z.category = index;
        z.stampIndex = chosen;
    });
    std::unique_ptr<ZoneElement> zone = read(guid);
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(zone->getStampIndex(), chosen);
    EXPECT_EQ(zone->getComponentLink().getIndex(), chosen);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*zone, false, true); }));
    EXPECT_EQ(stored(guid).stampIndex, chosen);
    EXPECT_EQ(stored(guid).category, index);

    // Choosing the category again takes its stamp.
    zone->setZoneCategory(ZoneCategory(static_cast<uint32_t>(index)));
    EXPECT_EQ(zone->getStampIndex(), office);

    // New zones keep the stamp they are made for over the host's defaults.
    const ZoneElement made(ComponentLink(chosen, LibPartZone, nullptr));
    EXPECT_EQ(made.getStampIndex(), chosen);
    const ZoneElement ofCategory{ZoneCategory(static_cast<uint32_t>(index))};
    EXPECT_EQ(ofCategory.getStampIndex(), office);
    EXPECT_EQ(ofCategory.getZoneRecord().category, index);
}

TEST_F(Zones, TheOutlineIsWrittenOnlyAfterTheStampsPartsAndTheMaskSaysWhatWasWritten) {
    Element::MemoLoadSwitch loading(false);
    const API_Guid guid = addZone();
    {
        std::unique_ptr<Element> element = Host::getPlan()->get(ElementLink(Guid(guid), Host::getPlan()));
        ASSERT_NE(dynamic_cast<ZoneElement*>(element.get()), nullptr);
    }
    const API_Element record = host.project()->model.views.findElement(guid)->record;
    CountingZone zone(record, ElementLink(Guid(guid), Host::getPlan()));
    uint64_t mask = 0;
    ElementMemoPtr memo = zone.buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(mask, MemoPolygon | MemoParameters); // the default stamp parameters, no gables
    EXPECT_EQ(zone.outlinesWritten, 1);
    memo.reset();

    zone.getParameterList().append(std::make_unique<Unwritable>(String("Broken"), String(), 0, 1));
    mask = 0xFF;
    EXPECT_EQ(zone.buildMemo(mask), nullptr);
    EXPECT_EQ(mask, 0u);
    EXPECT_EQ(zone.outlinesWritten, 1);
}

TEST_F(Zones, TheHostRefusesAZoneWhoseCountsDoNotDescribeItsOutline) {
    std::unique_ptr<ZoneElement> zone = read(addZone());
    ASSERT_NE(zone, nullptr);
    ASSERT_NE(zone->getOutline(), nullptr);
    auto copy = std::make_unique<ZoneElement>(*zone);
    copy->clearGuid();
    const size_t before = mark();
    EXPECT_TRUE(change([&] { return Host::getPlan()->saveElement(*copy, true, true); }))
        << host.calls().texts(before);

    // A zone without an outline is not written, and the host refuses one without it.
    ZoneElement empty(true);
    EXPECT_FALSE(change([&] { return Host::getPlan()->saveElement(empty, true, true); }));
    const size_t from = mark();
    EXPECT_FALSE(change([&] { return Host::getPlan()->saveElement(empty, true, false); }));
    EXPECT_TRUE(host.calls().contains("a zone needs an outline", from)) << host.calls().texts(from);
}

TEST_F(Zones, EachQuantityIsOneFieldOfTheZonesVariantTheTwoCountsWholeNumbers) {
    const API_Guid guid =
        addHostElement(host, ZoneElement::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            setHostPolygon(e, {{{0.0, 0.0}, {4.0, 0.0}, {4.0, 3.0}, {0.0, 3.0}},
                               {{1.0, 1.0}, {2.0, 1.0}, {2.0, 2.0}, {1.0, 2.0}}});
            zavhost::startZone(*host.project(), e,
                               host.project()->model.defaults.get(ZoneElement::TypeCode, 0));
        });
    std::unique_ptr<ZoneElement> zone = read(guid);
    ASSERT_NE(zone, nullptr);
    const size_t before = mark();
    const std::pair<double, double> table[] = {
        {zone->getMeasureA(), 11.0},
        {zone->getMeasureJ(), 18.0},
        {zone->getZoneMeasure1(), 33.0},
        {static_cast<double>(zone->getZoneMeasure3()), 1.0},
        {static_cast<double>(zone->getZoneMeasure4()), 10.0},
        {zone->getZoneMeasure2(), 1000.0 + offsetof(HostZoneQuantities, zoneMeasure2)},
        {zone->getMeasureD(), 1000.0 + offsetof(HostZoneQuantities, measure5)},
        {zone->getZoneMeasure10(), 1.0},
        {zone->getZoneMeasure19(), 1000.0 + offsetof(HostZoneQuantities, zoneMeasure19)},
    };
    for (size_t i = 0; i < std::size(table); ++i)
        EXPECT_NEAR(table[i].first, table[i].second, 1e-9) << i;
    EXPECT_EQ(host.calls().count("=> 1 value(s)", before), std::size(table));
    EXPECT_EQ(zone->getOutlineHoleCount(), 1u);
    EXPECT_DOUBLE_EQ(zone->getMeasureH(), 1.0);

    // Pens of kinds 0 and 1 are one; 2, 6 and 8 their own; 5 none.
    zone->setPen(Pen(AttributeLink(3, AttrPen)), 0);
    zone->setPen(Pen(AttributeLink(4, AttrPen)), 2);
    zone->setPen(Pen(AttributeLink(5, AttrPen)), 1);
    const std::pair<uint32_t, uint32_t> pens[] = {{0, 5}, {1, 5}, {2, 4}, {6, 3}, {8, 3}, {5, 0}};
    for (const auto& [kind, index] : pens) {
        Pen pen;
        zone->getPen(pen, kind);
        EXPECT_EQ(pen.getIndex(), index) << kind;
    }
}
