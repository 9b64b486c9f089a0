// View databases: collecting links through filters, proxies in sections, reading elements with a
// filter's tests, the kept selection, the record's texts, and saving elements.
#include <gtest/gtest.h>

#include <algorithm>

#include "Environment/HostFailures.h"
#include "Environment/HostTable.h"
#include "ProjectTestSupport.h"
#include "elements/ElementTestSupport.h"
#include "project/ElementLinkList.h"
#include "project/Plan.h"
#include "project/ViewKinds.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

zavhost::ViewDatabase& hostPlan(zavhost::StandInHost& host) {
    return host.project()->model.views.plan();
}

void select(zavhost::StandInHost& host, const zavhost::ViewDatabase& database, std::vector<API_Guid> guids) {
    zavhost::Project& project = *host.project();
    auto& selected = project.session.selectionOf(project.model.views.keyOf(database));
    selected.clear();
    for (const API_Guid& guid : guids) {
        HostSelectionRecord record;
        record.guid = guid;
        record.selectionKind = 1;
        selected.push_back(record);
    }
}

std::vector<Guid> guidsOf(const ElementLinkList& links) {
    std::vector<Guid> guids;
    for (const ElementLink* link : links)
        guids.push_back(link->getGuid());
    return guids;
}

TestElement& asTest(Element& element) {
    return dynamic_cast<TestElement&>(element);
}

class Refusing : public Drawing::Filter {
public:
    using Filter::Filter;
    std::unique_ptr<Filter> clone() const override { return std::make_unique<Refusing>(*this); }
    bool accepts(const Element&) const override { return false; }
};

// A selection of the type the test sets, without elements.
uint32_t selectionTypeReported = 0;
GSErrCode typedSelection(HostSelectionInfo* info, GSHandle* references) {
    *info = HostSelectionInfo();
    info->selectionType = selectionTypeReported;
    *references = nullptr;
    return hosterr::Ok;
}

using Drawings = HostTest;

} // namespace

TEST_F(Drawings, CollectTypeFlagsAndSelectedOnlyFiltersAndTheEnvironmentsGuid) {
    API_Guid text1 = addHostElement(host, 15);
    API_Guid wall = addHostElement(host, 1);
    API_Guid text2 = addHostElement(host, 15);
    API_Guid hidden =
        addHostElement(host, 15, nullptr, [](zavhost::StoredElement& e) { e.record.head.layer = 2; });
    host.project()->model.attributes.edit(AttrLayer, 2)->record.header.flags = LayerHidden;
    Plan* plan = Host::getPlan();

    EXPECT_EQ(plan->countElements(Drawing::Filter()), 4);
    ElementLinkList texts;
    EXPECT_EQ(
        plan->collectElements(Drawing::Filter(ElementLink::makeTypeId(15), false, false, false), &texts), 3);
    EXPECT_EQ(guidsOf(texts), (std::vector<Guid>{Guid(text1), Guid(text2), Guid(hidden)}));
    EXPECT_EQ(texts[0]->getDrawing(), plan);
    ElementLinkList visible;
    EXPECT_EQ(plan->collectElements(Drawing::Filter(0x4u, 15, false, false, false), &visible), 2);
    // A sub-kind in the filter still lists the type's elements (their links carry none).
    EXPECT_EQ(plan->countElements(Drawing::Filter(ElementLink::makeTypeId(15, 3), false, false, false)), 3);

    size_t before = mark();
    EXPECT_EQ(plan->countElements(Drawing::Filter(0x400u, 1, false, false, false)), 1);
    EXPECT_EQ(host.calls().count("GARF", before), 1u);
    Drawing::Filter named(0x400u, 1, false, false, false);
    named.setGuid(Guid(1, 2)); // a database the host does not know
    before = mark();
    EXPECT_EQ(plan->countElements(named), 0);
    EXPECT_EQ(host.calls().count("GARF", before), 0u);

    // Selected only: the kept selection, tested by type and host flags.
    EXPECT_EQ(plan->countElements(Drawing::Filter(true, false)), 0);
    select(host, hostPlan(host), {wall, text2, hidden});
    plan->reset();
    ElementLinkList selected;
    EXPECT_EQ(plan->collectElements(Drawing::Filter(0x4u, 15, true, false, false), &selected), 1);
    EXPECT_EQ(guidsOf(selected), (std::vector<Guid>{Guid(text2)}));
    EXPECT_EQ(plan->countElements(Drawing::Filter(true, false)), 3);
}

