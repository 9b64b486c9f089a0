#include "support/TestAddon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Environment/Host.h"
#include "elements/input/RubberBand.h"
#include "elements/input/UserPath.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/host/StandInHost.h"

using namespace tarnwick;
using zavhost::InputAction;
using zavhost::SelectorCall;

namespace {

constexpr double kQuarter = kPi / 2.0;

InputAction click(double x, double y, std::optional<double> arc = std::nullopt) {
    InputAction action;
    action.point = {x, y, 0.0};
    action.arcAngle = arc;
    return action;
}
InputAction key(InputAction::Kind kind) {
    InputAction action;
    action.kind = kind;
    return action;
}
const InputAction kEscape = key(InputAction::Cancel);
const InputAction kFinish = key(InputAction::Finish);

void addVertices(UserPath& path, const std::vector<CadPoint>& points) {
    for (const CadPoint& p : points)
        path.append(new PolyPoint(p));
}

// Records what the path's feedback shows, draws it with a style when given one, and runs a hook.
struct Feedback {
    std::vector<PolyPoint> candidates;
    std::optional<RubberLineStyle> style;
    std::function<void()> hook;
    bool drew = true;
};

class RecordingBander : public RubberBander {
public:
    explicit RecordingBander(Feedback& feedback) : m_feedback(feedback) {}
    void drawFeedback(const UserPath&, const PolyPoint& candidate, const PolyPoint* last, uint8_t) override {
        m_feedback.candidates.push_back(candidate);
        if (m_feedback.style && last != nullptr)
            m_feedback.drew = drawRubberEdge(*m_feedback.style, *last, candidate);
        if (m_feedback.hook) m_feedback.hook();
    }

private:
    Feedback& m_feedback;
};

class Input : public ::testing::Test {
protected:
    zavhost::StandInHost& host() { return m_module.host(); }
    void queue(const std::vector<InputAction>& actions) {
        for (const InputAction& action : actions)
            host().input().queue(action);
    }
    size_t calls(const std::string& fragment) { return host().calls().count(fragment, m_mark); }
    void mark() { m_mark = host().calls().size(); }
    // Answers the selector with the record it was given, copied, and a cancel.
    template <class Record> void capture(const char (&selector)[5], std::vector<Record>& records) {
        host().interfaceCalls().add(selector, [&records](SelectorCall& call) {
            records.push_back(*static_cast<Record*>(call.args[0]));
            return hosterr::Cancelled;
        });
    }

    testsupport::ModuleUnderTest m_module;
    Feedback m_feedback;
    UserPath m_path{new RecordingBander(m_feedback)};
    size_t m_mark = 0;
};

struct Vertex {
    double x, y, arc;
};

void expectVertices(const UserPath& path, const std::vector<Vertex>& expected, const std::string& name) {
    ASSERT_EQ(path.getVertexCount(), expected.size()) << name;
    for (size_t i = 0; i < expected.size(); ++i) {
        const PolyPoint& v = path.getVertex(i);
        EXPECT_NEAR(v.getX(), expected[i].x, 1e-9) << name << " vertex " << i;
        EXPECT_NEAR(v.getY(), expected[i].y, 1e-9) << name << " vertex " << i;
        EXPECT_NEAR(v.getArcAngle(), expected[i].arc, 1e-9) << name << " vertex " << i;
    }
}

// A vertex that lies halfway to the one after it, once that is known.
class Midway : public UserPoint {
public:
    Midway(double x, double y) : UserPoint(PolyPoint(CadPoint(x, y, 0.0), 0.5, 9)) {}
    CadPoint getAdjustedPoint(const PolyPoint* next) const override {
        if (next == nullptr) return CadPoint(getX(), getY(), 0.0);
        return CadPoint((getX() + next->getX()) / 2.0, (getY() + next->getY()) / 2.0, 0.0);
    }

protected:
    UserPoint* newCopy() const override { return new Midway(*this); }
};

} // namespace

