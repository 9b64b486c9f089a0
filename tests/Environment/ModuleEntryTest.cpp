// The module's entries, phases and host events, through the stand-in host in this process.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Environment/AddonHooks.h"
#include "Environment/Host.h"
#include "Environment/HostSubscribers.h"
#include "Environment/ModuleEntry.h"
#include "Environment/User.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Resources.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;
using testsupport::RecordingSubscriber;

namespace {

// An add-on whose subscribers record what reaches them; a phase can be made to throw.
class JournalAddon : public Addon {
public:
    explicit JournalAddon(std::vector<std::string>& journal, const char* throwIn = "")
        : m_a("a", journal, {{HostSource, ProjectEvent::Kind}}), m_b("b", journal), m_throwIn(throwIn) {
        add(&m_a);
        add(&m_b);
    }
    bool registerInterface() override {
        if (m_throwIn == std::string("register")) throw std::runtime_error("register");
        return Addon::registerInterface();
    }
    bool initialize() override {
        if (m_throwIn == std::string("initialize")) throw std::logic_error("initialize");
        return Addon::initialize();
    }

private:
    RecordingSubscriber m_a, m_b;
    std::string m_throwIn;
};

struct TestMenu : MenuSubscriber {
    std::vector<std::string>& journal;
    TestMenu(int32_t list, std::vector<std::string>& j) : MenuSubscriber(list, list + 1, 17, 0), journal(j) {}
    bool handleMenu(MenuEvent& event) override {
        journal.push_back("menu " + std::to_string(getMenuResId()) + "/" +
                          std::to_string(event.getItemIndex()));
        return true;
    }
};

// Counts how often the add-on forgets its cached host state.
class CountingAddon : public Addon {
public:
    int resets = 0;
    void resetHost() override {
        ++resets;
        Addon::resetHost();
    }
};

const zavhost::ShownAlert& lastAlert(zavhost::StandInHost& host) {
    return host.alerts().shown().back();
}

} // namespace

TEST(ModuleEntries, RunInOrderThePhasesReachEverySubscriberAndAReleasedModuleLeavesNoProject) {
    std::vector<std::string> journal;
    ModuleUnderTest module([&] { return new JournalAddon(journal); });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    EXPECT_EQ(journal, (std::vector<std::string>{"a:check", "b:check", "a:register", "b:register",
                                                 "a:initialize", "b:initialize"}));
    EXPECT_STREQ(module.host().moduleEnvironment().addonName, "ZAV Link");
    ASSERT_NE(getAddon(), nullptr);
    EXPECT_EQ(getAddon()->getPhase(), Addon::Phase::Initialized);

    journal.clear();
    module.host().sendProjectNotification(ProjectOpen);
    EXPECT_EQ(journal, std::vector<std::string>{"a:receive"});
    ASSERT_NE(Host::getProject(), nullptr);
    module.host().unloadModule();
    EXPECT_EQ(getAddon(), nullptr);
    // The project model ended with the module: nothing of the project is left to hand out.
    EXPECT_EQ(Host::getProject(), nullptr);
    EXPECT_EQ(Host::getCurrentUser().getUserId(), 0);
}

