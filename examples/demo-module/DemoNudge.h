// The demonstration's move of the selection: each selected element moves by (1, 1) through its own
// class, memo parts and all, as one undoable step.
#pragma once

namespace demo {

// Moves and saves every selected element; says how many moved and how many could not (their
// class cannot move them, or the host refuses the change).
void nudgeSelection();

} // namespace demo
