#include "project/ZoneStamp.h"

namespace tarnwick {

namespace {
ZoneStampMaker zoneStampMaker = nullptr;
} // namespace

void installZoneStampMaker(ZoneStampMaker maker) {
    zoneStampMaker = maker;
}

std::unique_ptr<ZoneStamp> makeZoneStamp(const Attribute& category) {
    return zoneStampMaker != nullptr ? zoneStampMaker(category) : nullptr;
}

} // namespace tarnwick
