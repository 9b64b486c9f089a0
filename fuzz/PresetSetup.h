// What the preset readers need without a host: the record templates the preset tests register
// ("wall" with a required thickness, a pen, a skin, allowed skins and a view fill; "skin" with a
// material and a wall; "door" with a width) and a configuration whose presets take legacy
// parameter names.
#pragma once

#include <memory>
#include <string>

#include "Environment/DataBufferIn.h"
#include "persistence/ValueSettings.h"
#include "platform/gsroot/DebugPrint.h"
#include "presets/PresetTemplates.h"
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

inline void registerTemplates() {
    PresetRecord::FieldList wall;
    wall.push_back(std::make_unique<PresetFieldType<RealSetting, double>>(String("thickness"), true));
    wall.push_back(std::make_unique<PresetFieldType<Int32Setting, int32_t>>(String("pen")));
    wall.push_back(std::make_unique<PresetIDField>(String("skin")));
    wall.push_back(std::make_unique<PresetIDField>(String("allowed")));
    wall.push_back(std::make_unique<PresetFieldType<Int32Setting, int32_t>>(String("viewFillType")));
    registerPresetTemplate(std::make_unique<PresetRecord>(String("wall"), std::move(wall)), String("Walls"),
                           String("LegacyWall"), 1);
    PresetRecord::FieldList skin;
    skin.push_back(std::make_unique<PresetFieldType<StringSetting, String>>(String("material")));
    skin.push_back(std::make_unique<PresetIDField>(String("wall")));
    registerPresetTemplate(std::make_unique<PresetRecord>(String("skin"), std::move(skin)), String("Skins"),
                           String("LegacySkin"), 1);
    PresetRecord::FieldList door;
    door.push_back(std::make_unique<PresetFieldType<RealSetting, double>>(String("width")));
    registerPresetTemplate(std::make_unique<PresetRecord>(String("door"), std::move(door)), String("Doors"),
                           String(), 2);
}

// The templates registered and the configuration read, once.
inline const TarnwickLibrary& configuration() {
    static TarnwickLibrary library = [] {
        DBSetQuiet(true); // what cannot be read is told to the debug output
        registerTemplates();
        TarnwickLibrary made;
        DataBufferIn in{String(Configuration)};
        if (!made.read(in)) __builtin_trap();
        return made;
    }();
    return library;
}

} // namespace fuzzpresets
