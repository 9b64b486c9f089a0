// Beams and columns kind by kind: pens, line types, finishes and fills on basic and profiled
// structures, what each setter writes, their measures, their points and elevations by the home
// storey, a storey-spanning column's storeys, and the column's cross lines and sizes.
#include <cmath>
#include <cstring>
#include <numbers>

#include "AttributeTables.h"
#include "construction/Beam.h"
#include "construction/Column.h"
#include "project/Fill.h"

using namespace tables;

namespace {

constexpr double pi = std::numbers::pi;

class BeamColumnTables : public TableTest {
protected:
    std::unique_ptr<Beam> namedBeam(uint32_t structure) {
        auto beam = std::make_unique<Beam>();
        HostBeamElement& part = beam->getBeamRecord();
        part.contourPen = ContourPen;
        part.kind2Pen = Kind2Pen;
        part.kind4Pen = Kind4Pen;
        part.kind10Pen = Kind10Pen;
        part.cutFillPen = CutFillPen;
        part.cutFillBackgroundPen = CutFillBackgroundPen;
        part.lineType = FirstLineType;
        part.secondLineType = SecondLineType;
        part.material = static_cast<uint16_t>(material);
        part.complexProfile = ProfileIndex;
        const uint16_t finishes[] = {FirstFinish, SecondFinish, ThirdFinish, FourthFinish, FifthFinish};
        for (size_t i = 0; i < 5; ++i)
            part.finishOverrides[i] = overriding(finishes[i]);
        part.structureType = structure;
        return beam;
    }

    std::unique_ptr<Column> namedColumn(uint32_t structure) {
        auto column = std::make_unique<Column>();
        HostColumnElement& part = column->getColumnRecord();
        part.contourPen = ContourPen;
        part.kind2Pen = Kind2Pen;
        part.kind3Pen = Kind3Pen;
        part.kind4Pen = Kind4Pen;
        part.kind5Pen = Kind5Pen;
        part.cutFillPen = CutFillPen;
        part.cutFillBackgroundPen = CutFillBackgroundPen;
        part.lineType = FirstLineType;
        part.coreMaterial = static_cast<uint16_t>(material);
        part.veneerMaterial = static_cast<uint16_t>(other);
        part.complexProfile = ProfileIndex;
        part.finishOverride = overriding(FirstFinish);
        part.structureType = structure;
        return column;
    }

    int16_t material = addMaterial();
    int16_t other = addOtherMaterial();
};

} // namespace

TEST_F(BeamColumnTables, ABeamsPensLineTypesFinishesAndFillsByKind) {
    for (uint8_t flag : {0, 1}) {
        std::unique_ptr<Beam> beam = namedBeam(0);
        beam->getBeamRecord().cutFillFlag = flag;
        expectPens(*beam,
                   {{0, ContourPen},
                    {1, ContourPen},
                    {2, Kind2Pen},
                    {3, 0},
                    {4, Kind4Pen},
                    {5, 0},
                    {6, 0},
                    {8, 0},
                    {10, Kind10Pen},
                    {11, flag != 0 ? CutFillPen : MaterialPen},
                    {12, flag != 0 ? CutFillBackgroundPen : MaterialBackgroundPen},
                    {13, 0}},
                   "beam, cut-fill flag " + std::to_string(flag));
    }
    std::unique_ptr<Beam> beam = namedBeam(0);
    expectLineStyles(*beam,
                     {{0, FirstLineType},
                      {1, FirstLineType},
                      {2, SecondLineType},
                      {3, SecondLineType},
                      {7, SecondLineType}},
                     "beam");
    expectFinishes(*beam,
                   {{0, SecondFinish},
                    {1, SecondFinish},
                    {2, FirstFinish},
                    {3, ThirdFinish},
                    {4, MaterialSurface},
                    {5, FifthFinish},
                    {6, MaterialSurface},
                    {7, FourthFinish},
                    {8, MaterialSurface}},
                   "beam, overriding");
    for (HostOverrideWord& word : beam->getBeamRecord().finishOverrides)
        word = overriding(static_cast<uint16_t>(word), false);
    expectFinishes(*beam,
                   {{0, MaterialSurface}, {2, MaterialSurface}, {5, MaterialSurface}, {7, MaterialSurface}},
                   "beam, not overriding");

    for (const auto& [structure, ownMaterial] : {std::pair{0u, material}, {2u, int16_t(0)}}) {
        std::unique_ptr<Beam> shaped = namedBeam(structure);
        const std::string what = "beam of structure " + std::to_string(structure);
        EXPECT_EQ(shaped->getStructureType(), structure);
        expectPatterns(*shaped,
                       {{0, AttrFill, MaterialFill},
                        {1, AttrFill, MaterialFill},
                        {2, 0, 0},
                        {3, AttrFill, MaterialFill},
                        {4, 0, 0}},
                       what);
        EXPECT_EQ(materialOf(*shaped), ownMaterial) << what;
        EXPECT_EQ(profileOf(*shaped), ProfileIndex) << what; // whatever the structure
    }
}

