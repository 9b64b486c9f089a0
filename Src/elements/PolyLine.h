// A host polyline (type 20): an open polygon with arcs kept in the memo, counted in the record.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/PolygonElement.h"

namespace tarnwick {

class PolyLine : public PolygonElement<PolygonMemo, HostPolyLineElement> {
public:
    static constexpr uint8_t TypeCode = 20;

    // A new polyline in the host's default settings, taking the polygon when given.
    explicit PolyLine(std::unique_ptr<CadPolygon> polygon = nullptr);
    PolyLine(const API_Element& record, const ElementLink& link);
    PolyLine(const PolyLine& other) = default;
    ~PolyLine() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<PolyLine>(*this); }
    // Roles 0 and 1 the pen value, 17 the second pen; any other role: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    // The vertices are all in the memo.
    bool moveBy(const CadPoint& offset) override { return movePolygon(offset); }

    bool isClosed() const override { return false; }

    virtual bool isFlagSet() const { return m_record.flag != 0; }
    virtual void setFlag(bool on) { m_record.flag = on ? 1 : 0; }

    const HostPolyLineElement& getPolyLineRecord() const { return m_record; }
};

// The factory's creator of polylines; null for a record of another type.
std::unique_ptr<Element> createPolyLine(const API_Element& record, ElementLink& link);

} // namespace tarnwick
