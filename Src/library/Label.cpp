#include "library/Label.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "platform/api/LibraryRecords.h"
#include "project/Font.h"
#include "project/LineStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
constexpr double SizeTolerance = 1e-5;
constexpr double FullTurn = 2.0 * std::numbers::pi;

ElementLink newLabelLink() {
    return ElementLink(ElementLink::makeTypeId(Label::TypeCode), nullptr, 0);
}

HostLabelElement labelPartOf(const API_Element& record) {
    HostLabelElement part;
    std::memcpy(static_cast<void*>(&part), record.raw, sizeof part);
    return part;
}

ComponentLink partOf(const HostLabelElement& record) {
    const uint32_t index = record.kind == LabelKindSymbol ? record.libIndex : 0;
    return ComponentLink(index, Label::LabelPartType, nullptr);
}

Pen penAt(uint16_t index) {
    return Pen(AttributeLink(static_cast<int16_t>(index), AttrPen));
}
} // namespace

Label::Label(const StyledString& text, bool restyle) : ComponentElem(newLabelLink(), ComponentLink()) {
    getLink().writeHeader(m_record.head, true);
    m_record.kind = LabelKindText;
    applyDefaults();
    setText(text, restyle);
}

Label::Label(const ComponentLink& part) : ComponentElem(newLabelLink(), part) {
    getLink().writeHeader(m_record.head, true);
    m_record.kind = LabelKindSymbol;
    applyDefaults();
}

Label::Label(bool withMemo) : ComponentElem(newLabelLink(), ComponentLink()) {
    auto defaults = std::make_unique<API_Element>();
    ElementMemoPtr memo = withMemo ? makeElementMemo() : nullptr;
    m_hasDefaults = getDefaults(*defaults, memo.get());
    if (m_hasDefaults) {
        takeDefaults(labelPartOf(*defaults), false);
    } else {
        memo.reset();
    }
    getLink().writeHeader(m_record.head, true);
    if (memo) {
        ElementMemoStore store(memo.release());
        MemoStore* given = &store;
        loadMemo(MemoAll, given);
    }
    if (isSymbolLabel())
        setComponentLink(ComponentLink(m_record.libIndex, LabelPartType, nullptr), false, false);
}

Label::Label(const API_Element& record, const ElementLink& link)
    : ComponentElem(link, partOf(labelPartOf(record))), m_record(labelPartOf(record)) {}

// --- Attributes by role.

void Label::getPen(Pen& pen, uint32_t which) const {
    uint16_t index = 0;
    if (which <= 1)
        index = m_record.pen;
    else if (which == 8)
        index = m_record.pen8;
    else if (which == 16 && isTextLabel())
        index = m_record.textPen;
    else if (which == 17)
        index = m_record.arrow.pen;
    pen = penAt(index);
}

void Label::setPen(const Pen& pen, uint32_t which) {
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    if (which <= 1)
        m_record.pen = index;
    else if (which == 8)
        m_record.pen8 = index;
    else if (which == 16 && isTextLabel())
        m_record.textPen = index;
    else if (which == 17)
        m_record.arrow.pen = index;
}

void Label::getLineStyle(LineStyle& style, uint32_t which) const {
    const int16_t index = which <= 1 ? static_cast<int16_t>(m_record.lineType) : int16_t(0);
    style = LineStyle(AttributeLink(index, AttrLineType));
}

void Label::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.lineType = static_cast<uint16_t>(style.getIndex16());
}

std::unique_ptr<ArrowStyle> Label::getArrowStyle(uint32_t which) const {
    if (which > 1) return nullptr;
    return std::make_unique<ArrowStyle>(m_record.arrow);
}

void Label::setArrowStyle(const ArrowStyle& style, uint32_t which) {
    if (which <= 1) style.toHost(m_record.arrow);
}

