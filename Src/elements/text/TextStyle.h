// How a run of text looks: pen, colour, font, style words, size and placement values. A value
// inside styled text and the host's text records, never looked up in the attribute tables.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/String.h"
#include "platform/api/TextRecords.h"
#include "project/Attribute.h"
#include "project/Colour.h"
#include "project/Font.h"
#include "project/Pen.h"

namespace tarnwick {

class TextStyle : public Attribute {
public:
    static constexpr double DefaultSize = 4.2333333333336; // 12 pt, the framework's default style
    static constexpr uint32_t DefaultAnchor = 6;
    static constexpr double MillimetresPerPoint = 0.3527777777778;
    // Bits of the style word with setters of their own.
    static constexpr uint16_t Bold = 0x0001;
    static constexpr uint16_t Italic = 0x0002;
    static constexpr uint16_t Underline = 0x0004;

    // Unbound, default pen and font, opaque black; then the style word and size.
    explicit TextStyle(uint16_t style = 0, double size = DefaultSize);
    TextStyle(const Font& font, const Pen& pen);
    // Pen and font by index; style, effects and slant are not in the record and are 0.
    explicit TextStyle(const HostPenFontSize& record);
    explicit TextStyle(const HostTextRun& record);
    TextStyle(const TextStyle& other);
    TextStyle& operator=(const TextStyle& other);
    ~TextStyle() override = default;

    std::unique_ptr<Attribute> clone() const override { return std::make_unique<TextStyle>(*this); }
    uint8_t getTypeCode() const override { return 0; }
    std::unique_ptr<API_Attribute> makeRecord() const override { return nullptr; }
    AttributeMemoPtr makeMemo() const override { return nullptr; }
    const HostAttributeHeader& getRecord() const override { return m_record; }
    HostAttributeHeader& getRecord() override { return m_record; }

    // Back to the defaults (size 3.0 mm); the link stays.
    void reset();

    const Pen& getPen() const { return m_pen; }
    const Colour& getColour() const { return m_colour; }
    const Font& getFont() const { return m_font; }
    uint16_t getStyle() const { return m_style; }
    uint16_t getEffects() const { return m_effects; }
    uint32_t getAnchor() const { return m_anchor; }
    uint32_t getJustification() const { return m_justification; }
    double getSize() const { return m_size; } // millimetres
    double getSpacing() const { return m_spacing; }
    double getSlant() const { return m_slant; }

    // Takes the pen's colour as the style's colour too.
    void setPen(const Pen& pen);
    void setFont(const Font& font) { m_font = font; }
    void setColour(const Colour& colour) { m_colour = colour; }
    void setStyle(uint16_t style) { m_style = style; }
    void setBold(bool on) { setBit(Bold, on); }
    void setItalic(bool on) { setBit(Italic, on); }
    void setUnderline(bool on) { setBit(Underline, on); }
    void setEffects(uint16_t effects) { m_effects = effects; }
    void setAnchor(uint32_t anchor) { m_anchor = anchor; }
    void setJustification(uint32_t justification) { m_justification = justification; }
    void setSize(double size) { m_size = size; }
    void setSpacing(double spacing) { m_spacing = spacing; }
    void setSlant(double slant) { m_slant = slant; }

    // The size in points, rounded half up.
    int getPointSize() const;
    // A whole run record: cleared, then from, range and the style's values.
    void toRunRecord(HostTextRun& record, uint32_t from, uint32_t range) const;
    void toSizeRecord(HostPenFontSize& record) const;
    // The width of the text in this style as the host measures it ("GTLL"); 0.0 for an empty text
    // (no host call) or when the host cannot measure it. The flag does not change the answer.
    double getTextLength(const String& text, bool flag = false, uint16_t mode = 0) const;

    // Index, font, pen, colour, size, justification, anchor, spacing, slant and both style words.
    bool operator==(const TextStyle& other) const;
    bool operator!=(const TextStyle& other) const { return !(*this == other); }

private:
    void setBit(uint16_t bit, bool on) { m_style = on ? uint16_t(m_style | bit) : uint16_t(m_style & ~bit); }
    void setRunValues(uint16_t pen, uint16_t font, double size);

    HostAttributeHeader m_record;
    Pen m_pen;
    Colour m_colour;
    Font m_font;
    uint16_t m_style = 0;
    uint16_t m_effects = 0;
    uint32_t m_anchor = DefaultAnchor;
    uint32_t m_justification = 0;
    double m_size = 3.0;
    double m_spacing = 3.0;
    double m_slant = 0.0;
};

} // namespace tarnwick
