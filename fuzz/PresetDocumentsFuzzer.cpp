// Any bytes as the two preset documents the add-on reads from files, each from a file of its own
// (so in chunks; the seeds hold a document larger than one): the library configuration in the
// preferences folder, all or nothing, and a preset export the user imports into the preset
// database. Every read must end cleanly; a configuration that fails stays as it was; presets
// that import keep an id and a name and go through the export and back whole.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/DataFile.h"
#include "FuzzFile.h"
#include "PresetSetup.h"
#include "persistence/UserDatabaseCollection.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "presets/PresetDatabase.h"

using namespace tarnwick;

namespace {

void readConfiguration(std::string_view bytes) {
    TarnwickLibrary library = fuzzpresets::configuration();
    const size_t before = library.getPresetList().size();
    DataFile file{String(fuzzfile::write("fuzz_preset_configuration", bytes))};
    DataBufferIn in(file);
    if (!library.read(in) && library.getPresetList().size() != before) __builtin_trap();
}

// The collection an import reads into: the database as the preset manager holds it.
UserDatabaseCollection importInto(std::shared_ptr<PresetDatabase> database) {
    UserDatabaseCollection collection;
    collection.setElementName(String(PresetDatabase::DocumentName));
    collection.addDatabase(std::move(database));
    return collection;
}

// Written as the preset manager exports.
std::string exported(UserDatabaseCollection& collection) {
    String text;
    DataBufferOut out;
    if (!out.open(text)) __builtin_trap();
    XMLWriter writer(out);
    if (!writer.write(collection, true, 1, true, true) || !out.close()) __builtin_trap();
    return text.bytes();
}

void importPresets(std::string_view bytes) {
    auto database = std::make_shared<PresetDatabase>();
    UserDatabaseCollection collection = importInto(database);
    DataFile file{String(fuzzfile::write("fuzz_preset_import", bytes))};
    DataBufferIn in(file);
    if (in.hasFailed() || !XMLReader(in).read(collection)) return;
    auto* imported = dynamic_cast<PresetDatabase*>(collection.getDatabase(PresetDatabase::Code));
    if (imported == nullptr) return;
    for (const auto& [id, record] : *imported)
        if (!id.isValid() || !record) __builtin_trap();
    const std::string text = exported(collection);
    auto again = std::make_shared<PresetDatabase>();
    UserDatabaseCollection back = importInto(again);
    DataBufferIn reread{String(text)};
    if (!XMLReader(reread).read(back)) __builtin_trap();
    auto* reimported = dynamic_cast<PresetDatabase*>(back.getDatabase(PresetDatabase::Code));
    if (reimported == nullptr || reimported->size() != imported->size() || exported(back) != text)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)fuzzpresets::configuration();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readConfiguration(bytes);
    importPresets(bytes);
    return 0;
}
