// A renovation status. Not a host attribute: its three values are fixed, its names come from the
// module's resources, and it is never stored.
#pragma once

#include "project/Attribute.h"

namespace tarnwick {

class Phase : public Attribute {
public:
    static constexpr uint32_t Existing = 1;
    static constexpr uint32_t Demolished = 2;
    static constexpr uint32_t Proposed = 3;

    Phase() : Phase(AttributeLink()) {}
    explicit Phase(const AttributeLink& link);
    static Phase existing() { return Phase(AttributeLink(Existing, AttrNone)); }
    static Phase demolished() { return Phase(AttributeLink(Demolished, AttrNone)); }
    static Phase proposed() { return Phase(AttributeLink(Proposed, AttrNone)); }

    std::unique_ptr<Attribute> clone() const override { return std::make_unique<Phase>(*this); }
    uint8_t getTypeCode() const override { return AttrNone; }
    // The phase's name; empty outside 1..25.
    String getName() const override;
    void setName(const String&) override {}
    std::unique_ptr<API_Attribute> makeRecord() const override { return nullptr; }
    AttributeMemoPtr makeMemo() const override { return nullptr; }
    const HostAttributeHeader& getRecord() const override { return m_header; }
    HostAttributeHeader& getRecord() override { return m_header; }

    bool operator==(const Phase& other) const { return getIndex16() == other.getIndex16(); }

private:
    HostAttributeHeader m_header;
};

} // namespace tarnwick
