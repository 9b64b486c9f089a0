// Windows, doors, skylights and lamps kind by kind: the opening sub-record's pens, line type,
// surface and fill alike in all three openings, the lamp's object record, what each setter writes,
// their measures (the window's in its record's order), and the joinery's own values.
#include <cstring>
#include <functional>
#include <string>

#include "AttributeTables.h"
#include "construction/Door.h"
#include "construction/Lamp.h"
#include "construction/Skylight.h"
#include "construction/Window.h"
#include "platform/api/OpeningRecords.h"
#include "platform/host/RecordFields.h"
#include "project/Composite.h"
#include "project/Fill.h"

using namespace tables;

namespace {

class PlacedPartTables : public TableTest {
protected:
    // The three openings, their opening sub-records named.
    std::vector<std::pair<std::string, std::unique_ptr<Opening>>> openings() {
        std::vector<std::pair<std::string, std::unique_ptr<Opening>>> made;
        made.emplace_back("window", std::make_unique<Window>(API_Element(), ElementLink()));
        made.emplace_back("door", std::make_unique<Door>(API_Element(), ElementLink()));
        made.emplace_back("skylight", std::make_unique<Skylight>(API_Element(), ElementLink()));
        for (auto& [name, opening] : made) {
            HostOpeningPart& part = opening->editOpeningRecord();
            part.pen = ContourPen;
            part.kind10Pen = Kind10Pen;
            part.kind11Pen = CutFillPen;
            part.kind12Pen = CutFillBackgroundPen;
            part.lineType = FirstLineType;
            part.surface = FirstFinish;
            part.fill = OwnFill;
        }
        return made;
    }
};

} // namespace

TEST_F(PlacedPartTables, EveryOpeningAnswersItsSubRecordByKind) {
    for (auto& [name, opening] : openings()) {
        expectPens(*opening,
                   {{0, ContourPen},
                    {1, ContourPen},
                    {2, 0},
                    {3, 0},
                    {5, 0},
                    {6, 0},
                    {8, 0},
                    {10, Kind10Pen},
                    {11, CutFillPen},
                    {12, CutFillBackgroundPen},
                    {13, 0},
                    {0xFFFFFFFF, 0}},
                   name);
        expectLineStyles(*opening, {{0, FirstLineType}, {1, FirstLineType}, {2, 0}, {3, 0}}, name);
        expectFinishes(*opening, {{0, FirstFinish}, {1, FirstFinish}, {2, 0}, {5, 0}, {7, 0}}, name);
        expectPatterns(
            *opening,
            {{0, AttrFill, OwnFill}, {1, AttrFill, OwnFill}, {2, 0, 0}, {3, AttrFill, OwnFill}, {4, 0, 0}},
            name);
        opening->editOpeningRecord().fill = 0;
        expectPatterns(*opening, {{0, 0, 0}, {3, 0, 0}}, name + " without a fill");
    }
}

