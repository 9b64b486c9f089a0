// Any bytes as a module's string list resource ("STRS"), each item read the way the framework
// loads a resource string and made a text. No read may go past the resource's bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "Environment/String.h"
#include "platform/gsroot/ResourceStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ResourceEntry entry{fourCC("STRS"), 1, data, static_cast<uint32_t>(size)};
    const ResourceModule module{1, &entry};
    const int32_t count = RSGetStringCount(&module, 1);
    // Every item, one before the first and one past the last.
    for (int32_t index = 0; index <= count + 1 && index <= 512; ++index) {
        std::string text;
        if (RSGetIndString(&module, 1, index, &text)) static_cast<void>(tarnwick::String(std::move(text)));
    }
    return 0;
}
