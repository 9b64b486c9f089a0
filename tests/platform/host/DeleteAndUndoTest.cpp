// Deleting elements (what goes with them, what stays, the selections they leave) and undoing
// several steps, through the function table as a module calls it. What an undo brings back is
// compared with the project file's bytes taken before, so that nothing the steps share with the
// project can make the comparison pass.
#include <cstring>

#include "ModelTestSupport.h"
#include "platform/api/OpeningRecords.h"
#include "platform/api/WallRecords.h"
#include "platform/host/ProjectFile.h"
#include "platform/host/RecordFields.h"

using namespace zavhost;

namespace {

class DeleteAndUndo : public ModelTest {
protected:
    // A wall of the defaults from (x, 0) to (x + 4, 0).
    API_Guid wallAt(double x) {
        API_Element wall;
        wall.head.typeCode = HostWallTypeCode;
        EXPECT_EQ(table().GetDefaultElement(&wall, nullptr), hosterr::Ok);
        HostWallElement part = partOf<HostWallElement>(wall);
        part.begin = {x, 0.0};
        part.end = {x + 4.0, 0.0};
        setPart(wall, part);
        EXPECT_EQ(inCommand([&] { return table().CreateElement(&wall, nullptr); }), hosterr::Ok);
        return wall.head.guid;
    }
    // A window (or door) of the defaults in the wall, `at` along it.
    API_Guid openingIn(const API_Guid& wall, double at, uint32_t type = HostWindowTypeCode) {
        API_Element opening;
        opening.head.typeCode = type;
        EXPECT_EQ(table().GetDefaultElement(&opening, nullptr), hosterr::Ok);
        HostJoineryElement part = partOf<HostJoineryElement>(opening);
        part.ownerGuid = wall;
        part.wallPosition = at;
        setPart(opening, part);
        EXPECT_EQ(inCommand([&] { return table().CreateElement(&opening, nullptr); }), hosterr::Ok);
        return opening.head.guid;
    }
    // A proxy in the view that shows the model element.
    API_Guid proxyIn(ViewDatabase& view, const API_Guid& shown) {
        StoredElement proxy;
        proxy.record.head.typeCode = 29;
        proxy.record.head.guid = newGuid();
        proxy.record.head.layer = 1;
        HostProxyElement part = partOf<HostProxyElement>(proxy.record);
        part.showsElement = 1;
        part.elementGuid = shown;
        setPart(proxy.record, part);
        const API_Guid guid = proxy.guid();
        EXPECT_TRUE(project().model.views.elementsOf(view).add(std::move(proxy)));
        return guid;
    }
    ViewDatabase& section() {
        ViewDatabase* view = project().model.views.add(DatabaseSection, u"Section A");
        return *project().model.views.findByGuid(view->guid);
    }
    bool exists(const API_Guid& guid) { return project().model.views.findElement(guid) != nullptr; }
    GSErrCode remove(const std::vector<API_Guid>& guids) {
        std::string bytes;
        for (const API_Guid& guid : guids) {
            const HostElementHead head = headOf(guid);
            bytes.append(reinterpret_cast<const char*>(&head), sizeof head);
        }
        GSHandle heads = handleOf(bytes);
        GSErrCode err = inCommand([&] { return table().DeleteElements(heads, int32_t(guids.size())); });
        BMKillHandle(&heads);
        return err;
    }
    GSErrCode select(const std::vector<API_Guid>& guids, bool on = true) {
        std::string bytes;
        for (const API_Guid& guid : guids) {
            HostSelectionRecord record;
            record.guid = guid;
            bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
        }
        GSHandle references = handleOf(bytes);
        GSErrCode err = table().SelectElements(references, int32_t(guids.size()), on);
        BMKillHandle(&references);
        return err;
    }
    std::vector<API_Guid> selectionIn(const ViewDatabase& view) {
        std::vector<API_Guid> guids;
        for (const HostSelectionRecord& record :
             project().session.selectionOf(project().model.views.keyOf(view)))
            guids.push_back(record.guid);
        return guids;
    }
    std::vector<API_Guid> linkedFrom(const API_Guid& owner) {
        GS::Array<API_Guid> linked;
        if (table().GetLinkedElements(&owner, &linked) != hosterr::Ok) return {API_Guid()};
        return std::vector<API_Guid>(linked.begin(), linked.end());
    }
    // The project as its file would hold it.
    std::string fileBytes() { return ProjectFile::encode(project()); }
};

} // namespace

