// The legacy preset import: the same presets in every byte order and version, the renamed legacy
// fields and the configuration's legacy parameters, records dropped or read through, 8-bit names,
// files cut short or hostile, and a cancel.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include "Environment/DataFile.h"
#include "Environment/TempFolder.h"
#include "LegacyPresetWriter.h"
#include "PresetTestSupport.h"
#include "persistence/UserDatabaseCollection.h"

using namespace presettest;

namespace {

const char* const Configuration =
    "<tarnwickLibrary><presetList>"
    "<preset type=\"wall\" menuName=\"wallMenu\"><settingList>"
    "<setting field=\"thickness\"><parameter name=\"thick\"/></setting></settingList></preset>"
    "<preset type=\"skin\" menuName=\"skinMenu\"><settingList>"
    "<setting field=\"material\"><parameter name=\"material\"/><legacy "
    "name=\"oldMaterial\"><column>1</column>"
    "</legacy></setting></settingList></preset>"
    "</presetList></tarnwickLibrary>";

const char* const BrickId = "{6B1E2C2A-6F4B-4C1D-9E0A-1B2C3D4E5F60}";
const char* const LimeId = "{0A0B0C0D-1111-2222-3333-444455556666}";

LegacyValue integer(const char* name, int32_t value) {
    return {name, 0, static_cast<double>(value), ""};
}
LegacyValue real(const char* name, double value) {
    return {name, 1, value, ""};
}
LegacyValue text(const char* name, std::string value) {
    return {name, 2, 0.0, std::move(value)};
}

// A wall in a nested group, one without its required thickness, a skin with a list, a preset
// of a type no template knows, and a skin whose id is no Guid. Names of 8-bit text in the
// platform's code page, Windows' or the Mac's: "Café" either way.
std::vector<LegacyGroup> sample(const std::string& platform) {
    std::string cafe = platform == "Win" ? "Caf\xE9" : "Caf\x8E";
    LegacyPreset brick{
        "Brick", BrickId, {real("thick", 0.3), integer("tarnViewFill", 7), real("unknown", 1.0)}, {}};
    LegacyPreset thin{"Thin", "{00000000-0000-0000-0000-00000000000A}", {integer("tarnViewFill", 2)}, {}};
    LegacyPreset lime{cafe,
                      LimeId,
                      {text("material", "Lime")},
                      {{"oldMaterial", 2, 2, 1, {text("", "Oak"), text("", "Ash")}}}};
    LegacyPreset loose{"Loose", "not a guid", {text("material", "Clay")}, {}};
    LegacyPreset chair{"Chair",
                       "{00000000-0000-0000-0000-00000000000B}",
                       {real("thick", 1.0)},
                       {{"seats", 0, 1, 3, {integer("", 1), integer("", 2), integer("", 3)}}}};
    return {{"LegacyWall", {{"Inner", {}, {brick}}}, {thin}},
            {"LegacySkin", {}, {lime, loose}},
            {"LegacyChair", {}, {chair}}};
}

// Enough walls, each with an id of its own and a list, that the file is larger than the blocks a
// file is read in, with values across the block boundaries.
std::vector<LegacyGroup> manyWalls(int count) {
    LegacyGroup walls{"LegacyWall", {}, {}};
    for (int i = 0; i < count; ++i) {
        char id[40];
        std::snprintf(id, sizeof id, "{00000000-0000-0000-0000-%012d}", i + 1);
        walls.presets.push_back({"Wall " + std::to_string(i),
                                 id,
                                 {real("thick", 0.1 + i * 0.001), integer("tarnViewFill", i % 9)},
                                 {{"seats", 0, 1, 3, {integer("", i), integer("", 2), integer("", 3)}}}});
    }
    return {walls};
}

class LegacyImport : public PresetFixture {
protected:
    void SetUp() override {
        PresetFixture::SetUp();
        DataBufferIn in{String(Configuration)};
        ASSERT_TRUE(getAddon()->getTarnwickLibrary()->read(in));
    }

