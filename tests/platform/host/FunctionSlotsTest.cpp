// The function table's slots by name, and a module loaded without some of them.
#include "platform/host/FunctionSlots.h"
#include "HostTestSupport.h"

using namespace zavhost;

TEST(FunctionSlots, EverySlotHasItsNameAndCanBeEmptied) {
    const std::vector<std::string>& names = functionSlotNames();
    ASSERT_EQ(names.size(), 106u);
    EXPECT_EQ(names.front(), "DatabaseCall");
    EXPECT_EQ(names.back(), "Get3DInfo");
    HostFunctionTable table;
    fillFunctionTable(&table);
    for (const std::string& name : names) {
        EXPECT_TRUE(functionSlotFilled(table, name)) << name;
        HostFunctionTable partial = table;
        ASSERT_TRUE(clearFunctionSlot(partial, name)) << name;
        EXPECT_FALSE(functionSlotFilled(partial, name)) << name;
        // Only that slot went.
        int filled = 0;
        for (const std::string& other : names)
            filled += functionSlotFilled(partial, other) ? 1 : 0;
        EXPECT_EQ(filled, static_cast<int>(names.size()) - 1) << name;
        EXPECT_EQ(partial.size, table.size);
    }
    for (const char* unknown : {"", "runUndoableCommand", "Nothing", "size", "CheckEnvironment"}) {
        EXPECT_FALSE(isFunctionSlot(unknown)) << unknown;
        EXPECT_FALSE(clearFunctionSlot(table, unknown)) << unknown;
    }
}

TEST_F(HostTest, AFunctionTakenAwayIsMissingFromTheTableTheModuleGets) {
    EXPECT_EQ(host.withoutFunction("NoSuchFunction"), hosterr::NotFound);
    ASSERT_EQ(host.withoutFunction("SetModuleData"), hosterr::Ok);
    EXPECT_EQ(host.functionTable().SetModuleData, nullptr);
    ASSERT_EQ(attach(), hosterr::Ok);
    ASSERT_EQ(host.newProject("Partial"), hosterr::Ok);
    EXPECT_EQ(choose(rawmodule::WriteData), hosterr::NotSupplied);
    EXPECT_FALSE(host.project()->model.moduleData.has_value());
    EXPECT_EQ(host.withoutFunction("GetModuleData"), hosterr::Refused);
    EXPECT_NE(host.functionTable().GetModuleData, nullptr);
    host.unloadModule();
}
