// The navigator's view lists: one object per host database of a kind, in Guid order, made once;
// layouts made and deleted through the project.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Environment/HostTable.h"
#include "ProjectTestSupport.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"
#include "project/DatabaseRef.h"
#include "project/Layout.h"
#include "project/Navigator.h"
#include "project/Plan.h"
#include "project/ViewKinds.h"

using namespace tarnwick;

namespace {

class ViewLists : public projecttest::HostTest {
protected:
    zavhost::ViewDatabase& addView(uint32_t kind, const std::u16string& name, const Guid& guid) {
        zavhost::ViewDatabase* view = host.project()->model.views.add(kind, name);
        view->guid = guid.toAPI();
        return *view;
    }
};

// Answers "GSDI" with the bytes given; every other call goes to the host.
std::vector<API_Guid> sectionGuids;
size_t sectionBytes = 0;
GSErrCode (*hostDatabaseCall)(uint32_t, void*, void*, void*) = nullptr;
GSErrCode listedSections(uint32_t selector, void* a, void* b, void* c) {
    if (selector != fourCC("GSDI")) return hostDatabaseCall(selector, a, b, c);
    GSHandle handle = BMNewHandle(static_cast<GSSize>(sectionBytes));
    std::memset(*handle, 0x5A, sectionBytes);
    std::memcpy(*handle, sectionGuids.data(), std::min(sectionBytes, sectionGuids.size() * sizeof(API_Guid)));
    *static_cast<GSHandle*>(a) = handle;
    return hosterr::Ok;
}

// Answers "GLDI" and "GMDI" with the Guids given, each refused while its count of refusals
// lasts; every other call goes to the host.
struct LayoutAnswers {
    std::vector<API_Guid> layouts, masters;
    int refuseLayouts = 0, refuseMasters = 0;
};
LayoutAnswers layoutAnswers;
GSErrCode listedLayouts(uint32_t selector, void* a, void* b, void* c) {
    const bool masters = selector == fourCC("GMDI");
    if (!masters && selector != fourCC("GLDI")) return hostDatabaseCall(selector, a, b, c);
    int& refusals = masters ? layoutAnswers.refuseMasters : layoutAnswers.refuseLayouts;
    if (refusals > 0) return --refusals, hosterr::Failed;
    const std::vector<API_Guid>& guids = masters ? layoutAnswers.masters : layoutAnswers.layouts;
    GSHandle handle = BMNewHandle(static_cast<GSSize>(guids.size() * sizeof(API_Guid)));
    if (!guids.empty()) std::memcpy(*handle, guids.data(), guids.size() * sizeof(API_Guid));
    *static_cast<GSHandle*>(a) = handle;
    return hosterr::Ok;
}

} // namespace

