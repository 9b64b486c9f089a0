// The user's edits in the host: what the element observer hears, and the edit transformation.
#include "HostTestSupport.h"
#include "platform/host/ModelCalls.h"

using namespace zavhost;

namespace {

API_Guid addElement(Project& project, uint32_t type, uint32_t variation = 0) {
    StoredElement element;
    element.record.head.guid = newGuid();
    element.record.head.typeCode = type;
    element.record.head.variation = variation;
    element.record.head.layer = 1;
    project.model.views.plan().elements.add(element);
    return element.record.head.guid;
}

std::vector<uint32_t> kindsHeard() {
    std::vector<uint32_t> kinds;
    for (const HostElementNotification& each : rawmodule::record().elementNotifications)
        kinds.push_back(each.kind);
    return kinds;
}

} // namespace

TEST_F(HostTest, TheEditTransformationIsTheIdentityUntilTheUserEdits) {
    HostEditTransformation edit;
    edit.kind = 7;
    edit.scale = 0.0;
    ASSERT_EQ(host.functionTable().GetEditTransformation(&edit), hosterr::Ok);
    EXPECT_EQ(edit.kind, 0u);
    EXPECT_EQ(edit.scale, 1.0);
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(edit.matrix[i], identity[i]) << i;
    EXPECT_EQ(host.getEditTransformation(nullptr), hosterr::BadParameter);

    HostEditTransformation moved = StandInHost::identityTransformation();
    moved.kind = fourCC("MOVE");
    moved.target = {2.0, 3.0, 0.0};
    host.setEditTransformation(moved);
    ASSERT_EQ(host.getEditTransformation(&edit), hosterr::Ok);
    EXPECT_EQ(edit.kind, fourCC("MOVE"));
    EXPECT_EQ(edit.target.y, 3.0);
}

TEST_F(HostTest, AUserEditIsHeardWhileItRunsNewThenChangedThenDeleted) {
    ASSERT_EQ(attach(), hosterr::Ok);
    ASSERT_EQ(host.newProject("Edits"), hosterr::Ok);
    API_Guid wall = addElement(*host.project(), 1);
    API_Guid text = addElement(*host.project(), 15, fourCC("ABCD") & 0x7FFF);
    API_Guid line;
    HostEditTransformation doubled = StandInHost::identityTransformation();
    doubled.scale = 2.0;
    ASSERT_EQ(host.userEdit(
                  "Mixed Edit",
                  [&](Project& project) {
                      model::deleteElement(project, wall);
                      project.model.views.editElement(text)->infoText = "changed";
                      line = addElement(project, 19);
                      EXPECT_TRUE(rawmodule::record().elementNotifications.empty())
                          << "heard before the edit was made";
                      return hosterr::Ok;
                  },
                  doubled),
              hosterr::Ok);
    EXPECT_EQ(kindsHeard(), (std::vector<uint32_t>{ElementEventDataBegin, ElementEventNew, ElementEventEdit,
                                                   ElementEventDelete, ElementEventDataEnd}));
    const auto& heard = rawmodule::record().elementNotifications;
    EXPECT_EQ(heard[1].guid, line);
    EXPECT_EQ(heard[1].typeId, 19);
    EXPECT_EQ(heard[2].guid, text);
    EXPECT_EQ(heard[2].variation, static_cast<int16_t>(fourCC("ABCD") & 0x7FFF));
    EXPECT_EQ(heard[3].guid, wall);
    EXPECT_EQ(heard[3].typeId, 1);
    EXPECT_EQ(host.project()->undoSteps.back().name, "Mixed Edit");
    // Answered while the module heard the edit, and no longer after it.
    EXPECT_EQ(rawmodule::record().editScales, std::vector<double>{2.0});
    HostEditTransformation after;
    ASSERT_EQ(host.getEditTransformation(&after), hosterr::Ok);
    EXPECT_EQ(after.scale, 1.0);
    host.unloadModule();
}

