// Points and boxes as XML: what is left out of a plan point, and what a read puts back.
#include <gtest/gtest.h>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "annotation/XMLPoint.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"

using namespace tarnwick;
using namespace zavlink;

namespace {

std::string written(XMLShipping& root) {
    String text;
    DataBufferOut out;
    if (!out.open(text)) return "<no sink>";
    XMLWriter writer(out);
    const bool ok = writer.write(root, false, 0, false, false);
    return out.close() && ok ? text.bytes() : "<failed>";
}

bool read(const std::string& text, XMLShipping& root) {
    DataBufferIn in{String(text)};
    XMLReader reader(in);
    return reader.read(root);
}

TEST(XMLPoint, ZAndSweepAreWrittenOnlyAboveTheTolerance) {
    const struct {
        double z, sweep;
        const char* xml;
    } cases[] = {
        {0.0, 0.0, "<p><x>1</x><y>2</y></p>"},
        {0.00001, -0.00001, "<p><x>1</x><y>2</y></p>"},
        {0.5, 0.0, "<p><x>1</x><y>2</y><z>0.5</z></p>"},
        {0.0, -1.5, "<p><x>1</x><y>2</y><sweep>-1.5</sweep></p>"},
    };
    for (const auto& c : cases) {
        PolyPoint point(CadPoint(1.0, 2.0, c.z), c.sweep);
        XMLPoint xml(point, String("p"));
        EXPECT_EQ(written(xml), c.xml) << c.z << " " << c.sweep;
    }
}

TEST(XMLPoint, AResetZeroesEveryFieldAndAReadPutsThemAllBack) {
    PolyPoint point(CadPoint(7.0, 8.0, 9.0), 0.25);
    XMLPoint xml(point, String("p"));
    xml.clear();
    EXPECT_EQ(written(xml), "<p><x>0</x><y>0</y></p>");
    // The point itself changes only with a read.
    EXPECT_EQ(point.getZ(), 9.0);
    EXPECT_EQ(point.getArcAngle(), 0.25);

    // What the text leaves out, as the writer leaves out a zero z or sweep, reads as 0.
    ASSERT_TRUE(read("<p><x>-1.5</x><y>3</y><sweep>0.75</sweep></p>", xml));
    EXPECT_DOUBLE_EQ(point.getX(), -1.5);
    EXPECT_DOUBLE_EQ(point.getY(), 3.0);
    EXPECT_EQ(point.getZ(), 0.0);
    EXPECT_DOUBLE_EQ(point.getArcAngle(), 0.75);

    xml.reset();
    ASSERT_TRUE(read("<p><z>2</z></p>", xml));
    EXPECT_EQ(point.getX(), 0.0);
    EXPECT_EQ(point.getY(), 0.0);
    EXPECT_DOUBLE_EQ(point.getZ(), 2.0);
    EXPECT_EQ(point.getArcAngle(), 0.0);

    PolyPoint untouched(CadPoint(1.0, 1.0, 1.0));
    XMLPoint bad(untouched, String("p"));
    EXPECT_FALSE(read("<p><x>one</x></p>", bad));
    EXPECT_DOUBLE_EQ(untouched.getX(), 1.0);
}

TEST(XMLBox, AResetEmptiesTheBoxAndBothCorners) {
    Cube box(1.0, 2.0, 3.0, 4.0, 6.0, 8.0);
    XMLBox xml(box, String("box"));
    xml.clear();
    EXPECT_EQ(box.getMin(), CadPoint(0.0, 0.0, 0.0));
    EXPECT_EQ(box.getMax(), CadPoint(0.0, 0.0, 0.0));
    EXPECT_EQ(written(xml), "<box><origin><x>0</x><y>0</y></origin><end><x>0</x><y>0</y></end></box>");

    // A read after it: what a corner leaves out is 0, not what the box had.
    Cube raised(1.0, 2.0, 3.0, 4.0, 6.0, 8.0);
    XMLBox into(raised, String("box"));
    into.reset();
    ASSERT_TRUE(
        read("<box><origin><x>1</x></origin><end><x>5</x><y>5</y><sweep>1</sweep></end></box>", into));
    EXPECT_EQ(raised.getMin(), CadPoint(1.0, 0.0, 0.0));
    EXPECT_EQ(raised.getMax(), CadPoint(5.0, 5.0, 0.0));
}

TEST(XMLBox, RoundTripsAndAReadBoxComesBackNormalised) {
    Cube box(1.0, 2.0, 0.0, 4.0, 6.0, 3.0);
    XMLBox xml(box, String("box"));
    const std::string text = written(xml);
    EXPECT_EQ(text, "<box><origin><x>1</x><y>2</y></origin><end><x>4</x><y>6</y><z>3</z></end></box>");
    Cube back;
    XMLBox into(back, String("box"));
    ASSERT_TRUE(read(text, into));
    EXPECT_EQ(back, box);

    // The origin above and right of the end: the corners are swapped into order.
    Cube swapped;
    XMLBox upside(swapped, String("box"));
    ASSERT_TRUE(
        read("<box><origin><x>5</x><y>5</y><z>2</z></origin><end><x>1</x><y>-1</y></end></box>", upside));
    EXPECT_EQ(swapped.getMin(), CadPoint(1.0, -1.0, 0.0));
    EXPECT_EQ(swapped.getMax(), CadPoint(5.0, 5.0, 2.0));
}

} // namespace
