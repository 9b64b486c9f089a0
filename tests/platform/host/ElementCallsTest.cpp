#include "ModelTestSupport.h"

class ElementCalls : public ModelTest {
protected:
    // A closed square of side 2 with a square hole of side 1, as a polygon memo holds it.
    static void squareWithHole(API_ElementMemo* memo) {
        const HostCoord2D coords[] = {{0, 0},     {0, 0},     {2, 0},     {2, 2},     {0, 2},    {0, 0},
                                      {0.5, 0.5}, {1.5, 0.5}, {1.5, 1.5}, {0.5, 1.5}, {0.5, 0.5}};
        const uint32_t ends[] = {0, 5, 10};
        memo->coordinates = handleOf(std::string(reinterpret_cast<const char*>(coords), sizeof coords));
        memo->subPolygonEnds = handleOf(std::string(reinterpret_cast<const char*>(ends), sizeof ends));
    }
    API_Guid createWithHole(uint32_t type) {
        API_ElementMemo memo;
        squareWithHole(&memo);
        API_Guid guid = create(type, &memo);
        table().DisposeElementMemo(&memo);
        return guid;
    }
    static GSHandle selectionOf(const API_Guid& guid) {
        HostSelectionRecord record;
        record.guid = guid;
        record.partIndex = 1;
        return handleOf(std::string(reinterpret_cast<const char*>(&record), sizeof record));
    }
};

TEST_F(ElementCalls, CreatingIsRefusedOutsideAnUndoableCommandAndAssignsGuids) {
    API_Element element;
    element.head.typeCode = 15;
    EXPECT_EQ(table().CreateElement(&element, nullptr), hosterr::Refused);
    EXPECT_TRUE(element.head.guid.isNull());
    EXPECT_EQ(project().model.views.plan().elements.size(), 0u);

    API_Guid first = create(15);
    EXPECT_FALSE(first.isNull());
    EXPECT_NE(first, create(15));
    API_Element read = elementOf(first);
    EXPECT_EQ(read.head.typeCode, 15u);
    EXPECT_EQ(read.head.layer, 1); // the default text's layer
    read.head.typeCode = 19;
    EXPECT_EQ(table().GetElement(&read), hosterr::BadParameter); // asked as another type

    API_Element unknown;
    unknown.head.guid = API_Guid::fromHalves(1, 2);
    EXPECT_EQ(table().GetElement(&unknown), hosterr::BadGuid);
    HostElementHead head = headOf(unknown.head.guid);
    EXPECT_EQ(table().GetElementHeader(&head), hosterr::BadGuid);
    API_ElementMemo memo;
    EXPECT_EQ(table().GetElementMemo(&unknown.head.guid, &memo, 0), hosterr::BadGuid);
    element.head.layer = 99;
    EXPECT_EQ(inCommand([&] { return table().CreateElement(&element, nullptr); }), hosterr::BadIndex);
}

TEST_F(ElementCalls, MemosAreStoredDeepAndHandedOutByMask) {
    API_ElementMemo memo;
    squareWithHole(&memo);
    memo.textContent = handleOf(std::string("Hello\0", 6));
    memo.field1064 = handleOf("unknown part");
    memo.subBlock = BMNewPtr(56);
    GSHandle inner = handleOf("contour");
    std::memcpy(memo.subBlock, &inner, sizeof inner);
    memo.record256[0] = 42;
    API_Guid guid = create(18, &memo);
    EXPECT_EQ(table().DisposeElementMemo(&memo), hosterr::Ok);
    EXPECT_EQ(memo.subBlock, nullptr);

    API_ElementMemo all;
    ASSERT_EQ(table().GetElementMemo(&guid, &all, 0), hosterr::Ok);
    EXPECT_EQ(BMHandleSize(all.coordinates), GSSize(11 * sizeof(HostCoord2D)));
    EXPECT_EQ(bytesOf(all.textContent), std::string("Hello\0", 6));
    EXPECT_EQ(bytesOf(all.field1064), "unknown part");
    ASSERT_TRUE(BMIsLivePtr(all.subBlock));
    GSHandle innerCopy = nullptr;
    std::memcpy(&innerCopy, all.subBlock, sizeof innerCopy);
    EXPECT_NE(innerCopy, inner);
    EXPECT_EQ(bytesOf(innerCopy), "contour");
    EXPECT_EQ(all.record256[0], 42);
    table().DisposeElementMemo(&all); // frees the sub-block's handle too (leak-checked)

    API_ElementMemo text;
    ASSERT_EQ(table().GetElementMemo(&guid, &text, MemoText), hosterr::Ok);
    EXPECT_EQ(text.coordinates, nullptr);
    EXPECT_NE(text.textContent, nullptr);
    EXPECT_NE(text.field1064, nullptr); // a part the host knows no bit of comes with any mask
    table().DisposeElementMemo(&text);

    // A change by mask replaces only the parts it names.
    API_Element element = elementOf(guid);
    API_ElementMemo change;
    change.textContent = handleOf("Bye");
    ASSERT_EQ(this->change(&element, nullptr, &change, MemoText), hosterr::Ok);
    table().DisposeElementMemo(&change);
    ASSERT_EQ(table().GetElementMemo(&guid, &all, 0), hosterr::Ok);
    EXPECT_EQ(bytesOf(all.textContent), "Bye");
    EXPECT_NE(all.coordinates, nullptr);
    table().DisposeElementMemo(&all);
}

