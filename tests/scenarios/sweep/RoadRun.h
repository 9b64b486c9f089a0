// One walk of a road with host functions or selectors taken away, or one failing, or one file that
// cannot be written, judged stage by stage: each stage works, or the user read something true about
// why not, or a stage it needs did not work (the user was told there). At the end the project must
// hold nothing half-written, as the road's end checks see it.
#pragma once

#include <iosfwd>
#include <set>
#include <string>
#include <vector>

#include "RoadFile.h"

namespace roadsweep {

struct Removal {
    enum class Kind { None, Without, Failing, Unwritable };
    Kind kind = Kind::None;
    // Functions as the table names them, selectors' four characters, or a path in the home folder;
    // only a run without things takes several.
    std::vector<std::string> names;

    // "without GDAT", "failing SetModuleData", "unwritable User Data/ZAV Link", "without A,B,C".
    std::string text() const;
    // The inverse of text(), a list of names separated by commas; false for anything else.
    static bool parse(const std::string& kind, const std::string& names, Removal* removal);
};

enum class Verdict {
    Works,
    Skipped, // a stage it needs did not work
    Told,    // it did not work, and the user read something true
    Silent,  // it did not work, and the user read nothing
    False,   // the user read something false
};

struct StageOutcome {
    std::string stage;
    Verdict verdict = Verdict::Works;
    std::vector<std::string> messages; // the alerts shown while it ran
    std::string why;                   // why it did not work, as the scenario says
};

struct RunOutcome {
    bool mustWork = false; // every stage had to work: nothing the road calls was taken away
    std::vector<StageOutcome> stages;
    std::vector<std::string> halfWritten; // what the project holds half-written at the end
    std::string broken;                   // why the road could not be played at all
    std::set<std::string> functions;      // the table's functions the module called
    std::set<std::string> selectors;      // the dispatchers' selectors it called

    // Every stage works or told the truth (works, when it must), and nothing is half-written.
    bool good() const;
    // Why not, in a line; empty when good.
    std::string fault() const;
};

struct RunSettings {
    std::string modulePath;
    std::string annotatorPath;
    std::string homeFolder; // emptied first
    std::string roadFolder; // {scenario}
    std::ostream* transcript = nullptr;
    // Only the stages up to the first judged one (the module loads or says why not).
    bool firstStageOnly = false;
    bool mustWork = false;
};

RunOutcome playRoad(const Road& road, const Removal& removal, const RunSettings& settings);

const char* verdictText(Verdict verdict);

} // namespace roadsweep
