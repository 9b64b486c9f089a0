// A host multi-plane roof (type 9, roof class 1): the roof record and outline of every roof kind,
// its pivot polygon, and its planes as single-plane roofs, which the host splits it into on first
// use.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "construction/PivotPolygonMemo.h"
#include "construction/Roof.h"
#include "construction/Shelter.h"
#include "platform/api/PolyRoofRecords.h"

namespace tarnwick {

class Drawing;

class PolyRoof : public Shelter, public PivotPolygonMemo {
public:
    static constexpr uint8_t SubKind = HostPolyRoofClass;

    // Owns its roofs.
    class RoofList : public Vector<Roof> {};

    // The host's default multi-plane roof.
    PolyRoof();
    PolyRoof(const ElementLink& link, const API_Element& record);
    // Copies the roof and both polygons; the copy starts undecomposed.
    PolyRoof(const PolyRoof& other);
    PolyRoof& operator=(const PolyRoof&) = delete;
    ~PolyRoof() override;

    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<PolyRoof>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override;
    // The roof's parts and, unless loaded and valid, the pivot polygon, from one fetch.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The roof's memo with the pivot polygon written into it; null when the roof's cannot be built.
    ElementMemoPtr buildMemo(uint64_t& mask) override;

    // The planes, split by the host on first use; 0 when it could not split the roof.
    size_t getRoofCount() override;
    // Null at or past the count.
    Roof* getRoof(size_t index) override;
    // The mean of the planes' slopes; 0.0 without planes.
    double getSlopeAngle() override;

    // Both polygon memos answer for this roof.
    Element* getOwner() const override { return memoOwner(this); }

    // --- The multi-plane roof's own.
    virtual PolygonCounts getPivotPolygonCounts();
    virtual CadPolygon* getPivotPolygon() { return PivotPolygonMemo::getPolygon(); }
    virtual void setPivotPolygon(std::unique_ptr<CadPolygon> polygon);
    // The host's default multi-plane roof: record and pivot counts, the head's memo byte set.
    // False when the host refuses.
    virtual bool resetToDefaults();
    // Asks the host to split the roof unless it did before; true when it gave at least one plane.
    virtual bool decompose();

    // The host's default is asked as a multi-plane roof.
    bool getDefaults(API_Element& record, API_ElementMemo* memo) override;

private:
    void takePivotCounts(const API_Element& record);
    PolygonCounts getPivotHeader() const { return PivotPolygonMemo::getPolygonHeader(); }

    std::unique_ptr<RoofList> m_roofs;
};

// Wraps each plane the host hands it as a single-plane roof, on its database, in its list.
class PolyRoofConverter : public API_ElementDecomposerInterface {
public:
    PolyRoofConverter(PolyRoof::RoofList& roofs, Drawing* drawing) : m_roofs(roofs), m_drawing(drawing) {}
    // Records of other types add nothing; 0, or MemoryFull when the plane cannot be kept.
    GSErrCode GeneratePartElement(const HostElementPartId& partId, const API_Element& element,
                                  const API_ElementMemo& memo) override;

private:
    PolyRoof::RoofList& m_roofs;
    Drawing* m_drawing;
};

// The factory's creator of multi-plane roofs: null for another type or roof class.
std::unique_ptr<Element> createPolyRoof(const API_Element& record, ElementLink& link);

} // namespace tarnwick
