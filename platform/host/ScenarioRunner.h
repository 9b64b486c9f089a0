// Plays a parsed scenario against a stand-in host: performs the actions, checks the expectations,
// and tells the story in the host's transcript. Stops at the first failure.
#pragma once

#include <string>
#include <vector>

#include "AnnotatorSteps.h"
#include "FileSteps.h"
#include "ModelSteps.h"
#include "Scenario.h"
#include "platform/api/HostTypes.h"

namespace zavhost {

class StandInHost;

struct RunOptions {
    std::string modulePath;     // for `load` without a path
    std::string homeFolder;     // relative project paths and {home}
    std::string scenarioFolder; // {scenario}
    std::string examplesFolder; // {examples}: the tree's examples, so a scenario runs from anywhere
};

class ScenarioRunner {
public:
    ScenarioRunner(StandInHost& host, RunOptions options);
    ~ScenarioRunner();
    ScenarioRunner(const ScenarioRunner&) = delete;
    ScenarioRunner& operator=(const ScenarioRunner&) = delete;

    // How a run ends. A whole scenario unloads the module and fails on lines left unused. A part of
    // one, played by a caller that goes on with the next part, keeps the module loaded, and what a
    // failed part left queued (alert answers, dialog lines, clicks) is dropped so that the next
    // part does not take it for its own.
    enum class End { Unload, KeepLoaded };

    // Answers true when every step passed.
    bool run(const std::vector<Step>& steps, End end = End::Unload);

    // The same in parts, for a session whose steps are made as it goes: start(), then play() for
    // each part (an action with the lines queued for it and the clicks after it), then finish()
    // with the last line played and whether everything passed so far.
    void start();
    bool play(const std::vector<Step>& steps);
    // False, failing at its line, when a queued answer, dialog line or click was never used.
    bool checkNothingLeft();
    bool finish(int lastLine, bool passed);
    // Drops the call log, the transcript, the alerts shown and the debug output gathered so far
    // (and any answer still queued), so that a long session keeps only what its latest steps told.
    void forgetHistory();
    ModelSteps& model() { return m_model; }

    int failedLine() const { return m_failedLine; }
    const std::string& failure() const { return m_failure; } // why, empty when all passed
    // Everything the host printed through DBPrint while the scenario ran.
    const std::string& debugText() const { return m_debug; }
    // {home} and {scenario} expanded; other relative paths are taken in the home folder.
    std::string resolvePath(const std::string& path) const;

private:
    bool perform(const Step& step);
    // A click, finish or cancel for the module's inputs; false, failing the line, for a label
    // that names no element.
    bool queueInput(const Step& step);
    GSErrCode act(const Step& step);
    bool check(const Step& step, std::string* why);
    bool checkProgress(const ProgressExpectation& expected, std::string* why) const;
    bool checkAlert(const Step& step, std::string* why);
    void collectDebug();
    void noteAnnotatorAnswers();
    void stopListening(); // the transcript's and the progress window's hooks go
    void dropQueued();
    bool fail(int line, const std::string& why);
    std::string expand(const std::string& path) const;

    StandInHost& m_host;
    RunOptions m_options;
    ModelSteps m_model;
    AnnotatorSteps m_annotator;
    FileDialogDesk m_fileDialogs;
    std::string m_actionWhy; // why a model action failed
    int m_failedLine = 0;
    std::string m_failure;

    bool m_answered = false; // some action has answered
    GSErrCode m_lastAnswer = 0;
    int m_lastAnswerLine = 0;
    size_t m_callMark = 0;
    size_t m_debugMark = 0;
    size_t m_alertsChecked = 0;
    std::string m_debug;
};

} // namespace zavhost
