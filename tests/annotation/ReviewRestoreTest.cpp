// The review report's file beside the specification, and what Restore Ignored Clauses leaves for a
// later Update. The scenarios play both commands whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../Environment/FileSizeLimit.h"
#include "AnnotationTestSupport.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "Environment/FileReplacement.h"
#include "Environment/Host.h"
#include "annotation/AnnotationList.h"
#include "annotation/RestoreIgnored.h"
#include "annotation/ReviewAnnotation.h"
#include "persistence/XMLReader.h"

using namespace zavlink;
using annotationtest::Clause;
using annotationtest::xmlOf;
using tarnwick::String;
namespace fs = std::filesystem;

namespace {

fs::path freshFolder(const char* name) {
    fs::path folder = fs::path(::testing::TempDir()) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

TEST(ReportFile, NamedAfterTheSpecificationBesideItNeverOverIt) {
    const struct {
        const char* specification;
        const char* report; // empty: none is made
    } cases[] = {
        {"Office.spec", "Office.zavrpt"},
        {"a.b.spec", "a.b.zavrpt"},
        {"Office.", "Office.zavrpt"},
        {"Office", ""},
        {".spec", ""},
        {"Office.zavrpt", ""},
        {"Office.ZAVRPT", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.specification);
        const fs::path folder = freshFolder("review-names");
        std::ofstream(folder / c.specification) << "the specification";
        std::unique_ptr<tarnwick::FileReplacement> file =
            AnnotationReport::reportFile(String((folder / c.specification).string()));
        EXPECT_EQ(file != nullptr, *c.report != '\0');
        if (file) {
            EXPECT_EQ(file->getPath().bytes(), (folder / c.report).string());
            EXPECT_TRUE(file->writeWhole("the report"));
        }
        EXPECT_EQ(contentOf(folder / c.specification), "the specification");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), file ? 2 : 1);
    }
}

TEST(ReportFile, ALongerEarlierReportIsReplacedWhole) {
    const fs::path folder = freshFolder("review-over");
    std::ofstream(folder / "Office.zavrpt") << std::string(20000, '#');
    AnnotationReport report;
    report.zavPath = String((folder / "Office.spec").string());
    report.model.modelPath = String("/projects/Office.zavproj");
    Annotation clause;
    clause.number = String("F10/110");
    report.model.annotations.push_back(clause);
    std::unique_ptr<tarnwick::FileReplacement> file = AnnotationReport::reportFile(report.zavPath);
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(report.write(*file));
    EXPECT_FALSE(fs::exists(folder / "Office.zavrpt.tmp"));

    const std::string written = contentOf(folder / "Office.zavrpt");
    EXPECT_EQ(written.find('#'), std::string::npos) << written;
    EXPECT_EQ(written.substr(written.size() - 13), "</zavReport>\n") << written;
    AnnotationReport read;
    tarnwick::DataBufferIn in{String(written)};
    tarnwick::XMLReader reader(in);
    ASSERT_TRUE(reader.read(read));
    EXPECT_EQ(read.zavPath, report.zavPath);
    EXPECT_EQ(read.model.modelPath, String("/projects/Office.zavproj"));
    ASSERT_EQ(read.model.annotations.size(), 1u);
    EXPECT_EQ(read.model.annotations[0].number, String("F10/110"));
}

class Restoring : public annotationtest::HostAnnotations {
protected:
    static Clause clause(const char* hidden, bool accepted) {
        Clause c;
        c.hidden = hidden;
        c.accepted = accepted;
        return c;
    }
    // The clause's status after an Update that finds it changed in the specification.
    static uint32_t statusAfterUpdate(const char* hidden) {
        AnnotationList gathered;
        gathered.collectProject(nullptr);
        AnnotationList returned;
        Annotation changed;
        changed.hiddenNumber = String(hidden);
        changed.number = String("12");
        changed.zavTitle = String("Brick walling, revised");
        returned.push_back(changed);
        gathered.mergeReturned(returned);
        auto found = gathered.findByHiddenNumber(String(hidden));
        return found == gathered.end() ? StatusUnknown : found->getStatus();
    }
};

TEST_F(Restoring, OnlyTheIgnoredElementsAreRewrittenAndUpdateSeesThemAgain) {
    const std::string ignored = xmlOf(clause("F10-0110", true));
    ASSERT_TRUE(play("element add text text \"F10/110 Brick walling\" with-user-data \"" + ignored + "\"\n" +
                     "view add section \"S1\"\n" +
                     "element add label in \"S1\" text \"F10/110\" with-user-data \"" + ignored + "\"\n" +
                     "element add text at 5 5 text \"F10/120\" with-user-data \"" +
                     xmlOf(clause("F10-0120", false)) + "\"\n"));
    EXPECT_EQ(statusAfterUpdate("F10-0110"), StatusIgnored);

    RestoreTransaction restore;
    const size_t from = mark();
    ASSERT_TRUE(tarnwick::Host::runTransaction(restore));
    ASSERT_EQ(restore.getIgnored().size(), 1u);
    EXPECT_EQ(restore.getIgnored()[0].hiddenNumber, String("F10-0110"));
    EXPECT_EQ(restore.getIgnored()[0].getLinkCount(), 2u);
    EXPECT_EQ(host.calls().count("SetElementUserData", from), 2u);
    EXPECT_EQ(writesSince(from), 2u);
    EXPECT_EQ(host.calls().count("RunUndoableCommand", from), 1u);
    EXPECT_EQ(statusAfterUpdate("F10-0110"), StatusChanged);
}

