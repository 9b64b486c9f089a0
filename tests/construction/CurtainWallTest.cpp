// Curtain walls and their parts: part lists read one whole record per part (and none without a
// block or a drawing), written back in order with only the outline, segments and frames, kept in
// step by the host; new walls and segments on the current database; parts answering their wall;
// segment contours in the memo's sub-block; pens; quantities; and a table without the host's
// functions.
#include <gtest/gtest.h>

#include <cstring>

#include "Environment/HostCalls.h"
#include "Environment/HostTable.h"
#include "construction/ConstructionFactory.h"
#include "construction/ConstructionHelpers.h"
#include "construction/CurtainWall.h"
#include "elements/ElementTestSupport.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/host/CurtainWallParts.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/RecordFields.h"
#include "project/MemoStore.h"
#include "project/Project.h"
#include "project/ViewKinds.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class CurtainWalls : public HostTest {
protected:
    CurtainWalls() { registerCurtainWallElementCreators(); }
    ~CurtainWalls() override { releaseElementCreators(); }

    zavhost::ElementStore& plan() { return host.project()->model.views.plan().elements; }

    // A host curtain wall along the points with its parts: a segment, three frames, two panels.
    API_Guid addCurtainWall(HostCoord2D begin, HostCoord2D end) {
        const API_Element defaults = host.project()->model.defaults.get(CurtainWall::TypeCode, 0).record;
        const API_Guid guid =
            addHostElement(host, CurtainWall::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
                zavhost::startCurtainWall(e, defaults, begin, end);
            });
        zavhost::addCurtainWallParts(plan(), *plan().find(guid));
        return guid;
    }

    std::unique_ptr<CurtainWall> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* wall = dynamic_cast<CurtainWall*>(element.get());
        if (wall == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<CurtainWall>(wall);
    }

    // The host's parts of the wall of one type, in order.
    std::vector<const zavhost::StoredElement*> hostParts(const API_Guid& wall, uint32_t type) {
        std::vector<const zavhost::StoredElement*> parts;
        for (const API_Guid& guid : zavhost::curtainWallPartsOf(plan(), wall))
            if (plan().find(guid)->head().typeCode == type) parts.push_back(plan().find(guid));
        return parts;
    }
};

HostCurtainWallFrame frameRecord(const API_Guid& owner, double x) {
    HostCurtainWallFrame frame;
    frame.head.typeCode = HostCurtainWallFrameTypeCode;
    frame.head.guid = zavhost::newGuid();
    frame.ownerGuid = owner;
    frame.begin = {x, 0.0};
    frame.end = {x, 1.0};
    return frame;
}

HostCurtainWallSegment segmentRecord(const API_Guid& owner, double x) {
    HostCurtainWallSegment segment;
    segment.head.typeCode = HostCurtainWallSegmentTypeCode;
    segment.head.guid = zavhost::newGuid();
    segment.ownerGuid = owner;
    segment.begin = {x, 0.0};
    segment.end = {x + 1.0, 0.0};
    return segment;
}

std::unique_ptr<CadPolygon> square(double size) {
    auto polygon = std::make_unique<CadPolygon>(4, 0, true);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {size, 0.0}, {size, size}, {0.0, size}})
        polygon->append(PolyPoint(CadPoint(x, y, 0.0)));
    return polygon;
}

} // namespace

