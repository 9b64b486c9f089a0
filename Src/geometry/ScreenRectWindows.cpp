// The rectangles of the host's Windows windows.
#include <algorithm>

#include "Environment/String.h"
#include "Environment/WindowSearch.h"
#include "geometry/ScreenRect.h"
#include "platform/windows/WinWindows.h"

namespace tarnwick {

namespace {

// Windows coordinates are 32-bit; ours 16-bit. Out-of-range values stop at the edge rather than
// wrapping to the other side of the screen.
int16_t clamped(LONG value) {
    return static_cast<int16_t>(std::clamp<LONG>(value, INT16_MIN, INT16_MAX));
}

ScreenRect fromCorners(LONG left, LONG top, LONG right, LONG bottom) {
    return ScreenRect(clamped(left), clamped(top), clamped(right), clamped(bottom));
}

} // namespace

ScreenRect::ScreenRect(HWND window) {
    RECT client;
    if (window == nullptr || !GetClientRect(window, &client)) return;
    POINT origin{0, 0};
    if (!ClientToScreen(window, &origin)) origin = POINT{0, 0};
    *this = fromCorners(origin.x, origin.y, origin.x + client.right, origin.y + client.bottom);
}

HWND ScreenRect::findWindow(const String& titlePart) {
    return findWindowByTitle(nullptr, titlePart);
}

ScreenRect ScreenRect::ofTabBar(HWND window) {
    // A null parent would search the top-level windows.
    if (window == nullptr) return ScreenRect();
    HWND tabBar = findWindowByTitle(window, String("DGTabBarControl"));
    RECT frame, client, bar;
    if (tabBar == nullptr || !GetWindowRect(window, &frame) || !GetClientRect(window, &client) ||
        !GetWindowRect(tabBar, &bar))
        return ScreenRect();
    const LONG border = ((frame.right - frame.left) - client.right) / 2;
    const LONG caption = (frame.bottom - frame.top) - client.bottom - 2 * border;
    const LONG left = (bar.left - frame.left) - border;
    const LONG top = bar.top - border - caption - frame.top;
    return fromCorners(left, top, left + (bar.right - bar.left), top + (bar.bottom - bar.top));
}

} // namespace tarnwick
