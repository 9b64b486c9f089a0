// The base of the host attribute wrappers. A wrapper names its attribute with an AttributeLink
// and holds, or fetches on first use, the host's record of it; changes reach the host only
// through Specification::store.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/MemoryBlock.h"
#include "Environment/String.h"
#include "platform/api/AttributeRecords.h"
#include "project/AttributeLink.h"

// Attribute type codes step with wrap-around over 0..17, the unnamed codes between included. Beside
// the host's type, so that lookup finds them.
HostAttributeType& operator++(HostAttributeType& type);
HostAttributeType operator++(HostAttributeType& type, int);
HostAttributeType& operator--(HostAttributeType& type);
HostAttributeType operator--(HostAttributeType& type, int);

namespace tarnwick {

// Frees what the host or the module put in an attribute memo, then the memo itself.
struct AttributeMemoDeleter {
    void operator()(HostAttributeMemo* memo) const;
};
using AttributeMemoPtr = std::unique_ptr<HostAttributeMemo, AttributeMemoDeleter>;

class Attribute {
public:
    virtual ~Attribute() = default;
    virtual std::unique_ptr<Attribute> clone() const = 0;
    // The record has an index and the link names an attribute.
    virtual bool exists() const;
    virtual const AttributeLink& getLink() const { return m_link; }
    virtual uint8_t getTypeCode() const = 0;
    virtual uint32_t getIndex() const { return m_link.getIndex(); }
    virtual uint16_t getFlags() const { return getRecord().flags; }
    virtual String getName() const;
    // The add-on's user data: a new block (empty when the attribute has none) with its version,
    // and platform 1 for data written on the other platform, else 2. Null (and zeros) when the
    // attribute does not exist or the host fails.
    virtual std::unique_ptr<MemoryBlock> getUserData(uint32_t* version, uint32_t* platform) const;
    // Copies the link, then gives it the wrapper's type code.
    virtual void setLink(const AttributeLink& link);
    virtual void unlink();
    virtual void setFlags(uint16_t flags) { getRecord().flags = flags; }
    // Whole characters that fit the 256-byte name field before its NUL.
    virtual void setName(const String& name);
    // A new full host record for storing; null for kinds that are never stored.
    virtual std::unique_ptr<API_Attribute> makeRecord() const = 0;
    // A new memo for storing; null when the kind has none.
    virtual AttributeMemoPtr makeMemo() const = 0;
    // The cached host record (loaded on first use), seen through its header.
    virtual const HostAttributeHeader& getRecord() const = 0;
    virtual HostAttributeHeader& getRecord() = 0;

    // The index as the host's signed 16-bit value.
    int16_t getIndex16() const { return static_cast<int16_t>(getIndex() & 0xFFFF); }

protected:
    Attribute(const AttributeLink& link, uint8_t typeCode) : m_link(link), m_typeCode(typeCode) {}
    Attribute(const Attribute&) = default;
    // Takes over only the link.
    Attribute& operator=(const Attribute& other) {
        m_link = other.m_link;
        return *this;
    }
    // Loading may drop the link of a wrapper whose attribute is not there.
    void dropLink() const;

    mutable AttributeLink m_link;
    uint8_t m_typeCode;
};

// By index, as the host's signed 16-bit values.
bool operator<(const Attribute& a, const Attribute& b);

} // namespace tarnwick
