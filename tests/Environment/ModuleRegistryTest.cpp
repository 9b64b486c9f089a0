// The framework's modules: started in the order registered, ended in reverse, a failed start
// undoes the ones started, and a layer registered twice runs once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Environment/ModuleRegistry.h"
#include "platform/api/HostErrors.h"

using namespace tarnwick;

namespace {
std::vector<std::string> runLog;
GSErrCode failingStart = 0;
// The registry outlives the test: its modules must end well once it is over, or every later test
// in this program that unloads the add-on would see their failure.
GSErrCode failingEnd = 0;

template <char Name> GSErrCode start() {
    runLog.push_back(std::string("start ") + Name);
    return Name == 'c' ? failingStart : 0;
}
template <char Name> GSErrCode end() {
    runLog.push_back(std::string("end ") + Name);
    return Name == 'b' ? failingEnd : 0;
}
} // namespace

TEST(ModuleRegistry, StartsInOrderEndsInReverseAndRegistersALayerOnce) {
    failingEnd = hosterr::Failed;
    registerModule({"a", &start<'a'>, &end<'a'>});
    registerModule({"b", &start<'b'>, &end<'b'>});
    registerModule({"a again", &start<'a'>, &end<'a'>}); // a layer that registers what it stands on
    registerModule({"c", &start<'c'>, &end<'c'>});
    auto mine = [] { return runLog; };

    runLog.clear();
    ASSERT_EQ(initialiseModules(), 0);
    EXPECT_TRUE(modulesInitialised());
    EXPECT_EQ(mine(), (std::vector<std::string>{"start a", "start b", "start c"}));
    runLog.clear();
    EXPECT_EQ(terminateModules(), hosterr::Failed); // every module still ends; the first error is answered
    EXPECT_EQ(mine(), (std::vector<std::string>{"end c", "end b", "end a"}));
    EXPECT_FALSE(modulesInitialised());

    failingStart = hosterr::Failed;
    runLog.clear();
    EXPECT_EQ(initialiseModules(), hosterr::Failed);
    EXPECT_EQ(mine(), (std::vector<std::string>{"start a", "start b", "start c", "end b", "end a"}));
    EXPECT_FALSE(modulesInitialised());
    failingStart = 0;
    failingEnd = 0;
}
