#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Environment/String.h"
#include "platform/gsroot/UniString.h"

using tarnwick::String;
using Lines = std::vector<std::pair<size_t, size_t>>;

namespace {
constexpr size_t npos = String::npos;
} // namespace

TEST(String, CountsCharactersNotBytes) {
    String s("Größe");
    EXPECT_EQ(s.getLength(), 5u);
    EXPECT_EQ(s.getByteLength(), 7u);
    String clef("a\xF0\x9D\x84\x9E"
                "b"); // U+1D11E, four bytes
    EXPECT_EQ(clef.getLength(), 3u);
    EXPECT_EQ(clef.byteOffset(1), 1u);
    EXPECT_EQ(clef.byteOffset(2), 5u);
    EXPECT_EQ(clef.byteOffset(9), 6u);
    EXPECT_EQ(clef.at(1), U'\U0001D11E');
    EXPECT_EQ(clef.at(3), U'\0');
}

TEST(String, ConstructionFromTextUtf16AndNumbers) {
    EXPECT_EQ(String("abc\0def", 7), String("abc")); // stops at the NUL
    EXPECT_EQ(String("abcdef", 3), String("abc"));
    EXPECT_TRUE(String(static_cast<const char*>(nullptr)).isEmpty());
    const char16_t wide[] = u"Gr\u00F6\u00DFe\0tail";
    EXPECT_EQ(String(wide), String("Größe"));
    EXPECT_EQ(String(wide, 6), String("Grö"));             // a byte length: three units
    EXPECT_EQ(String(wide, sizeof wide), String("Größe")); // the NUL still ends it
    EXPECT_EQ(String(3, U'é'), String("ééé"));
    EXPECT_EQ(String(-42), String("-42"));
    EXPECT_EQ(String(4294967295u), String("4294967295"));
    EXPECT_EQ(String(0.1 + 0.2), String("0.3"));
}

TEST(String, SubstringAndFindCountCharacters) {
    String s("äöü-äöü");
    EXPECT_EQ(s.find(String("ü")), 2u);
    EXPECT_EQ(s.find(String("ü"), 3), 6u);
    EXPECT_EQ(s.find(String("x")), npos);
    EXPECT_EQ(s.find(String("ä"), 99), npos);
    EXPECT_EQ(s.substring(2, 3), String("ü-ä"));
    EXPECT_EQ(s.substring(4), String("äöü"));
    EXPECT_EQ(s.substring(5, 99), String("öü"));
    EXPECT_TRUE(s.substring(7).isEmpty());
    EXPECT_TRUE(s.substring(99, 1).isEmpty());

    EXPECT_EQ(s.findFirstOf(String("üx")), 2u);
    EXPECT_EQ(s.findFirstNotOf(String("äö")), 2u);
    EXPECT_EQ(s.findLastOf(String("ä")), 4u);
    EXPECT_EQ(s.findLastOf(String("ä"), 3), 0u);
    EXPECT_EQ(s.findLastNotOf(String("öü")), 4u);
    EXPECT_EQ(s.findLastNotOf(String("öü"), 2), 0u);
    EXPECT_EQ(s.findLastNotOf(String("äöü-")), npos);
    EXPECT_EQ(String().findLastNotOf(String("a")), npos);
    EXPECT_EQ(s.findLastNotOf(String("x"), 99), 6u); // a start past the end means the end
}

TEST(String, FindQuotedPairsTheSameQuote) {
    String s("say «'it'» \"now\"");
    size_t open = 0, close = 0;
    ASSERT_TRUE(s.findQuoted(0, String("'\""), &open, &close));
    EXPECT_EQ(open, 5u);
    EXPECT_EQ(close, 8u);
    ASSERT_TRUE(s.findQuoted(close + 1, String("'\""), &open, &close));
    EXPECT_EQ(open, 11u);
    EXPECT_EQ(close, 15u);
    ASSERT_TRUE(s.findQuoted(0, String("«»"), &open, &close) == false); // « is not closed by »
    EXPECT_FALSE(String("an 'open quote").findQuoted(0, String("'"), &open, &close));
    EXPECT_FALSE(String("none").findQuoted(0, String("'"), &open, &close));
}

