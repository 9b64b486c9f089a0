// Slabs and roofs kind by kind: pens, line types, finishes and fills on basic and composite
// structures (a composite's first and last core, or none), what each setter writes, their measures
// in the order of their kind's quantity fields, the holes of their outlines, and their own values.
#include <cmath>
#include <numbers>

#include "AttributeTables.h"
#include "construction/Roof.h"
#include "construction/Slab.h"
#include "elements/OverrideSet.h"
#include "geometry/Line.h"
#include "project/Composite.h"
#include "project/Fill.h"

using namespace tables;

namespace {

constexpr double pi = std::numbers::pi;

CadPolygon* square(double left, double bottom, double side) {
    auto* polygon = new CadPolygon(4, 0, true);
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {side, 0.0}, {side, side}, {0.0, side}})
        polygon->append(PolyPoint(CadPoint(left + x, bottom + y, 0.0)));
    return polygon;
}

// A 10 x 10 outline from (2, 1) with two holes.
std::unique_ptr<CadPolygon> outlineWithHoles() {
    std::unique_ptr<CadPolygon> outline(square(2, 1, 10));
    outline->addHole(square(3, 2, 1));
    outline->addHole(square(6, 6, 2));
    return outline;
}

class SlabRoofTables : public TableTest {
protected:
    template <class Part> void name(Part& part, int16_t composite, uint32_t structure) {
        part.pen = ContourPen;
        part.lineType = FirstLineType;
        part.kind6Pen = Kind6Pen;
        part.kind8Pen = Kind8Pen;
        part.kind10Pen = Kind10Pen;
        part.cutFillPen = CutFillPen;
        part.cutFillBackgroundPen = CutFillBackgroundPen;
        part.material = static_cast<uint16_t>(material);
        part.composite = static_cast<int16_t>(-composite); // the host keeps it negated
        part.finishOverrides[0] = overriding(FirstFinish);
        part.finishOverrides[1] = overriding(SecondFinish);
        part.finishOverrides[2] = overriding(ThirdFinish);
        part.structureType = structure;
    }
    std::unique_ptr<Slab> namedSlab(int16_t composite, uint32_t structure) {
        auto slab = std::make_unique<Slab>();
        name(slab->getSlabRecord(), composite, structure);
        slab->getSlabRecord().kind2Fill = OwnFill;
        return slab;
    }
    std::unique_ptr<Roof> namedRoof(int16_t composite, uint32_t structure) {
        auto roof = std::make_unique<Roof>();
        name(roof->getShelterRecord(), composite, structure);
        roof->getShelterRecord().kind5Pen = Kind5Pen;
        return roof;
    }

    int16_t material = addMaterial();
    int16_t other = addOtherMaterial();
    // The first core the other material, the last this one.
    int16_t layered = addComposite("Layered", {{static_cast<uint16_t>(other), 0, 0, 0.05},
                                               {static_cast<uint16_t>(material), 0, 0, 0.2}});
    int16_t bare = addComposite("Bare", {});
};

} // namespace

