#include "project/Storey.h"

#include <cmath>

#include "Environment/Host.h"

namespace tarnwick {

Storey::Storey(Plan* plan, const String& name, int16_t index, double level, double height)
    : Attribute(AttributeLink(), AttrNone), m_plan(plan), m_name(name), m_index(static_cast<uint16_t>(index)),
      m_level(level), m_height(height) {}

Storey::Storey(Plan* plan, const HostStoreyEntry& entry, double height)
    : Attribute(AttributeLink(), AttrNone), m_plan(plan), m_name(entry.name, sizeof entry.name),
      m_index(static_cast<uint16_t>(entry.index)), m_floorNumber(static_cast<uint16_t>(entry.floorNumber)),
      m_level(entry.level), m_height(height), m_flag(entry.flag == 0) {}

Storey::Storey(const AttributeLink& link)
    : Attribute(link, AttrNone), m_plan(Host::getPlan()), m_index(link.getIndex()) {}

uint32_t Storey::getRelation(double elevation, double tolerance) const {
    if (std::fabs(m_level - elevation) <= tolerance) return AtLevel;
    if (std::fabs(m_level + m_height - elevation) <= tolerance) return AtTop;
    if (m_level - elevation > tolerance) return Below;
    if (elevation - (m_level + m_height) > tolerance) return Above;
    return Inside;
}

} // namespace tarnwick
