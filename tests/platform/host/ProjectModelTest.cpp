#include "ModelTestSupport.h"
#include "platform/api/ProjectRecords.h"
#include "platform/io/Location.h"

using namespace zavhost;

TEST_F(ModelTest, TheProjectAnswersItsFileTextsUnitsAndPlace) {
    HostProjectInfo info;
    ASSERT_EQ(environment("PROJ", &info), hosterr::Ok);
    EXPECT_EQ(info.untitled, 1);
    EXPECT_EQ(info.location, nullptr);
    delete info.temporaryLocation; // every location the host makes is the caller's
    project().filePath = "/projects/house.zavproj";
    ASSERT_EQ(environment("PROJ", &info), hosterr::Ok);
    ASSERT_NE(info.location, nullptr);
    EXPECT_EQ(info.location->ToPath(), "/projects/house.zavproj");
    for (IO::Location* location :
         {info.location, info.sharedLocation, info.backupLocation, info.temporaryLocation})
        delete location;

    project().model.texts["city"] = "Leeds";
    HostProjectTexts texts;
    ASSERT_EQ(environment("GPRN", &texts), hosterr::Ok);
    EXPECT_STREQ(texts.name, "Model House");
    EXPECT_STREQ(texts.cityName, "Leeds");

    HostWorkingUnits units;
    units.lengthUnit = 9;
    ASSERT_EQ(environment("GPRF", &units), hosterr::Ok);
    EXPECT_LT(units.lengthUnit, 4u);
    project().model.settings.unitPreferences.unitPreference = 3;
    HostUnitPreferences preferences;
    ASSERT_EQ(environment("GPRF", &preferences, reinterpret_cast<void*>(uintptr_t(UnitPreferencesSubCode))),
              hosterr::Ok);
    EXPECT_EQ(preferences.unitPreference, 3u);
    int32_t subCode = UnitPreferencesSubCode; // a pointer to it serves as well
    ASSERT_EQ(environment("GPRF", &preferences, &subCode), hosterr::Ok);
    subCode = 7;
    EXPECT_EQ(environment("GPRF", &preferences, &subCode), hosterr::BadParameter);

    HostPlaceInfo place;
    ASSERT_EQ(environment("GPLA", &place), hosterr::Ok);
    place.northAngle = 1.25;
    place.reserved1[3] = 9;
    ASSERT_EQ(environment("CPLA", &place), hosterr::Ok);
    HostPlaceInfo again;
    environment("GPLA", &again);
    EXPECT_EQ(again.northAngle, 1.25);
    EXPECT_EQ(again.reserved1[3], 9); // the rest is written back as given
}

