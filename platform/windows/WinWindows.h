// Windows' windows, as far as the module looks at them: titles, enumeration in z-order (topmost
// first), window and client rectangles. The host makes its windows with StandInCreateWindow and
// changes them with the Windows calls of the same purpose.
//
// A window's rectangle is kept relative to its parent's client area (a top-level window's in
// screen coordinates), so children move with their parent. The client area lies inside a frame:
// `border` pixels on every side and a caption of `caption` pixels below the top border.
//
// Calls on a handle that names no window fail as Windows' do (FALSE or 0) and touch no output.
#pragma once

#include "WinTypes.h"

// Calls proc for each top-level window, topmost first, until it answers FALSE. Answers FALSE
// when it was stopped that way or proc is null.
HOSTLIB_API BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
// Calls proc for every descendant of the window, each child followed by its own children, in
// z-order; a null parent enumerates the top-level windows, as EnumWindows.
HOSTLIB_API BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);

// The title's length in bytes of the system's multibyte text (UTF-8 here): never less than the
// UTF-16 length. 0 for no title or no window.
HOSTLIB_API int GetWindowTextLengthA(HWND window);
// Copies at most maxCount - 1 UTF-16 units of the title and a NUL; answers the units copied.
HOSTLIB_API int GetWindowTextW(HWND window, LPWSTR text, int maxCount);
HOSTLIB_API BOOL SetWindowTextW(HWND window, LPCWSTR text);

// Screen coordinates of a point given in the window's client coordinates.
HOSTLIB_API BOOL ClientToScreen(HWND window, POINT* point);
// (0, 0, client width, client height).
HOSTLIB_API BOOL GetClientRect(HWND window, RECT* rect);
// The window with its frame, in screen coordinates.
HOSTLIB_API BOOL GetWindowRect(HWND window, RECT* rect);

// Places the window (x and y in its parent's client coordinates; a top-level window's on the
// screen). Negative sizes are refused.
HOSTLIB_API BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// Raises the window to the top of its siblings.
HOSTLIB_API BOOL BringWindowToTop(HWND window);
// Destroys the window and its children.
HOSTLIB_API BOOL DestroyWindow(HWND window);
HOSTLIB_API BOOL IsWindow(HWND window);
// Null for a top-level window or no window.
HOSTLIB_API HWND GetParent(HWND window);

// The stand-in's way of making a window: on top of its siblings (parent null: a top-level
// window), placed as MoveWindow places it, with that frame. Null for an unknown parent,
// negative sizes or frame, or a null title.
HOSTLIB_API HWND StandInCreateWindow(HWND parent, LPCWSTR title, int x, int y, int width, int height,
                                     int border, int caption);
