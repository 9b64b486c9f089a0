// The record copy every construction element keeps: the element head and its kind's part of the
// host record. Accessors read and write the copy; nothing reaches the host until a record is built
// from it and stored by the caller.
#pragma once

#include <cstring>
#include <memory>
#include <type_traits>

#include "elements/Element.h"
#include "platform/api/ElementRecords.h"

namespace tarnwick {

template <class Part> class ConstructionRecord {
    static_assert(std::is_trivially_copyable_v<Part> && sizeof(Part) <= sizeof(API_Element));
    static_assert(offsetof(Part, head) == 0, "the part starts with the element head");

public:
    ConstructionRecord() = default;
    // The head and part of a host record.
    explicit ConstructionRecord(const API_Element& record) { copyFrom(record); }

    void copyFrom(const API_Element& record) {
        std::memcpy(static_cast<void*>(&m_part), record.raw, sizeof(Part));
    }
    const Part& part() const { return m_part; }
    Part& part() { return m_part; }
    const HostElementHead& head() const { return m_part.head; }
    HostElementHead& head() { return m_part.head; }

    // A new zero-filled full host record with the copy written in, then the head from the link.
    std::unique_ptr<API_Element> build(const ElementLink& link) const {
        auto record = std::make_unique<API_Element>();
        std::memcpy(record->raw, &m_part, sizeof(Part));
        link.writeHeader(record->head, true);
        return record;
    }

    // The host's default element of the element's type: its head and part become the copy, and
    // the head's "has a memo" byte is set. When the host refuses, the copy stays as it was; the
    // link's head is written in either way. False on refusal.
    bool resetToDefaults(Element& element) {
        API_Element defaults;
        const bool ok = element.getDefaults(defaults, nullptr);
        if (ok) copyFrom(defaults);
        element.getLink().writeHeader(m_part.head, true);
        m_part.head.byte76 = 1;
        return ok;
    }

private:
    Part m_part;
};

} // namespace tarnwick
