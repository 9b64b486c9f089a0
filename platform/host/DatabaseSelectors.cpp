// The database dispatcher's view selectors: the current database and the front window, database
// records, new and deleted views, the lists of views by kind, the drawing scale; and the
// automation call that brings a view's window to the front.
#include <cmath>
#include <cstring>

#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {

std::u16string fieldText(const char16_t* field) {
    size_t length = 0;
    while (length < 256 && field[length] != u'\0')
        ++length;
    return std::u16string(field, length);
}

DatabaseKey keyOf(const HostDatabaseInfo& info) {
    return {info.kind, info.databaseGuid};
}

using Handler = GSErrCode (*)(StandInHost& host, Project& project, HostDatabaseInfo& info,
                              SelectorCall& call);

void addRecordSelector(StandInHost& host, SelectorTable& table, const char (&code)[5], Handler handler) {
    table.add(code, [&host, handler](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (call.args[0] == nullptr) return call.brief = "null record", hosterr::BadParameter;
        return handler(host, *project, *static_cast<HostDatabaseInfo*>(call.args[0]), call);
    });
}

// The database a record names, or null with the call's brief saying so.
ViewDatabase* named(Project& project, const HostDatabaseInfo& info, SelectorCall& call) {
    ViewDatabase* database = project.model.views.find(keyOf(info));
    if (database == nullptr)
        call.brief =
            ViewDatabases::kindName(info.kind) + " " + model::guidText(info.databaseGuid) + ": unknown";
    return database;
}

GSErrCode current(StandInHost&, Project& project, HostDatabaseInfo& info, SelectorCall& call) {
    ViewDatabase& database = model::currentDatabase(project);
    database.fill(&info);
    call.brief = "=> " + ViewDatabases::describe(database);
    return hosterr::Ok;
}

GSErrCode frontWindow(StandInHost&, Project& project, HostDatabaseInfo& info, SelectorCall& call) {
    ViewDatabase* database = project.model.views.find(project.session.frontWindow);
    if (database == nullptr) database = &project.model.views.plan();
    database->fill(&info);
    call.brief = "=> " + ViewDatabases::describe(*database);
    return hosterr::Ok;
}

GSErrCode makeCurrent(StandInHost&, Project& project, HostDatabaseInfo& info, SelectorCall& call) {
    ViewDatabase* database = named(project, info, call);
    if (database == nullptr) return hosterr::BadDatabase;
    project.session.current = project.model.views.keyOf(*database);
    call.brief = ViewDatabases::describe(*database);
    return hosterr::Ok;
}

GSErrCode bringToFront(StandInHost& host, Project& project, HostDatabaseInfo& info, SelectorCall& call) {
    GSErrCode err = makeCurrent(host, project, info, call);
    if (err == hosterr::Ok) project.session.frontWindow = project.session.current;
    return err;
}

GSErrCode readInfo(StandInHost&, Project& project, HostDatabaseInfo& info, SelectorCall& call) {
    ViewDatabase* database = named(project, info, call);
    if (database == nullptr) return hosterr::BadDatabase;
    database->fill(&info);
    call.brief = ViewDatabases::describe(*database);
    return hosterr::Ok;
}

GSErrCode writeInfo(StandInHost&, Project& project, HostDatabaseInfo& info, SelectorCall& call) {
    ViewDatabase* database = named(project, info, call);
    if (database == nullptr) return hosterr::BadDatabase;
    if (database->kind == DatabaseLayout && !info.masterGuid.isNull() &&
        project.model.views.find({DatabaseMasterLayout, info.masterGuid}) == nullptr)
        return call.brief = ViewDatabases::describe(*database) + ": no such master layout",
               hosterr::BadDatabase;
    database->title = fieldText(info.title);
    database->name = fieldText(info.name);
    database->reference = fieldText(info.reference);
    if (database->kind == DatabaseLayout) database->masterGuid = info.masterGuid;
    std::memcpy(database->reserved.data(), info.reserved1, database->reserved.size());
    call.brief = ViewDatabases::describe(*database);
    return hosterr::Ok;
}

