// The attribute slots of the function table.
#include <cstring>
#include <set>

#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

namespace zavhost::attributecalls {

namespace {
std::string nameOf(const HostAttributeHeader& header) {
    return std::string(header.name, strnlen(header.name, sizeof header.name));
}

std::string describe(uint32_t type, int16_t index) {
    return AttributeStore::typeName(type) + " " + std::to_string(index);
}

std::string describe(const HostAttributeHeader& header) {
    std::string text = describe(header.typeCode, header.index);
    std::string name = nameOf(header);
    return name.empty() ? text : text + " " + inQuotes(name);
}

// The default layer and the first pen cannot go: elements fall back to them.
bool protectedAttribute(uint32_t type, int16_t index) {
    return (type == AttrLayer || type == AttrPen) && index == 1;
}
} // namespace

GSErrCode create(StandInHost& host, API_Attribute* attribute, HostAttributeMemo* memo, std::string& brief) {
    if (attribute == nullptr) return brief = "null record", hosterr::BadParameter;
    brief = describe(attribute->header);
    std::string why;
    if (!model::changesAllowed(host, why)) return brief += ": " + why, hosterr::Refused;
    why = host.project()->model.attributes.memoFault(*attribute, memo);
    if (!why.empty()) return brief += ": " + why, hosterr::BadParameter;
    GSErrCode err = host.project()->model.attributes.create(attribute, memo);
    if (err == hosterr::Ok) brief += " => " + std::to_string(attribute->header.index);
    return err;
}

GSErrCode modify(StandInHost& host, API_Attribute* attribute, HostAttributeMemo* memo, std::string& brief) {
    if (attribute == nullptr) return brief = "null record", hosterr::BadParameter;
    brief = describe(attribute->header) + (memo != nullptr ? " with memo" : "");
    std::string why;
    if (!model::changesAllowed(host, why)) return brief += ": " + why, hosterr::Refused;
    why = host.project()->model.attributes.memoFault(*attribute, memo);
    if (!why.empty()) return brief += ": " + why, hosterr::BadParameter;
    return host.project()->model.attributes.modify(*attribute, memo);
}

GSErrCode remove(StandInHost& host, HostAttributeHeader* header, std::string& brief) {
    if (header == nullptr) return brief = "null header", hosterr::BadParameter;
    brief = describe(header->typeCode, header->index);
    std::string why;
    if (!model::changesAllowed(host, why)) return brief += ": " + why, hosterr::Refused;
    if (protectedAttribute(header->typeCode, header->index)) return hosterr::Refused;
    return host.project()->model.attributes.remove(header->typeCode, header->index);
}

GSErrCode removeMany(StandInHost& host, HostAttributeHeader* header, GSHandle indices, std::string& brief) {
    if (header == nullptr || !BMIsLiveHandle(indices))
        return brief = "no header or indices", hosterr::BadParameter;
    const uint32_t type = header->typeCode;
    const size_t size = static_cast<size_t>(BMHandleSize(indices));
    if (size % sizeof(int16_t) != 0) return brief = "odd handle size", hosterr::BadParameter;
    std::vector<int16_t> list(size / sizeof(int16_t));
    if (size > 0) std::memcpy(list.data(), *indices, size);
    brief = AttributeStore::typeName(type) + " x" + std::to_string(list.size());
    std::string why;
    if (!model::changesAllowed(host, why)) return brief += ": " + why, hosterr::Refused;
    AttributeStore& store = host.project()->model.attributes;
    if (!AttributeStore::validType(type)) return hosterr::BadParameter;
    // All or nothing: every index must name a different attribute that may go.
    std::set<int16_t> seen;
    for (int16_t index : list) {
        if (store.find(type, index) == nullptr || !seen.insert(index).second)
            return brief += ": no " + std::to_string(index), hosterr::BadIndex;
        if (protectedAttribute(type, index)) return brief += ": " + std::to_string(index), hosterr::Refused;
    }
    for (int16_t index : list)
        store.remove(type, index);
    return hosterr::Ok;
}

GSErrCode get(StandInHost& host, API_Attribute* attribute, std::string& brief) {
    if (attribute == nullptr) return brief = "null record", hosterr::BadParameter;
    brief = describe(attribute->header.typeCode, attribute->header.index);
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    GSErrCode err = project->model.attributes.get(attribute);
    if (err == hosterr::Ok) brief = describe(attribute->header);
    return err;
}

GSErrCode count(StandInHost& host, uint8_t type, uint16_t* count, std::string& brief) {
    brief = AttributeStore::typeName(type);
    if (count == nullptr) return hosterr::BadParameter;
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    if (!AttributeStore::validType(type)) return hosterr::BadParameter;
    *count = project->model.attributes.count(type);
    brief += " => " + std::to_string(*count);
    return hosterr::Ok;
}

GSErrCode getMemo(StandInHost& host, uint8_t type, int16_t index, HostAttributeMemo* memo,
                  std::string& brief) {
    brief = describe(type, index);
    if (memo == nullptr) return hosterr::BadParameter;
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    const StoredAttribute* stored = project->model.attributes.find(type, index);
    if (stored == nullptr) return AttributeStore::validType(type) ? hosterr::BadIndex : hosterr::BadParameter;
    if (!handOutAttributeMemo(stored->memo, memo)) return hosterr::MemoryFull;
    brief += " => " + std::to_string(stored->memo.size()) + " part(s)";
    return hosterr::Ok;
}

GSErrCode disposeMemo(HostAttributeMemo* memo, std::string& brief) {
    if (memo == nullptr) return brief = "null", hosterr::BadParameter;
    int foreign = disposeAttributeMemo(memo);
    if (foreign != 0) brief = std::to_string(foreign) + " foreign pointer(s) left alone";
    return foreign == 0 ? hosterr::Ok : hosterr::BadParameter;
}

GSErrCode getUserData(StandInHost& host, HostAttributeHeader* header, HostUserData* data,
                      std::string& brief) {
    if (header == nullptr || data == nullptr) return brief = "null record", hosterr::BadParameter;
    brief = describe(header->typeCode, header->index);
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    const StoredAttribute* stored = project->model.attributes.find(header->typeCode, header->index);
    if (stored == nullptr) return hosterr::BadIndex;
    if (!stored->userData) return hosterr::NoUserData;
    if (!handOutUserData(*stored->userData, data)) return hosterr::MemoryFull;
    brief += " => " + std::to_string(stored->userData->bytes.size()) + " bytes";
    return hosterr::Ok;
}

GSErrCode search(StandInHost& host, HostAttributeHeader* header, std::string& brief) {
    if (header == nullptr) return brief = "null header", hosterr::BadParameter;
    std::string name = nameOf(*header);
    brief = AttributeStore::typeName(header->typeCode) + " " + inQuotes(name);
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    if (!AttributeStore::validType(header->typeCode)) return hosterr::BadParameter;
    int16_t index = project->model.attributes.search(header->typeCode, name);
    if (index == 0) return hosterr::NotFound;
    header->index = index;
    brief += " => " + std::to_string(index);
    return hosterr::Ok;
}

} // namespace zavhost::attributecalls
