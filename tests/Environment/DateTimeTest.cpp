// Runs twice: under UTC and under a zone east of UTC (the suite name is in the second run's filter).
#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <vector>

#include "Environment/DateTime.h"

using tarnwick::DateTime;
using tarnwick::String;
using Fields = std::vector<uint32_t>;

namespace {
// Year, month, day, weekday, hour, minute, second, microseconds.
Fields fields(const DateTime& t) {
    return {t.getYear(), t.getMonth(),  t.getDay(),    t.getWeekday(),
            t.getHour(), t.getMinute(), t.getSecond(), t.getMicroseconds()};
}
} // namespace

TEST(DateTime, FieldsLandInTheirBitsAndSettersKeepTheirNeighbours) {
    DateTime zero; // month and day one
    EXPECT_EQ(zero.getDateWord(), (1u << 15) | (1u << 22));
    EXPECT_EQ(zero.getTimeWord(), 0u);
    EXPECT_EQ(zero.getOffset(), 0);
    EXPECT_EQ(zero.getTicks(), 0); // year 0 lies outside the calendar

    DateTime t(2024, 3, 5, 14, 30, 45);
    // year 0-14, month 15-18, weekday 19-21, day 22-26, hour 27-31
    EXPECT_EQ(t.getDateWord(), 2024u | (3u << 15) | (0u << 19) | (5u << 22) | (14u << 27));
    // minute 0-5, second 6-11, microseconds 12-31
    EXPECT_EQ(t.getTimeWord(), 30u | (45u << 6));
    t.setMicroseconds(999999);
    t.setWeekday(2);
    EXPECT_EQ(t.getTimeWord(), 0xF423FB5Eu);
    EXPECT_EQ(t.getDateWord(), 0x714187E8u | (2u << 19));
    EXPECT_EQ(t.getOffset(), 0);

    DateTime top = DateTime::fromRaw(0xFFFFFFFFu, 0xFFFFFFFFu, -1);
    EXPECT_EQ(fields(top), (Fields{0x7FFF, 15, 31, 7, 31, 63, 63, 0xFFFFF}));
    EXPECT_EQ(top.getOffset(), -1);
    top.setMonth(0);
    EXPECT_EQ(top.getDateWord(), 0xFFFFFFFFu & ~(0xFu << 15));
    top.setMonth(0x1F); // wider than its four bits: only the field changes
    EXPECT_EQ(top.getDateWord(), 0xFFFFFFFFu);
    top.setSecond(0);
    EXPECT_EQ(top.getTimeWord(), 0xFFFFFFFFu & ~(0x3Fu << 6));
}

