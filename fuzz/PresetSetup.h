// What the preset readers need without a host: the record templates the preset tests register
// and a configuration whose presets take legacy parameter names.
#pragma once

#include "../tests/presets/PresetTemplateSamples.h"
#include "Environment/DataBufferIn.h"
#include "platform/gsroot/DebugPrint.h"
#include "presets/TarnwickLibrary.h"

namespace fuzzpresets {

using namespace tarnwick;

inline const char* const Configuration =
    "<tarnwickLibrary><presetList>"
    "<preset type=\"wall\" menuName=\"wallMenu\"><settingList>"
    "<setting field=\"thickness\"><parameter name=\"thick\"/></setting>"
    "<setting field=\"skin\"><parameter name=\"skinMenu\"/></setting></settingList></preset>"
    "<preset type=\"skin\" menuName=\"skinMenu\"><settingList>"
    "<setting field=\"material\"><parameter name=\"material\"/><legacy "
    "name=\"oldMaterial\"><column>1</column>"
    "</legacy></setting></settingList></preset>"
    "</presetList></tarnwickLibrary>";

// The templates registered and the configuration read, once.
inline const TarnwickLibrary& configuration() {
    static TarnwickLibrary library = [] {
        DBSetQuiet(true); // what cannot be read is told to the debug output
        presettest::registerTemplates();
        TarnwickLibrary made;
        DataBufferIn in{String(Configuration)};
        if (!made.read(in)) __builtin_trap();
        return made;
    }();
    return library;
}

} // namespace fuzzpresets