TEST_F(Drawings, CollectInASectionAProxyPassesAsItsModelElementAndStaysTheProxysLink) {
    Creators creators{1, 15};
    zavhost::ViewDatabase* section = host.project()->model.views.add(DatabaseSection, u"S-1");
    const API_Guid sectionGuid = section->guid;
    API_Guid wall = addHostElement(host, 1);
    auto findSection = [&] { return host.project()->model.views.findByGuid(sectionGuid); };
    API_Guid proxy = addHostProxy(host, findSection(), wall);
    API_Guid note = addHostElement(host, 15, findSection());
    projecttest::forget();
    Section* drawing = Host::getProject()->getSection(0);
    ASSERT_NE(drawing, nullptr);

    Drawing::Filter walls(ElementLink::makeTypeId(1), false, false, false);
    ElementLinkList found;
    EXPECT_EQ(drawing->collectElements(walls, &found), 1);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->getGuid(), Guid(proxy));
    EXPECT_EQ(found[0]->getTypeCode(), ProxyTypeCode);
    // The count agrees with the collection and respects the type.
    EXPECT_EQ(drawing->countElements(walls), 1);
    EXPECT_EQ(drawing->countElements(Drawing::Filter(ElementLink::makeTypeId(15), false, false, false)), 1);
    EXPECT_EQ(drawing->countElements(Drawing::Filter()), 2);

    select(host, *findSection(), {proxy, note});
    drawing->reset();
    Drawing::Filter selectedWalls(ElementLink::makeTypeId(1), true, false, false);
    ElementLinkList chosen;
    EXPECT_EQ(drawing->collectElements(selectedWalls, &chosen), 1);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0]->getGuid(), Guid(proxy));

    std::unique_ptr<Element> read = drawing->getElement(*chosen[0], &selectedWalls);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getGuid(), Guid(wall));
    EXPECT_EQ(read->getLink().getProxyGuid(), Guid(proxy));
    EXPECT_EQ(read->getLink().getProxyTypeId(), ElementLink::makeTypeId(ProxyTypeCode));
    EXPECT_EQ(read->getDrawing(), Host::getPlan());

    // Without resolving, a proxy is only a proxy.
    Drawing::Filter plain = walls;
    plain.setResolvingProxies(false);
    EXPECT_EQ(drawing->countElements(plain), 0);
    ElementLink proxyLink(Guid(proxy), drawing);
    EXPECT_TRUE(drawing->resolveProxy(proxyLink, false));
    EXPECT_EQ(proxyLink.getGuid(), Guid(proxy));
    EXPECT_EQ(proxyLink.getProxyGuid(), Guid(wall));
    EXPECT_EQ(proxyLink.getProxyTypeId(), ElementLink::makeTypeId(1));
}

TEST_F(Drawings, CollectInASectionKeepsWhatPassesInTheHostsOrderAfterTheCallersEntries) {
    Creators creators{1, 15};
    const API_Guid sectionGuid = host.project()->model.views.add(DatabaseSection, u"S-1")->guid;
    auto section = [&] { return host.project()->model.views.findByGuid(sectionGuid); };
    std::vector<Guid> proxies, notes;
    for (int i = 0; i < 3; ++i) {
        notes.emplace_back(addHostElement(host, 15, section()));
        proxies.emplace_back(addHostProxy(host, section(), addHostElement(host, 1)));
        if (i == 1) notes.emplace_back(addHostElement(host, 15, section()));
    }
    projecttest::forget();
    Section* drawing = Host::getProject()->getSection(0);
    ASSERT_NE(drawing, nullptr);

    const Guid own(7, 7);
    ElementLinkList found;
    found.push_back(std::make_unique<ElementLink>(own, nullptr));
    EXPECT_EQ(
        drawing->collectElements(Drawing::Filter(ElementLink::makeTypeId(1), false, false, false), &found),
        3);
    std::vector<Guid> expected{own};
    expected.insert(expected.end(), proxies.begin(), proxies.end());
    EXPECT_EQ(guidsOf(found), expected);
    ElementLinkList texts;
    EXPECT_EQ(
        drawing->collectElements(Drawing::Filter(ElementLink::makeTypeId(15), false, false, false), &texts),
        4);
    EXPECT_EQ(guidsOf(texts), notes);
}

