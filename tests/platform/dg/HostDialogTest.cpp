// The stand-in host's user at the dialog manager: modal dialogs worked from a scenario's queued
// lines while the module runs them, palettes worked from outside any call, and the checks.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "DGTestSupport.h"
#include "platform/api/HostErrors.h"
#include "platform/dg/UserItemUpdateNativeContext.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/host/StandInHost.h"
#include "support/PlayScenario.h"

using namespace dgtest;

namespace {

// What the commands below did, for the tests to read.
Log& heard() {
    static Log log;
    return log;
}

// As a framework dialog does: OK and Cancel ask for closing; the digit 3 is refused.
class ModalUser : public DG::PanelObserver, public DG::ButtonItemObserver, public DG::TextEditBaseObserver {
public:
    explicit ModalUser(DG::ModalDialog& dialog)
        : m_dialog(dialog), m_ok(dialog, Ok), m_cancel(dialog, Cancel), m_name(dialog, Name) {
        m_ok.Attach(static_cast<DG::ButtonItemObserver&>(*this));
        m_cancel.Attach(static_cast<DG::ButtonItemObserver&>(*this));
        m_name.Attach(static_cast<DG::TextEditBaseObserver&>(*this));
    }
    void ButtonClicked(const DG::ButtonClickEvent& e) override {
        m_dialog.PostCloseRequest(e.GetSource()->GetId() == Ok ? DG::ModalDialog::Accept
                                                               : DG::ModalDialog::Cancel);
    }
    void ItemCharEntered(const DG::ItemCharEnterEvent& e, bool* deny) override {
        *deny = e.GetCharCode() == u'3';
    }

private:
    DG::ModalDialog& m_dialog;
    DG::Button m_ok;
    DG::Button m_cancel;
    DG::TextEdit m_name;
};

GSErrCode runModal(uint32_t, int32_t, GSHandle) {
    DG::ModalDialog dialog(zavModuleResources(), ModalId, zavModuleResources());
    ModalUser user(dialog);
    bool accepted = dialog.Invoke();
    heard().push_back(std::string(accepted ? "accepted " : "cancelled ") +
                      DGGetItemText(dialog.GetId(), Name).ToCStr());
    return hosterr::Ok;
}

// A palette the module keeps until its close box closes it; its user item shows a line across it,
// as high as the number of times it was drawn.
class PaletteUser : public DG::PanelObserver, public DG::ButtonItemObserver, public DG::UserItemObserver {
public:
    PaletteUser()
        : palette(std::make_shared<DG::Palette>(zavModuleResources(), PaletteId, zavModuleResources())) {
        palette->Attach(*this);
        apply = std::make_unique<DG::Button>(*palette, Apply);
        apply->Attach(static_cast<DG::ButtonItemObserver&>(*this));
        picture = std::make_unique<DG::UserItem>(*palette, Picture);
        picture->Attach(static_cast<DG::UserItemObserver&>(*this));
        palette->BeginEventProcessing();
        palette->Show();
    }
    void ButtonClicked(const DG::ButtonClickEvent&) override { heard().push_back("apply"); }
    void UserItemUpdate(const DG::UserItemUpdateEvent& update) override {
        NewDisplay::UserItemUpdateNativeContext context(update);
        context.MoveTo(0, 0);
        context.LineTo(context.GetWidth(), static_cast<float>(++updates));
    }
    int updates = 0;
    void PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted) override {
        *accepted = true;
        palette->EndEventProcessing();
        apply.reset();
        picture.reset();
        palette.reset();
    }
    std::shared_ptr<DG::Palette> palette;
    std::unique_ptr<DG::Button> apply;
    std::unique_ptr<DG::UserItem> picture;
};

std::unique_ptr<PaletteUser>& paletteUser() {
    static std::unique_ptr<PaletteUser> user;
    return user;
}

GSErrCode openPalette(uint32_t, int32_t, GSHandle) {
    paletteUser() = std::make_unique<PaletteUser>();
    return hosterr::Ok;
}