TEST(String, TrimPadAndReplaceAll) {
    EXPECT_EQ(String("··ab··").trim(String("·")), String("ab"));
    EXPECT_TRUE(String(" \t\r\n ").trim().isEmpty());
    EXPECT_EQ(String("é").padLeft(3), String("  é"));
    EXPECT_EQ(String("7").padLeft(4, String("ab")), String("aba7")); // the pad cut to the width
    EXPECT_EQ(String("long").padLeft(2), String("long"));
    EXPECT_EQ(String("$1 and $1, not $2").replaceAll(String("$1"), String("«$1»")),
              String("«$1» and «$1», not $2"));
    String n("aaa");
    EXPECT_EQ(n.replaceAll(String("aa"), String("b")), String("ba"));
    EXPECT_EQ(n.replaceAll(String(), String("x")), String("ba")); // nothing to look for
}

TEST(String, TrimTakesMultiByteBlanksAtBothEnds) {
    const String blanks("\u00A0\u3000 "); // no-break space, ideographic space, space
    EXPECT_EQ(String("\u3000\u00A0 Größe \u00A0\u3000").trim(blanks), String("Größe"));
    EXPECT_EQ(String("\u3000a\u3000b\u3000").trim(blanks), String("a\u3000b")); // inner blanks stay
    EXPECT_TRUE(String("\u00A0 \u3000\u3000").trim(blanks).isEmpty());
    EXPECT_TRUE(String().trim(blanks).isEmpty());
    EXPECT_EQ(String("x\u00A0").trim(blanks), String("x"));
    EXPECT_EQ(String("\u00A0x").trim(blanks), String("x"));
    EXPECT_EQ(String("ünblank").trim(blanks), String("ünblank"));
    EXPECT_EQ(String("ü").trim(blanks), String("ü"));
    // A blank is a whole character: a character that shares a blank's last byte is no blank.
    EXPECT_EQ(String("\u00E0").trim(String("\u00A0")), String("\u00E0")); // C3 A0 against C2 A0
    EXPECT_EQ(String("\u00A0").trim(String("\xA0")), String("\u00A0"));
    // The default blanks.
    EXPECT_EQ(String("\r\n\t a b \t\r\n").trim(), String("a b"));
    EXPECT_TRUE(String(" \t\r\n ").trim().isEmpty());
    EXPECT_TRUE(String().trim().isEmpty());
    EXPECT_EQ(String("ab").trim(), String("ab"));
    // Nothing to trim with: the text stays whole.
    EXPECT_EQ(String(" a ").trim(String()), String(" a "));
}

TEST(String, FindLastAndFirstCountCharactersOverMultiByteText) {
    const String blanks("\u00A0\u3000");
    const String s("\u3000\u00A0ab\u00E9\u3000\u00A0"); // 7 characters
    EXPECT_EQ(s.findFirstNotOf(blanks), 2u);
    EXPECT_EQ(s.findFirstNotOf(blanks, 3), 3u);
    EXPECT_EQ(s.findFirstNotOf(blanks, 5), npos);
    EXPECT_EQ(s.findFirstOf(blanks, 2), 5u);
    EXPECT_EQ(s.findFirstOf(blanks, 7), npos);
    EXPECT_EQ(s.findLastNotOf(blanks), 4u);
    EXPECT_EQ(s.findLastNotOf(blanks, 3), 3u);
    EXPECT_EQ(s.findLastNotOf(blanks, 1), npos);
    EXPECT_EQ(s.findLastOf(blanks), 6u);
    EXPECT_EQ(s.findLastOf(blanks, 4), 1u);
    EXPECT_EQ(s.findLastOf(blanks, 0), 0u);
    EXPECT_EQ(s.findLastOf(String("b"), npos - 1), 3u);
    EXPECT_EQ(String().findLastOf(blanks), npos);
    EXPECT_EQ(String("abc").findLastOf(blanks), npos);
    EXPECT_EQ(String("abc").findLastNotOf(String()), 2u);
    // A stray continuation byte stays with the character before it, from either end.
    const String stray("a\x80\u00E9");
    EXPECT_EQ(stray.findLastOf(String("a")), npos);
    EXPECT_EQ(stray.findLastOf(String("a\x80")), 0u);
    EXPECT_EQ(stray.findFirstOf(String("\u00E9")), 1u);
    EXPECT_EQ(String("\x80\x80"
                     "a")
                  .findLastOf(String("\x80\x80")),
              0u);
}

