// Slabs and roofs: outlines whose edges carry the host's edge records, values and side overrides
// through the memo and a save and reopen, the memo masks, a slab's elevation by its reference kind
// over a composite's finish cores, the pens and finishes a composite slab takes from its cores, and
// roofs made by class and from a split roof's part.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "Environment/HostCalls.h"
#include "Environment/HostTable.h"
#include "Environment/Memory.h"
#include "Environment/TempFolder.h"
#include "construction/ConstructionFactory.h"
#include "construction/Roof.h"
#include "construction/Slab.h"
#include "elements/ElementFactory.h"
#include "elements/ElementTestSupport.h"
#include "platform/api/CompositeRecords.h"
#include "platform/api/OpeningRecords.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/RecordFields.h"
#include "platform/host/SlabParts.h"
#include "project/Composite.h"
#include "project/ElementLinkList.h"
#include "project/Finish.h"
#include "project/MemoStore.h"
#include "project/Project.h"
#include "project/ViewKinds.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr uint32_t RecordsField = offsetof(API_ElementMemo, edgeRecords);
constexpr uint32_t ValuesField = offsetof(API_ElementMemo, edgeValues);
constexpr uint32_t OverridesField = offsetof(API_ElementMemo, sideOverrides);
const std::vector<HostCoord2D> Square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};

template <class T> std::string bytesOfEntries(const std::vector<T>& entries) {
    return std::string(reinterpret_cast<const char*>(entries.data()), entries.size() * sizeof(T));
}

class Slabs : public HostTest {
protected:
    Slabs() { registerConstructionElementCreators(); }
    ~Slabs() override { releaseElementCreators(); }

    // A slab or roof in its default settings, on the first floor (level 3), its outline a square
    // stored from index 1 and closed, its counts in its record; `more` adds memo parts.
    API_Guid add(uint32_t type, const std::function<void(zavhost::StoredElement&)>& more = nullptr) {
        return addHostElement(host, type, nullptr, [&](zavhost::StoredElement& e) {
            e.record = host.project()->model.defaults.get(type, 0).record;
            e.record.head.guid = zavhost::newGuid();
            e.record.head.storey = 1;
            std::string coordinates(sizeof(HostCoord2D), '\0');
            for (size_t i = 0; i <= Square.size(); ++i)
                coordinates.append(reinterpret_cast<const char*>(&Square[i % Square.size()]),
                                   sizeof(HostCoord2D));
            const uint32_t ends[] = {0, 5};
            e.memo.blocks[offsetof(API_ElementMemo, coordinates)].bytes = coordinates;
            e.memo.blocks[offsetof(API_ElementMemo, subPolygonEnds)].bytes =
                std::string(reinterpret_cast<const char*>(ends), sizeof ends);
            zavhost::countSlabOutline(e);
            if (more) more(e);
        });
    }

    template <class Kind> std::unique_ptr<Kind> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* kind = dynamic_cast<Kind*>(element.get());
        if (kind == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<Kind>(kind);
    }

    const zavhost::StoredMemo& memoOf(const API_Guid& guid) {
        return host.project()->model.views.findElement(guid)->memo;
    }
    std::string blockOf(const API_Guid& guid, uint32_t field) {
        auto it = memoOf(guid).blocks.find(field);
        return it == memoOf(guid).blocks.end() ? std::string("none") : it->second.bytes;
    }

    // A building material with its own cut-fill pens and surface.
    int16_t addMaterial(const char* name, uint16_t pen, uint16_t surface) {
        API_Attribute record;
        record.header.typeCode = AttrBuildingMaterial;
        std::snprintf(record.header.name, sizeof record.header.name, "%s", name);
        record.material.fillPen = pen;
        record.material.backgroundPen = static_cast<uint16_t>(pen + 1);
        record.material.surface = surface;
        if (host.project()->model.attributes.create(&record, nullptr) != hosterr::Ok) return 0;
        return static_cast<int16_t>(record.header.index);
    }

