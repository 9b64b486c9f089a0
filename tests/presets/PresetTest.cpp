// Configuration presets over an in-memory target: the status of every link index, storing and
// re-linking, nested presets through reference fields, and the configuration as XML.
#include <cstdio>
#include <fstream>
#include <limits>
#include <set>

#include "PresetTestSupport.h"
#include "platform/io/SpecialFolders.h"

using namespace presettest;

namespace {

const std::string WallPreset =
    "<preset type=\"wall\" menuName=\"wallMenu\"><nameParameter name=\"wallName\"/>"
    "<echoParameter name=\"wallEcho\"/><keyParameter name=\"wallKey\"/><statusParameter name=\"wallStatus\"/>"
    "<settingList><setting field=\"thickness\"><parameter name=\"thick\"/><flags "
    "name=\"thickUnset\"/></setting>"
    "<setting field=\"skin\"><parameter name=\"skinMenu\"/></setting></settingList>"
    "<indexRange><row>0</row><count>40</count></indexRange></preset>";
const std::string SkinPreset =
    "<preset type=\"skin\" menuName=\"skinMenu\"><nameParameter name=\"skinName\"/>"
    "<echoParameter name=\"skinEcho\"/><keyParameter name=\"skinKey\"/><statusParameter name=\"skinStatus\"/>"
    "<settingList><setting field=\"material\"><parameter name=\"material\"/>"
    "<legacy name=\"oldMaterial\"><column>1</column></legacy></setting>"
    "<setting field=\"wall\"><parameter name=\"wallMenu\"/></setting></settingList></preset>";

std::string configuration(const std::string& presets) {
    return "<tarnwickLibrary><version>2</version><platform>1</platform><presetList>" + presets +
           "</presetList></tarnwickLibrary>";
}

const char* const TextNames[] = {"wallName", "wallEcho", "wallKey",  "wallMenu", "skinName",
                                 "skinEcho", "skinKey",  "skinMenu", "material"};
const char* const IntegerNames[] = {"wallStatus", "thickUnset", "skinStatus"};

class PresetTest : public PresetFixture {
protected:
    void SetUp() override {
        PresetFixture::SetUp();
        DataBufferIn in{String(configuration(WallPreset + SkinPreset))};
        ASSERT_TRUE(library().read(in)) << DBPrintedText();
        for (const char* name : TextNames)
            addArray<StringParameter>(target, name, Rows);
        for (const char* name : IntegerNames)
            addArray<IntegerParameter>(target, name, Rows);
        addArray<RealParameter>(target, "thick", Rows);
    }

    static TarnwickLibrary& library() { return *getAddon()->getTarnwickLibrary(); }
    Preset& wall() { return *library().findPreset(String("wall"), String("wallMenu")); }
    Preset& skin() { return *library().findPreset(String("skin"), String("skinMenu")); }

    std::string text(const char* name, uint64_t row) const {
        return static_cast<const StringParameter&>(*target.find(String(name))).getValue(row, 0).bytes();
    }
    short integer(const char* name, uint64_t row) const {
        return static_cast<const IntegerParameter&>(*target.find(String(name))).getValue(row, 0);
    }
    void setText(const char* name, uint64_t row, const String& value) {
        static_cast<StringParameter&>(*target.find(String(name))).setValue(value, row, 0);
    }
    void setLink(uint64_t row, const char* name, const char* echo, const Guid& key, short status) {
        setText("wallName", row, String(name));
        setText("wallEcho", row, String(echo));
        setText("wallKey", row, key.isValid() ? key.toString() : String());
        static_cast<IntegerParameter&>(*target.find(String("wallStatus"))).setValue(status, row, 0);
    }
    std::vector<uint64_t> rowCounts() const {
        std::vector<uint64_t> counts;
        for (uint64_t k = 0; k < target.getCount(); ++k)
            counts.push_back(target.at(k)->getRowCount());
        return counts;
    }

    static constexpr uint64_t Rows = 12;
    ParameterList target;
};

} // namespace

