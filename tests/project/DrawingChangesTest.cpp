// A drawing's writing operations against the stand-in host: saving (create or change), changed
// fields and placement, edits, deletion and locks through a list source, switching, the selection
// with its kept copy, the highlight, and the view's window.
#include <gtest/gtest.h>

#include <cmath>

#include "Environment/HostTable.h"
#include "ProjectTestSupport.h"
#include "elements/ElementTestSupport.h"
#include "geometry/Cube.h"
#include "platform/host/ElementGeometry.h"
#include "platform/host/ScenarioRunner.h"
#include "project/Colour.h"
#include "project/CutPlane.h"
#include "project/ElementListSource.h"
#include "project/Model.h"
#include "project/Plan.h"
#include "project/ViewKinds.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

using DrawingChanges = elementtest::HostTest;

// A line (type 19) from one plan point to another, as the host keeps its two points.
API_Guid addLine(zavhost::StandInHost& host, HostCoord2D from, HostCoord2D to) {
    return addHostElement(host, 19, nullptr, [&](zavhost::StoredElement& e) {
        std::memcpy(e.record.raw + zavhost::LineBeginOffset, &from, sizeof from);
        std::memcpy(e.record.raw + zavhost::LineEndOffset, &to, sizeof to);
    });
}

HostCoord2D pointOf(zavhost::StandInHost& host, const API_Guid& guid, size_t offset) {
    HostCoord2D point;
    std::memcpy(&point, host.project()->model.views.findElement(guid)->record.raw + offset, sizeof point);
    return point;
}

const zavhost::StoredElement& stored(zavhost::StandInHost& host, const Guid& guid) {
    return *host.project()->model.views.findElement(guid.toAPI());
}

std::unique_ptr<ElementLinkList> listOf(std::initializer_list<Guid> guids, Drawing* drawing) {
    auto links = std::make_unique<ElementLinkList>();
    for (const Guid& guid : guids)
        links->push_back(std::make_unique<ElementLink>(guid, drawing));
    return links;
}

std::vector<API_Guid> hostSelection(zavhost::StandInHost& host, const zavhost::DatabaseKey& key) {
    std::vector<API_Guid> guids;
    for (const HostSelectionRecord& record : host.project()->session.selectionOf(key))
        guids.push_back(record.guid);
    return guids;
}

HostEditTransformation moveBy(double dx, double dy) {
    HostEditTransformation t = zavhost::StandInHost::identityTransformation();
    t.kind = fourCC("MOVE");
    t.target = {dx, dy, 0.0};
    return t;
}

// A list source that remembers the headers it was handed.
class Source : public ElementListSource {
public:
    explicit Source(std::unique_ptr<ElementLinkList> links) : m_links(std::move(links)) {}
    ~Source() override { BMKillHandle(&headers); }
    std::unique_ptr<ElementLinkList> makeLinkList() override { return m_links ? m_links->clone() : nullptr; }
    void takeHeaders(GSHandle given) override {
        BMKillHandle(&headers);
        headers = given;
    }
    GSHandle headers = nullptr;

private:
    std::unique_ptr<ElementLinkList> m_links;
};

} // namespace

TEST_F(DrawingChanges, SaveChangesAnElementOfTheSameDatabaseAndCreatesOneReadElsewhere) {
    Creators creators{15};
    host.project()->model.views.add(DatabaseWorksheet, u"Sheet");
    projecttest::forget();
    Project& project = *Host::getProject();
    struct Case {
        const char* readThrough;
        Drawing* reader;
        bool creates;
    } cases[] = {{"the plan", project.getPlan(), false},
                 {"the 3D model", project.getModel(), false},
                 {"a worksheet", project.getWorksheet(0), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.readThrough);
        const API_Guid text =
            addHostElement(host, 15, c.creates ? host.project()->model.views.findNamed("Sheet") : nullptr);
        setHostUserData(host, text, "<annotation/>");
        std::unique_ptr<Element> element = c.reader->get(ElementLink(Guid(text), c.reader));
        ASSERT_NE(element, nullptr);
        const size_t plan = host.project()->model.views.plan().elements.size();
        ASSERT_TRUE(change([&] { return project.getPlan()->saveElement(*element, false, true); }));
        EXPECT_EQ(host.project()->model.views.plan().elements.size(), plan + (c.creates ? 1 : 0));
        EXPECT_EQ(element->getGuid() != Guid(text), c.creates);
        ASSERT_TRUE(stored(host, element->getGuid()).userData.has_value());
        EXPECT_EQ(stored(host, element->getGuid()).userData->bytes, "<annotation/>");
    }
}

