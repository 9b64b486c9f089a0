// The preset database: unique names, adding, putting and merging, the order by name, deleted
// records skipped and left out of menus, the field limit, the XML document and the project's "PSET"
// package across a save.
#include <algorithm>
#include <set>
#include <vector>

#include "../Environment/TempFolder.h"
#include "PresetTestSupport.h"
#include "platform/host/ProjectFile.h"
#include "presets/UniqueName.h"

using namespace presettest;

TEST(UniqueName, CountsOnTheDigitsAfterTheBase) {
    struct Case {
        const char* wanted;
        std::vector<const char*> taken;
        const char* expected;
    } cases[] = {
        {"Wall", {"Wall", "Wall2"}, "Wall3"},
        {"Wall01", {"Wall01"}, "Wall02"},
        {"Wall 07", {"Wall 07", "Wall 12"}, "Wall 13"},
        {"Wall 07", {"Wall 07", "Wall 9"}, "Wall 10"},
        {"Wall", {"Wall", "Wallpaper"}, "Wall1"},
        {"Door", {"Wall", "Wall1"}, "Door"},
        {"12", {"12", "7", "x"}, "13"},
        {"", {""}, "1"},
        {"Wall99999999999999999999", {"Wall99999999999999999999"}, "Wall100000000000000000000"},
    };
    for (const Case& c : cases) {
        UniqueName unique{String(c.wanted)};
        for (const char* name : c.taken)
            unique.note(String(name));
        EXPECT_EQ(unique.result(), c.expected) << c.wanted;
    }
}

TEST_F(PresetFixture, NamesAreUniqueWithinTheKindsSetAndDeletedNamesakesMakeWay) {
    Guid wall = addRecord(*db, "wall", "Brick");
    addRecord(*db, "wall", "Stone", true);
    addRecord(*db, "door", "Oak");
    ASSERT_EQ(selectTemplate(String("wall"), true), 1);
    Guid again = db->add(Guid(), String("Brick"), Guid());
    EXPECT_EQ(db->getRecord(again)->getName(), "Brick1");
    Guid stone = db->add(Guid(), String("Stone"), Guid());
    EXPECT_EQ(db->getRecord(stone)->getName(), "Stone");
    EXPECT_EQ(db->getRecord(db->findRecordIdByName(String("Stone1"), Guid()))->isDeleted(), true);
    EXPECT_EQ(db->getRecord(db->add(Guid(), String(), Guid()))->getName(), "Untitled");
    // A copy of a record is named as it; a record never collides with itself.
    EXPECT_EQ(db->getRecord(db->add(wall, String("ignored"), Guid()))->getName(), "Brick2");
    db->makeUnique(*db->getRecord(wall));
    EXPECT_EQ(db->getRecord(wall)->getName(), "Brick");
    // Kind 1 counts names of the type alone, kind 2 every name.
    ASSERT_EQ(selectTemplate(String("skin"), true), 1);
    EXPECT_EQ(db->getRecord(db->add(Guid(), String("Oak"), Guid()))->getName(), "Oak");
    ASSERT_EQ(selectTemplate(String("door"), true), 1);
    EXPECT_EQ(db->getRecord(db->add(Guid(), String("Brick"), Guid()))->getName(), "Brick3");
    // The variant a deleted namesake takes to make way is taken by no record.
    String variant = db->nextNameVariant(*db->getRecord(wall));
    EXPECT_EQ(variant, "Brick3");
    EXPECT_FALSE(db->findRecordIdByName(variant, Guid(), String("wall")).isValid());
}

