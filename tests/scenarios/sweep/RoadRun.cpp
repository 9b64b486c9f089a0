#include "RoadRun.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "EndChecks.h"
#include "platform/api/HostErrors.h"
#include "platform/host/AnnotatorSteps.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/host/StandInHost.h"

namespace roadsweep {

namespace {

using zavhost::ScenarioRunner;
using zavhost::StandInHost;
using zavhost::Step;

constexpr const char* kindWords[] = {"none", "without", "failing", "unwritable"};

// A host that does not know a selector answers so whenever it is used; one that lacks a function
// leaves its slot empty.
void takeAway(StandInHost& host, const Removal& removal, const std::string& home) {
    for (const std::string& name : removal.names)
        switch (removal.kind) {
        case Removal::Kind::None:
            break;
        case Removal::Kind::Without:
            if (name.size() == 4 && !zavhost::isFunctionSlot(name))
                host.faults().set(name, 1, UINT32_MAX, hosterr::BadSelector);
            else
                host.withoutFunction(name);
            break;
        case Removal::Kind::Failing:
            host.faults().set(name, 1, UINT32_MAX, hosterr::Failed);
            break;
        case Removal::Kind::Unwritable:
            host.faults().setUnwritable((std::filesystem::path(home) / name).string(), true);
            break;
        }
}

std::string alertText(const zavhost::ShownAlert& alert) {
    return alert.headline + ": " + alert.message + (alert.guide.empty() ? "" : " " + alert.guide);
}

// What a message says about a stage.
enum class Reading { True, False, Neutral };

class Judge {
public:
    Judge(const Road& road, const Removal& removal, ScenarioRunner& runner)
        : m_road(road), m_removal(removal), m_runner(runner) {}

    // False while every condition given for a text it holds holds now; at a stage that must name
    // what a run took away and did not work, false unless it names some of it.
    Reading read(const std::string& message, const Stage& stage, bool passed) {
        for (const FalseMessage& rule : m_road.falseMessages) {
            if (message.find(rule.text) == std::string::npos) continue;
            bool all = true;
            for (const Step& condition : rule.conditions)
                all = all && m_runner.run({condition}, ScenarioRunner::End::KeepLoaded);
            if (all) return Reading::False;
        }
        for (const std::string& text : m_road.neutralMessages)
            if (message.find(text) != std::string::npos) return Reading::Neutral;
        if (stage.namesRemoval && !passed && m_removal.kind == Removal::Kind::Without) {
            bool named = false;
            for (const std::string& name : m_removal.names)
                named = named || message.find(name) != std::string::npos;
            if (!named) return Reading::False;
        }
        return Reading::True;
    }

private:
    const Road& m_road;
    const Removal& m_removal;
    ScenarioRunner& m_runner;
};

} // namespace

std::string Removal::text() const {
    if (kind == Kind::None) return "the whole table";
    std::string all;
    for (const std::string& name : names)
        all += (all.empty() ? "" : ",") + name;
    return std::string(kindWords[static_cast<int>(kind)]) + " " + all;
}

bool Removal::parse(const std::string& kindWord, const std::string& names, Removal* removal) {
    for (int k = 1; k < 4; ++k)
        if (kindWord == kindWords[k]) {
            removal->kind = static_cast<Kind>(k);
            removal->names.clear();
            // A path may hold commas; only functions and selectors come several at a time.
            if (removal->kind == Kind::Unwritable) {
                removal->names.push_back(names);
                return !names.empty();
            }
            for (size_t start = 0;;) {
                const size_t comma = names.find(',', start);
                removal->names.push_back(names.substr(start, comma - start));
                if (removal->names.back().empty()) return false;
                if (comma == std::string::npos) return true;
                start = comma + 1;
            }
        }
    return false;
}

const char* verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Works:
        return "works";
    case Verdict::Skipped:
        return "not judged, a stage it needs did not work";
    case Verdict::Told:
        return "did not work, the user was told";
    case Verdict::Silent:
        return "did not work, THE USER WAS TOLD NOTHING";
    case Verdict::False:
        return "THE USER WAS TOLD SOMETHING FALSE";
    }
    return "";
}

bool RunOutcome::good() const {
    return fault().empty();
}