TEST_F(ViewLists, EveryKindListsItsViewsInGuidOrderAndBehavesAsItsType) {
    struct Kind {
        uint32_t kind;
        const char* typeName;
        uint32_t databaseType;
        uint32_t navigatorType;
        std::function<size_t(Project&)> count;
        std::function<Drawing*(Project&, int32_t)> at;
        std::function<Drawing*(Project&, const Guid&)> find;
    };
    // clang-format off
    const Kind kinds[] = {
        {DatabaseSection, "Section", 2, 3, &Project::getSectionCount, &Project::getSection, &Project::findSection},
        {DatabaseDetail, "Detail", 3, 4, &Project::getDetailCount, &Project::getDetail, &Project::findDetail},
        {DatabaseLayout, "Layout", 5, 14, &Project::getLayoutCount, &Project::getLayout, &Project::findLayout},
        {DatabaseElevation, "Elevation", 10, 20, &Project::getElevationCount, &Project::getElevation, &Project::findElevation},
        {DatabaseInteriorElevation, "Interior Elevation", 11, 21, &Project::getInteriorElevationCount,
         &Project::getInteriorElevation, &Project::findInteriorElevation},
        {DatabaseWorksheet, "Worksheet", 12, 22, &Project::getWorksheetCount, &Project::getWorksheet, &Project::findWorksheet},
        {Database3DDocument, "3D Document", 13, 23, &Project::getDocument3DCount, &Project::getDocument3D,
         &Project::findDocument3D},
    };
    // clang-format on
    // The host lists its views in the order they were made: here the reverse of Guid order.
    for (const Kind& kind : kinds) {
        addView(kind.kind, u"Second", Guid(kind.kind, 2));
        addView(kind.kind, u"First", Guid(kind.kind, 1));
    }
    Project& project = *Host::getProject();
    for (const Kind& kind : kinds) {
        ASSERT_EQ(kind.count(project), 2u) << kind.typeName;
        EXPECT_EQ(kind.at(project, -1), nullptr) << kind.typeName;
        EXPECT_EQ(kind.at(project, 2), nullptr) << kind.typeName;
        for (int32_t i = 0; i < 2; ++i) {
            Drawing* view = kind.at(project, i);
            ASSERT_NE(view, nullptr) << kind.typeName;
            const Guid guid(kind.kind, static_cast<uint64_t>(i + 1));
            EXPECT_EQ(view->getDatabaseGuid(), guid) << kind.typeName;
            EXPECT_EQ(view->getName(), i == 0 ? "First" : "Second") << kind.typeName;
            EXPECT_EQ(view->getTypeName(), kind.typeName);
            EXPECT_EQ(view->getDatabaseType(), kind.databaseType) << kind.typeName;
            EXPECT_EQ(view->getNavigatorItemType(), kind.navigatorType) << kind.typeName;
            EXPECT_EQ(kind.find(project, guid), view) << kind.typeName;
            EXPECT_EQ(project.getDrawing(DatabaseRef(kind.kind, guid)), view) << kind.typeName;
            EXPECT_EQ(dynamic_cast<CutPlane*>(view) != nullptr,
                      kind.kind == DatabaseSection || kind.kind == DatabaseElevation)
                << kind.typeName;
        }
        EXPECT_EQ(kind.find(project, Guid(kind.kind, 3)), nullptr) << kind.typeName;
    }

    // Master layouts share the layouts' list and are found by either kind.
    addView(DatabaseMasterLayout, u"Master", Guid(0xFF, 0));
    projecttest::forget();
    ASSERT_EQ(project.getLayoutCount(), 3u);
    auto* master = dynamic_cast<Layout*>(project.getLayout(2));
    ASSERT_NE(master, nullptr);
    EXPECT_TRUE(master->isMaster());
    EXPECT_EQ(master->getTypeName(), "Master Layout");
    EXPECT_EQ(master->getDatabaseType(), uint32_t(DatabaseLayout));
    for (uint32_t kind : {DatabaseLayout, DatabaseMasterLayout})
        EXPECT_EQ(project.getDrawing(DatabaseRef(kind, Guid(0xFF, 0))), master) << kind;
}

TEST_F(ViewLists, AHandleCountsWholeGuidsAndARepeatedGuidIsOneObject) {
    HostFunctionTable table = host.functionTable();
    hostDatabaseCall = table.DatabaseCall;
    table.DatabaseCall = &listedSections;
    installHostTable(&table);
    const API_Guid a = Guid(2, 1).toAPI(), b = Guid(2, 2).toAPI();
    const struct {
        std::vector<API_Guid> guids;
        size_t bytes;
        size_t count;
    } cases[] = {
        {{a, b}, 40, 2}, // the 8 bytes left over are no Guid
        {{b, a, b}, 48, 2},
        {{a}, 15, 0},
        {{}, 0, 0},
    };
    for (const auto& c : cases) {
        sectionGuids = c.guids;
        sectionBytes = c.bytes;
        projecttest::forget();
        EXPECT_EQ(Host::getProject()->getSectionCount(), c.count) << c.bytes;
    }
    installHostTable(&host.functionTable());
}

