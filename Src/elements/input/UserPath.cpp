#include "elements/input/UserPath.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"

namespace tarnwick {

namespace {

UserPath* s_input = nullptr;

// The snap key of each entry of the host's filter record.
constexpr uint32_t kSnapKeys[14] = {1, 3, 4, 5, 6, 7, 8, 9, 2, 10, 11, 13, 12, 14};
static_assert(sizeof kSnapKeys / sizeof kSnapKeys[0] == sizeof(HostSnapFilter) / sizeof(uint32_t));

void* callbackArgument(HostInputFeedbackProc proc) {
    return reinterpret_cast<void*>(proc);
}

// The host calls in while its input waits; nothing it sends may unwind through it.
template <class F> void guarded(F&& body) {
    try {
        body();
    } catch (...) {
    }
}

} // namespace

// --- Companions.

std::unique_ptr<PolyPoint> UserPoint::getAlternative(uint32_t) const {
    return nullptr;
}
CadPoint UserPoint::getAdjustedPoint(const PolyPoint*) const {
    return CadPoint(*this);
}
bool PathGuide::checkPoint(const PolyPoint&) {
    return true;
}
bool PathGuide::acceptPoint(const PolyPoint&) {
    return true;
}
void RubberBander::beginFeedback() {}
void RubberBander::drawFeedback(const UserPath&, const PolyPoint&, const PolyPoint*, uint8_t) {}

// --- The path.

namespace {
// The companion, or the default one in place of none.
template <class T> std::unique_ptr<T> orDefault(std::unique_ptr<T> given) {
    return given ? std::move(given) : std::make_unique<T>();
}
} // namespace

UserPath::UserPath(RubberBander* bander, PathGuide* guide, UserPoint* prototype)
    : m_guide(orDefault(std::unique_ptr<PathGuide>(guide))),
      m_bander(orDefault(std::unique_ptr<RubberBander>(bander))),
      m_prototype(orDefault(std::unique_ptr<UserPoint>(prototype))) {}

UserPath::~UserPath() {
    if (s_input == this) {
        cancelInput();
        s_input = nullptr;
    }
}

void UserPath::setPathGuide(std::unique_ptr<PathGuide> guide) {
    m_guide = orDefault(std::move(guide));
}
void UserPath::setPrototype(std::unique_ptr<UserPoint> prototype) {
    m_prototype = orDefault(std::move(prototype));
}
void UserPath::setRubberBander(std::unique_ptr<RubberBander> bander) {
    m_bander = orDefault(std::move(bander));
}
void UserPath::setTrackPoint(const PolyPoint& point) {
    m_trackPoint = point;
    m_restart = 1;
}

void UserPath::setSnapFilter(uint32_t value, uint32_t key) {
    if (key == 0) {
        m_snapDefault = value;
        return;
    }
    if (!m_snapFilter) m_snapFilter = std::make_unique<std::map<uint32_t, uint32_t>>();
    (*m_snapFilter)[key] = value;
}

void UserPath::clearSnapFilter(uint32_t key) {
    if (key == 0)
        m_snapFilter.reset();
    else if (m_snapFilter)
        m_snapFilter->erase(key);
}

uint32_t UserPath::getSnapFilter(uint32_t key) const {
    if (m_snapFilter) {
        auto it = m_snapFilter->find(key);
        if (it != m_snapFilter->end()) return it->second;
    }
    return m_snapDefault;
}

bool UserPath::hasSnapFilter() const {
    return (m_snapFilter && !m_snapFilter->empty()) || m_snapDefault != 0;
}

HostSnapFilter UserPath::makeSnapFilter() const {
    HostSnapFilter filter;
    for (size_t i = 0; i < 14; ++i)
        filter.entries[i] = getSnapFilter(kSnapKeys[i]);
    return filter;
}

// --- The guard.

bool UserPath::beginInput(UserPath* path) {
    if (s_input != nullptr || path == nullptr) return false;
    s_input = path;
    return true;
}
void UserPath::endInput(UserPath* path) {
    if (s_input == path) s_input = nullptr;
}
UserPath* UserPath::currentInput() {
    return s_input;
}
bool UserPath::takeGuard() {
    if (!beginInput(this)) return false;
    m_startCount = static_cast<uint32_t>(getVertexCount());
    return true;
}
void UserPath::releaseGuard() {
    endInput(this);
}

bool UserPath::isInputCancelled() {
    return ACAPInterfaceCall(fourCC("INCA")) != hosterr::Ok;
}

// --- Vertices.

PolyPoint UserPath::getPoint(uint32_t index, const PolyPoint* next) const {
    size_t count = getVertexCount();
    if (count == 0 || (index != LastIndex && index > count))
        throw std::out_of_range("invalid vector<T> subscript");
    size_t at = index == LastIndex ? count - 1 : index % count;
    const PolyPoint& vertex = getVertex(at);
    const auto* user = dynamic_cast<const UserPoint*>(&vertex);
    if (user == nullptr) return vertex;
    if (next == nullptr && at + 1 < count) next = &getVertex(at + 1);
    return PolyPoint(user->getAdjustedPoint(next), 0.0, 0);
}

std::unique_ptr<PolyPoint> UserPath::makePoint(const PolyPoint& point) const {
    if (s_input == nullptr || !s_input->m_prototype) return nullptr;
    std::unique_ptr<PolyPoint> made = s_input->m_prototype->clone();
    static_cast<PolyPoint&>(*made) = point;
    return made;
}

bool UserPath::checkPoint(std::unique_ptr<PolyPoint>& point) {
    if (!point) return false;
    m_guide->checkPoint(*point);
    if (getVertexCount() == 0) return true;
    const auto* user = dynamic_cast<const UserPoint*>(point.get());
    if (user == nullptr) return true;
    uint32_t index = 0;
    std::unique_ptr<PolyPoint> alternative = user->getAlternative(index);
    if (!alternative) return true;
    while (!m_guide->acceptPoint(*alternative)) {
        alternative = user->getAlternative(++index);
        if (!alternative) return false;
    }
    point = std::move(alternative);
    return true;
}

void UserPath::addPoint(std::unique_ptr<PolyPoint> point) {
    if (!point) return;
    checkPoint(point);
    append(point.release());
}

void UserPath::removeLastPoint() {
    size_t count = getVertexCount();
    if (count == 0) return;
    if (&vertexRef(count - 1) == m_lineEnd) m_lineEnd = nullptr;
    removeVertex(count - 1);
}

void UserPath::cancelInput() {
    while (getVertexCount() > m_startCount)
        UserPath::removeLastPoint();
    m_startCount = static_cast<uint32_t>(getVertexCount());
}

// --- Input.

void UserPath::setPicked(const HostNeighbour& neighbour) {
    if (neighbour.guid.isNull()) {
        m_pickedElement = ElementLink();
        return;
    }
    HostSelectionRecord record;
    record.selectionKind = neighbour.selectionKind;
    record.guid = neighbour.guid;
    record.partIndex = neighbour.partIndex;
    record.partCode = neighbour.partCode;
    m_pickedElement = ElementLink(record);
}

void UserPath::addPicked(const HostCoord3D& coordinate, const HostNeighbour* neighbour) {
    if (neighbour != nullptr) setPicked(*neighbour);
    addPoint(makePoint(PolyPoint(CadPoint(coordinate))));
}

PolyPoint UserPath::startPoint() const {
    return getPoint(LastIndex, m_restart != 0 ? &m_trackPoint : nullptr);
}

bool UserPath::askFirstPoint() {
    HostPointInput record;
    m_pointPrompt.copyTo(record.prompt, sizeof record.prompt);
    record.snapInUse = hasSnapFilter() ? 1 : 0;
    record.snapFilter = makeSnapFilter();
    if (ACAPInterfaceCall(fourCC("IPOI"), &record) != hosterr::Ok) return false;
    addPicked(record.picked, &record.neighbour);
    return getVertexCount() > 0;
}

bool UserPath::askDirectionPoint() {
    HostLineInput record;
    m_pointPrompt.copyTo(record.prompt, sizeof record.prompt);
    record.snapInUse = hasSnapFilter() ? 1 : 0;
    record.notOnPlane = m_allowOnPlane != 0 ? 0 : 1;
    record.snapFilter = makeSnapFilter();
    m_lineAnchor.getCoord3D(record.start);
    if (ACAPInterfaceCall(fourCC("ILIN"), &record) != hosterr::Ok) return false;
    // The line must run from the anchor to the last vertex and on towards the direction point.
    CadPoint direction(record.end);
    m_lineAnchor = CadPoint(*m_lineEnd) * 2.0 - direction;
    return true;
}

bool UserPath::inputPoint() {
    if (s_input != nullptr) return false;
    m_tangent = m_restart = m_arcMode = 0;
    takeGuard();
    HostPointInput record;
    m_pointPrompt.copyTo(record.prompt, sizeof record.prompt);
    record.snapInUse = hasSnapFilter() ? 1 : 0;
    record.snapFilter = makeSnapFilter();
    bool given =
        ACAPInterfaceCall(fourCC("IPOI"), &record, callbackArgument(&UserPath::onFeedback)) == hosterr::Ok;
    if (given) {
        addPicked(record.picked, &record.neighbour);
        finishInput();
    } else {
        cancelInput();
    }
    releaseGuard();
    return given;
}

bool UserPath::inputLine(bool tangent) {
    if (!takeGuard()) return false;
    m_tangent = tangent ? 1 : 0;
    auto giveUp = [this] {
        cancelInput();
        m_lineEnd = nullptr;
        releaseGuard();
        return false;
    };
    if (getVertexCount() == 0 && !askFirstPoint()) return giveUp();
    if (m_tangent != 0) {
        size_t count = getVertexCount();
        m_lineEnd = &vertexRef(count - 1);
        if (count < 2) {
            m_lineAnchor = *m_lineEnd;
            if (!askDirectionPoint()) return giveUp();
        } else {
            m_lineAnchor = getVertex(count - 2);
        }
    }
    HostLineInput record;
    GSErrCode answer = hosterr::Ok;
    do {
        m_bander->beginFeedback();
        record = HostLineInput();
        m_pathPrompt.copyTo(record.prompt, sizeof record.prompt);
        record.snapInUse = hasSnapFilter() ? 1 : 0;
        record.notOnPlane = m_allowOnPlane != 0 ? 0 : 1;
        record.snapFilter = makeSnapFilter();
        startPoint().getCoord3D(record.start);
        m_restart = 0;
        answer = ACAPInterfaceCall(fourCC("ILIN"), &record, callbackArgument(&UserPath::onFeedback));
    } while (m_restart != 0);
    if (answer != hosterr::Ok) return giveUp();
    PolyPoint end{CadPoint(record.end)};
    if (m_tangent != 0 && m_lineEnd != nullptr) end.setTangentArc(m_lineAnchor, *m_lineEnd);
    setPicked(record.neighbour);
    addPoint(makePoint(end));
    finishInput();
    m_lineEnd = nullptr;
    releaseGuard();
    return true;
}

bool UserPath::inputArc() {
    if (getVertexCount() < 2 && !inputLine(false)) return false;
    if (s_input != nullptr) return false;
    takeGuard();
    m_arcMode = 1;
    size_t count = getVertexCount();
    m_lineEnd = &vertexRef(count - 1);
    m_lineAnchor = getVertex(count - 2);
    HostArcInput record;
    GSErrCode answer = hosterr::Ok;
    do {
        m_bander->beginFeedback();
        record = HostArcInput();
        m_arcPrompt.copyTo(record.prompt, sizeof record.prompt);
        record.centreGiven = 1;
        record.snapInUse = hasSnapFilter() ? 1 : 0;
        record.notOnPlane = m_allowOnPlane != 0 ? 0 : 1;
        record.snapFilter = makeSnapFilter();
        getPoint(static_cast<uint32_t>(count - 2), m_lineEnd).getCoord3D(record.centre);
        startPoint().getCoord3D(record.start);
        m_restart = 0;
        answer = ACAPInterfaceCall(fourCC("IARC"), &record, callbackArgument(&UserPath::onFeedback));
    } while (m_restart != 0);
    bool given = answer == hosterr::Ok;
    if (given) {
        PolyPoint end{CadPoint(record.endAtStart != 0 ? record.start : record.end)};
        end.setArcAroundCentre(m_lineAnchor, *m_lineEnd);
        addPoint(makePoint(end));
        finishInput();
    } else {
        cancelInput();
    }
    m_lineEnd = nullptr;
    m_arcMode = 0;
    releaseGuard();
    return given;
}

void UserPath::appendWhole(const HostPolygonInput& record, bool closed) {
    // The handles' sizes bound what is read, whatever the counts say.
    size_t coordEntries = static_cast<size_t>(getHandleSize(record.coords)) / sizeof(HostCoord2D);
    size_t points = record.pointCount;
    if (closed && points > 0) --points;
    points = std::min(points, coordEntries > 0 ? coordEntries - 1 : 0);
    size_t arcEntries = static_cast<size_t>(getHandleSize(record.arcs)) / sizeof(HostInputArc);
    size_t arcCount = std::min<size_t>(record.arcCount, arcEntries);
    for (size_t i = 1; i <= points; ++i) {
        HostCoord2D coordinate;
        std::memcpy(&coordinate, *record.coords + i * sizeof(HostCoord2D), sizeof coordinate);
        double angle = 0.0;
        for (size_t a = 0; a < arcCount; ++a) {
            HostInputArc arc;
            std::memcpy(&arc, *record.arcs + a * sizeof(HostInputArc), sizeof arc);
            if (arc.vertex == i) {
                angle = arc.angle;
                break;
            }
        }
        append(std::make_unique<PolyPoint>(coordinate, angle, static_cast<uint32_t>(i)));
    }
}

bool UserPath::inputPolygon(bool whole, bool closed) {
    if (!takeGuard()) return false;
    if (getVertexCount() == 0 && !askFirstPoint()) {
        cancelInput();
        releaseGuard();
        return false;
    }
    HostPolygonCallbacks callbacks;
    callbacks.feedback = &UserPath::onFeedback;
    callbacks.addPoint = &UserPath::onAddPoint;
    callbacks.removePoint = &UserPath::onRemovePoint;
    HostPolygonInput record;
    GSErrCode answer = hosterr::Ok;
    do {
        m_bander->beginFeedback();
        freeHandle(record.coords);
        freeHandle(record.arcs);
        record = HostPolygonInput();
        m_pathPrompt.copyTo(record.prompt, sizeof record.prompt);
        record.snapInUse = hasSnapFilter() ? 1 : 0;
        record.notOnPlane = m_allowOnPlane != 0 ? 0 : 1;
        record.snapFilter = makeSnapFilter();
        startPoint().getCoord3D(record.start);
        if (whole) {
            record.kind = closed ? HostPolygonClosed : HostPolygonOpen;
            record.whole = 1;
        }
        m_restart = 0;
        answer = ACAPInterfaceCall(fourCC("IPOL"), &record, whole ? nullptr : &callbacks);
    } while (m_restart != 0);
    bool given = answer == hosterr::Ok;
    if (!given) {
        cancelInput();
    } else if (!whole) {
        finishInput();
    } else if (s_input == this) {
        removeLastPoint();
        appendWhole(record, closed);
    }
    freeHandle(record.coords);
    freeHandle(record.arcs);
    releaseGuard();
    return given;
}

// --- Feedback.

void UserPath::trackPoint(PolyPoint& point, uint8_t flag) {
    if (m_lineEnd != nullptr) {
        if (m_arcMode != 0) {
            CadPoint onCircle = m_lineAnchor;
            onCircle.movePolar(m_lineAnchor.distance2D(*m_lineEnd), m_lineAnchor.getAngle(point));
            point.setX(onCircle.getX());
            point.setY(onCircle.getY());
            point.setArcAroundCentre(m_lineAnchor, *m_lineEnd);
        } else if (m_tangent != 0) {
            point.setTangentArc(m_lineAnchor, *m_lineEnd);
        }
    }
    std::unique_ptr<PolyPoint> candidate = makePoint(point);
    if (!candidate) return;
    std::optional<PolyPoint> last;
    if (getVertexCount() > 0) last = getPoint(LastIndex, candidate.get());
    checkPoint(candidate);
    point = static_cast<const PolyPoint&>(*candidate);
    m_bander->drawFeedback(*this, *candidate, last ? &*last : nullptr, flag);
}

void UserPath::onFeedback(HostCursor* cursor) {
    if (s_input == nullptr || cursor == nullptr) return;
    guarded([cursor] {
        PolyPoint point{CadPoint(cursor->position)};
        s_input->trackPoint(point, cursor->flag);
        point.getCoord3D(cursor->position);
    });
}

void UserPath::onAddPoint(const HostCoord3D* point) {
    if (s_input == nullptr || point == nullptr) return;
    guarded([point] { s_input->addPoint(s_input->makePoint(PolyPoint(CadPoint(*point)))); });
}

void UserPath::onRemovePoint() {
    // Only what this input added may go.
    if (s_input == nullptr || s_input->getVertexCount() <= s_input->m_startCount) return;
    guarded([] { s_input->removeLastPoint(); });
}

} // namespace tarnwick
