// The view kinds: the floor plan's storeys and name, sections' proxies and markers, layouts' sheets
// and masters, worksheets' names.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "Environment/HostTable.h"
#include "ProjectTestSupport.h"
#include "elements/CutPlaneReference.h"
#include "elements/ElementFactory.h"
#include "elements/ElementTestSupport.h"
#include "library/LibraryModel.h"
#include "platform/gsroot/UniString.h"
#include "project/Plan.h"
#include "project/ViewKinds.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

// Selectors the host is made to refuse; the others reach it. The last "CSTO" record is kept.
std::set<uint32_t> refused;
HostStoreyCommand lastStoreyCommand;
GSErrCode (*hostDatabaseCall)(uint32_t, void*, void*, void*) = nullptr;
GSErrCode (*hostEnvironmentCall)(uint32_t, void*, void*, void*) = nullptr;
GSErrCode databaseCall(uint32_t selector, void* a, void* b, void* c) {
    return refused.count(selector) ? hosterr::Failed : hostDatabaseCall(selector, a, b, c);
}
GSErrCode environmentCall(uint32_t selector, void* a, void* b, void* c) {
    if (selector == fourCC("CSTO")) std::memcpy(&lastStoreyCommand, a, sizeof lastStoreyCommand);
    return refused.count(selector) ? hosterr::Failed : hostEnvironmentCall(selector, a, b, c);
}

class ViewKinds : public projecttest::HostTest {
protected:
    ViewKinds() {
        table = host.functionTable();
        hostDatabaseCall = table.DatabaseCall;
        hostEnvironmentCall = table.EnvironmentCall;
        table.DatabaseCall = &databaseCall;
        table.EnvironmentCall = &environmentCall;
        installHostTable(&table);
        refused.clear();
    }
    ~ViewKinds() override { installHostTable(&host.functionTable()); }

    zavhost::ViewDatabase& addView(uint32_t kind, const std::u16string& name) {
        return *host.project()->model.views.add(kind, name);
    }
    zavhost::LayoutSheet& sheetOf(const Layout& layout) {
        return host.project()->model.views.findByGuid(layout.getDatabaseGuid().toAPI())->sheet;
    }

    HostFunctionTable table;
};

// A marker on the floor plan showing the view.
API_Guid addMarker(zavhost::StandInHost& host, uint32_t type, const API_Guid& view) {
    return addHostElement(host, type, nullptr, [view](zavhost::StoredElement& element) {
        HostCutPlaneMarker marker;
        std::memcpy(static_cast<void*>(&marker), element.record.raw, sizeof marker);
        marker.viewGuid = view;
        std::memcpy(element.record.raw, &marker, sizeof marker);
    });
}

} // namespace

TEST_F(ViewKinds, ThePlanKnowsItsStoreysAndNamesItselfAfterTheFileAndTheCurrentOne) {
    std::string why;
    ASSERT_TRUE(host.project()->model.storeys.add("Roof", 7.0, &why)) << why; // index 2, floor 2
    Plan* plan = Host::getPlan();
    ASSERT_EQ(plan->getStoreyCount(), 3u);
    const double heights[] = {3.0, 4.0, 3.0}; // to the next level; the top one to the closing entry
    for (uint16_t i = 0; i < 3; ++i) {
        ASSERT_NE(plan->getStorey(i), nullptr);
        EXPECT_DOUBLE_EQ(plan->getStorey(i)->getHeight(), heights[i]) << i;
        EXPECT_EQ(plan->getStoreyByFloor(static_cast<uint16_t>(plan->getStorey(i)->getFloorNumber())),
                  plan->getStorey(i));
    }
    EXPECT_EQ(plan->getStoreyByName(String("Roof")), plan->getStorey(2));
    EXPECT_EQ(plan->getStoreyByFloor(9), nullptr);
    EXPECT_EQ(plan->getLastStoreyIndex(), 2);

    // The host's answer and the flag's inverse at byte 7.
    for (bool flag : {false, true}) {
        ASSERT_TRUE(plan->setCurrentStorey(*plan->getStorey(2), flag));
        EXPECT_EQ(lastStoreyCommand.index, 2u);
        EXPECT_EQ(lastStoreyCommand.keepView, flag ? 0u : 1u);
    }
    EXPECT_EQ(host.project()->model.storeys.current(), 2);
    EXPECT_EQ(plan->getName(), " / 2. Roof"); // no file yet
    EXPECT_EQ(plan->getDatabaseRef().getStoreyIndex(), 2u);
    ASSERT_EQ(host.saveProject(::testing::TempDir() + "Terrace House.zavproj"), hosterr::Ok);
    EXPECT_EQ(plan->getName(), "Terrace House / 2. Roof");
}

