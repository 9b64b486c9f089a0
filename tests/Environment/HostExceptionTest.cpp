// A host function that throws when the module calls it, in every entry and every kind of
// callback the runtime installs: the user sees the error alert once, the host gets the call's
// neutral answer, and the add-on goes on working.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "Environment/HostCallbacks.h"
#include "Environment/HostCalls.h"
#include "Environment/HostSubscribers.h"
#include "Environment/ModuleEntry.h"
#include "platform/api/HostErrors.h"
#include "support/TestAddon.h"
#include "support/ThrowingHost.h"

using namespace tarnwick;
using testsupport::HostThrow;
using testsupport::ModuleUnderTest;

namespace {

// The first string of the error list, as the user reads it.
const char* const InternalError = "An internal error has ocurred in the ZAV Link addon.";
constexpr int32_t TestMenu = 32000;
constexpr uint32_t TestCommand = fourCC("TCMD");

// Any call through the host's table; the host does not know the selector.
void callHost() {
    (void)ACAPEnvironmentCall(fourCC("ZZZZ"));
}

// Where the host throws next: in the call made for the first of the caller's notes that starts so.
struct Plan {
    std::string at;
    HostThrow kind = HostThrow::Runtime;
};

// Calls the host from every phase, menu item, command and notification it hears, each noted in
// the journal once the call came back.
class Caller : public MenuSubscriber, public ProjectSubscriber, public EditElementSubscriber {
public:
    Caller(std::vector<std::string>& journal, Plan& plan)
        : MenuSubscriber(TestMenu, TestMenu + 1, 17, 0), m_journal(journal), m_plan(plan) {}
    void getEventTypes(std::vector<EventType>& types) const override {
        MenuSubscriber::getEventTypes(types);
        ProjectSubscriber::getEventTypes(types);
        EditElementSubscriber::getEventTypes(types);
        types.push_back({HostSource, ModuleEvent::Kind});
        types.push_back({HostSource, TestCommand});
    }
    bool receive(Event& event) override {
        if (dynamic_cast<MenuEvent*>(&event) != nullptr) return MenuSubscriber::receive(event);
        if (dynamic_cast<DatabaseEvent*>(&event) != nullptr) return EditElementSubscriber::receive(event);
        return note(dynamic_cast<ProjectEvent*>(&event) != nullptr  ? "project"
                    : dynamic_cast<ModuleEvent*>(&event) != nullptr ? "module data"
                                                                    : "command");
    }
    bool checkEnvironment() override { return note("check"); }
    bool registerInterface() override { return MenuSubscriber::registerInterface() && note("register"); }
    bool initialize() override {
        return MenuSubscriber::initialize() && ProjectSubscriber::initialize() &&
               EditElementSubscriber::initialize() && installCommandHandler(TestCommand, 1) == hosterr::Ok &&
               note("initialize");
    }
    bool handleMenu(MenuEvent& event) override {
        return note("menu " + std::to_string(event.getItemIndex()));
    }
    bool handleProjectEvent(ProjectEvent&) override { return false; }
    bool handleDatabaseEvent(DatabaseEvent&) override { return note("element"); }

private:
    bool note(const std::string& what) {
        if (!m_plan.at.empty() && what.rfind(m_plan.at, 0) == 0) {
            testsupport::armThrow("EnvironmentCall", m_plan.kind);
            m_plan.at.clear();
        }
        callHost();
        m_journal.push_back(what);
        return true;
    }
    std::vector<std::string>& m_journal;
    Plan& m_plan;
};

struct CallerAddon : Addon {
    Caller caller;
    CallerAddon(std::vector<std::string>& journal, Plan& plan) : caller(journal, plan) { add(&caller); }
};

class HostExceptions : public ::testing::Test {
protected:
    HostExceptions() : module([this] { return addon = new CallerAddon(journal, plan); }) {
        // The module gets the table again, now throwable; later loads get it so from the start.
        testsupport::makeThrowable(module.host().functionTable());
        SetImportedFuncAddrs(&module.host().functionTable());
    }
    ~HostExceptions() override { testsupport::disarmThrow(); }

    size_t alertCount() { return module.host().alerts().shown().size(); }
    // Exactly one alert since `before`, the error alert.
    void expectOneErrorAlert(size_t before, const std::string& what) {
        const auto& shown = module.host().alerts().shown();
        ASSERT_EQ(shown.size(), before + 1) << what;
        EXPECT_EQ(shown.back().headline, "Error") << what;
        EXPECT_EQ(shown.back().message.rfind(InternalError, 0), 0u) << what << ": " << shown.back().message;
    }
    // The add-on works as before: a menu command runs whole inside a fresh outermost call.
    void expectWorking(const std::string& what) {
        ASSERT_NE(getAddon(), nullptr) << what;
        EXPECT_EQ(getAddon()->getEntryDepth(), 0) << what;
        EXPECT_FALSE(getAddon()->isInsideNotification()) << what;
        journal.clear();
        const size_t alerts = alertCount();
        EXPECT_EQ(module.host().chooseMenuItem("Test", "Again"), hosterr::Ok) << what;
        EXPECT_EQ(journal, std::vector<std::string>{"menu 2"}) << what;
        EXPECT_EQ(alertCount(), alerts) << what;
        EXPECT_FALSE(module.host().entryFlag()) << what;
        EXPECT_EQ(getAddon()->getEntryDepth(), 0) << what;
    }