TEST_F(PresetTest, EachLinkIndexFollowsItsStatusAndNothingGrows) {
    Guid brick = addRecord(*db, "wall", "Brick");
    Guid stone = addRecord(*db, "wall", "Stone");
    db->getRecord(brick)->setField(String("thickness"), RealSetting(0.3), 0);
    db->setDefaultRecordId(brick);
    for (short status = 0; status < static_cast<short>(Rows); ++status)
        setLink(status, ("keep" + std::to_string(status)).c_str(), "", Guid(), status);
    setLink(0, "Brick", "Brick", brick, 0);
    setLink(4, "", "", brick, 4);
    setLink(2, "New", "", Guid(), 2);
    setLink(8, "Stone", "Stone", stone, 8);
    setLink(9, "Stone", "", Guid(), 9);
    target.find(String("wallMenu"))->setRowCount(3); // room for the three live walls
    std::vector<uint64_t> before = rowCounts();

    EXPECT_TRUE(wall().applyTo(target, *db));
    for (short untouched : {1, 3, 5, 6, 7, 10, 11}) {
        EXPECT_EQ(integer("wallStatus", untouched), untouched);
        EXPECT_EQ(text("wallName", untouched), "keep" + std::to_string(untouched));
    }
    for (uint64_t linked : {0, 4}) {
        EXPECT_EQ(integer("wallStatus", linked), 0);
        EXPECT_EQ(text("wallName", linked), "Brick");
        EXPECT_EQ(text("wallKey", linked), brick.toString().bytes());
        EXPECT_EQ(static_cast<const RealParameter&>(*target.find(String("thick"))).getValue(linked, 0), 0.3);
    }
    Guid made = db->findRecordIdByName(String("New"), Guid(), String("wall"));
    ASSERT_TRUE(made.isValid());
    EXPECT_EQ(integer("wallStatus", 2), 0);
    EXPECT_EQ(text("wallKey", 2), made.toString().bytes());
    EXPECT_EQ(integer("wallStatus", 8), 9);
    EXPECT_EQ(text("wallName", 8) + text("wallEcho", 8) + text("wallKey", 8), "");
    EXPECT_EQ(db->getDefaultRecordId(), stone);
    EXPECT_EQ(integer("wallStatus", 9), 0);
    EXPECT_EQ(text("wallKey", 9), stone.toString().bytes());
    EXPECT_EQ((std::set<std::string>{text("wallMenu", 0), text("wallMenu", 1), text("wallMenu", 2)}),
              (std::set<std::string>{"Brick", "New", "Stone"}));
    EXPECT_EQ(rowCounts(), before);

    // Indices that would pass 2^64 - 1, or lie past the status array, reach no element.
    const uint64_t last = std::numeric_limits<uint64_t>::max();
    for (auto [first, statusRow] : {std::pair{last, uint64_t(0)}, {uint64_t(1), last}, {Rows, uint64_t(0)}}) {
        wall().getIndexRange().setRow(first);
        wall().getStatusParameter().setRow(statusRow);
        EXPECT_FALSE(wall().applyTo(target, *db));
        EXPECT_EQ(rowCounts(), before);
    }
}

TEST_F(PresetTest, RefreshFollowsATypedNameThenTheKeyThenTheDefault) {
    Guid brick = addRecord(*db, "wall", "Brick");
    Guid stone = addRecord(*db, "wall", "Stone");
    Guid gone = addRecord(*db, "wall", "Gone", true);
    addRecord(*db, "skin", "Lime");
    db->setDefaultRecordId(brick);
    struct {
        const char* name;
        const char* echo;
        Guid key;
        Guid linked; // empty: none
    } cases[] = {
        {"Stone", "Brick", brick, stone},             // a typed name
        {"Lime", "Brick", stone, stone},              // a name of another type's record
        {"Brick", "Brick", Guid().generate(), brick}, // a stale key takes the default
        {"Gone", "Gone", gone, Guid()},               // deleted: missing
    };
    for (const auto& c : cases) {
        setLink(0, c.name, c.echo, c.key, 0);
        wall().refreshFromRecord(target, 0, *db);
        EXPECT_EQ(integer("wallStatus", 0), c.linked.isValid() ? 0 : 1) << c.name;
        if (c.linked.isValid()) {
            EXPECT_EQ(text("wallKey", 0), c.linked.toString().bytes()) << c.name;
        }
    }
}

