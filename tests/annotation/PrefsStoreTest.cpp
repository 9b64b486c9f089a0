// The project preferences as the tools meet them: one package in the project's store, changed in
// place, saved with the project's module data and read back when it opens again.
#include <gtest/gtest.h>

#include <string>

#include "Environment/Host.h"
#include "annotation/ZAVLinkAddon.h"
#include "annotation/ZAVLinkPrefs.h"
#include "platform/api/HostErrors.h"
#include "platform/host/Project.h"
#include "platform/io/SpecialFolders.h"
#include "project/Project.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using zavlink::ZAVLinkPrefs;

namespace {

class PrefsStore : public ::testing::Test {
protected:
    PrefsStore()
        : module([] {
              auto* addon = new zavlink::ZAVLinkAddon();
              addon->startUp();
              return addon;
          }) {}

    // The package the tools would find, as an entry into the module finds it.
    ZAVLinkPrefs* prefs() {
        Host::reset();
        Project* project = Host::getProject();
        return project ? dynamic_cast<ZAVLinkPrefs*>(project->getPackage(ZAVLinkPrefs::Code)) : nullptr;
    }
    std::string path(const char* name) const { return IO::GetHostRoot().ToPath() + "/" + name; }
    std::string moduleData() {
        const auto* project = module.host().project();
        return project && project->model.moduleData ? *project->model.moduleData : std::string();
    }

    testsupport::ModuleUnderTest module;
};

} // namespace

TEST_F(PrefsStore, AChangeInPlaceSurvivesSaveAndReopenButTheFoundAnnotatorDoesNot) {
    ZAVLinkPrefs* p = prefs();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(prefs(), p); // the stored object itself, which the tools change in place
    EXPECT_FALSE(p->isSpecification);
    p->isSpecification = true;
    p->specificationPath = String("/specs/office.spec");
    p->isReplaceSelectedWarned = false;
    p->annotatorFound = true;
    p->annotatorPath = String("/programs/annotator");

    ASSERT_EQ(module.host().saveProject(path("prefs.zavproj")), hosterr::Ok);
    EXPECT_NE(moduleData().find("<specificationPath>/specs/office.spec</specificationPath>"),
              std::string::npos);
    EXPECT_EQ(moduleData().find("annotator"), std::string::npos);

    ASSERT_EQ(module.host().newProject("Another"), hosterr::Ok);
    ASSERT_NE(prefs(), nullptr);
    EXPECT_FALSE(prefs()->isSpecification); // a new project starts from the defaults

    ASSERT_EQ(module.host().openProject(path("prefs.zavproj")), hosterr::Ok);
    p = prefs();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isSpecification);
    EXPECT_EQ(p->specificationPath, String("/specs/office.spec"));
    EXPECT_FALSE(p->isReplaceSelectedWarned);
    EXPECT_TRUE(p->isReplaceAllWarned);
    EXPECT_TRUE(p->isUpdateSelectedWarned);
    EXPECT_FALSE(p->annotatorFound);
    EXPECT_TRUE(p->annotatorPath.isEmpty());
}
