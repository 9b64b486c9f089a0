// Texts of legacy preset files: bytes of the writing platform's code page turned into UTF-8, and
// what counts as UTF-8 already.
#include <gtest/gtest.h>

#include <string>

#include "presets/LegacyText.h"

using namespace tarnwick;

namespace {

std::string decoded(const std::string& bytes, LegacyCodePage codePage = LegacyCodePage::Windows1252) {
    return decodeLegacyText(bytes, codePage).bytes();
}

} // namespace

TEST(LegacyText, WindowsBytes80To9FAreTheCodePagesCharactersAndItsGapsTheReplacementCharacter) {
    std::string bytes;
    for (int byte = 0x80; byte <= 0x9F; ++byte)
        bytes += static_cast<char>(byte);
    // 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined in the code page.
    const std::string expected = "\u20AC\uFFFD\u201A\u0192\u201E\u2026\u2020\u2021"
                                 "\u02C6\u2030\u0160\u2039\u0152\uFFFD\u017D\uFFFD"
                                 "\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                                 "\u02DC\u2122\u0161\u203A\u0153\uFFFD\u017E\u0178";
    EXPECT_EQ(decoded(bytes), expected);
    EXPECT_EQ(decoded("5\x80 each"), "5\u20AC each");
    EXPECT_EQ(decoded("\x93Oak\x94 \xA0\xE9\xFF"), "\u201COak\u201D \u00A0\u00E9\u00FF");
    // The Mac's own table covers every high byte.
    EXPECT_EQ(decoded("\x80\xDB", LegacyCodePage::MacRoman), "\u00C4\u20AC");
}

TEST(LegacyText, AnOverlongSequenceIsNoUtf8AndIsDecodedByteByByte) {
    // Each of these would spell a character in more bytes than it needs.
    EXPECT_EQ(decoded("\xC0\xAF"), "\u00C0\u00AF");
    EXPECT_EQ(decoded("\xC1\xBF"), "\u00C1\u00BF");
    EXPECT_EQ(decoded("a\xE0\x80\xAF"), "a\u00E0\u20AC\u00AF");
    EXPECT_EQ(decoded("\xE0\x9F\xBF"), "\u00E0\u0178\u00BF");
    EXPECT_EQ(decoded("\xF0\x8F\xBF\xBF"), "\u00F0\uFFFD\u00BF\u00BF");
    // The shortest forms of each length are UTF-8 and stay as they are.
    for (const char* kept : {"\xC2\x80", "Caf\xC3\xA9", "\xE0\xA0\x80", "\xF0\x90\x80\x80"})
        EXPECT_EQ(decoded(kept), kept);
}