TEST_F(PresetTest, ATypedNameOfAnotherTypesRecordFallsBackToTheKeyThenTheDefault) {
    Guid brick = addRecord(*db, "wall", "Brick");
    Guid oak = addRecord(*db, "door", "Oak");
    Guid pine = addRecord(*db, "door", "Pine");
    Guid lime = addRecord(*db, "skin", "Lime");
    // Door names are unique over every record, so a door's name look-up meets the skin too.
    Preset door;
    ASSERT_TRUE(readXML(door, "<preset type=\"door\" menuName=\"wallMenu\"><nameParameter name=\"wallName\"/>"
                              "<echoParameter name=\"wallEcho\"/><keyParameter name=\"wallKey\"/>"
                              "<statusParameter name=\"wallStatus\"/></preset>"));
    struct {
        Preset* preset;
        Guid defaultId;
        Guid key;
        Guid linked;
    } cases[] = {
        {&door, oak, pine, pine},             // the key
        {&door, oak, lime, oak},              // the key names another type's record: the default
        {&door, oak, Guid().generate(), oak}, // a stale key: the default
        {&wall(), brick, lime, brick},
    };
    for (const auto& c : cases) {
        db->setDefaultRecordId(c.defaultId);
        setLink(0, "Lime", "Brick", c.key, 0);
        c.preset->refreshFromRecord(target, 0, *db);
        EXPECT_EQ(integer("wallStatus", 0), 0) << c.preset->getType().bytes();
        EXPECT_EQ(text("wallKey", 0), c.linked.toString().bytes()) << c.preset->getType().bytes();
        EXPECT_EQ(text("wallName", 0), db->getRecord(c.linked)->getName().bytes());
    }
}

TEST_F(PresetTest, StoringLinksOnlyARecordOfThePresetsType) {
    addRecord(*db, "wall", "Old", true);
    Guid lime = addRecord(*db, "skin", "Lime");
    Preset roof(wall());
    ASSERT_TRUE(readXML(roof, "<preset type=\"roof\" menuName=\"wallMenu\"/>"));
    struct {
        Preset* preset;
        const char* name;
        Guid key;
        const char* stored; // empty: nothing stored
    } cases[] = {
        {&wall(), "Old", Guid(), "Old"}, // the deleted namesake makes way
        {&wall(), "", Guid(), "Untitled"},
        {&roof, "Flat", Guid(), ""},  // no template for the type
        {&wall(), "Lime2", lime, ""}, // the key names another type's record
    };
    for (const auto& c : cases) {
        setLink(0, c.name, "", c.key, 2);
        size_t count = db->size();
        c.preset->applyTo(target, *db);
        bool stored = *c.stored != 0;
        EXPECT_EQ(integer("wallStatus", 0), stored ? 0 : 2) << c.name;
        EXPECT_EQ(db->size(), count + (stored ? 1 : 0)) << c.name;
        if (stored) {
            EXPECT_EQ(text("wallName", 0), c.stored);
        }
    }
    EXPECT_TRUE(db->findRecordIdByName(String("Old1"), Guid()).isValid());
    EXPECT_EQ(db->getRecord(lime)->getName(), "Lime");
    // No record of the type leaves the menu one empty row.
    roof.applyTo(target, *db);
    EXPECT_EQ(target.find(String("wallMenu"))->getRowCount(), 1u);
    EXPECT_EQ(text("wallMenu", 0), "");
}

// The stored record is current again, so the next apply keeps the link and the user's values.
TEST_F(PresetTest, AStoreOntoADeletedRecordBringsItBackWithTheTargetsValues) {
    const Guid gone = addRecord(*db, "wall", "Gone", true);
    setLink(0, "Gone", "Gone", gone, 2);
    static_cast<RealParameter&>(*target.find(String("thick"))).setValue(0.45, 0, 0);
    EXPECT_TRUE(wall().applyTo(target, *db));
    EXPECT_EQ(integer("wallStatus", 0), 0);

    wall().applyTo(target, *db);
    EXPECT_EQ(integer("wallStatus", 0), 0);
    EXPECT_EQ(text("wallName", 0), "Gone");
    EXPECT_EQ(text("wallKey", 0), gone.toString().bytes());
    PresetDatabase::RecordPtr record = db->getRecord(gone, true);
    ASSERT_NE(record, nullptr);
    const auto* thickness =
        dynamic_cast<const PresetFieldType<RealSetting, double>*>(record->findField(String("thickness")));
    ASSERT_NE(thickness, nullptr);
    EXPECT_EQ(thickness->get(), 0.45);
    EXPECT_EQ(db->size(), 1u); // no second record
}

