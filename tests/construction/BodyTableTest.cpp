// Extrusions, sweeps and morphs, free forms and meshes kind by kind: pens, line types, finishes and
// fills, what each setter writes, their measures one field each (in their record's order where
// that is fixed), their elevations, and their own flags and values.
#include <cmath>

#include "AttributeTables.h"
#include "construction/FreeForm.h"
#include "construction/Mesh.h"
#include "construction/MeshMemo.h"
#include "construction/Profile.h"
#include "project/Fill.h"

using namespace tables;

namespace {

class BodyTables : public TableTest {
protected:
    template <class Part> void nameShared(Part& part) {
        part.kind6Pen = Kind6Pen;
        part.kind8Pen = Kind8Pen;
        part.kind10Pen = Kind10Pen;
        part.cutFillPen = CutFillPen;
        part.cutFillBackgroundPen = CutFillBackgroundPen;
        part.lineType = FirstLineType;
        part.material = static_cast<uint16_t>(material);
    }
    std::unique_ptr<Profile> namedProfile(uint32_t subKind) {
        std::unique_ptr<Profile> body;
        if (subKind == Extrusion::SubKind) body = std::make_unique<Extrusion>();
        if (subKind == Sweep::SubKind) body = std::make_unique<Sweep>();
        if (subKind == Morph::SubKind) body = std::make_unique<Morph>();
        HostProfileElement& part = body->getProfileRecord();
        nameShared(part);
        part.pen = ContourPen;
        part.kind3LineType = SecondLineType;
        part.finishOverrides[0] = overriding(FirstFinish);
        part.finishOverrides[1] = overriding(SecondFinish);
        part.finishOverrides[2] = overriding(ThirdFinish);
        return body;
    }
    std::unique_ptr<FreeForm> namedFreeForm() {
        auto body = std::make_unique<FreeForm>();
        HostFreeFormElement& part = body->getFreeFormRecord();
        nameShared(part);
        part.contourPen = ContourPen;
        part.secondLineType = SecondLineType;
        part.finishOverride = overriding(FirstFinish);
        return body;
    }
    std::unique_ptr<Mesh> namedMesh() {
        auto mesh = std::make_unique<Mesh>();
        HostMeshElement& part = mesh->getMeshRecord();
        nameShared(part);
        part.contourPen = ContourPen;
        part.kind2Pen = Kind2Pen;
        part.finishOverrides[0] = overriding(FirstFinish);
        part.finishOverrides[1] = overriding(SecondFinish);
        part.finishOverrides[2] = overriding(ThirdFinish);
        return mesh;
    }

    int16_t material = addMaterial();
};

std::string kindName(uint32_t subKind) {
    return "body of sub-kind " + std::to_string(subKind);
}

// A 4 x 4 outline from (1, 1) with a hole.
std::unique_ptr<CadPolygon> outlineWithHole() {
    auto outline = std::make_unique<CadPolygon>(4, 1, true);
    for (const auto& [x, y] : {std::pair{1.0, 1.0}, {5.0, 1.0}, {5.0, 5.0}, {1.0, 5.0}})
        outline->append(PolyPoint(CadPoint(x, y, 0.0)));
    auto* hole = new CadPolygon(4, 0, true);
    for (const auto& [x, y] : {std::pair{2.0, 2.0}, {2.0, 3.0}, {3.0, 3.0}, {3.0, 2.0}})
        hole->append(PolyPoint(CadPoint(x, y, 0.0)));
    outline->addHole(hole);
    return outline;
}

} // namespace

