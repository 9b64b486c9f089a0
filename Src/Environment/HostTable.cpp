#include "Environment/HostTable.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tarnwick {

namespace {
HostFunctionTable installed = [] {
    HostFunctionTable t;
    std::memset(static_cast<void*>(&t), 0, sizeof t);
    return t;
}();
} // namespace

void installHostTable(const HostFunctionTable* table) {
    std::memset(static_cast<void*>(&installed), 0, sizeof installed);
    if (table == nullptr || table->size < sizeof(uint32_t)) return;
    // Whole slots only: a size that ends inside a slot leaves that slot unsupplied.
    constexpr size_t first = offsetof(HostFunctionTable, DatabaseCall);
    constexpr size_t slot = sizeof(void (*)());
    size_t known = std::min<size_t>(table->size, sizeof installed);
    known = known < first ? 0 : first + (known - first) / slot * slot;
    std::memcpy(static_cast<void*>(&installed), table, known);
    installed.size = sizeof installed;
}

const HostFunctionTable& hostTable() {
    return installed;
}

} // namespace tarnwick
