// Beams and columns: a column's outline, rectangular or round, built again after a change and never
// shared by a copy; a beam's end point with and without its slope; their records through the host
// and their quantities one field each; what they answer without the host's functions.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "Environment/HostCalls.h"
#include "Environment/HostTable.h"
#include "construction/Beam.h"
#include "construction/Column.h"
#include "construction/ConstructionFactory.h"
#include "elements/ElementTestSupport.h"
#include "platform/host/BeamColumnParts.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/RecordFields.h"
#include "project/Finish.h"
#include "project/Material.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr double Near = 1e-9;

class BeamsAndColumns : public HostTest {
protected:
    BeamsAndColumns() { registerConstructionElementCreators(); }
    ~BeamsAndColumns() override { releaseElementCreators(); }

    template <class T> std::unique_ptr<T> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* typed = dynamic_cast<T*>(element.get());
        if (typed == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<T>(typed);
    }
};

// The outline's vertices, counter-clockwise from the first corner the box gives.
void expectOutline(const CadPolygon& outline, std::initializer_list<std::pair<double, double>> corners,
                   double arc) {
    ASSERT_EQ(outline.getVertexCount(), corners.size());
    size_t i = 0;
    for (const auto& [x, y] : corners) {
        const PolyPoint& vertex = outline.getVertex(i++);
        EXPECT_NEAR(vertex.getX(), x, Near) << i;
        EXPECT_NEAR(vertex.getY(), y, Near) << i;
        EXPECT_NEAR(vertex.getArcAngle(), arc, Near) << i;
    }
}

} // namespace

