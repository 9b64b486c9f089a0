#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ResourceCompiler.h"

using rescomp::Diagnostic;
using rescomp::StringList;

namespace {

std::vector<StringList> parseOk(const std::string& source) {
    std::vector<StringList> lists;
    std::vector<Diagnostic> errors;
    EXPECT_TRUE(rescomp::parseStringLists(source, "ok.txt", lists, errors));
    for (const Diagnostic& e : errors)
        ADD_FAILURE() << e.text();
    return lists;
}

// The first error for a malformed source; empty when it was accepted.
std::string firstError(const std::string& source) {
    std::vector<StringList> lists;
    std::vector<Diagnostic> errors;
    bool ok = rescomp::parseStringLists(source, "bad.txt", lists, errors);
    EXPECT_EQ(ok, errors.empty());
    return errors.empty() ? std::string() : errors.front().text();
}

std::string blobText(const std::vector<unsigned char>& blob) {
    return std::string(blob.begin(), blob.end());
}

} // namespace

TEST(ResourceCompiler, EncodesAWellFormedStringList) {
    auto lists = parseOk("list 7\n  1 = OK\n  3 = Größe\n");
    ASSERT_EQ(lists.size(), 1u);
    std::vector<unsigned char> blob = rescomp::encodeStringList(lists[0]);
    // count (little-endian), then each item and a NUL; the missing item 2 is an empty string
    std::string expected("\x0C\x00\x00\x00OK\x00\x00Gr\xC3\xB6\xC3\x9F"
                         "e\x00",
                         16);
    EXPECT_EQ(blobText(blob), expected);

    StringList empty;
    EXPECT_EQ(blobText(rescomp::encodeStringList(empty)), std::string(4, '\0'));

    StringList big;
    big.items.assign(1, std::string(0x10203, 'x'));
    auto bigBlob = rescomp::encodeStringList(big);
    ASSERT_EQ(bigBlob.size(), 4u + 0x10204u);
    EXPECT_EQ(blobText(bigBlob).substr(0, 4), std::string("\x04\x02\x01\x00", 4));
}

TEST(ResourceCompiler, ItemTextsKeepEveryCharacter) {
    auto lists = parseOk("\xEF\xBB\xBF# comment\r\n"
                         "list 32700   # alerts\r\n"
                         "\t2=She said \"$1\" ^ 50% # not a comment\r\n"
                         "   # 3 = a comment, not an item\n"
                         "  1 = Missing\\s\n"
                         "  4 =   \\sboth\\s  \n"
                         "  5 = C:\\\\dir\\tx\\r\\ny\n"
                         "  6 =\n"
                         "  7 = == = ==\n"
                         "list 2\n"
                         "1 = x");
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].id, 32700);
    EXPECT_EQ(lists[0].line, 2);
    EXPECT_EQ(lists[0].items,
              (std::vector<std::string>{"Missing ", "She said \"$1\" ^ 50% # not a comment", "", " both ",
                                        "C:\\dir\tx\r\ny", "", "== = =="})); // only the first "=" separates
    EXPECT_EQ(lists[1].id, 2);
    EXPECT_EQ(lists[1].items, std::vector<std::string>{"x"});
}

TEST(ResourceCompiler, RejectsMalformedLinesWithTheirNumber) {
    const std::string expected = "expected 'list <id>', '<index> = <text>', a comment or a blank line";
    const struct {
        std::string source, error;
        bool whole = true; // else the error starts so
    } cases[] = {
        {"# c\n1 = before any list\n", "bad.txt:2: error: an item before the first 'list <id>' line"},
        {"list 1\n\n1 OK\n", "bad.txt:3: error: expected '=' after the item number 1"},
        {"list 1\n1 = a\n1 = b\n", "bad.txt:3: error: item 1 of list 1 is already given at line 2"},
        {"list 1\n2 = \\q\n", "bad.txt:2: error: unknown escape \\q (known: \\\\ \\n \\r \\t \\s)"},
        {"list 1\n2 = end\\\n", "bad.txt:2: error: a backslash ends the text (write \\\\ for a backslash)"},
        {"list 1\nitem 1 = x\n", "bad.txt:2: error: " + expected},
        {"lists 1\n", "bad.txt:1: error: " + expected},
        {"list 1\n1 = \xC3(\n", "bad.txt:2: error: invalid UTF-8 at column 5", false},
        {"list 1\n1 = \xED\xA0\x80\n", "bad.txt:2: error: invalid UTF-8", false},
        {"list 1\n1 = \xC0\xAF\n", "bad.txt:2: error: invalid UTF-8", false},
        {std::string("list 1\n1 = a\0b\n", 14), "bad.txt:2: error: control character 0x00", false},
    };
    for (const auto& c : cases) {
        const std::string error = firstError(c.source);
        EXPECT_EQ(c.whole ? error : error.substr(0, c.error.size()), c.error) << c.source;
    }
    for (const char* id : {"0", "-1", "abc", "2147483648", "99999999999", "", "1 2"})
        EXPECT_EQ(firstError(std::string("# ids\nlist ") + id + "\n1 = x\n")
                      .rfind("bad.txt:2: error: a list id", 0),
                  0u)
            << id;
    for (const char* index : {"0", "10000", "0000000000001x"})
        EXPECT_EQ(firstError(std::string("list 1\n") + index + " = x\n").rfind("bad.txt:2: error:", 0), 0u)
            << index;
}

