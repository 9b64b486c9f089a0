// A host polyline (type 20): an open polygon with arcs kept in the memo, counted in the record.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "elements/PolygonMemo.h"
#include "platform/api/DraftingRecords.h"

namespace tarnwick {

class PolyLine : public Element, public PolygonMemo {
public:
    static constexpr uint8_t TypeCode = 20;

    // A new polyline in the host's default settings, taking the polygon when given.
    explicit PolyLine(std::unique_ptr<CadPolygon> polygon = nullptr);
    PolyLine(const API_Element& record, const ElementLink& link);
    PolyLine(const PolyLine& other) = default;
    ~PolyLine() override = default;

    // The element's, not the memo's.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<PolyLine>(*this); }
    // Roles 0 and 1 the pen value, 17 the second pen; any other role: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // A copy of the vertices; null without.
    std::unique_ptr<CadPolygon> getOutline() const override;
    // The vertices are all in the memo.
    bool moveBy(const CadPoint& offset) override { return movePolygon(offset); }
    // The record counts what the memo will write; a polygon never read keeps the host's counts.
    std::unique_ptr<API_Element> buildRecord() const override;
    // Adds the polygon part unless it is loaded and valid (when memo loading is not suspended). A
    // new polyline has nothing to read; a failed fetch leaves the polygon unloaded.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null, with mask 0, without a valid polygon.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    Element* getOwner() const override { return const_cast<PolyLine*>(this); }
    bool isClosed() const override { return false; }
    PolygonCounts getPolygonHeader() const override;
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(MemoPolygon, store); }

    virtual bool isFlagSet() const { return m_record.flag != 0; }
    virtual void setFlag(bool on) { m_record.flag = on ? 1 : 0; }
    virtual void applyDefaults();

    const HostPolyLineElement& getPolyLineRecord() const { return m_record; }

private:
    HostPolyLineElement m_record;
};

// The factory's creator of polylines; null for a record of another type.
std::unique_ptr<Element> createPolyLine(const API_Element& record, ElementLink& link);

} // namespace tarnwick