// The host lists an element as selected and its filter then calls it not selected: a refused
// read, which a tool must not take for an empty selection.
TEST_F(Drawings, ASelectedElementTheHostsFilterCallsUnselectedIsNotedAsARefusal) {
    Creators creators{1, 15};
    API_Guid wall = addHostElement(host, 1);
    API_Guid text = addHostElement(host, 15);
    Plan* plan = Host::getPlan();
    select(host, hostPlan(host), {wall, text});
    plan->reset();
    const Drawing::Filter selected(Drawing::FilterSelected, 0, true, false, false);
    {
        const HostFailureWatch watch;
        EXPECT_EQ(plan->countElements(selected), 2);
        EXPECT_FALSE(watch.any());
    }
    {
        host.faults().set("FilterElement", 2, 2, hosterr::Failed);
        const HostFailureWatch watch;
        EXPECT_EQ(plan->countElements(selected), 1);
        ASSERT_TRUE(watch.any());
        EXPECT_EQ(watch.last().call, String("FilterElement"));
        EXPECT_TRUE(watch.last().denied);
    }
    {
        // The same when the element is read.
        host.faults().set("FilterElement", 1, 1, hosterr::Failed);
        const HostFailureWatch watch;
        EXPECT_EQ(plan->getElement(ElementLink(Guid(wall), plan), &selected), nullptr);
        EXPECT_TRUE(watch.last().denied);
    }
    {
        // Asked more than whether it is selected, the host may rightly say no.
        const Drawing::Filter selectedVisible(Drawing::FilterSelected | 0x4u, 0, true, false, false);
        host.faults().set("FilterElement", 1, 2, hosterr::Failed);
        const HostFailureWatch watch;
        EXPECT_EQ(plan->countElements(selectedVisible), 0);
        EXPECT_FALSE(watch.any());
    }
    {
        // An element not in the selection, read with the flag but not as a selection entry.
        select(host, hostPlan(host), {text});
        plan->reset();
        const Drawing::Filter flagOnly(Drawing::FilterSelected, 0, false, false, false);
        const HostFailureWatch watch;
        EXPECT_EQ(plan->getElement(ElementLink(Guid(wall), plan), &flagOnly), nullptr);
        EXPECT_FALSE(watch.any());
    }
}

TEST_F(Drawings, InASectionAProxysModelElementTheFilterCallsUnselectedIsNoRefusal) {
    Creators creators{1, 15};
    zavhost::ViewDatabase* view = host.project()->model.views.add(DatabaseSection, u"S-1");
    const API_Guid sectionGuid = view->guid;
    API_Guid wall = addHostElement(host, 1);
    auto findSection = [&] { return host.project()->model.views.findByGuid(sectionGuid); };
    API_Guid proxy = addHostProxy(host, findSection(), wall);
    projecttest::forget();
    Section* section = Host::getProject()->getSection(0);
    ASSERT_NE(section, nullptr);
    select(host, *findSection(), {proxy});
    section->reset();
    // The model element the proxy shows is not in the section's selection.
    const Drawing::Filter selected(Drawing::FilterSelected, 0, true, false, false);
    const HostFailureWatch watch;
    EXPECT_EQ(section->countElements(selected), 0);
    EXPECT_EQ(section->getElement(ElementLink(Guid(proxy), section), &selected), nullptr);
    EXPECT_FALSE(watch.any());
}

