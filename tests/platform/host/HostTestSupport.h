// A stand-in host with the raw test module attached in process, for the host's unit tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "RawTestModule.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/host/StandInHost.h"
#include "support/PlayScenario.h"

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

    // Plays a scenario on this host; failedLine and failure say where and why it stopped.
    bool play(const std::string& text, zavhost::RunOptions options = {},
              const zavhost::ParseOptions& parse = {}) {
        testsupport::Played played = testsupport::playScenario(host, text, std::move(options), parse);
        failedLine = played.failedLine;
        failure = played.failure;
        return played.passed;
    }

    zavhost::StandInHost host;
    int failedLine = 0;
    std::string failure;
};
