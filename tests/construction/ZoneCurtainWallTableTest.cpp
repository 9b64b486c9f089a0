// Zones and curtain walls kind by kind: pens, line types and surfaces, what each setter writes,
// their measures in their records' order (a zone's holes by their absolute areas), and their own
// values; the curtain-wall parts' reference lines and the panel's one quantity.
#include <cmath>

#include "AttributeTables.h"
#include "construction/CurtainWall.h"
#include "construction/CurtainWallParts.h"
#include "construction/CurtainWallSegment.h"
#include "construction/ZoneElement.h"
#include "project/Fill.h"

using namespace tables;

namespace {

class ZoneCurtainWallTables : public TableTest {};

CadPolygon* rectangle(double left, double bottom, double width, double height, bool clockwise) {
    auto* polygon = new CadPolygon(4, 0, true);
    const std::pair<double, double> corners[] = {{0, 0}, {width, 0}, {width, height}, {0, height}};
    for (size_t i = 0; i < 4; ++i) {
        const auto& [x, y] = corners[clockwise ? (4 - i) % 4 : i];
        polygon->append(PolyPoint(CadPoint(left + x, bottom + y, 0.0)));
    }
    return polygon;
}

} // namespace

TEST_F(ZoneCurtainWallTables, AZoneAnswersAndWritesByKind) {
    ZoneElement zone{API_Element(), ElementLink()};
    HostZoneElement& part = zone.getZoneRecord();
    part.contourPen = ContourPen;
    part.kind2Pen = Kind2Pen;
    part.kind6Pen = Kind6Pen;
    part.kind8Pen = Kind8Pen;
    part.surface = FirstFinish;
    expectPens(zone,
               {{0, ContourPen},
                {1, ContourPen},
                {2, Kind2Pen},
                {3, 0},
                {4, 0},
                {5, 0},
                {6, Kind6Pen},
                {7, 0},
                {8, Kind8Pen},
                {10, 0},
                {11, 0},
                {12, 0}},
               "zone");
    expectFinishes(zone, {{0, FirstFinish}, {1, FirstFinish}, {2, 0}, {5, 0}, {7, 0}}, "zone");

    Writes<uint16_t> pens{{recordField("contour", part.contourPen), recordField("kind 2", part.kind2Pen),
                           recordField("kind 6", part.kind6Pen), recordField("kind 8", part.kind8Pen)}};
    expectPenWrites(zone, pens,
                    {{0, {"contour", "kind 2", "kind 6", "kind 8"}},
                     {1, {"contour"}},
                     {2, {"kind 2"}},
                     {3, {}},
                     {5, {}},
                     {6, {"kind 6"}},
                     {8, {"kind 8"}},
                     {10, {}},
                     {11, {}}},
                    "zone pen");
    Writes<uint16_t> surfaces{{recordField("surface", part.surface)}};
    expectFinishWrites(zone, Finish(AttributeLink(int16_t(40), AttrSurface)), surfaces,
                       {{0, {"surface"}}, {1, {"surface"}}, {2, {}}, {5, {}}}, 40, "zone surface");
}

