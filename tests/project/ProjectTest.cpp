// The project through the stand-in host: identity, texts, units, location and city, the
// databases and their caches, the view lists, shared-project users, reservations and lockables.
#include <gtest/gtest.h>

#include <cstring>
#include <numbers>
#include <tuple>
#include <vector>

#include "Environment/DataFile.h"
#include "Environment/TempFolder.h"
#include "ProjectTestSupport.h"
#include "project/City.h"
#include "project/DatabaseRef.h"
#include "project/ElementLinkList.h"
#include "project/LayerCombination.h"
#include "project/Model.h"
#include "project/Plan.h"
#include "project/Specification.h"
#include "project/ViewKinds.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using projecttest::callsWith;
using projecttest::hostProject;
using testsupport::ModuleUnderTest;

namespace {
struct Projects : projecttest::HostTest {
    zavhost::Project& hostSide = hostProject(host);
    Project* project = Host::getProject();
};
} // namespace

TEST_F(Projects, AnswersItsNameTextsFileAndUnitsAndSetsOnlyTheLocationAngle) {
    hostSide.model.texts["city"] = "Lyon";
    hostSide.model.texts["text1536"] = "Rue de la Paix 1";
    hostSide.model.texts["text1792"] = "69001";
    ASSERT_NE(project, nullptr);
    EXPECT_EQ((std::vector<String>{project->getName(), project->getCityName(), project->getText1536(),
                                   project->getText1792()}),
              (std::vector<String>{String("Test Project"), String("Lyon"), String("Rue de la Paix 1"),
                                   String("69001")}));

    EXPECT_EQ(project->getFile(), nullptr); // never saved
    TempFolder folder;
    ASSERT_EQ(host.saveProject(folder.path("house.zavproj")), hosterr::Ok);
    std::unique_ptr<DataFile> file = project->getFile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->getPath(), folder.path("house.zavproj"));
    EXPECT_EQ(file->getKind(), DataFile::TextureKind);

    EXPECT_TRUE(project->isMetric());
    hostSide.model.settings.units.lengthUnit = 4;
    EXPECT_FALSE(project->isMetric());

    hostSide.model.settings.unitPreferences.unitPreference = 7;
    EXPECT_EQ(project->getUnitPreference(), 7u);
    hostSide.model.settings.unitPreferences.unitPreference = 9;
    size_t before = mark();
    EXPECT_EQ(project->getUnitPreference(), 7u); // kept
    EXPECT_EQ(callsWith(host, "GPRF", before), 0u);
    static int resets = 0;
    Project::setResetHook([] { ++resets; }); // as a module installs the release of its pools
    project->reset();
    EXPECT_EQ(project->getUnitPreference(), 9u);
    Project::setResetHook(nullptr);
    project->reset();
    EXPECT_EQ(resets, 1);

    // Setting the location angle changes only its own field.
    HostPlaceInfo place = hostSide.model.settings.place;
    EXPECT_TRUE(project->setLocationAngle(1.25));
    EXPECT_DOUBLE_EQ(project->getLocationAngle(), 1.25);
    HostPlaceInfo after = hostSide.model.settings.place;
    after.northAngle = place.northAngle;
    EXPECT_EQ(std::memcmp(&place, &after, sizeof place), 0);
}

TEST(Project, WithoutAHostProjectAnswersTheDefaultsOfFailure) {
    ModuleUnderTest module(nullptr, false);
    EXPECT_EQ(Host::getProject(), nullptr);
    EXPECT_EQ(Host::getPlan(), nullptr);
    Project detached; // a project object the host knows nothing of
    EXPECT_DOUBLE_EQ(detached.getLocationAngle(), std::numbers::pi / 2.0);
    EXPECT_FALSE(detached.setLocationAngle(1.0));
    EXPECT_EQ(detached.getName(), "");
    EXPECT_EQ(detached.getCity(), nullptr);
    EXPECT_EQ(detached.getLayerCombination(), nullptr);
    EXPECT_EQ(detached.getCurrentDatabase(), nullptr);
    EXPECT_EQ(detached.getUnitPreference(), 0u);
}

