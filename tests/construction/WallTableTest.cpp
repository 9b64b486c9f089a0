// A wall's accessor maps kind by kind on basic, composite and profiled structures, its measures one
// field each or from its outline's holes, its elevations by the home storey, and the operations of
// its reference line: end thickness, arc radius past half a turn, length, angle and extension.
#include <cmath>
#include <numbers>

#include "AttributeTables.h"
#include "construction/Wall.h"
#include "project/Composite.h"
#include "project/Fill.h"

using namespace tables;

namespace {

constexpr double pi = std::numbers::pi;

class WallTables : public TableTest {
protected:
    // A wall whose every attribute field names itself.
    std::unique_ptr<Wall> named(uint32_t structure) {
        auto wall = std::make_unique<Wall>();
        HostWallElement& part = wall->getWallRecord();
        part.contourPen = ContourPen;
        part.kind5Pen = Kind5Pen;
        part.kind10Pen = Kind10Pen;
        part.cutFillPen = CutFillPen;
        part.cutFillBackgroundPen = CutFillBackgroundPen;
        part.lineType = FirstLineType;
        part.material = static_cast<uint16_t>(material);
        part.composite = -static_cast<int16_t>(CompositeIndex); // the host keeps it negated
        part.complexProfile = ProfileIndex;
        part.finishOverrides[0] = overriding(FirstFinish);
        part.finishOverrides[1] = overriding(SecondFinish);
        part.finishOverrides[2] = overriding(ThirdFinish);
        part.structureType = structure;
        return wall;
    }

    int16_t material = addMaterial();
};

CadPolygon* square(double left, double bottom, double side, bool clockwise = false) {
    auto* polygon = new CadPolygon(4, 0, true);
    const std::pair<double, double> corners[] = {{0, 0}, {side, 0}, {side, side}, {0, side}};
    for (size_t i = 0; i < 4; ++i) {
        const auto& [x, y] = corners[clockwise ? (4 - i) % 4 : i];
        polygon->append(PolyPoint(CadPoint(left + x, bottom + y, 0.0)));
    }
    return polygon;
}

} // namespace

TEST_F(WallTables, PensLineTypesFinishesAndFillsByKind) {
    ASSERT_NE(material, 0);
    for (uint8_t flag : {0, 1}) {
        std::unique_ptr<Wall> wall = named(0);
        wall->setCutFillPensFromRecord(flag != 0);
        EXPECT_EQ(wall->getCutFillPensFromRecord(), flag != 0);
        const uint32_t cut = flag != 0 ? CutFillPen : MaterialPen;
        const uint32_t back = flag != 0 ? CutFillBackgroundPen : MaterialBackgroundPen;
        expectPens(*wall,
                   {{0, ContourPen},
                    {1, ContourPen},
                    {2, 0},
                    {3, 0},
                    {4, 0},
                    {5, Kind5Pen},
                    {6, 0},
                    {7, 0},
                    {8, 0},
                    {9, 0},
                    {10, Kind10Pen},
                    {11, cut},
                    {12, back},
                    {13, 0},
                    {0xFFFFFFFF, 0}},
                   "cut-fill flag " + std::to_string(flag));
    }

    std::unique_ptr<Wall> wall = named(0);
    expectLineStyles(*wall, {{0, FirstLineType}, {1, FirstLineType}, {2, FirstLineType}, {7, FirstLineType}},
                     "wall");
    expectFinishes(*wall,
                   {{0, FirstFinish},
                    {1, FirstFinish},
                    {2, SecondFinish},
                    {3, ThirdFinish},
                    {4, FirstFinish},
                    {5, MaterialSurface},
                    {6, MaterialSurface},
                    {0xFFFFFFFF, MaterialSurface}},
                   "overriding");
    for (HostOverrideWord& word : wall->getWallRecord().finishOverrides)
        word &= 0xFF00FFFF; // the index stays, the override byte goes
    expectFinishes(*wall,
                   {{0, MaterialSurface}, {2, MaterialSurface}, {3, MaterialSurface}, {4, MaterialSurface}},
                   "not overriding");

    struct Structure {
        const char* what;
        uint32_t type;
        uint32_t patternType, patternIndex;
        int16_t material, profile;
    };
    const Structure structures[] = {
        {"basic", 0, AttrFill, MaterialFill, material, 0},
        {"composite", 1, AttrComposite, CompositeIndex, 0, 0},
        {"profiled", 2, AttrFill, 0, 0, ProfileIndex},
    };
    for (const Structure& s : structures) {
        std::unique_ptr<Wall> shaped = named(s.type);
        EXPECT_EQ(shaped->getStructureType(), s.type) << s.what;
        expectPatterns(*shaped,
                       {{0, s.patternType, s.patternIndex},
                        {1, s.patternType, s.patternIndex},
                        {2, 0, 0},
                        {3, s.patternType, s.patternIndex},
                        {4, 0, 0},
                        {5, 0, 0}},
                       s.what);
        EXPECT_EQ(materialOf(*shaped), s.material) << s.what;
        EXPECT_EQ(profileOf(*shaped), s.profile) << s.what;
        // The pens and finishes come from the building material whatever the structure.
        shaped->getWallRecord().finishOverrides[1] = 0;
        expectPens(*shaped, {{11, MaterialPen}, {12, MaterialBackgroundPen}}, s.what);
        expectFinishes(*shaped, {{2, MaterialSurface}}, s.what);
    }
}

