// Runs twice: under UTC and under a zone east of UTC (the suite name is in the second run's filter).
#include <gtest/gtest.h>

#include <climits>
#include <ctime>

#include "Environment/DateTime.h"

using tarnwick::DateTime;
using tarnwick::String;

TEST(DateTime, ZeroValueHasMonthAndDayOne) {
    DateTime zero;
    EXPECT_EQ(zero.getDateWord(), (1u << 15) | (1u << 22));
    EXPECT_EQ(zero.getTimeWord(), 0u);
    EXPECT_EQ(zero.getOffset(), 0);
    EXPECT_EQ(zero.getYear(), 0u);
    EXPECT_EQ(zero.getTicks(), 0); // year 0 lies outside the calendar
}

TEST(DateTime, FieldsLandInTheirBits) {
    DateTime t(2024, 3, 5, 14, 30, 45);
    // year 0-14, month 15-18, weekday 19-21, day 22-26, hour 27-31
    EXPECT_EQ(t.getDateWord(), 2024u | (3u << 15) | (0u << 19) | (5u << 22) | (14u << 27));
    EXPECT_EQ(t.getDateWord(), 0x714187E8u);
    // minute 0-5, second 6-11, microseconds 12-31
    EXPECT_EQ(t.getTimeWord(), 30u | (45u << 6));
    t.setMicroseconds(999999);
    t.setWeekday(2);
    EXPECT_EQ(t.getTimeWord(), 0xF423FB5Eu);
    EXPECT_EQ(t.getDateWord(), 0x714187E8u | (2u << 19));
    EXPECT_EQ(t.getOffset(), 0);

    DateTime top = DateTime::fromRaw(0xFFFFFFFFu, 0xFFFFFFFFu, -1);
    EXPECT_EQ(top.getYear(), 0x7FFFu);
    EXPECT_EQ(top.getMonth(), 15u);
    EXPECT_EQ(top.getWeekday(), 7u);
    EXPECT_EQ(top.getDay(), 31u);
    EXPECT_EQ(top.getHour(), 31u);
    EXPECT_EQ(top.getMinute(), 63u);
    EXPECT_EQ(top.getSecond(), 63u);
    EXPECT_EQ(top.getMicroseconds(), 0xFFFFFu);
    EXPECT_EQ(top.getOffset(), -1);
}

TEST(DateTime, SettersKeepNeighbouringFields) {
    DateTime t = DateTime::fromRaw(0xFFFFFFFFu, 0xFFFFFFFFu, 0);
    t.setMonth(0);
    EXPECT_EQ(t.getDateWord(), 0xFFFFFFFFu & ~(0xFu << 15));
    t.setMonth(0x1F); // wider than its four bits: only the field changes
    EXPECT_EQ(t.getDateWord(), 0xFFFFFFFFu);
    t.setSecond(0);
    EXPECT_EQ(t.getTimeWord(), 0xFFFFFFFFu & ~(0x3Fu << 6));
}

TEST(DateTime, TicksCountSecondsSince1970LessTheOffset) {
    EXPECT_EQ(DateTime(1970, 1, 1).getTicks(), 0);
    EXPECT_EQ(DateTime(2024, 3, 5, 14, 30, 45).getTicks(), 1709649045);
    EXPECT_EQ(DateTime(2000, 2, 29).getTicks(), 951782400);
    DateTime india(2024, 3, 5, 20, 0, 45);
    india.setOffset(330); // 20:00:45 at UTC+05:30 is 14:30:45 UTC
    EXPECT_EQ(india.getTicks(), 1709649045);
    DateTime west(2024, 3, 5, 9, 30, 45);
    west.setOffset(-300);
    EXPECT_EQ(west.getTicks(), 1709649045);
}

TEST(DateTime, TicksTruncateTowardZeroAndWrapToThirtyTwoBits) {
    DateTime half(1970, 1, 1, 0, 0, 1);
    half.setMicroseconds(999999);
    EXPECT_EQ(half.getTicks(), 1);
    DateTime before(1969, 12, 31, 23, 59, 59);
    EXPECT_EQ(before.getTicks(), -1);
    before.setMicroseconds(500000); // -0.5 s truncates to 0
    EXPECT_EQ(before.getTicks(), 0);

    EXPECT_EQ(DateTime(2038, 1, 19, 3, 14, 7).getTicks(), INT32_MAX);
    EXPECT_EQ(DateTime(2038, 1, 19, 3, 14, 8).getTicks(), INT32_MIN);
    EXPECT_EQ(DateTime(1400, 1, 1).getTicks(), -807574016); // -17987443200 kept to 32 bits
}

