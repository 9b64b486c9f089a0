#include "FileDialogs.h"

#include <utility>

namespace DG {

namespace {
FileDialogHandler& handler() {
    static FileDialogHandler h;
    return h;
}
} // namespace

void SetFileDialogHandler(FileDialogHandler h) {
    handler() = std::move(h);
}

std::string PlainExtension(const std::string& extension) {
    size_t start = 0;
    if (start < extension.size() && extension[start] == '*') ++start;
    if (start < extension.size() && extension[start] == '.') ++start;
    return extension.substr(start);
}

bool RunFileDialog(const FileDialogRequest& request, FileDialogAnswer* answer) {
    FileDialogAnswer result;
    if (handler() && request.typeNames.size() == request.extensions.size()) result = handler()(request);
    if (result.cancelled || result.chosen.IsEmpty() || result.chosen.GetLastLocalName().empty()) {
        if (answer) *answer = FileDialogAnswer();
        return false;
    }
    int types = static_cast<int>(request.typeNames.size());
    if (result.typeIndex < 0 || result.typeIndex >= types) result.typeIndex = types > 0 ? 0 : -1;
    if (request.kind == FileDialogRequest::Kind::Save && result.typeIndex >= 0) {
        std::string name = result.chosen.GetLastLocalName();
        std::string extension = PlainExtension(request.extensions[static_cast<size_t>(result.typeIndex)]);
        if (name.find('.') == std::string::npos && !extension.empty() &&
            extension.find('*') == std::string::npos) {
            result.chosen.DeleteLastLocalName();
            result.chosen.AppendToLocal(name + "." + extension);
        }
    }
    if (answer) *answer = result;
    return true;
}

} // namespace DG
