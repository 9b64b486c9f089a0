#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <locale>
#include <sstream>

#include "Environment/NumberText.h"
#include "Environment/String.h"

using tarnwick::String;

TEST(NumberText, Integers) {
    EXPECT_EQ(tarnwick::intToText(0), "0");
    EXPECT_EQ(tarnwick::intToText(-32768), "-32768");
    EXPECT_EQ(tarnwick::intToText(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(tarnwick::uintToText(UINT64_MAX), "18446744073709551615");
}

TEST(NumberText, RealsRoundToThePrecisionThenSixDigits) {
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

TEST(NumberText, ParseIntegersChecksRangeAndJunk) {
    bool valid = false;
    EXPECT_EQ(tarnwick::parseInt(String(" 42\t"), &valid), 42);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseInt(String("+7"), &valid), 7);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseInt(String("-2147483648"), &valid), INT32_MIN);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseInt(String("2147483647\r\n"), &valid), INT32_MAX);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseUInt(String("4294967295"), &valid), UINT32_MAX);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseUInt64(String("18446744073709551615"), &valid), UINT64_MAX);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseInt64(String("-9223372036854775808"), &valid), INT64_MIN);
    EXPECT_TRUE(valid);

    for (const char* bad : {"", " ", "2147483648", "-2147483649", "12abc", "abc", "1 2", "0x10", "+-1", "-+1",
                            "++1", "1.5", "\n3", "٣"}) {
        valid = true;
        EXPECT_EQ(tarnwick::parseInt(String(bad), &valid), 0) << bad;
        EXPECT_FALSE(valid) << bad;
    }
    for (const char* bad : {"-1", "4294967296", "+-0"}) {
        valid = true;
        EXPECT_EQ(tarnwick::parseUInt(String(bad), &valid), 0u) << bad;
        EXPECT_FALSE(valid) << bad;
    }
    valid = true;
    EXPECT_EQ(tarnwick::parseUInt64(String("18446744073709551616"), &valid), 0u);
    EXPECT_FALSE(valid);
    EXPECT_EQ(tarnwick::parseInt(String("junk")), 0); // the flag may be left out
}

TEST(NumberText, ParseDoubleChecksRangeAndJunk) {
    bool valid = false;
    EXPECT_EQ(tarnwick::parseDouble(String(" 2.5 "), &valid), 2.5);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseDouble(String("-1e3"), &valid), -1000.0);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseDouble(String("+.5"), &valid), 0.5);
    EXPECT_TRUE(valid);
    EXPECT_EQ(tarnwick::parseDouble(String("7"), &valid), 7.0);
    EXPECT_TRUE(valid);

    for (const char* bad : {"", "1,5", "1e400", "-1e400", "nan", "inf", "-inf", "1.5x", "x1.5", "1..5",
                            "+-2.5", "0x1p3", "1 e3"}) {
        valid = true;
        EXPECT_EQ(tarnwick::parseDouble(String(bad), &valid), 0.0) << bad;
        EXPECT_FALSE(valid) << bad;
    }
}