TEST_F(ViewKinds, ProxyLinksNameTheProxyOfTheViewAndMarkersAreFoundOnThePlan) {
    Creators creators{1, 15};
    registerObjectElementCreators();
    const API_Guid sectionGuid = addView(DatabaseSection, u"S-1").guid;
    const API_Guid elevationGuid = addView(DatabaseElevation, u"E-1").guid;
    addView(DatabaseSection, u"Unmarked");
    const API_Guid wall = addHostElement(host, 1), note = addHostElement(host, 15);
    const API_Guid proxy = addHostProxy(host, host.project()->model.views.findByGuid(sectionGuid), wall);
    const API_Guid sectionMarker = addMarker(host, 25, sectionGuid);
    addMarker(host, 25, elevationGuid); // a section marker cannot show an elevation
    const API_Guid elevationMarker = addMarker(host, 33, elevationGuid);
    Project& project = *Host::getProject();
    Section* section = project.findSection(Guid(sectionGuid));
    ASSERT_NE(section, nullptr);

    const struct {
        CutPlane* view;
        API_Guid marker;
    } markers[] = {{section, sectionMarker},
                   {project.findElevation(Guid(elevationGuid)), elevationMarker},
                   {project.getSection(project.getSection(0) == section ? 1 : 0), API_Guid()}};
    for (const auto& m : markers) {
        std::unique_ptr<Element> found = m.view->findMarker();
        EXPECT_EQ(found ? found->getGuid() : Guid(), Guid(m.marker)) << m.view->getName().c_str();
        if (found) {
            EXPECT_NE(dynamic_cast<CutPlaneReference*>(found.get()), nullptr);
            EXPECT_EQ(dynamic_cast<CutPlaneReference&>(*found).getSecondTargetGuid(),
                      m.view->getDatabaseGuid());
        }
    }

    ElementLinkList links;
    links.push_back(std::make_unique<ElementLink>(Guid(wall), project.getPlan()));
    links.push_back(std::make_unique<ElementLink>(Guid(note), project.getPlan()));
    section->toProxyLinks(links);
    EXPECT_EQ(links[0]->getProxyDrawing(), section);
    EXPECT_EQ(links[0]->getProxyGuid(), Guid(proxy));
    EXPECT_EQ(links[0]->getProxyTypeId(), ElementLink::makeTypeId(ProxyTypeCode));
    EXPECT_EQ(links[1]->getProxyDrawing(), nullptr);
    EXPECT_FALSE(links[1]->getProxyGuid().isValid());

    // Walking the view finds the wall through its proxy; the found link reads the wall at home.
    const ElementLink seen = section->findProxyLink(*links[0]);
    EXPECT_EQ(seen.getGuid(), Guid(wall));
    EXPECT_EQ(seen.getProxyGuid(), Guid(proxy));
    ElementLinkList found;
    EXPECT_EQ(section->findProxyLinks(links, found), 1);
    std::unique_ptr<Element> read = section->get(seen);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getGuid(), Guid(wall));
    EXPECT_EQ(read->getDrawing(), static_cast<Drawing*>(project.getPlan()));
    releaseElementCreators();
}