std::string RunOutcome::fault() const {
    if (!broken.empty()) return "the road could not be played: " + broken;
    std::string silent, falsely, failed;
    for (const StageOutcome& stage : stages) {
        if (stage.verdict == Verdict::Silent) silent += (silent.empty() ? "" : ", ") + stage.stage;
        if (stage.verdict == Verdict::False) falsely += (falsely.empty() ? "" : ", ") + stage.stage;
        if (mustWork && stage.verdict != Verdict::Works) failed += (failed.empty() ? "" : ", ") + stage.stage;
    }
    std::string why;
    if (!failed.empty()) why = "with all it calls, did not work at " + failed;
    if (!silent.empty()) why += (why.empty() ? "" : "; ") + std::string("told nothing at ") + silent;
    if (!falsely.empty())
        why += (why.empty() ? "" : "; ") + std::string("told something false at ") + falsely;
    if (!halfWritten.empty())
        why += (why.empty() ? "" : "; ") + std::string("half-written: ") + halfWritten.front();
    return why;
}

RunOutcome playRoad(const Road& road, const Removal& removal, const RunSettings& settings) {
    RunOutcome outcome;
    outcome.mustWork = settings.mustWork;
    std::error_code error;
    std::filesystem::remove_all(settings.homeFolder, error);
    std::filesystem::create_directories(settings.homeFolder, error);
    // The host libraries find their special folders through it.
    setenv("ZAVHOST_HOME", settings.homeFolder.c_str(), 1);
    if (!zavhost::installAnnotator(settings.annotatorPath, settings.homeFolder)) {
        outcome.broken = "the stand-in Annotator could not be entered in the registry";
        return outcome;
    }

    StandInHost host;
    host.transcript().echoTo(settings.transcript);
    host.transcript().action("road played " + removal.text());
    takeAway(host, removal, settings.homeFolder);
    ScenarioRunner runner(host, {settings.modulePath, settings.homeFolder, settings.roadFolder, {}});
    Judge judge(road, removal, runner);

    std::map<std::string, Verdict> verdicts;
    for (const Stage& stage : road.stages) {
        std::vector<const Step*> held;
        for (const Step& keep : stage.keeps)
            if (runner.run({keep}, ScenarioRunner::End::KeepLoaded)) held.push_back(&keep);
        const size_t alertsBefore = host.alerts().shown().size();
        bool passed = runner.run(stage.steps, ScenarioRunner::End::KeepLoaded);
        std::string why = passed ? "" : runner.failure();
        for (const Step* keep : held)
            if (passed && !runner.run({*keep}, ScenarioRunner::End::KeepLoaded)) {
                passed = false;
                why =
                    "line " + std::to_string(keep->line) + " held before, and no longer: " + runner.failure();
            }
        if (!stage.judged()) {
            if (!passed) {
                outcome.broken = "line " + std::to_string(runner.failedLine()) + ": " + runner.failure();
                break;
            }
            continue;
        }
        StageOutcome result{stage.name, Verdict::Works, {}, why};
        std::vector<std::string> shown;
        for (size_t i = alertsBefore; i < host.alerts().shown().size(); ++i)
            shown.push_back(alertText(host.alerts().shown()[i]));
        bool anyTrue = false, anyFalse = false;
        for (const std::string& message : shown) {
            const Reading reading = judge.read(message, stage, passed);
            anyFalse = anyFalse || reading == Reading::False;
            anyTrue = anyTrue || reading == Reading::True;
            result.messages.push_back((reading == Reading::False     ? "false: "
                                       : reading == Reading::Neutral ? "neutral: "
                                                                     : "") +
                                      message);
        }
        bool neededWorked = true;
        for (const std::string& needed : stage.needs)
            neededWorked = neededWorked && verdicts[needed] == Verdict::Works;
        if (anyFalse)
            result.verdict = Verdict::False;
        else if (passed)
            result.verdict = Verdict::Works;
        else if (!neededWorked)
            result.verdict = Verdict::Skipped;
        else
            result.verdict = anyTrue ? Verdict::Told : Verdict::Silent;
        verdicts[stage.name] = result.verdict;
        outcome.stages.push_back(std::move(result));
        if (settings.firstStageOnly) break;
    }
    if (outcome.broken.empty() && host.project() != nullptr)
        for (const std::string& check : road.endChecks)
            for (std::string& what : halfWritten(check, *host.project()))
                outcome.halfWritten.push_back(std::move(what));

    for (const zavhost::HostCall& call : host.calls().calls()) {
        outcome.functions.insert(call.function);
        if (!call.selector.empty()) outcome.selectors.insert(call.selector);
    }
    if (host.moduleLoaded()) (void)host.unloadModule();
    return outcome;
}

} // namespace roadsweep