TEST(ResourceCompiler, ReportsEveryFaultAndDuplicateListsAcrossFiles) {
    std::vector<StringList> lists;
    std::vector<Diagnostic> errors;
    EXPECT_FALSE(rescomp::parseStringLists("list 1\nx\nlist 2\n2 OK\n", "a.txt", lists, errors));
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].line, 2);
    EXPECT_EQ(errors[1].line, 4);

    lists.clear();
    errors.clear();
    ASSERT_TRUE(rescomp::parseStringLists("list 5\n1 = a\n", "a.txt", lists, errors));
    ASSERT_TRUE(rescomp::parseStringLists("\nlist 6\nlist 5\n", "b.txt", lists, errors));
    EXPECT_FALSE(rescomp::checkUniqueIds(lists, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text(), "b.txt:3: error: list 5 is already defined at a.txt:1");
}

TEST(ResourceCompiler, GeneratedSourceListsEveryResource) {
    auto lists = parseOk("list 9\n1 = b\nlist 3\n2 = a\n");
    std::string source = rescomp::generateModuleSource(lists);
    EXPECT_NE(source.find("#include \"resources/ModuleResources.h\""), std::string::npos);
    size_t three = source.find("{fourCC(\"STRS\"), 3, strs3, sizeof strs3}");
    size_t nine = source.find("{fourCC(\"STRS\"), 9, strs9, sizeof strs9}");
    ASSERT_NE(three, std::string::npos);
    ASSERT_NE(nine, std::string::npos);
    EXPECT_LT(three, nine); // sorted by id
    EXPECT_NE(source.find("const ResourceModule* zavModuleResources()"), std::string::npos);
    EXPECT_NE(rescomp::generateModuleSource({}).find("resources{0, nullptr}"), std::string::npos);
}

class ResourceCompilerTool : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::path(RESCOMP_WORK_DIR) /
                                ::testing::UnitTest::GetInstance()->current_test_info()->name();

    void SetUp() override {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string& name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
        return (dir / name).string();
    }

    // Runs the tool; answers its exit code and its messages.
    int run(const std::string& arguments, std::string* messages) {
        std::string command = std::string("\"") + RESCOMP_PATH + "\" " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return -1;
        std::string out;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            out += buffer;
        int status = pclose(pipe);
        if (messages) *messages = out;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(ResourceCompilerTool, WritesTheSourceForGoodInputAndNothingForBadInput) {
    std::string a = write("a.txt", "list 1\n1 = one\n");
    std::string b = write("b.txt", "list 2\n2 = two\n");
    std::string out = (dir / "out.cpp").string();
    std::string messages;
    ASSERT_EQ(run("-o \"" + out + "\" \"" + a + "\" \"" + b + "\"", &messages), 0) << messages;
    EXPECT_EQ(messages, "");
    std::ifstream in(out);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_NE(content.str().find("{fourCC(\"STRS\"), 2, strs2, sizeof strs2}"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out + ".tmp"));

    std::string bad = write("bad.txt", "list 1\n1 = fine\n3 OK\n");
    out = (dir / "bad.cpp").string();
    EXPECT_EQ(run("-o \"" + out + "\" \"" + bad + "\"", &messages), 1);
    EXPECT_NE(messages.find(bad + ":3: error: expected '='"), std::string::npos) << messages;
    EXPECT_FALSE(std::filesystem::exists(out));

    EXPECT_EQ(run("-o \"" + out + "\" \"" + (dir / "missing.txt").string() + "\"", &messages), 1);
    EXPECT_NE(messages.find("missing.txt: error: cannot be read"), std::string::npos) << messages;
    EXPECT_FALSE(std::filesystem::exists(out));

    EXPECT_EQ(run("\"" + bad + "\"", &messages), 2);
    EXPECT_NE(messages.find("usage: rescomp"), std::string::npos);
}

TEST_F(ResourceCompilerTool, CompilesImageListsBesideStringListsAndReportsAMissingImage) {
    write("find-96.png", std::string("\x89PNG\r\n\x1A\n", 8) + "pixels");
    std::string strings = write("strings.txt", "list 1\n1 = one\n");
    std::string icons = write("icons.txt", "# the menu's\nicon 32501 96 \"find-96.png\"\n");
    std::string out = (dir / "out.cpp").string();
    std::string messages;
    ASSERT_EQ(run("-o \"" + out + "\" \"" + strings + "\" \"" + icons + "\"", &messages), 0) << messages;
    std::ifstream in(out);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_NE(content.str().find("{fourCC(\"STRS\"), 1, strs1, sizeof strs1}"), std::string::npos);
    EXPECT_NE(content.str().find("{fourCC(\"GICN\"), 32501, icon32501at96, sizeof icon32501at96}"),
              std::string::npos)
        << content.str();

    std::string twice = write("twice.txt", "icon 32501 96 \"find-96.png\"\nicon 32502 192 \"gone.png\"\n");
    out = (dir / "bad.cpp").string();
    EXPECT_EQ(run("-o \"" + out + "\" \"" + icons + "\" \"" + twice + "\"", &messages), 1);
    EXPECT_NE(messages.find(twice + ":1: error: icon 32501 at 96 dpi is already given at " + icons + ":2"),
              std::string::npos)
        << messages;
    EXPECT_NE(messages.find(twice + ":2: error: 'gone.png' is no file"), std::string::npos) << messages;
    EXPECT_FALSE(std::filesystem::exists(out));
}