    // A composite of the cores (one edge more than cores), or of none.
    int16_t addComposite(const char* name, const std::vector<HostCompositeCore>& cores) {
        API_Attribute record;
        record.header.typeCode = AttrComposite;
        std::snprintf(record.header.name, sizeof record.header.name, "%s", name);
        if (host.project()->model.attributes.create(&record, nullptr) != hosterr::Ok) return 0;
        zavhost::StoredAttribute* stored =
            host.project()->model.attributes.edit(AttrComposite, record.header.index);
        if (!cores.empty()) {
            stored->memo[offsetof(HostAttributeMemo, coreList)].bytes = bytesOfEntries(cores);
            stored->memo[offsetof(HostAttributeMemo, edgeList)].bytes =
                bytesOfEntries(std::vector<HostCompositeEdge>(cores.size() + 1));
        }
        return static_cast<int16_t>(record.header.index);
    }
};

// Entries for the five stored points of the square (index 0 unused), the closing point's the
// same as the first's.
std::vector<HostEdgeRecord> edgeRecords() {
    std::vector<HostEdgeRecord> records(6);
    for (uint32_t i = 1; i < 5; ++i)
        records[i] = HostEdgeRecord{0xA0000000u + i, 10 * i, 0x1122334455667700ull + i};
    records[5] = records[1];
    return records;
}

// The entries as the outline is written back: it is read from the second stored point on, so each
// vertex's entry moves one index down and the first vertex's closes it.
template <class T> std::vector<T> rotated(const std::vector<T>& entries) {
    std::vector<T> out(entries.size());
    for (size_t k = 1; k + 1 < entries.size(); ++k)
        out[k] = entries[k + 1];
    out.back() = entries[2];
    return out;
}

} // namespace

TEST_F(Slabs, AnOutlineWithoutEdgeDataReadsPlainVerticesAndWritesNoneOfTheEdgeArrays) {
    std::unique_ptr<Slab> slab = read<Slab>(add(HostSlabTypeCode));
    ASSERT_NE(slab, nullptr);
    std::unique_ptr<CadPolygon> outline = slab->getOutline();
    ASSERT_NE(outline, nullptr);
    ASSERT_EQ(outline->getVertexCount(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(dynamic_cast<const BuiltPoint*>(&outline->getVertex(i)), nullptr) << i;
    uint64_t mask = 0;
    ElementMemoPtr memo = slab->buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(mask, uint64_t(MemoPolygon));
    EXPECT_EQ(memo->edgeRecords, nullptr);
    EXPECT_EQ(memo->edgeValues, nullptr);
    EXPECT_EQ(memo->sideOverrides, nullptr);
}

TEST_F(Slabs, EdgeDataRoundTripByteForByteThroughASaveAndReopen) {
    TempFolder folder;
    std::vector<uint32_t> values{0, 0, 7, 0, 9, 0};
    std::vector<HostSideOverride> overrides(6);
    overrides[3].surface = 5;
    overrides[3].overriding = 1;
    auto edges = [&](zavhost::StoredElement& e) {
        e.memo.blocks[RecordsField].bytes = bytesOfEntries(edgeRecords());
        e.memo.blocks[ValuesField] = zavhost::StoredBlock{true, bytesOfEntries(values), {}};
        e.memo.blocks[OverridesField] = zavhost::StoredBlock{true, bytesOfEntries(overrides), {}};
    };
    const API_Guid roofGuid = add(HostRoofTypeCode, edges);
    const API_Guid slabGuid = add(HostSlabTypeCode, edges);

    std::unique_ptr<Roof> roof = read<Roof>(roofGuid);
    std::unique_ptr<Slab> slab = read<Slab>(slabGuid);
    ASSERT_NE(roof, nullptr);
    ASSERT_NE(slab, nullptr);
    std::unique_ptr<CadPolygon> roofOutline = roof->getOutline();
    std::unique_ptr<CadPolygon> slabOutline = slab->getOutline();
    ASSERT_NE(roofOutline, nullptr);
    ASSERT_NE(slabOutline, nullptr);
    // The vertices are read from index 2: the one at index 2 carries value 7, index 4 value 9 and
    // override 5 sits at index 3. A slab reads no edge values, whatever the host holds.
    const auto* second = dynamic_cast<const BuiltPoint*>(&roofOutline->getVertex(0));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->getEdgeValue(), 7u);
    EXPECT_EQ(second->getEdgeRecord().field, 0xA0000002u);
    const auto* third = dynamic_cast<const BuiltPoint*>(&roofOutline->getVertex(1));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->getSideSurface(), 5u);
    EXPECT_TRUE(third->isSideOverriding());
    for (size_t i = 0; i < 4; ++i) {
        const auto* built = dynamic_cast<const BuiltPoint*>(&slabOutline->getVertex(i));
        ASSERT_NE(built, nullptr);
        EXPECT_EQ(built->getEdgeValue(), 0u) << i;
    }
    uint64_t mask = 0;
    EXPECT_NE(slab->buildMemo(mask), nullptr);
    EXPECT_EQ(mask, MemoPolygon | MemoEdgeRecords | MemoSideOverrides);

    ASSERT_TRUE(change([&] {
        return Host::getPlan()->saveElement(*roof, false, true) &&
               Host::getPlan()->saveElement(*slab, false, true);
    }));
    ASSERT_EQ(host.saveAndReopenProject(folder.path("slabs.zavproj")), hosterr::Ok);
    for (const API_Guid& guid : {roofGuid, slabGuid}) {
        // All 16 bytes of each record, the leading field included.
        EXPECT_EQ(blockOf(guid, RecordsField), bytesOfEntries(rotated(edgeRecords())));
        EXPECT_EQ(blockOf(guid, OverridesField), bytesOfEntries(rotated(overrides)));
    }
    EXPECT_EQ(blockOf(roofGuid, ValuesField), bytesOfEntries(rotated(values)));
    // The slab's values are the host's, never written back: kept as they were.
    EXPECT_EQ(blockOf(slabGuid, ValuesField), bytesOfEntries(values));
    std::unique_ptr<Roof> again = read<Roof>(roofGuid);
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again->getOutline(), nullptr);
    EXPECT_EQ(again->getOutline()->getVertexCount(), 4u);
}