TEST_F(BodyTables, ProfiledBodiesAnswerByKindAlike) {
    for (uint32_t subKind : {Extrusion::SubKind, Sweep::SubKind, Morph::SubKind}) {
        const std::string what = kindName(subKind);
        for (uint8_t flag : {0, 1}) {
            std::unique_ptr<Profile> body = namedProfile(subKind);
            body->getProfileRecord().cutFillFlag = flag;
            expectPens(*body,
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
                        {11, flag != 0 ? CutFillPen : MaterialPen},
                        {12, flag != 0 ? CutFillBackgroundPen : MaterialBackgroundPen},
                        {13, 0}},
                       what + ", cut-fill flag " + std::to_string(flag));
        }
        std::unique_ptr<Profile> body = namedProfile(subKind);
        expectLineStyles(*body, {{0, FirstLineType}, {1, FirstLineType}, {2, 0}, {3, SecondLineType}, {4, 0}},
                         what);
        expectFinishes(*body,
                       {{0, FirstFinish},
                        {1, FirstFinish},
                        {2, MaterialSurface},
                        {3, MaterialSurface},
                        {5, SecondFinish},
                        {6, FirstFinish},
                        {7, ThirdFinish}},
                       what + ", overriding");
        for (HostOverrideWord& word : body->getProfileRecord().finishOverrides)
            word = overriding(static_cast<uint16_t>(word), false);
        expectFinishes(
            *body, {{0, MaterialSurface}, {5, MaterialSurface}, {6, MaterialSurface}, {7, MaterialSurface}},
            what + ", not overriding");
        expectPatterns(*body,
                       {{0, AttrFill, MaterialFill},
                        {1, AttrFill, MaterialFill},
                        {2, 0, 0},
                        {3, AttrFill, MaterialFill},
                        {4, 0, 0}},
                       what);
    }
}

TEST_F(BodyTables, ProfiledBodiesSettersWriteTheFieldsOfTheirKinds) {
    Sweep body;
    HostProfileElement& part = body.getProfileRecord();
    Writes<uint16_t> pens{{recordField("pen", part.pen), recordField("kind 6", part.kind6Pen),
                           recordField("kind 8", part.kind8Pen), recordField("kind 10", part.kind10Pen),
                           recordField("cut fill", part.cutFillPen),
                           recordField("cut-fill background", part.cutFillBackgroundPen)}};
    expectPenWrites(body, pens,
                    {{0, {"pen", "kind 6", "kind 8", "kind 10", "cut fill", "cut-fill background"}},
                     {1, {"pen"}},
                     {2, {}},
                     {5, {}},
                     {6, {"kind 6"}},
                     {7, {}},
                     {8, {"kind 8"}},
                     {10, {"kind 10"}},
                     {11, {"cut fill"}},
                     {12, {"cut-fill background"}},
                     {13, {}}},
                    "body pen");
    Writes<uint16_t> lineTypes{
        {recordField("line type", part.lineType), recordField("kind 3", part.kind3LineType)}};
    expectLineTypeWrites(
        body, lineTypes,
        {{0, {"line type", "kind 3"}}, {1, {"line type"}}, {2, {}}, {3, {"kind 3"}}, {4, {}}},
        "body line type");
    Writes<HostOverrideWord> finishes{{recordField("first", part.finishOverrides[0]),
                                       recordField("second", part.finishOverrides[1]),
                                       recordField("third", part.finishOverrides[2])}};
    // The finish's own override byte comes along: its high half names it.
    for (const auto& [given, written] : FinishForms) {
        expectFinishWrites(body, Finish(AttributeLink(given, AttrSurface)), finishes,
                           {{0, {"first"}},
                            {1, {"first"}},
                            {2, {}},
                            {3, {}},
                            {5, {"second"}},
                            {6, {"first"}},
                            {7, {"third"}}},
                           written, "body finish");
    }

    const HostProfileElement before = part;
    for (uint32_t kind : {0u, 1u, 2u, 3u})
        body.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), kind);
    body.setReferencePoint(CadPoint(5.0, 5.0, 5.0));
    body.setElevation(2.0, false);
    EXPECT_EQ(std::memcmp(&part, &before, sizeof part), 0); // none of these is a body's to change

    for (size_t side : {0u, 1u}) {
        body.setSideFlags(side, true);
        EXPECT_TRUE(body.getSideFlags(side));
        body.setSideFlag2(side, false);
        EXPECT_FALSE(body.getSideFlags(side));
        EXPECT_FALSE(body.getSideFlag2(side));
        EXPECT_TRUE(body.getSideFlag3(side));
        body.setSideFlag3(side, false);
        EXPECT_EQ(part.sideFlags[side][2], 0);
        EXPECT_EQ(part.sideFlags[side][0], 1);
    }
}

