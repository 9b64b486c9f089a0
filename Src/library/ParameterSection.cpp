#include "library/ParameterSection.h"

#include <cstring>

#include "Environment/Memory.h"
#include "platform/api/ParameterRecords.h"

namespace tarnwick {

namespace {
// Owns a handle of additional-parameter records with the value handles of its arrays.
class RecordsHandle {
public:
    explicit RecordsHandle(size_t count)
        : m_handle(allocateHandle(static_cast<GSSize>(count * sizeof(HostAdditionalParameter)))) {}
    ~RecordsHandle() { ParameterList::disposeHostParameters(m_handle); }
    RecordsHandle(const RecordsHandle&) = delete;
    RecordsHandle& operator=(const RecordsHandle&) = delete;

    GSHandle get() const { return m_handle; }
    void put(size_t i, const HostAdditionalParameter& record) {
        std::memcpy(*m_handle + i * sizeof record, static_cast<const void*>(&record), sizeof record);
    }

private:
    GSHandle m_handle;
};
} // namespace

bool readParameterSection(GSHandle section, ParameterList& list, double& a, double& b) {
    const size_t size = getHandleSize(section);
    HostParamSectionHeader header;
    if (size < sizeof header) return false;
    std::memcpy(static_cast<void*>(&header), *section, sizeof header);
    if (header.signature != HostParamSectionHeader().signature ||
        header.count > (size - sizeof header) / sizeof(HostAdditionalParameter))
        return false;
    RecordsHandle records(header.count);
    size_t at = sizeof header;
    for (uint32_t i = 0; i < header.count; ++i) {
        HostAdditionalParameter record;
        if (size - at < sizeof record) return false;
        std::memcpy(static_cast<void*>(&record), *section + at, sizeof record);
        at += sizeof record;
        if (record.valueForm == ParameterArrayValue) {
            uint32_t bytes = 0;
            if (size - at < sizeof bytes) return false;
            std::memcpy(&bytes, *section + at, sizeof bytes);
            at += sizeof bytes;
            if (size - at < bytes) return false;
            record.value.array = allocateHandle(static_cast<GSSize>(bytes));
            if (bytes != 0) std::memcpy(*record.value.array, *section + at, bytes);
            at += bytes;
        }
        records.put(i, record);
    }
    ParameterList read;
    if (!read.readHostParameters(records.get())) return false;
    list = read;
    a = header.a;
    b = header.b;
    return true;
}

} // namespace tarnwick
