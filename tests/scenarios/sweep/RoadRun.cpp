#include "RoadRun.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "platform/api/HostErrors.h"
#include "platform/gsroot/UniString.h"
#include "platform/host/AnnotatorSteps.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/LabelParts.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/host/StandInHost.h"
#include "platform/host/TextBlocks.h"

namespace roadsweep {

namespace {

using zavhost::ScenarioRunner;
using zavhost::StandInHost;
using zavhost::Step;

constexpr const char* kindWords[] = {"none", "without", "failing", "unwritable"};

// A host that does not know a selector answers so whenever it is used; one that lacks a function
// leaves its slot empty.
void takeAway(StandInHost& host, const Removal& removal, const std::string& home) {
    switch (removal.kind) {
    case Removal::Kind::None:
        break;
    case Removal::Kind::Without:
        if (removal.name.size() == 4 && !zavhost::isFunctionSlot(removal.name))
            host.faults().set(removal.name, 1, UINT32_MAX, hosterr::BadSelector);
        else
            host.withoutFunction(removal.name);
        break;
    case Removal::Kind::Failing:
        host.faults().set(removal.name, 1, UINT32_MAX, hosterr::Failed);
        break;
    case Removal::Kind::Unwritable:
        host.faults().setUnwritable((std::filesystem::path(home) / removal.name).string(), true);
        break;
    }
}

std::string alertText(const zavhost::ShownAlert& alert) {
    return alert.headline + ": " + alert.message + (alert.guide.empty() ? "" : " " + alert.guide);
}

// The text between <name> and </name> in the user data, as it stands (the road's titles need no
// unescaping).
std::string field(const std::string& xml, const std::string& name) {
    const std::string open = "<" + name + ">";
    const size_t start = xml.find(open);
    if (start == std::string::npos) return {};
    const size_t end = xml.find("</" + name + ">", start);
    return end == std::string::npos ? std::string()
                                    : xml.substr(start + open.size(), end - start - open.size());
}

// Every text and label an annotation, showing the title its user data holds; every label linked
// to the element it labels.
std::vector<std::string> halfWritten(zavhost::Project& project) {
    std::vector<std::string> found;
    for (const zavhost::ViewDatabase& database : project.model.views.all()) {
        if (database.kind == DatabaseModel) continue; // it shows the floor plan's elements
        const std::string view =
            database.kind == DatabasePlan ? "the floor plan" : "\"" + GS::Utf16ToUtf8(database.name) + "\"";
        for (const zavhost::StoredElement* element : project.model.views.elementsOf(database).inOrder()) {
            const uint32_t type = element->head().typeCode;
            if (type != zavhost::TextTypeCode && type != zavhost::LabelTypeCode) continue;
            const std::string what = (type == zavhost::TextTypeCode ? "a text in " : "a label in ") + view;
            const std::string shown = zavhost::textOf(element->memo);
            const std::string data = element->userData ? element->userData->bytes : std::string();
            if (data.find("<annotation>") == std::string::npos) {
                found.push_back(what + " shows \"" + shown + "\" without an annotation");
                continue;
            }
            const std::string title = field(data, "originalDisplayTitle");
            if (title.empty() || shown.find(title) == std::string::npos)
                found.push_back(what + " shows \"" + shown + "\" while its annotation's title is \"" + title +
                                "\"");
            if (type == zavhost::LabelTypeCode &&
                project.model.relations.links.elementsNaming(element->guid()).empty())
                found.push_back(what + " is linked to no element");
        }
    }
    return found;
}

class Judge {
public:
    Judge(const Road& road, ScenarioRunner& runner) : m_road(road), m_runner(runner) {}

    // False while every condition given for a text it holds holds now.
    bool isFalse(const std::string& message) {
        for (const FalseMessage& rule : m_road.falseMessages) {
            if (message.find(rule.text) == std::string::npos) continue;
            bool all = true;
            for (const Step& condition : rule.conditions)
                all = all && m_runner.run({condition}, ScenarioRunner::End::KeepLoaded);
            if (all) return true;
        }
        return false;
    }

private:
    const Road& m_road;
    ScenarioRunner& m_runner;
};

} // namespace

std::string Removal::text() const {
    return kind == Kind::None ? "the whole table"
                              : std::string(kindWords[static_cast<int>(kind)]) + " " + name;
}

bool Removal::parse(const std::string& kindWord, const std::string& name, Removal* removal) {
    for (int k = 1; k < 4; ++k)
        if (kindWord == kindWords[k]) {
            removal->kind = static_cast<Kind>(k);
            removal->name = name;
            return !name.empty();
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
    std::string silent, falsely;
    for (const StageOutcome& stage : stages) {
        if (stage.verdict == Verdict::Silent) silent += (silent.empty() ? "" : ", ") + stage.stage;
        if (stage.verdict == Verdict::False) falsely += (falsely.empty() ? "" : ", ") + stage.stage;
    }
    std::string why;
    if (!silent.empty()) why = "told nothing at " + silent;
    if (!falsely.empty())
        why += (why.empty() ? "" : "; ") + std::string("told something false at ") + falsely;
    if (!halfWritten.empty())
        why += (why.empty() ? "" : "; ") + std::string("half-written: ") + halfWritten.front();
    return why;
}

RunOutcome playRoad(const Road& road, const Removal& removal, const RunSettings& settings) {
    RunOutcome outcome;
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
    ScenarioRunner runner(host, {settings.modulePath, settings.homeFolder, settings.roadFolder});
    Judge judge(road, runner);

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
            const bool isFalse = judge.isFalse(message);
            (isFalse ? anyFalse : anyTrue) = true;
            result.messages.push_back((isFalse ? "false: " : "") + message);
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
    }
    if (outcome.broken.empty() && host.project() != nullptr)
        outcome.halfWritten = halfWritten(*host.project());

    for (const zavhost::HostCall& call : host.calls().calls()) {
        outcome.functions.insert(call.function);
        if (!call.selector.empty()) outcome.selectors.insert(call.selector);
    }
    if (host.moduleLoaded()) (void)host.unloadModule();
    return outcome;
}

} // namespace roadsweep
