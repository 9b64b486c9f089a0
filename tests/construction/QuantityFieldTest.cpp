// The construction helpers' quantity reads: one field of the host's quantity block asked for alone,
// up to the block's last bytes and never past them.
#include "AttributeTables.h"
#include "construction/ConstructionHelpers.h"

using namespace tables;

using QuantityFields = TableTest;

TEST_F(QuantityFields, AValueInTheLastBytesOfTheBlockIsReadAndNothingPastItIsAsked) {
    QuantityProbe probe;
    const ElementLink link(Guid(1, 2), Host::getPlan());
    constexpr size_t lastReal = HostQuantityBlockSize - sizeof(double);
    constexpr size_t lastWhole = HostQuantityBlockSize - sizeof(int32_t);
    std::string problem;
    EXPECT_EQ(probe.oneField([&] { return quantityField(link, lastReal); }, problem), long(lastReal))
        << problem;
    EXPECT_EQ(probe.oneField([&] { return double(wholeQuantityField(link, lastWhole)); }, problem),
              long(lastWhole))
        << problem;

    EXPECT_EQ(quantityField(link, lastReal + 1), 0.0);
    EXPECT_EQ(wholeQuantityField(link, lastWhole + 1), 0);
    EXPECT_TRUE(probe.take().empty());
}
