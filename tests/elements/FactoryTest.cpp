// The element factory: creators by type and sub-kind, registration order and duplicates, the
// preferred list, releasing (also with the module), and the memo-load switch around a store's
// reading.
#include <gtest/gtest.h>

#include <cstring>

#include "ElementTestSupport.h"
#include "library/Label.h"
#include "library/LibraryModel.h"
#include "library/Object.h"
#include "project/IteratorBase.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace elementtest;
using testsupport::ModuleUnderTest;

namespace {

API_Element recordOf(uint32_t type, uint32_t subKind = 0, uint32_t variation = 0) {
    API_Element record;
    record.head.typeCode = type;
    record.head.variation = variation;
    HostKindedElement kinded;
    kinded.subKind = subKind;
    std::memcpy(record.raw + offsetof(HostKindedElement, subKind), &kinded.subKind, sizeof kinded.subKind);
    return record;
}

// A creator of one sub-kind, as the roof and extrusion classes have them.
template <uint32_t Type, uint32_t SubKind>
std::unique_ptr<Element> createKind(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Type || recordSubKind(record) != SubKind) return nullptr;
    link.setTypeId(ElementLink::makeTypeId(static_cast<uint8_t>(Type), static_cast<uint8_t>(SubKind)));
    return std::make_unique<TestElement>(record, link, std::to_string(Type) + "/" + std::to_string(SubKind));
}

int declined = 0;
std::unique_ptr<Element> createNothing(const API_Element&, ElementLink&) {
    ++declined;
    return nullptr;
}

std::unique_ptr<Element> createPreferred(const API_Element& record, ElementLink& link) {
    return std::make_unique<TestElement>(record, link, "preferred");
}

std::string tagOf(const std::unique_ptr<Element>& element) {
    auto* test = dynamic_cast<TestElement*>(element.get());
    return test == nullptr ? std::string("none") : test->tag();
}

std::string create(uint32_t type, uint32_t subKind = 0) {
    ElementLink link;
    return tagOf(createElement(recordOf(type, subKind), link, nullptr));
}

// An element whose memo reading asks a store for a field it lacks.
class ThrowingElement : public TestElement {
public:
    using TestElement::TestElement;
    static inline bool sawSuspended = false;
    void loadMemo(uint64_t mask, MemoStore*& store) override {
        sawSuspended = isMemoLoadSuspended();
        lastMask = mask;
        if (store != nullptr) store->getCoreList();
    }
    static inline uint64_t lastMask = 0;
};

std::unique_ptr<Element> createThrowing(const API_Element& record, ElementLink& link) {
    return std::make_unique<ThrowingElement>(record, link);
}

class Factory : public ::testing::Test {
protected:
    void TearDown() override { releaseElementCreators(); }
};

} // namespace

TEST_F(Factory, SubKindsPickTheirCreatorAndSetTheLinksTypeId) {
    registerElementCreator(9, &createKind<9, 1>);
    registerElementCreator(9, &createKind<9, 0>);
    for (uint32_t sub : {0u, 1u, 2u})
        registerElementCreator(43, sub == 0   ? &createKind<43, 0>
                                   : sub == 1 ? &createKind<43, 1>
                                              : &createKind<43, 2>);
    EXPECT_EQ(create(9, 0), "9/0");
    EXPECT_EQ(create(9, 1), "9/1");
    EXPECT_EQ(create(9, 2), "none");
    EXPECT_EQ(create(43, 0), "43/0");
    EXPECT_EQ(create(43, 1), "43/1");
    EXPECT_EQ(create(43, 2), "43/2");
    EXPECT_EQ(create(43, 3), "none");

    ElementLink link;
    std::unique_ptr<Element> roof = createElement(recordOf(9, 1, fourCC("VARI")), link, nullptr);
    ASSERT_NE(roof, nullptr);
    EXPECT_EQ(link.getTypeId(), ElementLink::makeTypeId(9, 1));
    EXPECT_EQ(link.getVariation(), fourCC("VARI"));
    EXPECT_EQ(roof->getLink().getTypeId(), ElementLink::makeTypeId(9, 1));
}

