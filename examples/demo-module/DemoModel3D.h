// The demonstration's look at the 3D window: what the host's exported model of it holds.
#pragma once

#include "Environment/String.h"

namespace demo {

// The number of 3D elements, their box, the finishes of the model's materials and the camera; a
// project without a 3D model says so.
tarnwick::String describeModel3D();

} // namespace demo
