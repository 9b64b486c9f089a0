// The dialog part of the resource compiler: dialogs in their text form (resources/README.md) to
// DLGR blobs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ResourceCompiler.h"

namespace rescomp {

struct DialogItem {
    uint8_t type = 0; // the dialog manager's item kind, 1 button .. 11 user item
    int16_t left = 0;
    int16_t top = 0;
    int16_t width = 0;
    int16_t height = 0;
    std::string text;
    int32_t value = 0; // 1 for a check box given as checked
    int line = 0;
};

// A `help N "TEXT"` line: item N's tool tip.
struct DialogHelp {
    int16_t item = 0;
    std::string text;
    int line = 0;
};

// A `columns N W ["HEADER"] ...` line (widths and header texts of a list box's columns) or an
// `entries N "TEXT" ...` line (a pop-up's entries, width 0).
struct DialogContents {
    int16_t item = 0;
    bool columns = false;
    std::vector<std::pair<int16_t, std::string>> entries; // (width, text)
    int line = 0;
};

struct Dialog {
    int32_t id = 0;
    bool palette = false;
    bool growable = false;
    std::string title;
    int16_t width = 0; // 0 until `size` is given
    int16_t height = 0;
    std::vector<DialogItem> items;        // items[0] is item 1
    std::vector<DialogHelp> help;         // in the order given
    std::vector<DialogContents> contents; // in the order given
    std::string file;
    int line = 0;
};

constexpr int32_t maxDialogId = 32767;
constexpr size_t maxDialogItemCount = 1000;

// True when the file's first line that is not blank or a comment starts a dialog.
bool isDialogSource(std::string_view source);
// Parses one file of dialogs, appending what it finds; false when it added errors.
bool parseDialogs(std::string_view source, const std::string& fileName, std::vector<Dialog>& dialogs,
                  std::vector<Diagnostic>& errors);
// Adds an error for every dialog id given more than once; false when there was one.
bool checkUniqueDialogIds(const std::vector<Dialog>& dialogs, std::vector<Diagnostic>& errors);
// The dialog as a DLGR blob: version 1 without help texts and contents, 2 with help texts alone,
// so that such dialogs keep their bytes.
std::vector<unsigned char> encodeDialog(const Dialog& dialog);

} // namespace rescomp
