// What the host's dimension kinds share: each keeps its own record part, and every part has the
// dimension pen, a text block and (but for a level dimension's) an arrow and a reference point.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "platform/api/DimensionRecords.h"
#include "project/Font.h"
#include "project/Pen.h"

namespace tarnwick {

class Dimension : public Element {
public:
    using Element::Element;
    ~Dimension() override = default;
};

// A dimension over its kind's record part.
template <class Part> class DimensionOf : public Dimension {
public:
    ~DimensionOf() override = default;

    // Roles 0/1 the dimension pen, 16 the text pen and, with an arrow, 17 the arrow's; role 0 sets
    // them all.
    void getPen(Pen& pen, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const override;
    void setTextStyle(const TextStyle& style, uint32_t which) override;
    std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const override;
    void setArrowStyle(const ArrowStyle& style, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    void setReferencePoint(const CadPoint& point) override;
    std::unique_ptr<API_Element> buildRecord() const override;
    // These kinds write no memo.
    ElementMemoPtr buildMemo(uint64_t&) override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    virtual Font getTextFont() const {
        return Font(AttributeLink(int16_t(m_record.textBlock.font), AttrFont));
    }
    virtual Pen getTextPen() const { return Pen(AttributeLink(m_record.textBlock.pen, AttrPen)); }
    virtual double getTextSize() const { return m_record.textBlock.size; }
    virtual void setTextFont(const Font& font) {
        m_record.textBlock.font = static_cast<uint16_t>(font.getIndex16());
    }
    virtual void setTextPen(const Pen& pen) { m_record.textBlock.pen = pen.getIndex(); }
    virtual void setTextSize(double size) { m_record.textBlock.size = size; }
    // The host's defaults of the kind; a record that claims no memo.
    virtual void applyDefaults();

protected:
    // A new dimension of the kind, its record still empty.
    explicit DimensionOf(uint8_t typeCode);
    DimensionOf(const API_Element& record, const ElementLink& link);
    DimensionOf(const DimensionOf& other) = default;
    DimensionOf& operator=(const DimensionOf& other) = default;

    Part m_record;
};

extern template class DimensionOf<HostLinearDimension>;
extern template class DimensionOf<HostRadialDimension>;
extern template class DimensionOf<HostLevelDimension>;
extern template class DimensionOf<HostAngularDimension>;

} // namespace tarnwick