TEST_F(SlabRoofTables, ASlabsPensFinishesAndFillsFollowItsStructure) {
    struct Structure {
        const char* what;
        int16_t composite; // 0: basic
        uint32_t cut, back;
        uint32_t finish016, finish5, finish7;
        uint32_t patternType, patternIndex;
        int16_t material;
    };
    const Structure structures[] = {
        {"basic", 0, MaterialPen, MaterialBackgroundPen, MaterialSurface, MaterialSurface, MaterialSurface,
         AttrFill, MaterialFill, material},
        {"composite", layered, OtherPen, OtherBackgroundPen, OtherSurface, 0, MaterialSurface, AttrComposite,
         static_cast<uint32_t>(layered), 0},
        {"composite without cores", bare, 0, 0, 0, 0, 0, AttrComposite, static_cast<uint32_t>(bare), 0},
    };
    for (const Structure& s : structures) {
        std::unique_ptr<Slab> slab = namedSlab(s.composite, s.composite != 0 ? 1 : 0);
        expectPens(*slab,
                   {{0, ContourPen},
                    {1, ContourPen},
                    {2, 0},
                    {3, 0},
                    {4, 0},
                    {5, 0},
                    {6, Kind6Pen},
                    {7, 0},
                    {8, Kind8Pen},
                    {9, 0},
                    {10, Kind10Pen},
                    {11, s.cut},
                    {12, s.back},
                    {13, 0}},
                   s.what);
        slab->setCutFillPensFromRecord(true);
        expectPens(*slab, {{11, CutFillPen}, {12, CutFillBackgroundPen}},
                   std::string(s.what) + ", own cut fill");
        expectLineStyles(*slab, {{0, FirstLineType}, {1, FirstLineType}, {2, 0}, {3, 0}}, s.what);
        expectFinishes(*slab,
                       {{0, FirstFinish},
                        {1, FirstFinish},
                        {2, 0},
                        {3, 0},
                        {4, 0},
                        {5, SecondFinish},
                        {6, FirstFinish},
                        {7, ThirdFinish}},
                       std::string(s.what) + ", overriding");
        for (HostOverrideWord& word : slab->getSlabRecord().finishOverrides)
            word = overriding(static_cast<uint16_t>(word), false);
        expectFinishes(
            *slab,
            {{0, s.finish016}, {1, s.finish016}, {5, s.finish5}, {6, s.finish016}, {7, s.finish7}, {3, 0}},
            std::string(s.what) + ", not overriding");
        expectPatterns(*slab,
                       {{0, s.patternType, s.patternIndex},
                        {1, s.patternType, s.patternIndex},
                        {2, AttrFill, OwnFill},
                        {3, s.patternType, s.patternIndex},
                        {4, 0, 0}},
                       s.what);
        EXPECT_EQ(materialOf(*slab), s.material) << s.what;
        slab->getSlabRecord().kind2Fill = 0;
        expectPatterns(*slab, {{2, 0, 0}}, s.what);
    }
}

TEST_F(SlabRoofTables, ASlabsSettersWriteTheFieldsOfTheirKinds) {
    Slab slab;
    HostSlabElement& part = slab.getSlabRecord();
    Writes<uint16_t> pens{{recordField("pen", part.pen), recordField("kind 6", part.kind6Pen),
                           recordField("kind 8", part.kind8Pen), recordField("kind 10", part.kind10Pen),
                           recordField("cut fill", part.cutFillPen),
                           recordField("cut-fill background", part.cutFillBackgroundPen)}};
    expectPenWrites(slab, pens,
                    {{0, {"pen", "kind 10", "cut fill", "cut-fill background"}},
                     {1, {"pen"}},
                     {2, {}},
                     {3, {}},
                     {4, {}},
                     {5, {}},
                     {6, {"kind 6"}},
                     {7, {}},
                     {8, {"kind 8"}},
                     {9, {}},
                     {10, {"kind 10"}},
                     {11, {"cut fill"}},
                     {12, {"cut-fill background"}},
                     {13, {}}},
                    "slab pen");
    Writes<uint16_t> lineTypes{{recordField("line type", part.lineType)}};
    expectLineTypeWrites(slab, lineTypes, {{0, {"line type"}}, {1, {"line type"}}, {2, {}}, {3, {}}},
                         "slab line type");
    Writes<HostOverrideWord> finishes{{recordField("first", part.finishOverrides[0]),
                                       recordField("second", part.finishOverrides[1]),
                                       recordField("third", part.finishOverrides[2])}};
    expectFinishWrites(slab, Finish(AttributeLink(int16_t(40), AttrSurface)), finishes,
                       {{0, {"first"}},
                        {1, {"first"}},
                        {2, {}},
                        {3, {}},
                        {4, {}},
                        {5, {"second"}},
                        {6, {"first"}},
                        {7, {"third"}}},
                       overriding(40), "slab finish");

    struct Case {
        const char* what;
        bool composite;
        int16_t index;
        uint32_t kind;
        uint32_t structure;
        int16_t stored, kind2;
    };
    const Case cases[] = {
        {"a fill of kind 2", false, 4, 2, 0, 0, 4},
        {"a fill of index 0", false, 0, 2, 0, 0, 9},
        {"a fill of index -4", false, -4, 2, 0, 0, 9},
        {"a composite of kind 0", true, layered, 0, 1, static_cast<int16_t>(-layered), 9},
        {"a composite of kind 3", true, layered, 3, 1, static_cast<int16_t>(-layered), 9},
        {"a composite of index 0", true, 0, 0, 0, 0, 9},
        {"a composite of kind 1", true, layered, 1, 0, 0, 9},
        {"a composite of kind 2", true, layered, 2, 0, 0, 9},
        {"a composite of kind 4", true, layered, 4, 0, 0, 9},
        {"a fill of kind 0", false, 4, 0, 0, 0, 9},
        {"a fill of kind 3", false, 4, 3, 0, 0, 9},
        {"a fill of kind 1", false, 4, 1, 0, 0, 9},
    };
    for (const Case& c : cases) {
        Slab target;
        target.getSlabRecord().kind2Fill = 9;
        Element& element = target; // as any caller sets a pattern
        if (c.composite)
            element.setPattern(tarnwick::Composite(AttributeLink(c.index, AttrComposite)), c.kind);
        else
            element.setPattern(Fill(AttributeLink(c.index, AttrFill)), c.kind);
        EXPECT_EQ(target.getStructureType(), c.structure) << c.what;
        EXPECT_EQ(target.getSlabRecord().composite, c.stored) << c.what;
        EXPECT_EQ(target.getSlabRecord().kind2Fill, c.kind2) << c.what;
    }
}