TEST_F(BodyTables, ProfiledBodiesMeasuresAreTheirRecordsFieldsInOrder) {
    Morph body;
    constexpr double f = sizeof(double);
    const auto at = [](size_t offset) { return QuantityProbe::valueAt(offset); };
    expectMeasures(body,
                   {byNumber(1, MeasureRow::Field, 0 * f),
                    byNumber(2, MeasureRow::Field, 1 * f),
                    byNumber(3, MeasureRow::Field, 2 * f),
                    byNumber(5, MeasureRow::Field, 3 * f),
                    {"perimeter", [](Element& e) { return e.getOutlineMeasure(); }, MeasureRow::Field, 4 * f},
                    byNumber(10, MeasureRow::Field, 5 * f),
                    byNumber(12, MeasureRow::Field, 6 * f),
                    byNumber(6, MeasureRow::Field, 7 * f),
                    {"area", [](Element& e) { return e.getOutlineArea(); }, MeasureRow::Field, 8 * f},
                    byNumber(9, MeasureRow::Field, 9 * f), // a 32-bit integer
                    byNumber(4, MeasureRow::Answer, at(1 * f) + at(0 * f) + at(2 * f)),
                    byNumber(11, MeasureRow::Answer, at(7 * f) - at(3 * f))},
                   "body");

    // No body in 3D: the origin, at the home storey's level when absolute.
    Extrusion placed(API_Element(), onFirstFloor(Profile::TypeCode));
    CadPoint reference(1.0, 1.0, 1.0);
    placed.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint());
    EXPECT_DOUBLE_EQ(placed.getElevation(false), 0.0);
    EXPECT_DOUBLE_EQ(placed.getElevation(true), 3.0);
}

TEST_F(BodyTables, AFreeFormAnswersByKind) {
    for (uint8_t flag : {0, 1}) {
        std::unique_ptr<FreeForm> body = namedFreeForm();
        body->getFreeFormRecord().cutFillFlag = flag;
        expectPens(*body,
                   {{0, ContourPen},
                    {1, ContourPen},
                    {2, 0},
                    {3, 0},
                    {5, 0},
                    {6, Kind6Pen},
                    {7, 0},
                    {8, Kind8Pen},
                    {10, Kind10Pen},
                    {11, flag != 0 ? CutFillPen : MaterialPen},
                    {12, flag != 0 ? CutFillBackgroundPen : MaterialBackgroundPen},
                    {13, 0}},
                   "free form, cut-fill flag " + std::to_string(flag));
    }
    std::unique_ptr<FreeForm> body = namedFreeForm();
    expectLineStyles(*body, {{0, FirstLineType}, {1, FirstLineType}, {2, 0}, {3, SecondLineType}, {4, 0}},
                     "free form");
    expectFinishes(*body, {{0, FirstFinish}, {1, FirstFinish}, {2, MaterialSurface}, {5, MaterialSurface}},
                   "free form, overriding");
    body->getFreeFormRecord().finishOverride = overriding(FirstFinish, false);
    expectFinishes(*body, {{0, MaterialSurface}, {1, MaterialSurface}}, "free form, not overriding");
    expectPatterns(
        *body,
        {{0, AttrFill, MaterialFill}, {1, AttrFill, MaterialFill}, {2, 0, 0}, {3, AttrFill, MaterialFill}},
        "free form");
    EXPECT_EQ(materialOf(*body), material);
}

TEST_F(BodyTables, AFreeFormsSettersWriteTheFieldsOfTheirKinds) {
    FreeForm body;
    HostFreeFormElement& part = body.getFreeFormRecord();
    Writes<uint16_t> pens{{recordField("contour", part.contourPen), recordField("kind 6", part.kind6Pen),
                           recordField("kind 8", part.kind8Pen), recordField("kind 10", part.kind10Pen),
                           recordField("cut fill", part.cutFillPen),
                           recordField("cut-fill background", part.cutFillBackgroundPen)}};
    expectPenWrites(body, pens,
                    {{0, {"contour", "kind 6", "kind 8", "kind 10", "cut fill", "cut-fill background"}},
                     {1, {"contour"}},
                     {2, {}},
                     {6, {"kind 6"}},
                     {8, {"kind 8"}},
                     {10, {"kind 10"}},
                     {11, {"cut fill"}},
                     {12, {"cut-fill background"}},
                     {13, {}}},
                    "free form pen");
    Writes<uint16_t> lineTypes{
        {recordField("line type", part.lineType), recordField("second", part.secondLineType)}};
    expectLineTypeWrites(body, lineTypes,
                         {{0, {"line type", "second"}}, {1, {"line type"}}, {2, {}}, {3, {"second"}}},
                         "free form line type");
    Writes<uint32_t> finishes{{recordField("override", part.finishOverride)}};
    for (const auto& [given, written] : FinishForms) {
        expectFinishWrites(body, Finish(AttributeLink(given, AttrSurface)), finishes,
                           {{0, {"override"}}, {1, {"override"}}, {2, {}}, {5, {}}}, written,
                           "free form finish");
    }
    const HostFreeFormElement before = part;
    for (uint32_t kind : {0u, 1u, 2u, 3u})
        body.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), kind);
    EXPECT_EQ(std::memcmp(&part, &before, sizeof part), 0);
}

