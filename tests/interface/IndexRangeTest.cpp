// The index range as XML: "row" then "count", read back by name; a stored range of no rows is refused.
#include <gtest/gtest.h>

#include <limits>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "interface/IndexRange.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"

using namespace tarnwick;

TEST(IndexRange, TravelsAsRowThenCount) {
    for (auto [row, count] :
         {std::pair<uint64_t, uint64_t>{0, 1}, {7, 42}, {std::numeric_limits<uint64_t>::max(), 1}}) {
        IndexRange range(row, count);
        String text;
        DataBufferOut out;
        ASSERT_TRUE(out.open(text));
        XMLWriter writer(out);
        ASSERT_TRUE(writer.write(range, false, 0, false) && out.close());
        EXPECT_EQ(text.bytes(), "<indexRange><row>" + std::to_string(row) + "</row><count>" +
                                    std::to_string(count) + "</count></indexRange>");
        IndexRange back(5, 5);
        DataBufferIn in(text);
        XMLReader reader(in);
        ASSERT_TRUE(reader.read(back)) << text.bytes();
        EXPECT_EQ(back, range) << text.bytes();
    }
    IndexRange empty(5, 5);
    DataBufferIn in(String("<indexRange><row>2</row><count>0</count></indexRange>"));
    XMLReader reader(in);
    EXPECT_FALSE(reader.read(empty));

    IndexRange range(3, 4);
    EXPECT_EQ(range.makeFieldProxy(2, false), nullptr);
    range.reset();
    EXPECT_EQ(range, IndexRange(0, 0));
}
