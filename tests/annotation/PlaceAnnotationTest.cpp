// Place Annotation and the specification's menu items against the stand-in host: the text block's
// corner for each anchor, the box whatever the order of the clicks, the paper size at the view's
// scale (1:100 when the view gives none), the user data, the placement record, the display items'
// rule, and the clicks of the transaction.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "annotation/Annotation.h"
#include "annotation/AnnotationPlacement.h"
#include "annotation/AnnotationTestSupport.h"
#include "annotation/CommandList.h"
#include "annotation/ExchangeTestSupport.h"
#include "annotation/PlaceAnnotation.h"
#include "annotation/ResultList.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ZAVLinkPrefs.h"
#include "elements/text/Text.h"
#include "platform/host/TextBlocks.h"
#include "project/Layout.h"
#include "project/Plan.h"

using namespace tarnwick;
using namespace zavlink;

namespace {

class Placing : public annotationtest::HostAnnotations {
protected:
    Placing() {
        clause.number = String("12");
        clause.originalDisplayTitle = String("F10/110 Brick walling");
        clause.isAccepted = true;
    }
    zavhost::ElementStore& planElements() { return host.project()->model.views.plan().elements; }
    void setDefaultAnchor(uint32_t anchor) {
        zavhost::DefaultElement& text = host.project()->model.defaults.edit(Text::TypeCode, 0);
        HostTextElement part = zavhost::textPartOf(text.record);
        part.anchor = anchor;
        zavhost::setTextPart(text.record, part);
    }
    // Places the clause in the floor plan; the text block made, or null.
    const zavhost::StoredElement* place(const CadPoint& first, const CadPoint& second,
                                        AnnotationPlacement* given = nullptr) {
        std::unique_ptr<AnnotationPlacement> made = buildAnnotationMemo(clause, *Host::getPlan());
        AnnotationPlacement& placement = given != nullptr ? *given : *made;
        const size_t before = planElements().size();
        if (!testsupport::runAsStep([&] { return createAnnotationText(placement, first, second); }))
            return nullptr;
        if (planElements().size() != before + 1) return nullptr;
        return planElements().inOrder().back();
    }

