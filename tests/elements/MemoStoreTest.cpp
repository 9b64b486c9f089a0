// Memo stores: which block each field is read from and written to, the fields a store lacks,
// released blocks and the sub-block; the holder that owns a fetched store.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "ElementTestSupport.h"
#include "Environment/ModuleEntry.h"
#include "platform/gsroot/Memory.h"
#include "project/ElementMemo.h"
#include "project/Memo.h"
#include "project/MemoStore.h"
#include "project/ProgressWindow.h"
#include "support/TestAddon.h"
#include "support/ThrowingHost.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;

namespace {
GSHandle handleOf(size_t bytes) {
    return BMNewHandle(static_cast<GSSize>(bytes));
}
} // namespace

TEST(ElementMemoStore, ValuesComeFromTheSourceExceptTheTargetFieldsAndAddressesPointIntoTheTarget) {
    ModuleUnderTest module(nullptr, false); // the host frees what memos hold
    API_ElementMemo source;
    source.coordinates = handleOf(16);
    source.textContent = handleOf(4);
    source.sectionPoints1 = handleOf(16);
    source.field400 = handleOf(8);
    source.field1168 = handleOf(8);
    API_ElementMemo* target = allocateElementMemo();
    target->sectionPoints1 = handleOf(32);
    target->field1008 = handleOf(8);
    {
        ElementMemoStore store(target, &source);
        EXPECT_EQ(store.getCoordinates(), source.coordinates);
        EXPECT_EQ(store.getParameters(), nullptr);
        // These read the target even with another source.
        EXPECT_EQ(store.getSectionPoints1(), target->sectionPoints1);
        EXPECT_EQ(store.getField400(), nullptr);
        EXPECT_EQ(store.getField1008(), target->field1008);
        EXPECT_EQ(store.getField1168(), nullptr);
        EXPECT_EQ(store.drawingDataBlockAddress(), &target->drawingData);
        EXPECT_EQ(store.field1064Address(), &target->field1064);
        source.record256[5] = 42;
        MemoRecord48 copy = {};
        store.getRecord256(copy);
        EXPECT_EQ(copy[5], 42);
        *store.paragraphsAddress() = handleOf(112);
    } // the store frees the target and what it holds; the source stays the caller's
    for (GSHandle* h : {&source.coordinates, &source.textContent, &source.sectionPoints1, &source.field400,
                        &source.field1168})
        BMKillHandle(h);
}

TEST(ElementMemoStore, TheSubBlockIsMadeOnceAndAReleasedStoreLeavesItsBlockAlone) {
    ModuleUnderTest module(nullptr, false); // the host frees what memos hold
    API_ElementMemo* block = nullptr;
    {
        ElementMemoStore store;
        EXPECT_EQ(store.getSubBlock(), nullptr);
        GSPtr* first = store.subBlockAddress();
        ASSERT_NE(*first, nullptr);
        GSPtr made = *first;
        EXPECT_EQ(BMPtrSize(made), 56);
        EXPECT_EQ(store.subBlockAddress(), first);
        EXPECT_EQ(*store.subBlockAddress(), made);
        *store.vertexIdsAddress() = handleOf(8);
        block = store.release();
        EXPECT_TRUE(store.isReleased());
    }
    // Still alive after the store went: the block, its sub-block and its handle.
    EXPECT_EQ(BMPtrSize(block->subBlock), 56);
    EXPECT_EQ(BMHandleSize(block->vertexIds), 8);
    freeElementMemo(block);
}

TEST(MemoStore, EachStoreThrowsForTheFieldsOfTheOtherKind) {
    ModuleUnderTest module(nullptr, false); // the host frees what memos hold
    ElementMemoStore elements;
    EXPECT_THROW(elements.getCoreList(), std::bad_alloc);
    EXPECT_THROW(elements.layerStatusAddress(), std::bad_alloc);
    try {
        elements.getAttributeField0();
        FAIL();
    } catch (const std::bad_alloc& e) {
        EXPECT_STREQ(e.what(), "bad allocation");
    }

    AttributeMemoStore attributes;
    EXPECT_THROW(attributes.getCoordinates(), std::bad_alloc);
    EXPECT_THROW(attributes.textContentAddress(), std::bad_alloc);
    EXPECT_THROW(attributes.subBlockAddress(), std::bad_alloc);
    MemoRecord48 record;
    EXPECT_THROW(attributes.getRecord304(record), std::bad_alloc);
    EXPECT_EQ(attributes.parametersAddress(), &attributes.getBlock()->parameters);
    *attributes.edgeListAddress() = handleOf(24);
    EXPECT_EQ(attributes.getEdgeList(), attributes.getBlock()->edgeList); // freed with the store
}

