// The one factory of library-part sources, keyed by the host's part type code. The type is first
// refined from the part's unique id, so that parts derived from the host's standard door, label,
// lamp, property, window and zone families get their family's source class.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "library/ComponentSource.h"

namespace tarnwick {

// A new source for a record of the creator's own type, else null.
using SourceCreator =
    std::function<std::unique_ptr<ComponentSource>(const HostLibPart&, const ComponentLink&)>;

class CreatorList {
public:
    // The default creators, at module start.
    static void install();
    // Both lists go, at module end.
    static void uninstall();
};

// Adds a creator to the list asked before the default one (made on first use).
void registerSourceCreator(uint32_t type, SourceCreator creator);

// The type refined from the record's own unique id is written into the record and the link;
// the creators of that type are asked, the preferred list's first, each list in registration
// order, until one makes a source. The record's location (a temporary of the caller) is deleted.
std::unique_ptr<ComponentSource> makeSource(HostLibPart& record, ComponentLink& link);

// The type of the first standard family the part derives from ("CLPS"), else fallback.
uint32_t refineType(const FamilyGuid& ownId, uint32_t fallback);

// Part types step with wrap-around over 0..12.
uint32_t nextPartType(uint32_t type);
uint32_t previousPartType(uint32_t type);

} // namespace tarnwick