TEST_F(ZoneCurtainWallTables, AZonesMeasuresAreItsRecordsFieldsInOrderAndItsHolesAbsolute) {
    ZoneElement zone{API_Element(), ElementLink()};
    constexpr double f = sizeof(double);
    using Get = double (ZoneElement::*)() const;
    const auto own = [](Get get) {
        return [get](Element& e) { return (static_cast<ZoneElement&>(e).*get)(); };
    };
    const auto whole = [](int32_t (ZoneElement::*get)() const) {
        return [get](Element& e) { return double((static_cast<ZoneElement&>(e).*get)()); };
    };
    expectMeasures(zone,
                   {byNumber(1, MeasureRow::Field, 0),
                    byNumber(12, MeasureRow::Field, 1 * f),
                    {"zone 1", own(&ZoneElement::getZoneMeasure1), MeasureRow::Field, 2 * f},
                    {"zone 3", whole(&ZoneElement::getZoneMeasure3), MeasureRow::Field, 3 * f},
                    {"zone 4", whole(&ZoneElement::getZoneMeasure4), MeasureRow::Field, 3 * f + 4},
                    {"zone 2", own(&ZoneElement::getZoneMeasure2), MeasureRow::Field, 4 * f},
                    {"zone 5", own(&ZoneElement::getZoneMeasure5), MeasureRow::Field, 5 * f},
                    {"zone 6", own(&ZoneElement::getZoneMeasure6), MeasureRow::Field, 6 * f},
                    {"zone 7", own(&ZoneElement::getZoneMeasure7), MeasureRow::Field, 7 * f},
                    {"zone 8", own(&ZoneElement::getZoneMeasure8), MeasureRow::Field, 8 * f},
                    {"zone 9", own(&ZoneElement::getZoneMeasure9), MeasureRow::Field, 9 * f},
                    byNumber(5, MeasureRow::Field, 10 * f),
                    {"zone 15", own(&ZoneElement::getZoneMeasure15), MeasureRow::Field, 11 * f},
                    {"zone 16", own(&ZoneElement::getZoneMeasure16), MeasureRow::Field, 12 * f},
                    {"zone 14", own(&ZoneElement::getZoneMeasure14), MeasureRow::Field, 13 * f},
                    {"zone 13", own(&ZoneElement::getZoneMeasure13), MeasureRow::Field, 14 * f},
                    {"zone 10", own(&ZoneElement::getZoneMeasure10), MeasureRow::Field, 15 * f},
                    {"zone 11", own(&ZoneElement::getZoneMeasure11), MeasureRow::Field, 16 * f},
                    {"zone 12", own(&ZoneElement::getZoneMeasure12), MeasureRow::Field, 17 * f},
                    {"zone 17", own(&ZoneElement::getZoneMeasure17), MeasureRow::Field, 18 * f},
                    {"zone 18", own(&ZoneElement::getZoneMeasure18), MeasureRow::Field, 19 * f},
                    {"zone 19", own(&ZoneElement::getZoneMeasure19), MeasureRow::Field, 20 * f},
                    byNumber(6, MeasureRow::Same, 5),
                    byNumber(9, MeasureRow::Value, 0.0),
                    byNumber(10, MeasureRow::Value, 0.0)},
                   "zone");

    // Holes of 1 x 1 and 2 x 2, one each way round: their areas counted positive.
    std::unique_ptr<CadPolygon> outline(rectangle(0, 0, 10, 10, false));
    outline->addHole(rectangle(1, 1, 1, 1, true));
    outline->addHole(rectangle(4, 4, 2, 2, false));
    zone.setPolygon(std::move(outline));
    expectMeasures(zone, {byNumber(9, MeasureRow::Value, 2.0), byNumber(10, MeasureRow::Value, 5.0)},
                   "zone with holes");
}

TEST_F(ZoneCurtainWallTables, AZonesOwnValuesAndPointsAtItsElevation) {
    ZoneElement zone(API_Element(), onFirstFloor(ZoneElement::TypeCode));
    HostZoneElement& part = zone.getZoneRecord();
    part.elevation = 0.5;
    part.stampPoint1 = {1.0, 2.0};
    part.stampPoint2 = {3.0, 4.0};
    EXPECT_EQ(zone.getFirstStampPoint(), CadPoint(1.0, 2.0, 3.5));
    EXPECT_EQ(zone.getSecondStampPoint(), CadPoint(3.0, 4.0, 3.5));
    CadPoint reference;
    zone.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(3.0, 4.0, 3.5)); // without an outline, the second stamp point
    zone.setFirstStampPoint(CadPoint(5.0, 6.0, 9.0));
    zone.setSecondStampPoint(CadPoint(7.0, 8.0, 9.0));
    EXPECT_EQ(CadPoint(part.stampPoint1), CadPoint(5.0, 6.0, 0.0));
    EXPECT_EQ(CadPoint(part.stampPoint2), CadPoint(7.0, 8.0, 0.0));
    zone.setPolygon(std::unique_ptr<CadPolygon>(rectangle(2, 2, 4, 3, false)));
    zone.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(2.0, 2.0, 3.5));

    zone.setZoneFlag1(true);
    zone.setZoneFlag2(true);
    zone.setZoneFlag3(true);
    EXPECT_EQ(part.zoneFlag1, 1);
    EXPECT_EQ(part.zoneFlag2, 1);
    EXPECT_EQ(part.zoneFlag3, 1);
    zone.setZoneFlag1(false);
    EXPECT_FALSE(zone.getZoneFlag1());
    EXPECT_TRUE(zone.getZoneFlag3());
    zone.setZoneValue1(1.5);
    zone.setZoneValue2(2.5);
    zone.setHeight(2.7);
    EXPECT_DOUBLE_EQ(part.zoneValue1, 1.5);
    EXPECT_DOUBLE_EQ(part.zoneValue2, 2.5);
    EXPECT_DOUBLE_EQ(part.height, 2.7);
    EXPECT_DOUBLE_EQ(zone.getZoneValue1(), 1.5);
    EXPECT_DOUBLE_EQ(zone.getZoneValue2(), 2.5);
    EXPECT_DOUBLE_EQ(zone.getBoundsZSize(), 2.7);
    part.category = 4;
    EXPECT_EQ(zone.getZoneCategory().getIndex(), 4u);
    part.stampIndex = 12;
    EXPECT_EQ(zone.getStampIndex(), 12u);
}

