// A stand-in host with the raw test module attached in process, for the host's unit tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "RawTestModule.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/host/Scenario.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/host/StandInHost.h"

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        DBSetQuiet(true);
        DBClearPrintedText();
        rawmodule::setDeclineToLoad(false);
    }
    void TearDown() override { rawmodule::setDeclineToLoad(false); }

    GSErrCode attach() {
        return host.attachModule(rawmodule::getExportedFuncAddrs, rawmodule::setImportedFuncAddrs);
    }
    GSErrCode choose(int32_t item) { return host.chooseMenuItem(rawmodule::menuList, item); }
    std::string moduleData() {
        const auto& data = host.project()->model.moduleData;
        return data ? *data : "<none>";
    }

    // Plays a scenario on this host from a home folder of its own; failedLine and failure say
    // where and why it stopped.
    bool play(const std::string& text, zavhost::RunOptions options = {},
              const zavhost::ParseOptions& parse = {}) {
        zavhost::ParsedScenario parsed = zavhost::parseScenario(text, parse);
        if (!parsed.errors.empty()) return ADD_FAILURE() << parsed.errors[0].message, false;
        if (options.homeFolder.empty()) options.homeFolder = ::testing::TempDir() + "host-play";
        std::filesystem::create_directories(options.homeFolder);
        zavhost::ScenarioRunner runner(host, options);
        bool passed = runner.run(parsed.steps);
        failedLine = runner.failedLine();
        failure = runner.failure();
        return passed;
    }

    zavhost::StandInHost host;
    int failedLine = 0;
    std::string failure;
};
