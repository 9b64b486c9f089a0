// A host hotspot (type 24): one point with a pen.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "platform/api/DraftingRecords.h"

namespace tarnwick {

class Hotspot : public Element {
public:
    static constexpr uint8_t TypeCode = 24;

    // A new hotspot in the host's default settings, at the origin.
    Hotspot();
    Hotspot(const API_Element& record, const ElementLink& link);
    Hotspot(const Hotspot& other) = default;
    ~Hotspot() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Hotspot>(*this); }
    // Roles 0 and 1; any other role: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    double getOutlineMeasure() const override { return 0.0; }
    void setReferencePoint(const CadPoint& point) override { m_record.position = point.getCoord2D(); }
    bool moveBy(const CadPoint& offset) override { return moveReferencePoint(offset); }
    std::unique_ptr<API_Element> buildRecord() const override;
    // No memo parts: null, the mask as it was.
    ElementMemoPtr buildMemo(uint64_t&) override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    virtual void applyDefaults();

    const HostHotspotElement& getHotspotRecord() const { return m_record; }

private:
    HostHotspotElement m_record;
};

// The factory's creator of hotspots; null for a record of another type.
std::unique_ptr<Element> createHotspot(const API_Element& record, ElementLink& link);

} // namespace tarnwick
