// A host free form (type 45): typed accessors over a private copy of its record, its bodies as the
// host's 3D model holds them with a surface per body, its IFC data, and its quantities.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/BodyMemo.h"
#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "elements/Element.h"
#include "elements/IFCMemo.h"
#include "platform/api/MeshRecords.h"

namespace tarnwick {

class FreeForm : public Element, public BodyMemo, public IFCMemo {
public:
    static constexpr uint8_t TypeCode = HostFreeFormTypeCode;

    // The host's default free form.
    FreeForm();
    FreeForm(const ElementLink& link, const API_Element& record);
    // Shares the bodies and the finish list with the other.
    FreeForm(const FreeForm& other);
    FreeForm& operator=(const FreeForm&) = delete;
    ~FreeForm() override;

    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;
    // The element's surfaces by kind, not the memo's by body.
    using Element::getFinish;
    using Element::setFinish;

    std::unique_ptr<Element> clone() const override { return std::make_unique<FreeForm>(*this); }

    // --- Measures: the host's free-form quantities, one field each, 0.0 when it cannot say.
    // Measure C is the surface area.
    double getMeasureC() const override { return quantity(offsetof(HostFreeFormQuantities, surfaceArea)); }
    double getSurfaceArea() override { return quantity(offsetof(HostFreeFormQuantities, surfaceArea)); }
    double getMeasureD() override { return quantity(offsetof(HostFreeFormQuantities, measureD)); }
    double getBoundsZSize() override { return quantity(offsetof(HostFreeFormQuantities, height)); }
    double getOutlineMeasure() const override {
        return quantity(offsetof(HostFreeFormQuantities, perimeter));
    }
    double getOutlineArea() const override { return quantity(offsetof(HostFreeFormQuantities, area)); }

    // --- Attributes.
    // 0 and 1 the contour pen; 6, 8, 10; 11 and 12 the cut-fill pens, the building material's
    // unless the cut-fill flag is set; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    // 0 and 1 the line type, 3 the second line type; others empty.
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    // 0 and 1 the override when it overrides; otherwise the building material's finish.
    void getFinish(Finish& finish, uint32_t which) const override;
    // Kinds 0, 1 and 3: the building material's cut fill; null for index 0 and other kinds.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    void getMaterial(Material& material) const override;
    // 0 the kind-8, kind-6, kind-10, contour and both cut-fill pens; 1 contour; 6; 8; 10; 11 and 12
    // the cut-fill pens. Other kinds write nothing.
    void setPen(const Pen& pen, uint32_t which) override;
    // 0 both line types; 1 the line type; 3 the second one.
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // Kinds 0 and 1 only. The index is the surface's low 16 bits, overriding when its high 16 bits
    // are not 0.
    void setFinish(const Finish& finish, uint32_t which) override;

    // --- Geometry.
    // The first corner of the bounding box; the origin without one.
    void getReferencePoint(CadPoint& point) const override;
    double getElevation(bool absolute) const override {
        return storeyElevation(*this, m_record.part().elevation, absolute);
    }
    void setElevation(double value, bool absolute) override {
        m_record.part().elevation = relativeElevation(*this, value, absolute);
    }

    // --- Record and memo.
    std::unique_ptr<API_Element> buildRecord() const override { return m_record.build(getLink()); }
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The free form writes no memo part of its own: the block answers mask 0, so the host keeps
    // every part it holds. With bodies, the block carries the host's body field of the free form
    // they were read from (a new element made from the block takes it); null when that field
    // cannot be had.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }

    // --- Memo hooks.
    Element* getOwner() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override;

    // --- The free form's own.
    // Group 0 or 1: all three flags set. False for other groups.
    virtual bool getFlagGroup(uint32_t kind) const;
    virtual bool getSecondGroupFlag(uint32_t kind) const;
    virtual bool getThirdGroupFlag(uint32_t kind) const;
    // Other groups than 0 and 1 change nothing.
    virtual void setFlagGroup(bool on, uint32_t kind);
    virtual void setSecondGroupFlag(bool on, uint32_t kind);
    virtual void setThirdGroupFlag(bool on, uint32_t kind);
    // The host's default free form: head and part, the head's memo byte set. False when the host
    // refuses.
    virtual bool resetToDefaults() { return m_record.resetToDefaults(*this); }
    // The bodies of the element's 3D model into the body memo (shared with copies), a surface per
    // body; false when the host has no model of it.
    bool readBodies();
    const HostFreeFormElement& getFreeFormRecord() const { return m_record.part(); }
    HostFreeFormElement& getFreeFormRecord() { return m_record.part(); }

private:
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }

    ConstructionRecord<HostFreeFormElement> m_record;
    // The free form the bodies were read from: its host body field travels with them.
    ElementLink m_bodySource;
};

// The factory's creator of free forms; null for a record of another type.
std::unique_ptr<Element> createFreeForm(const API_Element& record, ElementLink& link);

} // namespace tarnwick
