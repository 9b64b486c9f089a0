// The index range as XML: "row" then "count", read back by name.
#include <gtest/gtest.h>

#include <limits>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "interface/IndexRange.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"

using namespace tarnwick;

namespace {

std::string write(IndexRange& range) {
    String text;
    DataBufferOut out;
    if (!out.open(text)) return "<no sink>";
    XMLWriter writer(out);
    bool ok = writer.write(range, false, 0, false);
    return out.close() && ok ? text.bytes() : "<failed>";
}

bool read(const std::string& text, IndexRange& range) {
    DataBufferIn in{String(text)};
    XMLReader reader(in);
    return reader.read(range);
}

} // namespace

TEST(IndexRange, TravelsAsRowThenCount) {
    const uint64_t max = std::numeric_limits<uint64_t>::max();
    const std::pair<uint64_t, uint64_t> cases[] = {{0, 0}, {7, 42}, {max, 1}};
    for (auto [row, count] : cases) {
        IndexRange range(row, count);
        std::string text = write(range);
        EXPECT_EQ(text, "<indexRange><row>" + std::to_string(row) + "</row><count>" + std::to_string(count) +
                            "</count></indexRange>");
        IndexRange back(5, 5);
        ASSERT_TRUE(read(text, back)) << text;
        EXPECT_EQ(back, range) << text;
    }
}

TEST(IndexRange, OffersTwoFieldsAndResetsToZero) {
    IndexRange range(3, 4);
    EXPECT_EQ(range.makeFieldProxy(2, false), nullptr);
    EXPECT_EQ(range.makeFieldProxyByName(String("rows")), nullptr);
    auto count = range.makeFieldProxyByName(String("count"));
    ASSERT_NE(count, nullptr);
    ASSERT_NE(count->asUnit(), nullptr);
    EXPECT_EQ(count->asUnit()->getText(), "4");
    range.reset();
    EXPECT_EQ(range, IndexRange(0, 0));
}
