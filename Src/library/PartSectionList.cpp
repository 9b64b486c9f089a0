#include "library/PartSectionList.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "platform/gsroot/UniString.h"

namespace tarnwick {

namespace section {
bool isText(uint32_t code) {
    static constexpr uint32_t texts[] = {fourCC("CTXT"), fourCC("1DSC"), fourCC("2DSC"), fourCC("3DSC"),
                                         fourCC("BMSC"), fourCC("CPYR"), fourCC("FMSC"), fourCC("PRSC"),
                                         fourCC("UISC"), fourCC("VLSC")};
    return std::find(std::begin(texts), std::end(texts), code) != std::end(texts);
}
} // namespace section

namespace {
GSHandle copyOf(GSHandle handle) {
    if (handle == nullptr) return nullptr;
    const GSSize size = getHandleSize(handle);
    GSHandle copy = allocateHandle(size);
    if (size != 0) std::memcpy(*copy, *handle, static_cast<size_t>(size));
    return copy;
}

// A handle of the text's bytes and a NUL.
GSHandle textHandle(const String& text) {
    GSHandle handle = allocateHandle(static_cast<GSSize>(text.getByteLength() + 1));
    std::memcpy(*handle, text.c_str(), text.getByteLength() + 1);
    return handle;
}
} // namespace

PartSectionList::PartSectionList(const PartSectionList& other) {
    m_entries.reserve(other.m_entries.size());
    try {
        for (const auto& [code, handle] : other.m_entries)
            m_entries.emplace_back(code, copyOf(handle));
    } catch (...) {
        clear();
        throw;
    }
}

PartSectionList& PartSectionList::operator=(const PartSectionList& other) {
    if (this != &other) {
        PartSectionList copy(other);
        std::swap(m_entries, copy.m_entries);
    }
    return *this;
}

PartSectionList::~PartSectionList() {
    clear();
}

std::vector<std::pair<uint32_t, GSHandle>>::const_iterator PartSectionList::lowerBound(uint32_t code) const {
    return std::lower_bound(
        m_entries.begin(), m_entries.end(), code,
        [](const std::pair<uint32_t, GSHandle>& entry, uint32_t c) { return entry.first < c; });
}

bool PartSectionList::contains(uint32_t code) const {
    auto it = lowerBound(code);
    return it != m_entries.end() && it->first == code;
}

GSHandle PartSectionList::find(uint32_t code) const {
    auto it = lowerBound(code);
    return it != m_entries.end() && it->first == code ? it->second : nullptr;
}

std::pair<uint32_t, GSHandle> PartSectionList::at(size_t position) const {
    if (position >= m_entries.size()) throw std::out_of_range("invalid vector<T> subscript");
    return m_entries[position];
}

void PartSectionList::set(uint32_t code, GSHandle handle) {
    auto it = m_entries.begin() + (lowerBound(code) - m_entries.cbegin());
    if (it != m_entries.end() && it->first == code) {
        if (it->second != handle) freeHandle(it->second);
        it->second = handle;
        return;
    }
    m_entries.emplace(it, code, handle);
}

void PartSectionList::remove(uint32_t code) {
    auto it = m_entries.begin() + (lowerBound(code) - m_entries.cbegin());
    if (it == m_entries.end() || it->first != code) return;
    freeHandle(it->second);
    m_entries.erase(it);
}

void PartSectionList::clear() {
    for (auto& entry : m_entries)
        freeHandle(entry.second);
    m_entries.clear();
}

size_t ComponentResourceMemo::getSectionCount() {
    return sections().size();
}

PartSectionList& ComponentResourceMemo::sections() {
    if (!m_loaded) load();
    return m_sections;
}

void ComponentResourceMemo::load() {
    m_loaded = true;
    const uint32_t index = getPartIndex();
    if (index == 0) return;
    const auto libIndex = static_cast<int32_t>(index);
    int32_t count = 0;
    GSHandle headers = nullptr;
    if (ACAPGetLibPartSectionList(libIndex, &count, &headers) != hosterr::Ok) {
        freeHandle(headers);
        return;
    }
    const size_t listed = std::min<size_t>(count < 0 ? 0 : static_cast<size_t>(count),
                                           getHandleSize(headers) / sizeof(HostLibPartSection));
    for (size_t i = 0; i < listed; ++i) {
        HostLibPartSection header;
        std::memcpy(&header, *headers + i * sizeof header, sizeof header);
        GSHandle data = nullptr;
        GS::UniString text;
        const bool isText = section::isText(header.code);
        const GSErrCode err = ACAPGetLibPartSection(libIndex, &header, &data, isText ? &text : nullptr);
        if (err == hosterr::NoSection) {
            freeHandle(data);
            m_sections.set(header.code, nullptr);
            continue;
        }
        if (err != hosterr::Ok) {
            freeHandle(data);
            break;
        }
        if (isText && getHandleSize(data) == 0) {
            freeHandle(data);
            data = textHandle(String(text));
        }
        m_sections.set(header.code, data);
    }
    freeHandle(headers);
}

MemoryBlock ComponentResourceMemo::getSection(uint32_t code) {
    GSHandle built = nullptr;
    if (code == section::Parameters && buildParameterSection(built) == hosterr::Ok) return MemoryBlock(built);
    return MemoryBlock(copyOf(sections().find(code)));
}

MemoryBlock ComponentResourceMemo::getSectionAt(size_t position, uint32_t& code) {
    code = sections().at(position).first;
    return getSection(code);
}

bool ComponentResourceMemo::setSection(uint32_t code, GSHandle handle) {
    MemoryBlock taken(handle);
    bool done = true;
    if (code == section::Parameters) {
        done = taken.isEmpty() || takeParameterSection(taken.getHandle());
        sections().set(code, nullptr);
    } else if (taken.isEmpty()) {
        sections().remove(code);
    } else {
        sections().set(code, taken.releaseHandle());
    }
    sectionChanged(code);
    return done;
}

void ComponentResourceMemo::removeSection(uint32_t code) {
    sections().remove(code);
    sectionChanged(code);
}

String ComponentResourceMemo::getSectionText(uint32_t code) {
    GSHandle handle = sections().find(code);
    const size_t size = getHandleSize(handle);
    if (size == 0) return String();
    return String(std::string_view(*handle, strnlen(*handle, size)));
}

void ComponentResourceMemo::setSectionText(uint32_t code, const String& text) {
    setSection(code, textHandle(text));
}

} // namespace tarnwick
