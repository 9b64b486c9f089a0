// Any bytes into a representative tree. The reader must never crash; and whatever it accepts,
// written out again, must read back and write the same text. The same bytes read from a file,
// which the reader takes in chunks (the large seeds hold documents larger than one chunk),
// must give the same answer as from memory, which it takes whole.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/DataFile.h"
#include "FuzzFile.h"
#include "FuzzTree.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"

using namespace tarnwick;

namespace {

std::string write(XMLShipping& root) {
    String text;
    DataBufferOut out;
    if (!out.open(text) || !XMLWriter(out).write(root) || !out.close()) __builtin_trap();
    return text.bytes();
}

bool read(const std::string& bytes, XMLShipping& root) {
    DataBufferIn in{String(bytes)};
    return XMLReader(in).read(root);
}

// Answers whether the bytes read from a file; the text written from what was read goes to *text.
bool readFromFile(const std::string& bytes, std::string* text) {
    DataFile file{String(fuzzfile::write("fuzz_xml_reader", bytes))};
    DataBufferIn in(file);
    fuzztree::Document document;
    bool ok = XMLReader(in).read(document);
    if (ok) *text = write(document);
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzztree::Document document;
    bool fromMemory = read(bytes, document);
    std::string fromFileText;
    if (readFromFile(bytes, &fromFileText) != fromMemory) __builtin_trap();
    if (!fromMemory) return 0;
    std::string first = write(document);
    if (fromFileText != first) __builtin_trap();
    fuzztree::Document again;
    if (!read(first, again)) __builtin_trap();
    if (write(again) != first) __builtin_trap();
    return 0;
}