TEST(ModuleEntries, AnExceptionInAnyEntryShowsTheErrorAlertAndAnswersNeutrallyAndADeclineUnloads) {
    int before = testsupport::reportedErrors();
    {
        testsupport::failNextCreate(true);
        ModuleUnderTest module;
        EXPECT_NE(module.attachResult(), hosterr::Ok); // declined: the module does not load
        EXPECT_FALSE(module.host().moduleLoaded());
        ASSERT_FALSE(module.host().alerts().shown().empty());
        EXPECT_EQ(lastAlert(module.host()).headline, "Error");
        EXPECT_NE(lastAlert(module.host()).message.find("An internal error has ocurred"), std::string::npos);
    }
    for (const char* phase : {"register", "initialize"}) {
        std::vector<std::string> journal;
        ModuleUnderTest module([&] { return new JournalAddon(journal, phase); });
        EXPECT_NE(module.attachResult(), hosterr::Ok) << phase;
        EXPECT_EQ(lastAlert(module.host()).headline, "Error");
    }
    {
        ModuleUnderTest module;
        testsupport::failNextDestroy(true);
        EXPECT_EQ(module.host().unloadModule(), hosterr::Internal);
        EXPECT_FALSE(module.host().moduleLoaded());
        EXPECT_EQ(getAddon(), nullptr);
    }
    EXPECT_EQ(testsupport::reportedErrors(), before + 4);

    // A subscriber that declines: no error, and the module releases itself.
    struct Declines : RecordingSubscriber {
        using RecordingSubscriber::RecordingSubscriber;
        bool checkEnvironment() override { return false; }
    };
    std::vector<std::string> journal;
    Declines decliner("decliner", journal);
    {
        ModuleUnderTest module([&] {
            auto* addon = new Addon();
            addon->add(&decliner);
            return addon;
        });
        EXPECT_NE(module.attachResult(), hosterr::Ok);
        EXPECT_FALSE(module.host().moduleLoaded());
        EXPECT_EQ(getAddon(), nullptr);
    }
    EXPECT_EQ(testsupport::reportedErrors(), before + 4);
}

TEST(AddonEntry, OnlyTheOutermostEntryOrAResetForgetsTheCachedHostState) {
    CountingAddon* addon = nullptr;
    ModuleUnderTest module([&] { return addon = new CountingAddon(); });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    addon->resets = 0;
    struct Step {
        const char* what;
        bool enter;
        bool reset;
        int depth;
        int resets;
    };
    const Step steps[] = {
        {"outermost entry", true, false, 1, 1},
        {"nested entry", true, false, 2, 1},
        {"nested deeper", true, false, 3, 1},
        {"leave one", false, false, 2, 1},
        {"a reset entry starts the count again", true, true, 1, 2},
        {"nested after the reset", true, false, 2, 2},
        {"leave to the reset entry", false, false, 1, 2},
        {"leave the reset entry", false, false, 0, 2},
        {"leaving at 0 stays at 0", false, false, 0, 2},
        {"a new outermost entry", true, false, 1, 3},
        {"leave it", false, false, 0, 3},
    };
    for (const Step& step : steps) {
        if (step.enter)
            EXPECT_TRUE(addon->enterHostCall(step.reset)) << step.what;
        else
            addon->leaveHostCall();
        EXPECT_EQ(addon->getEntryDepth(), step.depth) << step.what;
        EXPECT_EQ(addon->resets, step.resets) << step.what;
    }
}