TEST_F(PresetTest, RecordsThatReferToEachOtherEndEveryWalk) {
    Guid brick = addRecord(*db, "wall", "Brick");
    Guid lime = addRecord(*db, "skin", "Lime");
    PresetRecord& a = *db->getRecord(brick);
    PresetRecord& b = *db->getRecord(lime);
    static_cast<PresetIDField&>(*a.findField(String("skin"))).set(lime);
    static_cast<PresetIDField&>(*b.findField(String("wall"))).set(brick);
    b.setField(String("material"), StringSetting(String("Oak")), 0);

    EXPECT_TRUE(wall().writeRecordToTarget(target, a, brick, 1, *db));
    EXPECT_EQ(text("skinName", 1), "Lime"); // the nested preset wrote its record
    EXPECT_EQ(text("material", 1), "Oak");
    EXPECT_FALSE(wall().findNestedPreset(String("unknown"), a, *db));
    EXPECT_FALSE(wall().matchParameters(a, String("unknown"), StringSetting(String("x")), 0, *db));
    EXPECT_TRUE(wall().findNestedPreset(String("oldMaterial"), a, *db));
    EXPECT_TRUE(wall().matchParameters(a, String("oldMaterial"), StringSetting(String("Lime")), 2, *db));
    EXPECT_EQ(b.findField(String("material"))->getValue(3)->asText(), "Lime");
    setLink(1, "Brick", "Brick", brick, 2);
    EXPECT_TRUE(wall().storeTargetAsRecord(target, 1, *db));
    EXPECT_EQ(integer("wallStatus", 1), 0);
}

TEST_F(PresetTest, TheConfigurationReadsAllOrNothing) {
    Preset& read = wall();
    EXPECT_EQ(read.getFilter(), nullptr);
    EXPECT_EQ(writeXML(read).find("<filter"), std::string::npos);
    EXPECT_TRUE(read.appliesTo(7));

    Preset more;
    ASSERT_TRUE(readXML(more, "<preset type=\"wall\" menuName=\"m\"><filter type=\"wall\"/>"
                              "<subtype>3</subtype><subtype>1</subtype></preset>"));
    ASSERT_NE(more.getFilter(), nullptr);
    EXPECT_EQ(more.getSubtypes(), (std::vector<uint32_t>{3, 1}));
    EXPECT_TRUE(more.appliesTo(1));
    EXPECT_FALSE(more.appliesTo(2));
    EXPECT_NE(Preset(more).getFilter(), nullptr);
    std::string written = writeXML(more);
    EXPECT_LT(written.find("<filter"), written.find("<nameParameter"));
    EXPECT_LT(written.find("<subtype>3"), written.find("<subtype>1"));

    for (const std::string bad :
         {"<preset type=\"wall\"/>", "<preset menuName=\"m\"/>",
          "<preset type=\"w\" menuName=\"m\"><indexRange><count>0</count></indexRange>"
          "</preset>"}) {
        DBClearPrintedText();
        DataBufferIn in{String(configuration(bad))};
        EXPECT_FALSE(library().read(in)) << bad;
        EXPECT_NE(DBPrintedText().find("could not be read"), std::string::npos);
        EXPECT_EQ(library().getPresetList().size(), 2u);
        EXPECT_NE(library().findPreset(String("skin"), String("skinMenu")), nullptr);
    }
}

TEST(TarnwickLibrary, TheAddonLoadsItsConfigurationWhenItStarts) {
    DBSetQuiet(true);
    registerPresetsModel();
    IO::Location folder;
    ASSERT_EQ(IO::GetSpecialFolder(IO::AddOnPreferencesScope2, &folder), 0);
    std::string path = folder.ToPath() + "/" + TarnwickLibrary::FileName;
    std::ofstream(path) << configuration(SkinPreset);
    {
        testsupport::ModuleUnderTest module;
        TarnwickLibrary* library = getAddon()->getTarnwickLibrary();
        ASSERT_NE(library, nullptr);
        EXPECT_EQ(library->getVersion(), 2u);
        EXPECT_NE(library->findPreset(String("skin"), String("skinMenu")), nullptr);
    }
    std::remove(path.c_str());
    DBSetQuiet(false);
}