    testsupport::ExtraStrings menus{{{TestMenu, {"Test", "Call", "Again"}}}};
    std::vector<std::string> journal;
    Plan plan;
    CallerAddon* addon = nullptr;
    ModuleUnderTest module;
};

const HostThrow kinds[] = {HostThrow::Runtime, HostThrow::BadAlloc};

std::string kindName(HostThrow kind) {
    return kind == HostThrow::Runtime ? "runtime_error" : "bad_alloc";
}

} // namespace

TEST_F(HostExceptions, InEachStartingEntryTheModuleDoesNotLoadAndLoadsAgainAfterwards) {
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    // The phases that ran whole before the one whose call throws.
    const std::pair<const char*, size_t> entries[] = {{"check", 0}, {"register", 1}, {"initialize", 2}};
    for (HostThrow kind : kinds) {
        for (const auto& [entry, earlier] : entries) {
            const std::string what = std::string(entry) + " " + kindName(kind);
            ASSERT_EQ(module.host().unloadModule(), hosterr::Ok) << what;
            const size_t before = alertCount();
            plan = Plan{entry, kind};
            journal.clear();
            EXPECT_NE(module.reattach(), hosterr::Ok) << what;
            EXPECT_FALSE(testsupport::throwArmed()) << what;
            EXPECT_FALSE(module.host().moduleLoaded()) << what;
            EXPECT_EQ(getAddon(), nullptr) << what;
            expectOneErrorAlert(before, what);
            EXPECT_EQ(journal.size(), earlier) << what; // no phase after it ran

            ASSERT_EQ(module.reattach(), hosterr::Ok) << what << ": " << module.host().lastError();
            expectWorking(what);
        }
    }
}

TEST_F(HostExceptions, InTheReleaseTheModuleIsReleasedAllTheSame) {
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    for (HostThrow kind : kinds) {
        const size_t before = alertCount();
        testsupport::onNextDestroy([kind] {
            testsupport::armThrow("EnvironmentCall", kind);
            callHost();
        });
        EXPECT_EQ(module.host().unloadModule(), hosterr::Internal) << kindName(kind);
        EXPECT_FALSE(module.host().moduleLoaded());
        EXPECT_EQ(getAddon(), nullptr);
        expectOneErrorAlert(before, kindName(kind));
        ASSERT_EQ(module.reattach(), hosterr::Ok) << module.host().lastError();
        expectWorking(kindName(kind));
    }
}

TEST_F(HostExceptions, InEveryCallbackTheHostGetsTheNeutralAnswerAndTheAddonGoesOn) {
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    zavhost::StandInHost& host = module.host();
    HostElementNotification edit;
    edit.kind = ElementEventEdit;
    edit.typeId = 1;
    // Each callback, and the note its call of the host comes before.
    const std::tuple<const char*, const char*, std::function<GSErrCode()>> callbacks[] = {
        {"menu", "menu 1", [&] { return host.chooseMenuItem("Test", "Call"); }},
        {"command", "command", [&] { return host.sendCommand(TestCommand, 1, nullptr); }},
        {"project notification", "project", [&] { return host.sendProjectNotification(ProjectSave); }},
        {"module data before save", "module data",
         [&] { return host.moduleDataHandler()(ModuleDataBeforeSave); }},
        {"module data after load", "module data",
         [&] { return host.moduleDataHandler()(ModuleDataAfterLoad); }},
        {"element observer", "element", [&] { return host.elementObserver()(&edit); }},
    };
    for (HostThrow kind : kinds) {
        for (const auto& [name, note, call] : callbacks) {
            const std::string what = std::string(name) + " " + kindName(kind);
            const size_t before = alertCount();
            plan = Plan{note, kind};
            journal.clear();
            EXPECT_EQ(call(), hosterr::Internal) << what;
            EXPECT_FALSE(testsupport::throwArmed()) << what;
            EXPECT_TRUE(journal.empty()) << what; // nothing after the host call ran
            expectOneErrorAlert(before, what);
            expectWorking(what);
            // The callback itself works again too.
            EXPECT_EQ(call(), hosterr::Ok) << what;
        }
    }
}

TEST_F(HostExceptions, TheEntryFlagThrowingOnTheWayInOrOutLeavesNoCallOpen) {
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    // The first call of the entry flag is on the way in, the second on the way out.
    for (int skip : {0, 1}) {
        for (HostThrow kind : kinds) {
            const std::string what = (skip == 0 ? "entering " : "leaving ") + kindName(kind);
            const size_t before = alertCount();
            testsupport::armThrow("SetEntryFlag", kind, skip);
            journal.clear();
            EXPECT_EQ(module.host().chooseMenuItem("Test", "Call"), hosterr::Internal) << what;
            EXPECT_FALSE(testsupport::throwArmed()) << what;
            EXPECT_EQ(journal.size(), static_cast<size_t>(skip)) << what; // the menu ran when leaving failed
            expectOneErrorAlert(before, what);
            expectWorking(what);
        }
    }
}
