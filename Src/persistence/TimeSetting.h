// The date-time kind of Setting. Its integer form is the stamp's count of seconds since
// 1970-01-01 00:00 UTC as a signed 32-bit number (DateTime::getTicks: 0 for a year outside
// 1400..10000 or a day that does not exist), so a count set and read back is the same in any time
// zone. Its text form is the date alone, " 5/ 3/2024": day and month right-justified to two
// characters, the year to four; empty for a five-digit year.
#pragma once

#include "persistence/Setting.h"

namespace tarnwick {

class TimeSetting : public virtual Setting {
public:
    // The zero stamp: year 0, month 1, day 1, everything else 0. It is the empty value.
    TimeSetting() = default;
    explicit TimeSetting(const DateTime& stamp) : m_stamp(stamp) {}

    virtual DateTime getTime() const { return m_stamp; }

    std::unique_ptr<Setting> clone() const override { return std::make_unique<TimeSetting>(*this); }
    // Another TimeSetting is copied whole; anything else goes through text.
    Setting& assign(const Setting& other) override;
    int64_t getInt64(int64_t& value) const override { return value = ticks(); }
    DateTime getDateTime(DateTime& value) const override { return value = m_stamp; }
    int32_t getInt32(int32_t& value) const override { return value = ticks(); }
    double getDouble(double& value) const override { return value = ticks(); }
    String getText(String& value) const override;
    // Only against another TimeSetting: by the integer form, then by the sub-second part.
    bool isEqual(const Setting& other) const override;
    bool isLess(const Setting& other) const override;
    bool isEmpty() const override { return m_stamp == DateTime(); }
    uint32_t getType() const override { return TimeType; }
    void clear() override { m_stamp = DateTime(); }
    void setInt64(int64_t value) override; // the low 32 bits as seconds
    void setDateTime(const DateTime& value) override { m_stamp = value; }
    void setInt32(int32_t value) override { m_stamp.setFromUnixTime(value); }
    void setDouble(double value) override; // truncated toward zero and clamped; NaN is 0
    // Reads "day/month/year" (spaces before each number; each number ends at the first
    // character that cannot continue it): day 1..31 and within the month, month 1..12, year
    // 1900..9999. The result is that date at 00:00, offset 0. Anything else gives the zero stamp.
    void setText(const String& text) override;

private:
    int32_t ticks() const { return static_cast<int32_t>(m_stamp.getTicks()); }

    DateTime m_stamp;
};

} // namespace tarnwick
