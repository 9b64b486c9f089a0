// A view's window: the zoom box kept in the area's proportions, pixels to model and back, the
// size changed about the centre, the window saved with the project, and its scenario words.
#include <cmath>
#include <cstring>
#include <limits>

#include "HostTestSupport.h"
#include "platform/host/ProjectFile.h"
#include "platform/host/Scenario.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/host/ViewWindow.h"

using namespace zavhost;

namespace {
void expectBox(const HostBox2D& box, double xMin, double yMin, double xMax, double yMax) {
    EXPECT_NEAR(box.xMin, xMin, 1e-9);
    EXPECT_NEAR(box.yMin, yMin, 1e-9);
    EXPECT_NEAR(box.xMax, xMax, 1e-9);
    EXPECT_NEAR(box.yMax, yMax, 1e-9);
}
} // namespace

TEST(ViewWindow, AZoomBoxTakesTheAreasProportionsAndPixelsMapWithYDownwards) {
    ViewWindow window; // 800 by 600 over (0, 0)-(40, 30)
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const HostBox2D& bad : {HostBox2D{0, 0, 0, 5}, HostBox2D{1, 1, 5, 1}, HostBox2D{0, 0, nan, 1}}) {
        EXPECT_FALSE(window.show(bad));
        expectBox(window.zoom, 0, 0, 40, 30);
    }
    ASSERT_TRUE(window.show({10, 10, 0, 0})); // corners in any order; widened along x
    expectBox(window.zoom, -5.0 / 3, 0, 35.0 / 3, 10);
    ASSERT_TRUE(window.show({0, 0, 8, 2})); // widened along y
    expectBox(window.zoom, 0, -2, 8, 4);

    const struct {
        HostPixelPoint pixel;
        HostCoord2D point;
    } corners[] = {{{0, 0}, {0, 4}}, {{800, 600}, {8, -2}}, {{400, 300}, {4, 1}}, {{100, -50}, {1, 4.5}}};
    for (const auto& c : corners) {
        std::optional<HostCoord2D> point = window.toModel(c.pixel);
        ASSERT_TRUE(point);
        EXPECT_NEAR(point->x, c.point.x, 1e-9);
        EXPECT_NEAR(point->y, c.point.y, 1e-9);
        std::optional<HostPixelPoint> back = window.toPixels(c.point);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->h, c.pixel.h);
        EXPECT_EQ(back->v, c.pixel.v);
    }
    EXPECT_EQ(window.toPixels({0.0049, 3.9951})->h, 0); // the nearest pixel
    EXPECT_EQ(window.toPixels({0.0051, 3.9949})->v, 1);
    EXPECT_FALSE(window.toPixels({1e12, 0}));

    // A new size keeps the centre and the length of a pixel; no window converts nothing.
    EXPECT_FALSE(window.resize(0, 10));
    EXPECT_FALSE(window.resize(-1, -1));
    ASSERT_TRUE(window.resize(400, 600));
    expectBox(window.zoom, 2, -2, 6, 4);
    ASSERT_TRUE(window.resize(0, 0));
    EXPECT_FALSE(window.toModel({0, 0}));
    EXPECT_FALSE(window.toPixels({0, 0}));
}

TEST_F(HostTest, WindowsAreSavedWithTheProjectAndABadOneFailsTheFile) {
    EXPECT_FALSE(play(R"(project new "W"
view add section "S"
view zoom "S" 0 0 8 3
view pixels "S" 400 300
view zoom plan 0 0 4 3
project save-and-reopen
expect view-window "S" zoom 2 0 6 3 pixels 400 300 redraws 0 rebuilds 0
expect view-window plan zoom 0 0 4 3 pixels 800 600
expect highlight none
expect view-window 3d zoom 0 0 4 3
)"));
    EXPECT_EQ(failedLine, 10);
    EXPECT_NE(failure.find("the zoom box is 0 0 40 30"), std::string::npos) << failure;

    ParsedScenario bad = parseScenario("view pixels \"S\" 400\nexpect view-window plan redraws\n"
                                       "expect highlight\n");
    EXPECT_EQ(bad.errors.size(), 3u);

    // A zoom box without width in the file fails it whole.
    std::string bytes = ProjectFile::encode(*host.project());
    const size_t chunk = bytes.find("NIWV"); // the tag's little-endian bytes
    ASSERT_NE(chunk, std::string::npos);
    const size_t firstBox = chunk + 8 + 4 + 4 + 16; // tag, length, count, kind, Guid
    std::memcpy(bytes.data() + firstBox + 16, bytes.data() + firstBox, sizeof(double)); // xMax = xMin
    Project loaded;
    std::string error;
    EXPECT_FALSE(ProjectFile::decode(bytes, &loaded, &error));
    EXPECT_NE(error.find("VWIN chunk: a window has a bad zoom box"), std::string::npos) << error;
}