TEST_F(BodyTables, AFreeFormsMeasuresFlagGroupsAndElevation) {
    FreeForm body(onFirstFloor(FreeForm::TypeCode), API_Element());
    expectMeasures(body,
                   {byNumber(4, MeasureRow::OwnField),
                    byNumber(3, MeasureRow::Same, 4),
                    byNumber(5, MeasureRow::OwnField),
                    byNumber(6, MeasureRow::Same, 5),
                    byNumber(7, MeasureRow::OwnField),
                    {"perimeter", [](Element& e) { return e.getOutlineMeasure(); }, MeasureRow::OwnField, 0},
                    {"area", [](Element& e) { return e.getOutlineArea(); }, MeasureRow::OwnField, 0},
                    byNumber(8, MeasureRow::Same, 7)},
                   "free form");

    HostFreeFormElement& part = body.getFreeFormRecord();
    part.elevation = 0.5;
    EXPECT_DOUBLE_EQ(body.getElevation(false), 0.5);
    EXPECT_DOUBLE_EQ(body.getElevation(true), 3.5);
    body.setElevation(5.0, true);
    EXPECT_DOUBLE_EQ(part.elevation, 2.0);
    body.setElevation(5.0, false);
    EXPECT_DOUBLE_EQ(part.elevation, 5.0);

    for (uint32_t kind : {0u, 1u}) {
        body.setFlagGroup(true, kind);
        EXPECT_TRUE(body.getFlagGroup(kind));
        body.setThirdGroupFlag(false, kind);
        EXPECT_FALSE(body.getFlagGroup(kind)); // two of three are not the group
        EXPECT_TRUE(body.getSecondGroupFlag(kind));
        EXPECT_FALSE(body.getThirdGroupFlag(kind));
        body.setSecondGroupFlag(false, kind);
        EXPECT_EQ(part.flagGroups[kind][1], 0);
        EXPECT_EQ(part.flagGroups[kind][0], 1);
        body.setFlagGroup(false, kind);
        EXPECT_EQ(part.flagGroups[kind][0], 0);
    }
    body.setFlagGroup(true, 0);
    EXPECT_EQ(part.flagGroups[1][0], 0); // the groups are apart
}

TEST_F(BodyTables, AMeshAnswersByKind) {
    for (uint8_t flag : {0, 1}) {
        std::unique_ptr<Mesh> mesh = namedMesh();
        mesh->getMeshRecord().cutFillFlag = flag;
        expectPens(*mesh,
                   {{0, ContourPen},
                    {1, ContourPen},
                    {2, Kind2Pen},
                    {3, 0},
                    {5, 0},
                    {6, Kind6Pen},
                    {7, 0},
                    {8, Kind8Pen},
                    {10, Kind10Pen},
                    {11, flag != 0 ? CutFillPen : MaterialPen},
                    {12, flag != 0 ? CutFillBackgroundPen : MaterialBackgroundPen},
                    {13, 0}},
                   "mesh, cut-fill flag " + std::to_string(flag));
    }
    std::unique_ptr<Mesh> mesh = namedMesh();
    expectLineStyles(*mesh, {{0, FirstLineType}, {1, FirstLineType}, {2, 0}, {3, 0}}, "mesh");
    expectFinishes(*mesh,
                   {{0, FirstFinish},
                    {1, FirstFinish},
                    {2, MaterialSurface},
                    {5, SecondFinish},
                    {6, MaterialSurface},
                    {7, ThirdFinish}},
                   "mesh, overriding");
    for (uint32_t& word : mesh->getMeshRecord().finishOverrides)
        word = overriding(static_cast<uint16_t>(word), false);
    expectFinishes(*mesh, {{0, MaterialSurface}, {5, MaterialSurface}, {7, MaterialSurface}},
                   "mesh, not overriding");
    expectPatterns(
        *mesh,
        {{0, AttrFill, MaterialFill}, {1, AttrFill, MaterialFill}, {2, 0, 0}, {3, AttrFill, MaterialFill}},
        "mesh");
    EXPECT_EQ(materialOf(*mesh), material);
}

