// The memory a stretch of work needs as a user sees it: the peak of the process's resident pages
// while it runs, above what was resident when it began. The work runs in a child process made
// for the measure, so that nothing the benchmark did before (pages faulted in, a high-water mark
// already reached) hides what it costs, and nothing it leaves behind touches the caller.
#pragma once

#include <cstdint>
#include <functional>

namespace residentpeak {

// Runs work in a forked child and answers the most bytes it held resident above its start;
// -1 when no child could be made or it did not report. A fork leaves the child to fault in again
// the pages of code and libraries it runs: warmUp, when given, runs before the measure so that
// they count as resident already (what it leaves free on the heap is handed back first).
int64_t measure(const std::function<void()>& work, const std::function<void()>& warmUp = {});

} // namespace residentpeak