TEST_F(CurtainWalls, APartBlockReadsOnePartPerWholeRecordAndNoBlockReadsEmptyAndLoaded) {
    std::unique_ptr<CurtainWall> wall = read(addCurtainWall({0, 0}, {4, 0}));
    ASSERT_NE(wall, nullptr);
    const API_Guid owner = wall->getGuid().toAPI();
    struct Case {
        const char* what;
        size_t bytes; // of the segment block
        size_t parts; // read from it
    };
    const Case cases[] = {
        {"two records", 2 * sizeof(HostCurtainWallSegment), 2},
        {"two and a half records", 2 * sizeof(HostCurtainWallSegment) + sizeof(HostCurtainWallSegment) / 2,
         2},
        {"less than one record", sizeof(HostCurtainWallSegment) - 1, 0},
    };
    for (const Case& c : cases) {
        ElementMemoStore store;
        GSPtr block = BMNewPtr(static_cast<GSSize>(c.bytes));
        for (size_t i = 0; (i + 1) * sizeof(HostCurtainWallSegment) <= c.bytes; ++i) {
            const HostCurtainWallSegment segment = segmentRecord(owner, 1.0 + static_cast<double>(i));
            std::memcpy(block + i * sizeof segment, &segment, sizeof segment);
        }
        store.getMemo()->curtainWallSegments = block;
        EXPECT_TRUE(wall->SegmentMemo::readMemo(store)) << c.what;
        EXPECT_TRUE(wall->SegmentMemo::isLoaded()) << c.what;
        ASSERT_EQ(wall->SegmentMemo::getCount(), c.parts) << c.what;
        if (c.parts == 2) {
            EXPECT_EQ(wall->SegmentMemo::getPart(1)->getPartRecord().begin.x, 2.0) << c.what;
            EXPECT_THROW((void)wall->SegmentMemo::getPart(2), std::out_of_range) << c.what;
        } else {
            EXPECT_EQ(wall->SegmentMemo::getPart(0), nullptr) << c.what;
        }
        // No accessory block: loaded and empty.
        EXPECT_TRUE(wall->AccessoryMemo::readMemo(store)) << c.what;
        EXPECT_EQ(wall->AccessoryMemo::getCount(), 0u) << c.what;
        EXPECT_EQ(wall->AccessoryMemo::getPart(0), nullptr) << c.what;
    }

    // A curtain wall without a drawing reads its parts as loaded and empty.
    CurtainWall loose(API_Element(), ElementLink(ElementLink::makeTypeId(CurtainWall::TypeCode), nullptr, 0));
    ElementMemoStore store;
    const HostCurtainWallSegment segment = segmentRecord(owner, 1.0);
    store.getMemo()->curtainWallSegments = BMNewPtr(sizeof segment);
    std::memcpy(store.getMemo()->curtainWallSegments, &segment, sizeof segment);
    ASSERT_EQ(loose.getDrawing(), nullptr);
    EXPECT_TRUE(loose.SegmentMemo::readMemo(store));
    EXPECT_TRUE(loose.SegmentMemo::isLoaded());
    EXPECT_EQ(loose.SegmentMemo::getCount(), 0u);
}

TEST_F(CurtainWalls, TheHostsPartsReadBackAndWriteBackOutlineSegmentsAndFramesOnlyInOrder) {
    const API_Guid guid = addCurtainWall({0, 0}, {4, 0});
    // A junction and an accessory the host keeps with the wall.
    for (uint32_t type : {HostCurtainWallJunctionTypeCode, HostCurtainWallAccessoryTypeCode})
        (void)addHostElement(host, type, nullptr, [&](zavhost::StoredElement& e) {
            HostCurtainWallJunction part = zavhost::partOf<HostCurtainWallJunction>(e.record);
            part.ownerGuid = guid;
            zavhost::setPart(e.record, part);
        });
    zavhost::syncCurtainWallParts(plan(), guid);
    std::unique_ptr<CurtainWall> wall = read(guid);
    ASSERT_NE(wall, nullptr);
    Element::MemoLoadSwitch loading(false);
    EXPECT_EQ(wall->SegmentMemo::getCount(), 1u);
    ASSERT_EQ(wall->FrameMemo::getCount(), 3u);
    EXPECT_EQ(wall->PanelMemo::getCount(), 2u);
    EXPECT_EQ(wall->JunctionMemo::getCount(), 1u);
    EXPECT_EQ(wall->AccessoryMemo::getCount(), 1u);
    ASSERT_NE(wall->getOutline(), nullptr);
    EXPECT_EQ(wall->getOutline()->getVertexCount(), 4u);

    // The second frame moves; the memo carries three frames in order, and no panel, junction or
    // accessory.
    wall->FrameMemo::getPart(1)->getPartRecord().begin.x = 2.5;
    uint64_t mask = 0;
    ElementMemoPtr memo = wall->buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(mask, uint64_t(MemoPolygon | MemoCurtainWallSegments | MemoCurtainWallFrames));
    ASSERT_EQ(BMPtrSize(memo->curtainWallFrames), GSSize(3 * sizeof(HostCurtainWallFrame)));
    HostCurtainWallFrame second;
    std::memcpy(static_cast<void*>(&second), memo->curtainWallFrames + sizeof second, sizeof second);
    EXPECT_EQ(Guid(second.head.guid), wall->FrameMemo::getPart(1)->getGuid());
    EXPECT_EQ(second.begin.x, 2.5);
    EXPECT_EQ(memo->curtainWallPanels, nullptr);
    EXPECT_EQ(memo->curtainWallJunctions, nullptr);
    EXPECT_EQ(memo->curtainWallAccessories, nullptr);
    memo.reset();

    // Saved, the host's frame moves with it; the panels, junction and accessory stay.
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*wall, false, true); }));
    const auto frames = hostParts(guid, HostCurtainWallFrameTypeCode);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(zavhost::partOf<HostCurtainWallFrame>(frames[1]->record).begin.x, 2.5);
    EXPECT_EQ(hostParts(guid, HostCurtainWallPanelTypeCode).size(), 2u);
    EXPECT_EQ(hostParts(guid, HostCurtainWallJunctionTypeCode).size(), 1u);
    std::unique_ptr<CurtainWall> again = read(guid);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->FrameMemo::getPart(1)->getPartRecord().begin.x, 2.5);
}

