// Element database notifications, from the stand-in host in this process to
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
        if (event.getNotificationKind() == ElementEventEdit) {
            std::unique_ptr<Transformation> edit = Transformation::fromReportedEdit();
            line += edit ? ":scale " + std::to_string(static_cast<int>(edit->getRecord().scale)) : ":none";
        }
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

    ASSERT_EQ(host.userEdit(
                  "Move",
                  [&](zavhost::Project& project) {
                      project.model.views.editElement(wall)->infoText = "moved";
                      project.model.views.editElement(text)->infoText = "moved";
                      return hosterr::Ok;
                  },
                  zavhost::StandInHost::identityTransformation()),
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

    // The edit's transformation is the one the user made; a change that moves nothing has none.
    HostEditTransformation doubled = zavhost::StandInHost::identityTransformation();
    doubled.scale = 2.0;
    journal.clear();
    host.userEdit(
        "Resize",
        [&](zavhost::Project& project) {
            project.model.views.editElement(wall)->infoText = "resized";
            return hosterr::Ok;
        },
        doubled);
    EXPECT_EQ(journal,
              (std::vector<std::string>{"begin:1:0", "walls:2:1:scale 2", "edit:2:1:scale 2", "end:4:0"}));
    journal.clear();
    host.userEdit("Rename", [&](zavhost::Project& project) {
        project.model.views.editElement(wall)->infoText = "renamed";
        return hosterr::Ok;
    });
    EXPECT_EQ(journal, (std::vector<std::string>{"begin:1:0", "walls:2:1:none", "edit:2:1:none", "end:4:0"}));
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
    EXPECT_EQ(journal, std::vector<std::string>{"labelled:2:15:none"});

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
