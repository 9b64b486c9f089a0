#include "project/Material.h"

#include <stdexcept>

#include "Environment/Host.h"

namespace tarnwick {

Material::Material(const String& name)
    : RecordAttribute(AttributeLink(name, AttrBuildingMaterial, Host::getSpecification())) {
    if (name.isEmpty() || m_link.getIndex() != 0) return;
    auto fresh = std::make_unique<HostBuildingMaterial>();
    fillFallback(*fresh);
    AttributeLink::copyName(name, fresh->header);
    setRecord(std::move(fresh));
}

double Material::getValue(size_t which) const {
    if (which >= ValueCount) throw std::out_of_range("building material value");
    return record().values[which];
}

void Material::setValue(size_t which, double value) {
    if (which >= ValueCount) throw std::out_of_range("building material value");
    record().values[which] = value;
}

} // namespace tarnwick
