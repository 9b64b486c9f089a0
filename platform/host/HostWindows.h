// The host's windows on the stand-in Windows: the main window, titled with the project's name and
// the product's, with its tab-bar control; and one window per view that has a drawing area,
// titled with the view's name (its kind's title when it has none) and sized to the area's host
// pixels times the display scale. The front view's window is raised when the front view changes.
// Scenario steps add, move, resize and close windows and move the mouse.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Scenario.h"
#include "ScenarioLine.h"
#include "ViewDatabases.h"
#include "platform/windows/WinWindows.h"

namespace zavhost {

struct Project;

class HostWindows {
public:
    static constexpr int MainWidth = 1280;
    static constexpr int MainHeight = 800;
    static constexpr int Border = 8;
    static constexpr int Caption = 23;
    static constexpr int TabBarHeight = 24;
    static constexpr double MaxDisplayScale = 8.0;

    HostWindows();  // opens the main window
    ~HostWindows(); // closes every window the host or a scenario opened
    HostWindows(const HostWindows&) = delete;
    HostWindows& operator=(const HostWindows&) = delete;

    HWND mainWindow() const { return m_main; }
    HWND tabBar() const { return m_tabBar; }
    // The window of a view; null when it has none.
    HWND viewWindow(const DatabaseKey& key) const;

    // Screen pixels per host pixel; false, changing nothing, outside (0, MaxDisplayScale].
    bool setDisplayScale(double scale);
    double displayScale() const { return m_scale; }

    // Brings the windows in line with the project (null: none open): see the file's comment.
    void follow(Project* project);

    // A step of `window`, `mouse` or `display`; on failure answers the host code and says why.
    GSErrCode act(const ModelArgs& args, Project* project, std::string* why);

private:
    HWND titled(const std::u16string& title) const;
    bool isViewWindow(HWND window) const;
    HWND openViewWindow(const std::u16string& title);
    GSErrCode resizeView(HWND window, Project* project, int width, int height, std::string* why);

    HWND m_main = nullptr;
    HWND m_tabBar = nullptr;
    std::vector<std::pair<DatabaseKey, HWND>> m_views;
    std::vector<HWND> m_added; // by scenario steps
    DatabaseKey m_front;
    bool m_frontShown = false;
    double m_scale = 1.0;
};

// Parses the rest of a line whose first word (consumed) is `window`, `mouse` or `display`.
void parseWindowStep(LineReader& in, const std::string& first, Step& step);

} // namespace zavhost
