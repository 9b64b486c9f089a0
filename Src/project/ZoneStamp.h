// The library part that stamps a zone category's zones, with that part's parameters. The library
// subsystem supplies it through a maker installed at module start; without one a category knows
// its stamp by name only.
#pragma once

#include <memory>

#include "project/Attribute.h"

namespace tarnwick {

class ZoneStamp {
public:
    virtual ~ZoneStamp() = default;
    virtual std::unique_ptr<ZoneStamp> clone() const = 0;
    // The category the stamp belongs to; a copied category hands its copy over.
    virtual void attach(const Attribute& category) = 0;
    // The part of that name in the open project's library and its default parameters; no part
    // (and the parameters the category's definition holds) when there is none.
    virtual void resolve(const String& name) = 0;
    // The parameters as a new attribute memo; null when they cannot be written.
    virtual AttributeMemoPtr makeMemo() const = 0;
};

using ZoneStampMaker = std::unique_ptr<ZoneStamp> (*)(const Attribute& category);
void installZoneStampMaker(ZoneStampMaker maker);
// Null without a maker.
std::unique_ptr<ZoneStamp> makeZoneStamp(const Attribute& category);

} // namespace tarnwick
