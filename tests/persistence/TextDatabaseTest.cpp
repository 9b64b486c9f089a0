// Delimited text tables.
#include <gtest/gtest.h>

#include <memory>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "persistence/TextDatabase.h"

using namespace tarnwick;

namespace {

bool readTable(TextDatabase& table, const std::string& text, char delimiter = ',', bool header = false) {
    DataBufferIn in{String(text)};
    return table.read(in, delimiter, header);
}

std::string writeTable(const TextDatabase& table, char delimiter = ',') {
    String text;
    DataBufferOut out;
    EXPECT_TRUE(out.open(text));
    EXPECT_TRUE(table.write(out, delimiter));
    EXPECT_TRUE(out.close());
    return text.bytes();
}

} // namespace

TEST(TextDatabase, ReadsQuotedFieldsWithDelimitersBreaksAndQuotes) {
    TextDatabase table;
    ASSERT_TRUE(readTable(table, "name,value\r\n\"a, b\",\"say \"\"hi\"\"\"\n\n\"two\nlines\",\r\nlast"));
    ASSERT_EQ(table.getRecordCount(), 4u);
    EXPECT_EQ(table.getRecord(1)->getText(0), "a, b");
    EXPECT_EQ(table.getRecord(1)->getText(1), "say \"hi\"");
    EXPECT_EQ(table.getRecord(2)->getText(0), "two\nlines");
    EXPECT_EQ(table.getRecord(2)->size(), 2u);
    EXPECT_EQ(table.getRecord(2)->getText(1), "");
    EXPECT_EQ(table.getRecord(3)->getText(0), "last");
    EXPECT_EQ(table.getRecord(3)->getText(5), ""); // past the end
    EXPECT_THROW(table.getRecord(4), std::out_of_range);
}

TEST(TextDatabase, HeaderGivesColumnPositions) {
    TextDatabase table;
    EXPECT_EQ(table.columnIndex(String("Name"), false), -1);
    ASSERT_TRUE(readTable(table, "Id\tName\tWidth\n1\tWall\t200\n", '\t', true));
    ASSERT_NE(table.getHeader(), nullptr);
    EXPECT_EQ(table.getRecordCount(), 1u);
    EXPECT_EQ(table.columnIndex(String("Name"), true), 1);
    EXPECT_EQ(table.columnIndex(String("name"), true), -1);
    EXPECT_EQ(table.columnIndex(String("WIDTH"), false), 2);
    EXPECT_EQ(table.columnIndex(String("Depth"), false), -1);
    auto header = std::make_unique<TextRecord>();
    header->add(String("only"));
    table.setHeader(std::move(header));
    EXPECT_EQ(table.columnIndex(String("only"), true), 0);
    table.setHeader(nullptr);
    EXPECT_EQ(table.columnIndex(String("only"), true), -1);
}

TEST(TextDatabase, WritesWhatItReads) {
    TextDatabase table;
    auto header = std::make_unique<TextRecord>();
    header->add(String("a;b"));
    header->add(String("c"));
    table.setHeader(std::move(header));
    auto record = std::make_unique<TextRecord>();
    record->add(String("quote \" here"));
    record->add(String("line\r\nbreak"));
    record->add(String("\xC3\xA9t\xC3\xA9"));
    table.addRecord(std::move(record));
    std::string text = writeTable(table, ';');
    EXPECT_EQ(text, "\"a;b\";c\r\n\"quote \"\" here\";\"line\r\nbreak\";\xC3\xA9t\xC3\xA9\r\n");
    TextDatabase back;
    ASSERT_TRUE(readTable(back, text, ';', true));
    EXPECT_EQ(back.getHeader()->getText(0), "a;b");
    EXPECT_EQ(back.getRecord(0)->getText(1), "line\r\nbreak");
    TextRecord copy(*back.getRecord(0));
    EXPECT_EQ(copy.getText(2), "\xC3\xA9t\xC3\xA9");
}

TEST(TextDatabase, BadTextLeavesTheTableAsItWas) {
    TextDatabase table;
    ASSERT_TRUE(readTable(table, "keep,me\n"));
    for (const char* bad : {"\"never closed", "a,\"b\"c,d", "\"x\"\"", "a\n\"b"}) {
        EXPECT_FALSE(readTable(table, bad)) << bad;
        ASSERT_EQ(table.getRecordCount(), 1u);
        EXPECT_EQ(table.getRecord(0)->getText(1), "me");
    }
    EXPECT_FALSE(readTable(table, "a\"b", '"'));
    EXPECT_FALSE(readTable(table, "a", '\n'));
    String text;
    DataBufferOut out;
    ASSERT_TRUE(out.open(text));
    EXPECT_FALSE(table.write(out, '\r'));
    ASSERT_TRUE(readTable(table, ""));
    EXPECT_EQ(table.getRecordCount(), 0u);
}
