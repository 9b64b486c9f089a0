// The XML writer and reader: exact text, round trips of every member kind, escaping, and what
// the reader does with documents it did not expect.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "Environment/DataFile.h"
#include "Samples.h"

using namespace tarnwick;
using namespace samples;

namespace {

Sample filledSample() {
    Sample s;
    s.title = String("Brick walling, \xC3\xA9tage 2 \xE2\x80\x94 \xF0\x9F\xA7\xB1");
    s.flag = true;
    s.count = std::numeric_limits<unsigned int>::max();
    s.big = std::numeric_limits<unsigned long long>::max();
    s.real = 0.1;
    s.id.generate();
    s.note = String("n\xC3\xB6te");
    s.code = 42;
    s.origin.x = -1e300;
    s.origin.y = 2.5e-310; // subnormal
    s.list.label = String("walls");
    for (const char* name : {"a", "b", "c"}) {
        s.list.items.emplace_back();
        s.list.items.back().name = String(name);
        s.list.items.back().weight = static_cast<unsigned>(s.list.items.size());
    }
    return s;
}

// An attribute-kind member that the attributes-only pass leaves out.
struct LateAttribute : XMLAssembly {
    String type, field;
    LateAttribute() : XMLAssembly(String("filter")) {}
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&type, String("type"), true);
        if (index == 1 && !attributesOnly)
            return std::make_unique<XMLTypeProxy<String>>(&field, String("field"), true);
        return nullptr;
    }
};

struct Commented : XMLAssembly {
    Commented() : XMLAssembly(String("c")) {}
    String getAuxiliaryText() const override { return String("a -- b -"); }
    size_t getFieldCount() const override { return 0; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t, bool) override { return nullptr; }
};

} // namespace