TEST_F(ElementCalls, ChangesTakeOnlyTheMaskedBytesAndRespectLocks) {
    API_Guid guid = create(19);
    API_Element changed = elementOf(guid);
    changed.head.layer = 2;
    changed.raw[200] = 7;
    changed.head.typeCode = 15; // never changes
    API_Element mask;
    mask.raw[offsetof(HostElementHead, layer)] = mask.raw[offsetof(HostElementHead, layer) + 1] = 0xFF;
    mask.raw[0] = 0xFF;
    ASSERT_EQ(change(&changed, &mask), hosterr::Ok);
    EXPECT_EQ(changed.head.layer, 2);
    EXPECT_EQ(changed.raw[200], 0); // not masked: the host's byte came back
    EXPECT_EQ(changed.head.typeCode, 19u);

    GSHandle heads = headsOf(guid);
    EXPECT_EQ(table().ElementToolCall(fourCC("LOCK"), heads, 1), hosterr::Refused); // outside a command
    ASSERT_EQ(inCommand([&] { return table().ElementToolCall(fourCC("LOCK"), heads, 1); }), hosterr::Ok);
    EXPECT_EQ(change(&changed), hosterr::Refused);
    EXPECT_EQ(inCommand([&] { return table().DeleteElements(heads, 1); }), hosterr::Refused);
    ASSERT_EQ(inCommand([&] { return table().ElementToolCall(fourCC("ULCK"), heads, 1); }), hosterr::Ok);
    EXPECT_EQ(inCommand([&] { return table().DeleteElements(heads, 2); }), hosterr::BadParameter); // count
    BMKillHandle(&heads);
    ASSERT_EQ(deleteElement(guid), hosterr::Ok);
    HostElementHead head = headOf(guid);
    EXPECT_EQ(table().GetElementHeader(&head), hosterr::BadGuid);

    EXPECT_EQ(table().ElementSwitchOnCall(&head), hosterr::BadGuid);
    HostElementHead other = headOf(create(19));
    EXPECT_EQ(table().ElementSwitchOnCall(&other), hosterr::SwitchIgnoredOn);
    EXPECT_EQ(table().ElementSwitchOffCall(&other), hosterr::Ok);
    EXPECT_EQ(table().ElementSwitchOffCall(&other), hosterr::SwitchIgnoredOff);
}

