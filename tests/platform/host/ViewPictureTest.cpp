// The picture of a small known plan, element by element: walls at their thickness with their
// window and door, a label's leader, a text block wrapped in its box, numbers along the frame
// that keep clear of each other, and a legend that names what has no place.
#include <cstdlib>
#include <regex>

#include "HostTestSupport.h"
#include "platform/host/ElementGeometry.h"
#include "platform/host/Project.h"
#include "platform/host/RecordFields.h"
#include "platform/host/TextBlocks.h"
#include "platform/host/ViewPicture.h"

using namespace zavhost;

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The part of the picture inside <g class="NAME">.
std::string group(const std::string& svg, const std::string& name) {
    const size_t start = svg.find("<g class=\"" + name + "\"");
    if (start == std::string::npos) return {};
    return svg.substr(start, svg.find("</g>", start) - start);
}

class ViewPictureTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        // At 1:100 a model metre is 10 mm on paper, y upwards in the model and downwards here.
        ASSERT_TRUE(play("project new \"Picture\"\n"
                         "element add wall as \"south\" from 0 0 to 4 0\n"
                         "element add wall as \"east\" from 4 0 to 4 3\n"
                         "element add window wall \"south\" position 2\n"
                         "element add door wall \"east\" position 1\n"
                         "element add label at 2 3 text \"Note\"\n"
                         "element add text at 1 5 text \"Clay facing brickwork in Flemish bond\"\n"
                         "element add hatch id \"H-9\"\n"))
            << failure;
        for (const StoredElement* element : plan().elements.inOrder()) {
            const uint32_t type = element->head().typeCode;
            if (type == 16) label = element->guid();
            if (type == 15) text = element->guid();
        }
    }
    ViewDatabase& plan() { return host.project()->model.views.plan(); }
    std::string draw() {
        const ViewPicture picture = drawView(*host.project(), plan(), host.project()->model.storeys.find(0));
        return picture.svg;
    }

    API_Guid label, text;
};

} // namespace

TEST_F(ViewPictureTest, WallsStandAtTheirThicknessWithTheirWindowAndDoorCutIn) {
    const std::string svg = draw();
    // 0.3 thick, to the left of the line from begin to end.
    EXPECT_TRUE(
        has(svg, "<path d=\"M 0.00 0.00 L 40.00 0.00 L 40.00 -3.00 L 0.00 -3.00 Z\" fill=\"#d0d0d0\""))
        << svg;
    EXPECT_TRUE(
        has(svg, "<path d=\"M 40.00 0.00 L 40.00 -30.00 L 37.00 -30.00 L 37.00 0.00 Z\" fill=\"#d0d0d0\""))
        << svg;
    // The window, 1.2 wide about 2 along the south wall, its glass along the wall's middle.
    const std::string window = group(svg, "window");
    EXPECT_TRUE(
        has(window, "<path d=\"M 14.00 0.00 L 26.00 0.00 L 26.00 -3.00 L 14.00 -3.00 Z\" fill=\"white\""))
        << window;
    EXPECT_TRUE(has(window, "<line x1=\"14.00\" y1=\"-1.50\" x2=\"26.00\" y2=\"-1.50\"")) << window;
    // The door, 0.9 wide about 1 up the east wall, its leaf open into the room and its swing back
    // to the far jamb.
    const std::string door = group(svg, "door");
    EXPECT_TRUE(has(door, "<path d=\"M 40.00 -5.50 L 40.00 -14.50 L 37.00 -14.50 L 37.00 -5.50 Z\"")) << door;
    EXPECT_TRUE(has(door, "<path d=\"M 37.00 -5.50 L 28.00 -5.50 A 9.00 9.00 0 0 1 37.00 -14.50\"")) << door;
    // Openings over their walls, annotations over both.
    EXPECT_LT(svg.find("<g class=\"wall\""), svg.find("<g class=\"window\""));
    EXPECT_LT(svg.find("<g class=\"door\""), svg.find("<g class=\"label\""));
}

TEST_F(ViewPictureTest, ALabelRunsFromADotOnItsElementAlongItsLeader) {
    HostLabelElement part = partOf<HostLabelElement>(plan().elements.find(label)->record);
    part.leader[1] = {2.6, 3.0};
    part.leader[2] = {3.2, 3.5};
    setPart(plan().elements.edit(label)->record, part);
    const std::string drawn = group(draw(), "label");
    EXPECT_TRUE(has(drawn, "<circle cx=\"20.00\" cy=\"-30.00\" r=\"0.50\"")) << drawn;
    EXPECT_TRUE(has(drawn, "<polyline points=\"20.00,-30.00 26.00,-30.00 32.00,-35.00\"")) << drawn;
    EXPECT_TRUE(has(drawn, "<text x=\"32.50\"")) << drawn;
    EXPECT_TRUE(has(drawn, ">Note</text>")) << drawn;
}

