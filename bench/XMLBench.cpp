// XMLReader and XMLWriter against references on the same bytes, in the same run:
// - a list of annotation-like records (ten short child elements each) of 5,000, 100,000 and
//   1,000,000 records: our read against bare expat (the tokenizer under our reader, with handlers
//   that do nothing) and pugixml's parse (not at the largest size, whose tree would need gigabytes),
//   our write against pugixml's save (at the smallest); the read's ratio must hold as the list
//   grows, and the heap one read needs at its peak is printed beside it;
// - a batch of small documents, one annotation each, read one after another as the annotation
//   collection reads its records: our reader keeps one parser and resets it, and so does expat;
// - single huge tokens (an attribute, a comment), from memory and from a file: one token of
//   100 MB against ten documents of 10 MB, which must cost about the same if reading is linear.
// Prints the rates and the ratios with their targets at the end.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/DataFile.h"
#include "HeapPeak.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLTypeProxy.h"
#include "persistence/XMLWriter.h"

using namespace tarnwick;

namespace {

constexpr int64_t RecordCounts[] = {5000, 100000, 1000000};
constexpr int64_t LargestCount = RecordCounts[std::size(RecordCounts) - 1];
constexpr int64_t WriteCount = 5000;
constexpr int BatchCount = 100000;

constexpr LiteralName FieldNames[10] = {LiteralName("section"),       LiteralName("code"),
                                        LiteralName("number"),        LiteralName("revision"),
                                        LiteralName("zavTitle"),      LiteralName("hiddenNumber"),
                                        LiteralName("originalTitle"), LiteralName("modelTitle"),
                                        LiteralName("reassigned"),    LiteralName("isAccepted")};

// Shipped as the annotation record ships: proxies made in the reader's and writer's slots, the
// by-name lookup through a table of the member names made once.
struct Record : XMLAssembly {
    String fields[10];
    Record() : XMLAssembly(String("annotation")) {}
    size_t getFieldCount() const override { return 10; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        return ProxySlot::owned(
            [&](ProxySlot& slot) { return placeFieldProxy(index, attributesOnly, slot); });
    }
    XMLShipping* placeFieldProxy(size_t index, bool attributesOnly, ProxySlot& slot) override {
        if (attributesOnly || index >= 10) return nullptr;
        return slot.make<XMLTypeProxy<String>>(&fields[index], FieldNames[index]);
    }
    XMLShipping* placeFieldProxyByName(const String& name, ProxySlot& slot) override {
        static const FieldNameTable names(FieldNames);
        const size_t index = names.find(name.view());
        return index < 10 ? placeFieldProxy(index, false, slot) : nullptr;
    }
};

struct RecordList : XMLArray {
    std::vector<Record> records;
    RecordList() : XMLArray(String("annotations")) {}
    size_t getFieldCount() const override { return records.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        return ProxySlot::owned(
            [&](ProxySlot& slot) { return placeFieldProxy(index, attributesOnly, slot); });
    }
    XMLShipping* placeFieldProxy(size_t index, bool attributesOnly, ProxySlot& slot) override {
        if (attributesOnly || index >= records.size()) return nullptr;
        return slot.make<XMLAssemblyProxy>(records[index]);
    }
    XMLShipping* placeMember(const String& name, ProxySlot& slot) override {
        if (name != "annotation") return nullptr;
        records.emplace_back();
        return slot.make<XMLAssemblyProxy>(records.back());
    }
};

// One value in an attribute, for the huge-token documents.
struct Blob : XMLAssembly {
    String data;
    Blob() : XMLAssembly(String("blob")) {}
    size_t getFieldCount() const override { return 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool) override {
        return index == 0 ? std::make_unique<XMLTypeProxy<String>>(&data, String("data"), true) : nullptr;
    }
};

void fillRecord(Record& record, int i) {
    String* f = record.fields;
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

RecordList makeList(int64_t count) {
    RecordList list;
    list.records.resize(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i)
        fillRecord(list.records[static_cast<size_t>(i)], static_cast<int>(i));
    return list;
}

String writeText(XMLShipping& root) {
    String text;
    DataBufferOut out;
    if (!out.open(text) || !XMLWriter(out).write(root, true, 1, true, false) || !out.close())
        std::fprintf(stderr, "write failed\n");
    return text;
}

// The document of count records. One size is kept at a time, and once (the largest is hundreds of
// megabytes): the benchmarks of a size run one after another.
std::map<int64_t, size_t>& documentSizes() {
    static std::map<int64_t, size_t> sizes;
    return sizes;
}

const String& documentText(int64_t count) {
    static int64_t made = -1;
    static String text;
    if (made != count) {
        text = String();
        RecordList list = makeList(count);
        text = writeText(list);
        made = count;
        documentSizes()[count] = text.getByteLength();
    }
    return text;
}

// The heap one read of each size needed at its peak, by benchmark and record count.
std::map<std::string, std::map<int64_t, int64_t>> g_readHeap;

const std::vector<String>& batchDocuments() {
    static const std::vector<String> documents = [] {
        std::vector<String> all;
        all.reserve(BatchCount);
        Record record;
        for (int i = 0; i < BatchCount; ++i) {
            fillRecord(record, i);
            all.emplace_back(writeText(record));
        }
        return all;
    }();
    return documents;
}

size_t batchBytes() {
    size_t total = 0;
    for (const String& document : batchDocuments())
        total += document.getByteLength();
    return total;
}

// Bare expat: the events our reader needs, handled by doing nothing.
void XMLCALL noStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL noEnd(void*, const XML_Char*) {}
void XMLCALL noText(void*, const XML_Char*, int) {}

// Parses with parser, made or reset by the caller.
bool expatParse(XML_Parser parser, const char* data, size_t size) {
    XML_SetElementHandler(parser, &noStart, &noEnd);
    XML_SetCharacterDataHandler(parser, &noText);
    return XML_Parse(parser, data, static_cast<int>(size), XML_TRUE) == XML_STATUS_OK;
}

bool expatParse(const char* data, size_t size) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    bool ok = parser && expatParse(parser, data, size);
    XML_ParserFree(parser);
    return ok;
}

void ReadOurs(benchmark::State& state) {
    const int64_t count = state.range(0);
    const String& text = documentText(count);
    bool first = true;
    for (auto _ : state) {
        if (first) heappeak::start();
        {
            RecordList list;
            list.records.reserve(static_cast<size_t>(count));
            DataBufferIn in(text);
            if (!XMLReader(in).read(list) || list.records.size() != static_cast<size_t>(count))
                state.SkipWithError("read failed");
            benchmark::DoNotOptimize(list.records.data());
        }
        if (first) g_readHeap["ours"][count] = heappeak::stop();
        first = false;
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.getByteLength()));
}

