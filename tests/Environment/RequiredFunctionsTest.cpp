// The functions the runtime cannot start without, and what the user is told when one is missing.
#include <gtest/gtest.h>

#include "Environment/AddonHooks.h"
#include "Environment/HostTable.h"
#include "Environment/ModuleEntry.h"
#include "Environment/RequiredFunctions.h"
#include "platform/api/HostErrors.h"
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

namespace {
// While it lives, the product asks for these functions beside the runtime's.
class ProductNeeds {
public:
    explicit ProductNeeds(std::vector<HostFunction> (*needs)()) : m_saved(getProduct()) {
        ProductHooks hooks = m_saved;
        hooks.requiredFunctions = needs;
        installProduct(hooks);
    }
    ~ProductNeeds() { installProduct(m_saved); }
    ProductNeeds(const ProductNeeds&) = delete;
    ProductNeeds& operator=(const ProductNeeds&) = delete;

private:
    ProductHooks m_saved;
};

std::vector<HostFunction> observerAndMemos() {
    return {TARNWICK_HOST_FUNCTION(InstallElementObserver), TARNWICK_HOST_FUNCTION(GetElementMemo),
            TARNWICK_HOST_FUNCTION(SetModuleData)};
}
} // namespace

TEST(RequiredFunctions, AProductAddsWhatItsToolsNeedAndEachIsNamedOnce) {
    const std::vector<std::string> runtimeOnly = requiredHostFunctions();
    const ProductNeeds needs(&observerAndMemos);
    std::vector<std::string> all = requiredHostFunctions();
    ASSERT_EQ(all.size(), runtimeOnly.size() + 3);
    EXPECT_EQ(all[runtimeOnly.size()], "InstallElementObserver");
    EXPECT_EQ(all[runtimeOnly.size() + 1], "GetElementMemo");

    HostFunctionTable full;
    zavhost::fillFunctionTable(&full);
    EXPECT_TRUE(missingHostFunctions(full).empty());
    HostFunctionTable partial = full;
    zavhost::clearFunctionSlot(partial, "InstallElementObserver");
    EXPECT_EQ(missingHostFunctions(partial), std::vector<std::string>{"InstallElementObserver"});
    // Asked for by both, missed once.
    zavhost::clearFunctionSlot(partial, "SetModuleData");
    EXPECT_EQ(missingHostFunctions(partial),
              (std::vector<std::string>{"SetModuleData", "InstallElementObserver"}));
}

TEST(RequiredFunctions, AProductFunctionMissingIsShownAndStopsTheStart) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    const ProductNeeds needs(&observerAndMemos);
    HostFunctionTable partial = host.functionTable();
    zavhost::clearFunctionSlot(partial, "InstallElementObserver");
    installHostTable(&partial);
    EXPECT_FALSE(requiredFunctionsPresent());
    installHostTable(&host.functionTable());
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    EXPECT_NE(
        host.alerts().shown().back().message.find("a function the add-on needs: InstallElementObserver."),
        std::string::npos)
        << host.alerts().shown().back().message;
}

TEST(RequiredFunctions, AHostThatCannotTakeMemosBackIsToldOfOnce) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    tellFunctionsDoneWithout();
    EXPECT_TRUE(host.alerts().shown().empty());

    HostFunctionTable partial = host.functionTable();
    zavhost::clearFunctionSlot(partial, "DisposeElementMemo");
    installHostTable(&partial);
    tellFunctionsDoneWithout();
    installHostTable(&host.functionTable());
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    const zavhost::ShownAlert& alert = host.alerts().shown().back();
    EXPECT_EQ(alert.type, DGAlertWarning);
    EXPECT_EQ(alert.headline, "Warning");
    EXPECT_NE(alert.message.find("does not provide \"DisposeElementMemo\""), std::string::npos)
        << alert.message;
}

TEST(RequiredFunctions, AHostWithoutDisposeElementMemoGetsTheModuleLoadedWithOneWarning) {
    zavhost::StandInHost host;
    ASSERT_EQ(host.withoutFunction("DisposeElementMemo"), hosterr::Ok);
    ASSERT_EQ(host.newProject("P"), hosterr::Ok);
    ASSERT_EQ(host.attachModule(&GetExportedFuncAddrs, &SetImportedFuncAddrs), hosterr::Ok);
    size_t warnings = 0;
    for (const zavhost::ShownAlert& alert : host.alerts().shown())
        warnings += alert.message.find("DisposeElementMemo") != std::string::npos ? 1 : 0;
    EXPECT_EQ(warnings, 1u);
    EXPECT_EQ(host.unloadModule(), hosterr::Ok);
}

namespace {
const ResourceModule emptyResources{0, nullptr};
GSResModule answerEmptyResources() {
    return &emptyResources;
}
} // namespace

TEST(RequiredFunctions, ResourcesTheModuleCannotReadAreSaidInWordsNotTakenFromThem) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    EXPECT_TRUE(ownResourcesReadable());
    EXPECT_TRUE(host.alerts().shown().empty());

    // The host hands out none, or resources without the texts.
    host.faults().set("GetOwnResModule", 1, 1, hosterr::Failed);
    EXPECT_FALSE(ownResourcesReadable());
    HostFunctionTable emptied = host.functionTable();
    emptied.GetOwnResModule = &answerEmptyResources;
    installHostTable(&emptied);
    EXPECT_FALSE(ownResourcesReadable());
    installHostTable(&host.functionTable());
    ASSERT_EQ(host.alerts().shown().size(), 2u);
    for (const zavhost::ShownAlert& alert : host.alerts().shown()) {
        EXPECT_EQ(alert.type, DGAlertError);
        EXPECT_EQ(alert.headline, "The add-on cannot start");
        EXPECT_NE(alert.message.find("cannot read its own resources"), std::string::npos) << alert.message;
        EXPECT_EQ(alert.buttons[0], "OK");
    }
}

TEST(RequiredFunctions, AHostThatHandsOutNoResourcesDoesNotGetTheModuleLoaded) {
    zavhost::StandInHost host;
    ASSERT_EQ(host.newProject("P"), hosterr::Ok);
    host.faults().set("GetOwnResModule", 1, 1000, hosterr::Failed);
    EXPECT_NE(host.attachModule(&GetExportedFuncAddrs, &SetImportedFuncAddrs), hosterr::Ok);
    EXPECT_FALSE(host.moduleLoaded());
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    EXPECT_EQ(host.alerts().shown().back().headline, "The add-on cannot start");
}
