// What hands a drawing a list of elements to act on, and takes back the host's element headers
// of the ones acted on (a tool that deletes, locks or unlocks what it collected).
#pragma once

#include <memory>

#include "platform/api/HostTypes.h"
#include "project/ElementLinkList.h"

namespace tarnwick {

class ElementListSource {
public:
    virtual ~ElementListSource() = default;
    // The elements; null when there are none.
    virtual std::unique_ptr<ElementLinkList> makeLinkList() = 0;
    // The handle of 112-byte element headers the host acted on; the source owns it from now on.
    virtual void takeHeaders(GSHandle headers) = 0;
};

} // namespace tarnwick
