// Where the host's shape-primitive callback puts what it makes: one target list at a time, named
// process-wide for as long as a collector lives, with the state of the fill and bracket records
// the host sends around the primitives.
#pragma once

#include <memory>

#include "Environment/NonCopyable.h"
#include "elements/Primitive.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {

class PrimitiveCollector : NonCopyable {
public:
    // Names the target with a fresh state; primitives inside a bracket are kept only with
    // keepBracketed.
    PrimitiveCollector(PrimitiveList& target, bool keepBracketed);
    // Puts back what was named before (none outside a collection), also when an exception ends it.
    ~PrimitiveCollector();

private:
    struct Saved;
    std::unique_ptr<Saved> m_saved;
};

// The callback handed to the host: one primitive per record, its data in the blocks (points, arc
// records and the fill record in pointer blocks, a polygon's parts in handles, a text as the host's
// Unicode text in the second or as 8-bit text in the first). Answers hosterr::NoTarget outside a
// collection, hosterr::BadParameter (making nothing) for data missing or shorter than the record's
// counts, else 0, also when nothing was made.
GSErrCode shapePrimitiveCallback(const HostShapePrimitive* record, const void* first, const void* second,
                                 const void* third);

} // namespace tarnwick
