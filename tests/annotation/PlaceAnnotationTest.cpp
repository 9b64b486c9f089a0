// Place Annotation and the specification's menu items against the stand-in host: the text block's
// corner for each anchor, the box whatever the order of the clicks, the paper size at the view's
// scale (1:100 when the view gives none), the user data, the display items' rule, and the clicks.
// The scenarios play the whole command and the stored choice.
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
#include "platform/api/HostErrors.h"
#include "platform/host/TextBlocks.h"
#include "project/Plan.h"
#include "project/Storey.h"

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

// A text the host does not take whole marks the placement failed, so that the step is undone; a
// layer the user keeps unusable makes nothing and marks nothing.
TEST_F(Placing, AHostFailureMarksThePlacementFailedAndARefusedLayerDoesNot) {
    const char* const faults[] = {"GetDefaultElement", "CreateElement", "ClearElementUserData",
                                  "SetElementUserData"};
    for (const char* fault : faults) {
        for (uint32_t call : {1u, 2u}) {
            SCOPED_TRACE(testing::Message() << fault << " call " << call);
            std::unique_ptr<AnnotationPlacement> placement = buildAnnotationMemo(clause, *Host::getPlan());
            host.faults().set(fault, call, call, hosterr::Failed);
            const size_t before = planElements().size();
            bool made = true;
            testsupport::runAsStep(
                [&] { return made = createAnnotationText(*placement, CadPoint(0, 0), CadPoint(2, 1)); });
            host.faults().clear();
            EXPECT_EQ(placement->failed, !made);
            EXPECT_EQ(planElements().size(), before + (made ? 1 : 0)); // the host undid a failed one
            if (made) {
                EXPECT_TRUE(planElements().inOrder().back()->userData.has_value());
            }
        }
    }
    host.project()->model.defaults.edit(Text::TypeCode, 0).record.head.layer = 5; // "Hidden Things"
    host.alerts().queue({0, "Cancel", 0});
    std::unique_ptr<AnnotationPlacement> refused = buildAnnotationMemo(clause, *Host::getPlan());
    EXPECT_FALSE(createAnnotationText(*refused, CadPoint(0, 0), CadPoint(2, 1)));
    EXPECT_FALSE(refused->failed);
    EXPECT_FALSE(refused->textLayerChecked);
}

// The host is handed the plan's current storey for a text in every view, not the view's own.
TEST_F(Placing, TheTextStandsOnThePlansCurrentStoreyInEveryView) {
    ASSERT_TRUE(play("view add section \"S\"\nview add elevation \"E\"\nview add layout \"L\"\n"
                     "view add detail \"D\"\nstorey current \"First Floor\"\n"));
    for (const char* view : {"S", "E", "L", "D", "plan"}) {
        SCOPED_TRACE(view);
        const bool plan = std::string(view) == "plan";
        ASSERT_TRUE(play(plan ? "view current plan\n" : std::string("view current \"") + view + "\"\n"));
        Drawing* drawing = Host::getCurrentDatabase();
        ASSERT_NE(drawing, nullptr);
        Storey* storey = currentPlanStorey(*drawing);
        ASSERT_NE(storey, nullptr);
        EXPECT_EQ(storey->getIndex(), 1u);
        zavhost::ViewDatabase* database =
            plan ? &host.project()->model.views.plan() : host.project()->model.views.findNamed(view);
        ASSERT_NE(database, nullptr);
        std::unique_ptr<AnnotationPlacement> placement = buildAnnotationMemo(clause, *drawing);
        const size_t before = database->elements.size();
        ASSERT_TRUE(testsupport::runAsStep(
            [&] { return createAnnotationText(*placement, CadPoint(0.0, 0.0), CadPoint(2.0, 1.0)); }));
        ASSERT_EQ(database->elements.size(), before + 1);
        EXPECT_EQ(database->elements.inOrder().back()->record.head.storey, 1) << "First Floor";
    }
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
        auto results = std::make_shared<ResultList>();
        const std::string file = exchangetest::Declaration + "<zavResult>" + m_result + "</zavResult>";
        if (exchangetest::readDocument(file, *results)) event.reply(results);
        return true;
    }

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
        EXPECT_EQ(host.input().rubberLines() - lines, c.started ? 4u : 0u); // the rectangle's sides
        EXPECT_EQ(transaction.getClicks().getVertexCount(), static_cast<size_t>(c.clicks));
        EXPECT_EQ(writesSince(before), 0u);
        EXPECT_TRUE(host.input().queued().empty());
    }
}

} // namespace
