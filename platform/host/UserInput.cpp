#include "UserInput.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "CallLog.h"
#include "ScenarioLine.h"
#include "Transcript.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

namespace zavhost {

namespace {

// Rubber-band lines shown in the transcript per input; the rest are counted.
constexpr size_t kLinesShown = 12;

std::string pointText(const HostCoord3D& p) {
    return numberText(p.x) + " " + numberText(p.y) + (p.z != 0.0 ? " " + numberText(p.z) : std::string());
}

// The prompt as the host reads it: never past its field, whatever the module left there.
std::string promptOf(const char (&prompt)[HostInputPromptSize]) {
    return std::string(prompt, strnlen(prompt, HostInputPromptSize));
}

std::string clickText(const InputAction& click) {
    std::string text = "click " + pointText(click.point);
    if (!click.label.empty()) text += " on " + inQuotes(click.label);
    if (click.arcAngle) text += " arc " + numberText(*click.arcAngle * 180.0 / std::acos(-1.0));
    return text;
}

} // namespace

void UserInput::registerSelectors(SelectorTable& interfaceCalls) {
    interfaceCalls.add("IPOI", [this](SelectorCall& call) { return inputPoint(call); });
    interfaceCalls.add("ILIN", [this](SelectorCall& call) { return inputLine(call); });
    interfaceCalls.add("IARC", [this](SelectorCall& call) { return inputArc(call); });
    interfaceCalls.add("IPOL", [this](SelectorCall& call) { return inputPolygon(call); });
    interfaceCalls.add("DRLI", [this](SelectorCall& call) { return drawLine(call); });
    interfaceCalls.add("INCA", [this](SelectorCall& call) {
        call.brief = m_lastCancelled ? "cancelled" : "";
        return m_lastCancelled ? hosterr::Cancelled : hosterr::Ok;
    });
}

std::vector<std::string> UserInput::takeProblems() {
    std::vector<std::string> problems;
    problems.swap(m_problems);
    return problems;
}

UserInput::Waiting::Waiting(UserInput& input) : m_input(input) {
    m_input.m_waiting = true;
    m_input.m_lastCancelled = false;
    m_input.m_linesThisInput = 0;
}

UserInput::Waiting::~Waiting() {
    m_input.m_waiting = false;
    if (m_input.m_linesThisInput > kLinesShown)
        m_input.m_transcript.note("... and " + std::to_string(m_input.m_linesThisInput - kLinesShown) +
                                  " more rubber-band line(s)");
}

void UserInput::begin(const std::string& what, const char* prompt) {
    m_transcript.note(what + " input" + (prompt[0] != '\0' ? " " + inQuotes(prompt) : std::string()));
}

GSErrCode UserInput::cancelled(const std::string& what) {
    m_lastCancelled = true;
    m_transcript.note(what + " input cancelled");
    return hosterr::Cancelled;
}

std::optional<InputAction> UserInput::nextClick(const std::string& what) {
    if (m_queued.empty()) {
        m_transcript.note("no click is queued");
        return std::nullopt;
    }
    InputAction action = m_queued.front();
    m_queued.pop_front();
    if (action.kind == InputAction::Cancel) {
        m_transcript.note("the user presses Escape");
        return std::nullopt;
    }
    if (action.kind == InputAction::Finish) {
        m_problems.push_back("line " + std::to_string(action.line) +
                             ": `finish input` ends a polygon, not a " + what + " input");
        return std::nullopt;
    }
    m_transcript.note(clickText(action));
    return action;
}

void UserInput::feedback(HostInputFeedbackProc proc, HostCoord3D& point) {
    if (proc == nullptr) return;
    HostCursor cursor;
    cursor.position = point;
    proc(&cursor);
    if (cursor.position.x != point.x || cursor.position.y != point.y || cursor.position.z != point.z)
        m_transcript.note("the cursor shows " + pointText(cursor.position));
}

GSErrCode UserInput::inputPoint(SelectorCall& call) {
    auto* record = static_cast<HostPointInput*>(call.args[0]);
    if (record == nullptr) return call.brief = "null record", hosterr::BadParameter;
    std::string prompt = promptOf(record->prompt);
    call.brief = inQuotes(prompt);
    if (m_waiting) return hosterr::Refused;
    Waiting waiting(*this);
    begin("point", prompt.c_str());
    std::optional<InputAction> click = nextClick("point");
    if (!click) return cancelled("point");
    feedback(reinterpret_cast<HostInputFeedbackProc>(call.args[1]), click->point);
    record->picked = click->point;
    record->neighbour = click->target.value_or(HostNeighbour());
    call.brief += " => " + pointText(click->point);
    return hosterr::Ok;
}

GSErrCode UserInput::inputLine(SelectorCall& call) {
    auto* record = static_cast<HostLineInput*>(call.args[0]);
    if (record == nullptr) return call.brief = "null record", hosterr::BadParameter;
    std::string prompt = promptOf(record->prompt);
    call.brief = inQuotes(prompt) + " from " + pointText(record->start);
    if (m_waiting) return hosterr::Refused;
    Waiting waiting(*this);
    begin("line", prompt.c_str());
    std::optional<InputAction> click = nextClick("line");
    if (!click) return cancelled("line");
    feedback(reinterpret_cast<HostInputFeedbackProc>(call.args[1]), click->point);
    record->end = click->point;
    record->neighbour = click->target.value_or(HostNeighbour());
    call.brief += " => " + pointText(click->point);
    return hosterr::Ok;
}

GSErrCode UserInput::inputArc(SelectorCall& call) {
    auto* record = static_cast<HostArcInput*>(call.args[0]);
    if (record == nullptr) return call.brief = "null record", hosterr::BadParameter;
    std::string prompt = promptOf(record->prompt);
    call.brief =
        inQuotes(prompt) + " about " + pointText(record->centre) + " from " + pointText(record->start);
    // The only arc this host knows how to ask for: about a given centre from a given start.
    if (record->centreGiven != 1) return call.brief += " (no centre given)", hosterr::BadParameter;
    if (m_waiting) return hosterr::Refused;
    Waiting waiting(*this);
    begin("arc", prompt.c_str());
    std::optional<InputAction> click = nextClick("arc");
    if (!click) return cancelled("arc");
    feedback(reinterpret_cast<HostInputFeedbackProc>(call.args[1]), click->point);
    // The end lies on the circle, in the direction of the click.
    const HostCoord3D& c = record->centre;
    double radius = std::hypot(record->start.x - c.x, record->start.y - c.y);
    double angle = std::atan2(click->point.y - c.y, click->point.x - c.x);
    record->end = {c.x + radius * std::cos(angle), c.y + radius * std::sin(angle), record->start.z};
    record->endAtStart = 0;
    call.brief += " => " + pointText(record->end);
    return hosterr::Ok;
}

GSErrCode UserInput::inputPolygon(SelectorCall& call) {
    auto* record = static_cast<HostPolygonInput*>(call.args[0]);
    if (record == nullptr) return call.brief = "null record", hosterr::BadParameter;
    std::string prompt = promptOf(record->prompt);
    bool whole = record->whole != 0;
    auto* callbacks = static_cast<const HostPolygonCallbacks*>(call.args[1]);
    call.brief = inQuotes(prompt) + " from " + pointText(record->start) + (whole ? " whole" : "");
    if (!whole && callbacks == nullptr) return call.brief += " (no callbacks)", hosterr::BadParameter;
    if (m_waiting) return hosterr::Refused;
    Waiting waiting(*this);
    begin(whole ? "whole polygon" : "polygon", prompt.c_str());
    std::vector<HostCoord3D> points{record->start};
    std::vector<HostInputArc> arcs;
    for (;;) {
        if (!m_queued.empty() && m_queued.front().kind == InputAction::Finish) {
            m_queued.pop_front();
            m_transcript.note("the user ends the polygon");
            break;
        }
        std::optional<InputAction> click = nextClick("polygon");
        if (!click) return cancelled("polygon");
        if (!whole) {
            feedback(callbacks->feedback, click->point);
            if (callbacks->addPoint != nullptr) callbacks->addPoint(&click->point);
        }
        points.push_back(click->point);
        if (click->arcAngle) {
            HostInputArc arc;
            arc.vertex = static_cast<uint32_t>(points.size());
            arc.angle = *click->arcAngle;
            arcs.push_back(arc);
        }
    }
    call.brief += " => " + std::to_string(points.size()) + " point(s)";
    if (!whole) return hosterr::Ok;
    if (record->kind == HostPolygonClosed) points.push_back(points.front());
    // Coordinates from entry 1; entry 0 is not used.
    record->coords = BMNewHandle(static_cast<GSSize>((points.size() + 1) * sizeof(HostCoord2D)));
    record->arcs = BMNewHandle(static_cast<GSSize>(arcs.size() * sizeof(HostInputArc)));
    if (record->coords == nullptr || record->arcs == nullptr) {
        BMKillHandle(&record->coords);
        BMKillHandle(&record->arcs);
        return hosterr::MemoryFull;
    }
    for (size_t i = 0; i < points.size(); ++i) {
        HostCoord2D c{points[i].x, points[i].y};
        std::memcpy(*record->coords + (i + 1) * sizeof c, &c, sizeof c);
    }
    if (!arcs.empty()) std::memcpy(*record->arcs, arcs.data(), arcs.size() * sizeof(HostInputArc));
    record->pointCount = static_cast<uint32_t>(points.size());
    record->arcCount = static_cast<uint32_t>(arcs.size());
    return hosterr::Ok;
}

GSErrCode UserInput::drawLine(SelectorCall& call) {
    auto* record = static_cast<const HostRubberLine*>(call.args[0]);
    if (record == nullptr) return call.brief = "null record", hosterr::BadParameter;
    std::string line = pointText(record->start) + " - " + pointText(record->end);
    if (record->lineKind == HostRubberThick) line += " thick";
    call.brief = line;
    // The rubber band belongs to the input that waits for the user.
    if (!m_waiting) return hosterr::Refused;
    ++m_rubberLines;
    if (++m_linesThisInput <= kLinesShown) m_transcript.note("rubber band " + line);
    return hosterr::Ok;
}

} // namespace zavhost
