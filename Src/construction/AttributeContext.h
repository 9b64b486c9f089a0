// What one script section has in force while its primitives are written: the current pen of each
// pen slot, line type, fill and material, so that a statement is written only where it changes,
// and the library-part parameters that name them, so that the script follows the part's
// parameters instead of fixed indices.
//
// Modes, per kind and pen slot: NeverWritten leaves the kind out of the script; NeverMapped
// writes plain indices; any other value is the parameter lookup's mode.
#pragma once

#include <array>
#include <cstdint>

#include "Environment/String.h"
#include "elements/ScriptAttributes.h"

namespace tarnwick {

class Parameter;
class ParameterList;

class AttributeContext : public ScriptAttributes {
public:
    static constexpr int32_t NeverWritten = -4;
    static constexpr int32_t NeverMapped = -3;
    static constexpr size_t PenSlots = 4;
    // No attribute has this index, so the first statement of a kind is always written.
    static constexpr uint32_t NothingWritten = 65532;

    // The source may be null: then indices are written.
    explicit AttributeContext(ParameterList* source = nullptr);

    // For the next section: the source, modes 0 (not the fill's), nothing current, no gradient
    // defined. The names stay.
    void reset(ParameterList* source);
    ParameterList* getSource() const { return m_source; }

    // The parameter name, description and lookup mode of a kind (pens: of the slot; other slots
    // and kinds: nothing).
    void setNames(uint8_t kind, const String& name, const String& description, int32_t mode,
                  int32_t penSlot = OutlinePens);
    // 0 for other kinds and slots.
    int32_t getMode(uint8_t kind, int32_t penSlot = OutlinePens) const;
    uint32_t getCurrent(uint8_t kind) const override;
    // The kind's (pens: the slot's) current index is not 0.
    bool hasCurrent(uint8_t kind, int32_t penSlot = OutlinePens) const;
    // A pen becomes the slot's and the last pen written.
    void setCurrent(uint8_t kind, uint32_t index, int32_t penSlot) override;
    void setCurrentPen(int32_t penSlot, uint32_t index);
    // False for a kind never written; a pen in another slot than the last pen's is a change
    // (unless never mapped); else the 16-bit index differs from the current one.
    bool isChanged(const Attribute& attribute, int32_t penSlot) const;
    // The parameter naming the attribute, with its row in position; null when none. The index
    // becomes current either way; an unchanged attribute is not looked for when only changes
    // count.
    Parameter* lookup(const Attribute& attribute, uint64_t& position, bool onlyIfChanged, int32_t penSlot);

    bool writeAttributeStatement(const Attribute& attribute, DataBufferOut& out, uint16_t indent,
                                 int32_t penSlot, bool onlyIfChanged, bool withKeyword) override;
    bool isGradientDefined(bool linear) const override;
    void setGradientDefined(bool linear, const String& name) override;
    const String& getGradientName(bool linear) const { return linear ? m_linearGradient : m_radialGradient; }

private:
    struct Names {
        String name;
        String description;
        int32_t mode = 0;
    };
    // Null for other kinds and pen slots.
    const Names* namesOf(uint8_t kind, int32_t penSlot) const;
    Names* namesOf(uint8_t kind, int32_t penSlot);
    // The names of the kind (and pen slot) in the context, as const as the context; null for none.
    template <class Context> static auto* namesIn(Context& context, uint8_t kind, int32_t penSlot);
    static bool isPenSlot(int32_t penSlot) { return penSlot >= 0 && size_t(penSlot) < PenSlots; }

    ParameterList* m_source = nullptr;
    Names m_lineType;
    Names m_material;
    Names m_fill;
    String m_linearGradient;
    String m_radialGradient;
    std::array<Names, PenSlots> m_pens;
    uint32_t m_currentLineType = NothingWritten;
    uint32_t m_currentMaterial = NothingWritten;
    uint32_t m_currentFill = NothingWritten;
    uint32_t m_lastPen = 0;
    std::array<uint32_t, PenSlots> m_currentPens{};
    int32_t m_lastPenSlot = -1;
};

} // namespace tarnwick