TEST_F(ModelTest, SharedProjectsListUsersReservationsAndLockables) {
    HostSharedUsers users;
    EXPECT_FALSE(table().IsSharedProject());
    EXPECT_EQ(environment("SHAR", &users), hosterr::Refused);
    project().model.settings.shared = true;
    project().model.settings.users = {{"me", "Me Myself", API_Guid::fromHalves(1, 1), 4, 0},
                                      {"alice", "Alice A", API_Guid::fromHalves(2, 2), 9, 1}};
    EXPECT_TRUE(table().IsSharedProject() && table().SharedProjectCall());
    ASSERT_EQ(environment("SHAR", &users), hosterr::Ok);
    ASSERT_EQ(users.count, 2);
    const auto* records = reinterpret_cast<const HostSharedUser*>(*users.users);
    EXPECT_EQ(GS::UniString(records[1].loginName).ToCStr(), "alice");
    EXPECT_EQ(GS::UniString(records[1].fullName).ToCStr(), "Alice A");
    EXPECT_EQ(records[1].userId, 9);
    BMKillHandle(&users.users);

    API_Guid mine = create(15), theirs = create(15);
    project().session.heldByOthers[theirs] = 9;
    GS::Array<API_Guid> wanted;
    wanted.Push(mine);
    wanted.Push(theirs);
    GS::HashTable<API_Guid, int16_t> held;
    ASSERT_EQ(table().GetElementReservations(&wanted, &held), hosterr::Ok);
    ASSERT_EQ(held.GetSize(), 1u);
    EXPECT_TRUE(held.ContainsKey(theirs));
    EXPECT_EQ(project().model.views.findElement(mine)->head().ownerUserId, 4);
    API_Element element = elementOf(theirs);
    EXPECT_EQ(change(&element), hosterr::Refused);
    ASSERT_EQ(table().ReleaseElements(&wanted), hosterr::Ok);
    EXPECT_EQ(project().model.views.findElement(mine)->head().ownerUserId, 0);

    API_Guid lockable;
    ASSERT_EQ(table().GetLockableObjectGuid(&lockable, "LayerSettingsDialog"), hosterr::Ok);
    EXPECT_FALSE(lockable.isNull());
    EXPECT_TRUE(table().LockableObjectQueryCall(&lockable) && table().LockableObjectStateCall(&lockable));
    EXPECT_EQ(table().GetLockableObjectStatus(&lockable, 0), 1);
    ASSERT_EQ(table().ReserveLockableObject(&lockable, 0, 1), hosterr::Ok);
    EXPECT_EQ(table().GetLockableObjectStatus(&lockable, 0), 2);
    EXPECT_EQ(table().ReserveLockableObject(&lockable, 0, 1), hosterr::Refused);
    ASSERT_EQ(table().ReleaseLockableObject(&lockable, 1), hosterr::Ok);
    EXPECT_EQ(table().ReleaseLockableObject(&lockable, 1), hosterr::Refused);
    API_Guid unknown;
    EXPECT_EQ(table().GetLockableObjectGuid(&unknown, "NoSuchDialog"), hosterr::NotFound);
    EXPECT_TRUE(unknown.isNull());
}

TEST_F(ModelTest, StoreysComeWithARecordThatOnlyClosesTheTop) {
    HostStoreyInfo info;
    ASSERT_EQ(environment("GSTO", &info, nullptr, reinterpret_cast<void*>(StoreyInfoFlags)), hosterr::Ok);
    const size_t entries = static_cast<size_t>(BMHandleSize(info.storeys)) / sizeof(HostStoreyEntry);
    ASSERT_EQ(entries, project().model.storeys.storeys().size() + 1);
    const auto* storeys = reinterpret_cast<const HostStoreyEntry*>(*info.storeys);
    EXPECT_EQ(storeys[1].level - storeys[0].level, 3.0);
    EXPECT_EQ(storeys[2].level, storeys[1].level + project().model.storeys.topHeight());
    EXPECT_EQ(GS::UniString(storeys[0].name).ToCStr(), "Ground Floor");
    BMKillHandle(&info.storeys);

    HostStoreyCommand command;
    command.index = 1;
    ASSERT_EQ(environment("CSTO", &command), hosterr::Ok);
    EXPECT_EQ(project().model.storeys.current(), 1);
    command.index = 7;
    EXPECT_EQ(environment("CSTO", &command), hosterr::BadIndex);
    API_Element element;
    element.head.typeCode = 15;
    element.head.storey = 42; // no such storey: the current one
    inCommand([&] { return table().CreateElement(&element, nullptr); });
    EXPECT_EQ(element.head.storey, 1);
}

