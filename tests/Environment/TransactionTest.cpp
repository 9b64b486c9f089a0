// Transactions through the stand-in host: one undoable step for the outermost, none inside a
// notification, failures reported.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Environment/EditManager.h"
#include "Environment/Host.h"
#include "Environment/HostSubscribers.h"
#include "Environment/HostTable.h"
#include "Environment/ModuleEntry.h"
#include "Environment/Transaction.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Resources.h"
#include "platform/gsroot/DebugPrint.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;

namespace {

class Step : public Transaction {
public:
    explicit Step(const char* name, GSErrCode answer = hosterr::Ok, bool start = true, bool throws = false)
        : Transaction(String(name)), m_answer(answer), m_start(start), m_throws(throws) {}
    bool mayStart() override { return m_start; }
    GSErrCode run() override {
        ++runs;
        if (m_throws) throw std::runtime_error("broken");
        if (inner != nullptr) {
            innerResult = Host::runTransaction(*inner);
            innerId = inner->getId();
        }
        return m_answer;
    }
    void finished(bool success) override { finishedWith = success ? 1 : 0; }

    int runs = 0;
    int finishedWith = -1;
    Transaction* inner = nullptr;
    bool innerResult = false;
    uint32_t innerId = 99;

private:
    GSErrCode m_answer;
    bool m_start;
    bool m_throws;
};

struct ErrorCountingAddon : Addon {
    int exceptions = 0;
    void onException() override { ++exceptions; }
};

size_t undoSteps(zavhost::StandInHost& host) {
    return host.project()->undoSteps.size();
}

} // namespace

TEST(Transaction, TheOutermostRunsAsOneUndoableStepUnderItsName) {
    ModuleUnderTest module;
    Step outer("Place Annotation");
    Step inner("Inner Step");
    outer.inner = &inner;
    EXPECT_TRUE(Host::runTransaction(outer));
    EXPECT_TRUE(outer.innerResult);
    EXPECT_EQ(outer.finishedWith, 1);
    EXPECT_EQ(inner.finishedWith, 1);
    EXPECT_NE(outer.getId(), 0u);
    EXPECT_EQ(outer.innerId, 0u); // a nested one gets no id
    ASSERT_EQ(undoSteps(module.host()), 1u);
    EXPECT_EQ(module.host().project()->undoSteps.back().name, "Place Annotation");

    Step next("Second");
    EXPECT_TRUE(Host::runTransaction(next));
    EXPECT_GT(next.getId(), outer.getId());
    EXPECT_EQ(undoSteps(module.host()), 2u);
}

