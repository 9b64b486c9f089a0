// Parameter memos: loading once through the owner, the host's change exchange with a script rule,
// following a part's defaults, memo parameters kept by the host across a save, and zone stamps.
#include <string>
#include <vector>

#include "Environment/HostCalls.h"
#include "Environment/TempFolder.h"
#include "LibraryTestSupport.h"
#include "library/ComponentParameterMemo.h"
#include "library/ParameterKinds.h"
#include "library/ZoneStampPart.h"
#include "platform/api/HostErrors.h"
#include "project/MemoStore.h"
#include "project/ZoneCategory.h"

using namespace tarnwick;
using namespace librarytest;

namespace {

// The owner of a part's parameters, standing in for a placed object: its memo holds `held`.
class PartMemo : public ComponentParameterMemo {
public:
    ComponentLink link;
    ParameterList held;
    int loads = 0;

    ComponentLink getComponentLink() const override { return link; }
    void storeAsDefault() override {}
    void fillOwnerRecord(HostParameterOwner& record) const override { record.libIndex = link.getIndex(); }
    void load(Element&, MemoStore*&) override {}

protected:
    void loadThroughOwner() override {
        ++loads;
        ElementMemoStore store;
        if (held.getCount() != 0) held.writeHostParameters(*store.parametersAddress());
        readMemo(store);
    }
};

std::unique_ptr<Parameter> length(const char* name, double value) {
    auto parameter = std::make_unique<LengthParameter>(String(name));
    parameter->storeValue(value, 0, 0);
    return parameter;
}

ParameterList listOf(std::initializer_list<std::pair<const char*, double>> lengths) {
    ParameterList list;
    for (const auto& [name, value] : lengths)
        list.append(length(name, value));
    return list;
}

double valueOf(const ParameterMemo& memo, const char* name) {
    const Parameter* parameter = memo.find(String(name));
    return parameter != nullptr ? static_cast<const LengthParameter*>(parameter)->getValue(0, 0) : -1.0;
}

std::vector<std::string> namesOf(const ParameterMemo& memo) {
    std::vector<std::string> names;
    for (uint64_t i = 0; i < memo.getCount(); ++i)
        names.push_back(memo.at(i)->getName().bytes());
    return names;
}

class ParameterMemos : public LibraryFixture {
protected:
    // A part with A, B (which its script keeps at twice A) and a 2 × 3 array M.
    uint32_t addScriptedPart() {
        zavhost::LibraryPart part;
        part.name = "Shelf";
        part.type = LibPartObject;
        part.rules.push_back({"B", "A", 2.0});
        const uint32_t index = parts().add(part);
        ParameterList defaults = listOf({{"A", 1.0}, {"B", 2.0}});
        auto grid = std::make_unique<RealParameter>(String("M"), String(), 0, 3);
        grid->setRowCount(2);
        defaults.append(std::move(grid));
        setDefaults(index, defaults);
        return index;
    }
};

} // namespace

