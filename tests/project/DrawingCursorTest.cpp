// The model point under the mouse pointer, and the host's application window.
#include <gtest/gtest.h>

#include "Environment/Host.h"
#include "ProjectTestSupport.h"
#include "geometry/CadPoint.h"
#include "platform/host/HostWindows.h"
#include "platform/windows/WinSystem.h"
#include "platform/windows/WinWindows.h"
#include "project/Plan.h"

using namespace tarnwick;

namespace {

class DrawingCursor : public projecttest::HostTest {
protected:
    void TearDown() override { SetCursorPos(0, 0); }
};

} // namespace

TEST_F(DrawingCursor, TheApplicationWindowIsTheHostsMainWindow) {
    HWND decoy =
        StandInCreateWindow(nullptr, u"zavhost notes", 0, 0, 10, 10, 0, 0); // on top; not in capitals
    EXPECT_EQ(Host::getApplicationWindow(), host.windows().mainWindow());
    DestroyWindow(decoy);
}

// The plan's area is 800 by 600 host pixels showing (0, 0)-(40, 30): 0.05 m a pixel, pixel (0, 0)
// at (0, 30). The window shows it at the display scale, wherever it stands.
TEST_F(DrawingCursor, ThePointUnderThePointerWhereverTheWindowStandsAndAtAnyScale) {
    const struct {
        double scale;
        int left, top; // the window's place on the screen
        int dx, dy;    // the pointer in its client area
        double x, y;
    } cases[] = {
        {1.0, 8, 55, 100, 200, 5.0, 20.0},    // where the host opened it
        {1.5, 300, -40, 150, 300, 5.0, 20.0}, // moved, and shown at 6 quarters
        {1.25, 20, 30, 125, 250, 5.0, 20.0},  // 5 quarters
        {1.1, 0, 0, 110, 220, 5.5, 19.0},     // read as 4 quarters: one screen pixel a host pixel
        {1.0, 0, 0, 0, 0, 0.0, 30.0},         // the area's corner
        {0.1, 0, 0, 4, 4, 0.0, 0.0},          // 0 quarters: nothing to tell
    };
    Plan* plan = Host::getPlan();
    ASSERT_NE(plan, nullptr);
    for (const auto& c : cases) {
        ASSERT_TRUE(host.windows().setDisplayScale(c.scale));
        host.windows().follow(host.project());
        HWND window = host.windows().viewWindow(zavhost::DatabaseKey{});
        RECT rect;
        ASSERT_TRUE(GetWindowRect(window, &rect));
        MoveWindow(window, c.left, c.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        SetCursorPos(c.left + c.dx, c.top + c.dy);
        const CadPoint point = plan->getCursorPosition();
        EXPECT_TRUE(point.isEqual(CadPoint(c.x, c.y, 0.0)))
            << c.scale << ": " << point.getX() << ", " << point.getY() << ", " << point.getZ();
    }
}

TEST_F(DrawingCursor, AZoomBoxWithoutPixelWidthTellsNothing) {
    host.databaseCalls().add("CTOP", [](zavhost::SelectorCall& call) {
        *static_cast<HostPixelPoint*>(call.args[1]) = HostPixelPoint{7, 7};
        return hosterr::Ok;
    });
    SetCursorPos(300, 300);
    EXPECT_TRUE(Host::getPlan()->getCursorPosition().isEqual(CadPoint(0, 0, 0)));
    EXPECT_EQ(projecttest::callsWith(host, "PTOC"), 0u);
}
