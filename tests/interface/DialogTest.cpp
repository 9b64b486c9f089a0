#include <gtest/gtest.h>

#include <memory>

#include "Environment/Addon.h"
#include "interface/Controls.h"
#include "interface/Dialog.h"
#include "platform/dg/DGPanel.h"
#include "platform/dg/DGPanelState.h"

#include "PanelTestSupport.h"

using namespace tarnwick;
using namespace paneltest;

namespace {

using Lines = std::vector<std::string>;

// The user of modal dialogs: runs the steps inside the dialog, each given the dialog manager's
// dialog, and says why when one could not be done.
void userDoes(std::vector<std::function<bool(DG::ModalDialog&, std::string*)>> steps) {
    DG::Desk::Get().SetModalHandler([steps](DG::ModalDialog& dialog) {
        for (const auto& step : steps) {
            std::string why;
            EXPECT_TRUE(step(dialog, &why)) << why;
        }
    });
}

auto click(short item) {
    return [item](DG::ModalDialog& d, std::string* why) { return DG::Desk::Get().Click(d, item, 0, why); };
}

auto type(short item, const char* text) {
    return [item, text](DG::ModalDialog& d, std::string* why) {
        return DG::Desk::Get().TypeText(d, item, GS::UniString(text), why);
    };
}

class DialogTest : public ::testing::Test, public WithDialogs {
protected:
    // The modal dialog's edit text on item 3; buttons 1 and 2 are the dialog's own.
    std::unique_ptr<RecordedDialog> question() {
        auto dialog = std::make_unique<RecordedDialog>(ModalId, true, journal);
        dialog->makeControls = [this](RecordedDialog& d) {
            answerField = DialogControl::make<EditText>(ControlLink(3, &d));
        };
        dialog->onAccepted = [this](ActionEvent&) { answer = answerField->getText(); };
        return dialog;
    }
    Lines journal;
    EditText* answerField = nullptr;
    String answer;
};

TEST_F(DialogTest, ModalAnswersOneOnOkAndTwoOnCancel) {
    struct Case {
        short button;
        int result;
        Lines hooks;
    };
    const Case cases[] = {
        {1, 1, {"initialise", "opened", "accepted", "closed 3 host"}},
        {2, 2, {"initialise", "opened", "cancelled", "closed 3 host"}},
    };
    for (const Case& c : cases) {
        journal.clear();
        answer = String();
        auto dialog = question();
        userDoes({type(3, "Oak"), click(c.button)});
        EXPECT_EQ(dialog->open(), c.result) << c.button;
        EXPECT_EQ(journal, c.hooks) << c.button;
        EXPECT_EQ(answer, String(c.button == 1 ? "Oak" : "")) << c.button;
        EXPECT_FALSE(dialog->isOpen());
        EXPECT_TRUE(dialog->getControls().empty());
        EXPECT_EQ(dialog->getHostPanel(), nullptr);
        EXPECT_EQ(dialog->getObserver(), nullptr);
    }
}

TEST_F(DialogTest, AVetoKeepsTheModalDialogOpen) {
    auto dialog = question();
    int vetoes = 1;
    dialog->onAccepted = [&](ActionEvent& e) {
        if (vetoes-- > 0) e.reply(std::make_shared<ItemMessage>(0));
    };
    bool openAfterVeto = false;
    userDoes({click(1),
              [&](DG::ModalDialog& d, std::string*) {
                  openAfterVeto = d.IsOpen() && dialog->isOpen();
                  return true;
              },
              click(2)});
    EXPECT_EQ(dialog->open(), 2);
    EXPECT_TRUE(openAfterVeto);
    EXPECT_EQ(journal, (Lines{"initialise", "opened", "accepted", "cancelled", "closed 3 host"}));
}

TEST_F(DialogTest, OpenOnARunningModalDialogAnswersZero) {
    auto dialog = question();
    int again = -1;
    userDoes({[&](DG::ModalDialog&, std::string*) {
                  again = dialog->open();
                  return true;
              },
              click(1)});
    EXPECT_EQ(dialog->open(), 1);
    EXPECT_EQ(again, 0);
}

// A page of the dialog hears everything the dialog does, just before it.
TEST_F(DialogTest, ChildPanelsGoFirst) {
    struct Page : InterfacePanel {
        Page(InterfacePanel& dialog, Lines& j) : InterfacePanel(1), owner(dialog), journal(j) {}
        InterfacePanel* getOwnerPanel() const override { return &owner; }
        DG::Panel* getHostPanel() const override { return nullptr; }
        void initialise() override { journal.push_back("page initialise"); }
        void opened() override { journal.push_back("page opened"); }
        void accepted(ActionEvent& e) override {
            journal.push_back("page accepted " + std::to_string(e.getItemId()));
        }
        void closed() override { journal.push_back("page closed"); }
        InterfacePanel& owner;
        Lines& journal;
    };
    auto dialog = question();
    Page page(*dialog, journal);
    std::vector<InterfacePanel*> children;
    EXPECT_TRUE(dialog->collectChildPanels(children));
    EXPECT_EQ(children, std::vector<InterfacePanel*>{&page});
    EXPECT_FALSE(page.collectChildPanels(children));
    userDoes({type(3, "Oak"), click(1)});
    EXPECT_EQ(dialog->open(), 1);
    EXPECT_EQ(journal, (Lines{"initialise", "page initialise", "opened", "page opened", "page accepted 1",
                              "accepted", "page closed", "closed 3 host"}));
}

TEST_F(DialogTest, AResourceThatGivesNoPanelOpensNothing) {
    const std::pair<short, bool> dialogs[] = {{999, true}, {999, false}, {PaletteId, true}, {ModalId, false}};
    for (auto [id, modal] : dialogs) {
        RecordedDialog dialog(id, modal, journal);
        EXPECT_EQ(dialog.open(), 0) << id;
        EXPECT_FALSE(dialog.isOpen()) << id;
        EXPECT_EQ(dialog.getHostPanel(), nullptr) << id;
    }
    EXPECT_TRUE(journal.empty());
}

class PaletteTest : public DialogTest {
protected:
    // Button 4 shows where the host-call count stands, 5 closes the palette, 6 deletes itself.
    // A second subscriber after the one that acts, so that publishing goes on over what it did.
    PaletteTest()
        : palette(PaletteId, false, journal), buttons("buttons", heard, {ActionEvent::Kind}),
          after("after", heard, {ActionEvent::Kind}) {
        buttons.onEvent = [this](InterfaceEvent& e) {
            if (e.getItemId() == 4) depthInside = getAddon()->getEntryDepth();
            if (e.getItemId() == 5) palette.close();
            if (e.getItemId() == 6) palette.deleteControl(6);
        };
        palette.makeControls = [this](RecordedDialog& d) {
            for (uint16_t item : {1, 2, 4, 5, 6}) {
                Button* button = DialogControl::make<Button>(ControlLink(item, &d));
                button->add(&buttons);
                button->add(&after);
            }
        };
    }
    bool press(short item) {
        std::string why;
        return DG::Desk::Get().Click(*palette.getHostPanel(), item, 0, &why);
    }