TEST(String, FindLineBreakTakesPairsAsOneBreak) {
    String s("a\r\nb\n\rc\r\rd\n\ne");
    EXPECT_EQ(s.findLineBreak(), std::make_pair(size_t(1), size_t(3)));  // CR LF
    EXPECT_EQ(s.findLineBreak(3), std::make_pair(size_t(4), size_t(6))); // LF CR
    EXPECT_EQ(s.findLineBreak(6), std::make_pair(size_t(7), size_t(8))); // CR CR: two breaks
    EXPECT_EQ(s.findLineBreak(8), std::make_pair(size_t(8), size_t(9)));
    EXPECT_EQ(s.findLineBreak(10), std::make_pair(size_t(10), size_t(11))); // LF LF: two breaks
    EXPECT_EQ(s.findLineBreak(12), std::make_pair(npos, npos));
    EXPECT_EQ(s.findLineBreak(0, 1), std::make_pair(npos, npos));
    EXPECT_EQ(s.findLineBreak(0, 2), std::make_pair(size_t(1), npos)); // the break ends the range
    EXPECT_EQ(s.findLineBreak(0, 3), std::make_pair(size_t(1), npos));
    EXPECT_EQ(String("ä\r\nö").findLineBreak(), std::make_pair(size_t(1), size_t(3)));
    EXPECT_EQ(String("ä\r\nö").findLineBreak(2), std::make_pair(size_t(2), size_t(3)));
    EXPECT_EQ(String("ä\r\n").findLineBreak(), std::make_pair(size_t(1), npos));
    EXPECT_EQ(String("ä\r\n").findLineBreak(9), std::make_pair(npos, npos));
}

TEST(String, SplitLinesExcludesBreaks) {
    const struct {
        const char* text;
        size_t from, to;
        Lines before;
        size_t count;
        Lines after;
    } cases[] = {
        {"ab\r\nc\n\rdé\r\rf", 0, npos, {}, 5, {{0, 2}, {4, 1}, {7, 2}, {10, 0}, {11, 1}}},
        {"one\r\n", 0, npos, {}, 1, {{0, 3}}},                    // a break at the end adds no empty line
        {"x\ny", 0, npos, {{9, 9}}, 2, {{9, 9}, {0, 1}, {2, 1}}}, // appends
        {"", 0, npos, {}, 1, {{0, 0}}},
        {"ab\ncd\nef", 3, 5, {}, 1, {{3, 2}}},
        {"ab\ncd", 5, npos, {}, 1, {{5, 0}}}, // from the end: one empty line
        {"ab\ncd", 6, npos, {}, 0, {}},       // past the end: none
        {"ab\ncd", 4, 3, {}, 0, {}},          // a range that ends before it starts
        {"ab\ncd", 3, 3, {}, 1, {{3, 0}}},
        {"\u00E9\n\r\n\u00E9", 0, npos, {}, 3, {{0, 1}, {3, 0}, {4, 1}}},
        {"a\r\nb", 0, 2, {}, 1, {{0, 1}}}, // a pair cut by the range's end
    };
    for (const auto& c : cases) {
        Lines lines = c.before;
        EXPECT_EQ(String(c.text).splitLines(lines, c.from, c.to), c.count) << c.text;
        EXPECT_EQ(lines, c.after) << c.text;
    }
}

TEST(String, CopyToNeverPassesTheBuffer) {
    String s("aé€"); // 1 + 2 + 3 bytes
    char buffer[8];
    for (size_t size = 0; size <= sizeof buffer; ++size) {
        std::memset(buffer, 'Z', sizeof buffer);
        size_t copied = s.copyTo(buffer, size);
        size_t expected = size == 0 ? 0 : size <= 1 ? 0 : size <= 3 ? 1 : size <= 6 ? 3 : 6;
        EXPECT_EQ(copied, expected) << size;
        if (size > 0) {
            EXPECT_EQ(buffer[copied], '\0') << size;
        }
        for (size_t k = size; k < sizeof buffer; ++k)
            EXPECT_EQ(buffer[k], 'Z') << size << " wrote byte " << k;
    }
    EXPECT_EQ(std::string(buffer), "aé€");
    EXPECT_EQ(s.copyTo(nullptr, 8), 0u);
}

