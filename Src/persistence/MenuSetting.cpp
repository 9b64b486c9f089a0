#include "persistence/MenuSetting.h"

#include <algorithm>
#include <limits>

#include "persistence/ValueText.h"

namespace tarnwick {

void MenuSetting::clear() {
    StringSetting::clear();
    Int32Setting::setInt32(0);
}

void MenuSetting::setInt64(int64_t value) {
    Int32Setting::setInt32(static_cast<int32_t>(std::clamp<int64_t>(
        value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max())));
}

void MenuSetting::setDouble(double value) {
    Int32Setting::setInt32(saturateToInt32(value));
}

} // namespace tarnwick
