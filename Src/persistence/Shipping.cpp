#include "persistence/Shipping.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <typeinfo>
#include <unordered_map>

namespace tarnwick {

namespace {

// The member names of one container type, and the count of the object they were taken from.
struct NameTable {
    size_t count = 0;
    FieldNameTable names;
};

// Tables live as long as the program: there is one per type that the reader looked into.
std::unordered_map<const std::type_info*, NameTable>& nameTables() {
    static std::unordered_map<const std::type_info*, NameTable> tables;
    return tables;
}

// Names are short: compared inline, a word at a time, rather than by a call.
bool sameBytes(const char* a, const char* b, size_t count) {
    if (count >= 8 && count <= 16) {
        uint64_t a1, a2, b1, b2;
        std::memcpy(&a1, a, 8);
        std::memcpy(&a2, a + count - 8, 8);
        std::memcpy(&b1, b, 8);
        std::memcpy(&b2, b + count - 8, 8);
        return ((a1 ^ b1) | (a2 ^ b2)) == 0;
    }
    if (count >= 4 && count < 8) {
        uint32_t a1, a2, b1, b2;
        std::memcpy(&a1, a, 4);
        std::memcpy(&a2, a + count - 4, 4);
        std::memcpy(&b1, b, 4);
        std::memcpy(&b2, b + count - 4, 4);
        return ((a1 ^ b1) | (a2 ^ b2)) == 0;
    }
    return std::memcmp(a, b, count) == 0;
}

} // namespace

FieldNameTable::FieldNameTable(std::initializer_list<std::string_view> names) {
    for (std::string_view name : names)
        add(name);
}

// Cheap rather than thorough: member names of one type differ in their length or in their first,
// middle or last bytes far more often than not, and collisions are settled by comparing.
size_t FieldNameTable::hashOf(std::string_view name) {
    if (name.empty()) return 0;
    auto byte = [&](size_t at) { return static_cast<size_t>(static_cast<unsigned char>(name[at])); };
    size_t h = name.size() * 0x9E3779B1u;
    h ^= byte(0) * 0x85EBCA77u ^ byte(name.size() / 2) * 0xC2B2AE3Du ^ byte(name.size() - 1) * 0x27D4EB2Fu;
    return h ^ (h >> 15);
}

void FieldNameTable::add(std::string_view name) {
    const size_t index = m_count++;
    if (find(name) != npos) return;
    if ((m_used + 1) * 2 > m_entries.size()) {
        std::vector<Entry> old = std::move(m_entries);
        m_entries.assign(old.empty() ? 16 : old.size() * 2, Entry());
        m_used = 0;
        for (Entry& entry : old)
            if (entry.index != npos) place(std::move(entry));
    }
    place(Entry{std::string(name), index});
}

void FieldNameTable::place(Entry entry) {
    const size_t mask = m_entries.size() - 1;
    size_t at = hashOf(entry.name) & mask;
    while (m_entries[at].index != npos)
        at = (at + 1) & mask;
    m_entries[at] = std::move(entry);
    ++m_used;
}

size_t FieldNameTable::find(std::string_view name) const {
    if (m_entries.empty()) return npos;
    const size_t mask = m_entries.size() - 1;
    for (size_t at = hashOf(name) & mask;; at = (at + 1) & mask) {
        const Entry& entry = m_entries[at];
        if (entry.index == npos) return npos;
        if (entry.name.size() == name.size() && sameBytes(entry.name.data(), name.data(), name.size()))
            return entry.index;
    }
}

std::unique_ptr<XMLShipping> ShippingContainer::makeFieldProxyByName(const String& name) {
    return ProxySlot::owned([&](ProxySlot& slot) { return placeNamedField(name, slot); });
}

XMLShipping* ShippingContainer::placeFieldProxy(size_t index, bool attributesOnly, ProxySlot& slot) {
    return slot.adopt(makeFieldProxy(index, attributesOnly));
}

XMLShipping* ShippingContainer::placeMember(const String& name, ProxySlot& slot) {
    return slot.adopt(makeMember(name));
}

XMLShipping* ShippingContainer::placeFieldProxyByName(const String& name, ProxySlot& slot) {
    return slot.adopt(makeFieldProxyByName(name));
}

XMLShipping* ShippingContainer::placeNamedField(const String& name, ProxySlot& slot) {
    static const std::type_info* lastType = nullptr;
    static const NameTable* lastTable = nullptr;
    const std::type_info* type = &typeid(*this);
    const size_t count = getFieldCount();
    if (type != lastType) {
        auto& tables = nameTables();
        auto found = tables.find(type);
        if (found == tables.end()) {
            // Made whole before it is kept, so that a member failing on the way leaves no table.
            NameTable table;
            table.count = count;
            ProxySlot probe;
            String scratch;
            for (size_t index = 0; index < count; ++index) {
                XMLShipping* member = placeFieldProxy(index, false, probe);
                // A missing member keeps its index, so that the names keep theirs.
                table.names.add(member ? member->viewElementName(scratch) : std::string_view());
            }
            found = tables.emplace(type, std::move(table)).first;
        }
        lastType = type;
        lastTable = &found->second;
    }
    if (lastTable->count == count) {
        const size_t index = lastTable->names.find(name.view());
        if (index != FieldNameTable::npos) {
            XMLShipping* member = placeFieldProxy(index, false, slot);
            String scratch;
            if (member && member->viewElementName(scratch) == name.view()) return member;
        }
    }
    return placeByScan(name, slot);
}

XMLShipping* ShippingContainer::placeByScan(const String& name, ProxySlot& slot) {
    const size_t count = getFieldCount();
    String scratch;
    for (size_t index = 0; index < count; ++index) {
        XMLShipping* member = placeFieldProxy(index, false, slot);
        if (member && member->viewElementName(scratch) == name.view()) return member;
    }
    slot.clear();
    return nullptr;
}

XMLContainerProxy::XMLContainerProxy(XMLShipping& target, const String& tag)
    : XMLShipping(tag), m_target(&target), m_container(target.asContainer()) {}

XMLContainerProxy::XMLContainerProxy(std::unique_ptr<XMLShipping> target, const String& tag)
    : XMLShipping(tag), m_owned(std::move(target)), m_target(m_owned.get()),
      m_container(m_target->asContainer()) {}

String XMLContainerProxy::getElementName() const {
    std::string_view tag = storedElementName();
    return tag.empty() ? m_target->getElementName() : String(tag);
}

std::string_view XMLContainerProxy::viewElementName(String& scratch) const {
    std::string_view tag = storedElementName();
    return tag.empty() ? m_target->viewElementName(scratch) : tag;
}

std::unique_ptr<XMLShipping> XMLContainerProxy::makeFieldProxy(size_t index, bool attributesOnly) {
    return m_container ? m_container->makeFieldProxy(index, attributesOnly) : nullptr;
}

std::unique_ptr<XMLShipping> XMLContainerProxy::makeMember(const String& name) {
    return m_container ? m_container->makeMember(name) : nullptr;
}

std::unique_ptr<XMLShipping> XMLContainerProxy::makeFieldProxyByName(const String& name) {
    return m_container ? m_container->makeFieldProxyByName(name) : nullptr;
}

XMLShipping* XMLContainerProxy::placeFieldProxy(size_t index, bool attributesOnly, ProxySlot& slot) {
    return m_container ? m_container->placeFieldProxy(index, attributesOnly, slot) : nullptr;
}

XMLShipping* XMLContainerProxy::placeMember(const String& name, ProxySlot& slot) {
    return m_container ? m_container->placeMember(name, slot) : nullptr;
}

XMLShipping* XMLContainerProxy::placeFieldProxyByName(const String& name, ProxySlot& slot) {
    return m_container ? m_container->placeFieldProxyByName(name, slot) : nullptr;
}

} // namespace tarnwick
