// The parameter section "PARD" as the stand-in builds and reads it (HostParamSectionHeader): the
// header with the sizes and two detail flags, then each additional-parameter record with its
// handle field zeroed, an array's values following its record as a 32-bit count and the bytes.
#pragma once

#include <optional>
#include <string>

#include "StoredBlocks.h"
#include "platform/api/LibraryRecords.h"

namespace zavhost {

struct ParamSection {
    std::optional<StoredBlock> records; // none for a section without parameters
    double a = 0.0;
    double b = 0.0;
    uint8_t firstDetail = 0;
    uint8_t thirdDetail = 0;
};

std::string buildParamSectionBytes(const std::optional<StoredBlock>& records, double a, double b);
// Every count is checked against the bytes; nothing and the reason for a section that is not whole.
std::optional<ParamSection> readParamSection(const std::string& bytes, std::string* why);

} // namespace zavhost
