#include "elements/text/TextStyle.h"

#include <cmath>

#include "Environment/HostCalls.h"
#include "platform/gsroot/UniString.h"

namespace tarnwick {

namespace {
Pen penAt(int16_t index) {
    return Pen(AttributeLink(index, AttrPen));
}
Font fontAt(int16_t index) {
    return Font(AttributeLink(index, AttrFont));
}
} // namespace

TextStyle::TextStyle(uint16_t style, double size) : Attribute(AttributeLink(), 0) {
    reset();
    m_style = style;
    m_size = size;
}

TextStyle::TextStyle(const Font& font, const Pen& pen) : Attribute(AttributeLink(), 0) {
    reset();
    m_font = font;
    m_pen = pen;
}

TextStyle::TextStyle(const HostPenFontSize& record) : Attribute(AttributeLink(), 0) {
    reset();
    m_pen = Pen(AttributeLink(record.pen, AttrPen));
    m_font = Font(AttributeLink(record.font, AttrFont));
    m_size = record.size;
}

TextStyle::TextStyle(const HostTextRun& record) : Attribute(AttributeLink(), 0) {
    reset();
    m_pen = penAt(static_cast<int16_t>(record.pen));
    m_font = fontAt(static_cast<int16_t>(record.font));
    m_style = record.style;
    m_effects = record.effects;
    m_size = record.size;
}

TextStyle::TextStyle(const TextStyle& other) = default;

TextStyle& TextStyle::operator=(const TextStyle& other) {
    if (this == &other) return *this;
    Attribute::operator=(other);
    m_record = other.m_record;
    m_pen = other.m_pen;
    m_colour = other.m_colour;
    m_font = other.m_font;
    m_style = other.m_style;
    m_effects = other.m_effects;
    m_anchor = other.m_anchor;
    m_justification = other.m_justification;
    m_size = other.m_size;
    m_spacing = other.m_spacing;
    m_slant = other.m_slant;
    return *this;
}

void TextStyle::reset() {
    m_record = HostAttributeHeader();
    m_pen = Pen();
    m_colour = Colour(0.0, 0.0, 0.0, 1.0);
    m_font = Font();
    m_style = 0;
    m_effects = 0;
    m_anchor = DefaultAnchor;
    m_justification = 0;
    m_size = 3.0;
    m_spacing = 3.0;
    m_slant = 0.0;
}

void TextStyle::setPen(const Pen& pen) {
    m_pen = pen;
    m_colour = pen.getColour();
}

int TextStyle::getPointSize() const {
    return static_cast<int>(std::floor(m_size / MillimetresPerPoint + 0.5));
}

void TextStyle::toRunRecord(HostTextRun& record, uint32_t from, uint32_t range) const {
    record = HostTextRun();
    record.from = from;
    record.range = range;
    record.pen = static_cast<uint16_t>(m_pen.getIndex16());
    record.style = m_style;
    record.font = static_cast<uint16_t>(m_font.getIndex16());
    record.effects = m_effects;
    record.size = m_size;
}

void TextStyle::toSizeRecord(HostPenFontSize& record) const {
    record.pen = m_pen.getIndex();
    record.font = m_font.getIndex();
    record.size = m_size;
}

double TextStyle::getTextLength(const String& text, bool, uint16_t mode) const {
    if (text.isEmpty()) return 0.0;
    GS::UniString wide = text.toUniString();
    HostTextLengthQuery query;
    query.mode = static_cast<int16_t>(mode);
    query.modeSet = mode != 0 ? 1 : 0;
    query.font = static_cast<uint16_t>(m_font.getIndex16());
    query.style = m_style;
    query.slant = m_slant;
    query.size = m_size;
    query.text = &wide;
    double length = 0.0;
    if (ACAPUtilityCall(fourCC("GTLL"), &query, &length) != hosterr::Ok) return 0.0;
    return length;
}

bool TextStyle::operator==(const TextStyle& other) const {
    return getIndex() == other.getIndex() && m_font == other.m_font && m_pen == other.m_pen &&
           m_colour == other.m_colour && m_size == other.m_size && m_justification == other.m_justification &&
           m_anchor == other.m_anchor && m_spacing == other.m_spacing && m_slant == other.m_slant &&
           m_style == other.m_style && m_effects == other.m_effects;
}

} // namespace tarnwick