TEST_F(Drawings, ReadTheFiltersUserDataAndAcceptTestsAndASelectedOnlyReadWithoutASelection) {
    Creators creators{15};
    API_Guid bare = addHostElement(host, 15);
    API_Guid annotated = addHostElement(host, 15);
    setHostUserData(host, annotated, "<annotation/>");
    Plan* plan = Host::getPlan();
    const Drawing::Filter withData(ElementLink::makeTypeId(15), false, false, true);
    EXPECT_EQ(plan->getElement(ElementLink(Guid(bare), plan), &withData), nullptr);
    std::unique_ptr<Element> read = plan->getElement(ElementLink(Guid(annotated), plan), &withData);
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->isUserDataLoaded()); // the test read it, the element did not
    EXPECT_EQ(plan->getElement(
                  ElementLink(Guid(annotated), plan),
                  std::make_unique<Drawing::Filter>(ElementLink::makeTypeId(16), false, false, false).get()),
              nullptr);

    const int live = TestElement::live;
    EXPECT_EQ(plan->getElement(ElementLink(Guid(annotated), plan), std::make_unique<Refusing>().get()),
              nullptr);
    EXPECT_EQ(TestElement::live, live); // the refused element was deleted

    // Nothing selected: a selected-only read reads nothing.
    size_t before = mark();
    EXPECT_EQ(plan->getElement(ElementLink(Guid(annotated), plan),
                               std::make_unique<Drawing::Filter>(true, false).get()),
              nullptr);
    EXPECT_EQ(host.calls().count("GetElement (", before), 0u);

    EXPECT_EQ(plan->getElement(ElementLink(Guid(1, 1), plan), nullptr), nullptr); // no such element
    EXPECT_EQ(plan->get(ElementLink(Guid(1, 1), plan)), nullptr);
}

TEST_F(Drawings, SelectionIsKeptUntilResetAndReportsRegionsAndTheLastSelected) {
    Creators creators{15, 16};
    API_Guid label = addHostElement(host, 16);
    API_Guid text = addHostElement(host, 15);
    API_Guid other = addHostElement(host, 16);
    select(host, hostPlan(host), {label, text, other});
    Plan* plan = Host::getPlan();
    ASSERT_TRUE(plan->loadSelection());
    EXPECT_EQ(plan->getLastSelected().getGuid(), Guid(other));
    EXPECT_FALSE(plan->isSelectionRegion());
    select(host, hostPlan(host), {text});
    size_t before = mark();
    ASSERT_TRUE(plan->loadSelection());
    EXPECT_EQ(mark(), before);
    EXPECT_EQ(plan->getLastSelected().getGuid(), Guid(other));
    EXPECT_EQ(plan->getSelection()->size(), 3u);

    std::unique_ptr<Element> last = plan->getSelectedElement(0);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->getGuid(), Guid(other));
    std::unique_ptr<Element> lastText = plan->getSelectedElement(15);
    ASSERT_NE(lastText, nullptr);
    EXPECT_EQ(lastText->getGuid(), Guid(text));
    EXPECT_EQ(plan->getSelectedElement(ElementLink::makeTypeId(1)), nullptr);

    plan->reset();
    ASSERT_TRUE(plan->loadSelection());
    EXPECT_EQ(plan->getSelection()->size(), 1u);

    // Selection types two to four are regions, which select no elements.
    HostFunctionTable table = host.functionTable();
    table.GetSelection = &typedSelection;
    installHostTable(&table);
    const std::pair<uint32_t, bool> cases[] = {{0, false}, {1, false}, {2, true},           {3, true},
                                               {4, true},  {5, false}, {0xFFFFFFFFu, false}};
    for (const auto& [type, region] : cases) {
        selectionTypeReported = type;
        plan->reset();
        EXPECT_FALSE(plan->loadSelection()) << type; // no elements either way
        EXPECT_EQ(plan->isSelectionRegion(), region) << type;
    }
    installHostTable(&host.functionTable());
}

