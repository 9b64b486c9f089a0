// The annotation tests' helpers: annotation XML as an element's user data holds it, a project set
// up by scenario text on the in-process host, and a progress monitor that records its phases.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Environment/Host.h"
#include "Environment/String.h"
#include "library/LibraryModel.h"
#include "platform/host/Scenario.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/host/StandInHost.h"
#include "project/ProgressWindow.h"
#include "project/Project.h"
#include "support/TestAddon.h"

namespace annotationtest {

struct Clause {
    std::string hidden;
    std::string number = "12";
    std::string section = "F10";
    std::string code = "110";
    std::string revision = "A";
    std::string title = "Brick walling";
    std::string original = "F10/110 Brick walling";
    std::string model = "F10/110 Brick walling";
    bool accepted = false;
};

// The XML of a clause as Place writes it into an element's user data.
inline std::string xmlOf(const Clause& c) {
    std::string xml = "<annotation>";
    auto add = [&xml](const char* name, const std::string& value) {
        xml += std::string("<") + name + ">" + value + "</" + name + ">";
    };
    add("section", c.section);
    add("code", c.code);
    add("number", c.number);
    add("revision", c.revision);
    add("zavTitle", c.title);
    add("hiddenNumber", c.hidden);
    add("originalDisplayTitle", c.original);
    add("modelDisplayTitle", c.model);
    add("hasBeenReassigned", "false");
    if (c.accepted) add("isAccepted", "true");
    return xml + "</annotation>";
}

// Records the phases it is given and the steps taken in each.
class RecordingMonitor : public tarnwick::ProgressMonitor {
public:
    struct Phase {
        std::string text;
        int32_t steps = 0;
        int32_t taken = 0;
    };
    void setPhase(const tarnwick::String& text, int32_t steps) override {
        phases.push_back({text.bytes(), steps, 0});
    }
    void step() override { increment(1); }
    void increment(int32_t count) override {
        if (phases.empty())
            outside += count;
        else
            phases.back().taken += count;
    }
    std::vector<Phase> phases;
    int32_t outside = 0;
};

// The module attached to a fresh host project that scenario lines set up; element labels last the
// whole test. Its add-on registers the drafting kinds at each start, as the product's does: the
// module's release takes them with it.
class HostAnnotations : public ::testing::Test {
protected:
    static tarnwick::Addon* startWithDraftingKinds() {
        tarnwick::registerDraftingElementCreators();
        return new tarnwick::Addon();
    }

    static zavhost::RunOptions options() {
        zavhost::RunOptions options;
        options.homeFolder = ::testing::TempDir() + "annotation-play";
        std::filesystem::create_directories(options.homeFolder);
        return options;
    }

    bool play(const std::string& text) {
        zavhost::ParsedScenario parsed = zavhost::parseScenario(text, {});
        if (!parsed.errors.empty()) {
            ADD_FAILURE() << parsed.errors[0].message;
            return false;
        }
        const bool passed = runner.run(parsed.steps);
        if (!passed) ADD_FAILURE() << "line " << runner.failedLine() << ": " << runner.failure();
        // The scenario's end unloaded the module; it comes back to the project as the lines left it.
        if (module.reattach() != 0) ADD_FAILURE() << "the module did not attach again";
        return passed;
    }

    size_t mark() const { return host.calls().size(); }
    // Host calls since `from` that change an element or its user data.
    size_t writesSince(size_t from) const {
        size_t writes = 0;
        for (const char* call : {"CreateElement", "ChangeElement", "SetElementUserData",
                                 "ClearElementUserData", "DeleteElements", "ElementSwitch"})
            writes += host.calls().count(call, from);
        return writes;
    }

    testsupport::ModuleUnderTest module{&startWithDraftingKinds};
    zavhost::StandInHost& host = module.host();
    zavhost::ScenarioRunner runner{host, options()};
};

} // namespace annotationtest
