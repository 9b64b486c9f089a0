// The holder the project keeps for the host's navigator: made on first request, dropped when the
// project is reset. Nothing fills it yet.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/NonCopyable.h"

namespace tarnwick {

class Navigator : NonCopyable {
public:
    Navigator() = default;
    virtual ~Navigator() = default;
    virtual uint32_t getValue() const { return m_value; }

private:
    std::shared_ptr<void> m_shared;
    uint32_t m_value = 0;
};

} // namespace tarnwick
