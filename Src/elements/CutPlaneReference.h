// The marker of a section or elevation on the floor plan: an element whose record names the view
// it shows. Its section lines (the memo) come with the marker's drawing operations.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "platform/api/ViewRecords.h"

namespace tarnwick {

class CutPlaneReference : public Element {
public:
    // A new marker: an empty record whose head the link names.
    explicit CutPlaneReference(const ElementLink& link);
    CutPlaneReference(const API_Element& record, const ElementLink& link);
    CutPlaneReference(const CutPlaneReference& other) = default;
    ~CutPlaneReference() override = default;

    std::unique_ptr<API_Element> buildRecord() const override;
    // No memo part is kept yet: nothing to write.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_marker.head; }
    HostElementHead& getRecord() override { return m_marker.head; }
    // The marker's extent.
    double getBoundsZSize() override { return m_marker.rangeEnd - m_marker.rangeStart; }

    // The extent runs from the start of the range.
    void setExtent(double extent) { m_marker.rangeEnd = m_marker.rangeStart + extent; }
    // The marker fields of the host's default marker of the element's type; the head stays. False
    // when the host has none.
    bool setDefaults();

    // The element the record names at 1248, in the marker's drawing.
    ElementLink getTargetLink() const;
    // The database Guid of the view the marker shows.
    Guid getSecondTargetGuid() const { return Guid(m_marker.viewGuid); }
    const HostCutPlaneMarker& getMarkerRecord() const { return m_marker; }

private:
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