// What the host throws while a destructor gives its things back goes no further than it: the
// program goes on, and the next store is freed as ever.
TEST(MemoStore, AHostThatThrowsWhileAStoreOrAProgressWindowGoesEndsNoProgram) {
    ModuleUnderTest module(nullptr, false);
    testsupport::makeThrowable(module.host().functionTable());
    SetImportedFuncAddrs(&module.host().functionTable());
    const int before = testsupport::hostThrows();
    for (auto kind : {testsupport::HostThrow::Runtime, testsupport::HostThrow::BadAlloc}) {
        testsupport::armThrow("DisposeElementMemo", kind);
        { ElementMemoStore store; }
        testsupport::armThrow("DisposeAttributeMemo", kind);
        { AttributeMemoStore store; }
        testsupport::armThrow("InterfaceCall", kind, 1); // the closing call, after the opening one
        {
            std::shared_ptr<ProgressMonitor> progress = ProgressWindow::create(String("Work"), 1);
            EXPECT_TRUE(module.host().processWindow().state().open);
        }
        // The window is the module's no more: once the host closes it, the next one opens.
        module.host().processWindow().forceClose();
        std::shared_ptr<ProgressMonitor> next = ProgressWindow::create(String("More"), 1);
        EXPECT_TRUE(module.host().processWindow().state().open);
        EXPECT_EQ(module.host().processWindow().state().title, "More");
    }
    EXPECT_EQ(testsupport::hostThrows(), before + 6);
    {
        ElementMemoStore store;
        *store.vertexIdsAddress() = handleOf(8); // freed with the store, as ever
    }
}

TEST(AttributeMemoStore, AReleasedBlockOutlivesItsStore) {
    ModuleUnderTest module(nullptr, false); // the host frees what memos hold
    HostAttributeMemo* block = nullptr;
    {
        AttributeMemoStore store;
        *store.attributeField8Address() = handleOf(4);
        block = store.release();
    }
    EXPECT_EQ(BMHandleSize(block->field8), 4);
    freeAttributeMemoBlock(block);
}

namespace {

// A store that counts its deletions.
struct CountedStore : MemoStore {
    static inline int deleted = 0;
    ~CountedStore() override { ++deleted; }
};

// A memo whose load fetches a store and then, when told, throws.
struct FetchingMemo : Memo {
    bool throwAfterFetch = false;
    bool isValid() const override { return m_loaded; }
    void load(Element&, MemoStore*& store) override {
        store = new CountedStore();
        if (throwAfterFetch) throw std::runtime_error("corrupt");
        m_loaded = true;
    }
    bool writeMemo(MemoStore&) override { return false; }
    bool readMemo(MemoStore&) override { return false; }
};

} // namespace

TEST(MemoStoreHolder, DeletesTheFetchedStoreWhenItGoesAlsoWhenTheLoadThrows) {
    CountedStore::deleted = 0;
    {
        MemoStoreHolder empty; // nothing fetched: nothing to delete
        EXPECT_EQ(empty.get(), nullptr);
    }
    {
        MemoStoreHolder holder;
        holder.slot() = new CountedStore();
        EXPECT_NE(holder.get(), nullptr);
    }
    EXPECT_EQ(CountedStore::deleted, 1);

    // Memo::ensureLoaded holds what the owner fetched.
    elementtest::TestElement owner{ElementLink()};
    FetchingMemo memo;
    EXPECT_TRUE(memo.ensureLoaded(owner));
    EXPECT_EQ(CountedStore::deleted, 2);
    EXPECT_TRUE(memo.ensureLoaded(owner)); // loaded: nothing fetched
    EXPECT_EQ(CountedStore::deleted, 2);
    FetchingMemo throwing;
    throwing.throwAfterFetch = true;
    EXPECT_THROW(throwing.ensureLoaded(owner), std::runtime_error);
    EXPECT_EQ(CountedStore::deleted, 3);
    EXPECT_FALSE(throwing.isLoaded());
}
