// Any bytes as a legacy preset file, imported with templates registered and a configuration whose
// presets take legacy parameter names, without a host. The import must end cleanly in bounded
// time; every record it keeps has an id and a name, and the database it leaves goes through the
// project's XML and back whole.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "persistence/ValueSettings.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "presets/PresetDatabase.h"
#include "presets/PresetTemplates.h"
#include "presets/TarnwickLibrary.h"

using namespace tarnwick;

namespace {

const char* const Configuration =
    "<tarnwickLibrary><presetList>"
    "<preset type=\"wall\" menuName=\"wallMenu\"><settingList>"
    "<setting field=\"thickness\"><parameter name=\"thick\"/></setting>"
    "<setting field=\"skin\"><parameter name=\"skinMenu\"/></setting></settingList></preset>"
    "<preset type=\"skin\" menuName=\"skinMenu\"><settingList>"
    "<setting field=\"material\"><parameter name=\"material\"/><legacy "
    "name=\"oldMaterial\"><column>1</column>"
    "</legacy></setting></settingList></preset>"
    "</presetList></tarnwickLibrary>";

const TarnwickLibrary& configuration() {
    static TarnwickLibrary library = [] {
        PresetRecord::FieldList wall;
        wall.push_back(std::make_unique<PresetFieldType<RealSetting, double>>(String("thickness"), true));
        wall.push_back(std::make_unique<PresetFieldType<Int32Setting, int32_t>>(String("viewFillType")));
        wall.push_back(std::make_unique<PresetIDField>(String("skin")));
        registerPresetTemplate(std::make_unique<PresetRecord>(String("wall"), std::move(wall)),
                               String("Walls"), String("LegacyWall"), 1);
        PresetRecord::FieldList skin;
        skin.push_back(std::make_unique<PresetFieldType<StringSetting, String>>(String("material")));
        registerPresetTemplate(std::make_unique<PresetRecord>(String("skin"), std::move(skin)),
                               String("Skins"), String("LegacySkin"), 2);
        TarnwickLibrary made;
        DataBufferIn in{String(Configuration)};
        if (!made.read(in)) __builtin_trap();
        return made;
    }();
    return library;
}

bool roundTrip(PresetDatabase& database, PresetDatabase& reopened) {
    String text;
    DataBufferOut out;
    if (!out.open(text)) return false;
    XMLWriter writer(out);
    if (!writer.write(database, false, 0, false) || !out.close()) return false;
    DataBufferIn in{text};
    XMLReader reader(in);
    return reader.read(reopened);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TarnwickLibrary& library = configuration();
    PresetDatabase database;
    DataBufferIn in{String(std::string(reinterpret_cast<const char*>(data), size))};
    (void)database.importLegacyFile(in, &library);
    for (const auto& [id, record] : database)
        if (!id.isValid() || !record || record->getName().isEmpty()) __builtin_trap();
    PresetDatabase reopened;
    if (!roundTrip(database, reopened) || reopened.size() != database.size()) __builtin_trap();
    return 0;
}
