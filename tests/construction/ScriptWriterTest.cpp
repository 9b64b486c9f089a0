// Primitives written as script text, byte for byte: the number format, every form with and
// without an offset and an indent, put blocks, fills and gradients, quotes, a failed stream.
// Whatever is written must read as whole statements with no empty argument.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "Environment/DataFile.h"
#include "ScriptCheck.h"
#include "construction/AttributeContext.h"
#include "elements/Primitive.h"
#include "elements/ScriptText.h"
#include "support/TestAddon.h"

using namespace tarnwick;

using namespace scriptcheck;

namespace {

constexpr double pi = std::numbers::pi;

CadPolygon polygonOf(const std::vector<PolyPoint>& vertices, bool closed = true) {
    CadPolygon polygon(vertices.size(), 0, closed);
    for (const PolyPoint& vertex : vertices)
        polygon.append(vertex);
    return polygon;
}

PolyPoint at(double x, double y, double arc = 0.0) {
    return PolyPoint(CadPoint(x, y), arc);
}

CadPolygon unitSquare() {
    return polygonOf({at(0, 0), at(1, 0), at(1, 1), at(0, 1)});
}

std::shared_ptr<PrimitiveArc> arc(double start, double sweep, double ratio = 1.0, double axis = 0.0) {
    HostShapePrimitive record;
    record.pen = 3;
    record.lineType = 1;
    record.arc.centre = {1, 1};
    record.arc.radius = 2;
    record.arc.ratio = ratio;
    record.arc.axisAngle = axis;
    if (ratio != 1.0) {
        // Only a record carries an ellipse.
        record.arc.startAngle = start;
        record.arc.endAngle = start + sweep;
        return std::make_shared<PrimitiveArc>(record, true, false);
    }
    return std::make_shared<PrimitiveArc>(record, CadArc(CadPoint(1, 1), 2, sweep, start), true, false);
}

HostShapePrimitive hatchRecord() {
    HostShapePrimitive record;
    record.kind = ShapePolygon;
    record.pen = 3;
    record.lineType = 1;
    return record;
}

std::shared_ptr<PrimitiveHatch> hatch(uint16_t fillIndex, uint16_t background, bool gradient = false,
                                      bool linear = false) {
    HostFillRecord fill;
    fill.fillIndex = fillIndex;
    fill.fillPen = 5;
    fill.backgroundPen = background;
    fill.contour = 1;
    fill.gradient = gradient ? 1 : 0;
    fill.linear = linear ? 1 : 0;
    return std::make_shared<PrimitiveHatch>(hatchRecord(), fill, unitSquare(), true, false);
}

const std::string squareBlock = "put 0, 0, 1,\n\t1, 0, 1,\n\t1, 1, 1,\n\t0, 1, 1,\n\t0, 0, 1,\n\t0, 0, 700\n";

class ScriptWriter : public ::testing::Test {
protected:
    testsupport::ModuleUnderTest module;
};

} // namespace

TEST(ScriptNumbers, AreRoundedToAHundredThousandthAndKeepSixDigits) {
    const std::vector<std::pair<double, const char*>> cases = {
        {1234.56789, "1234.57"}, {0.000004, "0"},     {-0.000006, "-1e-05"}, {0.00001, "1e-05"},
        {1500000, "1.5e+06"},    {999999.7, "1e+06"}, {0.1 + 0.2, "0.3"},    {-2, "-2"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(ScriptText::number(value), expected) << value;
}

TEST(ScriptNumbers, TextsKeepTheirBytesUnlessAQuoteOrALineBreakWouldEndThem) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"Hello", "\"Hello\""},
        {"it's", "\"it's\""},
        {"say \"hi\"", "'say \"hi\"'"},
        {"it's \"x\"", "\"it's 'x'\""},
        {"two\r\nlines", "\"two  lines\""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ScriptText::quoted(String(text)), expected) << text;
}

