// The product's add-on object: start-up and its failure, the tools' lives and their order, the
// exchange folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Environment/Directory.h"
#include "Environment/Host.h"
#include "Environment/ModuleEntry.h"
#include "Environment/ModuleRegistry.h"
#include "annotation/AnnotationMenu.h"
#include "annotation/Communicator.h"
#include "annotation/DisplayTools.h"
#include "annotation/PlaceAnnotation.h"
#include "annotation/PlaceLabel.h"
#include "annotation/RestoreIgnored.h"
#include "annotation/ReviewAnnotation.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ZAVLinkAddon.h"
#include "annotation/ZAVLinkPrefs.h"
#include "platform/api/HostErrors.h"
#include "platform/host/StandInHost.h"
#include "platform/io/FileSystem.h"
#include "platform/io/SpecialFolders.h"
#include "project/Project.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using zavlink::ZAVLinkAddon;

namespace {

GSErrCode moduleStart = 0;

// Where the first tool of that class stands in the list; the list's size when none does.
template <class Tool> size_t placeOf(const ZAVLinkAddon::ToolList& tools) {
    for (size_t i = 0; i < tools.size(); ++i)
        if (dynamic_cast<Tool*>(tools[i]) != nullptr) return i;
    return tools.size();
}

GSErrCode failingModule() {
    return moduleStart;
}

// A tool that notes its deletion, whether it was still subscribed then, and publishes on its way
// out so that a subscriber left behind would be reached.
class DyingTool : public Subscriber {
public:
    static constexpr uint32_t Kind = fourCC("TEST");
    DyingTool(std::string name, Addon*& addon, std::vector<std::string>& journal)
        : m_name(std::move(name)), m_addon(addon), m_journal(journal) {}
    ~DyingTool() override {
        m_journal.push_back(m_name + (m_addon->hasSubscriber(this) ? " subscribed" : " gone") + " of " +
                            std::to_string(m_addon->getSubscriberCount()));
        Event last({zavlink::ProductSource, Kind});
        m_addon->publish(last);
    }
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back({zavlink::ProductSource, Kind});
    }
    bool receive(Event&) override {
        m_journal.push_back(m_name + " heard");
        return false;
    }

private:
    std::string m_name;
    Addon*& m_addon;
    std::vector<std::string>& m_journal;
};

// A host with its function table handed to the framework, and no module attached.
class BareHost : public ::testing::Test {
protected:
    BareHost() { SetImportedFuncAddrs(&host.functionTable()); }
    ~BareHost() override {
        if (getAddon() != nullptr) (void)zavlink::destroyAddon();
        SetImportedFuncAddrs(nullptr);
    }
    zavhost::StandInHost host;
};

} // namespace

using AddonStart = BareHost;

TEST_F(AddonStart, AFailingModuleStartLeavesNoAddonAndNoTool) {
    registerModule({"failing first", &failingModule, nullptr});
    moduleStart = hosterr::Failed;
    EXPECT_EQ(zavlink::createAddon(nullptr), hosterr::Failed);
    moduleStart = 0;
    EXPECT_EQ(getAddon(), nullptr);
    EXPECT_FALSE(modulesInitialised());
}

TEST_F(AddonStart, StartUpMakesTheToolsInOrderSubscribesThemAndRegistersThePreferences) {
    ASSERT_EQ(zavlink::createAddon(nullptr), 0);
    auto* addon = dynamic_cast<ZAVLinkAddon*>(getAddon());
    ASSERT_NE(addon, nullptr);
    EXPECT_EQ(addon->getName(), String("ZAV Link"));
    const ZAVLinkAddon::ToolList& tools = addon->getTools();
    ASSERT_GE(tools.size(), 3u);
    EXPECT_NE(dynamic_cast<zavlink::AnnotationMenu*>(tools[0]), nullptr);
    EXPECT_NE(dynamic_cast<zavlink::AboutDialog*>(tools[1]), nullptr);
    EXPECT_NE(dynamic_cast<zavlink::Communicator*>(tools[2]), nullptr);
    // The rest in their order: Select Specification stores a path before the change handler, made
    // last, reads it.
    const size_t order[] = {placeOf<zavlink::DisplayClause>(tools),
                            placeOf<zavlink::DisplayGuidance>(tools),
                            placeOf<zavlink::DisplayManufacturer>(tools),
                            placeOf<zavlink::PlaceAnnotation>(tools),
                            placeOf<zavlink::PlaceLabel>(tools),
                            placeOf<zavlink::RestoreIgnored>(tools),
                            placeOf<zavlink::ReviewAnnotation>(tools),
                            placeOf<zavlink::SelectSpecification>(tools),
                            tools.size() - 1};
    EXPECT_EQ(order[0], 3u);
    EXPECT_EQ(std::adjacent_find(std::begin(order), std::end(order), std::greater_equal<size_t>()),
              std::end(order));
    EXPECT_NE(dynamic_cast<zavlink::SpecificationChangeHandler*>(tools[tools.size() - 1]), nullptr);
    for (Subscriber* tool : tools)
        EXPECT_TRUE(addon->hasSubscriber(tool));
    EXPECT_TRUE(addon->isPackageRegistered(zavlink::ZAVLinkPrefs::Code, 0));
    EXPECT_FALSE(addon->isPackageRegistered(zavlink::ZAVLinkPrefs::Code, 1));

    EXPECT_EQ(zavlink::destroyAddon(), 0);
    EXPECT_EQ(getAddon(), nullptr);
    EXPECT_FALSE(modulesInitialised());
}

