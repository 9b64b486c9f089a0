// The resource compiler: reads the module's string lists in their text form and writes the C++
// source of the module's resource table: STRS blobs, with the dialogs and images of DialogCompiler.h
// and ImageCompiler.h, in a ResourceModule.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace rescomp {

struct Diagnostic {
    std::string file;
    int line = 0; // 1-based; 0 when the message is about the whole file
    std::string message;
    std::string text() const; // "file:line: error: message"
};

struct StringList {
    int32_t id = 0;
    std::vector<std::string> items; // items[0] is item 1; items not given are empty
    std::string file;
    int line = 0; // where the list begins
};

constexpr int32_t maxItemIndex = 9999;

// Parses one file of string lists, appending what it finds. Answers false when it added errors;
// lists with errors are still appended so that later checks can run.
bool parseStringLists(std::string_view source, const std::string& fileName, std::vector<StringList>& lists,
                      std::vector<Diagnostic>& errors);
// Adds an error for every list id given more than once; false when there was one.
bool checkUniqueIds(const std::vector<StringList>& lists, std::vector<Diagnostic>& errors);

// The list as a STRS blob: a 32-bit little-endian byte count, then each item followed by a NUL.
std::vector<unsigned char> encodeStringList(const StringList& list);
// The C++ source defining zavModuleResources() over the lists (and the dialogs, DialogCompiler.h,
// and the images, ImageCompiler.h, with their bytes loaded).
std::string generateModuleSource(const std::vector<StringList>& lists);
struct Dialog;
std::string generateModuleSource(const std::vector<StringList>& lists, const std::vector<Dialog>& dialogs);
struct ImageResource;
std::string generateModuleSource(const std::vector<StringList>& lists, const std::vector<Dialog>& dialogs,
                                 const std::vector<ImageResource>& images);
// Empty when the line is well-formed UTF-8 without control characters other than tab; else why.
std::string checkLineCharacters(std::string_view line);

// Reads every input (a file whose first line starts a dialog holds dialogs, one that starts with an icon
// or a picture lists images, any other string lists), checks it and writes the source to output. Errors go to
// diagnostics, one per line; nothing is written then. Answers the process exit code (0 = success).
int compile(const std::vector<std::string>& inputs, const std::string& output, std::ostream& diagnostics);

} // namespace rescomp
