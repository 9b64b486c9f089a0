#include "ResidentPeak.h"

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace residentpeak {

namespace {

int64_t residentPeak() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
    return static_cast<int64_t>(usage.ru_maxrss) * 1024;
}

} // namespace

int64_t measure(const std::function<void()>& work, const std::function<void()>& warmUp) {
    int channel[2];
    if (pipe(channel) != 0) return -1;
    std::fflush(nullptr); // what the parent has buffered must not be written twice
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return -1;
    }
    if (child == 0) {
        close(channel[0]);
        if (warmUp) warmUp();
        // Free heap handed back, and the high-water mark brought down to what is resident now:
        // memory the work takes from the heap's free pages shows as well as new pages. Where the
        // mark cannot be reset it stays where the fork left it, and the peak is understated.
        malloc_trim(0);
        if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", refs);
            std::fclose(refs);
        }
        const int64_t before = residentPeak();
        work();
        const int64_t peak = residentPeak();
        const int64_t grown = before < 0 || peak < 0 ? -1 : std::max<int64_t>(peak - before, 0);
        const ssize_t written = write(channel[1], &grown, sizeof grown);
        _exit(written == sizeof grown ? 0 : 1);
    }
    close(channel[1]);
    int64_t grown = -1;
    if (read(channel[0], &grown, sizeof grown) != sizeof grown) grown = -1;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? grown : -1;
}

} // namespace residentpeak