TEST_F(ZoneCurtainWallTables, ACurtainWallAnswersAndWritesByKind) {
    CurtainWall wall{API_Element(), ElementLink()};
    HostCurtainWallElement& part = wall.getCurtainWallRecord();
    part.contourPen = ContourPen;
    part.kind6Pen = Kind6Pen;
    part.kind8Pen = Kind8Pen;
    part.lineType = FirstLineType;
    for (uint8_t flag : {0, 1}) {
        part.penFlag = flag;
        expectPens(wall,
                   {{0, ContourPen},
                    {1, ContourPen},
                    {2, 0},
                    {5, 0},
                    {6, flag != 0 ? Kind6Pen : 0u},
                    {7, 0},
                    {8, flag != 0 ? Kind8Pen : 0u},
                    {10, 0},
                    {0xFFFFFFFF, 0}},
                   "curtain wall, pen flag " + std::to_string(flag));
    }
    expectLineStyles(wall, {{0, FirstLineType}, {1, FirstLineType}, {2, 0}, {3, 0}}, "curtain wall");
    expectPatterns(wall, {{0, 0, 0}, {1, 0, 0}, {3, 0, 0}}, "curtain wall");

    Writes<uint16_t> pens{{recordField("contour", part.contourPen), recordField("kind 6", part.kind6Pen),
                           recordField("kind 8", part.kind8Pen)}};
    expectPenWrites(wall, pens,
                    {{0, {"kind 6", "kind 8"}},
                     {1, {"contour"}},
                     {2, {}},
                     {5, {}},
                     {6, {"kind 6"}},
                     {7, {}},
                     {8, {"kind 8"}},
                     {10, {}}},
                    "curtain wall pen");
    Writes<uint16_t> lineTypes{{recordField("line type", part.lineType)}};
    expectLineTypeWrites(wall, lineTypes, {{0, {"line type"}}, {1, {"line type"}}, {2, {}}, {3, {}}},
                         "curtain wall line type");
    const HostCurtainWallElement before = part;
    for (uint32_t kind : {0u, 1u, 2u, 3u})
        wall.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), kind);
    EXPECT_EQ(std::memcmp(&part, &before, sizeof part), 0);
}

