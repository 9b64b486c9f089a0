#include "LibraryManager.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
// A family tree deeper than this is a loop, whatever the ids say.
constexpr size_t deepestFamily = 1024;

template <size_t N> void copyUtf16(char16_t (&field)[N], const std::string& text) {
    const std::u16string wide = GS::Utf8ToUtf16(text);
    const size_t units = std::min(wide.size(), N - 1);
    std::copy_n(wide.data(), units, field);
    field[units] = 0;
}

template <size_t N> void copyBytes(char (&field)[N], const std::string& text) {
    const size_t bytes = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), bytes);
    field[bytes] = 0;
}
} // namespace

const LibraryPart* LibraryManager::part(uint32_t index) const {
    return index >= 1 && index <= m_parts.size() ? &m_parts[index - 1] : nullptr;
}

uint32_t LibraryManager::add(LibraryPart part) {
    if (!part.ownId.empty() && !part.parentId.empty()) m_parentOf[part.ownId] = part.parentId;
    m_parts.push_back(std::move(part));
    return count();
}

LibraryPart* LibraryManager::edit(uint32_t index) {
    return index >= 1 && index <= m_parts.size() ? &m_parts[index - 1] : nullptr;
}

void LibraryManager::replace(uint32_t index, LibraryPart part) {
    if (!part.ownId.empty() && !part.parentId.empty()) m_parentOf[part.ownId] = part.parentId;
    m_parts.at(index - 1) = std::move(part);
}

LibrarySection* LibraryPart::section(uint32_t code) {
    auto it = std::lower_bound(sections.begin(), sections.end(), code,
                               [](const LibrarySection& s, uint32_t c) { return s.code < c; });
    return it != sections.end() && it->code == code ? &*it : nullptr;
}

const LibrarySection* LibraryPart::section(uint32_t code) const {
    return const_cast<LibraryPart*>(this)->section(code);
}

void LibraryPart::setSection(LibrarySection given) {
    auto it = std::lower_bound(sections.begin(), sections.end(), given.code,
                               [](const LibrarySection& s, uint32_t c) { return s.code < c; });
    if (it != sections.end() && it->code == given.code)
        *it = std::move(given);
    else
        sections.insert(it, std::move(given));
}

bool LibraryManager::setParameters(uint32_t index, GSHandle parameters) {
    if (part(index) == nullptr) return false;
    if (parameters == nullptr) {
        m_parts[index - 1].parameters.reset();
        return true;
    }
    bool foreign = false;
    std::optional<StoredBlock> copy = copyBlock(parameters, Nesting::Parameters, &foreign);
    if (!copy || foreign || copy->isPointer) return false;
    m_parts[index - 1].parameters = std::move(copy);
    return true;
}

uint32_t LibraryManager::findByName(const std::string& name, uint32_t type) const {
    for (size_t i = 0; i < m_parts.size(); ++i)
        if (!m_parts[i].unreadable && m_parts[i].name == name && (type == 0 || m_parts[i].type == type))
            return static_cast<uint32_t>(i + 1);
    return 0;
}

uint32_t LibraryManager::findByFileName(const std::string& fileName) const {
    for (size_t i = 0; i < m_parts.size(); ++i)
        if (!m_parts[i].unreadable && m_parts[i].fileName == fileName) return static_cast<uint32_t>(i + 1);
    return 0;
}

uint32_t LibraryManager::findByOwnId(const std::string& id) const {
    for (size_t i = 0; i < m_parts.size(); ++i)
        if (!m_parts[i].unreadable && m_parts[i].ownId == id) return static_cast<uint32_t>(i + 1);
    return 0;
}

uint32_t LibraryManager::findByParentId(const std::string& id, uint32_t after) const {
    for (size_t i = after; i < m_parts.size(); ++i)
        if (!m_parts[i].unreadable && m_parts[i].parentId == id) return static_cast<uint32_t>(i + 1);
    return 0;
}

