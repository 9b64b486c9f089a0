// Attribute links, the attribute base and the attribute database through the stand-in host:
// binding, names, user data, the factory, store and delete, and walks over tables with holes.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "Environment/HostTable.h"
#include "ProjectTestSupport.h"
#include "platform/gsroot/Memory.h"
#include "project/AttrRefList.h"
#include "project/City.h"
#include "project/Colour.h"
#include "project/Composite.h"
#include "project/Fill.h"
#include "project/Font.h"
#include "project/Layer.h"
#include "project/LayerCombination.h"
#include "project/LineStyle.h"
#include "project/Pen.h"
#include "project/Specification.h"
#include "project/ZoneCategory.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using projecttest::addAttribute;
using projecttest::callsWith;
using projecttest::change;
using projecttest::hostProject;

namespace {

using Key = std::pair<uint32_t, int16_t>; // type, index

std::vector<Key> liveAttributes(zavhost::StandInHost& host) {
    std::vector<Key> keys;
    for (uint32_t type = AttrPen; type <= AttrLastType; ++type)
        for (const auto& [index, stored] : hostProject(host).model.attributes.table(type))
            keys.emplace_back(type, index);
    return keys;
}

template <class List> void append(List& list, std::initializer_list<AttributeLink> links) {
    for (const AttributeLink& link : links)
        list.push_back(std::make_unique<AttributeLink>(link));
}

template <class Walk> std::vector<Key> visited(Walk walk) {
    std::vector<Key> keys;
    for (; !walk.atEnd(); ++walk)
        keys.emplace_back(walk->getLink().getType(), walk->getLink().getIndex16());
    return keys;
}

// A composite wrapper for the tests, registered as a preferred creator.
class TestComposite : public RecordAttribute<TestComposite, HostComposite, AttrComposite> {
public:
    TestComposite(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}
};

class MarkedPen : public Pen {
public:
    MarkedPen(const API_Attribute& record, const AttributeLink& link) : Pen(record, link) {}
    static std::unique_ptr<Attribute> make(const API_Attribute& record, const AttributeLink& link) {
        if (record.header.typeCode != AttrPen) return nullptr;
        return std::make_unique<MarkedPen>(record, link);
    }
    std::unique_ptr<Attribute> clone() const override { return std::make_unique<MarkedPen>(*this); }
};

std::unique_ptr<Attribute> declineAll(const API_Attribute&, const AttributeLink&) {
    return nullptr;
}

// Forgets the preferred creators whatever the test's end.
struct CreatorsRegistered {
    ~CreatorsRegistered() { Specification::clearAttributeCreators(); }
};

// Records the index arrays of the host's delete-many call, then forwards it.
std::vector<std::pair<uint32_t, std::vector<int16_t>>> deletedGroups;
GSErrCode (*originalDeleteAttributes)(HostAttributeHeader*, GSHandle) = nullptr;
GSErrCode recordingDeleteAttributes(HostAttributeHeader* header, GSHandle indices) {
    std::vector<int16_t> list(static_cast<size_t>(BMHandleSize(indices)) / sizeof(int16_t));
    if (!list.empty()) std::memcpy(list.data(), *indices, list.size() * sizeof(int16_t));
    deletedGroups.emplace_back(header->typeCode, list);
    return originalDeleteAttributes(header, indices);
}

using AttributeLinks = projecttest::HostTest;
using Attributes = projecttest::HostTest;
struct Specifications : projecttest::HostTest {
    Specification* spec = Host::getSpecification();
};

} // namespace