TEST_F(Input, ASecondPathIsRefusedWhileOneRunsAndBothStayAsTheyWere) {
    UserPath other;
    addVertices(other, {{0, 0}, {1, 0}});
    std::vector<bool> nested;
    m_feedback.hook = [&] {
        nested = {other.inputPoint(), other.inputLine(true), other.inputArc(), other.inputPolygon(true, true),
                  m_path.inputPoint()};
    };
    queue({click(1, 2)});
    mark();
    EXPECT_TRUE(m_path.inputPoint());
    EXPECT_EQ(nested, std::vector<bool>(5, false));
    EXPECT_EQ(other.getVertexCount(), 2u);
    EXPECT_EQ(other.getStartCount(), 0u);
    expectVertices(m_path, {{1, 2, 0}}, "the path that ran");
    EXPECT_EQ(calls("InterfaceCall I"), 1u); // the refused ones asked the host nothing
    EXPECT_EQ(UserPath::currentInput(), nullptr);
}

TEST_F(Input, AnInputCancelledAtAnyStepLeavesThePathAsItWas) {
    struct Case {
        const char* name;
        std::vector<CadPoint> before;
        std::function<bool(UserPath&)> run;
        std::vector<InputAction> actions;
    };
    auto point = [](UserPath& p) { return p.inputPoint(); };
    auto line = [](UserPath& p) { return p.inputLine(false); };
    auto tangent = [](UserPath& p) { return p.inputLine(true); };
    auto arc = [](UserPath& p) { return p.inputArc(); };
    auto polygon = [](UserPath& p) { return p.inputPolygon(false, true); };
    auto whole = [](UserPath& p) { return p.inputPolygon(true, true); };
    const Case cases[] = {
        {"point, nothing queued", {{0, 0}, {1, 0}}, point, {}},
        {"point, Escape", {{0, 0}, {1, 0}}, point, {kEscape}},
        {"line, no first point", {}, line, {}},
        {"line, first point but no end", {}, line, {click(1, 1), kEscape}},
        {"line, no end", {{0, 0}}, line, {}},
        {"tangent line, no direction", {{0, 0}}, tangent, {kEscape}},
        {"tangent line, direction but no end", {{0, 0}}, tangent, {click(1, 0)}},
        {"arc, no line first", {{0, 0}}, arc, {}},
        {"arc, no end", {{0, 0}, {1, 0}}, arc, {kEscape}},
        {"polygon after two points", {{0, 0}, {1, 0}}, polygon, {click(1, 1), click(0, 1), kEscape}},
        {"polygon, no first point", {}, polygon, {}},
        {"whole polygon", {{0, 0}, {1, 0}}, whole, {click(1, 1), kEscape}},
    };
    for (const Case& c : cases) {
        UserPath path;
        addVertices(path, c.before);
        queue(c.actions);
        EXPECT_FALSE(c.run(path)) << c.name;
        EXPECT_EQ(path.getVertexCount(), c.before.size()) << c.name;
        EXPECT_TRUE(host().input().queued().empty()) << c.name;
        EXPECT_TRUE(UserPath::isInputCancelled()) << c.name;
        EXPECT_EQ(UserPath::currentInput(), nullptr) << c.name;
    }
}

TEST_F(Input, ClicksGivePointsLinesTangentsArcsAndPolygons) {
    struct Case {
        const char* name;
        std::vector<CadPoint> before;
        std::function<bool(UserPath&)> run;
        std::vector<InputAction> actions;
        std::vector<Vertex> after;
        size_t feedbacks;
    };
    const Case cases[] = {
        {"point", {}, [](UserPath& p) { return p.inputPoint(); }, {click(1, 2)}, {{1, 2, 0}}, 1},
        {"line from the last vertex",
         {{0, 0}},
         [](UserPath& p) { return p.inputLine(); },
         {click(3, 0)},
         {{0, 0, 0}, {3, 0, 0}},
         1},
        {"line on an empty path",
         {},
         [](UserPath& p) { return p.inputLine(); },
         {click(0, 0), click(3, 0)},
         {{0, 0, 0}, {3, 0, 0}},
         1},
        // Tangent to the last edge, turning left by 45 degrees: a quarter circle.
        {"tangent to the last edge",
         {{0, 0}, {1, 0}},
         [](UserPath& p) { return p.inputLine(true); },
         {click(2, 1)},
         {{0, 0, 0}, {1, 0, 0}, {2, 1, kQuarter}},
         1},
        // The direction (2, 0) makes the tangent run along +x through (1, 0).
        {"tangent to a given direction",
         {{1, 0}},
         [](UserPath& p) { return p.inputLine(true); },
         {click(2, 0), click(2, 1)},
         {{1, 0, 0}, {2, 1, kQuarter}},
         1},
        // About (0, 0) from (1, 0) towards (0, 5): the end lies on the unit circle.
        {"arc",
         {{0, 0}, {1, 0}},
         [](UserPath& p) { return p.inputArc(); },
         {click(0, 5)},
         {{0, 0, 0}, {1, 0, 0}, {0, 1, kQuarter}},
         1},
        {"polygon point by point",
         {{0, 0}},
         [](UserPath& p) { return p.inputPolygon(false, true); },
         {click(1, 0), click(1, 1), kFinish},
         {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}},
         2},
    };
    for (const Case& c : cases) {
        Feedback feedback;
        UserPath path(new RecordingBander(feedback));
        addVertices(path, c.before);
        queue(c.actions);
        EXPECT_TRUE(c.run(path)) << c.name;
        expectVertices(path, c.after, c.name);
        EXPECT_EQ(feedback.candidates.size(), c.feedbacks) << c.name;
        EXPECT_FALSE(UserPath::isInputCancelled()) << c.name;
        EXPECT_TRUE(host().input().queued().empty()) << c.name;
    }
}

