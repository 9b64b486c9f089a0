// Any bytes as a delimited table. Whatever reads must write and read back as the same table, and
// the same bytes read from a file, which the reader takes in blocks (the seeds hold a table larger
// than one), must give the same answer and table as from memory.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/DataFile.h"
#include "FuzzFile.h"
#include "persistence/TextDatabase.h"

using namespace tarnwick;

namespace {

std::string write(const TextDatabase& table, char delimiter) {
    String text;
    DataBufferOut out;
    if (!out.open(text) || !table.write(out, delimiter) || !out.close()) __builtin_trap();
    return text.bytes();
}

bool sameRecord(const TextRecord* x, const TextRecord* y) {
    if (!x || !y) return x == y;
    if (x->size() != y->size()) return false;
    for (size_t k = 0; k < x->size(); ++k)
        if (!(x->getText(k) == y->getText(k))) return false;
    return true;
}

bool sameTable(const TextDatabase& a, const TextDatabase& b) {
    if (a.getRecordCount() != b.getRecordCount() || !sameRecord(a.getHeader(), b.getHeader())) return false;
    for (size_t i = 0; i < a.getRecordCount(); ++i)
        if (!sameRecord(a.getRecord(i), b.getRecord(i))) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const char delimiters[] = {',', ';', '\t', '|'};
    char delimiter = delimiters[data[0] % 4];
    bool header = (data[0] & 4) != 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    TextDatabase table;
    DataBufferIn in{String(bytes)};
    const bool read = table.read(in, delimiter, header);
    TextDatabase fromFile;
    DataFile file{String(fuzzfile::write("fuzz_text_database", bytes))};
    DataBufferIn blocks(file);
    if (blocks.hasFailed() || fromFile.read(blocks, delimiter, header) != read) __builtin_trap();
    if (!read) return 0;
    if (!sameTable(table, fromFile)) __builtin_trap();
    std::string text = write(table, delimiter);
    TextDatabase again;
    DataBufferIn back{String(text)};
    if (!again.read(back, delimiter, header)) __builtin_trap();
    if (!sameTable(table, again)) __builtin_trap();
    return 0;
}
