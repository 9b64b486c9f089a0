// The text request: the "Name Request" dialog from the module's own resources, worked by a user
// who types, presses OK or Cancel, and meets the validator's refusals.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Environment/ModuleEntry.h"
#include "interface/TextRequest.h"
#include "platform/api/Resources.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGPanel.h"
#include "support/TestAddon.h"

using namespace tarnwick;

namespace {

using Lines = std::vector<std::string>;
using Step = std::function<bool(DG::ModalDialog&, std::string*)>;

constexpr short PromptItem = 3;
constexpr short EntryItem = 4;

Step type(const char* text) {
    return [text](DG::ModalDialog& d, std::string* why) {
        return DG::Desk::Get().TypeText(d, EntryItem, GS::UniString(text), why);
    };
}

Step replace(const char* text) {
    return [text](DG::ModalDialog& d, std::string* why) {
        return DG::Desk::Get().SetText(d, EntryItem, GS::UniString(text), why);
    };
}

Step press(short button) {
    return
        [button](DG::ModalDialog& d, std::string* why) { return DG::Desk::Get().Click(d, button, 0, why); };
}

const Step ok = press(1);
const Step cancel = press(2);
const Step closeBox = [](DG::ModalDialog& d, std::string* why) { return DG::Desk::Get().CloseBox(d, why); };
// A refused OK leaves the dialog open for another try.
const Step stillOpen = [](DG::ModalDialog& d, std::string* why) {
    return d.IsOpen() || (*why = "the dialog closed", false);
};

// Refuses texts shorter than two characters; writes what it was asked.
class ShortTextValidator : public TextRequest::Validator {
public:
    enum Message { KeepPreset, OwnMessage, ClearMessage };
    explicit ShortTextValidator(Message message) : m_message(message) {}
    bool validate(const String& text, String& message) override {
        asked.push_back(std::string(text.c_str()) + " / " + message.c_str());
        if (text.getLength() >= 2) return true;
        if (m_message == OwnMessage) message = String("At least two characters.");
        if (m_message == ClearMessage) message = String();
        return false;
    }
    Lines asked;

private:
    Message m_message;
};

class TextRequestTest : public ::testing::Test {
protected:
    ~TextRequestTest() override { DG::Desk::Get().Reset(); }

    // The user's steps in each dialog that opens; what the dialog showed when it opened.
    void userDoes(std::vector<Step> steps) {
        DG::Desk::Get().SetModalHandler([this, steps](DG::ModalDialog& dialog) {
            ++runs;
            shown.push_back(std::string(dialog.GetTitle().ToCStr()) + " | " +
                            DGGetItemText(dialog.GetId(), PromptItem).ToCStr() + " | " +
                            DGGetItemText(dialog.GetId(), EntryItem).ToCStr());
            for (const Step& step : steps) {
                std::string why;
                ASSERT_TRUE(step(dialog, &why)) << why;
            }
        });
    }
    Lines alerts() {
        Lines lines;
        for (const zavhost::ShownAlert& alert : module.host().alerts().shown())
            lines.push_back(alert.headline + ": " + alert.message);
        return lines;
    }

    testsupport::ModuleUnderTest module{nullptr, true};
    int runs = 0;
    Lines shown;
};

} // namespace

