// The value of a pop-up menu's choice: the chosen item's index and its text. It reads as a number
// by the index and compares as text.
#pragma once

#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"

namespace tarnwick {

class MenuSetting : public StringSetting, public Int32Setting {
public:
    // Index -1 and an empty text stand for no choice.
    explicit MenuSetting(int32_t index = -1, const String& text = String())
        : StringSetting(text), Int32Setting(index) {}

    int32_t getIndex() const { return Int32Setting::getValue(); }
    const String& getItemText() const { return StringSetting::getValue(); }

    std::unique_ptr<Setting> clone() const override { return std::make_unique<MenuSetting>(*this); }
    int64_t getInt64(int64_t& value) const override { return value = getIndex(); }
    DateTime getDateTime(DateTime& value) const override { return StringSetting::getDateTime(value); }
    int32_t getInt32(int32_t& value) const override { return value = getIndex(); }
    double getDouble(double& value) const override { return value = getIndex(); }
    String getText(String& value) const override { return value = getItemText(); }
    // By text, and only against another MenuSetting.
    bool isEqual(const Setting& other) const override { return StringSetting::isEqual(other); }
    bool isLess(const Setting& other) const override { return StringSetting::isLess(other); }
    bool isEmpty() const override { return getItemText().isEmpty(); }
    uint32_t getType() const override { return Int32Type; }
    void clear() override;
    // The index, clamped into 32 bits (NaN gives 0); the text stays.
    void setInt64(int64_t value) override;
    void setDateTime(const DateTime& value) override { StringSetting::setDateTime(value); }
    void setInt32(int32_t value) override { Int32Setting::setInt32(value); }
    void setDouble(double value) override;
    void setText(const String& text) override { StringSetting::setText(text); }
};

} // namespace tarnwick
