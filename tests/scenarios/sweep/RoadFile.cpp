#include "RoadFile.h"

#include <optional>
#include <sstream>

#include "EndChecks.h"

namespace roadsweep {

namespace {

using zavhost::ParsedScenario;
using zavhost::Step;

constexpr char StageMark[] = "# stage ";
constexpr char FalseMark[] = "# false \"";
constexpr char KeepMark[] = "# keep ";
constexpr char WhileWord[] = "\" while ";
constexpr char NamesRemovalMark[] = "# names-removal";
constexpr char NeutralMark[] = "# neutral ";
constexpr char EndCheckMark[] = "# end-check ";
constexpr char WrittenMark[] = "# written ";

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> all;
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

void note(std::vector<std::string>* problems, int line, const std::string& why) {
    problems->push_back(std::to_string(line) + ": " + why);
}

// A stage line: its name, then "needs" and the names of stages read before it.
void readStage(const std::string& rest, int line, Road& road, std::vector<std::string>* problems) {
    std::vector<std::string> parts = words(rest);
    if (parts.empty()) return note(problems, line, "a stage without a name");
    Stage stage;
    stage.name = parts[0];
    if (parts.size() > 1) {
        if (parts[1] != "needs" || parts.size() == 2)
            return note(problems, line, "a stage line reads: # stage NAME [needs STAGE ...]");
        for (size_t i = 2; i < parts.size(); ++i) {
            bool before = false;
            for (const Stage& earlier : road.stages)
                before = before || earlier.name == parts[i];
            if (!before) note(problems, line, "the stage " + parts[i] + " is not before this one");
            stage.needs.push_back(parts[i]);
        }
    }
    road.stages.push_back(std::move(stage));
}

// An expectation alone on a mark's line, or null with the problem noted.
std::optional<Step> expectationOf(const std::string& text, int line, std::vector<std::string>* problems) {
    ParsedScenario parsed = zavhost::parseScenario(text);
    if (!parsed.errors.empty()) {
        note(problems, line, parsed.errors.front().message);
        return std::nullopt;
    }
    if (parsed.steps.size() != 1 || parsed.steps.front().kind < zavhost::StepKind::ExpectModule) {
        note(problems, line, "the condition must be one expectation");
        return std::nullopt;
    }
    Step step = parsed.steps.front();
    step.line = line;
    return step;
}

void readKeep(const std::string& rest, int line, Road& road, std::vector<std::string>* problems) {
    if (road.stages.empty()) return note(problems, line, "a keep line before the first stage");
    if (std::optional<Step> step = expectationOf(rest, line, problems))
        road.stages.back().keeps.push_back(std::move(*step));
}

void readFalseMessage(const std::string& rest, int line, Road& road, std::vector<std::string>* problems) {
    const size_t end = rest.find(WhileWord);
    if (end == std::string::npos)
        return note(problems, line, "a false message reads: # false \"TEXT\" while EXPECTATION");
    const std::string text = rest.substr(0, end);
    std::optional<Step> condition = expectationOf(rest.substr(end + sizeof WhileWord - 1), line, problems);
    if (!condition) return;
    Step step = std::move(*condition);
    for (FalseMessage& known : road.falseMessages)
        if (known.text == text) return known.conditions.push_back(std::move(step));
    road.falseMessages.push_back({text, {std::move(step)}});
}

void readNamesRemoval(const std::string& rest, int line, Road& road, std::vector<std::string>* problems) {
    if (!words(rest).empty()) return note(problems, line, "a names-removal line reads: # names-removal");
    if (road.stages.empty()) return note(problems, line, "a names-removal line before the first stage");
    road.stages.back().namesRemoval = true;
}

// A text in double quotes, alone on the rest of its line.
std::optional<std::string> quoted(const std::string& rest) {
    if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') return std::nullopt;
    const std::string text = rest.substr(1, rest.size() - 2);
    if (text.empty() || text.find('"') != std::string::npos) return std::nullopt;
    return text;
}

void readQuoted(const std::string& rest, int line, const char* mark, std::vector<std::string>& into,
                std::vector<std::string>* problems) {
    if (std::optional<std::string> text = quoted(rest))
        into.push_back(*text);
    else
        note(problems, line, std::string("a line reads: ") + mark + "\"TEXT\"");
}

void readEndCheck(const std::string& rest, int line, Road& road, std::vector<std::string>* problems) {
    std::vector<std::string> parts = words(rest);
    if (parts.size() != 1 || !isEndCheck(parts[0]))
        return note(problems, line, "an end check is one of: " + endCheckNames());
    road.endChecks.push_back(parts[0]);
}

} // namespace

Road readRoad(const std::string& source, std::vector<std::string>* problems) {
    Road road;
    ParsedScenario parsed = zavhost::parseScenario(source, zavhost::ParseOptions{true});
    for (const zavhost::ScenarioError& error : parsed.errors)
        note(problems, error.line, error.message);

    // Which stage each line belongs to, from the marks between them.
    std::vector<int> stageOfLine{-1};
    std::istringstream lines(source);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (startsWith(line, StageMark))
            readStage(line.substr(sizeof StageMark - 1), number, road, problems);
        else if (startsWith(line, KeepMark))
            readKeep(line.substr(sizeof KeepMark - 1), number, road, problems);
        else if (startsWith(line, FalseMark))
            readFalseMessage(line.substr(sizeof FalseMark - 1), number, road, problems);
        else if (startsWith(line, NamesRemovalMark))
            readNamesRemoval(line.substr(sizeof NamesRemovalMark - 1), number, road, problems);
        else if (startsWith(line, NeutralMark))
            readQuoted(line.substr(sizeof NeutralMark - 1), number, NeutralMark, road.neutralMessages,
                       problems);
        else if (startsWith(line, EndCheckMark))
            readEndCheck(line.substr(sizeof EndCheckMark - 1), number, road, problems);
        else if (startsWith(line, WrittenMark))
            readQuoted(line.substr(sizeof WrittenMark - 1), number, WrittenMark, road.writtenFiles, problems);
        stageOfLine.push_back(static_cast<int>(road.stages.size()) - 1);
    }
    for (Step& step : parsed.steps) {
        const int stage = step.line < static_cast<int>(stageOfLine.size()) ? stageOfLine[step.line] : -1;
        if (stage < 0) {
            note(problems, step.line, "a step before the first stage");
            continue;
        }
        road.stages[stage].steps.push_back(std::move(step));
    }
    return road;
}

} // namespace roadsweep
