// Dialogs in their text form: parsed, checked, encoded, and read back by the dialog manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogCompiler.h"
#include "platform/dg/DGDialogTemplate.h"

using rescomp::Diagnostic;

namespace {

const char* good = R"(# A comment.
dialog 100 modal "Name \"Request\""   # a comment after the title
  size 300 120
  1 button 210 90 80 20 "OK"
  2 left-text 0 0 300 120 "a # in a text"
  3 check-box 10 60 200 16 "Remember" checked
  4 user-item 10 10 0 0

dialog 200 palette "Tools"
  growable
  1 pop-up 10 10 80 20
  size 100 40
)";

std::vector<rescomp::Dialog> parseOk(const std::string& source) {
    std::vector<rescomp::Dialog> dialogs;
    std::vector<Diagnostic> errors;
    EXPECT_TRUE(rescomp::parseDialogs(source, "ok.txt", dialogs, errors));
    for (const Diagnostic& e : errors)
        ADD_FAILURE() << e.text();
    return dialogs;
}

std::string firstError(const std::string& source) {
    std::vector<rescomp::Dialog> dialogs;
    std::vector<Diagnostic> errors;
    bool ok = rescomp::parseDialogs(source, "bad.txt", dialogs, errors);
    EXPECT_EQ(ok, errors.empty());
    return errors.empty() ? std::string() : errors.front().text();
}

TEST(DialogCompiler, ReadsDialogsWithTheirItems) {
    std::vector<rescomp::Dialog> dialogs = parseOk(good);
    ASSERT_EQ(dialogs.size(), 2u);
    const rescomp::Dialog& modal = dialogs[0];
    EXPECT_EQ(modal.id, 100);
    EXPECT_FALSE(modal.palette);
    EXPECT_EQ(modal.title, "Name \"Request\"");
    EXPECT_EQ(modal.width, 300);
    ASSERT_EQ(modal.items.size(), 4u);
    EXPECT_EQ(modal.items[1].text, "a # in a text");
    EXPECT_EQ(modal.items[2].value, 1);
    EXPECT_EQ(modal.items[3].line, 7);
    EXPECT_TRUE(dialogs[1].palette);
    EXPECT_TRUE(dialogs[1].growable);
    EXPECT_EQ(dialogs[1].height, 40); // the size may follow the items
}

TEST(DialogCompiler, TheDialogManagerReadsBackWhatWasEncoded) {
    std::vector<rescomp::Dialog> dialogs = parseOk(good);
    std::vector<unsigned char> blob = rescomp::encodeDialog(dialogs[0]);
    DG::DialogTemplate read;
    std::string why;
    ASSERT_TRUE(DG::DecodeDialogTemplate(blob.data(), blob.size(), &read, &why)) << why;
    EXPECT_EQ(read.kind, DG::DialogTemplate::Kind::Modal);
    EXPECT_EQ(read.title, "Name \"Request\"");
    EXPECT_EQ(read.width, 300);
    EXPECT_EQ(read.height, 120);
    ASSERT_EQ(read.items.size(), 4u);
    EXPECT_EQ(read.items[0].type, DG::ItemType::Button);
    EXPECT_EQ(read.items[0].rect, DG::Rect(210, 90, 290, 110));
    EXPECT_EQ(read.items[0].text, "OK");
    EXPECT_EQ(read.items[2].type, DG::ItemType::CheckBox);
    EXPECT_EQ(read.items[2].value, 1);
    EXPECT_EQ(read.items[3].type, DG::ItemType::UserItem);
    blob = rescomp::encodeDialog(dialogs[1]);
    ASSERT_TRUE(DG::DecodeDialogTemplate(blob.data(), blob.size(), &read, &why)) << why;
    EXPECT_EQ(read.kind, DG::DialogTemplate::Kind::Palette);
    EXPECT_TRUE(read.growable);
    EXPECT_EQ(read.items[0].type, DG::ItemType::PopUp);
}

