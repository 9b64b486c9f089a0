#include "persistence/Setting.h"

#include <typeinfo>

#include "Environment/LegacyBinaryIn.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"

namespace tarnwick {

Setting& Setting::assign(const Setting& other) {
    if (&other != this) setText(other.asText());
    return *this;
}

bool Setting::getBool(bool& value) const {
    int32_t number = 0;
    value = getInt32(number) != 0;
    return value;
}

void Setting::setBool(bool value) {
    setInt32(value ? 1 : 0);
}

bool Setting::isSameClass(const Setting& other) const {
    return typeid(*this) == typeid(other);
}

int64_t Setting::asInt64() const {
    int64_t value = 0;
    return getInt64(value);
}

int32_t Setting::asInt32() const {
    int32_t value = 0;
    return getInt32(value);
}

bool Setting::asBool() const {
    bool value = false;
    return getBool(value);
}

double Setting::asDouble() const {
    double value = 0.0;
    return getDouble(value);
}

String Setting::asText() const {
    String value;
    return getText(value);
}

DateTime Setting::asDateTime() const {
    DateTime value;
    return getDateTime(value);
}

std::unique_ptr<Setting> Setting::readLegacyValue(bool hasName, String& name, LegacyBinaryIn& in,
                                                  int32_t kind) {
    if (!hasName) {
        name = in.readCString();
        kind = in.readInt32();
        if (in.hasFailed()) return nullptr;
    }
    std::unique_ptr<Setting> setting;
    switch (kind) {
    case 0:
        setting = std::make_unique<Int32Setting>(in.readInt32());
        break;
    case 1:
        setting = std::make_unique<RealSetting>(in.readDouble());
        break;
    case 2:
        setting = std::make_unique<StringSetting>(in.readCString());
        break;
    default:
        return nullptr;
    }
    if (in.hasFailed()) return nullptr;
    return setting;
}

} // namespace tarnwick
