// A typed value that controls, list cells and stored records can treat alike: each kind converts
// its value to and from every representation. Every getter writes the value to its out-parameter
// and answers it. No operation reports a failure: text that cannot be read gives the kind's empty
// value, and numbers out of a kind's range are clamped (NaN gives 0).
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/DateTime.h"
#include "Environment/String.h"

namespace tarnwick {

class LegacyBinaryIn;

class Setting {
public:
    enum Type : uint32_t {
        BooleanType = 1,
        Int32Type = 2,
        Int64Type = 3,
        RealType = 4,
        LengthType = 5,
        TimeType = 6,
        StringType = 7,
        IDType = 8,
    };

    Setting() = default;
    Setting(const Setting&) = default;
    Setting& operator=(const Setting&) = default;
    virtual ~Setting() = default;

    virtual std::unique_ptr<Setting> clone() const = 0;
    // Nothing when other is this setting; otherwise other's text handed to setText.
    virtual Setting& assign(const Setting& other);

    virtual int64_t getInt64(int64_t& value) const = 0;
    virtual DateTime getDateTime(DateTime& value) const = 0;
    virtual int32_t getInt32(int32_t& value) const = 0;
    virtual bool getBool(bool& value) const; // getInt32 != 0
    virtual double getDouble(double& value) const = 0;
    virtual String getText(String& value) const = 0;
    // Only against a setting of the same class: an equal value, a smaller value.
    virtual bool isEqual(const Setting& other) const = 0;
    virtual bool isLess(const Setting& other) const = 0;
    virtual bool isEmpty() const = 0;
    virtual uint32_t getType() const = 0;
    virtual void clear() = 0;
    virtual void setInt64(int64_t value) = 0;
    virtual void setDateTime(const DateTime& value) = 0;
    virtual void setInt32(int32_t value) = 0;
    virtual void setBool(bool value); // setInt32 with 1 or 0
    virtual void setDouble(double value) = 0;
    virtual void setText(const String& text) = 0;

    // A flag the owner keeps with the value (controls show a disabled value greyed).
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // The value in one representation, without an out-parameter.
    int64_t asInt64() const;
    int32_t asInt32() const;
    bool asBool() const;
    double asDouble() const;
    String asText() const;
    DateTime asDateTime() const;

    // A value of an old binary file. Without hasName the name (a NUL-ended text) and the kind (a
    // 32-bit integer) are read first, and the name is handed back. Kind 0 is a 32-bit integer
    // (Int32Setting), 1 a 64-bit real (RealSetting), 2 a NUL-ended text (StringSetting). Another
    // kind, or a read that fails, gives null.
    static std::unique_ptr<Setting> readLegacyValue(bool hasName, String& name, LegacyBinaryIn& in,
                                                    int32_t kind);

protected:
    explicit Setting(bool enabled) : m_enabled(enabled) {}
    bool isSameClass(const Setting& other) const;

private:
    bool m_enabled = true;
};

} // namespace tarnwick