TEST(DialogCompiler, EveryCutOfAnEncodedDialogIsRefused) {
    std::vector<unsigned char> blob = rescomp::encodeDialog(parseOk(good)[0]);
    DG::DialogTemplate read;
    std::string why;
    for (size_t size = 0; size < blob.size(); ++size)
        EXPECT_FALSE(DG::DecodeDialogTemplate(blob.data(), size, &read, &why)) << size;
    blob.push_back(0);
    EXPECT_FALSE(DG::DecodeDialogTemplate(blob.data(), blob.size(), &read, &why));
    EXPECT_EQ(why, "bytes follow the last item");
}

TEST(DialogCompiler, UnsoundBytesAreRefusedWithTheReason) {
    std::vector<unsigned char> blob = rescomp::encodeDialog(parseOk(good)[0]);
    const struct {
        size_t at;
        unsigned char value;
        const char* why;
    } cases[] = {
        {0, 4, "version 4 unknown"},
        {2, 7, "kind 7 unknown"},
        {5, 0x80, "the size is not positive"},              // the width's high byte: negative
        {6, 0, "the size is not positive"},                 // the height 120 becomes 0
        {29, 0x80, "item 1 starts before the client area"}, // the first item's left, high byte
    };
    DG::DialogTemplate read;
    std::string why;
    for (const auto& c : cases) {
        std::vector<unsigned char> bad = blob;
        bad[c.at] = c.value;
        EXPECT_FALSE(DG::DecodeDialogTemplate(bad.data(), bad.size(), &read, &why)) << c.at;
        EXPECT_EQ(why, c.why);
    }
    // The first item's type byte follows the head: 2 + 1 + 1 + 2 + 2 + (2 + 14) + 2.
    std::vector<unsigned char> bad = blob;
    bad[26] = 12;
    EXPECT_FALSE(DG::DecodeDialogTemplate(bad.data(), bad.size(), &read, &why));
    EXPECT_EQ(why, "item 1 has the unknown type 12");
    EXPECT_FALSE(DG::DecodeDialogTemplate(nullptr, 0, &read, &why));
}

// Help texts come after the items, in item order whatever the order of the lines; a dialog
// without them keeps version 1.
TEST(DialogCompiler, HelpTextsTravelAfterTheItemsAndAnUnsoundHelpBlockIsRefused) {
    rescomp::Dialog dialog = parseOk(R"(dialog 100 modal "T"
  help 3 "Tick \"it\""
  size 100 40
  1 button 0 0 10 10 "OK"
  2 left-text 0 20 10 10
  3 check-box 20 0 10 10
  help 1 "Click"
)")[0];
    std::vector<unsigned char> blob = rescomp::encodeDialog(dialog);
    EXPECT_EQ(blob[0], 2);
    DG::DialogTemplate read;
    std::string why;
    ASSERT_TRUE(DG::DecodeDialogTemplate(blob.data(), blob.size(), &read, &why)) << why;
    ASSERT_EQ(read.items.size(), 3u);
    EXPECT_EQ(read.items[0].help, "Click");
    EXPECT_EQ(read.items[1].help, "");
    EXPECT_EQ(read.items[2].help, "Tick \"it\"");

    rescomp::Dialog plain = dialog;
    plain.help.clear();
    const size_t helpAt = rescomp::encodeDialog(plain).size();
    EXPECT_EQ(rescomp::encodeDialog(plain)[0], 1);
    for (size_t size = helpAt; size < blob.size(); ++size) {
        EXPECT_FALSE(DG::DecodeDialogTemplate(blob.data(), size, &read, &why)) << size;
        EXPECT_NE(why.find("help"), std::string::npos) << why;
    }
    // From helpAt: the count, item 1 with "Click" (2 + 2 + 5 bytes), item 3 with its 10 bytes.
    const struct {
        size_t at;
        unsigned char value;
        const char* why;
    } cases[] = {
        {helpAt, 4, "4 help texts do not fit"},
        {helpAt + 2, 0, "help text 1 names item 0, out of order or again"},
        {helpAt + 11, 1, "help text 2 names item 1, out of order or again"},
        {helpAt + 11, 4, "help text 2 names item 4, which the dialog does not have"},
        {helpAt + 13, 11, "help text 2 is cut short"},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bad = blob;
        bad[c.at] = c.value;
        EXPECT_FALSE(DG::DecodeDialogTemplate(bad.data(), bad.size(), &read, &why)) << c.why;
        EXPECT_EQ(why, c.why);
    }
}