TEST_F(PlacedPartTables, EveryOpeningsSettersWriteTheFieldsOfTheirKinds) {
    for (auto& entry : openings()) {
        const std::string& name = entry.first;
        Opening* opening = entry.second.get();
        HostOpeningPart& part = opening->editOpeningRecord();
        Writes<uint16_t> pens{{recordField("pen", part.pen), recordField("kind 10", part.kind10Pen),
                               recordField("kind 11", part.kind11Pen),
                               recordField("kind 12", part.kind12Pen)}};
        expectPenWrites(*opening, pens,
                        {{0, {"pen", "kind 10", "kind 11"}},
                         {1, {"pen"}},
                         {2, {}},
                         {5, {}},
                         {6, {"kind 11"}},
                         {7, {}},
                         {8, {"kind 12"}},
                         {10, {"kind 10"}},
                         {11, {"kind 11"}},
                         {12, {"kind 12"}},
                         {13, {}}},
                        name + " pen");
        Writes<uint16_t> others{{recordField("line type", part.lineType)}};
        expectLineTypeWrites(*opening, others, {{0, {"line type"}}, {1, {"line type"}}, {2, {}}},
                             name + " line type");
        Writes<uint16_t> surfaces{{recordField("surface", part.surface)}};
        expectFinishWrites(*opening, Finish(AttributeLink(int16_t(40), AttrSurface)), surfaces,
                           {{0, {"surface"}}, {1, {"surface"}}, {2, {}}, {5, {}}}, 40, name + " surface");

        // A fill for kinds 0 and 3 only (kind 1 is answered, never written), from index 1.
        Writes<uint16_t> fills{{recordField("fill", part.fill)}};
        const auto fillBy = [&](const Pattern& pattern) {
            return [&pattern, opening](uint32_t kind) {
                static_cast<Element*>(opening)->setPattern(pattern, kind);
            };
        };
        fills.expect(fillBy(Fill(AttributeLink(int16_t(40), AttrFill))),
                     {{0, {"fill"}}, {1, {}}, {2, {}}, {3, {"fill"}}, {4, {}}}, 2, 40, name + " fill");
        for (int16_t index : {int16_t(0), int16_t(-9)})
            fills.expect(fillBy(Fill(AttributeLink(index, AttrFill))), {{0, {}}, {3, {}}}, 2, 2,
                         name + " fill " + std::to_string(index));
        fills.expect(fillBy(tarnwick::Composite(AttributeLink(int16_t(40), AttrComposite))),
                     {{0, {}}, {3, {}}}, 2, 2, name + " composite");

        // An opening's place follows its owner.
        const API_Element before = *opening->buildRecord();
        opening->setReferencePoint(CadPoint(4.0, 5.0, 6.0));
        opening->setElevation(3.0, true);
        EXPECT_EQ(std::memcmp(opening->buildRecord()->raw, before.raw, sizeof before.raw), 0) << name;

        opening->setOpeningFlag1(true);
        opening->setOpeningFlag2(true);
        opening->setOpeningFlag4(true);
        opening->setFlagB(true);
        EXPECT_EQ(part.flag1, 1) << name;
        EXPECT_EQ(part.flag2, 1) << name;
        EXPECT_EQ(part.flag4, 1) << name;
        EXPECT_EQ(part.switchFlag, 1) << name;
        opening->setOpeningFlag2(false);
        EXPECT_TRUE(opening->getOpeningFlag1()) << name;
        EXPECT_FALSE(opening->getOpeningFlag2()) << name;
        EXPECT_TRUE(opening->getOpeningFlag4()) << name;
        EXPECT_TRUE(opening->isFlagB()) << name;
        opening->setOpeningWidth(1.25);
        opening->setOpeningSize2(2.5);
        EXPECT_DOUBLE_EQ(part.width, 1.25) << name;
        EXPECT_DOUBLE_EQ(part.size2, 2.5) << name;
        EXPECT_DOUBLE_EQ(opening->getOpeningWidth(), 1.25) << name;
        EXPECT_DOUBLE_EQ(opening->getOpeningSize2(), 2.5) << name;
        opening->setOpeningLink(ElementLink(Guid(zavhost::newGuid()), nullptr));
        EXPECT_FALSE(opening->getOpeningLink().hasGuid()) << name;
    }
}

