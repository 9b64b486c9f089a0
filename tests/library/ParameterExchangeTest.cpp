// Parameters across the host border: handles of additional-parameter records, the host's
// command-parameter lists, and add-on commands that arrive with parameters.
#include <cstring>
#include <string>
#include <vector>

#include "Environment/HostCallbacks.h"
#include "Environment/HostCalls.h"
#include "LibraryTestSupport.h"
#include "library/CommandEvent.h"
#include "library/ParameterKinds.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

using namespace tarnwick;
using namespace librarytest;

namespace {
using ParameterExchange = LibraryFixture;

std::vector<std::string> namesOf(const ParameterList& list) {
    std::vector<std::string> names;
    for (uint64_t i = 0; i < list.getCount(); ++i)
        names.push_back(list.at(i)->getName().bytes());
    return names;
}

zavhost::CommandParameterEntry entry(const char* name, int32_t kind, int32_t integer = 0,
                                     const char* text = "") {
    zavhost::CommandParameterEntry e;
    e.name = name;
    e.kind = kind;
    e.integer = integer;
    e.text = text;
    return e;
}

// A list the host holds, as it hands one to a command.
GSHandle hostList(zavhost::StandInHost& host, std::vector<zavhost::CommandParameterEntry> entries) {
    GSHandle list = host.commandLists().make();
    *host.commandLists().find(list) = std::move(entries);
    return list;
}

// A parameter whose record cannot be made.
class Unwritable : public RealParameter {
public:
    using RealParameter::RealParameter;
    bool writeHostValue(HostAdditionalParameter&) const override { return false; }
};
} // namespace

TEST_F(ParameterExchange, HostRecordsAreReadWholeOrNotAtAll) {
    ParameterList written;
    written.append(std::make_unique<LengthParameter>(String("A")));
    auto grid = std::make_unique<RealParameter>(String("Grid"), String(), 0, 3);
    grid->setRowCount(2);
    grid->storeValue(7.5, 1, 2);
    written.append(std::move(grid));
    GSHandle handle = nullptr;
    ASSERT_TRUE(written.writeHostParameters(handle));

    // Half a record more is ignored.
    const GSSize whole = BMHandleSize(handle);
    ASSERT_EQ(BMResizeHandle(handle, whole + sizeof(HostAdditionalParameter) / 2), hosterr::Ok);
    ParameterList read;
    ASSERT_TRUE(read.readHostParameters(handle));
    EXPECT_EQ(namesOf(read), (std::vector<std::string>{"A", "Grid"}));
    EXPECT_TRUE(*read.at(1) == *written.at(1));

    auto* second = reinterpret_cast<HostAdditionalParameter*>(*handle + sizeof(HostAdditionalParameter));
    GSHandle values = second->value.array;
    ASSERT_EQ(BMResizeHandle(values, 5 * sizeof(double)), hosterr::Ok); // six cells promised
    EXPECT_FALSE(read.readHostParameters(handle));
    EXPECT_EQ(read.getCount(), 0u);
    ASSERT_EQ(BMResizeHandle(values, 6 * sizeof(double)), hosterr::Ok);
    reinterpret_cast<HostAdditionalParameter*>(*handle)->typeCode = 99;
    EXPECT_FALSE(read.readHostParameters(handle));
    EXPECT_EQ(read.getCount(), 0u);
    ParameterList::disposeHostParameters(handle);
    EXPECT_EQ(handle, nullptr);

    // A parameter that cannot be written leaves no handle, and frees the array written before it.
    written.append(std::make_unique<Unwritable>(String("Bad")));
    const size_t mark = host().calls().size();
    EXPECT_FALSE(written.writeHostParameters(handle));
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(callsSince(mark, "DisposeParameterHandle (parameters) -> ok"), 1u);
}

