#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <locale>
#include <sstream>
#include <utility>

#include "Environment/NumberText.h"
#include "Environment/String.h"

using tarnwick::String;

namespace {
// What a parser answers for a text, and the validity flag it leaves (set to `before` first).
template <class T>
std::pair<T, bool> parsed(T (*parser)(const String&, bool*), const char* text, bool before = false) {
    bool valid = before;
    T value = parser(String(text), &valid);
    return {value, valid};
}
} // namespace

TEST(NumberText, IntegersAndRealsRoundedToThePrecisionThenSixDigits) {
    EXPECT_EQ(tarnwick::intToText(0), "0");
    EXPECT_EQ(tarnwick::intToText(-32768), "-32768");
    EXPECT_EQ(tarnwick::intToText(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(tarnwick::uintToText(UINT64_MAX), "18446744073709551615");
    using tarnwick::realToText;
    EXPECT_EQ(realToText(2.675, 0.01), "2.68");
    EXPECT_EQ(realToText(2.5, 1), "3");
    EXPECT_EQ(realToText(-2.5, 1), "-2"); // floor(v / p + 0.5): halves go up
    EXPECT_EQ(realToText(-2.6, 1), "-3");
    EXPECT_EQ(realToText(1234.5678, 0.5), "1234.5");
    EXPECT_EQ(realToText(17, 5), "15");
    EXPECT_EQ(realToText(3.14159265), "3.14159");
    EXPECT_EQ(realToText(1234567.0), "1.23457e+06");
    EXPECT_EQ(realToText(123456.0), "123456");
    EXPECT_EQ(realToText(0.0001), "0.0001");
    EXPECT_EQ(realToText(0.00001), "1e-05");
    EXPECT_EQ(realToText(100.0), "100");
    EXPECT_EQ(realToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(realToText(1e300, 1e-300), "1e+300"); // rounding that overflows keeps the value
    EXPECT_EQ(realToText(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(realToText(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(realToText(std::nan(""), 0.1), "nan");
    EXPECT_EQ(realToText(5.0, std::nan("")), "5");
}

namespace {
// A German-style number format: decimal comma, thousands grouped with points.
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
} // namespace

TEST(NumberText, IndependentOfTheGlobalLocale) {
    std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    // The C library's locale too, where one with a decimal comma is installed.
    std::string cPrevious = std::setlocale(LC_NUMERIC, nullptr);
    bool cComma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                  std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
    std::ostringstream plain;
    plain << 1234.5;
    std::string text = tarnwick::realToText(1234.5);
    std::string rounded = tarnwick::realToText(0.123456789, 0.001);
    std::string fromString = String(2.5).bytes();
    bool valid = false;
    double parsed = tarnwick::parseDouble(String("2.5"), &valid);
    bool commaValid = true;
    tarnwick::parseDouble(String("2,5"), &commaValid);
    std::locale::global(previous);
    std::setlocale(LC_NUMERIC, cPrevious.c_str());

    EXPECT_EQ(plain.str(), "1.234,5"); // the locale did take hold
    EXPECT_EQ(text, "1234.5");
    EXPECT_EQ(rounded, "0.123");
    EXPECT_EQ(fromString, "2.5");
    EXPECT_TRUE(valid);
    EXPECT_EQ(parsed, 2.5);
    EXPECT_FALSE(commaValid);
    if (!cComma)
        std::cout << "[ NOTE     ] no C locale with a decimal comma installed; C++ locale checked only\n";
}

TEST(NumberText, ParseChecksRangeAndJunk) {
    using tarnwick::parseDouble, tarnwick::parseInt, tarnwick::parseUInt;
    EXPECT_EQ(parsed(parseInt, " 42\t"), std::make_pair(42, true));
    EXPECT_EQ(parsed(parseInt, "+7"), std::make_pair(7, true));
    EXPECT_EQ(parsed(parseInt, "-2147483648"), std::make_pair(INT32_MIN, true));
    EXPECT_EQ(parsed(parseInt, "2147483647\r\n"), std::make_pair(INT32_MAX, true));
    EXPECT_EQ(parsed(parseUInt, "4294967295"), std::make_pair(UINT32_MAX, true));
    EXPECT_EQ(parsed(tarnwick::parseUInt64, "18446744073709551615"), std::make_pair(UINT64_MAX, true));
    EXPECT_EQ(parsed(tarnwick::parseInt64, "-9223372036854775808"), std::make_pair(INT64_MIN, true));
    EXPECT_EQ(parsed(parseDouble, " 2.5 "), std::make_pair(2.5, true));
    EXPECT_EQ(parsed(parseDouble, "-1e3"), std::make_pair(-1000.0, true));
    EXPECT_EQ(parsed(parseDouble, "+.5"), std::make_pair(0.5, true));
    EXPECT_EQ(parsed(parseDouble, "7"), std::make_pair(7.0, true));

    for (const char* bad : {"", " ", "2147483648", "-2147483649", "12abc", "abc", "1 2", "0x10", "+-1", "-+1",
                            "++1", "1.5", "\n3", "٣"})
        EXPECT_EQ(parsed(parseInt, bad, true), std::make_pair(0, false)) << bad;
    for (const char* bad : {"-1", "4294967296", "+-0"})
        EXPECT_EQ(parsed(parseUInt, bad, true), std::make_pair(0u, false)) << bad;
    EXPECT_EQ(parsed(tarnwick::parseUInt64, "18446744073709551616", true),
              std::make_pair(uint64_t(0), false));
    EXPECT_EQ(tarnwick::parseInt(String("junk")), 0); // the flag may be left out
    for (const char* bad : {"", "1,5", "1e400", "-1e400", "nan", "inf", "-inf", "1.5x", "x1.5", "1..5",
                            "+-2.5", "0x1p3", "1 e3"})
        EXPECT_EQ(parsed(parseDouble, bad, true), std::make_pair(0.0, false)) << bad;
}
