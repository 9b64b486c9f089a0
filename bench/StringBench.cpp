// String::trim on texts of 1, 10 and 100 MB, a quarter of them blanks at either end, against
// trimming the same bytes with std::string's own searches. Prints the time per byte of each, their
// ratio, and the memory the trim needs above the text (the peak of resident pages in a process of
// its own) against the text's size: a trim needs none beyond its result.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "Environment/String.h"
#include "ResidentPeak.h"
#include "RunAll.h"

namespace {

constexpr int64_t MB = 1 << 20;
const char* const Blanks = " \t\r\n";

struct Measured {
    double nsPerByte = 0;
    double extraPerByte = 0;
};
std::map<std::string, Measured> g_results; // by "trim/N" and "reference/N"

// Blanks, then words with multi-byte characters, then blanks: `bytes` bytes in all.
std::string textOf(int64_t bytes) {
    const size_t size = static_cast<size_t>(bytes);
    const std::string blanks(" \t \r\n  ");
    const std::string words("Gr\xC3\xB6\xC3\x9F"
                            "e \xE2\x80\x9Cquoted\xE2\x80\x9D walling ");
    std::string text;
    text.reserve(size);
    while (text.size() < size / 4)
        text += blanks[text.size() % blanks.size()];
    while (text.size() + words.size() < size - size / 4)
        text += words;
    text += "end";
    while (text.size() < size)
        text += blanks[text.size() % blanks.size()];
    return text;
}

std::string_view viewOf(const std::string& text) {
    return text;
}
std::string_view viewOf(const tarnwick::String& text) {
    return text.view();
}

template <class Text, class Trim> void run(benchmark::State& state, Trim trim) {
    const int64_t bytes = state.range(0);
    const std::string original = textOf(bytes);
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = std::make_unique<Text>(original);
        state.ResumeTiming();
        trim(*copy);
        benchmark::DoNotOptimize(*copy);
        state.PauseTiming(); // the copy and its deletion are not the work measured
        const std::string_view kept = viewOf(*copy);
        if (kept.size() > original.size() / 2 || !kept.ends_with("end")) state.SkipWithError("trimmed wrong");
        copy.reset();
        state.ResumeTiming();
    }
    Text copy(original);
    const int64_t extra = residentpeak::measure([&copy, &trim] {
        trim(copy);
        benchmark::DoNotOptimize(copy);
    });
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["extra_bytes"] = static_cast<double>(extra);
    state.SetBytesProcessed(state.iterations() * bytes);
}

void trim(benchmark::State& state) {
    run<tarnwick::String>(state, [](tarnwick::String& text) { text.trim(); });
}

void reference(benchmark::State& state) {
    run<std::string>(state, [](std::string& text) {
        const size_t first = text.find_first_not_of(Blanks);
        if (first == std::string::npos) return text.clear();
        text.erase(text.find_last_not_of(Blanks) + 1);
        text.erase(0, first);
    });
}

} // namespace

int main(int argc, char** argv) {
    for (int64_t size : {MB, 10 * MB, 100 * MB}) {
        const int64_t rounds = size >= 100 * MB ? 5 : size >= 10 * MB ? 20 : 100;
        benchmark::RegisterBenchmark("trim", trim)
            ->Arg(size)
            ->Iterations(rounds)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("reference", reference)
            ->Arg(size)
            ->Iterations(rounds)
            ->Unit(benchmark::kMillisecond);
    }
    if (!benchrun::runAll(argc, argv, [](const benchrun::Run& run) {
            const double bytes = run.counters.at("bytes");
            Measured& m = g_results[run.run_name.function_name + "/" + run.run_name.args];
            m.nsPerByte = run.GetAdjustedRealTime() * 1e6 / bytes;
            m.extraPerByte = run.counters.at("extra_bytes") / bytes;
        }))
        return 1;
    for (int64_t size : {MB, 10 * MB, 100 * MB}) {
        const std::string n = std::to_string(size);
        auto ours = g_results.find("trim/" + n), theirs = g_results.find("reference/" + n);
        if (ours == g_results.end() || theirs == g_results.end()) continue;
        std::printf("%4lld MB: trim %.3f ns per byte, reference %.3f (ratio %.2f); memory beyond the text: "
                    "trim %.2f times its size, reference %.2f (target: none beyond the result)\n",
                    static_cast<long long>(size / MB), ours->second.nsPerByte, theirs->second.nsPerByte,
                    theirs->second.nsPerByte > 0 ? ours->second.nsPerByte / theirs->second.nsPerByte : 0.0,
                    ours->second.extraPerByte, theirs->second.extraPerByte);
    }
    return 0;
}
