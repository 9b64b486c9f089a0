// The demonstration's edits of elements: text blocks on the layer "Notes" get new IDs inside one
// undoable step, through the framework's edit manager; a note is placed in a box of two clicks; the
// selected element is labelled.
#pragma once

#include <cstdint>

#include "Environment/String.h"

namespace demo {

tarnwick::String text(uint32_t item);

// Lets the framework read text blocks as the demonstration's notes.
void registerNotes();
// Numbers the notes "N-1", "N-2", ... in the order the floor plan holds them. Notes that cannot be
// made editable are skipped and counted; allOrNothing makes the first of them fail the whole step.
void renumberNotes(bool allOrNothing);
// Asks for two corners (the second with the box drawn as a rubber band) and places a note in that
// box at the view's scale, with a small XML block as its user data, as one undoable step.
void placeNote();
// Asks for a point and labels the one selected element there with its ID text, on its storey and
// linked from it, with a small XML block as the label's user data, as one undoable step.
void labelSelection();

} // namespace demo