TEST_F(ViewPictureTest, ATextBlocksTextIsWrappedAtItsWidthAndItsBoxGrowsToHoldIt) {
    HostTextElement part = textPartOf(plan().elements.find(text)->record);
    part.width = 20.0;
    part.height = 5.0;
    setTextPart(plan().elements.edit(text)->record, part);
    const std::string block = group(draw(), "text");
    // At 2.5 mm in "Sans" a character is 1.25 mm times its factor: "Clay facing" 11.5, with
    // " brickwork" 23.375; "brickwork in" 13.75, with " Flemish" 22.75; "Flemish bond" 14.
    EXPECT_TRUE(has(block, "<text x=\"10.00\" y=\"-47.50\" font-size=\"2.50\" textLength=\"11.50\" "
                           "lengthAdjust=\"spacingAndGlyphs\" fill=\"#202020\">Clay facing</text>"))
        << block;
    EXPECT_TRUE(has(block, "y=\"-45.00\" font-size=\"2.50\" textLength=\"13.75\"")) << block;
    EXPECT_TRUE(has(block, ">brickwork in</text>")) << block;
    EXPECT_TRUE(has(block, "y=\"-42.50\" font-size=\"2.50\" textLength=\"14.00\"")) << block;
    EXPECT_TRUE(has(block, ">Flemish bond</text>")) << block;
    // Three lines of 2.5 and a little below the last: taller than the 5 mm given.
    EXPECT_TRUE(has(block, "<rect x=\"10.00\" y=\"-50.00\" width=\"20.00\" height=\"8.25\"")) << block;
}

TEST_F(ViewPictureTest, ATextBlocksLinesLeaveRoomForAViewersWiderFont) {
    HostTextElement part = textPartOf(plan().elements.find(text)->record);
    part.width = 25.0;
    setTextPart(plan().elements.edit(text)->record, part);
    const std::string block = group(draw(), "text");
    // "Clay facing brickwork" measures 23.375, inside the 25 mm box, but a viewer's font that runs
    // a quarter wider would take it past the box: lines are kept to 25 / 1.25 = 20 by the host's
    // measure ("brickwork in Flemish" is 22.75).
    EXPECT_TRUE(has(block, "textLength=\"11.50\" lengthAdjust=\"spacingAndGlyphs\" fill=\"#202020\">Clay "
                           "facing</text>"))
        << block;
    EXPECT_TRUE(has(block, ">brickwork in</text>")) << block;
    EXPECT_TRUE(has(block, ">Flemish bond</text>")) << block;
}

TEST_F(ViewPictureTest, ALineThatTakesTheWholeRoomLeftByTheAllowanceStillFits) {
    // 16 "m" at 2.5 mm measure 16 x 1.25 x 1.5 = 30; in a 37.5 mm box the room is 37.5 / 1.25 = 30.
    const std::string ms(16, 'm');
    ASSERT_TRUE(play("element add text at 1 20 text \"" + ms + " x\"\n")) << failure;
    API_Guid added{};
    for (const StoredElement* element : plan().elements.inOrder())
        if (element->head().typeCode == 15) added = element->guid();
    HostTextElement part = textPartOf(plan().elements.find(added)->record);
    part.width = 37.5;
    setTextPart(plan().elements.edit(added)->record, part);
    const std::string svg = draw();
    EXPECT_TRUE(
        has(svg, "textLength=\"30.00\" lengthAdjust=\"spacingAndGlyphs\" fill=\"#202020\">" + ms + "</text>"))
        << svg;
    EXPECT_TRUE(has(svg, ">x</text>")) << svg;
}

TEST_F(ViewPictureTest, AWordWiderThanTheBlockStandsAloneAndABlockWithoutWidthBreaksNothing) {
    HostTextElement part = textPartOf(plan().elements.find(text)->record);
    part.width = 5.0;
    setTextPart(plan().elements.edit(text)->record, part);
    std::string block = group(draw(), "text");
    EXPECT_TRUE(has(block, ">brickwork</text>")) << block;
    EXPECT_TRUE(has(block, ">Clay</text>")) << block;
    part.width = 0.0;
    setTextPart(plan().elements.edit(text)->record, part);
    block = group(draw(), "text");
    EXPECT_TRUE(has(block, ">Clay facing brickwork in Flemish bond</text>")) << block;
}

TEST_F(ViewPictureTest, TheLegendSaysWhatHasNoPlace) {
    const std::string svg = draw();
    EXPECT_TRUE(has(svg, "1 element(s) without a place")) << svg;
    std::string legend = group(svg, "legend");
    // Its lines as one text.
    legend = std::regex_replace(legend, std::regex("</text>\\n<text[^>]*>"), " ");
    EXPECT_TRUE(has(legend,
                    "Without a place: 1 element(s) of which the stand-in host knows no point, so they "
                    "are not drawn: hatch H-9."))
        << legend;
    EXPECT_TRUE(has(legend, "Walls at their thickness")) << legend;
}

TEST_F(ViewPictureTest, TheNumbersAlongTheFrameKeepClearOfEachOther) {
    const std::string numbers = group(draw(), "grid-numbers");
    struct Box {
        double left, top, right, bottom;
        std::string text;
    };
    std::vector<Box> boxes;
    const std::regex number("<text x=\"([-0-9.]+)\" y=\"([-0-9.]+)\">([^<]*)</text>");
    for (auto it = std::sregex_iterator(numbers.begin(), numbers.end(), number); it != std::sregex_iterator();
         ++it) {
        const double x = std::atof((*it)[1].str().c_str()), y = std::atof((*it)[2].str().c_str());
        const std::string figure = (*it)[3];
        // 1.6 mm digits and signs are 0.8 wide, a point 0.4.
        double width = 0.0;
        for (char c : figure)
            width += c == '.' ? 0.4 : 0.8;
        boxes.push_back({x, y - 1.6, x + width, y, figure});
    }
    ASSERT_GE(boxes.size(), 4u) << numbers;
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& a = boxes[i];
            const Box& b = boxes[j];
            const bool apart =
                a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
            EXPECT_TRUE(apart) << a.text << " at " << a.left << " " << a.bottom << " meets " << b.text
                               << " at " << b.left << " " << b.bottom;
        }
}
