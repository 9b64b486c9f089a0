// Names one host attribute: its type code and index within an attribute database.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/String.h"
#include "platform/api/AttributeRecords.h"

namespace tarnwick {

class Specification;

class AttributeLink {
public:
    AttributeLink() = default;
    // A non-zero index without a database binds to the current project's attribute database.
    AttributeLink(uint32_t index, uint8_t type, Specification* database = nullptr);
    // The host's 16-bit index (a negative one is kept in the low 16 bits).
    AttributeLink(int16_t index, uint8_t type, Specification* database = nullptr);
    AttributeLink(int index, uint8_t type, Specification* database = nullptr)
        : AttributeLink(static_cast<int16_t>(index), type, database) {}
    // The attribute of that name, searched in the host; index 0 when there is none.
    AttributeLink(const String& name, uint8_t type, Specification* database = nullptr);
    // Type and index of a host header.
    AttributeLink(const HostAttributeHeader& header, Specification* database);
    // Type and index of a host header, bound to no database.
    static AttributeLink fromHeader(const HostAttributeHeader& header);
    AttributeLink(const AttributeLink&) = default;
    AttributeLink& operator=(const AttributeLink&) = default;
    virtual ~AttributeLink() = default;
    virtual std::unique_ptr<AttributeLink> clone() const { return std::make_unique<AttributeLink>(*this); }

    uint32_t getIndex() const { return m_index; }
    int16_t getIndex16() const { return static_cast<int16_t>(m_index & 0xFFFF); }
    uint8_t getType() const { return m_type; }
    Specification* getDatabase() const { return m_database; }
    void setIndex(uint32_t index) { m_index = index; }
    void setType(uint8_t type) { m_type = type; }
    void setDatabase(Specification* database) { m_database = database; }

    // Both the type code and the index are set.
    bool isValid() const { return m_type != 0 && m_index != 0; }
    bool operator==(const AttributeLink& other) const {
        return m_index == other.m_index && m_type == other.m_type && m_database == other.m_database;
    }
    bool operator!=(const AttributeLink& other) const { return !(*this == other); }

    // A cleared header with the link's type and index, as the host's attribute calls take it.
    void makeHeader(HostAttributeHeader& header) const;
    // Type and 16-bit index from a header; the database stays.
    void setFromHeader(const HostAttributeHeader& header);

    // Copies the name into the header's 8-bit name field: whole characters that fit before the NUL.
    static void copyName(const String& name, HostAttributeHeader& header);

private:
    void bindToCurrent();

    uint32_t m_index = 0;
    Specification* m_database = nullptr;
    uint8_t m_type = 0;
};

} // namespace tarnwick
