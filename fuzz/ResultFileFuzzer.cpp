// Any bytes as the result file the Annotator leaves in the exchange folder, read from a file (so
// in chunks) the way the exchange reads it, with the result prototypes built. The read must end
// cleanly, whatever it answers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "annotation/ResultList.h"
#include "persistence/XMLReader.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz_result_file-" + std::to_string(::getpid()) + ".xml";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) __builtin_trap();
    if (size != 0 && std::fwrite(data, 1, size, out) != size) __builtin_trap();
    std::fclose(out);
    zavlink::ResultList::buildIndex();
    zavlink::ResultList results;
    DataFile file{String(path)};
    DataBufferIn in(file);
    XMLReader reader(in);
    static_cast<void>(!in.hasFailed() && reader.read(results));
    return 0;
}