TEST_F(ParameterExchange, CommandListsAreReadLastFirstSkippingWhatTheHostCannotGive) {
    const struct {
        const char* name;
        uint32_t failedFetch; // the "GCLP" call that fails, 0 for none
        int32_t firstKind;
        int32_t lastKind;
        bool read;
        std::vector<std::string> names;
        size_t fetches;
    } cases[] = {
        {"whole", 0, CommandParameterInteger, CommandParameterText, true, {"p3", "p2", "p1"}, 3},
        // Fetched last first, so the first fetch asks for p3 and the third for p1.
        {"p3 not given", 1, CommandParameterInteger, CommandParameterText, true, {"p2", "p1"}, 3},
        {"p1 not given", 3, CommandParameterInteger, CommandParameterText, true, {"p3", "p2"}, 3},
        {"p3 of another kind", 0, CommandParameterInteger, 4, false, {}, 1},
        // Met after two were taken: neither stays.
        {"p1 of another kind", 0, 4, CommandParameterText, false, {}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GSHandle list = hostList(host(), {entry("p1", c.firstKind, 5), entry("p2", CommandParameterReal),
                                          entry("p3", c.lastKind, 0, "three")});
        if (c.failedFetch != 0) host().faults().set("GCLP", c.failedFetch, c.failedFetch, hosterr::Failed);
        ParameterList read;
        read.append(std::make_unique<LongParameter>(String("old")));
        const size_t mark = host().calls().size();
        EXPECT_EQ(read.readCommandParameters(list), c.read);
        EXPECT_EQ(namesOf(read), c.names);
        EXPECT_EQ(callsSince(mark, "UtilityCall GCLP"), c.fetches);
        host().faults().clear();
        host().commandLists().free(list);
    }
}

TEST_F(ParameterExchange, CommandListsWrittenCarryTheCommandsIdOnlyWhenItHasOne) {
    ParameterList parameters;
    auto text = std::make_unique<StringParameter>(String("name"));
    text->storeValue(String("Chair"), 0, 0);
    parameters.append(std::move(text));
    parameters.append(std::make_unique<RealParameter>(String("size")));
    const struct {
        uint32_t id;
        int32_t version;
        std::vector<std::string> names;
    } cases[] = {
        {0, 3, {"name", "size"}},
        {7, 0, {"name", "size", "command_id", "command_version"}},
    };
    for (const auto& c : cases) {
        const int64_t blocks = BMLivePtrCount();
        GSHandle list = nullptr;
        ASSERT_TRUE(parameters.writeCommandParameters(list, true, c.id, c.version));
        EXPECT_EQ(BMLivePtrCount(), blocks); // every name and text copy freed after its call
        // The host holds them in list order, the id and version after them.
        std::vector<std::string> held;
        for (const zavhost::CommandParameterEntry& each : *host().commandLists().find(list))
            held.push_back(each.name);
        EXPECT_EQ(held, c.names);
        // Read back, they come last first.
        ParameterList back;
        ASSERT_TRUE(back.readCommandParameters(list));
        EXPECT_EQ(namesOf(back), std::vector<std::string>(c.names.rbegin(), c.names.rend()));
        EXPECT_EQ(back.last().getValueText(0, 0), String("Chair"));
        if (c.id != 0) {
            EXPECT_EQ(back.find(String("command_id"))->getValueText(0, 0), String("7"));
            EXPECT_EQ(back.first().getValueText(0, 0), String("0"));
        }
        EXPECT_EQ(ACAPUtilityCall(fourCC("FCLP"), list), hosterr::Ok);
    }

    host().faults().set("ACLP", 2, 2, hosterr::MemoryFull);
    const int64_t blocks = BMLivePtrCount();
    GSHandle list = nullptr;
    EXPECT_FALSE(parameters.writeCommandParameters(list, true, 7, 1));
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(host().commandLists().live(), 0u); // freed with "FCLP"
    EXPECT_EQ(BMLivePtrCount(), blocks);
}

namespace {
class CommandJournal : public Subscriber {
public:
    CommandJournal(uint32_t id, int32_t version, std::vector<std::string>& journal, bool handles = true)
        : m_id(id), m_version(version), m_journal(journal), m_handles(handles) {}
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back({HostSource, m_id != 0 ? m_id : CommandEvent::DefaultId});
        types.push_back({HostSource, fourCC("ABCD")});
    }
    bool initialize() override { return installCommandHandler(m_id, m_version) == hosterr::Ok; }
    bool receive(Event& event) override {
        auto* command = dynamic_cast<CommandEvent*>(&event);
        if (command == nullptr) return false;
        const uint32_t id = command->getCommandId();
        m_journal.push_back(std::string{char(id >> 24), char(id >> 16), char(id >> 8), char(id)} + "/" +
                            std::to_string(command->getVersion()) + " with " +
                            std::to_string(command->getCount()));
        return m_handles;
    }

private:
    uint32_t m_id;
    int32_t m_version;
    std::vector<std::string>& m_journal;
    bool m_handles;
};
} // namespace