TEST_F(ElementCalls, UserDataIsCopiedBothWaysAndMissingIsNoUserData) {
    HostElementHead head = headOf(create(15));
    HostUserData read;
    EXPECT_EQ(table().GetElementUserData(&head, &read), hosterr::NoUserData);
    EXPECT_EQ(read.dataHandle, nullptr);
    HostUserData data{.version = 1, .platformSign = 0x5757, .flags = 12, .dataHandle = handleOf("payload")};
    EXPECT_EQ(table().SetElementUserData(&head, &data), hosterr::Refused); // outside a command
    ASSERT_EQ(inCommand([&] { return table().SetElementUserData(&head, &data); }), hosterr::Ok);
    BMKillHandle(&data.dataHandle);
    ASSERT_EQ(table().GetElementUserData(&head, &read), hosterr::Ok);
    EXPECT_EQ(bytesOf(read.dataHandle), "payload");
    EXPECT_EQ(read.flags, 12u);
    EXPECT_EQ(read.platformSign, 0x5757);
    BMKillHandle(&read.dataHandle);
    EXPECT_EQ(listed(0, zavhost::FilterHasUserData), std::vector<API_Guid>{head.guid});
    ASSERT_EQ(inCommand([&] { return table().ClearElementUserData(&head); }), hosterr::Ok);
    EXPECT_EQ(inCommand([&] { return table().ClearElementUserData(&head); }), hosterr::NoUserData);
    EXPECT_EQ(table().GetElementUserData(&head, &read), hosterr::NoUserData);

    // A Guid-less head names the default element of its type.
    HostElementHead defaultText;
    defaultText.typeCode = 15;
    data.dataHandle = handleOf("default");
    ASSERT_EQ(table().SetElementUserData(&defaultText, &data), hosterr::Ok);
    BMKillHandle(&data.dataHandle);
    ASSERT_EQ(table().GetElementUserData(&defaultText, &read), hosterr::Ok);
    EXPECT_EQ(bytesOf(read.dataHandle), "default");
    BMKillHandle(&read.dataHandle);
}

TEST_F(ElementCalls, DefaultElementsCarryTheirLayerAndChangeByMask) {
    API_Element element;
    element.head.typeCode = 16;
    API_ElementMemo memo;
    ASSERT_EQ(table().GetDefaultElement(&element, &memo), hosterr::Ok);
    EXPECT_EQ(element.head.layer, 1);
    table().DisposeElementMemo(&memo);
    element.head.layer = 3;
    API_Element mask;
    mask.raw[offsetof(HostElementHead, layer)] = 0xFF;
    ASSERT_EQ(table().ChangeDefaultElement(&element, nullptr, &mask), hosterr::Ok);
    API_Element again;
    again.head.typeCode = 16;
    ASSERT_EQ(table().GetDefaultElement(&again, nullptr), hosterr::Ok);
    EXPECT_EQ(again.head.layer, 3);
    element.head.layer = 77;
    EXPECT_EQ(table().ChangeDefaultElement(&element, nullptr, nullptr), hosterr::BadIndex);
    EXPECT_EQ(elementOf(create(16)).head.layer, 3); // a new element without a layer takes its default's
    again.head.typeCode = 0;
    EXPECT_EQ(table().GetDefaultElement(&again, nullptr), hosterr::BadParameter);
}

