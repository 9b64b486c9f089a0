#include "project/ZoneCategory.h"

#include "Environment/Host.h"
#include "project/Pen.h"

namespace tarnwick {

ZoneCategory::ZoneCategory(const String& name)
    : RecordAttribute(AttributeLink(name, AttrZoneCategory, Host::getSpecification())) {
    if (name.isEmpty() || m_link.getIndex() != 0) return;
    auto fresh = std::make_unique<HostZoneCategory>();
    fillFallback(*fresh);
    AttributeLink::copyName(name, fresh->header);
    setRecord(std::move(fresh));
}

String ZoneCategory::getCode() const {
    const HostZoneCategory& category = record();
    return String(category.code, sizeof category.code);
}

void ZoneCategory::setCode(const String& code) {
    HostZoneCategory& category = record();
    code.copyToUtf16(category.code, sizeof category.code);
}

String ZoneCategory::getStampName() const {
    const HostZoneCategory& category = record();
    return String(category.stampName, sizeof category.stampName);
}

void ZoneCategory::setStampName(const String& name) {
    HostZoneCategory& category = record();
    name.copyToUtf16(category.stampName, sizeof category.stampName);
    resolveStamp();
}

uint32_t ZoneCategory::getRGB24() const {
    const HostZoneCategory& category = record();
    return rgb24Of(category.red, category.green, category.blue);
}

void ZoneCategory::setRGB24(uint32_t rgb) {
    HostZoneCategory& category = record();
    rgbFrom24(rgb, category.red, category.green, category.blue);
}

} // namespace tarnwick