TEST_F(PlacedPartTables, OpeningMeasuresAreOneFieldEachTheWindowsInItsRecordsOrder) {
    constexpr double f = sizeof(double);
    const auto opening = [](double (Opening::*get)() const) {
        return [get](Element& e) { return (dynamic_cast<Opening&>(e).*get)(); };
    };
    const MeasureRow base1{"base 1", opening(&Opening::getBaseMeasure1), MeasureRow::Same, 1};
    Window window{API_Element(), ElementLink()};
    expectMeasures(window,
                   {{"opening 1", opening(&Opening::getOpeningMeasure1), MeasureRow::Field, 0 * f},
                    {"opening 2", opening(&Opening::getOpeningMeasure2), MeasureRow::Field, 1 * f},
                    byNumber(1, MeasureRow::Field, 2 * f),
                    byNumber(2, MeasureRow::Field, 3 * f),
                    byNumber(5, MeasureRow::Field, 4 * f),
                    byNumber(6, MeasureRow::Field, 5 * f),
                    byNumber(4, MeasureRow::Field, 6 * f),
                    base1},
                   "window");
    Door door{API_Element(), ElementLink()};
    expectMeasures(door,
                   {{"opening 1", opening(&Opening::getOpeningMeasure1), MeasureRow::OwnField, 0},
                    {"opening 2", opening(&Opening::getOpeningMeasure2), MeasureRow::OwnField, 0},
                    byNumber(1, MeasureRow::OwnField),
                    byNumber(2, MeasureRow::OwnField),
                    byNumber(4, MeasureRow::OwnField),
                    byNumber(5, MeasureRow::OwnField),
                    byNumber(6, MeasureRow::OwnField),
                    base1},
                   "door");
    Skylight skylight{API_Element(), ElementLink()};
    expectMeasures(skylight,
                   {{"opening 1", opening(&Opening::getOpeningMeasure1), MeasureRow::OwnField, 0},
                    {"opening 2", opening(&Opening::getOpeningMeasure2), MeasureRow::OwnField, 0},
                    byNumber(1, MeasureRow::OwnField),
                    byNumber(2, MeasureRow::Same, 1),
                    byNumber(5, MeasureRow::OwnField),
                    base1},
                   "skylight");
}

TEST_F(PlacedPartTables, AJoinerysOwnValuesAndItsSkylightsTwin) {
    Window window(API_Element(), onFirstFloor(Window::TypeCode));
    const HostJoineryElement& part = window.getJoineryRecord();
    const API_Guid owner = zavhost::newGuid();
    window.setOwner(Guid(owner));
    EXPECT_EQ(part.ownerGuid, owner);
    EXPECT_EQ(window.getOwnerLink().getGuid().toAPI(), owner);
    EXPECT_EQ(window.getOwnerLink().getDrawing(), Host::getPlan());
    window.setWallPosition(2.5);
    window.setRelativeElevation(0.9);
    EXPECT_DOUBLE_EQ(part.wallPosition, 2.5);
    EXPECT_DOUBLE_EQ(part.relativeElevation, 0.9);
    EXPECT_DOUBLE_EQ(window.getWallPosition(), 2.5);
    EXPECT_DOUBLE_EQ(window.getRelativeElevation(), 0.9);
    // No owner wall: the elevation above the home storey.
    EXPECT_DOUBLE_EQ(window.getElevation(false), 0.9);
    EXPECT_DOUBLE_EQ(window.getElevation(true), 3.9);

    const std::pair<void (Joinery::*)(double), double (Joinery::*)() const> values[] = {
        {&Joinery::setJoineryValue1, &Joinery::getJoineryValue1},
        {&Joinery::setJoineryValue2, &Joinery::getJoineryValue2},
        {&Joinery::setJoineryValue3, &Joinery::getJoineryValue3},
        {&Joinery::setJoineryValue4, &Joinery::getJoineryValue4},
        {&Joinery::setJoineryValue5, &Joinery::getJoineryValue5}};
    for (size_t i = 0; i < std::size(values); ++i)
        (window.*values[i].first)(0.1 * double(i + 1));
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_DOUBLE_EQ(part.joineryValues[i], 0.1 * double(i + 1)) << i;
        EXPECT_DOUBLE_EQ((window.*values[i].second)(), 0.1 * double(i + 1)) << i;
    }
    for (size_t flag = 0; flag < 3; ++flag) {
        window.setJoineryFlag(flag, true);
        EXPECT_EQ(part.joineryFlags[flag], 1) << flag;
        EXPECT_TRUE(window.getJoineryFlag(flag)) << flag;
        window.setJoineryFlag(flag, false);
        EXPECT_FALSE(window.getJoineryFlag(flag)) << flag;
    }
    window.setJoineryFlag(0, true);
    EXPECT_TRUE(window.isFlagA()); // the second switch is the first joinery flag
    EXPECT_THROW(window.setJoineryFlag(3, true), std::out_of_range);

    Skylight skylight(API_Element(), onFirstFloor(Skylight::TypeCode));
    const HostSkylightElement& sky = skylight.getSkylightRecord();
    skylight.setOwner(ElementLink(Guid(owner), Host::getPlan()));
    EXPECT_EQ(sky.ownerGuid, owner);
    EXPECT_EQ(skylight.getOwnerLink().getGuid().toAPI(), owner);
    const std::pair<void (Skylight::*)(uint32_t), uint32_t (Skylight::*)() const> settings[] = {
        {&Skylight::setSkylightSetting1, &Skylight::getSkylightSetting1},
        {&Skylight::setSkylightSetting2, &Skylight::getSkylightSetting2},
        {&Skylight::setSkylightSetting3, &Skylight::getSkylightSetting3}};
    for (size_t i = 0; i < std::size(settings); ++i)
        (skylight.*settings[i].first)(uint32_t(10 + i));
    for (size_t i = 0; i < std::size(settings); ++i) {
        EXPECT_EQ(sky.settings[i], 10 + i) << i;
        EXPECT_EQ((skylight.*settings[i].second)(), 10 + i) << i;
    }
    skylight.setAnchorPoint(CadPoint(1.0, 2.0, 3.0));
    EXPECT_EQ(skylight.getAnchorPoint(), CadPoint(1.0, 2.0, 3.0));
    EXPECT_DOUBLE_EQ(sky.anchor.z, 3.0);
    skylight.setSkylightValue1(0.5);
    skylight.setSkylightValue2(0.75);
    EXPECT_DOUBLE_EQ(sky.values[0], 0.5);
    EXPECT_DOUBLE_EQ(sky.values[1], 0.75);
    EXPECT_DOUBLE_EQ(skylight.getSkylightValue1(), 0.5);
    EXPECT_DOUBLE_EQ(skylight.getSkylightValue2(), 0.75);
}

