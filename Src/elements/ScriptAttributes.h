// The attribute statements a primitive's script needs (pens, line types, fills, materials), as
// the primitive kinds see them. What keeps track of the attributes written so far, and maps them
// to library-part parameters, stands in a layer above the elements; the kinds reach it only
// through this interface, which grows with the script writer.
#pragma once

namespace tarnwick {

class ScriptAttributes {
public:
    virtual ~ScriptAttributes() = default;

protected:
    ScriptAttributes() = default;
    ScriptAttributes(const ScriptAttributes&) = default;
    ScriptAttributes& operator=(const ScriptAttributes&) = default;
};

} // namespace tarnwick