TEST_F(DrawingChanges, UpdateAndPlacementChangeOnlyTheirFieldsAndAMemoLessRecordIsRefused) {
    Creators creators{15};
    Plan* plan = Host::getPlan();
    const API_Guid text = addHostElement(host, 15);
    std::unique_ptr<Element> element = plan->get(ElementLink(Guid(text), plan));
    ASSERT_NE(element, nullptr);
    TestElement& test = dynamic_cast<TestElement&>(*element);

    // Refused before any host call: the record says it has a memo, none is built.
    test.getRecord().byte76 = 1;
    size_t before = mark();
    EXPECT_FALSE(change([&] { return plan->updateElement(*element, nullptr, nullptr); }));
    EXPECT_EQ(host.calls().count("ChangeElementParameters", before), 0u);
    test.getRecord().byte76 = 0;

    // The placement takes every byte of the head Guid and of the layer, and nothing else.
    for (int i = 2; i <= 300; ++i)
        projecttest::addAttribute(host, AttrLayer, "L" + std::to_string(i));
    test.getRecord().headShort = 77; // not asked for: stays the host's
    const Guid head(0x0102030405060708ull, 0x1112131415161718ull);
    const Layer layer(AttributeLink(300u, AttrLayer));
    ASSERT_TRUE(change([&] { return plan->changeElementPlacement(*element, &layer, nullptr, &head); }));
    EXPECT_EQ(stored(host, Guid(text)).head().groupGuid, head.toAPI());
    EXPECT_EQ(stored(host, Guid(text)).head().layer, 300u);
    EXPECT_EQ(stored(host, Guid(text)).head().headShort, 0);
    EXPECT_EQ(element->getRecord().headShort, 0); // the host's head came back
    EXPECT_TRUE(plan->changeElementPlacement(*element, nullptr, nullptr, nullptr));
    EXPECT_FALSE(Host::getProject()->getModel()->changeElementPlacement(*element, &layer, nullptr, nullptr));

    // A full update with a pending move: the fields, then the edit.
    test.getRecord().headShort = 5;
    element->addTransformation(std::make_unique<Transformation>(moveBy(1.0, 2.0)));
    ASSERT_TRUE(change([&] { return plan->updateElement(*element, nullptr, nullptr); }));
    EXPECT_EQ(stored(host, Guid(text)).head().headShort, 5);
    EXPECT_EQ(element->getTransformCount(), 0u);
    const HostCoord2D at = pointOf(host, text, zavhost::TextLocationOffset);
    EXPECT_EQ(at.x, 1.0);
    EXPECT_EQ(at.y, 2.0);
    EXPECT_FALSE(plan->updateElement(*element, nullptr, nullptr)); // outside a step
    EXPECT_EQ(plan->getLastError(), hosterr::Refused);
}

