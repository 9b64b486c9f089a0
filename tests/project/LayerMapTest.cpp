// Layer maps, layer combinations and layer selections through the stand-in host: a map written for
// every layer and read back, the count of records, hidden for what a map lacks, the negated index,
// a selection that keeps only layers, and the project's map of its current combination.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "ProjectTestSupport.h"
#include "project/AttributeSelection.h"
#include "project/LayerCombination.h"
#include "project/LayerMap.h"
#include "project/Pen.h"
#include "project/Project.h"
#include "project/Specification.h"

using namespace tarnwick;
using projecttest::addAttribute;
using projecttest::change;
using projecttest::hostProject;

namespace {

class LayerMaps : public projecttest::HostTest {
protected:
    Specification* spec = Host::getSpecification();
    Layer layer(int16_t index) const {
        return Layer(AttributeLink(static_cast<uint32_t>(index), AttrLayer, spec));
    }
};

// The new project's layers: 1 to 4 shown, 5 hidden.
constexpr int16_t LayerCount = 5;

GSHandle statusRecords(std::initializer_list<HostLayerStatus> records, size_t extraBytes = 0) {
    GSHandle handle =
        allocateHandle(static_cast<GSSize>(records.size() * sizeof(HostLayerStatus) + extraBytes));
    size_t at = 0;
    for (const HostLayerStatus& record : records) {
        std::memcpy(*handle + at, &record, sizeof record);
        at += sizeof record;
    }
    return handle;
}

// Pens that count themselves, to see a selection delete what it does not take.
class CountedPen : public Pen {
public:
    static inline int live = 0;
    CountedPen(const API_Attribute& record, const AttributeLink& link) : Pen(record, link) { ++live; }
    CountedPen(const CountedPen& other) : Pen(other) { ++live; }
    ~CountedPen() override { --live; }
    static std::unique_ptr<Attribute> make(const API_Attribute& record, const AttributeLink& link) {
        return record.header.typeCode == AttrPen ? std::make_unique<CountedPen>(record, link) : nullptr;
    }
    std::unique_ptr<Attribute> clone() const override { return std::make_unique<CountedPen>(*this); }
};

} // namespace

TEST_F(LayerMaps, AMapGoesToTheHostForEveryLayerAndComesBackWithWhatItLackedHidden) {
    auto map = std::make_unique<LayerMap>();
    map->setLocked(layer(2), true);
    map->setConnectionClass(layer(2), 7);
    map->setHidden(layer(5), false); // hidden in the project, shown in the map
    LayerCombination combination;
    combination.setName(String("Remembered"));
    combination.setLayerMap(std::move(map));
    ASSERT_TRUE(change([&] { return spec->store(combination); }));
    const int16_t index = combination.getIndex16() < 0 ? int16_t(-combination.getIndex16()) : 0;
    ASSERT_GT(index, 1);
    EXPECT_EQ(combination.getIndex(), static_cast<uint16_t>(-index)); // reported negated, high half 0
    EXPECT_EQ(combination.getEntryCount(), LayerCount);

    // The host keeps one record per project layer; the record counts size / 8.
    AttributeMemoPtr memo(new HostAttributeMemo());
    ASSERT_EQ(ACAPGetAttributeMemo(AttrLayerCombination, index, memo.get()), hosterr::Ok);
    EXPECT_EQ(getHandleSize(memo->layerStatus), LayerCount * 8);
    EXPECT_EQ(hostProject(host)
                  .model.attributes.find(AttrLayerCombination, index)
                  ->record.layerCombination.entryCount,
              LayerCount);

    projecttest::forget();
    LayerCombination back(AttributeLink(static_cast<uint32_t>(index), AttrLayerCombination, spec));
    const LayerMap* read = back.getLayerMap();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getCount(), size_t(LayerCount));
    struct Expected {
        int16_t layer;
        uint16_t flags;
        uint32_t connectionClass;
    } expected[] = {
        {1, LayerHidden, 0}, {2, LayerLocked, 7}, {3, LayerHidden, 0}, {4, LayerHidden, 0}, {5, 0, 0}};
    for (const Expected& e : expected) {
        Layer::Status status = read->getStatus(layer(e.layer));
        EXPECT_EQ(status.getFlags(), e.flags) << "layer " << e.layer;
        EXPECT_EQ(status.getConnectionClass(), e.connectionClass) << "layer " << e.layer;
    }
    EXPECT_EQ(back.getEntryCount(), LayerCount);

    // Only composites are negated back: the reported index names nothing.
    EXPECT_EQ(spec->get(AttributeLink(back.getIndex(), AttrLayerCombination, spec)), nullptr);
}

