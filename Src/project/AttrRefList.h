// An owning list of attribute links.
#pragma once

#include <memory>

#include "Environment/Containers.h"
#include "project/AttributeLink.h"

namespace tarnwick {

class AttrRefList : public Vector<AttributeLink> {
public:
    AttrRefList() = default;
    ~AttrRefList() override = default;
    // Copies every link through its own clone.
    virtual std::unique_ptr<AttrRefList> clone() const {
        auto copy = std::make_unique<AttrRefList>();
        copy->reserve(size());
        for (const AttributeLink* link : *this)
            copy->push_back(link == nullptr ? nullptr : link->clone());
        return copy;
    }
};

} // namespace tarnwick
