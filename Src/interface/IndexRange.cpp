#include "interface/IndexRange.h"

#include "persistence/XMLTypeProxy.h"

namespace tarnwick {

IndexRange::IndexRange(uint64_t row, uint64_t count)
    : XMLAssembly(String("indexRange")), m_row(row), m_count(count) {}

void IndexRange::reset() {
    m_row = 0;
    m_count = 0;
}

std::unique_ptr<XMLShipping> IndexRange::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly) return nullptr;
    if (index == 0) return std::make_unique<XMLTypeProxy<unsigned long long>>(&m_row, String("row"));
    if (index == 1) return std::make_unique<XMLTypeProxy<unsigned long long>>(&m_count, String("count"));
    return nullptr;
}

} // namespace tarnwick
