#include "elements/text/Text.h"

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "geometry/Cube.h"
#include "project/Drawing.h"
#include "project/MemoStore.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {

// The box point (Cube::getGridPoint) a text's anchor code names.
unsigned gridPointOfAnchor(uint32_t anchor) {
    static constexpr unsigned points[] = {6, 7, 8, 3, 4, 5, 0, 1, 2};
    return anchor >= 1 && anchor <= 8 ? points[anchor] : 6;
}

bool isTextRole(uint32_t which) {
    return which == 0 || which == 16;
}

} // namespace

Text::Text(const String& text)
    : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)), TextMemo(StyledString(text)) {
    getLink().writeHeader(m_record.head, true);
    applyDefaults();
}

Text::Text(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

void Text::getPen(Pen& pen, uint32_t which) const {
    pen = Pen(AttributeLink(isTextRole(which) ? static_cast<int16_t>(m_record.pen) : int16_t(0), AttrPen));
}

void Text::setPen(const Pen& pen, uint32_t which) {
    if (isTextRole(which)) m_record.pen = static_cast<uint16_t>(pen.getIndex16());
}

void Text::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.location.x, m_record.location.y, 0.0);
}

void Text::setReferencePoint(const CadPoint& point) {
    m_record.location = point.getCoord2D();
}

std::unique_ptr<TextStyle> Text::getTextStyle(uint32_t which) const {
    if (which > 1) return nullptr;
    auto style =
        std::make_unique<TextStyle>(Font(AttributeLink(static_cast<int16_t>(m_record.font), AttrFont)),
                                    Pen(AttributeLink(static_cast<int16_t>(m_record.pen), AttrPen)));
    style->setPen(style->getPen()); // the colour follows the pen
    style->setStyle(m_record.style);
    style->setAnchor(m_record.anchor);
    style->setJustification(m_record.justification);
    style->setSize(m_record.size);
    style->setSpacing(m_record.spacing);
    return style;
}

void Text::setTextStyle(const TextStyle& style, uint32_t which) {
    if (which > 1) return;
    m_record.font = static_cast<uint16_t>(style.getFont().getIndex16());
    m_record.pen = static_cast<uint16_t>(style.getPen().getIndex16());
    m_record.style = style.getStyle();
    m_record.anchor = style.getAnchor();
    m_record.justification = style.getJustification();
    m_record.size = style.getSize();
    m_record.spacing = style.getSpacing();
}

void Text::applyDefaults() {
    API_Element defaults;
    m_hasDefaults = getDefaults(defaults, nullptr);
    if (m_hasDefaults) std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    m_record.head.byte76 = 0;
    std::unique_ptr<TextStyle> style = getTextStyle(0);
    StyledString text(getText());
    text.setStyle(*style, 0);
    setText(text, false);
    setReferencePoint(CadPoint());
}

std::unique_ptr<API_Element> Text::buildRecord() const {
    auto* self = const_cast<Text*>(this);
    const StyledString& text = self->getText();
    // The host's text could not be read: a record would say the block has none.
    if (!TextMemo::isLoaded() && getLink().hasGuid()) return nullptr;
    HostTextElement part = m_record;
    part.head.byte76 = text.isEmpty() ? 0 : 1;
    part.severalStyles = 0;
    part.lineCount = 0;
    if (!text.isEmpty()) {
        part.severalStyles = text.getStyleCount() > 1 ? 1 : 0;
        // One style: the record's pen, font and size agree with the text. The placement codes
        // and the spacing are the block's own; a style read from a run does not carry them.
        if (const TextStyle* style = text.getStyleCount() == 1 ? text.getStyleRun(0).value : nullptr) {
            part.pen = static_cast<uint16_t>(style->getPen().getIndex16());
            part.font = static_cast<uint16_t>(style->getFont().getIndex16());
            part.style = style->getStyle();
            part.size = style->getSize();
        }
        std::vector<std::pair<size_t, size_t>> lines;
        part.lineCount = static_cast<uint32_t>(text.splitLines(lines));
    }
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &part, sizeof part);
    getLink().writeHeader(record->head, true);
    return record;
}

void Text::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && !TextMemo::isLoaded()) mask |= MemoText;
    if ((mask & MemoText) == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            m_loaded = true; // a new block: the host holds no text of it
            return;
        }
        if (!fetchMemo(mask, store)) return; // left unloaded: the host's text stays the host's
    }
    // A memo without text content is the host saying the block has none.
    if (!readMemo(*store) && store->getTextContent() == nullptr) m_loaded = true;
}

ElementMemoPtr Text::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    if (store.getTextContent() != nullptr) mask |= MemoText;
    return ElementMemoPtr(store.release());
}

bool Text::placeInBox(const CadPoint& first, const CadPoint& second, Drawing& drawing,
                      const MemoryBlock* userData) {
    return placeInBox(first, second, drawing, drawing.getScale(), drawing.getDatabaseRef().getStorey(),
                      userData);
}

bool Text::placeInBox(const CadPoint& first, const CadPoint& second, Drawing& drawing, double scale,
                      Storey* storey, const MemoryBlock* userData) {
    if (!(scale > 0.0) || !std::isfinite(scale)) return false;
    Cube box(first, second);
    box.normalise();
    setReferencePoint(box.getGridPoint(gridPointOfAnchor(m_record.anchor)));
    setWidth(std::fabs(first.getX() - second.getX()) * 1000.0 / scale);
    setHeight(std::fabs(first.getY() - second.getY()) * 1000.0 / scale);
    if (storey != nullptr) setStorey(*storey, true);
    if (!drawing.saveElement(*this, false, true)) return false;
    return userData == nullptr || storeUserData(*userData, 0, false, DefaultUserDataFlags);
}

std::unique_ptr<Element> createText(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Text::TypeCode) return nullptr;
    return std::make_unique<Text>(record, link);
}

} // namespace tarnwick
