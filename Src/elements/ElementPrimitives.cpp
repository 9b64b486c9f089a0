// Element: its 2D drawing as primitives.
#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "elements/Element.h"
#include "elements/PrimitiveCollector.h"
#include "project/Drawing.h"
#include "project/Plan.h"

namespace tarnwick {

bool Element::makePrimitives(PrimitiveList& target, bool keepBracketed) {
    setKeepBracketedPrimitives(keepBracketed);
    // The host draws from the current database: the element's own, so that an element of a
    // section or a detail is found there.
    Drawing* drawing = getDrawing();
    if (drawing == nullptr) drawing = Host::getPlan();
    if (drawing != nullptr) (void)Host::setCurrentDatabase(drawing);
    PrimitiveCollector collector(target, keepBracketed);
    const HostElementHead header = makeHeader();
    return ACAPGetElementPrimitives(&header, &shapePrimitiveCallback) == hosterr::Ok;
}

} // namespace tarnwick
