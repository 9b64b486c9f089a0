#include "HostTable.h"

#include <algorithm>
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
    std::memcpy(static_cast<void*>(&installed), table, std::min<size_t>(table->size, sizeof installed));
    installed.size = sizeof installed;
}

const HostFunctionTable& hostTable() { return installed; }

} // namespace tarnwick