GSErrCode hidePalette(uint32_t, int32_t, GSHandle) {
    if (paletteUser() && paletteUser()->palette) paletteUser()->palette->Hide();
    return hosterr::Ok;
}

class HostDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        heard().clear();
        EXPECT_EQ(host.installCommandHandler(fourCC("MODL"), 1, runModal), hosterr::Ok);
        EXPECT_EQ(host.installCommandHandler(fourCC("PALO"), 1, openPalette), hosterr::Ok);
        EXPECT_EQ(host.installCommandHandler(fourCC("PALH"), 1, hidePalette), hosterr::Ok);
    }
    void TearDown() override { paletteUser().reset(); }

    bool play(const std::string& text) {
        zavhost::RunOptions options;
        options.homeFolder = ::testing::TempDir() + "dg-host-play";
        testsupport::Played played = testsupport::playScenario(host, text, options);
        failedLine = played.failedLine;
        failure = played.failure;
        return played.passed;
    }

    zavhost::StandInHost host;
    int failedLine = 0;
    std::string failure;
};

TEST_F(HostDialogTest, TheScriptTypesIntoTheDialogAndPressesOk) {
    EXPECT_TRUE(play("dialog \"Name Request\" type 4 \"a3b\"\n"
                     "dialog 100 expect item 4 text \"ab\" enabled visible\n"
                     "dialog \"Name Request\" ok\n"
                     "command MODL\n"
                     "expect dialog \"Name Request\" closed\n"))
        << failure;
    EXPECT_EQ(heard(), (Log{"accepted ab"}));
    const std::string story = host.transcript().text();
    EXPECT_NE(
        story.find("dialog \"Name Request\" (100) opened: 1 button \"OK\", 2 button \"Cancel\", 3 left-text "
                   "\"Name:\", 4 edit-text, 5 check-box \"Remember\""),
        std::string::npos)
        << story;
    EXPECT_NE(story.find("the user, line 1: dialog \"Name Request\" type 4 \"a3b\""), std::string::npos);
    EXPECT_NE(story.find("the add-on refused the character '3'"), std::string::npos);
    EXPECT_NE(story.find("dialog \"Name Request\" (100) closed, accepted"), std::string::npos);
}

TEST_F(HostDialogTest, TheScriptTicksACheckBoxAndChecksItsState) {
    EXPECT_TRUE(play("dialog 100 expect item 5 checked\n"
                     "dialog 100 untick 5\n"
                     "dialog 100 expect item 5 unchecked enabled\n"
                     "dialog 100 click 5\n"
                     "dialog 100 expect item 5 checked\n"
                     "dialog 100 ok\n"
                     "command MODL\n"))
        << failure;
}

TEST_F(HostDialogTest, CancelAndTheCloseBoxAnswerCancelled) {
    for (const char* close : {"cancel", "close-box"}) {
        heard().clear();
        EXPECT_TRUE(
            play(std::string("dialog 100 set-text 4 \"kept\"\ndialog 100 ") + close + "\ncommand MODL\n"))
            << failure;
        EXPECT_EQ(heard(), (Log{"cancelled kept"})) << close;
    }
}

TEST_F(HostDialogTest, ADialogTheScriptLeavesOpenFailsTheScenarioAndIsAborted) {
    EXPECT_FALSE(play("dialog 100 type 4 \"x\"\ncommand MODL\nexpect dialog 100 closed\n"));
    EXPECT_EQ(failedLine, 2);
    EXPECT_EQ(failure,
              "dialog \"Name Request\" (100) was left open: no line of the scenario works in it further; it "
              "is aborted");
    EXPECT_EQ(heard(), (Log{"cancelled x"}));
}

