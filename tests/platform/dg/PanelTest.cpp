// Panels built from the tests' dialog resources, and the DG functions over their items.
#include "DGTestSupport.h"
#include "platform/dg/DGImage.h"

using namespace dgtest;

namespace {

class PanelTest : public DeskTest {};

TEST_F(PanelTest, AModalDialogHasTheItemsOfItsResource) {
    DG::ModalDialog dialog(module, ModalId, module);
    ASSERT_TRUE(dialog.IsValid());
    EXPECT_EQ(dialog.GetResourceId(), ModalId);
    EXPECT_EQ(dialog.GetItemCount(), 7);
    EXPECT_EQ(dialog.GetTitle().ToCStr(), "Name Request");
    EXPECT_FALSE(dialog.IsOpen());
    short id = dialog.GetId();
    EXPECT_EQ(DGGetItemText(id, Ok).ToCStr(), "OK");
    EXPECT_EQ(DGGetItemText(id, Name).ToCStr(), "");
    EXPECT_EQ(DGGetItemRect(id, Name), DG::Rect(10, 30, 290, 50));
    EXPECT_EQ(DGGetItemValLong(id, Remember), 1); // given as checked
    EXPECT_EQ(DGGetItemTooltipString(id, Ok).ToCStr(), "Accept the name");
    EXPECT_EQ(DGGetItemTooltipString(id, Cancel).ToCStr(), "");
    EXPECT_EQ(state(dialog).items[Right - 1].type, DG::ItemType::RightText);
    EXPECT_EQ(DGGetDialogClientSize(module, id, DG::CurrentSize), DG::Point(300, 120));
    EXPECT_TRUE(desk().TakeRefusals().empty());
}

TEST_F(PanelTest, PanelsThatCannotBeMadeAreInvalidAndRefuseEveryCall) {
    const struct {
        short resId;
        bool palette;
        const char* refusal;
    } cases[] = {
        {999, false, "the module has no dialog 999"},
        {PaletteId, false, "dialog 200 is a palette, not a modal dialog"},
        {ModalId, true, "dialog 100 is a modal dialog, not a palette"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<DG::Dialog> panel;
        if (c.palette)
            panel = std::make_unique<DG::Palette>(module, c.resId, module);
        else
            panel = std::make_unique<DG::ModalDialog>(module, c.resId, module);
        EXPECT_FALSE(panel->IsValid()) << c.refusal;
        EXPECT_EQ(panel->GetId(), 0);
        EXPECT_EQ(desk().TakeRefusals(), std::vector<std::string>{c.refusal});
        Recorder recorder(log);
        panel->Attach(recorder);
        if (auto* modal = dynamic_cast<DG::ModalDialog*>(panel.get())) {
            EXPECT_FALSE(modal->Invoke());
        }
        EXPECT_EQ(desk().TakeRefusals().size(), c.palette ? 1u : 2u);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(PanelTest, PanelIdsStartAtOneAndAreNotGivenTwiceWhileAPanelLives) {
    auto first = std::make_unique<DG::ModalDialog>(module, ModalId, module);
    DG::Palette second(module, PaletteId, module);
    EXPECT_EQ(first->GetId(), 1);
    EXPECT_EQ(second.GetId(), 2);
    first.reset();
    EXPECT_EQ(desk().FindPanel(1), nullptr);
    DG::ModalDialog third(module, ModalId, module);
    EXPECT_EQ(third.GetId(), 3);
    EXPECT_EQ(desk().FindPanel(2), &second);
}

TEST_F(PanelTest, CallsOnUnknownPanelsItemsAndKindsAreRefusedAndAnswerNothing) {
    DG::ModalDialog dialog(module, ModalId, module);
    short id = dialog.GetId();
    const struct {
        std::function<void()> call;
        const char* refusal;
    } cases[] = {
        {[&] { EXPECT_EQ(DGGetItemText(42, 1).ToCStr(), ""); }, "DGGetItemText: no panel 42"},
        {[&] { EXPECT_EQ(DGGetItemText(id, 8).ToCStr(), ""); }, "DGGetItemText: no item 8 in panel 1"},
        {[&] { EXPECT_FALSE(DGIsItemEnabled(id, 0)); }, "DGIsItemEnabled: no item 0 in panel 1"},
        {[&] { EXPECT_FALSE(DGIsItemVisible(id, -1)); }, "DGIsItemVisible: no item -1 in panel 1"},
        {[&] { EXPECT_EQ(DGGetItemValLong(id, Ok), 0); }, "DGGetItemValLong: item 1 of panel 1 is a button"},
        {[&] { DGSetItemValLong(id, Name, 3); }, "DGSetItemValLong: item 4 of panel 1 is an edit-text"},
        {[&] {
             DGSetItemTextColor(id, Ok, DG::Color{1, 2, 3});
         },
         "DGSetItemTextColor: item 1 of panel 1 is a button"},
        {[&] { EXPECT_EQ(DGGetItemRect(id, 8), DG::Rect()); }, "DGGetItemRect: no item 8 in panel 1"},
        {[&] { EXPECT_EQ(DGGetDialogClientSize(module, 42, 0), DG::Point()); },
         "DGGetDialogClientSize: no panel 42"},
        {[&] { DGSetDialogClientSize(42, 10, 10, 1, false); }, "DGSetDialogClientSize: no panel 42"},
        {[&] { EXPECT_EQ(DGGetDialogClientSize(module, id, 7), DG::Point()); },
         "DGGetDialogClientSize: no size kind 7"},
    };
    for (const auto& c : cases) {
        c.call();
        EXPECT_EQ(desk().TakeRefusals(), std::vector<std::string>{c.refusal});
    }
}

TEST_F(PanelTest, ItemStateChangesThroughTheFunctions) {
    DG::ModalDialog dialog(module, ModalId, module);
    short id = dialog.GetId();
    DGSetItemText(id, Label, GS::UniString("Surname:"));
    DGHideItem(id, Label);
    DGDisableItem(id, Ok);
    DGSetItemValLong(id, Remember, 5); // a check box is 0 or 1
    DGSetItemFont(id, Label, DG::SmallPlainFont);
    DGMoveGrowItem(id, Name, 5, -5, 10, 2);
    DGMoveItem(id, Ok, -10, 0);
    DGGrowItem(id, Cancel, -100, 0); // never below an empty rectangle
    DG::TextEdit(dialog, Name).SetTooltip(GS::UniString("Your surname"));
    EXPECT_EQ(DGGetItemText(id, Label).ToCStr(), "Surname:");
    EXPECT_EQ(DGGetItemTooltipString(id, Name).ToCStr(), "Your surname");
    EXPECT_FALSE(DGIsItemVisible(id, Label));
    EXPECT_FALSE(DGIsItemEnabled(id, Ok));
    EXPECT_TRUE(DGIsItemEnabled(id, Cancel));
    EXPECT_EQ(DGGetItemValLong(id, Remember), 1);
    EXPECT_EQ(DGGetItemFont(id, Label), DG::SmallPlainFont);
    EXPECT_EQ(DGGetItemRect(id, Name), DG::Rect(15, 25, 305, 47));
    EXPECT_EQ(DGGetItemRect(id, Ok), DG::Rect(200, 90, 280, 110));
    EXPECT_EQ(DGGetItemRect(id, Cancel), DG::Rect(120, 90, 120, 110));
    DGShowItem(id, Label);
    DGEnableItem(id, Ok);
    EXPECT_TRUE(DGIsItemVisible(id, Label));
    EXPECT_TRUE(DGIsItemEnabled(id, Ok));
    EXPECT_TRUE(desk().TakeRefusals().empty());
}

TEST_F(PanelTest, AButtonKeepsThePictureItIsGivenAndOtherItemsTakeNone) {
    DG::ModalDialog dialog(module, ModalId, module);
    short id = dialog.GetId();
    EXPECT_TRUE(DGGetItemImage(id, Ok).IsEmpty());
    DGSetItemImage(id, Ok, DG::Image(module, 7));
    EXPECT_EQ(DGGetItemImage(id, Ok).GetResourceId(), 7);
    EXPECT_TRUE(desk().TakeRefusals().empty());
    DGSetItemImage(id, Label, DG::Image(module, 7));
    EXPECT_TRUE(DGGetItemImage(id, Label).IsEmpty());
    EXPECT_EQ(desk().TakeRefusals(), (std::vector<std::string>{"DGSetItemImage: no button 3 in panel 1",
                                                               "DGGetItemImage: no button 3 in panel 1"}));
}

TEST_F(PanelTest, ItemObjectsStandOnlyForItemsOfTheirKind) {
    DG::ModalDialog dialog(module, ModalId, module);
    DG::Button ok(dialog, Ok);
    DG::Button notAButton(dialog, Name);
    DG::LeftText wrongAlignment(dialog, Centre);
    DG::CenterText centre(dialog, Centre);
    DG::TextEdit beyond(dialog, 8);
    EXPECT_TRUE(ok.IsValid());
    EXPECT_FALSE(notAButton.IsValid());
    EXPECT_FALSE(wrongAlignment.IsValid());
    EXPECT_TRUE(centre.IsValid());
    EXPECT_FALSE(beyond.IsValid());
    EXPECT_EQ(desk().TakeRefusals().size(), 3u);
    EXPECT_EQ(dialog.GetItem(Ok), &ok);
    EXPECT_EQ(dialog.GetItem(Name), nullptr);
    EXPECT_EQ(ok.GetPanelId(), dialog.GetId());
    {
        DG::Button later(dialog, Ok);
        EXPECT_EQ(dialog.GetItem(Ok), &later); // the latest alive
    }
    EXPECT_EQ(dialog.GetItem(Ok), &ok);
}

TEST_F(PanelTest, AnItemOutlivingItsPanelStandsForNothing) {
    auto dialog = std::make_unique<DG::ModalDialog>(module, ModalId, module);
    DG::Button ok(*dialog, Ok);
    Recorder recorder(log);
    ok.Attach(recorder);
    dialog.reset();
    EXPECT_FALSE(ok.IsValid());
    EXPECT_EQ(ok.GetPanel(), nullptr);
    EXPECT_EQ(ok.GetPanelId(), 0);
}

// Frame sizes are pixels: the client size with the frame's border, times the scale, rounded.
TEST_F(PanelTest, FrameSizesRoundWithTheScaleFactor) {
    const struct {
        double scale;
        short frameWidth;  // set
        short clientWidth; // then read
        short minFramePixels;
    } cases[] = {
        {1.0, 408, 400, 308},  // (300 + 8) x 1
        {1.5, 613, 401, 462},  // 613 / 1.5 = 408.67 -> 409 - 8; (300 + 8) x 1.5
        {1.25, 509, 399, 385}, // 509 / 1.25 = 407.2 -> 407 - 8; 308 x 1.25
        {1.25, 510, 400, 385}, // 408 exactly
        {1.75, 715, 401, 539}, // 715 / 1.75 = 408.57 -> 409 - 8
    };
    for (const auto& c : cases) {
        desk().SetScaleFactor(c.scale);
        DG::Palette palette(module, PaletteId, module);
        DG::ModalDialog dialog(module, ModalId, module);
        EXPECT_DOUBLE_EQ(dialog.GetScaleFactor(), c.scale);
        DGSetDialogFrameSize(dialog.GetId(), c.frameWidth, 500, DG::TopLeft, false);
        EXPECT_EQ(DGGetDialogClientSize(module, dialog.GetId(), DG::CurrentSize).GetX(), c.clientWidth)
            << c.scale << " " << c.frameWidth;
        EXPECT_EQ(DGGetDialogFrameMinSize(dialog.GetId()).GetX(), c.minFramePixels) << c.scale;
    }
}

TEST_F(PanelTest, TheScaleFactorIsKeptToHundredthsAndNeverBelowAQuarter) {
    const struct {
        double set;
        double kept;
    } cases[] = {{1.254, 1.25}, {1.256, 1.26}, {0.25, 0.25}, {0.2, 1.0}, {0.0, 1.0}, {-2.0, 1.0}, {2.0, 2.0}};
    for (const auto& c : cases) {
        desk().SetScaleFactor(c.set);
        EXPECT_DOUBLE_EQ(desk().GetScaleFactor(), c.kept) << c.set;
    }
}

TEST_F(PanelTest, SizesAreKeptAboveTheMinimumAndMoveByTheAnchor) {
    DG::Palette palette(module, PaletteId, module);
    short id = palette.GetId();
    palette.SetFramePosition(DG::Point(100, 100));
    DGSetDialogClientMinSize(id, 150, 80);
    EXPECT_EQ(DGGetDialogClientMinSize(id), DG::Point(150, 80));
    DGSetDialogClientSize(id, 100, 60, DG::TopLeft, false);
    EXPECT_EQ(DGGetDialogClientSize(module, id, DG::CurrentSize), DG::Point(150, 80));
    EXPECT_EQ(palette.GetFramePosition(), DG::Point(100, 100));
    DGSetDialogClientSize(id, 250, 80, DG::BottomRight, false); // 100 wider: the left edge moves
    EXPECT_EQ(palette.GetFramePosition(), DG::Point(0, 100));
    DGSetDialogClientSize(id, 250, 100, DG::Center, false); // 20 taller: half above
    EXPECT_EQ(palette.GetFramePosition(), DG::Point(0, 90));
    EXPECT_EQ(DGGetDialogClientSize(module, id, DG::ResourceSize), DG::Point(200, 100));
    DGSetDialogFrameMinSize(id, 108, 128); // less the border: 100 x 100
    EXPECT_EQ(DGGetDialogClientMinSize(id), DG::Point(100, 100));
}

TEST_F(PanelTest, ClientAndFramePositionsDifferByTheScaledBorder) {
    desk().SetScaleFactor(2.0);
    DG::Palette palette(module, PaletteId, module);
    palette.SetClientPosition(DG::Point(100, 100));
    EXPECT_EQ(palette.GetFramePosition(), DG::Point(92, 52));
    EXPECT_EQ(palette.GetClientPosition(), DG::Point(100, 100));
}

TEST_F(PanelTest, TheMonitorAndTheMouseAreTheDesks) {
    desk().SetMonitorRect(DG::Rect(0, 0, 2560, 1440));
    EXPECT_EQ(DGGetMonitorRectFromRect(DG::Rect(10, 10, 20, 20)), DG::Rect(0, 0, 2560, 1440));
    DGMousePosData mouse;
    mouse.modifiers = DG::OptionKey;
    desk().SetMouse(mouse);
    DGMousePosData read;
    read.item = 99;
    EXPECT_EQ(DGGetMousePosition(0, &read), 1);
    EXPECT_EQ(read.modifiers, DG::OptionKey);
    EXPECT_EQ(read.item, 0);
    EXPECT_EQ(DGGetMousePosition(0, nullptr), 0);
}

} // namespace