TEST_F(ElementCalls, ListsFilterByTypeDatabaseSelectionAndLayer) {
    API_Guid text = create(15);
    API_Guid line = create(19);
    EXPECT_EQ(listed(), (std::vector<API_Guid>{text, line}));
    EXPECT_EQ(listed(19), std::vector<API_Guid>{line});

    // Selecting works in the current database; flag 2 lists only what is selected.
    GSHandle references = selectionOf(text);
    ASSERT_EQ(table().SelectElements(references, 1, true), hosterr::Ok);
    BMKillHandle(&references);
    EXPECT_EQ(listed(0, zavhost::FilterSelected), std::vector<API_Guid>{text});
    HostSelectionInfo info;
    GSHandle selected = nullptr;
    ASSERT_EQ(table().GetSelection(&info, &selected), hosterr::Ok);
    EXPECT_EQ(info.selectionType, 1u);
    EXPECT_EQ(info.count, 1);
    ASSERT_EQ(BMHandleSize(selected), GSSize(sizeof(HostSelectionRecord)));
    EXPECT_EQ(reinterpret_cast<HostSelectionRecord*>(*selected)->selectionKind, 32u); // a text's kind
    BMKillHandle(&selected);
    GSHandle bogus = selectionOf(API_Guid::fromHalves(9, 9));
    EXPECT_EQ(table().SelectElements(bogus, 1, true), hosterr::BadGuid);
    BMKillHandle(&bogus);
    EXPECT_EQ(table().SelectElements(nullptr, 0, true), hosterr::Ok); // clears
    table().GetSelection(&info, &selected);
    EXPECT_EQ(info.count, 0);
    EXPECT_EQ(selected, nullptr);

    // A Guid named twice in one call is selected once, where it was named last.
    auto selectAll = [&](std::vector<API_Guid> guids, bool on) {
        std::string bytes;
        for (const API_Guid& guid : guids) {
            GSHandle one = selectionOf(guid);
            bytes.append(*one, sizeof(HostSelectionRecord));
            BMKillHandle(&one);
        }
        GSHandle all = handleOf(bytes);
        EXPECT_EQ(table().SelectElements(all, int32_t(guids.size()), on), hosterr::Ok);
        BMKillHandle(&all);
        std::vector<API_Guid> now;
        table().GetSelection(&info, &selected);
        for (int32_t i = 0; selected != nullptr && i < info.count; ++i)
            now.push_back(reinterpret_cast<HostSelectionRecord*>(*selected)[i].guid);
        BMKillHandle(&selected);
        return now;
    };
    EXPECT_EQ(selectAll({line, text, line}, true), (std::vector<API_Guid>{text, line}));
    EXPECT_EQ(selectAll({text}, true), (std::vector<API_Guid>{line, text}));
    EXPECT_EQ(selectAll({line, line}, false), std::vector<API_Guid>{text});
    EXPECT_EQ(table().SelectElements(nullptr, 0, true), hosterr::Ok);

    // Another database by Guid (flag 0x400); the "GARF" Guid names the current one.
    HostDatabaseInfo sheet;
    sheet.kind = DatabaseWorksheet;
    ASSERT_EQ(inCommand([&] { return database("NDAT", &sheet); }), hosterr::Ok);
    EXPECT_EQ(listed(0, zavhost::FilterDatabaseGuid, &sheet.databaseGuid), std::vector<API_Guid>{});
    API_Guid current;
    ASSERT_EQ(database("GARF", &current), hosterr::Ok);
    EXPECT_EQ(listed(0, zavhost::FilterDatabaseGuid, &current), (std::vector<API_Guid>{text, line}));
    API_Guid nowhere = API_Guid::fromHalves(5, 5);
    GS::Array<API_Guid> list;
    EXPECT_EQ(table().GetElementList(0, &list, zavhost::FilterDatabaseGuid, 0, &nowhere),
              hosterr::BadDatabase);
    EXPECT_TRUE(table().FilterElement(&text, zavhost::FilterDatabaseGuid, 0, &current));
    EXPECT_FALSE(table().FilterElement(&text, zavhost::FilterDatabaseGuid, 0, &sheet.databaseGuid));

    // Flags 4 and 8: hidden and locked layers drop out.
    project().model.attributes.edit(AttrLayer, 1)->record.header.flags = LayerHidden | LayerLocked;
    EXPECT_FALSE(table().FilterElement(&text, zavhost::FilterVisibleLayer, 0, nullptr));
    EXPECT_FALSE(table().FilterElement(&text, zavhost::FilterEditable, 0, nullptr));
    EXPECT_TRUE(table().FilterElement(&text, 0, 0, nullptr));
    EXPECT_FALSE(table().FilterElement(&text, 0, fourCC("TEXT"), nullptr)); // another variation
}

TEST_F(ElementCalls, ProxiesStandForModelElementsAndGoWithThem) {
    API_Guid slab = createWithHole(8);
    zavhost::ViewDatabase* section = project().model.views.add(DatabaseSection, u"Section A");
    zavhost::StoredElement proxy;
    proxy.record.head.typeCode = 29;
    API_Guid proxyGuid = proxy.record.head.guid = zavhost::newGuid();
    HostProxyElement body;
    body.showsElement = 1;
    body.elementGuid = slab;
    body.elementType = 8;
    std::memcpy(proxy.record.raw + sizeof(HostElementHead),
                reinterpret_cast<char*>(&body) + sizeof(HostElementHead),
                sizeof body - sizeof(HostElementHead));
    section->elements.add(proxy);

    API_Element read;
    read.head.guid = proxyGuid;
    ASSERT_EQ(database("GEFA", &proxyGuid, &read), hosterr::Ok);
    HostProxyElement readBody;
    std::memcpy(static_cast<void*>(&readBody), read.raw, sizeof readBody);
    EXPECT_EQ(readBody.elementGuid, slab);
    EXPECT_EQ(readBody.elementType, 8u);
    API_Guid related;
    ASSERT_EQ(table().ElementGuidCall(&proxyGuid, &related), hosterr::Ok);
    EXPECT_EQ(related, slab);

    ASSERT_EQ(deleteElement(slab), hosterr::Ok);
    EXPECT_EQ(section->elements.size(), 0u);
    EXPECT_EQ(database("GEFA", &proxyGuid, &read), hosterr::BadGuid);
}