void ReadExpat(benchmark::State& state) {
    const int64_t count = state.range(0);
    const std::string& bytes = documentText(count).bytes();
    bool first = true;
    for (auto _ : state) {
        if (first) heappeak::start();
        if (!expatParse(bytes.data(), bytes.size())) state.SkipWithError("parse failed");
        if (first) g_readHeap["expat"][count] = heappeak::stop();
        first = false;
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void ReadPugixml(benchmark::State& state) {
    const std::string& bytes = documentText(state.range(0)).bytes();
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_buffer(bytes.data(), bytes.size())) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(doc.first_child());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void WriteOurs(benchmark::State& state) {
    RecordList list = makeList(WriteCount);
    size_t written = 0;
    for (auto _ : state) {
        String text;
        DataBufferOut out;
        if (!out.open(text) || !XMLWriter(out).write(list, true, 1, true, false) || !out.close())
            state.SkipWithError("write failed");
        written = text.getByteLength();
        benchmark::DoNotOptimize(text.c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(written));
}

struct StringSink : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

void WritePugixml(benchmark::State& state) {
    const std::string& bytes = documentText(WriteCount).bytes();
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

void BatchOurs(benchmark::State& state) {
    const std::vector<String>& documents = batchDocuments();
    for (auto _ : state) {
        Record record;
        for (const String& document : documents) {
            DataBufferIn in(document);
            if (!XMLReader(in).read(record)) state.SkipWithError("read failed");
        }
        benchmark::DoNotOptimize(record.fields[5].c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(batchBytes()));
}

// One parser for the whole batch, reset before each document, as our reader keeps its own.
void BatchExpat(benchmark::State& state) {
    const std::vector<String>& documents = batchDocuments();
    XML_Parser parser = XML_ParserCreate(nullptr);
    for (auto _ : state)
        for (const String& document : documents)
            if (!XML_ParserReset(parser, nullptr) ||
                !expatParse(parser, document.c_str(), document.getByteLength()))
                state.SkipWithError("parse failed");
    XML_ParserFree(parser);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(batchBytes()));
}

// Huge tokens. Arguments: megabytes per document, documents per iteration, 1 for a comment (else
// an attribute), 1 to read from a file (else from memory).
std::string hugeDocument(size_t megabytes, bool comment) {
    std::string filler(megabytes << 20, 'w');
    return comment ? "<blob data=\"small\"><!-- " + filler + " --></blob>"
                   : "<blob data=\"" + filler + "\"/>";
}

std::string hugeFile(size_t megabytes, bool comment) {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("xmlbench-" + std::to_string(megabytes) + (comment ? "c" : "a") + ".xml");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << hugeDocument(megabytes, comment);
    return path.string();
}

void HugeToken(benchmark::State& state) {
    size_t megabytes = static_cast<size_t>(state.range(0));
    int64_t documents = state.range(1);
    bool comment = state.range(2) != 0, fromFile = state.range(3) != 0;
    std::string bytes = fromFile ? std::string() : hugeDocument(megabytes, comment);
    std::string path = fromFile ? hugeFile(megabytes, comment) : std::string();
    String text(bytes);
    for (auto _ : state) {
        for (int64_t i = 0; i < documents; ++i) {
            Blob blob;
            bool ok = false;
            if (fromFile) {
                DataFile file{String(path)};
                DataBufferIn in(file);
                ok = XMLReader(in).read(blob);
            } else {
                DataBufferIn in(text);
                ok = XMLReader(in).read(blob);
            }
            if (!ok || blob.data.getByteLength() != (comment ? 5 : megabytes << 20))
                state.SkipWithError("read failed");
        }
    }
    if (fromFile) std::filesystem::remove(path);
    state.SetBytesProcessed(int64_t(state.iterations()) * documents * int64_t(megabytes << 20));
}

// The console output, and each run's rate and time per iteration for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions, the medians stand for the runs: a busy machine slows single runs.
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0) continue;
            bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median") continue;
            std::string name = run.run_name.str();
            if (!aggregate && medians.count(name)) continue;
            if (aggregate) medians.insert(name);
            auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) rates[name] = it->second.value;
            seconds[name] = run.real_accumulated_time / double(run.iterations);
        }
    }
    std::map<std::string, double> rates, seconds;
    std::set<std::string> medians;
};

