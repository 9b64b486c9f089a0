// A host line (type 19): start and end point, pen, line type, a flag and an arrow whose pen is
// the line's second pen.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "platform/api/DraftingRecords.h"

namespace tarnwick {

class LineElement : public Element {
public:
    static constexpr uint8_t TypeCode = 19;

    // A new line in the host's default settings, both ends at the origin.
    LineElement();
    LineElement(const API_Element& record, const ElementLink& link);
    LineElement(const LineElement& other) = default;
    ~LineElement() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<LineElement>(*this); }
    // Roles 0 and 1 the pen value, 17 the arrow's pen; any other role: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    void setArrowStyle(const ArrowStyle& style, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    double getLength() override { return getOutlineMeasure(); }
    double getOutlineMeasure() const override;
    std::unique_ptr<CadPolygon> getOutline() const override;
    void setReferencePoint(const CadPoint& point) override;
    // Both ends.
    bool moveBy(const CadPoint& offset) override;
    std::unique_ptr<API_Element> buildRecord() const override;
    // No memo parts: null, the mask as it was.
    ElementMemoPtr buildMemo(uint64_t&) override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    virtual bool isFlagSet() const { return m_record.flag != 0; }
    virtual void setFlag(bool on) { m_record.flag = on ? 1 : 0; }
    virtual CadPoint getEndPoint() const { return CadPoint(m_record.end.x, m_record.end.y, 0.0); }
    virtual void setEndPoint(const CadPoint& point) { m_record.end = point.getCoord2D(); }
    virtual void applyDefaults();

    const HostLineElement& getLineRecord() const { return m_record; }

private:
    HostLineElement m_record;
};

// The factory's creator of lines; null for a record of another type.
std::unique_ptr<Element> createLine(const API_Element& record, ElementLink& link);

} // namespace tarnwick