TEST_F(LayerMaps, WithoutAnEntryALayerReadsHiddenAndOneSetterGivesItAClearEntry) {
    using Setter = void (LayerMap::*)(const Layer&, bool);
    const struct {
        Setter set;
        uint16_t flag;
    } setters[] = {{&LayerMap::setLocked, LayerLocked},
                   {&LayerMap::setHidden, LayerHidden},
                   {&LayerMap::setNotInWorkspace, LayerNotInWorkspace},
                   {&LayerMap::setFlag0010, LayerFlag0010}};
    for (const auto& s : setters) {
        LayerMap map;
        EXPECT_EQ(map.getCount(), 0u);
        EXPECT_EQ(map.getStatus(layer(3)).getFlags(), LayerHidden);
        (map.*s.set)(layer(3), true);
        EXPECT_EQ(map.getCount(), 1u);
        EXPECT_EQ(map.getStatus(layer(3)).getFlags(), s.flag);
        EXPECT_EQ(map.getStatus(layer(3)).getConnectionClass(), 0u);
        EXPECT_EQ(map.getStatus(layer(2)).getFlags(), LayerHidden);
    }

    // From records: whole ones only, a later record of a layer replacing an earlier one; a copy
    // is its own.
    GSHandle records = statusRecords({{2, LayerLocked, 4}, {3, 0, 0}, {2, LayerNotInWorkspace, 9}}, 5);
    LayerMap fromRecords(records);
    freeHandle(records);
    EXPECT_EQ(fromRecords.getCount(), 2u);
    EXPECT_EQ(fromRecords.getStatus(layer(2)).getFlags(), LayerNotInWorkspace);
    EXPECT_EQ(fromRecords.getStatus(layer(2)).getConnectionClass(), 9u);
    LayerMap copy(fromRecords);
    copy.setHidden(layer(3), true);
    EXPECT_EQ(fromRecords.getStatus(layer(3)).getFlags(), 0);
    GSHandle shortRecord = allocateHandle(7);
    EXPECT_EQ(LayerMap(shortRecord).getCount(), 0u);
    freeHandle(shortRecord);
    EXPECT_EQ(LayerMap(GSHandle(nullptr)).getCount(), 0u);

    // From the project: every layer as it is.
    LayerMap now(true);
    EXPECT_EQ(now.getCount(), size_t(LayerCount));
    EXPECT_EQ(now.getStatus(layer(5)).getFlags(), LayerHidden);
    EXPECT_EQ(now.getStatus(layer(1)).getFlags(), 0);
}

TEST_F(LayerMaps, ACombinationWithoutLayerStatesHasNoMapAndWritesNoMemo) {
    const int16_t bare = addAttribute(host, AttrLayerCombination, "Bare");
    LayerCombination combination(AttributeLink(static_cast<uint32_t>(bare), AttrLayerCombination, spec));
    EXPECT_EQ(combination.getLayerMap(), nullptr);
    EXPECT_EQ(combination.makeMemo(), nullptr);
    EXPECT_EQ(LayerCombination().getLayerMap(), nullptr); // unbound: nothing asked of the host

    // A map the module sets is not replaced by the host's on the next read.
    LayerCombination everything(AttributeLink(1u, AttrLayerCombination, spec));
    auto mine = std::make_unique<LayerMap>();
    LayerMap* held = mine.get();
    everything.setLayerMap(std::move(mine));
    EXPECT_EQ(everything.getLayerMap(), held);
    EXPECT_EQ(LayerCombination(everything).getLayerMap()->getCount(), 0u); // copied deep
}

TEST_F(LayerMaps, TheHostRefusesLayerStatesThatAreNotWholeRecordsOfLayersOnce) {
    const struct {
        const char* what;
        std::initializer_list<HostLayerStatus> records;
        size_t extraBytes;
        GSErrCode answer;
    } cases[] = {{"whole records", {{1, 0, 0}, {5, LayerHidden, 0}}, 0, hosterr::Ok},
                 {"a partial record", {{1, 0, 0}}, 4, hosterr::BadParameter},
                 {"no such layer", {{1, 0, 0}, {99, 0, 0}}, 0, hosterr::BadParameter},
                 {"a layer twice", {{2, 0, 0}, {2, LayerLocked, 0}}, 0, hosterr::BadParameter}};
    int number = 0;
    for (const auto& c : cases) {
        API_Attribute record;
        record.header.typeCode = AttrLayerCombination;
        std::snprintf(record.header.name, sizeof record.header.name, "Case %d", ++number);
        AttributeMemoPtr memo(new HostAttributeMemo());
        memo->layerStatus = statusRecords(c.records, c.extraBytes);
        GSErrCode answer = hosterr::Failed;
        (void)change([&] { return (answer = ACAPCreateAttribute(&record, memo.get())) == hosterr::Ok; });
        EXPECT_EQ(answer, c.answer) << c.what;
    }
}

