// The main road as the removal sweep reads it: a scenario whose comments cut it into stages, each
// with the stages it needs, and name the messages that would be false while some expectation
// holds. Played as it stands, it is an ordinary scenario.
#pragma once

#include <string>
#include <vector>

#include "platform/host/Scenario.h"

namespace roadsweep {

struct Stage {
    std::string name;               // "world" stages set the scene and are never judged
    std::vector<std::string> needs; // stages that must have worked for this one to be judged
    std::vector<zavhost::Step> steps;
    // Expectations that, holding before the stage, must hold after it too.
    std::vector<zavhost::Step> keeps;
    // When it does not work in a run without some functions or selectors, only a message that names
    // one of them is true (the module's refusal to load says what it lacks).
    bool namesRemoval = false;

    bool judged() const { return name != "world"; }
};

// A message holding `text` is false while every one of `conditions` holds.
struct FalseMessage {
    std::string text;
    std::vector<zavhost::Step> conditions;
};

struct Road {
    std::vector<Stage> stages;
    std::vector<FalseMessage> falseMessages;
    // Texts of messages that say nothing about why a step did not work (a question, a count of what
    // a dialog took in): neither true nor false.
    std::vector<std::string> neutralMessages;
    // The checks (EndChecks.h) that the project holds nothing half-written at the end.
    std::vector<std::string> endChecks;
    // Files the road writes, as paths in the home folder: each is made unwritable in a run of its own.
    std::vector<std::string> writtenFiles;
};

// Reads the road; a malformed line, a condition that is not an expectation, a stage that needs one
// not before it, an end check no one knows, or steps before the first stage fill `problems`
// ("LINE: why").
Road readRoad(const std::string& source, std::vector<std::string>* problems);

} // namespace roadsweep
