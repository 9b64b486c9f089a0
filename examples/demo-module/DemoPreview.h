// A symbol previewed in a dialog: the framework's native context drawer paints drawing primitives
// into a user item each time the host asks for the item to be drawn.
#pragma once

namespace demo {

// Shows the symbol: a box in pen 4, a circle in pen 2 and, while "Show Name" is ticked, the
// project's name in pen 4. Ticking or unticking redraws the preview.
void previewSymbol();

} // namespace demo