TEST_F(DrawingChanges, APlacementOnAnotherStoreyTakesTheWholeStoreyIndexAndNothingElse) {
    Creators creators{15};
    std::string why;
    // Below the ground floor: index -1, every byte of the field set.
    ASSERT_TRUE(host.project()->model.storeys.add("Basement", -3.0, &why)) << why;
    projecttest::forget();
    Plan* plan = Host::getPlan();
    const API_Guid text = addHostElement(host, 15);
    ASSERT_EQ(stored(host, Guid(text)).head().storey, 0);
    const uint32_t layer = stored(host, Guid(text)).head().layer;
    std::unique_ptr<Element> element = plan->get(ElementLink(Guid(text), plan));
    ASSERT_NE(element, nullptr);
    const Storey* basement = plan->getStoreyByName(String("Basement"));
    ASSERT_NE(basement, nullptr);

    ASSERT_TRUE(change([&] { return plan->changeElementPlacement(*element, nullptr, basement, nullptr); }));
    EXPECT_EQ(stored(host, Guid(text)).head().storey, -1);
    EXPECT_EQ(stored(host, Guid(text)).head().layer, layer);
    EXPECT_EQ(element->getRecord().storey, -1); // the host's head came back
}

TEST_F(DrawingChanges, EditsMoveTheHostsPointsAndAFailedEditKeepsTheLink) {
    Creators creators{19};
    Plan* plan = Host::getPlan();
    Model* model = Host::getProject()->getModel();
    const API_Guid line = addLine(host, {0, 0}, {2, 0});
    std::unique_ptr<Element> element = model->get(ElementLink(Guid(line), model));
    ASSERT_NE(element, nullptr);
    HostEditTransformation quarter = zavhost::StandInHost::identityTransformation();
    quarter.matrix[0] = quarter.matrix[4] = 0.0;
    quarter.matrix[1] = -1.0;
    quarter.matrix[3] = 1.0;
    // Through the 3D model the edit is made in the floor plan; pending edits go in order.
    element->addTransformation(std::make_unique<Transformation>(moveBy(1.0, 0.0)));
    element->addTransformation(std::make_unique<Transformation>(quarter));
    ASSERT_TRUE(change([&] { return model->applyTransformations(*element); }));
    const HostCoord2D end = pointOf(host, line, zavhost::LineEndOffset);
    EXPECT_NEAR(end.x, 0.0, 1e-12);
    EXPECT_NEAR(end.y, 3.0, 1e-12);
    EXPECT_TRUE(element->getLink().isFromSelection()); // rebuilt from the host's answer

    host.project()->model.views.editElement(line)->record.head.lockWord = 1;
    const ElementLink kept = element->getLink();
    EXPECT_FALSE(change([&] { return plan->transformElement(*element, Transformation(moveBy(1, 1))); }));
    EXPECT_EQ(plan->getLastError(), hosterr::Refused);
    EXPECT_EQ(element->getLink().isFromSelection(), kept.isFromSelection());
    EXPECT_EQ(pointOf(host, line, zavhost::LineEndOffset).y, 3.0);
    EXPECT_TRUE(plan->editElements(ElementLinkList(), Transformation(moveBy(1, 1)))); // nothing to edit
}

TEST_F(DrawingChanges, DeleteAndLockThroughAListSourceHandTheHeadersBack) {
    Plan* plan = Host::getPlan();
    const API_Guid a = addHostElement(host, 15), b = addHostElement(host, 15);
    Source empty(nullptr);
    size_t before = mark();
    EXPECT_TRUE(plan->deleteElements(empty));
    EXPECT_TRUE(plan->lockElements(empty));
    EXPECT_EQ(mark(), before);

    Source both(listOf({Guid(a), Guid(b)}, plan));
    EXPECT_FALSE(plan->lockElements(both)); // outside a step
    EXPECT_EQ(plan->getLastError(), hosterr::Refused);
    EXPECT_EQ(both.headers, nullptr);
    ASSERT_TRUE(change([&] { return plan->lockElements(both); }));
    ASSERT_NE(both.headers, nullptr);
    EXPECT_EQ(BMHandleSize(both.headers), GSSize(2 * sizeof(HostElementHead)));
    EXPECT_EQ(stored(host, Guid(b)).head().lockWord, 1u);
    ASSERT_TRUE(change([&] { return plan->unlockElements(both); }));
    ASSERT_TRUE(change([&] { return plan->deleteElements(both); }));
    EXPECT_EQ(host.project()->model.views.plan().elements.size(), 0u);

    // Switching to the state the element has is no failure; the query asks the host.
    const API_Guid c = addHostElement(host, 15);
    const ElementLink link(Guid(c), plan);
    for (bool on : {false, false, true, true}) {
        EXPECT_TRUE(plan->setElementSwitched(link, on)) << on;
        EXPECT_EQ(plan->getLastError(), hosterr::Ok);
    }
    EXPECT_TRUE(plan->queryElement(link));
    EXPECT_FALSE(plan->queryElement(ElementLink(Guid(5, 5), plan)));
    EXPECT_EQ(plan->getLastError(), hosterr::BadGuid);
}

