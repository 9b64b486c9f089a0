// Text blocks against the stand-in host: a new block in the host's default style, the record a
// block builds (lines, several styles, its own placement codes), placing one in a box at the
// view's scale, a host text that could not be read never written over, an edit of a text read
// without paragraphs kept, and a round trip of text, runs, rulers and user data through the floor
// plan and a project file.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ElementTestSupport.h"
#include "Environment/HostTable.h"
#include "Environment/TempFolder.h"
#include "elements/text/Text.h"
#include "platform/host/TextBlocks.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

GSErrCode failingMemo(const API_Guid*, API_ElementMemo*, uint64_t) {
    return hosterr::Failed;
}

class Texts : public HostTest {
protected:
    Texts() { registerElementCreator(Text::TypeCode, &createText); }
    ~Texts() override { releaseElementCreators(); }

    std::unique_ptr<Text> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        return std::unique_ptr<Text>(dynamic_cast<Text*>(element.release()));
    }
    const zavhost::StoredElement& stored(const API_Guid& guid) {
        return *host.project()->model.views.findElement(guid);
    }
    // A text block the host holds, with its own memo of the text; without paragraphs when asked.
    API_Guid addHostText(const std::string& text, bool withParagraphs = true) {
        return addHostElement(host, Text::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            zavhost::setDefaultTextSettings(e.record);
            e.memo = zavhost::makeTextMemo(text, e.record);
            if (!withParagraphs) e.memo.blocks.erase(offsetof(API_ElementMemo, paragraphs));
        });
    }
};

std::vector<std::pair<size_t, double>> styleRuns(const StyledString& text) {
    std::vector<std::pair<size_t, double>> runs;
    for (const StyledString::StyleRun& run : text.getStyleRuns())
        runs.emplace_back(run.start, run.value->getSize());
    return runs;
}

} // namespace

TEST_F(Texts, ANewBlockWearsTheHostsDefaultStyleAtTheOriginAndHasNoMemoUntilBuilt) {
    Text text(String("A"));
    const HostTextElement& record = text.getTextRecord();
    EXPECT_EQ(record.pen, 1u);
    EXPECT_EQ(record.size, 2.5);
    EXPECT_EQ(record.head.byte76, 0u);
    CadPoint at(9, 9);
    text.getReferencePoint(at);
    EXPECT_EQ(at, CadPoint(0, 0));
    ASSERT_EQ(text.getText().getStyleCount(), 1u);
    EXPECT_TRUE(*text.getText().getStyleRun(0).value == *text.getTextStyle(0));
    EXPECT_EQ(text.getText().getStyleRun(0).value->getPen().getIndex16(), 1);

    EXPECT_EQ(text.buildRecord()->head.byte76, 1u);

    Pen pen;
    text.getPen(pen, 8);
    EXPECT_EQ(pen.getIndex16(), 0); // only the text roles name the record's pen
    EXPECT_TRUE(text.hasDefaults());

    // Without the host's default the block stands in a blank record and says so.
    host.faults().set("GetDefaultElement", 1, 1, hosterr::Failed);
    Text blank(String("B"));
    EXPECT_FALSE(blank.hasDefaults());
    EXPECT_EQ(blank.getTextRecord().size, 0.0);
    Text again(String("C"));
    EXPECT_TRUE(again.hasDefaults());
    EXPECT_EQ(text.getTextStyle(2), nullptr);
}

TEST_F(Texts, RolesZeroAndSixteenAreTheTextPenAndNoOtherRoleIs) {
    Text text(String("A"));
    text.setPen(Pen(AttributeLink(int16_t(7), AttrPen)), 0);
    ASSERT_EQ(text.getTextRecord().pen, 7u);
    for (uint32_t role : {0u, 16u}) {
        Pen pen;
        text.getPen(pen, role);
        EXPECT_EQ(pen.getIndex16(), 7) << role;
    }
    for (uint32_t role : {1u, 6u, 8u, 15u, 17u, 32u}) {
        Pen pen(AttributeLink(int16_t(3), AttrPen));
        text.getPen(pen, role);
        EXPECT_EQ(pen.getIndex16(), 0) << role;
    }
    for (uint32_t role : {1u, 15u, 17u}) {
        text.setPen(Pen(AttributeLink(int16_t(9), AttrPen)), role);
        EXPECT_EQ(text.getTextRecord().pen, 7u) << role;
    }
    text.setPen(Pen(AttributeLink(int16_t(9), AttrPen)), 16);
    EXPECT_EQ(text.getTextRecord().pen, 9u);
    text.setPen(Pen(AttributeLink(int16_t(4), AttrPen)), 0);
    EXPECT_EQ(text.getTextRecord().pen, 4u);
}