TEST(ReportFile, ItsPathIsKnownBeforeItIsMadeAndNoneWhereNoneIsMade) {
    const fs::path folder = freshFolder("review-paths");
    for (const char* name : {"Office.spec", "a.b.spec", "Office.", "Office", ".spec", "Office.zavrpt"}) {
        SCOPED_TRACE(name);
        std::ofstream(folder / name) << "the specification";
        const String path = AnnotationReport::reportPath(String((folder / name).string()));
        std::unique_ptr<tarnwick::FileReplacement> file =
            AnnotationReport::reportFile(String((folder / name).string()));
        EXPECT_EQ(path.isEmpty(), file == nullptr);
        if (file) {
            EXPECT_EQ(path, file->getPath());
        }
    }
}

TEST(ReportFile, ALinkAtTheReportsNameIsNeitherWrittenThroughNorReplaced) {
    const fs::path folder = freshFolder("review-links");
    const fs::path shared = folder / "shared";
    fs::create_directories(shared);
    std::ofstream(folder / "precious.txt") << "another program's";
    AnnotationReport report;
    report.model.modelPath = String("/projects/Office.zavproj");
    Annotation clause;
    clause.number = String("F10/110");
    report.model.annotations.push_back(clause);

    // A link to a file outside, and one that names nothing yet.
    fs::create_symlink(folder / "precious.txt", shared / "house.zavrpt");
    fs::create_symlink(folder / "planted.txt", shared / "other.zavrpt");
    for (const char* specification : {"house.spec", "other.spec"}) {
        SCOPED_TRACE(specification);
        report.zavPath = String((shared / specification).string());
        std::unique_ptr<tarnwick::FileReplacement> file = AnnotationReport::reportFile(report.zavPath);
        ASSERT_NE(file, nullptr);
        EXPECT_FALSE(report.write(*file));
        EXPECT_EQ(file->getRefusedPath(), file->getPath());
        EXPECT_TRUE(fs::is_symlink(file->getPath().bytes()));
    }
    EXPECT_EQ(contentOf(folder / "precious.txt"), "another program's");
    EXPECT_FALSE(fs::exists(folder / "planted.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 2);
}

TEST(ReportFile, AReportNotWrittenWholeLeavesTheEarlierOneAndNothingBesideIt) {
    const fs::path folder = freshFolder("review-unwritten");
    const std::string earlier = "<zavReport>the earlier report</zavReport>";
    std::ofstream(folder / "Office.zavrpt") << earlier;
    AnnotationReport report;
    report.zavPath = String((folder / "Office.spec").string());
    report.model.modelPath = String("/projects/Office.zavproj");
    Annotation clause;
    clause.number = String("F10/110");
    clause.zavTitle = String(std::string(200, 't'));
    for (int i = 0; i < 2000; ++i)
        report.model.annotations.push_back(clause);
    std::unique_ptr<tarnwick::FileReplacement> file = AnnotationReport::reportFile(report.zavPath);
    ASSERT_NE(file, nullptr);
    {
        const FileSizeLimit full(8192); // the disk fills while the report is written
        ASSERT_TRUE(full.isSet());
        EXPECT_FALSE(report.write(*file));
    }
    EXPECT_EQ(contentOf(folder / "Office.zavrpt"), earlier);
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "Office.zavrpt.tmp")));
    EXPECT_TRUE(file->getRefusedPath().isEmpty());
    EXPECT_FALSE(file->isNameTooLong());
}

TEST(ReportFile, ASpecificationWhoseNameMakesTooLongAReportNameIsToldSo) {
    const fs::path folder = freshFolder("review-long");
    AnnotationReport report;
    report.model.modelPath = String("/projects/Office.zavproj");
    Annotation clause;
    clause.number = String("F10/110");
    report.model.annotations.push_back(clause);
    // The report's own name fits and its temporary one does not; then neither fits.
    for (size_t stem : {246, 250}) {
        SCOPED_TRACE(stem);
        report.zavPath = String((folder / (std::string(stem, 's') + ".spec")).string());
        std::unique_ptr<tarnwick::FileReplacement> file = AnnotationReport::reportFile(report.zavPath);
        ASSERT_NE(file, nullptr);
        EXPECT_FALSE(report.write(*file));
        EXPECT_TRUE(file->isNameTooLong());
        EXPECT_TRUE(fs::is_empty(folder));
    }
}