TEST(DateTime, TicksCountSecondsSince1970LessTheOffsetTruncatedAndWrappedToThirtyTwoBits) {
    const struct {
        uint32_t year, month, day, hour, minute, second, microseconds;
        int16_t offset;
        int64_t ticks;
    } cases[] = {
        {1970, 1, 1, 0, 0, 0, 0, 0, 0},
        {2024, 3, 5, 14, 30, 45, 0, 0, 1709649045},
        {2000, 2, 29, 0, 0, 0, 0, 0, 951782400},
        {2024, 2, 29, 0, 0, 0, 0, 0, 1709164800},
        {2024, 3, 5, 20, 0, 45, 0, 330, 1709649045}, // 20:00:45 at UTC+05:30 is 14:30:45 UTC
        {2024, 3, 5, 9, 30, 45, 0, -300, 1709649045},
        {1970, 1, 1, 0, 0, 1, 999999, 0, 1},
        {1969, 12, 31, 23, 59, 59, 0, 0, -1},
        {1969, 12, 31, 23, 59, 59, 500000, 0, 0}, // -0.5 s truncates toward zero
        {2038, 1, 19, 3, 14, 7, 0, 0, INT32_MAX},
        {2038, 1, 19, 3, 14, 8, 0, 0, INT32_MIN},
        {1400, 1, 1, 0, 0, 0, 0, 0, -807574016}, // -17987443200 kept to 32 bits
        // Impossible dates and years outside the range count 0.
        {2024, 4, 31, 0, 0, 0, 0, 0, 0},
        {2023, 2, 29, 0, 0, 0, 0, 0, 0},
        {1900, 2, 29, 0, 0, 0, 0, 0, 0},
        {2024, 0, 10, 0, 0, 0, 0, 0, 0},
        {2024, 13, 10, 0, 0, 0, 0, 0, 0},
        {2024, 1, 0, 0, 0, 0, 0, 0, 0},
        {1399, 12, 31, 0, 0, 0, 0, 0, 0},
        {10001, 1, 1, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        DateTime t(c.year, c.month, c.day, c.hour, c.minute, c.second);
        t.setMicroseconds(c.microseconds);
        t.setOffset(c.offset);
        EXPECT_EQ(t.getTicks(), c.ticks) << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":"
                                         << c.minute << ":" << c.second << "." << c.microseconds;
    }
    EXPECT_FALSE(DateTime(2023, 2, 29).isValidDate());
    EXPECT_TRUE(DateTime(2024, 2, 29).isValidDate());
}

TEST(DateTime, UnixTimeRoundTripsInAnyZoneAndGivesTheUtcFieldsAndWeekday) {
    for (int32_t seconds : {0, 1, -1, 86399, 86400, -86401, 951782400, 1709649045, INT32_MAX, INT32_MIN}) {
        DateTime t;
        t.setMicroseconds(123);
        t.setFromUnixTime(seconds);
        EXPECT_EQ(t.getTicks(), seconds) << seconds;
        EXPECT_EQ(t.getOffset(), 0) << seconds;
        EXPECT_EQ(t.getMicroseconds(), 0u) << seconds;
    }
    DateTime t;
    t.setFromUnixTime(INT32_MIN);
    EXPECT_EQ(fields(t), (Fields{1901, 12, 13, 5, 20, 45, 52, 0})); // a Friday
    t.setFromUnixTime(951782400);
    EXPECT_EQ(fields(t), (Fields{2000, 2, 29, 2, 0, 0, 0, 0})); // a Tuesday
}

TEST(DateTime, NowIsLocalTimeWithTheMachineOffset) {
    std::time_t before = std::time(nullptr);
    DateTime now = DateTime::now();
    std::time_t after = std::time(nullptr);
    std::tm local{};
    localtime_r(&before, &local);
    EXPECT_EQ(now.getOffset(), local.tm_gmtoff / 60);
    EXPECT_GE(now.getTicks(), static_cast<int64_t>(static_cast<int32_t>(before)));
    EXPECT_LE(now.getTicks(), static_cast<int64_t>(static_cast<int32_t>(after)));
    EXPECT_LT(now.getMicroseconds(), 1000000u);
    EXPECT_EQ(now.getWeekday(), static_cast<uint32_t>(local.tm_wday));
}

TEST(DateTime, SystemTimeRecordAndClearTime) {
    tarnwick::SystemTime record{2024, 3, 2, 5, 14, 30, 45, 250}; // a Tuesday
    DateTime t;
    t.setFromSystemTime(record, 60);
    EXPECT_EQ(t.getWeekday(), 2u);
    EXPECT_EQ(t.getMicroseconds(), 250000u);
    EXPECT_EQ(t.getOffset(), 60);
    EXPECT_EQ(t.getTicks(), 1709649045 - 3600);

    t.clearTime();
    EXPECT_EQ(fields(t), (Fields{2024, 3, 5, 2, 0, 0, 0, 0}));
    EXPECT_EQ(t.getTimeWord(), 0u);
    EXPECT_EQ(t.getOffset(), 0);
    EXPECT_EQ(t, DateTime(2024, 3, 5));
}

TEST(DateTime, EqualityAndOrderGoByTicksThenSubSecond) {
    DateTime a(2024, 3, 5, 14, 30, 45);
    DateTime b(2024, 3, 5, 20, 0, 45);
    b.setOffset(330);
    EXPECT_EQ(a, b); // the same instant written in two zones
    EXPECT_FALSE(a < b);
    EXPECT_FALSE(b < a);

    b.setMicroseconds(1);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a < b);
    EXPECT_FALSE(b < a);

    EXPECT_TRUE(DateTime(2024, 3, 5) < DateTime(2024, 3, 6));
    EXPECT_FALSE(DateTime(2024, 3, 6) < DateTime(2024, 3, 5));
    // Dates that cannot be counted all weigh 0 ticks.
    EXPECT_EQ(DateTime(2023, 2, 29), DateTime(1970, 1, 1));
    EXPECT_EQ(DateTime(), DateTime(1970, 1, 1));
    EXPECT_TRUE(DateTime(2024, 4, 31) < DateTime(1970, 1, 2));
    // Past 2038 the 32-bit count turns negative, and so does the order.
    EXPECT_TRUE(DateTime(2038, 1, 20) < DateTime(2000, 1, 1));
}

TEST(DateTime, LegacyTextRoundTripsAndBadTextKeepsTheValue) {
    DateTime t(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(t.toText(), String("5/3/2024/14/7/9/"));
    DateTime back;
    ASSERT_TRUE(back.fromText(t.toText()));
    EXPECT_EQ(back.getDateWord(), t.getDateWord());
    EXPECT_EQ(back.getTimeWord(), t.getTimeWord());
    EXPECT_EQ(DateTime().toText(), String("1/1/0/0/0/0/"));

    ASSERT_TRUE(back.fromText(String(" 5/ 3/2024/ 0/ 0/59/")));
    EXPECT_EQ(back, DateTime(2024, 3, 5, 0, 0, 59));

    // Bad input is refused and the value kept.
    const DateTime kept(2001, 2, 3, 4, 5, 6);
    for (const char* bad : {"", "5/3/2024/14/7/9", "5/3/2024/14/7/", "5/3/2024/14/7/9/x", "5/3/2024/14/7/9//",
                            "a/3/2024/14/7/9/", "/3/2024/14/7/9/", "0/3/2024/14/7/9/", "32/3/2024/14/7/9/",
                            "5/13/2024/14/7/9/", "5/0/2024/14/7/9/", "5/3/2024/24/7/9/", "5/3/2024/14/60/9/",
                            "5/3/2024/14/7/60/", "5/3/32768/14/7/9/", "5/3/999999/1/1/1/",
                            "-5/3/2024/14/7/9/", "5 /3/2024/14/7/9/", "5/3/2024/14/7/4294967297/"}) {
        back = kept;
        EXPECT_FALSE(back.fromText(String(bad))) << bad;
        EXPECT_EQ(back.getDateWord(), kept.getDateWord()) << bad;
        EXPECT_EQ(back.getTimeWord(), kept.getTimeWord()) << bad;
    }
}