TEST_F(SlabRoofTables, ASlabsMeasuresAreItsQuantityFieldsInTheirOrderAndItsOutlinesHoles) {
    Slab slab;
    constexpr double f = sizeof(double);
    expectMeasures(slab,
                   {byNumber(1, MeasureRow::Field, 1 * f),
                    byNumber(2, MeasureRow::Field, 0 * f),
                    byNumber(3, MeasureRow::Field, 2 * f),
                    byNumber(5, MeasureRow::Field, 3 * f),
                    {"perimeter", [](Element& e) { return e.getOutlineMeasure(); }, MeasureRow::Field, 4 * f},
                    byNumber(10, MeasureRow::Field, 5 * f),
                    byNumber(12, MeasureRow::Field, 6 * f),
                    byNumber(6, MeasureRow::Field, 10 * f),
                    byNumber(9, MeasureRow::Value, 0.0)},
                   "slab");
    const auto own = [](double (Slab::*get)() const) {
        return [get](Element& e) { return (static_cast<Slab&>(e).*get)(); };
    };
    expectMeasures(slab,
                   {{"slab 2", own(&Slab::getSlabMeasure2), MeasureRow::Field, 0 * f},
                    {"slab 1", own(&Slab::getSlabMeasure1), MeasureRow::Field, 1 * f},
                    {"slab 3", own(&Slab::getSlabMeasure3), MeasureRow::Field, 2 * f},
                    {"length", [](Element& e) { return e.getLength(); }, MeasureRow::Field, 4 * f},
                    {"slab 5", own(&Slab::getSlabMeasure5), MeasureRow::Field, 7 * f},
                    {"slab 4", own(&Slab::getSlabMeasure4), MeasureRow::Field, 8 * f},
                    {"slab 6", own(&Slab::getSlabMeasure6), MeasureRow::Field, 9 * f}},
                   "slab's own");

    slab.setPolygon(outlineWithHoles());
    EXPECT_EQ(slab.getOutlineHoleCount(), 2u);

    // A basic slab's material quantity over its thickness; none through a slab too thin.
    QuantityProbe probe;
    Slab basic;
    basic.getSlabRecord().material = static_cast<uint16_t>(material);
    basic.setThickness(0.25);
    const double volume = QuantityProbe::valueAt(3 * sizeof(double)); // its measure 5
    EXPECT_DOUBLE_EQ(basic.getMaterialQuantity(static_cast<uint16_t>(material)), volume);
    EXPECT_DOUBLE_EQ(basic.getCompositeQuantity(static_cast<uint16_t>(material)), volume / 0.25);
    EXPECT_DOUBLE_EQ(basic.getCompositeQuantity(static_cast<uint16_t>(other)), 0.0);
    basic.setThickness(1e-6);
    (void)probe.take();
    EXPECT_DOUBLE_EQ(basic.getCompositeQuantity(static_cast<uint16_t>(material)), 0.0);
}

