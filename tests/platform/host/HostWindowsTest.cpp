// The host's windows: the main window with its tab bar, a window per view that follows the view,
// and the scenario words that move windows and the mouse.
#include "HostTestSupport.h"
#include "platform/host/Scenario.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/windows/WinSystem.h"

using namespace zavhost;

namespace {

std::u16string titleOf(HWND window) {
    WCHAR text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

RECT rectOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

HWND topWindow() {
    HWND top = nullptr;
    EnumWindows(
        [](HWND window, LPARAM found) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&top));
    return top;
}

class HostWindowsTest : public HostTest {
protected:
    HWND view(const char* name) {
        ViewDatabase* database = host.project()->model.views.findNamed(name);
        return database == nullptr ? nullptr
                                   : host.windows().viewWindow(host.project()->model.views.keyOf(*database));
    }
};

} // namespace

TEST(WindowStepParser, RejectsWhatDoesNotFit) {
    ParsedScenario good =
        parseScenario("window add \"T\" at -5 6 size 70 80 frame 4 caption 20 in \"P\"\n"
                      "window move main 1 2\nwindow close \"T\"\ndisplay scale 1.25\nmouse -3 4\n");
    ASSERT_TRUE(good.errors.empty()) << good.errors[0].message;
    EXPECT_EQ(good.steps[0].model.numbers, (std::vector<double>{-5, 6, 70, 80}));
    EXPECT_EQ(good.steps[0].model.options.at("caption"), "20");
    EXPECT_TRUE(good.steps[1].model.flags.count("main"));
    const char* bad[] = {"window add \"T\" at 1 2", "window add \"T\" at 1 2 size -1 5",
                         "window shake \"T\"",      "window add \"T\" at 1 2 size 3 4 colour 5",
                         "window move \"T\" 1",     "display 2",
                         "mouse 1 40000",           "window front"};
    for (const char* line : bad)
        EXPECT_EQ(parseScenario(line).errors.size(), 1u) << line;
}

TEST_F(HostWindowsTest, ViewWindowsFollowTheViewsAndTheDisplayScale) {
    HWND main = host.windows().mainWindow();
    EXPECT_EQ(titleOf(main), u"ZAVHOST");
    ASSERT_TRUE(play(R"(project new "House"
view add section "S"
display scale 1.5
view current "S"
)")) << failure;
    EXPECT_EQ(titleOf(main), u"House - ZAVHOST");
    HWND plan = host.windows().viewWindow(DatabaseKey{});
    EXPECT_EQ(titleOf(plan), u"Untitled / 0. Ground Floor");
    const RECT planRect = rectOf(plan); // below the tab bar, 800 by 600 host pixels at 1.5
    EXPECT_EQ(planRect.left, 8);
    EXPECT_EQ(planRect.top, 8 + 23 + 24);
    EXPECT_EQ(planRect.right - planRect.left, 1200);
    EXPECT_EQ(planRect.bottom - planRect.top, 900);
    EXPECT_EQ(topWindow(), view("S"));

    ASSERT_TRUE(play(R"(window move "S" 300 -20
window resize "S" 600 450
mouse 12 -34
window front main
)")) << failure;
    EXPECT_EQ(host.project()->model.views.findNamed("S")->window.width, 400);
    const RECT moved = rectOf(view("S"));
    EXPECT_EQ(moved.left, 300);
    EXPECT_EQ(moved.bottom, -20 + 450);
    POINT mouse;
    GetCursorPos(&mouse);
    EXPECT_EQ(mouse.y, -34);
    EXPECT_EQ(topWindow(), main);

    ASSERT_TRUE(play("window close \"S\"\nproject close\n")) << failure;
    EXPECT_FALSE(IsWindow(plan));
    EXPECT_EQ(topWindow(), main);
    EXPECT_EQ(titleOf(main), u"ZAVHOST");
    SetCursorPos(0, 0);
}

TEST_F(HostWindowsTest, StepsTheHostCannotDoSayWhy) {
    const struct {
        const char* step;
        const char* why;
    } cases[] = {
        {"window move \"Nowhere\" 1 2", "no window is titled \"Nowhere\""},
        {"display scale 0", "above 0"},
        {"window close main", "stay"},
        {"window resize \"Untitled / 0. Ground Floor\" 0 5", "0 0"},
        {"window add \"T\" at 0 0 size 5 5 in \"Nowhere\"", "no window is titled"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(play(std::string("project new \"H\"\n") + c.step + "\n")) << c.step;
        EXPECT_NE(failure.find(c.why), std::string::npos) << failure;
    }
    ASSERT_TRUE(
        play("window add \"Panel\" at 0 0 size 50 50\nwindow add \"Tab\" at 5 5 size 9 9 in \"Panel\"\n"
             "window move \"Panel\" 100 100\n"))
        << failure;
    HWND tab = nullptr;
    EnumChildWindows(
        topWindow(),
        [](HWND window, LPARAM found) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tab));
    EXPECT_EQ(titleOf(tab), u"Tab");
    EXPECT_EQ(rectOf(tab).left, 105); // a child moves with its parent
}
