// Helpers of the project model's tests: changes inside an undoable step, and host-side set-up.
#pragma once

#include "support/TestAddon.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "Environment/Host.h"
#include "Environment/Transaction.h"
#include "platform/api/HostErrors.h"
#include "platform/host/StandInHost.h"
#include "project/Project.h"

namespace projecttest {

// A test with the module attached to a fresh host project.
class HostTest : public ::testing::Test {
protected:
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    size_t mark() const { return host.calls().size(); }
};

// Runs the change as one undoable step of the host (the host refuses changes outside one).
inline bool change(const std::function<bool()>& body) {
    return testsupport::runAsStep(body);
}

inline zavhost::Project& hostProject(zavhost::StandInHost& host) {
    return *host.project();
}

// Adds an attribute straight into the host's tables; answers its index.
inline int16_t addAttribute(zavhost::StandInHost& host, uint8_t type, const std::string& name,
                            const std::function<void(API_Attribute&)>& fill = nullptr) {
    API_Attribute record;
    record.header.typeCode = type;
    std::snprintf(record.header.name, sizeof record.header.name, "%s", name.c_str());
    if (fill) fill(record);
    if (host.project()->model.attributes.create(&record, nullptr) != hosterr::Ok) return 0;
    return record.header.index;
}

// Host calls whose text holds the fragment, from index `from` on.
inline size_t callsWith(zavhost::StandInHost& host, const std::string& fragment, size_t from = 0) {
    return host.calls().count(fragment, from);
}

// Forgets what the project object keeps of the host, as a new host call would.
inline void forget() {
    if (tarnwick::Project* project = tarnwick::Host::getProject()) project->reset();
}

} // namespace projecttest
