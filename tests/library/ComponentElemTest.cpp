// Component elements: a new element takes its part's defaults, a new part drops the source and the
// model and brings its parameters, a merge of the same part keeps the link, the tool's defaults of
// another part change nothing, the memo's mask says what it holds; gables read from and written to
// the host; the identity the parameter exchange is told, the part's name and a redraw.
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "LibraryTestSupport.h"
#include "elements/Element3D.h"
#include "elements/ElementTestSupport.h"
#include "library/ComponentElem.h"
#include "library/Object.h"
#include "library/ParameterKinds.h"
#include "platform/api/ObjectRecords.h"
#include "platform/api/ParameterRecords.h"
#include "project/MemoStore.h"
#include "project/Plan.h"

using namespace tarnwick;
using namespace librarytest;

namespace {

// A placed part known only as a component element; its model, when asked, is one empty body.
class Placed : public ComponentElem {
public:
    explicit Placed(const ComponentLink& part)
        : ComponentElem(ElementLink(ElementLink::makeTypeId(Object::TypeCode), nullptr, 7), part) {
        getLink().writeHeader(m_head, true);
    }
    std::unique_ptr<Element> clone() const override { return std::make_unique<Placed>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_head; }
    HostElementHead& getRecord() override { return m_head; }
    std::unique_ptr<Element3D> buildElement3D() override {
        ++models;
        return std::make_unique<Element3D>(
            std::make_shared<BodyDataList>(BodyDataList{std::make_shared<Body::Data>()}));
    }
    int models = 0;

private:
    HostElementHead m_head;
};

std::unique_ptr<Parameter> length(const char* name, double value) {
    auto parameter = std::make_unique<LengthParameter>(String(name));
    parameter->storeValue(value, 0, 0);
    return parameter;
}

double valueOf(const ParameterMemo& memo, const char* name) {
    const auto* parameter = dynamic_cast<const LengthParameter*>(memo.find(String(name)));
    return parameter != nullptr ? parameter->getValue(0, 0) : -1.0;
}

class Components : public LibraryFixture {
protected:
    // Parts: "Chair" (A 2, "Legs"), "Table" (A 5, "Top"), "Bare" (no parameters).
    void SetUp() override {
        chair = addPart("Chair", {{"A", 2.0}, {"zzyzx", 0.9}, {"Legs", 4.0}});
        table = addPart("Table", {{"A", 5.0}, {"zzyzx", 0.7}, {"Top", 0.03}});
        bare = add("Bare", LibPartObject);
    }
    uint32_t addPart(const char* name, std::initializer_list<std::pair<const char*, double>> values) {
        const uint32_t index = add(name, LibPartObject);
        ParameterList defaults;
        for (const auto& [parameter, value] : values)
            defaults.append(length(parameter, value));
        setDefaults(index, defaults);
        return index;
    }
    ComponentLink part(uint32_t index) { return ComponentLink(index, LibPartObject, &library()); }
    // A host object of the part with a gables block of that many bytes, read through the plan.
    std::unique_ptr<Object> hostObject(uint32_t index, const std::string& gables) {
        const API_Guid guid =
            elementtest::addHostElement(host(), Object::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
                HostObjectElement fields;
                fields.head = e.record.head;
                fields.libIndex = index;
                std::memcpy(e.record.raw, static_cast<const void*>(&fields), sizeof fields);
                e.memo.blocks[offsetof(API_ElementMemo, parameters)] = *parts().part(index)->parameters;
                if (!gables.empty()) e.memo.blocks[offsetof(API_ElementMemo, gables)].bytes = gables;
            });
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        return std::unique_ptr<Object>(dynamic_cast<Object*>(element.release()));
    }
    const zavhost::StoredMemo& hostMemo(const Element& element) {
        return host().project()->model.views.findElement(element.getGuid().toAPI())->memo;
    }

    uint32_t chair = 0, table = 0, bare = 0;
};

std::string gableBytes(size_t count, size_t extra = 0) {
    std::string bytes;
    for (size_t i = 0; i < count; ++i) {
        HostGable gable;
        gable.planeD = double(i + 1);
        bytes.append(reinterpret_cast<const char*>(&gable), sizeof gable);
    }
    return bytes + std::string(extra, '\x7f');
}

} // namespace

TEST_F(Components, ANewElementReadsItsPartsDefaultsAndANewPartDropsSourceAndModel) {
    Placed placed(part(chair));
    EXPECT_DOUBLE_EQ(valueOf(placed, "Legs"), 4.0);
    EXPECT_DOUBLE_EQ(placed.getBoundsZSize(), 0.9);
    ASSERT_NE(placed.getSource(), nullptr);
    EXPECT_EQ(placed.getLibraryPartName(), String("Chair"));
    ASSERT_NE(placed.getElement3D(), nullptr);
    (void)placed.getElement3D();
    EXPECT_EQ(placed.models, 1);

    placed.setComponentLink(part(table), false, true);
    EXPECT_EQ(placed.getLibraryPartName(), String("Table"));
    (void)placed.getElement3D();
    EXPECT_EQ(placed.models, 2); // built again for the new part
    EXPECT_DOUBLE_EQ(valueOf(placed, "Top"), 0.03);
    EXPECT_EQ(placed.find(String("Legs")), nullptr);
    EXPECT_DOUBLE_EQ(placed.getBoundsZSize(), 0.7);
}