TEST_F(ModelTest, ViewsHaveRecordsListsAndTheirOwnElements) {
    HostDatabaseInfo current;
    ASSERT_EQ(database("GDAT", &current), hosterr::Ok);
    EXPECT_EQ(current.kind, DatabasePlan);
    EXPECT_TRUE(current.databaseGuid.isNull());

    HostDatabaseInfo master, layout, sheet;
    master.kind = DatabaseMasterLayout;
    EXPECT_EQ(database("NDAT", &master), hosterr::Refused); // outside a command
    EXPECT_EQ(inCommand([&] { return database("NDAT", &master); }),
              hosterr::BadParameter); // not made this way
    const API_Guid masterGuid = project().model.views.add(DatabaseMasterLayout, u"Master")->guid;
    layout.kind = DatabaseLayout;
    layout.masterGuid = masterGuid;
    std::u16string name = u"Sheet 1";
    std::copy(name.begin(), name.end(), layout.name);
    ASSERT_EQ(inCommand([&] { return database("NDAT", &layout); }), hosterr::Ok);
    EXPECT_FALSE(layout.databaseGuid.isNull());
    sheet.kind = DatabaseWorksheet;
    ASSERT_EQ(inCommand([&] { return database("NDAT", &sheet); }), hosterr::Ok);

    GSHandle layouts = nullptr, sections = nullptr;
    ASSERT_EQ(database("GLDI", &layouts), hosterr::Ok);
    ASSERT_EQ(BMHandleSize(layouts), GSSize(sizeof(API_Guid)));
    EXPECT_EQ(*reinterpret_cast<API_Guid*>(*layouts), layout.databaseGuid);
    ASSERT_EQ(database("GSDI", &sections), hosterr::Ok);
    EXPECT_EQ(BMHandleSize(sections), 0); // a new, empty handle: the caller's still
    BMKillHandle(&layouts);
    BMKillHandle(&sections);

    // Records read and write back by kind and Guid; a master layout answers to kind 5 as well.
    HostDatabaseInfo read;
    read.kind = DatabaseLayout;
    read.databaseGuid = masterGuid;
    ASSERT_EQ(database("GDBI", &read), hosterr::Ok);
    EXPECT_EQ(GS::UniString(read.name).ToCStr(), "Master");
    read.kind = 0;
    read.databaseGuid = layout.databaseGuid;
    ASSERT_EQ(database("GDBI", &read), hosterr::Ok);
    EXPECT_EQ(read.masterGuid, masterGuid);
    read.reference[0] = u'R';
    read.reserved1[0] = 5;
    ASSERT_EQ(database("MDAT", &read), hosterr::Ok);
    HostDatabaseInfo again;
    again.databaseGuid = layout.databaseGuid;
    database("GDBI", &again);
    EXPECT_EQ(again.reference[0], u'R');
    EXPECT_EQ(again.reserved1[0], 5);
    read.kind = DatabaseSection;
    EXPECT_EQ(database("GDBI", &read), hosterr::BadDatabase); // the kind does not fit

    // Each view has its own elements; deleting a view takes them along.
    ASSERT_EQ(database("CDAT", &layout), hosterr::Ok);
    API_Guid placed = create(30);
    ASSERT_EQ(database("GDAT", &current), hosterr::Ok);
    EXPECT_EQ(current.databaseGuid, layout.databaseGuid);
    EXPECT_EQ(listed(), std::vector<API_Guid>{placed});
    EXPECT_EQ(project().model.views.plan().elements.size(), 0u);
    ASSERT_EQ(table().AutomationCall(fourCC("CHWD"), &sheet, nullptr), hosterr::Ok);
    ASSERT_EQ(database("GWIN", &current), hosterr::Ok);
    EXPECT_EQ(current.kind, DatabaseWorksheet);
    EXPECT_EQ(inCommand([&] { return database("DDAT", &layout); }), hosterr::Ok);
    EXPECT_EQ(project().model.views.findElement(placed), nullptr);
    EXPECT_EQ(database("CDAT", &layout), hosterr::BadDatabase);
    HostDatabaseInfo plan;
    plan.kind = DatabasePlan;
    EXPECT_EQ(inCommand([&] { return database("DDAT", &plan); }), hosterr::Refused);

    double scale = 0;
    ASSERT_EQ(database("GSCL", &scale), hosterr::Ok);
    EXPECT_EQ(scale, 100.0);
    double half = 50.0, bad = -1.0;
    ASSERT_EQ(database("CDRS", &half), hosterr::Ok);
    EXPECT_EQ(database("CDRS", &bad), hosterr::BadParameter);
    API_Guid fixed, fixedToo;
    ASSERT_EQ(environment("GARF", &fixed), hosterr::Ok);
    ASSERT_EQ(database("GARF", &fixedToo), hosterr::Ok);
    EXPECT_FALSE(fixed.isNull());
    EXPECT_EQ(fixed, fixedToo);
}