TEST_F(CurtainWalls, TheHostRefusesAPartBlockOfPartialRecords) {
    const API_Guid guid = addCurtainWall({0, 0}, {4, 0});
    std::unique_ptr<CurtainWall> wall = read(guid);
    ASSERT_NE(wall, nullptr);
    std::unique_ptr<API_Element> record = wall->buildRecord();
    ElementMemoStore store;
    const HostCurtainWallFrame frame = frameRecord(guid, 1.0);
    GSPtr block = BMNewPtr(sizeof frame + 8);
    std::memcpy(block, &frame, sizeof frame);
    store.getMemo()->curtainWallFrames = block;
    bool refused = false;
    ASSERT_TRUE(change([&] {
        refused = ACAPChangeElement(record.get(), nullptr, store.getMemo(), MemoCurtainWallFrames, true) ==
                  hosterr::BadParameter;
        return true;
    }));
    EXPECT_TRUE(refused);
    EXPECT_EQ(hostParts(guid, HostCurtainWallFrameTypeCode).size(), 3u);
}

TEST_F(CurtainWalls, EachPartAnswersItsWallOnItsDrawingAndPanelsTheirNames) {
    const API_Guid guid = addCurtainWall({0, 0}, {4, 0});
    std::unique_ptr<CurtainWall> wall = read(guid);
    ASSERT_NE(wall, nullptr);
    Element::MemoLoadSwitch loading(false);
    std::vector<Element*> parts{wall->SegmentMemo::getPart(0), wall->FrameMemo::getPart(2),
                                wall->PanelMemo::getPart(1)};
    for (Element* part : parts) {
        ASSERT_NE(part, nullptr);
        ElementLink owner;
        part->getOwner(owner);
        EXPECT_EQ(owner.getGuid(), Guid(guid));
        EXPECT_EQ(owner.getDrawing(), wall->getDrawing());
        EXPECT_EQ(owner.getTypeId(), ElementLink::makeTypeId(CurtainWall::TypeCode));
    }
    CurtainWallFrame* frame = wall->FrameMemo::getPart(2);
    EXPECT_EQ(frame->getReferenceLine().getEndPoint().getX(), 4.0);
    EXPECT_EQ(frame->getLength(), 0.0);

    // The type-40 creator takes no frame; a panel's name stops at its 256 characters.
    API_Element record;
    record.head.typeCode = HostCurtainWallFrameTypeCode;
    ElementLink link;
    EXPECT_EQ(createCurtainWallPanel(record, link), nullptr);
    EXPECT_NE(createCurtainWallFrame(record, link), nullptr);
    HostCurtainWallPanel panel;
    panel.head.typeCode = HostCurtainWallPanelTypeCode;
    for (char16_t& unit : panel.name)
        unit = u'x';
    std::memcpy(record.raw, &panel, sizeof panel);
    std::memset(record.raw + sizeof panel, 'y', 64); // what follows the field is not the name
    std::unique_ptr<Element> made = createCurtainWallPanel(record, link);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(static_cast<CurtainWallPanel*>(made.get())->getName().getLength(), HostPanelNameLength);
    EXPECT_EQ(wall->PanelMemo::getPart(0)->getName(), String("Panel"));
    const size_t before = mark();
    EXPECT_EQ(wall->PanelMemo::getPart(0)->getSurfaceArea(), 1.5);
    EXPECT_EQ(host.calls().count("=> 1 value(s)", before), 1u);
}

