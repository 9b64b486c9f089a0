// TimeSetting: its text form, its integer form in any time zone, and its comparisons. These tests
// run a second time under a zone east of UTC.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "persistence/StringSetting.h"
#include "persistence/TimeSetting.h"
#include "persistence/ValueSettings.h"

using namespace tarnwick;

namespace {

TimeSetting fromText(const char* text) {
    TimeSetting t;
    t.setText(String(text));
    return t;
}

} // namespace

TEST(TimeSetting, TextFormPadsDayMonthAndYear) {
    EXPECT_EQ(TimeSetting(DateTime(2024, 3, 5)).asText(), " 5/ 3/2024");
    EXPECT_EQ(TimeSetting().asText(), " 1/ 1/   0");
    EXPECT_EQ(TimeSetting(DateTime(1999, 12, 31, 23, 59, 59)).asText(), "31/12/1999");
    EXPECT_EQ(TimeSetting(DateTime(10000, 1, 1)).asText(), "");
    TimeSetting t(DateTime(2024, 3, 5));
    t.clear();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(t.asText(), " 1/ 1/   0");
}

TEST(TimeSetting, TextReadsBackAsTheSameDateAtMidnight) {
    TimeSetting t = fromText("5/3/2024");
    EXPECT_EQ(t.asText(), " 5/ 3/2024");
    EXPECT_TRUE(fromText(" 5/ 3/2024").isEqual(t));
    TimeSetting withTime = fromText("5/3/2024 10:30");
    EXPECT_TRUE(withTime.isEqual(t));
    DateTime stamp = withTime.getTime();
    EXPECT_EQ(std::tuple(stamp.getHour(), stamp.getMinute(), stamp.getOffset()), std::tuple(0u, 0u, 0));
    EXPECT_EQ(t.asInt32(), 1709596800);
}

TEST(TimeSetting, TextThatIsNoDateLeavesTheZeroStamp) {
    const auto expectRefused = [](const char* text) {
        TimeSetting t = fromText("5/3/2024"); // something to lose
        t.setText(String(text));
        EXPECT_TRUE(t.isEmpty()) << text;
        EXPECT_TRUE(t.getTime() == DateTime()) << text;
    };
    for (const char* text : {"", "2024", "/3/2024", "31/12/1899", "0/3/2024", "1/13/2024", "1/0/2024",
                             "1/1/10000", "5/3", "a/b/c", "31/4/2024", "31/6/2024", "32/1/2024", "30/2/2024",
                             "29/2/2023", "29/2/1900"}) // 1900 is no leap year
        expectRefused(text);
    // Numbers past 32 bits saturate rather than wrap round into a valid day, month or year.
    for (const char* text : {"99999999999999999999/1/2024", "4294967297/1/2024", "1/4294967297/2024",
                             "1/1/4294969296", "18446744073709551617/1/2024"})
        expectRefused(text);
    const struct {
        const char* text;
        uint32_t year, month, day;
    } dates[] = {{"30/4/2024", 2024, 4, 30},   {"31/12/2024", 2024, 12, 31},
                 {"29/2/2024", 2024, 2, 29},   {"28/2/2023", 2023, 2, 28},
                 {"29/2/2000", 2000, 2, 29},   {"1/1/1900", 1900, 1, 1},
                 {"31/12/9999", 9999, 12, 31}, {"0000000000000000001/1/2024", 2024, 1, 1}};
    for (const auto& c : dates) {
        const DateTime t = fromText(c.text).getTime();
        EXPECT_FALSE(fromText(c.text).isEmpty()) << c.text;
        EXPECT_EQ(std::tuple(t.getYear(), t.getMonth(), t.getDay()), std::tuple(c.year, c.month, c.day))
            << c.text;
    }
}

TEST(TimeSetting, NumbersRoundTripInAnyTimeZone) {
    for (int32_t seconds : {1, 86399, 1709596800, -86400, std::numeric_limits<int32_t>::max(), -2000000000}) {
        TimeSetting t;
        t.setInt32(seconds);
        EXPECT_EQ(t.asInt32(), seconds);
        EXPECT_EQ(t.asInt64(), seconds);
        EXPECT_EQ(t.asDouble(), double(seconds));
        EXPECT_EQ(t.getTime().getOffset(), 0);
    }
    TimeSetting t;
    t.setInt64((int64_t(3) << 32) + 1709596800);
    EXPECT_EQ(t.asInt32(), 1709596800);
    // Doubles and booleans convert like integers.
    TimeSetting one;
    one.setInt32(1);
    t.setDouble(1.9);
    EXPECT_TRUE(t.isEqual(one));
    t.setBool(true);
    EXPECT_TRUE(t.isEqual(one));
    EXPECT_TRUE(t.asBool());
    t.setDouble(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(t.isEmpty());
    t.setDouble(1e300);
    EXPECT_EQ(t.asInt32(), std::numeric_limits<int32_t>::max());
}

TEST(TimeSetting, TheEpochAndUncountableStampsEqualTheZeroStampAndPast2038TheCountIsNegative) {
    EXPECT_TRUE(TimeSetting(DateTime(1970, 1, 1)).isEmpty());
    EXPECT_TRUE(TimeSetting(DateTime(1399, 5, 5)).isEmpty());
    EXPECT_TRUE(TimeSetting(DateTime(2024, 4, 31)).isEmpty()); // no such day: integer form 0
    EXPECT_FALSE(TimeSetting(DateTime(1970, 1, 1, 0, 0, 1)).isEmpty());
    EXPECT_EQ(TimeSetting(DateTime(2038, 1, 19, 3, 14, 7)).asInt32(), std::numeric_limits<int32_t>::max());
    EXPECT_LT(TimeSetting(DateTime(2038, 1, 19, 3, 14, 8)).asInt32(), 0);
}

TEST(TimeSetting, ComparesOnlyWithTimeSettings) {
    TimeSetting a = fromText("5/3/2024");
    StringSetting sameText(String(" 5/ 3/2024"));
    EXPECT_FALSE(a.isEqual(sameText));
    EXPECT_FALSE(a.isLess(sameText));
    EXPECT_TRUE(fromText("4/3/2024").isLess(a));
    EXPECT_FALSE(a.isLess(a));
    DateTime finer = a.getTime();
    finer.setMicroseconds(5);
    EXPECT_TRUE(a.isLess(TimeSetting(finer)));
    EXPECT_FALSE(a.isEqual(TimeSetting(finer)));
}

TEST(TimeSetting, AssignCopiesTimeSettingsAndReadsOthersAsText) {
    TimeSetting t;
    DateTime stamp(2024, 3, 5, 10, 30, 0);
    stamp.setOffset(120);
    t.assign(TimeSetting(stamp));
    EXPECT_EQ(t.getTime().getOffset(), 120);
    EXPECT_EQ(t.getTime().getHour(), 10u);
    t.assign(Int32Setting(1709596800)); // its text holds no "/"
    EXPECT_TRUE(t.isEmpty());
    t.assign(StringSetting(String("6/3/2024")));
    EXPECT_EQ(t.asText(), " 6/ 3/2024");
    std::unique_ptr<Setting> copy = t.clone();
    EXPECT_TRUE(copy->isEqual(t));
    EXPECT_EQ(copy->getType(), Setting::TimeType);
}