// Pretty text has one element per line; compact text none; the declaration and the auxiliary text
// (as a well-formed comment) are optional.
TEST(XMLWriter, WritesTheExactTextOfEachForm) {
    Sample s;
    s.note = String("n");
    s.title = String("T");
    Point p;
    p.x = 1.5;
    Commented c;
    const struct {
        XMLShipping& root;
        bool pretty, declaration, auxiliary;
        const char* text;
    } cases[] = {
        {s, true, true, false,
         "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
         "<sample note=\"n\" code=\"0\">\n"
         "\t<title>T</title>\n"
         "\t<flag>false</flag>\n"
         "\t<count>0</count>\n"
         "\t<big>0</big>\n"
         "\t<real>0</real>\n"
         "\t<id>00000000-0000-0000-0000-000000000000</id>\n"
         "\t<origin x=\"0\" y=\"0\"/>\n"
         "\t<items label=\"\"/>\n"
         "</sample>\n"},
        {p, false, true, false, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?><point x=\"1.5\" y=\"0\"/>"},
        {p, true, false, false, "<point x=\"1.5\" y=\"0\"/>\n"},
        {c, true, false, true, "<!-- a - - b - -->\n<c/>\n"},
        {c, true, false, false, "<c/>\n"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(writeXML(k.root, k.pretty, k.declaration, k.auxiliary), k.text);
    Commented back;
    EXPECT_TRUE(readXML(writeXML(c, true, false, true), back));
}

TEST(XMLWriter, AnAttributeTheAttributePassLeavesOutIsWrittenAsAChild) {
    LateAttribute f;
    f.type = String("wall");
    f.field = String("ids");
    std::string text = writeXML(f, false, false);
    EXPECT_EQ(text, "<filter type=\"wall\"><field>ids</field></filter>");
    LateAttribute back;
    ASSERT_TRUE(readXML(text, back));
    EXPECT_EQ(back.field, "ids");
    // Read in either form.
    ASSERT_TRUE(readXML("<filter type=\"t\" field=\"f\"/>", back));
    EXPECT_EQ(back.field, "f");
}

TEST(XMLWriter, FailsOnUnusableNamesAndOnAFailedOutput) {
    Point p;
    p.setElementName(String("1point"));
    String text;
    DataBufferOut out;
    ASSERT_TRUE(out.open(text));
    XMLWriter writer(out);
    EXPECT_FALSE(writer.write(p));
    EXPECT_NE(writer.getError().view().find("1point"), std::string_view::npos);
    p.setElementName(String("point"));
    EXPECT_TRUE(writer.write(p));

    DataBufferOut nowhere; // no sink
    XMLWriter lost(nowhere);
    EXPECT_FALSE(lost.write(p));
}

TEST(XMLRoundTrip, EveryMemberKindNestedAssembliesAndArraysReadBack) {
    Sample s = filledSample();
    std::string text = writeXML(s);
    Sample back;
    String error;
    ASSERT_TRUE(readXML(text, back, &error)) << error.bytes() << "\n" << text;
    EXPECT_EQ(
        std::tuple(back.title, back.flag, back.count, back.big, back.real, back.id, back.note, back.code),
        std::tuple(s.title, true, s.count, s.big, 0.1, s.id, s.note, 42u));
    EXPECT_EQ(std::tuple(back.origin.x, back.origin.y, back.list.label),
              std::tuple(-1e300, 2.5e-310, s.list.label));
    ASSERT_EQ(back.list.items.size(), 3u);
    EXPECT_EQ(std::pair(back.list.items[2].name, back.list.items[2].weight), std::pair(String("c"), 3u));
    EXPECT_EQ(writeXML(back), text);
}

TEST(XMLRoundTrip, SpecialAndNonFiniteRealsReadBack) {
    for (double value :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::max(), -0.0, 1.0 / 3.0, std::numeric_limits<double>::quiet_NaN()}) {
        Point p;
        p.x = value;
        Point back;
        ASSERT_TRUE(readXML(writeXML(p), back));
        if (std::isnan(value))
            EXPECT_TRUE(std::isnan(back.x));
        else
            EXPECT_EQ(back.x, value);
        EXPECT_EQ(std::signbit(back.x), std::signbit(value)) << value; // -0.0 keeps its sign
    }
}

// Markup is escaped where it must be and plain runs, wide characters and line ends are kept.
TEST(XMLRoundTrip, MarkupCharactersAndLineEndsSurviveInTextAndAttributes) {
    const struct {
        String value;
        std::vector<std::string> fragments;
    } cases[] = {
        {String("<a href=\"x\">'&amp;'</a> ]]> \t tab\r\nline\rcr\nlf"),
         {"note=\"&lt;a href=&quot;x&quot;&gt;&apos;&amp;amp;&apos;",
          "&#9; tab&#13;&#10;line&#13;cr&#10;lf\"",
          "<title>&lt;a href=\"x\"&gt;'&amp;amp;'&lt;/a&gt; ]]&gt;"}},
        {String("plain \x7F run<\xC3\xA9>\"quoted\" 'x' \xF0\x9F\xA7\xB1 end"),
         {"<title>plain \x7F run&lt;\xC3\xA9&gt;\"quoted\" 'x' \xF0\x9F\xA7\xB1 end</title>"}},
    };
    for (const auto& c : cases) {
        Sample s;
        s.title = c.value;
        s.note = c.value;
        std::string text = writeXML(s, false);
        for (const std::string& fragment : c.fragments)
            EXPECT_NE(text.find(fragment), std::string::npos) << fragment << "\n" << text;
        Sample back;
        ASSERT_TRUE(readXML(text, back)) << text;
        EXPECT_EQ(back.title, c.value);
        EXPECT_EQ(back.note, c.value);
    }
}

TEST(XMLRoundTrip, TextXMLCannotCarryIsWrittenAsAReplacementCharacter) {
    Sample s;
    s.title = String(std::string("a\x01"
                                 "b\xFF"
                                 "c\xC3",
                                 6)); // a control byte, a stray byte, a cut sequence
    s.note = String(std::string("\xED\xA0\x80 \xEF\xBF\xBF", 7)); // a surrogate and U+FFFF
    Sample back;
    ASSERT_TRUE(readXML(writeXML(s), back));
    EXPECT_EQ(back.title.bytes(), "a\xEF\xBF\xBD"
                                  "b\xEF\xBF\xBD"
                                  "c\xEF\xBF\xBD");
    EXPECT_EQ(back.note.bytes(), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD");
}

TEST(XMLRoundTrip, DisabledMembersAreLeftOutButReadAllTheSame) {
    Sample s;
    EXPECT_EQ(writeXML(s).find("hidden"), std::string::npos);
    s.hidden = String("shown");
    std::string text = writeXML(s);
    EXPECT_NE(text.find("<hidden>shown</hidden>"), std::string::npos);
    Sample back;
    ASSERT_TRUE(readXML(text, back));
    EXPECT_EQ(back.hidden, "shown");
}

TEST(XMLRoundTrip, ALargeDocumentCrossesTheReadersChunks) {
    Sample s;
    for (int i = 0; i < 6000; ++i) {
        s.list.items.emplace_back();
        s.list.items.back().name = String("item number " + std::to_string(i));
        s.list.items.back().weight = static_cast<unsigned>(i);
    }
    std::string text = writeXML(s);
    ASSERT_GT(text.size(), 200000u);
    Sample back;
    ASSERT_TRUE(readXML(text, back));
    ASSERT_EQ(back.list.items.size(), 6000u);
    EXPECT_EQ(back.list.items[5999].name, "item number 5999");
}

TEST(XMLReader, SkipsUnknownElementsAndAttributesAndKeepsMissingMembers) {
    Sample back;
    back.count = 7;
    String error;
    ASSERT_TRUE(readXML("<sample extra=\"1\" code=\"3\"><future><title>no</title><deep><x/></deep></future>"
                        "<title>yes</title><items><item name=\"i\"/><widget/></items></sample>",
                        back, &error))
        << error.bytes();
    EXPECT_EQ(back.title, "yes");
    EXPECT_EQ(back.code, 3u);
    EXPECT_EQ(back.count, 7u); // not in the document
    ASSERT_EQ(back.list.items.size(), 1u);
}

// A member's element, a member's attribute, or a stranger as the root: none stands in for the
// document, and nothing of it reaches the tree.
TEST(XMLReader, RefusesARootOfAnyOtherName) {
    const char* foreign[] = {
        "<items label=\"x\"><item name=\"a\"/></items>",
        "<title>x</title>",
        "<note>x</note>",
        "<origin x=\"1\" y=\"2\"/>",
        "<other/>",
        "<Sample><title>x</title></Sample>",
    };
    for (const char* text : foreign) {
        SCOPED_TRACE(text);
        Sample s;
        String error;
        EXPECT_FALSE(readXML(text, s, &error));
        EXPECT_NE(error.view().find("not a \"sample\""), std::string_view::npos) << error.bytes();
        EXPECT_EQ(s.list.label, "");
        EXPECT_TRUE(s.list.items.empty());
        EXPECT_EQ(s.title, "");
        EXPECT_EQ(s.note, "");
        EXPECT_EQ(s.origin.x, 0.0);
    }
    Sample s;
    EXPECT_TRUE(readXML("<sample><items label=\"x\"/></sample>", s));
    EXPECT_EQ(s.list.label, "x");
}

TEST(XMLReader, UnusableValuesRefusedMembersAndMalformedOrHostileDocumentsFailCleanly) {
    std::string deep;
    for (int i = 0; i < 400; ++i)
        deep += "<a>";
    for (int i = 0; i < 400; ++i)
        deep += "</a>";
    std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE sample [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
        "]><sample><title>&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;</title></sample>";
    const std::string bad[] = {
        "<sample><count>abc</count></sample>",
        "<sample><count>-1</count></sample>",
        "<sample><count>4294967296</count></sample>",
        "<sample><count></count></sample>",
        "<sample><flag>yes</flag></sample>",
        "<sample><real>1e999</real></sample>",
        "<sample><id>not-a-guid</id></sample>",
        "<sample code=\"x\"/>",
        "<sample><items><item name=\"refuse\"/></items></sample>",
        "",
        "   ",
        "<sample><title>cut",
        "<sample><title>x</count></sample>",
        "<sample></sample><sample/>",
        "<sample>&undefined;</sample>",
        laughs,
        "<!DOCTYPE sample [<!ENTITY ext SYSTEM "
        "\"file:///etc/passwd\">]><sample><title>&ext;</title></sample>",
        "<!DOCTYPE sample SYSTEM \"http://127.0.0.1/x.dtd\"><sample><title>&ext;</title></sample>",
        "<sample" + deep + "</sample>",
        "<sample>" + deep + "</sample>",
        std::string("<sample><title>\xFF\xFE</title></sample>"),
        std::string("<sample><title>a\0b</title></sample>", 35),
        "<sample><title>\x01</title></sample>",
    };
    for (const std::string& text : bad) {
        Sample s;
        String error;
        EXPECT_FALSE(readXML(text, s, &error)) << text.substr(0, 80);
        EXPECT_FALSE(error.isEmpty()) << text.substr(0, 80);
    }
    Sample s;
    EXPECT_TRUE(readXML("<sample><count> 12 </count><flag>1</flag><id></id></sample>", s));
    EXPECT_EQ(s.count, 12u);
    EXPECT_TRUE(s.flag);
}

TEST(XMLReader, AnInputThatCannotBeReadFails) {
    DataFile missing(String("/nonexistent/folder/file.xml"));
    DataBufferIn in(missing);
    XMLReader reader(in);
    Sample s;
    EXPECT_FALSE(reader.read(s));
    EXPECT_FALSE(reader.getError().isEmpty());
}

TEST(XMLReader, ReadsUTF16DocumentsByTheirByteOrderMark) {
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("<sample><title>\xE9</title></sample>"))
        utf16 += std::string{c, '\0'};
    Sample s;
    ASSERT_TRUE(readXML(utf16, s));
    EXPECT_EQ(s.title, "\xC3\xA9");
}

TEST(XMLReader, AUnitKeepsItsTextAroundElementsItSkips) {
    Sample s;
    ASSERT_TRUE(
        readXML("<sample><title>ab<x>zz<y>yy</y></x>c&amp;d<!-- c --></title><flag>true</flag></sample>", s));
    EXPECT_EQ(s.title, "abc&d");
    EXPECT_TRUE(s.flag);
}
