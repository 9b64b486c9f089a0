// A packed date and time of day with its sub-second part and its offset from UTC, laid out as
// the host and the module's stored data expect: two 32-bit words and a 16-bit offset.
#pragma once

#include <cstdint>
#include <type_traits>

#include "Environment/String.h"

namespace tarnwick {

// The operating system's broken-down time record.
struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 1;     // 1-12
    uint16_t dayOfWeek = 0; // 0 = Sunday
    uint16_t day = 1;       // 1-31
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

class DateTime {
public:
    // The zero value: year 0, month 1, day 1, everything else 0.
    DateTime() = default;
    // Those fields; the sub-second part and the offset 0, the weekday 0.
    DateTime(uint32_t year, uint32_t month, uint32_t day, uint32_t hour = 0, uint32_t minute = 0,
             uint32_t second = 0);
    // The local time now, with the machine's current offset from UTC.
    static DateTime now();
    // The value with those raw words, as stored.
    static DateTime fromRaw(uint32_t dateWord, uint32_t timeWord, int16_t offsetMinutes);

    void setNow();
    // Every field from the record (milliseconds become the sub-second part) and the given offset.
    void setFromSystemTime(const SystemTime& time, int16_t offsetMinutes = 0);
    // Date, weekday and time of day of that instant in UTC; the sub-second part and the offset 0,
    // so that getTicks gives the same count back in any time zone.
    void setFromUnixTime(int32_t seconds);
    // Keeps the date; zeroes the time of day, the sub-second part and the offset.
    void clearTime();

    // Seconds from 1970-01-01 00:00 UTC (the sub-second part counted, then truncated toward zero),
    // wrapped to a signed 32-bit count; 0 when the year lies outside 1400..10000 or the date does
    // not exist in the Gregorian calendar (whose years end with 9999, so 10000 gives 0 too).
    int64_t getTicks() const;
    // False when the day does not exist in the Gregorian calendar of years 1400..9999.
    bool isValidDate() const;

    uint32_t getYear() const { return bits(m_date, 0, 15); }
    uint32_t getMonth() const { return bits(m_date, 15, 4); }
    uint32_t getWeekday() const { return bits(m_date, 19, 3); } // 0 = Sunday
    uint32_t getDay() const { return bits(m_date, 22, 5); }
    uint32_t getHour() const { return bits(m_date, 27, 5); }
    uint32_t getMinute() const { return bits(m_time, 0, 6); }
    uint32_t getSecond() const { return bits(m_time, 6, 6); }
    uint32_t getMicroseconds() const { return bits(m_time, 12, 20); }
    int16_t getOffset() const { return m_offset; } // minutes east of UTC

    // Each stores the value in its bit field; bits beyond the field's width are dropped.
    void setYear(uint32_t year) { setBits(m_date, 0, 15, year); }
    void setMonth(uint32_t month) { setBits(m_date, 15, 4, month); }
    void setWeekday(uint32_t weekday) { setBits(m_date, 19, 3, weekday); }
    void setDay(uint32_t day) { setBits(m_date, 22, 5, day); }
    void setHour(uint32_t hour) { setBits(m_date, 27, 5, hour); }
    void setMinute(uint32_t minute) { setBits(m_time, 0, 6, minute); }
    void setSecond(uint32_t second) { setBits(m_time, 6, 6, second); }
    void setMicroseconds(uint32_t microseconds) { setBits(m_time, 12, 20, microseconds); }
    void setOffset(int16_t minutes) { m_offset = minutes; }

    uint32_t getDateWord() const { return m_date; }
    uint32_t getTimeWord() const { return m_time; }

    // The legacy text form "day/month/year/hour/minute/second/" in plain decimal.
    String toText() const;
    // Reads the legacy text form (spaces allowed before each number). False, leaving this value
    // unchanged, unless the text holds exactly six fields, each ended by "/", with day 1..31,
    // month 1..12, year 0..32767, hour 0..23, minute and second 0..59.
    [[nodiscard]] bool fromText(const String& text);

    // False when the sub-second parts differ; otherwise equal ticks.
    bool operator==(const DateTime& other) const;
    bool operator!=(const DateTime& other) const { return !(*this == other); }
    // By ticks, then by the sub-second part.
    bool operator<(const DateTime& other) const;

private:
    static uint32_t bits(uint32_t word, unsigned first, unsigned count) {
        return (word >> first) & ((uint32_t(1) << count) - 1);
    }
    static void setBits(uint32_t& word, unsigned first, unsigned count, uint32_t value) {
        uint32_t mask = ((uint32_t(1) << count) - 1) << first;
        word = (word & ~mask) | ((value << first) & mask);
    }

    uint32_t m_date = (uint32_t(1) << 15) | (uint32_t(1) << 22); // month 1, day 1
    uint32_t m_time = 0;
    int16_t m_offset = 0;
};

static_assert(std::is_standard_layout_v<DateTime>);
static_assert(sizeof(DateTime) == 12);

} // namespace tarnwick