TEST_F(BeamColumnTables, ABeamsSettersWriteTheFieldsOfTheirKinds) {
    Beam beam;
    HostBeamElement& part = beam.getBeamRecord();
    Writes<uint16_t> pens{{recordField("contour", part.contourPen), recordField("kind 2", part.kind2Pen),
                           recordField("kind 4", part.kind4Pen), recordField("kind 10", part.kind10Pen),
                           recordField("cut fill", part.cutFillPen),
                           recordField("cut-fill background", part.cutFillBackgroundPen)}};
    expectPenWrites(beam, pens,
                    {{0, {"contour", "kind 2", "kind 10", "cut fill", "cut-fill background"}},
                     {1, {"contour"}},
                     {2, {"kind 2"}},
                     {3, {}},
                     {4, {"kind 4"}},
                     {5, {}},
                     {6, {"cut fill"}},
                     {7, {}},
                     {8, {"cut-fill background"}},
                     {9, {}},
                     {10, {"kind 10"}},
                     {11, {"cut fill"}},
                     {12, {"cut-fill background"}},
                     {13, {}}},
                    "beam pen");

    Writes<uint16_t> lineTypes{
        {recordField("line type", part.lineType), recordField("second", part.secondLineType)}};
    expectLineTypeWrites(
        beam, lineTypes,
        {{0, {"line type"}}, {1, {"line type"}}, {2, {"second"}}, {3, {}}, {7, {}}, {0xFFFFFFFF, {}}},
        "beam line type");

    Writes<HostOverrideWord> finishes;
    for (size_t i = 0; i < 5; ++i) {
        static const char* const names[] = {"first", "second", "third", "fourth", "fifth"};
        finishes.fields.push_back(
            {names[i], [&, i]() -> HostOverrideWord& { return part.finishOverrides[i]; }});
    }
    expectFinishWrites(beam, Finish(AttributeLink(int16_t(40), AttrSurface)), finishes,
                       {{0, {"first", "second", "third", "fourth", "fifth"}},
                        {1, {"first", "second", "third", "fourth", "fifth"}},
                        {2, {"first"}},
                        {3, {"third"}},
                        {4, {}},
                        {5, {"fifth"}},
                        {6, {"second"}},
                        {7, {"fourth"}},
                        {8, {}}},
                       overriding(40), "beam finish");

    const Beam before(beam);
    for (uint32_t kind : {0u, 1u, 2u, 3u})
        beam.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), kind);
    EXPECT_EQ(std::memcmp(&part, &before.getBeamRecord(), sizeof part), 0); // a beam takes none
    beam.setComplexProfile(ComplexProfile(AttributeLink(int16_t(9), AttrProfile)));
    EXPECT_EQ(part.complexProfile, 9);
    beam.setSecondSize(0.45);
    EXPECT_DOUBLE_EQ(part.secondSize, 0.45);
    EXPECT_DOUBLE_EQ(beam.getSecondSize(), 0.45);
    beam.setHeight(0.6);
    EXPECT_DOUBLE_EQ(part.height, 0.6);
    part.profileSetting = 5;
    EXPECT_EQ(beam.getProfileSetting(), 5);
}

