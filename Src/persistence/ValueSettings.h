// The number kinds of Setting: Boolean, 32- and 64-bit integers, reals and lengths. Their date
// conversions go through a TimeSetting: a stamp is the integer (or real) count of seconds that
// TimeSetting gives for it. Each is empty at its zero value.
#pragma once

#include "persistence/Setting.h"

namespace tarnwick {

class BooleanSetting : public virtual Setting {
public:
    explicit BooleanSetting(bool value = false) : m_value(value) {}

    bool getValue() const { return m_value; }

    std::unique_ptr<Setting> clone() const override { return std::make_unique<BooleanSetting>(*this); }
    int64_t getInt64(int64_t& value) const override { return value = m_value ? 1 : 0; }
    DateTime getDateTime(DateTime& value) const override;
    int32_t getInt32(int32_t& value) const override { return value = m_value ? 1 : 0; }
    double getDouble(double& value) const override { return value = m_value ? 1.0 : 0.0; }
    String getText(String& value) const override; // "1" or "0"
    bool isEqual(const Setting& other) const override;
    bool isLess(const Setting& other) const override;
    bool isEmpty() const override { return !m_value; }
    uint32_t getType() const override { return BooleanType; }
    void clear() override { m_value = false; }
    void setInt64(int64_t value) override { m_value = value != 0; }
    void setDateTime(const DateTime& value) override;
    void setInt32(int32_t value) override { m_value = value != 0; }
    void setDouble(double value) override { m_value = value != 0.0 && value == value; }
    // "true" and "false" in any letter case, else a number: not 0 is true.
    void setText(const String& text) override;

private:
    bool m_value;
};

class Int32Setting : public virtual Setting {
public:
    explicit Int32Setting(int32_t value = 0) : m_value(value) {}

    int32_t getValue() const { return m_value; }

    std::unique_ptr<Setting> clone() const override { return std::make_unique<Int32Setting>(*this); }
    int64_t getInt64(int64_t& value) const override { return value = m_value; }
    DateTime getDateTime(DateTime& value) const override;
    int32_t getInt32(int32_t& value) const override { return value = m_value; }
    double getDouble(double& value) const override { return value = m_value; }
    String getText(String& value) const override;
    bool isEqual(const Setting& other) const override;
    bool isLess(const Setting& other) const override;
    bool isEmpty() const override { return m_value == 0; }
    uint32_t getType() const override { return Int32Type; }
    void clear() override { m_value = 0; }
    void setInt64(int64_t value) override; // the low 32 bits
    void setDateTime(const DateTime& value) override;
    void setInt32(int32_t value) override { m_value = value; }
    void setDouble(double value) override; // truncated and clamped
    void setText(const String& text) override;

private:
    int32_t m_value;
};

class Int64Setting : public virtual Setting {
public:
    explicit Int64Setting(int64_t value = 0) : m_value(value) {}

    int64_t getValue() const { return m_value; }

    std::unique_ptr<Setting> clone() const override { return std::make_unique<Int64Setting>(*this); }
    int64_t getInt64(int64_t& value) const override { return value = m_value; }
    DateTime getDateTime(DateTime& value) const override;
    int32_t getInt32(int32_t& value) const override; // clamped
    double getDouble(double& value) const override { return value = static_cast<double>(m_value); }
    String getText(String& value) const override;
    bool isEqual(const Setting& other) const override;
    bool isLess(const Setting& other) const override;
    bool isEmpty() const override { return m_value == 0; }
    uint32_t getType() const override { return Int64Type; }
    void clear() override { m_value = 0; }
    void setInt64(int64_t value) override { m_value = value; }
    void setDateTime(const DateTime& value) override;
    void setInt32(int32_t value) override { m_value = value; }
    void setDouble(double value) override;
    void setText(const String& text) override;

private:
    int64_t m_value;
};

class RealSetting : public virtual Setting {
public:
    explicit RealSetting(double value = 0.0) : m_value(value) {}

    double getValue() const { return m_value; }

    std::unique_ptr<Setting> clone() const override { return std::make_unique<RealSetting>(*this); }
    int64_t getInt64(int64_t& value) const override; // truncated and clamped
    DateTime getDateTime(DateTime& value) const override;
    int32_t getInt32(int32_t& value) const override;
    double getDouble(double& value) const override { return value = m_value; }
    String getText(String& value) const override; // the shortest text that reads back exactly
    bool isEqual(const Setting& other) const override;
    bool isLess(const Setting& other) const override;
    bool isEmpty() const override { return m_value == 0.0; }
    uint32_t getType() const override { return RealType; }
    void clear() override { m_value = 0.0; }
    void setInt64(int64_t value) override { m_value = static_cast<double>(value); }
    void setDateTime(const DateTime& value) override;
    void setInt32(int32_t value) override { m_value = value; }
    void setDouble(double value) override { m_value = value; }
    void setText(const String& text) override; // not a number: 0

protected:
    double m_value;
};

class LengthSetting : public RealSetting {
public:
    explicit LengthSetting(double value = 0.0, bool enabled = true) : Setting(enabled), RealSetting(value) {}

    std::unique_ptr<Setting> clone() const override { return std::make_unique<LengthSetting>(*this); }
    uint32_t getType() const override { return LengthType; }
};

} // namespace tarnwick