TEST_F(Input, TheFeedbackPutsAnArcsCursorOnItsCircleAndThePickedElementComesFromTheNeighbour) {
    addVertices(m_path, {{0, 0}, {2, 0}});
    queue({click(7, 7)});
    ASSERT_TRUE(m_path.inputArc());
    ASSERT_EQ(m_feedback.candidates.size(), 1u);
    EXPECT_NEAR(m_feedback.candidates[0].getX(), std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(m_feedback.candidates[0].getY(), std::sqrt(2.0), 1e-9);
    EXPECT_TRUE(host().transcript().contains("the cursor shows 1.41421 1.41421"));

    InputAction onWall = click(5, 5);
    onWall.target = HostNeighbour();
    onWall.target->guid = API_Guid::fromHalves(7, 9);
    queue({onWall, click(6, 6)});
    ASSERT_TRUE(m_path.inputPoint());
    EXPECT_EQ(m_path.getPickedElement().getGuid(), Guid(API_Guid::fromHalves(7, 9)));
    ASSERT_TRUE(m_path.inputPoint());
    EXPECT_FALSE(m_path.getPickedElement().hasGuid());
}

TEST_F(Input, AWholePolygonTakesTheHostsPointsIdsAndArcs) {
    struct Case {
        const char* name;
        bool closed;
        std::vector<InputAction> clicks;
        std::vector<Vertex> after;
    };
    const Case cases[] = {
        // The host answers 4 points, the start repeated last.
        {"closed", true, {click(1, 0), click(1, 1), kFinish}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}},
        {"open",
         false,
         {click(1, 0), click(1, 1), click(0, 1, kQuarter), kFinish},
         {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, kQuarter}}},
    };
    for (const Case& c : cases) {
        UserPath path;
        addVertices(path, {{0, 0}});
        queue(c.clicks);
        EXPECT_TRUE(path.inputPolygon(true, c.closed)) << c.name;
        expectVertices(path, c.after, c.name);
        for (size_t i = 0; i < path.getVertexCount(); ++i)
            EXPECT_EQ(path.getVertex(i).getId(), i + 1) << c.name;
    }
}

TEST_F(Input, AWholePolygonReadsNoFurtherThanTheHostsHandles) {
    struct Case {
        const char* name;
        GSSize coordEntries, arcEntries;
        uint32_t pointCount, arcCount;
        size_t vertices;
    };
    const Case cases[] = {
        {"counts beyond the handles", 3, 1, 1000, 50, 2},
        {"no handles", -1, -1, 5, 5, 0},
        {"counts within the handles", 4, 2, 2, 1, 2},
    };
    for (const Case& c : cases) {
        host().interfaceCalls().add("IPOL", [&c](SelectorCall& call) {
            auto* record = static_cast<HostPolygonInput*>(call.args[0]);
            if (c.coordEntries >= 0)
                record->coords = BMNewHandle(c.coordEntries * GSSize(sizeof(HostCoord2D)));
            if (c.arcEntries >= 0) {
                record->arcs = BMNewHandle(c.arcEntries * GSSize(sizeof(HostInputArc)));
                HostInputArc arc{2, {}, 1.5};
                std::memcpy(*record->arcs, &arc, sizeof arc);
            }
            record->pointCount = c.pointCount;
            record->arcCount = c.arcCount;
            return hosterr::Ok;
        });
        UserPath path;
        addVertices(path, {{0, 0}});
        EXPECT_TRUE(path.inputPolygon(true, false)) << c.name;
        EXPECT_EQ(path.getVertexCount(), c.vertices) << c.name;
        if (c.vertices >= 2 && c.arcEntries > 0) {
            EXPECT_EQ(path.getVertex(1).getArcAngle(), 1.5) << c.name;
        }
    }
}

