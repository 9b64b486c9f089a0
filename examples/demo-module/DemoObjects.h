// The demonstration's placed library parts: one placed by its part's name at a click, the object
// defaults edited in the host's object settings, a command that turns, mirrors and widens the
// selected objects, and one that makes a new part from an existing part's source.
#pragma once

#include <memory>

#include "Environment/Subscriber.h"

namespace demo {

// Asks for a part's name (none: the default object) and a point, and places the object there as
// one undoable step.
void placeObject();
// The host's object settings on the default object; accepted, the result becomes the default.
void editObjectDefaults();
// "EOBJ": the selected objects take the real parameters "angle" (degrees) and "a", and with the
// int parameter "mirror" 1 are mirrored, as one undoable step. "MPRT": a new part named by the text
// parameter "name", made from the source of the part that "from" names, its scripts and
// parameters with it.
std::unique_ptr<tarnwick::Subscriber> makeObjectCommands();

} // namespace demo