TEST_F(Projects, CityLayerCombinationOwnUserAndEnvironmentGuidComeFromTheHost) {
    std::unique_ptr<City> home = project->getCity();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->exists());
    EXPECT_EQ(home->getName(), "Home Town");
    EXPECT_DOUBLE_EQ(home->getFirstAngle(), 53.5);  // the latitude
    EXPECT_DOUBLE_EQ(home->getSecondAngle(), -1.5); // kept from the attribute

    hostSide.model.texts["city"] = "Nowhere";
    hostSide.model.settings.place.longitude = 10.25;
    hostSide.model.settings.place.latitude = -20.5;
    hostSide.model.settings.place.timeZone = 14;
    std::unique_ptr<City> fresh = project->getCity();
    ASSERT_NE(fresh, nullptr);
    EXPECT_FALSE(fresh->exists());
    EXPECT_EQ(
        std::tuple(fresh->getName(), fresh->getFirstAngle(), fresh->getSecondAngle(), fresh->getField300()),
        std::tuple(String("Nowhere"), -20.5, 10.25, 14));
    EXPECT_EQ(fresh->record().firstAngleMinutes, -1230);

    // The layer combination is the host's current one.
    std::unique_ptr<LayerCombination> combination = Host::getProject()->getLayerCombination();
    ASSERT_NE(combination, nullptr);
    EXPECT_EQ(combination->getName(), "Everything");
    EXPECT_EQ(combination->getIndex16(), -1); // reported negated
    EXPECT_EQ(combination->getEntryCount(), hostSide.model.attributes.liveCount(AttrLayer));
    hostSide.model.settings.layerCombination = 9; // none such
    EXPECT_EQ(Host::getProject()->getLayerCombination(), nullptr);

    // The host's own user and environment Guids.
    EXPECT_EQ(Host::getCurrentUser().getUserId(), 0); // not shared: a blank user
    EXPECT_TRUE(Host::getEnvironmentGuid(fourCC("GARF")).isValid());
    EXPECT_FALSE(Host::getEnvironmentGuid(fourCC("NONE")).isValid());
}

TEST_F(Projects, DrawingsAreFoundByKindAndGuidInGuidOrder) {
    const API_Guid sectionB = hostSide.model.views.add(DatabaseSection, u"B")->guid;
    const API_Guid sectionA = hostSide.model.views.add(DatabaseSection, u"A")->guid;
    const API_Guid master = hostSide.model.views.add(DatabaseMasterLayout, u"Master")->guid;
    const API_Guid layout = hostSide.model.views.add(DatabaseLayout, u"Sheet 1")->guid;
    const API_Guid worksheet = hostSide.model.views.add(DatabaseWorksheet, u"Work")->guid;

    EXPECT_EQ(project->getDrawing(DatabaseRef(DatabasePlan, Guid())), project->getPlan());
    EXPECT_EQ(project->getDrawing(DatabaseRef(DatabaseModel, Guid())), project->getModel());
    for (uint32_t kind : {0u, 6u, 7u, 8u, 14u})
        EXPECT_EQ(project->getDrawing(DatabaseRef(kind, Guid(sectionA))), nullptr) << kind;

    ASSERT_EQ(project->getSectionCount(), 2u);
    bool aFirst = Guid(sectionA) < Guid(sectionB);
    EXPECT_EQ(project->getSection(0)->getDatabaseGuid(), Guid(aFirst ? sectionA : sectionB));
    EXPECT_EQ(project->getDrawing(DatabaseRef(DatabaseSection, Guid(sectionB))),
              project->findSection(Guid(sectionB)));
    EXPECT_EQ(project->findSection(Guid(sectionB))->getTypeName(), "Section");

    ASSERT_EQ(project->getLayoutCount(), 2u);
    Drawing* masterDrawing = project->getDrawing(DatabaseRef(DatabaseMasterLayout, Guid(master)));
    ASSERT_NE(masterDrawing, nullptr);
    EXPECT_EQ(masterDrawing->getTypeName(), "Master Layout");
    EXPECT_EQ(masterDrawing->getDatabaseType(), uint32_t(DatabaseLayout));
    EXPECT_EQ(project->getDrawing(DatabaseRef(DatabaseLayout, Guid(master))), masterDrawing);
    EXPECT_EQ(project->findLayout(Guid(layout))->getTypeName(), "Layout");
    EXPECT_EQ(project->getWorksheet(0)->getDatabaseGuid(), Guid(worksheet));
    EXPECT_EQ(project->getDetailCount(), 0u);

    // Lists are loaded once and kept until reset.
    hostSide.model.views.add(DatabaseDetail, u"Late");
    EXPECT_EQ(project->getDetailCount(), 0u);
    project->reset();
    EXPECT_EQ(project->getDetailCount(), 1u);
    EXPECT_EQ(project->getDetail(0)->getDatabaseRef().getKind(), uint32_t(DatabaseDetail));
}