TEST(AddonEntry, HostEventsRunInsideTheEntryBracketAndACallBackInsideAHostCallKeepsTheCachedState) {
    struct Seen {
        zavhost::StandInHost* host = nullptr;
        CountingAddon* addon = nullptr;
        int depthInMenu = -1, depthInNotification = -1;
        int resetsInMenu = -1, resetsInNotification = -1;
        bool insideNotification = false;
    } seen;
    // A menu command whose work makes the host call back with a project notification.
    struct CallingBack : MenuSubscriber {
        Seen& seen;
        explicit CallingBack(Seen& s) : MenuSubscriber(32000, 32001, 17, 0), seen(s) {}
        bool handleMenu(MenuEvent&) override {
            seen.depthInMenu = seen.addon->getEntryDepth();
            seen.resetsInMenu = seen.addon->resets;
            seen.host->sendProjectNotification(ProjectSave);
            return true;
        }
    } callingBack(seen);
    struct Notified : ProjectSubscriber {
        Seen& seen;
        explicit Notified(Seen& s) : seen(s) {}
        bool handleProjectEvent(ProjectEvent&) override {
            seen.depthInNotification = seen.addon->getEntryDepth();
            seen.resetsInNotification = seen.addon->resets;
            seen.insideNotification = seen.addon->isInsideNotification();
            return false;
        }
    } notified(seen);
    testsupport::ExtraStrings menus({{32000, {"Nest", "Call Back"}}});
    ModuleUnderTest module([&] {
        seen.addon = new CountingAddon();
        seen.addon->add(&callingBack);
        seen.addon->add(&notified);
        return seen.addon;
    });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    seen.host = &module.host();
    ASSERT_EQ(module.host().chooseMenuItem("Nest", "Call Back"), hosterr::Ok);
    EXPECT_EQ(seen.depthInMenu, 1);
    EXPECT_EQ(seen.depthInNotification, 2);
    EXPECT_GE(seen.resetsInMenu, 1);
    EXPECT_EQ(seen.resetsInNotification, seen.resetsInMenu); // no second reset
    EXPECT_EQ(seen.addon->getEntryDepth(), 0);

    // A notification straight from the host runs inside the entry bracket, and the bracket closes.
    module.host().sendProjectNotification(ProjectClose);
    EXPECT_EQ(seen.depthInNotification, 1);
    EXPECT_TRUE(seen.insideNotification);
    EXPECT_FALSE(seen.addon->isInsideNotification());
    EXPECT_EQ(seen.addon->getEntryDepth(), 0);
    module.host().unloadModule();
}

TEST(HostMenus, AnItemReachesOnlyItsMenusSubscriberAndEnablingChangesOnlyBitZeroWhenItDiffers) {
    std::vector<std::string> journal;
    struct MenuAddon : Addon {
        TestMenu first, second;
        MenuAddon(std::vector<std::string>& j) : first(32000, j), second(32010, j) {
            add(&first);
            add(&second);
        }
    };
    testsupport::ExtraStrings menus({{32000, {"First", "One", "Two"}}, {32010, {"Second", "Uno", "Dos"}}});
    ModuleUnderTest module([&] { return new MenuAddon(journal); });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    EXPECT_EQ(module.host().chooseMenuItem("Second", "Dos"), hosterr::Ok);
    EXPECT_EQ(module.host().chooseMenuItem("First", "One"), hosterr::Ok);
    EXPECT_EQ(journal, (std::vector<std::string>{"menu 32010/2", "menu 32000/1"}));

    struct Case {
        int32_t flags;
        bool enabled;
        int32_t expected;
        bool written;
    };
    const Case cases[] = {
        {0x0, false, 0x1, true},       {0x1, true, 0x0, true},
        {0x6, false, 0x7, true},       {0x7, true, 0x6, true},
        {0x7FFE, false, 0x7FFF, true}, {int32_t(0x80000001), true, int32_t(0x80000000), true},
        {0x0, true, 0x0, false},       {0x1, false, 0x1, false},
        {0xF0, true, 0xF0, false},     {0xF1, false, 0xF1, false},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(module.host().setMenuItemFlags(32000, 1, c.flags), hosterr::Ok);
        size_t before = module.host().calls().size();
        EXPECT_TRUE(Host::setMenuItemEnabled(32000, 1, c.enabled)) << c.flags << " " << c.enabled;
        int32_t flags = -1;
        ASSERT_EQ(module.host().getMenuItemFlags(32000, 1, &flags), hosterr::Ok);
        EXPECT_EQ(flags, c.expected) << c.flags << " " << c.enabled;
        EXPECT_EQ(module.host().calls().contains("SetMenuItemFlags", before), c.written)
            << c.flags << " " << c.enabled;
    }
    // A menu the module never registered, or an item outside its menu: the host refuses, and the
    // Host says so.
    EXPECT_FALSE(Host::setMenuItemEnabled(32500, 10, false));
    for (int32_t outside : {0, 3, -1})
        EXPECT_FALSE(Host::setMenuItemEnabled(32000, outside, false)) << outside;
    int32_t flags = -1;
    ASSERT_EQ(module.host().getMenuItemFlags(32000, 2, &flags), hosterr::Ok);
    EXPECT_EQ(flags, 0);
}