TEST_F(ElementCalls, NodesBoxInfoTextAndTypesOfSelectionKinds) {
    API_Guid hatch = createWithHole(18);
    HostSelectionRecord record;
    record.guid = hatch;
    HostCoord3D point;
    std::vector<HostCoord3D> nodes;
    for (record.partIndex = 1; utility("NTOC", &record, &point) == hosterr::Ok && nodes.size() < 100;
         ++record.partIndex)
        nodes.push_back(point);
    ASSERT_EQ(nodes.size(), 8u); // two contours of four, without their closing repeats
    EXPECT_EQ(nodes[1].x, 2.0);
    record.partIndex = 0;
    EXPECT_EQ(utility("NTOC", &record, &point), hosterr::BadIndex);

    HostElementHead head = headOf(hatch);
    HostBox3D box;
    ASSERT_EQ(database("CABO", &head, &box), hosterr::Ok);
    EXPECT_EQ(box.xMax, 2.0);
    EXPECT_EQ(box.yMin, 0.0);

    // The ID comes with the memo's info-string field, and goes back out with it.
    API_Element element = elementOf(hatch);
    API_ElementMemo withInfo;
    withInfo.field1184 = handleOf(std::string("H-01\0", 5));
    ASSERT_EQ(change(&element, nullptr, &withInfo), hosterr::Ok);
    table().DisposeElementMemo(&withInfo);
    ASSERT_EQ(table().GetElementMemo(&hatch, &withInfo, MemoText), hosterr::Ok);
    EXPECT_EQ(bytesOf(withInfo.field1184), std::string("H-01\0", 5));
    table().DisposeElementMemo(&withInfo);
    GS::UniString info, prefixed;
    ASSERT_EQ(database("GCIS", &hatch, &info), hosterr::Ok);
    ASSERT_EQ(database("GEIS", &hatch, &prefixed), hosterr::Ok);
    EXPECT_EQ(info.ToCStr(), "H-01");
    EXPECT_EQ(prefixed.ToCStr(), "hatch: H-01");

    uint8_t typeId[2] = {0xEE, 0xEE};
    uint32_t kind = 32;
    ASSERT_EQ(utility("NTOE", &kind, typeId), hosterr::Ok);
    EXPECT_EQ(typeId[0], 15);
    EXPECT_EQ(typeId[1], 0);
    ASSERT_EQ(utility("NTOE", reinterpret_cast<void*>(uintptr_t(55)), typeId), hosterr::Ok); // by value
    EXPECT_EQ(typeId[0], 29);
    kind = 2;
    EXPECT_EQ(utility("NTOE", &kind, typeId), hosterr::BadParameter);
}

TEST_F(ElementCalls, LinksRelationsAndAssociationsAreStoredAndForgotten) {
    API_Guid a = create(15), b = create(16), c = create(19);
    ASSERT_EQ(inCommand([&] { return table().LinkElements(&a, &b, 5); }), hosterr::Ok);
    GS::Array<API_Guid> linked;
    ASSERT_EQ(table().GetLinkedElements(&a, &linked), hosterr::Ok);
    ASSERT_EQ(linked.GetSize(), 1u);
    EXPECT_EQ(linked[0], b);
    uint32_t flags = 0;
    ASSERT_EQ(table().GetElementLinkFlags(&a, &b, &flags), hosterr::Ok);
    EXPECT_EQ(flags, 5u);
    EXPECT_EQ(table().GetElementLinkFlags(&b, &a, &flags), hosterr::NotFound);

    GS::Array<API_Guid> others;
    others.Push(b);
    others.Push(c);
    ASSERT_EQ(inCommand([&] { return table().SetElementRelationCode(&a, &others, fourCC("ANNO")); }),
              hosterr::Ok);
    uint32_t code = fourCC("TRNO");
    ASSERT_EQ(table().GetElementRelationCode(&a, &c, &code), hosterr::Ok);
    EXPECT_EQ(code, fourCC("ANNO"));
    GS::Array<API_Guid> related;
    table().GetElementRelationList(&a, &related);
    EXPECT_EQ(related.GetSize(), 2u);

    ASSERT_EQ(inCommand([&] { return table().AssociateElements(&c, &a, 3, 4); }), hosterr::Ok);
    uint32_t sub = 0;
    table().GetAssociationFlags(&c, &a, &flags);
    table().GetAssociationSubFlags(&c, &a, &sub);
    EXPECT_EQ(flags, 3u);
    EXPECT_EQ(sub, 4u);

    ASSERT_EQ(deleteElement(a), hosterr::Ok);
    EXPECT_EQ(table().GetAssociatedElements(&c, &related), hosterr::Ok);
    EXPECT_EQ(related.GetSize(), 0u);
    EXPECT_TRUE(project().model.relations.links.empty());
    EXPECT_EQ(table().LinkElements(&b, &c, 0), hosterr::Refused); // outside a command
}

