// The record templates the preset tests and the preset fuzz targets register, without a test
// framework: "wall" (kind 1) with a required thickness, a pen, a reference to a skin, a list of
// allowed skins and a view fill; "skin" (kind 1) with a material and a reference back to a wall;
// "door" (kind 2) with a width.
#pragma once

#include <memory>
#include <string>

#include "persistence/ValueSettings.h"
#include "presets/PresetField.h"
#include "presets/PresetRecord.h"
#include "presets/PresetSetting.h"
#include "presets/PresetTemplates.h"

namespace presettest {

using namespace tarnwick;

inline std::unique_ptr<PresetRecord> makeTemplate(const char* type) {
    PresetRecord::FieldList fields;
    if (std::string(type) == "wall") {
        fields.push_back(std::make_unique<PresetFieldType<RealSetting, double>>(String("thickness"), true));
        fields.push_back(std::make_unique<PresetFieldType<Int32Setting, int32_t>>(String("pen")));
        fields.push_back(std::make_unique<PresetIDField>(String("skin")));
        fields.push_back(std::make_unique<PresetIDField>(String("allowed")));
        fields.push_back(std::make_unique<PresetFieldType<Int32Setting, int32_t>>(String("viewFillType")));
    } else if (std::string(type) == "skin") {
        fields.push_back(std::make_unique<PresetFieldType<StringSetting, String>>(String("material")));
        fields.push_back(std::make_unique<PresetIDField>(String("wall")));
    } else {
        fields.push_back(std::make_unique<PresetFieldType<RealSetting, double>>(String("width")));
    }
    return std::make_unique<PresetRecord>(String(type), std::move(fields));
}

inline void registerTemplates() {
    registerPresetTemplate(makeTemplate("wall"), String("Walls"), String("LegacyWall"), 1);
    registerPresetTemplate(makeTemplate("skin"), String("Skins"), String("LegacySkin"), 1);
    registerPresetTemplate(makeTemplate("door"), String("Doors"), String(), 2);
}

} // namespace presettest
