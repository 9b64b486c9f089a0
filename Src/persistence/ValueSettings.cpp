#include "persistence/ValueSettings.h"

#include <limits>
#include <typeinfo>

#include "Environment/NumberText.h"
#include "persistence/TimeSetting.h"
#include "persistence/ValueText.h"

namespace tarnwick {

namespace {

int32_t clampToInt32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// Only settings of exactly the same class compare.
template <class Kind, class Less> bool compareSame(const Kind& self, const Setting& other, Less less) {
    if (typeid(self) != typeid(other)) return false;
    return less(self, dynamic_cast<const Kind&>(other));
}

} // namespace

// Boolean

DateTime BooleanSetting::getDateTime(DateTime& value) const {
    TimeSetting time;
    time.setInt32(m_value ? 1 : 0);
    return value = time.getTime();
}

String BooleanSetting::getText(String& value) const {
    return value = String(m_value ? "1" : "0");
}

bool BooleanSetting::isEqual(const Setting& other) const {
    return compareSame<BooleanSetting>(*this, other, [](auto& a, auto& b) { return a.m_value == b.m_value; });
}

bool BooleanSetting::isLess(const Setting& other) const {
    return compareSame<BooleanSetting>(*this, other, [](auto& a, auto& b) { return a.m_value < b.m_value; });
}

void BooleanSetting::setDateTime(const DateTime& value) {
    m_value = TimeSetting(value).asInt32() != 0;
}

void BooleanSetting::setText(const String& text) {
    String word = text;
    word.trim();
    word = word.toLower();
    if (word == "true")
        m_value = true;
    else if (word == "false")
        m_value = false;
    else
        m_value = leadingInteger(word) != 0;
}

// Int32

DateTime Int32Setting::getDateTime(DateTime& value) const {
    TimeSetting time;
    time.setInt32(m_value);
    return value = time.getTime();
}

String Int32Setting::getText(String& value) const {
    return value = String(intToText(m_value));
}

bool Int32Setting::isEqual(const Setting& other) const {
    return compareSame<Int32Setting>(*this, other, [](auto& a, auto& b) { return a.m_value == b.m_value; });
}

bool Int32Setting::isLess(const Setting& other) const {
    return compareSame<Int32Setting>(*this, other, [](auto& a, auto& b) { return a.m_value < b.m_value; });
}

void Int32Setting::setInt64(int64_t value) {
    m_value = lowInt32(value);
}
void Int32Setting::setDateTime(const DateTime& value) {
    m_value = TimeSetting(value).asInt32();
}
void Int32Setting::setDouble(double value) {
    m_value = saturateToInt32(value);
}
void Int32Setting::setText(const String& text) {
    m_value = clampToInt32(leadingInteger(text));
}

// Int64

DateTime Int64Setting::getDateTime(DateTime& value) const {
    TimeSetting time;
    time.setInt64(m_value);
    return value = time.getTime();
}

int32_t Int64Setting::getInt32(int32_t& value) const {
    return value = clampToInt32(m_value);
}
String Int64Setting::getText(String& value) const {
    return value = String(intToText(m_value));
}

bool Int64Setting::isEqual(const Setting& other) const {
    return compareSame<Int64Setting>(*this, other, [](auto& a, auto& b) { return a.m_value == b.m_value; });
}

bool Int64Setting::isLess(const Setting& other) const {
    return compareSame<Int64Setting>(*this, other, [](auto& a, auto& b) { return a.m_value < b.m_value; });
}

void Int64Setting::setDateTime(const DateTime& value) {
    m_value = TimeSetting(value).asInt64();
}
void Int64Setting::setDouble(double value) {
    m_value = saturateToInt64(value);
}
void Int64Setting::setText(const String& text) {
    m_value = leadingInteger(text);
}

// Real

int64_t RealSetting::getInt64(int64_t& value) const {
    return value = saturateToInt64(m_value);
}

DateTime RealSetting::getDateTime(DateTime& value) const {
    TimeSetting time;
    time.setDouble(m_value);
    return value = time.getTime();
}

int32_t RealSetting::getInt32(int32_t& value) const {
    return value = saturateToInt32(m_value);
}
String RealSetting::getText(String& value) const {
    return value = exactRealText(m_value);
}

bool RealSetting::isEqual(const Setting& other) const {
    return compareSame<RealSetting>(*this, other, [](auto& a, auto& b) { return a.m_value == b.m_value; });
}

bool RealSetting::isLess(const Setting& other) const {
    return compareSame<RealSetting>(*this, other, [](auto& a, auto& b) { return a.m_value < b.m_value; });
}

void RealSetting::setDateTime(const DateTime& value) {
    m_value = TimeSetting(value).asDouble();
}

void RealSetting::setText(const String& text) {
    double value = 0.0;
    m_value = parseExactReal(text, value) ? value : 0.0;
}

} // namespace tarnwick
