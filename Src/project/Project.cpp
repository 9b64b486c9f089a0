#include "project/Project.h"

#include "Environment/HostCalls.h"
#include "persistence/PackageStore.h"
#include "project/Database.h"
#include "project/DatabaseList.h"
#include "project/Model.h"
#include "project/Navigator.h"
#include "project/Plan.h"
#include "project/Specification.h"

namespace tarnwick {

Project::Project() {
    makeLibrary();
    m_model = std::make_unique<Model>(this, Guid());
    m_plan = std::make_unique<Plan>(this, Guid());
    m_specification = std::make_unique<Specification>(this, 0);
    m_packages = std::make_unique<PackageStore>(String("frameworkPreferenceStore"), true);
}

Project::~Project() = default;

namespace {
void (*resetHook)() = nullptr;
}

void Project::setResetHook(void (*hook)()) {
    resetHook = hook;
}

void Project::reset() {
    if (m_libraryDatabase) m_libraryDatabase->reset();
    m_model->reset();
    m_plan->reset();
    m_users.reset();
    m_viewLists = {};
    m_specification->reset();
    m_navigator.reset();
    m_currentDatabase = nullptr;
    m_frontWindow = nullptr;
    if (resetHook) resetHook();
    m_unitPreferences.reset();
}

// --- Databases.

Drawing* Project::getDrawing(const DatabaseRef& ref) {
    const Guid& guid = ref.getDatabaseGuid();
    switch (ref.getKind()) {
    case DatabasePlan:
        return m_plan.get();
    case DatabaseModel:
        return m_model.get();
    case DatabaseSection:
        return findSection(guid);
    case DatabaseDetail:
        return findDetail(guid);
    case DatabaseLayout:
    case DatabaseMasterLayout:
        return findLayout(guid);
    case DatabaseElevation:
        return findElevation(guid);
    case DatabaseInteriorElevation:
        return findInteriorElevation(guid);
    case DatabaseWorksheet:
        return findWorksheet(guid);
    case Database3DDocument:
        return findDocument3D(guid);
    default:
        return nullptr;
    }
}

Drawing* Project::drawingOfRecord(const HostDatabaseInfo& record) {
    if (record.kind < DatabasePlan || record.kind > Database3DDocument) return nullptr;
    return getDrawing(DatabaseRef(record));
}

Drawing* Project::getCurrentDatabase() {
    if (m_currentDatabase != nullptr) return m_currentDatabase;
    HostDatabaseInfo record;
    if (ACAPDatabaseCall(fourCC("GDAT"), &record) != hosterr::Ok) return nullptr;
    m_currentDatabase = drawingOfRecord(record);
    return m_currentDatabase;
}

Drawing* Project::getFrontWindow() {
    if (m_frontWindow != nullptr) return m_frontWindow;
    HostDatabaseInfo record;
    if (ACAPDatabaseCall(fourCC("GWIN"), &record) != hosterr::Ok) return nullptr;
    m_frontWindow = drawingOfRecord(record);
    return m_frontWindow;
}

namespace {
HostDatabaseInfo recordOf(const Drawing& drawing) {
    HostDatabaseInfo record;
    record.kind = drawing.getDatabaseType();
    record.databaseGuid = drawing.getDatabaseGuid().toAPI();
    return record;
}
} // namespace

bool Project::setCurrentDatabase(Drawing* drawing) {
    if (drawing == nullptr) return false;
    if (drawing == m_currentDatabase) return true;
    m_currentDatabase = nullptr;
    m_frontWindow = nullptr;
    HostDatabaseInfo record = recordOf(*drawing);
    if (ACAPDatabaseCall(fourCC("CDAT"), &record) != hosterr::Ok) return false;
    m_currentDatabase = drawing;
    return true;
}

bool Project::setFrontWindow(Drawing* drawing) {
    if (drawing == nullptr) return false;
    if (drawing == m_frontWindow) return true;
    m_currentDatabase = nullptr;
    m_frontWindow = nullptr;
    HostDatabaseInfo record = recordOf(*drawing);
    if (ACAPAutomationCall(fourCC("CHWD"), &record) != hosterr::Ok) return false;
    m_frontWindow = drawing;
    return true;
}

// --- View lists.

template <class List> List& Project::viewList() {
    std::unique_ptr<List>& list = std::get<std::unique_ptr<List>>(m_viewLists);
    if (!list)
        list = std::make_unique<List>(this);
    else
        list->refresh();
    return *list;
}

// One line per kind: its count, its index-th database and the database of a Guid.
// clang-format off
#define TARNWICK_PROJECT_VIEWS(Kind)                                                                         \
    size_t Project::get##Kind##Count() { return viewList<Kind##List>().size(); }                             \
    Kind* Project::get##Kind(int32_t index) { return viewList<Kind##List>().at(index); }                     \
    Kind* Project::find##Kind(const Guid& guid) { return viewList<Kind##List>().find(guid); }
// clang-format on

TARNWICK_PROJECT_VIEWS(Detail)
TARNWICK_PROJECT_VIEWS(Document3D)
TARNWICK_PROJECT_VIEWS(Elevation)
TARNWICK_PROJECT_VIEWS(InteriorElevation)
TARNWICK_PROJECT_VIEWS(Layout)
TARNWICK_PROJECT_VIEWS(Section)
TARNWICK_PROJECT_VIEWS(Worksheet)

#undef TARNWICK_PROJECT_VIEWS

void Project::forgetDrawing(const Drawing* drawing) {
    if (drawing == nullptr) return;
    if (m_currentDatabase == drawing) m_currentDatabase = nullptr;
    if (m_frontWindow == drawing) m_frontWindow = nullptr;
}

namespace {
// Makes the view in the host; its Guid on success.
bool makeView(HostDatabaseInfo& record) {
    return ACAPDatabaseCall(fourCC("NDAT"), &record) == hosterr::Ok && !record.databaseGuid.isNull();
}
} // namespace

Layout* Project::createLayout(const String& name, const DatabaseRef& master, const String& layoutText) {
    HostDatabaseInfo record;
    record.kind = DatabaseLayout;
    record.masterGuid = master.getDatabaseGuid().toAPI();
    name.copyToUtf16(record.name, sizeof record.name);
    if (!makeView(record)) return nullptr;
    const Guid guid(record.databaseGuid);
    auto layout = std::make_unique<Layout>(this, guid, false);
    // The layout stands even when its sheet keeps the host's name.
    if (!layoutText.isEmpty()) (void)layout->setLayoutName(layoutText, true);
    LayoutList& list = viewList<LayoutList>();
    forgetDrawing(list.find(guid));
    Layout* made = layout.get();
    list.store(guid, std::move(layout));
    return made;
}

Worksheet* Project::createWorksheet(const String& name, const String& reference) {
    HostDatabaseInfo record;
    record.kind = DatabaseWorksheet;
    name.copyToUtf16(record.name, sizeof record.name);
    reference.copyToUtf16(record.reference, sizeof record.reference);
    if (!makeView(record)) return nullptr;
    const Guid guid(record.databaseGuid);
    WorksheetList& list = viewList<WorksheetList>();
    forgetDrawing(list.find(guid));
    auto worksheet = std::make_unique<Worksheet>(this, guid);
    Worksheet* made = worksheet.get();
    list.store(guid, std::move(worksheet));
    return made;
}

bool Project::deleteLayout(const Guid& guid) {
    Layout* layout = findLayout(guid);
    if (layout == nullptr) return false;
    HostDatabaseInfo record;
    record.kind = layout->getDatabaseType();
    record.databaseGuid = layout->getDatabaseGuid().toAPI();
    if (ACAPDatabaseCall(fourCC("DDAT"), &record) != hosterr::Ok) return false;
    // The host no longer has it current or in front.
    forgetDrawing(layout);
    return true;
}

void Project::resetLayoutList() {
    std::unique_ptr<LayoutList>& list = std::get<std::unique_ptr<LayoutList>>(m_viewLists);
    if (!list) return;
    for (Drawing* kept : {m_currentDatabase, m_frontWindow})
        if (auto* layout = dynamic_cast<Layout*>(kept);
            layout != nullptr && list->find(layout->getDatabaseGuid()) == layout)
            forgetDrawing(layout);
    list.reset();
}

Navigator* Project::getNavigator() {
    if (!m_navigator) m_navigator = std::make_unique<Navigator>();
    return m_navigator.get();
}

// --- Packages.

Package* Project::getPackage(uint32_t code) const {
    return m_packages->getPackage(code, false);
}

void Project::setPackage(const Package& package, bool notify) {
    m_packages->putPackage(package, notify);
}

void Project::adoptPackage(Package* package, bool notify) {
    m_packages->adoptPackage(package, notify);
}

void Project::resetPackages() {
    m_packages->resetPackages(true);
}

} // namespace tarnwick
