// Any bytes as the result file the Annotator leaves in the exchange folder, read from a file (so
// in chunks; the seeds hold a file larger than one) the way the exchange reads it, with the result
// prototypes built. The read must end cleanly, whatever it answers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "FuzzFile.h"
#include "annotation/ResultList.h"
#include "persistence/XMLReader.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zavlink::ResultList::buildIndex();
    zavlink::ResultList results;
    DataFile file{String(fuzzfile::write("fuzz_result_file", bytes))};
    DataBufferIn in(file);
    XMLReader reader(in);
    static_cast<void>(!in.hasFailed() && reader.read(results));
    return 0;
}
