// A fill attribute; also the Pattern an element may name.
#pragma once

#include "project/Pattern.h"
#include "project/RecordAttribute.h"

namespace tarnwick {

class Fill : public RecordAttribute<Fill, HostFill, AttrFill>, public Pattern {
public:
    Fill() = default;
    explicit Fill(const AttributeLink& link) : RecordAttribute(link) {}
    Fill(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}

    bool exists() const override { return Attribute::exists(); }
    uint32_t getIndex() const override { return Attribute::getIndex(); }
    const AttributeLink& getLink() const override { return Attribute::getLink(); }
    String getName() const override { return Attribute::getName(); }
};

} // namespace tarnwick
