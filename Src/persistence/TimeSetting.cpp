#include "persistence/TimeSetting.h"

#include <string_view>
#include <typeinfo>

#include "persistence/ValueText.h"

namespace tarnwick {

namespace {

// Spaces, then decimal digits up to the first other character; saturates far above any
// accepted value. Text without digits reads as 0.
uint32_t readNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
        if (value > 1000000) value = 1000000;
    }
    return value;
}

bool isLeapYear(uint32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

uint32_t daysInMonth(uint32_t year, uint32_t month) {
    static constexpr uint32_t days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

void appendPadded(std::string& out, uint32_t value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) out.append(width - digits.size(), ' ');
    out += digits;
}

} // namespace

Setting& TimeSetting::assign(const Setting& other) {
    if (&other == this) return *this;
    if (const auto* time = dynamic_cast<const TimeSetting*>(&other)) {
        m_stamp = time->m_stamp;
        return *this;
    }
    return Setting::assign(other);
}

String TimeSetting::getText(String& value) const {
    value.clear();
    if (m_stamp.getYear() > 9999) return value;
    std::string text;
    appendPadded(text, m_stamp.getDay(), 2);
    text += '/';
    appendPadded(text, m_stamp.getMonth(), 2);
    text += '/';
    appendPadded(text, m_stamp.getYear(), 4);
    return value = String(std::move(text));
}

bool TimeSetting::isEqual(const Setting& other) const {
    const auto* time = dynamic_cast<const TimeSetting*>(&other);
    return time != nullptr && m_stamp == time->m_stamp;
}

bool TimeSetting::isLess(const Setting& other) const {
    const auto* time = dynamic_cast<const TimeSetting*>(&other);
    return time != nullptr && m_stamp < time->m_stamp;
}

void TimeSetting::setInt64(int64_t value) {
    m_stamp.setFromUnixTime(lowInt32(value));
}

void TimeSetting::setDouble(double value) {
    m_stamp.setFromUnixTime(saturateToInt32(value));
}

void TimeSetting::setText(const String& text) {
    m_stamp = DateTime();
    std::string_view s = text.view();
    size_t first = s.find('/');
    if (first == std::string_view::npos || first == 0) return;
    size_t second = s.find('/', first + 1);
    if (second == std::string_view::npos) return;
    uint32_t day = readNumber(s.substr(0, first));
    uint32_t month = readNumber(s.substr(first + 1, second - first - 1));
    uint32_t year = readNumber(s.substr(second + 1));
    if (month < 1 || month > 12 || year < 1900 || year > 9999) return;
    if (day < 1 || day > daysInMonth(year, month)) return;
    m_stamp = DateTime(year, month, day);
}

} // namespace tarnwick
