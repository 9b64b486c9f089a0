// A font attribute; its record is carried unchanged.
#pragma once

#include "project/RecordAttribute.h"

namespace tarnwick {

class Font : public RecordAttribute<Font, HostFont, AttrFont> {
public:
    Font() = default;
    explicit Font(const AttributeLink& link) : RecordAttribute(link) {}
    Font(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}

    // By index, loaded or not.
    bool operator==(const Font& other) const { return getIndex16() == other.getIndex16(); }
};

} // namespace tarnwick