TEST_F(AttributeLinks, BindsToTheCurrentDatabaseOnlyForANonZeroIndex) {
    size_t before = mark();
    AttributeLink none(0u, AttrLayer);
    EXPECT_EQ(none.getDatabase(), nullptr);
    EXPECT_EQ(mark(), before); // no project lookup
    EXPECT_FALSE(none.isValid());

    AttributeLink walls(2, AttrLayer);
    EXPECT_EQ(walls.getDatabase(), Host::getSpecification());
    EXPECT_TRUE(walls.isValid());
    AttributeLink negative(int16_t(-3), AttrComposite);
    EXPECT_EQ(std::pair(negative.getIndex(), negative.getIndex16()), std::pair(0xFFFDu, int16_t(-3)));

    AttributeLink byName(String("Walls"), AttrLayer);
    EXPECT_EQ(byName.getIndex(), 2u);
    EXPECT_TRUE(byName == walls);
    AttributeLink unknown(String("Nobody"), AttrLayer);
    EXPECT_EQ(unknown.getIndex(), 0u);
    EXPECT_EQ(unknown.getDatabase(), nullptr);

    HostAttributeHeader header;
    walls.makeHeader(header);
    EXPECT_EQ(std::pair(header.typeCode, header.index), std::pair(uint32_t(AttrLayer), int16_t(2)));
    EXPECT_EQ(AttributeLink::fromHeader(header).getDatabase(), nullptr);
    EXPECT_EQ(AttributeLink(header, nullptr).getDatabase(), Host::getSpecification());
}

TEST(Attribute, NamesAreCutAtACharacterBoundaryBeforeTheTerminator) {
    Layer layer;
    layer.setName(String(300, U'x'));
    EXPECT_EQ(layer.getName().getLength(), 255u);
    layer.setName(String(200, U'\u00e9')); // two bytes each
    EXPECT_EQ(layer.getName(), String(127, U'\u00e9'));
    EXPECT_EQ(layer.getRecord().name[254], '\0');

    HostAttributeHeader header;
    AttributeLink::copyName(String(100, U'\u20ac'), header); // three bytes each
    EXPECT_EQ(String(header.name, sizeof header.name), String(85, U'\u20ac'));
}

TEST_F(Attributes, UserDataIsAnEmptyBlockWhenAbsentAndNullOnFailure) {
    hostProject(host).model.attributes.edit(AttrLayer, 2)->userData =
        zavhost::StoredUserData{3, 0x4D4D, 12, "from the other side"};
    Layer walls(AttributeLink(2, AttrLayer));
    uint32_t version = 0, platform = 0;
    std::unique_ptr<MemoryBlock> data = walls.getUserData(&version, &platform);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(data->getData(), data->getSize()), "from the other side");
    EXPECT_EQ(std::pair(version, platform), std::pair(3u, 1u));

    Layer annotation(AttributeLink(3, AttrLayer));
    data = annotation.getUserData(&version, &platform);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->getSize(), 0);
    EXPECT_EQ(platform, 2u);

    ASSERT_TRUE(annotation.exists()); // the record is cached; then the host loses the layer
    hostProject(host).model.attributes.remove(AttrLayer, 3);
    EXPECT_EQ(annotation.getUserData(&version, &platform), nullptr);
    EXPECT_EQ(std::pair(version, platform), std::pair(0u, 0u));

    size_t before = mark();
    Layer fresh;
    EXPECT_EQ(fresh.getUserData(&version, &platform), nullptr); // does not exist: no host call
    EXPECT_EQ(mark(), before);
}

