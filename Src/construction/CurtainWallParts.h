// The simple parts of a curtain wall: frames (type 39), panels (40), junctions (41) and accessories
// (42). Each keeps a copy of its part record, which is exactly one entry of its curtain wall's memo
// block of that kind and names the wall; a part is made from such a record on the wall's drawing,
// from a host record through the factory, or by copy, and builds its record back for the memo.
#pragma once

#include <cstdint>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "elements/Element.h"
#include "geometry/PolyEdge.h"
#include "geometry/PolyPoint.h"
#include "platform/api/CurtainWallRecords.h"

namespace tarnwick {

template <class Record, uint32_t Type> class CurtainWallPart : public Element {
public:
    static constexpr uint8_t TypeCode = static_cast<uint8_t>(Type);
    using PartRecord = Record;

    CurtainWallPart(const API_Element& record, const ElementLink& link) : Element(link), m_record(record) {}
    // From a memo entry: the part named by the entry's head, on the drawing.
    CurtainWallPart(const Record& record, Drawing* drawing) : Element(ElementLink(record.head, drawing)) {
        m_record.part() = record;
    }
    CurtainWallPart(const CurtainWallPart&) = default;
    CurtainWallPart& operator=(const CurtainWallPart&) = delete;

    // The curtain wall the record names, on the part's own drawing.
    void getOwner(ElementLink& owner) const override {
        owner = ElementLink(Guid(m_record.part().ownerGuid), getDrawing());
    }
    std::unique_ptr<API_Element> buildRecord() const override { return m_record.build(getLink()); }
    // The simple parts keep nothing in a memo of their own.
    ElementMemoPtr buildMemo(uint64_t&) override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }
    // The host's default part of the type, the head's memo byte set; false when the host refuses.
    virtual bool resetToDefaults() { return m_record.resetToDefaults(*this); }

    const Record& getPartRecord() const { return m_record.part(); }
    Record& getPartRecord() { return m_record.part(); }

protected:
    ConstructionRecord<Record> m_record;
};

// The begin point, z 0.
CadPoint linePoint(const HostCoord2D& point);

class CurtainWallFrame : public CurtainWallPart<HostCurtainWallFrame, HostCurtainWallFrameTypeCode> {
public:
    using CurtainWallPart::CurtainWallPart;

    std::unique_ptr<Element> clone() const override { return std::make_unique<CurtainWallFrame>(*this); }
    void getReferencePoint(CadPoint& point) const override { point = linePoint(m_record.part().begin); }
    double getBoundsZSize() override { return 0.0; }
    double getLength() override { return 0.0; }
    // The end point, z 0, arc angle 0 and id 0.
    virtual PolyPoint getEndVertex() const { return PolyPoint(linePoint(m_record.part().end)); }
    virtual PolyEdge getReferenceLine() const { return referenceLineOf(*this, getEndVertex()); }
};

class CurtainWallPanel : public CurtainWallPart<HostCurtainWallPanel, HostCurtainWallPanelTypeCode> {
public:
    using CurtainWallPart::CurtainWallPart;

    std::unique_ptr<Element> clone() const override { return std::make_unique<CurtainWallPanel>(*this); }
    // The host's panel quantity, asked alone; 0.0 when it cannot say.
    double getSurfaceArea() override;
    virtual double getPanelValue() const { return m_record.part().value; }
    uint32_t getPanelSetting() const { return m_record.part().setting; }
    // At most 256 characters, whether or not the field holds a terminator.
    String getName() const;
    Guid getPanelGuid() const { return Guid(m_record.part().secondGuid); }
};

class CurtainWallJunction : public CurtainWallPart<HostCurtainWallJunction, HostCurtainWallJunctionTypeCode> {
public:
    using CurtainWallPart::CurtainWallPart;

    std::unique_ptr<Element> clone() const override { return std::make_unique<CurtainWallJunction>(*this); }
};

class CurtainWallAccessory
    : public CurtainWallPart<HostCurtainWallAccessory, HostCurtainWallAccessoryTypeCode> {
public:
    using CurtainWallPart::CurtainWallPart;

    std::unique_ptr<Element> clone() const override { return std::make_unique<CurtainWallAccessory>(*this); }
};

// The factory's creators; null for a record of another type.
std::unique_ptr<Element> createCurtainWallFrame(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createCurtainWallPanel(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createCurtainWallJunction(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createCurtainWallAccessory(const API_Element& record, ElementLink& link);

} // namespace tarnwick
