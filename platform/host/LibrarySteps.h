// Scenario steps of the project's library (see docs/scenarios.md):
//   library part "NAME" type N [file "F"] [id "ID"] [parent "ID"|FAMILY] [version N] [missing]
//       [unreadable] [owner N] [a X] [b X] [param "NAME" KIND VALUE]...
//       [array "NAME" KIND ROWS COLS VALUE...]... [rule "T" "S" FACTOR]...
//   library folder PATH [file] [selected]
//   library section "PART" CODE "TEXT"|missing
//   library details "PART" [first] [third]
//   library derive "CHILD" "PARENT"|FAMILY
//   object-settings accept [part "NAME"] [angle DEGREES] [param "NAME" KIND VALUE]... | cancel
//   expect library count N | parts N | folders N | reloads N | part "NAME" [type N] [index N]
//       | section "PART" CODE [containing "TEXT"|missing]
// and the parameters of a command: param "NAME" int|real|text VALUE.
#pragma once

#include <functional>
#include <string>

#include "Scenario.h"
#include "ScenarioLine.h"
#include "platform/api/HostTypes.h"

namespace zavhost {

class StandInHost;

// The rest of a line after "library" or "expect library". Malformed lines throw.
void parseLibraryStep(LineReader& in, Step& step);
// The rest of a line after "object-settings": an answer queued for the next object settings.
void parseObjectSettingsStep(LineReader& in, Step& step);
void parseLibraryExpectation(LineReader& in, Step& step);
// `param "NAME" KIND VALUE` clauses while they come: KIND int, real or text for a command.
void parseCommandParameters(LineReader& in, Step& step);

using LibraryPathResolver = std::function<std::string(const std::string&)>;

GSErrCode actLibraryStep(StandInHost& host, const Step& step, const LibraryPathResolver& resolve,
                         std::string* why);
bool checkLibraryStep(StandInHost& host, const Step& step, std::string* why);

// A new command-parameter list of the step's parameters, owned by the host's lists (free it
// there), its texts expanded ({home}, {scenario}); null without parameters.
GSHandle makeCommandParameters(StandInHost& host, const Step& step, const LibraryPathResolver& expand);

} // namespace zavhost
