// Any bytes as the command file the stand-in Annotator takes from the module, from the file and
// from memory. Both reads must end cleanly and agree; a file that does not parse says why.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFile.h"
#include "platform/annotator/CommandFile.h"

using namespace zavannotator;

namespace {

bool same(const Command& a, const Command& b) {
    return a.name == b.name && a.known == b.known && a.commandID == b.commandID && a.zavPath == b.zavPath &&
           a.modelPath == b.modelPath && a.hasAnnotation == b.hasAnnotation &&
           a.hasAnnotations == b.hasAnnotations && a.annotations.size() == b.annotations.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CommandFile fromMemory;
    std::string why;
    const bool parsed = readCommandText(bytes, fromMemory, &why);
    if (!parsed && why.empty()) __builtin_trap();
    // Only a well-formed file is refused; a refused one names its fault.
    if (!parsed && !fromMemory.refusal.empty()) __builtin_trap();

    CommandFile fromFile;
    std::string whyFile;
    if (readCommandFile(fuzzfile::write("fuzz_command_file", bytes), fromFile, &whyFile) != parsed)
        __builtin_trap();
    if (whyFile != why || fromFile.refusal != fromMemory.refusal || fromFile.parent != fromMemory.parent ||
        fromFile.version != fromMemory.version || fromFile.commands.size() != fromMemory.commands.size())
        __builtin_trap();
    for (size_t i = 0; i < fromFile.commands.size(); ++i)
        if (!same(fromFile.commands[i], fromMemory.commands[i])) __builtin_trap();
    // An accepted file holds only the commands the product sends, each with its number.
    if (parsed && fromMemory.refusal.empty())
        for (const Command& command : fromMemory.commands)
            if (!command.known || command.commandID.empty()) __builtin_trap();
    return 0;
}