TEST_F(WallTables, SettersWriteTheFieldsOfTheirKinds) {
    Wall wall;
    HostWallElement& part = wall.getWallRecord();
    Writes<uint16_t> lineTypes{{recordField("line type", part.lineType)}};
    expectLineTypeWrites(wall, lineTypes, {{0, {"line type"}}, {1, {"line type"}}, {3, {"line type"}}},
                         "line type");

    Writes<HostOverrideWord> finishes{{recordField("first", part.finishOverrides[0]),
                                       recordField("second", part.finishOverrides[1]),
                                       recordField("third", part.finishOverrides[2])}};
    expectFinishWrites(wall, Finish(AttributeLink(int16_t(40), AttrSurface)), finishes,
                       {{0, {"first"}},
                        {1, {"first"}},
                        {4, {"first"}},
                        {2, {"second"}},
                        {3, {"third"}},
                        {5, {}},
                        {6, {}},
                        {0xFFFFFFFF, {}}},
                       overriding(40), "finish");

    wall.setComplexProfile(ComplexProfile(AttributeLink(int16_t(9), AttrProfile)));
    EXPECT_EQ(part.complexProfile, 9);
    EXPECT_EQ(profileOf(wall), 0); // a basic wall has none
    wall.setStructureType(2);
    EXPECT_EQ(profileOf(wall), 9);
    // A wall takes a composite by whatever kind it is given; a fill is no wall's pattern.
    for (uint32_t kind : {0u, 1u, 2u, 3u, 7u}) {
        static_cast<Element&>(wall).setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), kind);
        EXPECT_EQ(part.structureType, 2u) << kind;
    }
    for (uint32_t kind : {0u, 1u, 2u, 3u, 7u}) {
        wall.setStructureType(2);
        part.composite = 0;
        static_cast<Element&>(wall).setPattern(tarnwick::Composite(AttributeLink(int16_t(6), AttrComposite)),
                                               kind);
        EXPECT_EQ(part.structureType, 1u) << kind;
        EXPECT_EQ(std::abs(part.composite), 6) << kind;
    }

    wall.setCutFillPensFromRecord(true);
    wall.setAuxiliaryFlag(true);
    EXPECT_EQ(part.cutFillFlag, 1);
    EXPECT_EQ(part.auxiliaryFlag, 1);
    EXPECT_TRUE(wall.getAuxiliaryFlag());
    wall.setAuxiliaryFlag(false);
    EXPECT_FALSE(wall.getAuxiliaryFlag());
    EXPECT_EQ(part.cutFillFlag, 1); // the flags are their own
}

