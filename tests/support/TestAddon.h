// A module under test: the framework linked into the test program, attached in-process to the
// stand-in host, with an add-on object the test makes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Environment/Addon.h"
#include "Environment/HostSubscribers.h"
#include "platform/api/Resources.h"
#include "platform/host/StandInHost.h"

namespace testsupport {

// The add-on the next module start makes (a plain Addon when none is set).
void setAddonFactory(std::function<tarnwick::Addon*()> factory);
// Makes the next start, or release, throw.
void failNextCreate(bool fail);
void failNextDestroy(bool fail);
// Runs inside the next release, after the add-on is deleted, as a product's own clean-up would.
void onNextDestroy(std::function<void()> work);
int reportedErrors(); // how often the module reported an internal error

// While it lives, the module's resources are its own plus these string lists (item texts from 1).
class ExtraStrings {
public:
    explicit ExtraStrings(std::vector<std::pair<int32_t, std::vector<std::string>>> lists);
    ~ExtraStrings();
    ExtraStrings(const ExtraStrings&) = delete;
    ExtraStrings& operator=(const ExtraStrings&) = delete;

private:
    std::vector<std::vector<unsigned char>> m_blobs;
    std::vector<ResourceEntry> m_entries;
    ResourceModule m_module;
};

// Host plus module, attached on construction and released on destruction.
class ModuleUnderTest {
public:
    explicit ModuleUnderTest(std::function<tarnwick::Addon*()> factory = nullptr, bool withProject = true);
    ~ModuleUnderTest();
    zavhost::StandInHost& host() { return m_host; }
    GSErrCode attachResult() const { return m_attach; }
    // Attaches the module again when it is not loaded (a played scenario unloads it at its end);
    // the project stays as the scenario left it.
    GSErrCode reattach();

private:
    zavhost::StandInHost m_host;
    GSErrCode m_attach = 0;
};

// Runs the body as one undoable step of the host, as the product runs its changes (the host
// refuses changes outside one); answers whether the step succeeded.
bool runAsStep(const std::function<bool()>& body, const char* name = "Test Change");

// A subscriber that writes what reaches it into a shared journal.
class RecordingSubscriber : public virtual tarnwick::Subscriber {
public:
    RecordingSubscriber(std::string name, std::vector<std::string>& journal,
                        std::vector<tarnwick::EventType> types = {}, bool answer = false)
        : m_name(std::move(name)), m_journal(journal), m_types(std::move(types)), m_answer(answer) {}
    void getEventTypes(std::vector<tarnwick::EventType>& types) const override {
        types.insert(types.end(), m_types.begin(), m_types.end());
    }
    bool receive(tarnwick::Event&) override {
        m_journal.push_back(m_name + ":receive");
        return m_answer;
    }
    bool checkEnvironment() override { return note("check"); }
    bool registerInterface() override { return note("register"); }
    bool initialize() override { return note("initialize"); }

private:
    bool note(const char* phase) {
        m_journal.push_back(m_name + ":" + phase);
        return true;
    }
    std::string m_name;
    std::vector<std::string>& m_journal;
    std::vector<tarnwick::EventType> m_types;
    bool m_answer;
};

} // namespace testsupport