TEST_F(PlacedPartTables, ALampAnswersItsObjectRecordByRole) {
    HostObjectElement named;
    named.pen = ContourPen;
    named.secondPen = CutFillPen;
    named.thirdPen = CutFillBackgroundPen;
    named.fourthPen = Kind10Pen;
    named.lineType = FirstLineType;
    named.material = FirstFinish;
    named.fill = OwnFill;
    API_Element record;
    zavhost::setPart(record, named);
    Lamp lamp{record, ElementLink()};
    const HostObjectElement& part = lamp.getObjectRecord();
    expectPens(lamp,
               {{0, ContourPen},
                {1, ContourPen},
                {2, 0},
                {6, 0},
                {8, 0},
                {10, Kind10Pen},
                {11, CutFillPen},
                {12, CutFillBackgroundPen},
                {13, 0}},
               "lamp");
    expectLineStyles(lamp, {{0, FirstLineType}, {1, FirstLineType}, {2, 0}}, "lamp");
    expectFinishes(lamp, {{0, FirstFinish}, {1, FirstFinish}, {2, 0}}, "lamp");
    expectPatterns(lamp, {{0, AttrFill, OwnFill}, {1, AttrFill, OwnFill}, {2, 0, 0}, {3, AttrFill, OwnFill}},
                   "lamp");

    // The record is the lamp's to change: its fields are read back through it.
    auto field = [&](const uint16_t& f) -> uint16_t& { return const_cast<uint16_t&>(f); };
    Writes<uint16_t> pens{{recordField("main", field(part.pen)), recordField("second", field(part.secondPen)),
                           recordField("third", field(part.thirdPen)),
                           recordField("fourth", field(part.fourthPen))}};
    expectPenWrites(lamp, pens,
                    {{0, {"main", "second", "third", "fourth"}},
                     {1, {"main"}},
                     {2, {}},
                     {6, {"second"}},
                     {8, {"third"}},
                     {10, {"fourth"}},
                     {11, {"second"}},
                     {12, {"third"}},
                     {13, {}}},
                    "lamp pen");
    Writes<uint16_t> others{
        {recordField("line type", field(part.lineType)), recordField("material", field(part.material))}};
    others.expect(
        [&](uint32_t role) {
            lamp.setLineStyle(LineStyle(AttributeLink(int16_t(40), AttrLineType)), role);
            lamp.setFinish(Finish(AttributeLink(int16_t(40), AttrSurface)), role);
        },
        {{0, {"line type", "material"}}, {1, {"line type", "material"}}, {2, {}}}, 2, 40,
        "lamp line type and finish");
}