uint32_t LibraryManager::findByPath(const std::string& path) const {
    for (size_t i = 0; i < m_parts.size(); ++i)
        if (m_parts[i].path == path) return static_cast<uint32_t>(i + 1);
    return 0;
}

bool LibraryManager::derives(const std::string& id, const std::string& family) const {
    if (id.empty() || family.empty()) return false;
    std::string current = id;
    for (size_t depth = 0; depth < deepestFamily; ++depth) {
        if (current == family) return true;
        auto extra = m_derivations.find(current);
        if (extra != m_derivations.end()) {
            current = extra->second;
            continue;
        }
        auto own = m_parentOf.find(current);
        if (own == m_parentOf.end()) return false;
        current = own->second;
    }
    return false;
}

void LibraryManager::addDerivation(const std::string& child, const std::string& parent) {
    m_derivations[child] = parent;
}

void LibraryManager::setVersion(const std::string& id, int32_t version) {
    m_versions[id] = version;
}

std::optional<int32_t> LibraryManager::versionOf(const std::string& id) const {
    auto found = m_versions.find(id);
    if (found == m_versions.end()) return std::nullopt;
    return found->second;
}

bool LibraryManager::operator==(const LibraryManager& other) const {
    return m_parts == other.m_parts && m_derivations == other.m_derivations &&
           m_versions == other.m_versions && folders == other.folders &&
           selectedFolder == other.selectedFolder && reloads == other.reloads;
}

std::string standardFamily(const std::string& name) {
    static const std::map<std::string, std::string> families = {
        {"door", "{11E85B84-8DD1-491B-A2FE-337454A91545}-{9CD857B9-18A7-4F56-80E4-3E80CF98C51C}"},
        {"label", "{BDB8C3EE-4019-46C8-91D0-7A8DE0A5EC6D}-{1A63DAB2-6C58-40F5-A8CF-66C24221E66B}"},
        {"lamp", "{51A838E5-0F40-4F6D-A658-CF2845581749}-{0FEEC221-485B-4E33-AB14-BEF539A03456}"},
        {"property", "{8F157ABA-E5C9-48B6-9DCE-68F0F02A808E}-{09EA47C2-E2A1-4805-94C8-B19BB097C5D7}"},
        {"window", "{4ABD0A6E-634B-4931-B3AA-9BEE01F35CDF}-{71F409AA-4D0A-4152-BF03-8E77782C8DD6}"},
        {"zone", "{A73622DE-E40A-4E63-ADB7-52D13422BD06}-{8BAE3C2B-6B64-4F5B-8144-851BE94F4F39}"},
    };
    auto found = families.find(name);
    return found == families.end() ? std::string() : found->second;
}

std::string familyOf(const std::string& unId) {
    const size_t split = unId.find("}-{");
    return split == std::string::npos ? unId : unId.substr(0, split + 1);
}

void fillLibPartRecord(const LibraryPart& part, uint32_t index, HostLibPart* record) {
    *record = HostLibPart();
    record->typeCode = part.type;
    record->index = index;
    copyUtf16(record->documentName, part.name);
    copyUtf16(record->fileName, part.fileName);
    record->missing = part.missing ? 1 : 0;
    record->ownerId = part.ownerId;
    record->version = part.version;
    record->location = part.path.empty() ? nullptr : new IO::Location(part.path);
    copyBytes(record->ownUnId, part.ownId);
    copyBytes(record->parentUnId, part.parentId);
}

HostAdditionalParameter parameterRecord(uint32_t type, const std::string& name, double number,
                                        const std::string& text) {
    HostAdditionalParameter record;
    record.typeCode = type;
    record.valueForm = ParameterSingleValue;
    copyBytes(record.name, name);
    record.firstDimension = 1;
    record.secondDimension = 1;
    if (type == 12) {
        record.value = HostParameterValue();
        copyUtf16(record.value.text, text);
    } else {
        record.value.real = number;
    }
    return record;
}

} // namespace zavhost
