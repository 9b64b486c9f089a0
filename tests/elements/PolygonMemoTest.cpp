// Polygon memos: round trips through a memo store, the counts the writer sizes its handles with,
// and host parts that do not fit their counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "elements/PolygonMemo.h"
#include "platform/gsroot/Memory.h"
#include "project/MemoStore.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;

namespace {

// A polygon memo without an element, reading under counts the test sets.
class LoosePolygon : public PolygonMemo {
public:
    PolygonCounts header;
    bool closed = true;
    bool oneBased = true;
    bool contours = true;

    Element* getOwner() const override { return nullptr; }
    PolygonCounts getPolygonHeader() const override { return header; }
    void load(Element&, MemoStore*&) override {}
    bool isClosed() const override { return closed; }
    bool isOneBased() const override { return oneBased; }
    bool hasContours() const override { return contours; }
};

CadPolygon square(double size, double arcOnThird = 0.0) {
    CadPolygon polygon(4, 1, true);
    polygon.append(PolyPoint(CadPoint(0, 0)));
    polygon.append(PolyPoint(CadPoint(size, 0)));
    polygon.append(PolyPoint(CadPoint(size, size), arcOnThird));
    polygon.append(PolyPoint(CadPoint(0, size)));
    return polygon;
}

CadPolygon triangle() {
    CadPolygon hole(3, 0, true);
    hole.append(PolyPoint(CadPoint(1, 1)));
    hole.append(PolyPoint(CadPoint(2, 1), -0.5));
    hole.append(PolyPoint(CadPoint(1, 2)));
    return hole;
}

template <class T> GSHandle handleOf(const std::vector<T>& items) {
    GSHandle h = BMNewHandle(static_cast<GSSize>(items.size() * sizeof(T)));
    if (!items.empty()) std::memcpy(*h, items.data(), items.size() * sizeof(T));
    return h;
}

template <class T> std::vector<T> itemsOf(GSHandle h) {
    std::vector<T> items(static_cast<size_t>(BMHandleSize(h)) / sizeof(T));
    if (!items.empty()) std::memcpy(items.data(), *h, items.size() * sizeof(T));
    return items;
}

// A closed square stored the host's way, under its counts.
struct StoredSquare {
    std::vector<HostCoord2D> coordinates{{0, 0}, {0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
    std::vector<uint32_t> ends{0, 5};
    PolygonCounts counts{5, 1, 0};
};

} // namespace

TEST(PolygonMemo, AClosedPolygonWithAHoleAndArcsComesBackRotatedWithItsArcsAndIds) {
    ModuleUnderTest module(nullptr, false);
    LoosePolygon writer;
    CadPolygon outline = square(4.0, 0.75);
    outline.addHole(new CadPolygon(triangle()));
    writer.copyPolygon(outline);
    ElementMemoStore store;
    ASSERT_TRUE(writer.writeMemo(store));
    const PolygonCounts counts = writer.getCountHeader();
    EXPECT_EQ(counts, (PolygonCounts{9, 2, 2})); // 4 + 1 and 3 + 1 points, two arcs
    EXPECT_EQ(BMHandleSize(store.getCoordinates()), GSSize(10 * sizeof(HostCoord2D)));
    EXPECT_EQ(itemsOf<uint32_t>(store.getSubPolygonEnds()), (std::vector<uint32_t>{0, 5, 9}));
    std::vector<HostPolygonArc> arcs = itemsOf<HostPolygonArc>(store.getArcs());
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].begin, 2u);
    EXPECT_EQ(arcs[0].end, 3u);
    EXPECT_DOUBLE_EQ(arcs[0].angle, 0.75);
    EXPECT_EQ(itemsOf<uint32_t>(store.getVertexIds())[0], 7u); // the polygon-wide value

    LoosePolygon reader;
    reader.header = counts;
    ASSERT_TRUE(reader.readMemo(store));
    EXPECT_TRUE(reader.isLoaded());
    EXPECT_TRUE(reader.hasVertexIds());
    const CadPolygon& read = *reader.heldPolygon();
    ASSERT_EQ(read.getVertexCount(), 4u);
    ASSERT_EQ(read.getHoleCount(), 1u);
    // P1..P4 come back as P2, P3, P4, P1, each with its own arc and id.
    const double xs[] = {4, 4, 0, 0};
    const double ys[] = {0, 4, 4, 0};
    const uint32_t ids[] = {2, 3, 4, 1};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(read.getVertex(i).getX(), xs[i]) << i;
        EXPECT_DOUBLE_EQ(read.getVertex(i).getY(), ys[i]) << i;
        EXPECT_EQ(read.getVertex(i).getId(), ids[i]) << i;
        EXPECT_DOUBLE_EQ(read.getVertex(i).getArcAngle(), i == 1 ? 0.75 : 0.0) << i;
    }
    const CadPolygon& hole = read.getHole(0);
    ASSERT_EQ(hole.getVertexCount(), 3u);
    EXPECT_DOUBLE_EQ(hole.getVertex(0).getX(), 2.0);
    EXPECT_DOUBLE_EQ(hole.getVertex(0).getArcAngle(), -0.5);
    EXPECT_DOUBLE_EQ(hole.getVertex(2).getY(), 1.0);
    EXPECT_EQ(read.getVertexIdCounter(), 7u);
    EXPECT_TRUE(read.isClosed());
}

