#include "WinSystem.h"

#include <cerrno>
#include <ctime>

#include "Shell.h"

namespace {
POINT& cursor() {
    static POINT point;
    return point;
}
} // namespace

void Sleep(DWORD milliseconds) {
    if (milliseconds == INFINITE) return;
    timespec wait{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    timespec left{};
    while (::nanosleep(&wait, &left) != 0 && errno == EINTR)
        wait = left;
    if (AreStartedProcessesPunctual()) (void)WaitForStartedProcesses(PunctualLimitMs);
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) return FALSE;
    *point = cursor();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    cursor().x = x;
    cursor().y = y;
    return TRUE;
}
