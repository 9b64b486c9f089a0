// Section and elevation markers: their three section lines read from the host, moved, written back
// with the section-line mask and kept through a save and reopen; a count its handle does not hold;
// the elevation above the storey; which way the lines run; the host's default marker.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "ElementTestSupport.h"
#include "Environment/HostTable.h"
#include "Environment/TempFolder.h"
#include "elements/CutPlaneReference.h"
#include "platform/host/FunctionSlots.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "project/Storey.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

using Points = std::vector<HostCoord2D>;
using Lines = std::array<Points, 3>;

constexpr uint32_t lineFields[3] = {offsetof(API_ElementMemo, sectionPoints1),
                                    offsetof(API_ElementMemo, sectionPoints2),
                                    offsetof(API_ElementMemo, sectionPoints3)};

std::string bytesOf(const Points& points) {
    return std::string(reinterpret_cast<const char*>(points.data()), points.size() * sizeof(HostCoord2D));
}

Points pointsOf(const CadPolygon* line) {
    Points points;
    for (size_t i = 0; line != nullptr && i < line->getVertexCount(); ++i)
        points.push_back(line->getVertex(i).getCoord2D());
    return points;
}

std::unique_ptr<CadPolygon> lineOf(const Points& points) {
    auto line = std::make_unique<CadPolygon>(points.size(), 0, false);
    for (const HostCoord2D& point : points)
        line->append(PolyPoint(point));
    return line;
}

bool same(const Points& a, const Points& b) {
    return bytesOf(a) == bytesOf(b);
}

class Markers : public HostTest {
protected:
    Markers() { registerElementCreator(25, &createSectionReference); }
    ~Markers() override { releaseElementCreators(); }

    // A section marker on the storey whose memo holds the lines (the counts in its record say how
    // many points each has, unless given otherwise).
    API_Guid addMarker(const Lines& lines, double elevation = 0.0, int16_t storey = 0,
                       const std::array<uint16_t, 3>* counts = nullptr) {
        return addHostElement(host, 25, nullptr, [&](zavhost::StoredElement& e) {
            HostCutPlaneMarker marker;
            marker.head = e.record.head;
            marker.head.storey = storey;
            marker.elevation = elevation;
            for (size_t i = 0; i < 3; ++i) {
                marker.lineCounts[i] =
                    counts != nullptr ? (*counts)[i] : static_cast<uint16_t>(lines[i].size());
                if (!lines[i].empty()) e.memo.blocks[lineFields[i]].bytes = bytesOf(lines[i]);
            }
            std::memcpy(e.record.raw, static_cast<const void*>(&marker), sizeof marker);
        });
    }
    std::unique_ptr<CutPlaneReference> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        return std::unique_ptr<CutPlaneReference>(dynamic_cast<CutPlaneReference*>(element.release()));
    }
    const zavhost::StoredMemo& hostMemo(const API_Guid& guid) {
        return host.project()->model.views.findElement(guid)->memo;
    }
};

} // namespace

TEST_F(Markers, EveryLineIsKeptThroughAMoveAndAProjectSaveAndReopen) {
    const Points first{{0, 0}, {4, 0}};
    const Lines cases[] = {{first, {}, {}}, {first, {{0, -1}, {2, -1}, {4, -1}}, {{9, 9}}}};
    for (const Lines& lines : cases) {
        TempFolder folder;
        const API_Guid guid = addMarker(lines);
        std::unique_ptr<CutPlaneReference> marker = read(guid);
        ASSERT_NE(marker, nullptr);
        EXPECT_TRUE(same(pointsOf(marker->getSecondLine()), lines[1]));
        marker->setReferencePoint(CadPoint(1.0, 2.0, 0.0));
        const Points moved{{1, 2}, {5, 2}};
        // A second line changed too must reach the host with the first.
        Points second = lines[1];
        for (HostCoord2D& point : second)
            point.y -= 1.0;
        if (!second.empty()) marker->setSecondLine(lineOf(second));
        uint64_t mask = 0;
        EXPECT_NE(marker->buildMemo(mask), nullptr);
        EXPECT_EQ(mask, MemoSectionLines);
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*marker, false, true); }));
        ASSERT_EQ(host.saveAndReopenProject(folder.path("markers.zavproj")), hosterr::Ok);

        const zavhost::StoredMemo& memo = hostMemo(guid);
        for (size_t i = 1; i < 3; ++i)
            EXPECT_EQ(memo.blocks.count(lineFields[i]), lines[i].empty() ? 0u : 1u) << i;
        std::unique_ptr<CutPlaneReference> reread = read(guid);
        ASSERT_NE(reread, nullptr);
        EXPECT_TRUE(same(pointsOf(reread->getFirstLine()), moved));
        EXPECT_TRUE(same(pointsOf(reread->getSecondLine()), second));
        EXPECT_TRUE(same(pointsOf(reread->getThirdLine()), lines[2]));
        EXPECT_FALSE(reread->getFirstLine()->isClosed());
    }
}

