// The scenario words of the 3D window (see docs/scenarios.md): "3d element" and "3d texture".
#pragma once

#include <string>

#include "Scenario.h"
#include "platform/api/HostTypes.h"

namespace zavhost {

class LineReader;
struct Project;
struct StoredElement;

// The rest of a line after "3d"; false when the next word is neither. Malformed lines throw.
bool parse3DStep(LineReader& in, ModelArgs& args);
// The element is the labelled one of a "3d element" line (null when the label names none).
GSErrCode act3D(const ModelArgs& args, Project& project, const StoredElement* element, std::string* why);

} // namespace zavhost
