// The attribute statements a primitive's script needs (pens, line types, fills, materials), as
// the primitive kinds see them. What keeps track of the attributes written so far, and maps them
// to library-part parameters, stands in a layer above the elements; the kinds reach it only
// through this interface.
#pragma once

#include <cstdint>

namespace tarnwick {

class Attribute;
class DataBufferOut;
class String;

class ScriptAttributes {
public:
    // Which pens a pen statement sets: outlines (and face materials), body edges, fill pens (and
    // the lines inside a fill), fill backgrounds.
    enum PenSlot : int32_t { OutlinePens = 0, EdgePens = 1, FillPens = 2, BackgroundPens = 3 };
    // The current fill while a gradient is set: no fill attribute has these indices.
    static constexpr uint32_t RadialGradientFill = 32766;
    static constexpr uint32_t LinearGradientFill = 32767;

    virtual ~ScriptAttributes() = default;

    // The indent's tabs, with the keyword ("pen ", "fill ", "material ", "line_type ") the value
    // and a line feed. The value is a parameter's name (with its row in brackets for an array),
    // else the quoted name of a material, else the index. Nothing for a kind never written, an
    // unchanged attribute when only changes are asked for, or an index below 1; true when written.
    virtual bool writeAttributeStatement(const Attribute& attribute, DataBufferOut& out, uint16_t indent,
                                         int32_t penSlot, bool onlyIfChanged, bool withKeyword) = 0;
    // The kind's current index (pens: the last one written in any slot); 0 for other kinds.
    virtual uint32_t getCurrent(uint8_t kind) const = 0;
    virtual void setCurrent(uint8_t kind, uint32_t index, int32_t penSlot) = 0;
    // Whether the script has defined the gradient fill of that sense yet.
    virtual bool isGradientDefined(bool linear) const = 0;
    virtual void setGradientDefined(bool linear, const String& name) = 0;

protected:
    ScriptAttributes() = default;
    ScriptAttributes(const ScriptAttributes&) = default;
    ScriptAttributes& operator=(const ScriptAttributes&) = default;
};

} // namespace tarnwick
