// The stand-in Annotator as the host installs it and as a scenario drives it: the registry entry
// that names the program, the answer file that says what its scripted user does, edits of the
// chosen specification between steps, and what the program was asked. See docs/scenarios.md.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Scenario.h"
#include "ScenarioLine.h"

namespace zavhost {

// Names the program as the Annotator's install path ("WinAPIInstallPath" under the Annotator's
// key, 32-bit view of HKEY_LOCAL_MACHINE), empties the folder of its answer and asked files
// ({home}/annotator) and tells the program where that folder is. Answers false when the
// registry cannot be written.
bool installAnnotator(const std::string& programPath, const std::string& homeFolder);

// The rest of a line after "annotator" and after "expect annotator". Malformed lines throw.
void parseAnnotatorStep(LineReader& in, Step& step);
void parseAnnotatorExpectation(LineReader& in, Step& step);

class AnnotatorSteps {
public:
    bool act(const Step& step, const std::string& homeFolder,
             const std::function<std::string(const std::string&)>& resolvePath, std::string* why);
    bool check(const Step& step, const std::string& homeFolder, std::string* why);
    // Tells what the Annotator answered since the last call, a line each, as it noted it in its
    // answered file ("selectAnnotation: noError, clause ..."). Waits for nothing: a note not yet
    // written comes with a later call.
    std::vector<std::string> takeAnswers(const std::string& homeFolder);
    // Waits (at most 10 s) until the Annotators started since the last call have ended, so that
    // what they answered is told at the same place of the story however fast the machine is.
    void awaitStarted();

private:
    std::string m_specification; // the copy the scenario chose, which edits change
    size_t m_askedChecked = 0;   // lines of the asked file an expectation has used
    uintmax_t m_answersRead = 0; // bytes of the answered file told already
    int m_lastAwaited = 0;       // the process last started when awaitStarted last ran
    std::string m_lateFaultIn;   // the answer file while a late answer asked for is not yet taken
};

} // namespace zavhost
