// The dialog manager's open and save file dialogs. The stand-in host answers them through a
// handler it installs; without one every dialog is cancelled.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/io/Location.h"

namespace DG {

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string title;
    std::vector<std::string> typeNames;  // parallel to extensions
    std::vector<std::string> extensions; // "txt", ".txt" and "*.txt" all name the same type
    std::string defaultName;             // the name a save dialog proposes
};

struct FileDialogAnswer {
    bool cancelled = true;
    IO::Location chosen;
    int typeIndex = -1;
};

using FileDialogHandler = std::function<FileDialogAnswer(const FileDialogRequest&)>;

// Installs the handler that answers every dialog; an empty one restores "cancelled".
HOSTLIB_API void SetFileDialogHandler(FileDialogHandler handler);

// Shows the dialog. False when it was cancelled (also when the lists are not parallel or the
// handler chose no location); then *answer says cancelled. A type index outside the lists
// becomes 0, or -1 when there are no types. A save answer whose name has no extension gets the
// chosen type's one.
HOSTLIB_API bool RunFileDialog(const FileDialogRequest& request, FileDialogAnswer* answer);

// The extension without "*." or ".": "*.txt" gives "txt".
HOSTLIB_API std::string PlainExtension(const std::string& extension);

} // namespace DG