TEST(Transaction, OneThatDeclinesFailsOrIsRefusedLeavesNoStepAndFailuresReachTheErrorHook) {
    struct Case {
        const char* name;
        GSErrCode answer;
        bool start, withProject, throws, result;
        int runs, finishedWith, exceptions;
    };
    const Case cases[] = {
        {"declines: answers true and runs nothing", hosterr::Ok, false, true, false, true, 0, -1, 0},
        // A run's own failure is the run's to tell; a cancelled one has nothing to tell.
        {"a failing run", hosterr::BadParameter, true, true, false, false, 1, 0, 0},
        {"a cancelled run", hosterr::Cancelled, true, true, false, false, 1, 0, 0},
        {"the host's command failure", hosterr::CommandFailed, true, true, false, false, 1, 0, 1},
        {"no project: the host refuses", hosterr::Ok, true, false, false, false, 0, 0, 1},
        {"an exception in run", hosterr::Ok, true, true, true, false, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ErrorCountingAddon* addon = nullptr;
        ModuleUnderTest module([&] { return addon = new ErrorCountingAddon(); }, c.withProject);
        Step step(c.name, c.answer, c.start, c.throws);
        EXPECT_EQ(Host::runTransaction(step), c.result);
        EXPECT_EQ(step.runs, c.runs);
        EXPECT_EQ(step.finishedWith, c.finishedWith);
        EXPECT_EQ(addon->exceptions, c.exceptions);
        if (c.withProject) {
            EXPECT_EQ(undoSteps(module.host()), 0u);
        }
        EXPECT_FALSE(Host::isTransactionRunning());
    }
}

// Whatever the host answers, a command that did not happen as its run said is reported once.
TEST(Transaction, ACommandTheHostRefusesFailsOrClaimsWithoutRunningItIsReportedOnce) {
    ErrorCountingAddon* addon = nullptr;
    ModuleUnderTest module([&] { return addon = new ErrorCountingAddon(); });
    struct Case {
        const char* name;
        GSErrCode (*command)(const GS::UniString*, UndoableCommandProc, void*);
        int runs;
    };
    const Case cases[] = {
        {"refused", [](const GS::UniString*, UndoableCommandProc, void*) { return hosterr::Refused; }, 0},
        {"claimed, never run", [](const GS::UniString*, UndoableCommandProc, void*) { return hosterr::Ok; },
         0},
        {"run, then failed",
         [](const GS::UniString*, UndoableCommandProc proc, void* data) {
             static_cast<void>(proc(data));
             return hosterr::Failed;
         },
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostFunctionTable table = module.host().functionTable();
        table.RunUndoableCommand = c.command;
        installHostTable(&table);
        const int before = addon->exceptions;
        Step step(c.name);
        EXPECT_FALSE(Host::runTransaction(step));
        EXPECT_EQ(step.runs, c.runs);
        EXPECT_EQ(step.finishedWith, 0);
        EXPECT_EQ(addon->exceptions, before + 1);
        EXPECT_FALSE(Host::isTransactionRunning());
    }
    installHostTable(&module.host().functionTable());

    // The stand-in's own fault: its first command answers an error without running.
    module.host().faults().set("RunUndoableCommand", 1, 1, hosterr::MemoryFull);
    Step refused("Refused");
    EXPECT_FALSE(Host::runTransaction(refused));
    EXPECT_EQ(refused.runs, 0);
    EXPECT_EQ(addon->exceptions, 4);
    EXPECT_EQ(undoSteps(module.host()), 0u);
    Step next("Next");
    EXPECT_TRUE(Host::runTransaction(next));
    EXPECT_EQ(addon->exceptions, 4);
    EXPECT_EQ(undoSteps(module.host()), 1u);
}

TEST(Transaction, IsRefusedInsideANotificationWithTheDebugText) {
    struct StartsOnOpen : ProjectSubscriber {
        bool result = true;
        Step step{"Too Early"};
        bool handleProjectEvent(ProjectEvent& event) override {
            if (event.getNotification() == ProjectOpen) result = Host::runTransaction(step);
            return false;
        }
    };
    StartsOnOpen starter;
    ModuleUnderTest module([&] {
        auto* addon = new Addon();
        addon->add(&starter);
        return addon;
    });
    DBSetQuiet(true);
    DBClearPrintedText();
    module.host().sendProjectNotification(ProjectOpen);
    DBSetQuiet(false);
    EXPECT_FALSE(starter.result);
    EXPECT_EQ(starter.step.runs, 0);
    EXPECT_EQ(undoSteps(module.host()), 0u);
    EXPECT_EQ(DBPrintedText(), "ZAV Link is trying to start a transaction at the wrong time\n");
}

namespace {
// Records what the host asks of a transaction's edit manager, and when the transaction finished.
std::vector<std::string>* editLog = nullptr;

class RecordingWork : public EditManager::Work {
public:
    std::unique_ptr<Work> clone() const override { return std::make_unique<RecordingWork>(); }
    int32_t makeEditable(Element&, bool, bool, bool, bool) override { return 0; }
    void restoreLayers() override { editLog->push_back("restoreLayers"); }
    void relockElements() override { editLog->push_back("relock"); }
    void releaseElements() override { editLog->push_back("release"); }
    bool isTeamwork() const override { return false; }
    Drawing* getDatabase() const override { return nullptr; }
};

class Logged : public Transaction {
public:
    Logged(bool throws, Transaction* inner = nullptr)
        : Transaction(String("Logged")), m_throws(throws), m_inner(inner) {}
    GSErrCode run() override {
        if (m_inner != nullptr) {
            try {
                EXPECT_FALSE(Host::runTransaction(*m_inner));
            } catch (...) {
                editLog->push_back("inner threw");
            }
        }
        if (m_throws) throw std::runtime_error("broken");
        return hosterr::Ok;
    }
    void finished(bool success) override { editLog->push_back(success ? "finished ok" : "finished failed"); }

private:
    bool m_throws;
    Transaction* m_inner;
};
} // namespace

TEST(Transaction, TheModelIsPutBackInOrderHoweverTheRunEnds) {
    struct Case {
        const char* name;
        bool outerThrows;
        bool nested;
        bool innerThrows;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"outermost succeeds", false, false, false, {"relock", "restoreLayers", "release", "finished ok"}},
        {"outermost throws", true, false, false, {"relock", "restoreLayers", "release", "finished failed"}},
        {"nested throws",
         false,
         true,
         true,
         {"relock", "restoreLayers", "release", "finished failed", "inner threw", "relock", "restoreLayers",
          "release", "finished ok"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModuleUnderTest module;
        std::vector<std::string> log;
        editLog = &log;
        EditManager::installWorkMaker(
            [](bool) -> std::unique_ptr<EditManager::Work> { return std::make_unique<RecordingWork>(); });
        Logged inner(c.innerThrows);
        Logged outer(c.outerThrows, c.nested ? &inner : nullptr);
        EXPECT_EQ(Host::runTransaction(outer), !c.outerThrows);
        EXPECT_EQ(log, c.expected);
        EXPECT_FALSE(Host::isTransactionRunning());
        editLog = nullptr;
    }
}

TEST(Transaction, ACopiedEditManagerPutsBackWhatItsOwnCopyRemembers) {
    ModuleUnderTest module;
    std::vector<std::string> log;
    editLog = &log;
    EditManager::installWorkMaker(
        [](bool) -> std::unique_ptr<EditManager::Work> { return std::make_unique<RecordingWork>(); });
    EditManager original(true, false);
    EditManager copy(original);
    EditManager assigned(true, true);
    assigned = original;
    original = EditManager(true, true); // the copies keep their own work
    copy.restore(false);
    assigned.restore(false);
    EXPECT_EQ(log, (std::vector<std::string>{"relock", "restoreLayers", "release", "relock", "restoreLayers",
                                             "release"}));
    EXPECT_FALSE(copy.isAnyDatabase());
    EXPECT_FALSE(assigned.isAnyDatabase());
    EditManager::installWorkMaker(nullptr);
    EditManager nothing(true, true);
    log.clear();
    nothing.restore(true); // without the project model nothing is remembered or put back
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(nothing.getDatabase(), nullptr);
    editLog = nullptr;
}
