// The demonstration's look at the project's library: its folders and parts, and a command that
// finds the part its parameters name.
#pragma once

#include <memory>

#include "Environment/String.h"
#include "Environment/Subscriber.h"

namespace demo {

// The number of parts, the folders by name and the selected one.
tarnwick::String describeLibrary();
// Listens to the commands "FPRT", which finds the part its text parameter "name" names and says
// where, and "RPRT", which registers the part file its text parameter "file" names (int "type",
// an object by default).
std::unique_ptr<tarnwick::Subscriber> makePartFinder();

} // namespace demo
