// The stand-in Annotator answering one retrieveClause that sends every clause of a specification
// of 1,000, 10,000 and 100,000 clauses, run in process as the program runs it, against a
// reference that does the same file work bare: reads the specification and the command file and
// tokenizes both with expat (handlers that do nothing), and writes a file the size of the
// answer. An Update of a large project sends every annotation it holds, so the Annotator's cost
// must follow the clauses: 100k about ten times 10k (target: at most 12), 10k under 0.5 s, and
// its ratio to the reference about the same at every size. Prints them at the end.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "RunAll.h"
#include "platform/annotator/Annotator.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int64_t ClausesPerSection = 100;

// Seconds of each measure (name) at each size.
std::map<std::string, std::map<int64_t, double>> g_seconds;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void writeAll(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string numberOf(int64_t clause) {
    return "S" + std::to_string(clause / ClausesPerSection) + "/" +
           std::to_string(clause % ClausesPerSection);
}

// A folder of one exchange: the specification, the answer file and the command file sending
// every clause, as the product writes it.
struct Exchange {
    explicit Exchange(int64_t clauses) {
        dir = fs::temp_directory_path() /
              ("zav-annotator-bench-" + std::to_string(::getpid()) + "-" + std::to_string(clauses));
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::string spec = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<specification title=\"Bench\">\n";
        std::string sent;
        for (int64_t i = 0; i < clauses; ++i) {
            if (i % ClausesPerSection == 0) {
                if (i != 0) spec += " </section>\n";
                const std::string section = std::to_string(i / ClausesPerSection);
                spec += " <section title=\"S" + section + " Section\" code=\"S" + section + "\">\n";
            }
            const std::string number = numberOf(i), hidden = "h" + std::to_string(i);
            spec += "  <clause number=\"" + number + "\" hiddenNumber=\"" + hidden +
                    "\" revision=\"A\" zavTitle=\"Clause " + number + "\"/>\n";
            sent += "   <annotation><section>S</section><code>C</code><number>" + number +
                    "</number><revision>A</revision><zavTitle>Clause " + number +
                    "</zavTitle><hiddenNumber>" + hidden + "</hiddenNumber><originalDisplayTitle>" + number +
                    "</originalDisplayTitle><modelDisplayTitle>" + number +
                    "</modelDisplayTitle><hasBeenReassigned>false</hasBeenReassigned></annotation>\n";
        }
        spec += " </section>\n</specification>\n";
        writeAll(specPath(), spec);
        writeAll(dir / "ZAVAnswers.txt", "");
        writeAll(commandPath(),
                 "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
                 "<zavCommand parent=\"ZAVHost\" version=\"22\">\n"
                 " <retrieveClause commandID=\"1\">\n  <zavPath>" +
                     specPath().string() +
                     "</zavPath>\n  <modelPath>/p/Bench.zavproj</modelPath>\n  <annotations>\n" + sent +
                     "  </annotations>\n </retrieveClause>\n</zavCommand>\n");
    }
    ~Exchange() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    fs::path specPath() const { return dir / "spec.xml"; }
    fs::path commandPath() const { return dir / "ZAVCommand.xml"; }
    fs::path resultPath() const { return dir / zavannotator::ResultFileName; }

    // One run of the Annotator; the files each run adds to are taken away first, untimed.
    int run() const {
        fs::remove(dir / zavannotator::AskedFileName);
        fs::remove(dir / zavannotator::AnsweredFileName);
        fs::remove(resultPath());
        std::ostringstream diagnostics;
        const zavannotator::RunOptions options{commandPath().string(), (dir / "ZAVAnswers.txt").string(),
                                               (dir / zavannotator::AskedFileName).string()};
        return zavannotator::runAnnotator(options, &zavannotator::writeWholeFile, diagnostics);
    }

    fs::path dir;
};

size_t occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

void XMLCALL noStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL noEnd(void*, const XML_Char*) {}
void XMLCALL noText(void*, const XML_Char*, int) {}

bool expatParse(const std::string& bytes) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetElementHandler(parser, &noStart, &noEnd);
    XML_SetCharacterDataHandler(parser, &noText);
    const bool ok =
        XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

void annotator(benchmark::State& state) {
    const int64_t clauses = state.range(0);
    const Exchange exchange(clauses);
    for (auto _ : state) {
        const auto start = Clock::now();
        const int exit = exchange.run();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        const std::string result = readAll(exchange.resultPath());
        if (exit != zavannotator::ExitAnswered ||
            occurrences(result, "<annotation>") != static_cast<size_t>(clauses) ||
            result.find("error=\"noError\"") == std::string::npos)
            state.SkipWithError("the Annotator did not answer every clause");
    }
}

void reference(benchmark::State& state) {
    const int64_t clauses = state.range(0);
    const Exchange exchange(clauses);
    if (exchange.run() != zavannotator::ExitAnswered) state.SkipWithError("the Annotator did not answer");
    const std::string answer = readAll(exchange.resultPath());
    const fs::path written = exchange.dir / "reference.xml";
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool parsed =
            expatParse(readAll(exchange.specPath())) && expatParse(readAll(exchange.commandPath()));
        writeAll(written, answer);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!parsed) state.SkipWithError("the reference did not read the files");
    }
}

} // namespace

BENCHMARK(annotator)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(annotator)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(reference)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(reference)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    if (!benchrun::runAll(argc, argv, [](const benchrun::Run& run) {
            g_seconds[run.run_name.function_name][std::stoll(run.run_name.args)] =
                run.real_accumulated_time / double(run.iterations);
        }))
        return 1;
    std::map<int64_t, double>& ours = g_seconds["annotator"];
    std::map<int64_t, double>& bare = g_seconds["reference"];
    for (const auto& [clauses, seconds] : ours) {
        std::printf("retrieve all, %6lld clauses: %9.3f ms, %6.2f us a clause",
                    static_cast<long long>(clauses), seconds * 1e3, seconds * 1e6 / double(clauses));
        if (bare.count(clauses)) std::printf(", against the reference %6.2f", seconds / bare[clauses]);
        std::printf("\n");
    }
    if (ours.count(10000)) std::printf("10,000 clauses in %.3f s (target: under 0.5 s)\n", ours[10000]);
    if (ours.count(10000) && ours.count(100000))
        std::printf("100k against 10k: ratio %.2f (target: at most 12)\n", ours[100000] / ours[10000]);
    if (ours.count(1000) && ours.count(100000) && bare.count(1000) && bare.count(100000))
        std::printf("against the reference, 100k over 1k: %.2f (target: at most 1.5)\n",
                    (ours[100000] / bare[100000]) / (ours[1000] / bare[1000]));
    return 0;
}
