#include "construction/AttributeContext.h"

#include "Environment/DataBufferOut.h"
#include "elements/ScriptText.h"
#include "library/AttributeParameters.h"

namespace tarnwick {

namespace {
const char* keywordOf(uint8_t kind) {
    switch (kind) {
    case AttrPen:
        return "pen ";
    case AttrFill:
        return "fill ";
    case AttrSurface:
        return "material ";
    case AttrLineType:
        return "line_type ";
    default:
        return "";
    }
}
} // namespace

AttributeContext::AttributeContext(ParameterList* source) {
    reset(source);
}

void AttributeContext::reset(ParameterList* source) {
    m_source = source;
    m_lineType.mode = 0;
    m_material.mode = 0;
    for (Names& pen : m_pens)
        pen.mode = 0;
    m_currentFill = NothingWritten;
    m_currentLineType = m_currentFill;
    m_currentMaterial = m_currentFill;
    m_lastPen = 0;
    m_currentPens.fill(0);
    m_lastPenSlot = -1;
    // A definition belongs to the section that wrote it; the next section must define its own.
    m_linearGradient.clear();
    m_radialGradient.clear();
}

template <class Context> auto* AttributeContext::namesIn(Context& context, uint8_t kind, int32_t penSlot) {
    using Found = decltype(&context.m_lineType);
    switch (kind) {
    case AttrPen:
        return isPenSlot(penSlot) ? &context.m_pens[size_t(penSlot)] : Found();
    case AttrLineType:
        return &context.m_lineType;
    case AttrFill:
        return &context.m_fill;
    case AttrSurface:
        return &context.m_material;
    default:
        return Found();
    }
}

const AttributeContext::Names* AttributeContext::namesOf(uint8_t kind, int32_t penSlot) const {
    return namesIn(*this, kind, penSlot);
}

AttributeContext::Names* AttributeContext::namesOf(uint8_t kind, int32_t penSlot) {
    return namesIn(*this, kind, penSlot);
}

void AttributeContext::setNames(uint8_t kind, const String& name, const String& description, int32_t mode,
                                int32_t penSlot) {
    if (Names* names = namesOf(kind, penSlot)) *names = Names{name, description, mode};
}

int32_t AttributeContext::getMode(uint8_t kind, int32_t penSlot) const {
    const Names* names = namesOf(kind, penSlot);
    return names != nullptr ? names->mode : 0;
}

uint32_t AttributeContext::getCurrent(uint8_t kind) const {
    switch (kind) {
    case AttrPen:
        return m_lastPen;
    case AttrLineType:
        return m_currentLineType;
    case AttrFill:
        return m_currentFill;
    case AttrSurface:
        return m_currentMaterial;
    default:
        return 0;
    }
}

bool AttributeContext::hasCurrent(uint8_t kind, int32_t penSlot) const {
    if (kind == AttrPen) return isPenSlot(penSlot) && m_currentPens[size_t(penSlot)] != 0;
    return getCurrent(kind) != 0;
}

void AttributeContext::setCurrent(uint8_t kind, uint32_t index, int32_t penSlot) {
    switch (kind) {
    case AttrPen:
        setCurrentPen(penSlot, index);
        break;
    case AttrLineType:
        m_currentLineType = index;
        break;
    case AttrFill:
        m_currentFill = index;
        break;
    case AttrSurface:
        m_currentMaterial = index;
        break;
    default:
        break;
    }
}

void AttributeContext::setCurrentPen(int32_t penSlot, uint32_t index) {
    if (!isPenSlot(penSlot)) return;
    m_currentPens[size_t(penSlot)] = index;
    m_lastPen = index;
    m_lastPenSlot = penSlot;
}

bool AttributeContext::isChanged(const Attribute& attribute, int32_t penSlot) const {
    const uint8_t kind = attribute.getTypeCode();
    const Names* names = namesOf(kind, penSlot);
    if (names == nullptr || names->mode == NeverWritten) return false;
    if (kind == AttrPen && names->mode != NeverMapped && penSlot != m_lastPenSlot) return true;
    return uint16_t(attribute.getIndex()) != uint16_t(getCurrent(kind));
}

Parameter* AttributeContext::lookup(const Attribute& attribute, uint64_t& position, bool onlyIfChanged,
                                    int32_t penSlot) {
    position = 0;
    const uint8_t kind = attribute.getTypeCode();
    const Names* names = namesOf(kind, penSlot);
    if (names == nullptr) return nullptr;
    const uint32_t index = attribute.getIndex();
    Parameter* found = nullptr;
    if (!onlyIfChanged || isChanged(attribute, penSlot) || !hasCurrent(kind, penSlot)) {
        const auto& [name, description, mode] = *names;
        switch (kind) {
        case AttrPen:
            found = PenParameter::lookup(attribute, m_source, name, description, mode, position);
            break;
        case AttrLineType:
            found = LineStyleParameter::lookup(attribute, m_source, name, description, mode, position);
            break;
        case AttrFill:
            found = FillParameter::lookup(attribute, m_source, name, description, mode, position);
            break;
        default:
            found = FinishParameter::lookup(attribute, m_source, name, description, mode, position);
            break;
        }
    }
    setCurrent(kind, index, penSlot);
    return found;
}

bool AttributeContext::writeAttributeStatement(const Attribute& attribute, DataBufferOut& out,
                                               uint16_t indent, int32_t penSlot, bool onlyIfChanged,
                                               bool withKeyword) {
    const uint8_t kind = attribute.getTypeCode();
    const Names* names = namesOf(kind, penSlot);
    if (names == nullptr || names->mode == NeverWritten) return false;
    if (onlyIfChanged && !isChanged(attribute, penSlot)) return false;
    // Index 0 names no attribute, and a parameter cell holding 0 is an empty one.
    const uint32_t fullIndex = attribute.getIndex();
    const int16_t index = attribute.getIndex16();
    if (index < 1) return false;
    String value;
    if (names->mode != NeverMapped && m_source != nullptr) {
        uint64_t position = 0;
        if (const Parameter* parameter = lookup(attribute, position, onlyIfChanged, penSlot)) {
            value = parameter->getName();
            if (parameter->isArray())
                value += String("[") + String(static_cast<unsigned long long>(position + 1)) + "]";
        }
    }
    if (value.isEmpty()) {
        const String name = kind == AttrSurface ? attribute.getName() : String();
        value = name.isEmpty() ? String(static_cast<int>(index)) : ScriptText::quoted(name);
    }
    setCurrent(kind, fullIndex, penSlot);
    for (uint16_t i = 0; i < indent; ++i)
        out << "\t";
    if (withKeyword) out << keywordOf(kind);
    out << value;
    if (withKeyword) out << "\n";
    return true;
}

bool AttributeContext::isGradientDefined(bool linear) const {
    return !getGradientName(linear).isEmpty();
}

void AttributeContext::setGradientDefined(bool linear, const String& name) {
    (linear ? m_linearGradient : m_radialGradient) = name;
}

} // namespace tarnwick