// Answers the ratio, or 0 when either run is missing.
double printRatio(const std::map<std::string, double>& rates, const char* what, const char* ours,
                  const char* reference, const char* referenceName, double target) {
    auto a = rates.find(ours), b = rates.find(reference);
    if (a == rates.end() || b == rates.end() || b->second <= 0) return 0;
    double ratio = a->second / b->second;
    std::printf("%-6s ours %8.1f MB/s   %-8s %8.1f MB/s   ratio %.3f (target >= %.1f) %s\n", what,
                a->second / 1e6, referenceName, b->second / 1e6, ratio, target,
                ratio >= target ? "met" : "MISSED");
    return ratio;
}

void printLinearity(const std::map<std::string, double>& seconds, const char* what, const char* once,
                    const char* tenTimes) {
    auto a = seconds.find(once), b = seconds.find(tenTimes);
    if (a == seconds.end() || b == seconds.end() || b->second <= 0) return;
    double ratio = a->second / b->second;
    std::printf("%-26s 100 MB once %7.3f s   10 MB x 10 %7.3f s   ratio %.2f (target <= 2) %s\n", what,
                a->second, b->second, ratio, ratio <= 2 ? "met" : "MISSED");
}

} // namespace

// In this order: the reads size by size, so that one document at a time is kept, then the rest.
void registerAll() {
    for (int64_t count : RecordCounts) {
        benchmark::RegisterBenchmark("ReadOurs", &ReadOurs)->Arg(count)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("ReadExpat", &ReadExpat)->Arg(count)->Unit(benchmark::kMillisecond);
        if (count < LargestCount)
            benchmark::RegisterBenchmark("ReadPugixml", &ReadPugixml)
                ->Arg(count)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("WriteOurs", &WriteOurs)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WritePugixml", &WritePugixml)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BatchOurs", &BatchOurs)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BatchExpat", &BatchExpat)->Unit(benchmark::kMillisecond);
    // {megabytes, documents, comment, from a file}
    benchmark::RegisterBenchmark("HugeToken", &HugeToken)
        ->ArgsProduct({{100}, {1}, {0, 1}, {0, 1}})
        ->ArgsProduct({{10}, {10}, {0, 1}, {0, 1}})
        ->Iterations(2)
        ->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    registerAll();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nBatch: %d documents\n", BatchCount);
    double smallest = 0, largest = 0;
    for (int64_t count : RecordCounts) {
        const std::string n = "/" + std::to_string(count);
        auto size = documentSizes().find(count);
        if (size == documentSizes().end()) continue;
        std::printf("Document: %lld records, %zu bytes\n", static_cast<long long>(count), size->second);
        const double ratio = printRatio(reporter.rates, "read", ("ReadOurs" + n).c_str(),
                                        ("ReadExpat" + n).c_str(), "expat", 0.8);
        printRatio(reporter.rates, "read", ("ReadOurs" + n).c_str(), ("ReadPugixml" + n).c_str(), "pugixml",
                   0.0);
        auto ours = g_readHeap["ours"].find(count), expat = g_readHeap["expat"].find(count);
        if (ours != g_readHeap["ours"].end() && expat != g_readHeap["expat"].end())
            std::printf("heap   ours %8.1f MB (%.2f x the document)   expat %8.1f MB (%.2f x) at the peak of "
                        "a read\n",
                        double(ours->second) / 1e6, double(ours->second) / double(size->second),
                        double(expat->second) / 1e6, double(expat->second) / double(size->second));
        if (count == RecordCounts[0]) smallest = ratio;
        if (count == LargestCount) largest = ratio;
    }
    // Reading must cost what the bytes cost: the ratio to expat must not fall as the list grows.
    if (smallest > 0 && largest > 0)
        std::printf("read ratio at %lld records over the ratio at %lld: %.2f (target >= 0.9) %s\n",
                    static_cast<long long>(LargestCount), static_cast<long long>(RecordCounts[0]),
                    largest / smallest, largest / smallest >= 0.9 ? "met" : "MISSED");
    std::printf("\n");
    printRatio(reporter.rates, "write", "WriteOurs", "WritePugixml", "pugixml", 1.0);
    printRatio(reporter.rates, "batch", "BatchOurs", "BatchExpat", "expat", 0.8);
    const char* kinds[4][2] = {{"attribute, memory", "0/0"},
                               {"attribute, file", "0/1"},
                               {"comment, memory", "1/0"},
                               {"comment, file", "1/1"}};
    for (auto& kind : kinds) {
        std::string once = std::string("HugeToken/100/1/") + kind[1] + "/iterations:2";
        std::string ten = std::string("HugeToken/10/10/") + kind[1] + "/iterations:2";
        printLinearity(reporter.seconds, kind[0], once.c_str(), ten.c_str());
    }
    benchmark::Shutdown();
    return 0;
}