TEST_F(Markers, ACountItsHandleDoesNotHoldReadsNoLineAndWritesNothing) {
    const std::array<uint16_t, 3> counts[] = {{2, 5, 0}, {3, 0, 0}, {1, 0, 0}};
    for (const auto& count : counts) {
        const API_Guid guid = addMarker({Points{{0, 0}, {4, 0}}, Points{{0, 1}}, {}}, 0.0, 0, &count);
        std::unique_ptr<CutPlaneReference> marker = read(guid);
        ASSERT_NE(marker, nullptr);
        EXPECT_EQ(marker->getFirstLine(), nullptr) << count[0] << " " << count[1];
        EXPECT_EQ(marker->getSecondLine(), nullptr);
        uint64_t mask = 1;
        EXPECT_EQ(marker->buildMemo(mask), nullptr);
        EXPECT_EQ(mask, 0u);
        // Saved without a memo, the marker keeps the host's lines.
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*marker, false, true); }));
        EXPECT_EQ(hostMemo(guid).blocks.count(lineFields[0]), 1u);
    }
}

TEST_F(Markers, TheElevationIsAbsoluteAndRelativeToTheStoreysLevel) {
    const API_Guid guid = addMarker({Points{{1, 1}, {2, 1}}, {}, {}}, 5.0, 1); // the first floor, at 3
    std::unique_ptr<CutPlaneReference> marker = read(guid);
    ASSERT_NE(marker, nullptr);
    ASSERT_NE(marker->getStorey(), nullptr);
    EXPECT_DOUBLE_EQ(marker->getStorey()->getLevel(), 3.0);
    EXPECT_DOUBLE_EQ(marker->getElevation(true), 5.0);
    EXPECT_DOUBLE_EQ(marker->getElevation(false), 2.0);
    CadPoint reference;
    marker->getReferencePoint(reference);
    EXPECT_EQ(reference, CadPoint(1.0, 1.0, 5.0));
    marker->setElevation(1.0, false);
    EXPECT_DOUBLE_EQ(marker->getMarkerRecord().elevation, 4.0);
    marker->setReferencePoint(CadPoint(0.0, 0.0, 7.0));
    EXPECT_DOUBLE_EQ(marker->getElevation(false), 4.0);
}

TEST_F(Markers, TheLineAngleTurnsRoundUnlessTheSecondLineLiesToTheRight) {
    const double pi = std::numbers::pi;
    struct Case {
        Points second;
        bool aligned;
        double angle;
    };
    const Case cases[] = {
        {{{2, -1}}, true, 0.0},       // right of the line running east
        {{{2, 1}}, false, pi},        // left: the direction turns round
        {{{2, 0.000001}}, false, pi}, // on the line within the tolerance
        {{}, false, pi},              // no second line
    };
    for (const Case& c : cases) {
        const API_Guid guid = addMarker({Points{{0, 0}, {4, 0}}, c.second, {}});
        std::unique_ptr<CutPlaneReference> marker = read(guid);
        ASSERT_NE(marker, nullptr);
        EXPECT_EQ(marker->isLineAligned(), c.aligned) << c.second.size();
        EXPECT_NEAR(marker->getLineAngle(), c.angle, 1e-12);
    }
}

TEST_F(Markers, TheHostsDefaultMarkerIsTakenWithTheHeadKeptAndMarksTheUserDataChanged) {
    for (uint8_t type : {uint8_t(25), uint8_t(33)}) {
        SCOPED_TRACE(int(type));
        zavhost::DefaultElement& defaults = host.project()->model.defaults.edit(type, 0);
        HostCutPlaneMarker fields;
        std::memcpy(static_cast<void*>(&fields), defaults.record.raw, sizeof fields);
        fields.markerPen = type;
        fields.elevation = 2.5;
        std::memcpy(defaults.record.raw, static_cast<const void*>(&fields), sizeof fields);

        const ElementLink link(ElementLink::makeTypeId(type), nullptr, 0);
        std::unique_ptr<CutPlaneReference> marker;
        if (type == 25)
            marker = std::make_unique<SectionReference>(link);
        else
            marker = std::make_unique<ElevationReference>(link);
        EXPECT_FALSE(marker->isUserDataChanged());
        ASSERT_TRUE(marker->setDefaults());
        EXPECT_EQ(marker->getMarkerRecord().markerPen, type);
        EXPECT_EQ(marker->getMarkerRecord().elevation, 2.5);
        EXPECT_EQ(marker->getMarkerRecord().head.typeCode, type);
        EXPECT_TRUE(marker->isUserDataChanged());
    }

    // A host without defaults changes nothing.
    const API_Guid guid = addMarker({Points{{0, 0}, {4, 0}}, Points{}, Points{}}, 1.0);
    std::unique_ptr<CutPlaneReference> stored = read(guid);
    ASSERT_NE(stored, nullptr);
    const HostFunctionTable full = hostTable();
    HostFunctionTable partial = full;
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "GetDefaultElement"));
    installHostTable(&partial);
    EXPECT_FALSE(stored->setDefaults());
    installHostTable(&full);
    EXPECT_FALSE(stored->isUserDataChanged());
    EXPECT_EQ(stored->getMarkerRecord().markerPen, 0);
    EXPECT_EQ(stored->getMarkerRecord().elevation, 1.0);
    EXPECT_EQ(stored->getGuid(), Guid(guid));
}