TEST_F(Drawings, SaveCreatesAForeignElementHereWithItsUserDataAndTheTextsAreWrittenBack) {
    Creators creators{15};
    API_Guid text = addHostElement(host, 15, nullptr, [](zavhost::StoredElement& e) { e.infoText = "T-7"; });
    setHostUserData(host, text, "<annotation clause=\"A\"/>");
    host.project()->model.views.add(DatabaseWorksheet, u"Sheet");
    projecttest::forget();
    Worksheet* sheet = Host::getProject()->getWorksheet(0);
    ASSERT_NE(sheet, nullptr);
    Plan* plan = Host::getPlan();
    std::unique_ptr<Element> element = plan->get(ElementLink(Guid(text), plan));
    ASSERT_NE(element, nullptr);
    asTest(*element).raw().setBytes("a memo part"); // the ID text travels in the memo

    size_t before = mark();
    ASSERT_TRUE(change([&] { return sheet->saveElement(*element, false, false); }));
    EXPECT_EQ(host.calls().count("CreateElement", before), 1u);
    EXPECT_NE(element->getGuid(), Guid(text));
    EXPECT_EQ(element->getDrawing(), sheet);
    EXPECT_EQ(Guid(element->getRecord().guid), element->getGuid());
    const zavhost::ViewDatabase* where = nullptr;
    const zavhost::StoredElement* made =
        host.project()->model.views.findElement(element->getGuid().toAPI(), &where);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(where->kind, uint32_t(DatabaseWorksheet)); // although reading it made the plan current
    ASSERT_TRUE(made->userData.has_value());
    EXPECT_EQ(made->userData->bytes, "<annotation clause=\"A\"/>");
    EXPECT_EQ(made->infoText, "T-7");
    EXPECT_FALSE(element->isUserDataChanged());

    // Changed in place: a full change with the user data left alone when unchanged.
    before = mark();
    ASSERT_TRUE(change([&] { return sheet->saveElement(*element, false, true); }));
    EXPECT_EQ(host.calls().count("ChangeElement (", before), 1u);
    EXPECT_EQ(host.calls().count("SetElementUserData", before), 0u);
    EXPECT_FALSE(sheet->saveElement(*element, false, true)); // outside a step the host refuses

    // A record that says it has a memo is not written without one.
    TestElement memoLess(ElementLink(ElementLink::makeTypeId(15), plan));
    memoLess.getRecord().byte76 = 1;
    before = mark();
    EXPECT_FALSE(change([&] { return plan->saveElement(memoLess, true, true); }));
    EXPECT_EQ(host.calls().count("CreateElement", before), 0u);
    EXPECT_EQ(host.calls().count("ChangeElement", before), 0u);
    EXPECT_FALSE(memoLess.isValid());

    // The sheet's name and reference are written back and read again.
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->getName(), "Sheet");
    EXPECT_TRUE(sheet->setReference(String("W-12")));
    EXPECT_TRUE(sheet->setName(String("Details of the eaves")));
    EXPECT_EQ(sheet->getReference(), "W-12");
    EXPECT_EQ(sheet->getName(), "Details of the eaves");
    EXPECT_EQ(sheet->getTypeName(), "Worksheet");
    EXPECT_EQ(sheet->getLibrary(), Host::getProject()->getLibrary());

    const std::u16string& stored =
        host.project()->model.views.findByGuid(sheet->getDatabaseGuid().toAPI())->name;
    EXPECT_EQ(stored, u"Details of the eaves");
    host.project()->model.views.remove(sheet->getDatabaseGuid().toAPI());
    EXPECT_EQ(sheet->getName(), "");
    EXPECT_FALSE(sheet->setReference(String("gone")));
}

TEST_F(Drawings, SelectionAWalkAsksTheHostOnceAndFindsEachSelectedElementsEntry) {
    Creators creators{15};
    std::vector<API_Guid> all;
    for (int i = 0; i < 40; ++i)
        all.push_back(addHostElement(host, 15));
    Plan* plan = Host::getPlan();
    const Drawing::Filter filter(uint16_t(15), false, false, false);
    struct Case {
        const char* name;
        size_t selectedEvery; // 0: nothing selected
    };
    for (const Case& c : {Case{"nothing selected", 0}, Case{"every third", 3}, Case{"all", 1}}) {
        SCOPED_TRACE(c.name);
        std::vector<API_Guid> chosen;
        for (size_t i = 0; c.selectedEvery != 0 && i < all.size(); i += c.selectedEvery)
            chosen.push_back(all[i]);
        select(host, hostPlan(host), chosen);
        plan->reset();
        size_t before = mark();
        size_t read = 0, fromSelection = 0;
        for (auto it = plan->cbegin(filter); it != Drawing::cend(); ++it) {
            ++read;
            bool chosenOne = std::any_of(chosen.begin(), chosen.end(),
                                         [&](const API_Guid& g) { return Guid(g) == it->getGuid(); });
            EXPECT_EQ(it->getLink().isFromSelection(), chosenOne);
            fromSelection += it->getLink().isFromSelection() ? 1 : 0;
        }
        EXPECT_EQ(read, all.size());
        EXPECT_EQ(fromSelection, chosen.size());
        EXPECT_EQ(host.calls().count("GetSelection", before), 1u);
    }
}
