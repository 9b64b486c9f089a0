#include "WinWindows.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/gsroot/UniString.h"

namespace {

struct Window {
    HWND parent = nullptr;
    std::u16string title;
    LONG x = 0, y = 0, width = 0, height = 0; // in the parent's client coordinates
    LONG border = 0, caption = 0;
    std::vector<HWND> children; // topmost first
};

struct Model {
    std::map<HWND, Window> windows;
    std::vector<HWND> topLevel; // topmost first
    uintptr_t lastId = 0;
};

Model& model() {
    static Model instance;
    return instance;
}

// Handles are numbers, never addresses, and are not reused: a stale handle names nothing.
HWND newHandle() {
    model().lastId += 4;
    return reinterpret_cast<HWND>(uintptr_t(0x10000) + model().lastId);
}

Window* find(HWND handle) {
    if (handle == nullptr) return nullptr;
    auto it = model().windows.find(handle);
    return it == model().windows.end() ? nullptr : &it->second;
}

std::vector<HWND>& siblingsOf(const Window& window) {
    Window* parent = find(window.parent);
    return parent != nullptr ? parent->children : model().topLevel;
}

POINT clientOrigin(const Window& window) {
    POINT origin{window.x + window.border, window.y + window.border + window.caption};
    if (const Window* parent = find(window.parent)) {
        POINT parentOrigin = clientOrigin(*parent);
        origin.x += parentOrigin.x;
        origin.y += parentOrigin.y;
    }
    return origin;
}

LONG clientWidth(const Window& window) {
    return std::max<LONG>(0, window.width - 2 * window.border);
}

LONG clientHeight(const Window& window) {
    return std::max<LONG>(0, window.height - 2 * window.border - window.caption);
}

void descendants(const Window& window, std::vector<HWND>& out) {
    for (HWND child : window.children) {
        out.push_back(child);
        descendants(*find(child), out);
    }
}

// The list is taken first, so that proc may create or destroy windows; gone ones are skipped.
BOOL enumerate(const std::vector<HWND>& handles, WNDENUMPROC proc, LPARAM lParam) {
    if (proc == nullptr) return FALSE;
    for (HWND handle : handles)
        if (find(handle) != nullptr && !proc(handle, lParam)) return FALSE;
    return TRUE;
}

} // namespace

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    return enumerate(model().topLevel, proc, lParam);
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    if (parent == nullptr) return EnumWindows(proc, lParam);
    const Window* window = find(parent);
    if (window == nullptr) return FALSE;
    std::vector<HWND> handles;
    descendants(*window, handles);
    return enumerate(handles, proc, lParam);
}

int GetWindowTextLengthA(HWND handle) {
    const Window* window = find(handle);
    return window == nullptr ? 0 : static_cast<int>(GS::Utf16ToUtf8(window->title).size());
}

int GetWindowTextW(HWND handle, LPWSTR text, int maxCount) {
    const Window* window = find(handle);
    if (window == nullptr || text == nullptr || maxCount <= 0) return 0;
    size_t count = std::min(window->title.size(), static_cast<size_t>(maxCount - 1));
    std::copy_n(window->title.data(), count, text);
    text[count] = u'\0';
    return static_cast<int>(count);
}

BOOL SetWindowTextW(HWND handle, LPCWSTR text) {
    Window* window = find(handle);
    if (window == nullptr) return FALSE;
    window->title = text != nullptr ? std::u16string(text) : std::u16string();
    return TRUE;
}

BOOL ClientToScreen(HWND handle, POINT* point) {
    const Window* window = find(handle);
    if (window == nullptr || point == nullptr) return FALSE;
    POINT origin = clientOrigin(*window);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL GetClientRect(HWND handle, RECT* rect) {
    const Window* window = find(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    *rect = RECT{0, 0, clientWidth(*window), clientHeight(*window)};
    return TRUE;
}

BOOL GetWindowRect(HWND handle, RECT* rect) {
    const Window* window = find(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    POINT origin = clientOrigin(*window);
    LONG left = origin.x - window->border;
    LONG top = origin.y - window->border - window->caption;
    *rect = RECT{left, top, left + window->width, top + window->height};
    return TRUE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL) {
    Window* window = find(handle);
    if (window == nullptr || width < 0 || height < 0) return FALSE;
    window->x = x;
    window->y = y;
    window->width = width;
    window->height = height;
    return TRUE;
}

BOOL BringWindowToTop(HWND handle) {
    Window* window = find(handle);
    if (window == nullptr) return FALSE;
    std::vector<HWND>& siblings = siblingsOf(*window);
    std::erase(siblings, handle);
    siblings.insert(siblings.begin(), handle);
    return TRUE;
}

BOOL DestroyWindow(HWND handle) {
    Window* window = find(handle);
    if (window == nullptr) return FALSE;
    std::vector<HWND> children = window->children;
    for (HWND child : children)
        DestroyWindow(child);
    std::erase(siblingsOf(*window), handle);
    model().windows.erase(handle);
    return TRUE;
}

BOOL IsWindow(HWND handle) {
    return find(handle) != nullptr ? TRUE : FALSE;
}

HWND GetParent(HWND handle) {
    const Window* window = find(handle);
    return window != nullptr ? window->parent : nullptr;
}

HWND StandInCreateWindow(HWND parent, LPCWSTR title, int x, int y, int width, int height, int border,
                         int caption) {
    if ((parent != nullptr && find(parent) == nullptr) || title == nullptr || width < 0 || height < 0 ||
        border < 0 || caption < 0)
        return nullptr;
    HWND handle = newHandle();
    Window window;
    window.parent = parent;
    window.title = title;
    window.x = x;
    window.y = y;
    window.width = width;
    window.height = height;
    window.border = border;
    window.caption = caption;
    std::vector<HWND>& siblings = siblingsOf(window);
    siblings.insert(siblings.begin(), handle);
    model().windows.emplace(handle, std::move(window));
    return handle;
}