TEST_F(WallTables, MeasuresAreOneFieldEachAndTheHolesOfTheOutline) {
    Wall wall;
    std::vector<MeasureRow> rows;
    for (int number : {1, 2, 3})
        rows.push_back(byNumber(number, MeasureRow::OwnField));
    rows.push_back(byNumber(4, MeasureRow::Value, 0.0)); // no 3D body: no faces
    for (int number : {5, 6, 7, 8})
        rows.push_back(byNumber(number, MeasureRow::OwnField));
    rows.push_back(byNumber(9, MeasureRow::Value, 0.0)); // no outline
    for (int number : {10, 11})
        rows.push_back(byNumber(number, MeasureRow::OwnField));
    rows.push_back(byNumber(12, MeasureRow::Value, 0.0));
    const std::function<double(const Wall&)> quantities[] = {
        &Wall::getWallQuantity1, &Wall::getWallQuantity2, &Wall::getWallQuantity3,
        &Wall::getWallQuantity4, &Wall::getWallQuantity5, &Wall::getWallQuantity6,
        &Wall::getWallQuantity7, &Wall::getWallQuantity8, &Wall::getWallQuantity9};
    for (size_t i = 0; i < std::size(quantities); ++i) {
        static const char* const names[] = {"quantity 1", "quantity 2", "quantity 3",
                                            "quantity 4", "quantity 5", "quantity 6",
                                            "quantity 7", "quantity 8", "quantity 9"};
        rows.push_back({names[i], [&, i](Element& e) { return quantities[i](static_cast<Wall&>(e)); },
                        MeasureRow::OwnField, 0.0});
    }
    rows.push_back(
        {"base 1", [](Element& e) { return static_cast<Wall&>(e).getBaseMeasure1(); }, MeasureRow::Same, 1});
    rows.push_back(
        {"base 2", [](Element& e) { return static_cast<Wall&>(e).getBaseMeasure2(); }, MeasureRow::Same, 2});
    rows.push_back(
        {"base 3", [](Element& e) { return static_cast<Wall&>(e).getBaseMeasure3(); }, MeasureRow::Same, 3});
    rows.push_back({"composite of a basic wall", [](Element& e) { return e.getCompositeQuantity(1); },
                    MeasureRow::Same, 1});
    expectMeasures(wall, rows, "wall");

    // A polygonal wall's holes: a square of side 1, and a half disc of radius 1 on a chord of 2.
    auto* outline = square(0, 0, 10);
    outline->addHole(square(1, 1, 1, true));
    auto* half = new CadPolygon(2, 0, true);
    half->append(PolyPoint(CadPoint(7.0, 5.0, 0.0)));
    half->append(PolyPoint(CadPoint(5.0, 5.0, 0.0), -pi));
    outline->addHole(half);
    wall.getWallRecord().geometryKind = Wall::Polygonal;
    wall.setPolygon(std::unique_ptr<CadPolygon>(outline));
    expectMeasures(wall,
                   {byNumber(9, MeasureRow::Value, 2.0), byNumber(12, MeasureRow::Value, 2.0 + 4.0 + pi)},
                   "wall with holes");
}

