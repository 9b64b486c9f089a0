#include "SoakSession.h"

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "CallLog.h"
#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/annotator/Specification.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGPanel.h"
#include "platform/dg/DGPanelState.h"
#include "platform/dg/DGTreeState.h"
#include "platform/gsroot/Memory.h"

namespace zavhost {

namespace fs = std::filesystem;

namespace {

const char* const PaletteTitle = "ZAV Annotation";
constexpr short PaletteTree = 7;

RunOptions runOptionsOf(const SoakOptions& options) {
    RunOptions run;
    run.modulePath = options.modulePath;
    run.homeFolder = options.homeFolder;
    run.scenarioFolder = options.homeFolder;
    return run;
}

DG::Panel* shownPalette() {
    DG::Panel* panel = DG::Desk::Get().FindOpenPanel(PaletteTitle);
    if (panel == nullptr || panel->State().kind != DG::PanelState::Kind::Palette || !panel->State().visible)
        return nullptr;
    return panel;
}

// The path of each item of the tree, as `palette ... select` names it, in the order of the tree.
std::vector<std::string> treePaths(DG::Panel& panel) {
    std::vector<std::string> paths;
    DG::ItemState* item = panel.State().item(PaletteTree);
    const DG::TreeState* tree = item != nullptr ? DG::TreeOf(*item) : nullptr;
    if (tree == nullptr) return paths;
    for (int32_t at = tree->NextInOrder(DG::TreeRootItem); at != DG::TreeNoItem; at = tree->NextInOrder(at)) {
        std::vector<std::string> texts;
        for (int32_t up = at; up != DG::TreeRootItem && up != DG::TreeNoItem; up = tree->Find(up)->parent)
            texts.insert(texts.begin(), tree->Find(up)->text.ToCStr());
        paths.push_back(treePath(texts));
    }
    return paths;
}

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", value);
    return text;
}

} // namespace

std::string unusedAnswer(const std::string& answers) {
    std::istringstream in(answers);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#' && line.rfind("specification ", 0) != 0) return line;
    return {};
}

std::string alertProblem(const std::vector<ShownAlert>& alerts, bool faultyData) {
    bool faulty = false;
    for (const ShownAlert& alert : alerts) {
        faulty = faulty || alert.message.find("delivered faulty data") != std::string::npos;
        for (const char* never :
             {"could not be found", "has not been selected", "cannot be found", "is empty"})
            if (alert.message.find(never) != std::string::npos) return "the user was told: " + alert.text();
    }
    if (faulty && !faultyData) return "the user was told of faulty data the Annotator never sent";
    if (!faulty && faultyData) return "the user was not told of the faulty data the Annotator sent";
    return {};
}

SoakSession::SoakSession(StandInHost& host, SoakOptions options, std::ostream& out)
    : m_host(host), m_options(std::move(options)), m_out(out), m_runner(host, runOptionsOf(m_options)),
      m_moves(m_options.seed, m_options.specification) {}

bool SoakSession::fail(const std::string& why) {
    if (m_failure.empty()) m_failure = why;
    return false;
}

bool SoakSession::play(const std::vector<std::string>& lines, const std::string& comment) {
    std::string text;
    if (!comment.empty()) {
        m_played << "# " << comment << "\n";
        ++m_lineCount;
        if (!m_options.quiet) m_out << "# " << comment << "\n";
    }
    const int first = m_lineCount + 1;
    for (const std::string& line : lines) {
        m_played << line << "\n";
        if (!m_options.quiet) m_out << line << "\n";
        text += line + "\n";
        ++m_lineCount;
    }
    m_played.flush();
    ParseOptions parseOptions;
    parseOptions.defaultModule = true;
    ParsedScenario parsed = parseScenario(text, parseOptions);
    if (!parsed.errors.empty()) {
        const ScenarioError& error = parsed.errors.front();
        return fail(m_options.playedPath + ":" + std::to_string(first + error.line - 1) +
                    ": the session wrote a malformed line: " + error.message);
    }
    for (Step& step : parsed.steps)
        step.line += first - 1;
    m_lastLine = m_lineCount;
    if (m_runner.play(parsed.steps)) return true;
    return fail(m_options.playedPath + ":" + std::to_string(m_runner.failedLine()) + ": " +
                m_runner.failure());
}

void SoakSession::readSpecification() {
    zavannotator::Specification specification;
    const std::string path = (fs::path(m_options.homeFolder) / "annotator" / "house.spec").string();
    m_clauses.clear();
    if (zavannotator::readSpecification(path, specification, nullptr) == zavannotator::SpecificationRead::ok)
        m_clauses = specification.clauses();
}