TEST(PolygonMemo, PartsThatDoNotFitTheirCountsOrCouldNotBeDrawnAreRefused) {
    ModuleUnderTest module(nullptr, false);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        bool accepted;
        std::vector<HostCoord2D> coordinates;
        std::vector<uint32_t> ends;
        PolygonCounts counts;
        std::vector<HostPolygonArc> arcs;
        std::vector<double> doubles;
        size_t trailingBytes = 0;
        std::vector<uint32_t> ids = {};
    };
    const StoredSquare ok;
    auto withPoint = [&](size_t at, HostCoord2D point) {
        std::vector<HostCoord2D> coordinates = ok.coordinates;
        coordinates[at] = point;
        return coordinates;
    };
    std::vector<HostCoord2D> three(ok.coordinates.begin(), ok.coordinates.begin() + 3);
    std::vector<HostCoord2D> squareAndDot = ok.coordinates;
    squareAndDot.insert(squareAndDot.end(), {{1, 1}, {1, 1}});
    const Case cases[] = {
        {"the square itself", true, ok.coordinates, ok.ends, ok.counts, {}, {}},
        {"a circle of two points and two arcs",
         true,
         {{0, 0}, {0, 0}, {2, 0}, {0, 0}},
         {0, 3},
         {3, 1, 2},
         {{1, 2, 3.14159}, {2, 3, 3.14159}},
         {}},
        {"first contour starting at 1", false, ok.coordinates, {1, 5}, ok.counts, {}, {}},
        {"a one-point outline", false, {{0, 0}, {3, 3}, {3, 3}}, {0, 2}, {2, 1, 0}, {}, {}},
        {"a one-point hole", false, squareAndDot, {0, 5, 7}, {7, 2, 0}, {}, {}},
        {"NaN x", false, withPoint(3, {nan, 4}), ok.ends, ok.counts, {}, {}},
        {"NaN y", false, withPoint(2, {4, nan}), ok.ends, ok.counts, {}, {}},
        {"infinite x", false, withPoint(4, {inf, 4}), ok.ends, ok.counts, {}, {}},
        {"minus infinite y on the closing point", false, withPoint(5, {0, -inf}), ok.ends, ok.counts, {}, {}},
        {"NaN arc angle", false, ok.coordinates, ok.ends, {5, 1, 1}, {{2, 3, nan}}, {}},
        {"infinite arc angle", false, ok.coordinates, ok.ends, {5, 1, 1}, {{2, 3, inf}}, {}},
        {"NaN height", false, ok.coordinates, ok.ends, ok.counts, {}, {0, 0, 0, nan, 0, 0}},
        {"a partial point after the coordinates", false, ok.coordinates, ok.ends, ok.counts, {}, {}, 8},
        // Parts that do not fit their counts.
        {"short coordinates", false, three, ok.ends, ok.counts, {}, {}},
        {"ends past the coordinates", false, ok.coordinates, {0, 400}, ok.counts, {}, {}},
        {"decreasing ends", false, ok.coordinates, {0, 5, 2}, {5, 2, 0}, {}, {}},
        {"ends shorter than the contours", false, ok.coordinates, {0, 5}, {5, 3, 0}, {}, {}},
        {"huge contour count", false, ok.coordinates, {0, 5}, {5, 0xFFFFFFFFu, 0}, {}, {}},
        {"short ids", false, ok.coordinates, ok.ends, ok.counts, {}, {}, 0, {0, 1, 2}},
        {"short doubles", false, ok.coordinates, ok.ends, ok.counts, {}, {0.0, 1.0}},
        {"no coordinate counted", false, ok.coordinates, ok.ends, {0, 1, 0}, {}, {}},
        {"arcs counted but missing", false, ok.coordinates, ok.ends, {5, 1, 2}, {}, {}},
        {"more arcs counted than held", false, ok.coordinates, ok.ends, {5, 1, 3}, {{1, 2, 0.5}}, {}},
    };
    for (const Case& c : cases) {
        ElementMemoStore store;
        *store.coordinatesAddress() = handleOf(c.coordinates);
        if (c.trailingBytes > 0) {
            GSHandle coordinates = store.getCoordinates();
            ASSERT_EQ(BMResizeHandle(coordinates, BMHandleSize(coordinates) + GSSize(c.trailingBytes)), 0);
        }
        *store.subPolygonEndsAddress() = handleOf(c.ends);
        if (!c.arcs.empty()) *store.arcsAddress() = handleOf(c.arcs);
        if (!c.doubles.empty()) *store.vertexDoublesAddress() = handleOf(c.doubles);
        if (!c.ids.empty()) *store.vertexIdsAddress() = handleOf(c.ids);
        LoosePolygon reader;
        reader.copyPolygon(square(1.0));
        reader.header = c.counts;
        EXPECT_EQ(reader.readMemo(store), c.accepted) << c.what;
        EXPECT_EQ(reader.isLoaded(), c.accepted) << c.what;
        EXPECT_EQ(reader.heldPolygon() != nullptr, c.accepted) << c.what;
    }
}