TEST_F(Slabs, OneSideOverrideEditedKeepsTheOthersAndTheLastOneClearedReachesTheHost) {
    std::vector<HostSideOverride> overrides(6);
    for (size_t at : {2, 4}) {
        overrides[at].surface = static_cast<uint16_t>(at + 10);
        overrides[at].overriding = 1;
    }
    const API_Guid guid = add(HostSlabTypeCode, [&](zavhost::StoredElement& e) {
        e.memo.blocks[OverridesField] = zavhost::StoredBlock{true, bytesOfEntries(overrides), {}};
    });
    // Vertex 0 stands at index 2, vertex 2 at index 4.
    auto edit = [&](const std::vector<std::pair<size_t, uint16_t>>& sides) {
        std::unique_ptr<Slab> slab = read<Slab>(guid);
        ASSERT_NE(slab, nullptr);
        CadPolygon* outline = slab->getPolygon();
        ASSERT_NE(outline, nullptr);
        for (const auto& [vertex, surface] : sides) {
            auto* built = dynamic_cast<BuiltPoint*>(&outline->vertexRef(vertex));
            ASSERT_NE(built, nullptr);
            built->setSideOverride(surface, surface != 0);
        }
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*slab, false, true); }));
    };
    edit({{0, 9}});
    overrides[2].surface = 9;
    EXPECT_EQ(blockOf(guid, OverridesField), bytesOfEntries(rotated(overrides)));
    edit({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    EXPECT_EQ(blockOf(guid, OverridesField), std::string(6 * sizeof(HostSideOverride), '\0'));
}

TEST_F(Slabs, EdgeDataSetOnlyOnAHolesEdgeReachesTheHost) {
    // The square is written at indices 1 to 5 (its first point again closing it), the triangular
    // hole at 6 to 9: the hole's second vertex stands at index 7.
    constexpr size_t Entries = 10;
    constexpr size_t HoleSecond = 7;
    for (uint32_t type : {HostSlabTypeCode, HostRoofTypeCode}) {
        const bool roof = type == HostRoofTypeCode;
        const API_Guid guid = add(type);
        std::unique_ptr<Element> element = read<Element>(guid);
        auto* outline = dynamic_cast<BorderedPolygonMemo*>(element.get());
        ASSERT_NE(outline, nullptr) << type;
        auto polygon = std::make_unique<CadPolygon>(4, 1, true);
        for (const HostCoord2D& corner : Square)
            polygon->append(PolyPoint(corner));
        auto hole = std::make_unique<CadPolygon>(3, 0, true);
        hole->append(PolyPoint(HostCoord2D{1, 1}));
        BuiltPoint edged(PolyPoint(HostCoord2D{3, 1}));
        edged.setSideOverride(7, true);
        edged.setEdgeValue(9);
        hole->append(edged);
        hole->append(PolyPoint(HostCoord2D{2, 3}));
        polygon->addHole(hole.release());
        outline->setPolygon(std::move(polygon));
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*element, false, true); })) << type;

        std::vector<HostSideOverride> overrides(Entries);
        overrides[HoleSecond].surface = 7;
        overrides[HoleSecond].overriding = 1;
        EXPECT_EQ(blockOf(guid, OverridesField), bytesOfEntries(overrides)) << type;
        EXPECT_EQ(blockOf(guid, RecordsField), bytesOfEntries(std::vector<HostEdgeRecord>(Entries))) << type;
        std::vector<uint32_t> values(Entries);
        values[HoleSecond] = 9;
        // A slab's edges carry no values.
        EXPECT_EQ(blockOf(guid, ValuesField), roof ? bytesOfEntries(values) : std::string("none")) << type;
    }
}

