// The parameter-change exchange ("OPAR", "CHGP", "GPAR", "CPAR"): the host opens a working copy of
// the parameters of a placed element or of a part's defaults, changes one cell per "CHGP" and lets
// the part's script rules react, hands the result out with "GPAR" and drops it at the close.
// Nothing is stored: the caller writes back what it takes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "LibraryManager.h"

namespace zavhost {

class StandInHost;

struct OpenParameterExchange {
    uint32_t libIndex = 0;
    std::optional<StoredBlock> working; // the additional-parameter records as they stand
    double a = 0.0;
    double b = 0.0;
    std::vector<ScriptRule> rules;
};

// Sets one cell of the records (1-based row and column for an array, 0 and 0 for a single value)
// and answers Ok, NotFound for a name the records lack, BadIndex for a cell that is not there.
GSErrCode changeParameterCell(StoredBlock& records, const HostParameterChange& change);
// Each rule whose source was changed sets its target; names match in any letter case.
void applyScriptRules(StoredBlock& records, const std::vector<ScriptRule>& rules, const std::string& changed);

void registerParameterExchange(StandInHost& host);

} // namespace zavhost
