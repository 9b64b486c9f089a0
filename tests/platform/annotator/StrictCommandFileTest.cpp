// A strict Annotator: only the document the product writes is taken. Every other command file is
// refused whole with its first fault, or found unreadable, and answered so.
#include "AnnotatorTestSupport.h"

#include <ostream>

#include "platform/annotator/AnswerFile.h"
#include "platform/annotator/CommandFile.h"
#include "platform/annotator/Xml.h"

using namespace annotatortest;

namespace {

// The product's retrieveClause as it writes it, but indented with blanks; "SPEC" stands for the
// specification's path.
const std::string Good = R"(<?xml version="1.0" encoding="UTF-8" ?>
<zavCommand parent="ZAVHost" version="22">
 <retrieveClause commandID="1">
  <zavPath>SPEC</zavPath>
  <modelPath>/p/House.zavproj</modelPath>
  <annotations>
   <annotation>
    <section>F10 Brick/block walling</section>
    <code>F10</code>
    <number>F10/110</number>
    <revision>A</revision>
    <zavTitle>Facing brickwork</zavTitle>
    <hiddenNumber>h110</hiddenNumber>
    <originalDisplayTitle>F10/110 Facing brickwork</originalDisplayTitle>
    <modelDisplayTitle>F10/110 Facing brickwork</modelDisplayTitle>
    <hasBeenReassigned>false</hasBeenReassigned>
   </annotation>
  </annotations>
 </retrieveClause>
</zavCommand>
)";

const char Refused[] = "<retrieveClause commandID=\"1\" error=\"badParameters\"/>";

// One thing of the good file changed: every occurrence of from becomes to.
struct Flip {
    const char* name;
    const char* from;
    const char* to;
    const char* refusal; // null: taken
    const char* answer = Refused;
};

