#include <cstdio>
#include <fstream>

#include "HostTestSupport.h"
#include "ModelTestSupport.h"
#include "platform/host/ProjectFile.h"

using namespace zavhost;

namespace {
Project sampleProject() {
    Project project;
    project.name = "Sample House";
    project.model.texts["city"] = "Leeds";
    project.model.texts[""] = std::string("with\0nul", 8);
    project.model.moduleData = std::string("<zav>\0\xff</zav>", 13);
    project.model.keyedModuleData["copy"] = std::string("<cut\0", 5);
    project.model.keyedModuleData["other key"] = "";
    return project;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string u32(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>(v >> (8 * i));
    return s;
}

std::string header(uint32_t version = ProjectFile::currentVersion) {
    return std::string(ProjectFile::magic, sizeof ProjectFile::magic) + u32(version);
}
std::string chunk(const char (&tag)[5], const std::string& payload) {
    return u32(fourCC(tag)) + u32(static_cast<uint32_t>(payload.size())) + payload;
}
} // namespace

TEST(ProjectFile, RoundTripKeepsEverythingButTheUndoHistory) {
    Project project = sampleProject();
    project.undoSteps.push_back({"Gone"});
    Project loaded;
    std::string error;
    ASSERT_TRUE(ProjectFile::decode(ProjectFile::encode(project), &loaded, &error)) << error;
    EXPECT_EQ(loaded.name, project.name);
    EXPECT_EQ(loaded.model, project.model);
    EXPECT_TRUE(loaded.undoSteps.empty());

    Project noData;
    noData.name = "Empty";
    ASSERT_TRUE(ProjectFile::decode(ProjectFile::encode(noData), &loaded, &error)) << error;
    EXPECT_FALSE(loaded.model.moduleData.has_value());
    EXPECT_TRUE(loaded.model.texts.empty());
}

TEST(ProjectFile, EveryTruncationFailsAndLeavesTheTargetAlone) {
    const std::string bytes = ProjectFile::encode(sampleProject());
    for (size_t length = 0; length < bytes.size(); ++length) {
        Project target;
        target.name = "untouched";
        std::string error;
        EXPECT_FALSE(ProjectFile::decode(std::string_view(bytes).substr(0, length), &target, &error))
            << length;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(target.name, "untouched");
    }
}

TEST(ProjectFile, HostileLengthsAndLayoutsFailCleanly) {
    Project target;
    std::string error;
    const std::string name = chunk("NAME", "x");
    const std::string end = chunk("END ", "");
    auto fails = [&](const std::string& bytes, const std::string& why) {
        error.clear();
        EXPECT_FALSE(ProjectFile::decode(bytes, &target, &error)) << why;
        EXPECT_NE(error.find(why), std::string::npos) << error;
    };
    fails("not a project file at all", "not a project file");
    fails(header(0) + name + end, "version 0");
    fails(header(ProjectFile::currentVersion + 1) + name + end, "not supported");
    fails(header() + u32(fourCC("NAME")) + u32(0xFFFFFFFFu) + "x", "longer than the bytes that remain");
    fails(header() + name + chunk("TEXT", u32(0x7FFFFFFF)) + end, "claims more texts");
    fails(header() + name + chunk("TEXT", u32(1) + u32(100) + "k" + u32(0)) + end, "runs past its end");
    fails(header() + name + chunk("TEXT", u32(2) + u32(1) + "k" + u32(0) + u32(1) + "k" + u32(0)) + end,
          "given twice");
    fails(header() + name + chunk("TEXT", u32(0) + "extra") + end, "left over");
    fails(header() + name + chunk("MDKY", u32(0x7FFFFFFF)) + end, "claims more keys");
    fails(header() + name + chunk("MDKY", u32(1) + u32(1) + "k" + u32(9) + "v") + end, "runs past its end");
    fails(header() + name + chunk("MDKY", u32(1) + u32(0) + u32(1) + "v") + end, "not one the host takes");
    fails(header() + name + chunk("MDKY", u32(1) + u32(256) + std::string(256, 'k') + u32(0)) + end,
          "not one the host takes");
    fails(header() + name + chunk("MDKY", u32(1) + u32(3) + std::string("k\0k", 3) + u32(0)) + end,
          "not one the host takes");
    fails(header() + name + chunk("MDKY", u32(2) + u32(1) + "k" + u32(0) + u32(1) + "k" + u32(0)) + end,
          "given twice");
    fails(header() + name + chunk("MDKY", u32(0) + "extra") + end, "left over");
    fails(header() + name + chunk("MDKY", u32(0)) + chunk("MDKY", u32(0)) + end, "given twice");
    fails(header() + name + name + end, "given twice");
    fails(header() + name + end + "tail", "after the END");
    fails(header() + name, "ends inside a chunk header");
    fails(header() + chunk("END ", "x"), "not empty");
    fails(header() + end, "no NAME");

    // Model chunks. A layer's entry: its type, index, record and then its memo block.
    auto layer = [&](uint32_t index, const std::string& memo = u32(0) + u32(0) + u32(0)) {
        return u32(2) + u32(index) + u32(sizeof(API_Attribute)) + std::string(sizeof(API_Attribute), '\0') +
               memo;
    };
    auto model = [&](const std::string& chunk) { return header() + name + chunk + end; };
    fails(model(chunk("ATTR", u32(1) + layer(0))), "is bad or given twice");
    fails(model(chunk("ATTR", u32(2) + layer(3) + layer(3))), "given twice");
    fails(model(chunk("ATTR", u32(1) + u32(2) + u32(3) + u32(12) + std::string(1400, '\0'))), "wrong size");
    // A memo block naming a field the memo does not have.
    fails(
        model(chunk("ATTR", u32(1) + layer(3, u32(1) + u32(4) + u32(0) + u32(0) + u32(0) + u32(0) + u32(0)))),
        "does not have");
    fails(model(chunk("STRY", u32(1) + u32(3) + std::string(8, '\0') + u32(0) + u32(0) +
                                  std::string(8, '\0') + u32(0) + u32(0))),
          "without the current one");
    fails(model(chunk("VIEW", u32(1) + std::string(60, '\0'))),
          "the floor plan and the 3D model are missing");
    fails(model(chunk("RELS", u32(0) + u32(0) + u32(0) + "x")), "bytes left over");
    fails(model(chunk("ROOF", u32(1) + std::string(16, '\1') + u32(0))), "name no element");
}

TEST(ProjectFile, UnknownChunksAreSkippedAndMissingModelChunksMakeANewModel) {
    Project target;
    std::string error;
    std::string bytes =
        header() + chunk("STOR", "from a newer host") + chunk("NAME", "Future") + chunk("END ", "");
    ASSERT_TRUE(ProjectFile::decode(bytes, &target, &error)) << error;
    EXPECT_EQ(target.name, "Future");
    EXPECT_EQ(target.model.storeys, StoreyList::withDefaults());
    EXPECT_EQ(target.model.attributes.search(AttrLayer, "Default Layer"), 1);
}

TEST(ProjectFile, SaveAndLoadThroughAFile) {
    std::string path = std::string(::testing::TempDir()) + "projectfile-test.zavproj";
    std::string error;
    ASSERT_TRUE(ProjectFile::save(sampleProject(), path, &error)) << error;
    Project loaded;
    ASSERT_TRUE(ProjectFile::load(path, &loaded, &error)) << error;
    EXPECT_EQ(loaded.model, sampleProject().model);
    EXPECT_EQ(loaded.filePath, path);
    std::remove(path.c_str());
    EXPECT_FALSE(ProjectFile::load(path, &loaded, &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    EXPECT_FALSE(ProjectFile::save(sampleProject(), "/nonexistent-folder/p.zavproj", &error));
}

TEST_F(HostTest, OpeningABadFileKeepsTheOpenProject) {
    ASSERT_EQ(attach(), hosterr::Ok);
    host.newProject("Current");
    std::string path = std::string(::testing::TempDir()) + "host-truncated.zavproj";
    std::string bytes = ProjectFile::encode(sampleProject());
    writeFile(path, bytes.substr(0, bytes.size() - 3));
    size_t notifications = rawmodule::record().notifications.size();
    EXPECT_EQ(host.openProject(path), hosterr::Failed);
    EXPECT_NE(host.lastError().find("cannot open the project"), std::string::npos);
    ASSERT_TRUE(host.hasProject());
    EXPECT_EQ(host.project()->name, "Current");
    EXPECT_EQ(rawmodule::record().notifications.size(), notifications); // no close was sent
    writeFile(path, bytes);
    EXPECT_EQ(host.openProject(path), hosterr::Ok);
    EXPECT_EQ(host.project()->name, "Sample House");
    std::remove(path.c_str());
}

TEST_F(ModelTest, TheWholeModelRoundTripsThroughTheProjectFile) {
    API_ElementMemo memo;
    memo.coordinates = handleOf("points");
    memo.subBlock = BMNewPtr(56);
    GSHandle inner = handleOf("inner");
    std::memcpy(memo.subBlock + 8, &inner, sizeof inner);
    API_Guid text = create(15, &memo);
    table().DisposeElementMemo(&memo);
    API_Guid line = create(19);
    HostElementHead head = headOf(text);
    HostUserData data{.dataHandle = handleOf("user bytes")};
    inCommand([&] {
        table().SetElementUserData(&head, &data);
        return table().LinkElements(&text, &line, 2);
    });
    BMKillHandle(&data.dataHandle);
    project().model.views.add(DatabaseSection, u"Cut")->elements.add([] {
        StoredElement element;
        element.record.head.typeCode = 29;
        element.record.head.guid = newGuid();
        element.nodes = {{1, 2, 3}};
        return element;
    }());
    std::string why;
    project().model.storeys.add("Attic", 9.0, &why);
    project().model.settings.shared = true;
    project().model.settings.users = {{"me", "Me", API_Guid::fromHalves(7, 7), 1, 0}};
    project().model.attributes.edit(AttrPen, 2)->userData = StoredUserData{1, 0x5757, 12, "pen data"};
    project().model.attributes.edit(AttrSurface, 1)->texturePath = "/textures/paint.png";
    project().model.defaults.edit(16, 0).record.head.layer = 2;

    const std::string bytes = ProjectFile::encode(project());
    Project loaded;
    std::string error;
    ASSERT_TRUE(ProjectFile::decode(bytes, &loaded, &error)) << error;
    EXPECT_EQ(loaded.model, project().model);
    EXPECT_EQ(ProjectFile::encode(loaded), bytes);

    // Every truncation fails cleanly; so does a flipped byte in every chunk's counts.
    for (size_t length = 0; length < bytes.size(); length += 97) {
        Project target;
        EXPECT_FALSE(ProjectFile::decode(std::string_view(bytes).substr(0, length), &target, &error))
            << length;
    }
    const char tags[][5] = {"SETG", "ATTR", "STRY", "VIEW", "DEFS", "RELS"};
    for (const auto& tag : tags) {
        std::string damaged = bytes;
        size_t at = damaged.find(u32(fourCC(tag)));
        ASSERT_NE(at, std::string::npos) << tag;
        // The first word of the payload is a count or a record length: make it huge.
        damaged[at + 8 + 3] = '\x7F';
        Project target;
        EXPECT_FALSE(ProjectFile::decode(damaged, &target, &error)) << tag;
        EXPECT_NE(error.find(tag), std::string::npos) << error;
    }
}

TEST(ProjectFile, PartSectionsAndDetailsRoundTripAndADamagedSectionChunkFails) {
    Project project = sampleProject();
    LibraryPart part;
    part.name = "Chair";
    part.type = 4;
    part.thirdDetail = 1;
    part.setSection({fourCC("VLSC"), "VALUES \"a\" \"b\"", true, false});
    part.setSection({fourCC("3DSC"), "", true, true});
    project.library.add(part);
    project.library.add(LibraryPart()); // without sections: not in the chunk
    Project loaded;
    std::string error;
    ASSERT_TRUE(ProjectFile::decode(ProjectFile::encode(project), &loaded, &error)) << error;
    EXPECT_TRUE(loaded.library == project.library);

    const std::string bytes = ProjectFile::encode(project);
    // The chunk stands before the end, which these replace it in front of.
    const size_t at = bytes.find(u32(fourCC("LSEC")));
    ASSERT_NE(at, std::string::npos);
    const std::string before = bytes.substr(0, at);
    const std::string after = chunk("END ", "");
    auto fails = [&](const std::string& payload, const std::string& why) {
        error.clear();
        EXPECT_FALSE(ProjectFile::decode(before + chunk("LSEC", payload) + after, &loaded, &error)) << why;
        EXPECT_NE(error.find(why), std::string::npos) << error;
    };
    const std::string section = u32(fourCC("3DSC")) + u32(1) + u32(1) + "x";
    fails(u32(1) + u32(3) + u32(0) + u32(0), "not there");
    fails(u32(1) + u32(1) + u32(0) + u32(2) + section + section, "not the host's");
    fails(u32(1) + u32(1) + u32(0x10000) + u32(0), "not the host's");
    fails(u32(1) + u32(1) + u32(0) + u32(9), "more sections");
    fails(u32(1) + u32(1) + u32(0) + u32(1) + u32(fourCC("3DSC")) + u32(1) + u32(5) + "x", "past its end");
}

TEST(ProjectFile, The3DWindowsExtentsTexturesAndCameraRoundTripAndDamageFailsCleanly) {
    Project project = sampleProject();
    Model3DStore& store = project.model.model3d;
    store.extents[API_Guid::fromHalves(1, 2)] = {-0.5, 2.5, 3};
    store.textures[3] = {2, 1, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)};
    HostCameraRecord camera;
    camera.perspective.cameraZ = 4.0;
    store.camera.assign(reinterpret_cast<const char*>(&camera), sizeof camera);
    Project loaded;
    std::string error;
    ASSERT_TRUE(ProjectFile::decode(ProjectFile::encode(project), &loaded, &error)) << error;
    EXPECT_EQ(loaded.model.model3d, store);

    auto payloadOf = [](const Model3DStore& s) {
        ByteWriter out;
        model3d::encode(s, out);
        return out.bytes().substr(8); // past the chunk's tag and length
    };
    std::string hugeCount = payloadOf(store);
    hugeCount[3] = '\x7F';
    const std::pair<const char*, std::string> damaged[] = {
        {"an element count past the bytes", hugeCount},
        {"a surface index out of range", payloadOf([&] {
             Model3DStore s = store;
             s.extents[s.extents.begin()->first].surface = -1;
             return s;
         }())},
        {"pixels not of four bytes", payloadOf([&] {
             Model3DStore s = store;
             s.textures[3].rgba.pop_back();
             return s;
         }())},
        {"a camera of the wrong size", payloadOf([&] {
             Model3DStore s = store;
             s.camera.pop_back();
             return s;
         }())},
        {"bytes after the camera", payloadOf(store) + "x"},
    };
    for (const auto& [what, payload] : damaged) {
        Model3DStore target = store;
        target.camera.clear();
        const Model3DStore before = target;
        EXPECT_FALSE(model3d::decode(payload, &target, &error)) << what;
        EXPECT_EQ(target, before) << what;
    }
}
