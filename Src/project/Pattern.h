// What fills and composites share, so that an element's pattern can be either: a positive index
// names a fill, a negative one a composite.
#pragma once

#include <cstdint>

#include "Environment/String.h"
#include "project/AttributeLink.h"

namespace tarnwick {

class Pattern {
public:
    virtual ~Pattern() = default;
    virtual bool exists() const = 0;
    virtual uint32_t getIndex() const = 0;
    virtual const AttributeLink& getLink() const = 0;
    virtual String getName() const = 0;
};

} // namespace tarnwick
