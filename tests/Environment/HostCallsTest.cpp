#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "Environment/HostCalls.h"

using tarnwick::installHostTable;

namespace {

int calls = 0;
uint32_t lastSelector = 0;
void* lastArgument = nullptr;

GSErrCode databaseCall(uint32_t selector, void* a, void*, void*) {
    ++calls;
    lastSelector = selector;
    lastArgument = a;
    return 0;
}
GSErrCode environmentCall(uint32_t selector, void*, void*, void*) {
    ++calls;
    lastSelector = selector;
    return 0;
}
GSErrCode interfaceCall(uint32_t, void*, void*, void*, void*, void* e) {
    ++calls;
    lastArgument = e;
    return hosterr::Cancelled;
}
const ResourceModule someResources{};

HostFunctionTable fullTable() {
    HostFunctionTable table;
    table.DatabaseCall = &databaseCall;
    table.EnvironmentCall = &environmentCall;
    table.InterfaceCall = &interfaceCall;
    table.UtilityCall = [](uint32_t, void*, void*, void*) -> GSErrCode { return ++calls, 0; };
    table.AutomationCall = [](uint32_t, void*, void*) -> GSErrCode { return ++calls, 0; };
    table.GetOwnResModule = []() -> GSResModule { return &someResources; };
    table.SetEntryFlag = [](bool) -> GSErrCode { return ++calls, 0; };
    table.GetAttributeCount = [](uint8_t, uint16_t* count) -> GSErrCode {
        *count = 12;
        return ++calls, 0;
    };
    table.IsSharedProject = [] { return true; };
    return table;
}

class HostCalls : public ::testing::Test {
protected:
    void SetUp() override {
        calls = 0;
        lastSelector = 0;
        lastArgument = nullptr;
    }
    void TearDown() override { installHostTable(nullptr); }
};

} // namespace

TEST_F(HostCalls, WithoutATableEveryCallFailsAndDoesNothing) {
    installHostTable(nullptr);
    EXPECT_EQ(hosterr::NotSupplied, static_cast<GSErrCode>(0x81060387));
    const std::vector<GSErrCode> answers = {
        ACAPDatabaseCall(fourCC("GDAT")),       ACAPEnvironmentCall(fourCC("PROJ")),
        ACAPInterfaceCall(fourCC("CANC")),      ACAPUtilityCall(fourCC("NTOE")),
        ACAPAutomationCall(fourCC("CHWD")),     ACAPSetEntryFlag(true),
        ACAPRegisterMenu(1, 2, 3, 4),           ACAPGetAttribute(nullptr),
        ACAPDeleteAttributes(nullptr, nullptr), ACAPGetElementUserData(nullptr, nullptr),
        ACAPReleaseElements(nullptr),           ACAPReserveLockableObject(nullptr, 0, 1),
        ACAPReleaseLockableObject(nullptr, 1)};
    EXPECT_EQ(answers, std::vector<GSErrCode>(answers.size(), hosterr::NotSupplied));

    uint16_t count = 7;
    EXPECT_EQ(ACAPGetAttributeCount(1, &count), hosterr::NotSupplied);
    EXPECT_EQ(count, 7); // untouched
    bool open = true;
    EXPECT_EQ(ACAPHasOpenProject(&open), hosterr::NotSupplied);
    EXPECT_TRUE(open);
    GSHandle data = nullptr;
    EXPECT_EQ(ACAPGetModuleData(&data), hosterr::NotSupplied);
    EXPECT_EQ(data, nullptr);

    EXPECT_EQ(ACAPGetOwnResModule(), nullptr);
    EXPECT_FALSE(ACAPIsSharedProject());
    EXPECT_FALSE(ACAPSharedProjectCall());
    API_Guid guid{1, 2};
    EXPECT_FALSE(ACAPLockableObjectQueryCall(&guid));
    EXPECT_FALSE(ACAPLockableObjectStateCall(&guid));
    EXPECT_EQ(ACAPGetLockableObjectStatus(&guid, 0), 0);
    EXPECT_EQ(ACAPGetLockableObjectGuid(&guid, "LayerSettingsDialog"), hosterr::NotSupplied);
    EXPECT_EQ(guid, API_Guid());
}

