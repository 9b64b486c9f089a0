// The palette's six questions: each kind and scope has its own text and its own "still ask" switch,
// and switching one off leaves the other five asking.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "annotation/PaletteAction.h"
#include "annotation/ZAVLinkPrefs.h"

using zavlink::PaletteAction;
using zavlink::ZAVLinkPrefs;

namespace {

struct Question {
    uint32_t kind;
    PaletteAction::Scope scope;
    uint16_t item; // of string list 32523
    bool ZAVLinkPrefs::*flag;
    const char* what;
};

const std::array<Question, 6> questions = {{
    {PaletteAction::Update, PaletteAction::Selected, 4, &ZAVLinkPrefs::isUpdateSelectedWarned,
     "update selected"},
    {PaletteAction::Update, PaletteAction::All, 5, &ZAVLinkPrefs::isUpdateAllWarned, "update all"},
    {PaletteAction::Replace, PaletteAction::Selected, 6, &ZAVLinkPrefs::isReplaceSelectedWarned,
     "replace selected"},
    {PaletteAction::Replace, PaletteAction::All, 7, &ZAVLinkPrefs::isReplaceAllWarned, "replace all"},
    {PaletteAction::Ignore, PaletteAction::Selected, 8, &ZAVLinkPrefs::isAcceptSelectedWarned,
     "ignore selected"},
    {PaletteAction::Ignore, PaletteAction::All, 9, &ZAVLinkPrefs::isAcceptAllWarned, "ignore all"},
}};

} // namespace

TEST(PaletteQuestions, EachKindAndScopeAsksItsOwnQuestion) {
    for (const Question& q : questions)
        EXPECT_EQ(PaletteAction::questionItem(q.kind, q.scope), q.item) << q.what;
}

TEST(PaletteQuestions, SwitchingOneQuestionOffLeavesTheOtherFiveAsking) {
    for (const Question& ticked : questions) {
        ZAVLinkPrefs prefs;
        PaletteAction::warnedFlag(prefs, ticked.kind, ticked.scope) = false;
        for (const Question& q : questions)
            EXPECT_EQ(prefs.*(q.flag), &q != &ticked) << "ticked " << ticked.what << ", asked " << q.what;
    }
}

TEST(PaletteQuestions, TheSwitchReadIsTheOneWritten) {
    for (const Question& q : questions) {
        ZAVLinkPrefs prefs;
        prefs.*(q.flag) = false;
        for (const Question& other : questions)
            EXPECT_EQ(PaletteAction::warnedFlag(prefs, other.kind, other.scope), &other != &q)
                << q.what << " off, " << other.what << " read";
    }
}
