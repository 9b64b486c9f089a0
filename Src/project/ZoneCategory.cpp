#include "project/ZoneCategory.h"

#include "Environment/Host.h"
#include "project/Pen.h"

namespace tarnwick {

ZoneCategory::ZoneCategory(const String& name)
    : RecordAttribute(AttributeLink(name, AttrZoneCategory, Host::getSpecification())),
      m_stamp(makeZoneStamp(*this)) {
    if (name.isEmpty() || m_link.getIndex() != 0) return;
    auto fresh = std::make_unique<HostZoneCategory>();
    fillFallback(*fresh);
    AttributeLink::copyName(name, fresh->header);
    setRecord(std::move(fresh));
}

ZoneCategory::ZoneCategory(const ZoneCategory& other)
    : RecordAttribute(other), m_stamp(other.m_stamp ? other.m_stamp->clone() : nullptr) {
    if (m_stamp) m_stamp->attach(*this);
}

ZoneCategory& ZoneCategory::operator=(const ZoneCategory& other) {
    if (this == &other) return *this;
    RecordAttribute::operator=(other);
    m_stamp = other.m_stamp ? other.m_stamp->clone() : nullptr;
    if (m_stamp) m_stamp->attach(*this);
    return *this;
}

ZoneCategory::~ZoneCategory() = default;

AttributeMemoPtr ZoneCategory::makeMemo() const {
    return m_stamp ? m_stamp->makeMemo() : nullptr;
}

void ZoneCategory::resolveStamp() const {
    if (m_stamp) m_stamp->resolve(getStampName());
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