TEST_F(ScriptWriter, PointsLinesAndTextsWithAndWithoutOffsetAndIndent) {
    const CadPoint moved(10, 0, 5);
    auto point = [] { return std::make_shared<PrimitivePoint>(CadPoint(1, 2, 3), 0, 3, true, true); };
    auto line = [] {
        return std::make_shared<PrimitiveLine>(CadPoint(0, 0, 0), CadPoint(1.5, 2, 0), 0, 3, 1, true, true);
    };
    auto text = [](const char* value) {
        return [value] {
            return std::make_shared<PrimitiveText>(String(value), CadPoint(1, 2), 0.0, 0, 3, true, false);
        };
    };
    auto hidden = [] { return std::make_shared<PrimitivePoint>(CadPoint(1, 2, 3), 0, 3, false, false); };
    expectAll({
        {"point 2D", point, false, {}, 0, "hotspot2 1, 2\n"},
        {"point 3D", point, true, {}, 0, "hotspot 1, 2, 3\n"},
        {"point 2D moved", point, false, moved, 1, "\thotspot2 11, 2\n"},
        {"point 3D moved", point, true, moved, 2, "\t\thotspot 11, 2, 8\n"},
        {"line 2D", line, false, {}, 0, "line2 0, 0, 1.5, 2\n"},
        {"line 3D", line, true, {}, 0, "lin_ 0, 0, 0, 1.5, 2, 0\n"},
        {"line 2D moved", line, false, moved, 1, "\tline2 10, 0, 11.5, 2\n"},
        {"line 3D moved", line, true, moved, 1, "\tlin_ 10, 0, 5, 11.5, 2, 5\n"},
        {"text", text("Hello"), false, {}, 0, "text2 1, 2, \"Hello\"\n"},
        {"text moved", text("Hello"), false, moved, 1, "\ttext2 11, 2, \"Hello\"\n"},
        {"text with quotes", text("say \"hi\""), false, {}, 0, "text2 1, 2, 'say \"hi\"'\n"},
        {"text has no 3D", text("Hello"), true, {}, 0, ""},
        {"not in 2D", hidden, false, {}, 0, ""},
        {"not in 3D", hidden, true, {}, 0, ""},
    });
}

TEST_F(ScriptWriter, ArcsByTheSignOfTheirSweepFullCirclesAndEllipsesAboutTheirCentre) {
    expectAll({
        {"quarter", [] { return arc(0, pi / 2); }, false, {}, 0, "arc2 1, 1, 2, 0, 90\n"},
        {"clockwise", [] { return arc(0, -3 * pi / 2); }, false, {}, 0, "arc2 1, 1, 2, -270, 0\n"},
        {"whole turn", [] { return arc(0, 2 * pi); }, false, {}, 0, "circle2 1, 1, 2\n"},
        {"full circle of a record", [] { return arc(0.5, 0); }, false, {}, 0, "circle2 1, 1, 2\n"},
        {"clockwise whole turn", [] { return arc(0, -2 * pi); }, false, {}, 0, "circle2 1, 1, 2\n"},
        {"moved", [] { return arc(0, pi / 2); }, false, CadPoint(10, 0), 1, "\tarc2 11, 1, 2, 0, 90\n"},
        {"ellipse",
         [] { return arc(0, 2 * pi, 0.5, 30); },
         false,
         {},
         0,
         "add2 1, 1\nrot2 30\nmulx 0.5\ncircle2 0, 0, 2\ndel 3\n"},
        {"elliptic arc moved", [] { return arc(0, pi / 2, 0.5, 30); }, false, CadPoint(10, 0), 1,
         "\tadd2 11, 1\n\trot2 30\n\tmulx 0.5\n\tarc2 0, 0, 2, 0, 90\n\tdel 3\n"},
        {"no 3D", [] { return arc(0, pi / 2); }, true, {}, 0, ""},
    });
}

TEST_F(ScriptWriter, PolygonsOpenClosedWithArcsAndHolesFilledOrNot) {
    auto square = [](bool filled) {
        return [filled] {
            auto polygon = std::make_shared<PrimitivePolygon>(unitSquare(), 0, 3, 1, true, false);
            polygon->setFilled(filled);
            polygon->setFillPen(5);
            return polygon;
        };
    };
    auto open = [] {
        return std::make_shared<PrimitivePolygon>(polygonOf({at(0, 0), at(1, 0), at(1, 1)}, false), 0, 3, 1,
                                                  true, false);
    };
    auto arched = [] {
        return std::make_shared<PrimitivePolygon>(polygonOf({at(0, 0), at(1, 0), at(0, 1, pi / 2)}, false), 0,
                                                  3, 1, true, false);
    };
    auto holed = [] {
        CadPolygon outline = polygonOf({at(0, 0), at(10, 0), at(10, 10)});
        outline.addHole(new CadPolygon(polygonOf({at(1, 1), at(2, 1), at(2, 2)})));
        outline.addHole(new CadPolygon(polygonOf({at(5, 1), at(6, 1), at(6, 2)})));
        return std::make_shared<PrimitivePolygon>(outline, 0, 3, 1, true, false);
    };
    auto invalid = [] {
        return std::make_shared<PrimitivePolygon>(polygonOf({at(0, 0), at(1, 0)}), 0, 3, 1, true, false);
    };
    expectAll({
        {"closed", square(false), false, {}, 0, squareBlock + "poly2_a 6, 1, 3, get(18)\n"},
        {"filled", square(true), false, {}, 0, squareBlock + "poly2_b 6, 3, 5, 5, get(18)\n"},
        {"filled moved", square(true), false, CadPoint(10, 0), 1,
         "\tput 10, 0, 1,\n\t\t11, 0, 1,\n\t\t11, 1, 1,\n\t\t10, 1, 1,\n\t\t10, 0, 1,\n\t\t0, 0, 700\n"
         "\tpoly2_b 6, 3, 5, 5, get(18)\n"},
        {"open", open, false, {}, 0, "put 0, 0, 1,\n\t1, 0, 1,\n\t1, 1, 1\npoly2_a 3, 1, 3, get(9)\n"},
        {"arc edge",
         arched,
         false,
         {},
         0,
         "put 0, 0, 1,\n\t1, 0, 1,\n\t0, 0, 901,\n\t0, 90, 4001\npoly2_a 4, 1, 3, get(12)\n"},
        {"two holes",
         holed,
         false,
         {},
         0,
         "put 0, 0, 1,\n\t10, 0, 1,\n\t10, 10, 1,\n\t0, 0, 1,\n\t0, 0, -1,\n"
         "\t1, 1, 1,\n\t2, 1, 1,\n\t2, 2, 1,\n\t1, 1, 1,\n\t1, 1, -1,\n"
         "\t5, 1, 1,\n\t6, 1, 1,\n\t6, 2, 1,\n\t5, 1, 1,\n\t5, 1, -1\n"
         "poly2_a 15, 1, 3, get(45)\n"},
        {"not valid", invalid, false, {}, 0, ""},
    });
}

