// The attribute context of one script section: statements only where an attribute changes, the
// pen slots, the modes that leave a kind out or unmapped, materials by name, attributes named
// through the source's parameters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Environment/DataBufferOut.h"
#include "construction/AttributeContext.h"
#include "library/AttributeParameters.h"
#include "project/City.h"
#include "support/TestAddon.h"

using namespace tarnwick;

namespace {

Pen pen(int16_t index) {
    return Pen(AttributeLink(index, AttrPen));
}

Finish material(int16_t index, const char* name) {
    API_Attribute record{};
    record.header.typeCode = AttrSurface;
    record.header.index = index;
    std::strncpy(record.header.name, name, sizeof record.header.name - 1);
    return Finish(record, AttributeLink::fromHeader(record.header));
}

class Context : public ::testing::Test {
protected:
    // Each statement as the writers ask for it: with keyword, only if changed.
    std::string statement(const Attribute& attribute, int32_t slot = ScriptAttributes::OutlinePens,
                          bool onlyIfChanged = true) {
        String sink;
        DataBufferOut out;
        EXPECT_TRUE(out.open(sink));
        context.writeAttributeStatement(attribute, out, 0, slot, onlyIfChanged, true);
        EXPECT_TRUE(out.close());
        return sink.bytes();
    }

    testsupport::ModuleUnderTest module;
    ParameterList parameters;
    AttributeContext context;
};

} // namespace

TEST_F(Context, APenIsWrittenOncePerSlotAndAgainAfterTheSlotChanged) {
    EXPECT_EQ(statement(pen(3)), "pen 3\n");
    EXPECT_EQ(statement(pen(3)), "");
    EXPECT_EQ(statement(pen(3), ScriptAttributes::EdgePens), "pen 3\n");
    EXPECT_EQ(statement(pen(3), ScriptAttributes::EdgePens), "");
    EXPECT_EQ(statement(pen(0), ScriptAttributes::OutlinePens), "");
    EXPECT_EQ(context.getCurrent(AttrPen), 3u);
    EXPECT_TRUE(context.hasCurrent(AttrPen, ScriptAttributes::EdgePens));
    EXPECT_FALSE(context.hasCurrent(AttrPen, ScriptAttributes::FillPens));
    // Never mapped: a pen in another slot is a change only when its index differs.
    context.setNames(AttrPen, String(), String(), AttributeContext::NeverMapped, ScriptAttributes::FillPens);
    EXPECT_EQ(statement(pen(3), ScriptAttributes::FillPens), "");
}

TEST_F(Context, AFreshContextWritesEachKindOnceAndMaterialsByName) {
    EXPECT_EQ(statement(LineStyle(AttributeLink(int16_t(1), AttrLineType))), "line_type 1\n");
    EXPECT_EQ(statement(LineStyle(AttributeLink(int16_t(1), AttrLineType))), "");
    EXPECT_EQ(statement(Fill(AttributeLink(int16_t(5), AttrFill))), "fill 5\n");
    EXPECT_EQ(statement(material(7, "Brick")), "material \"Brick\"\n");
    EXPECT_EQ(statement(material(8, "")), "material 8\n");
    EXPECT_EQ(statement(material(9, "say \"no\"")), "material 'say \"no\"'\n");
    EXPECT_EQ(statement(City()), "");

    context.setNames(AttrFill, String(), String(), AttributeContext::NeverWritten);
    EXPECT_EQ(statement(Fill(AttributeLink(int16_t(6), AttrFill)), 0, false), "");
    EXPECT_FALSE(context.isChanged(Fill(AttributeLink(int16_t(6), AttrFill)), 0));
    // A new section starts over, but keeps the fill's mode.
    context.reset(nullptr);
    EXPECT_EQ(context.getCurrent(AttrFill), AttributeContext::NothingWritten);
    EXPECT_EQ(context.getMode(AttrFill), AttributeContext::NeverWritten);
}

TEST_F(Context, AttributesAreNamedByTheSourcesParametersInTheirModes) {
    context.reset(&parameters);
    context.setNames(AttrPen, String("pens"), String("Pens"), 0, ScriptAttributes::OutlinePens);
    // No pen names no cell: a cell of 0 is an empty one, which the next pen would take over.
    EXPECT_EQ(statement(pen(0)), "");
    EXPECT_EQ(parameters.getCount(), 0u);
    EXPECT_EQ(statement(pen(1)), "pen pens[1]\n");
    EXPECT_EQ(statement(pen(2)), "pen pens[2]\n");
    EXPECT_EQ(statement(pen(3)), "pen pens[3]\n");
    EXPECT_EQ(statement(pen(2)), "pen pens[2]\n");
    ASSERT_EQ(parameters.getCount(), 1u);
    EXPECT_EQ(parameters.at(0)->getRowCount(), 3u);

    context.setNames(AttrFill, String("fillType"), String("Fill"), FillParameter::SingleMode);
    EXPECT_EQ(statement(Fill(AttributeLink(int16_t(5), AttrFill))), "fill fillType\n");

    // Never mapped: the plain index, and the list is not asked.
    context.setNames(AttrPen, String("edges"), String(), AttributeContext::NeverMapped,
                     ScriptAttributes::EdgePens);
    EXPECT_EQ(statement(pen(4), ScriptAttributes::EdgePens), "pen 4\n");
    EXPECT_EQ(parameters.getCount(), 2u);
    // No parameter of exactly that name: the plain index.
    context.setNames(AttrLineType, String("lines"), String(), PenParameter::ExactMode);
    EXPECT_EQ(statement(LineStyle(AttributeLink(int16_t(2), AttrLineType))), "line_type 2\n");
}
