// Any bytes into a representative tree. The reader must never crash; and whatever it accepts,
// written out again, must read back and write the same text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "FuzzTree.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"

using namespace tarnwick;

namespace {

std::string write(XMLShipping& root) {
    String text;
    DataBufferOut out;
    out.open(text);
    if (!XMLWriter(out).write(root) || !out.close()) __builtin_trap();
    return text.bytes();
}

bool read(const std::string& bytes, XMLShipping& root) {
    DataBufferIn in{String(bytes)};
    return XMLReader(in).read(root);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzztree::Document document;
    if (!read(std::string(reinterpret_cast<const char*>(data), size), document)) return 0;
    std::string first = write(document);
    fuzztree::Document again;
    if (!read(first, again)) __builtin_trap();
    if (write(again) != first) __builtin_trap();
    return 0;
}
