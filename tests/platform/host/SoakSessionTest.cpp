// The long random session's checks between steps: what an exchange should have taken from the
// Annotator's answer file, and which messages the user may meet.
#include <gtest/gtest.h>

#include "platform/host/AlertDesk.h"
#include "platform/host/SoakSession.h"

using namespace zavhost;

namespace {
ShownAlert alert(const std::string& headline, const std::string& message) {
    ShownAlert shown;
    shown.headline = headline;
    shown.message = message;
    return shown;
}

const char* const FaultyData =
    "The ZAV Annotator has either failed to respond or delivered faulty data. Please take "
    "note of the actions leading to this problem";
} // namespace

TEST(SoakChecks, TheSpecificationChosenIsNoAnswerLeftUnused) {
    EXPECT_EQ(unusedAnswer(""), "");
    EXPECT_EQ(unusedAnswer("specification \"/h/annotator/house.spec\"\n# a comment\n\n"), "");
    EXPECT_EQ(unusedAnswer("specification \"/h/house.spec\"\nclause \"F10/110\"\n"), "clause \"F10/110\"");
    EXPECT_EQ(unusedAnswer("cancel\n"), "cancel");
    EXPECT_EQ(unusedAnswer("fault no-flag\nclause \"F10/110\""), "fault no-flag");
}

TEST(SoakChecks, FaultyDataIsToldWhenSentAndOnlyThen) {
    const std::vector<ShownAlert> none;
    const std::vector<ShownAlert> faulty = {alert("Error", FaultyData)};
    EXPECT_EQ(alertProblem(none, false), "");
    EXPECT_EQ(alertProblem(faulty, true), "");
    EXPECT_EQ(alertProblem(faulty, false), "the user was told of faulty data the Annotator never sent");
    EXPECT_EQ(alertProblem(none, true), "the user was not told of the faulty data the Annotator sent");
    // Other messages are the user's business.
    EXPECT_EQ(alertProblem({alert("Notification", "All the ZAV annotations in this project are up-to-date")},
                           false),
              "");
}

TEST(SoakChecks, MessagesOfAMissingAnnotatorOrSpecificationAreFalse) {
    for (const char* message :
         {"The ZAV Annotator could not be found - please check if the software has been installed",
          "A specification has not been selected for this project. Click OK to select one now",
          "The specification selected for this project cannot be found. Click OK to locate the specification "
          "now",
          "The selected clause is empty - please check the specification"}) {
        const std::string problem = alertProblem({alert("Error", message)}, false);
        EXPECT_EQ(problem.rfind("the user was told: alert", 0), 0u) << problem;
        EXPECT_NE(problem.find(message), std::string::npos) << problem;
    }
}
