// The module as the host loads it, with a host whose functions throw: the product's own error
// alert, once, the neutral answer, and a module that goes on working.
#include <gtest/gtest.h>

#include <string>

#include "platform/api/HostErrors.h"
#include "platform/host/StandInHost.h"
#include "support/ThrowingHost.h"

#ifdef ZAV_MODULE_PATH

using testsupport::HostThrow;

namespace {

// The first string of the error list, as the user reads it.
const char* const InternalError = "An internal error has ocurred in the ZAV Link addon. Please e-mail the "
                                  "steps leading to this situation to <";
const char* const Menu = "ZAV Annotation";
const char* const About = "About ZAV Link...";

class LoadedModuleExceptions : public ::testing::Test {
protected:
    LoadedModuleExceptions() {
        host.newProject("Exceptions");
        testsupport::makeThrowable(host.functionTable());
    }
    ~LoadedModuleExceptions() override {
        testsupport::disarmThrow();
        if (host.moduleLoaded()) host.unloadModule();
    }
    void expectOneErrorAlert(size_t before, const std::string& what) {
        const auto& shown = host.alerts().shown();
        ASSERT_EQ(shown.size(), before + 1) << what;
        EXPECT_EQ(shown.back().headline, "Error") << what;
        EXPECT_EQ(shown.back().message.rfind(InternalError, 0), 0u) << what << ": " << shown.back().message;
    }
    // The About box opens and closes again, and nothing more is said.
    void expectWorking(const std::string& what) {
        const size_t alerts = host.alerts().shown().size();
        EXPECT_EQ(host.chooseMenuItem(Menu, About), hosterr::Ok) << what << ": " << host.lastError();
        EXPECT_EQ(host.alerts().shown().size(), alerts) << what;
        EXPECT_FALSE(host.entryFlag()) << what;
    }

    zavhost::StandInHost host;
};

} // namespace

TEST_F(LoadedModuleExceptions, TheStartDeclinesWithTheErrorAlertAndTheModuleLoadsAgain) {
    for (HostThrow kind : {HostThrow::Runtime, HostThrow::BadAlloc}) {
        const size_t before = host.alerts().shown().size();
        testsupport::armThrow("SetEntryFlag", kind); // the environment check's entry
        EXPECT_EQ(host.loadModule(ZAV_MODULE_PATH), hosterr::Refused) << host.lastError();
        EXPECT_FALSE(host.moduleLoaded());
        expectOneErrorAlert(before, "check");
        ASSERT_EQ(host.loadModule(ZAV_MODULE_PATH), hosterr::Ok) << host.lastError();
        expectWorking("after the check");
        ASSERT_EQ(host.unloadModule(), hosterr::Ok);
    }
}

TEST_F(LoadedModuleExceptions, AMenuCommandAndANotificationAnswerInternalAndTheModuleWorksOn) {
    ASSERT_EQ(host.loadModule(ZAV_MODULE_PATH), hosterr::Ok) << host.lastError();
    for (HostThrow kind : {HostThrow::Runtime, HostThrow::BadAlloc}) {
        for (int skip : {0, 1}) { // entering, or leaving
            size_t before = host.alerts().shown().size();
            testsupport::armThrow("SetEntryFlag", kind, skip);
            EXPECT_EQ(host.chooseMenuItem(Menu, About), hosterr::Internal);
            expectOneErrorAlert(before, "menu");
            expectWorking("after the menu");

            before = host.alerts().shown().size();
            testsupport::armThrow("SetEntryFlag", kind, skip);
            EXPECT_EQ(host.sendProjectNotification(ProjectSave), hosterr::Internal);
            expectOneErrorAlert(before, "notification");
            expectWorking("after the notification");
        }
    }
}

#endif