TEST_F(CurtainWalls, ANewWallAndANewSegmentAreOnTheCurrentDatabase) {
    Plan* plan = Host::getPlan();
    ASSERT_TRUE(Host::setCurrentDatabase(plan));
    EXPECT_EQ(CurtainWall().getDrawing(), plan);
    EXPECT_EQ(CurtainWallSegment().getDrawing(), plan);

    host.project()->model.views.add(DatabaseSection, u"S-1");
    Host::getProject()->reset();
    Section* section = Host::getProject()->getSection(0);
    ASSERT_NE(section, nullptr);
    ASSERT_TRUE(Host::setCurrentDatabase(section));
    CurtainWall wall(square(2.0));
    EXPECT_EQ(wall.getDrawing(), section);
    EXPECT_FALSE(wall.isValid()); // still a new element
    CurtainWallSegment segment(square(1.0));
    EXPECT_EQ(segment.getDrawing(), section);
    EXPECT_FALSE(segment.isValid());
}

TEST_F(CurtainWalls, ASegmentContourLivesInTheSubBlockAndAllocatesOnlyWhatItCounts) {
    // Written from scratch, without arcs: no arc array, and the contour reads back.
    CurtainWallSegment segment(square(2.0));
    uint64_t mask = 0;
    ElementMemoPtr memo = segment.buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(mask, uint64_t(MemoContour));
    HostContourSubBlock sub;
    ASSERT_NE(memo->subBlock, nullptr);
    std::memcpy(static_cast<void*>(&sub), memo->subBlock, sizeof sub);
    EXPECT_EQ(sub.coordinateCount, 5u);
    EXPECT_EQ(sub.endCount, 1u);
    EXPECT_EQ(sub.arcs, nullptr);
    EXPECT_NE(sub.vertexIds, nullptr);
    EXPECT_EQ(memo->coordinates, nullptr); // not the memo's own polygon
    CurtainWallSegment read;
    ElementMemoStore store(memo.release());
    ASSERT_TRUE(read.CurtainWallSegmentContour::readMemo(store));
    ASSERT_NE(read.getOutline(), nullptr);
    EXPECT_EQ(read.getOutline()->getVertexCount(), 4u);

    // No coordinate or no end: nothing is allocated, not even the sub-block.
    for (PolygonCounts counts : {PolygonCounts{0, 1, 0}, PolygonCounts{5, 0, 0}}) {
        ElementMemoStore empty;
        const int64_t handles = BMLiveHandleCount(), pointers = BMLivePtrCount();
        PolygonParts parts;
        EXPECT_FALSE(segment.allocateContourParts(empty, counts, parts));
        EXPECT_EQ(BMLiveHandleCount(), handles);
        EXPECT_EQ(BMLivePtrCount(), pointers);
        EXPECT_EQ(empty.getMemo()->subBlock, nullptr);
    }
}

TEST_F(CurtainWalls, PensFollowTheFlagAndKindZeroWritesTheSidePens) {
    std::unique_ptr<CurtainWall> wall = read(addCurtainWall({0, 0}, {4, 0}));
    ASSERT_NE(wall, nullptr);
    HostCurtainWallElement& part = wall->getCurtainWallRecord();
    part.contourPen = 3;
    part.kind6Pen = 6;
    part.kind8Pen = 8;
    part.penFlag = 0;
    Pen pen;
    wall->getPen(pen, 6);
    EXPECT_EQ(pen.getIndex16(), 0);
    part.penFlag = 1;
    wall->getPen(pen, 6);
    EXPECT_EQ(pen.getIndex16(), 6);
    wall->setPen(penOf(9), 0);
    EXPECT_EQ(part.contourPen, 3);
    EXPECT_EQ(part.kind6Pen, 9);
    EXPECT_EQ(part.kind8Pen, 9);
    EXPECT_EQ(wall->getPattern(0), nullptr);
    EXPECT_EQ(wall->getLength(), 4.0);
    EXPECT_EQ(wall->getBoundsZSize(), 3.0);
    EXPECT_EQ(wall->getMeasureC(), 12.0);
}

