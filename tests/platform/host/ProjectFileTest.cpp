#include <cstdio>
#include <fstream>

#include "HostTestSupport.h"
#include "platform/host/ProjectFile.h"

using namespace zavhost;

namespace {
Project sampleProject() {
    Project project;
    project.name = "Sample House";
    project.model.texts["city"] = "Leeds";
    project.model.texts[""] = std::string("with\0nul", 8);
    project.model.moduleData = std::string("<zav>\0\xff</zav>", 13);
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
    fails(header() + name + name + end, "given twice");
    fails(header() + name + end + "tail", "after the END");
    fails(header() + name, "ends inside a chunk header");
    fails(header() + chunk("END ", "x"), "not empty");
    fails(header() + end, "no NAME");
}

TEST(ProjectFile, UnknownChunksAreSkipped) {
    Project target;
    std::string error;
    std::string bytes =
        header() + chunk("STOR", "from a newer host") + chunk("NAME", "Future") + chunk("END ", "");
    ASSERT_TRUE(ProjectFile::decode(bytes, &target, &error)) << error;
    EXPECT_EQ(target.name, "Future");
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
