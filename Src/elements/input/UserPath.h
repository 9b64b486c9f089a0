// Points, lines, arcs and polygons picked by the user in the host's drawing window. The path
// collects the picked points as vertices, drives the host's input calls and answers the host's
// callbacks while an input waits. One input runs at a time in the whole module: a path that asks
// while another path's input runs is refused and changes nothing.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "Environment/String.h"
#include "elements/input/PathCompanions.h"
#include "geometry/CadPolygon.h"
#include "platform/api/InputRecords.h"
#include "project/ElementLink.h"

namespace tarnwick {

class UserPath : public CadPolygon {
public:
    static constexpr uint32_t LastIndex = 0x7fffffff;
    // The module's arc prompts: 1 the tangent, 2 and 3 the second and third node of a 3-point
    // arc, 4 the centre.
    static constexpr uint32_t ArcPromptList = 32708;

    // Each companion is adopted; a null one is replaced by a default.
    explicit UserPath(RubberBander* bander = nullptr, PathGuide* guide = nullptr,
                      UserPoint* prototype = nullptr);
    UserPath(const UserPath&) = delete;
    UserPath& operator=(const UserPath&) = delete;
    // Cancels a running input of this path first.
    ~UserPath() override;

    // Null sets the default.
    void setPathGuide(std::unique_ptr<PathGuide> guide);
    void setPrototype(std::unique_ptr<UserPoint> prototype);
    const PathGuide& getPathGuide() const { return *m_guide; }
    const RubberBander& getRubberBander() const { return *m_bander; }

    void setPointPrompt(const String& prompt) { m_pointPrompt = prompt; }
    void setPathPrompt(const String& prompt) { m_pathPrompt = prompt; }
    void setArcPrompt(const String& prompt) { m_arcPrompt = prompt; }
    void setAllowOnPlane(bool allow) { m_allowOnPlane = allow ? 1 : 0; }

    // Key 0 is the value of every key without an entry.
    void setSnapFilter(uint32_t value, uint32_t key);
    // Key 0 drops every entry (the default value stays).
    void clearSnapFilter(uint32_t key);
    uint32_t getSnapFilter(uint32_t key) const;
    bool hasSnapFilter() const;
    // The host's record of the filter: the entries in the host's key order.
    HostSnapFilter makeSnapFilter() const;

    // The element under the last picked point (empty when there was none).
    const ElementLink& getPickedElement() const { return m_pickedElement; }
    uint32_t getStartCount() const { return m_startCount; }
    void setStartCount(uint32_t count) { m_startCount = count; }

    // Whether the host says the last input was cancelled.
    static bool isInputCancelled();
    // The module-wide guard: taken only when free, released only by its holder.
    static bool beginInput(UserPath* path);
    static void endInput(UserPath* path);
    static UserPath* currentInput();

    // The host's callbacks while an input waits; each does nothing when no input runs.
    static void onFeedback(HostCursor* cursor);
    static void onAddPoint(const HostCoord3D* point);
    static void onRemovePoint();

    // The vertex at index (LastIndex: the last), taken modulo the count; an index above the count
    // or an empty path throws std::out_of_range. A UserPoint vertex answers where it lies given
    // the next point (else the following vertex), with arc angle and id 0.
    virtual PolyPoint getPoint(uint32_t index, const PolyPoint* next = nullptr) const;
    // The next host call of a line, arc or polygon input starts again from this point.
    virtual void setTrackPoint(const PolyPoint& point);
    virtual void setRubberBander(std::unique_ptr<RubberBander> bander);

    // Each answers whether the user gave the input; false at once while another input runs.
    virtual bool inputPoint();
    // A line from the last vertex (first asking for one in an empty path); with tangent, an arc
    // tangent to the path's last edge, or to a direction the user gives first.
    virtual bool inputLine(bool tangent = false);
    // An arc about the vertex before the last, from the last vertex.
    virtual bool inputArc();
    // Point by point through the host's callbacks, or answered whole by the host.
    virtual bool inputPolygon(bool whole = false, bool closed = true);

    // A copy of the running input's prototype at the point; null when no input runs.
    virtual std::unique_ptr<PolyPoint> makePoint(const PolyPoint& point) const;
    // Feedback while the cursor moves: adjusts the point (onto the arc, or its tangent-arc angle)
    // and has the bander draw the path with it.
    virtual void trackPoint(PolyPoint& point, uint8_t flag);
    // Asks the guide, then the point's alternatives in turn; the first accepted alternative
    // replaces the point. False when the guide refuses the point and no alternative is accepted.
    virtual bool checkPoint(std::unique_ptr<PolyPoint>& point);
    // Checks and appends a non-null point.
    virtual void addPoint(std::unique_ptr<PolyPoint> point);
    virtual void removeLastPoint();
    virtual void finishInput() {}
    // Removes the vertices added since the input began.
    virtual void cancelInput();

private:
    bool takeGuard();
    void releaseGuard();
    bool askFirstPoint();
    bool askDirectionPoint();
    void addPicked(const HostCoord3D& coordinate, const HostNeighbour* neighbour);
    void setPicked(const HostNeighbour& neighbour);
    PolyPoint startPoint() const;
    template <class Record> void fillCommon(Record& record, const String& prompt) const;
    void appendWhole(const HostPolygonInput& record, bool closed);

    String m_pointPrompt;
    String m_pathPrompt;
    String m_arcPrompt;
    std::unique_ptr<PathGuide> m_guide;
    std::unique_ptr<RubberBander> m_bander;
    std::unique_ptr<std::map<uint32_t, uint32_t>> m_snapFilter;
    uint32_t m_snapDefault = 0;
    CadPoint m_lineAnchor;
    PolyPoint m_trackPoint;
    ElementLink m_pickedElement;
    PolyPoint* m_lineEnd = nullptr; // the path's last vertex while a line or arc is input
    std::unique_ptr<UserPoint> m_prototype;
    uint32_t m_startCount = 0;
    uint8_t m_tangent = 0;
    uint8_t m_restart = 0;
    uint8_t m_arcMode = 0;
    uint8_t m_allowOnPlane = 1;
};

} // namespace tarnwick
