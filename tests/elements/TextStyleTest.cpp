// Text styles and rulers: their host records both ways, point sizes, equality, and the width of a
// text measured by the stand-in host's font-metric model.
#include <gtest/gtest.h>

#include <cstring>

#include "Environment/HostCalls.h"
#include "elements/text/TextRuler.h"
#include "elements/text/TextStyle.h"
#include "platform/gsroot/Memory.h"
#include "platform/host/StandInHost.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;

namespace {
HostTextRun runRecord() {
    HostTextRun run;
    run.pen = 3;
    run.style = 2;
    run.font = 1;
    run.effects = 5;
    run.size = 2.5;
    return run;
}
} // namespace

TEST(TextStyle, PointSizesRoundHalfUp) {
    struct Case {
        double millimetres;
        int points;
    } cases[] = {{TextStyle::DefaultSize, 12}, {3.0, 9}, {10.0, 28}, {0.0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(TextStyle(0, c.millimetres).getPointSize(), c.points) << c.millimetres;
    TextStyle plain{Font(), Pen()};
    EXPECT_EQ(plain.getPointSize(), 9);
    EXPECT_EQ(plain.getAnchor(), 6u);
    EXPECT_DOUBLE_EQ(plain.getColour().getAlpha(), 1.0);
}

TEST(TextStyle, RunAndSizeRecordsRoundTrip) {
    ModuleUnderTest module;
    TextStyle style(runRecord());
    EXPECT_EQ(style.getAnchor(), 6u);
    EXPECT_DOUBLE_EQ(style.getSpacing(), 3.0);
    HostTextRun out;
    std::memset(static_cast<void*>(&out), 0xFF, sizeof out);
    style.toRunRecord(out, 4, 9);
    HostTextRun expected = runRecord();
    expected.from = 4;
    expected.range = 9;
    EXPECT_EQ(std::memcmp(&out, &expected, sizeof out), 0); // effects 5 kept, the tail cleared

    HostPenFontSize record{2, 1, 2.0};
    TextStyle sized(record);
    EXPECT_EQ(sized.getStyle(), 0);
    EXPECT_EQ(sized.getEffects(), 0);
    HostPenFontSize back{};
    sized.toSizeRecord(back);
    EXPECT_EQ(std::memcmp(&back, &record, sizeof back), 0);
}

TEST(TextStyle, EqualityCoversEveryValue) {
    ModuleUnderTest module;
    const TextStyle base(runRecord());
    struct Case {
        const char* what;
        void (*change)(TextStyle&);
    } cases[] = {
        {"size", [](TextStyle& s) { s.setSize(2.6); }},
        {"anchor", [](TextStyle& s) { s.setAnchor(1); }},
        {"justification", [](TextStyle& s) { s.setJustification(1); }},
        {"spacing", [](TextStyle& s) { s.setSpacing(1.0); }},
        {"slant", [](TextStyle& s) { s.setSlant(0.2); }},
        {"bold", [](TextStyle& s) { s.setBold(true); }},
        {"italic off", [](TextStyle& s) { s.setItalic(false); }},
        {"effects", [](TextStyle& s) { s.setEffects(4); }},
        {"colour", [](TextStyle& s) { s.setColour(Colour(1.0, 0.0, 0.0)); }},
        {"pen", [](TextStyle& s) { s.setPen(Pen(AttributeLink(int16_t(4), AttrPen))); }},
        {"font", [](TextStyle& s) { s.setFont(Font()); }},
    };
    for (const Case& c : cases) {
        TextStyle changed(base);
        EXPECT_TRUE(changed == base) << c.what;
        c.change(changed);
        EXPECT_FALSE(changed == base) << c.what;
    }
    TextStyle assigned;
    assigned = base;
    EXPECT_TRUE(assigned == base);
    assigned.setUnderline(true);
    EXPECT_EQ(assigned.getStyle(), 6);
}

TEST(TextStyle, TheHostMeasuresTheTextInTheStyleFont) {
    ModuleUnderTest module;
    auto& calls = module.host().calls();
    HostPenFontSize record{1, 1, 2.0}; // the project's font 1
    TextStyle style(record);
    struct Case {
        const char* text;
        double width;
    } cases[] = {
        {"abc", 3.0},                                  // three ordinary characters of 2.0 x 0.5
        {"Wil", 2.5},                                  // wide 1.5, narrow 0.5 twice
        {"AB", 2.4},                                   // capitals 1.2
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E", 3.0}, // é € 𝄞: a surrogate pair is one character
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(style.getTextLength(String(c.text)), c.width) << c.text;
    EXPECT_EQ(calls.count("GTLL"), 4u);

    size_t before = calls.size();
    EXPECT_EQ(style.getTextLength(String()), 0.0);
    EXPECT_EQ(calls.size(), before); // no host call for no text

    TextStyle missing(HostPenFontSize{1, 77, 2.0});
    EXPECT_EQ(missing.getTextLength(String("abc"), true, 1), 0.0);
    EXPECT_TRUE(calls.contains("no such font", before));

    HostTextLengthQuery query; // no text
    query.font = 1;
    query.size = 2.0;
    double width = -1.0;
    EXPECT_EQ(ACAPUtilityCall(fourCC("GTLL"), &query, &width), hosterr::BadParameter);
    EXPECT_EQ(width, -1.0);
}

TEST(TextRuler, ParagraphRecordsCarryValuesAndWholeTabs) {
    ModuleUnderTest module(nullptr, false);
    TextRuler plain;
    ASSERT_NE(plain.getTabs(), nullptr);
    EXPECT_TRUE(plain.getTabs()->empty());
    EXPECT_DOUBLE_EQ(plain.getValue4(), 0.003);

    HostTextParagraph record;
    record.alignment = 2;
    record.value2 = 1.5; // +16 is the ruler's second value
    record.value1 = 2.5;
    record.value3 = 3.5;
    record.value4 = 4.5;
    record.value5 = 55;
    record.value6 = 66;
    TextRuler untabbed(record);
    EXPECT_EQ(untabbed.getTabs(), nullptr);
    EXPECT_EQ(TextRuler(untabbed).getTabs(), nullptr);
    EXPECT_DOUBLE_EQ(untabbed.getValue2(), 1.5);

    record.tabs = BMNewPtr(79); // one whole tab record and a partial one
    HostTextTab tab;
    tab.word = 3;
    tab.position = 0.25;
    std::memcpy(record.tabs, &tab, sizeof tab);
    TextRuler ruler(record);
    BMKillPtr(&record.tabs);
    ASSERT_NE(ruler.getTabs(), nullptr);
    ASSERT_EQ(ruler.getTabs()->size(), 1u);
    EXPECT_EQ(*(*ruler.getTabs())[0], TextRuler::Tab(3, 0.25));

    HostTextParagraph out;
    out.from = 7;
    out.range = 8;
    TextRuler copy;
    copy = ruler;
    ASSERT_TRUE(copy.toParagraphRecord(out));
    EXPECT_EQ(out.from, 7u);
    EXPECT_EQ(out.range, 8u);
    HostTextParagraph expected = record;
    expected.from = 7;
    expected.range = 8;
    expected.tabs = out.tabs;
    EXPECT_EQ(std::memcmp(&out, &expected, sizeof out), 0);
    ASSERT_EQ(BMPtrSize(out.tabs), GSSize(sizeof(HostTextTab)));
    EXPECT_EQ(std::memcmp(out.tabs, &tab, sizeof tab), 0);
    BMKillPtr(&out.tabs);

    ASSERT_TRUE(untabbed.toParagraphRecord(out));
    ASSERT_NE(out.tabs, nullptr);
    EXPECT_EQ(BMPtrSize(out.tabs), 0);
    BMKillPtr(&out.tabs);
}