TEST(String, Utf16CopyKeepsSurrogatePairsWhole) {
    String s("a\xF0\x9D\x84\x9E"
             "b"); // a, U+1D11E (two units), b
    const struct {
        size_t bytes;
        const char16_t* field; // all six units after the copy; Z was not written
    } cases[] = {
        {12, u"a\U0001D11Eb\0Z"},                 // five units and the NUL
        {6, u"a\0ZZZZ"},                          // room for two units: the pair does not fit after "a"
        {8, u"a\U0001D11E\0ZZ"},                  // room for three units
        {5, u"a\0ZZZZ"},                          // an odd size rounds down
        {2, u"\0ZZZZZ"},          {1, u"ZZZZZZ"}, // no room even for the NUL
    };
    for (const auto& c : cases) {
        char16_t field[6];
        std::fill(std::begin(field), std::end(field), u'Z');
        s.copyToUtf16(field, c.bytes);
        EXPECT_EQ(std::u16string(field, 6), std::u16string(c.field, 6)) << c.bytes;
    }
    s.copyToUtf16(nullptr, 12);
}

TEST(String, UniStringRoundTripAndCaseConversionCoverNonAscii) {
    String s("Größe \xF0\x9D\x84\x9E €");
    GS::UniString u = s.toUniString();
    EXPECT_EQ(u.GetLength(), 10u); // the clef takes two units
    EXPECT_EQ(String(u), s);
    String assigned;
    assigned = u;
    EXPECT_EQ(assigned, s);
    EXPECT_TRUE(String().toUniString().IsEmpty());
    EXPECT_EQ(String("straße éà ÿ").toUpper(), String("STRAßE ÉÀ Ÿ"));
    EXPECT_EQ(String("ÀÉÎ ΣΩ Ж").toLower(), String("àéî σω ж"));
    EXPECT_EQ(String("a1-b").toUpper(), String("A1-B"));
}

TEST(String, VirtualEditingOperations) {
    String s("abcdef");
    s.resize(3);
    EXPECT_EQ(s, String("abc"));
    s.resize(10); // grows with NULs: the text still ends at the first
    EXPECT_EQ(s, String("abc"));

    s.assign("äöüx", 2);
    EXPECT_EQ(s, String("äö"));
    s.assign("caf\xE9", String::npos, 1252); // another character code is converted
    EXPECT_EQ(s, String("café"));
    s.assign(nullptr);
    EXPECT_TRUE(s.isEmpty());

    String t("äbcdé");
    t.replace(1, 3, String("xyzö"), 3, 1);
    EXPECT_EQ(t, String("äöé"));
    t.replace(3, 0, String("!"));
    EXPECT_EQ(t, String("äöé!"));
    t.clear();
    EXPECT_TRUE(t.isEmpty());
}

TEST(String, ComparisonIsByteOrder) {
    EXPECT_TRUE(String("a") < String("b"));
    EXPECT_TRUE(String("z") < String("ä"));
    EXPECT_TRUE(String("ab") > String("a"));
    EXPECT_EQ(String("x").compare(String("x")), 0);
    EXPECT_TRUE(String() == static_cast<const char*>(nullptr));
    EXPECT_EQ(String("a") + "b" + String("c"), String("abc"));
    String s("x");
    s += U'€';
    EXPECT_EQ(s, String("x€"));
}

TEST(String, AppendBytesTakesEmbeddedNulsAndKeepsItsRoomThroughClear) {
    String s("ab");
    s.appendBytes(std::string_view("c\0d", 3)).appendBytes(std::string_view());
    EXPECT_EQ(s.getByteLength(), 5u);
    EXPECT_EQ(s.bytes(), std::string("abc\0d", 5));
    s.appendBytes(std::string(100, 'x'));
    const size_t room = s.bytes().capacity();
    s.clear();
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(s.bytes().capacity(), room);
    s.appendBytes("\xC3\xA9");
    EXPECT_EQ(s.getLength(), 1u);
}