TEST_F(PresetFixture, PutTakesOnlyValidIdsAndRecordsOfTheSameType) {
    Guid id = Guid().generate();
    auto wall = [](const char* name) {
        std::shared_ptr<PresetRecord> record = makeFromTemplate(String("wall"));
        record->setName(String(name));
        return record;
    };
    EXPECT_FALSE(db->put(Guid(), wall("A")));
    EXPECT_FALSE(db->put(id, nullptr));
    EXPECT_TRUE(db->empty());
    db->insert(id, nullptr); // a placeholder gives way
    EXPECT_TRUE(db->put(id, wall("B")));
    EXPECT_FALSE(db->put(id, std::shared_ptr<PresetRecord>(makeFromTemplate(String("skin")))));
    EXPECT_TRUE(db->put(id, wall("C")));
    EXPECT_EQ(db->getRecord(id)->getName(), "C");

    PresetDatabase other;
    Guid second = Guid().generate();
    other.insert(second, wall("D"));
    other.insert(id, wall("E"));
    db->merge(other);
    EXPECT_EQ(db->getRecord(second)->getName(), "D");
    EXPECT_EQ(db->getRecord(id)->getName(), "E");

    Guid missing = Guid().generate();
    std::shared_ptr<PresetRecord> made = db->getOrMakeRecord(missing);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->getName(), "Missing ");
    EXPECT_TRUE(made->isDeleted());
    EXPECT_EQ(made->getDate(), DateTime());
    EXPECT_EQ(db->getOrMakeRecord(Guid()), nullptr);
}

TEST_F(PresetFixture, ARecordIsRemovedOrMarkedDeletedByItsIdAndOnlyItsOwn) {
    const Guid brick = addRecord(*db, "wall", "Brick");
    const Guid stone = addRecord(*db, "wall", "Stone");
    const Guid oak = addRecord(*db, "door", "Oak");
    const Guid placeholder = Guid().generate();
    db->insert(placeholder, nullptr);
    ASSERT_EQ(db->size(), 4u);

    EXPECT_TRUE(db->setDeleted(stone, true));
    EXPECT_TRUE(db->getRecord(stone)->isDeleted());
    EXPECT_FALSE(db->getRecord(brick)->isDeleted());
    EXPECT_TRUE(db->setDeleted(stone, false));
    EXPECT_FALSE(db->getRecord(stone)->isDeleted());
    EXPECT_FALSE(db->setDeleted(Guid().generate(), true));
    EXPECT_FALSE(db->setDeleted(Guid(), true));

    EXPECT_TRUE(db->remove(stone));
    EXPECT_EQ(db->getRecord(stone), nullptr);
    EXPECT_EQ(db->find(stone), db->end());
    EXPECT_EQ(db->size(), 3u);
    EXPECT_EQ(db->getRecord(brick)->getName(), "Brick");
    EXPECT_EQ(db->getRecord(oak)->getName(), "Oak");
    EXPECT_FALSE(db->remove(stone)); // gone already
    EXPECT_FALSE(db->remove(Guid().generate()));
    EXPECT_FALSE(db->remove(Guid()));
    EXPECT_TRUE(db->remove(placeholder)); // a placeholder is an entry too
    EXPECT_EQ(db->size(), 2u);
}

TEST_F(PresetFixture, PresetsAreOrderedByNameWithoutRegardToCase) {
    addRecord(*db, "wall", "banana");
    addRecord(*db, "wall", "Cherry");
    addRecord(*db, "door", "apple");
    addRecord(*db, "wall", "BLUE");
    db->insert(Guid().generate(), nullptr);
    std::vector<const PresetDatabase::RecordMap::value_type*> entries;
    for (const auto& entry : *db)
        entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(),
              [](const auto* a, const auto* b) { return PresetDatabase::lessByName(*a, *b); });
    std::vector<std::string> order;
    for (const auto* entry : entries)
        order.push_back(entry->second ? entry->second->getName().bytes() : "(none)");
    EXPECT_EQ(order, (std::vector<std::string>{"(none)", "apple", "banana", "BLUE", "Cherry"}));

    // Names that differ only in case are neither before the other.
    auto entry = [](const char* name) {
        std::shared_ptr<PresetRecord> record = makeFromTemplate(String("wall"));
        record->setName(String(name));
        return PresetDatabase::RecordMap::value_type(Guid().generate(), record);
    };
    EXPECT_FALSE(PresetDatabase::lessByName(entry("Oak"), entry("oAK")));
    EXPECT_FALSE(PresetDatabase::lessByName(entry("oAK"), entry("Oak")));
    EXPECT_TRUE(PresetDatabase::lessByName(entry("ash"), entry("Oak")));
    EXPECT_FALSE(PresetDatabase::lessByName(entry("Oak"), entry("ash")));
}

namespace {
// Lets every record through, deleted ones too.
class EveryRecord : public PresetRecordFilter {
public:
    bool test(const Guid&, const PresetRecord* record) const override { return record != nullptr; }
};
} // namespace

