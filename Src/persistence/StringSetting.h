// The text and identifier kinds of Setting.
#pragma once

#include "Environment/Guid.h"
#include "persistence/Setting.h"

namespace tarnwick {

// Text. Numbers are read from the start of the text (see leadingInteger); dates go through a
// TimeSetting's text form.
class StringSetting : public virtual Setting {
public:
    explicit StringSetting(const String& value = String(), bool enabled = true)
        : Setting(enabled), m_value(value) {}

    const String& getValue() const { return m_value; }

    std::unique_ptr<Setting> clone() const override { return std::make_unique<StringSetting>(*this); }
    int64_t getInt64(int64_t& value) const override;
    DateTime getDateTime(DateTime& value) const override;
    int32_t getInt32(int32_t& value) const override;
    double getDouble(double& value) const override;
    String getText(String& value) const override { return value = m_value; }
    // By text, and only against another StringSetting.
    bool isEqual(const Setting& other) const override;
    bool isLess(const Setting& other) const override;
    bool isEmpty() const override { return m_value.isEmpty(); }
    uint32_t getType() const override { return StringType; }
    void clear() override { m_value.clear(); }
    void setInt64(int64_t value) override;
    void setDateTime(const DateTime& value) override;
    void setInt32(int32_t value) override;
    void setDouble(double value) override;
    void setText(const String& text) override { m_value = text; }

private:
    String m_value;
};

// An identifier with a 32-bit word its owner gives it (such as the code of the database the
// identified record lives in). Its text is the identifier's text form; numbers and dates have no
// meaning for it: it answers 0 and the zero stamp, and setting one clears it.
class IDSetting : public virtual Setting {
public:
    explicit IDSetting(const Guid& value = Guid(), uint32_t word = 0, bool enabled = true)
        : Setting(enabled), m_value(value), m_word(word) {}

    const Guid& getValue() const { return m_value; }
    void setValue(const Guid& value) { m_value = value; }
    uint32_t getWord() const { return m_word; }

    std::unique_ptr<Setting> clone() const override { return std::make_unique<IDSetting>(*this); }
    int64_t getInt64(int64_t& value) const override { return value = 0; }
    DateTime getDateTime(DateTime& value) const override { return value = DateTime(); }
    int32_t getInt32(int32_t& value) const override { return value = 0; }
    double getDouble(double& value) const override { return value = 0.0; }
    String getText(String& value) const override; // empty for the empty identifier
    bool isEqual(const Setting& other) const override;
    bool isLess(const Setting& other) const override;
    bool isEmpty() const override { return !m_value.isValid(); }
    uint32_t getType() const override { return IDType; }
    void clear() override { m_value.clear(); }
    void setInt64(int64_t) override { clear(); }
    void setDateTime(const DateTime&) override { clear(); }
    void setInt32(int32_t) override { clear(); }
    void setDouble(double) override { clear(); }
    void setText(const String& text) override; // text that is no identifier clears it

private:
    Guid m_value;
    uint32_t m_word;
};

} // namespace tarnwick