// A list's columns and a pop-up's entries come last, in item order; the dialog manager checks
// each against its item's kind.
TEST(DialogCompiler, ColumnsAndEntriesTravelLastAndAreCheckedAgainstTheirItems) {
    rescomp::Dialog dialog = parseOk(R"(dialog 100 modal "T"
  size 200 100
  1 pop-up 0 0 50 20
  2 list-box 0 30 200 60
  entries 1 "All" "-" "Done"
  columns 2 120 "Name" 80
)")[0];
    std::vector<unsigned char> blob = rescomp::encodeDialog(dialog);
    EXPECT_EQ(blob[0], 3);
    DG::DialogTemplate read;
    std::string why;
    ASSERT_TRUE(DG::DecodeDialogTemplate(blob.data(), blob.size(), &read, &why)) << why;
    EXPECT_EQ(read.items[0].entries, (std::vector<std::string>{"All", "-", "Done"}));
    using Column = std::pair<short, std::string>;
    EXPECT_EQ(read.items[1].columns, (std::vector<Column>{{120, "Name"}, {80, ""}}));

    rescomp::Dialog plain = dialog;
    plain.contents.clear();
    // The empty help block, then the count; item 1 with its count and three entries of 2 + 2 + n.
    const size_t at = rescomp::encodeDialog(plain).size() + 2;
    const struct {
        size_t at;
        unsigned char value;
        const char* why;
    } cases[] = {
        {at, 3, "3 item contents do not fit"},
        {at + 2, 0, "contents name item 0, out of order or again"},
        {at + 4, 200, "the contents of item 1 do not fit"},
        {at + 6, 5, "item 1 has an entry of width 5"},
        {at + 26, 1, "contents name item 1, out of order or again"},
        {at + 30, 0, "item 2 has an entry of width 0"},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bad = blob;
        bad[c.at] = c.value;
        EXPECT_FALSE(DG::DecodeDialogTemplate(bad.data(), bad.size(), &read, &why)) << c.why;
        EXPECT_EQ(why, c.why);
    }
}

