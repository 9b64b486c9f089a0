#include "library/ParameterKinds.h"

#include "persistence/ValueSettings.h"

namespace tarnwick {

std::unique_ptr<Setting> LengthParameter::getValueSetting(uint64_t row, uint64_t col) const {
    return std::make_unique<LengthSetting>(getValue(row, col));
}

} // namespace tarnwick