TEST_F(HostDialogTest, AScriptLineTheUserCannotDoFailsTheScenario) {
    const struct {
        const char* script;
        const char* failure;
    } cases[] = {
        {"dialog 100 click 9\n",
         "line 1: dialog \"Name Request\" (100) has no item 9 (it has 7); the dialog is aborted"},
        {"dialog 100 expect item 4 text \"x\"\n",
         "line 1: item 4 of dialog \"Name Request\" (100) reads \"\"; the dialog is aborted"},
        {"dialog 100 expect item 1 disabled\n",
         "line 1: item 1 of dialog \"Name Request\" (100) is enabled; the dialog is aborted"},
        {"dialog 100 expect item 5 unchecked\n",
         "line 1: item 5 of dialog \"Name Request\" (100) is checked; the dialog is aborted"},
        {"dialog 100 untick 5\ndialog 100 expect item 5 checked\n",
         "line 2: item 5 of dialog \"Name Request\" (100) is unchecked; the dialog is aborted"},
        {"dialog 100 expect item 4 checked\n",
         "line 1: item 4 of dialog \"Name Request\" (100) is not a check box; the dialog is aborted"},
        {"dialog 100 choose 5 \"x\"\n", "line 1: item 5 of dialog \"Name Request\" (100) is a check-box, not "
                                        "a pop-up; the dialog is aborted"},
        {"dialog 100 expand 5 \"x\"\n",
         "line 1: item 5 of dialog \"Name Request\" (100) is not a tree view; the dialog is aborted"},
        {"dialog 100 select 5 2 shift\n", "line 1: item 5 of dialog \"Name Request\" (100) is a check-box, "
                                          "not a list box; the dialog is aborted"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(play(std::string(c.script) + "command MODL\n")) << c.script;
        EXPECT_EQ(failure, c.failure);
        EXPECT_EQ(failedLine, std::count(c.script, c.script + std::strlen(c.script), '\n') + 1);
    }
}

TEST_F(HostDialogTest, AScriptLineNoDialogUsedFailsTheScenario) {
    EXPECT_FALSE(play("dialog \"Other\" ok\n"));
    EXPECT_EQ(failedLine, 1);
    EXPECT_EQ(failure, "this line was never used: no dialog \"Other\" ran after it");
}

TEST_F(HostDialogTest, PalettesAreWorkedFromOutsideAndClosedByTheirCloseBox) {
    EXPECT_TRUE(play("command PALO\n"
                     "expect palette \"Tools\" open\n"
                     "expect palette 200 visible\n"
                     "expect dialog \"Tools\" closed\n"
                     "palette \"Tools\" click 1 shift\n"
                     "palette 200 resize 10 0\n"
                     "expect palette \"Tools\" item 2 text \"Ready\" visible\n"
                     "command PALH\n"
                     "expect palette \"Tools\" hidden\n"
                     "palette \"Tools\" close-box\n"
                     "expect palette \"Tools\" closed\n"))
        << failure;
    EXPECT_EQ(heard(), (Log{"apply"}));
    EXPECT_FALSE(paletteUser()->palette);
    EXPECT_FALSE(play("palette \"Tools\" click 1\n"));
    EXPECT_EQ(failure, "no palette \"Tools\" is open");
}

TEST_F(HostDialogTest, TheUserUncoversAUserItemAndTheScenarioChecksWhatWasDrawn) {
    EXPECT_TRUE(play("command PALO\n"
                     "expect palette \"Tools\" item 3 drawn \"MoveTo 0 0\" \"LineTo 50 1\"\n"
                     "palette \"Tools\" update 3\n"
                     "expect palette 200 item 3 drawn \"MoveTo 0 0\" \"LineTo 50 2\"\n"))
        << failure;
    EXPECT_NE(host.transcript().text().find("user item 3 of palette \"Tools\" (200) drawn: 2 calls"),
              std::string::npos);
    const struct {
        const char* line;
        const char* failure;
    } cases[] = {
        {"expect palette \"Tools\" item 3 drawn \"MoveTo 0 0\"",
         "expectation failed: wanted palette \"Tools\" item 3 drawn \"MoveTo 0 0\"; found item 3 of palette "
         "\"Tools\" (200) holds \"MoveTo 0 0\" \"LineTo 50 1\""},
        {"expect palette \"Tools\" item 1 drawn", "expectation failed: wanted palette \"Tools\" item 1 "
                                                  "drawn; found item 1 of palette \"Tools\" (200) is "
                                                  "not a user item"},
        {"palette \"Tools\" update 1", "cannot update item 1 of palette \"Tools\" (200): it is a button"},
    };
    for (const auto& c : cases) {
        paletteUser().reset();
        EXPECT_FALSE(play(std::string("command PALO\n") + c.line + "\n")) << c.line;
        EXPECT_EQ(failedLine, 2) << c.line;
        EXPECT_EQ(failure, c.failure);
    }
    paletteUser().reset();
    EXPECT_FALSE(play("command PALO\ncommand PALH\npalette \"Tools\" update 3\n"));
    EXPECT_EQ(failure, "palette \"Tools\" (200) is hidden");
}

TEST_F(HostDialogTest, TheScaleAndTheMonitorAreTheScenarios) {
    EXPECT_TRUE(play("dialog-scale 1.5\nmonitor 0 0 2560 1440\ncommand PALO\n")) << failure;
    const DG::Palette& palette = *paletteUser()->palette;
    EXPECT_DOUBLE_EQ(palette.GetScaleFactor(), 1.5);
    EXPECT_EQ(DGGetMonitorRectFromRect(DG::Rect()), DG::Rect(0, 0, 2560, 1440));
    EXPECT_EQ(DGGetDialogFrameMinSize(palette.GetId()), DG::Point(312, 192)); // (200 + 8, 100 + 28) x 1.5
}

TEST_F(HostDialogTest, MalformedDialogLinesAreReported) {
    // A step nothing is near is answered with every step of a dialog or palette.
    const std::string steps = "type, set-text, click, double-click, tick, untick, choose, select, click-row, "
                              "double-click-row, click-header, drag-header, resize-header, expand, collapse, "
                              "ok, cancel, close-box, update, expect, resize";
    const struct {
        const char* line;
        std::string error;
    } cases[] = {
        {"dialog click 1", "expected the panel's title in quotes or its resource id, not \"click\""},
        {"dialog 100 wave 1", "unknown dialog step \"wave\"; this line knows " + steps},
        {"dialog 100 type 4", "expected the text in double quotes"},
        // A palette's hot keys are no dialog's.
        {"dialog 100 hot-key 1", "unknown dialog step \"hot-key\"; this line knows " + steps},
        {"palette \"T\" wave 1", "unknown dialog step \"wave\"; this line knows " + steps + ", hot-key"},
        {"dialog 100 click 0", "an item number must be at least 1"},
        {"dialog 100 expect item 4",
         "expect item N needs something to check: text \"T\", tooltip \"T\", enabled, disabled, visible, "
         "hidden, checked, unchecked, rect L T W H, tree \"LINE\" ..., drawing-on, rows \"LINE\" ... "
         "[in-any-order], on-row R, entries \"T\" ..., chosen \"T\", button \"T\", drawn \"CALL\" ..."},
        {"palette \"T\" select 4", "expected a row number"},
        {"palette \"T\" collapse 4 shift", "expected the tree item's path in double quotes"},
        {"palette \"T\" expect item 4 tree drawing-on", "expected a tree item's line in double quotes"},
        {"dialog-scale 9", "a scale factor lies in 0.25..8"},
        {"monitor 0 0 0 10", "the monitor's right and bottom lie beyond its left and top"},
        {"expect palette \"T\" shown", "expect palette NAME open, closed, visible, hidden or item N ..."},
    };
    for (const auto& c : cases) {
        zavhost::ParsedScenario parsed = zavhost::parseScenario(c.line);
        ASSERT_EQ(parsed.errors.size(), 1u) << c.line;
        EXPECT_EQ(parsed.errors[0].message, c.error) << c.line;
    }
}

} // namespace
