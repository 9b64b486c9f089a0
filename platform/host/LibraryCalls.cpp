// The library manager's functions of the table and its selectors: parts found, read, counted and
// registered, their default parameters handed out and disposed of, unique ids ("GLUI"), family
// derivation ("CLPS") and version order ("COMP"), and the library folders ("GLIB", "SLIB",
// "ALIB", "LLIB"). Each library function may be failed on purpose through the host's faults.
#include <cstring>

#include "CallForwarding.h"
#include "LibraryCalls.h"
#include "ModelCalls.h"
#include "ParameterExchange.h"
#include "RecordFields.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Containers.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"
#include "platform/io/FileSystem.h"

namespace zavhost {

namespace {

using forwarding::host;
using forwarding::logged;

std::string boundedText(const void* text) {
    return text == nullptr ? std::string()
                           : std::string(static_cast<const char*>(text),
                                         strnlen(static_cast<const char*>(text), HostUnIdBytes));
}

// A library function: the call with the open project, logged.
template <class Call> GSErrCode forward(const char* function, Call call) {
    StandInHost* h = host();
    if (h == nullptr) return hosterr::Failed;
    std::string brief;
    Project* project = model::project(*h, brief);
    GSErrCode err = project == nullptr ? hosterr::NoProject : call(*project, brief);
    return logged(function, std::move(brief), err);
}

GSErrCode searchLibPart(HostLibPart* record, void*, int32_t) {
    return forward("SearchLibPart", [&](Project& project, std::string& brief) {
        if (record == nullptr) return hosterr::BadParameter;
        const LibraryManager& library = project.library;
        uint32_t index = 0;
        if (record->ownUnId[0] != 0) {
            brief = "id " + inQuotes(textOf(record->ownUnId));
            index = library.findByOwnId(textOf(record->ownUnId));
        } else if (record->parentUnId[0] != 0) {
            brief =
                "parent " + inQuotes(textOf(record->parentUnId)) + " after " + std::to_string(record->index);
            index = library.findByParentId(textOf(record->parentUnId), record->index);
        } else if (record->documentName[0] != 0) {
            brief = inQuotes(textOf(record->documentName)) + " type " + std::to_string(record->typeCode);
            index = library.findByName(textOf(record->documentName), record->typeCode);
        } else if (record->fileName[0] != 0) {
            brief = "file " + inQuotes(textOf(record->fileName));
            index = library.findByFileName(textOf(record->fileName));
        } else {
            brief = "nothing to search for";
            return hosterr::BadParameter;
        }
        if (index == 0) return hosterr::NotFound;
        fillLibPartRecord(*library.part(index), index, record);
        brief += " => " + std::to_string(index);
        return hosterr::Ok;
    });
}

GSErrCode getLibPart(HostLibPart* record) {
    return forward("GetLibPart", [&](Project& project, std::string& brief) {
        if (record == nullptr) return hosterr::BadParameter;
        brief = std::to_string(record->index);
        const LibraryPart* part = project.library.part(record->index);
        if (part == nullptr || part->unreadable) return hosterr::BadIndex;
        fillLibPartRecord(*part, record->index, record);
        brief += " => " + inQuotes(part->name);
        return hosterr::Ok;
    });
}

GSErrCode getLibPartCount(int32_t* count) {
    return forward("GetLibPartCount", [&](Project& project, std::string& brief) {
        if (count == nullptr) return hosterr::BadParameter;
        *count = static_cast<int32_t>(project.library.count());
        brief = "=> " + std::to_string(*count);
        return hosterr::Ok;
    });
}

GSErrCode registerLibPart(HostLibPart* record) {
    return forward("RegisterLibPart", [&](Project& project, std::string& brief) {
        if (record == nullptr || record->location == nullptr || record->typeCode == 0)
            return hosterr::BadParameter;
        const std::string path = record->location->ToPath();
        brief = inQuotes(path) + " type " + std::to_string(record->typeCode);
        if (IO::GetItemType(*record->location) != IO::ItemFile) return hosterr::NotFound;
        LibraryManager& library = project.library;
        uint32_t index = library.findByPath(path);
        if (index == 0) {
            LibraryPart part;
            part.type = record->typeCode;
            part.fileName = record->location->GetLastLocalName();
            const size_t dot = part.fileName.rfind('.');
            part.name = dot == std::string::npos || dot == 0 ? part.fileName : part.fileName.substr(0, dot);
            part.ownerId = record->ownerId;
            part.path = path;
            part.ownId = "{" + model::guidText(newGuid()) + "}-{" + model::guidText(newGuid()) + "}";
            index = library.add(std::move(part));
        }
        // The location stays the caller's.
        IO::Location* given = record->location;
        fillLibPartRecord(*library.part(index), index, record);
        delete record->location;
        record->location = given;
        brief += " => " + std::to_string(index);
        return hosterr::Ok;
    });
}

GSErrCode getLibPartParameters(int32_t libIndex, double* a, double* b, GSHandle* parameters) {
    return forward("GetLibPartParameters", [&](Project& project, std::string& brief) {
        brief = std::to_string(libIndex);
        if (a == nullptr || b == nullptr || parameters == nullptr) return hosterr::BadParameter;
        const LibraryPart* part =
            libIndex > 0 ? project.library.part(static_cast<uint32_t>(libIndex)) : nullptr;
        if (part == nullptr || part->unreadable) return hosterr::BadIndex;
        *a = part->a;
        *b = part->b;
        *parameters = nullptr;
        if (part->parameters) {
            *parameters = static_cast<GSHandle>(makeBlock(*part->parameters));
            if (*parameters == nullptr) return hosterr::MemoryFull;
        }
        brief += *parameters != nullptr ? " => parameters" : " => none";
        return hosterr::Ok;
    });
}

GSErrCode disposeParameterHandle(GSHandle* parameters) {
    StandInHost* h = host();
    if (h == nullptr) return hosterr::Failed;
    if (parameters == nullptr) return logged("DisposeParameterHandle", "null", hosterr::BadParameter);
    if (*parameters == nullptr) return logged("DisposeParameterHandle", "none", hosterr::Ok);
    if (!BMIsLiveHandle(*parameters) || !freeBlock(*parameters, Nesting::Parameters))
        return logged("DisposeParameterHandle", "not a live handle", hosterr::BadParameter);
    *parameters = nullptr;
    return logged("DisposeParameterHandle", "parameters", hosterr::Ok);
}

void registerPartSelectors(StandInHost& h) {
    SelectorTable& utility = h.utilityCalls();
    utility.add("GLUI", [&h](SelectorCall& call) {
        Project* project = model::project(h, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        const uint32_t index = model::valueArgument(call.args[0]);
        auto* out = static_cast<char*>(call.args[1]);
        call.brief = std::to_string(index);
        const LibraryPart* part = project->library.part(index);
        if (out == nullptr) return hosterr::BadParameter;
        if (part == nullptr || part->unreadable) return hosterr::BadIndex;
        const size_t bytes = std::min(part->ownId.size(), HostUnIdBytes - 1);
        std::memcpy(out, part->ownId.data(), bytes);
        out[bytes] = 0;
        call.brief += " => " + inQuotes(part->ownId);
        return hosterr::Ok;
    });
    utility.add("CLPS", [&h](SelectorCall& call) {
        Project* project = model::project(h, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (call.args[0] == nullptr || call.args[1] == nullptr) return hosterr::BadParameter;
        const std::string id = boundedText(call.args[0]);
        const std::string family = boundedText(call.args[1]);
        call.brief = inQuotes(id) + " of " + inQuotes(family);
        return project->library.derives(id, family) ? hosterr::Ok : hosterr::NotFound;
    });
    utility.add("COMP", [&h](SelectorCall& call) {
        Project* project = model::project(h, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        const std::string first = boundedText(call.args[0]);
        const std::string second = boundedText(call.args[1]);
        call.brief = inQuotes(first) + " with " + inQuotes(second);
        const std::optional<int32_t> v1 = project->library.versionOf(first);
        const std::optional<int32_t> v2 = project->library.versionOf(second);
        if (!v1 || !v2 || familyOf(first) != familyOf(second)) return hosterr::NotFound;
        return *v1 == *v2 ? hosterr::Ok : *v1 < *v2 ? hosterr::FamilyAnswerA : hosterr::FamilyAnswerB;
    });
}

void registerFolderSelectors(StandInHost& h) {
    h.environmentCalls().add("GLIB", [&h](SelectorCall& call) {
        Project* project = model::project(h, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        auto* folders = static_cast<GS::Array<HostLibraryFolder>*>(call.args[0]);
        auto* selected = static_cast<int32_t*>(call.args[1]);
        if (folders == nullptr) return hosterr::BadParameter;
        folders->Clear();
        for (const std::string& path : project->library.folders) {
            HostLibraryFolder entry;
            entry.location = IO::Location(path);
            folders->Push(entry);
        }
        if (selected != nullptr) *selected = project->library.selectedFolder;
        call.brief = "=> " + std::to_string(folders->GetSize()) + ", selected " +
                     std::to_string(project->library.selectedFolder);
        return hosterr::Ok;
    });
    auto takeFolders = [](Project& project, const GS::Array<HostLibraryFolder>& folders) {
        LibraryManager& library = project.library;
        library.folders.clear();
        for (const HostLibraryFolder& entry : folders)
            library.folders.push_back(entry.location.ToPath());
        if (library.selectedFolder >= static_cast<int32_t>(library.folders.size()))
            library.selectedFolder = -1;
    };
    h.environmentCalls().add("SLIB", [&h, takeFolders](SelectorCall& call) {
        Project* project = model::project(h, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        const auto* folders = static_cast<const GS::Array<HostLibraryFolder>*>(call.args[0]);
        if (folders == nullptr) return hosterr::BadParameter;
        takeFolders(*project, *folders);
        call.brief = std::to_string(folders->GetSize()) + " folders";
        return hosterr::Ok;
    });
    h.environmentCalls().add("ALIB", [&h](SelectorCall& call) {
        Project* project = model::project(h, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        const auto* location = static_cast<const IO::Location*>(call.args[0]);
        if (location == nullptr) return hosterr::BadParameter;
        call.brief = inQuotes(location->ToPath());
        if (IO::GetItemType(*location) != IO::ItemFolder) return hosterr::NotFound;
        std::vector<std::string>& folders = project->library.folders;
        if (std::find(folders.begin(), folders.end(), location->ToPath()) == folders.end())
            folders.push_back(location->ToPath());
        return hosterr::Ok;
    });
    h.automationCalls().add("LLIB", [&h, takeFolders](SelectorCall& call) {
        Project* project = model::project(h, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        const auto* folders = static_cast<const GS::Array<HostLibraryFolder>*>(call.args[0]);
        if (folders == nullptr) return hosterr::BadParameter;
        takeFolders(*project, *folders);
        ++project->library.reloads;
        call.brief = std::to_string(folders->GetSize()) + " folders";
        return hosterr::Ok;
    });
}

} // namespace

void registerLibrarySelectors(StandInHost& host) {
    registerPartSelectors(host);
    registerFolderSelectors(host);
    host.commandLists().registerSelectors(host.utilityCalls());
    registerParameterExchange(host);
    registerLibrarySectionSelectors(host);
}

void fillLibraryFunctions(HostFunctionTable* table) {
    table->SearchLibPart = searchLibPart;
    table->GetLibPart = getLibPart;
    table->GetLibPartCount = getLibPartCount;
    table->RegisterLibPart = registerLibPart;
    table->GetLibPartParameters = getLibPartParameters;
    table->DisposeParameterHandle = disposeParameterHandle;
    fillLibrarySectionFunctions(table);
}

} // namespace zavhost
