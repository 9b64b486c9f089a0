// What construction elements with a complex profile answer about it beside the profile itself.
#pragma once

#include <cstdint>

namespace tarnwick {

class ConstructionProfile {
public:
    virtual ~ConstructionProfile() = default;
    // The 16-bit value the host keeps right after the complex-profile index.
    virtual uint16_t getProfileSetting() const = 0;
};

} // namespace tarnwick
