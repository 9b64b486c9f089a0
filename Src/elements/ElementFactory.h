// The element factory: turns a host element record into the wrapper of its class. Element classes
// register a creator under the element's host type code; creators of one code are asked in the
// order they were registered, those of the preferred list before the default list's. A type no
// creator takes gives null, which callers treat as an element that is not available.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/api/ElementRecords.h"
#include "project/ElementOwnership.h"

namespace tarnwick {

class ElementLink;
class MemoStore;

// Makes the wrapper of a record of its kind, or null for another kind. A kind told apart by a
// sub-kind sets the link's type id to (type code, sub-kind).
using ElementCreator = std::unique_ptr<Element> (*)(const API_Element& record, ElementLink& link);

// The sub-kind of roofs and of extrusions, sweeps and morphs.
uint32_t recordSubKind(const API_Element& record);

// Appends the creator under the id (low byte the host type code) unless it is already there.
void registerElementCreator(uint16_t elementId, ElementCreator creator, bool preferred = false);
// The wrapper of the record, or null. The link takes the record's variation. With a store, the
// element's memo is read from it (all parts, the memo-load-suspended switch on meanwhile).
std::unique_ptr<Element> createElement(const API_Element& record, ElementLink& link, MemoStore* store);

// Forgets every creator; lookups find nothing until a registration starts a list again.
void releaseElementCreators();

} // namespace tarnwick