TEST_F(PresetFixture, ADeletedRecordIsMissingWhenDeletedOnesAreSkippedAndNeverInTheMenu) {
    const Guid brick = addRecord(*db, "wall", "Brick");
    const Guid stone = addRecord(*db, "wall", "Stone", true);
    EXPECT_NE(db->getRecord(stone), nullptr);
    EXPECT_EQ(db->getRecord(stone, true), nullptr);
    EXPECT_NE(db->getRecord(brick, true), nullptr);
    // Brick is the one live record: the deleted one is never the default.
    db->setDefaultRecordId(stone);
    EXPECT_EQ(db->getDefaultRecordId(), brick);
    addRecord(*db, "door", "Oak");

    StringParameter menu(String("menu"), String(), 0, 1, 0, true);
    const EveryRecord every;
    for (const PresetRecordFilter* filter :
         {static_cast<const PresetRecordFilter*>(nullptr), static_cast<const PresetRecordFilter*>(&every)}) {
        ASSERT_TRUE(menu.setRowCount(3));
        EXPECT_TRUE(db->fillNameList(menu, String("wall"), filter));
        ASSERT_EQ(menu.getRowCount(), 1u);
        EXPECT_EQ(menu.getValue(0, 0), "Brick");
    }
    // Restored, it is listed again.
    ASSERT_TRUE(db->setDeleted(stone, false));
    EXPECT_TRUE(db->fillNameList(menu, String("wall"), &every));
    ASSERT_EQ(menu.getRowCount(), 2u);
    EXPECT_EQ((std::set<std::string>{menu.getValue(0, 0).bytes(), menu.getValue(1, 0).bytes()}),
              (std::set<std::string>{"Brick", "Stone"}));
    EXPECT_EQ(db->getRecord(stone, true), db->getRecord(stone));
}

TEST(PresetField, HoldsAtMost4096Values) {
    PresetFieldType<Int32Setting, int32_t> field(String("pen"));
    EXPECT_TRUE(field.isUnset());
    EXPECT_TRUE(field.set(7, PresetField::MaxValues - 1));
    EXPECT_FALSE(field.set(8, PresetField::MaxValues));
    EXPECT_EQ(field.getValueCount(), PresetField::MaxValues);
    EXPECT_EQ(field.get(PresetField::MaxValues - 1), 7);
    EXPECT_EQ(field.get(0), 0);
    EXPECT_FALSE(field.isUnset());

    std::string text = "<pen>";
    for (size_t i = 0; i <= PresetField::MaxValues; ++i)
        text += "<value>" + std::to_string(i) + "</value>";
    PresetFieldType<Int32Setting, int32_t> read(String("pen"));
    read.beginRead();
    ASSERT_TRUE(readXML(read, text + "</pen>"));
    EXPECT_EQ(read.getValueCount(), PresetField::MaxValues);
    EXPECT_EQ(read.get(PresetField::MaxValues - 1), 4095);
}

