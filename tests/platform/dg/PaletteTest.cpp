// Palettes: opened, shown and closed by the add-on, and worked by the user from outside any call.
#include "DGTestSupport.h"

using namespace dgtest;

namespace {

class PaletteTest : public DeskTest {
protected:
    void act(bool done) { EXPECT_TRUE(done) << why; }
    std::string why;
};

TEST_F(PaletteTest, BeginShowHideAndEndAsTheAddOnAsks) {
    DG::Palette palette(module, PaletteId, module);
    Recorder recorder(log);
    palette.Attach(recorder);
    palette.Show();
    EXPECT_EQ(desk().TakeRefusals(),
              std::vector<std::string>{"Show of palette \"Tools\" (200) before BeginEventProcessing"});
    palette.BeginEventProcessing();
    EXPECT_TRUE(palette.IsOpen());
    EXPECT_FALSE(palette.IsVisible());
    palette.Show(DG::TopMost);
    palette.Activate();
    EXPECT_TRUE(palette.IsVisible());
    EXPECT_TRUE(palette.IsActive());
    palette.Hide();
    EXPECT_FALSE(palette.IsVisible());
    EXPECT_TRUE(palette.IsOpen());
    palette.EndEventProcessing();
    EXPECT_FALSE(palette.IsOpen());
    EXPECT_EQ(log, (Log{"opened", "closed"}));
    EXPECT_EQ(told,
              (std::vector<std::string>{"palette \"Tools\" (200) opened: 1 button \"Apply\", 2 right-text "
                                        "\"Ready\", 3 user-item, 4 list-box",
                                        "palette \"Tools\" (200) closed"}));
}

TEST_F(PaletteTest, TheCloseBoxClosesOnlyWhenTheAddOnLetsIt) {
    DG::Palette palette(module, PaletteId, module);
    Recorder recorder(log);
    palette.Attach(recorder);
    palette.BeginEventProcessing();
    recorder.acceptClose = false;
    act(desk().CloseBox(palette, &why));
    EXPECT_TRUE(palette.IsOpen());
    recorder.acceptClose = true;
    recorder.then = [&](const std::string& what) {
        if (what == "close-request cancel") palette.EndEventProcessing();
    };
    act(desk().CloseBox(palette, &why));
    EXPECT_FALSE(palette.IsOpen());
    EXPECT_EQ(log, (Log{"opened", "close-request cancel", "close-request cancel", "closed"}));
    EXPECT_FALSE(desk().CloseBox(palette, &why));
}

TEST_F(PaletteTest, TheFrontMostOpenPanelWithATitleOrIdIsFound) {
    DG::Palette first(module, PaletteId, module);
    DG::Palette second(module, PaletteId, module);
    EXPECT_EQ(desk().FindOpenPanel("Tools"), nullptr);
    first.BeginEventProcessing();
    second.BeginEventProcessing();
    EXPECT_EQ(desk().FindOpenPanel("Tools"), &second);
    DGSetDialogZPosition(first.GetId(), DG::TopMost);
    EXPECT_EQ(desk().FindOpenPanel("200"), &first);
    EXPECT_EQ(desk().FindOpenPanel("Name Request"), nullptr);
}

TEST_F(PaletteTest, AUserResizeSendsTheFourNotificationsAndKeepsTheMinimum) {
    DG::Palette palette(module, PaletteId, module);
    Recorder recorder(log);
    palette.Attach(recorder);
    palette.BeginEventProcessing();
    log.clear();
    act(desk().Resize(palette, 30, -40, &why)); // not below the resource's 100
    EXPECT_EQ(log, (Log{"resize-entered 0 0 user", "resizing 30 0 user", "resized 30 0 user",
                        "resize-exited 30 0 user"}));
    EXPECT_EQ(DGGetDialogClientSize(module, palette.GetId(), DG::CurrentSize), DG::Point(230, 100));
}

TEST_F(PaletteTest, TheSizeAPanelClosedWithIsRememberedForItsResource) {
    {
        DG::Palette palette(module, PaletteId, module);
        EXPECT_EQ(DGGetDialogClientSize(module, palette.GetId(), DG::RememberedSize), DG::Point(200, 100));
        palette.BeginEventProcessing();
        DGSetDialogClientSize(palette.GetId(), 260, 140, DG::TopLeft, false);
        palette.EndEventProcessing();
    }
    DG::Palette again(module, PaletteId, module);
    EXPECT_EQ(DGGetDialogClientSize(module, again.GetId(), DG::CurrentSize), DG::Point(200, 100));
    EXPECT_EQ(DGGetDialogClientSize(module, again.GetId(), DG::RememberedSize), DG::Point(260, 140));
}

TEST_F(PaletteTest, HotKeysAndDropsAreAnsweredByTheObservers) {
    DG::Palette palette(module, PaletteId, module);
    Recorder recorder(log);
    palette.Attach(recorder);
    palette.BeginEventProcessing();
    short key = palette.RegisterHotKey('S', DG::CommandKey);
    EXPECT_EQ(key, 1);
    act(desk().PressHotKey(palette, key, &why));
    EXPECT_EQ(told.back(), "hot key 1 processed");
    EXPECT_FALSE(desk().PressHotKey(palette, 2, &why));
    DG::DragDrop::Effect effect = DG::DragDrop::All;
    bool handled = true;
    EXPECT_FALSE(desk().DragAndDrop(palette, DG::Point(5, 5), &effect, &handled, &why));
    EXPECT_EQ(why, "palette \"Tools\" (200) takes no drops");
    palette.EnableDragAndDropEvent();
    act(desk().DragAndDrop(palette, DG::Point(5, 5), &effect, &handled, &why));
    EXPECT_EQ(effect, DG::DragDrop::Copy);
    EXPECT_TRUE(handled);
    EXPECT_EQ(log, (Log{"opened", "hot-key 1", "dropped"}));
}

} // namespace
