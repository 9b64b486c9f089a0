// The heap a stretch of code needs at its peak: every malloc of the process (the C++ heap, the
// host libraries' handles, the stand-in host) is counted while a measure is open. Only a program
// that links HeapPeak.cpp counts; counting costs nothing while no measure is open.
#pragma once

#include <cstdint>

namespace heappeak {

// Opens a measure: from now on the peak is taken against the bytes live now.
void start();
// Closes the measure; answers the most bytes that were live at once above where it started.
int64_t stop();
// While a measure is open: the bytes live now above where it started, which is what the work so
// far keeps.
int64_t kept();

} // namespace heappeak