TEST_F(BodyTables, AMeshsSettersWriteTheFieldsOfTheirKinds) {
    Mesh mesh;
    HostMeshElement& part = mesh.getMeshRecord();
    Writes<uint16_t> pens{{recordField("contour", part.contourPen), recordField("kind 2", part.kind2Pen),
                           recordField("kind 6", part.kind6Pen), recordField("kind 8", part.kind8Pen),
                           recordField("kind 10", part.kind10Pen), recordField("cut fill", part.cutFillPen),
                           recordField("cut-fill background", part.cutFillBackgroundPen)}};
    expectPenWrites(mesh, pens,
                    {{0, {"contour", "kind 2", "kind 10", "cut fill", "cut-fill background"}},
                     {1, {"contour"}},
                     {2, {"kind 2"}},
                     {3, {}},
                     {6, {"kind 6"}},
                     {8, {"kind 8"}},
                     {10, {"kind 10"}},
                     {11, {"cut fill"}},
                     {12, {"cut-fill background"}},
                     {13, {}}},
                    "mesh pen");
    for (uint32_t kind : {0u, 1u, 3u}) {
        part.lineType = 2;
        mesh.setLineStyle(LineStyle(AttributeLink(int16_t(40), AttrLineType)), kind);
        EXPECT_EQ(part.lineType, 40) << kind;
    }
    Writes<uint32_t> finishes{{recordField("first", part.finishOverrides[0]),
                               recordField("second", part.finishOverrides[1]),
                               recordField("third", part.finishOverrides[2])}};
    for (const auto& [given, written] : FinishForms) {
        expectFinishWrites(mesh, Finish(AttributeLink(given, AttrSurface)), finishes,
                           {{0, {"first", "second", "third"}},
                            {1, {"first"}},
                            {2, {}},
                            {5, {"second"}},
                            {6, {"first"}},
                            {7, {"third"}},
                            {8, {}}},
                           written, "mesh finish");
    }
    mesh.setMaterial(Material::fromIndex(material));
    EXPECT_EQ(part.material, static_cast<uint16_t>(material));
    const HostMeshElement before = part;
    for (uint32_t kind : {0u, 1u, 2u, 3u})
        mesh.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), kind);
    EXPECT_EQ(std::memcmp(&part, &before, sizeof part), 0);
}

TEST_F(BodyTables, AMeshsMeasuresOwnValuesAndReferencePoint) {
    Mesh mesh(onFirstFloor(Mesh::TypeCode), API_Element());
    std::vector<MeasureRow> rows = {byNumber(1, MeasureRow::OwnField),  byNumber(2, MeasureRow::OwnField),
                                    byNumber(3, MeasureRow::OwnField),  byNumber(5, MeasureRow::OwnField),
                                    byNumber(6, MeasureRow::Same, 5),   byNumber(10, MeasureRow::OwnField),
                                    byNumber(12, MeasureRow::OwnField), byNumber(9, MeasureRow::Value, 0.0)};
    rows.push_back(
        {"base 1", [](Element& e) { return static_cast<Mesh&>(e).getBaseMeasure1(); }, MeasureRow::Same, 1});
    rows.push_back(
        {"base 2", [](Element& e) { return static_cast<Mesh&>(e).getBaseMeasure2(); }, MeasureRow::Same, 2});
    rows.push_back(
        {"base 3", [](Element& e) { return static_cast<Mesh&>(e).getBaseMeasure3(); }, MeasureRow::Same, 3});
    expectMeasures(mesh, rows, "mesh");

    HostMeshElement& part = mesh.getMeshRecord();
    part.elevation = 0.5;
    CadPoint reference(1.0, 1.0, 1.0);
    mesh.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint()); // no outline
    mesh.setPolygon(outlineWithHole());
    EXPECT_EQ(mesh.getOutlineHoleCount(), 1u);
    mesh.getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(1.0, 1.0, 3.5));
    EXPECT_DOUBLE_EQ(mesh.getElevation(false), 0.5);
    mesh.setReferencePoint(CadPoint(2.0, 3.0, 5.0));
    EXPECT_DOUBLE_EQ(part.elevation, 2.0);
    EXPECT_EQ(CadPoint(mesh.getOutline()->getVertex(2)), CadPoint(6.0, 7.0, 0.0));
    mesh.setElevation(1.0, false);
    EXPECT_DOUBLE_EQ(part.elevation, 1.0);

    mesh.setMeshFlag(true);
    EXPECT_EQ(part.meshFlag, 1);
    EXPECT_TRUE(mesh.getMeshFlag());
    mesh.setMeshValue1(77);
    EXPECT_EQ(part.meshValue, 77);
    EXPECT_EQ(mesh.getMeshValue1(), 77);
    mesh.setMeshValue2(0.25);
    EXPECT_DOUBLE_EQ(part.meshDouble, 0.25);
    EXPECT_DOUBLE_EQ(mesh.getMeshValue2(), 0.25);
    EXPECT_DOUBLE_EQ(mesh.getMeshValue3(), 0.25);
    mesh.setFlagGroup(true, 1);
    mesh.setSecondGroupFlag(false, 1);
    EXPECT_FALSE(mesh.getFlagGroup(1));
    EXPECT_TRUE(mesh.getThirdGroupFlag(1));
    EXPECT_FALSE(mesh.getSecondGroupFlag(1));
    EXPECT_EQ(part.flagGroups[0][0], 0);
    mesh.getMeshRecordPart().endCount = 3;
    EXPECT_EQ(part.levelPart.endCount, 3u);
}