    Annotation clause;
};

TEST_F(Placing, TheTextStandsAtTheBoxPointItsAnchorNames) {
    // The box of (1, 2) and (4.5, 1.2): x 1 / 2.75 / 4.5 left to right, y 2 / 1.6 / 1.2 top down.
    const struct {
        uint32_t anchor;
        double x, y;
    } cases[] = {{0, 1.0, 2.0},  {1, 2.75, 2.0}, {2, 4.5, 2.0},  {3, 1.0, 1.6},
                 {4, 2.75, 1.6}, {5, 4.5, 1.6},  {6, 1.0, 1.2},  {7, 2.75, 1.2},
                 {8, 4.5, 1.2},  {9, 1.0, 2.0},  {42, 1.0, 2.0}, {0xFFFFFFFF, 1.0, 2.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.anchor);
        setDefaultAnchor(c.anchor);
        const zavhost::StoredElement* text = place(CadPoint(1.0, 2.0), CadPoint(4.5, 1.2));
        ASSERT_NE(text, nullptr);
        const HostTextElement record = zavhost::textPartOf(text->record);
        EXPECT_NEAR(record.location.x, c.x, 1e-9);
        EXPECT_NEAR(record.location.y, c.y, 1e-9);
    }
}

TEST_F(Placing, ClicksInAnyOrderGiveTheSameBoxSizedOnPaperAtTheViewsScale) {
    const CadPoint corners[][2] = {{{1.0, 2.0}, {4.5, 1.2}},
                                   {{4.5, 1.2}, {1.0, 2.0}},
                                   {{1.0, 1.2}, {4.5, 2.0}},
                                   {{4.5, 2.0}, {1.0, 1.2}}};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Scale, then the block on paper: 3.5 m by 0.8 m; any scale the view cannot give counts as 1:100.
    const double scales[][3] = {{100, 35, 8}, {50, 70, 16}, {0, 35, 8},
                                {-20, 35, 8}, {nan, 35, 8}, {inf, 35, 8}};
    setDefaultAnchor(4);
    for (const auto& s : scales) {
        host.project()->model.views.plan().scale = s[0];
        for (const auto& c : corners) {
            SCOPED_TRACE(testing::Message()
                         << "scale " << s[0] << " from " << c[0].getX() << " " << c[0].getY());
            const zavhost::StoredElement* text = place(c[0], c[1]);
            ASSERT_NE(text, nullptr);
            const HostTextElement record = zavhost::textPartOf(text->record);
            EXPECT_NEAR(record.location.x, 2.75, 1e-9);
            EXPECT_NEAR(record.location.y, 1.6, 1e-9);
            EXPECT_NEAR(record.width, s[1], 1e-9);
            EXPECT_NEAR(record.height, s[2], 1e-9);
        }
    }
}

TEST_F(Placing, TheBlockShowsTheTitleAndKeepsTheClauseWithoutTheAcceptedMark) {
    ShipIsAccepted shipped(true); // whatever a caller left on
    const zavhost::StoredElement* text = place(CadPoint(0, 0), CadPoint(2, 1));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(zavhost::textOf(text->memo), "F10/110 Brick walling");
    ASSERT_TRUE(text->userData.has_value());
    EXPECT_EQ(text->userData->flags, AnnotationUserDataFlags);
    const std::string& xml = text->userData->bytes;
    EXPECT_EQ(xml.rfind("<annotation>", 0), 0u) << xml; // no declaration
    EXPECT_NE(xml.find("<number>12</number>"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("isAccepted"), std::string::npos) << xml;

    // A clause whose XML could not be written leaves the block without user data.
    std::unique_ptr<AnnotationPlacement> empty = buildAnnotationMemo(clause, *Host::getPlan());
    empty->xml = MemoryBlock();
    empty->xmlSize = 0;
    text = place(CadPoint(0, 0), CadPoint(2, 1), empty.get());
    ASSERT_NE(text, nullptr);
    EXPECT_FALSE(text->userData.has_value());
}

TEST_F(Placing, ThePlacementRecordRunsLabelsShorterOnALayout) {
    ASSERT_TRUE(play("view add layout \"Sheet 1\"\n"));
    Drawing* layout = Host::getProject()->getLayout(0);
    ASSERT_NE(layout, nullptr);
    const struct {
        Drawing* drawing;
        double run;
    } cases[] = {{Host::getPlan(), 1.2}, {layout, 0.024}};
    for (const auto& c : cases) {
        std::unique_ptr<AnnotationPlacement> placement = buildAnnotationMemo(clause, *c.drawing);
        EXPECT_EQ(placement->text, clause.originalDisplayTitle);
        EXPECT_NEAR(placement->labelRun, c.run, 1e-12);
        EXPECT_EQ(placement->labelWidth, 0.0);
        EXPECT_EQ(placement->drawing, c.drawing);
        EXPECT_EQ(placement->xmlSize, static_cast<uint32_t>(placement->xml.getSize()));
        EXPECT_GT(placement->xmlSize, 0u);
        EXPECT_FALSE(placement->labelLayerChecked || placement->textLayerChecked);
    }
}

TEST_F(Placing, AHiddenTextLayerTheUserKeepsHiddenMakesNothing) {
    ASSERT_TRUE(play("layer add \"Notes\" hidden\n"));
    zavhost::DefaultElement& defaults = host.project()->model.defaults.edit(Text::TypeCode, 0);
    defaults.record.head.layer = 6;
    host.alerts().queue({2, "", 0}); // the layer alert's Cancel
    std::unique_ptr<AnnotationPlacement> placement = buildAnnotationMemo(clause, *Host::getPlan());
    const size_t before = mark();
    EXPECT_FALSE(createAnnotationText(*placement, CadPoint(0, 0), CadPoint(1, 1)));
    EXPECT_EQ(writesSince(before), 0u);
    EXPECT_FALSE(placement->textLayerChecked);
    ASSERT_FALSE(host.alerts().shown().empty());
    EXPECT_NE(host.alerts().shown().back().message.find("Notes"), std::string::npos);
}

TEST(SpecificationRule, OnlyAChosenSpecFileEnablesTheDisplayItems) {
    const struct {
        bool chosen;
        const char* path;
        bool enabled;
    } cases[] = {
        {true, "C:\\Specs\\Office.spec", true},
        {true, "/specs/house.SPEC", true},
        {true, "a.b.spec", true},
        {true, "Office.doc", false},
        {true, "Office", false},
        {true, "specs.spec/Office", false},
        {true, "Office.spec.bak", false},
        {true, "Office.", false},
        {true, "", false},
        {false, "Office.spec", false},
    };
    for (const auto& c : cases) {
        ZAVLinkPrefs prefs;
        prefs.isSpecification = c.chosen;
        prefs.specificationPath = String(c.path);
        EXPECT_EQ(isSpecificationChosen(&prefs), c.enabled) << c.path << " chosen " << c.chosen;
    }
    EXPECT_FALSE(isSpecificationChosen(nullptr));
}

// Answers every command list with the one result given, as the Annotator would. Subscribed while
// it lives.
class StandInAnnotator : public Subscriber {
public:
    explicit StandInAnnotator(std::string result) : m_result(std::move(result)) { getAddon()->add(this); }
    ~StandInAnnotator() override { getAddon()->remove(this); }
    void getEventTypes(std::vector<EventType>& types) const override { types.push_back(CommandList::Type); }
    bool receive(Event& event) override {
        ++asked;
        auto results = std::make_shared<ResultList>();
        const std::string file = exchangetest::Declaration + "<zavResult>" + m_result + "</zavResult>";
        if (exchangetest::readDocument(file, *results)) event.reply(results);
        return true;
    }
    int asked = 0;

private:
    std::string m_result;
};

// A project whose Annotator and specification files exist, so that only the clicks decide.
class Clicking : public Placing {
protected:
    Clicking() {
        ResultList::buildIndex();
        const std::string folder = ::testing::TempDir() + "place-annotation";
        std::filesystem::create_directories(folder);
        ZAVLinkPrefs prefs;
        prefs.annotatorPath = String(folder + "/zavannotator");
        prefs.specificationPath = String(folder + "/house.spec");
        prefs.annotatorFound = prefs.isSpecification = true;
        for (const String* path : {&prefs.annotatorPath, &prefs.specificationPath})
            std::ofstream(path->bytes()) << "x";
        Host::getProject()->setPackage(prefs, false);
    }
    ~Clicking() override { ResultList::releaseIndex(); }
    void click(double x, double y) {
        zavhost::InputAction action;
        action.point = {x, y, 0.0};
        host.input().queue(action);
    }
    StandInAnnotator annotator{"<selectAnnotation commandID=\"1\">" + annotationtest::xmlOf({}) +
                               "</selectAnnotation>"};
};

TEST_F(Clicking, ACancelledClickEndsTheCommandAndOnlyTheSecondShowsTheRubberBand) {
    const struct {
        int clicks;
        bool started;
        size_t inputs;
    } cases[] = {{0, false, 1}, {1, false, 2}, {2, true, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks);
        if (c.clicks > 0) click(1.0, 2.0);
        if (c.clicks > 1) click(4.5, 1.2);
        const size_t before = mark();
        const size_t lines = host.input().rubberLines();
        AnnotationTransaction transaction;
        EXPECT_EQ(transaction.mayStart(), c.started);
        EXPECT_EQ(host.calls().count("IPOI", before), c.inputs);
        EXPECT_EQ(host.input().rubberLines() > lines, c.started);
        EXPECT_EQ(transaction.getClicks().getVertexCount(), static_cast<size_t>(c.clicks));
        EXPECT_EQ(writesSince(before), 0u);
        EXPECT_TRUE(host.input().queued().empty());
    }
}

TEST_F(Clicking, TheCommandIsOneUndoStepThatMakesTheTextInTheViewItStartedIn) {
    click(1.0, 2.0);
    click(4.5, 1.2);
    const size_t steps = host.project()->undoSteps.size();
    PlaceAnnotation tool;
    Event command(PlaceAnnotation::Type);
    EXPECT_TRUE(tool.receive(command));
    ASSERT_EQ(host.project()->undoSteps.size(), steps + 1);
    EXPECT_EQ(host.project()->undoSteps.back().name, "Place Annotation");
    const zavhost::StoredElement* text = planElements().inOrder().back();
    EXPECT_EQ(zavhost::textOf(text->memo), "F10/110 Brick walling");
    ASSERT_TRUE(text->userData.has_value());
    EXPECT_NE(text->userData->bytes.find("<number>12</number>"), std::string::npos);
}

// The module with the product's preferences registered, so that they travel as module data.
class Selecting : public ::testing::Test {
protected:
    Selecting() { ResultList::buildIndex(); }
    ~Selecting() override { ResultList::releaseIndex(); }
    testsupport::ModuleUnderTest module{[] {
        auto* addon = new Addon();
        ZAVLinkPrefs defaults;
        addon->registerPackage(defaults, 0);
        return addon;
    }};
    zavhost::StandInHost& host = module.host();
};

TEST_F(Selecting, AChosenSpecificationIsStoredAndWrittenIntoTheProjectAtOnce) {
    const std::string chosen = "<selectSpecification commandID=\"1\"><zavPath>/specs/house.spec</zavPath>"
                               "</selectSpecification>";
    const struct {
        const char* name;
        std::string result;
        bool stored;
    } cases[] = {
        {"cancelled", "<selectSpecification commandID=\"1\" error=\"userCancelled\"/>", false},
        {"commandID 2",
         "<selectSpecification commandID=\"2\"><zavPath>/b.spec</zavPath></selectSpecification>", false},
        {"chosen", chosen, true},
    };
    Host::getProject()->setPackage(ZAVLinkPrefs(), false);
    SelectSpecification tool;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StandInAnnotator annotator(c.result);
        Event choose(SelectSpecificationEvent);
        const size_t before = host.calls().size();
        EXPECT_FALSE(tool.receive(choose)); // the change handler hears it too
        EXPECT_EQ(annotator.asked, 1);
        const ZAVLinkPrefs* prefs = projectPrefs();
        ASSERT_NE(prefs, nullptr);
        EXPECT_EQ(prefs->isSpecification, c.stored);
        EXPECT_EQ(prefs->specificationPath, String(c.stored ? "/specs/house.spec" : ""));
        EXPECT_EQ(host.calls().count("SetModuleData", before), c.stored ? 1u : 0u);
    }
    ASSERT_TRUE(host.project()->model.moduleData.has_value());
    EXPECT_NE(host.project()->model.moduleData->find("/specs/house.spec"), std::string::npos);
}

} // namespace
