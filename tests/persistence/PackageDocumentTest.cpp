// Taking stored package stores apart into their packages' elements, and putting them together.
#include <gtest/gtest.h>

#include "Samples.h"
#include "persistence/PackageDocument.h"
#include "persistence/PackageStore.h"

using namespace tarnwick;
using namespace samples;

namespace {

const String Root("frameworkPreferenceStore");

// Each element's name and bytes.
using Elements = std::vector<std::pair<std::string, std::string>>;
Elements elements(const PackageDocument& document) {
    Elements out;
    for (const PackageDocument::Element& element : document.getElements())
        out.emplace_back(element.name.bytes(), element.bytes);
    return out;
}

} // namespace

TEST(PackageDocument, TakesEveryElementUnderTheRootOrTheOnePackageAsStored) {
    const std::string a = "<a x=\"1\"/>";
    const std::string b = "<b>\n\t<c>t &amp; &#x41;</c><!-- note --><![CDATA[<raw>]]>\n</b>";
    const std::string e = "<e></e>";
    const std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- before -->\n<" +
                             Root.bytes() + " kind=\"x\">\n  " + a + "\n  " + b + "text" + e +
                             "<a>second</a></" + Root.bytes() + ">\n";
    PackageDocument document;
    ASSERT_TRUE(document.split(text, Root));
    EXPECT_EQ(elements(document), (Elements{{"a", a}, {"b", b}, {"e", e}, {"a", "<a>second</a>"}}));
    PackageDocument empty;
    ASSERT_TRUE(empty.split("<" + Root.bytes() + "/>", Root));
    EXPECT_TRUE(empty.getElements().empty());
    // A document of one package is that element.
    ASSERT_TRUE(document.split("<?xml version=\"1.0\"?><testPrefs><level>3</level></testPrefs>", Root));
    EXPECT_EQ(elements(document), (Elements{{"testPrefs", "<testPrefs><level>3</level></testPrefs>"}}));
}

TEST(PackageDocument, RefusesWhatCannotBeCarriedOverByteForByte) {
    const std::string open = "<" + Root.bytes() + ">";
    const std::string close = "</" + Root.bytes() + ">";
    const std::string bad[] = {
        "",
        "   ",
        open + "<a>",                                                                     // cut short
        open + "<a></b>" + close,                                                         // malformed
        open + close + "<second/>",                                                       // two roots
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + open + "<a>\xE9</a>" + close, // another encoding
        std::string("<\0a\0/\0>\0", 8),                                                   // UTF-16
        "<!DOCTYPE r [<!ENTITY e \"x\">]>" + open + "<a>&e;</a>" + close,                 // entities
        open + "<a>&undeclared;</a>" + close,
        "<!DOCTYPE r [<!ATTLIST a x CDATA \"d\">]>" + open + "<a/>" + close, // meaning the bytes lack
    };
    for (const std::string& text : bad) {
        PackageDocument document;
        document.split(open + "<kept/>" + close, Root);
        EXPECT_FALSE(document.split(text, Root)) << text;
        EXPECT_TRUE(document.getElements().empty()) << text;
    }
}

// Of text that is not well-formed, the elements that ended before the fault are whole, byte for
// byte; nothing after the fault is taken, nor anything of text refused for another reason.
TEST(PackageDocument, SalvagesTheElementsWholeBeforeAFault) {
    const std::string open = "<" + Root.bytes() + ">";
    const std::string close = "</" + Root.bytes() + ">";
    const std::string a = "<testPrefs><path>/kept.xml</path></testPrefs>";
    const std::string b = "<b x=\"1\"/>";
    struct Case {
        const char* what;
        std::string text;
        Elements whole;
    } salvaged[] = {
        {"cut inside its last element", open + a + "<counter><value>3", {{"testPrefs", a}}},
        {"cut after its last element", open + a + "\n" + b, {{"testPrefs", a}, {"b", b}}},
        {"garbage in the middle", open + a + "<<garbage>>" + b + close, {{"testPrefs", a}}},
        {"an unclosed element in the middle", open + a + "<c>" + b + close, {{"testPrefs", a}}},
        {"a NUL byte in the middle", open + a + std::string("\0\x01", 2) + b + close, {{"testPrefs", a}}},
        {"a second root", open + a + close + "<second/>", {{"testPrefs", a}}},
        {"a one-package document with junk after it", a + "<x", {{"testPrefs", a}}},
    };
    for (const Case& c : salvaged) {
        PackageDocument document;
        EXPECT_FALSE(document.split(c.text, Root)) << c.what;
        ASSERT_TRUE(document.salvage(c.text, Root)) << c.what;
        EXPECT_EQ(elements(document), c.whole) << c.what;
    }
    const Case refused[] = {
        {"well-formed", open + a + close, {}},
        {"empty", "", {}},
        {"cut inside the first element", open + "<testPrefs><path>/kept", {}},
        {"a one-package document cut short", "<testPrefs><path>/kept.xml</path>", {}},
        {"another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + open + a + "<x>\xE9", {}},
        {"UTF-16", std::string("<\0r\0>\0<\0a\0/\0>\0", 14), {}},
        {"a document type", "<!DOCTYPE r [<!ATTLIST b x CDATA \"d\">]>" + open + a + "<cut", {}},
        {"garbage first", "garbage" + open + a + close, {}},
    };
    for (const Case& c : refused) {
        PackageDocument document;
        ASSERT_TRUE(document.split(open + "<kept/>" + close, Root));
        EXPECT_FALSE(document.salvage(c.text, Root)) << c.what;
        EXPECT_TRUE(document.getElements().empty()) << c.what;
    }
}

TEST(PackageDocument, WrittenElementsAndKeptOnesMakeADocumentThatReadsBack) {
    Prefs prefs;
    prefs.path = String("/a <b>.xml");
    prefs.level = 4;
    std::string written;
    ASSERT_TRUE(PackageDocument::writeElement(prefs, written));
    EXPECT_EQ(written.find("<?xml"), std::string::npos);
    const std::string kept = "<counter><value>21</value></counter>";
    std::string text =
        PackageDocument::compose(Root, {written, kept, "<unknown><deep><er/></deep></unknown>"});
    EXPECT_EQ(text.rfind(XMLWriter::Declaration, 0), 0u);

    PackageStore store(Root);
    store.putPackage(Prefs());
    store.putPackage(Counter());
    ASSERT_TRUE(readXML(text, store)) << text;
    EXPECT_EQ(static_cast<Prefs*>(store.getPackage(Prefs::Code))->path, prefs.path);
    EXPECT_EQ(static_cast<Counter*>(store.getPackage(Counter::Code))->value, 21u);

    PackageDocument document;
    ASSERT_TRUE(document.split(text, Root));
    ASSERT_EQ(document.getElements().size(), 3u);
    EXPECT_EQ(document.getElements()[1].bytes, kept);

    Prefs back;
    EXPECT_TRUE(PackageDocument::readElement(document.getElements()[0].bytes, back));
    EXPECT_EQ(back.level, 4u);
    Prefs refused;
    EXPECT_FALSE(PackageDocument::readElement("<testPrefs><level>666</level></testPrefs>", refused));
    EXPECT_FALSE(PackageDocument::readElement("<other/>", refused));
}