TEST_F(BeamColumnTables, ABeamsMeasuresAreOneFieldEachAndNoneFromAnOutline) {
    Beam beam;
    beam.setHeight(0.6);
    std::vector<MeasureRow> rows = {
        byNumber(1, MeasureRow::OwnField),    byNumber(2, MeasureRow::OwnField),
        byNumber(3, MeasureRow::OwnField),    byNumber(5, MeasureRow::OwnField),
        byNumber(6, MeasureRow::Same, 5),     byNumber(7, MeasureRow::Value, 0.6),
        byNumber(8, MeasureRow::Value, 0.6),  byNumber(9, MeasureRow::Value, 0.0),
        byNumber(10, MeasureRow::OwnField),   byNumber(11, MeasureRow::OwnField),
        byNumber(12, MeasureRow::Value, 0.0),
    };
    const std::function<double(const Beam&)> quantities[] = {
        &Beam::getBeamQuantity1, &Beam::getBeamQuantity2, &Beam::getBeamQuantity3,
        &Beam::getBeamQuantity4, &Beam::getBeamQuantity5, &Beam::getBeamQuantity6};
    static const char* const names[] = {"quantity 1", "quantity 2", "quantity 3",
                                        "quantity 4", "quantity 5", "quantity 6"};
    for (size_t i = 0; i < std::size(quantities); ++i)
        rows.push_back({names[i], [&, i](Element& e) { return quantities[i](static_cast<Beam&>(e)); },
                        MeasureRow::OwnField, 0.0});
    expectMeasures(beam, rows, "beam");
}

TEST_F(BeamColumnTables, ABeamsPointsAndElevationAreRelativeToTheHomeStorey) {
    Beam beam(onFirstFloor(Beam::TypeCode), API_Element());
    HostBeamElement& part = beam.getBeamRecord();
    part.elevation = 0.5;
    part.begin = {1.0, 2.0};
    part.end = {4.0, 6.0};
    part.arcAngle = -0.5;
    EXPECT_DOUBLE_EQ(beam.getElevation(false), 0.5);
    EXPECT_DOUBLE_EQ(beam.getElevation(true), 3.5);
    CadPoint reference;
    beam.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(1.0, 2.0, 3.5));
    const PolyEdge axis = beam.getReferenceLine();
    EXPECT_EQ(axis.getStartPoint(), CadPoint(1.0, 2.0, 3.5));
    EXPECT_EQ(CadPoint(axis.getEndPoint()), CadPoint(4.0, 6.0, 3.5));
    EXPECT_DOUBLE_EQ(axis.getArcAngle(), -0.5);
    EXPECT_DOUBLE_EQ(beam.getLength(), axis.getPlanLength());
    beam.setElevation(5.0, true);
    EXPECT_DOUBLE_EQ(part.elevation, 2.0);
    beam.setElevation(5.0, false);
    EXPECT_DOUBLE_EQ(part.elevation, 5.0);
    beam.setReferencePoint(CadPoint(7.0, 8.0, 4.0));
    EXPECT_EQ(CadPoint(part.begin), CadPoint(7.0, 8.0, 0.0));
    EXPECT_DOUBLE_EQ(part.elevation, 1.0);
    beam.setEndPoint(CadPoint(9.0, 9.0, 3.25));
    EXPECT_EQ(CadPoint(part.end), CadPoint(9.0, 9.0, 0.0));
    EXPECT_DOUBLE_EQ(part.elevation, 0.25);
}

TEST_F(BeamColumnTables, AColumnsPensLineTypesFinishesAndFillsByKind) {
    for (uint8_t flag : {0, 1}) {
        std::unique_ptr<Column> column = namedColumn(0);
        column->getColumnRecord().cutFillFlag = flag;
        expectPens(*column,
                   {{0, ContourPen},
                    {1, ContourPen},
                    {2, Kind2Pen},
                    {3, Kind3Pen},
                    {4, Kind4Pen},
                    {5, Kind5Pen},
                    {6, 0},
                    {7, 0},
                    {8, 0},
                    {9, 0},
                    {10, Kind4Pen},
                    {11, flag != 0 ? CutFillPen : MaterialPen},
                    {12, flag != 0 ? CutFillBackgroundPen : MaterialBackgroundPen},
                    {13, OtherBackgroundPen},
                    {14, 0},
                    {0xFFFFFFFF, 0}},
                   "column, cut-fill flag " + std::to_string(flag));
    }
    std::unique_ptr<Column> column = namedColumn(0);
    expectLineStyles(
        *column, {{0, FirstLineType}, {1, FirstLineType}, {2, FirstLineType}, {5, FirstLineType}}, "column");
    expectFinishes(*column, {{0, FirstFinish}, {1, FirstFinish}, {3, FirstFinish}, {7, FirstFinish}},
                   "column, overriding");
    column->getColumnRecord().finishOverride = overriding(FirstFinish, false);
    expectFinishes(*column, {{0, MaterialSurface}, {1, MaterialSurface}, {7, MaterialSurface}},
                   "column, not overriding");
    expectPatterns(*column,
                   {{0, AttrFill, MaterialFill},
                    {1, AttrFill, MaterialFill},
                    {2, AttrFill, OtherFill},
                    {3, AttrFill, MaterialFill},
                    {4, 0, 0},
                    {5, 0, 0}},
                   "column");
    EXPECT_EQ(materialOf(*column), material);
    EXPECT_EQ(column->getVeneerMaterial().getLink().getIndex16(), other);
    EXPECT_EQ(profileOf(*column), ProfileIndex);

    std::unique_ptr<Column> profiled = namedColumn(2);
    EXPECT_EQ(profiled->getStructureType(), 2u);
    EXPECT_EQ(materialOf(*profiled), 0);
    EXPECT_EQ(profiled->getVeneerMaterial().getLink().getIndex16(), 0);
    EXPECT_EQ(profileOf(*profiled), ProfileIndex);
}

