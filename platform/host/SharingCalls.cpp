// Shared projects: element reservations and lockable objects.
#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Containers.h"

namespace zavhost::sharingcalls {

namespace {
uint64_t hashOf(const std::string& text, uint64_t seed) {
    uint64_t hash = seed;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

// The lockable object a Guid names, or null.
std::map<std::string, int32_t>::iterator lockableOf(Project& project, const API_Guid* guid) {
    auto& lockables = project.session.lockables;
    if (guid == nullptr) return lockables.end();
    for (auto it = lockables.begin(); it != lockables.end(); ++it)
        if (lockableGuidOf(it->first) == *guid) return it;
    return lockables.end();
}
} // namespace

API_Guid lockableGuidOf(const std::string& name) {
    return API_Guid::fromHalves(hashOf(name, 0xCBF29CE484222325ULL), hashOf(name, 0x84222325CBF29CE4ULL));
}

bool isShared(StandInHost& host) {
    return host.project() != nullptr && host.project()->model.settings.shared;
}

GSErrCode reserve(StandInHost& host, const GS::Array<API_Guid>* elements,
                  GS::HashTable<API_Guid, int16_t>* heldByOthers, std::string& brief) {
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    if (elements == nullptr || heldByOthers == nullptr) return brief = "null list", hosterr::BadParameter;
    brief = std::to_string(elements->GetSize()) + " element(s)";
    if (!project->model.settings.shared) return hosterr::Ok;
    const uint16_t me = project->model.settings.currentUserId();
    size_t held = 0;
    for (const API_Guid& guid : *elements) {
        auto other = project->session.heldByOthers.find(guid);
        if (other != project->session.heldByOthers.end()) {
            heldByOthers->Add(guid, other->second);
            ++held;
            continue;
        }
        if (StoredElement* element = project->model.views.editElement(guid))
            element->record.head.ownerUserId = me;
    }
    if (held != 0) brief += " => " + std::to_string(held) + " held by others";
    return hosterr::Ok;
}

GSErrCode release(StandInHost& host, const GS::Array<API_Guid>* elements, std::string& brief) {
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    if (elements == nullptr) return brief = "null list", hosterr::BadParameter;
    brief = std::to_string(elements->GetSize()) + " element(s)";
    const uint16_t me = project->model.settings.currentUserId();
    for (const API_Guid& guid : *elements) {
        const StoredElement* element = project->model.views.findElement(guid);
        if (element != nullptr && me != 0 && element->head().ownerUserId == me)
            project->model.views.editElement(guid)->record.head.ownerUserId = 0;
    }
    return hosterr::Ok;
}

GSErrCode lockableGuid(StandInHost& host, API_Guid* guid, const char* name, std::string& brief) {
    if (guid == nullptr || name == nullptr) return brief = "null argument", hosterr::BadParameter;
    brief = inQuotes(name);
    *guid = API_Guid();
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    if (project->session.lockables.count(name) == 0) return hosterr::NotFound;
    *guid = lockableGuidOf(name);
    return hosterr::Ok;
}

bool lockableKnown(StandInHost& host, const API_Guid* guid) {
    Project* project = host.project();
    return project != nullptr && project->model.settings.shared &&
           lockableOf(*project, guid) != project->session.lockables.end();
}

int32_t lockableStatus(StandInHost& host, const API_Guid* guid) {
    Project* project = host.project();
    if (project == nullptr) return 0;
    auto it = lockableOf(*project, guid);
    return it == project->session.lockables.end() ? 0 : it->second;
}

GSErrCode reserveLockable(StandInHost& host, const API_Guid* guid, std::string& brief) {
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    auto it = lockableOf(*project, guid);
    if (it == project->session.lockables.end()) return brief = "unknown object", hosterr::BadGuid;
    brief = inQuotes(it->first);
    if (it->second != 1) return brief += ": not free", hosterr::Refused;
    it->second = 2;
    return hosterr::Ok;
}

GSErrCode releaseLockable(StandInHost& host, const API_Guid* guid, std::string& brief) {
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    auto it = lockableOf(*project, guid);
    if (it == project->session.lockables.end()) return brief = "unknown object", hosterr::BadGuid;
    brief = inQuotes(it->first);
    if (it->second != 2) return brief += ": not reserved here", hosterr::Refused;
    it->second = 1;
    return hosterr::Ok;
}

} // namespace zavhost::sharingcalls