TEST_F(ParameterMemos, ChangesGoCellByCellThroughOneExchangeThatIsAlwaysClosed) {
    const uint32_t shelf = addScriptedPart();
    PartMemo memo;
    memo.link = ComponentLink(shelf, LibPartObject, &library());
    memo.held = listOf({{"A", 1.0}, {"B", 2.0}});
    auto grid = std::make_unique<RealParameter>(String("M"), String(), 0, 3);
    grid->setRowCount(2);
    memo.held.append(std::move(grid));

    const struct {
        const char* fault;
        uint32_t call; // the one that fails
        bool result;
    } cases[] = {{"", 0, true}, {"CHGP", 2, false}, {"GPAR", 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        if (c.call != 0) host().faults().set(c.fault, c.call, c.call, hosterr::Failed);
        const size_t mark = host().calls().size();
        EXPECT_EQ(memo.applyChange({String("M"), ParameterMemo::NoIndex, ParameterMemo::NoIndex, 0}, false),
                  c.result);
        EXPECT_EQ(callsSince(mark, "UtilityCall CHGP"), 6u); // every cell sent, also after a failure
        for (const char* cell : {"\"M\" 1 1", "\"M\" 1 3", "\"M\" 2 1", "\"M\" 2 3"})
            EXPECT_EQ(callsSince(mark, cell), 1u) << cell;
        EXPECT_EQ(callsSince(mark, "UtilityCall CPAR"), 1u);
        EXPECT_FALSE(host().parameterExchange().has_value());
        host().faults().clear();
    }

    memo.setA(3.0);
    ASSERT_TRUE(memo.applyChange({String("A"), ParameterMemo::NoIndex, ParameterMemo::NoIndex, 0}, false));
    EXPECT_EQ(memo.getParameterB(), 6.0); // what the part's script made of it
    EXPECT_TRUE(memo.applyChanges({}, true));
}

TEST_F(ParameterMemos, ReloadingDefaultsTakesTheSizesAndKeepsOrTakesTheRest) {
    zavhost::LibraryPart part;
    part.name = "Cupboard";
    part.type = LibPartObject;
    part.a = 0.6;
    const uint32_t index = parts().add(part);
    setDefaults(index, listOf({{"A", 1.0}, {"B", 2.0}, {"zzyzx", 0.5}, {"X", 3.0}, {"New", 4.0}}));

    const struct {
        bool resetSizes, takeDefaultValues;
        std::vector<std::string> names;
        double a, zzyzx, x;
    } cases[] = {
        {false, false, {"A", "B", "zzyzx", "X", "New"}, 1.0, 0.5, 7.0},
        {true, true, {"A", "zzyzx", "X", "Old"}, 1.0, 0.5, 3.0},
    };
    for (const auto& c : cases) {
        PartMemo memo;
        memo.link = ComponentLink(index, LibPartObject, &library());
        memo.held = listOf({{"A", 5.0}, {"zzyzx", 9.0}, {"X", 7.0}, {"Old", 8.0}});
        memo.reloadDefaults(c.resetSizes, true, c.takeDefaultValues);
        EXPECT_EQ(namesOf(memo), c.names);
        EXPECT_EQ(valueOf(memo, "A"), c.a);
        EXPECT_EQ(memo.getZzyzx(), c.zzyzx);
        EXPECT_EQ(valueOf(memo, "X"), c.x);
        EXPECT_TRUE(memo.areSizesLoaded());
        EXPECT_EQ(memo.getA(), 0.6); // the part's own default size
    }
}

TEST_F(ParameterMemos, APartWithoutALibraryHasNoSizesAndTheListLoadsOnce) {
    PartMemo memo;
    memo.link = ComponentLink(0, LibPartObject, nullptr);
    memo.held = listOf({{"A", 2.0}});
    EXPECT_EQ(memo.getA(), 0.0);
    EXPECT_FALSE(memo.areSizesLoaded());
    EXPECT_EQ(memo.loads, 0);
    EXPECT_NE(memo.find(String("a")), nullptr);
    EXPECT_EQ(memo.find(String("B")), nullptr);
    EXPECT_EQ(memo.first().getName(), String("A"));
    EXPECT_EQ(memo.loads, 1);
}

TEST_F(ParameterMemos, ArrayParametersInAnElementMemoComeBackEqualAfterASaveAndReopen) {
    ParameterList list = listOf({{"A", 1.25}});
    auto texts = std::make_unique<StringParameter>(String("Labels"), String(), 0, 2);
    texts->setRowCount(2);
    texts->storeValue(String("north"), 1, 1);
    list.append(std::move(texts));
    auto grid = std::make_unique<RealParameter>(String("Grid"), String(), 0, 3);
    grid->setRowCount(2);
    grid->storeValue(-4.5, 1, 2);
    list.append(std::move(grid));

    API_Guid guid;
    ASSERT_TRUE(testsupport::runAsStep([&] {
        API_Element record;
        record.head.typeCode = 6;
        ElementMemoStore store;
        if (!list.writeHostParameters(*store.parametersAddress())) return false;
        if (ACAPCreateElement(&record, store.getMemo()) != hosterr::Ok) return false;
        guid = record.head.guid;
        return true;
    }));
    TempFolder folder;
    ASSERT_EQ(host().saveAndReopenProject(folder.path("parts.zavproj")), hosterr::Ok);

    ElementMemoStore store;
    ASSERT_EQ(ACAPGetElementMemo(&guid, store.getMemo(), ParameterMemo::MemoMask), hosterr::Ok);
    ParameterList back;
    ASSERT_TRUE(back.readHostParameters(store.getParameters()));
    ASSERT_EQ(back.getCount(), list.getCount());
    for (uint64_t i = 0; i < list.getCount(); ++i)
        EXPECT_TRUE(*back.at(i) == *list.at(i)) << list.at(i)->getName().bytes();
}

TEST_F(ParameterMemos, AZoneCategoryStampsWithTheNamedPartAndItsDefaults) {
    zavhost::LibraryPart part;
    part.name = "Room Stamp";
    part.type = LibPartZone;
    const uint32_t index = parts().add(part);
    setDefaults(index, listOf({{"A", 2.0}, {"B", 1.0}}));

    ZoneCategory category;
    category.setStampName(String("Room Stamp"));
    const ZoneCategory copy = category;
    auto* stamp = dynamic_cast<ZoneStampPart*>(copy.getStamp());
    ASSERT_NE(stamp, nullptr);
    EXPECT_EQ(stamp->getLink().getIndex(), index);
    EXPECT_EQ(stamp->getParameters().getCount(), 2u);
    AttributeMemoPtr memo = copy.makeMemo();
    ASSERT_NE(memo, nullptr);
    ParameterList written;
    ASSERT_TRUE(written.readHostParameters(memo->parameters));
    EXPECT_EQ(written.getCount(), 2u);
}