TEST_F(SlabRoofTables, ASlabsOwnValuesAndFlags) {
    Slab slab(onFirstFloor(Slab::TypeCode), API_Element());
    HostSlabElement& part = slab.getSlabRecord();
    part.elevation = 0.5;
    EXPECT_DOUBLE_EQ(slab.getElevation(false), 0.5);
    EXPECT_DOUBLE_EQ(slab.getElevation(true), 3.5);
    slab.setPolygon(outlineWithHoles());
    CadPoint reference;
    slab.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(2.0, 1.0, 3.5));

    for (size_t side : {0u, 1u}) {
        slab.setSideFlags(side, true);
        EXPECT_TRUE(slab.getSideFlags(side));
        slab.setSideFlag2(side, false);
        EXPECT_FALSE(slab.getSideFlags(side));
        EXPECT_FALSE(slab.getSideFlag2(side));
        EXPECT_TRUE(slab.getSideFlag3(side));
        EXPECT_EQ(part.sideFlags[side][0], 1);
        slab.setSideFlag3(side, false);
        EXPECT_EQ(part.sideFlags[side][2], 0);
        slab.setSideFlags(side, false);
        EXPECT_EQ(part.sideFlags[side][0], 0);
    }
    EXPECT_THROW(slab.setSideFlags(2, true), std::out_of_range);
    EXPECT_THROW((void)slab.getSideFlag2(2), std::out_of_range);

    uint32_t handed = 5;
    part.linkValue = 0;
    part.linkedU32 = 9;
    part.linkedPoint = {1.5, 2.5};
    EXPECT_EQ(slab.getLinkedValue(handed), 0u);
    EXPECT_EQ(handed, 5u); // nothing handed out without a link
    EXPECT_EQ(slab.getLinkedPoint(), CadPoint());
    part.linkValue = 0x100000007ull;
    EXPECT_EQ(slab.getLinkedValue(handed), 0x100000007ull);
    EXPECT_EQ(handed, 9u);
    EXPECT_EQ(slab.getLinkedPoint(), CadPoint(1.5, 2.5, 0.0));
    part.firstVector = {0.0, 1.0};
    part.secondVector = {-1.0, 0.5};
    EXPECT_EQ(slab.getFirstVector(), Vector3(0.0, 1.0, 0.0));
    EXPECT_EQ(slab.getSecondVector(), Vector3(-1.0, 0.5, 0.0));

    slab.setCutFillPensFromRecord(true);
    slab.setAuxiliaryFlag(true);
    EXPECT_EQ(part.cutFillFlag, 1);
    EXPECT_EQ(part.auxiliaryFlag, 1);
    slab.setCutFillPensFromRecord(false);
    EXPECT_FALSE(slab.getCutFillPensFromRecord());
    EXPECT_TRUE(slab.getAuxiliaryFlag());
    slab.setReferenceKind(2);
    EXPECT_EQ(part.referenceKind, 2u);
    EXPECT_EQ(slab.getReferenceKind(), 2u);
    slab.setThickness(0.3);
    EXPECT_DOUBLE_EQ(part.thickness, 0.3);
    part.slabValue = 0.125;
    EXPECT_DOUBLE_EQ(slab.getSlabValue(), 0.125);
    slab.setStructureType(1);
    EXPECT_EQ(part.structureType, 1u);
}

