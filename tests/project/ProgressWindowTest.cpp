#include <gtest/gtest.h>

#include "Environment/ModuleEntry.h"
#include "ProjectTestSupport.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Resources.h"
#include "project/ProgressWindow.h"
#include "support/TestAddon.h"

using namespace tarnwick;

namespace {
size_t callsTo(zavhost::StandInHost& host, const char* selector, size_t from = 0) {
    return host.calls().count(selector, from);
}
using ProgressWindows = projecttest::HostTest;

} // namespace

TEST_F(ProgressWindows, ANestedWindowIsInertAndTheOuterOneKeepsItsState) {
    auto outer = ProgressWindow::create(String("Collecting"), 2);
    ASSERT_TRUE(outer->isOwner());
    outer->setPhase(String("Plans"), 10);
    outer->step();
    size_t start = mark();
    {
        auto inner = ProgressWindow::create(String("Inner"), 1);
        EXPECT_FALSE(inner->isOwner());
        inner->setPhase(String("x"), 3);
        inner->step();
        inner->setValue(2);
        EXPECT_FALSE(inner->isCancelled());
    }
    EXPECT_EQ(host.calls().size(), start); // the inner window sent nothing, not even a close
    EXPECT_TRUE(host.processWindow().state().open);
    EXPECT_EQ(host.processWindow().state().title, "Collecting");
    EXPECT_EQ(host.processWindow().state().value, 1);
    outer.reset();
    EXPECT_FALSE(host.processWindow().state().open);
    auto next = ProgressWindow::create(String("Next"), 1);
    EXPECT_TRUE(next->isOwner());
}

TEST_F(ProgressWindows, AFailedOpenLeavesTheWindowInert) {
    host.functionTable().InterfaceCall = nullptr;
    SetImportedFuncAddrs(&host.functionTable());
    auto window = ProgressWindow::create(String("Nothing"), 1);
    EXPECT_FALSE(window->isOwner());
    EXPECT_FALSE(ProgressWindow::isWindowOpen());
    window->addPhases(2);
    window->step();
    EXPECT_EQ(callsTo(host, "InterfaceCall"), 0u);
}

TEST_F(ProgressWindows, CancellationArrivesExactlyAfterTheScriptedPolls) {
    host.processWindow().cancelAfter(2); // two polls answered, the third cancelled
    auto window = ProgressWindow::create(String("Waiting"), 1);
    EXPECT_FALSE(window->isCancelled());
    EXPECT_FALSE(window->isCancelled());
    EXPECT_TRUE(window->isCancelled());
}

TEST_F(ProgressWindows, AddPhasesSendsOnePhaseOfOneStepEach) {
    auto window = ProgressWindow::create(String("Phases"), 3);
    size_t start = mark();
    window->addPhases(0);
    window->addPhases(-1);
    EXPECT_EQ(host.calls().size(), start);
    window->addPhases(2);
    EXPECT_EQ(callsTo(host, "SPRP", start), 2u);
    ASSERT_EQ(host.processWindow().state().phases.size(), 2u);
    EXPECT_EQ(host.processWindow().state().phases[1].text, "");
    EXPECT_EQ(host.processWindow().state().phases[1].steps, 1);
}
