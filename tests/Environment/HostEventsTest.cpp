// Element database notifications and add-on commands, from the stand-in host in this process to
// the runtime's subscribers.
#include <gtest/gtest.h>

#include <tuple>

#include "Environment/HostCallbacks.h"
#include "Environment/HostSubscribers.h"
#include "Environment/Transformation.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/host/ModelCalls.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;

namespace {

// Writes "name:kind:type" for each event it gets, and the edit's scale for edits.
template <class Base> class Journal : public Base {
public:
    Journal(std::string name, std::vector<std::string>& journal, int16_t type = 0, int16_t variation = 0)
        : Base(type, variation), m_name(std::move(name)), m_journal(journal) {}
    bool handleDatabaseEvent(DatabaseEvent& event) override {
        std::string line = m_name + ":" + std::to_string(event.getNotificationKind()) + ":" +
                           std::to_string(event.getElementType());
        if (event.getNotificationKind() == ElementEventEdit)
            line += ":scale " +
                    std::to_string(static_cast<int>(Transformation::fromHostEdit()->getRecord().scale));
        m_journal.push_back(line);
        return false; // let the others hear it too
    }

private:
    std::string m_name;
    std::vector<std::string>& m_journal;
};

struct DatabaseAddon : Addon {
    Journal<DataBeginSubscriber> begin;
    Journal<EditElementSubscriber> walls;
    Journal<EditElementSubscriber> anyEdit;
    Journal<DeleteElementSubscriber> textDeletes;
    Journal<DataEndSubscriber> end;
    explicit DatabaseAddon(std::vector<std::string>& journal)
        : begin("begin", journal), walls("walls", journal, 1), anyEdit("edit", journal),
          textDeletes("texts", journal, 15), end("end", journal) {
        for (Subscriber* each :
             std::initializer_list<Subscriber*>{&begin, &walls, &anyEdit, &textDeletes, &end})
            add(each);
    }
};

API_Guid addElement(zavhost::Project& project, uint32_t type) {
    zavhost::StoredElement element;
    element.record.head.guid = zavhost::newGuid();
    element.record.head.typeCode = type;
    element.record.head.layer = 1;
    project.model.views.plan().elements.add(element);
    return element.record.head.guid;
}

} // namespace

TEST(DatabaseSubscribers, HearTheUsersEditFilteredByKindAndTypeWithItsTransformation) {
    std::vector<std::string> journal;
    ModuleUnderTest module([&] { return new DatabaseAddon(journal); });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    zavhost::StandInHost& host = module.host();
    API_Guid wall = addElement(*host.project(), 1);
    API_Guid text = addElement(*host.project(), 15);
    API_Guid line = addElement(*host.project(), 19);

    ASSERT_EQ(host.userEdit("Move",
                            [&](zavhost::Project& project) {
                                project.model.views.editElement(wall)->infoText = "moved";
                                project.model.views.editElement(text)->infoText = "moved";
                                return hosterr::Ok;
                            }),
              hosterr::Ok);
    EXPECT_EQ(journal, (std::vector<std::string>{"begin:1:0", "walls:2:1:scale 1", "edit:2:1:scale 1",
                                                 "edit:2:15:scale 1", "end:4:0"}));

    journal.clear();
    ASSERT_EQ(host.userEdit("Delete",
                            [&](zavhost::Project& project) {
                                zavhost::model::deleteElement(project, text);
                                zavhost::model::deleteElement(project, line);
                                return hosterr::Ok;
                            }),
              hosterr::Ok);
    // Only the text's deletion passes the filter; the line's reaches no subscriber.
    EXPECT_EQ(journal, (std::vector<std::string>{"begin:1:0", "texts:3:15", "end:4:0"}));

    // The edit's transformation is the one the user made.
    HostEditTransformation doubled = zavhost::StandInHost::identityTransformation();
    doubled.scale = 2.0;
    host.setEditTransformation(doubled);
    journal.clear();
    host.userEdit("Resize", [&](zavhost::Project& project) {
        project.model.views.editElement(wall)->infoText = "resized";
        return hosterr::Ok;
    });
    EXPECT_EQ(journal,
              (std::vector<std::string>{"begin:1:0", "walls:2:1:scale 2", "edit:2:1:scale 2", "end:4:0"}));
}

