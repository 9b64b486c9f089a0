// An element's 2D drawing as the stand-in host hands it to a module ("ACAPGetElementPrimitives"):
// one shape-primitive record per call of the module's callback, drawn from what the host holds of
// the element (a line's ends, a polyline's points and arcs, a hatch's polygon inside a fill
// bracket, an outline, a text, a label's leader and text, a hotspot), or a script a test or
// scenario sets for the element, which may bracket primitives, distort fills or bring bad data.
#pragma once

#include <string>
#include <vector>

#include "ElementStore.h"
#include "platform/api/HostFunctionTable.h"
#include "platform/api/PrimitiveRecords.h"

namespace zavhost {

class StandInHost;

// One data argument of a callback: none, a pointer block or a handle of the bytes, or the host's
// Unicode text of the bytes (UTF-8).
struct PrimitiveData {
    enum class Form { None, Pointer, Handle, UniText };
    Form form = Form::None;
    std::string bytes;

    static PrimitiveData pointer(std::string bytes) { return {Form::Pointer, std::move(bytes)}; }
    static PrimitiveData handle(std::string bytes) { return {Form::Handle, std::move(bytes)}; }
    static PrimitiveData uniText(std::string text) { return {Form::UniText, std::move(text)}; }
};

struct ScriptedPrimitive {
    HostShapePrimitive record;
    PrimitiveData data[3];
};
using PrimitiveScript = std::vector<ScriptedPrimitive>;

// What the host draws of the element.
PrimitiveScript drawingOf(const StoredElement& element);
// Calls the callback once per primitive with new blocks of its data, freed after each call; the
// first answer that is not 0 ends the drawing and is the answer.
GSErrCode playPrimitives(const PrimitiveScript& script, ShapePrimitiveProc callback, std::string& brief);

// Fills the table's drawing slot.
void fillDrawingFunctions(HostFunctionTable* table);

} // namespace zavhost
