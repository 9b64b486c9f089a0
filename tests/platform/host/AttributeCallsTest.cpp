#include "ModelTestSupport.h"
#include "platform/api/CompositeRecords.h"

namespace {
API_Attribute layerNamed(const char* name) {
    return attribute(AttrLayer, 0, name);
}
} // namespace

TEST_F(ModelTest, ANewProjectHasDefaultAttributes) {
    API_Attribute pen = attribute(AttrPen, 1);
    ASSERT_EQ(table().GetAttribute(&pen), hosterr::Ok);
    EXPECT_EQ(pen.pen.width, 0.1);
    EXPECT_EQ(pen.pen.red + pen.pen.green + pen.pen.blue, 0.0);
    for (uint8_t type : {AttrLayer, AttrLineType, AttrFill, AttrComposite, AttrSurface, AttrFont, AttrCity,
                         AttrLayerCombination, AttrProfile, AttrBuildingMaterial}) {
        uint16_t count = 0;
        EXPECT_EQ(table().GetAttributeCount(type, &count), hosterr::Ok);
        EXPECT_GE(count, 1) << int(type);
    }
    int16_t combination = 0;
    ASSERT_EQ(environment("GCLC", &combination), hosterr::Ok);
    HostAttributeMemo memo;
    ASSERT_EQ(table().GetAttributeMemo(AttrLayerCombination, combination, &memo), hosterr::Ok);
    uint16_t layers = 0;
    table().GetAttributeCount(AttrLayer, &layers);
    EXPECT_EQ(BMHandleSize(memo.layerStatus), GSSize(layers * sizeof(HostLayerStatus)));
    EXPECT_EQ(table().DisposeAttributeMemo(&memo), hosterr::Ok);
    EXPECT_EQ(memo.layerStatus, nullptr);

    // User data is missing until set.
    HostAttributeHeader header = attribute(AttrLayer, 1).header;
    HostUserData data;
    EXPECT_EQ(table().GetAttributeUserData(&header, &data), hosterr::NoUserData);
    EXPECT_EQ(data.dataHandle, nullptr);
    project().model.attributes.edit(AttrLayer, 1)->userData = zavhost::StoredUserData{1, 0x4D4D, 12, "mm"};
    ASSERT_EQ(table().GetAttributeUserData(&header, &data), hosterr::Ok);
    EXPECT_EQ(data.platformSign, 0x4D4D);
    EXPECT_EQ(bytesOf(data.dataHandle), "mm");
    BMKillHandle(&data.dataHandle);
    header.index = 99;
    EXPECT_EQ(table().GetAttributeUserData(&header, &data), hosterr::BadIndex);
}

TEST_F(ModelTest, AttributeChangesNeedAnUndoableCommandAndNamesAreUnique) {
    API_Attribute record = layerNamed("Notes");
    const size_t calls = host.calls().size();
    EXPECT_EQ(table().CreateAttribute(&record, nullptr), hosterr::Refused);
    EXPECT_TRUE(host.calls().contains("CreateAttribute (layer 0 \"Notes\": refused", calls));
    ASSERT_EQ(inCommand([&] { return table().CreateAttribute(&record, nullptr); }), hosterr::Ok);
    EXPECT_GT(record.header.index, 1);
    API_Attribute twin = layerNamed("Notes");
    EXPECT_EQ(inCommand([&] { return table().CreateAttribute(&twin, nullptr); }), hosterr::BadParameter);

    HostAttributeHeader search = layerNamed("Notes").header;
    ASSERT_EQ(table().SearchAttribute(&search), hosterr::Ok);
    EXPECT_EQ(search.index, record.header.index);
    std::strcpy(search.name, "Nobody");
    EXPECT_EQ(table().SearchAttribute(&search), hosterr::NotFound);

    record.header.flags = LayerLocked;
    record.layer.connectionClass = 7;
    ASSERT_EQ(inCommand([&] { return table().ModifyAttribute(&record, nullptr); }), hosterr::Ok);
    API_Attribute read = attribute(AttrLayer, record.header.index);
    ASSERT_EQ(table().GetAttribute(&read), hosterr::Ok);
    EXPECT_EQ(read.header.flags, LayerLocked);
    EXPECT_EQ(read.layer.connectionClass, 7u);
    EXPECT_FALSE(read.header.guid.isNull());
}

