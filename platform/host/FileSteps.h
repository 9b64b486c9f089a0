// Files on disk as the user's other programs see them: a scenario writes one (an old report, a
// document left from earlier) and checks what the module wrote. See docs/scenarios.md.
#pragma once

#include <functional>
#include <string>

#include "Scenario.h"
#include "ScenarioLine.h"

namespace zavhost {

// The rest of a line after "file", and after "expect file" or "expect no-file" (present false).
// Malformed lines throw.
void parseFileStep(LineReader& in, Step& step);
void parseFileExpectation(LineReader& in, Step& step, bool present);

using PathResolver = std::function<std::string(const std::string&)>;

// `file write PATH "TEXT"`: the file holds exactly the text afterwards (its folders are made).
bool writeFileStep(const Step& step, const PathResolver& resolve, std::string* why);
bool checkFileStep(const Step& step, const PathResolver& resolve, std::string* why);

// Empty when the text is a well-formed XML document; else the parser's reason with its line.
std::string xmlFault(const std::string& text);

} // namespace zavhost
