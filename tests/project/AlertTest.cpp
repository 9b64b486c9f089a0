#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Environment/ModuleEntry.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Resources.h"
#include "project/Alert.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;

namespace {

// List 32700 with texts that differ from the module's own, so a test can tell where a text came from.
const unsigned char otherTexts[] = {
    // byte count, then "Note\0Warn\0Oops\0Sure?\0Yes\0No\0"
    28,  0,   0, 0,   'N', 'o', 't', 'e', 0, 'W', 'a', 'r', 'n', 0,   'O', 'o',
    'p', 's', 0, 'S', 'u', 'r', 'e', '?', 0, 'Y', 'e', 's', 0,   'N', 'o', 0};
const ResourceEntry otherEntries[] = {{fourCC("STRS"), 32700, otherTexts, sizeof otherTexts}};
const ResourceModule otherResources{1, otherEntries};
GSResModule answerOtherResources() {
    return &otherResources;
}

class Alerts : public ::testing::Test {
protected:
    // The table is changed after attaching: the module is handed the changed one.
    Alerts() {
        module.host().functionTable().GetOwnResModule = &answerOtherResources;
        SetImportedFuncAddrs(&module.host().functionTable());
    }
    const zavhost::ShownAlert& last() { return module.host().alerts().shown().back(); }
    std::vector<std::string> buttons() { return {std::begin(last().buttons), std::end(last().buttons)}; }
    void answerNext(int button) { module.host().alerts().queue(zavhost::AlertAnswer{button, "", 0}); }

    ModuleUnderTest module{nullptr, true};
};

} // namespace

TEST_F(Alerts, EmptyHeadlinesTakeTheResourceTextsAndGivenOnesAreKept) {
    EXPECT_EQ(NotifyAlert().show(String("a")), 1);
    EXPECT_EQ(last().headline, "Note");
    EXPECT_EQ(last().type, -3);
    WarnAlert().show(String("b"));
    EXPECT_EQ(last().headline, "Warn");
    ErrorAlert().show(String("c"));
    EXPECT_EQ(last().headline, "Oops");
    EXPECT_EQ(last().type, -1);
    ErrorAlert(String("Given")).show(String("d"));
    EXPECT_EQ(last().headline, "Given");
    // The plain show offers the literal "OK", not the resource's "Yes".
    EXPECT_EQ(buttons(), (std::vector<std::string>{"OK", "", ""}));
    EXPECT_EQ(last().message, "d");
}

TEST_F(Alerts, ConfirmOffersTheDefaultButtonsAndPassesTheAnswerThrough) {
    answerNext(2);
    EXPECT_EQ(ConfirmAlert().show(String("Go on?"), String(), String()), 2);
    EXPECT_EQ(last().headline, "Sure?");
    EXPECT_EQ(buttons(), (std::vector<std::string>{"Yes", "No", ""}));
    EXPECT_EQ(ConfirmAlert().show(String("Again?"), String("Do"), String("Skip")), 1);
    EXPECT_EQ(buttons(), (std::vector<std::string>{"Do", "Skip", ""}));
}

TEST_F(Alerts, CustomAlertsOfferTheirOwnButtonsAndTheGuide) {
    CustomAlert alert(String("Editing"), String("Choose Layer"), String("Cancel"), String("Unlock Layer"));
    answerNext(3);
    EXPECT_EQ(alert.show(String("The layer is locked.")), 3); // the plain form keeps all three buttons
    EXPECT_EQ(last().headline, "Editing");
    EXPECT_EQ(buttons(), (std::vector<std::string>{"Choose Layer", "Cancel", "Unlock Layer"}));
    alert.show(String("m"), String("a guide"));
    EXPECT_EQ(last().guide, "a guide");
    CustomAlert bare{String(), String()};
    bare.show(String("m"));
    EXPECT_EQ(last().headline, ""); // no default headline for custom alerts
    EXPECT_EQ(last().buttons[0], "Yes");
}