TEST_F(Slabs, TheMemoMasksFollowTheKindAndWhatWasWritten) {
    Slab slab;
    Roof roof;
    EXPECT_EQ(slab.getMemoMask(), 0x100000009u);
    EXPECT_EQ(roof.getMemoMask(), 0x180000009u);
    struct Case {
        const char* what;
        bool roofKind;
        bool built;
        uint16_t side;
        uint32_t value;
        uint64_t mask;
    };
    const Case cases[] = {
        {"plain slab", false, false, 0, 0, MemoPolygon},
        {"slab with a record", false, true, 0, 0, MemoPolygon | MemoEdgeRecords},
        {"slab with an override", false, true, 4, 0, MemoPolygon | MemoEdgeRecords | MemoSideOverrides},
        {"slab with a value", false, true, 0, 3, MemoPolygon | MemoEdgeRecords},
        {"roof with a value", true, true, 0, 3, MemoPolygon | MemoEdgeRecords | MemoEdgeValues},
        {"plain roof", true, false, 0, 0, MemoPolygon},
    };
    for (const Case& c : cases) {
        auto outline = std::make_unique<CadPolygon>(4, 0, true);
        for (size_t i = 0; i < Square.size(); ++i) {
            PolyPoint plain{CadPoint(Square[i])};
            if (c.built && i == 1) {
                BuiltPoint built(plain);
                built.setSideOverride(c.side, c.side != 0);
                built.setEdgeValue(c.value);
                outline->append(built);
            } else {
                outline->append(plain);
            }
        }
        BorderedPolygonMemo& memo = c.roofKind ? static_cast<BorderedPolygonMemo&>(roof) : slab;
        memo.setPolygon(std::move(outline));
        EXPECT_TRUE(memo.heldPolygon()->getSecondFlag()) << c.what;
        uint64_t mask = 0;
        ElementMemoPtr block = c.roofKind ? roof.buildMemo(mask) : slab.buildMemo(mask);
        ASSERT_NE(block, nullptr) << c.what;
        EXPECT_EQ(mask, c.mask) << c.what;
    }
}