TEST(DateTime, ImpossibleDatesAndYearsOutsideTheRangeGiveZeroTicks) {
    EXPECT_EQ(DateTime(2024, 4, 31).getTicks(), 0);
    EXPECT_EQ(DateTime(2023, 2, 29).getTicks(), 0);
    EXPECT_EQ(DateTime(1900, 2, 29).getTicks(), 0);
    EXPECT_NE(DateTime(2024, 2, 29).getTicks(), 0);
    EXPECT_EQ(DateTime(2024, 0, 10).getTicks(), 0);
    EXPECT_EQ(DateTime(2024, 13, 10).getTicks(), 0);
    EXPECT_EQ(DateTime(2024, 1, 0).getTicks(), 0);
    EXPECT_EQ(DateTime(1399, 12, 31).getTicks(), 0);
    EXPECT_EQ(DateTime(10001, 1, 1).getTicks(), 0);
    EXPECT_FALSE(DateTime(2023, 2, 29).isValidDate());
    EXPECT_TRUE(DateTime(2024, 2, 29).isValidDate());
}

TEST(DateTime, UnixTimeRoundTripsInAnyZone) {
    for (int32_t seconds : {0, 1, -1, 86399, 86400, -86401, 951782400, 1709649045, INT32_MAX, INT32_MIN}) {
        DateTime t;
        t.setFromUnixTime(seconds);
        EXPECT_EQ(t.getTicks(), seconds) << seconds;
        EXPECT_EQ(t.getOffset(), 0) << seconds;
        EXPECT_EQ(t.getMicroseconds(), 0u) << seconds;
    }
}

TEST(DateTime, UnixTimeGivesTheUtcFieldsAndWeekday) {
    DateTime t;
    t.setMicroseconds(123);
    t.setFromUnixTime(INT32_MIN); // Friday 1901-12-13 20:45:52 UTC
    EXPECT_EQ(t.getYear(), 1901u);
    EXPECT_EQ(t.getMonth(), 12u);
    EXPECT_EQ(t.getDay(), 13u);
    EXPECT_EQ(t.getWeekday(), 5u);
    EXPECT_EQ(t.getHour(), 20u);
    EXPECT_EQ(t.getMinute(), 45u);
    EXPECT_EQ(t.getSecond(), 52u);
    EXPECT_EQ(t.getMicroseconds(), 0u);

    t.setFromUnixTime(951782400); // Tuesday 2000-02-29
    EXPECT_EQ(t.getDay(), 29u);
    EXPECT_EQ(t.getMonth(), 2u);
    EXPECT_EQ(t.getWeekday(), 2u);
    EXPECT_EQ(t.getHour(), 0u);
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
    tarnwick::SystemTime record;
    record.year = 2024;
    record.month = 3;
    record.dayOfWeek = 2;
    record.day = 5;
    record.hour = 14;
    record.minute = 30;
    record.second = 45;
    record.milliseconds = 250;
    DateTime t;
    t.setFromSystemTime(record, 60);
    EXPECT_EQ(t.getWeekday(), 2u);
    EXPECT_EQ(t.getMicroseconds(), 250000u);
    EXPECT_EQ(t.getOffset(), 60);
    EXPECT_EQ(t.getTicks(), 1709649045 - 3600);

    t.clearTime();
    EXPECT_EQ(t.getYear(), 2024u);
    EXPECT_EQ(t.getMonth(), 3u);
    EXPECT_EQ(t.getDay(), 5u);
    EXPECT_EQ(t.getWeekday(), 2u);
    EXPECT_EQ(t.getHour(), 0u);
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

TEST(DateTime, LegacyTextRoundTrips) {
    DateTime t(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(t.toText(), String("5/3/2024/14/7/9/"));
    DateTime back;
    ASSERT_TRUE(back.fromText(t.toText()));
    EXPECT_EQ(back.getDateWord(), t.getDateWord());
    EXPECT_EQ(back.getTimeWord(), t.getTimeWord());
    EXPECT_EQ(DateTime().toText(), String("1/1/0/0/0/0/"));

    ASSERT_TRUE(back.fromText(String(" 5/ 3/2024/ 0/ 0/59/")));
    EXPECT_EQ(back, DateTime(2024, 3, 5, 0, 0, 59));
}

TEST(DateTime, LegacyTextRejectsBadInputAndKeepsTheValue) {
    const DateTime kept(2001, 2, 3, 4, 5, 6);
    for (const char* bad : {"", "5/3/2024/14/7/9", "5/3/2024/14/7/", "5/3/2024/14/7/9/x", "5/3/2024/14/7/9//",
                            "a/3/2024/14/7/9/", "/3/2024/14/7/9/", "0/3/2024/14/7/9/", "32/3/2024/14/7/9/",
                            "5/13/2024/14/7/9/", "5/0/2024/14/7/9/", "5/3/2024/24/7/9/", "5/3/2024/14/60/9/",
                            "5/3/2024/14/7/60/", "5/3/32768/14/7/9/", "5/3/999999/1/1/1/",
                            "-5/3/2024/14/7/9/", "5 /3/2024/14/7/9/", "5/3/2024/14/7/4294967297/"}) {
        DateTime t = kept;
        EXPECT_FALSE(t.fromText(String(bad))) << bad;
        EXPECT_EQ(t.getDateWord(), kept.getDateWord()) << bad;
        EXPECT_EQ(t.getTimeWord(), kept.getTimeWord()) << bad;
    }
}
