// The native context drawer on the stand-in's recording context: what reaches the context, call by
// call, for lines, arcs, texts and polygons under a scale, an origin and fixed pen settings. The
// pens are the stand-in project's defaults (pen 3: green, 0.25 mm; pen 2: red, 0.18 mm).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>

#include "construction/NativeContextDrawer.h"
#include "elements/Primitive.h"
#include "support/TestAddon.h"

using namespace tarnwick;

namespace {

constexpr double pi = std::numbers::pi;

// One line per call: its name, its numbers (%g) and its text.
std::string transcript(const NewDisplay::NativeContext& context) {
    std::string text;
    for (const auto& call : context.GetCalls()) {
        text += call.name;
        for (float value : call.arguments) {
            char number[32];
            std::snprintf(number, sizeof number, " %g", value);
            text += number;
        }
        if (!call.text.IsEmpty()) text += " \"" + call.text.ToCStr() + "\"";
        text += "\n";
    }
    return text;
}

std::string widthLine(double width) {
    char line[64];
    std::snprintf(line, sizeof line, "SetLineWidth %g\n", static_cast<float>(width));
    return line;
}

class Drawer : public ::testing::Test {
protected:
    Drawer() {
        drawer.setScale(2.0);
        drawer.setOrigin(CadPoint(100, 100));
    }
    testsupport::ModuleUnderTest module;
    std::shared_ptr<NewDisplay::NativeContext> context = std::make_shared<NewDisplay::NativeContext>();
    NativeContextDrawer drawer{context};
};

} // namespace

TEST_F(Drawer, WithoutAContextNothingIsDrawnAndNoPenBecomesCurrent) {
    NativeContextDrawer none;
    const PrimitiveLine line(CadPoint(0, 0), CadPoint(1, 1), 0, 3, 2, true, false);
    const PrimitiveText text(String("A"), CadPoint(0, 0), 0.0, 0, 3, true, false);
    EXPECT_TRUE(line.draw(none, CadPoint()));
    EXPECT_TRUE(text.draw(none, CadPoint()));
    none.setPen(3);
    EXPECT_EQ(none.getCurrentPen(), 0);
    EXPECT_EQ(none.getCurrentLineType(), 0);
    // Points, polygons and bodies draw nothing even with a context.
    const PrimitivePoint point(CadPoint(0, 0), 0, 3, true, false);
    EXPECT_TRUE(point.draw(drawer, CadPoint()));
    EXPECT_EQ(transcript(*context), "");
}

TEST_F(Drawer, APenIsSetOnceForTwoLinesWithItsColourAndScaledWidthUnlessFixed) {
    const PrimitiveLine first(CadPoint(0, 0), CadPoint(1, 2), 0, 3, 2, true, false);
    const PrimitiveLine second(CadPoint(1, 2), CadPoint(3, 2), 0, 3, 2, true, false);
    first.draw(drawer, CadPoint(1, 0));
    second.draw(drawer, CadPoint());
    EXPECT_EQ(transcript(*context), "SetForeColor 0 0.5 0 1\n" + widthLine(0.25 * 2.0 / 0.3527777777778) +
                                        "MoveTo 101 100\nLineTo 102 98\nMoveTo 101 98\nLineTo 103 98\n");
    EXPECT_EQ(drawer.getCurrentPen(), 3);
    EXPECT_EQ(drawer.getCurrentLineType(), 2);

    context->ClearCalls();
    drawer.setFixedWidth(0.5);
    drawer.setFixedColour(Colour(0.0, 0.0, 1.0));
    const PrimitiveLine red(CadPoint(0, 0), CadPoint(1, 0), 0, 2, 1, true, false);
    red.draw(drawer, CadPoint());
    EXPECT_EQ(transcript(*context),
              "SetForeColor 0 0 1 1\nSetLineWidth 0.5\nMoveTo 100 100\nLineTo 101 100\n");
}

TEST_F(Drawer, ArcsStartAtTheirMirroredEndAndWholeTurnsOrRecordsWithoutSweepAreFullCircles) {
    struct Case {
        double start, sweep;
        const char* arc; // the ArcTo line
    };
    // Centre (1, 1), radius 2: at scale 2 the context radius is 4.
    const Case cases[] = {
        {0, pi / 2, "ArcTo 101 99 4 4.71239 1.5708"},         // a quarter
        {pi / 2, -pi / 2, "ArcTo 101 99 4 0 -1.5708"},        // clockwise
        {0, 2 * pi, "ArcTo full 101 99 4 0 6.28319"},         // a whole turn
        {1, 0, "ArcTo full 101 99 4 0 6.28319"},              // a record whose ends meet
        {1, -2 * pi + 1e-7, "ArcTo full 101 99 4 0 6.28319"}, // nearly a turn back
    };
    for (const Case& c : cases) {
        context->ClearCalls();
        drawer.setContext(context);
        const PrimitiveArc arc(CadArc(CadPoint(0, 1), 2, c.sweep, c.start), 0, 3, 1, true, false);
        EXPECT_TRUE(arc.draw(drawer, CadPoint(1, 0)));
        const CadPoint end = drawer.mapPoint(arc.getEndPoint() + CadPoint(1, 0));
        char move[64];
        std::snprintf(move, sizeof move, "MoveTo %g %g\n", static_cast<float>(end.getX()),
                      static_cast<float>(end.getY()));
        EXPECT_EQ(transcript(*context),
                  "SetForeColor 0 0.5 0 1\n" + widthLine(0.25 * 2.0 / 0.3527777777778) + move + c.arc + "\n")
            << c.start << " " << c.sweep;
    }
}

TEST_F(Drawer, TextsAreDrawnAtTheirMappedAnchorWithTheirAngleAndEmptyOnesNotAtAll) {
    const PrimitiveText empty(String(""), CadPoint(0, 0), 0.0, 0, 3, true, false);
    empty.draw(drawer, CadPoint());
    EXPECT_EQ(transcript(*context), "");
    const PrimitiveText text(String("Wall ä"), CadPoint(2, 3), 0.5, 0, 3, true, false);
    EXPECT_TRUE(text.draw(drawer, CadPoint(0, 1)));
    EXPECT_EQ(transcript(*context), "SetForeColor 0 0.5 0 1\n" + widthLine(0.25 * 2.0 / 0.3527777777778) +
                                        "DrawPlainText 10 102 96 0.5 \"Wall ä\"\n");
}

TEST_F(Drawer, APolygonIsItsOutlineClosedBackToItsFirstVertex) {
    CadPolygon triangle;
    for (const CadPoint& p : {CadPoint(0, 0), CadPoint(2, 0), CadPoint(0, 2)})
        triangle.append(PolyPoint(p));
    drawer.setFixedWidth(1.0);
    drawer.drawPolygon(PrimitivePolygon(CadPolygon(), 0, 3, 1, true, false), CadPoint());
    EXPECT_EQ(transcript(*context), "");
    drawer.drawPolygon(PrimitivePolygon(triangle, 0, 3, 1, true, false), CadPoint(1, 1));
    EXPECT_EQ(transcript(*context), "SetForeColor 0 0.5 0 1\nSetLineWidth 1\nBeginPolygon 0\nMoveTo 101 99\n"
                                    "LineTo 103 99\nLineTo 101 97\nLineTo 101 99\nEndPolygon\n");
}
