// The functions the runtime cannot start without, and what the user is told when one is missing.
#include <gtest/gtest.h>

#include "Environment/HostTable.h"
#include "Environment/RequiredFunctions.h"
#include "platform/host/FunctionSlots.h"
#include "support/TestAddon.h"

using namespace tarnwick;

TEST(RequiredFunctions, AFullTableLacksNothingAndEachMissingOneIsNamed) {
    HostFunctionTable full;
    zavhost::fillFunctionTable(&full);
    EXPECT_TRUE(missingHostFunctions(full).empty());
    std::vector<std::string> required = requiredHostFunctions();
    ASSERT_FALSE(required.empty());
    for (const std::string& name : required) {
        HostFunctionTable partial = full;
        ASSERT_TRUE(zavhost::clearFunctionSlot(partial, name)) << name;
        EXPECT_EQ(missingHostFunctions(partial), std::vector<std::string>{name});
    }
    // Functions the start-up can do without are not asked for.
    HostFunctionTable partial = full;
    for (const char* optional : {"RunUndoableCommand", "GetEditTransformation", "AutomationCall"})
        zavhost::clearFunctionSlot(partial, optional);
    EXPECT_TRUE(missingHostFunctions(partial).empty());
    EXPECT_EQ(missingHostFunctions(HostFunctionTable()), required);
}

TEST(RequiredFunctions, AMissingFunctionIsShownInAnAlert) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    EXPECT_TRUE(requiredFunctionsPresent());
    EXPECT_TRUE(host.alerts().shown().empty());

    HostFunctionTable partial = host.functionTable();
    zavhost::clearFunctionSlot(partial, "GetOwnResModule");
    zavhost::clearFunctionSlot(partial, "SetModuleData");
    installHostTable(&partial);
    EXPECT_FALSE(requiredFunctionsPresent());
    installHostTable(&host.functionTable());
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    const zavhost::ShownAlert& alert = host.alerts().shown().back();
    EXPECT_EQ(alert.headline, "The add-on cannot start");
    EXPECT_NE(alert.message.find("functions the add-on needs: GetOwnResModule, SetModuleData."),
              std::string::npos)
        << alert.message;
}