TEST_F(Components, AMergeTakesTheChangedPartOnlyWhenTheEditChangedIt) {
    struct Case {
        uint32_t changed;
        uint32_t reference;
        uint32_t result;
    };
    for (const Case& c : {Case{chair, chair, table}, Case{table, chair, table}, Case{chair, table, chair}}) {
        Placed placed(part(table));
        placed.mergeChanges(static_cast<const Element&>(Placed(part(c.changed))),
                            static_cast<const Element&>(Placed(part(c.reference))));
        EXPECT_EQ(placed.getComponentLink().getIndex(), c.result) << c.changed << " " << c.reference;
    }
}

TEST_F(Components, TheMemosMaskSaysWhichPartsItHolds) {
    struct Case {
        uint32_t part;
        bool gable;
        uint64_t mask;
    };
    for (const Case& c :
         {Case{bare, false, 0}, Case{bare, true, MemoGables}, Case{chair, false, MemoParameters},
          Case{chair, true, MemoGables | MemoParameters}}) {
        Placed placed(part(c.part));
        if (c.gable) placed.addGable(std::make_unique<Gable>());
        uint64_t mask = 0xFF;
        ElementMemoPtr memo = placed.buildMemo(mask);
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(mask, c.mask);
        EXPECT_EQ(memo->gables != nullptr, c.gable);
    }
}

TEST_F(Components, GablesAreReadWholeAndWrittenBack) {
    struct Case {
        std::string bytes;
        size_t count;
    };
    for (const Case& c : {Case{gableBytes(2), 2}, Case{gableBytes(1, 4), 1}, Case{"", 0}}) {
        std::unique_ptr<Object> object = hostObject(chair, c.bytes);
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(object->getGableCount(), c.count);
        if (c.count == 0) {
            EXPECT_EQ(object->getGable(0), nullptr);
            continue;
        }
        try {
            (void)object->getGable(c.count);
            ADD_FAILURE() << "no exception past the end";
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
        }
        object->getGable(0)->getRecord().planeA = 0.5;
        ASSERT_TRUE(elementtest::change([&] { return Host::getPlan()->saveElement(*object, false, true); }));
        std::string expected = gableBytes(c.count);
        std::memcpy(expected.data(), &object->getGable(0)->getRecord(), sizeof(HostGable));
        EXPECT_EQ(hostMemo(*object).blocks.at(offsetof(API_ElementMemo, gables)).bytes, expected);
    }
}

TEST_F(Components, TheToolsDefaultsOfAnotherPartChangeNothingWhenOnlyTheSamePartMay) {
    struct Case {
        uint32_t defaultPart;
        bool sameOnly;
        double legs;
    };
    for (const Case& c : {Case{table, true, 4.0}, Case{chair, true, 6.0}, Case{table, false, 6.0}}) {
        zavhost::DefaultElement& defaults = host().project()->model.defaults.edit(Object::TypeCode, 0);
        HostObjectElement fields;
        std::memcpy(static_cast<void*>(&fields), defaults.record.raw, sizeof fields);
        fields.libIndex = c.defaultPart;
        std::memcpy(defaults.record.raw, static_cast<const void*>(&fields), sizeof fields);
        ParameterList values;
        values.append(length("Legs", 6.0));
        values.append(length("Top", 0.05));
        GSHandle handle = nullptr;
        ASSERT_TRUE(values.writeHostParameters(handle));
        defaults.memo.blocks[offsetof(API_ElementMemo, parameters)].bytes =
            std::string(*handle, static_cast<size_t>(BMHandleSize(handle)));
        ParameterList::disposeHostParameters(handle);

        std::unique_ptr<Object> object = hostObject(chair, "");
        EXPECT_TRUE(object->loadDefaultParameters(c.sameOnly, true, true, true));
        // By name: the chair's "Legs" takes the defaults' value, the table's "Top" does not come.
        EXPECT_DOUBLE_EQ(valueOf(*object, "Legs"), c.legs);
        EXPECT_EQ(object->find(String("Top")), nullptr);
    }
}

TEST_F(Components, TheExchangeIsToldTheElementOrANewOneAndTheHostNamesAndRedrawsIt) {
    Placed fresh(part(chair));
    HostParameterOwner owner;
    fresh.fillOwnerRecord(owner);
    EXPECT_EQ(owner.libIndex, chair);
    EXPECT_EQ(owner.typeCode, Object::TypeCode);
    EXPECT_EQ(owner.newElement, 1);
    EXPECT_EQ(owner.variation, 7u);
    EXPECT_TRUE(owner.guid.isNull());
    EXPECT_FALSE(fresh.refresh());

    std::unique_ptr<Object> placed = hostObject(chair, "");
    owner = HostParameterOwner();
    placed->fillOwnerRecord(owner);
    EXPECT_EQ(owner.newElement, 0);
    EXPECT_EQ(Guid(owner.guid), placed->getGuid());
    EXPECT_TRUE(placed->refresh());
    // A part the library cannot read has no source: the host names it.
    parts().edit(chair)->unreadable = true;
    std::unique_ptr<Object> unreadable = hostObject(chair, "");
    EXPECT_EQ(unreadable->getSource(), nullptr);
    EXPECT_EQ(unreadable->getLibraryPartName(), String("Chair"));
    EXPECT_TRUE(host().calls().contains("UtilityCall GULN"));
    EXPECT_EQ(unreadable->getOwnUnId(), FamilyGuid());
}