TEST_F(SlabRoofTables, ARoofsPensFinishesAndFillsFollowItsStructure) {
    struct Structure {
        const char* what;
        int16_t composite;
        uint32_t patternType, patternIndex;
        int16_t material;
    };
    const Structure structures[] = {
        {"basic", 0, AttrFill, MaterialFill, material},
        {"composite", layered, AttrComposite, static_cast<uint32_t>(layered), 0},
    };
    for (const Structure& s : structures) {
        for (uint8_t flag : {0, 1}) {
            std::unique_ptr<Roof> roof = namedRoof(s.composite, s.composite != 0 ? 1 : 0);
            roof->setCutFillPensFromRecord(flag != 0);
            EXPECT_EQ(roof->getCutFillPensFromRecord(), flag != 0);
            expectPens(*roof,
                       {{0, ContourPen},
                        {1, ContourPen},
                        {2, 0},
                        {3, 0},
                        {4, 0},
                        {5, Kind5Pen},
                        {6, Kind6Pen},
                        {7, 0},
                        {8, Kind8Pen},
                        {9, 0},
                        {10, Kind10Pen},
                        {11, flag != 0 ? CutFillPen : MaterialPen},
                        {12, flag != 0 ? CutFillBackgroundPen : MaterialBackgroundPen},
                        {13, 0}},
                       std::string(s.what) + " roof, cut-fill flag " + std::to_string(flag));
        }
        std::unique_ptr<Roof> roof = namedRoof(s.composite, s.composite != 0 ? 1 : 0);
        expectLineStyles(*roof, {{0, FirstLineType}, {1, FirstLineType}, {2, 0}, {3, 0}}, s.what);
        expectFinishes(
            *roof, {{0, FirstFinish}, {1, FirstFinish}, {2, 0}, {5, SecondFinish}, {6, 0}, {7, ThirdFinish}},
            std::string(s.what) + " roof, overriding");
        for (HostOverrideWord& word : roof->getShelterRecord().finishOverrides)
            word = overriding(static_cast<uint16_t>(word), false);
        expectFinishes(
            *roof, {{0, MaterialSurface}, {1, MaterialSurface}, {5, MaterialSurface}, {7, MaterialSurface}},
            std::string(s.what) + " roof, not overriding");
        expectPatterns(*roof,
                       {{0, s.patternType, s.patternIndex},
                        {1, s.patternType, s.patternIndex},
                        {2, 0, 0},
                        {3, s.patternType, s.patternIndex},
                        {4, 0, 0}},
                       s.what);
        EXPECT_EQ(materialOf(*roof), s.material) << s.what;
    }
}

TEST_F(SlabRoofTables, ARoofsSettersWriteTheFieldsOfTheirKinds) {
    Roof roof;
    HostShelterElement& part = roof.getShelterRecord();
    Writes<uint16_t> pens{{recordField("pen", part.pen), recordField("kind 5", part.kind5Pen),
                           recordField("kind 6", part.kind6Pen), recordField("kind 8", part.kind8Pen),
                           recordField("kind 10", part.kind10Pen), recordField("cut fill", part.cutFillPen),
                           recordField("cut-fill background", part.cutFillBackgroundPen)}};
    expectPenWrites(roof, pens,
                    {{0, {"pen", "kind 10", "cut fill", "cut-fill background"}},
                     {1, {"pen"}},
                     {2, {}},
                     {3, {}},
                     {4, {}},
                     {5, {"kind 5"}},
                     {6, {"kind 6"}},
                     {7, {}},
                     {8, {"kind 8"}},
                     {9, {}},
                     {10, {"kind 10"}},
                     {11, {"cut fill"}},
                     {12, {"cut-fill background"}},
                     {13, {}}},
                    "roof pen");
    Writes<uint16_t> lineTypes{{recordField("line type", part.lineType)}};
    expectLineTypeWrites(roof, lineTypes, {{0, {"line type"}}, {1, {"line type"}}, {2, {}}, {3, {}}},
                         "roof line type");
    Writes<HostOverrideWord> finishes{{recordField("first", part.finishOverrides[0]),
                                       recordField("second", part.finishOverrides[1]),
                                       recordField("third", part.finishOverrides[2])}};
    expectFinishWrites(roof, Finish(AttributeLink(int16_t(40), AttrSurface)), finishes,
                       {{0, {"first"}}, {1, {"first"}}, {2, {}}, {5, {"second"}}, {6, {}}, {7, {"third"}}},
                       overriding(40), "roof finish");

    // Kinds 0 and 3 take a composite; a fill, or another kind, changes nothing.
    const struct {
        const char* what;
        bool composite;
        uint32_t kind;
        bool takes;
    } patterns[] = {
        {"a fill of kind 0", false, 0, false},     {"a fill of kind 3", false, 3, false},
        {"a composite of kind 0", true, 0, true},  {"a composite of kind 3", true, 3, true},
        {"a composite of kind 1", true, 1, false}, {"a composite of kind 2", true, 2, false},
        {"a composite of kind 4", true, 4, false},
    };
    for (const auto& c : patterns) {
        part.structureType = 0;
        part.composite = 0;
        Element& element = roof;
        if (c.composite)
            element.setPattern(tarnwick::Composite(AttributeLink(layered, AttrComposite)), c.kind);
        else
            element.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), c.kind);
        EXPECT_EQ(part.structureType, c.takes ? 1u : 0u) << c.what;
        EXPECT_EQ(part.composite, c.takes ? static_cast<int16_t>(-layered) : int16_t(0)) << c.what;
    }
    roof.setPattern(tarnwick::Composite(AttributeLink(layered, AttrComposite)), 0);
    roof.setStructureType(0);
    EXPECT_EQ(roof.getStructureType(), 0u);
}