TEST(PolygonMemo, OpenOrContourlessPolygonsWriteOnlyTheirOutlineAndExactlyWhatTheyCount) {
    ModuleUnderTest module(nullptr, false);
    LoosePolygon writer;
    writer.closed = false;
    writer.contours = false;
    CadPolygon line = square(2.0, 0.3);
    line.vertexRef(0).setArcAngle(0.9); // the closing edge an open polygon never has
    line.addHole(new CadPolygon(triangle()));
    writer.copyPolygon(line);
    ElementMemoStore store;
    ASSERT_TRUE(writer.writeMemo(store));
    EXPECT_EQ(writer.getCountHeader(), (PolygonCounts{4, 1, 1}));
    std::vector<HostCoord2D> coordinates = itemsOf<HostCoord2D>(store.getCoordinates());
    ASSERT_EQ(coordinates.size(), 5u);
    EXPECT_DOUBLE_EQ(coordinates[0].x, -1.0); // the open mark
    EXPECT_DOUBLE_EQ(coordinates[4].y, 2.0);
    EXPECT_EQ(itemsOf<uint32_t>(store.getSubPolygonEnds()), (std::vector<uint32_t>{0, 4}));
    EXPECT_EQ(itemsOf<HostPolygonArc>(store.getArcs()).size(), 1u);

    LoosePolygon reader;
    reader.closed = false;
    reader.header = writer.getCountHeader();
    ASSERT_TRUE(reader.readMemo(store));
    EXPECT_EQ(reader.heldPolygon()->getVertexCount(), 4u);
    EXPECT_DOUBLE_EQ(reader.heldPolygon()->getVertex(0).getX(), 0.0); // not rotated
    EXPECT_FALSE(reader.heldPolygon()->isClosed());

    // A closed polygon without contours writes no closing point.
    LoosePolygon spline;
    spline.contours = false; // closed, zero-based, no holes: as a closed spline stores itself
    spline.oneBased = false;
    spline.copyPolygon(square(3.0, 0.4));
    ElementMemoStore splineStore;
    ASSERT_TRUE(spline.writeMemo(splineStore));
    EXPECT_EQ(spline.getCountHeader(), (PolygonCounts{4, 1, 1}));
    coordinates = itemsOf<HostCoord2D>(splineStore.getCoordinates());
    ASSERT_EQ(coordinates.size(), 5u);
    EXPECT_DOUBLE_EQ(coordinates[0].x, 0.0); // the first vertex at index 0
    EXPECT_DOUBLE_EQ(coordinates[3].x, 0.0);
    EXPECT_DOUBLE_EQ(coordinates[3].y, 3.0);
    EXPECT_EQ(itemsOf<uint32_t>(splineStore.getSubPolygonEnds())[1], 3u);
}

TEST(PolygonMemo, NothingIsWrittenWithoutAValidPolygonAndOldHandlesAreReplaced) {
    ModuleUnderTest module(nullptr, false);
    LoosePolygon writer;
    ElementMemoStore store;
    EXPECT_FALSE(writer.writeMemo(store));
    EXPECT_EQ(store.getCoordinates(), nullptr);

    writer.copyPolygon(square(1.0));
    *store.coordinatesAddress() = BMNewHandle(3); // a leftover the writer replaces
    *store.vertexDoublesAddress() = BMNewHandle(8);
    ASSERT_TRUE(writer.writeMemo(store));
    EXPECT_EQ(BMHandleSize(store.getCoordinates()), GSSize(6 * sizeof(HostCoord2D)));
    EXPECT_EQ(BMHandleSize(store.getVertexDoubles()), GSSize(6 * sizeof(double)));
}

TEST(PolygonConstructor, BuildsFromLooseHandlesAndLeavesThemWithTheirOwner) {
    ModuleUnderTest module(nullptr, false);
    StoredSquare square;
    GSHandle coordinates = handleOf(square.coordinates);
    GSHandle ends = handleOf(square.ends);
    GSHandle arcs = handleOf(std::vector<HostPolygonArc>{{2, 3, 1.5}});
    PolygonConstructor constructor;
    std::unique_ptr<CadPolygon> polygon = constructor.build({5, 1, 1}, coordinates, ends, arcs);
    ASSERT_NE(polygon, nullptr);
    ASSERT_EQ(polygon->getVertexCount(), 4u);
    EXPECT_DOUBLE_EQ(polygon->getVertex(1).getArcAngle(), 1.5); // the third stored point
    EXPECT_EQ(polygon->getVertex(0).getId(), 1u);               // no ids: numbered afresh
    EXPECT_EQ(constructor.heldPolygon(), nullptr);
    EXPECT_TRUE(BMIsLiveHandle(coordinates) && BMIsLiveHandle(ends) && BMIsLiveHandle(arcs));
    EXPECT_EQ(constructor.build({9, 1, 0}, coordinates, ends, nullptr), nullptr);
    for (GSHandle* h : {&coordinates, &ends, &arcs})
        BMKillHandle(h);
}