TEST_F(ViewLists, ADatabaseListedAsALayoutAndAsAMasterLayoutIsAMasterLayout) {
    HostFunctionTable table = host.functionTable();
    hostDatabaseCall = table.DatabaseCall;
    table.DatabaseCall = &listedLayouts;
    installHostTable(&table);
    const API_Guid both = Guid(5, 1).toAPI(), plain = Guid(5, 2).toAPI(), master = Guid(9, 1).toAPI();
    addView(DatabaseLayout, u"Both", Guid(both)); // so that it can be made current
    Project& project = *Host::getProject();
    const auto kind = [&](const API_Guid& guid) -> std::string {
        Layout* layout = project.findLayout(Guid(guid));
        return layout == nullptr ? "none" : layout->getTypeName().bytes();
    };

    // Listed by both at once: the master list, asked second, has the last word.
    layoutAnswers = {{plain, both, both}, {both, master}};
    projecttest::forget();
    EXPECT_EQ(project.getLayoutCount(), 3u);
    EXPECT_EQ(kind(both), "Master Layout");
    EXPECT_EQ(kind(plain), "Layout");
    EXPECT_EQ(kind(master), "Master Layout");

    // The master list refused at first: the layout handed out meanwhile is the one that becomes
    // a master layout once the list is given, not a dead one beside a new one.
    layoutAnswers = {{plain, both}, {both, master}, 0, 1};
    projecttest::forget();
    Layout* held = project.findLayout(Guid(both));
    ASSERT_NE(held, nullptr);
    EXPECT_FALSE(held->isMaster());
    ASSERT_TRUE(project.setCurrentDatabase(held));
    EXPECT_EQ(project.getLayoutCount(), 3u); // asked again
    EXPECT_EQ(project.findLayout(Guid(both)), held);
    EXPECT_TRUE(held->isMaster());
    EXPECT_EQ(held->getTypeName(), "Master Layout");
    EXPECT_EQ(held->getMasterLayout().getKind(), 0u); // a master layout stands on none
    EXPECT_EQ(project.getCurrentDatabase(), static_cast<Drawing*>(held));

    // The layout list refused at first: given later, it does not undo the master list's word.
    layoutAnswers = {{plain, both}, {both, master}, 1, 0};
    projecttest::forget();
    EXPECT_EQ(project.getLayoutCount(), 2u); // the master list alone
    EXPECT_EQ(kind(both), "Master Layout");  // the layout list asked again lists it too
    EXPECT_EQ(kind(plain), "Layout");
    EXPECT_EQ(project.getLayoutCount(), 3u);
    installHostTable(&host.functionTable());
}

TEST_F(ViewLists, ANewLayoutOrWorksheetTakesTheEntryTheLoadMadeAndKeepsItsUnicodeName) {
    Project& project = *Host::getProject();
    addView(DatabaseMasterLayout, u"Master", Guid(9, 9));
    const DatabaseRef master(DatabaseMasterLayout, Guid(9, 9));
    const String name("Grundriß Ü – 1");
    for (bool loadedBefore : {false, true}) {
        projecttest::forget();
        if (loadedBefore) {
            ASSERT_EQ(project.getLayoutCount(), 2u); // the master and the first run's layout
        }
        Layout* layout = nullptr;
        ASSERT_TRUE(projecttest::change([&] {
            layout = project.createLayout(name, master, String("Sheet Ω"));
            return layout != nullptr;
        }));
        EXPECT_EQ(project.findLayout(layout->getDatabaseGuid()), layout) << loadedBefore;
        EXPECT_EQ(project.getLayoutCount(), loadedBefore ? 3u : 2u);
        EXPECT_EQ(layout->getName(), name);
        EXPECT_EQ(layout->getMasterLayout().getDatabaseGuid(), Guid(9, 9));
        EXPECT_EQ(layout->getLayoutName(), "Sheet Ω");
        EXPECT_TRUE(layout->getNameFlag());
        const zavhost::ViewDatabase* made =
            host.project()->model.views.findByGuid(layout->getDatabaseGuid().toAPI());
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->name, name.toUtf16());
        ASSERT_TRUE(projecttest::change([&] {
            // A new layout on no master, without a sheet name.
            return project.createLayout(String("Bare"), DatabaseRef(), String()) != nullptr;
        }));
        EXPECT_EQ(host.project()->model.views.findNamed("Bare")->masterGuid, API_Guid());
        EXPECT_TRUE(host.project()->model.views.remove(host.project()->model.views.findNamed("Bare")->guid));
    }

    Worksheet* sheet = nullptr;
    ASSERT_TRUE(
        projecttest::change([&] { return (sheet = project.createWorksheet(name, String("Réf 7"))); }));
    EXPECT_EQ(project.findWorksheet(sheet->getDatabaseGuid()), sheet);
    EXPECT_EQ(sheet->getName(), name);
    EXPECT_EQ(sheet->getReference(), "Réf 7");
    // Outside an undoable command the host makes nothing.
    EXPECT_EQ(project.createWorksheet(String("Refused"), String()), nullptr);
    EXPECT_EQ(project.createLayout(String("Refused"), master, String()), nullptr);
}