TEST_F(ScriptWriter, EachContourRunsBackToItsFirstVertexOnlyWhenItIsClosedItself) {
    // A triangle with a triangular hole; one of the two open, the other closed.
    auto holed = [](bool outlineClosed, bool holeClosed) {
        return [=] {
            CadPolygon outline = polygonOf({at(0, 0), at(10, 0), at(10, 10)}, outlineClosed);
            outline.addHole(new CadPolygon(polygonOf({at(1, 1), at(2, 1), at(2, 2)}, holeClosed)));
            return std::make_shared<PrimitivePolygon>(outline, 0, 3, 1, true, false);
        };
    };
    expectAll({
        {"open outline, closed hole",
         holed(false, true),
         false,
         {},
         0,
         "put 0, 0, 1,\n\t10, 0, 1,\n\t10, 10, 1,\n\t0, 0, -1,\n"
         "\t1, 1, 1,\n\t2, 1, 1,\n\t2, 2, 1,\n\t1, 1, 1,\n\t1, 1, -1\n"
         "poly2_a 9, 1, 3, get(27)\n"},
        {"closed outline, open hole",
         holed(true, false),
         false,
         {},
         0,
         "put 0, 0, 1,\n\t10, 0, 1,\n\t10, 10, 1,\n\t0, 0, 1,\n\t0, 0, -1,\n"
         "\t1, 1, 1,\n\t2, 1, 1,\n\t2, 2, 1,\n\t1, 1, -1\n"
         "poly2_a 9, 1, 3, get(27)\n"},
    });
}

TEST_F(ScriptWriter, HatchesWithAndWithoutFillAndContext) {
    expectAll({
        {"no fill", [] { return hatch(0, 6); }, false, {}, 0, squareBlock + "poly2_a 6, 1, 3, get(18)\n"},
        {"fill", [] { return hatch(7, 6); }, false, {}, 0, squareBlock + "poly2_b 6, 3, 5, 6, get(18)\n"},
        {"gradient",
         [] { return hatch(0, 6, true, true); },
         false,
         {},
         0,
         squareBlock + "poly2_b 6, 3, 5, 6, get(18)\n"},
    });
    AttributeContext context;
    EXPECT_EQ(write(*hatch(7, 0), false, &context).text,
              squareBlock + "pen 3\nline_type 1\nfill 7\npoly2_b 6, 3, 5, 0, get(18)\n");
    // Fill pens never written: the plain index keeps the argument.
    context.setNames(AttrPen, String(), String(), AttributeContext::NeverWritten, ScriptAttributes::FillPens);
    EXPECT_EQ(write(*hatch(7, 6), false, &context).text,
              squareBlock + "pen 3\npoly2_b 6, 3, 5, 6, get(18)\n");
}