TEST_F(Input, TheSnapFilterFillsEveryEntryFromItsKeysOrTheDefault) {
    m_path.setSnapFilter(5, 0);
    EXPECT_TRUE(m_path.hasSnapFilter());
    m_path.setSnapFilter(7, 2); // key 2 stands at entry 8
    std::vector<HostPointInput> asked;
    capture("IPOI", asked);
    EXPECT_FALSE(m_path.inputPoint());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].snapInUse, 1);
    for (size_t i = 0; i < 14; ++i)
        EXPECT_EQ(asked[0].snapFilter.entries[i], i == 8 ? 7u : 5u) << i;

    m_path.clearSnapFilter(0);
    EXPECT_EQ(m_path.getSnapFilter(2), 5u);
    EXPECT_TRUE(m_path.hasSnapFilter());
    m_path.setSnapFilter(0, 0);
    EXPECT_FALSE(m_path.hasSnapFilter());
}

TEST_F(Input, PromptsAreCutAtACharacterBoundaryBeforeTheFlagByte) {
    struct Case {
        const char* name;
        std::string prompt;
        size_t bytes;
    };
    std::string euros;
    for (int i = 0; i < 100; ++i)
        euros += "\xE2\x82\xAC";
    std::string accents;
    for (int i = 0; i < 200; ++i)
        accents += "\xC3\xA9";
    const Case cases[] = {
        {"short", "Pick a point", 12},
        {"long", std::string(300, 'p'), 255},
        {"two-byte characters", accents, 254},
        {"three-byte characters", euros, 255},
    };
    std::vector<HostArcInput> asked;
    capture("IARC", asked);
    for (const Case& c : cases) {
        UserPath path;
        addVertices(path, {{0, 0}, {1, 0}});
        path.setArcPrompt(c.prompt);
        EXPECT_FALSE(path.inputArc()) << c.name;
        const HostArcInput& record = asked.back();
        EXPECT_EQ(std::string(record.prompt), c.prompt.substr(0, c.bytes)) << c.name;
        EXPECT_EQ(record.centreGiven, 1) << c.name;
    }
}

TEST_F(Input, GetPointWrapsAndThrowsPastTheEnd) {
    EXPECT_THROW(m_path.getPoint(UserPath::LastIndex), std::out_of_range);
    EXPECT_THROW(m_path.getPoint(0), std::out_of_range);
    addVertices(m_path, {{0, 0}, {1, 0}, {1, 1}});
    EXPECT_NEAR(m_path.getPoint(UserPath::LastIndex).getY(), 1.0, 1e-12);
    EXPECT_NEAR(m_path.getPoint(3).getX(), 0.0, 1e-12); // the count itself is the first vertex
    EXPECT_THROW(m_path.getPoint(4), std::out_of_range);
}

TEST_F(Input, AUserPointIsAdjustedTowardsTheNextVertexOrTheOneTheCallerGives) {
    m_path.append(new Midway(0, 0));
    m_path.append(new Midway(4, 2));
    struct Case {
        uint32_t index;
        std::optional<CadPoint> next;
        double x, y;
    } cases[] = {
        {0, std::nullopt, 2, 1},      // none given: the following vertex
        {2, std::nullopt, 2, 1},      // the count is the first vertex, followed by the second
        {0, CadPoint(0, 8, 0), 0, 4}, // the caller's
        {1, std::nullopt, 4, 2},      // the last has none after it
        {UserPath::LastIndex, CadPoint(6, 0, 0), 5, 1},
    };
    for (const Case& c : cases) {
        const PolyPoint next = c.next ? PolyPoint(*c.next) : PolyPoint();
        const PolyPoint got = m_path.getPoint(c.index, c.next ? &next : nullptr);
        EXPECT_NEAR(got.getX(), c.x, 1e-12) << c.index;
        EXPECT_NEAR(got.getY(), c.y, 1e-12) << c.index;
        EXPECT_EQ(got.getArcAngle(), 0.0) << c.index;
        EXPECT_EQ(got.getId(), 0u) << c.index;
    }
}

