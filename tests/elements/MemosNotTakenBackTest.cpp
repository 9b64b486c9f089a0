// A host without DisposeElementMemo: the module takes no memo from it (it could not give one back)
// and frees what it built itself; texts are still placed, and read without their text.
#include <gtest/gtest.h>

#include <cstring>

#include "ElementTestSupport.h"
#include "Environment/HostCalls.h"
#include "Environment/HostTable.h"
#include "Environment/Memory.h"
#include "elements/text/Text.h"
#include "platform/api/CurtainWallRecords.h"
#include "platform/api/HostErrors.h"
#include "platform/api/ParameterRecords.h"
#include "platform/api/TextRecords.h"
#include "platform/gsroot/Memory.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/TextBlocks.h"
#include "project/ElementMemo.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class MemosNotTakenBack : public HostTest {
protected:
    MemosNotTakenBack() : m_table(host.functionTable()) {
        registerElementCreator(Text::TypeCode, &createText);
        zavhost::clearFunctionSlot(m_table, "DisposeElementMemo");
        installHostTable(&m_table);
    }
    ~MemosNotTakenBack() override {
        installHostTable(&host.functionTable());
        releaseElementCreators();
    }

    HostFunctionTable m_table;
};

GSPtr pointerOf(size_t bytes) {
    return allocatePtr(static_cast<GSSize>(bytes));
}

} // namespace

TEST(MemoTargets, ADefaultMemoIsTakenOnlyFromAHostThatTakesItBack) {
    testsupport::ModuleUnderTest module;
    EXPECT_TRUE(hostTakesMemosBack());
    API_ElementMemo wanted;
    API_ElementMemo local;
    wanted.textContent = reinterpret_cast<GSHandle>(&local); // stale: a target starts empty
    EXPECT_EQ(defaultMemoTarget(&wanted, local), &wanted);
    EXPECT_EQ(wanted.textContent, nullptr);
    EXPECT_EQ(defaultMemoTarget(nullptr, local), &local);

    HostFunctionTable partial = module.host().functionTable();
    zavhost::clearFunctionSlot(partial, "DisposeElementMemo");
    installHostTable(&partial);
    EXPECT_FALSE(hostTakesMemosBack());
    wanted.textContent = reinterpret_cast<GSHandle>(&local);
    EXPECT_EQ(defaultMemoTarget(&wanted, local), nullptr);
    EXPECT_EQ(wanted.textContent, nullptr);
    EXPECT_EQ(defaultMemoTarget(nullptr, local), nullptr);
    installHostTable(&module.host().functionTable());
}

TEST(MemoTargets, ADefaultElementsMemoReadForNoOneIsGivenBackAndNoneIsTakenWithoutDispose) {
    testsupport::ModuleUnderTest module;
    zavhost::CallLog& calls = module.host().calls();
    API_Element record;
    record.head.typeCode = Text::TypeCode;
    API_ElementMemo wanted;
    size_t before = calls.size();
    ASSERT_EQ(readDefaultElement(record, &wanted), hosterr::Ok);
    EXPECT_EQ(record.head.typeCode, Text::TypeCode);
    EXPECT_EQ(calls.count("DisposeElementMemo", before), 0u); // the caller's to give back
    EXPECT_EQ(ACAPDisposeElementMemo(&wanted), hosterr::Ok);
    record = API_Element();
    record.head.typeCode = Text::TypeCode;
    before = calls.size();
    ASSERT_EQ(readDefaultElement(record, nullptr), hosterr::Ok);
    EXPECT_EQ(calls.count("DisposeElementMemo", before), 1u);

    HostFunctionTable partial = module.host().functionTable();
    zavhost::clearFunctionSlot(partial, "DisposeElementMemo");
    installHostTable(&partial);
    wanted.textContent = reinterpret_cast<GSHandle>(&record); // stale: it starts empty
    record = API_Element();
    record.head.typeCode = Text::TypeCode;
    EXPECT_EQ(readDefaultElement(record, &wanted), hosterr::Ok);
    EXPECT_EQ(record.head.typeCode, Text::TypeCode);
    EXPECT_EQ(wanted.textContent, nullptr);
    installHostTable(&module.host().functionTable());
    // A type the host does not know answers its code.
    record = API_Element();
    EXPECT_NE(readDefaultElement(record, nullptr), hosterr::Ok);
}

TEST_F(MemosNotTakenBack, AMemoTheModuleBuiltIsFreedByTheModuleWithEverythingItHolds) {
    const int64_t handles = BMLiveHandleCount();
    const int64_t pointers = BMLivePtrCount();
    API_ElementMemo* memo = allocateElementMemo();
    memo->textContent = allocateHandle(8);
    memo->paragraphs = allocateHandle(2 * sizeof(HostTextParagraph));
    HostTextParagraph paragraph;
    paragraph.runs = pointerOf(16);
    paragraph.tabs = pointerOf(8);
    paragraph.lineEnds = pointerOf(4);
    std::memcpy(static_cast<void*>(*memo->paragraphs), &paragraph, sizeof paragraph);
    paragraph = HostTextParagraph();
    paragraph.runs = pointerOf(16);
    std::memcpy(static_cast<void*>(*memo->paragraphs + sizeof paragraph), &paragraph, sizeof paragraph);
    memo->parameters = allocateHandle(2 * sizeof(HostAdditionalParameter));
    HostAdditionalParameter array;
    array.valueForm = ParameterArrayValue;
    array.value.array = allocateHandle(24);
    std::memcpy(static_cast<void*>(*memo->parameters), &array, sizeof array);
    memo->subBlock = pointerOf(sizeof(HostContourSubBlock));
    HostContourSubBlock contour;
    contour.coordinates = allocateHandle(32);
    std::memcpy(static_cast<void*>(memo->subBlock), &contour, sizeof contour);
    memo->drawingData = reinterpret_cast<GSHandle>(pointerOf(40)); // a pointer block in a handle's field
    memo->edgeValues = pointerOf(12);
    memo->field920 = allocateHandle(3);
    EXPECT_GT(BMLiveHandleCount(), handles);

    freeElementMemo(memo);
    EXPECT_EQ(BMLiveHandleCount(), handles);
    EXPECT_EQ(BMLivePtrCount(), pointers);
}

TEST_F(MemosNotTakenBack, ATextIsReadWithoutItsMemoAndPlacedWithTheMemoItBuilds) {
    const API_Guid guid = addHostElement(host, Text::TypeCode, nullptr, [](zavhost::StoredElement& e) {
        zavhost::setDefaultTextSettings(e.record);
        e.memo = zavhost::makeTextMemo("Stored words", e.record);
    });
    const size_t from = mark();
    Plan* plan = Host::getPlan();
    std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
    auto* text = dynamic_cast<Text*>(element.get());
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->getText().isEmpty());
    EXPECT_FALSE(text->isLoaded());
    EXPECT_EQ(plan->getElementMemo(ElementLink(Guid(guid), plan), 0), nullptr);
    EXPECT_EQ(plan->getLastError(), hosterr::NotSupplied);
    EXPECT_FALSE(host.calls().contains("GetElementMemo", from)) << host.calls().texts(from);

    Text placed(String("New words"));
    EXPECT_TRUE(placed.hasDefaults());
    ASSERT_TRUE(change([&] { return placed.placeInBox(CadPoint(1, 2), CadPoint(4, 1), *plan); }));
    EXPECT_EQ(
        zavhost::textOf(host.project()->model.views.findElement(placed.getLink().getGuid().toAPI())->memo),
        "New words");
    EXPECT_FALSE(host.calls().contains("DisposeElementMemo", from));
}
