// The presets' texts (the user calls presets styles): string list 32707.
#pragma once

#include <cstdint>

namespace tarnwick {

inline constexpr uint32_t PresetTexts = 32707;

enum PresetText : uint32_t {
    ManagerTitleText = 1,    // "Style"
    StylesFileText = 4,      // the file type of exported presets
    LegacyFileText = 5,      // the file type of legacy style files
    MigrationTitleText = 10, // the legacy import's progress
    MigrationPhaseText = 11,
    UpdateStepText = 12,    // the undoable step of the element update
    UpdateAllQuestion = 13, // asked when nothing is selected
};

} // namespace tarnwick