TEST_F(DrawingChanges, EverySelectionChangeDropsTheKeptSelectionButSetSelectionKeepsACopy) {
    Plan* plan = Host::getPlan();
    const API_Guid a = addHostElement(host, 15), b = addHostElement(host, 15);
    const zavhost::DatabaseKey key = host.project()->model.views.keyOf(host.project()->model.views.plan());
    const std::unique_ptr<ElementLinkList> bothList = listOf({Guid(a), Guid(b)}, plan);
    const ElementLinkList& both = *bothList;
    const ElementLink first(Guid(a), plan);
    struct Case {
        const char* what;
        std::function<bool()> act;
        std::vector<API_Guid> selected; // after selecting both first
        bool drops;                     // the kept selection
    } cases[] = {
        {"clear", [&] { return plan->clearSelection(); }, {}, true},
        {"select one", [&] { return plan->selectElement(first); }, {b, a}, true},
        {"add", [&] { return plan->addToSelection(both); }, {a, b}, true},
        {"deselect one", [&] { return plan->deselectElement(first); }, {b}, true},
        {"deselect all", [&] { return plan->deselectElements(both); }, {}, true},
        // The host clears everything when given nothing: nothing may reach it.
        {"add nothing", [&] { return plan->addToSelection(ElementLinkList()); }, {a, b}, false},
        {"deselect nothing", [&] { return plan->deselectElements(ElementLinkList()); }, {a, b}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(plan->setSelection(both));
        size_t before = mark();
        ASSERT_NE(plan->getSelection(), nullptr); // kept: no host call
        EXPECT_EQ(host.calls().count("GetSelection", before), 0u);
        EXPECT_TRUE(c.act());
        EXPECT_EQ(hostSelection(host, key), c.selected);
        before = mark();
        plan->getSelection();
        EXPECT_EQ(host.calls().count("GetSelection", before), c.drops ? 1u : 0u);
    }
    Source none(std::make_unique<ElementLinkList>());
    ASSERT_TRUE(plan->setSelection(both));
    size_t before = mark();
    EXPECT_TRUE(plan->setSelection(none));
    EXPECT_EQ(host.calls().count("SelectElements", before), 1u); // only the clear
    EXPECT_TRUE(hostSelection(host, key).empty());
}

TEST_F(DrawingChanges, InASectionModelElementsAreSelectedThroughTheirProxies) {
    Creators creators{1, 29};
    zavhost::ViewDatabase* view = host.project()->model.views.add(DatabaseSection, u"S-1");
    const API_Guid viewGuid = view->guid;
    const API_Guid wall = addHostElement(host, 1);
    const API_Guid proxy = addHostProxy(host, host.project()->model.views.findByGuid(viewGuid), wall);
    projecttest::forget();
    Section* section = Host::getProject()->getSection(0);
    ASSERT_NE(section, nullptr);
    const std::unique_ptr<ElementLinkList> wallList = listOf({Guid(wall)}, Host::getPlan());
    const ElementLinkList& walls = *wallList;
    ASSERT_TRUE(section->setSelection(walls));
    const zavhost::DatabaseKey key{DatabaseSection, viewGuid};
    EXPECT_EQ(hostSelection(host, key), std::vector<API_Guid>{proxy});
    EXPECT_EQ(walls[0]->getProxyGuid(), Guid()); // the caller's list is left alone
    ASSERT_TRUE(section->deselectElement(*walls[0]));
    EXPECT_TRUE(hostSelection(host, key).empty());
}

TEST_F(DrawingChanges, HighlightListsEachElementOnceAndAnEmptyListOnlyClears) {
    Plan* plan = Host::getPlan();
    const API_Guid a = addHostElement(host, 15), b = addHostElement(host, 15);
    size_t before = mark();
    EXPECT_TRUE(plan->highlightElements(ElementLinkList(), Colour(1.0, 0.0, 0.0), false));
    EXPECT_EQ(host.calls().count("HGEL", before), 0u); // nothing was on
    ASSERT_TRUE(plan->highlightElements(*listOf({Guid(a), Guid(b), Guid(a)}, plan),
                                        Colour(0.0, 0.5, 1.0, 0.25), true));
    const zavhost::Highlight& shown = host.project()->session.highlight;
    ASSERT_EQ(shown.colours.size(), 2u);
    EXPECT_EQ(shown.colours.at(a).blue, 1.0);
    EXPECT_EQ(shown.colours.at(b).alpha, 0.25);
    EXPECT_TRUE(shown.flag);
    EXPECT_TRUE(plan->isHighlightOn());
    EXPECT_FALSE(plan->highlightElements(*listOf({Guid(a)}, plan), Colour(2.0, 0.0, 0.0), false));
    EXPECT_EQ(shown.colours.size(), 2u); // a refused highlight leaves the old one
    before = mark();
    EXPECT_TRUE(plan->highlightElements(ElementLinkList(), Colour(), false));
    EXPECT_EQ(host.calls().count("HGEL", before), 1u);
    EXPECT_TRUE(shown.colours.empty());
    EXPECT_FALSE(plan->isHighlightOn());

    // An empty list answers what the clearing call answered.
    ASSERT_TRUE(plan->highlightElements(*listOf({Guid(b)}, plan), Colour(0.0, 0.0, 1.0), false));
    host.faults().set("HGEL", 1, 1, hosterr::Failed);
    EXPECT_FALSE(plan->highlightElements(ElementLinkList(), Colour(), false));
    EXPECT_EQ(plan->getLastError(), hosterr::Failed);
    EXPECT_TRUE(plan->isHighlightOn());
    EXPECT_EQ(shown.colours.size(), 1u);
    EXPECT_TRUE(plan->highlightElements(ElementLinkList(), Colour(), false));
    EXPECT_FALSE(plan->isHighlightOn());
}

// Nothing to do is done without asking the host, even outside an undoable step, where the host
// refuses every change.
TEST_F(DrawingChanges, AnEmptyListMakesNoHostCallAndAnswersTrue) {
    Plan* plan = Host::getPlan();
    const ElementLink owner(Guid(addHostElement(host, 15)), plan);
    const ElementLinkList none;
    const size_t before = mark();
    EXPECT_TRUE(plan->deleteElements(none));
    EXPECT_TRUE(plan->lockElements(none));
    EXPECT_TRUE(plan->unlockElements(none));
    EXPECT_TRUE(plan->editElements(none, Transformation(moveBy(1, 1))));
    EXPECT_TRUE(plan->linkElements(owner, none));
    EXPECT_TRUE(plan->unlinkElements(owner, none));
    EXPECT_TRUE(plan->addToSelection(none));
    EXPECT_TRUE(plan->deselectElements(none));
    EXPECT_EQ(mark(), before);
}

TEST_F(DrawingChanges, TheViewsWindowZoomsConvertsAndCountsRedraws) {
    Plan* plan = Host::getPlan();
    addLine(host, {1, 2}, {5, -1});
    EXPECT_DOUBLE_EQ(plan->getPixelLength(), 0.05);    // 40 m over 800 pixels
    ASSERT_TRUE(plan->zoom(Cube(10, 0, 0, 0, 10, 0))); // corners in any order; widened to 4:3
    std::unique_ptr<Cube> zoomed = plan->getExtent(false);
    ASSERT_NE(zoomed, nullptr);
    EXPECT_EQ(*zoomed, Cube(-5.0 / 3.0, 0, 0, 35.0 / 3.0, 10, 0));
    std::unique_ptr<Cube> all = plan->getExtent(true);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(*all, Cube(1, -1, 0, 5, 2, 0));
    ASSERT_TRUE(plan->restoreZoom());
    EXPECT_EQ(*plan->getExtent(false), Cube(0, 0, 0, 40, 30, 0));

    ASSERT_TRUE(plan->redraw());
    ASSERT_TRUE(plan->rebuildView(true));
    ASSERT_TRUE(plan->rebuild());
    EXPECT_FALSE(plan->redrawElements(*listOf({Guid(9, 9)}, plan)));
    const zavhost::ViewActivity& activity = host.project()->session.activityOf({DatabasePlan, {}});
    EXPECT_EQ(activity.redraws, 1u);
    EXPECT_EQ(activity.rebuilds, 2u);

    host.project()->model.views.plan().window.resize(0, 0); // the window is closed
    EXPECT_EQ(plan->getPixelLength(), 0.0);
    EXPECT_EQ(plan->getLastError(), hosterr::Refused);
    host.project()->model.views.plan().elements = zavhost::ElementStore();
    EXPECT_EQ(plan->getExtent(true), nullptr);
}

// The product's road: a text block with its annotation saved, changed, selected, highlighted and
// zoomed to, as the host then holds it.
TEST_F(DrawingChanges, ATextBlockIsSavedChangedSelectedHighlightedAndZoomedTo) {
    Creators creators{15};
    Plan* plan = Host::getPlan();
    TestElement text(ElementLink(ElementLink::makeTypeId(15), plan));
    const HostCoord2D at{12.0, 8.0};
    std::memcpy(text.record().raw + zavhost::TextLocationOffset, &at, sizeof at);
    text.setUserData(std::make_unique<MemoryBlock>(blockOf("<annotation clause=\"F10\"/>")));
    ASSERT_TRUE(change([&] { return plan->saveElement(text, false, true); }));
    text.getRecord().headShort = 3;
    ASSERT_TRUE(change([&] { return plan->updateElement(text, nullptr, nullptr); }));
    const std::unique_ptr<ElementLinkList> oneList = listOf({text.getGuid()}, plan);
    const ElementLinkList& one = *oneList;
    ASSERT_TRUE(plan->setSelection(one));
    ASSERT_TRUE(plan->highlightElements(one, Colour(1.0, 1.0, 0.0, 0.5), false));
    ASSERT_TRUE(plan->zoom(Cube(at.x - 2, at.y - 1.5, 0, at.x + 2, at.y + 1.5, 0)));

    zavhost::ScenarioRunner runner(host, zavhost::RunOptions{});
    zavhost::ParsedScenario checks = zavhost::parseScenario(R"(element find text as "T"
expect element "T" user-data containing "clause=\"F10\""
expect selection "T"
expect highlight "T" colour 1 1 0 0.5
expect view-window plan zoom 10 6.5 14 9.5 pixels 800 600
)");
    ASSERT_TRUE(checks.errors.empty()) << checks.errors[0].message;
    EXPECT_TRUE(runner.run(checks.steps)) << runner.failure();
    EXPECT_EQ(stored(host, text.getGuid()).head().headShort, 3);
}