std::string SoakSession::leftInAnswerFile() const {
    std::ifstream in((fs::path(m_options.homeFolder) / "annotator" / "ZAVAnswers.txt").string());
    std::ostringstream text;
    text << in.rdbuf();
    return unusedAnswer(text.str());
}

SoakScene SoakSession::scene() {
    SoakScene scene;
    Project& project = *m_host.project();
    ViewDatabase& current = model::currentDatabase(project);
    const ElementStore& shown = project.model.views.elementsOf(current);
    scene.inPlan = current.kind == DatabasePlan;
    scene.selected = project.session.selectionOf(project.model.views.keyOf(current)).size();
    for (const auto& [label, kind] : m_moves.names()) {
        std::string why;
        const StoredElement* element = m_runner.model().labelled(project, label, &why);
        if (element != nullptr)
            scene.elements.push_back({label, kind, shown.find(element->guid()) != nullptr});
    }
    scene.undoSteps = project.undoSteps.size();
    scene.annotations = m_ledger.annotations();
    scene.ignored = m_ledger.ignored();
    scene.clauses = m_clauses;
    if (DG::Panel* palette = shownPalette()) {
        scene.paletteShown = true;
        scene.paletteItems = treePaths(*palette);
        for (short item = 2; item <= 6; ++item) {
            const DG::ItemState* state = palette->State().item(item);
            scene.paletteButtons[item] = state != nullptr && state->enabled && state->visible;
        }
    }
    return scene;
}

SoakAllowance SoakSession::allowanceOf(const SoakMove& move, const SoakScene& scene) {
    SoakAllowance allowance;
    // As the Annotator picks a clause: by its number.
    const zavannotator::Clause* picked = clauseIn(scene.clauses, &zavannotator::Clause::number, move.clause);
    switch (move.effect) {
    case SoakEffect::Place:
        if (picked != nullptr) allowance.placed.push_back(*picked);
        break;
    case SoakEffect::Replace:
        if (picked != nullptr) allowance.replacedBy.push_back(*picked);
        break;
    case SoakEffect::PaletteUpdate:
        allowance.updatedFrom = m_paletteLists;
        break;
    case SoakEffect::Ignore:
        allowance.mayIgnore = true;
        break;
    case SoakEffect::Restore:
        allowance.mayRestore = true;
        break;
    case SoakEffect::Delete:
        for (const std::string& label : move.deleted) {
            std::string why;
            if (const StoredElement* element = m_runner.model().labelled(*m_host.project(), label, &why))
                allowance.deleted.insert(element->guid());
        }
        break;
    case SoakEffect::Undo:
        allowance.undo = true;
        break;
    default:
        break;
    }
    return allowance;
}

bool SoakSession::checkAfter(const SoakMove& move, const SoakAllowance& allowance) {
    if (!m_runner.checkNothingLeft())
        return fail(m_options.playedPath + ":" + std::to_string(m_runner.failedLine()) + ": " +
                    m_runner.failure());
    const std::string at = m_options.playedPath + ":" + std::to_string(m_lastLine) + ": ";
    if (m_host.processWindow().cancelArmed())
        return fail(at + "the Cancel queued for the progress window was never pressed: no window polled");
    if (std::string left = leftInAnswerFile(); !left.empty())
        return fail(at + "the Annotator's answer file still holds \"" + left + "\": no exchange took it");
    if (!m_host.moduleLoaded() || !m_host.hasProject()) return fail(at + "the module or the project is gone");
    if (move.name == "specification") readSpecification();

    std::string why;
    if (!m_ledger.settle(*m_host.project(), allowance, &why))
        return fail(at + "after " + move.name + ", what the user made is not as she left it:\n" + why);
    if (!move.nameMade.empty() && m_ledger.made() > 0 &&
        !play({"element find " + move.nameMade + " as " + inQuotes(m_moves.name(move.madeKind))}, ""))
        return false;

    if (move.effect == SoakEffect::FillPalette) m_paletteLists.push_back(m_clauses);
    if (shownPalette() == nullptr) m_paletteLists.clear();

    for (const ShownAlert& alert : m_host.alerts().shown())
        ++m_alerts[alert.headline + ": " + alert.message.substr(0, 90)];
    if (std::string wrong = alertProblem(m_host.alerts().shown(), move.faultyData); !wrong.empty())
        return fail(at + "after " + move.name + " " + wrong);

    const int64_t handles = BMLiveHandleCount();
    const int64_t pointers = BMLivePtrCount();
    m_mostHandles = std::max(m_mostHandles, handles);
    m_mostPointers = std::max(m_mostPointers, pointers);
    if (handles > m_baseHandles + SoakMemorySlack || pointers > m_basePointers + SoakMemorySlack)
        return fail(at + "after " + move.name + " the module holds " + std::to_string(handles) +
                    " handles and " + std::to_string(pointers) + " pointer blocks; after the setup it held " +
                    std::to_string(m_baseHandles) + " and " + std::to_string(m_basePointers));
    return true;
}