TEST_F(HostCalls, SuppliedCallsReachTheHostWithTheirArguments) {
    HostFunctionTable table = fullTable();
    installHostTable(&table);
    int argument = 0;
    EXPECT_EQ(ACAPDatabaseCall(fourCC("GDAT"), &argument), 0);
    EXPECT_EQ(lastSelector, fourCC("GDAT"));
    EXPECT_EQ(lastArgument, &argument);
    EXPECT_EQ(ACAPInterfaceCall(fourCC("CANC"), nullptr, nullptr, nullptr, nullptr, &argument),
              hosterr::Cancelled);
    EXPECT_EQ(lastArgument, &argument);
    uint16_t count = 0;
    EXPECT_EQ(ACAPGetAttributeCount(1, &count), 0);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(ACAPGetOwnResModule(), &someResources);
    EXPECT_TRUE(ACAPIsSharedProject());
    EXPECT_EQ(calls, 3);
}

TEST_F(HostCalls, AMissingSlotFailsOnlyThatCall) {
    HostFunctionTable table = fullTable();
    table.EnvironmentCall = nullptr;
    installHostTable(&table);
    EXPECT_EQ(ACAPEnvironmentCall(fourCC("PROJ")), hosterr::NotSupplied);
    EXPECT_EQ(lastSelector, 0u);
    EXPECT_EQ(ACAPDatabaseCall(fourCC("GWIN")), 0);
    EXPECT_EQ(ACAPUtilityCall(fourCC("NTOE")), 0);
    EXPECT_EQ(ACAPAutomationCall(fourCC("CHWD")), 0);
    EXPECT_EQ(ACAPSetEntryFlag(false), 0);
    EXPECT_EQ(calls, 4);
}

TEST_F(HostCalls, AnOlderSmallerTableLeavesLaterSlotsUnsuppliedAndALargerOneIsCut) {
    HostFunctionTable table = fullTable();
    table.size = offsetof(HostFunctionTable, GetOwnResModule);
    installHostTable(&table);
    EXPECT_EQ(tarnwick::hostTable().size, sizeof(HostFunctionTable));
    EXPECT_EQ(ACAPAutomationCall(fourCC("CHWD")), 0);
    EXPECT_EQ(ACAPGetOwnResModule(), nullptr);
    EXPECT_EQ(ACAPSetEntryFlag(true), hosterr::NotSupplied);
    uint16_t count = 3;
    EXPECT_EQ(ACAPGetAttributeCount(1, &count), hosterr::NotSupplied);
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(ACAPIsSharedProject());
    EXPECT_EQ(calls, 1);

    table.size = offsetof(HostFunctionTable, GetOwnResModule) + 4; // half of a pointer does not supply it
    installHostTable(&table);
    EXPECT_EQ(tarnwick::hostTable().GetOwnResModule, nullptr);
    EXPECT_EQ(ACAPGetOwnResModule(), nullptr);
    EXPECT_EQ(ACAPAutomationCall(fourCC("CHWD")), 0);

    table.size = 2; // unusable: nothing is installed
    installHostTable(&table);
    EXPECT_EQ(ACAPDatabaseCall(fourCC("GDAT")), hosterr::NotSupplied);

    // A newer host's table is longer than ours: what we know of it is used.
    struct Newer {
        HostFunctionTable known;
        void* later[4];
    } newer{fullTable(), {}};
    newer.known.size = sizeof newer;
    installHostTable(&newer.known);
    EXPECT_EQ(ACAPDatabaseCall(fourCC("GDAT")), 0);
    EXPECT_TRUE(ACAPIsSharedProject());
    EXPECT_EQ(tarnwick::hostTable().size, sizeof(HostFunctionTable));
}
