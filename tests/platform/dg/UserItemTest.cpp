// User items drawn by the add-on: the update the dialog manager sends when a panel comes on screen,
// when the user uncovers an item and when the add-on redraws it, and the context over the update
// that draws into the item's picture only while the update lasts.
#include <memory>

#include "DGTestSupport.h"
#include "platform/dg/DGDelivery.h"
#include "platform/dg/UserItemUpdateNativeContext.h"

using namespace dgtest;

namespace {

constexpr short PreviewId = 500; // 1 OK, 2 Cancel, 3 (Picture, as on the palette) a user item of 180 x 100

// Draws a line across the item, numbered by the updates it heard, and notes each update.
class Painter : public DG::UserItemObserver {
public:
    Painter(DG::Panel& panel, Log& log) : m_item(panel, Picture), m_log(log) { m_item.Attach(*this); }
    void UserItemUpdate(const DG::UserItemUpdateEvent& event) override {
        ++updates;
        m_log.push_back("update " + std::to_string(event.GetSource()->GetId()));
        auto context = std::make_shared<NewDisplay::UserItemUpdateNativeContext>(event);
        context->MoveTo(0, 0);
        context->LineTo(static_cast<float>(context->GetWidth()), static_cast<float>(updates));
        if (then) then(*context);
        kept = context;
    }
    std::function<void(NewDisplay::UserItemUpdateNativeContext&)> then;
    std::shared_ptr<NewDisplay::UserItemUpdateNativeContext> kept; // the last context, kept on purpose
    int updates = 0;

private:
    DG::UserItem m_item;
    Log& m_log;
};

// "MoveTo 0 0|LineTo 50 1": the picture of the item, call by call.
std::string picture(const DG::Panel& panel, short item = Picture) {
    const DG::ItemState* state = panel.State().item(item);
    if (state == nullptr || !state->picture) return "none";
    std::string all;
    for (const auto& call : state->picture->calls)
        all += (all.empty() ? "" : "|") + NewDisplay::NativeContext::Describe(call);
    return all;
}

class UserItemTest : public DeskTest {
protected:
    void act(bool done) { EXPECT_TRUE(done) << why; }
    std::string why;
};

TEST_F(UserItemTest, APaletteComingOnScreenHasItsUserItemDrawnOnceWhileItStaysThere) {
    DG::Palette palette(module, PaletteId, module);
    Painter painter(palette, log);
    palette.BeginEventProcessing();
    EXPECT_EQ(picture(palette), "none"); // open, not yet on screen
    palette.Show();
    EXPECT_EQ(picture(palette), "MoveTo 0 0|LineTo 50 1");
    palette.Show(DG::TopMost);
    EXPECT_EQ(painter.updates, 1);
    palette.Hide();
    palette.Show();
    EXPECT_EQ(picture(palette), "MoveTo 0 0|LineTo 50 2"); // drawn afresh, not added to
    EXPECT_EQ(log, (Log{"update 3", "update 3"}));
    EXPECT_EQ(told.back(), "user item 3 of palette \"Tools\" (200) drawn: 2 calls");
}

TEST_F(UserItemTest, AModalDialogIsDrawnAfterItOpenedAndBeforeTheUserWorksInIt) {
    DG::ModalDialog dialog(module, PreviewId, module);
    Recorder recorder(log);
    dialog.Attach(recorder);
    Painter painter(dialog, log);
    std::string seen;
    desk().SetModalHandler([&](DG::ModalDialog& d) {
        seen = picture(d);
        d.Abort();
    });
    dialog.Invoke();
    EXPECT_EQ(seen, "MoveTo 0 0|LineTo 180 1");
    EXPECT_EQ(log, (Log{"opened", "update 3", "closed"}));
}

TEST_F(UserItemTest, TheUserUncoversAnItemOnlyOfAPanelOnScreenAndOnlyAVisibleUserItem) {
    DG::Palette palette(module, PaletteId, module);
    Painter painter(palette, log);
    EXPECT_FALSE(desk().UpdateUserItem(palette, Picture, &why));
    EXPECT_EQ(why, "palette \"Tools\" (200) is not open");
    palette.BeginEventProcessing();
    EXPECT_FALSE(desk().UpdateUserItem(palette, Picture, &why));
    EXPECT_EQ(why, "palette \"Tools\" (200) is hidden");
    palette.Show();
    EXPECT_FALSE(desk().UpdateUserItem(palette, 1, &why));
    EXPECT_EQ(why, "cannot update item 1 of palette \"Tools\" (200): it is a button");
    EXPECT_FALSE(desk().UpdateUserItem(palette, 9, &why));
    EXPECT_EQ(why, "palette \"Tools\" (200) has no item 9 (it has 4)");
    act(desk().UpdateUserItem(palette, Picture, &why));
    EXPECT_EQ(picture(palette), "MoveTo 0 0|LineTo 50 2");
    DGHideItem(palette.GetId(), Picture);
    EXPECT_FALSE(desk().UpdateUserItem(palette, Picture, &why));
    EXPECT_EQ(why, "item 3 of palette \"Tools\" (200) is hidden");
    EXPECT_EQ(painter.updates, 2);
    DGShowItem(palette.GetId(), Picture); // shown again, it is drawn again
    DGShowItem(palette.GetId(), Picture);
    EXPECT_EQ(painter.updates, 3);
    EXPECT_EQ(desk().TakeRefusals(), std::vector<std::string>{});
}

TEST_F(UserItemTest, AContextKeptPastItsUpdateDrawsNothingAndTheRefusalIsNoted) {
    DG::Palette palette(module, PaletteId, module);
    Painter painter(palette, log);
    palette.BeginEventProcessing();
    palette.Show();
    (void)desk().TakeRefusals();
    painter.kept->LineTo(7, 7);
    EXPECT_EQ(picture(palette), "MoveTo 0 0|LineTo 50 1");
    EXPECT_EQ(desk().TakeRefusals(),
              std::vector<std::string>{"LineTo on user item 3 of panel " + std::to_string(palette.GetId()) +
                                       " after its update ended"});
}

TEST_F(UserItemTest, TheAddOnsRedrawComesAfterTheNotificationItIsIn) {
    DG::Palette palette(module, PaletteId, module);
    Painter painter(palette, log);
    Recorder recorder(log);
    DG::Button apply(palette, 1);
    apply.Attach(recorder);
    recorder.then = [&](const std::string& what) {
        if (what == "click 1") DGRedrawItem(palette.GetId(), Picture);
        log.push_back("after redraw: " + std::to_string(painter.updates));
    };
    palette.BeginEventProcessing();
    palette.Show();
    log.clear();
    act(desk().Click(palette, 1, 0, &why));
    EXPECT_EQ(log, (Log{"click 1", "after redraw: 1", "update 3"}));
    DGRedrawDialog(palette.GetId());
    EXPECT_EQ(painter.updates, 3);
    DGRedrawItem(palette.GetId(), 1); // a button: nothing to draw
    palette.Hide();
    DGRedrawItem(palette.GetId(), Picture); // off screen: nothing is drawn
    EXPECT_EQ(painter.updates, 3);
    EXPECT_EQ(picture(palette), "MoveTo 0 0|LineTo 50 3");
}

TEST_F(UserItemTest, AnUpdateNobodyHearsLeavesTheItemBlankAndTellsNothing) {
    DG::Palette palette(module, PaletteId, module);
    palette.BeginEventProcessing();
    palette.Show();
    EXPECT_EQ(picture(palette), "");
    EXPECT_EQ(told.size(), 1u); // only the opening
}

TEST_F(UserItemTest, AContextOverAnEventWithoutAPictureKeepsItsOwnCalls) {
    DG::UserItemUpdateEvent event(nullptr, nullptr, DG::Rect(10, 20, 40, 35));
    NewDisplay::UserItemUpdateNativeContext context(event);
    EXPECT_EQ(context.GetWidth(), 30);
    EXPECT_EQ(context.GetHeight(), 15);
    context.DrawPlainText(GS::UniString("Hi"), TE::Font(), 1.5f, 2, 0);
    ASSERT_EQ(context.GetCalls().size(), 1u);
    EXPECT_EQ(NewDisplay::NativeContext::Describe(context.GetCalls()[0]), "DrawPlainText 10 1.5 2 0 \"Hi\"");
}

TEST_F(UserItemTest, EachCallIsDescribedByItsNameNumbersAndText) {
    DG::Palette palette(module, PaletteId, module);
    Painter painter(palette, log);
    painter.then = [](NewDisplay::UserItemUpdateNativeContext& context) {
        context.SetForeColor(NewDisplay::Color{0.25f, 0.5f, 1.0f, 1.0f});
        context.SetLineWidth(0.75f);
        context.BeginPolygon(true);
        context.ArcTo(NewDisplay::DisplayArc::CreateFullCircle(5, 6, 2));
        context.ArcTo(NewDisplay::DisplayArc::CreateCircularArc(5, 6, 2, 0.5f, -1.5f));
        context.EndPolygon();
        context.DrawPlainText(GS::UniString("A \"B\""), TE::Font(GS::UniString("Sans"), 12), 1, 2, 0.5f);
    };
    palette.BeginEventProcessing();
    palette.Show();
    EXPECT_EQ(picture(palette), "MoveTo 0 0|LineTo 50 1|SetForeColor 0.25 0.5 1 1|SetLineWidth 0.75|"
                                "BeginPolygon 1|ArcTo full 5 6 2 0 6.28319|ArcTo 5 6 2 0.5 -1.5|EndPolygon|"
                                "DrawPlainText 12 1 2 0.5 \"A \"B\"\"");
}

} // namespace