TEST_F(Input, ACallbackWithNoInputRunningChangesNothing) {
    addVertices(m_path, {{0, 0}});
    mark();
    HostCursor cursor;
    cursor.position = {1, 2, 3};
    UserPath::onFeedback(&cursor);
    HostCoord3D point{4, 5, 6};
    UserPath::onAddPoint(&point);
    UserPath::onRemovePoint();
    EXPECT_EQ(cursor.position.x, 1.0);
    EXPECT_EQ(cursor.position.y, 2.0);
    EXPECT_EQ(cursor.position.z, 3.0);
    EXPECT_EQ(m_path.getVertexCount(), 1u);
    EXPECT_TRUE(m_feedback.candidates.empty());
    EXPECT_EQ(calls(""), 0u);
}

TEST_F(Input, ArcChordsFollowThePixelsOfADashedArc) {
    struct Case {
        uint8_t dashed;
        double pixels;      // the arc's length in pixels
        double pixelLength; // model length of a pixel
        uint32_t chords;
    };
    const Case cases[] = {
        {1, 200, 0.0625, 36}, {1, 100, 0.0625, 25}, {1, 12, 0.0625, 3}, {1, 8, 0.0625, 0},
        {0, 8, 0.0625, 36},   {1, 200, 0.0, 36},    {1, 200, 1e-6, 36},
    };
    for (const Case& c : cases) {
        RubberLineStyle style;
        style.dashed = c.dashed;
        CadArc arc(CadPoint(), 1.0, c.pixels * (c.pixelLength > 0 ? c.pixelLength : 0.0625), 0.0);
        EXPECT_EQ(rubberArcChordCount(style, arc, c.pixelLength), c.chords) << c.pixels << " px";
    }
    // The front window shows 40 m in 800 pixels: an arc of 8 pixels draws nothing, and succeeds.
    RubberLineStyle dashed;
    dashed.dashed = 1;
    mark();
    EXPECT_TRUE(drawRubberArc(dashed, CadArc(CadPoint(), 1.0, 0.4, 0.0)));
    EXPECT_EQ(calls("DRLI"), 0u);
}

TEST_F(Input, TheRubberBandIsDrawnWhileAnInputWaitsAndNeverLoops) {
    struct Case {
        const char* name;
        uint8_t thick, dashed;
        bool withoutPixels; // the host cannot convert pixels
        size_t lines;
    };
    // 0.6 m at 0.05 m a pixel: 12 pixels, three dashes of 3 pixels.
    const Case cases[] = {
        {"a solid line", 1, 0, false, 1},
        {"a dashed line", 0, 1, false, 3},
        {"a dashed line without a pixel length", 1, 1, true, 1},
    };
    for (const Case& c : cases) {
        if (c.withoutPixels) host().databaseCalls().remove("PTOC");
        Feedback feedback;
        feedback.style = RubberLineStyle{c.thick, c.dashed, 3, 1};
        UserPath path(new RecordingBander(feedback));
        addVertices(path, {{0, 0}});
        mark();
        queue({click(0.6, 0), kFinish});
        EXPECT_TRUE(path.inputPolygon(false, false)) << c.name;
        EXPECT_TRUE(feedback.drew) << c.name;
        EXPECT_EQ(calls("DRLI"), c.lines) << c.name;
        EXPECT_EQ(calls(" thick"), c.thick != 0 ? c.lines : 0u) << c.name;
    }
    EXPECT_FALSE(drawRubberSegment(RubberLineStyle(), Line(CadPoint(), CadPoint(1, 1))))
        << "no rubber band outside an input";
}

TEST_F(Input, TheArcPromptsAreInTheModulesResources) {
    EXPECT_EQ(Host::getResourceString(UserPath::ArcPromptList, 1), String("Enter tangent for arc"));
    EXPECT_EQ(Host::getResourceString(UserPath::ArcPromptList, 4), String("Enter arc centre"));
}