TEST_F(Specifications, WrapsEachTypeInItsClassAndFindStopsAtTheEndOfAFixedType) {
    addAttribute(host, AttrZoneCategory, "Kitchen");
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->getTypeName(), "Specification");
    auto get = [&](uint8_t type, int index) { return spec->get(AttributeLink(index, type)); };
    EXPECT_NE(dynamic_cast<Pen*>(get(AttrPen, 2).get()), nullptr);
    EXPECT_NE(dynamic_cast<Layer*>(get(AttrLayer, 2).get()), nullptr);
    EXPECT_NE(dynamic_cast<LineStyle*>(get(AttrLineType, 1).get()), nullptr);
    EXPECT_NE(dynamic_cast<Fill*>(get(AttrFill, 1).get()), nullptr);
    EXPECT_NE(dynamic_cast<Font*>(get(AttrFont, 1).get()), nullptr);
    EXPECT_NE(dynamic_cast<City*>(get(AttrCity, 1).get()), nullptr);
    EXPECT_NE(dynamic_cast<LayerCombination*>(get(AttrLayerCombination, 1).get()), nullptr);
    EXPECT_NE(dynamic_cast<ZoneCategory*>(get(AttrZoneCategory, 1).get()), nullptr);
    for (const auto& [type, index] : {Key{AttrPen, 99}, Key{AttrNone, 1}, Key{AttrPen, 0}, Key{AttrPen, -2}})
        EXPECT_EQ(get(uint8_t(type), index), nullptr) << type << "/" << index;

    std::unique_ptr<Attribute> pen = get(AttrPen, 2);
    EXPECT_EQ(pen->getLink().getDatabase(), spec);
    EXPECT_EQ(pen->getName(), "Pen 2");
    EXPECT_TRUE(pen->exists());

    Specification::Filter layersOnly(AttrLayer);
    EXPECT_EQ(spec->make(AttributeLink(2, AttrPen), &layersOnly), nullptr);
    struct Refusing : Specification::Filter {
        bool accepts(const Attribute&) const override { return false; }
    } refusing;
    EXPECT_EQ(spec->make(AttributeLink(2, AttrPen), &refusing), nullptr);

    // Find reuses the filter's cached count and stops at the end of a fixed type.
    Specification::Filter cached(AttrPen, true);
    AttributeLink position(0u, AttrPen, spec);
    size_t before = mark();
    int found = 0;
    while (spec->find(position, true, cached))
        ++found;
    EXPECT_EQ(found, 8);
    EXPECT_EQ(cached.getCachedCount(), 8);
    EXPECT_EQ(callsWith(host, "GetAttributeCount", before), 1u);

    Specification::Filter anyType;
    AttributeLink lastPen(8, AttrPen, spec);
    std::unique_ptr<Attribute> next = spec->find(lastPen, true, anyType);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->getLink().getType(), uint8_t(AttrLayer)); // crossed into the next type
    EXPECT_EQ(lastPen.getIndex(), 1u);
    AttributeLink firstPen(1, AttrPen, spec);
    EXPECT_EQ(spec->find(firstPen, false, anyType), nullptr); // nothing before the first type
}

TEST_F(Specifications, PreferredCreatorsComeFirstAndCompositesAreFetchedByTheirHostIndex) {
    CreatorsRegistered cleanup;
    for (const char* name : {"C1", "C2"}) // 2 and 3, after the project's own
        addAttribute(host, AttrComposite, name);
    EXPECT_NE(dynamic_cast<Composite*>(spec->get(AttributeLink(-3, AttrComposite)).get()), nullptr);

    Specification::registerAttributeCreator(AttrComposite, &TestComposite::create);
    Specification::registerAttributeCreator(AttrPen, &declineAll);
    Specification::registerAttributeCreator(AttrPen, &MarkedPen::make);
    std::unique_ptr<Attribute> composite = spec->get(AttributeLink(-3, AttrComposite));
    ASSERT_NE(dynamic_cast<TestComposite*>(composite.get()), nullptr);
    EXPECT_EQ(composite->getName(), "C2");
    EXPECT_NE(dynamic_cast<MarkedPen*>(spec->get(AttributeLink(1, AttrPen)).get()), nullptr);
    EXPECT_NE(dynamic_cast<Layer*>(spec->get(AttributeLink(1, AttrLayer)).get()), nullptr);

    Specification::clearAttributeCreators();
    std::unique_ptr<Attribute> plain = spec->get(AttributeLink(1, AttrPen));
    EXPECT_EQ(dynamic_cast<MarkedPen*>(plain.get()), nullptr);
    EXPECT_NE(dynamic_cast<Pen*>(plain.get()), nullptr);
}

