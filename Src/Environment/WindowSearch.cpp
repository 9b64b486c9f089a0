#include "Environment/WindowSearch.h"

#include <vector>

#include "platform/windows/WinWindows.h"

namespace tarnwick {

namespace {

struct Search {
    const String* titlePart = nullptr;
    HWND found = nullptr;
};

BOOL testTitle(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    // The multibyte length is never shorter than the wide one, so the buffer holds the whole title.
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return TRUE;
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    if (copied <= 0) return TRUE;
    const String title(buffer.data(), static_cast<size_t>(copied) * sizeof(WCHAR));
    if (title.find(*search->titlePart) == String::npos) return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND findWindowByTitle(HWND parent, const String& titlePart) {
    Search search;
    search.titlePart = &titlePart;
    if (parent == nullptr)
        EnumWindows(&testTitle, reinterpret_cast<LPARAM>(&search));
    else
        EnumChildWindows(parent, &testTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace tarnwick