void PrintTo(const Flip& flip, std::ostream* out) {
    *out << flip.name;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class StrictFlip : public AnnotatorRun, public ::testing::WithParamInterface<Flip> {};

// A whole command file, written out here, and how it is answered.
struct Hostile {
    const char* name;
    const char* text;
    const char* asked;   // the asked file afterwards
    const char* answers; // the result's elements, each on its line; null: nothing written
};

void PrintTo(const Hostile& hostile, std::ostream* out) {
    *out << hostile.name;
}

class StrictHostile : public AnnotatorRun, public ::testing::WithParamInterface<Hostile> {};

const char Open[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<zavResult parent=\"ZAV Annotator\" version=\"1\">\n";

} // namespace

TEST_P(StrictFlip, IsRefusedOrTaken) {
    const Flip& flip = GetParam();
    std::string flipped = replaced(Good, flip.from, flip.to);
    ASSERT_NE(flipped, Good) << "the flip changes nothing";
    std::string text = replaced(flipped, "SPEC", spec());
    writeText(dir / "ZAVCommand.xml", text);
    answers("clause \"F10/110\"\n");
    ASSERT_EQ(run(), zavannotator::ExitAnswered) << diagnostics.str();
    EXPECT_TRUE(has("ZAVFlag.txt"));
    std::string asked = readText(dir / "ZAVAsked.txt");
    if (flip.refusal == nullptr) {
        EXPECT_EQ(asked, "retrieveClause commandID=\"1\" zavPath=\"" + spec() +
                             "\" modelPath=\"/p/House.zavproj\" numbers=\"F10/110\"\n");
        std::unique_ptr<zavlink::ResultList> list = read();
        ASSERT_TRUE(list) << result();
        const auto* answer = only<zavlink::RetrieveAnnotationResult>(*list);
        ASSERT_NE(answer, nullptr) << result();
        EXPECT_EQ(answer->getError(), zavlink::Status::noError);
        ASSERT_EQ(answer->annotations.size(), 1u);
        EXPECT_EQ(answer->annotations[0].zavTitle.bytes(), "Facing brickwork");
        return;
    }
    EXPECT_EQ(asked, std::string("refused ") + zavannotator::AnswerFile::quoted(flip.refusal) + "\n");
    EXPECT_EQ(result(),
              Open + (*flip.answer ? std::string(" ") + flip.answer + "\n" : "") + "</zavResult>\n");
    EXPECT_NE(diagnostics.str().find(std::string("refused: ") + flip.refusal), std::string::npos)
        << diagnostics.str();
    // Nothing of a refused file is done: the queued clause stays the user's to pick.
    EXPECT_EQ(readText(dir / "ZAVAnswers.txt"), "clause \"F10/110\"\n");
}

INSTANTIATE_TEST_SUITE_P(
    OneChange, StrictFlip,
    ::testing::Values(
        Flip{"rootName", "zavCommand", "zavCommands", "the root <zavCommands> is not <zavCommand>", ""},
        Flip{"attributeOrder", R"(parent="ZAVHost" version="22")", R"(version="22" parent="ZAVHost")",
             R"(<zavCommand> has "version" where "parent" belongs)"},
        Flip{"rootAttributeMore", R"(version="22">)", R"(version="22" host="zavhost">)",
             R"(<zavCommand> has an unknown attribute "host")"},
        Flip{"parentPadded", R"(parent="ZAVHost")", R"(parent=" ZAVHost")",
             R"(parent " ZAVHost" is not "ZAVHost")"},
        Flip{"versionMissing", R"( version="22")", "", R"(version "" is not "22")"},
        Flip{"encoding", R"(encoding="UTF-8")", R"(encoding="ISO-8859-1")",
             R"(the encoding "ISO-8859-1" is not "UTF-8")"},
        Flip{"commandIDWord", R"(commandID="1")", R"(commandID="one")",
             R"(<retrieveClause> has the commandID "one", not a number)",
             R"(<retrieveClause error="badParameters"/>)"},
        Flip{"commandIDNegative", R"(commandID="1")", R"(commandID="-1")",
             R"(<retrieveClause> has the commandID "-1", not a number)",
             R"(<retrieveClause error="badParameters"/>)"},
        Flip{"commandIDBlank", R"(commandID="1")", R"(commandID=" 1")",
             R"(<retrieveClause> has the commandID " 1", not a number)",
             R"(<retrieveClause error="badParameters"/>)"},
        Flip{"commandIDTooLarge", R"(commandID="1")", R"(commandID="4294967296")",
             R"(<retrieveClause> has the commandID "4294967296", not a number)",
             R"(<retrieveClause error="badParameters"/>)"},
        Flip{"commandIDMissing", R"( commandID="1")", "", R"(<retrieveClause> lacks "commandID")",
             R"(<retrieveClause error="badParameters"/>)"},
        Flip{"commandIDRenamed",
             "commandID=", "commandId=", R"(<retrieveClause> has an unknown attribute "commandId")",
             R"(<retrieveClause error="badParameters"/>)"},
        Flip{"unknownCommand", "retrieveClause", "retrieveClauses", "unknown command <retrieveClauses>",
             R"(<retrieveClauses commandID="1" error="noCommand"/>)"},
        Flip{"textInCommand", "<zavPath>", "by hand<zavPath>",
             R"(<retrieveClause> holds the text "by hand")"},
        Flip{"pathOrder", "<zavPath>SPEC</zavPath>\n  <modelPath>/p/House.zavproj</modelPath>",
             "<modelPath>/p/House.zavproj</modelPath>\n  <zavPath>SPEC</zavPath>",
             "<retrieveClause> has <modelPath> where <zavPath> belongs"},
        Flip{"zavPathMissing", "<zavPath>SPEC</zavPath>", "", "<retrieveClause> lacks <zavPath>"},
        Flip{"modelPathMissing", "<modelPath>/p/House.zavproj</modelPath>", "",
             "<retrieveClause> lacks <modelPath>"},
        Flip{"pathTwice", "<modelPath>", "<zavPath>SPEC</zavPath><modelPath>",
             "<retrieveClause> has <zavPath> where <modelPath> belongs"},
        Flip{"elementInPath", "/p/House.zavproj", "/p/<b>House</b>.zavproj",
             "<modelPath> holds an element <b>"},
        Flip{"attributeOnPath", "<modelPath>", R"(<modelPath kind="file">)",
             R"(<modelPath> has an unknown attribute "kind")"},
        Flip{"listMemberRenamed", "annotation>", "clause>", "<annotations> has an unknown member <clause>"},
        Flip{"memberOrder", "<section>F10 Brick/block walling</section>\n    <code>F10</code>",
             "<code>F10</code>\n    <section>F10 Brick/block walling</section>",
             "<annotation> has <code> where <section> belongs"},
        Flip{"memberTwice", "<number>", "<code>F10</code><number>",
             "<annotation> has <code> where <number> belongs"},
        Flip{"numberMissing", "<number>F10/110</number>", "", "<annotation> lacks <number>"},
        Flip{"lastMemberMissing", "<hasBeenReassigned>false</hasBeenReassigned>", "",
             "<annotation> lacks <hasBeenReassigned>"},
        Flip{"unknownMember", "<revision>", "<colour>red</colour><revision>",
             "<annotation> has an unknown member <colour>"},
        Flip{"ignoreMarkFirst", "<section>", "<isAccepted>true</isAccepted><section>",
             "<annotation> has <isAccepted> where <section> belongs"},
        Flip{"ignoreMarkTwice", "</hasBeenReassigned>",
             "</hasBeenReassigned><isAccepted>true</isAccepted><isAccepted>true</isAccepted>",
             "<annotation> has <isAccepted> after its last member"},
        Flip{"flagWord", "<hasBeenReassigned>false", "<hasBeenReassigned>no",
             R"(<hasBeenReassigned> holds "no", not "true" or "false")"},
        Flip{"attributeOnAnnotation", "<annotation>", R"(<annotation number="F10/110">)",
             R"(<annotation> has an unknown attribute "number")"},
        // What the product may write, and XML that says the same.
        Flip{"ignoreMark", "</hasBeenReassigned>", "</hasBeenReassigned><isAccepted>true</isAccepted>",
             nullptr},
        Flip{"noDeclaration", "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n", "", nullptr},
        Flip{"encodingInLowerCase", "UTF-8", "utf-8", nullptr},
        Flip{"tabsAndComments", "\n ", "\n\t<!-- a note -->\t", nullptr},
        Flip{"references", "<zavTitle>Facing brickwork", "<zavTitle>&#70;acing <![CDATA[brickwork]]>",
             nullptr}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_P(StrictHostile, IsAnsweredAsItDeserves) {
    const Hostile& c = GetParam();
    writeText(dir / "ZAVCommand.xml", replaced(c.text, "SPEC", spec()));
    answers("specification \"spec.xml\"\nclause \"F10/110\"\n");
    ASSERT_EQ(run(), zavannotator::ExitAnswered) << diagnostics.str();
    EXPECT_EQ(readText(dir / "ZAVAsked.txt"), replaced(c.asked, "SPEC", spec()));
    if (c.answers == nullptr) {
        EXPECT_TRUE(written.empty());
        return;
    }
    EXPECT_EQ(result(), Open + replaced(c.answers, "SPEC", spec()) + "</zavResult>\n");
    EXPECT_TRUE(has("ZAVFlag.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, StrictHostile,
    ::testing::Values(
        Hostile{"empty", "", "unreadable \"1:1: no element found\"\n", ""},
        Hostile{"notXML", "ZAVCommand", "unreadable \"1:1: syntax error\"\n", ""},
        Hostile{"documentType", R"(<!DOCTYPE zavCommand><zavCommand parent="ZAVHost" version="22"/>)",
                "unreadable \"1:21: a document type declaration is not accepted\"\n", ""},
        Hostile{"entityDeclaration",
                R"(<!DOCTYPE z [<!ENTITY e "&#38;e;&#38;e;">]><zavCommand parent="ZAVHost" version="22"/>)",
                "unreadable \"1:13: a document type declaration is not accepted\"\n", ""},
        Hostile{
            "undefinedEntity",
            R"(<zavCommand parent="ZAVHost" version="22"><selectSpecification commandID="1"/>&e;</zavCommand>)",
            "unreadable \"1:79: undefined entity\"\nselectSpecification commandID=\"1\"\n",
            " <selectSpecification commandID=\"1\" error=\"badXML\"/>\n"},
        Hostile{
            "mismatchedTag",
            R"(<zavCommand parent="ZAVHost" version="22"><selectAnnotation commandID="1"><zavPath></modelPath>)",
            "unreadable \"1:86: mismatched tag\"\nselectAnnotation commandID=\"1\" zavPath=\"\" "
            "modelPath=\"\"\n",
            " <selectAnnotation commandID=\"1\" error=\"badXML\"/>\n"},
        Hostile{"attributeTwice", R"(<zavCommand parent="ZAVHost" parent="ZAVHost" version="22"/>)",
                "unreadable \"1:30: duplicate attribute\"\n", ""},
        Hostile{
            "textInRoot",
            R"(<zavCommand parent="ZAVHost" version="22">select it all, please<selectSpecification commandID="1"/></zavCommand>)",
            "refused \"<zavCommand> holds the text \\\"select it all, pleas...\\\"\"\n",
            " <selectSpecification commandID=\"1\" error=\"badParameters\"/>\n"},
        Hostile{
            "selectSpecificationWithPath",
            R"(<zavCommand parent="ZAVHost" version="22"><selectSpecification commandID="1"><zavPath>SPEC</zavPath></selectSpecification></zavCommand>)",
            "refused \"<selectSpecification> has an unknown member <zavPath>\"\n",
            " <selectSpecification commandID=\"1\" error=\"badParameters\"/>\n"},
        Hostile{
            "retrieveWithoutList",
            R"(<zavCommand parent="ZAVHost" version="22"><retrieveClause commandID="1"><zavPath>SPEC</zavPath><modelPath/></retrieveClause></zavCommand>)",
            "refused \"<retrieveClause> lacks <annotations>\"\n",
            " <retrieveClause commandID=\"1\" error=\"badParameters\"/>\n"},
        Hostile{
            "reportWithAnnotation",
            R"(<zavCommand parent="ZAVHost" version="22"><displayReport commandID="1"><zavPath/><modelPath/><annotation/></displayReport></zavCommand>)",
            "refused \"<displayReport> has an unknown member <annotation>\"\n", nullptr},
        Hostile{
            "displayAnnotationFirst",
            R"(<zavCommand parent="ZAVHost" version="22"><displayClause commandID="1"><annotation/><zavPath/><modelPath/></displayClause></zavCommand>)",
            "refused \"<displayClause> has <annotation> where <zavPath> belongs\"\n", nullptr},
        Hostile{
            "oneUnknownAmongTwo",
            R"(<zavCommand parent="ZAVHost" version="22"><selectSpecification commandID="1"/><reticulateSplines commandID="2"/></zavCommand>)",
            "refused \"unknown command <reticulateSplines>\"\n",
            " <selectSpecification commandID=\"1\" error=\"badParameters\"/>\n"
            " <reticulateSplines commandID=\"2\" error=\"noCommand\"/>\n"},
        Hostile{"prefixedRoot", R"(<z:zavCommand xmlns:z="urn:zav" parent="ZAVHost" version="22"/>)",
                "refused \"the root <z:zavCommand> is not <zavCommand>\"\n", ""},
        Hostile{"noCommands", R"(<zavCommand parent="ZAVHost" version="22"/>)", "", ""},
        Hostile{
            "twoCommands",
            R"(<zavCommand parent="ZAVHost" version="22"><selectSpecification commandID="1"/><selectSpecification commandID="2"/></zavCommand>)",
            "selectSpecification commandID=\"1\"\nselectSpecification commandID=\"2\"\n",
            " <selectSpecification commandID=\"1\" error=\"noError\">\n  <zavPath>SPEC</zavPath>\n"
            " </selectSpecification>\n"
            " <selectSpecification commandID=\"2\" error=\"noError\">\n  <zavPath>SPEC</zavPath>\n"
            " </selectSpecification>\n"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(AnnotatorRun, ElementsNestedTooDeeplyAreUnreadable) {
    std::string inner;
    for (size_t i = 0; i < zavannotator::XmlMaxDepth; ++i)
        inner = "<x>" + inner + "</x>";
    writeText(dir / "ZAVCommand.xml",
              "<zavCommand parent=\"ZAVHost\" version=\"22\"><selectSpecification commandID=\"1\">" + inner +
                  "</selectSpecification></zavCommand>");
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    std::string asked = readText(dir / "ZAVAsked.txt");
    EXPECT_NE(asked.find("elements are nested too deeply"), std::string::npos) << asked;
    EXPECT_NE(result().find("<selectSpecification commandID=\"1\" error=\"badXML\"/>"), std::string::npos);
}

TEST(AnnotatorCommandFile, ARefusedFileStillNamesItsCommands) {
    zavannotator::CommandFile file;
    std::string why;
    ASSERT_TRUE(zavannotator::readCommandText(
        R"(<zavCommand parent="ZAVHost" version="22"><displayClause commandID="7"><zavPath> /s.spec </zavPath>)"
        R"(<modelPath/></displayClause><bogus commandID="x"/><selectSpecification commandID="0012"/></zavCommand>)",
        file, &why))
        << why;
    EXPECT_EQ(file.refusal, "unknown command <bogus>");
    EXPECT_EQ(file.parent, "ZAVHost");
    EXPECT_EQ(file.version, "22");
    ASSERT_EQ(file.commands.size(), 3u);
    EXPECT_TRUE(file.commands[0].known);
    EXPECT_FALSE(file.commands[0].expectsAnswer());
    EXPECT_EQ(file.commands[0].commandID, "7");
    EXPECT_EQ(file.commands[0].zavPath, "/s.spec");
    EXPECT_FALSE(file.commands[0].hasAnnotation);
    EXPECT_FALSE(file.commands[1].known);
    EXPECT_TRUE(file.commands[1].expectsAnswer());
    EXPECT_EQ(file.commands[1].commandID, "");
    EXPECT_TRUE(file.commands[2].known);
    EXPECT_EQ(file.commands[2].commandID, "0012");

    // Unreadable: no refusal is judged, the commands begun are kept.
    EXPECT_FALSE(zavannotator::readCommandText(R"(<zavCommand version="1"><selectAnnotation commandID="3">)",
                                               file, &why));
    EXPECT_EQ(file.refusal, "");
    ASSERT_EQ(file.commands.size(), 1u);
    EXPECT_EQ(file.commands[0].commandID, "3");

    EXPECT_FALSE(zavannotator::readCommandFile("/nonexistent/ZAVCommand.xml", file, &why));
    EXPECT_EQ(why, "the command file cannot be read");
    EXPECT_TRUE(file.commands.empty());
}
