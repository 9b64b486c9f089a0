#include "ParamSections.h"

#include <cstring>

#include "platform/api/ParameterRecords.h"

namespace zavhost {

namespace {
constexpr size_t recordSize = sizeof(HostAdditionalParameter);
constexpr size_t valueOffset = offsetof(HostAdditionalParameter, value);

// The nested block of a slot, walking the blocks (in the order of their slots) from `next` on.
const StoredBlock* nestedAt(const StoredBlock& records, size_t slot, size_t& next) {
    while (next < records.nested.size() && records.nested[next].first < slot)
        ++next;
    return next < records.nested.size() && records.nested[next].first == slot ? &records.nested[next].second
                                                                              : nullptr;
}
} // namespace

std::string buildParamSectionBytes(const std::optional<StoredBlock>& records, double a, double b) {
    HostParamSectionHeader header;
    const size_t count = records ? records->bytes.size() / recordSize : 0;
    header.count = static_cast<uint32_t>(count);
    header.a = a;
    header.b = b;
    std::string out(reinterpret_cast<const char*>(&header), sizeof header);
    size_t next = 0;
    for (size_t i = 0; i < count; ++i) {
        HostAdditionalParameter record;
        std::memcpy(static_cast<void*>(&record), records->bytes.data() + i * recordSize, recordSize);
        const bool array = record.valueForm == ParameterArrayValue;
        if (array) record.value.array = nullptr;
        out.append(reinterpret_cast<const char*>(&record), recordSize);
        if (!array) continue;
        const StoredBlock* values = nestedAt(*records, i * recordSize + valueOffset, next);
        const uint32_t length = values != nullptr ? static_cast<uint32_t>(values->bytes.size()) : 0;
        out.append(reinterpret_cast<const char*>(&length), sizeof length);
        if (values != nullptr) out += values->bytes;
    }
    return out;
}

std::optional<ParamSection> readParamSection(const std::string& bytes, std::string* why) {
    auto fail = [why](const char* reason) {
        if (why != nullptr) *why = reason;
        return std::nullopt;
    };
    HostParamSectionHeader header;
    if (bytes.size() < sizeof header) return fail("shorter than its header");
    std::memcpy(static_cast<void*>(&header), bytes.data(), sizeof header);
    if (header.signature != HostParamSectionHeader().signature) return fail("not a parameter section");
    if (header.count > (bytes.size() - sizeof header) / recordSize) return fail("more records than it holds");
    ParamSection section;
    section.a = header.a;
    section.b = header.b;
    section.firstDetail = header.firstDetail;
    section.thirdDetail = header.thirdDetail;
    StoredBlock records;
    size_t at = sizeof header;
    for (uint32_t i = 0; i < header.count; ++i) {
        if (bytes.size() - at < recordSize) return fail("a record runs past its end");
        HostAdditionalParameter record;
        std::memcpy(static_cast<void*>(&record), bytes.data() + at, recordSize);
        at += recordSize;
        const bool array = record.valueForm == ParameterArrayValue;
        if (array) record.value.array = nullptr;
        records.bytes.append(reinterpret_cast<const char*>(&record), recordSize);
        if (!array) continue;
        uint32_t length = 0;
        if (bytes.size() - at < sizeof length) return fail("an array runs past its end");
        std::memcpy(&length, bytes.data() + at, sizeof length);
        at += sizeof length;
        if (bytes.size() - at < length) return fail("an array runs past its end");
        StoredBlock values;
        values.bytes = bytes.substr(at, length);
        at += length;
        records.nested.emplace_back(static_cast<uint32_t>(i * recordSize + valueOffset), std::move(values));
    }
    if (at != bytes.size()) return fail("bytes left over");
    if (header.count != 0) section.records = std::move(records);
    return section;
}

} // namespace zavhost
