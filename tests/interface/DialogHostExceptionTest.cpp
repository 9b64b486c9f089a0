// A host function that throws while the add-on handles an event of the host's dialog manager, in a
// palette and in a modal dialog: nothing reaches the dialog manager, the user sees the error alert
// once, and the panel works on.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Environment/Addon.h"
#include "Environment/HostCalls.h"
#include "interface/Controls.h"
#include "interface/Dialog.h"
#include "platform/api/HostErrors.h"
#include "platform/dg/DGPanel.h"
#include "resources/ModuleResources.h"
#include "support/ThrowingHost.h"

#include "PanelTestSupport.h"

using namespace tarnwick;
using namespace paneltest;
using testsupport::HostThrow;

namespace {

using Lines = std::vector<std::string>;

const char* const InternalError = "An internal error has ocurred in the ZAV Link addon.";

void callHost() {
    (void)ACAPEnvironmentCall(fourCC("ZZZZ"));
}

// The test dialogs beside the module's own resources, whose strings the error alert reads.
GSResModule dialogsAndStrings() {
    static const std::vector<ResourceEntry> entries = [] {
        std::vector<ResourceEntry> all;
        for (GSResModule part : {resources().module(), zavModuleResources()})
            all.insert(all.end(), part->entries, part->entries + part->count);
        return all;
    }();
    static const ResourceModule module{static_cast<uint32_t>(entries.size()), entries.data()};
    return &module;
}

class DialogHostExceptions : public ::testing::Test, public WithDialogs {
protected:
    DialogHostExceptions() {
        module.host().functionTable().GetOwnResModule = &dialogsAndStrings;
        testsupport::makeThrowable(module.host().functionTable());
        SetImportedFuncAddrs(&module.host().functionTable());
    }
    ~DialogHostExceptions() override { testsupport::disarmThrow(); }

    size_t alertCount() { return module.host().alerts().shown().size(); }
    void expectOneErrorAlert(size_t before, const std::string& what) {
        const auto& shown = module.host().alerts().shown();
        ASSERT_EQ(shown.size(), before + 1) << what;
        EXPECT_EQ(shown.back().headline, "Error") << what;
        EXPECT_EQ(shown.back().message.rfind(InternalError, 0), 0u) << what << ": " << shown.back().message;
    }

