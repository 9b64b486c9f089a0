// Plays a scenario text on a stand-in host in process, from a home folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/host/Scenario.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/host/StandInHost.h"

namespace testsupport {

struct Played {
    bool passed = false;
    int failedLine = 0;
    std::string failure; // why it stopped
};

inline Played playScenario(zavhost::StandInHost& host, const std::string& text,
                           zavhost::RunOptions options = {}, const zavhost::ParseOptions& parse = {}) {
    Played played;
    zavhost::ParsedScenario parsed = zavhost::parseScenario(text, parse);
    if (!parsed.errors.empty()) {
        ADD_FAILURE() << parsed.errors[0].message;
        played.failure = parsed.errors[0].message;
        return played;
    }
    if (options.homeFolder.empty()) options.homeFolder = ::testing::TempDir() + "host-play";
    std::filesystem::create_directories(options.homeFolder);
    zavhost::ScenarioRunner runner(host, options);
    played.passed = runner.run(parsed.steps);
    played.failedLine = runner.failedLine();
    played.failure = runner.failure();
    return played;
}

} // namespace testsupport
