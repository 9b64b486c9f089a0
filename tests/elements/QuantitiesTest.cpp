// Element quantities, override sets and code pairs.
#include <gtest/gtest.h>

#include <cstring>

#include "ElementTestSupport.h"
#include "Environment/HostTable.h"
#include "elements/CodePair.h"
#include "elements/ElementQuantities.h"
#include "elements/OverrideSet.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace elementtest;
using testsupport::ModuleUnderTest;

TEST(ElementQuantities, ACopyAsksTheHostIntoItsOwnStorage) {
    ModuleUnderTest module;
    // A slab: the host answers its top area first, its bottom area next and its perimeter in the
    // fifth slot.
    API_Guid guid = addHostElement(module.host(), 8, nullptr, [](zavhost::StoredElement& slab) {
        setHostPolygon(slab, {{{0, 0}, {4, 0}, {4, 2}, {0, 2}}});
    });
    ElementLink link(Guid(guid), Host::getPlan());
    ElementQuantities original;
    original.requestElement(32, sizeof(double));
    original.requestElement(8, sizeof(double));
    ElementQuantities copy(original);
    EXPECT_EQ(copy.getRequest().elementBlock, copy.getBlock());
    EXPECT_NE(copy.getRequest().elementBlock, original.getRequest().elementBlock);
    ASSERT_TRUE(copy.fetch(link));
    EXPECT_DOUBLE_EQ(copy.getValue(32), 12.0); // the perimeter
    EXPECT_DOUBLE_EQ(copy.getValue(8), 8.0);   // the area
    EXPECT_DOUBLE_EQ(original.getValue(8), 0.0);
    EXPECT_DOUBLE_EQ(copy.getValue(16), 0.0); // not asked for: not delivered
    EXPECT_DOUBLE_EQ(copy.getValue(HostQuantityBlockSize - 4), 0.0);
    EXPECT_EQ(copy.getComposites().GetSize(), 0u);

    ElementQuantities assigned;
    assigned = copy;
    EXPECT_EQ(assigned.getRequest().composites, &assigned.getComposites());
    EXPECT_DOUBLE_EQ(assigned.getValue(32), 12.0);

    copy.requestComposite(offsetof(HostCompositeQuantity, volume), sizeof(double));
    ASSERT_TRUE(copy.fetch(link));
    ASSERT_EQ(copy.getComposites().GetSize(), 2u); // slabs have layers
    EXPECT_DOUBLE_EQ(copy.getComposites()[0].volume, 8.0 * 0.2);
    EXPECT_EQ(copy.getComposites()[0].material, 0); // not asked for
}

TEST(ElementQuantities, AFailedFetchLeavesNothingDelivered) {
    ModuleUnderTest module;
    API_Guid guid = addHostElement(module.host(), 8, nullptr, [](zavhost::StoredElement& slab) {
        setHostPolygon(slab, {{{0, 0}, {1, 0}, {1, 1}}});
    });
    ElementLink link(Guid(guid), Host::getPlan());
    ElementQuantities quantities;
    quantities.requestElement(0, 16);
    quantities.requestComposite(0, sizeof(HostCompositeQuantity));
    ASSERT_TRUE(quantities.fetch(link));
    EXPECT_GT(quantities.getValue(0), 0.0);
    EXPECT_EQ(quantities.getComposites().GetSize(), 2u);
    module.host().project()->model.views.removeElement(guid);
    EXPECT_FALSE(quantities.fetch(link));
    EXPECT_DOUBLE_EQ(quantities.getValue(0), 0.0);
    EXPECT_EQ(quantities.getComposites().GetSize(), 0u);
}

TEST(ElementQuantities, AValueInTheLastEightBytesOfTheBlockIsRead) {
    ModuleUnderTest module;
    constexpr size_t last = HostQuantityBlockSize - sizeof(double);
    // A host that fills the block's last field when it is asked for.
    HostFunctionTable partial = module.host().functionTable();
    partial.GetElementQuantities = [](const API_Guid*, const HostQuantityParameters*,
                                      HostQuantityRequest* request, const uint8_t* mask) -> GSErrCode {
        const double value = 7.25;
        if (mask[last] == 0xFF) std::memcpy(request->elementBlock + last, &value, sizeof value);
        return hosterr::Ok;
    };
    installHostTable(&partial);
    ElementQuantities quantities;
    quantities.requestElement(last, sizeof(double));
    EXPECT_TRUE(quantities.fetch(ElementLink(Guid(1, 2), nullptr)));
    EXPECT_DOUBLE_EQ(quantities.getValue(last), 7.25);
    EXPECT_DOUBLE_EQ(quantities.getValue(last + 1), 0.0); // would run past the block
    installHostTable(&module.host().functionTable());
}

TEST(OverrideSet, MapsToTheTwoHostRecordsAndBack) {
    OverrideSet plain(0, 0, 0);
    HostOverrideRecord record;
    HostOverrideExtension extension;
    plain.toHost8(record);
    plain.toHost4(extension);
    const uint8_t expected8[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    const uint8_t expected4[4] = {0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&record, expected8, 8), 0);
    EXPECT_EQ(std::memcmp(&extension, expected4, 4), 0);

    OverrideSet set(7, 300, 2);
    set.setC(9);
    set.setFlag(1);
    set.setD(5); // not carried by either record
    set.toHost8(record);
    set.toHost4(extension);
    EXPECT_EQ(record.flags[0], 1);
    EXPECT_EQ(record.flags[2], 2);
    EXPECT_EQ(record.first, 7);
    EXPECT_EQ(record.second, 300);
    EXPECT_EQ(extension.third, 9);
    OverrideSet back = OverrideSet::fromHost(record, extension);
    set.setD(0);
    EXPECT_EQ(back, set);
    back.clearStoreyPart();
    EXPECT_EQ(back.getC(), 0);
    EXPECT_EQ(back.getFlag(), 0);
    EXPECT_EQ(back.getA(), 7);
    EXPECT_EQ(back.getE(1), 2);
}

TEST(CodePair, OrdersByFirstThenSecond) {
    EXPECT_TRUE(CodePair(1, 5) < CodePair(2, 0));
    EXPECT_TRUE(CodePair(1, 5) < CodePair(1, 6));
    EXPECT_FALSE(CodePair(1, 6) < CodePair(1, 5));
    EXPECT_FALSE(CodePair(1, 5) < CodePair(1, 5));
    EXPECT_TRUE(CodePair(3, 4) == CodePair(3, 4));
    EXPECT_TRUE(CodePair(3, 4) != CodePair(4, 3));
}
