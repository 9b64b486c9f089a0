#include "platform/host/StoredBlocks.h"
#include "ModelTestSupport.h"

using namespace zavhost;

TEST(StoredBlocks, CopiesLiveBlocksOnlyAndKeepsNoAddresses) {
    bool foreign = false;
    char local[16] = {};
    EXPECT_FALSE(copyBlock(local, true, &foreign).has_value());
    EXPECT_TRUE(foreign);
    EXPECT_FALSE(copyBlock(nullptr, true, &foreign).has_value());
    EXPECT_FALSE(foreign);

    GSPtr block = BMNewPtr(24);
    GSHandle inner = BMNewHandle(3);
    std::memcpy(block + 8, &inner, sizeof inner);
    std::memcpy(block + 16, "8 bytes!", 8); // data, not a block: kept as bytes
    std::optional<StoredBlock> stored = copyBlock(block, true);
    ASSERT_TRUE(stored && stored->isPointer);
    ASSERT_EQ(stored->nested.size(), 1u);
    EXPECT_EQ(stored->nested[0].first, 8u);
    EXPECT_EQ(stored->bytes.substr(8, 8), std::string(8, '\0')); // no address is kept
    EXPECT_EQ(stored->bytes.substr(16, 8), "8 bytes!");
    void* made = makeBlock(*stored);
    ASSERT_TRUE(BMIsLivePtr(static_cast<GSPtr>(made)));
    EXPECT_TRUE(freeBlock(made, true));
    BMKillHandle(&inner);
    BMKillPtr(&block);
    EXPECT_FALSE(freeBlock(local, false));
}

TEST(StoredBlocks, RunningOutOfMemoryLeavesNothingBehind) {
    StoredMemo memo;
    for (uint32_t offset : {0u, 8u, 112u, 400u})
        memo.blocks[offset].bytes = "some bytes";
    for (int64_t successes = 0; successes < 4; ++successes) {
        API_ElementMemo out;
        BMFailAfter(successes);
        EXPECT_FALSE(handOutElementMemo(memo, 0, &out)) << successes;
        BMFailAfter(-1);
        EXPECT_EQ(out.coordinates, nullptr);
        EXPECT_EQ(out.textContent, nullptr);
    }
}

TEST(StoredBlocks, AChangeTakesTheMaskedPartsAndWhatItBrings) {
    StoredMemo stored, given;
    stored.blocks[offsetof(API_ElementMemo, coordinates)].bytes = "old points";
    stored.blocks[offsetof(API_ElementMemo, textContent)].bytes = "old text";
    stored.blocks[offsetof(API_ElementMemo, picture)].bytes = "old picture";
    given.blocks[offsetof(API_ElementMemo, picture)].bytes = "new picture";
    changeElementMemo(&stored, given, MemoPolygon);
    EXPECT_EQ(stored.blocks.count(offsetof(API_ElementMemo, coordinates)), 0u); // asked for, not given: gone
    EXPECT_EQ(stored.blocks.at(offsetof(API_ElementMemo, textContent)).bytes, "old text");
    EXPECT_EQ(stored.blocks.at(offsetof(API_ElementMemo, picture)).bytes, "new picture");
    given.inlineRecords[3] = 1;
    changeElementMemo(&stored, given, 0);
    EXPECT_EQ(stored.inlineRecords[3], 1);
}

TEST_F(ModelTest, AFailedCommandTakesItsElementsUserDataAndAttributesBack) {
    API_Guid kept = create(15);
    API_Guid made;
    HostElementHead head = headOf(kept);
    GSErrCode err = inCommand([&] {
        API_Element element;
        element.head.typeCode = 19;
        table().CreateElement(&element, nullptr);
        made = element.head.guid;
        HostUserData data{.dataHandle = handleOf("gone")};
        table().SetElementUserData(&head, &data);
        BMKillHandle(&data.dataHandle);
        GSHandle references = BMNewHandle(sizeof(HostSelectionRecord));
        reinterpret_cast<HostSelectionRecord*>(*references)->guid = made;
        table().SelectElements(references, 1, true);
        BMKillHandle(&references);
        API_Attribute layer;
        layer.header.typeCode = AttrLayer;
        std::strcpy(layer.header.name, "Short Lived");
        EXPECT_EQ(table().CreateAttribute(&layer, nullptr), hosterr::Ok);
        return hosterr::Failed;
    });
    EXPECT_EQ(err, hosterr::Failed);
    EXPECT_EQ(project().model.attributes.search(AttrLayer, "Short Lived"), 0);
    API_Element element;
    element.head.guid = made;
    EXPECT_EQ(table().GetElement(&element), hosterr::BadGuid);
    HostUserData data;
    EXPECT_EQ(table().GetElementUserData(&head, &data), hosterr::NoUserData);
    HostSelectionInfo info;
    GSHandle selected = nullptr;
    ASSERT_EQ(table().GetSelection(&info, &selected), hosterr::Ok);
    EXPECT_EQ(info.count, 0); // the selected element went with the step
    EXPECT_EQ(selected, nullptr);
}

TEST(StoreyList, AddsAboveAndBelowAndRestoresOnlySoundLists) {
    StoreyList list = StoreyList::withDefaults();
    std::string why;
    EXPECT_FALSE(list.add("Between", 1.5, &why));
    EXPECT_NE(why.find("needs its index"), std::string::npos);
    EXPECT_TRUE(list.add("Between", 1.5, 7, &why));
    EXPECT_FALSE(list.add("Same Level", 1.5, 8, &why));
    EXPECT_FALSE(list.add("Taken", 9.0, 7, &why));
    EXPECT_TRUE(list.add("Cellar", -3.0, &why));
    EXPECT_EQ(list.storeys().front().index, -1);
    EXPECT_EQ(list.storeys()[2].name, "Between"); // in level order
    EXPECT_FALSE(list.restore({{0, 0, 3.0, "A", 0}, {1, 1, 0.0, "B", 0}}, 0, 3.0));
    EXPECT_FALSE(list.restore({{0, 0, 0.0, "A", 0}, {0, 1, 3.0, "B", 0}}, 0, 3.0));
    EXPECT_FALSE(list.restore({{0, 0, 0.0, "A", 0}}, 4, 3.0));
    EXPECT_EQ(list.storeys().size(), 4u); // unchanged by the refusals
    EXPECT_TRUE(list.restore({}, 0, 3.0));
    HostStoreyInfo info;
    ASSERT_TRUE(list.fill(&info));
    EXPECT_EQ(BMHandleSize(info.storeys), GSSize(sizeof(HostStoreyEntry))); // one closing record: no storey
    BMKillHandle(&info.storeys);
}
