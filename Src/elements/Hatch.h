// A host hatch (type 18): a closed region with holes in the memo, its pens, line type and fill its
// own or, with fill source 1, its building material's.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/PolygonElement.h"

namespace tarnwick {

class Hatch : public PolygonElement<PolygonMemo, HostHatchElement> {
public:
    static constexpr uint8_t TypeCode = 18;
    static constexpr uint32_t FillFromMaterial = 1;
    static constexpr uint8_t OwnForeground = 4;
    static constexpr uint8_t OwnBackground = 8;

    // A new hatch in the host's default settings, taking the polygon (closed) when given.
    explicit Hatch(std::unique_ptr<CadPolygon> polygon = nullptr);
    Hatch(const API_Element& record, const ElementLink& link);
    Hatch(const Hatch& other) = default;
    ~Hatch() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Hatch>(*this); }
    // The host's quantities 1, 4 and 3, each asked for alone; 0.0 when the host cannot say.
    double getSurfaceArea() override { return quantity(HostHatchArea); }
    double getMeasureH() const override { return quantity(HostHatchQuantity4); }
    double getMeasureJ() const override { return quantity(HostHatchQuantity3); }
    uint32_t getOutlineHoleCount() const override;
    // Roles 0/1 the main pen; 6 and 8 the fill's pens, the material's unless overridden.
    void getPen(Pen& pen, uint32_t which) const override;
    // Kinds 0 and 1: the fill, or the material's; null for index 0 and for other kinds.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const override;
    // The building material when the fill comes from one, else an empty one.
    void getMaterial(Material& material) const override;
    // Role 0 sets the main, foreground and background pens.
    void setPen(const Pen& pen, uint32_t which) override;
    // Kinds 0 and 1: a fill of index at least 1 becomes the hatch's own; anything else is ignored.
    void setPattern(const Pattern& pattern, uint32_t kind) override;
    void setTextStyle(const TextStyle& style, uint32_t which) override;
    // The vertices are all in the memo.
    bool moveBy(const CadPoint& offset) override { return movePolygon(offset); }
    // Closed.
    void setPolygon(std::unique_ptr<CadPolygon> polygon) override;

    virtual bool isFlagSet() const { return m_record.flag != 0; }
    virtual double getHatchMeasure() const { return 0.0; }
    virtual void setFlag(bool on) { m_record.flag = on ? 1 : 0; }
    virtual void setHatchMeasure(double) {}

    const HostHatchElement& getHatchRecord() const { return m_record; }
    HostHatchElement& getHatchRecord() { return m_record; }

private:
    double quantity(size_t offset) const;
    bool fromMaterial(uint8_t own) const {
        return m_record.fillSource == FillFromMaterial && (m_record.overrides & own) == 0;
    }
};

// The factory's creator of hatches; null for a record of another type.
std::unique_ptr<Element> createHatch(const API_Element& record, ElementLink& link);

} // namespace tarnwick