TEST_F(WallTables, ElevationsAndPointsAreRelativeToTheHomeStorey) {
    Wall wall(onFirstFloor(Wall::TypeCode), API_Element());
    HostWallElement& part = wall.getWallRecord();
    part.baseElevation = 0.5;
    part.begin = {1.0, 2.0};
    part.end = {4.0, 6.0};
    part.arcAngle = 0.25;
    EXPECT_DOUBLE_EQ(wall.getElevation(false), 0.5);
    EXPECT_DOUBLE_EQ(wall.getElevation(true), 3.5);
    CadPoint reference;
    wall.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(1.0, 2.0, 3.5));
    PolyPoint end;
    wall.getEndPoint(end);
    EXPECT_EQ(CadPoint(end), CadPoint(4.0, 6.0, 3.5));
    EXPECT_DOUBLE_EQ(end.getArcAngle(), 0.25);

    struct Case {
        double value;
        bool absolute;
        double stored;
    };
    for (const Case& c : {Case{5.0, true, 2.0}, Case{5.0, false, 5.0}, Case{-1.0, true, -4.0}}) {
        wall.setElevation(c.value, c.absolute);
        EXPECT_DOUBLE_EQ(part.baseElevation, c.stored) << c.value << " " << c.absolute;
    }
    wall.setReferencePoint(CadPoint(7.0, 8.0, 4.0));
    EXPECT_EQ(CadPoint(part.begin), CadPoint(7.0, 8.0, 0.0));
    EXPECT_DOUBLE_EQ(part.baseElevation, 1.0);
    wall.setEndPoint(CadPoint(9.0, 8.0, 3.0));
    EXPECT_EQ(CadPoint(part.end), CadPoint(9.0, 8.0, 0.0));
    EXPECT_DOUBLE_EQ(part.baseElevation, 0.0);
    EXPECT_DOUBLE_EQ(wall.getBoundsZSize(), part.height);
    wall.setHeight(2.7);
    EXPECT_DOUBLE_EQ(part.height, 2.7);
}

TEST_F(WallTables, TheEndThicknessIsTheSecondOnlyWhereTheWallHasOne) {
    Wall wall;
    wall.setThickness(0.3);
    wall.setEndThickness(0.5);
    EXPECT_DOUBLE_EQ(wall.getWallRecord().endThickness, 0.5);
    for (const auto& [kind, thickness] :
         {std::pair{0u, 0.3}, {Wall::EndThickness, 0.5}, {Wall::Polygonal, 0.3}}) {
        wall.getWallRecord().geometryKind = kind;
        EXPECT_EQ(wall.getGeometryKind(), kind);
        EXPECT_DOUBLE_EQ(wall.getThickness(), 0.3);
        EXPECT_DOUBLE_EQ(wall.getEndThickness(), thickness) << kind;
    }
}

TEST_F(WallTables, TheArcRadiusAndLengthHoldPastHalfATurnEitherWayRound) {
    struct Case {
        double arc;
        double radius; // over a chord of 2
        double length;
    };
    const double root2 = std::sqrt(2.0);
    const Case cases[] = {
        {0.0, 0.0, 2.0},
        {pi / 3, 2.0, 2.0 * pi / 3},
        {pi, 1.0, pi},
        {-pi, 1.0, pi},
        {3 * pi / 2, root2, 3 * pi / 2 * root2},
        {-3 * pi / 2, root2, 3 * pi / 2 * root2},
        {5 * pi / 3, 2.0, 10 * pi / 3},
        {-5 * pi / 3, 2.0, 10 * pi / 3},
    };
    for (const Case& c : cases) {
        Wall wall;
        HostWallElement& part = wall.getWallRecord();
        part.begin = {3.0, 1.0};
        part.end = {3.0, 3.0};
        wall.setArcAngle(c.arc);
        EXPECT_DOUBLE_EQ(wall.getArcAngle(), c.arc);
        EXPECT_NEAR(wall.getArcRadius(), c.radius, 1e-9) << c.arc;
        EXPECT_NEAR(wall.getLength(), c.length, 1e-9) << c.arc;
        EXPECT_NEAR(wall.getAngle(), pi / 2, 1e-12) << c.arc;
    }
    Wall down;
    down.getWallRecord().begin = {0.0, 0.0};
    down.getWallRecord().end = {0.0, -1.0};
    EXPECT_NEAR(down.getAngle(), 3 * pi / 2, 1e-12); // in [0, 2 pi)
}

