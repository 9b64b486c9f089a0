// A drawing placed on a layout (type 30): the view it shows, its frame polygon and the host's
// drawing data in the memo, custom texts used by their modes, and the link to the view through
// "GDLN".
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Guid.h"
#include "Environment/String.h"
#include "elements/Element.h"
#include "elements/PolygonMemo.h"
#include "geometry/Cube.h"
#include "platform/api/ImageRecords.h"
#include "project/Memo.h"

namespace tarnwick {

class Library;

// The library index of the part of a name, 0 when there is none: the library subsystem, above this
// one, installs it at module start. Answers the finder it replaces.
using ComponentIndexFinder = uint32_t (*)(Library& library, const String& name);
ComponentIndexFinder installComponentIndexFinder(ComponentIndexFinder finder);

// The host's drawing data, a pointer block kept as it is.
class DrawingDataMemo : public Memo {
public:
    static constexpr uint64_t Mask = 0x800;

    DrawingDataMemo() = default;
    DrawingDataMemo(const DrawingDataMemo& other);
    DrawingDataMemo& operator=(const DrawingDataMemo& other);
    ~DrawingDataMemo() override;

    bool isValid() const override { return true; }
    // Nothing held: true, writing nothing.
    bool writeMemo(MemoStore& store) override;
    // No drawing data: none held, true.
    bool readMemo(MemoStore& store) override;
    virtual uint64_t getMask() const { return Mask; }

    GSPtr heldDrawingData() const { return m_data; }
    // Takes the block; the one held is freed.
    void setDrawingData(GSPtr data);
    void freeDrawingData();

private:
    GSPtr m_data = nullptr;
};

class PlacedDrawing : public Element, public DrawingDataMemo, public PolygonMemo {
public:
    static constexpr uint8_t TypeCode = 30;
    static constexpr uint32_t UseCustomText = 2;

    // A new placed drawing of the view, in the host's default settings.
    explicit PlacedDrawing(const Guid& drawing);
    PlacedDrawing(const API_Element& record, const ElementLink& link);
    PlacedDrawing(const PlacedDrawing& other) = default;
    ~PlacedDrawing() override = default;

    // The element's, not the memos'.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<PlacedDrawing>(*this); }
    void getPen(Pen& pen, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    void setReferencePoint(const CadPoint& point) override { m_record.reference = point.getCoord2D(); }
    // The reference point, box, second point and frame; the drawing data are the host's.
    bool moveBy(const CadPoint& offset) override;
    // A copy of the frame; null without.
    std::unique_ptr<CadPolygon> getOutline() const override;
    // Claims a memo while it holds a frame or drawing data; parts never read keep the host's claim
    // and counts.
    std::unique_ptr<API_Element> buildRecord() const override;
    // A failed fetch leaves both parts unloaded, so that they are never written over the host's.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null, with mask 0, while a part was never read.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    Element* getOwner() const override { return const_cast<PlacedDrawing*>(this); }
    // Either part loads both.
    void load(Element& owner, MemoStore*& store) override {
        owner.loadMemo(MemoPolygon | DrawingDataMemo::Mask, store);
    }
    void setPolygon(std::unique_ptr<CadPolygon> polygon) override;
    PolygonCounts getPolygonHeader() const override;

    // Empty unless the text's mode says it is used.
    String getFirstCustomText() const;
    String getSecondCustomText() const;
    CadPoint getSecondPoint() const { return CadPoint(m_record.secondPoint.x, m_record.secondPoint.y, 0.0); }
    Guid getDrawingGuid() const { return Guid(m_record.drawingGuid); }
    // The view shown, as the host links it; the empty Guid and 0 when the host cannot say.
    Guid getLinkGuid() const;
    uint32_t getLinkType() const;
    void setFlag(bool on) { m_record.flag = on ? 1 : 0; }
    void setBox(const Cube& box);
    void setSecondPoint(const CadPoint& point) { m_record.secondPoint = point.getCoord2D(); }
    // The library index of the part of that name in the project's library; 0 for the empty name,
    // without a library (or a finder), or when no part has the name.
    void setComponentByName(const String& name);
    void applyDefaults();

    const HostPlacedDrawing& getDrawingRecord() const { return m_record; }
    HostPlacedDrawing& getDrawingRecord() { return m_record; }

private:
    bool linkOf(HostDrawingLink& link) const;

    HostPlacedDrawing m_record;
};

// The factory's creator of placed drawings; null for a record of another type.
std::unique_ptr<Element> createPlacedDrawing(const API_Element& record, ElementLink& link);

} // namespace tarnwick