TEST(AddonRelease, DeletesTheToolsInCreationOrderEachUnsubscribedFirst) {
    std::vector<std::string> journal;
    Addon* addon = nullptr;
    auto* product = new ZAVLinkAddon();
    addon = product;
    product->addTool(std::make_unique<DyingTool>("first", addon, journal));
    product->addTool(std::make_unique<DyingTool>("second", addon, journal));
    product->addTool(std::make_unique<DyingTool>("third", addon, journal));
    product->startUp(); // the product's own tools come after these three
    const size_t all = product->getTools().size();
    ASSERT_EQ(product->getSubscriberCount(), all);

    delete product;
    // Each is out of the subscribers when it goes; what it publishes reaches only the later ones.
    auto gone = [&](const char* name, size_t left) { return name + (" gone of " + std::to_string(left)); };
    EXPECT_EQ(journal,
              (std::vector<std::string>{gone("first", all - 1), "second heard", "third heard",
                                        gone("second", all - 2), "third heard", gone("third", all - 3)}));
}

TEST(AddonRelease, LabelElementTakesItsEditSubscribersAwayBeforeTheyGo) {
    testsupport::ModuleUnderTest module;
    Addon* addon = getAddon();
    ASSERT_NE(addon, nullptr);
    const size_t before = addon->getSubscriberCount();
    {
        zavlink::PlaceLabel tool;
        EXPECT_EQ(addon->getSubscriberCount(), before + 4);
        std::vector<EventType> types;
        tool.getEventTypes(types);
        ASSERT_EQ(types.size(), 1u);
        EXPECT_EQ(types[0].kind, fourCC("LABE"));
    }
    EXPECT_EQ(addon->getSubscriberCount(), before);
}

// The exchange folder, under a host root the test chooses.
class ExchangeFolder : public ::testing::Test {
protected:
    ExchangeFolder() {
        const char* home = std::getenv("ZAVHOST_HOME");
        m_home = home != nullptr ? home : "";
        // A root per test: ctest runs the tests of one executable side by side.
        m_root = IO::GetHostRoot().ToPath() + "/exchange-folder-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
        std::filesystem::create_directories(m_root);
        setHome(m_root);
    }
    ~ExchangeFolder() override { setHome(m_home); }
    static void setHome(const std::string& path) { ::setenv("ZAVHOST_HOME", path.c_str(), 1); }
    std::string folderPath() const { return m_root + "/User Data/ZAV Link"; }

    testsupport::ModuleUnderTest module; // the product's string lists
    ZAVLinkAddon addon;
    std::string m_home;
    std::string m_root;
};

TEST_F(ExchangeFolder, IsMadeWhenMissingAndFoundWhenThere) {
    ASSERT_FALSE(std::filesystem::exists(folderPath()));
    std::unique_ptr<Directory> made = addon.exchangeFolder();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(std::filesystem::is_directory(folderPath()));
    EXPECT_EQ(made->getPath(), String(folderPath()));

    std::ofstream(folderPath() + "/ZAVFlag.txt") << "kept";
    std::unique_ptr<Directory> found = addon.exchangeFolder();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->getPath(), String(folderPath()));
    EXPECT_TRUE(std::filesystem::exists(folderPath() + "/ZAVFlag.txt")); // found, not made anew

    // The framework's scope-1 preferences live there too.
    std::unique_ptr<Directory> scope1 = addon.getScope1Folder();
    ASSERT_NE(scope1, nullptr);
    EXPECT_EQ(scope1->getPath(), String(folderPath()));
}

TEST_F(ExchangeFolder, IsNullWhenAFileIsInTheWay) {
    std::filesystem::create_directories(m_root + "/User Data");
    std::ofstream(folderPath()) << "not a folder";
    EXPECT_EQ(addon.exchangeFolder(), nullptr);
}

TEST_F(ExchangeFolder, IsNullWithoutAUserDataFolder) {
    std::ofstream(m_root + "/plain-file") << "x";
    setHome(m_root + "/plain-file/below"); // the user data folder cannot be made
    EXPECT_EQ(addon.exchangeFolder(), nullptr);
}

// An internal error, reported by the entries or by the add-on's own hook, is one error alert
// with the default headline and the product's message.
TEST(AddonErrors, AreReportedAsOneErrorAlertWithTheProductsMessage) {
    testsupport::ModuleUnderTest module;
    ZAVLinkAddon addon;
    const String message = Host::getResourceString(zavlink::ErrorTexts, 1);
    ASSERT_NE(message.find(String("<support@zavlink.example>")), String::npos);
    zavlink::reportInternalError();
    addon.onException();
    const auto& shown = module.host().alerts().shown();
    ASSERT_EQ(shown.size(), 2u);
    for (const auto& alert : shown) {
        EXPECT_EQ(alert.headline, "Error");
        EXPECT_EQ(alert.message, message.bytes());
    }
}