    static bool import(PresetDatabase& into, const std::string& bytes) {
        DataBufferIn in{String(bytes)};
        return into.importLegacyFile(in);
    }
    // Everything but the id made for the record without one.
    static std::string dump(PresetDatabase& database) {
        PresetDatabase copy;
        for (const auto& [id, record] : database)
            copy.insert(record->getName() == "Loose" ? Guid(String("{00000000-0000-0000-0000-0000000000FF}"))
                                                     : id,
                        record);
        return writeXML(copy);
    }
};

TEST_F(LegacyImport, EveryPlatformAndVersionGivesTheSameRecords) {
    PresetDatabase reference;
    ASSERT_TRUE(import(reference, LegacyFile("Win", 6).write(sample("Win"))));
    ASSERT_EQ(reference.size(), 3u);
    auto brick = reference.getRecord(Guid(String(BrickId)));
    ASSERT_TRUE(brick);
    EXPECT_EQ(brick->getName(), "Brick");
    EXPECT_DOUBLE_EQ(brick->findField(String("thickness"))->getValue(0)->asDouble(), 0.3);
    EXPECT_EQ(brick->findField(String("viewFillType"))->getValue(0)->asInt32(), 7);
    auto lime = reference.getRecord(Guid(String(LimeId)));
    ASSERT_TRUE(lime);
    EXPECT_EQ(lime->getName(), "Caf\xC3\xA9");
    const PresetField& material = *lime->findField(String("material"));
    ASSERT_EQ(material.getValueCount(), 3u);
    EXPECT_EQ(material.getValue(2)->asText(), "Ash");
    // The record without a Guid got one of its own.
    EXPECT_TRUE(reference.findRecordIdByName(String("Loose"), Guid()).isValid());

    struct Case {
        const char* platform;
        int version;
        const char* nameAndVersion;
    } cases[] = {{"Mtl", 6, ""}, {"Mac", 6, ""}, {"Win", 2, ""},       {"Mac", 3, ""},
                 {"Win", 4, ""}, {"Win", 5, ""}, {"Win", 3, "Name:3"}, {"Mac", 6, "6"}};
    for (const Case& c : cases) {
        PresetDatabase other;
        EXPECT_TRUE(
            import(other, LegacyFile(c.platform, c.version, c.nameAndVersion).write(sample(c.platform))))
            << c.platform << " " << c.version;
        EXPECT_EQ(dump(other), dump(reference)) << c.platform << " " << c.version;
    }
}

TEST_F(LegacyImport, DecodedNamesSurviveTheProjectsXML) {
    PresetDatabase imported;
    ASSERT_TRUE(import(imported, LegacyFile("Mac", 6).write(sample("Mac"))));
    PresetDatabase reopened;
    ASSERT_TRUE(readXML(reopened, writeXML(imported)));
    ASSERT_TRUE(reopened.getRecord(Guid(String(LimeId))));
    EXPECT_EQ(reopened.getRecord(Guid(String(LimeId)))->getName(), "Caf\xC3\xA9");
}

TEST_F(LegacyImport, NoGroupsIsAFileOfNothing) {
    PresetDatabase imported;
    EXPECT_TRUE(import(imported, LegacyFile().write({})));
    EXPECT_EQ(imported.size(), 0u);
}

// Every prefix fails, and keeps what it read before the cut.
TEST_F(LegacyImport, AFileCutShortFailsKeepingEarlierRecords) {
    const std::string whole = LegacyFile("Mac", 6).write(sample("Mac"));
    size_t before = 0;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        PresetDatabase imported;
        EXPECT_FALSE(import(imported, whole.substr(0, cut))) << cut;
        EXPECT_GE(imported.size(), before) << cut;
        before = imported.size();
    }
    EXPECT_EQ(before, 3u);
}