TEST_F(BeamColumnTables, AColumnsSettersWriteTheFieldsOfTheirKinds) {
    Column column;
    Writes<uint16_t> pens{
        {recordField("contour", column.getColumnRecord().contourPen),
         recordField("kind 2", column.getColumnRecord().kind2Pen),
         recordField("kind 3", column.getColumnRecord().kind3Pen),
         recordField("kind 4", column.getColumnRecord().kind4Pen),
         recordField("kind 5", column.getColumnRecord().kind5Pen),
         recordField("cut fill", column.getColumnRecord().cutFillPen),
         recordField("cut-fill background", column.getColumnRecord().cutFillBackgroundPen)}};
    expectPenWrites(column, pens,
                    {{0, {"contour", "kind 2", "kind 3", "kind 4", "cut fill", "cut-fill background"}},
                     {1, {"contour"}},
                     {2, {"kind 2"}},
                     {3, {"kind 3"}},
                     {4, {"kind 4"}},
                     {5, {"kind 5"}},
                     {6, {"cut fill"}},
                     {7, {}},
                     {8, {"cut-fill background"}},
                     {9, {}},
                     {10, {"kind 4"}},
                     {11, {"cut fill"}},
                     {12, {"cut-fill background"}},
                     {13, {}}},
                    "column pen");
    for (uint32_t kind : {0u, 1u, 4u}) {
        column.getColumnRecord().lineType = 2;
        column.setLineStyle(LineStyle(AttributeLink(int16_t(40), AttrLineType)), kind);
        EXPECT_EQ(column.getColumnRecord().lineType, 40) << kind;
        column.getColumnRecord().finishOverride = 2;
        column.setFinish(Finish(AttributeLink(int16_t(40), AttrSurface)), kind);
        EXPECT_EQ(column.getColumnRecord().finishOverride, overriding(40)) << kind;
    }
    column.setComplexProfile(ComplexProfile(AttributeLink(int16_t(9), AttrProfile)));
    EXPECT_EQ(column.getColumnRecord().complexProfile, 9);
    column.setStructureType(2);
    EXPECT_EQ(column.getColumnRecord().structureType, 2u);
    const HostColumnElement before = column.getColumnRecord();
    for (uint32_t kind : {0u, 1u, 2u, 3u})
        column.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), kind);
    EXPECT_EQ(std::memcmp(&column.getColumnRecord(), &before, sizeof before), 0); // a column takes none

    column.setColumnValue1(7);
    column.setColumnValue3(0.75);
    column.setHeight(3.1);
    column.getColumnRecord().columnValue2 = 8;
    column.getColumnRecord().columnFlag = 1;
    column.getColumnRecord().profileSetting = 4;
    EXPECT_EQ(column.getColumnValue1(), 7);
    EXPECT_EQ(column.getColumnValue2(), 8);
    EXPECT_DOUBLE_EQ(column.getColumnValue3(), 0.75);
    EXPECT_DOUBLE_EQ(column.getBoundsZSize(), 3.1);
    EXPECT_TRUE(column.getColumnFlag());
    EXPECT_EQ(column.getProfileSetting(), 4);
}

