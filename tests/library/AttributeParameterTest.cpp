// Attribute parameters: made from an attribute, giving it back, and the lookup in every mode.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Environment/Host.h"
#include "library/AttributeParameters.h"
#include "platform/api/HostErrors.h"
#include "project/Specification.h"
#include "support/TestAddon.h"

using namespace tarnwick;

namespace {
// An attribute of that index, bound to no database.
template <class A> A attribute(uint32_t index) {
    AttributeLink link;
    link.setType(A::TypeCode);
    link.setIndex(index);
    return A(link);
}

Fill fill(uint32_t index) {
    return attribute<Fill>(index);
}

std::unique_ptr<FillParameter> fills(const char* name, std::vector<short> cells) {
    auto made = std::make_unique<FillParameter>(String(name), String(), 0, 1, 0, cells.size() > 1);
    for (size_t r = 0; r < cells.size(); ++r)
        made->storeValue(cells[r], r, 0);
    return made;
}
} // namespace

TEST(AttributeParameter, MadeFromAnAttributeEveryCellHoldsItsIndex) {
    const PenParameter grid(String("pens"), String(), attribute<Pen>(7), 0, 2, 3, false);
    EXPECT_TRUE(grid.isArray());
    EXPECT_EQ(grid.getValues(), std::vector<short>(6, 7));
    const PenParameter one(String("pen"), String(), attribute<Pen>(7), 0, 1, 1, false);
    EXPECT_FALSE(one.isArray());
    EXPECT_EQ(one.getValues(), std::vector<short>{7});
}

TEST(AttributeParameter, GivesBackTheAttributeOfItsFirstCell) {
    testsupport::ModuleUnderTest module;
    Specification& specification = *Host::getSpecification();
    auto add = [&](uint8_t type, const char* name) {
        API_Attribute record;
        record.header.typeCode = type;
        std::snprintf(record.header.name, sizeof record.header.name, "%s", name);
        EXPECT_EQ(module.host().project()->model.attributes.create(&record, nullptr), hosterr::Ok);
        return record.header.index;
    };
    const short pen = add(AttrPen, "Fine"), fill = add(AttrFill, "Brick"), line = add(AttrLineType, "Dashed"),
                surface = add(AttrSurface, "Oak");
    auto check = [&](const auto& parameter, uint8_t type, const char* name) {
        auto found = parameter.getAttribute(specification);
        EXPECT_EQ(found->getTypeCode(), type);
        EXPECT_EQ(found->getName(), String(name));
    };
    check(PenParameter(String("p"), String(), attribute<Pen>(pen), 0, 1, 1, false), AttrPen, "Fine");
    check(FillParameter(String("f"), String(), attribute<Fill>(fill), 0, 1, 1, false), AttrFill, "Brick");
    check(LineStyleParameter(String("l"), String(), attribute<LineStyle>(line), 0, 1, 1, false), AttrLineType,
          "Dashed");
    check(FinishParameter(String("m"), String(), attribute<Finish>(surface), 0, 1, 1, false), AttrSurface,
          "Oak");
}

TEST(AttributeLookup, ArrayModeGivesEachIndexItsRow) {
    ParameterList list;
    list.append(fills("fills", {5, 7}));
    uint64_t position = 9;
    EXPECT_EQ(FillParameter::lookup(fill(7), &list, String("FILLS"), String(), 0, position), list.at(0));
    EXPECT_EQ(position, 1u);
    EXPECT_EQ(FillParameter::lookup(fill(9), &list, String("fills"), String(), 0, position), list.at(0));
    EXPECT_EQ(position, 2u);
    EXPECT_EQ(dynamic_cast<FillParameter&>(*list.at(0)).getValues(), (std::vector<short>{5, 7, 9}));

    ParameterList empty;
    empty.append(fills("fills", {0, 4}));
    FillParameter::lookup(fill(9), &empty, String("fills"), String(), 0, position);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(dynamic_cast<FillParameter&>(*empty.at(0)).getValues(), (std::vector<short>{9, 4}));

    // A single value cannot take a second index: the caller writes the index itself.
    ParameterList one;
    one.append(fills("fills", {5}));
    EXPECT_EQ(FillParameter::lookup(fill(9), &one, String("fills"), String(), 0, position), nullptr);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(dynamic_cast<FillParameter&>(*one.at(0)).getValues(), std::vector<short>{5});
    // Found by exact name as an array, the same parameter goes on as an array.
    ParameterList mixed;
    mixed.append(fills("Fills", {5}));
    mixed.append(fills("fills", {3, 5}));
    EXPECT_EQ(FillParameter::lookup(fill(5), &mixed, String("fills"), String(), -2, position), mixed.at(1));
    EXPECT_EQ(position, 1u);
    ParameterList made;
    auto* created = FillParameter::lookup(fill(5), &made, String("fills"), String("Fill"), 0, position);
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->isArray());
    EXPECT_EQ(created->getDescription(), String("Fill"));
}

TEST(AttributeLookup, NumberedModeReusesAFreeOrEqualCellElseNumbersOnePastTheHighest) {
    ParameterList list;
    list.append(fills("fill1", {3}));
    list.append(fills("fill2", {4}));
    list.append(fills("fill12345", {8})); // only two digits are read in mode 2
    uint64_t position = 0;
    EXPECT_EQ(FillParameter::lookup(fill(4), &list, String("fill"), String(), 2, position), list.at(1));
    auto* third = FillParameter::lookup(fill(6), &list, String("fill"), String(), 2, position);
    ASSERT_EQ(list.getCount(), 4u);
    EXPECT_EQ(third, list.at(3));
    EXPECT_EQ(third->getName(), String("fill13"));
    EXPECT_EQ(third->getValues(), std::vector<short>{6});

    ParameterList none;
    EXPECT_EQ(
        PenParameter::lookup(attribute<Pen>(2), &none, String("pen"), String(), -5, position)->getName(),
        String("pen1"));
}

TEST(AttributeLookup, SingleModesUseTheExactName) {
    ParameterList list;
    uint64_t position = 0;
    auto* pen = PenParameter::lookup(attribute<Pen>(3), &list, String("pen"), String(), -1, position);
    ASSERT_NE(pen, nullptr);
    EXPECT_FALSE(pen->isArray());
    EXPECT_EQ(PenParameter::lookup(attribute<Pen>(4), &list, String("pen"), String(), -2, position), pen);
    EXPECT_EQ(PenParameter::lookup(attribute<Pen>(5), &list, String("pen"), String(), -1, position), pen);
    EXPECT_EQ(pen->getValues(), std::vector<short>{5});
    EXPECT_EQ(list.getCount(), 1u);
}

TEST(AttributeLookup, ModesWithoutAParameterChangeNothing) {
    ParameterList list;
    list.append(fills("fill", {3}));
    struct Case {
        int32_t mode;
        const char* name;
        bool withList;
    } const cases[] = {{-4, "fill", true}, {-3, "fill", true}, {-2, "other", true},
                       {0, "", true},      {2, "", true},      {-1, "fill", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " '" + c.name + "'");
        uint64_t position = 7;
        EXPECT_EQ(FillParameter::lookup(fill(9), c.withList ? &list : nullptr, String(c.name), String(),
                                        c.mode, position),
                  nullptr);
        EXPECT_EQ(position, 0u);
        EXPECT_EQ(list.getCount(), 1u);
        EXPECT_EQ(dynamic_cast<FillParameter&>(*list.at(0)).getValues(), std::vector<short>{3});
    }
}