TEST_F(ElementCalls, QuantitiesAreComputedWhereTheHostCanAndOnlyAsAsked) {
    API_Guid slab = createWithHole(8);
    std::vector<uint8_t> block(HostQuantityBlockSize, 0xAB), mask(HostQuantityMaskSize, 0);
    GS::Array<HostCompositeQuantity> composites;
    HostQuantityRequest request{block.data(), &composites, nullptr, nullptr};
    HostQuantityParameters parameters;
    mask[8] = 0xFF;                                  // the area
    mask[24] = 0xFF;                                 // a fixed value
    mask[HostQuantityMaskCompositePart + 40] = 0xFF; // the composites' material only
    ASSERT_EQ(table().GetElementQuantities(&slab, &parameters, &request, mask.data()), hosterr::Ok);
    auto at = [&](size_t offset) {
        double value = -1;
        std::memcpy(&value, block.data() + offset, 8);
        return value;
    };
    EXPECT_DOUBLE_EQ(at(8), 3.0); // 4 less the 1 of the hole
    EXPECT_EQ(at(24), 3000.0 + 24);
    EXPECT_EQ(at(0), 0.0); // the length: not asked for
    ASSERT_EQ(composites.GetSize(), 2u);
    EXPECT_EQ(composites[1].material, 2);
    EXPECT_EQ(composites[1].volume, 0.0);
    API_Guid nowhere = API_Guid::fromHalves(3, 3);
    EXPECT_EQ(table().GetElementQuantities(&nowhere, &parameters, &request, mask.data()), hosterr::BadGuid);
}

TEST_F(ElementCalls, APictureIsAHandleAndDrawingDataAPointerBlock) {
    struct Case {
        uint32_t type;
        size_t field;
        bool pointer;
        GSErrCode answer;
    } cases[] = {
        {31, offsetof(API_ElementMemo, picture), false, hosterr::Ok},
        {31, offsetof(API_ElementMemo, picture), true, hosterr::BadParameter},
        {30, offsetof(API_ElementMemo, drawingData), true, hosterr::Ok},
        {30, offsetof(API_ElementMemo, drawingData), false, hosterr::BadParameter},
    };
    const API_Guid kept = create(30); // changed with each memo in turn
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + (c.pointer ? " pointer" : " handle"));
        for (bool changing : {false, true}) {
            API_ElementMemo memo;
            void* block = c.pointer ? static_cast<void*>(BMNewPtr(4)) : static_cast<void*>(handleOf("data"));
            std::memcpy(reinterpret_cast<char*>(&memo) + c.field, &block, sizeof block);
            API_Element element;
            element.head.typeCode = c.type;
            if (changing) element = elementOf(kept);
            const GSErrCode answer = changing
                                         ? change(&element, nullptr, &memo, MemoAll)
                                         : inCommand([&] { return table().CreateElement(&element, &memo); });
            EXPECT_EQ(answer, c.answer) << (changing ? "changing" : "creating");
            table().DisposeElementMemo(&memo);
        }
    }
}