TEST_F(Specifications, StoreCreatesOrModifiesAndRelinksTheWrapper) {
    Layer fresh(String("Roof"));
    EXPECT_FALSE(fresh.exists());
    EXPECT_EQ(fresh.getName(), "Roof");
    EXPECT_FALSE(spec->store(fresh)); // the host refuses outside an undo step
    EXPECT_FALSE(fresh.exists());

    fresh.setLocked(true);
    fresh.setConnectionClass(7);
    size_t before = mark();
    ASSERT_TRUE(change([&] { return spec->store(fresh); }));
    EXPECT_EQ(callsWith(host, "CreateAttribute", before), 1u);
    EXPECT_TRUE(fresh.exists());
    EXPECT_EQ(fresh.getLink().getDatabase(), spec);
    int16_t index = fresh.getIndex16();
    EXPECT_EQ(fresh.getRecord().index, index);
    const zavhost::StoredAttribute* stored = hostProject(host).model.attributes.find(AttrLayer, index);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(std::tuple(stored->name(), stored->record.layer.connectionClass, stored->header().flags),
              std::tuple(std::string("Roof"), 7u, uint16_t(LayerLocked)));

    Layer again(AttributeLink(index, AttrLayer));
    again.setName(String("Roof Tiles"));
    before = mark();
    ASSERT_TRUE(change([&] { return spec->store(again); }));
    EXPECT_EQ(callsWith(host, "ModifyAttribute", before), 1u);
    EXPECT_EQ(hostProject(host).model.attributes.find(AttrLayer, index)->name(), "Roof Tiles");

    // A wrapper from another attribute database is created anew here.
    Specification other(nullptr, 1);
    Layer foreign(AttributeLink(index, AttrLayer, &other));
    foreign.setName(String("Imported"));
    ASSERT_TRUE(change([&] { return spec->store(foreign); }));
    EXPECT_NE(foreign.getIndex16(), index);
    EXPECT_EQ(foreign.getLink().getDatabase(), spec);

    ASSERT_TRUE(change([&] { return spec->remove(AttributeLink(index, AttrLayer)); }));
    EXPECT_EQ(hostProject(host).model.attributes.find(AttrLayer, index), nullptr);
    EXPECT_FALSE(change([&] { return spec->remove(AttributeLink(index, AttrLayer)); }));
}

TEST_F(Specifications, RemoveAllDeletesTypeByTypeLastToFirst) {
    HostFunctionTable table = tarnwick::hostTable();
    originalDeleteAttributes = table.DeleteAttributes;
    table.DeleteAttributes = &recordingDeleteAttributes;
    tarnwick::installHostTable(&table);
    deletedGroups.clear();

    AttrRefList links;
    append(links, {{4, AttrPen}, {3, AttrLayer}, {6, AttrPen}, {2, AttrLayer}, {5, AttrPen}});
    ASSERT_TRUE(change([&] { return Host::getSpecification()->removeAll(links); }));
    EXPECT_EQ(deletedGroups, (decltype(deletedGroups){{AttrPen, {5, 6, 4}}, {AttrLayer, {2, 3}}}));
    EXPECT_EQ(hostProject(host).model.attributes.find(AttrPen, 5), nullptr);
    EXPECT_EQ(links.size(), 5u); // the caller's list is left alone

    AttrRefList missing;
    append(missing, {{40, AttrFill}, {7, AttrPen}});
    EXPECT_FALSE(change([&] { return Host::getSpecification()->removeAll(missing); }));
}

TEST_F(Specifications, WalksVisitEveryAttributeOnceAcrossHolesAndTypes) {
    zavhost::AttributeStore& attributes = hostProject(host).model.attributes;
    attributes.remove(AttrPen, 3);
    attributes.remove(AttrPen, 5);
    attributes.remove(AttrLayer, 2);
    addAttribute(host, AttrZoneCategory, "Bath");
    ASSERT_EQ(attributes.count(AttrPen), 8); // the highest index, holes below it

    std::vector<Key> all = liveAttributes(host);
    EXPECT_EQ(visited(spec->begin(Specification::Filter(), false)), all);
    std::vector<Key> backwards(all.rbegin(), all.rend());
    EXPECT_EQ(visited(spec->rbegin(Specification::Filter(), false)), backwards);
    EXPECT_EQ(visited(spec->cbegin()), all);

    std::vector<Key> pens = {{1, 1}, {1, 2}, {1, 4}, {1, 6}, {1, 7}, {1, 8}};
    EXPECT_EQ(visited(spec->begin(Specification::Filter(AttrPen), false)), pens);
    size_t before = mark();
    std::vector<Key> pensBack(pens.rbegin(), pens.rend());
    EXPECT_EQ(visited(spec->rbegin(Specification::Filter(AttrPen), false)), pensBack);
    // The reverse walk starts at the type's own last index: no reads beyond it.
    EXPECT_EQ(callsWith(host, "GetAttribute (pen", before), 8u);

    EXPECT_EQ(spec->getCount(AttrPen), 8u);
    uint32_t sum = 0;
    for (uint8_t type = AttrPen; type <= AttrLastType; ++type)
        sum += attributes.count(type);
    EXPECT_EQ(spec->getCount(AttrNone), sum);
}