TEST(DialogCompiler, MalformedLinesAreReportedWithFileAndLine) {
    const struct {
        const char* source;
        const char* error;
    } cases[] = {
        {"size 10 10", "bad.txt:1: error: expected 'dialog <id> modal|palette \"Title\"' first"},
        {"dialog 0 modal \"T\"\nsize 1 1",
         "bad.txt:1: error: a dialog id must be a number from 1 to 32767, not '0'"},
        {"dialog 32768 modal \"T\"",
         "bad.txt:1: error: a dialog id must be a number from 1 to 32767, not '32768'"},
        {"dialog 1 window \"T\"", "bad.txt:1: error: expected 'dialog <id> modal|palette \"Title\"'"},
        {"dialog 1 modal T", "bad.txt:1: error: expected 'dialog <id> modal|palette \"Title\"'"},
        {"dialog 1 modal \"T", "bad.txt:1: error: a text that starts at column 16 is not closed"},
        {"dialog 1 modal \"T\\q\"", "bad.txt:1: error: unknown escape \\q (known: \\\" \\\\ \\n \\t)"},
        {"dialog 1 modal \"T\"", "bad.txt:1: error: dialog 1 has no 'size W H'"},
        {"dialog 1 modal \"T\"\nsize 0 5",
         "bad.txt:2: error: expected 'size W H' with W and H from 1 to 32767"},
        {"dialog 1 modal \"T\"\nsize 5 5\nsize 5 5", "bad.txt:3: error: the dialog's size is given twice"},
        {"dialog 1 modal \"T\"\nsize 50 50\n2 button 0 0 1 1",
         "bad.txt:3: error: item 2 out of order: items are "
         "numbered from 1 without gaps, and the next is 1"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 knob 0 0 1 1",
         "bad.txt:3: error: unknown item type 'knob' (known: "
         "button, left-text, centre-text, right-text, edit-text, "
         "check-box, list-box, tree-view, pop-up, user-control, "
         "user-item)"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 button 0 0 1",
         "bad.txt:3: error: an item needs a type, left, top, "
         "width and height"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 button 0 -1 1 1",
         "bad.txt:3: error: the item's top must be a number "
         "from 0 to 32767, not '-1'"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 button 0 0 1 1 \"OK\" checked",
         "bad.txt:3: error: only a check-box can be 'checked'"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 button 0 0 1 1 \"OK\" \"again\"",
         "bad.txt:3: error: unexpected 'again' at the end of the item"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 button 40 0 11 1",
         "bad.txt:3: error: item 1 reaches outside the "
         "dialog's 50 x 50"},
        {"dialog 1 modal \"T\"\nsize 50 50\nsmall",
         "bad.txt:3: error: expected 'size W H', 'growable', 'help N \"text\"', 'columns N W "
         "[\"header\"] ...', 'entries N \"text\" ...' or an item '<number> <type> <left> <top> "
         "<width> <height> [\"text\"] [checked]'"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 list-box 0 0 9 9\ncolumns 1 20 \"A\" 0",
         "bad.txt:4: error: expected 'columns N W [\"header\"] ...' with N a list's number and each "
         "width from 1 to 32767"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 button 0 0 9 9\nentries 1 \"A\"\ndialog 2 modal \"U\"",
         "bad.txt:4: error: entries for item 1, which is no pop-up or user-control"},
        {"dialog 1 modal \"T\"\nsize 50 50\nhelp 1 Click",
         "bad.txt:3: error: expected 'help N \"text\"' with N an item's number"},
        {"dialog 1 modal \"T\"\nsize 50 50\nhelp 1 \"a\"\n1 button 0 0 1 1\nhelp 1 \"b\"",
         "bad.txt:5: error: item 1 has a help text already, at line 3"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 button 0 0 1 1\nhelp 2 \"b\"\ndialog 2 modal \"U\"",
         "bad.txt:4: error: help for item 2, but dialog 1 has 1 items"},
        {"dialog 1 modal \"T\"\nsize 50 50\n1 button 0 0 1 1 \"\x01\"",
         "bad.txt:3: error: control character 0x01 in the text (column 19)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstError(c.source), c.error) << c.source;
    EXPECT_EQ(
        firstError("dialog 1 modal \"T\"\nsize 50 50\n1 button 0 0 1 1 \"" + std::string(4001, 'x') + "\""),
        "bad.txt:3: error: the text is longer than 4000 bytes");
}

TEST(DialogCompiler, ADialogIdIsGivenOnceAcrossFiles) {
    std::vector<rescomp::Dialog> dialogs;
    std::vector<Diagnostic> errors;
    EXPECT_TRUE(rescomp::parseDialogs("dialog 7 modal \"A\"\nsize 1 1", "a.txt", dialogs, errors));
    EXPECT_TRUE(rescomp::parseDialogs("\n\ndialog 7 palette \"B\"\nsize 1 1", "b.txt", dialogs, errors));
    EXPECT_FALSE(rescomp::checkUniqueDialogIds(dialogs, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text(), "b.txt:3: error: dialog 7 is already defined at a.txt:1");
}

TEST(DialogCompiler, AFileHoldsDialogsWhenItsFirstLineStartsOne) {
    EXPECT_TRUE(rescomp::isDialogSource("# c\n\n  dialog 1 modal \"T\""));
    EXPECT_TRUE(rescomp::isDialogSource("\xEF\xBB\xBF"
                                        "dialog 1"));
    EXPECT_FALSE(rescomp::isDialogSource("list 1\n1 = dialog"));
    EXPECT_FALSE(rescomp::isDialogSource("dialogs 1"));
    EXPECT_FALSE(rescomp::isDialogSource(""));
}

TEST(DialogCompiler, TheModuleSourceListsDialogsBesideStringLists) {
    std::string source = rescomp::generateModuleSource({}, parseOk(good));
    EXPECT_NE(source.find("{fourCC(\"DLGR\"), 100, dlgr100, sizeof dlgr100}"), std::string::npos);
    EXPECT_NE(source.find("{fourCC(\"DLGR\"), 200, dlgr200, sizeof dlgr200}"), std::string::npos);
}

} // namespace