TEST_F(ZoneCurtainWallTables, ACurtainWallsMeasuresAreItsRecordsFieldsInOrder) {
    CurtainWall wall{API_Element(), ElementLink()};
    constexpr double f = sizeof(double);
    using Get = double (CurtainWall::*)() const;
    const Get own[] = {&CurtainWall::getCurtainWallMeasure1, &CurtainWall::getCurtainWallMeasure2,
                       &CurtainWall::getCurtainWallMeasure3, &CurtainWall::getCurtainWallMeasure4,
                       &CurtainWall::getCurtainWallMeasure5, &CurtainWall::getCurtainWallMeasure6,
                       &CurtainWall::getCurtainWallMeasure7, &CurtainWall::getCurtainWallMeasure8};
    std::vector<MeasureRow> rows = {byNumber(3, MeasureRow::Field, 0)};
    for (size_t i = 0; i < std::size(own); ++i) {
        const Get get = own[i];
        rows.push_back({"curtain-wall measure",
                        [get](Element& e) { return (static_cast<CurtainWall&>(e).*get)(); },
                        MeasureRow::Field, double(i + 1) * f});
    }
    rows.push_back(byNumber(4, MeasureRow::Field, 9 * f));
    rows.push_back({"length", [](Element& e) { return e.getLength(); }, MeasureRow::Field, 10 * f});
    rows.push_back({"height", [](Element& e) { return e.getBoundsZSize(); }, MeasureRow::Field, 11 * f});
    rows.push_back({"base 3", [](Element& e) { return static_cast<CurtainWall&>(e).getBaseMeasure3(); },
                    MeasureRow::Same, 3});
    expectMeasures(wall, rows, "curtain wall");

    HostCurtainWallElement& part = wall.getCurtainWallRecord();
    part.begin = {1.0, 2.0};
    part.end = {5.0, 2.0};
    part.value1 = 0.75;
    part.setting = 6;
    CadPoint reference(9.0, 9.0, 9.0);
    wall.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(1.0, 2.0, 0.0));
    const PolyPoint end = wall.getEndVertex();
    EXPECT_EQ(CadPoint(end), CadPoint(5.0, 2.0, 0.0));
    EXPECT_EQ(end.getArcAngle(), 0.0);
    EXPECT_EQ(end.getId(), 0u);
    const PolyEdge line = wall.getReferenceLine();
    EXPECT_EQ(line.getStartPoint(), CadPoint(1.0, 2.0, 0.0));
    EXPECT_EQ(CadPoint(line.getEndPoint()), CadPoint(5.0, 2.0, 0.0));
    EXPECT_DOUBLE_EQ(wall.getCurtainWallValue1(), 0.75);
    EXPECT_EQ(wall.getCurtainWallValue2(), 0.0);
    EXPECT_EQ(wall.getArcAngle(), 0.0);
    EXPECT_EQ(wall.getCurtainWallSetting(), 6u);
    part.regularFlag = 0;
    EXPECT_TRUE(wall.isEnabled());
    part.regularFlag = 1;
    EXPECT_FALSE(wall.isEnabled());
}

TEST_F(ZoneCurtainWallTables, FramesAndSegmentsRunFromTheirBeginToTheirEndAndPanelsAskOneField) {
    HostCurtainWallFrame frameRecord;
    frameRecord.begin = {1.0, 1.0};
    frameRecord.end = {1.0, 4.0};
    CurtainWallFrame frame(frameRecord, nullptr);
    HostCurtainWallSegment segmentRecord;
    segmentRecord.begin = {0.0, 0.0};
    segmentRecord.end = {6.0, 0.0};
    CurtainWallSegment segment(segmentRecord, nullptr);
    struct Case {
        const char* what;
        Element& element;
        PolyEdge line;
        CadPoint from, to;
    };
    const Case cases[] = {
        {"frame", frame, frame.getReferenceLine(), {1.0, 1.0, 0.0}, {1.0, 4.0, 0.0}},
        {"segment", segment, segment.getReferenceLine(), {0.0, 0.0, 0.0}, {6.0, 0.0, 0.0}},
    };
    for (const Case& c : cases) {
        CadPoint reference(9.0, 9.0, 9.0);
        c.element.getReferencePoint(reference);
        EXPECT_EQ(reference, c.from) << c.what;
        EXPECT_EQ(c.line.getStartPoint(), c.from) << c.what;
        EXPECT_EQ(CadPoint(c.line.getEndPoint()), c.to) << c.what;
        EXPECT_EQ(c.line.getArcAngle(), 0.0) << c.what;
        EXPECT_EQ(c.element.getBoundsZSize(), 0.0) << c.what;
        EXPECT_EQ(c.element.getLength(), 0.0) << c.what;
    }
    EXPECT_EQ(frame.getEndVertex().getId(), 0u);
    EXPECT_EQ(segment.getSegmentValue(), 0.0);
    EXPECT_EQ(segment.getArcAngle(), 0.0);

    HostCurtainWallPanel panelRecord;
    panelRecord.value = 0.4;
    panelRecord.setting = 3;
    CurtainWallPanel panel(panelRecord, nullptr);
    expectMeasures(panel, {byNumber(4, MeasureRow::Field, 0)}, "panel");
    EXPECT_DOUBLE_EQ(panel.getPanelValue(), 0.4);
    EXPECT_EQ(panel.getPanelSetting(), 3u);
}
