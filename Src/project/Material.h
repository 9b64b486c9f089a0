// A building material attribute (type 17): the fill, fill pens and surface that elements made of
// it take, and three values of the host's carried as they are.
#pragma once

#include <cstddef>
#include <cstdint>

#include "project/Fill.h"
#include "project/Finish.h"
#include "project/Pen.h"
#include "project/RecordAttribute.h"

namespace tarnwick {

class Material : public RecordAttribute<Material, HostBuildingMaterial, AttrBuildingMaterial> {
public:
    static constexpr size_t ValueCount = 3;

    Material() = default; // a zeroed record, unbound
    explicit Material(const AttributeLink& link) : RecordAttribute(link) {}
    // The material of that index in the current project.
    explicit Material(uint32_t index) : RecordAttribute(AttributeLink(index, AttrBuildingMaterial)) {}
    // The material of that name in the current project; a name none has gives a new material
    // carrying it, ready to be stored.
    explicit Material(const String& name);
    Material(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}

    // The material of the host's 16-bit index, read from the host on first use.
    static Material fromIndex(int16_t index) { return Material(AttributeLink(index, AttrBuildingMaterial)); }

    // Index 0 gives an unbound attribute that does not exist.
    Fill getFill() const { return Fill(AttributeLink(record().fill, AttrFill)); }
    Pen getFillPen() const { return Pen(AttributeLink(record().fillPen, AttrPen)); }
    Pen getFillBackgroundPen() const { return Pen(AttributeLink(record().backgroundPen, AttrPen)); }
    Finish getFinish() const { return Finish(AttributeLink(record().surface, AttrSurface)); }
    void setFill(const Fill& fill) { record().fill = fill.getIndex16(); }
    void setFillPen(const Pen& pen) { record().fillPen = pen.getIndex16(); }
    void setFillBackgroundPen(const Pen& pen) { record().backgroundPen = pen.getIndex16(); }
    void setFinish(const Finish& finish) { record().surface = finish.getIndex16(); }

    // The values in record order; std::out_of_range from ValueCount on.
    double getValue(size_t which) const;
    void setValue(size_t which, double value);

private:
    friend class RecordAttribute<Material, HostBuildingMaterial, AttrBuildingMaterial>;
    static void fillFallback(HostBuildingMaterial& record) { record.header.typeCode = AttrBuildingMaterial; }
};

} // namespace tarnwick
