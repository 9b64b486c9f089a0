// Any bytes as the sections of a library part: as its parameter section ("PARD", a header, the
// records and the values of their arrays) and as its parameter script, whose VALUES statements
// are read. Neither may crash or read past the bytes; a section that reads gives as many
// parameters as its header counts.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "Environment/Memory.h"
#include "library/ParameterSection.h"
#include "library/ValueLists.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GSHandle section = allocateHandle(static_cast<GSSize>(size));
    if (size != 0) std::memcpy(*section, data, size);
    ParameterList list;
    double a = 0.0;
    double b = 0.0;
    if (readParameterSection(section, list, a, b)) {
        HostParamSectionHeader header;
        std::memcpy(static_cast<void*>(&header), data, sizeof header);
        if (list.getCount() != header.count) __builtin_trap();
    }
    freeHandle(section);

    const ValueLists lists(String(std::string_view(reinterpret_cast<const char*>(data), size)));
    if (lists.getStatementCount() > size) __builtin_trap();
    return 0;
}