TEST_F(CurtainWalls, WithoutTheHostsFunctionsACurtainWallHoldsNoPartsAndMeasuresNothing) {
    const API_Guid guid = addCurtainWall({0, 0}, {4, 0});
    const HostFunctionTable full = hostTable();
    for (const char* slot : {"GetElementMemo", "GetElementQuantities"}) {
        std::unique_ptr<CurtainWall> wall = read(guid);
        ASSERT_NE(wall, nullptr);
        HostFunctionTable partial = full;
        ASSERT_TRUE(zavhost::clearFunctionSlot(partial, slot));
        installHostTable(&partial);
        const std::string name = slot;
        {
            Element::MemoLoadSwitch loading(false);
            EXPECT_EQ(wall->FrameMemo::getCount(), name == "GetElementMemo" ? 0u : 3u) << slot;
            EXPECT_TRUE(wall->FrameMemo::isLoaded()) << slot;
        }
        EXPECT_EQ(wall->getLength(), name == "GetElementQuantities" ? 0.0 : 4.0) << slot;
        installHostTable(&full);
    }
}

TEST_F(CurtainWalls, TheHostKeepsPartsInStepWithTheWallsBlocksAndMovesThemWithIt) {
    const API_Guid guid = addCurtainWall({0, 0}, {4, 0});
    std::unique_ptr<CurtainWall> wall = read(guid);
    ASSERT_NE(wall, nullptr);
    const auto before = hostParts(guid, HostCurtainWallFrameTypeCode);
    ASSERT_EQ(before.size(), 3u);
    const API_Guid middle = before[1]->guid();
    // The block names the first and last frames and a new one: the middle frame goes, one is made.
    uint64_t mask = 0;
    ElementMemoPtr memo = wall->buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    const HostCurtainWallFrame made = frameRecord(API_Guid(), 7.0);
    GSPtr block = BMNewPtr(3 * sizeof made);
    std::memcpy(block, memo->curtainWallFrames, sizeof made);
    std::memcpy(block + sizeof made, memo->curtainWallFrames + 2 * sizeof made, sizeof made);
    std::memcpy(block + 2 * sizeof made, &made, sizeof made);
    BMKillPtr(&memo->curtainWallFrames);
    memo->curtainWallFrames = block;
    std::unique_ptr<API_Element> record = wall->buildRecord();
    ASSERT_TRUE(change([&] {
        return ACAPChangeElement(record.get(), nullptr, memo.get(), MemoCurtainWallFrames, true) ==
               hosterr::Ok;
    }));
    const auto after = hostParts(guid, HostCurtainWallFrameTypeCode);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(plan().find(middle), nullptr);
    EXPECT_EQ(zavhost::curtainWallOwnerOf(after[2]->record), guid);
    EXPECT_FALSE(after[2]->guid().isNull());

    // Moved by the module, the wall takes its parts along and its blocks follow.
    HostEditTransformation edit;
    edit.matrix[0] = edit.matrix[4] = edit.matrix[8] = 1.0;
    edit.target = {1.0, 2.0, 0.0};
    HostSelectionRecord selected;
    selected.guid = guid;
    GSHandle references = BMNewHandle(sizeof selected);
    std::memcpy(*references, &selected, sizeof selected);
    ASSERT_TRUE(change([&] { return ACAPEditElements(references, 1, &edit) == hosterr::Ok; }));
    BMKillHandle(&references);
    std::unique_ptr<CurtainWall> moved = read(guid);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->getCurtainWallRecord().begin.x, 1.0);
    EXPECT_EQ(moved->FrameMemo::getPart(2)->getPartRecord().begin.x, 8.0);
    EXPECT_EQ(moved->SegmentMemo::getPart(0)->getPartRecord().end.y, 2.0);
}
