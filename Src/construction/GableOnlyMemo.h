// Memo loading and building of the construction elements whose only memo part is their gables
// (beams and columns): the wall's steps without the outline.
#pragma once

#include <cstdint>

#include "construction/ConstructionHelpers.h"
#include "elements/Element.h"
#include "elements/GableMemo.h"

namespace tarnwick {

// Adds the gables when they are not loaded or not valid (unless memo loading is suspended),
// fetches a store (through fetch) when none was given, and reads them when the mask asks; with
// nothing to read they stand as loaded and empty.
void loadGablesOnly(Element& element, GableMemo& gables, uint64_t mask, MemoStore*& store,
                    const MemoFetch& fetch);
// A new memo of the gables; the mask says whether it holds any.
ElementMemoPtr buildGablesOnly(GableMemo& gables, uint64_t& mask);

} // namespace tarnwick