GSErrCode newDatabase(StandInHost& host, Project& project, HostDatabaseInfo& info, SelectorCall& call) {
    call.brief =
        ViewDatabases::kindName(info.kind) + " " + inQuotes(GS::UniString(fieldText(info.name)).ToCStr());
    std::string why;
    if (!model::changesAllowed(host, why)) return call.brief += ": " + why, hosterr::Refused;
    if (info.kind != DatabaseLayout && info.kind != DatabaseWorksheet) return hosterr::BadParameter;
    if (info.kind == DatabaseLayout && !info.masterGuid.isNull() &&
        project.model.views.find({DatabaseMasterLayout, info.masterGuid}) == nullptr)
        return call.brief += ": no such master layout", hosterr::BadDatabase;
    ViewDatabase* database = project.model.views.add(info.kind, fieldText(info.name));
    if (info.kind == DatabaseLayout) database->masterGuid = info.masterGuid;
    if (info.kind == DatabaseWorksheet) database->reference = fieldText(info.reference);
    database->fill(&info);
    call.brief += " => " + model::guidText(database->guid);
    return hosterr::Ok;
}

GSErrCode deleteDatabase(StandInHost& host, Project& project, HostDatabaseInfo& info, SelectorCall& call) {
    std::string why;
    if (!model::changesAllowed(host, why)) return call.brief = why, hosterr::Refused;
    ViewDatabase* database = named(project, info, call);
    if (database == nullptr) return hosterr::BadDatabase;
    call.brief = ViewDatabases::describe(*database);
    if (database->isPlanOrModel()) return hosterr::Refused;
    model::deleteView(project, database->guid);
    return hosterr::Ok;
}

GSErrCode listOf(Project& project, uint32_t kind, SelectorCall& call) {
    if (call.args[0] == nullptr) return call.brief = "null handle pointer", hosterr::BadParameter;
    auto* out = static_cast<GSHandle*>(call.args[0]);
    *out = nullptr;
    std::vector<API_Guid> guids;
    for (const ViewDatabase& database : project.model.views.all())
        if (database.kind == kind) guids.push_back(database.guid);
    GSHandle handle = BMNewHandle(static_cast<GSSize>(guids.size() * sizeof(API_Guid)));
    if (handle == nullptr) return hosterr::MemoryFull;
    if (!guids.empty()) std::memcpy(*handle, guids.data(), guids.size() * sizeof(API_Guid));
    *out = handle;
    call.brief = ViewDatabases::kindName(kind) + " => " + std::to_string(guids.size());
    return hosterr::Ok;
}
} // namespace

void registerDatabaseSelectors(StandInHost& host) {
    SelectorTable& table = host.databaseCalls();
    const struct {
        const char code[5];
        Handler handler;
    } recordSelectors[] = {
        {"GDAT", current},   {"GWIN", frontWindow}, {"CDAT", makeCurrent},    {"GDBI", readInfo},
        {"MDAT", writeInfo}, {"NDAT", newDatabase}, {"DDAT", deleteDatabase},
    };
    for (const auto& each : recordSelectors)
        addRecordSelector(host, table, each.code, each.handler);
    addRecordSelector(host, host.automationCalls(), "CHWD", bringToFront);
    for (const char* code : {"GDDI", "GD3D", "GEDI", "GIED", "GLDI", "GMDI", "GSDI", "GWDI"}) {
        char selector[5] = {code[0], code[1], code[2], code[3], '\0'};
        const uint32_t kind = ViewDatabases::listSelectorKind(fourCC(selector));
        table.add(selector, [&host, kind](SelectorCall& call) {
            Project* project = model::project(host, call.brief);
            if (project == nullptr) return hosterr::NoProject;
            return listOf(*project, kind, call);
        });
    }
    model::addCurrentDatabaseGuidSelector(table);
    table.add("GSCL", [&host](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (call.args[0] == nullptr) return call.brief = "null value", hosterr::BadParameter;
        double scale = model::currentDatabase(*project).scale;
        std::memcpy(call.args[0], &scale, sizeof scale);
        call.brief = "=> " + std::to_string(scale);
        return hosterr::Ok;
    });
    table.add("CDRS", [&host](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (call.args[0] == nullptr) return call.brief = "null value", hosterr::BadParameter;
        double scale = 0.0;
        std::memcpy(&scale, call.args[0], sizeof scale);
        call.brief = std::to_string(scale);
        if (!std::isfinite(scale) || scale <= 0.0) return hosterr::BadParameter;
        model::currentDatabase(*project).scale = scale;
        return hosterr::Ok;
    });
}

} // namespace zavhost