std::unique_ptr<TextStyle> Label::getTextStyle(uint32_t which) const {
    if (which > 1) return nullptr;
    const bool symbol = isSymbolLabel();
    const uint16_t font = symbol ? m_record.symbolTextFont : m_record.textFont;
    auto style = std::make_unique<TextStyle>(Font(AttributeLink(static_cast<int16_t>(font), AttrFont)),
                                             penAt(symbol ? m_record.pen : m_record.textPen));
    style->setPen(style->getPen()); // the colour follows the pen
    if (symbol) {
        style->setStyle(m_record.symbolTextStyle);
        style->setAnchor(m_record.symbolTextAnchorThird * 3);
        style->setSize(m_record.symbolTextSize);
    } else {
        style->setStyle(m_record.textStyle);
        style->setAnchor(m_record.textAnchor);
        style->setJustification(m_record.textJustification);
        style->setSize(m_record.textSize);
        style->setSpacing(m_record.textSpacing);
    }
    return style;
}

void Label::setTextStyle(const TextStyle& style, uint32_t which) {
    if (which > 1) return;
    const auto font = static_cast<uint16_t>(style.getFont().getIndex16());
    const auto pen = static_cast<uint16_t>(style.getPen().getIndex16());
    if (isSymbolLabel()) {
        m_record.symbolTextFont = font;
        m_record.pen = pen;
        m_record.symbolTextStyle = style.getStyle();
        // The host keeps the anchor in thirds: 7 comes back as 6.
        m_record.symbolTextAnchorThird = style.getAnchor() / 3;
        m_record.symbolTextSize = style.getSize();
    } else {
        m_record.textFont = font;
        m_record.textPen = pen;
        m_record.textStyle = style.getStyle();
        m_record.textAnchor = style.getAnchor();
        m_record.textJustification = style.getJustification();
        m_record.textSize = style.getSize();
        m_record.textSpacing = style.getSpacing();
    }
}

// --- Placement.

void Label::getReferencePoint(CadPoint& point) const {
    point = pointOf(m_record.leader[0]);
}

void Label::setReferencePoint(const CadPoint& point) {
    m_record.leader[0] = point.getCoord2D();
}

double Label::getAngle() const {
    return isSymbolLabel() ? m_record.symbolAngle : m_record.textAngle;
}

void Label::setAngle(double angle) {
    if (!isSymbolLabel()) return;
    double reduced = std::fmod(angle, FullTurn);
    if (reduced < 0.0) reduced += FullTurn;
    m_record.symbolAngle = reduced;
}

void Label::setSymbolFlag(bool on) {
    if (isSymbolLabel()) m_record.symbolFlags.flag = on ? 1 : 0;
}

void Label::setTextWidth(double width) {
    if (isTextLabel()) m_record.textWidth = width;
}

void Label::setTextHeight(double height) {
    if (isTextLabel()) m_record.textHeight = height;
}

// --- The part and its sizes.

void Label::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    if (link.getType() != LabelPartType && link.getType() != 0) return;
    m_record.kind = LabelKindSymbol;
    m_record.libIndex = link.getIndex();
    ComponentElem::setComponentLink(ComponentLink(link.getIndex(), LabelPartType, link.getLibrary()),
                                    resetSizes, loadParameters);
}

uint32_t Label::partIndexOf(const API_Element& record) const {
    return labelPartOf(record).libIndex;
}

double Label::getParameterA() const {
    if (!isSymbolLabel()) return 0.0;
    return isFixedSize() ? m_record.symbolA : const_cast<Label*>(this)->getA() * m_record.symbolA;
}

double Label::getParameterB() const {
    if (!isSymbolLabel()) return 0.0;
    return isFixedSize() ? m_record.symbolB : const_cast<Label*>(this)->getB() * m_record.symbolB;
}

void Label::setA(double value) {
    if (!isSymbolLabel()) return;
    if (isFixedSize()) {
        m_record.symbolA = value;
        ComponentParameterMemo::setA(value);
    } else if (const double own = getA(); own >= SizeTolerance) {
        m_record.symbolA = value / own;
    }
}

void Label::setB(double value) {
    if (!isSymbolLabel()) return;
    if (isFixedSize()) {
        m_record.symbolB = value;
        ComponentParameterMemo::setB(value);
    } else if (const double own = getB(); own >= SizeTolerance) {
        m_record.symbolB = value / own;
    }
}

// --- Defaults.