    RecordedDialog palette;
    Lines heard;
    Journal buttons;
    Journal after;
    int depthInside = -1;
};

TEST_F(PaletteTest, OpenShowHideReopen) {
    EXPECT_EQ(palette.open(), 0);
    DG::Panel* host = palette.getHostPanel();
    EXPECT_TRUE(palette.isVisible());
    palette.hide();
    EXPECT_FALSE(palette.isVisible());
    EXPECT_EQ(palette.open(false), 0);
    EXPECT_TRUE(palette.isVisible());
    EXPECT_TRUE(host->State().active);
    EXPECT_EQ(palette.getHostPanel(), host);
    EXPECT_EQ(journal, (Lines{"initialise", "opened"}));
    EXPECT_EQ(palette.getTitle(), String("Tools"));
    palette.setTitle(String("Tools and More"));
    EXPECT_EQ(palette.getTitle(), String("Tools and More"));
}

TEST_F(PaletteTest, AButtonHandlerRunsInsideAHostCall) {
    palette.open();
    ASSERT_EQ(getAddon()->getEntryDepth(), 0);
    ASSERT_TRUE(press(4));
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(getAddon()->getEntryDepth(), 0);
    EXPECT_EQ(heard, (Lines{"buttons:ACEV 4 0", "after:ACEV 4 0"}));
    EXPECT_EQ(palette.refreshes, 1);
}

TEST_F(PaletteTest, TheCloseBoxReleasesTheHostPanelBeforeClosedAndReopeningMakesANewOne) {
    palette.open();
    std::weak_ptr<DG::Panel> first = palette.getHostPanel()->weak_from_this();
    DialogControl* firstButton = palette.findControl(4);
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().CloseBox(*palette.getHostPanel(), &why)) << why;
    EXPECT_EQ(journal, (Lines{"initialise", "opened", "cancelled", "closed 5 no-host"}));
    EXPECT_TRUE(first.expired());
    EXPECT_FALSE(palette.isOpen());
    EXPECT_TRUE(palette.getControls().empty());
    EXPECT_EQ(getAddon()->getEntryDepth(), 0);