TEST(ModuleEntries, WithoutAProductTheModuleDeclinesAndExportsNoResources) {
    const ProductHooks installed = getProduct();
    installProduct(ProductHooks());
    EXPECT_NE(createProductAddon(nullptr), hosterr::Ok);
    EXPECT_EQ(destroyProductAddon(), hosterr::Ok);
    reportProductError(); // nothing to report to, and no crash
    ModuleExports exports;
    exports.size = sizeof exports;
    EXPECT_EQ(GetExportedFuncAddrs(&exports), hosterr::Ok);
    EXPECT_EQ(exports.resources, nullptr);
    installProduct(installed);
}

namespace {

// The module's four entries, each watched: the host's entry flag is read the moment it returns.
struct EntryWatch {
    static inline ModuleExports module;
    static inline zavhost::StandInHost* host = nullptr;
    static inline std::vector<std::pair<std::string, bool>> flagAfter;

    static void note(const char* entry) { flagAfter.emplace_back(entry, host->entryFlag()); }
    static int32_t check(HostEnvironment* environment) {
        int32_t kind = module.CheckEnvironment(environment);
        note("check");
        return kind;
    }
    static GSErrCode registerInterface() {
        GSErrCode err = module.RegisterInterface();
        note("register");
        return err;
    }
    static GSErrCode initialize() {
        GSErrCode err = module.Initialize();
        note("initialize");
        return err;
    }
    static GSErrCode release() {
        GSErrCode err = module.FreeData();
        note("release");
        return err;
    }
    static GSErrCode exports(ModuleExports* exports) {
        GSErrCode err = GetExportedFuncAddrs(exports);
        module = *exports;
        exports->CheckEnvironment = &check;
        exports->RegisterInterface = &registerInterface;
        exports->Initialize = &initialize;
        exports->FreeData = &release;
        return err;
    }
    static GSErrCode attach(zavhost::StandInHost& watched) {
        host = &watched;
        flagAfter.clear();
        return watched.attachModule(&exports, &SetImportedFuncAddrs);
    }
};

using FlagLog = std::vector<std::pair<std::string, bool>>;

// Reads the host's entry flag while each phase runs.
struct FlagReader : Subscriber {
    zavhost::StandInHost& host;
    FlagLog& seen;
    FlagReader(zavhost::StandInHost& h, FlagLog& s) : host(h), seen(s) {}
    void getEventTypes(std::vector<EventType>&) const override {}
    bool receive(Event&) override { return false; }
    bool checkEnvironment() override { return note("check"); }
    bool registerInterface() override { return note("register"); }
    bool initialize() override { return note("initialize"); }
    bool note(const char* phase) {
        seen.emplace_back(phase, host.entryFlag());
        return true;
    }
};

} // namespace

TEST(EntryFlag, IsSetWhileEachEntryRunsAndClearedWhenItReturns) {
    zavhost::StandInHost host;
    host.newProject("Flags");
    FlagLog inside;
    FlagReader reader(host, inside);
    testsupport::setAddonFactory([&] {
        auto* addon = new Addon();
        addon->add(&reader);
        return addon;
    });
    ASSERT_EQ(EntryWatch::attach(host), hosterr::Ok) << host.lastError();
    EXPECT_EQ(inside, (FlagLog{{"check", true}, {"register", true}, {"initialize", true}}));
    host.sendProjectNotification(ProjectSave);
    EXPECT_FALSE(host.entryFlag()); // after a host call back into the module too
    EXPECT_EQ(host.unloadModule(), hosterr::Ok);
    EXPECT_EQ(EntryWatch::flagAfter,
              (FlagLog{{"check", false}, {"register", false}, {"initialize", false}, {"release", false}}));
    testsupport::setAddonFactory(nullptr);
}