TEST_F(HostTest, AUserEditThatFailsOrChangesNothingIsNotHeardAndOneHeardAllowsNoCommand) {
    ASSERT_EQ(attach(), hosterr::Ok);
    ASSERT_EQ(host.newProject("Edits"), hosterr::Ok);
    API_Guid wall = addElement(*host.project(), 1);
    auto deleteWall = [&](Project& project) {
        model::deleteElement(project, wall);
        return hosterr::Ok;
    };
    EXPECT_EQ(
        host.userEdit("Failing", [&](Project& project) { return deleteWall(project), hosterr::Failed; }),
        hosterr::Failed);
    EXPECT_NE(host.project()->model.views.findElement(wall), nullptr); // put back
    EXPECT_TRUE(host.project()->undoSteps.empty());
    EXPECT_EQ(host.userEdit("Nothing", [](Project&) { return hosterr::Ok; }), hosterr::Ok);
    // Reading an element for changing without changing it is no change.
    EXPECT_EQ(host.userEdit("Touch",
                            [&](Project& project) {
                                project.model.views.editElement(wall);
                                return hosterr::Ok;
                            }),
              hosterr::Ok);
    EXPECT_TRUE(rawmodule::record().elementNotifications.empty());

    // The module cannot start a command while it hears an edit.
    ASSERT_EQ(choose(rawmodule::ArmNotificationStep), hosterr::Ok);
    const size_t steps = host.project()->undoSteps.size();
    host.userEdit("Delete", deleteWall);
    EXPECT_EQ(rawmodule::record().notificationStep, hosterr::Refused);
    EXPECT_FALSE(host.insideNotification());
    ASSERT_EQ(host.project()->undoSteps.size(), steps + 1); // the user's own, and no other
    EXPECT_EQ(host.project()->undoSteps.back().name, "Delete");
    EXPECT_FALSE(host.project()->model.moduleData.has_value());

    host.closeProject();
    EXPECT_EQ(host.userEdit("No Project", [](Project&) { return hosterr::Ok; }), hosterr::NoProject);
    host.unloadModule();
}

TEST_F(HostTest, AUserEditIsHeardForWhatItChangedEachKindInDatabaseAndCreationOrder) {
    ASSERT_EQ(attach(), hosterr::Ok);
    ASSERT_EQ(host.newProject("Edits"), hosterr::Ok);
    Project& project = *host.project();
    const API_Guid sectionGuid = project.model.views.add(DatabaseSection, u"Section")->guid;
    // Guids that sort against the order the elements are made in.
    uint32_t next = 1000;
    auto add = [&](ViewDatabase& database) {
        StoredElement element;
        element.record.head.guid = API_Guid{{next--, 0, 0, 1}};
        element.record.head.typeCode = 19;
        element.record.head.layer = 1;
        database.elements.add(element);
        return element.record.head.guid;
    };
    std::vector<API_Guid> plan, section;
    for (int i = 0; i < 300; ++i)
        plan.push_back(add(project.model.views.plan()));
    for (int i = 0; i < 3; ++i)
        section.push_back(add(*project.model.views.findByGuid(sectionGuid)));
    API_Guid madeInPlan, madeInSection;
    ASSERT_EQ(host.userEdit("Edit",
                            [&](Project& edited) {
                                ViewDatabases& views = edited.model.views;
                                madeInSection = add(*views.findByGuid(sectionGuid));
                                views.editElement(section[1])->infoText = "changed";
                                views.editElement(plan[250])->infoText = "changed";
                                views.editElement(plan[20])->infoText = "changed";
                                views.editElement(plan[100]); // handed out, left as it was
                                model::deleteElement(edited, section[0]);
                                model::deleteElement(edited, plan[200]);
                                model::deleteElement(edited, plan[5]);
                                madeInPlan = add(views.plan());
                                return hosterr::Ok;
                            }),
              hosterr::Ok);
    std::vector<std::pair<uint32_t, API_Guid>> heard;
    for (const HostElementNotification& each : rawmodule::record().elementNotifications)
        heard.emplace_back(each.kind, each.guid);
    EXPECT_EQ(heard, (std::vector<std::pair<uint32_t, API_Guid>>{{ElementEventDataBegin, API_Guid()},
                                                                 {ElementEventNew, madeInPlan},
                                                                 {ElementEventNew, madeInSection},
                                                                 {ElementEventEdit, plan[20]},
                                                                 {ElementEventEdit, plan[250]},
                                                                 {ElementEventEdit, section[1]},
                                                                 {ElementEventDelete, plan[5]},
                                                                 {ElementEventDelete, plan[200]},
                                                                 {ElementEventDelete, section[0]},
                                                                 {ElementEventDataEnd, API_Guid()}}));
    host.unloadModule();
}
