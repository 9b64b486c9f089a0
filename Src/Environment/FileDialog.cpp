#include "Environment/FileDialog.h"

#include "platform/dg/FileDialogs.h"
#include "platform/io/FileSystem.h"

namespace tarnwick {

namespace {

std::unique_ptr<DataFile> run(DG::FileDialogRequest::Kind kind, const String& title,
                              const std::vector<String>& typeNames, const std::vector<String>& extensions,
                              const String& defaultName, int* typeIndex) {
    if (typeIndex) *typeIndex = -1;
    if (typeNames.size() != extensions.size()) return nullptr;
    DG::FileDialogRequest request;
    request.kind = kind;
    request.title = title.bytes();
    for (const String& name : typeNames)
        request.typeNames.push_back(name.bytes());
    for (const String& extension : extensions)
        request.extensions.push_back(extension.bytes());
    request.defaultName = defaultName.bytes();
    DG::FileDialogAnswer answer;
    if (!DG::RunFileDialog(request, &answer)) return nullptr;
    if (kind == DG::FileDialogRequest::Kind::Open && IO::GetItemType(answer.chosen) != IO::ItemFile)
        return nullptr;
    if (typeIndex) *typeIndex = answer.typeIndex;
    return std::make_unique<DataFile>(answer.chosen);
}

} // namespace

std::unique_ptr<DataFile> FileDialog::open(const String& title, const std::vector<String>& typeNames,
                                           const std::vector<String>& extensions, int* typeIndex) {
    return run(DG::FileDialogRequest::Kind::Open, title, typeNames, extensions, String(), typeIndex);
}

std::unique_ptr<DataFile> FileDialog::save(const String& title, const std::vector<String>& typeNames,
                                           const std::vector<String>& extensions, const String& defaultName,
                                           int* typeIndex) {
    return run(DG::FileDialogRequest::Kind::Save, title, typeNames, extensions, defaultName, typeIndex);
}

} // namespace tarnwick