TEST_F(ViewKinds, TheProxyLinkRulesAreTheSameInEveryProxyView) {
    Project& project = *Host::getProject();
    addView(DatabaseSection, u"S");
    addView(DatabaseInteriorElevation, u"I");
    addView(Database3DDocument, u"D");
    Section* section = project.getSection(0);
    InteriorElevation* interior = project.getInteriorElevation(0);
    Document3D* document = project.getDocument3D(0);
    ElementLink proxied(ElementLink::makeTypeId(1), project.getPlan());
    proxied.setGuid(Guid(1, 1), nullptr);
    proxied.setProxyGuid(Guid(2, 2));
    proxied.setProxyTypeId(ElementLink::makeTypeId(ProxyTypeCode));
    for (Drawing* view :
         {static_cast<Drawing*>(section), static_cast<Drawing*>(interior), static_cast<Drawing*>(document)}) {
        auto viewLink = [&](const ElementLink& link) {
            if (view == section) return section->getViewLink(link);
            return view == interior ? interior->getViewLink(link) : document->getViewLink(link);
        };
        struct Case {
            const char* what;
            Drawing* proxyView;
            uint16_t proxyType;
            Guid proxyGuid;
            bool changed;
        };
        const Case cases[] = {
            {"this view's proxy", view, ElementLink::makeTypeId(ProxyTypeCode), Guid(2, 2), true},
            {"another view's proxy", view == section ? static_cast<Drawing*>(document) : section,
             ElementLink::makeTypeId(ProxyTypeCode), Guid(2, 2), false},
            {"no proxy type", view, 0, Guid(2, 2), false},
            {"no proxy Guid", view, ElementLink::makeTypeId(ProxyTypeCode), Guid(), false},
        };
        for (const Case& c : cases) {
            ElementLink link = proxied;
            link.setProxyDrawing(c.proxyView);
            link.setProxyTypeId(c.proxyType);
            link.setProxyGuid(c.proxyGuid);
            const ElementLink answer = viewLink(link);
            EXPECT_EQ(answer.getTypeId(), c.changed ? c.proxyType : link.getTypeId()) << c.what;
            EXPECT_EQ(answer.getHome().getKind(),
                      c.changed ? view->getDatabaseType() : uint32_t(DatabasePlan))
                << c.what;
            EXPECT_EQ(answer.getGuid(), link.getGuid()) << c.what;
            EXPECT_EQ(answer.getProxyGuid(), link.getProxyGuid()) << c.what;
        }
    }
    for (uint8_t type : {uint8_t(1), ProxyTypeCode}) {
        ElementLink link(ElementLink::makeTypeId(type, 3), project.getPlan());
        const bool made = interior->makeProxyLink(link);
        EXPECT_EQ(made, type != ProxyTypeCode);
        EXPECT_EQ(link.getTypeId(),
                  made ? ElementLink::makeTypeId(ProxyTypeCode) : ElementLink::makeTypeId(type, 3));
    }
}

TEST_F(ViewKinds, ALayoutsSheetReadsWritesAndCopiesItsOwnFields) {
    Project& project = *Host::getProject();
    addView(DatabaseMasterLayout, u"Master");
    addView(DatabaseLayout, u"From").masterGuid = host.project()->model.views.findNamed("Master")->guid;
    addView(DatabaseLayout, u"To");
    Layout* master = nullptr;
    Layout *from = nullptr, *to = nullptr;
    for (int32_t i = 0; i < 3; ++i) {
        Layout* layout = project.getLayout(i);
        (layout->isMaster() ? master : layout->getName() == "From" ? from : to) = layout;
    }
    const zavhost::LayoutSheet source = {594, 420,   12,    8,       10,      6, "Plans", 1,
                                         7,   0x568, 0x572, u"Über", u"Zwei", 3, 4,       {}};
    sheetOf(*from) = source;
    sheetOf(*to).texts[Guid(5, 5).toAPI()] = u"kept";
    EXPECT_EQ(from->getPaperBox(), Cube(0, 0, 0, 594, 420, 0));
    EXPECT_EQ(from->getPrintableBox(), Cube(12, 6, 0, 584, 412, 0));
    EXPECT_EQ(from->getFirstText(), "Über");

    EXPECT_EQ(master->getMasterLayout(), DatabaseRef());
    EXPECT_EQ(master->getMasterLayout().getKind(), 0u);
    EXPECT_EQ(from->getMasterLayout().getKind(), uint32_t(DatabaseMasterLayout));
    EXPECT_EQ(project.getDrawing(from->getMasterLayout()), static_cast<Drawing*>(master));
    EXPECT_FALSE(projecttest::change([&] { return master->setMasterLayout(from->getMasterLayout()); }));

    size_t before = mark();
    EXPECT_TRUE(to->copyFrom(*to));
    EXPECT_EQ(projecttest::callsWith(host, "", before), 0u);
    ASSERT_TRUE(projecttest::change([&] { return to->copyFrom(*from); }));
    zavhost::LayoutSheet expected = source;
    expected.texts = sheetOf(*to).texts; // the table of Guid texts stays its own
    EXPECT_EQ(sheetOf(*to), expected);
    EXPECT_EQ(to->getMasterLayout(), from->getMasterLayout());

    // The name flag is set with the name, never cleared by it; the texts go as UTF-16.
    ASSERT_TRUE(projecttest::change(
        [&] { return to->setLayoutName(String("Ansicht Ω"), false) && to->setSecondText(String("第二")); }));
    EXPECT_EQ(sheetOf(*to).name, "Ansicht Ω");
    EXPECT_EQ(sheetOf(*to).nameFlag, 1u);
    EXPECT_EQ(sheetOf(*to).secondText, u"第二");

    // The Guid texts the host hands out are the record's, freed when it is reset or dropped.
    ASSERT_NE(to->getLayoutInfo().texts, nullptr);
    to->resetLayoutInfo();
    EXPECT_EQ(to->getLayoutInfo().texts, nullptr);
    EXPECT_EQ(to->getLayoutInfo().paperWidth, 0.0);
    ASSERT_TRUE(projecttest::change([&] { return to->setMasterLayout(DatabaseRef()); }));
    EXPECT_NE(to->getLayoutInfo().texts, nullptr); // read again after the master changed
}

