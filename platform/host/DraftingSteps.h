// Scenario words of the drafting elements' geometry and memo parts, after "element add" and in the
// element expectations (docs/scenarios.md):
//   points X Y [arc DEGREES] ...   a dimension's points, a polyline's or a spline's vertices
//   hole X Y X Y X Y ...           a hole of the polygon (hatches)
//   centre X Y radius R [angles A B]   a circle or an arc (degrees)
//   box X1 Y1 X2 Y2                a picture's or a placed drawing's box
//   reference X Y                  a dimension's or a placed drawing's reference point (checks)
//   picture "BYTES" / drawing-data "BYTES"   a picture's encoded bytes, a placed drawing's data
//   ifc-property "SET" "NAME" "VALUE"|none   an IFC property of one text value (none: it has none)
//   ifc-attribute "NAME" "VALUE"|none        an IFC attribute with its text value
#pragma once

#include <string>

#include "platform/api/HostTypes.h"

namespace zavhost {

class LineReader;
struct ModelArgs;
struct Project;
struct StoredElement;

// Consumes one drafting word and what follows it; false when the next word is none of them.
bool parseDraftingWord(LineReader& in, ModelArgs& args, bool expectation);
// The record of a new drafting element starts as its type's default, keeping the head given.
void startDraftingRecord(const Project& project, StoredElement& element);
// Writes the drafting words into the new element's record and memo (the polygon of "polygon" is
// in the memo already), the record's counts following the memo, and its IFC data into the project.
GSErrCode applyDraftingWords(const ModelArgs& args, Project& project, StoredElement& element,
                             std::string* why);
// Why the element does not match the drafting words of an expectation, or nothing.
std::string draftingMismatch(const ModelArgs& args, const Project& project, const StoredElement& element);

} // namespace zavhost