TEST_F(ElementCalls, TheCallLogTellsTheElementReadsWhenItIsRead) {
    // Elements of known Guids, so that the log's lines can be told in full.
    const API_Guid text = API_Guid::fromHalves(0x123456789ABCDEF0ull, 0x0FEDCBA987654321ull);
    const API_Guid line = API_Guid::fromHalves(0xA, 0xB);
    for (const auto& [guid, type] : {std::pair{text, 15u}, std::pair{line, 19u}}) {
        zavhost::StoredElement made;
        made.record.head.typeCode = type;
        made.record.head.layer = 1;
        made.record.head.guid = guid;
        ASSERT_TRUE(project().model.views.elementsOf(project().model.views.plan()).add(made));
    }
    host.calls().clear();

    API_Element element;
    element.head.guid = text;
    EXPECT_EQ(table().GetElement(&element), hosterr::Ok);
    element.head.typeCode = 19;
    EXPECT_EQ(table().GetElement(&element), hosterr::BadParameter);
    API_Element unknown;
    unknown.head.guid = API_Guid::fromHalves(1, 2);
    EXPECT_EQ(table().GetElement(&unknown), hosterr::BadGuid);
    HostElementHead head = headOf(line);
    EXPECT_EQ(table().GetElementHeader(&head), hosterr::Ok);
    head = headOf(unknown.head.guid);
    EXPECT_EQ(table().GetElementHeader(&head), hosterr::BadGuid);
    API_ElementMemo memo;
    EXPECT_EQ(table().GetElementMemo(&text, &memo, MemoText), hosterr::Ok);
    EXPECT_EQ(table().DisposeElementMemo(&memo), hosterr::Ok);
    EXPECT_EQ(table().GetElementMemo(&unknown.head.guid, &memo, 0), hosterr::BadGuid);

    head = headOf(text);
    HostUserData read;
    EXPECT_EQ(table().GetElementUserData(&head, &read), hosterr::NoUserData);
    HostUserData data{.version = 1, .platformSign = 0x5757, .flags = 0, .dataHandle = handleOf("payload")};
    EXPECT_EQ(inCommand([&] { return table().SetElementUserData(&head, &data); }), hosterr::Ok);
    EXPECT_EQ(table().GetElementUserData(&head, &read), hosterr::Ok);
    BMKillHandle(&read.dataHandle);
    EXPECT_EQ(inCommand([&] { return table().ClearElementUserData(&head); }), hosterr::Ok);
    HostElementHead defaultText;
    defaultText.typeCode = 15;
    EXPECT_EQ(table().SetElementUserData(&defaultText, &data), hosterr::Ok);
    EXPECT_EQ(table().GetElementUserData(&defaultText, &read), hosterr::Ok);
    BMKillHandle(&read.dataHandle);
    BMKillHandle(&data.dataHandle);
    head = headOf(unknown.head.guid);
    EXPECT_EQ(table().GetElementUserData(&head, &read), hosterr::BadGuid);

    const std::string told = host.calls().texts();
    EXPECT_EQ(told,
              "GetElement (text 12345678-9ABC-DEF0-0FED-CBA987654321) -> ok\n"
              "GetElement (text 12345678-9ABC-DEF0-0FED-CBA987654321: asked as line) -> bad parameter "
              "(0x81060005)\n"
              "GetElement (00000000-0000-0001-0000-000000000002) -> no such Guid (0x81060070)\n"
              "GetElementHeader (line 00000000-0000-000A-0000-00000000000B) -> ok\n"
              "GetElementHeader (00000000-0000-0001-0000-000000000002) -> no such Guid (0x81060070)\n"
              "GetElementMemo (text 12345678-9ABC-DEF0-0FED-CBA987654321 mask 0x180) -> ok\n"
              "DisposeElementMemo () -> ok\n"
              "GetElementMemo (00000000-0000-0001-0000-000000000002) -> no such Guid (0x81060070)\n"
              "GetElementUserData (text 12345678-9ABC-DEF0-0FED-CBA987654321) -> no user data "
              "(0x8106006D)\n"
              "SetElementUserData (text 12345678-9ABC-DEF0-0FED-CBA987654321 <= 7 bytes) -> ok\n"
              "GetElementUserData (text 12345678-9ABC-DEF0-0FED-CBA987654321 => 7 bytes) -> ok\n"
              "ClearElementUserData (text 12345678-9ABC-DEF0-0FED-CBA987654321) -> ok\n"
              "SetElementUserData (default text <= 7 bytes) -> ok\n"
              "GetElementUserData (default text => 7 bytes) -> ok\n"
              "GetElementUserData (00000000-0000-0001-0000-000000000002) -> no such Guid (0x81060070)\n");
    // Told again, and one call at a time, it says the same.
    EXPECT_EQ(host.calls().texts(), told);
    EXPECT_EQ(host.calls()[0].arguments(), "text 12345678-9ABC-DEF0-0FED-CBA987654321");
    EXPECT_EQ(host.calls().count("mask 0x180"), 1u);
}
