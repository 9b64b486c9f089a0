#include "project/LineStyle.h"

namespace tarnwick {

LineStyle::Kind& operator++(LineStyle::Kind& kind) {
    auto code = static_cast<uint8_t>(kind);
    kind = static_cast<LineStyle::Kind>(code >= 2 ? 0 : code + 1);
    return kind;
}

LineStyle::Kind operator++(LineStyle::Kind& kind, int) {
    LineStyle::Kind old = kind;
    ++kind;
    return old;
}

LineStyle::Kind& operator--(LineStyle::Kind& kind) {
    auto code = static_cast<uint8_t>(kind);
    kind = static_cast<LineStyle::Kind>(code == 0 || code > 2 ? 2 : code - 1);
    return kind;
}

LineStyle::Kind operator--(LineStyle::Kind& kind, int) {
    LineStyle::Kind old = kind;
    --kind;
    return old;
}

} // namespace tarnwick
