// The project's attribute tables as undo steps keep them: copies share their tables, so each copy
// must keep what it held whatever the other side changes, and an undo must bring back exactly the
// attributes of the step before.
#include "platform/host/AttributeStore.h"
#include "ModelTestSupport.h"

using zavhost::AttributeStore;
using zavhost::StoredUserData;

namespace {

double penWidth(const AttributeStore& store, int16_t index) {
    API_Attribute pen = attribute(AttrPen, index);
    return store.get(&pen) == hosterr::Ok ? pen.pen.width : -1.0;
}

double penWidth(const HostFunctionTable& table, int16_t index) {
    API_Attribute pen = attribute(AttrPen, index);
    return table.GetAttribute(&pen) == hosterr::Ok ? pen.pen.width : -1.0;
}

int16_t indexNamed(const HostFunctionTable& table, uint8_t type, const char* name) {
    HostAttributeHeader header = attribute(type, 0, name).header;
    return table.SearchAttribute(&header) == hosterr::Ok ? header.index : 0;
}

} // namespace

TEST(AttributeStore, ACopyKeepsWhatItHeldWhateverTheOtherSideDoes) {
    // A new project's pens 2, 3 and 8 are 0.18, 0.25 and 1.0 wide; its layers 1 to 5, the last
    // "Hidden Things".
    AttributeStore store = AttributeStore::withDefaults();
    AttributeStore copy = store;
    API_Attribute pen = attribute(AttrPen, 2);
    ASSERT_EQ(copy.get(&pen), hosterr::Ok);
    pen.pen.width = 0.9;
    ASSERT_EQ(copy.modify(pen, nullptr), hosterr::Ok);
    API_Attribute notes = attribute(AttrLayer, 0, "Notes");
    ASSERT_EQ(copy.create(&notes, nullptr), hosterr::Ok);
    EXPECT_EQ(notes.header.index, 6);
    ASSERT_EQ(copy.remove(AttrLayer, 5), hosterr::Ok);
    copy.edit(AttrLayer, 1)->userData = StoredUserData{1, 0x4D4D, 12, "mm"};

    EXPECT_EQ(penWidth(store, 2), 0.18);
    ASSERT_NE(store.find(AttrLayer, 5), nullptr);
    EXPECT_EQ(store.find(AttrLayer, 5)->name(), "Hidden Things");
    EXPECT_EQ(store.count(AttrLayer), 5);
    EXPECT_EQ(store.liveCount(AttrLayer), 5u);
    EXPECT_EQ(store.search(AttrLayer, "Notes"), 0);
    EXPECT_FALSE(store.find(AttrLayer, 1)->userData);

    EXPECT_EQ(penWidth(copy, 2), 0.9);
    EXPECT_EQ(copy.find(AttrLayer, 5), nullptr);
    EXPECT_EQ(copy.count(AttrLayer), 6);
    EXPECT_EQ(copy.liveCount(AttrLayer), 5u);
    EXPECT_EQ(copy.search(AttrLayer, "Notes"), 6);
    ASSERT_TRUE(copy.find(AttrLayer, 1)->userData);
    EXPECT_EQ(copy.find(AttrLayer, 1)->userData->bytes, "mm");
    EXPECT_FALSE(store == copy);

    // The other way: what changes in the store after a copy is not in the copy.
    const AttributeStore kept = store;
    store.edit(AttrPen, 3)->record.pen.width = 2.0;
    ASSERT_EQ(store.remove(AttrPen, 8), hosterr::Ok);
    EXPECT_EQ(penWidth(kept, 3), 0.25);
    EXPECT_EQ(penWidth(kept, 8), 1.0);
    EXPECT_EQ(kept.count(AttrPen), 8);
    EXPECT_EQ(penWidth(store, 3), 2.0);
    EXPECT_EQ(store.count(AttrPen), 7);
}

TEST(AttributeStore, CountIsTheHighestIndexLeftInUse) {
    AttributeStore store = AttributeStore::withDefaults();
    EXPECT_EQ(store.count(AttrPen), 8);
    ASSERT_EQ(store.remove(AttrPen, 4), hosterr::Ok);
    EXPECT_EQ(store.count(AttrPen), 8);
    for (int16_t index : {8, 7, 6, 5})
        ASSERT_EQ(store.remove(AttrPen, index), hosterr::Ok);
    EXPECT_EQ(store.count(AttrPen), 3); // 4 went first
    for (int16_t index : {3, 2, 1})
        ASSERT_EQ(store.remove(AttrPen, index), hosterr::Ok);
    EXPECT_EQ(store.count(AttrPen), 0);
    EXPECT_EQ(store.count(0), 0);
    API_Attribute pen = attribute(AttrPen, 0, "Pen Again");
    ASSERT_EQ(store.create(&pen, nullptr), hosterr::Ok);
    EXPECT_EQ(pen.header.index, 1);
}

TEST_F(ModelTest, UndoBringsBackTheAttributesOfEachStep) {
    API_Attribute notes = attribute(AttrLayer, 0, "Notes");
    ASSERT_EQ(inCommand([&] {
                  API_Attribute pen = attribute(AttrPen, 2);
                  table().GetAttribute(&pen);
                  pen.pen.width = 0.9;
                  GSErrCode err = table().ModifyAttribute(&pen, nullptr);
                  return err != hosterr::Ok ? err : table().CreateAttribute(&notes, nullptr);
              }),
              hosterr::Ok);
    ASSERT_EQ(inCommand([&] {
                  API_Attribute pen = attribute(AttrPen, 2);
                  table().GetAttribute(&pen);
                  pen.pen.width = 1.5;
                  API_Attribute hatch = attribute(AttrFill, 0, "Hatch");
                  HostAttributeHeader gone = notes.header;
                  GSErrCode err = table().ModifyAttribute(&pen, nullptr);
                  if (err == hosterr::Ok) err = table().CreateAttribute(&hatch, nullptr);
                  return err != hosterr::Ok ? err : table().DeleteAttribute(&gone);
              }),
              hosterr::Ok);
    EXPECT_EQ(penWidth(table(), 2), 1.5);
    EXPECT_EQ(indexNamed(table(), AttrLayer, "Notes"), 0);
    EXPECT_NE(indexNamed(table(), AttrFill, "Hatch"), 0);

    // A step that fails leaves nothing of itself.
    EXPECT_EQ(inCommand([&] {
                  API_Attribute extra = attribute(AttrLayer, 0, "Extra");
                  table().CreateAttribute(&extra, nullptr);
                  return hosterr::Failed;
              }),
              hosterr::Failed);
    EXPECT_EQ(indexNamed(table(), AttrLayer, "Extra"), 0);

    ASSERT_EQ(host.undo(), hosterr::Ok);
    EXPECT_EQ(penWidth(table(), 2), 0.9);
    EXPECT_EQ(indexNamed(table(), AttrLayer, "Notes"), notes.header.index);
    EXPECT_EQ(indexNamed(table(), AttrFill, "Hatch"), 0);
    uint16_t fills = 0;
    table().GetAttributeCount(AttrFill, &fills);
    EXPECT_EQ(fills, 1);

    ASSERT_EQ(host.undo(), hosterr::Ok);
    EXPECT_EQ(penWidth(table(), 2), 0.18);
    EXPECT_EQ(indexNamed(table(), AttrLayer, "Notes"), 0);
}