TEST_F(LayerMaps, ASelectionKeepsTheLayersOfAWalkDeletesTheRestAndStoresThemAll) {
    struct Registered {
        ~Registered() { Specification::clearAttributeCreators(); }
    } registered;
    Specification::registerAttributeCreator(AttrPen, &CountedPen::make);
    AttributeSelection<Layer> layers;
    layers.collect(spec->begin(Specification::Filter(), false), Specification::end());
    EXPECT_EQ(CountedPen::live, 0); // every pen met was deleted
    ASSERT_EQ(layers.size(), size_t(LayerCount));
    EXPECT_FALSE(layers.take(nullptr));

    std::unique_ptr<AttrRefList> links = layers.makeRefList();
    ASSERT_EQ(links->size(), size_t(LayerCount));
    for (int16_t i = 0; i < LayerCount; ++i) {
        EXPECT_EQ((*links)[i]->getIndex16(), i + 1);
        EXPECT_EQ((*links)[i]->getType(), AttrLayer);
    }

    for (Layer* each : layers)
        each->setLocked(true);
    ASSERT_TRUE(change([&] { return layers.storeAll(); }));
    for (const auto& [index, stored] : hostProject(host).model.attributes.table(AttrLayer))
        EXPECT_NE(stored.header().flags & LayerLocked, 0) << index;

    // One that cannot be stored fails the whole, and those after it are still stored. The step
    // itself succeeds: a failed step would have the host take every store back.
    layers[0]->unlink();
    for (Layer* each : layers)
        each->setLocked(false);
    bool all = true;
    ASSERT_TRUE(change([&] {
        all = layers.storeAll();
        return true;
    }));
    EXPECT_FALSE(all);
    const zavhost::AttributeStore& stored = hostProject(host).model.attributes;
    EXPECT_NE(stored.find(AttrLayer, 1)->header().flags & LayerLocked, 0);
    EXPECT_EQ(stored.find(AttrLayer, LayerCount)->header().flags & LayerLocked, 0);
}

TEST_F(LayerMaps, TheProjectsMapIsACopyOfTheCurrentCombinationsElseTheLayersAsTheyAre) {
    Project* project = Host::getProject();
    zavhost::Project& hostSide = hostProject(host);

    // A combination that remembers layer 2 locked in class 7 and layer 5 shown.
    auto remembered = std::make_unique<LayerMap>();
    remembered->setLocked(layer(2), true);
    remembered->setConnectionClass(layer(2), 7);
    remembered->setHidden(layer(5), false);
    LayerCombination combination;
    combination.setName(String("Remembered"));
    combination.setLayerMap(std::move(remembered));
    ASSERT_TRUE(change([&] { return spec->store(combination); }));
    hostSide.model.settings.layerCombination = static_cast<int16_t>(-combination.getIndex16());

    std::unique_ptr<LayerMap> map = project->getLayerMap();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->getCount(), size_t(LayerCount));
    EXPECT_EQ(map->getStatus(layer(2)).getFlags(), LayerLocked);
    EXPECT_EQ(map->getStatus(layer(2)).getConnectionClass(), 7u);
    EXPECT_EQ(map->getStatus(layer(5)).getFlags(), 0);
    EXPECT_EQ(map->getStatus(layer(1)).getFlags(), LayerHidden); // the map lacked it
    // A copy: changing it leaves the next answer as the host has it.
    map->setHidden(layer(2), true);
    EXPECT_EQ(project->getLayerMap()->getStatus(layer(2)).getFlags(), LayerLocked);

    // Without a combination, and with one that keeps no layer states: the layers as they are now
    // (1 to 4 shown, 5 hidden).
    const int16_t bare = addAttribute(host, AttrLayerCombination, "Bare");
    for (int16_t current : {int16_t(99), bare}) {
        hostSide.model.settings.layerCombination = current;
        std::unique_ptr<LayerMap> now = project->getLayerMap();
        ASSERT_NE(now, nullptr) << current;
        EXPECT_EQ(now->getCount(), size_t(LayerCount)) << current;
        EXPECT_EQ(now->getStatus(layer(2)).getFlags(), 0) << current;
        EXPECT_EQ(now->getStatus(layer(5)).getFlags(), LayerHidden) << current;
    }
}
