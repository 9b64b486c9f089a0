// Any bytes as a handle of additional-parameter records, the way a part or a memo hands them over.
// The bytes after the whole records become the value handles of the array records, each taking a
// length byte and that many eight-byte cells, so that arrays meet handles shorter, longer and
// missing. Reading must never crash; what it accepts must write out and read back the same list.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Environment/Memory.h"
#include "library/ParameterForm.h"
#include "library/ParameterList.h"

using namespace tarnwick;

namespace {
constexpr size_t RecordSize = sizeof(HostAdditionalParameter);
constexpr size_t MostRecords = 8;

ParameterList roundTrip(const ParameterList& list) {
    GSHandle written = nullptr;
    if (!list.writeHostParameters(written)) __builtin_trap();
    ParameterList back;
    const bool read = back.readHostParameters(written);
    ParameterList::disposeHostParameters(written);
    if (!read || back.getCount() != list.getCount()) __builtin_trap();
    return back;
}

// A cell that is not a number equals nothing, itself included.
bool hasNaN(const Parameter& parameter) {
    const auto* reals = dynamic_cast<const ParameterForm<double>*>(&parameter);
    if (reals == nullptr) return false;
    for (double value : reals->getValues())
        if (value != value) return true;
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t count = std::min(size / RecordSize, MostRecords);
    GSHandle handle = allocateHandle(static_cast<GSSize>(count * RecordSize));
    std::memcpy(*handle, data, count * RecordSize);
    const uint8_t* pool = data + count * RecordSize;
    const uint8_t* end = data + size;
    std::vector<GSHandle> values;
    for (size_t i = 0; i < count; ++i) {
        HostAdditionalParameter record;
        std::memcpy(static_cast<void*>(&record), *handle + i * RecordSize, RecordSize);
        if (record.valueForm != ParameterArrayValue) continue;
        record.value.array = nullptr;
        if (pool < end) {
            const size_t cells = *pool++;
            const size_t bytes = std::min<size_t>(cells * sizeof(double), size_t(end - pool));
            record.value.array = allocateHandle(static_cast<GSSize>(bytes));
            std::memcpy(*record.value.array, pool, bytes);
            pool += bytes;
            values.push_back(record.value.array);
        }
        std::memcpy(*handle + i * RecordSize, static_cast<const void*>(&record), RecordSize);
    }

    ParameterList list;
    if (list.readHostParameters(handle)) {
        // A name that fills its field whole is cut to leave room for the NUL: from the first
        // write on, a list goes back and forth unchanged.
        ParameterList once = roundTrip(list);
        ParameterList twice = roundTrip(once);
        for (uint64_t i = 0; i < list.getCount(); ++i)
            if (once.at(i)->getType() != list.at(i)->getType() ||
                twice.at(i)->getName() != once.at(i)->getName() ||
                !(*twice.at(i) == *once.at(i) || hasNaN(*once.at(i))))
                __builtin_trap();
    }
    for (GSHandle value : values)
        freeHandle(value);
    freeHandle(handle);
    return 0;
}
