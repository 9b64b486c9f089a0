// Any bytes as a legacy preset file, imported with templates registered and a configuration whose
// presets take legacy parameter names, without a host. The import must end cleanly in bounded
// time; every record it keeps has an id and a name, and the database it leaves goes through the
// project's XML and back whole. The same bytes imported from a file, which the reader takes in
// blocks (the seeds hold a file larger than one), must leave the same database.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/DataFile.h"
#include "FuzzFile.h"
#include "PresetSetup.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "presets/PresetDatabase.h"

using namespace tarnwick;

namespace {

String written(PresetDatabase& database) {
    String text;
    DataBufferOut out;
    if (!out.open(text)) __builtin_trap();
    XMLWriter writer(out);
    if (!writer.write(database, false, 0, false) || !out.close()) __builtin_trap();
    return text;
}

bool roundTrip(PresetDatabase& database, PresetDatabase& reopened) {
    DataBufferIn in{written(database)};
    XMLReader reader(in);
    return reader.read(reopened);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TarnwickLibrary& library = fuzzpresets::configuration();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PresetDatabase database;
    DataBufferIn in{String(std::string(bytes))};
    const bool imported = database.importLegacyFile(in, &library);
    for (const auto& [id, record] : database)
        if (!id.isValid() || !record || record->getName().isEmpty()) __builtin_trap();
    PresetDatabase reopened;
    if (!roundTrip(database, reopened) || reopened.size() != database.size()) __builtin_trap();

    PresetDatabase fromFile;
    DataFile file{String(fuzzfile::write("fuzz_legacy_presets", bytes))};
    DataBufferIn blocks(file);
    if (blocks.hasFailed() || fromFile.importLegacyFile(blocks, &library) != imported) __builtin_trap();
    // Records without a Guid of their own get a new one on each import.
    if (fromFile.size() != database.size()) __builtin_trap();
    return 0;
}
