#include "Environment/DateTime.h"

#include <chrono>
#include <ctime>
#include <optional>

#include <boost/date_time/gregorian/gregorian_types.hpp>

namespace tarnwick {

namespace {

const boost::gregorian::date& unixEpoch() {
    static const boost::gregorian::date epoch(1970, 1, 1);
    return epoch;
}

// The calendar day, or nothing when it does not exist (the calendar knows years 1400..9999).
std::optional<boost::gregorian::date> calendarDate(uint32_t year, uint32_t month, uint32_t day) {
    using Calendar = boost::gregorian::gregorian_calendar;
    if (year < 1400 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
    auto y = static_cast<unsigned short>(year);
    auto m = static_cast<unsigned short>(month);
    if (day > Calendar::end_of_month_day(y, m)) return std::nullopt;
    return boost::gregorian::date(y, m, static_cast<unsigned short>(day));
}

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Reads spaces, then a decimal number of at most five digits, then "/".
bool readField(std::string_view& text, uint32_t& value) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    size_t digits = 0;
    value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        if (digits == 5) return false;
        value = value * 10 + static_cast<uint32_t>(text[digits] - '0');
        ++digits;
    }
    if (digits == 0 || digits >= text.size() || text[digits] != '/') return false;
    text.remove_prefix(digits + 1);
    return true;
}

} // namespace

DateTime::DateTime(uint32_t year, uint32_t month, uint32_t day, uint32_t hour, uint32_t minute,
                   uint32_t second) {
    setYear(year);
    setMonth(month);
    setDay(day);
    setHour(hour);
    setMinute(minute);
    setSecond(second);
}

DateTime DateTime::now() {
    DateTime t;
    t.setNow();
    return t;
}

DateTime DateTime::fromRaw(uint32_t dateWord, uint32_t timeWord, int16_t offsetMinutes) {
    DateTime t;
    t.m_date = dateWord;
    t.m_time = timeWord;
    t.m_offset = offsetMinutes;
    return t;
}

void DateTime::setNow() {
    using namespace std::chrono;
    auto since = system_clock::now().time_since_epoch();
    std::time_t seconds =
        static_cast<std::time_t>(floorDiv(duration_cast<microseconds>(since).count(), 1000000));
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) {
        *this = DateTime();
        return;
    }
    SystemTime record;
    record.year = static_cast<uint16_t>(local.tm_year + 1900);
    record.month = static_cast<uint16_t>(local.tm_mon + 1);
    record.dayOfWeek = static_cast<uint16_t>(local.tm_wday);
    record.day = static_cast<uint16_t>(local.tm_mday);
    record.hour = static_cast<uint16_t>(local.tm_hour);
    record.minute = static_cast<uint16_t>(local.tm_min);
    record.second = static_cast<uint16_t>(local.tm_sec);
    setFromSystemTime(record, static_cast<int16_t>(local.tm_gmtoff / 60));
    setMicroseconds(static_cast<uint32_t>(duration_cast<microseconds>(since).count() -
                                          static_cast<int64_t>(seconds) * 1000000));
}

void DateTime::setFromSystemTime(const SystemTime& time, int16_t offsetMinutes) {
    m_date = 0;
    m_time = 0;
    setYear(time.year);
    setMonth(time.month);
    setWeekday(time.dayOfWeek);
    setDay(time.day);
    setHour(time.hour);
    setMinute(time.minute);
    setSecond(time.second);
    setMicroseconds(uint32_t(time.milliseconds) * 1000);
    m_offset = offsetMinutes;
}

void DateTime::setFromUnixTime(int32_t seconds) {
    int64_t days = floorDiv(seconds, 86400);
    int64_t ofDay = int64_t(seconds) - days * 86400;
    boost::gregorian::date d = unixEpoch() + boost::gregorian::days(static_cast<long>(days));
    m_date = 0;
    m_time = 0;
    setYear(d.year());
    setMonth(d.month());
    setWeekday(d.day_of_week());
    setDay(d.day());
    setHour(static_cast<uint32_t>(ofDay / 3600));
    setMinute(static_cast<uint32_t>(ofDay / 60 % 60));
    setSecond(static_cast<uint32_t>(ofDay % 60));
    m_offset = 0;
}

void DateTime::clearTime() {
    setHour(0);
    m_time = 0;
    m_offset = 0;
}

bool DateTime::isValidDate() const {
    return calendarDate(getYear(), getMonth(), getDay()).has_value();
}

int64_t DateTime::getTicks() const {
    uint32_t year = getYear();
    if (year < 1400 || year > 10000) return 0;
    auto date = calendarDate(year, getMonth(), getDay());
    if (!date) return 0;
    int64_t days = (*date - unixEpoch()).days();
    int64_t seconds = days * 86400 + int64_t(getHour()) * 3600 + int64_t(getMinute()) * 60 +
                      int64_t(getSecond()) - int64_t(m_offset) * 60;
    // Truncated toward zero with the sub-second part counted, then kept to 32 bits as stored counts are.
    int64_t total = (seconds * 1000000 + int64_t(getMicroseconds())) / 1000000;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(total)));
}

String DateTime::toText() const {
    std::string text;
    for (uint32_t field : {getDay(), getMonth(), getYear(), getHour(), getMinute(), getSecond()}) {
        text += std::to_string(field);
        text += '/';
    }
    return String(std::move(text));
}

bool DateTime::fromText(const String& text) {
    std::string_view rest = text.view();
    uint32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    if (!readField(rest, day) || !readField(rest, month) || !readField(rest, year) ||
        !readField(rest, hour) || !readField(rest, minute) || !readField(rest, second) || !rest.empty())
        return false;
    if (day < 1 || day > 31 || month < 1 || month > 12 || year > 0x7FFF || hour > 23 || minute > 59 ||
        second > 59)
        return false;
    *this = DateTime(year, month, day, hour, minute, second);
    return true;
}

bool DateTime::operator==(const DateTime& other) const {
    return getMicroseconds() == other.getMicroseconds() && getTicks() == other.getTicks();
}

bool DateTime::operator<(const DateTime& other) const {
    int64_t a = getTicks();
    int64_t b = other.getTicks();
    if (a != b) return a < b;
    return getMicroseconds() < other.getMicroseconds();
}

} // namespace tarnwick
