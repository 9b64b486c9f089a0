// The Annotator's own XML: the tree expat builds for it, what it refuses, and its escaping.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/annotator/Specification.h"
#include "platform/annotator/Xml.h"

using namespace zavannotator;

TEST(AnnotatorXml, BuildsTheTreeInDocumentOrder) {
    XmlDocument document;
    std::string why;
    ASSERT_TRUE(parseXml("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                         "<a z=\"1\" b=\"&lt;2&gt;\">one<!-- left out --><b>x &amp; y</b>two<c/><?pi x?></a>",
                         document, &why))
        << why;
    EXPECT_EQ(document.encoding, "utf-8");
    ASSERT_TRUE(document.hasRoot);
    const XmlElement& a = document.root;
    EXPECT_EQ(a.name, "a");
    ASSERT_EQ(a.attributes.size(), 2u);
    EXPECT_EQ(a.attributes[0], (std::pair<std::string, std::string>{"z", "1"}));
    EXPECT_EQ(a.attributes[1], (std::pair<std::string, std::string>{"b", "<2>"}));
    ASSERT_NE(a.attribute("b"), nullptr);
    EXPECT_EQ(*a.attribute("b"), "<2>");
    EXPECT_EQ(a.attribute("c"), nullptr);
    EXPECT_EQ(a.text, "onetwo");
    ASSERT_EQ(a.children.size(), 2u);
    EXPECT_EQ(a.children[0].text, "x & y");
    EXPECT_EQ(a.children[1].name, "c");
    EXPECT_TRUE(a.children[1].children.empty());

    ASSERT_TRUE(parseXml("<a/>", document, &why));
    EXPECT_EQ(document.encoding, "");
}

TEST(AnnotatorXml, KeepsWhatItReadBeforeAFault) {
    XmlDocument document;
    std::string why;
    EXPECT_FALSE(parseXml("<a>\n<b k=\"v\"/><c>half", document, &why));
    EXPECT_EQ(why, "2:18: no element found");
    ASSERT_TRUE(document.hasRoot);
    ASSERT_EQ(document.root.children.size(), 2u);
    EXPECT_EQ(*document.root.children[0].attribute("k"), "v");
    EXPECT_EQ(document.root.children[1].text, "half");

    // A fresh read forgets the last one.
    EXPECT_FALSE(parseXml("", document, &why));
    EXPECT_FALSE(document.hasRoot);
    EXPECT_TRUE(document.root.children.empty());
}

TEST(AnnotatorXml, RefusesDocumentTypesAndDeepNesting) {
    XmlDocument document;
    std::string why;
    EXPECT_FALSE(parseXml("<!DOCTYPE a SYSTEM \"/etc/passwd\"><a/>", document, &why));
    EXPECT_EQ(why.substr(why.find(' ') + 1), "a document type declaration is not accepted");

    std::string deep;
    for (size_t i = 0; i < XmlMaxDepth; ++i)
        deep = "<e>" + deep + "</e>";
    EXPECT_TRUE(parseXml(deep, document, &why)) << why;
    EXPECT_FALSE(parseXml("<e>" + deep + "</e>", document, &why));
    EXPECT_EQ(why.substr(why.find(' ') + 1), "elements are nested too deeply");
}

TEST(AnnotatorXml, EscapesAndTrims) {
    EXPECT_EQ(xmlEscaped("a<b>&\"c\"'d'\xC3\xA9"), "a&lt;b&gt;&amp;&quot;c&quot;&apos;d&apos;\xC3\xA9");
    EXPECT_EQ(trimmed(" \t\r\nF10/110 x\n"), "F10/110 x");
    EXPECT_EQ(trimmed(" \t\n"), "");

    // What is escaped reads back as it was.
    XmlDocument document;
    std::string text = "1 < 2 & \"3\" > 'o'";
    ASSERT_TRUE(
        parseXml("<a v=\"" + xmlEscaped(text) + "\">" + xmlEscaped(text) + "</a>", document, nullptr));
    EXPECT_EQ(*document.root.attribute("v"), text);
    EXPECT_EQ(document.root.text, text);
}

TEST(AnnotatorXml, ReadsWholeFiles) {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "annotator-xml-whole.bin";
    std::string bytes("a\0b\r\n", 5);
    std::ofstream(path, std::ios::binary) << bytes;
    std::string read;
    ASSERT_TRUE(readWholeFile(path.string(), read));
    EXPECT_EQ(read, bytes);
    std::filesystem::remove(path);
    EXPECT_FALSE(readWholeFile(path.string(), read));
}

// Our own format: lenient where the command file is strict, so that it may grow.
TEST(AnnotatorSpecification, ReadsAttributesAndElementsAndPassesOverTheRest) {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "annotator-spec-read.xml";
    auto readText = [&](const std::string& text, Specification& spec, std::string* why) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        return readSpecification(path.string(), spec, why);
    };
    Specification spec;
    std::string why;
    ASSERT_EQ(readText(R"(<specification colour="red"><title> House </title><notes><section/></notes>
        <section title="F10" code="F"><clause number="1" zavTitle="old"><zavTitle>new</zavTitle><x/></clause>
        <note number="2"/></section></specification>)",
                       spec, &why),
              SpecificationRead::ok)
        << why;
    EXPECT_EQ(spec.title, "House");
    ASSERT_EQ(spec.sections.size(), 1u);
    EXPECT_EQ(spec.sections[0].code, "F");
    ASSERT_EQ(spec.sections[0].clauses.size(), 1u);
    EXPECT_EQ(spec.sections[0].clauses[0].zavTitle, "new");

    // Written and read again, it is the same.
    ASSERT_TRUE(writeSpecification(path.string(), spec));
    Specification again;
    ASSERT_EQ(readSpecification(path.string(), again, &why), SpecificationRead::ok) << why;
    EXPECT_EQ(again.title, "House");
    ASSERT_EQ(again.clauses().size(), 1u);
    EXPECT_EQ(again.clauses()[0].zavTitle, "new");
    EXPECT_EQ(again.clauses()[0].section, "F10");

    EXPECT_EQ(readText("<clauses/>", spec, &why), SpecificationRead::malformed);
    EXPECT_EQ(why, "the document is a <clauses>, not a <specification>");
    EXPECT_EQ(readText(R"(<specification><section title="S"><clause number=" "/></section></specification>)",
                       spec, &why),
              SpecificationRead::malformed);
    EXPECT_EQ(why, "a clause of the section \"S\" has no number");
    EXPECT_EQ(readText("<!DOCTYPE specification><specification/>", spec, &why), SpecificationRead::malformed);
    EXPECT_EQ(readText("<specification>", spec, &why), SpecificationRead::malformed);
    std::filesystem::remove(path);
    EXPECT_EQ(readSpecification(path.string(), spec, &why), SpecificationRead::missing);
    EXPECT_EQ(readSpecification("", spec, &why), SpecificationRead::missing);
}