TEST_F(ModelTest, ChangingAnAttributeKeepsTheUserDataStoredWithIt) {
    API_Attribute record = layerNamed("Notes");
    ASSERT_EQ(inCommand([&] { return table().CreateAttribute(&record, nullptr); }), hosterr::Ok);
    const zavhost::StoredUserData stored{3, 0x5757, 0x10, std::string("ann\0tated", 10)};
    project().model.attributes.edit(AttrLayer, record.header.index)->userData = stored;
    HostAttributeMemo empty;
    for (HostAttributeMemo* memo : {static_cast<HostAttributeMemo*>(nullptr), &empty}) {
        record.layer.connectionClass += 1;
        ASSERT_EQ(inCommand([&] { return table().ModifyAttribute(&record, memo); }), hosterr::Ok);
        HostAttributeHeader header = record.header;
        HostUserData data;
        ASSERT_EQ(table().GetAttributeUserData(&header, &data), hosterr::Ok) << (memo != nullptr);
        EXPECT_EQ(data.version, stored.version);
        EXPECT_EQ(data.platformSign, stored.platformSign);
        EXPECT_EQ(data.flags, stored.flags);
        EXPECT_EQ(bytesOf(data.dataHandle), stored.bytes);
        BMKillHandle(&data.dataHandle);
    }
    API_Attribute read = attribute(AttrLayer, record.header.index);
    ASSERT_EQ(table().GetAttribute(&read), hosterr::Ok);
    EXPECT_EQ(read.layer.connectionClass, record.layer.connectionClass);
}

TEST_F(ModelTest, CountIsTheHighestIndexSoWalksReachAttributesAboveHoles) {
    std::vector<int16_t> made;
    for (const char* name : {"A", "B", "C", "D"}) {
        API_Attribute record = layerNamed(name);
        ASSERT_EQ(inCommand([&] { return table().CreateAttribute(&record, nullptr); }), hosterr::Ok);
        made.push_back(record.header.index);
    }
    uint16_t before = 0;
    table().GetAttributeCount(AttrLayer, &before);
    HostAttributeHeader header = attribute(AttrLayer, made[1]).header;
    ASSERT_EQ(inCommand([&] { return table().DeleteAttribute(&header); }), hosterr::Ok);
    // Deleting many is all or nothing: an unknown or repeated index deletes none.
    int16_t bad[] = {made[2], made[1]};
    GSHandle indices = handleOf(std::string(reinterpret_cast<char*>(bad), sizeof bad));
    EXPECT_EQ(inCommand([&] { return table().DeleteAttributes(&header, indices); }), hosterr::BadIndex);
    int16_t twice[] = {made[2], made[2]};
    std::memcpy(*indices, twice, sizeof twice);
    EXPECT_EQ(inCommand([&] { return table().DeleteAttributes(&header, indices); }), hosterr::BadIndex);
    int16_t good[] = {made[2]};
    BMResizeHandle(indices, sizeof good);
    std::memcpy(*indices, good, sizeof good);
    EXPECT_EQ(inCommand([&] { return table().DeleteAttributes(&header, indices); }), hosterr::Ok);
    BMKillHandle(&indices);

    uint16_t count = 0;
    table().GetAttributeCount(AttrLayer, &count);
    EXPECT_EQ(count, before); // D is still there above the holes
    int found = 0;
    for (int16_t index = 1; index <= int16_t(count); ++index) {
        API_Attribute record = attribute(AttrLayer, index);
        GSErrCode err = table().GetAttribute(&record);
        EXPECT_EQ(err, index == made[1] || index == made[2] ? hosterr::BadIndex : hosterr::Ok) << index;
        found += err == hosterr::Ok ? 1 : 0;
    }
    EXPECT_EQ(found, int(project().model.attributes.liveCount(AttrLayer)));
    header.index = 1; // the default layer stays
    EXPECT_EQ(inCommand([&] { return table().DeleteAttribute(&header); }), hosterr::Refused);
    uint16_t none = 0;
    EXPECT_EQ(table().GetAttributeCount(0, &none), hosterr::BadParameter);
    EXPECT_EQ(table().GetAttributeCount(19, &none), hosterr::BadParameter);
}