TEST_F(SlabRoofTables, ARoofsMeasuresAreItsQuantityFieldsInTheirOrder) {
    Roof roof;
    constexpr double f = sizeof(double);
    expectMeasures(roof,
                   {byNumber(2, MeasureRow::Field, 0 * f), byNumber(1, MeasureRow::Field, 1 * f),
                    byNumber(3, MeasureRow::Field, 2 * f), byNumber(5, MeasureRow::Field, 3 * f),
                    byNumber(10, MeasureRow::Field, 4 * f), byNumber(12, MeasureRow::Field, 5 * f),
                    byNumber(6, MeasureRow::Field, 9 * f), byNumber(9, MeasureRow::Value, 0.0)},
                   "roof");
    using Get = double (Shelter::*)() const;
    const std::pair<Get, int> own[] = {
        {&Shelter::getShelterMeasure2, 6},   {&Shelter::getShelterMeasure1, 7},
        {&Shelter::getShelterMeasure3, 8},   {&Shelter::getShelterMeasure4, 10},
        {&Shelter::getShelterMeasure5, 11},  {&Shelter::getShelterMeasure6, 12},
        {&Shelter::getShelterMeasure7, 13},  {&Shelter::getShelterMeasure8, 14},
        {&Shelter::getShelterMeasure9, 15},  {&Shelter::getShelterMeasure10, 16},
        {&Shelter::getShelterMeasure11, 17}, {&Shelter::getShelterMeasure12, 18},
    };
    std::vector<MeasureRow> rows;
    for (const auto& entry : own) {
        const Get get = entry.first;
        rows.push_back({"shelter measure", [get](Element& e) { return (static_cast<Shelter&>(e).*get)(); },
                        MeasureRow::Field, entry.second * f});
    }
    rows.push_back({"base 1", [](Element& e) { return static_cast<Shelter&>(e).getBaseMeasure1(); },
                    MeasureRow::Same, 1});
    rows.push_back({"base 2", [](Element& e) { return static_cast<Shelter&>(e).getBaseMeasure2(); },
                    MeasureRow::Same, 2});
    rows.push_back({"base 3", [](Element& e) { return static_cast<Shelter&>(e).getBaseMeasure3(); },
                    MeasureRow::Same, 3});
    expectMeasures(roof, rows, "roof's own");
    roof.setPolygon(outlineWithHoles());
    EXPECT_EQ(roof.getOutlineHoleCount(), 2u);
}

