// The module's entries, phases and host events, through the stand-in host in this process.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Environment/Host.h"
#include "Environment/HostSubscribers.h"
#include "Environment/ModuleEntry.h"
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

class TestMenu : public MenuSubscriber {
public:
    TestMenu(int32_t list, std::vector<std::string>& journal)
        : MenuSubscriber(list, list + 1, 17, 0), m_journal(journal) {}
    bool handleMenu(MenuEvent& event) override {
        m_journal.push_back("menu " + std::to_string(getMenuResId()) + "/" +
                            std::to_string(event.getItemIndex()));
        return true;
    }

private:
    std::vector<std::string>& m_journal;
};

const zavhost::ShownAlert& lastAlert(zavhost::StandInHost& host) {
    return host.alerts().shown().back();
}

} // namespace

TEST(ModuleEntries, RunInOrderAndThePhasesReachEverySubscriber) {
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
    module.host().unloadModule();
    EXPECT_EQ(getAddon(), nullptr);
}

TEST(ModuleEntries, AnExceptionInAnyEntryShowsTheErrorAlertAndAnswersNeutrally) {
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
}

TEST(ModuleEntries, AMenuItemReachesOnlyTheSubscriberOfItsMenu) {
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
}

TEST(ModuleEntries, HostEventsRunInsideTheEntryBracket) {
    struct DepthWatcher : ProjectSubscriber {
        int depth = -1;
        bool inside = false;
        bool handleProjectEvent(ProjectEvent&) override {
            depth = getAddon()->getEntryDepth();
            inside = getAddon()->isInsideNotification();
            return false;
        }
    };
    DepthWatcher* watcher = nullptr;
    ModuleUnderTest module([&] {
        auto* addon = new Addon();
        watcher = new DepthWatcher();
        addon->add(watcher);
        return addon;
    });
    module.host().sendProjectNotification(ProjectClose);
    EXPECT_EQ(watcher->depth, 1);
    EXPECT_TRUE(watcher->inside);
    EXPECT_FALSE(getAddon()->isInsideNotification());
    EXPECT_EQ(getAddon()->getEntryDepth(), 0);
    module.host().unloadModule();
    delete watcher;
}

TEST(HostMenus, SetMenuItemEnabledChangesOnlyBitZeroAndOnlyWhenItDiffers) {
    ModuleUnderTest module;
    // No menu is registered: the host refuses, and the Host says so.
    EXPECT_FALSE(Host::setMenuItemEnabled(32500, 10, false));
}

TEST(ModuleEntries, AModuleThatDeclinesToLoadTakesItselfDown) {
    struct Declines : RecordingSubscriber {
        using RecordingSubscriber::RecordingSubscriber;
        bool checkEnvironment() override { return false; }
    };
    std::vector<std::string> journal;
    Declines* decliner = nullptr;
    {
        ModuleUnderTest module([&] {
            auto* addon = new Addon();
            decliner = new Declines("decliner", journal);
            addon->add(decliner);
            return addon;
        });
        EXPECT_NE(module.attachResult(), hosterr::Ok);
        EXPECT_FALSE(module.host().moduleLoaded());
        EXPECT_EQ(getAddon(), nullptr); // released by the module itself
    }
    delete decliner;
}
