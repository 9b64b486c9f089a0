// The marker of a section or elevation on the floor plan: an element whose record names the view
// it shows and whose memo holds its three section lines. The record keeps the marker's elevation
// as an absolute level.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "elements/SectionLineMemo.h"
#include "platform/api/ViewRecords.h"

namespace tarnwick {

class CutPlaneReference : public Element, public SectionLineMemo {
public:
    // A new marker: an empty record whose head the link names, and no lines.
    explicit CutPlaneReference(const ElementLink& link);
    CutPlaneReference(const API_Element& record, const ElementLink& link);
    CutPlaneReference(const CutPlaneReference& other) = default;
    ~CutPlaneReference() override = default;

    // The element's, not the memo's.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    // Roles 0 and 1: the marker pen; any other role: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    // The first point of the first line at the absolute elevation; the origin without a first line.
    void getReferencePoint(CadPoint& point) const override;
    // Without absolute, above the home storey's level.
    double getElevation(bool absolute) const override;
    // Moves the first line by the point's plan offset from the reference point; z is the absolute
    // elevation.
    void setReferencePoint(const CadPoint& point) override;
    void setElevation(double value, bool absolute) override;
    // The record with the line counts of a loaded memo.
    std::unique_ptr<API_Element> buildRecord() const override;
    // Adds the section lines unless they are loaded and valid (when memo loading is not suspended);
    // a marker without a memo to fetch has no lines.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The section lines with their part mask; null, with mask 0, when they cannot be written.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_marker.head; }
    HostElementHead& getRecord() override { return m_marker.head; }
    // The marker's extent.
    double getBoundsZSize() override { return m_marker.rangeEnd - m_marker.rangeStart; }

    Element* getOwner() const override { return const_cast<CutPlaneReference*>(this); }
    SectionLineCounts getRecordLineCounts() const override;

    // The second line's first point lies right of the first line's direction (tolerance 1e-5).
    bool isLineAligned() const;
    // The element the record names at 1248, in the marker's drawing.
    ElementLink getTargetLink() const;
    // The database Guid of the view the marker shows.
    Guid getSecondTargetGuid() const { return Guid(m_marker.viewGuid); }
    // The first line's direction from its first point to its second, turned round unless the line is
    // aligned; 0 without two points.
    double getLineAngle() const;

    // The extent runs from the start of the range.
    void setExtent(double extent) { m_marker.rangeEnd = m_marker.rangeStart + extent; }
    // The marker fields of the host's default marker of the element's type; the head stays and the
    // user data is marked changed, so that the next save writes it. False, changing nothing, when
    // the host has none.
    bool setDefaults();
    const HostCutPlaneMarker& getMarkerRecord() const { return m_marker; }

private:
    double storeyLevel() const;

    HostCutPlaneMarker m_marker;
};

class SectionReference : public CutPlaneReference {
public:
    using CutPlaneReference::CutPlaneReference;
    std::unique_ptr<Element> clone() const override { return std::make_unique<SectionReference>(*this); }
};

class ElevationReference : public CutPlaneReference {
public:
    using CutPlaneReference::CutPlaneReference;
    std::unique_ptr<Element> clone() const override { return std::make_unique<ElevationReference>(*this); }
};

// The factory's creators of the two marker types (25 and 33); null for a record of another type.
std::unique_ptr<Element> createSectionReference(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createElevationReference(const API_Element& record, ElementLink& link);

} // namespace tarnwick
