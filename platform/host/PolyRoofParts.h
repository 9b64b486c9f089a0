// Multi-plane roofs in the stand-in host: the roof class a default is handed out as, the planes a
// scenario or test gives a roof (the host's split is not computed here), and the split itself,
// which hands each plane to the module's decomposer with a memo the host frees after the call.
#pragma once

#include <string>

#include "ElementStore.h"
#include "platform/api/PolyRoofRecords.h"

namespace zavhost {

class LineReader;
class StandInHost;
struct ModelArgs;

// A roof default is one record for both classes: it is handed out as the class the caller asks.
void keepAskedRoofClass(const API_Element& asked, API_Element* made);
bool isPolyRoof(const StoredElement& element);
// A plane of the roof: its record as a single-plane roof of that slope and its outline's memo parts.
StoredRoofPlane makeRoofPlane(const StoredElement& roof, double slopeAngle);
// Why the host cannot keep the multi-plane roof as it stands, or nothing: the pivot polygon's parts
// are handles and its records a pointer block, and the record's pivot counts must fit them.
std::string pivotPolygonProblem(const StoredElement& element);
// A user's edit of a multi-plane roof moves its pivot polygon and its planes with its outline.
void transformPolyRoofParts(StoredElement& element, const HostEditTransformation& edit);

// Scenario words. Adding a roof: `multi-plane`, `pivot X Y X Y X Y ...` (its pivot polygon, each
// point with a zeroed pivot record) and `plane SLOPE` (a plane of that slope in radians, as often as
// wanted). Expecting: `pivot X Y` (a point of the pivot polygon, to 1e-6) and `planes N`. False when
// the next word is none of them.
bool parsePolyRoofWord(LineReader& in, ModelArgs& args, bool expectation);
// Writes the words into the new roof after its outline; why it cannot, or nothing.
std::string startPolyRoof(const ModelArgs& args, StoredElement& element);
// Why the element does not match the expectation's words, or nothing.
std::string polyRoofMismatch(const ModelArgs& args, const StoredElement& element);

namespace polyroofs {
// Calls the decomposer once per plane of the multi-plane roof, in order, with part ids 1, 2, ...;
// stops at the first answer other than Ok and answers it. BadGuid for no element, BadParameter for
// one that is no multi-plane roof.
GSErrCode convert(StandInHost& host, const API_Guid* guid, API_ElementDecomposerInterface* decomposer,
                  std::string& brief);
} // namespace polyroofs

} // namespace zavhost
