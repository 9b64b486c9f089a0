#include "persistence/StringSetting.h"

#include <algorithm>
#include <limits>
#include <typeinfo>

#include "Environment/NumberText.h"
#include "persistence/TimeSetting.h"
#include "persistence/ValueText.h"

namespace tarnwick {

// String

int64_t StringSetting::getInt64(int64_t& value) const {
    return value = leadingInteger(m_value);
}

DateTime StringSetting::getDateTime(DateTime& value) const {
    TimeSetting time;
    time.setText(m_value);
    return value = time.getTime();
}

int32_t StringSetting::getInt32(int32_t& value) const {
    int64_t wide = leadingInteger(m_value);
    wide =
        std::clamp<int64_t>(wide, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    return value = static_cast<int32_t>(wide);
}

double StringSetting::getDouble(double& value) const {
    return value = leadingReal(m_value);
}

bool StringSetting::isEqual(const Setting& other) const {
    return typeid(other) == typeid(*this) && dynamic_cast<const StringSetting&>(other).m_value == m_value;
}

bool StringSetting::isLess(const Setting& other) const {
    return typeid(other) == typeid(*this) && m_value < dynamic_cast<const StringSetting&>(other).m_value;
}

void StringSetting::setInt64(int64_t value) {
    m_value = String(intToText(value));
}
void StringSetting::setDateTime(const DateTime& value) {
    m_value = TimeSetting(value).asText();
}
void StringSetting::setInt32(int32_t value) {
    m_value = String(intToText(value));
}
void StringSetting::setDouble(double value) {
    m_value = exactRealText(value);
}

// ID

String IDSetting::getText(String& value) const {
    return value = m_value.isValid() ? m_value.toString() : String();
}

bool IDSetting::isEqual(const Setting& other) const {
    return typeid(other) == typeid(*this) && dynamic_cast<const IDSetting&>(other).m_value == m_value;
}

bool IDSetting::isLess(const Setting& other) const {
    return typeid(other) == typeid(*this) && m_value < dynamic_cast<const IDSetting&>(other).m_value;
}

void IDSetting::setText(const String& text) {
    String word = text;
    word.trim();
    m_value = Guid(word);
}

} // namespace tarnwick
