// The open and save file dialogs, answered by the host's dialog manager.
#pragma once

#include <memory>
#include <vector>

#include "Environment/DataFile.h"

namespace tarnwick {

class FileDialog {
public:
    // Asks for an existing file. Null when cancelled, when the lists are not parallel or when
    // the chosen file does not exist; *typeIndex (when given) receives the chosen type's index,
    // -1 when nothing was chosen.
    static std::unique_ptr<DataFile> open(const String& title, const std::vector<String>& typeNames,
                                          const std::vector<String>& extensions, int* typeIndex = nullptr);
    // Asks where to save, proposing defaultName. The file is not created here. Null when
    // cancelled or the lists are not parallel.
    static std::unique_ptr<DataFile> save(const String& title, const std::vector<String>& typeNames,
                                          const std::vector<String>& extensions, const String& defaultName,
                                          int* typeIndex = nullptr);
};

} // namespace tarnwick