TEST_F(PresetFixture, DocumentRoundTripsNestedListsUnknownTypesAndTheDefault) {
    Guid skin = addRecord(*db, "skin", "Render");
    Guid other = addRecord(*db, "skin", "Plaster");
    Guid wall = addRecord(*db, "wall", "Brick <1>");
    PresetRecord& brick = *db->getRecord(wall);
    ASSERT_TRUE(brick.setField(String("thickness"), RealSetting(0.3), 0));
    ASSERT_TRUE(brick.setField(String("pen"), Int32Setting(5), 2));
    auto& reference = static_cast<PresetIDField&>(*brick.findField(String("skin")));
    reference.set(skin);
    std::unique_ptr<PresetRecord> inner = makeFromTemplate(String("skin"));
    inner->setName(String("Inner"));
    inner->setField(String("material"), StringSetting(String("Oak")), 0);
    reference.setNestedRecord(std::move(inner));
    auto& allowed = static_cast<PresetIDField&>(*brick.findField(String("allowed")));
    allowed.set(other, 0);
    allowed.set(skin, 1);

    std::string noDefault = writeXML(*db);
    EXPECT_EQ(noDefault.find("<default>"), std::string::npos);
    db->setDefaultRecordId(wall);
    db->insert(Guid().generate(), nullptr);

    String text;
    DataBufferOut out;
    ASSERT_TRUE(out.open(text));
    XMLWriter writer(out);
    ASSERT_TRUE(db->writeDocument(writer, true, false));
    ASSERT_TRUE(out.close());
    // A record of a type no template here knows, and a second record under a Guid already read.
    std::string stored = text.bytes();
    std::string roof = "<roof id=\"" + Guid().generate().toString().bytes() +
                       "\"><name>Flat</name><slope><value>3</value></slope></roof>";
    std::string duplicate = "<skin id=\"" + skin.toString().bytes() + "\"><name>Again</name></skin>";
    stored.insert(stored.find("</records>"), roof + duplicate);

    DataBufferIn in{String(stored)};
    std::unique_ptr<PresetDatabase> back = PresetDatabase::readDocument(in);
    ASSERT_NE(back, nullptr) << DBPrintedText();
    EXPECT_EQ(back->size(), 4u);
    EXPECT_EQ(back->getRecord(skin)->getName(), "Render");
    EXPECT_EQ(back->getDefaultRecordId(), wall);
    PresetRecord& read = *back->getRecord(wall);
    EXPECT_EQ(read.getName(), "Brick <1>");
    EXPECT_FALSE(read.findField(String("thickness"))->isUnset());
    EXPECT_EQ(read.findField(String("pen"))->getValueCount(), 3u);
    EXPECT_EQ(read.findField(String("pen"))->getValue(2)->asInt32(), 5);
    auto& readAllowed = static_cast<PresetIDField&>(*read.findField(String("allowed")));
    EXPECT_EQ(readAllowed.find(skin), 1);
    EXPECT_EQ(readAllowed.find(wall), -1);
    PresetRecord* nested = static_cast<PresetIDField&>(*read.findField(String("skin"))).getNestedRecord();
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->getMemberText(PresetRecord::NameField), "Inner");
    EXPECT_FALSE(back->hasType(String("roof")));

    String again;
    DataBufferOut second;
    ASSERT_TRUE(second.open(again));
    XMLWriter rewriter(second);
    ASSERT_TRUE(back->writeDocument(rewriter, false, false));
    ASSERT_TRUE(second.close());
    // Everything comes back as it was written, the unknown record included and the second one of
    // a Guid left out.
    std::string rewritten = again.bytes();
    size_t at = rewritten.find(roof);
    ASSERT_NE(at, std::string::npos) << rewritten;
    EXPECT_EQ(rewritten.erase(at, roof.size()), text.bytes());
}

TEST_F(PresetFixture, ThePackageSurvivesASaveAndAnUnreadableOneIsLeftAsStored) {
    TempFolder temp;
    Guid wall = addRecord(*db, "wall", "Brick");
    db->getRecord(wall)->setField(String("thickness"), RealSetting(0.25), 0);
    ASSERT_EQ(module->host().saveAndReopenProject(temp.path("house.zavproj")), 0);
    PresetDatabase* reopened = projectPresets();
    ASSERT_NE(reopened, nullptr);
    ASSERT_NE(reopened->getRecord(wall), nullptr);
    EXPECT_EQ(reopened->getRecord(wall)->findField(String("thickness"))->getValue(0)->asDouble(), 0.25);

    // A record without a name fails its check: the project runs on an empty database and its
    // stored presets stay as they were.
    const std::string refused =
        "<presetDatabase><records><wall id=\"" + wall.toString().bytes() +
        "\"><thickness><value>1</value></thickness></wall></records></presetDatabase>";
    zavhost::Project file;
    file.name = "damaged";
    file.model.moduleData = "<frameworkPreferenceStore>" + refused + "</frameworkPreferenceStore>";
    std::string path = temp.path("damaged.zavproj");
    std::string why;
    ASSERT_TRUE(zavhost::ProjectFile::save(file, path, &why)) << why;
    ASSERT_EQ(module->host().openProject(path), 0);
    ASSERT_NE(projectPresets(), nullptr);
    EXPECT_TRUE(projectPresets()->empty());
    ASSERT_EQ(module->host().saveProject(path), 0);
    EXPECT_NE(module->host().project()->model.moduleData->find(refused), std::string::npos);
}