TEST(EntryFlag, IsClearedWhenAnEntryEndsInAnException) {
    const int before = testsupport::reportedErrors();
    for (const char* phase : {"register", "initialize"}) {
        zavhost::StandInHost host;
        std::vector<std::string> journal;
        testsupport::setAddonFactory([&] { return new JournalAddon(journal, phase); });
        EXPECT_NE(EntryWatch::attach(host), hosterr::Ok) << phase;
        FlagLog wanted{{"check", false}, {"register", false}};
        if (std::string(phase) == "initialize") wanted.emplace_back("initialize", false);
        wanted.emplace_back("release", false); // the host releases a module that failed to start
        EXPECT_EQ(EntryWatch::flagAfter, wanted) << phase;
    }
    {
        zavhost::StandInHost host;
        testsupport::setAddonFactory(nullptr);
        testsupport::failNextCreate(true);
        EXPECT_NE(EntryWatch::attach(host), hosterr::Ok);
        EXPECT_EQ(EntryWatch::flagAfter, (FlagLog{{"check", false}}));
    }
    {
        zavhost::StandInHost host;
        ASSERT_EQ(EntryWatch::attach(host), hosterr::Ok) << host.lastError();
        testsupport::failNextDestroy(true);
        EXPECT_EQ(host.unloadModule(), hosterr::Internal);
        EXPECT_EQ(EntryWatch::flagAfter.back(), (std::pair<std::string, bool>{"release", false}));
    }
    EXPECT_EQ(testsupport::reportedErrors(), before + 4);
    testsupport::setAddonFactory(nullptr);
}

TEST(EntryFlag, StaysSetUntilTheOutermostHostCallReturnsAndIsClearedAfterOneThatThrew) {
    struct Seen {
        zavhost::StandInHost* host = nullptr;
        bool afterCallBack = false;
    } seen;
    // A menu command that makes the host call back, and one that throws.
    struct Menu : MenuSubscriber {
        Seen& seen;
        explicit Menu(Seen& s) : MenuSubscriber(32000, 32001, 17, 0), seen(s) {}
        bool handleMenu(MenuEvent& event) override {
            if (event.getItemIndex() == 2) throw std::runtime_error("menu");
            seen.host->sendProjectNotification(ProjectSave);
            seen.afterCallBack = seen.host->entryFlag();
            return true;
        }
    } menu(seen);
    // Forgetting the cached host state throws when asked to.
    struct Resetting : Addon {
        bool throwOnReset = false;
        void resetHost() override {
            if (throwOnReset) throw std::runtime_error("reset");
            Addon::resetHost();
        }
    };
    Resetting* addon = nullptr;
    testsupport::ExtraStrings menus({{32000, {"Flags", "Call Back", "Throw"}}});
    ModuleUnderTest module([&] {
        addon = new Resetting();
        addon->add(&menu);
        return addon;
    });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    seen.host = &module.host();
    const int before = testsupport::reportedErrors();

    ASSERT_EQ(module.host().chooseMenuItem("Flags", "Call Back"), hosterr::Ok);
    EXPECT_TRUE(seen.afterCallBack); // the inner call returned; the outer one still runs
    EXPECT_FALSE(module.host().entryFlag());

    EXPECT_EQ(module.host().chooseMenuItem("Flags", "Throw"), hosterr::Internal);
    EXPECT_FALSE(module.host().entryFlag());
    EXPECT_EQ(addon->getEntryDepth(), 0);

    addon->throwOnReset = true;
    EXPECT_EQ(module.host().chooseMenuItem("Flags", "Call Back"), hosterr::Failed);
    EXPECT_FALSE(module.host().entryFlag());
    EXPECT_EQ(addon->getEntryDepth(), 0);
    addon->throwOnReset = false;
    EXPECT_EQ(testsupport::reportedErrors(), before + 1); // the menu's; the reset's goes to the add-on
    module.host().unloadModule();
    EXPECT_FALSE(module.host().entryFlag());
}