    palette.open();
    EXPECT_EQ(journal.back(), "opened");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "initialise"), 2);
    EXPECT_TRUE(palette.isOpen());
    EXPECT_NE(palette.findControl(4), nullptr);
    ASSERT_TRUE(press(4));
    EXPECT_EQ(heard, (Lines{"buttons:ACEV 4 0", "after:ACEV 4 0"}));
    (void)firstButton;
}

TEST_F(PaletteTest, AVetoedCloseBoxKeepsThePaletteOpen) {
    palette.onCancelled = [](ActionEvent& e) { e.reply(std::make_shared<ItemMessage>(0)); };
    palette.open();
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().CloseBox(*palette.getHostPanel(), &why)) << why;
    EXPECT_TRUE(palette.isOpen());
    EXPECT_TRUE(palette.getHostPanel()->IsOpen());
    EXPECT_EQ(journal, (Lines{"initialise", "opened", "cancelled"}));
}

TEST_F(PaletteTest, AHandlerMayCloseItsOwnPalette) {
    // Pressed by the user the close is delivered after the press; sent straight from outside a
    // delivery the controls go while the press is still being published.
    for (bool byUser : {true, false}) {
        journal.clear();
        heard.clear();
        palette.open();
        if (byUser) {
            ASSERT_TRUE(press(5));
        } else {
            ActionEvent pressed(ControlLink(5, &palette));
            palette.handleEvent(pressed);
        }
        EXPECT_FALSE(palette.isOpen()) << byUser;
        EXPECT_EQ(palette.getHostPanel(), nullptr) << byUser;
        EXPECT_EQ(journal, (Lines{"initialise", "opened", "closed 5 no-host"})) << byUser;
        EXPECT_EQ(heard, (Lines{"buttons:ACEV 5 0", "after:ACEV 5 0"})) << byUser;
    }
}

TEST_F(PaletteTest, AHandlerMayDeleteItsOwnControl) {
    palette.open();
    ASSERT_TRUE(press(6));
    EXPECT_EQ(palette.findControl(6), nullptr);
    EXPECT_TRUE(press(6)); // the item is still on screen, but nobody hears it
    EXPECT_EQ(heard, (Lines{"buttons:ACEV 6 0", "after:ACEV 6 0"}));
    palette.close();
    EXPECT_EQ(journal.back(), "closed 4 no-host");
}

TEST_F(PaletteTest, DestroyingAnOpenPaletteCallsNoHook) {
    auto other = std::make_unique<RecordedDialog>(OtherPaletteId, false, journal);
    other->open();
    std::weak_ptr<DG::Panel> host = other->getHostPanel()->weak_from_this();
    other.reset();
    EXPECT_EQ(journal, (Lines{"initialise", "opened"}));
    EXPECT_TRUE(host.expired());
    EXPECT_TRUE(DG::Desk::Get().OpenPanels().empty());
}

} // namespace