    Lines journal;
    Lines heard;
};

// Button 4 of the palette calls the host; a second subscriber hears what the first let through.
class PaletteHostExceptions : public DialogHostExceptions {
protected:
    PaletteHostExceptions()
        : palette(PaletteId, false, journal), buttons("buttons", heard, {ActionEvent::Kind}),
          after("after", heard, {ActionEvent::Kind}) {
        buttons.onEvent = [](InterfaceEvent& e) {
            if (e.getItemId() == 4) callHost();
        };
        palette.makeControls = [this](RecordedDialog& d) {
            for (uint16_t item : {1, 2, 4}) {
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
    Journal buttons;
    Journal after;
};

} // namespace

TEST_F(PaletteHostExceptions, AButtonWhoseHostCallThrowsShowsTheErrorOnceAndThePaletteWorksOn) {
    ASSERT_EQ(palette.open(), 0);
    for (HostThrow kind : {HostThrow::Runtime, HostThrow::BadAlloc}) {
        // In the button's handler, and in the host-call bracket a palette's action opens.
        for (const char* slot : {"EnvironmentCall", "SetEntryFlag"}) {
            const std::string what =
                std::string(slot) + (kind == HostThrow::Runtime ? " runtime" : " bad_alloc");
            const size_t before = alertCount();
            heard.clear();
            testsupport::armThrow(slot, kind);
            EXPECT_TRUE(press(4)) << what;
            EXPECT_FALSE(testsupport::throwArmed()) << what;
            expectOneErrorAlert(before, what);
            // The handler stopped at the host's call: the subscriber after it heard nothing.
            EXPECT_EQ(heard, std::string(slot) == "SetEntryFlag" ? Lines{} : Lines{"buttons:ACEV 4 0"})
                << what;
            EXPECT_EQ(getAddon()->getEntryDepth(), 0) << what;
            EXPECT_TRUE(palette.isOpen()) << what;

            heard.clear();
            EXPECT_TRUE(press(4)) << what;
            EXPECT_EQ(heard, (Lines{"buttons:ACEV 4 0", "after:ACEV 4 0"})) << what;
            EXPECT_EQ(alertCount(), before + 1) << what;
        }
    }
}

TEST_F(DialogHostExceptions, AModalDialogWhoseHandlersHostCallsThrowAnswersTheUserAllTheSame) {
    // The edit field's change calls the host, once throwing; then the user accepts.
    RecordedDialog dialog(ModalId, true, journal);
    EditText* field = nullptr;
    Journal edits("edits", heard, {ItemEvent::Kind});
    edits.onEvent = [](InterfaceEvent&) { callHost(); };
    dialog.makeControls = [&](RecordedDialog& d) {
        field = DialogControl::make<EditText>(ControlLink(3, &d));
        field->add(&edits);
    };
    String answer;
    dialog.onAccepted = [&](ActionEvent&) { answer = field->getText(); };
    const size_t before = alertCount();
    DG::Desk::Get().SetModalHandler([&](DG::ModalDialog& d) {
        std::string why;
        testsupport::armThrow("EnvironmentCall", HostThrow::BadAlloc);
        EXPECT_TRUE(DG::Desk::Get().TypeText(d, 3, GS::UniString("Oak"), &why)) << why;
        EXPECT_TRUE(DG::Desk::Get().TypeText(d, 3, GS::UniString("Ash"), &why)) << why;
        EXPECT_TRUE(DG::Desk::Get().Click(d, 1, 0, &why)) << why;
    });
    EXPECT_EQ(dialog.open(), 1);
    expectOneErrorAlert(before, "modal");
    EXPECT_EQ(answer, String("OakAsh")); // both typings reached the field
    EXPECT_EQ(journal, (Lines{"initialise", "opened", "accepted", "closed 3 host"}));
}

TEST_F(DialogHostExceptions, AnOpeningHookWhoseHostCallThrowsLeavesADialogTheUserCanClose) {
    for (HostThrow kind : {HostThrow::Runtime, HostThrow::BadAlloc}) {
        journal.clear();
        RecordedDialog dialog(ModalId, true, journal);
        dialog.makeControls = [kind](RecordedDialog&) {
            testsupport::armThrow("EnvironmentCall", kind);
            callHost();
        };
        bool openInside = false;
        DG::Desk::Get().SetModalHandler([&](DG::ModalDialog& d) {
            openInside = d.IsOpen();
            std::string why;
            EXPECT_TRUE(DG::Desk::Get().Click(d, 2, 0, &why)) << why;
        });
        const size_t before = alertCount();
        EXPECT_NE(dialog.open(), 1);
        EXPECT_TRUE(openInside);
        expectOneErrorAlert(before, "opening");
        EXPECT_FALSE(dialog.isOpen());
        // It opens again, whole.
        dialog.makeControls = nullptr;
        DG::Desk::Get().SetModalHandler([](DG::ModalDialog& d) {
            std::string why;
            EXPECT_TRUE(DG::Desk::Get().Click(d, 1, 0, &why)) << why;
        });
        EXPECT_EQ(dialog.open(), 1);
        EXPECT_EQ(alertCount(), before + 1);
    }
}

TEST_F(PaletteHostExceptions, ACloseBoxWhoseHooksHostCallsThrowClosesThePaletteAndItOpensAgain) {
    // The close request's hook, then the closed hook: the host's answer to the request stands.
    for (const char* hook : {"cancelled", "closed"}) {
        journal.clear();
        ASSERT_EQ(palette.open(), 0) << hook;
        auto throwing = [] {
            testsupport::armThrow("EnvironmentCall", HostThrow::Runtime);
            callHost();
        };
        palette.onCancelled = [&](ActionEvent&) {
            if (std::string(hook) == "cancelled") throwing();
        };
        palette.onClosed = [&] {
            if (std::string(hook) == "closed") throwing();
        };
        const size_t before = alertCount();
        std::string why;
        ASSERT_TRUE(DG::Desk::Get().CloseBox(*palette.getHostPanel(), &why)) << why;
        expectOneErrorAlert(before, hook);
        EXPECT_FALSE(palette.isOpen()) << hook;
        EXPECT_EQ(getAddon()->getEntryDepth(), 0) << hook;

        palette.onCancelled = nullptr;
        palette.onClosed = nullptr;
        ASSERT_EQ(palette.open(), 0) << hook;
        heard.clear();
        EXPECT_TRUE(press(4)) << hook;
        EXPECT_EQ(heard, (Lines{"buttons:ACEV 4 0", "after:ACEV 4 0"})) << hook;
        std::string closing;
        ASSERT_TRUE(DG::Desk::Get().CloseBox(*palette.getHostPanel(), &closing)) << closing;
        EXPECT_EQ(alertCount(), before + 1) << hook;
    }
}