// Each kind's count, index-th and by-Guid answers come from that kind's own list.
TEST_F(Projects, EveryViewKindAnswersFromItsOwnList) {
    struct Kind {
        HostDatabaseKind kind;
        size_t (Project::*count)();
        Drawing* (*at)(Project&, int32_t);
        Drawing* (*find)(Project&, const Guid&);
    };
    const Kind kinds[] = {
        {DatabaseDetail, &Project::getDetailCount,
         [](Project& p, int32_t i) -> Drawing* { return p.getDetail(i); },
         [](Project& p, const Guid& g) -> Drawing* { return p.findDetail(g); }},
        {Database3DDocument, &Project::getDocument3DCount,
         [](Project& p, int32_t i) -> Drawing* { return p.getDocument3D(i); },
         [](Project& p, const Guid& g) -> Drawing* { return p.findDocument3D(g); }},
        {DatabaseElevation, &Project::getElevationCount,
         [](Project& p, int32_t i) -> Drawing* { return p.getElevation(i); },
         [](Project& p, const Guid& g) -> Drawing* { return p.findElevation(g); }},
        {DatabaseInteriorElevation, &Project::getInteriorElevationCount,
         [](Project& p, int32_t i) -> Drawing* { return p.getInteriorElevation(i); },
         [](Project& p, const Guid& g) -> Drawing* { return p.findInteriorElevation(g); }},
        {DatabaseLayout, &Project::getLayoutCount,
         [](Project& p, int32_t i) -> Drawing* { return p.getLayout(i); },
         [](Project& p, const Guid& g) -> Drawing* { return p.findLayout(g); }},
        {DatabaseSection, &Project::getSectionCount,
         [](Project& p, int32_t i) -> Drawing* { return p.getSection(i); },
         [](Project& p, const Guid& g) -> Drawing* { return p.findSection(g); }},
        {DatabaseWorksheet, &Project::getWorksheetCount,
         [](Project& p, int32_t i) -> Drawing* { return p.getWorksheet(i); },
         [](Project& p, const Guid& g) -> Drawing* { return p.findWorksheet(g); }},
    };
    std::vector<Guid> guids;
    for (const Kind& k : kinds)
        guids.push_back(Guid(hostSide.model.views.add(k.kind, u"View")->guid));
    Project& p = *project;
    for (size_t i = 0; i < std::size(kinds); ++i) {
        const Kind& k = kinds[i];
        EXPECT_EQ((p.*k.count)(), 1u) << k.kind;
        Drawing* only = k.at(p, 0);
        ASSERT_NE(only, nullptr) << k.kind;
        EXPECT_EQ(only->getDatabaseGuid(), guids[i]);
        EXPECT_EQ(k.at(p, 1), nullptr) << k.kind;
        EXPECT_EQ(k.at(p, -1), nullptr) << k.kind;
        EXPECT_EQ(k.find(p, guids[i]), only) << k.kind;
        EXPECT_EQ(k.find(p, guids[(i + 1) % guids.size()]), nullptr) << k.kind;
    }
}