std::string SoakSession::updateCost() {
    if (m_updates.count == 0) return {};
    char text[80];
    std::snprintf(text, sizeof text, "; Update %.2f ms an annotation",
                  1000.0 * m_updates.seconds / static_cast<double>(m_updates.count));
    m_updates = Tally();
    return text;
}

void SoakSession::report(size_t done) {
    const auto now = std::chrono::steady_clock::now();
    const double spent = std::chrono::duration<double>(now - m_sinceReport).count();
    m_sinceReport = now;
    const size_t every = std::max<size_t>(1, m_options.steps / 10);
    const size_t from = done - ((done - 1) % every);
    char perMove[32];
    std::snprintf(perMove, sizeof perMove, "%.0f ms", 1000.0 * spent / static_cast<double>(done - from + 1));
    m_out << "soak: steps " << from << "-" << done << " in " << seconds(spent) << " (" << perMove << " a step"
          << updateCost() << "); " << m_ledger.annotations() << " annotations (" << m_ledger.ignored()
          << " ignored), " << m_ledger.size() << " elements with user data, "
          << m_host.project()->undoSteps.size() << " undo steps; host memory " << BMLiveHandleCount()
          << " handles, " << BMLivePtrCount() << " pointer blocks\n"
          << std::flush;
}

bool SoakSession::run() {
    m_options.playedPath = fs::absolute(m_options.playedPath).lexically_normal().string();
    m_played.open(m_options.playedPath, std::ios::binary | std::ios::trunc);
    if (!m_played) return fail("cannot write " + m_options.playedPath);
    m_played << "# zavhost soak --steps " << m_options.steps << " --seed " << m_options.seed
             << ": the session as it was played. Play it again with\n"
             << "#   zavhost run " << m_options.playedPath << " --module \"" << m_options.modulePath
             << "\" --home \"" << m_options.homeFolder << "\"\n";
    m_lineCount = 2;
    const auto started = std::chrono::steady_clock::now();
    m_runner.start();
    bool passed = play(m_moves.setup(), "setup") && m_runner.checkNothingLeft();
    if (passed) {
        readSpecification();
        m_ledger.start(*m_host.project());
        m_baseHandles = m_mostHandles = BMLiveHandleCount();
        m_basePointers = m_mostPointers = BMLivePtrCount();
    }
    m_sinceReport = std::chrono::steady_clock::now();
    const size_t every = std::max<size_t>(1, m_options.steps / 10);
    for (size_t done = 1; passed && done <= m_options.steps; ++done) {
        const SoakScene now = scene();
        const SoakMove move = m_moves.next(now);
        const SoakAllowance allowance = allowanceOf(move, now);
        m_runner.forgetHistory();
        const auto begun = std::chrono::steady_clock::now();
        passed = play(move.lines, "step " + std::to_string(done) + ": " + move.name) &&
                 checkAfter(move, allowance);
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
        Tally& tally = m_tallies[move.name];
        ++tally.count;
        tally.seconds += took;
        // Update gathers every annotation: its cost for each tells whether steps grow slower than
        // the project grows.
        if (passed && move.name == "update" && m_ledger.annotations() > 0) {
            ++m_updates.count;
            m_updates.seconds += took / static_cast<double>(m_ledger.annotations());
        }
        if (!passed) {
            m_out << "soak: step " << done << " (" << move.name << ") failed; what the host told of it:\n"
                  << m_host.transcript().text();
        } else if (done % every == 0 || done == m_options.steps) {
            report(done);
        }
    }
    if (passed) passed = m_runner.checkNothingLeft();
    const bool released = m_runner.finish(m_lastLine, true);
    if (passed && !released)
        fail(m_options.playedPath + ":" + std::to_string(m_runner.failedLine()) + ": " + m_runner.failure());
    passed = passed && released;
    m_played.close();

    m_out << "soak: seed " << m_options.seed << ", "
          << seconds(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count())
          << "; host memory after the setup " << m_baseHandles << " handles, " << m_basePointers
          << " pointer blocks, at most " << m_mostHandles << " and " << m_mostPointers << "\n";
    for (const auto& [name, tally] : m_tallies) {
        char line[160];
        std::snprintf(line, sizeof line, "  %-16s %6zu steps, %7.1f ms each\n", name.c_str(), tally.count,
                      1000.0 * tally.seconds / static_cast<double>(tally.count));
        m_out << line;
    }
    for (const auto& [text, count] : m_alerts)
        m_out << "  alert " << inQuotes(text) << " x" << count << "\n";
    m_out << "soak: the lines played are in " << m_options.playedPath << "\n";
    return passed;
}

} // namespace zavhost
