// Scenario words of the view kinds (ModelViewSteps.cpp):
//   layout "NAME" [paper W H] [margins L T R B] [sheet-name "T"] [first-text "T"] [second-text "T"]
//   expect layout "NAME" [the same words] [name-flag] [no-name-flag]
// and the view a section or elevation marker shows (element add ... shows "VIEW").
#pragma once

#include <string>

#include "platform/api/HostTypes.h"

union API_Element;

namespace zavhost {

class LineReader;
struct ModelArgs;
struct Project;

// The words after "layout" or "expect layout"; the verb stays the caller's.
void parseLayoutSheet(LineReader& in, ModelArgs& args, bool expectation);
GSErrCode setLayoutSheet(const ModelArgs& args, Project& project, std::string* why);
bool checkLayoutSheet(const ModelArgs& args, const Project& project, std::string* why);
// Names in a marker's record the view its "shows" option names: a section for a section marker,
// an elevation for an elevation marker. Nothing without the option.
GSErrCode markShownView(const ModelArgs& args, const Project& project, API_Element& record, std::string* why);

} // namespace zavhost
