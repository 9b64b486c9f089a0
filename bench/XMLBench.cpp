// XMLReader and XMLWriter against pugixml on the same bytes: a list of annotation-like records,
// ten short child elements each. Prints each one's MB/s and the ratio ours / reference.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLTypeProxy.h"
#include "persistence/XMLWriter.h"

using namespace tarnwick;

namespace {

constexpr int RecordCount = 5000;

const char* const FieldNames[10] = {"section",    "code",         "number",        "revision",
                                    "zavTitle",   "hiddenNumber", "originalTitle", "modelTitle",
                                    "reassigned", "isAccepted"};

struct Record : XMLAssembly {
    String fields[10];
    Record() : XMLAssembly(String("annotation")) {}
    size_t getFieldCount() const override { return 10; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly || index >= 10) return nullptr;
        return std::make_unique<XMLTypeProxy<String>>(&fields[index], String(FieldNames[index]));
    }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        for (size_t i = 0; i < 10; ++i)
            if (name == FieldNames[i]) return makeFieldProxy(i, false);
        return nullptr;
    }
};

struct RecordList : XMLArray {
    std::vector<Record> records;
    RecordList() : XMLArray(String("annotations")) {}
    size_t getFieldCount() const override { return records.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly || index >= records.size()) return nullptr;
        return std::make_unique<XMLAssemblyProxy>(records[index]);
    }
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        if (name != "annotation") return nullptr;
        records.emplace_back();
        return std::make_unique<XMLAssemblyProxy>(records.back());
    }
};

RecordList makeList() {
    RecordList list;
    list.records.resize(RecordCount);
    for (int i = 0; i < RecordCount; ++i) {
        String* f = list.records[static_cast<size_t>(i)].fields;
        f[0] = String("F");
        f[1] = String("F10");
        f[2] = String(std::to_string(100 + i % 900));
        f[3] = String("B");
        f[4] = String("Brick & block walling");
        f[5] = String(std::to_string(i));
        f[6] = String("Walls <external>");
        f[7] = String("Walls");
        f[8] = String("false");
        f[9] = String(i % 3 ? "true" : "false");
    }
    return list;
}

const std::string& documentBytes() {
    static const std::string bytes = [] {
        RecordList list = makeList();
        String text;
        DataBufferOut out;
        out.open(text);
        XMLWriter(out).write(list, true, 1, true, false);
        out.close();
        return text.bytes();
    }();
    return bytes;
}

void OursRead(benchmark::State& state) {
    const std::string& bytes = documentBytes();
    String text(bytes);
    for (auto _ : state) {
        RecordList list;
        list.records.reserve(RecordCount);
        DataBufferIn in(text);
        if (!XMLReader(in).read(list) || list.records.size() != RecordCount)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(list.records.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void ReferenceRead(benchmark::State& state) {
    const std::string& bytes = documentBytes();
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_buffer(bytes.data(), bytes.size())) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(doc.first_child());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void OursWrite(benchmark::State& state) {
    RecordList list = makeList();
    size_t written = 0;
    for (auto _ : state) {
        String text;
        DataBufferOut out;
        out.open(text);
        XMLWriter(out).write(list, true, 1, true, false);
        out.close();
        written = text.getByteLength();
        benchmark::DoNotOptimize(text.c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(written));
}

struct StringSink : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

void ReferenceWrite(benchmark::State& state) {
    const std::string& bytes = documentBytes();
    pugi::xml_document doc;
    doc.load_buffer(bytes.data(), bytes.size());
    size_t written = 0;
    for (auto _ : state) {
        StringSink sink;
        doc.save(sink, "\t", pugi::format_default, pugi::encoding_utf8);
        written = sink.text.size();
        benchmark::DoNotOptimize(sink.text.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(written));
}

// The console output, and each run's bytes per second for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end() && !run.error_occurred)
                rates[run.benchmark_name()] = it->second.value;
        }
    }
    std::map<std::string, double> rates;
};

void printRatio(const std::map<std::string, double>& rates, const char* what, const char* ours,
                const char* reference) {
    auto a = rates.find(ours), b = rates.find(reference);
    if (a == rates.end() || b == rates.end() || b->second <= 0) return;
    std::printf("%-7s ours %8.1f MB/s   pugixml %8.1f MB/s   ratio %.3f\n", what, a->second / 1e6,
                b->second / 1e6, a->second / b->second);
}

} // namespace

BENCHMARK(OursRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceRead)->Unit(benchmark::kMillisecond);
BENCHMARK(OursWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceWrite)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nDocument: %d records, %zu bytes\n", RecordCount, documentBytes().size());
    printRatio(reporter.rates, "read", "OursRead", "ReferenceRead");
    printRatio(reporter.rates, "write", "OursWrite", "ReferenceWrite");
    benchmark::Shutdown();
    return 0;
}