void Label::takeDefaults(const HostLabelElement& defaults, bool keepKind) {
    const uint32_t kind = m_record.kind;
    m_record = defaults;
    if (keepKind && (kind == LabelKindSymbol || kind == LabelKindText)) m_record.kind = kind;
    m_record.head.byte76 = 1;
    if (isSymbolLabel() && defaults.kind == LabelKindSymbol) {
        m_record.textFont = defaults.symbolTextFont;
        m_record.textStyle = defaults.symbolTextStyle;
        m_record.textSize = defaults.symbolTextSize;
    } else if (isTextLabel() && defaults.kind == LabelKindText) {
        m_record.symbolTextFont = defaults.textFont;
        m_record.symbolTextStyle = defaults.textStyle;
        m_record.symbolTextSize = defaults.textSize;
    }
}

void Label::applyDefaults() {
    auto defaults = std::make_unique<API_Element>();
    m_hasDefaults = getDefaults(*defaults, nullptr);
    if (!m_hasDefaults) return;
    takeDefaults(labelPartOf(*defaults), true);
    const ComponentLink part = getComponentLink();
    if (!isSymbolLabel() || !part.isValid()) return;
    m_record.libIndex = part.getIndex();
    HostLibPartDetails details;
    if (ACAPGetLibPartDetails(static_cast<int32_t>(part.getIndex()), &details) == hosterr::Ok)
        m_record.symbolFlags.fixedSize = details.firstDetail;
    setA(getA());
    setB(getB());
}

// --- Record and memo.

std::unique_ptr<API_Element> Label::buildRecord() const {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &m_record, sizeof m_record);
    getLink().writeHeader(record->head, true);
    return record;
}

void Label::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!TextMemo::isLoaded() || !TextMemo::isValid())) mask |= MemoText;
    GableMemo::setLoaded(true); // labels have no gables
    if (isSymbolLabel()) {
        ComponentElem::loadMemo(mask & ~uint64_t(MemoGables), store);
        // The parameters may not have needed the host's memo; the text does.
        if (store == nullptr && (mask & MemoText) != 0 && getLink().hasGuid()) (void)fetchMemo(mask, store);
    } else {
        ParameterMemo::setLoaded(true);
        if (store == nullptr && getLink().hasGuid()) {
            (void)fetchMemo(mask, store);
        } else if (store == nullptr && (mask & MemoText) != 0) {
            // A new label's text starts as the default label's.
            auto record = std::make_unique<API_Element>();
            ElementMemoPtr memo = makeElementMemo();
            if (getDefaults(*record, memo.get())) store = new ElementMemoStore(memo.release());
        }
    }
    if ((mask & MemoText) == 0) return;
    if (store == nullptr) {
        // A label the host holds keeps its text there until it can be read.
        if (!getLink().hasGuid()) TextMemo::setLoaded(true);
        return;
    }
    // A memo without text content is a label without text.
    if (!TextMemo::readMemo(*store) && store->getTextContent() == nullptr) TextMemo::setLoaded(true);
}

ElementMemoPtr Label::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore text;
    const bool wroteText = TextMemo::writeMemo(text) && text.getTextContent() != nullptr;
    if (!isSymbolLabel()) {
        if (!wroteText) return nullptr;
        mask = MemoText;
        return ElementMemoPtr(text.release());
    }
    uint64_t parts = 0;
    ElementMemoPtr block = ComponentElem::buildMemo(parts);
    if (!block) return nullptr;
    freeHandle(block->gables);
    if (block->parameters != nullptr) mask = MemoParameters;
    if (wroteText) {
        API_ElementMemo& written = *text.getMemo();
        for (GSHandle API_ElementMemo::*field :
             {&API_ElementMemo::textContent, &API_ElementMemo::lineStarts, &API_ElementMemo::paragraphs}) {
            (*block).*field = written.*field;
            written.*field = nullptr;
        }
        mask |= MemoText;
    }
    return block;
}

std::unique_ptr<Element> createLabel(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Label::TypeCode) return nullptr;
    return std::make_unique<Label>(record, link);
}

} // namespace tarnwick