TEST_F(ViewLists, ADeletedLayoutKeepsItsDeadEntryUntilTheListIsReset) {
    Project& project = *Host::getProject();
    Layout* layout = nullptr;
    ASSERT_TRUE(projecttest::change([&] { return (layout = project.createLayout(String("Gone"), {}, {})); }));
    const Guid guid = layout->getDatabaseGuid();
    ASSERT_TRUE(project.setCurrentDatabase(layout));
    EXPECT_FALSE(project.deleteLayout(Guid(1, 2)));
    ASSERT_TRUE(projecttest::change([&] { return project.deleteLayout(guid); }));
    EXPECT_EQ(host.project()->model.views.findByGuid(guid.toAPI()), nullptr);

    // The entry stays and fails every call: the host knows its Guid no more.
    ASSERT_EQ(project.findLayout(guid), layout);
    EXPECT_TRUE(layout->getName().isEmpty());
    EXPECT_TRUE(layout->getLayoutName().isEmpty());
    EXPECT_EQ(layout->getMasterLayout().getKind(), 0u);
    EXPECT_FALSE(projecttest::change([&] { return layout->setLayoutName(String("Back"), true); }));
    EXPECT_FALSE(projecttest::change([&] { return project.deleteLayout(guid); }));

    project.resetLayoutList();
    EXPECT_EQ(project.findLayout(guid), nullptr);
    EXPECT_EQ(project.getLayoutCount(), 0u);
    EXPECT_EQ(project.getCurrentDatabase(),
              static_cast<Drawing*>(project.getPlan())); // asked afresh, nothing dangling
}

TEST_F(ViewLists, TheNavigatorIsMadeOnceAndGoesWithTheReset) {
    Project& project = *Host::getProject();
    Navigator* navigator = project.getNavigator();
    ASSERT_NE(navigator, nullptr);
    EXPECT_EQ(navigator->getValue(), 0u);
    EXPECT_EQ(project.getNavigator(), navigator);
    const size_t before = mark();
    project.reset();
    ASSERT_NE(project.getNavigator(), nullptr);
    EXPECT_EQ(projecttest::callsWith(host, "", before), 0u);
}

TEST_F(ViewLists, AListTheHostWouldNotGiveIsAskedForAgainAndKeepsWhatItHad) {
    addView(DatabaseSection, u"S", Guid(DatabaseSection, 1));
    addView(DatabaseLayout, u"L", Guid(DatabaseLayout, 1));
    addView(DatabaseMasterLayout, u"M", Guid(DatabaseMasterLayout, 1));
    Project& project = *Host::getProject();
    host.faults().set("GSDI", 1, 1, hosterr::Failed);
    host.faults().set("GMDI", 1, 2, hosterr::Failed);
    EXPECT_EQ(project.getSectionCount(), 0u); // the host would not list them
    EXPECT_EQ(project.getSectionCount(), 1u); // asked again, it does
    EXPECT_NE(project.getSection(0), nullptr);
    const size_t from = host.calls().size();
    EXPECT_EQ(project.getSectionCount(), 1u);
    EXPECT_FALSE(host.calls().contains("GSDI", from)) << "a list the host gave is kept";

    // The layouts are two lists in one: the one the host gave stays as it is.
    Drawing* layout = project.findLayout(Guid(DatabaseLayout, 1));
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(project.findLayout(Guid(DatabaseMasterLayout, 1)), nullptr);
    Drawing* master = project.findLayout(Guid(DatabaseMasterLayout, 1));
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(project.findLayout(Guid(DatabaseLayout, 1)), layout);
    EXPECT_EQ(project.getLayoutCount(), 2u);
    EXPECT_EQ(host.calls().count("GLDI"), 1u);
}
