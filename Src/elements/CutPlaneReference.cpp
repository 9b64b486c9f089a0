#include "elements/CutPlaneReference.h"

#include <cstring>

namespace tarnwick {

namespace {
constexpr uint32_t SectionMarkerType = 25;
constexpr uint32_t ElevationMarkerType = 33;
} // namespace

CutPlaneReference::CutPlaneReference(const ElementLink& link) : Element(link) {
    link.writeHeader(m_marker.head, true);
}

CutPlaneReference::CutPlaneReference(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_marker), record.raw, sizeof m_marker);
}

std::unique_ptr<API_Element> CutPlaneReference::buildRecord() const {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &m_marker, sizeof m_marker);
    getLink().writeHeader(record->head, true);
    return record;
}

ElementMemoPtr CutPlaneReference::buildMemo(uint64_t& mask) {
    mask = 0;
    return nullptr;
}

bool CutPlaneReference::setDefaults() {
    auto defaults = std::make_unique<API_Element>();
    if (!getDefaults(*defaults, nullptr)) return false;
    const HostElementHead head = m_marker.head;
    std::memcpy(static_cast<void*>(&m_marker), defaults->raw, sizeof m_marker);
    m_marker.head = head;
    return true;
}

ElementLink CutPlaneReference::getTargetLink() const {
    return ElementLink(Guid(m_marker.targetGuid), getDrawing());
}

std::unique_ptr<Element> createSectionReference(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != SectionMarkerType) return nullptr;
    return std::make_unique<SectionReference>(record, link);
}

std::unique_ptr<Element> createElevationReference(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != ElevationMarkerType) return nullptr;
    return std::make_unique<ElevationReference>(record, link);
}

} // namespace tarnwick