TEST_F(BeamsAndColumns, AColumnsOutlineFollowsItsSizesAndShapeAndACopyKeepsItsOwn) {
    Column column;
    column.setReferencePoint(CadPoint(5.0, 3.0, 0.0));
    column.setWidth(2.0);
    column.setDepth(1.0);
    column.setVeneerThickness(0.1);
    std::unique_ptr<CadPolygon> outline = column.getOutline();
    ASSERT_NE(outline, nullptr);
    expectOutline(*outline, {{3.9, 2.4}, {6.1, 2.4}, {6.1, 3.6}, {3.9, 3.6}}, 0.0);

    // A copy builds its own: a change of the first one leaves the copy's as it was.
    const Column copy(column);
    column.setWidth(4.0);
    expectOutline(*column.getOutline(), {{2.9, 2.4}, {7.1, 2.4}, {7.1, 3.6}, {2.9, 3.6}}, 0.0);
    expectOutline(*copy.getOutline(), {{3.9, 2.4}, {6.1, 2.4}, {6.1, 3.6}, {3.9, 3.6}}, 0.0);

    // A quarter turn of both angles together, then the shape: each setter builds it again.
    column.setAxisAngle(std::numbers::pi / 4.0);
    column.setExtraAngle(std::numbers::pi / 4.0);
    expectOutline(*column.getOutline(), {{5.6, 0.9}, {5.6, 5.1}, {4.4, 5.1}, {4.4, 0.9}}, 0.0);

    // Round, width 1 and no veneer: the circle through four corners half a unit from the centre.
    Column round;
    round.setCircular(true);
    round.setWidth(1.0);
    round.setVeneerThickness(0.0);
    std::unique_ptr<CadPolygon> circle = round.getOutline();
    ASSERT_NE(circle, nullptr);
    ASSERT_EQ(circle->getVertexCount(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(std::hypot(circle->getVertex(i).getX(), circle->getVertex(i).getY()), 0.5, Near) << i;
        EXPECT_NEAR(circle->getVertex(i).getArcAngle(), std::numbers::pi / 2.0, Near) << i;
    }
    EXPECT_EQ(round.getDiameter(), 0.0); // not as deep as it is wide
    round.setDepth(1.0);
    EXPECT_EQ(round.getDiameter(), 1.0);
    EXPECT_EQ(round.getOutlineHoleCount(), 0u);
    EXPECT_EQ(round.getMeasureH(), 0.0);
}

TEST_F(BeamsAndColumns, ABeamsEndRisesWithItsSlopeOnlyWhenItIsSloped) {
    struct Case {
        const char* what;
        uint8_t sloped;
        double slope;
        double z;
    };
    const Case cases[] = {
        {"flat, whatever the angle holds", 0, 0.4, 1.0},
        {"sloped by atan 0.5 over a plan length of 5", 1, std::atan(0.5), 3.5},
        {"sloped down", 1, -std::atan(0.5), -1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Beam beam;
        beam.setReferencePoint(CadPoint(0.0, 0.0, 1.0));
        beam.setEndPoint(CadPoint(4.0, 3.0, 1.0));
        beam.getBeamRecord().slopedFlag = c.sloped;
        beam.getBeamRecord().slopeAngle = c.slope;
        PolyPoint end;
        beam.getEndPoint(end);
        EXPECT_NEAR(end.getX(), 4.0, Near);
        EXPECT_NEAR(end.getY(), 3.0, Near);
        EXPECT_NEAR(end.getZ(), c.z, Near);
        EXPECT_NEAR(beam.getLength(), 5.0, Near);
    }
    Beam beam;
    EXPECT_EQ(beam.getOutline(), nullptr);
    EXPECT_EQ(beam.getOutlineHoleCount(), 0u);
    beam.setSecondSize(0.0);
    const size_t before = mark();
    EXPECT_EQ(beam.getCompositeQuantity(1), 0.0);
    EXPECT_EQ(mark(), before); // nothing to divide by: the host is not asked
}

TEST_F(BeamsAndColumns, PensAndFinishesFollowTheirKinds) {
    Beam beam;
    beam.setFinish(Finish(AttributeLink(9, AttrSurface)), 0);
    for (HostOverrideWord word : beam.getBeamRecord().finishOverrides)
        EXPECT_EQ(word, 0x10009u);
    beam.setFinish(Finish(AttributeLink(4, AttrSurface)), 7);
    Finish finish;
    beam.getFinish(finish, 7);
    EXPECT_EQ(finish.getIndex(), 4u);
    beam.getFinish(finish, 1);
    EXPECT_EQ(finish.getIndex(), 9u);

    Column column;
    HostColumnElement& part = column.getColumnRecord();
    part.cutFillFlag = 0;
    part.cutFillPen = 30;
    part.coreMaterial = 1;
    part.veneerMaterial = 1;
    Pen pen;
    column.getPen(pen, 11);
    EXPECT_EQ(pen.getIndex(), static_cast<uint32_t>(Material::fromIndex(1).getFillPen().getIndex()));
    column.getPen(pen, 13);
    EXPECT_EQ(pen.getIndex(),
              static_cast<uint32_t>(Material::fromIndex(1).getFillBackgroundPen().getIndex()));
    part.cutFillFlag = 1;
    column.getPen(pen, 11);
    EXPECT_EQ(pen.getIndex(), 30u);
    column.getPen(pen, 14);
    EXPECT_EQ(pen.getIndex(), 0u);
}

TEST_F(BeamsAndColumns, RecordsGoThroughTheHostWholeAndQuantitiesAreOneFieldEach) {
    Beam beam;
    beam.setReferencePoint(CadPoint(1.0, 2.0, 0.5));
    beam.setEndPoint(CadPoint(6.0, 2.0, 0.5));
    beam.getBeamRecord().slopedFlag = 1;
    beam.getBeamRecord().slopeAngle = 0.1;
    beam.setHeight(0.6);
    Column column;
    column.setReferencePoint(CadPoint(3.0, 3.0, 0.0));
    column.setCircular(true);
    column.setColumnValue3(2.5);
    ASSERT_TRUE(change([&] {
        return Host::getPlan()->saveElement(beam, true, false) &&
               Host::getPlan()->saveElement(column, true, false);
    }));
    std::unique_ptr<Beam> readBeam = read<Beam>(beam.getGuid().toAPI());
    std::unique_ptr<Column> readColumn = read<Column>(column.getGuid().toAPI());
    ASSERT_NE(readBeam, nullptr);
    ASSERT_NE(readColumn, nullptr);
    const size_t headSize = sizeof(HostElementHead);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&readBeam->getBeamRecord()) + headSize,
                          reinterpret_cast<const char*>(&beam.getBeamRecord()) + headSize,
                          sizeof(HostBeamElement) - headSize),
              0);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&readColumn->getColumnRecord()) + headSize,
                          reinterpret_cast<const char*>(&column.getColumnRecord()) + headSize,
                          sizeof(HostColumnElement) - headSize),
              0);
    // The host shows where they stand.
    const zavhost::StoredElement* stored = host.project()->model.views.findElement(beam.getGuid().toAPI());
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(zavhost::placedNodes(stored->record)->size(), 2u);

    const double beamBase = HostBeamTypeCode * 1000.0, columnBase = HostColumnTypeCode * 1000.0;
    const std::pair<std::function<double()>, double> table[] = {
        {[&] { return readBeam->getMeasureA(); }, beamBase + offsetof(HostBeamQuantities, measureA)},
        {[&] { return readBeam->getMeasureI(); }, beamBase + offsetof(HostBeamQuantities, measureI)},
        {[&] { return readBeam->getBeamQuantity6(); },
         beamBase + offsetof(HostBeamQuantities, beamQuantity) + 40},
        {[&] { return readColumn->getMeasureC(); }, columnBase + offsetof(HostColumnQuantities, measureA)},
        {[&] { return readColumn->getMeasureG(); }, columnBase + offsetof(HostColumnQuantities, measureG)},
        {[&] { return readColumn->getColumnQuantity1(); },
         columnBase + offsetof(HostColumnQuantities, columnQuantity)},
        {[&] { return readColumn->getColumnQuantity7(); },
         columnBase + offsetof(HostColumnQuantities, columnQuantity) + 48},
    };
    const size_t before = mark();
    for (size_t i = 0; i < std::size(table); ++i)
        EXPECT_NEAR(table[i].first(), table[i].second, Near) << i;
    EXPECT_EQ(host.calls().count("=> 1 value(s)", before), std::size(table));
}

TEST_F(BeamsAndColumns, WithoutTheHostsFunctionsTheyAnswerNothing) {
    Column column;
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(column, true, false); }));
    const HostFunctionTable full = hostTable();
    for (const char* slot : {"GetElementQuantities", "GetElementMemo", "GetDefaultElement"}) {
        std::unique_ptr<Column> read = this->read<Column>(column.getGuid().toAPI());
        ASSERT_NE(read, nullptr);
        HostFunctionTable partial = full;
        ASSERT_TRUE(zavhost::clearFunctionSlot(partial, slot));
        installHostTable(&partial);
        const std::string name = slot;
        EXPECT_EQ(read->getMeasureA() == 0.0, name == "GetElementQuantities") << slot;
        EXPECT_EQ(read->getGableCount(), 0u) << slot;
        EXPECT_EQ(read->resetToDefaults(), name != "GetDefaultElement") << slot;
        installHostTable(&full);
    }
}