TEST_F(DeleteAndUndo, DeletedElementsLeaveEverySelectionAndTheRestStaysSelectedInOrder) {
    const API_Guid a = create(19), b = create(19), c = create(19), d = create(15);
    const API_Guid wall = wallAt(0.0);
    ViewDatabase& view = section();
    const API_Guid shown = proxyIn(view, wall);
    StoredElement own;
    own.record.head.typeCode = 19;
    own.record.head.guid = newGuid();
    const API_Guid kept = own.guid();
    ASSERT_TRUE(project().model.views.elementsOf(view).add(own));
    ASSERT_EQ(select({d, a, wall, b, c}), hosterr::Ok);
    Selection& sectionSelection = project().session.selectionOf(project().model.views.keyOf(view));
    for (const API_Guid& guid : {kept, shown}) {
        HostSelectionRecord record;
        record.guid = guid;
        sectionSelection.push_back(record);
    }

    ASSERT_EQ(remove({a, c, wall}), hosterr::Ok); // the wall's proxy goes with it
    EXPECT_FALSE(exists(shown));
    const ViewDatabase& plan = project().model.views.plan();
    EXPECT_EQ(selectionIn(plan), (std::vector<API_Guid>{d, b}));
    EXPECT_EQ(selectionIn(*project().model.views.findByGuid(view.guid)), std::vector<API_Guid>{kept});
    EXPECT_EQ(listed(0, FilterSelected), (std::vector<API_Guid>{b, d})); // in the database's order
    EXPECT_TRUE(table().FilterElement(&b, FilterSelected, 0, nullptr));
    EXPECT_TRUE(table().FilterElement(&d, FilterSelected, 0, nullptr));
    const API_Guid sectionGuid = view.guid;
    EXPECT_TRUE(table().FilterElement(&kept, FilterSelected | FilterDatabaseGuid, 0, &sectionGuid));

    ASSERT_EQ(select({b}, false), hosterr::Ok);
    EXPECT_FALSE(table().FilterElement(&b, FilterSelected, 0, nullptr));
    EXPECT_TRUE(table().FilterElement(&b, 0, 0, nullptr));
    EXPECT_EQ(listed(0, FilterSelected), std::vector<API_Guid>{d});
}

TEST_F(DeleteAndUndo, AWallTakesItsOpeningsAndProxiesAndLeavesItsLabelsAndOtherWalls) {
    const API_Guid first = wallAt(0.0), second = wallAt(10.0);
    const API_Guid window = openingIn(first, 1.0), door = openingIn(first, 3.0, HostDoorTypeCode);
    const API_Guid otherWindow = openingIn(second, 2.0);
    const API_Guid label = create(16), otherLabel = create(16);
    ASSERT_EQ(inCommand([&] { return table().LinkElements(&first, &label, 1); }), hosterr::Ok);
    ASSERT_EQ(inCommand([&] { return table().LinkElements(&second, &otherLabel, 1); }), hosterr::Ok);
    ViewDatabase& view = section();
    const API_Guid wallProxy = proxyIn(view, first), windowProxy = proxyIn(view, window);
    const API_Guid otherProxy = proxyIn(view, second);

    ASSERT_EQ(remove({first}), hosterr::Ok);
    for (const API_Guid& gone : {first, window, door, wallProxy, windowProxy})
        EXPECT_FALSE(exists(gone));
    for (const API_Guid& kept : {second, otherWindow, label, otherLabel, otherProxy})
        EXPECT_TRUE(exists(kept));
    API_Guid related;
    EXPECT_EQ(table().ElementGuidCall(&label, &related), hosterr::NotFound); // its link went with the wall
    EXPECT_EQ(table().ElementGuidCall(&otherLabel, &related), hosterr::Ok);
    EXPECT_EQ(related, second);
    EXPECT_EQ(linkedFrom(second), std::vector<API_Guid>{otherLabel});
    EXPECT_EQ(partOf<HostJoineryElement>(elementOf(otherWindow)).ownerGuid, second);
}