TEST(DatabaseSubscribers, AVariationFilterPassesOnlyThatVariationAndEventCopiesKeepTheElement) {
    std::vector<std::string> journal;
    Journal<EditElementSubscriber> labelled("labelled", journal, 0, 7);
    DatabaseEvent plain(HostElementNotification{ElementEventEdit, 15, 0, API_Guid()});
    DatabaseEvent seven(HostElementNotification{ElementEventEdit, 15, 7, API_Guid()});
    DatabaseEvent deleted(HostElementNotification{ElementEventDelete, 15, 7, API_Guid()});
    EXPECT_FALSE(labelled.receive(plain));
    labelled.receive(seven);
    labelled.receive(deleted); // another kind
    EXPECT_EQ(journal, std::vector<std::string>{"labelled:2:15:scale 0"});

    // Begin and end are about no element: a type filter does not hold them back.
    Journal<DataEndSubscriber> endOfWalls("end", journal, 1);
    journal.clear();
    DatabaseEvent end(HostElementNotification{ElementEventDataEnd, 0, 0, API_Guid()});
    endOfWalls.receive(end);
    EXPECT_EQ(journal, std::vector<std::string>{"end:4:0"});

    std::vector<EventType> types;
    endOfWalls.getEventTypes(types);
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(types[0].kind, DatabaseEvent::Kind);

    // Copies and assignments keep the element link.
    HostElementNotification notification{ElementEventDelete, 19, 3, API_Guid{{1, 2, 3, 4}}};
    auto facts = [](const DatabaseEvent& e) {
        return std::tuple(e.getNotificationKind(), int(e.getElementType()), int(e.getVariation()),
                          e.getElementGuid(), e.getType().source);
    };
    const auto expected = std::tuple(uint32_t(ElementEventDelete), 19, 3, notification.guid, HostSource);
    DatabaseEvent original(notification);
    EXPECT_EQ(facts(DatabaseEvent(original)), expected);
    DatabaseEvent other(HostElementNotification{ElementEventDataBegin, 0, 0, API_Guid()});
    other = original;
    EXPECT_EQ(facts(other), expected);
    DatabaseEvent& same = other;
    other = same; // nothing changes
    EXPECT_EQ(facts(other), expected);
}

// --- Add-on commands.

namespace {

class CommandJournal : public Subscriber {
public:
    CommandJournal(uint32_t id, int32_t version, std::vector<std::string>& journal, bool handles = true)
        : m_id(id), m_version(version), m_journal(journal), m_handles(handles) {}
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back({HostSource, m_id != 0 ? m_id : CommandEvent::DefaultId});
    }
    bool initialize() override { return installCommandHandler(m_id, m_version) == hosterr::Ok; }
    bool receive(Event& event) override {
        auto* command = dynamic_cast<CommandEvent*>(&event);
        if (command == nullptr) return false;
        m_journal.push_back(codeOf(command->getCommandId()) + "/" + std::to_string(command->getVersion()) +
                            " with " + std::to_string(command->getParameterHandle() != nullptr ? 1 : 0));
        return m_handles;
    }

private:
    static std::string codeOf(uint32_t code) {
        return {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
    }
    uint32_t m_id;
    int32_t m_version;
    std::vector<std::string>& m_journal;
    bool m_handles;
};

} // namespace

TEST(AddonCommands, ReachTheSubscriberOfTheirIdWithDefaultsFilledInAndUnhandledOnesAnswerNotFound) {
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
    ModuleUnderTest module([&] { return new CommandAddon(journal); });
    ASSERT_EQ(module.attachResult(), hosterr::Ok) << module.host().lastError();
    zavhost::StandInHost& host = module.host();
    ASSERT_NE(host.commandHandler(fourCC("ZAVC"), 2), nullptr);
    EXPECT_EQ(host.commandHandler(fourCC("ZAVC"), 1), nullptr); // installed for its version only

    GSHandle parameters = BMNewHandle(4);
    EXPECT_EQ(host.sendCommand(fourCC("ZAVC"), 2, parameters), hosterr::Ok);
    EXPECT_TRUE(BMIsLiveHandle(parameters)); // the host's, not the module's to free
    BMKillHandle(&parameters);
    // A command id of 0 is "EVNT" and a version of 0 is 1.
    EXPECT_EQ(host.sendCommand(0, 0, nullptr), hosterr::Ok);
    EXPECT_EQ(host.sendCommand(fourCC("IGNR"), 1, nullptr), hosterr::NotFound);
    EXPECT_EQ(host.sendCommand(fourCC("NONE"), 1, nullptr), hosterr::NotFound); // no handler at all
    EXPECT_EQ(journal, (std::vector<std::string>{"ZAVC/2 with 1", "EVNT/1 with 0", "IGNR/1 with 0"}));

    // The event fills in the defaults.
    const struct {
        uint32_t id;
        int32_t version;
        uint32_t wantedId;
        int32_t wantedVersion;
    } cases[] = {
        {0, 0, fourCC("EVNT"), 1},
        {fourCC("ABCD"), 0, fourCC("ABCD"), 1},
        {0, 3, fourCC("EVNT"), 3},
        {fourCC("ABCD"), -2, fourCC("ABCD"), -2},
    };
    for (const auto& c : cases) {
        CommandEvent event(c.id, c.version, nullptr);
        EXPECT_EQ(event.getCommandId(), c.wantedId);
        EXPECT_EQ(event.getType().kind, c.wantedId);
        EXPECT_EQ(event.getVersion(), c.wantedVersion);
        EXPECT_EQ(event.getParameterHandle(), nullptr);
    }
}