TEST_F(LegacyImport, HostileCountsNestingAndKindsFailQuickly) {
    auto withGroup = [](int32_t groups, int32_t subgroups, int32_t presets) {
        LegacyFile file;
        file.header(groups);
        file.text("LegacyWall");
        file.text("c");
        file.i32(subgroups);
        file.i32(presets);
        return file.bytes;
    };
    auto withList = [](int32_t kind, int32_t rows, int32_t columns) {
        LegacyFile file;
        LegacyPreset brick{"Brick", BrickId, {}, {}};
        file.header(1);
        file.text("LegacyWall");
        file.text("c");
        file.i32(0);
        file.i32(1);
        file.preset(brick);
        file.bytes.resize(file.bytes.size() - 4); // no lists yet: one of our own
        file.i32(1);
        file.text("thick");
        file.i32(kind);
        file.i32(rows);
        file.i32(columns);
        file.f64(1.0);
        return file.bytes;
    };
    LegacyFile deep;
    deep.header(1);
    for (int depth = 0; depth < 100000; ++depth) {
        deep.text("g");
        deep.text("c");
        deep.i32(1);
    }
    LegacyFile badValueKind;
    badValueKind.write(
        std::vector<LegacyGroup>{{"LegacyWall", {}, {{"Brick", BrickId, {{"thick", -1, 0, ""}}, {}}}}});

    // A real that is no number, in a preset's own values, in a list, or in a preset no template reads.
    auto withReal = [](double value, bool inList, const char* type) {
        LegacyPreset brick{"Brick", BrickId, {}, {}};
        if (inList)
            brick.lists.push_back({"thick", 1, 2, 1, {real("", 0.3), real("", value)}});
        else
            brick.values = {real("thick", 0.3), real("unknown", value)};
        return LegacyFile().write(std::vector<LegacyGroup>{{type, {}, {brick}}});
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();

    const std::pair<const char*, std::string> cases[] = {
        {"a value that is no number", withReal(nan, false, "LegacyWall")},
        {"an infinite value", withReal(infinity, false, "LegacyWall")},
        {"a negative infinite value in a list", withReal(-infinity, true, "LegacyWall")},
        {"a value that is no number in a list", withReal(nan, true, "LegacyWall")},
        {"a value that is no number of a preset read through", withReal(nan, false, "LegacyChair")},
        {"negative groups", withGroup(-1, 0, 0)},
        {"groups past the end", withGroup(0x7fffffff, 0, 0)},
        {"negative sub-groups", withGroup(1, -5, 0)},
        {"sub-groups past the end", withGroup(1, 0x7fffffff, 0)},
        {"presets past the end", withGroup(1, 0, 0x7fffffff)},
        {"rows times columns past 32 bits", withList(1, 0x7fffffff, 0x7fffffff)},
        {"negative columns", withList(1, 2, -3)},
        {"list kind 3", withList(3, 1, 1)},
        {"list kind -1", withList(-1, 1, 1)},
        {"value kind -1", badValueKind.bytes},
        {"groups 100000 deep", deep.bytes},
        {"another header", std::string("TarnwickPresetFil\0Win\0", 22)},
        {"another platform", std::string("TarnwickPresetFile\0Amiga\0S:6\0", 30)},
        {"no version", std::string("TarnwickPresetFile\0Win\0S:\0", 27)},
    };
    for (const auto& [what, bytes] : cases) {
        PresetDatabase imported;
        EXPECT_FALSE(import(imported, bytes)) << what;
        EXPECT_EQ(imported.getRecord(Guid(String(BrickId))), nullptr) << what;
    }
    // The same files with a number in its place import.
    for (bool inList : {false, true}) {
        PresetDatabase imported;
        EXPECT_TRUE(import(imported, withReal(1e308, inList, "LegacyWall"))) << inList;
        EXPECT_NE(imported.getRecord(Guid(String(BrickId))), nullptr) << inList;
    }
}

TEST_F(LegacyImport, AFileLargerThanOneBlockImportsAsFromMemory) {
    for (const char* platform : {"Win", "Mac"}) {
        const std::string bytes = LegacyFile(platform, 6).write(manyWalls(500));
        ASSERT_GT(bytes.size(), DataBufferIn::BlockSize) << platform;
        PresetDatabase fromMemory;
        ASSERT_TRUE(import(fromMemory, bytes)) << platform;
        EXPECT_EQ(fromMemory.size(), 500u) << platform;

        TempFolder folder;
        std::ofstream(folder.path("walls.dat"), std::ios::binary) << bytes;
        DataFile file{String(folder.path("walls.dat"))};
        DataBufferIn in(file);
        PresetDatabase fromFile;
        ASSERT_TRUE(fromFile.importLegacyFile(in)) << platform;
        EXPECT_EQ(writeXML(fromFile), writeXML(fromMemory)) << platform;
    }
}

TEST_F(LegacyImport, ACancelStopsBeforeTheNextGroup) {
    module->host().processWindow().cancelAfter(1);
    PresetDatabase imported;
    EXPECT_FALSE(import(imported, LegacyFile().write(sample("Win"))));
    EXPECT_EQ(imported.size(), 1u); // the first group's wall
}

// With ZAV_LEGACY_SEEDS naming a folder, the files of these tests are written there as the fuzz
// target's seeds, with the chair styles that the presets scenario imports into the demonstration
// (the one beyond one block goes with the large seeds, fuzz/large/legacy_presets/).
TEST(LegacySeeds, WrittenOnRequest) {
    const char* folder = std::getenv("ZAV_LEGACY_SEEDS");
    if (folder == nullptr) GTEST_SKIP() << "ZAV_LEGACY_SEEDS names no folder";
    std::ofstream(std::filesystem::path(folder) / "chair-styles.dat", std::ios::binary)
        << LegacyFile("Win", 6).write(
               {{"ChairStyle",
                 {},
                 {{"Teak Three", "", {integer("legCount", 3), text("Finish", "Teak")}, {}},
                  {"Elm Five", "", {integer("legCount", 5), text("Finish", "Elm")}, {}}}}});
    int n = 0;
    for (const char* platform : {"Win", "Mtl", "Mac"})
        for (int version = 2; version <= 6; ++version) {
            std::ofstream out(std::filesystem::path(folder) / ("sample-" + std::to_string(++n) + ".dat"),
                              std::ios::binary);
            out << LegacyFile(platform, version).write(sample(platform));
        }
    std::ofstream(std::filesystem::path(folder) / "beyond-one-block.dat", std::ios::binary)
        << LegacyFile("Mac", 6).write(manyWalls(500));
}

// With ZAV_PRESET_SEEDS naming a folder, the presets these tests import are exported there as the
// preset manager writes them, seeds of the fuzz target of preset documents, with the configuration
// (the one beyond one chunk goes with the large seeds, fuzz/large/preset_documents/).
TEST_F(LegacyImport, ExportSeedsWrittenOnRequest) {
    const char* folder = std::getenv("ZAV_PRESET_SEEDS");
    if (folder == nullptr) GTEST_SKIP() << "ZAV_PRESET_SEEDS names no folder";
    std::ofstream(std::filesystem::path(folder) / "configuration.xml", std::ios::binary) << Configuration;
    const std::pair<const char*, std::string> files[] = {
        {"sample.presets", LegacyFile().write(sample("Win"))},
        {"beyond-one-chunk.presets", LegacyFile().write(manyWalls(250))}};
    for (const auto& [name, bytes] : files) {
        auto database = std::make_shared<PresetDatabase>();
        ASSERT_TRUE(import(*database, bytes)) << name;
        UserDatabaseCollection collection;
        collection.setElementName(String(PresetDatabase::DocumentName));
        collection.addDatabase(database);
        String text;
        DataBufferOut out;
        ASSERT_TRUE(out.open(text));
        XMLWriter writer(out);
        ASSERT_TRUE(writer.write(collection, true, 1, true, true)) << name;
        ASSERT_TRUE(out.close());
        std::ofstream(std::filesystem::path(folder) / name, std::ios::binary) << text.bytes();
    }
}

} // namespace