TEST_F(Slabs, TheElevationIsSetByTheReferenceKindOverTheCompositesFinishCores) {
    const int16_t composite = addComposite("Four Skins", {{1, HostCoreFinishFlag, 0, 0.02},
                                                          {1, HostCoreFinishFlag, 0, 0.05},
                                                          {1, 0, 0, 0.2},
                                                          {1, HostCoreFinishFlag, 0, 0.01}});
    ASSERT_NE(composite, 0);
    std::unique_ptr<Slab> slab = read<Slab>(add(HostSlabTypeCode));
    ASSERT_NE(slab, nullptr);
    slab->setThickness(0.28);
    struct Case {
        uint32_t kind;
        uint32_t structure;
        double stored; // for 5.0 absolute, 2.0 relative on a storey at level 3.0
    };
    const Case cases[] = {
        {0, 1, 2.0},
        {1, 1, 2.0 - 0.02 - 0.05},
        {2, 1, 0.01 + 2.0 - 0.28},
        {3, 1, 2.0 - 0.28},
        {4, 1, 2.0},
        {1, 0, 2.0},
        {2, 0, 2.0},
        {3, 0, 2.0 - 0.28},
    };
    for (const Case& c : cases) {
        slab->setReferenceKind(c.kind);
        if (c.structure == 1)
            slab->setPattern(tarnwick::Composite(AttributeLink(composite, AttrComposite)), 0);
        else
            slab->setStructureType(0);
        for (const auto& [value, absolute] : {std::pair{5.0, true}, {2.0, false}}) {
            slab->setElevation(value, absolute);
            EXPECT_NEAR(slab->getSlabRecord().elevation, c.stored, 1e-12) << c.kind << " " << absolute;
            EXPECT_NEAR(slab->getElevation(true), c.stored + 3.0, 1e-12) << c.kind;
        }
    }
}

TEST_F(Slabs, ACompositeSlabTakesItsCutFillPensAndFinishesFromItsCores) {
    const int16_t top = addMaterial("Screed", 21, 7);
    const int16_t bottom = addMaterial("Plaster", 31, 8);
    const int16_t withCores =
        addComposite("Screed and Plaster",
                     {{static_cast<uint16_t>(top), 0, 0, 0.05}, {static_cast<uint16_t>(bottom), 0, 0, 0.01}});
    const int16_t bare = addComposite("Bare", {});
    std::unique_ptr<Slab> slab = read<Slab>(add(HostSlabTypeCode));
    ASSERT_NE(slab, nullptr);
    slab->getSlabRecord().cutFillPen = 41;
    slab->getSlabRecord().cutFillBackgroundPen = 42;
    slab->getSlabRecord().finishOverrides[2] = 0x10000 | 3;
    struct Case {
        int16_t composite; // 0: a basic slab of material 1
        bool fromRecord;
        uint32_t pen11, pen12, finish0, finish5, finish7;
    };
    const Case cases[] = {
        {withCores, false, 21, 22, 7, 0, 3},
        {withCores, true, 41, 42, 7, 0, 3},
        {bare, false, 0, 0, 0, 0, 3},
        {0, false, 1, 2, 1, 1, 3},
    };
    for (const Case& c : cases) {
        if (c.composite != 0)
            slab->setPattern(tarnwick::Composite(AttributeLink(c.composite, AttrComposite)), 0);
        else
            slab->setStructureType(0);
        slab->setCutFillPensFromRecord(c.fromRecord);
        Pen pen;
        slab->getPen(pen, 11);
        EXPECT_EQ(pen.getIndex(), c.pen11) << c.composite;
        slab->getPen(pen, 12);
        EXPECT_EQ(pen.getIndex(), c.pen12) << c.composite;
        for (const auto& [kind, index] : {std::pair{0u, c.finish0}, {5u, c.finish5}, {7u, c.finish7}}) {
            Finish finish;
            slab->getFinish(finish, kind);
            EXPECT_EQ(finish.getIndex(), index) << c.composite << " kind " << kind;
        }
    }
    // The override of kind 7 written by the finish setter overrides.
    slab->setFinish(Finish(AttributeLink(int16_t(2), AttrSurface)), 6);
    Finish finish;
    slab->getFinish(finish, 1);
    EXPECT_EQ(finish.getIndex(), 2u);
}

