#include "HostWindows.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "CallLog.h"
#include "Project.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/UniString.h"
#include "platform/windows/WinSystem.h"

namespace zavhost {

namespace {

std::u16string wide(const std::string& text) {
    return GS::Utf8ToUtf16(text);
}

// The floor plan's window names the project's file and the current storey, as
// "House / 0. Ground Floor"; another view's its name, or its kind's title when it has none.
std::u16string viewTitle(const Project& project, const ViewDatabase& view) {
    if (view.kind == DatabasePlan) {
        std::string title =
            project.filePath.empty() ? "Untitled" : std::filesystem::path(project.filePath).stem().string();
        title += " / ";
        if (const StoredStorey* storey = project.model.storeys.find(project.model.storeys.current()))
            title += std::to_string(storey->index) + ". " + storey->name;
        return wide(title);
    }
    return view.name.empty() ? view.title : view.name;
}

// The window's rectangle as MoveWindow takes it: a child's in its parent's client coordinates.
RECT placement(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    POINT origin{0, 0};
    if (HWND parent = GetParent(window)) ClientToScreen(parent, &origin);
    return RECT{rect.left - origin.x, rect.top - origin.y, rect.right - origin.x, rect.bottom - origin.y};
}

GSErrCode refuse(std::string* why, const std::string& reason, GSErrCode code = hosterr::BadParameter) {
    *why = reason;
    return code;
}

} // namespace

HostWindows::HostWindows() {
    m_main = StandInCreateWindow(nullptr, wide(HostApplicationTitle).c_str(), 0, 0, MainWidth, MainHeight,
                                 Border, Caption);
    m_tabBar =
        StandInCreateWindow(m_main, u"DGTabBarControl", 0, 0, MainWidth - 2 * Border, TabBarHeight, 0, 0);
}

HostWindows::~HostWindows() {
    for (const auto& [key, window] : m_views)
        DestroyWindow(window);
    for (HWND window : m_added)
        DestroyWindow(window);
    DestroyWindow(m_main);
}

HWND HostWindows::viewWindow(const DatabaseKey& key) const {
    for (const auto& [viewKey, window] : m_views)
        if (viewKey == key) return window;
    return nullptr;
}

bool HostWindows::isViewWindow(HWND window) const {
    return std::any_of(m_views.begin(), m_views.end(),
                       [window](const auto& entry) { return entry.second == window; });
}

bool HostWindows::setDisplayScale(double scale) {
    if (!(scale > 0.0 && scale <= MaxDisplayScale)) return false;
    m_scale = scale;
    return true;
}

// New view windows cover the main window's client area below the tab bar, with no frame.
HWND HostWindows::openViewWindow(const std::u16string& title) {
    POINT origin{0, TabBarHeight};
    ClientToScreen(m_main, &origin);
    return StandInCreateWindow(nullptr, title.c_str(), origin.x, origin.y, 0, 0, 0, 0);
}

void HostWindows::follow(Project* project) {
    std::string title = HostApplicationTitle;
    if (project != nullptr) title = project->name + " - " + title;
    SetWindowTextW(m_main, wide(title).c_str());
    RECT client;
    if (GetClientRect(m_main, &client)) MoveWindow(m_tabBar, 0, 0, client.right, TabBarHeight, TRUE);

    auto shows = [project](const DatabaseKey& key) {
        const ViewDatabase* view = project != nullptr ? project->model.views.find(key) : nullptr;
        return view != nullptr && view->window.hasArea() ? view : nullptr;
    };
    std::erase_if(m_views, [&](const std::pair<DatabaseKey, HWND>& entry) {
        if (shows(entry.first) != nullptr && IsWindow(entry.second)) return false;
        DestroyWindow(entry.second);
        return true;
    });
    if (project == nullptr) {
        m_frontShown = false;
        return;
    }
    bool opened = false;
    for (const ViewDatabase& view : project->model.views.all()) {
        if (!view.window.hasArea()) continue;
        const DatabaseKey key = project->model.views.keyOf(view);
        HWND window = viewWindow(key);
        if (window == nullptr) {
            window = openViewWindow(viewTitle(*project, view));
            m_views.emplace_back(key, window);
            opened = true;
        }
        SetWindowTextW(window, viewTitle(*project, view).c_str());
        const RECT rect = placement(window);
        MoveWindow(window, rect.left, rect.top, static_cast<int>(std::lround(view.window.width * m_scale)),
                   static_cast<int>(std::lround(view.window.height * m_scale)), TRUE);
    }
    // As "GWIN" answers: the floor plan when the front view is gone.
    DatabaseKey front = project->session.frontWindow;
    if (project->model.views.find(front) == nullptr)
        front = project->model.views.keyOf(project->model.views.plan());
    if (opened || !m_frontShown || !(front == m_front)) {
        if (HWND window = viewWindow(front)) BringWindowToTop(window);
        m_front = front;
        m_frontShown = true;
    }
}

// The first window with exactly that title: the top-level ones in z-order, then their children.
HWND HostWindows::titled(const std::u16string& title) const {
    struct Search {
        const std::u16string* title;
        HWND found = nullptr;
    } search{&title};
    WNDENUMPROC test = [](HWND window, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        std::u16string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, u'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        if (*s->title != text) return TRUE;
        s->found = window;
        return FALSE;
    };
    EnumWindows(test, reinterpret_cast<LPARAM>(&search));
    std::vector<HWND> topLevel;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&topLevel));
    for (HWND window : topLevel) {
        if (search.found != nullptr) break;
        EnumChildWindows(window, test, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

// A view's drawing area follows its window; the window is sized again from it by follow().
GSErrCode HostWindows::resizeView(HWND window, Project* project, int width, int height, std::string* why) {
    for (const auto& [key, shown] : m_views) {
        if (shown != window) continue;
        ViewDatabase* view = project != nullptr ? project->model.views.find(key) : nullptr;
        if (view == nullptr) break;
        if (!view->window.resize(static_cast<int32_t>(std::lround(width / m_scale)),
                                 static_cast<int32_t>(std::lround(height / m_scale))))
            return refuse(why, "a view's window is closed with 0 0, or has both sides");
        return hosterr::Ok;
    }
    const RECT rect = placement(window);
    return MoveWindow(window, rect.left, rect.top, width, height, TRUE)
               ? hosterr::Ok
               : refuse(why, "the window cannot take that size");
}

GSErrCode HostWindows::act(const ModelArgs& args, Project* project, std::string* why) {
    const std::vector<double>& n = args.numbers;
    if (args.verb == "mouse") {
        SetCursorPos(static_cast<int>(n[0]), static_cast<int>(n[1]));
        return hosterr::Ok;
    }
    if (args.verb == "display scale")
        return setDisplayScale(n[0]) ? hosterr::Ok
                                     : refuse(why, "a display scale lies above 0 and at most 8");
    if (args.verb == "window add") {
        HWND parent = nullptr;
        if (auto in = args.options.find("in"); in != args.options.end()) {
            parent = titled(wide(in->second));
            if (parent == nullptr)
                return refuse(why, "no window is titled " + inQuotes(in->second), hosterr::NotFound);
        }
        auto frame = [&args](const char* name) {
            auto it = args.options.find(name);
            return it == args.options.end() ? 0 : std::stoi(it->second);
        };
        HWND window = StandInCreateWindow(parent, wide(args.texts[0]).c_str(), static_cast<int>(n[0]),
                                          static_cast<int>(n[1]), static_cast<int>(n[2]),
                                          static_cast<int>(n[3]), frame("frame"), frame("caption"));
        m_added.push_back(window);
        return hosterr::Ok;
    }
    HWND window = args.flags.count("main") != 0 ? m_main : titled(wide(args.texts[0]));
    if (window == nullptr)
        return refuse(why, "no window is titled " + inQuotes(args.texts[0]), hosterr::NotFound);
    const RECT rect = placement(window);
    if (args.verb == "window move") {
        MoveWindow(window, static_cast<int>(n[0]), static_cast<int>(n[1]), rect.right - rect.left,
                   rect.bottom - rect.top, TRUE);
        return hosterr::Ok;
    }
    if (args.verb == "window resize")
        return resizeView(window, project, static_cast<int>(n[0]), static_cast<int>(n[1]), why);
    if (args.verb == "window front") return BringWindowToTop(window), hosterr::Ok;
    if (args.verb == "window close") {
        if (window == m_main || window == m_tabBar)
            return refuse(why, "the host's own windows stay", hosterr::Refused);
        if (isViewWindow(window)) return resizeView(window, project, 0, 0, why);
        DestroyWindow(window);
        std::erase(m_added, window);
        return hosterr::Ok;
    }
    return refuse(why, "unknown window step");
}

} // namespace zavhost

namespace zavhost {

namespace {
int pixels(LineReader& in, const char* what, bool allowNegative = true) {
    return static_cast<int>(in.number(what, allowNegative ? INT16_MIN : 0, INT16_MAX));
}
} // namespace

// window add "TITLE" at X Y size W H [frame B] [caption C] [in "PARENT"]
// window move|resize|front|close "TITLE"|main ...; mouse X Y; display scale S
void parseWindowStep(LineReader& in, const std::string& first, Step& step) {
    step.kind = StepKind::WindowAction;
    ModelArgs& args = step.model;
    std::vector<double>& n = args.numbers;
    if (first == "mouse") {
        args.verb = "mouse";
        n = {double(pixels(in, "the mouse's x")), double(pixels(in, "the mouse's y"))};
        return;
    }
    if (first == "display") {
        if (!in.word("scale")) throw LineError{"display scale S"};
        args.verb = "display scale";
        n.push_back(in.real("screen pixels per host pixel"));
        return;
    }
    const char* verbs[] = {"add", "move", "resize", "front", "close"};
    for (const char* verb : verbs)
        if (in.word(verb)) args.verb = std::string("window ") + verb;
    if (args.verb.empty()) throw LineError{"window add, move, resize, front or close"};
    if (args.verb != "window add" && in.word("main"))
        args.flags.insert("main");
    else
        args.texts.push_back(in.text("the window's title"));
    if (args.verb == "window add") {
        if (!in.word("at")) throw LineError{"window add \"TITLE\" at X Y size W H"};
        n = {double(pixels(in, "an x")), double(pixels(in, "a y"))};
        if (!in.word("size")) throw LineError{"window add \"TITLE\" at X Y size W H"};
        n.push_back(pixels(in, "a width", false));
        n.push_back(pixels(in, "a height", false));
        while (!in.atEnd()) {
            if (in.word("frame"))
                args.options["frame"] = std::to_string(pixels(in, "a frame width", false));
            else if (in.word("caption"))
                args.options["caption"] = std::to_string(pixels(in, "a caption height", false));
            else if (in.word("in"))
                args.options["in"] = in.text("the parent window's title");
            else
                throw LineError{"window add knows frame B, caption C and in \"PARENT\""};
        }
    } else if (args.verb == "window move") {
        n = {double(pixels(in, "an x")), double(pixels(in, "a y"))};
    } else if (args.verb == "window resize") {
        n = {double(pixels(in, "a width", false)), double(pixels(in, "a height", false))};
    }
}

} // namespace zavhost
