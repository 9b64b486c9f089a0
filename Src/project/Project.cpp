#include "project/Project.h"

#include "Environment/HostCalls.h"
#include "persistence/PackageStore.h"
#include "project/Database.h"
#include "project/DatabaseList.h"
#include "project/Model.h"
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

void Project::reset() {
    if (m_libraryDatabase) m_libraryDatabase->reset();
    m_model->reset();
    m_plan->reset();
    m_users.reset();
    m_details.reset();
    m_documents3D.reset();
    m_elevations.reset();
    m_interiorElevations.reset();
    m_layouts.reset();
    m_sections.reset();
    m_worksheets.reset();
    m_specification->reset();
    m_currentDatabase = nullptr;
    m_frontWindow = nullptr;
    // The IFC value-type maps are released here once the element model keeps them.
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

#define TARNWICK_PROJECT_VIEWS(Kind, member, listName)                                                       \
    listName& Project::member() {                                                                            \
        if (!m_##member) m_##member = std::make_unique<listName>(this);                                      \
        return *m_##member;                                                                                  \
    }                                                                                                        \
    size_t Project::get##Kind##Count() {                                                                     \
        return member().size();                                                                              \
    }                                                                                                        \
    Kind* Project::get##Kind(int32_t index) {                                                                \
        return index < 0 ? nullptr : member().at(index);                                                     \
    }                                                                                                        \
    Kind* Project::find##Kind(const Guid& guid) {                                                            \
        return member().find(guid);                                                                          \
    }

TARNWICK_PROJECT_VIEWS(Detail, details, DetailList)
TARNWICK_PROJECT_VIEWS(Document3D, documents3D, Document3DList)
TARNWICK_PROJECT_VIEWS(Elevation, elevations, ElevationList)
TARNWICK_PROJECT_VIEWS(InteriorElevation, interiorElevations, InteriorElevationList)
TARNWICK_PROJECT_VIEWS(Layout, layouts, LayoutList)
TARNWICK_PROJECT_VIEWS(Section, sections, SectionList)
TARNWICK_PROJECT_VIEWS(Worksheet, worksheets, WorksheetList)

#undef TARNWICK_PROJECT_VIEWS

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