TEST_F(DeleteAndUndo, AnOpeningMovedToAnotherWallGoesWithThatWall) {
    const API_Guid first = wallAt(0.0), second = wallAt(10.0);
    const API_Guid window = openingIn(first, 1.0), stays = openingIn(first, 3.0);
    API_Element moved = elementOf(window);
    HostJoineryElement part = partOf<HostJoineryElement>(moved);
    part.ownerGuid = second;
    setPart(moved, part);
    ASSERT_EQ(change(&moved), hosterr::Ok);

    ASSERT_EQ(remove({first}), hosterr::Ok);
    EXPECT_TRUE(exists(window));
    EXPECT_FALSE(exists(stays));
    ASSERT_EQ(remove({second}), hosterr::Ok);
    EXPECT_FALSE(exists(window));
}

TEST_F(DeleteAndUndo, UndoingSeveralStepsBringsBackExactlyTheProjectOfEach) {
    const API_Guid line = create(19), other = create(19), text = create(15);
    const API_Guid wall = wallAt(0.0), window = openingIn(wall, 1.0);
    ASSERT_EQ(inCommand([&] { return table().LinkElements(&wall, &text, 3); }), hosterr::Ok);
    const size_t base = project().undoSteps.size();
    const std::string start = fileBytes();

    // A changed record, user data, module data and a relation code.
    ASSERT_EQ(inCommand([&] {
                  API_Element changed = elementOf(line);
                  changed.head.layer = 2;
                  HostElementHead head = headOf(other);
                  HostUserData data;
                  data.dataHandle = handleOf("user bytes");
                  data.platformSign = 0x5757;
                  GSHandle module = handleOf("module bytes");
                  GS::Array<API_Guid> others;
                  others.Push(other);
                  GSErrCode err = table().ChangeElement(&changed, nullptr, nullptr, 0, true);
                  if (err == hosterr::Ok) err = table().SetElementUserData(&head, &data);
                  if (err == hosterr::Ok) err = table().SetModuleData(module);
                  if (err == hosterr::Ok)
                      err = table().SetElementRelationCode(&line, &others, fourCC("ANNO"));
                  BMKillHandle(&data.dataHandle);
                  BMKillHandle(&module);
                  return err;
              }),
              hosterr::Ok);
    const std::string afterFirst = fileBytes();
    ASSERT_NE(afterFirst, start);

    // A wall deleted with its window and link, an association, a new element.
    API_Guid made;
    ASSERT_EQ(inCommand([&] {
                  GSHandle heads = headsOf(wall);
                  GSErrCode err = table().DeleteElements(heads, 1);
                  BMKillHandle(&heads);
                  if (err == hosterr::Ok) err = table().AssociateElements(&text, &line, 1, 2);
                  API_Element element;
                  element.head.typeCode = 19;
                  if (err == hosterr::Ok) err = table().CreateElement(&element, nullptr);
                  made = element.head.guid;
                  return err;
              }),
              hosterr::Ok);
    EXPECT_FALSE(exists(window));
    const std::string afterSecond = fileBytes();

    // User data cleared and the changed element changed again.
    ASSERT_EQ(inCommand([&] {
                  HostElementHead head = headOf(other);
                  API_Element changed = elementOf(line);
                  changed.head.layer = 1;
                  GSErrCode err = table().ClearElementUserData(&head);
                  if (err == hosterr::Ok) err = table().ChangeElement(&changed, nullptr, nullptr, 0, true);
                  return err;
              }),
              hosterr::Ok);
    ASSERT_EQ(project().undoSteps.size(), base + 3);

    ASSERT_EQ(host.undo(), hosterr::Ok);
    EXPECT_EQ(fileBytes(), afterSecond);
    ASSERT_EQ(host.undo(), hosterr::Ok);
    EXPECT_EQ(fileBytes(), afterFirst);
    EXPECT_FALSE(exists(made));
    EXPECT_TRUE(exists(window));
    EXPECT_EQ(linkedFrom(wall), std::vector<API_Guid>{text});

    // A step after an undo follows the step before it: undoing it comes back there.
    ASSERT_EQ(remove({line}), hosterr::Ok);
    ASSERT_EQ(project().undoSteps.size(), base + 2);
    ASSERT_EQ(host.undo(), hosterr::Ok);
    EXPECT_EQ(fileBytes(), afterFirst);
    ASSERT_EQ(host.undo(), hosterr::Ok);
    EXPECT_EQ(fileBytes(), start);
    EXPECT_EQ(project().undoSteps.size(), base);
}

