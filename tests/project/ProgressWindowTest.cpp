#include <gtest/gtest.h>

#include "Environment/ModuleEntry.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Resources.h"
#include "project/ProgressWindow.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;

namespace {
size_t callsTo(zavhost::StandInHost& host, const char* selector, size_t from = 0) {
    return host.calls().count(selector, from);
}
} // namespace

TEST(ProgressWindow, ANestedWindowIsInertAndTheOuterOneKeepsItsState) {
    ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    auto outer = ProgressWindow::create(String("Collecting"), 2);
    ASSERT_TRUE(outer->isOwner());
    outer->setPhase(String("Plans"), 10);
    outer->step();
    size_t mark = host.calls().size();
    {
        auto inner = ProgressWindow::create(String("Inner"), 1);
        EXPECT_FALSE(inner->isOwner());
        inner->setPhase(String("x"), 3);
        inner->step();
        inner->setValue(2);
        EXPECT_FALSE(inner->isCancelled());
    }
    EXPECT_EQ(host.calls().size(), mark); // the inner window sent nothing, not even a close
    EXPECT_TRUE(host.processWindow().state().open);
    EXPECT_EQ(host.processWindow().state().title, "Collecting");
    EXPECT_EQ(host.processWindow().state().value, 1);
    outer.reset();
    EXPECT_FALSE(host.processWindow().state().open);
    auto next = ProgressWindow::create(String("Next"), 1);
    EXPECT_TRUE(next->isOwner());
}

TEST(ProgressWindow, AFailedOpenLeavesTheWindowInert) {
    ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    host.functionTable().InterfaceCall = nullptr;
    SetImportedFuncAddrs(&host.functionTable());
    auto window = ProgressWindow::create(String("Nothing"), 1);
    EXPECT_FALSE(window->isOwner());
    EXPECT_FALSE(ProgressWindow::isWindowOpen());
    window->addPhases(2);
    window->step();
    EXPECT_EQ(callsTo(host, "InterfaceCall"), 0u);
}

TEST(ProgressWindow, CancellationArrivesExactlyAfterTheScriptedPolls) {
    ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    host.processWindow().cancelAfter(2); // two polls answered, the third cancelled
    auto window = ProgressWindow::create(String("Waiting"), 1);
    EXPECT_FALSE(window->isCancelled());
    EXPECT_FALSE(window->isCancelled());
    EXPECT_TRUE(window->isCancelled());
}

TEST(ProgressWindow, AddPhasesSendsOnePhaseOfOneStepEach) {
    ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    auto window = ProgressWindow::create(String("Phases"), 3);
    size_t mark = host.calls().size();
    window->addPhases(0);
    window->addPhases(-1);
    EXPECT_EQ(host.calls().size(), mark);
    window->addPhases(2);
    EXPECT_EQ(callsTo(host, "SPRP", mark), 2u);
    ASSERT_EQ(host.processWindow().state().phases.size(), 2u);
    EXPECT_EQ(host.processWindow().state().phases[1].text, "");
    EXPECT_EQ(host.processWindow().state().phases[1].steps, 1);
}
