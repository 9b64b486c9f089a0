// Multi-plane roofs in the stand-in host: the roof class a default is handed out as, the planes a
// scenario or test gives a roof (the host's split is not computed here), and the split itself,
// which hands each plane to the module's decomposer with a memo the host frees after the call.
#pragma once

#include <string>

#include "ElementStore.h"
#include "platform/api/PolyRoofRecords.h"

namespace zavhost {

class StandInHost;

// A roof default is one record for both classes: it is handed out as the class the caller asks.
void keepAskedRoofClass(const API_Element& asked, API_Element* made);
bool isPolyRoof(const StoredElement& element);
// A plane of the roof: its record as a single-plane roof of that slope and its outline's memo parts.
StoredRoofPlane makeRoofPlane(const StoredElement& roof, double slopeAngle);
// A user's edit of a multi-plane roof moves its pivot polygon and its planes with its outline.
void transformPolyRoofParts(StoredElement& element, const HostEditTransformation& edit);

namespace polyroofs {
// Calls the decomposer once per plane of the multi-plane roof, in order, with part ids 1, 2, ...;
// stops at the first answer other than Ok and answers it. BadGuid for no element, BadParameter for
// one that is no multi-plane roof.
GSErrCode convert(StandInHost& host, const API_Guid* guid, API_ElementDecomposerInterface* decomposer,
                  std::string& brief);
} // namespace polyroofs

} // namespace zavhost