TEST_F(Texts, TheRecordCountsLinesAndStylesAndKeepsTheBlocksOwnPlacement) {
    TextStyle big(0, 5.0);
    big.setPen(Pen(AttributeLink(3, AttrPen)));
    const struct {
        const char* text;
        bool twoStyles;
        uint32_t lines;
        uint8_t several;
        double size; // in the record
    } cases[] = {
        {"a\r\nb", false, 2, 0, 5.0}, // one style: the record takes it
        {"ab", true, 1, 1, 2.5},      // two: the record keeps its own
        {"", false, 0, 0, 2.5},
    };
    for (const auto& c : cases) {
        Text text(String("x"));
        TextStyle anchored = *text.getTextStyle(0);
        anchored.setAnchor(2);
        text.setTextStyle(anchored, 0);
        StyledString styled(c.text);
        styled.setStyle(big, 0); // a style as read from a run: anchor 6
        if (c.twoStyles) styled.setStyle(TextStyle(0, 7.0), 1);
        text.setText(styled, false);
        std::unique_ptr<API_Element> built = text.buildRecord();
        const HostTextElement record = zavhost::textPartOf(*built);
        EXPECT_EQ(record.lineCount, c.lines) << c.text;
        EXPECT_EQ(record.severalStyles, c.several) << c.text;
        EXPECT_EQ(record.size, c.size) << c.text;
        EXPECT_EQ(record.anchor, 2u) << c.text;
        EXPECT_EQ(record.head.byte76, *c.text != 0 ? 1 : 0) << c.text;
        uint64_t mask = 99;
        ElementMemoPtr memo = text.buildMemo(mask);
        EXPECT_EQ(memo == nullptr, *c.text == 0) << c.text;
        EXPECT_EQ(mask, *c.text != 0 ? uint64_t(MemoText) : 0u) << c.text;
    }
}

TEST_F(Texts, ABlockIsPlacedInTheBoxAtTheCornerOfItsAnchorAndSizedOnPaper) {
    const struct {
        double scale;
        uint32_t anchor;
        CadPoint location;
        double width, height;
    } cases[] = {
        {100, 1, {2.75, 2.0}, 35, 8}, {100, 6, {1.0, 1.2}, 35, 8}, {100, 9, {1.0, 2.0}, 35, 8},
        {50, 1, {2.75, 2.0}, 70, 16}, {50, 6, {1.0, 1.2}, 70, 16}, {50, 9, {1.0, 2.0}, 70, 16},
    };
    host.project()->model.storeys.setCurrent(1);
    Plan* plan = Host::getPlan();
    for (const auto& c : cases) {
        host.project()->model.views.plan().scale = c.scale;
        Text text(String("Note"));
        TextStyle style = *text.getTextStyle(0);
        style.setAnchor(c.anchor);
        text.setTextStyle(style, 0);
        ASSERT_TRUE(change([&] { return text.placeInBox(CadPoint(1.0, 2.0), CadPoint(4.5, 1.2), *plan); }));
        const zavhost::StoredElement& made = stored(text.getGuid().toAPI());
        const HostTextElement record = zavhost::textPartOf(made.record);
        EXPECT_NEAR(record.location.x, c.location.getX(), 1e-9) << c.scale << " " << c.anchor;
        EXPECT_NEAR(record.location.y, c.location.getY(), 1e-9) << c.scale << " " << c.anchor;
        EXPECT_NEAR(record.width, c.width, 1e-9) << c.scale;
        EXPECT_NEAR(record.height, c.height, 1e-9) << c.scale;
        EXPECT_EQ(record.head.storey, 1);
        EXPECT_EQ(zavhost::textOf(made.memo), "Note");
    }
    // A storey given stands in for the drawing's.
    Storey* ground = plan->getStorey(0);
    ASSERT_NE(ground, nullptr);
    Text given(String("Note"));
    ASSERT_TRUE(
        change([&] { return given.placeInBox(CadPoint(1, 2), CadPoint(4, 1), *plan, 100.0, ground); }));
    EXPECT_EQ(stored(given.getGuid().toAPI()).record.head.storey, 0);

    // A view without a positive scale places nothing.
    host.project()->model.views.plan().scale = 0.0;
    Text text(String("Note"));
    size_t before = mark();
    EXPECT_FALSE(change([&] { return text.placeInBox(CadPoint(1, 2), CadPoint(4, 1), *plan); }));
    EXPECT_EQ(host.calls().count("CreateElement", before), 0u);
}

