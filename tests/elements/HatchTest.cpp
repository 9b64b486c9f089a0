// Hatches: pens and fill from the hatch or its building material as the fill source and override
// bits say, a fill taken for kinds 0 and 1 only and from index 1, an open outline closed as the
// hatch takes it, quantities asked for one at a time, and a region with holes saved, reopened and
// read back by the factory with its counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "ElementTestSupport.h"
#include "Environment/TempFolder.h"
#include "elements/Hatch.h"
#include "project/Composite.h"
#include "project/Fill.h"
#include "project/Material.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class Hatches : public HostTest {
protected:
    Hatches() { registerElementCreator(Hatch::TypeCode, &createHatch); }
    ~Hatches() override { releaseElementCreators(); }

    // A building material with fill 3, fill pen 21 and background pen 22.
    int16_t addMaterial() {
        API_Attribute record;
        record.header.typeCode = AttrBuildingMaterial;
        std::snprintf(record.header.name, sizeof record.header.name, "%s", "Brick");
        record.material.fill = 3;
        record.material.fillPen = 21;
        record.material.backgroundPen = 22;
        if (host.project()->model.attributes.create(&record, nullptr) != hosterr::Ok) return 0;
        return static_cast<int16_t>(record.header.index);
    }
};

std::unique_ptr<CadPolygon> square(double x, double y, double side) {
    auto polygon = std::make_unique<CadPolygon>(4, 0, true);
    for (auto [dx, dy] : {std::pair{0.0, 0.0}, {side, 0.0}, {side, side}, {0.0, side}})
        polygon->append(PolyPoint(CadPoint(x + dx, y + dy, 0.0)));
    return polygon;
}

} // namespace

TEST_F(Hatches, FillPensComeFromTheMaterialUnlessTheHatchOverridesThem) {
    const int16_t material = addMaterial();
    ASSERT_NE(material, 0);
    struct Case {
        uint32_t source;
        uint8_t overrides;
        uint32_t foreground, background;
        int16_t fill;
    } cases[] = {
        {1, 0, 21, 22, 3},          {1, 4, 0x00050011, 22, 3}, {1, 8, 21, 18, 3},
        {1, 12, 0x00050011, 18, 3}, {0, 0, 0x00050011, 18, 9},
    };
    for (const Case& c : cases) {
        Hatch hatch;
        HostHatchElement& record = hatch.getHatchRecord();
        record.fillSource = c.source;
        record.overrides = c.overrides;
        record.material = material;
        record.foregroundPen = 0x00050011;
        record.backgroundPen = 18;
        record.fill = 9;
        Pen pen;
        hatch.getPen(pen, 6);
        EXPECT_EQ(pen.getIndex(), c.foreground) << c.source << " " << int(c.overrides);
        hatch.getPen(pen, 8);
        EXPECT_EQ(pen.getIndex(), c.background) << c.source << " " << int(c.overrides);
        std::unique_ptr<Pattern> pattern = hatch.getPattern(0);
        ASSERT_NE(pattern, nullptr);
        EXPECT_EQ(pattern->getIndex(), uint32_t(c.fill));
        EXPECT_EQ(hatch.getPattern(2), nullptr); // a hatch has no pattern of another kind
    }
    Hatch hatch;
    hatch.setPen(Pen(AttributeLink(int16_t(2), AttrPen)), 0);
    EXPECT_EQ(hatch.getHatchRecord().penValue, 2u);
    EXPECT_EQ(hatch.getHatchRecord().foregroundPen, 2u);
    EXPECT_EQ(hatch.getHatchRecord().backgroundPen, 2u);
}

TEST_F(Hatches, AFillOfIndexOneOrMoreBecomesTheHatchsOwnForKinds0And1Only) {
    Hatch hatch;
    hatch.getHatchRecord().fill = 4;
    const std::function<bool(const Hatch&)> tookSix = [](const Hatch& h) {
        return h.getHatchRecord().fill == 6;
    };
    expectPatternKinds(hatch, Fill(AttributeLink(int16_t(6), AttrFill)),
                       {{0, true}, {1, true}, {2, false}, {3, false}, {8, false}}, tookSix, "fill 6");
    for (int16_t index : {int16_t(0), int16_t(-2)})
        expectPatternKinds(hatch, Fill(AttributeLink(index, AttrFill)), {{0, false}, {1, false}}, tookSix,
                           "fill " + std::to_string(index));
    // A composite is no fill, whatever its index.
    expectPatternKinds(hatch, Composite(AttributeLink(int16_t(6), AttrComposite)), {{0, false}, {1, false}},
                       tookSix, "composite 6");
}

TEST_F(Hatches, AnOpenOutlineIsClosedAsTheHatchTakesItBeforeItIsWrittenBack) {
    std::unique_ptr<CadPolygon> open = square(0.0, 0.0, 10.0);
    open->setClosed(false);
    const Hatch made(std::move(open));
    std::unique_ptr<CadPolygon> outline = made.getOutline();
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isClosed());

    Hatch later;
    open = square(0.0, 0.0, 10.0);
    open->setClosed(false);
    static_cast<PolygonMemo&>(later).setPolygon(std::move(open)); // as any polygon memo is given one
    outline = later.getOutline();
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isClosed());
    EXPECT_EQ(outline->getVertexCount(), 4u);
}

TEST_F(Hatches, ARegionWithHolesComesBackWithItsCountsAfterASaveAndReopen) {
    TempFolder folder;
    std::unique_ptr<CadPolygon> region = square(0.0, 0.0, 10.0);
    region->setClosed(false); // the hatch closes it
    region->addHole(square(1.0, 1.0, 2.0).release());
    region->addHole(square(5.0, 5.0, 3.0).release());
    Hatch hatch(std::move(region));
    EXPECT_EQ(hatch.getOutlineHoleCount(), 2u);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(hatch, false, true); }));
    // Each quantity asked for alone: the area, the outline's perimeter, the holes'.
    const size_t before = mark();
    EXPECT_DOUBLE_EQ(hatch.getSurfaceArea(), 100.0 - 4.0 - 9.0);
    EXPECT_DOUBLE_EQ(hatch.getMeasureJ(), 40.0);
    EXPECT_DOUBLE_EQ(hatch.getMeasureH(), 8.0 + 12.0);
    EXPECT_EQ(host.calls().count("=> 1 value(s)", before), 3u);
    ASSERT_EQ(host.saveAndReopenProject(folder.path("hatches.zavproj")), hosterr::Ok);
    Plan* plan = Host::getPlan();
    std::unique_ptr<Element> element = plan->get(ElementLink(hatch.getGuid(), plan));
    auto* read = dynamic_cast<Hatch*>(element.get());
    ASSERT_NE(read, nullptr);
    // Three contours of four points, each closed by a repeat, and the unused first point.
    EXPECT_EQ(read->getHatchRecord().coordinateCount, 15u);
    EXPECT_EQ(read->getHatchRecord().endCount, 3u);
    std::unique_ptr<CadPolygon> outline = read->getOutline();
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isClosed());
    EXPECT_EQ(outline->getVertexCount(), 4u);
    ASSERT_EQ(outline->getHoleCount(), 2u);
    double right = 0.0;
    for (size_t i = 0; i < outline->getHole(1).getVertexCount(); ++i)
        right = std::max(right, outline->getHole(1).getVertex(i).getX());
    EXPECT_EQ(right, 8.0);
    EXPECT_EQ(Hatch().getOutline(), nullptr);
    EXPECT_EQ(Hatch().getOutlineHoleCount(), 0u);
}
