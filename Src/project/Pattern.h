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

// The host's signed 16-bit index of a fill; 0 for any other pattern (a composite is no fill).
inline int16_t fillIndexOf(const Pattern& pattern) {
    return pattern.getLink().getType() == AttrFill ? pattern.getLink().getIndex16() : int16_t(0);
}

} // namespace tarnwick