TEST_F(Texts, AHostTextThatCouldNotBeReadIsNeverWrittenOver) {
    API_Guid guid = addHostText("Keep me");
    std::unique_ptr<Text> text = read(guid);
    ASSERT_NE(text, nullptr);
    {
        HostFunctionTable table = host.functionTable();
        table.GetElementMemo = &failingMemo;
        installHostTable(&table);
        EXPECT_TRUE(text->getText().isEmpty());
        EXPECT_EQ(text->buildRecord(), nullptr);
        EXPECT_FALSE(change([&] { return Host::getPlan()->saveElement(*text, false, true); }));
        installHostTable(&host.functionTable());
    }
    EXPECT_EQ(zavhost::textOf(stored(guid).memo), "Keep me");
    EXPECT_EQ(text->getText(), String("Keep me")); // read once the host answers
}

TEST_F(Texts, AnEditOfATextReadWithoutParagraphsIsSaved) {
    API_Guid guid = addHostText("Old title", false);
    std::unique_ptr<Text> text = read(guid);
    ASSERT_EQ(text->getText(), String("Old title"));
    text->setText(StyledString("New title"), true);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*text, false, true); }));
    EXPECT_EQ(zavhost::textOf(stored(guid).memo), "New title");
    EXPECT_EQ(zavhost::textShapeOf(stored(guid).memo).paragraphs, 1u);
}

TEST_F(Texts, TextRunsRulersAndUserDataGoThroughTheFloorPlanAndAProjectFile) {
    TempFolder folder;
    const String words("Gr\xC3\xBC\xC3\x9F"
                       "e\r\nTsch\xC3\xBC\xC3\x9F"); // 5 + 2 + 6 characters
    Text text(words);
    StyledString styled(text.getText());
    TextStyle big(0, 5.0);
    big.setPen(Pen(AttributeLink(2, AttrPen)));
    styled.setStyle(big, 7);
    TextRuler ruler;
    ruler.setAlignment(2);
    auto tabs = std::make_unique<TextRuler::TabList>();
    tabs->push_back(std::make_unique<TextRuler::Tab>(1, 0.25));
    ruler.setTabs(std::move(tabs));
    styled.setRuler(ruler, 7);
    text.setText(styled, false);
    const MemoryBlock data = blockOf("<annotation clause=\"F10\"/>");
    ASSERT_TRUE(
        change([&] { return text.placeInBox(CadPoint(0, 0), CadPoint(2, 1), *Host::getPlan(), &data); }));
    const API_Guid guid = text.getGuid().toAPI();

    for (bool reopened : {false, true}) {
        if (reopened) {
            ASSERT_EQ(host.saveAndReopenProject(folder.path("notes.zavproj")), hosterr::Ok);
        }
        std::unique_ptr<Text> back = read(guid);
        ASSERT_NE(back, nullptr) << reopened;
        const StyledString& got = back->getText();
        EXPECT_EQ(got, words) << reopened;
        EXPECT_EQ(styleRuns(got), (std::vector<std::pair<size_t, double>>{{0, 2.5}, {7, 5.0}})) << reopened;
        EXPECT_EQ(got.getStyleRunAt(8).value->getPen().getIndex16(), 2);
        const auto rulers = got.getRulerRuns();
        ASSERT_EQ(rulers.size(), 2u);
        EXPECT_EQ(rulers[1].start, 7u);
        EXPECT_EQ(rulers[1].value->getAlignment(), 2u);
        ASSERT_NE(rulers[1].value->getTabs(), nullptr);
        EXPECT_EQ(*(*rulers[1].value->getTabs())[0], TextRuler::Tab(1, 0.25));
        EXPECT_EQ(back->getLineCount(), 2u);
        std::unique_ptr<MemoryBlock> userData = back->getUserData();
        ASSERT_NE(userData, nullptr);
        EXPECT_EQ(bytesOf(*userData), "<annotation clause=\"F10\"/>");
    }
}