TEST_F(ScriptWriter, AGradientIsDefinedOnceAndSetWhileNotCurrent) {
    AttributeContext context;
    const auto linear = hatch(0, 6, true, true);
    EXPECT_EQ(write(*linear, false, &context).text,
              squareBlock + "pen 3\nline_type 1\ndefine linear_gradient_fill tarnwickLinearGradient\n"
                            "set fill tarnwickLinearGradient\npoly2_b 6, 3, 5, 6, get(18)\n");
    EXPECT_EQ(write(*linear, false, &context).text, squareBlock + "pen 3\npoly2_b 6, 3, 5, 6, get(18)\n");
    EXPECT_EQ(context.getCurrent(AttrFill), ScriptAttributes::LinearGradientFill);

    const auto radial = hatch(0, 6, true, false);
    EXPECT_EQ(from(write(*radial, false, &context, CadPoint(), 1).text, "\tpen"),
              "\tpen 3\n\tdefine radial_gradient_fill tarnwickRadialGradient\n"
              "\tset fill tarnwickRadialGradient\n\tpoly2_b 6, 3, \t5, \t6, get(18)\n");
    // A new section defines its gradients again.
    context.reset(nullptr);
    EXPECT_NE(write(*linear, false, &context).text.find("define linear_gradient_fill"), std::string::npos);
}

TEST_F(ScriptWriter, ADistortedHatchWritesItsReferencePointAndValuesWithAContext) {
    HostFillRecord fill;
    fill.fillIndex = 7;
    fill.fillPen = 5;
    fill.backgroundPen = 6;
    fill.origin = {1, 2};
    const double values[5] = {1, 0.5, 0, 2, 45};
    for (size_t i = 0; i < 5; ++i)
        fill.distortion[i] = values[i];
    const PrimitiveDistortedHatch distorted(hatchRecord(), fill, unitSquare(), true, false);
    EXPECT_EQ(write(distorted, false).text, squareBlock + "poly2_b 6, 2, 5, 6, get(18)\n");
    AttributeContext context;
    EXPECT_EQ(
        from(write(distorted, false, &context, CadPoint(10, 0)).text, "pen"),
        "pen 3\nline_type 1\nfill 7\npoly2_b{5} 6, 2, 1, 8,\n\t5, 6,\n\t11, 2,\n\t1, 0.5, 0, 2,\n\t45,\n"
        "\tget(18)\n");
}

TEST_F(ScriptWriter, ALineInsideABracketTakesItsPenInTheFillPenSlot) {
    AttributeContext context;
    PrimitiveLine bracketed(CadPoint(0, 0), CadPoint(1, 1), 0, 3, 1, true, false);
    bracketed.setOptions(1, 0);
    const PrimitiveLine plain(CadPoint(0, 0), CadPoint(1, 1), 0, 3, 1, true, false);
    EXPECT_EQ(write(bracketed, false, &context).text, "pen 3\nline_type 1\nline2 0, 0, 1, 1\n");
    EXPECT_EQ(write(bracketed, false, &context).text, "line2 0, 0, 1, 1\n");
    EXPECT_EQ(write(plain, false, &context).text, "pen 3\nline2 0, 0, 1, 1\n");
    bracketed.setOptions(0, 1);
    EXPECT_EQ(write(bracketed, false, &context).text, "line2 0, 0, 1, 1\n");
}

TEST_F(ScriptWriter, AStreamThatFailedAnswersFalse) {
    const PrimitivePoint point(CadPoint(1, 2, 3), 0, 3, true, true);
    DataBufferOut unopened;
    EXPECT_FALSE(point.write2DScript(unopened, nullptr, CadPoint(), 0));
    EXPECT_EQ(unopened.getState(), DataBufferOut::StateNoSink);
    // A device that takes no bytes.
    DataFile full(String("/dev/full"));
    DataBufferOut refused;
    ASSERT_TRUE(refused.open(full));
    refused << "lost";
    EXPECT_FALSE(refused.flush());
    EXPECT_EQ(refused.getState(), DataBufferOut::StateWriteFailed);
    EXPECT_FALSE(point.write3DScript(refused, nullptr, CadPoint(), 0));
    // Nothing asked of it, nothing wrong.
    const PrimitivePoint hidden(CadPoint(1, 2, 3), 0, 3, false, false);
    EXPECT_TRUE(hidden.write2DScript(unopened, nullptr, CadPoint(), 0));
}

TEST(ScriptCheck, FindsEmptyArgumentsOpenQuotesAndUnfinishedStatements) {
    EXPECT_EQ(problems("poly2_b 6, 3, 5, 6, get(18)\nput 0, 0, 1,\n\t1, 0, 1\ntext2 1, 2, 'a \"b\"'\n"), "");
    EXPECT_NE(problems("poly2_b 6, 3, 5, , get(18)\n"), "");
    EXPECT_NE(problems("text2 1, 2, \"a \"b\"\n"), "");
    EXPECT_NE(problems("put 0, 0, 1,\n"), "");
    EXPECT_NE(problems("line2 0, 0, 1, 1"), "");
}