TEST_F(ModelTest, MemosAreDeepCopiesOwnedByTheCaller) {
    API_Attribute record = attribute(AttrComposite, 0, "Brick Wall");
    HostAttributeMemo memo;
    const std::string cores(sizeof(HostCompositeCore), 'c'), edges(2 * sizeof(HostCompositeEdge), 'e');
    memo.coreList = handleOf(cores);
    memo.edgeList = handleOf(edges);
    ASSERT_EQ(inCommand([&] { return table().CreateAttribute(&record, &memo); }), hosterr::Ok);
    std::memcpy(*memo.coreList, "CHANG", 5); // the host kept its own copy
    table().DisposeAttributeMemo(&memo);
    EXPECT_EQ(memo.coreList, nullptr);

    HostAttributeMemo read;
    ASSERT_EQ(table().GetAttributeMemo(AttrComposite, record.header.index, &read), hosterr::Ok);
    EXPECT_EQ(bytesOf(read.coreList), cores);
    EXPECT_EQ(bytesOf(read.edgeList), edges);
    HostAttributeMemo second;
    ASSERT_EQ(table().GetAttributeMemo(AttrComposite, record.header.index, &second), hosterr::Ok);
    EXPECT_NE(second.coreList, read.coreList); // every fetch hands out fresh handles
    table().DisposeAttributeMemo(&read);
    table().DisposeAttributeMemo(&second);
    EXPECT_EQ(table().GetAttributeMemo(AttrComposite, 99, &read), hosterr::BadIndex);

    // A pointer the host did not make is left alone and reported.
    char local[8] = {};
    HostAttributeMemo foreign;
    foreign.field0 = reinterpret_cast<GSHandle>(local);
    EXPECT_EQ(table().DisposeAttributeMemo(&foreign), hosterr::BadParameter);
}

TEST_F(ModelTest, ACompositeMemoIsWholeCoresWithOneEdgeMoreOrNothing) {
    const size_t core = sizeof(HostCompositeCore), edge = sizeof(HostCompositeEdge);
    const struct {
        const char* what;
        size_t coreBytes, edgeBytes;
        GSErrCode answer;
    } cases[] = {{"neither", 0, 0, hosterr::Ok},
                 {"two cores, three edges", 2 * core, 3 * edge, hosterr::Ok},
                 {"a partial core", core + 1, 2 * edge, hosterr::BadParameter},
                 {"a partial edge", core, 2 * edge - 1, hosterr::BadParameter},
                 {"as many edges as cores", 2 * core, 2 * edge, hosterr::BadParameter},
                 {"edges alone", 0, edge, hosterr::BadParameter},
                 {"cores alone", core, 0, hosterr::BadParameter}};
    int number = 0;
    for (const auto& c : cases) {
        API_Attribute record = attribute(AttrComposite, 0, ("Case " + std::to_string(++number)).c_str());
        HostAttributeMemo memo;
        if (c.coreBytes != 0) memo.coreList = handleOf(std::string(c.coreBytes, 'c'));
        if (c.edgeBytes != 0) memo.edgeList = handleOf(std::string(c.edgeBytes, 'e'));
        EXPECT_EQ(inCommand([&] { return table().CreateAttribute(&record, &memo); }), c.answer) << c.what;
        // A change is held to the same rule.
        record = attribute(AttrComposite, 1, "Two Skins");
        EXPECT_EQ(inCommand([&] { return table().ModifyAttribute(&record, &memo); }), c.answer) << c.what;
        table().DisposeAttributeMemo(&memo);
    }
    const zavhost::StoredAttribute* wall = project().model.attributes.find(AttrComposite, 1);
    EXPECT_EQ(wall->memo.at(offsetof(HostAttributeMemo, coreList)).bytes, std::string(2 * core, 'c'));
}