TEST_F(Slabs, RoofsAreMadeByClassAndFromASplitRoofsPart) {
    API_Element record = host.project()->model.defaults.get(HostRoofTypeCode, 0).record;
    ElementLink link(ElementLink::makeTypeId(HostRoofTypeCode), Host::getPlan(), 0);
    EXPECT_NE(createRoof(record, link), nullptr);
    HostShelterElement part = zavhost::partOf<HostShelterElement>(record);
    part.roofClass = 1;
    zavhost::setPart(record, part);
    EXPECT_EQ(createRoof(record, link), nullptr);
    EXPECT_EQ(createSlab(record, link), nullptr);

    // The memo stays the host's: the roof reads it, frees nothing, and keeps the part.
    part.roofClass = 0;
    part.coordinateCount = 5;
    part.endCount = 1;
    part.slopeAngle = std::numbers::pi / 2.0;
    zavhost::setPart(record, part);
    ElementMemoPtr memo = makeElementMemo();
    memo->coordinates = BMNewHandle(6 * sizeof(HostCoord2D));
    memo->subPolygonEnds = BMNewHandle(2 * sizeof(uint32_t));
    auto* points = reinterpret_cast<HostCoord2D*>(*memo->coordinates);
    for (size_t i = 1; i < 6; ++i)
        points[i] = Square[(i - 1) % 4];
    reinterpret_cast<uint32_t*>(*memo->subPolygonEnds)[1] = 5;
    Roof plane(link, record, *memo, HostElementPartId{2, 3});
    EXPECT_EQ(plane.getPartId().sub, 3u);
    ASSERT_NE(plane.heldPolygon(), nullptr);
    EXPECT_EQ(plane.heldPolygon()->getVertexCount(), 4u);
    EXPECT_NE(memo->coordinates, nullptr);
    Roof copy(plane);
    EXPECT_EQ(copy.getPartId().main, 2u);
    EXPECT_EQ(copy.getRoofCount(), 1u);
    EXPECT_EQ(copy.getRoof(0), &copy);
    EXPECT_EQ(copy.getRoof(1), nullptr);

    // A vertical roof keeps its value; another stores it along the slope.
    copy.getShelterRecord().shelterValue = 4.0;
    copy.setShelterValue(1.0);
    EXPECT_EQ(copy.getShelterValue(), 4.0);
    copy.setSlopeAngle(std::numbers::pi / 3.0);
    copy.setShelterValue(1.0);
    EXPECT_NEAR(copy.getShelterValue(), 2.0, 1e-12);
    EXPECT_TRUE(copy.resetToDefaults());
    EXPECT_EQ(copy.getPartId().main, 0u);
}

TEST_F(Slabs, ANewSlabAndANewRoofAreOnTheCurrentDatabase) {
    Plan* plan = Host::getPlan();
    ASSERT_TRUE(Host::setCurrentDatabase(plan));
    EXPECT_EQ(Slab().getDrawing(), plan);
    EXPECT_EQ(Roof().getDrawing(), plan);

    host.project()->model.views.add(DatabaseSection, u"S-1");
    Host::getProject()->reset();
    Section* section = Host::getProject()->getSection(0);
    ASSERT_NE(section, nullptr);
    ASSERT_TRUE(Host::setCurrentDatabase(section));
    Slab slab;
    EXPECT_EQ(slab.getDrawing(), section);
    EXPECT_FALSE(slab.isValid()); // still a new element
    Roof roof;
    EXPECT_EQ(roof.getDrawing(), section);
    EXPECT_FALSE(roof.isValid());
}