TEST_F(BeamColumnTables, AColumnsMeasuresAreOneFieldEachTheOutlinesHolesAndTheirSums) {
    Column column;
    column.setHeight(2.8);
    std::vector<MeasureRow> rows = {
        byNumber(1, MeasureRow::OwnField),
        byNumber(2, MeasureRow::Same, 1),
        byNumber(3, MeasureRow::Same, 1),
        byNumber(5, MeasureRow::OwnField),
        byNumber(6, MeasureRow::OwnField),
        byNumber(7, MeasureRow::OwnField),
        byNumber(8, MeasureRow::OwnField),
        // The outline is the column's rectangle or circle, which has no holes.
        byNumber(9, MeasureRow::Value, 0.0),
        byNumber(10, MeasureRow::Value, 0.0),
        byNumber(12, MeasureRow::Value, 0.0),
        {"base 1", [](Element& e) { return static_cast<Column&>(e).getBaseMeasure1(); }, MeasureRow::Same, 1},
    };
    const std::function<double(const Column&)> quantities[] = {
        &Column::getColumnQuantity1, &Column::getColumnQuantity2, &Column::getColumnQuantity3,
        &Column::getColumnQuantity4, &Column::getColumnQuantity5, &Column::getColumnQuantity6,
        &Column::getColumnQuantity7};
    static const char* const names[] = {"quantity 1", "quantity 2", "quantity 3", "quantity 4",
                                        "quantity 5", "quantity 6", "quantity 7"};
    for (size_t i = 0; i < std::size(quantities); ++i)
        rows.push_back({names[i], [&, i](Element& e) { return quantities[i](static_cast<Column&>(e)); },
                        MeasureRow::OwnField, 0.0});
    expectMeasures(column, rows, "column");
    for (bool round : {false, true}) {
        column.setCircular(round);
        column.setWidth(1.0);
        column.setDepth(1.0);
        column.setVeneerThickness(0.2);
        EXPECT_EQ(column.getOutlineHoleCount(), 0u) << round;
        EXPECT_EQ(column.getMeasureH(), 0.0) << round;
        EXPECT_EQ(column.getMeasureJ(), 0.0) << round;
    }

    // A material's quantity sums the core's and the veneer's.
    QuantityProbe probe;
    column.setStructureType(0);
    column.getColumnRecord().coreMaterial = static_cast<uint16_t>(material);
    column.getColumnRecord().veneerMaterial = static_cast<uint16_t>(other);
    const double core = column.getMaterialQuantity(static_cast<uint16_t>(material));
    const double veneer = column.getMaterialQuantity(static_cast<uint16_t>(other));
    EXPECT_GT(core, 0.0);
    EXPECT_GT(veneer, 0.0);
    EXPECT_NE(core, veneer);
    EXPECT_EQ(column.getMaterialQuantity(99), 0.0);
    column.getColumnRecord().veneerMaterial = static_cast<uint16_t>(material);
    EXPECT_DOUBLE_EQ(column.getMaterialQuantity(static_cast<uint16_t>(material)), core + veneer);
}

TEST_F(BeamColumnTables, AColumnsPointSizesAndCrossLines) {
    Column column(onFirstFloor(Column::TypeCode), API_Element());
    HostColumnElement& part = column.getColumnRecord();
    part.elevation = 0.5;
    part.reference = {5.0, 3.0};
    part.width = 2.0;
    part.depth = 1.0;
    part.veneerThickness = 0.1;
    part.height = 2.5;
    EXPECT_DOUBLE_EQ(column.getElevation(false), 0.5);
    EXPECT_DOUBLE_EQ(column.getElevation(true), 3.5);
    CadPoint reference;
    column.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(5.0, 3.0, 3.5));
    column.setElevation(5.0, true);
    EXPECT_DOUBLE_EQ(part.elevation, 2.0);
    column.setElevation(5.0, false);
    EXPECT_DOUBLE_EQ(part.elevation, 5.0);
    column.setReferencePoint(CadPoint(5.0, 3.0, 3.5));
    EXPECT_DOUBLE_EQ(part.elevation, 0.5);
    EXPECT_DOUBLE_EQ(column.getBoundsZSize(), 2.5);
    EXPECT_DOUBLE_EQ(column.getBoundsXSize(), 2.0);
    EXPECT_DOUBLE_EQ(column.getBoundsYSize(), 1.0);
    EXPECT_DOUBLE_EQ(column.getOverallWidth(), 2.2);
    EXPECT_DOUBLE_EQ(column.getOverallDepth(), 1.2);
    EXPECT_DOUBLE_EQ(column.getVeneerThickness(), 0.1);

    struct Case {
        double axis;
        bool depthwise;
        CadPoint from, to;
    };
    const Case cases[] = {
        {0.0, false, {4.0, 3.0, 3.5}, {6.0, 3.0, 3.5}},
        {0.0, true, {5.0, 2.5, 3.5}, {5.0, 3.5, 3.5}},
        {pi / 2, false, {5.0, 2.0, 3.5}, {5.0, 4.0, 3.5}},
        {pi / 2, true, {5.5, 3.0, 3.5}, {4.5, 3.0, 3.5}},
    };
    for (const Case& c : cases) {
        column.setAxisAngle(c.axis);
        column.setExtraAngle(0.3); // turns the outline, not the cross line
        EXPECT_DOUBLE_EQ(column.getAxisAngle(), c.axis);
        EXPECT_DOUBLE_EQ(column.getExtraAngle(), 0.3);
        PolyEdge line;
        column.getCrossLine(line, c.depthwise);
        EXPECT_NEAR(line.getStartPoint().distance(c.from), 0.0, 1e-9) << c.axis << " " << c.depthwise;
        EXPECT_NEAR(CadPoint(line.getEndPoint()).distance(c.to), 0.0, 1e-9) << c.axis << " " << c.depthwise;
        EXPECT_DOUBLE_EQ(line.getArcAngle(), 0.0);
    }

    struct Diameter {
        bool round;
        double width, depth, diameter;
    };
    for (const Diameter& d :
         {Diameter{true, 1.5, 1.5, 1.5}, Diameter{true, 1.5, 1.0, 0.0}, Diameter{false, 1.5, 1.5, 0.0}}) {
        column.setCircular(d.round);
        column.setWidth(d.width);
        column.setDepth(d.depth);
        EXPECT_EQ(column.isCircular(), d.round);
        EXPECT_DOUBLE_EQ(column.getDiameter(), d.diameter) << d.round << " " << d.depth;
    }
}