TEST_F(ViewKinds, ALayoutWhoseMasterCannotBeSetIsNotCopied) {
    Project& project = *Host::getProject();
    addView(DatabaseMasterLayout, u"Master");
    addView(DatabaseLayout, u"From").masterGuid = host.project()->model.views.findNamed("Master")->guid;
    addView(DatabaseLayout, u"To");
    Layout *from = nullptr, *to = nullptr;
    for (int32_t i = 0; i < 3; ++i) {
        Layout* layout = project.getLayout(i);
        if (layout->getName() == "From") from = layout;
        if (layout->getName() == "To") to = layout;
    }
    ASSERT_NE(from, nullptr);
    ASSERT_NE(to, nullptr);
    sheetOf(*from) = {594, 420, 12, 8, 10, 6, "Plans", 1, 7, 0x568, 0x572, u"Über", u"Zwei", 3, 4, {}};
    const zavhost::LayoutSheet before = sheetOf(*to);
    const API_Guid masterBefore = host.project()->model.views.findNamed("To")->masterGuid;

    refused = {fourCC("MDAT")};
    const size_t mark = this->mark();
    EXPECT_FALSE(projecttest::change([&] { return to->copyFrom(*from); }));
    EXPECT_EQ(to->getLastError(), hosterr::Failed);
    EXPECT_EQ(projecttest::callsWith(host, "CLAY", mark), 0u);
    EXPECT_EQ(sheetOf(*to), before);
    EXPECT_EQ(host.project()->model.views.findNamed("To")->masterGuid, masterBefore);
}

TEST_F(ViewKinds, AFailedReadOfARecordWritesNothingBack) {
    Project& project = *Host::getProject();
    addView(DatabaseLayout, u"Sheet");
    addView(DatabaseWorksheet, u"Work");
    Layout* layout = project.getLayout(0);
    Worksheet* worksheet = project.getWorksheet(0);
    const struct {
        uint32_t refusedSelector;
        const char* write;
        std::function<bool()> set;
    } cases[] = {
        {fourCC("GLAY"), "CLAY", [&] { return layout->setLayoutName(String("X"), true); }},
        {fourCC("GLAY"), "CLAY", [&] { return layout->setFirstText(String("X")); }},
        {fourCC("GLAY"), "CLAY", [&] { return layout->setSecondText(String("X")); }},
        {fourCC("GDBI"), "MDAT", [&] { return layout->setMasterLayout(DatabaseRef()); }},
        {fourCC("GDBI"), "MDAT", [&] { return worksheet->setName(String("X")); }},
        {fourCC("GDBI"), "MDAT", [&] { return worksheet->storeName(String("X")) == hosterr::Ok; }},
    };
    for (const auto& c : cases) {
        refused = {c.refusedSelector};
        const size_t before = mark();
        EXPECT_FALSE(projecttest::change(c.set)) << c.write;
        EXPECT_EQ(projecttest::callsWith(host, c.write, before), 0u) << c.write;
    }
    EXPECT_EQ(worksheet->storeName(String("X")), hosterr::Failed); // the failing read's code
    refused = {fourCC("GLAY")};
    EXPECT_EQ(layout->getLayoutName(), ""); // a sheet that cannot be read reads cleared
    EXPECT_EQ(layout->getLayoutInfo().paperWidth, 0.0);

    // Once the host answers again the sheet is read afresh, not written from the cleared one.
    refused.clear();
    ASSERT_TRUE(projecttest::change([&] { return layout->setFirstText(String("Back")); }));
    EXPECT_EQ(sheetOf(*layout).name, "Sheet");
    EXPECT_EQ(sheetOf(*layout).paperWidth, 420.0);
    ASSERT_TRUE(projecttest::change([&] { return worksheet->storeName(String("Notes ä")) == hosterr::Ok; }));
    EXPECT_EQ(host.project()->model.views.findNamed("Notes ä")->kind, uint32_t(DatabaseWorksheet));
}