TEST_F(Slabs, TheRoofPlaneRisesAtTheSlopeLeftOfThePivotLine) {
    struct Case {
        HostCoord2D begin, end;
        double slope;
        HostCoord2D uphill; // a unit step up the slope in plan
    };
    const double s = std::numbers::pi / 6.0;
    const Case cases[] = {
        {{0.0, 0.0}, {2.0, 0.0}, s, {0.0, 1.0}},
        {{1.0, 1.0}, {1.0, 4.0}, s, {-1.0, 0.0}},
        {{3.0, 0.0}, {0.0, 0.0}, std::numbers::pi / 4.0, {0.0, -1.0}},
        {{0.0, 0.0}, {1.0, 0.0}, 0.0, {0.0, 1.0}},
    };
    for (const Case& c : cases) {
        Roof roof;
        roof.setSlopeAngle(c.slope);
        roof.setPivotLine(Line(c.begin, c.end, 2.5));
        const Plane plane = roof.getRoofPlane();
        const double z = roof.getPivotLine().getStartPoint().getZ();
        const double rise = 3.0 * std::tan(c.slope);
        const CadPoint up(c.begin.x + 3.0 * c.uphill.x, c.begin.y + 3.0 * c.uphill.y, z + rise);
        const CadPoint down(c.begin.x - 3.0 * c.uphill.x, c.begin.y - 3.0 * c.uphill.y, z - rise);
        EXPECT_NEAR(plane.getDistance(up), 0.0, 1e-9);
        EXPECT_NEAR(plane.getDistance(down), 0.0, 1e-9);
        EXPECT_NEAR(plane.getDistance(CadPoint(c.end, z)), 0.0, 1e-9);
        EXPECT_NEAR(plane.getNormal().getZ(), std::cos(c.slope), 1e-12);
        EXPECT_GT(plane.getDistance(CadPoint(c.begin, z + 1.0)), 0.0);
    }
    Roof flat;
    flat.setPivotLine(Line(HostCoord2D{1.0, 1.0}, HostCoord2D{1.0, 1.0}, 0.0));
    EXPECT_EQ(flat.getRoofPlane().getNormal().getZ(), 1.0);
}

TEST_F(Slabs, AnOutlineTheHostCannotHandOutStaysUnreadAndTheRecordKeepsItsCounts) {
    const API_Guid guid = add(HostSlabTypeCode);
    std::unique_ptr<Slab> slab = read<Slab>(guid);
    ASSERT_NE(slab, nullptr);
    const HostFunctionTable full = hostTable();
    HostFunctionTable partial = full;
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "GetElementMemo"));
    installHostTable(&partial);
    EXPECT_EQ(slab->getOutline(), nullptr);
    EXPECT_FALSE(slab->BorderedPolygonMemo::isLoaded());
    EXPECT_EQ(zavhost::partOf<HostSlabElement>(*slab->buildRecord()).coordinateCount, 5u);
    EXPECT_EQ(slab->getOutlineHoleCount(), 0u);
    installHostTable(&full);
    ASSERT_NE(slab->getOutline(), nullptr);
    EXPECT_EQ(slab->getOutline()->getVertexCount(), 4u);
}

TEST_F(Slabs, TheHostRefusesEdgeArraysThatDoNotFitTheOutline) {
    enum Fault { None, ShortRecords, OverridesAsHandle, ValuesWithoutOutline };
    for (Fault fault : {ShortRecords, OverridesAsHandle, ValuesWithoutOutline, None}) {
        Slab slab;
        auto outline = std::make_unique<CadPolygon>(4, 0, true);
        for (size_t i = 0; i < Square.size(); ++i) {
            BuiltPoint built{PolyPoint(CadPoint(Square[i]))};
            built.setSideOverride(static_cast<uint16_t>(i + 1), true);
            outline->append(built);
        }
        slab.setPolygon(std::move(outline));
        std::unique_ptr<API_Element> record = slab.buildRecord();
        uint64_t mask = 0;
        ElementMemoPtr memo = slab.buildMemo(mask);
        ASSERT_NE(memo, nullptr);
        if (fault == ShortRecords) resizeHandle(memo->edgeRecords, 5 * sizeof(HostEdgeRecord));
        if (fault == OverridesAsHandle) {
            GSHandle handle = allocateHandle(getPtrSize(memo->sideOverrides));
            freePtr(memo->sideOverrides);
            memo->sideOverrides = reinterpret_cast<GSPtr>(handle);
        }
        if (fault == ValuesWithoutOutline) {
            freeHandle(memo->coordinates);
            freeHandle(memo->subPolygonEnds);
            memo->edgeValues = allocatePtr(4);
        }
        GSErrCode answer = hosterr::Ok;
        ASSERT_TRUE(
            change([&] { return (answer = ACAPCreateElement(record.get(), memo.get())) == hosterr::Ok; }) ||
            fault != None);
        EXPECT_EQ(answer, fault == None ? hosterr::Ok : hosterr::BadParameter) << fault;
    }
}

