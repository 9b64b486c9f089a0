// The user's edits of elements as scenario steps: made in the host as one undo step each, heard
// by the module while they run, with the edit transformation the host reports for them. And the
// links between elements, set up straight in the host.
#pragma once

#include <string>

#include "Scenario.h"
#include "ScenarioLine.h"
#include "platform/api/HostRecords.h"

namespace zavhost {

class ModelSteps;
class StandInHost;
struct ModelArgs;
struct Project;
struct StoredElement;

// The rest of a `user element ...` line: add, set and delete as the element steps say them (delete
// may name several elements), or move, rotate and mirror. Malformed lines throw LineError.
void parseUserEdit(LineReader& in, Step& step);
// The edit as the user makes it: its undo step, the module hearing it, and the transformation
// answered meanwhile (none for add, set and delete).
GSErrCode actUserEdit(StandInHost& host, ModelSteps& model, const Step& step, std::string* why);

// `element link "OWNER" to "LINKED" [flags N]` after `element`; false for another word.
bool parseElementLink(LineReader& in, ModelArgs& args);
GSErrCode linkElements(ModelSteps& model, const ModelArgs& args, Project& project, std::string* why);
// Why the element does not match the words `node X Y` (one of its node points is there, to 1e-6)
// and `links N` (it links that many elements), or nothing.
std::string nodeOrLinksMismatch(const ModelArgs& args, const Project& project, const StoredElement& element);

// The plain transformations of a user's edit: p goes to matrix × (p − origin) + target.
HostEditTransformation moveTransformation(double dx, double dy, double dz);
HostEditTransformation rotateTransformation(double degrees, double x, double y);
// A reflection in the line through the two points.
HostEditTransformation mirrorTransformation(double x1, double y1, double x2, double y2);

} // namespace zavhost