TEST_F(Specifications, IteratorsWriteBackOnlyWhenAskedCopiesOwnTheirItemsAndLinkListsSkipWhatGivesNothing) {
    size_t before = mark();
    for (auto walk = spec->begin(Specification::Filter(AttrLayer), false); !walk.atEnd(); ++walk)
        walk->setName(walk->getName() + " (read)");
    EXPECT_EQ(callsWith(host, "ModifyAttribute", before), 0u);

    ASSERT_TRUE(change([&] {
        for (auto walk = spec->begin(Specification::Filter(AttrLayer), true); !walk.atEnd(); ++walk)
            walk->setFlags(static_cast<uint16_t>(walk->getFlags() | LayerFlag0010));
        return true;
    }));
    for (const auto& [index, stored] : hostProject(host).model.attributes.table(AttrLayer))
        EXPECT_TRUE(stored.header().flags & LayerFlag0010) << index;

    auto walk = spec->begin(Specification::Filter(AttrPen), false);
    Attribute* kept = walk.get();
    walk.advance(false); // the caller now owns the first pen
    std::unique_ptr<Attribute> owned(kept);
    EXPECT_EQ(owned->getIndex(), 1u);
    auto copy = walk;
    EXPECT_TRUE(copy == walk);
    EXPECT_NE(copy.get(), walk.get());
    ++copy;
    EXPECT_EQ(walk->getIndex(), 2u);
    EXPECT_EQ(copy->getIndex(), 3u);

    auto end = Specification::end();
    EXPECT_THROW((void)*end, std::out_of_range);
    EXPECT_THROW(end.advance(true), std::out_of_range);

    // Over a link list: a link to none such (50) and one naming nothing (0u) give nothing.
    auto links = std::make_shared<Vector<AttributeLink>>();
    append(*links, {{2, AttrPen}, {50, AttrPen}, {0u, AttrPen}, {4, AttrLayer}});
    std::vector<Key> keys = visited(spec->begin(links, Specification::Filter(), false));
    EXPECT_EQ(keys, (std::vector<Key>{{AttrPen, 2}, {AttrLayer, 4}}));
    EXPECT_EQ(visited(spec->begin(links, Specification::Filter(AttrLayer), false)),
              (std::vector<Key>{{AttrLayer, 4}}));

    auto broken = std::make_shared<Vector<AttributeLink>>();
    broken->push_back(nullptr);
    EXPECT_THROW(spec->begin(broken, Specification::Filter(), false), std::bad_alloc);
}

TEST_F(Specifications, FindPenPrefersTheLaterOfEqualPensOrOneAndFindCityMatchesWithinOneDegree) {
    EXPECT_EQ(spec->findPen(Colour(0.0, 0.0, 0.0), 0.1), 1u);
    EXPECT_EQ(spec->findPen(Colour(0.05, 0.0, 0.95), 0.3), 4u); // blue, 0.35
    auto redPen = [](API_Attribute& record) {
        record.pen.red = 1.0;
        record.pen.width = 0.5;
    };
    addAttribute(host, AttrPen, "Red A", redPen);
    int16_t later = addAttribute(host, AttrPen, "Red B", redPen);
    EXPECT_EQ(spec->findPen(Colour(1.0, 0.0, 0.0), 0.5), uint32_t(later));

    zavhost::AttributeStore& attributes = hostProject(host).model.attributes;
    for (int16_t index = 1; index <= later; ++index)
        attributes.remove(AttrPen, index);
    EXPECT_EQ(spec->findPen(Colour(1.0, 0.0, 0.0), 0.5), 1u);

    // findCity crosses its arguments and matches at exactly one degree. "Home Town": first angle
    // 53.5, second angle -1.5.
    for (auto [second, first, city] : {std::tuple{-1.5, 53.5, 1u},
                                       {-0.5, 52.5, 1u},
                                       {-2.5, 54.5, 1u},
                                       {-0.49, 53.5, 0u},
                                       {53.5, -1.5, 0u}})
        EXPECT_EQ(spec->findCity(second, first), city) << second << ", " << first;
}
