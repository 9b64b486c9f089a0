// A building material attribute (type 17): what hatches take their fill and fill pens from. The
// least of it; surfaces and the rest of its record come with the project model's materials.
#pragma once

#include <cstdint>

#include "project/Fill.h"
#include "project/Pen.h"
#include "project/RecordAttribute.h"

namespace tarnwick {

class Material : public RecordAttribute<Material, HostBuildingMaterial, AttrBuildingMaterial> {
public:
    Material() = default;
    explicit Material(const AttributeLink& link) : RecordAttribute(link) {}
    Material(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}

    // The material of an index, read from the host on first use.
    static Material fromIndex(int16_t index) { return Material(AttributeLink(index, AttrBuildingMaterial)); }

    Fill getFill() const { return Fill(AttributeLink(record().fill, AttrFill)); }
    Pen getFillPen() const { return Pen(AttributeLink(record().fillPen, AttrPen)); }
    Pen getFillBackgroundPen() const { return Pen(AttributeLink(record().backgroundPen, AttrPen)); }
};

} // namespace tarnwick
