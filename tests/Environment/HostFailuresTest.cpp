// Failed host answers are noted under the call's name, so that a tool that stops can say which.
#include <gtest/gtest.h>

#include "Environment/HostCalls.h"
#include "Environment/HostFailures.h"
#include "Environment/HostTable.h"
#include "platform/api/HostErrors.h"
#include "platform/host/FunctionSlots.h"
#include "support/TestAddon.h"

using namespace tarnwick;

TEST(HostFailures, AnswersThatTellAStateAreNoFailures) {
    for (GSErrCode state : {hosterr::Ok, hosterr::Cancelled, hosterr::NotFound, hosterr::NoUserData,
                            hosterr::BadGuid, hosterr::BadIndex, hosterr::NoSection, hosterr::SwitchIgnoredOn,
                            hosterr::SwitchIgnoredOff, hosterr::FamilyAnswerA, hosterr::FamilyAnswerB})
        EXPECT_FALSE(isHostFailure(state)) << state;
    for (GSErrCode failure :
         {hosterr::Failed, hosterr::MemoryFull, hosterr::BadParameter, hosterr::NoProject, hosterr::Refused,
          hosterr::BadSelector, hosterr::NotSupplied, hosterr::CommandFailed, hosterr::Internal})
        EXPECT_TRUE(isHostFailure(failure)) << failure;
}

TEST(HostFailures, AWatchSeesOnlyWhatFailsAfterItsMaking) {
    noteHostAnswer("GetElementList", 0, hosterr::Failed);
    const HostFailureWatch watch;
    EXPECT_FALSE(watch.any());
    EXPECT_EQ(watch.last().serial, 0u);
    EXPECT_TRUE(watch.last().call.isEmpty());
    noteHostAnswer("GetElementUserData", 0, hosterr::NoUserData); // a state, not a failure
    EXPECT_FALSE(watch.any());

    noteHostAnswer("SetModuleData", 0, hosterr::Failed);
    noteHostAnswer("DatabaseCall", fourCC("GDAT"), hosterr::BadSelector);
    ASSERT_TRUE(watch.any());
    const HostFailure last = watch.last();
    EXPECT_EQ(last.call, String("GDAT")); // a dispatcher's call goes by its selector
    EXPECT_EQ(last.code, hosterr::BadSelector);
    EXPECT_TRUE(last.isMissing());
    EXPECT_GT(last.serial, 0u);
    EXPECT_FALSE(HostFailureWatch().any());
}

TEST(HostFailures, AFunctionFailedOrMissingIsNotedByItsName) {
    noteHostAnswer("SetModuleData", 0, hosterr::Failed);
    const HostFailureWatch watch;
    noteHostAnswer("SetModuleData", 0, hosterr::Failed);
    EXPECT_EQ(watch.last().call, String("SetModuleData"));
    EXPECT_FALSE(watch.last().isMissing());
    noteHostAnswer("GetElementList", 0, hosterr::NotSupplied);
    EXPECT_EQ(watch.last().call, String("GetElementList"));
    EXPECT_TRUE(watch.last().isMissing());
}

TEST(HostFailures, CallsMadeUnnotedAreNotNoted) {
    const HostFailureWatch watch;
    {
        const UnnotedHostCalls unnoted;
        noteHostAnswer("InterfaceCall", fourCC("SPRP"), hosterr::BadSelector);
        { const UnnotedHostCalls nested; }
        noteHostAnswer("InterfaceCall", fourCC("IPWD"), hosterr::Failed);
    }
    EXPECT_FALSE(watch.any());
    noteHostAnswer("InterfaceCall", fourCC("IPOI"), hosterr::BadSelector);
    EXPECT_EQ(watch.last().call, String("IPOI"));
}

TEST(HostFailures, TheWrappersNoteWhatTheHostAnswers) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    const HostFailureWatch watch;
    HostDatabaseInfo record;
    ASSERT_EQ(ACAPDatabaseCall(fourCC("GDAT"), &record), hosterr::Ok);
    EXPECT_FALSE(watch.any());

    host.faults().set("GDAT", 1, 1, hosterr::BadSelector);
    EXPECT_EQ(ACAPDatabaseCall(fourCC("GDAT"), &record), hosterr::BadSelector);
    EXPECT_EQ(watch.last().call, String("GDAT"));

    host.faults().set("GetAttributeCount", 1, 1, hosterr::MemoryFull);
    uint16_t count = 0;
    EXPECT_EQ(ACAPGetAttributeCount(1, &count), hosterr::MemoryFull);
    EXPECT_EQ(watch.last().call, String("GetAttributeCount"));
    EXPECT_EQ(watch.last().code, hosterr::MemoryFull);

    HostFunctionTable partial = host.functionTable();
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "GetModuleData"));
    installHostTable(&partial);
    GSHandle data = nullptr;
    EXPECT_EQ(ACAPGetModuleData(&data), hosterr::NotSupplied);
    installHostTable(&host.functionTable());
    EXPECT_EQ(watch.last().call, String("GetModuleData"));
    EXPECT_TRUE(watch.last().isMissing());
}

TEST(HostFailures, ADenialIsNotedByItsNameWithoutACodeAndNotWhileUnnoted) {
    const HostFailureWatch watch;
    {
        const UnnotedHostCalls unnoted;
        noteHostDenial("FilterElement");
    }
    EXPECT_FALSE(watch.any());
    noteHostDenial("FilterElement");
    ASSERT_TRUE(watch.any());
    const HostFailure denied = watch.last();
    EXPECT_EQ(denied.call, String("FilterElement"));
    EXPECT_TRUE(denied.denied);
    EXPECT_FALSE(denied.isMissing());
    EXPECT_EQ(denied.code, hosterr::Ok);
    // A failure noted after it is an ordinary one again.
    noteHostAnswer("SetModuleData", 0, hosterr::Failed);
    EXPECT_FALSE(watch.last().denied);
    EXPECT_GT(watch.last().serial, denied.serial);
}

TEST(HostFailures, AHostWithoutTheFilterCallIsNotedAsLackingIt) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    HostFunctionTable partial = host.functionTable();
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "FilterElement"));
    installHostTable(&partial);
    const HostFailureWatch watch;
    const API_Guid guid{};
    EXPECT_FALSE(ACAPFilterElement(&guid, 0, 0, nullptr));
    installHostTable(&host.functionTable());
    EXPECT_EQ(watch.last().call, String("FilterElement"));
    EXPECT_TRUE(watch.last().isMissing());
}
