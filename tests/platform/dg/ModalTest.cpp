// Modal dialogs run by a scripted user inside Invoke, and palettes driven from outside.
#include "DGTestSupport.h"

using namespace dgtest;

namespace {

class ModalTest : public DeskTest {
protected:
    // The user's script: runs against the dialog Invoke is running.
    void script(std::function<void(DG::ModalDialog&)> steps) {
        desk().SetModalHandler([this, steps](DG::ModalDialog& dialog) {
            ++invoked;
            steps(dialog);
        });
    }
    void act(bool done) { EXPECT_TRUE(done) << why; }

    int invoked = 0;
    std::string why;
};

// As a framework dialog does: its OK and Cancel buttons ask for closing.
class ClosingButtons : public DG::ButtonItemObserver {
public:
    explicit ClosingButtons(DG::ModalDialog& dialog)
        : m_dialog(dialog), m_ok(dialog, Ok), m_cancel(dialog, Cancel) {
        m_ok.Attach(*this);
        m_cancel.Attach(*this);
    }
    void ButtonClicked(const DG::ButtonClickEvent& e) override {
        m_dialog.PostCloseRequest(e.GetSource()->GetId() == Ok ? DG::ModalDialog::Accept
                                                               : DG::ModalDialog::Cancel);
        // The request waits until this notification has ended.
        closedInside = closedInside || !m_dialog.IsOpen();
    }
    bool closedInside = false;

private:
    DG::ModalDialog& m_dialog;
    DG::Button m_ok;
    DG::Button m_cancel;
};

TEST_F(ModalTest, TypedCharactersPassTheObserversAndADeniedOneStaysOut) {
    DG::ModalDialog dialog(module, ModalId, module);
    DG::TextEdit name(dialog, Name);
    Recorder recorder(log);
    recorder.denied = u"3";
    name.Attach(recorder);
    ClosingButtons buttons(dialog);
    script([&](DG::ModalDialog& d) {
        act(desk().TypeText(d, Name, GS::UniString("a3b"), &why));
        EXPECT_EQ(DGGetItemText(d.GetId(), Name).ToCStr(), "ab");
        act(desk().Click(d, Ok, 0, &why));
    });
    EXPECT_TRUE(dialog.Invoke());
    EXPECT_EQ(log, (Log{"char 4 a", "changed 4", "char 4 3", "char 4 b", "changed 4", "focus-lost 4"}));
    EXPECT_FALSE(buttons.closedInside);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(invoked, 1);
}

TEST_F(ModalTest, OkCancelAndTheCloseBoxAnswerInvoke) {
    const struct {
        const char* action;
        bool accepted;
        const char* request;
    } cases[] = {
        {"ok", true, "close-request accept"},
        {"cancel", false, "close-request cancel"},
        {"close-box", false, "close-request cancel"},
    };
    for (const auto& c : cases) {
        DG::ModalDialog dialog(module, ModalId, module);
        ClosingButtons buttons(dialog);
        Recorder recorder(log);
        dialog.Attach(recorder);
        log.clear();
        script([&](DG::ModalDialog& d) {
            std::string action = c.action;
            if (action == "close-box")
                act(desk().CloseBox(d, &why));
            else
                act(desk().Click(d, action == "ok" ? Ok : Cancel, 0, &why));
        });
        EXPECT_EQ(dialog.Invoke(), c.accepted) << c.action;
        EXPECT_EQ(log, (Log{"opened", c.request, c.accepted ? "closed accept" : "closed"})) << c.action;
    }
}

TEST_F(ModalTest, ARefusedCloseKeepsTheDialogOpenForTheRestOfTheScript) {
    DG::ModalDialog dialog(module, ModalId, module);
    ClosingButtons buttons(dialog);
    Recorder recorder(log);
    recorder.acceptClose = false;
    dialog.Attach(recorder);
    script([&](DG::ModalDialog& d) {
        act(desk().Click(d, Ok, 0, &why));
        EXPECT_TRUE(d.IsOpen());
        recorder.acceptClose = true;
        act(desk().Click(d, Cancel, 0, &why));
    });
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_EQ(log, (Log{"opened", "close-request accept", "close-request cancel", "closed"}));
}

TEST_F(ModalTest, ADialogTheUserLeavesOpenIsAborted) {
    DG::ModalDialog dialog(module, ModalId, module);
    Recorder recorder(log);
    dialog.Attach(recorder);
    script([&](DG::ModalDialog& d) { act(desk().Click(d, Ok, 0, &why)); }); // nobody hears OK
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_EQ(log, (Log{"opened", "closed"}));
    EXPECT_EQ(told.end()[-2], "dialog \"Name Request\" (100) is aborted: it was left open");
    EXPECT_TRUE(desk().OpenPanels().empty());
}

TEST_F(ModalTest, WithoutAUserEveryDialogIsAbortedAtOnce) {
    DG::ModalDialog dialog(module, ModalId, module);
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(told[1], "dialog \"Name Request\" (100): no user is there to answer it");
}

TEST_F(ModalTest, AbortAskedInANotificationClosesAfterIt) {
    DG::ModalDialog dialog(module, ModalId, module);
    Recorder recorder(log);
    dialog.Attach(recorder);
    recorder.then = [&](const std::string& what) {
        if (what != "opened") return;
        dialog.Abort();
        log.push_back(dialog.IsOpen() ? "still open" : "closed inside");
    };
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_EQ(log, (Log{"opened", "still open", "closed"}));
    EXPECT_EQ(invoked, 0); // closed before the user came
}

TEST_F(ModalTest, AModalDialogOpenedByANotificationRunsWhileThatNotificationWaits) {
    auto palette = std::make_shared<DG::Palette>(module, PaletteId, module);
    DG::Button apply(*palette, Apply);
    Recorder paletteRecorder(log, "palette");
    apply.Attach(paletteRecorder);
    palette->Attach(paletteRecorder);
    palette->BeginEventProcessing();
    DG::ModalDialog dialog(module, ModalId, module);
    ClosingButtons buttons(dialog);
    Recorder dialogRecorder(log, "dialog");
    dialog.Attach(dialogRecorder);
    paletteRecorder.then = [&](const std::string& what) {
        if (what != "click 1") return;
        DGSetDialogClientSize(palette->GetId(), 300, 100, DG::TopLeft, false); // waits for the click
        log.push_back(dialog.Invoke() ? "accepted" : "cancelled");
    };
    script([&](DG::ModalDialog& d) { act(desk().Click(d, Ok, 0, &why)); });
    log.clear();
    act(desk().Click(*palette, Apply, 0, &why));
    EXPECT_EQ(log, (Log{"palette: click 1", "dialog: opened", "dialog: close-request accept",
                        "dialog: closed accept", "accepted", "palette: resized 100 0"}));
}

TEST_F(ModalTest, InvokeRefusesADialogThatIsRunning) {
    DG::ModalDialog dialog(module, ModalId, module);
    ClosingButtons buttons(dialog);
    script([&](DG::ModalDialog& d) {
        EXPECT_FALSE(d.Invoke());
        act(desk().Click(d, Ok, 0, &why));
    });
    EXPECT_TRUE(dialog.Invoke());
    EXPECT_EQ(desk().TakeRefusals(),
              std::vector<std::string>{"dialog \"Name Request\" (100) is running already"});
}

TEST_F(ModalTest, TheUserCannotReachHiddenDisabledOrMissingItems) {
    DG::ModalDialog dialog(module, ModalId, module);
    const struct {
        std::function<bool(DG::ModalDialog&)> action;
        const char* why;
    } cases[] = {
        {[&](DG::ModalDialog& d) { return desk().Click(d, 9, 0, &why); },
         "dialog \"Name Request\" (100) has no item 9 (it has 7)"},
        {[&](DG::ModalDialog& d) {
             DGHideItem(d.GetId(), Label);
             return desk().Click(d, Label, 0, &why);
         },
         "item 3 of dialog \"Name Request\" (100) is hidden"},
        {[&](DG::ModalDialog& d) {
             DGDisableItem(d.GetId(), Name);
             return desk().TypeText(d, Name, GS::UniString("x"), &why);
         },
         "item 4 of dialog \"Name Request\" (100) is disabled"},
        {[&](DG::ModalDialog& d) { return desk().TypeText(d, Ok, GS::UniString("x"), &why); },
         "cannot type into item 1 of dialog \"Name Request\" (100): it is a button"},
        {[&](DG::ModalDialog& d) { return desk().DoubleClick(d, Ok, 0, &why); },
         "cannot double-click item 1 of dialog \"Name Request\" (100): it is a button"},
        {[&](DG::ModalDialog& d) { return desk().Tick(d, Centre, true, &why); },
         "cannot tick item 6 of dialog \"Name Request\" (100): it is a centre-text"},
        {[&](DG::ModalDialog& d) { return desk().Resize(d, 10, 10, &why); },
         "dialog \"Name Request\" (100) cannot be resized"},
    };
    for (const auto& c : cases) {
        script([&](DG::ModalDialog& d) {
            why.clear();
            EXPECT_FALSE(c.action(d));
            EXPECT_EQ(why, c.why);
        });
        EXPECT_FALSE(dialog.Invoke());
    }
    why.clear();
    EXPECT_FALSE(desk().Click(dialog, Ok, 0, &why));
    EXPECT_EQ(why, "dialog \"Name Request\" (100) is not open");
}

TEST_F(ModalTest, ClicksTicksAndFocusReachTheirObservers) {
    DG::ModalDialog dialog(module, ModalId, module);
    DG::LeftText label(dialog, Label);
    DG::CheckBox remember(dialog, Remember);
    DG::TextEdit name(dialog, Name);
    ClosingButtons buttons(dialog);
    Recorder recorder(log);
    label.Attach(recorder);
    remember.Attach(recorder);
    name.Attach(recorder);
    script([&](DG::ModalDialog& d) {
        act(desk().Click(d, Label, DG::ShiftKey, &why));
        act(desk().DoubleClick(d, Label, 0, &why));
        act(desk().Tick(d, Remember, true, &why)); // already ticked: nothing heard
        act(desk().Click(d, Remember, 0, &why));
        EXPECT_EQ(DGGetItemValLong(d.GetId(), Remember), 0);
        act(desk().SetText(d, Name, GS::UniString("pasted"), &why));
        act(desk().Click(d, Remember, 0, &why));
        act(desk().Click(d, Ok, 0, &why));
    });
    EXPECT_TRUE(dialog.Invoke());
    EXPECT_EQ(log, (Log{"text-click 3", "text-double-click 3", "ticked 5", "focus-lost 5", "changed 4",
                        "focus-lost 4", "ticked 5", "focus-lost 5"}));
}

TEST_F(ModalTest, TheModifiersAreHeldInTheMouseRecordWhileAClickIsDelivered) {
    DG::Palette palette(module, PaletteId, module);
    DG::Button apply(palette, Apply);
    Recorder recorder(log);
    apply.Attach(recorder);
    short held = -1;
    recorder.then = [&](const std::string&) {
        DGMousePosData mouse;
        (void)DGGetMousePosition(palette.GetId(), &mouse);
        held = mouse.modifiers;
    };
    palette.BeginEventProcessing();
    act(desk().Click(palette, Apply, DG::CommandKey | DG::ShiftKey, &why));
    EXPECT_EQ(held, DG::CommandKey | DG::ShiftKey);
    EXPECT_EQ(log, (Log{"click 1 mod 5"}));
    EXPECT_EQ(desk().GetMouse().modifiers, 0);
}

} // namespace
