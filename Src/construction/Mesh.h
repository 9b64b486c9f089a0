// A host terrain mesh (type 10): typed accessors over a private copy of its record, its outline
// with a level per vertex, its level lines and loose level points, and its quantities.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "construction/MeshMemo.h"
#include "elements/Element.h"
#include "platform/api/MeshRecords.h"

namespace tarnwick {

class Mesh : public Element, public PolygonLevelMemo, public MeshMemo {
public:
    static constexpr uint8_t TypeCode = HostMeshTypeCode;
    // How near a level point must come to an outline vertex or edge to be taken onto it.
    static constexpr double LevelTolerance = 1e-5;

    // The host's default mesh.
    Mesh();
    Mesh(const ElementLink& link, const API_Element& record);
    // Copies the element, the record and both memos (deep).
    Mesh(const Mesh& other);
    Mesh& operator=(const Mesh&) = delete;
    ~Mesh() override;

    // The element's, not the memos'.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Mesh>(*this); }

    // --- Measures: the host's mesh quantities, one field each, 0.0 when it cannot say.
    double getMeasureA() const override { return quantity(offsetof(HostMeshQuantities, measureA)); }
    double getMeasureB() const override { return quantity(offsetof(HostMeshQuantities, measureB)); }
    double getMeasureC() const override { return quantity(offsetof(HostMeshQuantities, measureC)); }
    double getMeasureD() override { return quantity(offsetof(HostMeshQuantities, measureD)); }
    double getMeasureH() const override { return quantity(offsetof(HostMeshQuantities, measureH)); }
    double getMeasureJ() const override { return quantity(offsetof(HostMeshQuantities, measureJ)); }
    // The holes of the outline; 0 without one.
    uint32_t getOutlineHoleCount() const override { return outlineHoleCount(*this); }

    // --- Attributes.
    // 0 and 1 the contour pen; 2, 6, 8, 10; 11 and 12 the cut-fill pens, the building material's
    // unless the cut-fill flag is set; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    // 0 and 1 the line type; others empty.
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    // 0 and 1 the first override, 5 the second, 7 the third, each only when it overrides;
    // otherwise the building material's finish.
    void getFinish(Finish& finish, uint32_t which) const override;
    // Kinds 0, 1 and 3: the building material's cut fill; null for index 0 and other kinds.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    void getMaterial(Material& material) const override;
    // 0 the kind-10, kind-2, contour and both cut-fill pens; 1 contour; 2; 6; 8; 10; 11 and 12 the
    // cut-fill pens. Other kinds write nothing.
    void setPen(const Pen& pen, uint32_t which) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // 0 all three overrides; 1 and 6 the first; 5 the second; 7 the third. The index is the
    // surface's low 16 bits, overriding when its high 16 bits are not 0.
    void setFinish(const Finish& finish, uint32_t which) override;
    void setMaterial(const Material& material) override;

    // --- Geometry.
    // The outline's first vertex at the absolute elevation; the origin without an outline.
    void getReferencePoint(CadPoint& point) const override;
    double getElevation(bool absolute) const override {
        return storeyElevation(*this, m_record.part().elevation, absolute);
    }
    // A copy of the outline (read from the host first when none is held); null without.
    std::unique_ptr<CadPolygon> getOutline() const override {
        return outlineCopy(static_cast<const PolygonLevelMemo&>(*this));
    }
    // Moves the outline and the level data in plan by the point's offset from the reference point,
    // then takes the absolute elevation from its z.
    void setReferencePoint(const CadPoint& point) override;
    void setElevation(double value, bool absolute) override {
        m_record.part().elevation = relativeElevation(*this, value, absolute);
    }
    // Moves the outline and the level data in plan; false, moving nothing, when either cannot be
    // read.
    bool moveBy(const CadPoint& offset) override;

    // --- Record and memo.
    std::unique_ptr<API_Element> buildRecord() const override { return m_record.build(getLink()); }
    // Reads the outline and the level data, then takes each level point and level-line vertex
    // onto the outline: a vertex at its place takes its z; on an edge it becomes a vertex.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null unless both the outline with its levels and the level data write. The record copy takes
    // the counts written.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }

    // --- Memo hooks.
    Element* getOwner() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override;
    // The outline's counts from the record.
    PolygonCounts getPolygonHeader() const override { return polygonCountsOf(m_record.part()); }

    // --- The mesh's own.
    virtual bool getMeshFlag() const { return m_record.part().meshFlag != 0; }
    virtual uint16_t getMeshValue1() const { return m_record.part().meshValue; }
    // Group 0 or 1: all three flags set. False for other groups.
    virtual bool getFlagGroup(uint32_t kind) const;
    virtual bool getSecondGroupFlag(uint32_t kind) const;
    virtual bool getThirdGroupFlag(uint32_t kind) const;
    virtual void setMeshFlag(bool on) { m_record.part().meshFlag = on ? 1 : 0; }
    virtual void setMeshValue1(uint16_t value) { m_record.part().meshValue = value; }
    // Other groups than 0 and 1 change nothing.
    virtual void setFlagGroup(bool on, uint32_t kind);
    virtual void setSecondGroupFlag(bool on, uint32_t kind);
    virtual void setThirdGroupFlag(bool on, uint32_t kind);
    virtual double getMeshValue2() const { return m_record.part().meshDouble; }
    virtual double getMeshValue3() const { return m_record.part().meshDouble; }
    virtual void setMeshValue2(double value) { m_record.part().meshDouble = value; }
    virtual double getBaseMeasure1() const { return getMeasureA(); }
    virtual double getBaseMeasure2() const { return getMeasureB(); }
    virtual double getBaseMeasure3() const { return getMeasureC(); }
    // The host's default mesh: head and part, the head's memo byte set. False when the host
    // refuses.
    virtual bool resetToDefaults() { return m_record.resetToDefaults(*this); }
    virtual const HostMeshLevelPart& getMeshRecordPart() const { return m_record.part().levelPart; }
    virtual HostMeshLevelPart& getMeshRecordPart() { return m_record.part().levelPart; }
    const HostMeshElement& getMeshRecord() const { return m_record.part(); }
    HostMeshElement& getMeshRecord() { return m_record.part(); }

private:
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }
    // Takes one level point onto the outline.
    void matchLevel(const CadPoint& point);
    void matchLevels();
    // The outline and the level data, held, moved in plan.
    void movePlan(const CadPoint& offset);

    ConstructionRecord<HostMeshElement> m_record;
};

// The factory's creator of meshes; null for a record of another type.
std::unique_ptr<Element> createMesh(const API_Element& record, ElementLink& link);

} // namespace tarnwick
