// The palette's one instance always has an owner: the add-on's tools once start-up took it, the
// palette itself before that (asked for before start-up or after release), and the product's
// release deletes it either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Environment/Addon.h"
#include "Environment/HostEvent.h"
#include "Environment/ModuleEntry.h"
#include "annotation/AnnotationList.h"
#include "annotation/AnnotationPalette.h"
#include "annotation/ZAVLinkAddon.h"
#include "platform/host/StandInHost.h"

using namespace tarnwick;
using zavlink::AnnotationPalette;
using zavlink::ZAVLinkAddon;

namespace {

class PaletteInstance : public ::testing::Test {
protected:
    PaletteInstance() { SetImportedFuncAddrs(&host.functionTable()); }
    ~PaletteInstance() override {
        if (getAddon() != nullptr) static_cast<void>(zavlink::destroyAddon());
        AnnotationPalette::releaseInstance();
        SetImportedFuncAddrs(nullptr);
    }
    static ZAVLinkAddon* product() { return dynamic_cast<ZAVLinkAddon*>(getAddon()); }
    static bool inTools(const Subscriber* tool) {
        const ZAVLinkAddon::ToolList& tools = product()->getTools();
        return std::find(tools.begin(), tools.end(), tool) != tools.end();
    }

    zavhost::StandInHost host;
};

} // namespace

TEST_F(PaletteInstance, OneAskedForAfterReleaseIsDeletedByTheNextRelease) {
    ASSERT_EQ(zavlink::createAddon(nullptr), 0);
    ASSERT_EQ(zavlink::destroyAddon(), 0);
    EXPECT_EQ(AnnotationPalette::findInstance(), nullptr); // it went with the tools

    AnnotationPalette* late = AnnotationPalette::getInstance();
    ASSERT_NE(late, nullptr);
    EXPECT_EQ(AnnotationPalette::getInstance(), late);
    EXPECT_EQ(AnnotationPalette::findInstance(), late);

    EXPECT_EQ(zavlink::destroyAddon(), 0);
    EXPECT_EQ(AnnotationPalette::findInstance(), nullptr);
}

TEST_F(PaletteInstance, OneMadeBeforeStartUpJoinsTheToolsHearsResetsAndGoesWithThem) {
    AnnotationPalette* early = AnnotationPalette::getInstance();
    ASSERT_EQ(zavlink::createAddon(nullptr), 0);
    ASSERT_NE(product(), nullptr);
    EXPECT_TRUE(inTools(early));
    EXPECT_TRUE(product()->hasSubscriber(early));
    EXPECT_EQ(AnnotationPalette::takeInstance(), nullptr); // the tools have it
    EXPECT_EQ(AnnotationPalette::getInstance(), early);

    // Made while no add-on was there, it still hears that the project's packages were reloaded.
    auto list = std::make_unique<zavlink::AnnotationList>();
    list->push_back(zavlink::Annotation());
    early->showList(std::move(list), zavlink::PaletteMode::AllFound);
    ProjectEvent loaded(static_cast<uint32_t>(ProjectEvent::PackagesLoaded));
    static_cast<void>(product()->publish(loaded));
    ASSERT_NE(early->getList(), nullptr);
    EXPECT_EQ(early->getList()->size(), 0u);

    ASSERT_EQ(zavlink::destroyAddon(), 0);
    EXPECT_EQ(AnnotationPalette::findInstance(), nullptr);
}

TEST_F(PaletteInstance, StartUpMakesOneForItsToolsAndAnotherStartUpAfterReleaseMakesANewOne) {
    ASSERT_EQ(AnnotationPalette::findInstance(), nullptr);
    ASSERT_EQ(zavlink::createAddon(nullptr), 0);
    AnnotationPalette* first = AnnotationPalette::findInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(inTools(first));
    ASSERT_EQ(zavlink::destroyAddon(), 0);
    EXPECT_EQ(AnnotationPalette::findInstance(), nullptr);

    ASSERT_EQ(zavlink::createAddon(nullptr), 0);
    AnnotationPalette* second = AnnotationPalette::findInstance();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(inTools(second));
    EXPECT_EQ(AnnotationPalette::getInstance(), second);
}
