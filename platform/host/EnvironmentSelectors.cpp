// The environment dispatcher's project selectors: the project's file, texts, units, location,
// layer combination and users, the default tool, the storeys, and the current-database Guid.
#include <algorithm>
#include <cstring>

#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"
#include "platform/io/Location.h"

namespace zavhost {

namespace {
// The same for a 16-bit type id (type code in its low byte): only two bytes are read.
uint32_t typeArgument(void* argument) {
    auto value = reinterpret_cast<uintptr_t>(argument);
    if (value < 0x10000) return static_cast<uint32_t>(value & 0xFF);
    uint8_t read[2] = {};
    std::memcpy(read, argument, sizeof read);
    return read[0];
}

void copyText(char* field, size_t size, const std::string& text) {
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

void copyWide(char16_t* field, size_t units, const std::string& text) {
    std::u16string wide = GS::Utf8ToUtf16(text).substr(0, units - 1);
    std::memcpy(field, wide.data(), wide.size() * sizeof(char16_t));
    field[wide.size()] = u'\0';
}

std::string textOf(const Project& project, const std::string& key) {
    auto it = project.model.texts.find(key);
    return it == project.model.texts.end() ? std::string() : it->second;
}

using Handler = GSErrCode (*)(StandInHost& host, Project& project, SelectorCall& call);

// Registers a selector that needs an open project and its first argument.
void addProjectSelector(StandInHost& host, SelectorTable& table, const char (&code)[5], Handler handler) {
    table.add(code, [&host, handler](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (call.args[0] == nullptr) return call.brief = "null record", hosterr::BadParameter;
        return handler(host, *project, call);
    });
}

GSErrCode projectFile(StandInHost&, Project& project, SelectorCall& call) {
    auto* info = static_cast<HostProjectInfo*>(call.args[0]);
    *info = HostProjectInfo();
    info->untitled = project.filePath.empty() ? 1 : 0;
    info->shared = project.model.settings.shared ? 1 : 0;
    if (!project.filePath.empty()) {
        info->location = new IO::Location(project.filePath);
        info->backupLocation = new IO::Location(project.filePath + ".bak");
    }
    if (project.model.settings.shared)
        info->sharedLocation = new IO::Location("/zavhost-server/" + project.name);
    info->temporaryLocation = new IO::Location("/tmp/zavhost-autosave");
    call.brief = project.filePath.empty() ? "untitled" : inQuotes(project.filePath);
    return hosterr::Ok;
}

GSErrCode projectTexts(StandInHost&, Project& project, SelectorCall& call) {
    auto* texts = static_cast<HostProjectTexts*>(call.args[0]);
    *texts = HostProjectTexts();
    copyText(texts->name, sizeof texts->name, project.name);
    copyText(texts->cityName, sizeof texts->cityName, textOf(project, "city"));
    copyText(texts->text1536, sizeof texts->text1536, textOf(project, "text1536"));
    copyText(texts->text1792, sizeof texts->text1792, textOf(project, "text1792"));
    call.brief = inQuotes(project.name);
    return hosterr::Ok;
}

GSErrCode preferences(StandInHost&, Project& project, SelectorCall& call) {
    uint32_t subCode = model::valueArgument(call.args[1]);
    if (subCode == UnitPreferencesSubCode) {
        call.brief = "unit preferences";
        std::memcpy(call.args[0], &project.model.settings.unitPreferences, sizeof(HostUnitPreferences));
        return hosterr::Ok;
    }
    if (subCode != 0) return call.brief = "sub-code " + std::to_string(subCode), hosterr::BadParameter;
    call.brief = "working units";
    std::memcpy(call.args[0], &project.model.settings.units, sizeof(HostWorkingUnits));
    return hosterr::Ok;
}

GSErrCode getPlace(StandInHost&, Project& project, SelectorCall& call) {
    std::memcpy(call.args[0], &project.model.settings.place, sizeof(HostPlaceInfo));
    call.brief = "north " + std::to_string(project.model.settings.place.northAngle);
    return hosterr::Ok;
}

GSErrCode setPlace(StandInHost&, Project& project, SelectorCall& call) {
    std::memcpy(&project.model.settings.place, call.args[0], sizeof(HostPlaceInfo));
    call.brief = "north " + std::to_string(project.model.settings.place.northAngle);
    return hosterr::Ok;
}

GSErrCode layerCombination(StandInHost&, Project& project, SelectorCall& call) {
    int16_t index = project.model.settings.layerCombination;
    if (project.model.attributes.find(AttrLayerCombination, index) == nullptr)
        return call.brief = "none", hosterr::NotFound;
    std::memcpy(call.args[0], &index, sizeof index);
    call.brief = "=> " + std::to_string(index);
    return hosterr::Ok;
}

GSErrCode sharedUsers(StandInHost&, Project& project, SelectorCall& call) {
    auto* users = static_cast<HostSharedUsers*>(call.args[0]);
    *users = HostSharedUsers();
    if (!project.model.settings.shared) return call.brief = "not shared", hosterr::Refused;
    const auto& list = project.model.settings.users;
    GSHandle handle = BMNewHandle(static_cast<GSSize>(list.size() * sizeof(HostSharedUser)));
    if (handle == nullptr) return hosterr::MemoryFull;
    for (size_t i = 0; i < list.size(); ++i) {
        HostSharedUser record;
        copyWide(record.fullName, 256, list[i].fullName);
        copyWide(record.loginName, 256, list[i].name);
        record.guid = list[i].guid;
        record.userId = list[i].id;
        record.secondWord = list[i].secondWord;
        std::memcpy(*handle + i * sizeof record, &record, sizeof record);
    }
    users->count = static_cast<int32_t>(list.size());
    users->users = handle;
    call.brief = "=> " + std::to_string(list.size()) + " user(s)";
    return hosterr::Ok;
}

GSErrCode storeys(StandInHost&, Project& project, SelectorCall& call) {
    auto* info = static_cast<HostStoreyInfo*>(call.args[0]);
    if (!project.model.storeys.fill(info)) return hosterr::MemoryFull;
    call.brief = "=> " + std::to_string(project.model.storeys.storeys().size()) + " storey(s), current " +
                 std::to_string(project.model.storeys.current());
    return hosterr::Ok;
}

GSErrCode currentStorey(StandInHost&, Project& project, SelectorCall& call) {
    auto* command = static_cast<const HostStoreyCommand*>(call.args[0]);
    auto index = static_cast<int16_t>(command->index);
    call.brief = std::to_string(index);
    return project.model.storeys.setCurrent(index) ? hosterr::Ok : hosterr::BadIndex;
}
} // namespace

void registerEnvironmentSelectors(StandInHost& host) {
    SelectorTable& table = host.environmentCalls();
    const struct {
        const char code[5];
        Handler handler;
    } projectSelectors[] = {
        {"PROJ", projectFile}, {"GPRN", projectTexts}, {"GPRF", preferences},
        {"GPLA", getPlace},    {"CPLA", setPlace},     {"GCLC", layerCombination},
        {"SHAR", sharedUsers}, {"GSTO", storeys},      {"CSTO", currentStorey},
    };
    for (const auto& each : projectSelectors)
        addProjectSelector(host, table, each.code, each.handler);
    table.add("SETD", [&host](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        uint32_t type = typeArgument(call.args[0]);
        uint32_t variation = 0; // by pointer only: a four-character code is no small number
        if (call.args[1] != nullptr) std::memcpy(&variation, call.args[1], sizeof variation);
        call.brief = "type " + std::to_string(type);
        if (type == 0 || type > 45) return hosterr::BadParameter;
        project->session.defaultToolType = type;
        project->session.defaultToolVariation = variation;
        return hosterr::Ok;
    });
    model::addCurrentDatabaseGuidSelector(table);
}

} // namespace zavhost