TEST_F(Factory, UnknownAndUnbuiltKindsGiveNothing) {
    registerDraftingElementCreators();
    // Types whose class is not built yet, and those no class stands for, are unknown.
    for (uint32_t type : {1u, 6u, 26u, 27u, 28u, 29u, 32u, 34u, 35u, 36u, 45u, 0u, 200u})
        EXPECT_EQ(create(type), "none") << type;
    registerElementCreator(32, &createAny);
    EXPECT_EQ(create(32), "any");
    ElementLink link;
    EXPECT_NE(dynamic_cast<Label*>(createElement(recordOf(16), link, nullptr).get()), nullptr);
}

TEST_F(Factory, ADuplicateIsIgnoredAndThePreferredListIsAskedFirst) {
    declined = 0;
    registerElementCreator(15, &createNothing);
    registerElementCreator(15, &createNothing);
    registerElementCreator(16, &createNothing);
    EXPECT_EQ(create(15), "none");
    EXPECT_EQ(declined, 1);
    EXPECT_EQ(create(16), "none");
    EXPECT_EQ(declined, 2);

    registerElementCreator(15, &createAny);
    EXPECT_EQ(create(15), "any"); // after the one that declines
    EXPECT_EQ(declined, 3);
    registerElementCreator(15, &createPreferred, true);
    EXPECT_EQ(create(15), "preferred");
    EXPECT_EQ(declined, 3);
    EXPECT_EQ(create(16), "none");

    releaseElementCreators();
    EXPECT_EQ(create(15), "none");
    registerElementCreator(16, &createAny);
    EXPECT_EQ(create(16), "any"); // a new registration starts a list again
}

TEST_F(Factory, AReleasedModuleTakesItsCreatorsAndALoadAgainRegistersItsOwnOnce) {
    declined = 0;
    // The add-on's start registers a creator, as the product's start-up registers its kinds.
    ModuleUnderTest module(
        [] {
            registerElementCreator(15, &createNothing);
            return new Addon();
        },
        false);
    ASSERT_EQ(module.attachResult(), hosterr::Ok);
    auto makesObject = [] {
        ElementLink link;
        return dynamic_cast<Object*>(createElement(recordOf(Object::TypeCode), link, nullptr).get()) !=
               nullptr;
    };
    EXPECT_TRUE(makesObject());                         // the framework's object kinds
    registerElementCreator(15, &createPreferred, true); // one the session adds of its own
    EXPECT_EQ(create(15), "preferred");
    EXPECT_EQ(declined, 0);

    ASSERT_EQ(module.host().unloadModule(), hosterr::Ok);
    EXPECT_FALSE(makesObject());
    EXPECT_EQ(create(15), "none");
    EXPECT_EQ(declined, 0);

    ASSERT_EQ(module.reattach(), hosterr::Ok);
    EXPECT_TRUE(makesObject());
    EXPECT_EQ(create(15), "none"); // the session's preferred creator went with it
    EXPECT_EQ(declined, 1);        // the start's own, registered once
}

TEST_F(Factory, AStoresMemoIsReadWithTheSwitchOnAndTheSwitchComesBackAfterAThrow) {
    ModuleUnderTest module(nullptr, false);
    registerElementCreator(15, &createThrowing);
    Element::setMemoLoadSuspended(false);
    ElementLink link;
    EXPECT_NE(createElement(recordOf(15), link, nullptr), nullptr); // no store: no memo read
    EXPECT_EQ(ThrowingElement::lastMask, 0u);
    {
        ElementMemoStore store;
        try {
            createElement(recordOf(15), link, &store);
            ADD_FAILURE() << "the store's exception went missing";
        } catch (const std::bad_alloc& e) {
            EXPECT_STREQ(e.what(), "bad allocation");
        }
    }
    EXPECT_TRUE(ThrowingElement::sawSuspended);
    EXPECT_EQ(ThrowingElement::lastMask, uint64_t(MemoAll));
    EXPECT_FALSE(Element::isMemoLoadSuspended());
    Element::setMemoLoadSuspended(true);
    EXPECT_EQ(TestElement::live, 0);
}
