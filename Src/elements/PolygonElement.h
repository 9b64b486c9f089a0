// An element whose vertices are a polygon in its memo (a hatch, a polyline, a spline), over its
// record part: the part copied in and out with the counts of what the memo will write, the line
// type, the outline, and the polygon part loaded and built.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "elements/PolygonMemo.h"
#include "elements/SplinePolygonMemo.h"
#include "platform/api/DraftingRecords.h"
#include "platform/api/HatchRecords.h"

namespace tarnwick {

template <class VertexMemo, class Part> class PolygonElement : public Element, public VertexMemo {
public:
    ~PolygonElement() override = default;

    // The element's, not the memo's.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    // Roles 0 and 1 the line type; any other role: line type 0.
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // A copy of the vertices; null without.
    std::unique_ptr<CadPolygon> getOutline() const override;
    // The record counts what the memo will write; vertices never read keep the host's counts.
    std::unique_ptr<API_Element> buildRecord() const override;
    // Adds the polygon part unless it is loaded and valid (when memo loading is not suspended). A
    // new element has nothing to read; a failed fetch leaves the polygon unloaded.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null, with mask 0, without a valid polygon.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    Element* getOwner() const override { return const_cast<PolygonElement*>(this); }
    // The record's counts, where the part keeps them.
    PolygonCounts getPolygonHeader() const override;
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(MemoPolygon, store); }

    virtual void applyDefaults();

protected:
    // A new element of the kind, its record still empty.
    explicit PolygonElement(uint8_t typeCode);
    PolygonElement(const API_Element& record, const ElementLink& link);
    PolygonElement(const PolygonElement& other) = default;

    const CadPolygon* vertices() const { return const_cast<PolygonElement*>(this)->getPolygon(); }

    Part m_record;
};

extern template class PolygonElement<PolygonMemo, HostHatchElement>;
extern template class PolygonElement<PolygonMemo, HostPolyLineElement>;
extern template class PolygonElement<SplinePolygonMemo, HostSplineElement>;

} // namespace tarnwick