TEST_F(Slabs, ARoofsSkylightsAreThoseTheHostRelatesToIt) {
    const API_Guid roofGuid = add(HostRoofTypeCode);
    const API_Guid skylight =
        addHostElement(host, Shelter::SkylightTypeCode, nullptr, [&](zavhost::StoredElement& e) {
            HostSkylightElement part = zavhost::partOf<HostSkylightElement>(e.record);
            part.ownerGuid = roofGuid;
            zavhost::setPart(e.record, part);
        });
    (void)addHostElement(host, Shelter::SkylightTypeCode); // in no roof
    std::unique_ptr<Roof> roof = read<Roof>(roofGuid);
    ASSERT_NE(roof, nullptr);
    ElementLinkList links;
    ASSERT_TRUE(roof->getSkylights(links));
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0]->getGuid().toAPI(), skylight);
    EXPECT_EQ(links[0]->getDrawing(), Host::getPlan());
    Roof unsaved;
    EXPECT_FALSE(unsaved.getSkylights(links));
    EXPECT_EQ(links.size(), 1u);
}

TEST_F(Slabs, EachQuantityIsOneFieldOfItsKindsVariantAndTheReferencePointMovesTheOutline) {
    std::unique_ptr<Slab> slab = read<Slab>(add(HostSlabTypeCode));
    std::unique_ptr<Roof> roof = read<Roof>(add(HostRoofTypeCode));
    ASSERT_NE(slab, nullptr);
    ASSERT_NE(roof, nullptr);
    const size_t before = mark();
    const std::pair<double, double> table[] = {
        {slab->getMeasureA(), 16.0},
        {slab->getMeasureB(), 16.0},
        {slab->getMeasureC(), 16.0 * 0.3},
        {slab->getLength(), 16.0},
        {slab->getMeasureD(), 3000.0 + offsetof(HostSlabQuantities, measure5)},
        {slab->getSlabMeasure6(), 3000.0 + offsetof(HostSlabQuantities, slabMeasure6)},
        {roof->getMeasureA(), 16.0 / std::cos(std::numbers::pi / 6.0)},
        {roof->getMeasureB(), 16.0},
        {roof->getShelterMeasure3(), 3000.0 + offsetof(HostShelterQuantities, shelterMeasure3)},
        {roof->getShelterMeasure12(), 3000.0 + offsetof(HostShelterQuantities, shelterMeasures4To12) + 64},
    };
    for (size_t i = 0; i < std::size(table); ++i)
        EXPECT_NEAR(table[i].first, table[i].second, 1e-9) << i;
    EXPECT_EQ(host.calls().count("=> 1 value(s)", before), std::size(table));

    // The outline is read from its second stored point, (4, 0).
    CadPoint point;
    slab->getReferencePoint(point);
    EXPECT_EQ(point, CadPoint(4.0, 0.0, 3.0));
    slab->setReferencePoint(CadPoint(5.0, 2.0, 4.5));
    EXPECT_EQ(slab->getOutline()->getVertex(2).getCoord2D().x, 1.0);
    EXPECT_DOUBLE_EQ(slab->getSlabRecord().elevation, 1.5);
    Slab empty;
    empty.getReferencePoint(point);
    EXPECT_EQ(point, CadPoint());
}