TEST_F(BodyTables, AMeshsLevelLinesAndPointsAreAddedReplacedAndRemovedByIndex) {
    Mesh mesh{ElementLink(), API_Element()};
    MeshMemo& memo = mesh;
    const auto line = [](double y, size_t points) {
        auto* made = new CadPolygon(points, 0, false);
        for (size_t i = 0; i < points; ++i)
            made->append(PolyPoint(CadPoint(double(i), y, 1.0)));
        return made;
    };
    memo.addLevelLine(nullptr); // none to take
    EXPECT_EQ(memo.getLevelLineCount(), 0u);
    memo.addLevelLine(line(0.0, 2));
    memo.addLevelLine(line(1.0, 3));
    memo.addLevelLine(line(2.0, 4));
    memo.addLevelPoint(new PolyPoint(CadPoint(5.0, 5.0, 2.0)));
    memo.addLevelPoint(new PolyPoint(CadPoint(6.0, 6.0, 3.0)));
    EXPECT_EQ(memo.getLevelVertexCount(false), 2u);
    EXPECT_EQ(memo.getLevelVertexCount(true), 2u + 2 + 3 + 4);

    memo.replaceLevelLine(line(9.0, 5), 1);
    ASSERT_EQ(memo.getLevelLineCount(), 3u);
    EXPECT_EQ(memo.getLevelLine(1)->getVertexCount(), 5u);
    EXPECT_DOUBLE_EQ(memo.getLevelLine(1)->getVertex(0).getY(), 9.0);
    EXPECT_THROW(memo.replaceLevelLine(nullptr, 0), std::out_of_range);
    EXPECT_THROW(memo.replaceLevelLine(line(8.0, 2), 3), std::out_of_range); // taken even so
    memo.removeLevelLine(0);
    ASSERT_EQ(memo.getLevelLineCount(), 2u);
    EXPECT_DOUBLE_EQ(memo.getLevelLine(0)->getVertex(0).getY(), 9.0);
    EXPECT_THROW(memo.removeLevelLine(2), std::out_of_range);
    EXPECT_THROW((void)memo.getLevelLine(2), std::out_of_range);

    memo.removeLevelPoint(0);
    ASSERT_EQ(memo.getLevelPointCount(), 1u);
    EXPECT_DOUBLE_EQ(memo.getLevelPoint(0).getZ(), 3.0);
    EXPECT_THROW(memo.removeLevelPoint(1), std::out_of_range);
    EXPECT_THROW((void)memo.getLevelPoint(1), std::out_of_range);
    EXPECT_EQ(memo.getLevelVertexCount(true), 1u + 5 + 4);

    // A copy is its own.
    Mesh copied(mesh);
    const MeshMemo& copy = copied;
    memo.clearLevelLines();
    memo.clearLevelPoints();
    EXPECT_EQ(memo.getLevelVertexCount(true), 0u);
    EXPECT_EQ(copy.getLevelVertexCount(true), 1u + 5 + 4);
    EXPECT_EQ(copy.getMemoMask(), 32u);
}
