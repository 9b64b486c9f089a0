// The demonstration's layer combination: the states of the project's layers remembered in a
// combination kept with the project.
#pragma once

namespace demo {

// Remembers the current state of every layer in the combination "Remembered Layers" (made the
// first time, replaced after), as one undoable step, and says how many layers had changed since
// they were last remembered.
void rememberLayers();

} // namespace demo
