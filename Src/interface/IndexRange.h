// A run of rows: the first row and how many, as a list's selection or a menu's entries travel.
#pragma once

#include <cstdint>
#include <memory>

#include "persistence/Shipping.h"

namespace tarnwick {

class IndexRange : public XMLAssembly {
public:
    explicit IndexRange(uint64_t row = 0, uint64_t count = 0);

    uint64_t getRow() const { return m_row; }
    uint64_t getCount() const { return m_count; }
    void setRow(uint64_t row) { m_row = row; }
    void setCount(uint64_t count) { m_count = count; }

    bool operator==(const IndexRange& other) const {
        return m_row == other.m_row && m_count == other.m_count;
    }

    // XML: "row", then "count". A range read without rows is refused.
    void reset() override;
    bool afterRead() override { return m_count > 0; }
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;

private:
    unsigned long long m_row;
    unsigned long long m_count;
};

} // namespace tarnwick