TEST_F(SlabRoofTables, ARoofsOwnValuesPivotLineAndSides) {
    Roof roof(onFirstFloor(Roof::TypeCode), API_Element());
    HostShelterElement& part = roof.getShelterRecord();
    part.elevation = 0.5;
    EXPECT_DOUBLE_EQ(roof.getElevation(false), 0.5);
    EXPECT_DOUBLE_EQ(roof.getElevation(true), 3.5);
    roof.setElevation(5.0, true);
    EXPECT_DOUBLE_EQ(part.elevation, 2.0);
    roof.setElevation(5.0, false);
    EXPECT_DOUBLE_EQ(part.elevation, 5.0);

    roof.setPivotLine(Line(HostCoord2D{1.0, 2.0}, HostCoord2D{4.0, 2.0}, 4.25));
    EXPECT_EQ(CadPoint(part.pivotBegin), CadPoint(1.0, 2.0, 0.0));
    EXPECT_EQ(CadPoint(part.pivotEnd), CadPoint(4.0, 2.0, 0.0));
    EXPECT_DOUBLE_EQ(part.elevation, 1.25);
    const Line pivot = roof.getPivotLine();
    EXPECT_EQ(pivot.getStartPoint(), CadPoint(1.0, 2.0, 4.25));
    EXPECT_EQ(pivot.getEndPoint(), CadPoint(4.0, 2.0, 4.25));

    roof.setSlopeAngle(pi / 6);
    EXPECT_DOUBLE_EQ(part.slopeAngle, pi / 6);
    EXPECT_DOUBLE_EQ(roof.getSlopeAngle(), pi / 6);
    roof.setRoofFlag(true);
    EXPECT_EQ(part.roofFlag, 1);
    EXPECT_TRUE(roof.getRoofFlag());
    roof.setShelterSetting(12);
    EXPECT_EQ(part.shelterSetting, 12u);
    EXPECT_EQ(roof.getShelterSetting(), 12u);
    EXPECT_EQ(roof.getRoofCount(), 1u);
    EXPECT_EQ(roof.getRoof(0), &roof);
    EXPECT_EQ(roof.getRoof(1), nullptr);
    roof.setAuxiliaryFlag(true);
    EXPECT_EQ(part.auxiliaryFlag, 1);
    EXPECT_TRUE(roof.getAuxiliaryFlag());

    // The side flags are the first three bytes of each side's override record.
    for (size_t side : {0u, 1u}) {
        roof.setSideFlags(side, true);
        EXPECT_TRUE(roof.getSideFlags(side));
        EXPECT_EQ(part.sideOverrides[side].flags[1], 1);
        roof.setSideFlag3(side, false);
        EXPECT_FALSE(roof.getSideFlags(side));
        EXPECT_TRUE(roof.getSideFlag2(side));
        EXPECT_FALSE(roof.getSideFlag3(side));
        roof.setSideFlag2(side, false);
        EXPECT_EQ(part.sideOverrides[side].flags[1], 0);
    }
    EXPECT_THROW(roof.setSideFlags(2, true), std::out_of_range);

    // Each side's override set is its own record with the shared extension; the setter writes the
    // side's record only.
    part.sideOverrides[0] = HostOverrideRecord{{1, 0, 1}, 0, 5, 6};
    part.sideOverrides[1] = HostOverrideRecord{{0, 1, 0}, 0, 7, 8};
    part.overrideExtension = HostOverrideExtension{9, 1, 0};
    OverrideSet first, second;
    roof.getOverrideSet(first, 0);
    roof.getOverrideSet(second, 1);
    EXPECT_FALSE(first == second);
    roof.setOverrideSet(second, 0);
    EXPECT_EQ(part.sideOverrides[0].first, 7);
    EXPECT_EQ(part.sideOverrides[0].second, 8);
    EXPECT_EQ(part.sideOverrides[0].flags[1], 1);
    EXPECT_EQ(part.sideOverrides[1].first, 7);
    EXPECT_EQ(part.overrideExtension.third, 9);
    OverrideSet again;
    roof.getOverrideSet(again, 0);
    EXPECT_TRUE(again == second);
}