TEST_F(TextRequestTest, TheUserAnswersOrCancelsAndTheAnswerIsKept) {
    const struct {
        const char* name;
        const char* title;
        const char* prompt;
        const char* initial;
        std::vector<Step> steps;
        const char* text;
        bool cancelled;
        const char* shown;
    } cases[] = {
        {"typed",
         "Find Note",
         "Text to find:",
         "",
         {type("door"), ok},
         "door",
         false,
         "Find Note | Text to find: | "},
        {"defaults", "", "", "wall", {ok}, "wall", false, "New Name Entry | Please specify a name | wall"},
        {"replaced", "T", "P", "wall", {replace("roof"), ok}, "roof", false, "T | P | wall"},
        {"emptied", "T", "P", "wall", {replace(""), ok}, "", false, "T | P | wall"},
        {"cancel", "T", "P", "wall", {type("roof"), cancel}, "wall", true, "T | P | wall"},
        {"close box", "T", "P", "", {type("roof"), closeBox}, "", true, "T | P | "},
    };
    for (const auto& c : cases) {
        runs = 0;
        shown.clear();
        userDoes(c.steps);
        TextRequest request(nullptr, String(c.title), String(c.prompt), String(c.initial));
        EXPECT_FALSE(request.isCancelled()) << c.name;
        EXPECT_EQ(request.getText(), c.text) << c.name;
        EXPECT_EQ(request.isCancelled(), c.cancelled) << c.name;
        EXPECT_EQ(shown, Lines{c.shown}) << c.name;
        // Asked once: the second answer is the kept one, without a dialog.
        EXPECT_EQ(request.getText(), c.text) << c.name;
        EXPECT_EQ(request.isCancelled(), c.cancelled) << c.name;
        EXPECT_EQ(runs, 1) << c.name;
    }
    EXPECT_EQ(alerts(), Lines{});
}

TEST_F(TextRequestTest, ARefusedEntryKeepsTheDialogOpenWithTheValidatorsMessage) {
    using V = ShortTextValidator;
    const struct {
        const char* name;
        V::Message message;
        const char* initial;
        std::vector<Step> steps;
        const char* text;
        bool cancelled;
        Lines asked;
        Lines alerts;
    } cases[] = {
        {"preset message",
         V::KeepPreset,
         "",
         {type("a"), ok, stillOpen, type("b"), ok},
         "ab",
         false,
         {"a / Sorry, this name is unsuitable.", "ab / Sorry, this name is unsuitable."},
         {"Error: Sorry, this name is unsuitable."}},
        {"own message",
         V::OwnMessage,
         "",
         {ok, stillOpen, replace("x"), ok, stillOpen, replace("xy"), ok},
         "xy",
         false,
         {" / Sorry, this name is unsuitable.", "x / Sorry, this name is unsuitable.",
          "xy / Sorry, this name is unsuitable."},
         {"Error: At least two characters.", "Error: At least two characters."}},
        {"cleared message, then cancel",
         V::ClearMessage,
         "start",
         {replace("a"), ok, stillOpen, cancel},
         "start",
         true,
         {"a / Sorry, this name is unsuitable."},
         {}},
        {"accepted at once",
         V::KeepPreset,
         "",
         {type("door"), ok},
         "door",
         false,
         {"door / Sorry, this name is unsuitable."},
         {}},
        // Cancelling asks no validator.
        {"cancelled", V::KeepPreset, "start", {replace("a"), cancel}, "start", true, {}, {}},
    };
    for (const auto& c : cases) {
        size_t alertsBefore = alerts().size();
        ShortTextValidator validator(c.message);
        userDoes(c.steps);
        TextRequest request(&validator, String(), String(), String(c.initial));
        EXPECT_EQ(request.getText(), c.text) << c.name;
        EXPECT_EQ(request.isCancelled(), c.cancelled) << c.name;
        EXPECT_EQ(validator.asked, c.asked) << c.name;
        Lines now = alerts();
        EXPECT_EQ(Lines(now.begin() + static_cast<long>(alertsBefore), now.end()), c.alerts) << c.name;
    }
}

namespace {
const ResourceModule noResources{0, nullptr};
GSResModule answerNoResources() {
    return &noResources;
}
} // namespace

// No dialog to show counts as not accepted.
TEST_F(TextRequestTest, WithoutItsDialogResourceTheRequestIsCancelled) {
    module.host().functionTable().GetOwnResModule = &answerNoResources;
    SetImportedFuncAddrs(&module.host().functionTable());
    userDoes({ok});
    TextRequest request(nullptr, String("T"), String("P"), String("kept"));
    EXPECT_EQ(request.getText(), "kept");
    EXPECT_TRUE(request.isCancelled());
    EXPECT_EQ(runs, 0);
}
