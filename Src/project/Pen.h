// A pen attribute: colour and line width.
#pragma once

#include "project/Colour.h"
#include "project/RecordAttribute.h"

namespace tarnwick {

class Pen : public RecordAttribute<Pen, HostPen, AttrPen> {
public:
    static constexpr double DefaultWidth = 0.1;

    Pen() = default; // black, width 0.1, unbound
    explicit Pen(const AttributeLink& link) : RecordAttribute(link) {}
    Pen(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}

    Colour getColour() const;
    void setColour(const Colour& colour); // the alpha is not kept
    // 0x00RRGGBB, each channel the component times 255, truncated.
    uint32_t getRGB24() const;
    // Each byte divided by 255, at most 1.
    void setRGB24(uint32_t rgb);
    double getWidth() const { return record().width; }
    void setWidth(double width) { record().width = width; }

    bool operator==(const Pen& other) const { return getIndex16() == other.getIndex16(); }

private:
    friend class RecordAttribute<Pen, HostPen, AttrPen>;
    static void fillFallback(HostPen& record) { record.width = DefaultWidth; }
};

// The 24-bit colour rules pens and zone categories share.
uint32_t rgb24Of(double red, double green, double blue);
void rgbFrom24(uint32_t rgb, double& red, double& green, double& blue);

} // namespace tarnwick
