// The host's windows as rectangles: finding by title, client areas on the screen, the tab bar.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "Environment/String.h"
#include "geometry/ScreenRect.h"
#include "platform/windows/WinWindows.h"

using namespace tarnwick;

namespace tarnwick {
void PrintTo(const ScreenRect& r, std::ostream* out) {
    *out << "(" << r.getLeft() << ", " << r.getTop() << ")-(" << r.getRight() << ", " << r.getBottom() << ")";
}
} // namespace tarnwick

namespace {

// Windows made by a test, destroyed with it.
struct Windows {
    std::vector<HWND> made;
    HWND add(HWND parent, const char16_t* title, int x, int y, int w, int h, int border = 0,
             int caption = 0) {
        made.push_back(StandInCreateWindow(parent, title, x, y, w, h, border, caption));
        return made.back();
    }
    ~Windows() {
        for (HWND window : made)
            DestroyWindow(window);
    }
};

} // namespace

TEST(WindowRect, TabBarInTheWindowsClientCoordinates) {
    const struct {
        int x, y, border, caption, barX, barY; // the bar placed in the client area at (barX, barY)
    } cases[] = {
        {0, 0, 8, 23, 0, 0},      // 8 px frame, 23 px caption: the bar 31 px down, 8 px right
        {300, -200, 8, 23, 0, 0}, // wherever the window stands
        {40, 60, 4, 20, 10, 5},   // another frame, the bar inside the client area
        {-5, 7, 0, 0, -3, 12},    // no frame; a bar partly outside
    };
    for (const auto& c : cases) {
        Windows windows;
        HWND main = windows.add(nullptr, u"Main", c.x, c.y, 640, 480, c.border, c.caption);
        windows.add(main, u"DGTabBarControl", c.barX, c.barY, 200, 24);
        EXPECT_EQ(ScreenRect::ofTabBar(main), ScreenRect(c.barX, c.barY, c.barX + 200, c.barY + 24))
            << c.x << " " << c.border << " " << c.barX;
    }
}

TEST(WindowRect, TabBarFailuresGiveTheEmptyRectangle) {
    Windows windows;
    HWND bare = windows.add(nullptr, u"Bare", 0, 0, 100, 100, 8, 23);
    HWND gone = windows.add(nullptr, u"Gone", 0, 0, 100, 100, 8, 23);
    windows.add(gone, u"DGTabBarControl", 0, 0, 50, 20);
    DestroyWindow(gone);
    // A null window must not search the top-level windows, where a bar stands here.
    windows.add(nullptr, u"DGTabBarControl", 0, 0, 50, 20);
    for (HWND window : {bare, gone, HWND(nullptr)})
        EXPECT_EQ(ScreenRect::ofTabBar(window), ScreenRect());
}

TEST(WindowRect, FindsTheFirstTitledTopLevelWindowInZOrder) {
    Windows windows;
    HWND lower = windows.add(nullptr, u"Plan - Ground Floor", 0, 0, 10, 10);
    HWND upper = windows.add(nullptr, u"Plan - First Floor", 0, 0, 10, 10);
    HWND untitled = windows.add(nullptr, u"", 0, 0, 10, 10);
    windows.add(upper, u"Child Plan Grundriß", 0, 0, 5, 5);
    HWND wide = windows.add(nullptr, u"Grundriß – Ebene 2", 0, 0, 10, 10);
    const struct {
        const char* part;
        HWND expected;
    } cases[] = {
        {"Plan", upper},                  // two match: the upper one
        {"Ground", lower},    {"", wide}, // the untitled window above it is skipped
        {"Ebene 2", wide},                // the whole wide title is read
        {"Child", nullptr},               // children are not top-level windows
        {"Section", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScreenRect::findWindow(String(c.part)), c.expected) << c.part;
    BringWindowToTop(lower);
    EXPECT_EQ(ScreenRect::findWindow(String("Plan")), lower);
    (void)untitled;
}

TEST(WindowRect, ClientAreaOnTheScreen) {
    Windows windows;
    HWND main = windows.add(nullptr, u"Main", 100, 50, 200, 150, 8, 23);
    HWND child = windows.add(main, u"Child", 10, 20, 30, 40, 2, 3);
    HWND far = windows.add(nullptr, u"Far", 32000, -32760, 2000, 100);
    HWND gone = windows.add(nullptr, u"Gone", 0, 0, 10, 10);
    DestroyWindow(gone);
    EXPECT_EQ(ScreenRect(main), ScreenRect(108, 81, 292, 192));
    // The child's client origin: the parent's, its place, its own frame.
    EXPECT_EQ(ScreenRect(child), ScreenRect(120, 106, 146, 139));
    MoveWindow(main, 0, 0, 200, 150, TRUE);
    EXPECT_EQ(ScreenRect(child), ScreenRect(20, 56, 46, 89)); // children move with their parent
    POINT point{5, 6};
    ASSERT_TRUE(ClientToScreen(child, &point));
    EXPECT_EQ(point.x, 25);
    EXPECT_EQ(point.y, 62);
    // 16-bit corners stop at the edge instead of wrapping.
    EXPECT_EQ(ScreenRect(far), ScreenRect(32000, -32760, 32767, -32660));
    EXPECT_EQ(ScreenRect(gone), ScreenRect());
    EXPECT_EQ(ScreenRect(HWND(nullptr)), ScreenRect());
}