TEST(AddonCommands, ReachTheirSubscriberWithTheirParametersAndIdAndVersionFilledIn) {
    std::vector<std::string> journal;
    struct CommandAddon : Addon {
        CommandJournal zavc, defaults, ignored;
        explicit CommandAddon(std::vector<std::string>& j)
            : zavc(fourCC("ZAVC"), 2, j), defaults(0, 0, j), ignored(fourCC("IGNR"), 1, j, false) {
            add(&zavc);
            add(&defaults);
            add(&ignored);
        }
    };
    testsupport::ModuleUnderTest module([&] { return new CommandAddon(journal); });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    zavhost::StandInHost& host = module.host();
    EXPECT_EQ(host.commandHandler(fourCC("ZAVC"), 1), nullptr); // installed for its version only

    GSHandle named = hostList(host, {entry("name", CommandParameterText, 0, "Chair")});
    GSHandle identified =
        hostList(host, {entry("command_id", CommandParameterInteger, static_cast<int32_t>(fourCC("ABCD"))),
                        entry("command_version", CommandParameterInteger, 4)});
    EXPECT_EQ(host.sendCommand(fourCC("ZAVC"), 2, named), hosterr::Ok);
    EXPECT_EQ(host.commandLists().live(), 2u); // the host's, not the module's to free
    EXPECT_EQ(host.sendCommand(0, 0, nullptr), hosterr::Ok);
    EXPECT_EQ(host.sendCommand(0, 0, identified), hosterr::Ok);
    EXPECT_EQ(host.sendCommand(fourCC("IGNR"), 1, nullptr), hosterr::NotFound);
    EXPECT_EQ(host.sendCommand(fourCC("NONE"), 1, nullptr), hosterr::NotFound); // no handler at all
    EXPECT_EQ(journal,
              (std::vector<std::string>{"ZAVC/2 with 1", "EVNT/1 with 0", "ABCD/4 with 2", "IGNR/1 with 0"}));
    host.commandLists().free(named);
    host.commandLists().free(identified);
}

TEST(AddonCommands, FindTheirIdAndVersionWhereverTheyStand) {
    std::vector<std::string> journal;
    struct CommandAddon : Addon {
        CommandJournal defaults;
        explicit CommandAddon(std::vector<std::string>& j) : defaults(0, 0, j) { add(&defaults); }
    };
    testsupport::ModuleUnderTest module([&] { return new CommandAddon(journal); });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    zavhost::StandInHost& host = module.host();
    const auto id = [] {
        return entry("command_id", CommandParameterInteger, static_cast<int32_t>(fourCC("ABCD")));
    };
    const auto version = [] { return entry("command_version", CommandParameterInteger, 4); };
    const auto other = [](const char* name) { return entry(name, CommandParameterText, 0, "x"); };
    const std::vector<std::vector<zavhost::CommandParameterEntry>> lists = {
        {id(), version()},
        {version(), id()},
        {id(), other("name"), version()},
        {other("name"), version(), other("size"), id()},
        {other("a"), id(), other("b"), version(), other("c")},
    };
    for (const auto& entries : lists) {
        GSHandle list = hostList(host, entries);
        EXPECT_EQ(host.sendCommand(0, 0, list), hosterr::Ok);
        host.commandLists().free(list);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"ABCD/4 with 2", "ABCD/4 with 2", "ABCD/4 with 3",
                                                 "ABCD/4 with 4", "ABCD/4 with 5"}));

    // A list written with a parameter of the same name before the id added after it: the added
    // one, the host's last, is read first and counts.
    journal.clear();
    ParameterList parameters;
    auto stale = std::make_unique<LongParameter>(String("command_id"));
    stale->storeValue(static_cast<int32_t>(fourCC("WXYZ")), 0, 0);
    parameters.append(std::move(stale));
    GSHandle written = nullptr;
    ASSERT_TRUE(parameters.writeCommandParameters(written, true, fourCC("ABCD"), 4));
    EXPECT_EQ(host.sendCommand(0, 0, written), hosterr::Ok);
    EXPECT_EQ(journal, (std::vector<std::string>{"ABCD/4 with 3"}));
    host.commandLists().free(written);
}