TEST_F(BeamColumnTables, AStoreySpanningColumnIsOnTheStoreysItsHeightReaches) {
    struct Case {
        const char* what;
        double level, height, tolerance;
        bool on;
    };
    const Case cases[] = {
        {"its own storey", 0.0, 3.0, 0.0, true},
        {"the one it reaches exactly", 3.0, 3.0, 0.0, false},
        {"the one it reaches, by a negative tolerance", 3.0, 3.0, -0.01, true},
        {"its own, by a tolerance of its height", 0.0, 3.0, 3.0, false},
        {"the one below", -3.0, 3.0, 0.0, false},
        {"a high storey it reaches into", 2.0, 5.0, 0.0, true},
        {"one within it", 1.0, 1.0, 0.0, true},
        {"one below whose top it stands under by more than the tolerance", -2.0, 2.5, 0.4, true},
        {"one below whose top it stands under by less than the tolerance", -2.0, 2.5, 0.6, false},
    };
    Column column;
    HostColumnElement& part = column.getColumnRecord();
    part.elevation = 0.0;
    part.height = 3.0;
    part.storeySpanFlag = 1;
    EXPECT_FALSE(column.isEnabled());
    for (const Case& c : cases) {
        const Storey storey(nullptr, "Storey", 7, c.level, c.height);
        EXPECT_EQ(column.isOnStorey(storey, c.tolerance), c.on) << c.what;
    }
    // A regular column is on its home storey only.
    Column regular(onFirstFloor(Column::TypeCode), API_Element());
    regular.getColumnRecord().height = 30.0;
    EXPECT_TRUE(regular.isEnabled());
    EXPECT_TRUE(regular.isOnStorey(storey(1)));
    EXPECT_FALSE(regular.isOnStorey(storey(0)));
}

TEST_F(BeamColumnTables, ABasicBeamsCompositeQuantityIsItsMaterialsOverItsSecondSize) {
    QuantityProbe probe;
    std::unique_ptr<Beam> beam = namedBeam(0);
    beam->setSecondSize(0.5);
    const auto asked = static_cast<uint16_t>(material);
    const double volume = beam->getMaterialQuantity(asked); // its measure 5 for its own material
    EXPECT_DOUBLE_EQ(volume, beam->getMeasureD());
    EXPECT_GT(volume, 0.0);
    EXPECT_DOUBLE_EQ(beam->getCompositeQuantity(asked), volume / 0.5);
    EXPECT_DOUBLE_EQ(beam->getMaterialQuantity(static_cast<uint16_t>(other)), 0.0);
    EXPECT_DOUBLE_EQ(beam->getCompositeQuantity(static_cast<uint16_t>(other)), 0.0);
    beam->setSecondSize(-1e-6);
    EXPECT_DOUBLE_EQ(beam->getCompositeQuantity(asked), 0.0);
}