TEST_F(Projects, CurrentDatabaseIsCachedAndAFailureLeavesNothingCached) {
    const API_Guid sectionGuid = hostSide.model.views.add(DatabaseSection, u"Cut")->guid;
    EXPECT_EQ(project->getCurrentDatabase(), project->getPlan());
    size_t before = mark();
    EXPECT_EQ(project->getCurrentDatabase(), project->getPlan());
    EXPECT_TRUE(project->setCurrentDatabase(project->getPlan()));
    EXPECT_EQ(mark(), before); // no host call

    Section* section = project->findSection(Guid(sectionGuid));
    ASSERT_NE(section, nullptr);
    before = mark();
    EXPECT_TRUE(Host::setCurrentDatabase(section));
    EXPECT_EQ(callsWith(host, "CDAT", before), 1u);
    EXPECT_EQ(hostSide.session.current.guid, sectionGuid);
    EXPECT_EQ(project->getCurrentDatabase(), section);
    EXPECT_EQ(callsWith(host, "GDAT", before), 0u);

    EXPECT_TRUE(project->setFrontWindow(section));
    EXPECT_EQ(callsWith(host, "CHWD", before), 1u);
    EXPECT_EQ(hostSide.session.frontWindow.guid, sectionGuid);
    EXPECT_EQ(project->getFrontWindow(), section);

    // The section goes away in the host: making it current fails and caches nothing.
    hostSide.model.views.remove(sectionGuid);
    EXPECT_TRUE(project->setCurrentDatabase(project->getPlan()));
    EXPECT_FALSE(project->setCurrentDatabase(section));
    before = mark();
    EXPECT_EQ(project->getCurrentDatabase(), project->getPlan());
    EXPECT_EQ(callsWith(host, "GDAT", before), 1u);
    EXPECT_FALSE(project->setCurrentDatabase(nullptr));
}

// 3D documents are the last kind of database there is: a kind past it names no drawing.
TEST_F(Projects, TheCurrentDatabaseMayBeA3DDocumentButNoKindPastIt) {
    const API_Guid documentGuid = hostSide.model.views.add(Database3DDocument, u"Axonometry")->guid;
    Document3D* document = project->findDocument3D(Guid(documentGuid));
    ASSERT_NE(document, nullptr);
    hostSide.session.current = {Database3DDocument, documentGuid};
    hostSide.session.frontWindow = {Database3DDocument, documentGuid};
    EXPECT_EQ(project->getCurrentDatabase(), document);
    EXPECT_EQ(project->getFrontWindow(), document);

    // A host that answers a kind past the 3D document's, with the document's Guid.
    for (const char* code : {"GDAT", "GWIN"}) {
        char selector[5] = {code[0], code[1], code[2], code[3], 0};
        host.databaseCalls().add(selector, [documentGuid](zavhost::SelectorCall& call) {
            auto* record = static_cast<HostDatabaseInfo*>(call.args[0]);
            record->kind = Database3DDocument + 1;
            record->databaseGuid = documentGuid;
            return hosterr::Ok;
        });
    }
    project->reset();
    for (int ask = 0; ask < 2; ++ask) {
        const size_t before = mark();
        EXPECT_EQ(project->getCurrentDatabase(), nullptr);
        EXPECT_EQ(project->getFrontWindow(), nullptr);
        EXPECT_EQ(callsWith(host, "GDAT", before), 1u); // nothing cached
        EXPECT_EQ(callsWith(host, "GWIN", before), 1u);
    }
}

TEST_F(Projects, UsersOfASharedProjectAreAskedOncePerProject) {
    size_t before = mark();
    EXPECT_EQ(project->getUserCount(), 0u);
    EXPECT_EQ(project->getUserCount(), 0u);
    EXPECT_EQ(callsWith(host, "SHAR", before), 0u);
    EXPECT_EQ(callsWith(host, "IsSharedProject", before), 1u);
    EXPECT_EQ(project->getUser(0), nullptr);

    hostSide.model.settings.shared = true;
    hostSide.model.settings.users = {{"ann", "Ann Archer", API_Guid::fromHalves(1, 2), 4, 9},
                                     {"bob", "Bob Builder", API_Guid::fromHalves(3, 4), 6, 0}};
    EXPECT_EQ(project->getUserCount(), 0u); // kept until reset
    project->reset();
    ASSERT_EQ(project->getUserCount(), 2u);
    const Project::User* ann = project->getUser(0);
    ASSERT_NE(ann, nullptr);
    EXPECT_EQ(std::tuple(ann->getName(), ann->getSecondText(), ann->getGuid(), ann->getUserId(),
                         ann->getSecondWord()),
              std::tuple(String("ann"), String("Ann Archer"), Guid(1, 2), 4, 9));
    EXPECT_EQ(project->getUser(1)->getName(), "bob");
    EXPECT_EQ(project->getUser(2), nullptr);
    EXPECT_EQ(Host::getCurrentUser().getUserId(), 4); // the host lists its own user first
}