TEST_F(DeleteAndUndo, AFailedStepPutsBackExactlyWhatItChanged) {
    const API_Guid line = create(19), wall = wallAt(0.0);
    openingIn(wall, 1.0);
    const std::string start = fileBytes();
    const size_t steps = project().undoSteps.size();
    EXPECT_EQ(inCommand([&] {
                  GSHandle heads = headsOf(wall);
                  table().DeleteElements(heads, 1);
                  BMKillHandle(&heads);
                  API_Element changed = elementOf(line);
                  changed.head.layer = 2;
                  table().ChangeElement(&changed, nullptr, nullptr, 0, true);
                  return hosterr::Failed;
              }),
              hosterr::Failed);
    EXPECT_EQ(fileBytes(), start);
    EXPECT_EQ(project().undoSteps.size(), steps);
    EXPECT_TRUE(exists(wall));
}

TEST_F(DeleteAndUndo, ElementsAreFoundInTheirViewsWhenAnUndoBringsADeletedViewBack) {
    HostDatabaseInfo first, second;
    first.kind = second.kind = DatabaseWorksheet;
    auto addTo = [&](const API_Guid& view) {
        StoredElement element;
        element.record.head.typeCode = 19;
        element.record.head.guid = newGuid();
        const API_Guid guid = element.guid();
        EXPECT_TRUE(project().model.views.findByGuid(view)->elements.add(std::move(element)));
        return guid;
    };
    ASSERT_EQ(inCommand([&] { return database("NDAT", &first); }), hosterr::Ok);
    const API_Guid inFirst = addTo(first.databaseGuid);
    ASSERT_EQ(inCommand([&] { return database("NDAT", &second); }), hosterr::Ok);
    const API_Guid inSecond = addTo(second.databaseGuid);
    const API_Guid inPlan = create(19);
    // Every element looked up once, so that where each is has been noted.
    for (const API_Guid& guid : {inFirst, inSecond, inPlan})
        ASSERT_TRUE(exists(guid));

    ASSERT_EQ(inCommand([&] { return database("DDAT", &first); }), hosterr::Ok);
    EXPECT_FALSE(exists(inFirst));
    EXPECT_TRUE(exists(inPlan)); // so that the next is looked for, and noted where it is now
    const ViewDatabase* where = nullptr;
    ASSERT_NE(project().model.views.findElement(inSecond, &where), nullptr);
    EXPECT_EQ(where->guid, second.databaseGuid);

    ASSERT_EQ(host.undo(), hosterr::Ok);
    for (const auto& [guid, view] :
         {std::pair{inFirst, first.databaseGuid}, std::pair{inSecond, second.databaseGuid},
          std::pair{inPlan, API_Guid()}}) {
        where = nullptr;
        ASSERT_NE(project().model.views.findElement(guid, &where), nullptr);
        EXPECT_EQ(where->guid, view);
    }
    ASSERT_EQ(host.undo(), hosterr::Ok); // the plan's element goes
    EXPECT_FALSE(exists(inPlan));
    EXPECT_TRUE(exists(inSecond));
    ASSERT_EQ(host.undo(), hosterr::Ok); // and the second worksheet
    EXPECT_FALSE(exists(inSecond));
    ASSERT_NE(project().model.views.findElement(inFirst, &where), nullptr);
    EXPECT_EQ(where->guid, first.databaseGuid);
}