TEST_F(WallTables, ExtendingMovesOneEndAlongTheReferenceLineOrItsCircle) {
    struct Case {
        const char* what;
        bool reversed;
        CadPoint to;
        bool lengthenOnly;
        HostCoord2D begin, end;
        double arc;
    };
    const Case cases[] = {
        {"the end further on", false, {6.0, 1.0, 0.0}, false, {0.0, 0.0}, {6.0, 0.0}, 0.0},
        {"the end back", false, {2.0, 0.0, 0.0}, false, {0.0, 0.0}, {2.0, 0.0}, 0.0},
        {"the end back, lengthening only", false, {2.0, 0.0, 0.0}, true, {0.0, 0.0}, {4.0, 0.0}, 0.0},
        {"the begin further back", true, {-2.0, 3.0, 0.0}, false, {-2.0, 0.0}, {4.0, 0.0}, 0.0},
    };
    for (const Case& c : cases) {
        Wall wall;
        HostWallElement& part = wall.getWallRecord();
        part.baseElevation = 0.7;
        part.begin = {0.0, 0.0};
        part.end = {4.0, 0.0};
        c.reversed ? wall.extendReversedTo(c.to, c.lengthenOnly) : wall.extendTo(c.to, c.lengthenOnly);
        EXPECT_NEAR(part.begin.x, c.begin.x, 1e-9) << c.what;
        EXPECT_NEAR(part.begin.y, c.begin.y, 1e-9) << c.what;
        EXPECT_NEAR(part.end.x, c.end.x, 1e-9) << c.what;
        EXPECT_NEAR(part.end.y, c.end.y, 1e-9) << c.what;
        EXPECT_DOUBLE_EQ(part.arcAngle, c.arc) << c.what;
        EXPECT_DOUBLE_EQ(part.baseElevation, 0.7) << c.what;
    }
    // A quarter circle about the origin taken on to half a circle.
    Wall curved;
    HostWallElement& part = curved.getWallRecord();
    part.begin = {1.0, 0.0};
    part.end = {0.0, 1.0};
    part.arcAngle = pi / 2;
    curved.extendTo(CadPoint(-3.0, 0.0, 0.0), false);
    EXPECT_NEAR(part.end.x, -1.0, 1e-9);
    EXPECT_NEAR(part.end.y, 0.0, 1e-9);
    EXPECT_NEAR(part.arcAngle, pi, 1e-9);
}

TEST_F(WallTables, TheOwnValuesReadAndWriteTheirFields) {
    Wall wall;
    HostWallElement& part = wall.getWallRecord();
    part.referenceOffset = 0.12;
    part.wallValue1 = 11;
    part.wallValue2 = 12;
    part.wallValue3 = 1.3;
    part.wallValue4 = 1.4;
    part.kindCode = 5;
    part.storeySpanFlag = 0;
    EXPECT_DOUBLE_EQ(wall.getReferenceOffset(), 0.12);
    EXPECT_DOUBLE_EQ(wall.getSideOffset(), 0.12);
    EXPECT_EQ(wall.getWallValue1(), 11u);
    EXPECT_EQ(wall.getWallValue2(), 12u);
    EXPECT_DOUBLE_EQ(wall.getWallValue3(), 1.3);
    EXPECT_DOUBLE_EQ(wall.getWallValue4(), 1.4);
    EXPECT_EQ(wall.getClassValue(), 5u);
    EXPECT_TRUE(wall.isEnabled());
    part.storeySpanFlag = 1;
    EXPECT_FALSE(wall.isEnabled());
    wall.setExtraLength(0.8);
    EXPECT_DOUBLE_EQ(part.extraLength, 0.8);
    EXPECT_DOUBLE_EQ(wall.getExtraLength(), 0.8);
    wall.setReferenceLinePosition(3);
    EXPECT_EQ(part.referenceLinePosition, 3u);
    EXPECT_EQ(wall.getReferenceLinePosition(), 3u);
    part.profileSetting = 17;
    EXPECT_EQ(wall.getProfileSetting(), 17);
}