TEST_F(Projects, ReservationsAndLockableLayerSettings) {
    ElementLinkList none;
    size_t before = mark();
    EXPECT_TRUE(project->reserveElements(none));
    EXPECT_TRUE(project->releaseElements(none));
    EXPECT_EQ(mark(), before);

    hostSide.model.settings.shared = true;
    hostSide.model.settings.users = {{"me", "Me", API_Guid::fromHalves(7, 7), 1, 0}};
    ElementLinkList mine;
    mine.push_back(std::make_unique<ElementLink>(Guid(5, 5), nullptr));
    EXPECT_TRUE(project->reserveElements(mine));
    hostSide.session.heldByOthers[API_Guid::fromHalves(5, 5)] = 3;
    EXPECT_FALSE(project->reserveElements(mine));
    EXPECT_TRUE(project->releaseElements(mine));

    EXPECT_FALSE(project->getLockableObjectGuid(AttrPen).isValid());
    Guid layerSettings = project->getLockableObjectGuid(AttrLayer);
    EXPECT_TRUE(layerSettings.isValid());
    EXPECT_FALSE(project->releaseAttributeSettings(AttrLayer)); // not reserved
    EXPECT_TRUE(project->reserveAttributeSettings(AttrLayer));
    EXPECT_EQ(hostSide.session.lockables["LayerSettingsDialog"], 2);
    EXPECT_FALSE(project->reserveAttributeSettings(AttrLayer)); // already ours
    EXPECT_TRUE(project->releaseAttributeSettings(AttrLayer));
    EXPECT_EQ(hostSide.session.lockables["LayerSettingsDialog"], 1);
    EXPECT_FALSE(project->reserveAttributeSettings(AttrPen));
}

TEST_F(Projects, ElementUserDataRoundTripsAndAbsentDataIsAnEmptyBlock) {
    zavhost::StoredElement stored;
    stored.record.head.typeCode = 17;
    stored.record.head.guid = zavhost::newGuid();
    ASSERT_TRUE(hostSide.model.views.plan().elements.add(stored));
    ElementLink link(Guid(stored.guid()), project->getPlan());

    uint32_t flags = 99, version = 99, platform = 99;
    std::unique_ptr<MemoryBlock> none = project->getElementUserData(link, &flags, &version, &platform);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(std::tuple(none->getSize(), flags), std::tuple(0, 0u));

    MemoryBlock data;
    data.allocateHandle(5);
    std::memcpy(data.getData(), "notes", 5);
    EXPECT_FALSE(project->setElementUserData(link, &data, false, 12, 3, 0x5757)); // outside an undo step
    ASSERT_TRUE(
        projecttest::change([&] { return project->setElementUserData(link, &data, false, 12, 3, 0x5757); }));
    std::unique_ptr<MemoryBlock> read = project->getElementUserData(link, &flags, &version, &platform);
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->getSize(), 5);
    EXPECT_EQ(std::memcmp(read->getData(), "notes", 5), 0);
    EXPECT_EQ(std::tuple(flags, version, platform), std::tuple(12u, 3u, 0x5757u));

    MemoryBlock empty;
    EXPECT_TRUE(
        projecttest::change([&] { return project->setElementUserData(link, &empty, false, 12, 3, 0x5757); }));
    EXPECT_EQ(project->getElementUserData(link, nullptr, nullptr, nullptr)->getSize(), 0);

    ElementLink unknown(Guid(8, 8), project->getPlan());
    EXPECT_EQ(project->getElementUserData(unknown, &flags, &version, &platform), nullptr);
    EXPECT_EQ(std::tuple(flags, platform), std::tuple(0u, 0u));
}
