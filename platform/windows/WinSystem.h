// Small operating-system services: sleeping and the mouse position.
#pragma once

#include "WinTypes.h"

// Waits the given milliseconds (INFINITE is not supported and waits nothing).
HOSTLIB_API void Sleep(DWORD milliseconds);

// The mouse position in screen coordinates; (0, 0) until the host sets it. FALSE for null.
HOSTLIB_API BOOL GetCursorPos(POINT* point);
// Moves the mouse; the stand-in host scripts the user's pointer with it.
HOSTLIB_API BOOL SetCursorPos(int x, int y);
