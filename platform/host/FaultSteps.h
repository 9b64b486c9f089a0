// Scenario steps that make the host fail on purpose (see docs/scenarios.md):
//   fault NAME calls N [to M] answer CODE    NAME: a function of the table or a selector's code
//   fault unwritable PATH | fault writable PATH
//   fault clear
#pragma once

#include <functional>
#include <string>

#include "Scenario.h"
#include "ScenarioLine.h"

namespace zavhost {

class StandInHost;

// The rest of a line after "fault". Malformed lines throw.
void parseFaultStep(LineReader& in, Step& step);

using FaultPathResolver = std::function<std::string(const std::string&)>;

// Sets the fault up in the host's fault switch; false with `why` when it cannot.
bool actFaultStep(StandInHost& host, const Step& step, const FaultPathResolver& resolve, std::string* why);

} // namespace zavhost
