// The annotation record: its XML (member order, the accepted switch, trimming, the number check,
// UTF-8 bytes), the status of an annotation from its links, and its comparison with a returned
// clause over elements of the in-process host.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "AnnotationTestSupport.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/MemoryBlock.h"
#include "annotation/Annotation.h"
#include "annotation/AnnotationList.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "project/Drawing.h"

using namespace zavlink;
using tarnwick::DatabaseRef;
using tarnwick::ElementLink;
using tarnwick::Guid;
using tarnwick::MemoryBlock;
using tarnwick::String;

namespace {

Annotation full() {
    Annotation a;
    a.section = "F10";
    a.code = "110";
    a.number = "12";
    a.revision = "B";
    a.zavTitle = "Brick walling";
    a.hiddenNumber = "H-7";
    a.originalDisplayTitle = "F10/110 Brick walling";
    a.modelDisplayTitle = "F10/110 Brick walling (edited)";
    a.hasBeenReassigned = true;
    a.isAccepted = true;
    return a;
}

std::string textOf(const MemoryBlock& block) {
    return std::string(block.getData(), static_cast<size_t>(block.getSize()));
}

MemoryBlock blockOf(const std::string& text) {
    MemoryBlock block;
    block.allocateHandle(static_cast<GSSize>(text.size()));
    std::copy(text.begin(), text.end(), block.getData());
    return block;
}

// Reads the text into a fresh annotation.
bool readText(const std::string& text, Annotation& into) {
    return into.readFromBlock(blockOf(text));
}

std::string written(Annotation& a, bool withIsAccepted) {
    std::unique_ptr<MemoryBlock> block = a.writeToBlock(withIsAccepted);
    return block ? textOf(*block) : std::string("<failed>");
}

void expectSameClause(const Annotation& a, const Annotation& b) {
    EXPECT_EQ(a.section, b.section);
    EXPECT_EQ(a.code, b.code);
    EXPECT_EQ(a.number, b.number);
    EXPECT_EQ(a.revision, b.revision);
    EXPECT_EQ(a.zavTitle, b.zavTitle);
    EXPECT_EQ(a.hiddenNumber, b.hiddenNumber);
    EXPECT_EQ(a.originalDisplayTitle, b.originalDisplayTitle);
    EXPECT_EQ(a.modelDisplayTitle, b.modelDisplayTitle);
    EXPECT_EQ(a.hasBeenReassigned, b.hasBeenReassigned);
}

AnnotationLink linkIn(uint32_t kind, uint32_t guidPart, uint32_t status, uint32_t element) {
    ElementLink link(Guid(element, element), nullptr);
    link.getHome() = DatabaseRef(kind, kind == 1 ? Guid() : Guid(guidPart, guidPart));
    return AnnotationLink(link, status);
}

} // namespace

TEST(AnnotationXML, EveryFieldRoundTripsWithTheSwitchOn) {
    Annotation a = full();
    const std::string text = written(a, true);
    EXPECT_EQ(text.find("<?xml"), std::string::npos);
    Annotation b;
    ASSERT_TRUE(readText(text, b)) << text;
    expectSameClause(a, b);
    EXPECT_TRUE(b.isAccepted);
    EXPECT_NE(text.find("<isAccepted>true</isAccepted>"), std::string::npos) << text;
    b.addLink(linkIn(3, 9, StatusChanged, 1), nullptr);
    b.reset();
    expectSameClause(b, Annotation());
    EXPECT_FALSE(b.isAccepted);
    EXPECT_EQ(b.getLinkCount(), 0u);
}

TEST(AnnotationXML, WithTheSwitchOffIsAcceptedIsLeftOutAndReadsBackFalse) {
    Annotation a = full();
    const std::string text = written(a, false);
    EXPECT_EQ(text.find("isAccepted"), std::string::npos) << text;
    Annotation b;
    ASSERT_TRUE(readText(text, b));
    expectSameClause(a, b);
    EXPECT_FALSE(b.isAccepted);
    // The writer's own switch is gone with the write.
    EXPECT_FALSE(isAcceptedShipped());
}

TEST(AnnotationXML, MembersAreChildElementsInTheirOrder) {
    Annotation a = full();
    const std::string text = written(a, true);
    const char* order[] = {"<annotation>",
                           "<section>",
                           "<code>",
                           "<number>",
                           "<revision>",
                           "<zavTitle>",
                           "<hiddenNumber>",
                           "<originalDisplayTitle>",
                           "<modelDisplayTitle>",
                           "<hasBeenReassigned>true",
                           "<isAccepted>"};
    size_t at = 0;
    for (const char* tag : order) {
        const size_t found = text.find(tag, at);
        ASSERT_NE(found, std::string::npos) << tag << " after " << at << " in " << text;
        at = found;
    }
    EXPECT_EQ(text.find('='), std::string::npos) << "no attributes: " << text;
}

TEST(AnnotationXML, TheSwitchIsScopedAndSurvivesNoException) {
    EXPECT_FALSE(isAcceptedShipped());
    try {
        ShipIsAccepted on(true);
        EXPECT_TRUE(isAcceptedShipped());
        {
            ShipIsAccepted off(false);
            EXPECT_FALSE(isAcceptedShipped());
        }
        EXPECT_TRUE(isAcceptedShipped());
        throw std::runtime_error("an action failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(isAcceptedShipped());

    // A writer that goes through the shipping family directly obeys the switch in force.
    Annotation a = full();
    for (bool on : {false, true}) {
        ShipIsAccepted ship(on);
        String text;
        tarnwick::DataBufferOut out;
        ASSERT_TRUE(out.open(text));
        tarnwick::XMLWriter writer(out);
        ASSERT_TRUE(writer.write(a, true, 1, true, true));
        ASSERT_TRUE(out.close());
        EXPECT_EQ(text.bytes().find("<isAccepted>") != std::string::npos, on) << text.bytes();
    }
}

TEST(AnnotationXML, TextsAreTrimmedAndABlankNumberFails) {
    struct Case {
        std::string number;
        bool reads;
        std::string expected;
    } cases[] = {
        {" 12 ", true, "12"}, {"\t12\r\n", true, "12"}, {"12", true, "12"},     {"1 2", true, "1 2"},
        {"", false, ""},      {"   ", false, ""},       {"\t\r\n ", false, ""},
    };
    for (const Case& c : cases) {
        annotationtest::Clause clause;
        clause.number = c.number;
        clause.title = "\n  Brick walling\t";
        clause.hidden = " H-1 ";
        Annotation a;
        EXPECT_EQ(readText(annotationtest::xmlOf(clause), a), c.reads) << "[" << c.number << "]";
        if (!c.reads) continue;
        EXPECT_EQ(a.number, String(c.expected));
        EXPECT_EQ(a.zavTitle, String("Brick walling"));
        EXPECT_EQ(a.hiddenNumber, String("H-1"));
    }
    Annotation missing;
    EXPECT_FALSE(readText("<annotation><section>F10</section></annotation>", missing));
}

TEST(AnnotationXML, AFailedReadLeavesTheAnnotationAlone) {
    Annotation a = full();
    for (const char* bad :
         {"", "<annotation><number>12</number>", "not xml", "<annotation><number> </number></annotation>",
          "<other><number>1</number></other>"}) {
        EXPECT_FALSE(readText(bad, a)) << bad;
        expectSameClause(a, full());
    }
}

TEST(AnnotationXML, TheByNameLookupKnowsExactlyTheTenMembers) {
    Annotation a;
    for (const char* name : {"section", "code", "number", "revision", "zavTitle", "hiddenNumber",
                             "originalDisplayTitle", "modelDisplayTitle", "hasBeenReassigned", "isAccepted"})
        EXPECT_NE(a.makeFieldProxyByName(String(name)), nullptr) << name;
    for (const char* name : {"annotation", "links", "outdatedLinkCount", "Section", "title", ""})
        EXPECT_EQ(a.makeFieldProxyByName(String(name)), nullptr) << name;
    EXPECT_EQ(a.makeFieldProxy(10, false), nullptr);
    EXPECT_EQ(a.makeFieldProxy(0, true), nullptr); // no attributes
    // isAccepted is read whatever the switch says.
    ASSERT_TRUE(readText(
        "<annotation><number>3</number><isAccepted>true</isAccepted><unknown>x</unknown></annotation>", a));
    EXPECT_TRUE(a.isAccepted);
}

TEST(AnnotationXML, TextsTravelAsUTF8AndATrailingTerminatorIsNoPart) {
    Annotation a = full();
    a.zavTitle = String("Fa\xC3\xA7"
                        "ade \xE2\x80\x94 \xC3\xB8 <&>");
    const std::string text = written(a, false);
    EXPECT_NE(text.find("Fa\xC3\xA7"
                        "ade \xE2\x80\x94 \xC3\xB8 &lt;&amp;&gt;"),
              std::string::npos)
        << text;
    Annotation b;
    ASSERT_TRUE(readText(text + std::string(2, '\0'), b));
    EXPECT_EQ(b.zavTitle, a.zavTitle);
}

TEST(AnnotationStatus, StatusTextsComeFromTheirStringList) {
    testsupport::ModuleUnderTest module;
    const char* texts[] = {"Unknown", "Current", "Changed", "Deleted", "Ignored"};
    for (uint32_t status = 0; status < 5; ++status)
        EXPECT_EQ(getStatusText(status), String(texts[status]));
    EXPECT_TRUE(getStatusText(5).isEmpty());
}

TEST(AnnotationStatus, TheLinksDecideWhateverTheirOrder) {
    constexpr uint32_t U = StatusUnknown, C = StatusCurrent, Ch = StatusChanged, D = StatusDeleted,
                       I = StatusIgnored;
    struct Case {
        std::vector<uint32_t> links; // walk order: one drawing per link, in key order
        uint32_t expected;
    } cases[] = {
        {{C}, C},         {{C, C}, C},    {{I}, I},       {{I, I}, I},
        {{C, I}, I},      {{I, C, I}, I}, {{Ch, I}, Ch},  {{I, Ch}, Ch},
        {{Ch, I, I}, Ch}, {{D}, D},       {{Ch, D}, D},   {{D, Ch}, Ch},
        {{U, C}, U},      {{C, U, I}, U}, {{D, C, I}, D}, {{I, D, C, Ch}, Ch},
    };
    for (const Case& c : cases) {
        Annotation a;
        // Keys are ordered by kind: detail (3) drawings by their Guid, one link each.
        for (size_t i = 0; i < c.links.size(); ++i)
            a.addLink(linkIn(3, static_cast<uint32_t>(i + 1), c.links[i], static_cast<uint32_t>(i + 1)),
                      nullptr);
        ASSERT_EQ(a.links.size(), c.links.size());
        EXPECT_EQ(a.getStatus(), c.expected) << ::testing::PrintToString(c.links);
        EXPECT_EQ(a.needsUpdate(), c.expected != C && c.expected != I);
        // The same links under one drawing give the same status.
        Annotation one;
        for (size_t i = 0; i < c.links.size(); ++i)
            one.addLink(linkIn(3, 1, c.links[i], static_cast<uint32_t>(i + 1)), nullptr);
        ASSERT_EQ(one.links.size(), 1u);
        EXPECT_EQ(one.getStatus(), c.expected) << ::testing::PrintToString(c.links);
    }
}

TEST(AnnotationStatus, WithoutLinksTheAcceptedMarkDecides) {
    Annotation a;
    EXPECT_EQ(a.getStatus(), StatusCurrent);
    EXPECT_FALSE(a.needsUpdate());
    a.isAccepted = true;
    EXPECT_EQ(a.getStatus(), StatusIgnored);
    EXPECT_FALSE(a.needsUpdate());
}

TEST(AnnotationStatus, KeepIgnoredLinksDropsOtherLinksAndEmptyDrawings) {
    Annotation a;
    a.addLink(linkIn(3, 1, StatusChanged, 1), nullptr);
    a.addLink(linkIn(3, 1, StatusIgnored, 2), nullptr);
    a.addLink(linkIn(10, 2, StatusDeleted, 3), nullptr);
    EXPECT_TRUE(a.keepIgnoredLinks());
    ASSERT_EQ(a.links.size(), 1u);
    EXPECT_EQ(a.links.begin()->second.size(), 1u);
    EXPECT_EQ(a.links.begin()->second[0].getGuid(), Guid(2, 2));

    Annotation none;
    none.addLink(linkIn(3, 1, StatusCurrent, 1), nullptr);
    EXPECT_FALSE(none.keepIgnoredLinks());
    EXPECT_TRUE(none.links.empty());
}

TEST(AnnotationStatus, OrderIsBySectionThenCodeThenRevision) {
    auto make = [](const char* s, const char* c, const char* r) {
        Annotation a;
        a.section = s;
        a.code = c;
        a.revision = r;
        return a;
    };
    struct Case {
        Annotation a, b;
        bool less;
    } cases[] = {
        {make("F10", "110", "A"), make("F20", "100", "A"), true},
        {make("F10", "110", "B"), make("F10", "120", "A"), true},
        {make("F10", "110", "A"), make("F10", "110", "B"), true},
        {make("F10", "110", "A"), make("F10", "110", "A"), false},
        {make("G", "1", "A"), make("F", "9", "Z"), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a < c.b, c.less);
        EXPECT_EQ(c.b > c.a, c.less);
    }
}

// --- Comparing with the clause the annotator returned, over the host's elements.

class AnnotationCompare : public annotationtest::HostAnnotations {
protected:
    // Collects the detail's texts; the one annotation of clause H-1.
    Annotation gathered() {
        AnnotationList list;
        list.collectProject(nullptr);
        auto it = list.findByHiddenNumber(String("H-1"));
        if (it == list.end()) {
            ADD_FAILURE() << "clause H-1 not collected";
            return Annotation();
        }
        return *it;
    }
    static Annotation returnedClause(const annotationtest::Clause& c) {
        Annotation a;
        EXPECT_TRUE(a.readFromBlock(blockOf(annotationtest::xmlOf(c))));
        return a;
    }
    static uint32_t statusOf(const Annotation& a, const Guid& element) {
        for (const auto& [key, list] : a.links)
            for (const AnnotationLink& link : list)
                if (link.getGuid() == element) return link.getStatus();
        return 99;
    }
};

TEST_F(AnnotationCompare, EachElementIsCurrentChangedUnknownOrIgnored) {
    annotationtest::Clause same{"H-1"};
    annotationtest::Clause accepted{"H-1"};
    accepted.accepted = true;
    annotationtest::Clause edited{"H-1"};
    edited.model = "my own words";
    ASSERT_TRUE(
        play("view add detail \"D1\"\n"
             "element add text in \"D1\" as \"same\" text \"F10/110 Brick walling\" with-user-data \"" +
             annotationtest::xmlOf(same) + "\"\n" +
             "element add text in \"D1\" as \"accepted\" text \"F10/110 Brick walling\" with-user-data \"" +
             annotationtest::xmlOf(accepted) + "\"\n" +
             "element add text in \"D1\" as \"edited\" text \"my own words\" with-user-data \"" +
             annotationtest::xmlOf(edited) + "\"\n" +
             "element add text in \"D1\" as \"broken\" text \"F10/110 Brick walling\" with-user-data \"" +
             annotationtest::xmlOf(same) + "\"\n"));
    Annotation a = gathered();
    ASSERT_EQ(a.getLinkCount(), 4u);
    std::vector<Guid> guids;
    for (const AnnotationLink& link : a.links.begin()->second)
        guids.push_back(link.getGuid());
    ASSERT_TRUE(play("element set \"broken\" with-user-data \"<annotation><number>\"\n"));

    const size_t before = mark();
    EXPECT_TRUE(a.compareWith(returnedClause(same)));
    EXPECT_EQ(writesSince(before), 0u);
    EXPECT_EQ(statusOf(a, guids[0]), StatusCurrent);
    EXPECT_EQ(statusOf(a, guids[1]), StatusIgnored);
    EXPECT_EQ(statusOf(a, guids[2]), StatusChanged); // the element's text is not the clause's
    EXPECT_EQ(statusOf(a, guids[3]), StatusUnknown);
    EXPECT_EQ(a.outdatedLinkCount, 2u);
}

TEST_F(AnnotationCompare, AChangedClauseHandsItsTextsOver) {
    annotationtest::Clause clause{"H-1"};
    ASSERT_TRUE(play("view add elevation \"E1\"\n"
                     "element add text in \"E1\" text \"F10/110 Brick walling\" with-user-data \"" +
                     annotationtest::xmlOf(clause) + "\"\n"));
    Annotation a = gathered();
    annotationtest::Clause revised = clause;
    revised.revision = "C";
    revised.title = "Brick walling, revised";
    revised.original = "F10/110 Brick walling, revised";
    revised.model = "returned model text";
    Annotation returned = returnedClause(revised);
    returned.hasBeenReassigned = true;
    EXPECT_TRUE(a.compareWith(returned));
    EXPECT_EQ(a.getStatus(), StatusChanged);
    EXPECT_EQ(a.outdatedLinkCount, 1u);
    EXPECT_EQ(a.revision, String("C"));
    EXPECT_EQ(a.zavTitle, String("Brick walling, revised"));
    EXPECT_EQ(a.originalDisplayTitle, String("F10/110 Brick walling, revised"));
    EXPECT_EQ(a.modelDisplayTitle, String("returned model text"));
    EXPECT_TRUE(a.hasBeenReassigned);

    // Each compared field alone makes a change; the others do not count.
    struct Case {
        std::string annotationtest::Clause::*field;
        bool changes;
    } cases[] = {
        {&annotationtest::Clause::section, true}, {&annotationtest::Clause::revision, true},
        {&annotationtest::Clause::title, true},   {&annotationtest::Clause::original, true},
        {&annotationtest::Clause::code, true},    {&annotationtest::Clause::number, true},
        {&annotationtest::Clause::model, false},
    };
    for (const Case& c : cases) {
        annotationtest::Clause other = clause;
        other.*c.field += "x";
        Annotation b = gathered();
        EXPECT_EQ(b.compareWith(returnedClause(other)), c.changes);
        EXPECT_EQ(b.getStatus(), c.changes ? StatusChanged : StatusCurrent);
        EXPECT_EQ(b.revision, String(c.changes && c.field == &annotationtest::Clause::revision ? "Ax" : "A"));
    }
}

// Gone while its clause came back: unknown, so that an Update never deletes by it.
TEST_F(AnnotationCompare, AnElementThatIsGoneIsUnknown) {
    annotationtest::Clause clause{"H-1"};
    ASSERT_TRUE(
        play("view add section \"S1\"\n"
             "element add text in \"S1\" as \"gone\" text \"F10/110 Brick walling\" with-user-data \"" +
             annotationtest::xmlOf(clause) + "\"\n"));
    Annotation a = gathered();
    ASSERT_TRUE(play("element delete \"gone\"\n"));
    EXPECT_TRUE(a.compareWith(returnedClause(clause)));
    EXPECT_EQ(a.getStatus(), StatusUnknown);
    EXPECT_EQ(a.outdatedLinkCount, 1u);
}

TEST_F(AnnotationCompare, RestoreIgnoredRewritesOnlyAcceptedElementsWithoutTheMark) {
    annotationtest::Clause plain{"H-1"};
    annotationtest::Clause accepted{"H-1"};
    accepted.accepted = true;
    ASSERT_TRUE(play("view add worksheet \"W1\"\n"
                     "element add text in \"W1\" text \"F10/110 Brick walling\" with-user-data \"" +
                     annotationtest::xmlOf(accepted) + "\"\n" +
                     "element add text in \"W1\" text \"F10/110 Brick walling\" with-user-data \"" +
                     annotationtest::xmlOf(plain) + "\"\n"));
    Annotation a = gathered();
    EXPECT_EQ(a.getStatus(), StatusDeleted);
    uint32_t restored = 0;
    {
        // Even a caller that left the switch on gets no mark written.
        ShipIsAccepted on(true);
        ASSERT_TRUE(testsupport::runAsStep([&] {
            restored = a.restoreIgnored();
            return true;
        }));
    }
    EXPECT_EQ(restored, 1u);
    Annotation again = gathered();
    ASSERT_EQ(again.getLinkCount(), 2u);
    for (const AnnotationLink& link : again.links.begin()->second)
        EXPECT_EQ(link.getStatus(), StatusDeleted);
}

TEST(AnnotationStatus, AListGrowsByMovingItsAnnotations) {
    // Growing the list moves every annotation it holds: a copy would double its memory for a moment.
    static_assert(std::is_nothrow_move_constructible_v<Annotation>);
    static_assert(std::is_nothrow_move_assignable_v<Annotation>);
    Annotation a;
    a.number = "F10/110";
    a.zavTitle = "Facing brickwork in a bond long enough to live on the heap";
    a.addLink(linkIn(3, 1, StatusChanged, 7), nullptr);
    const char* title = a.zavTitle.c_str();
    Annotation moved(std::move(a));
    EXPECT_EQ(moved.zavTitle.c_str(), title); // the text itself, not a copy
    EXPECT_EQ(moved.number, String("F10/110"));
    EXPECT_EQ(moved.getElementName(), String("annotation"));
    EXPECT_EQ(moved.getLinkCount(), 1u);
    EXPECT_EQ(moved.getStatus(), StatusChanged);
    Annotation assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.zavTitle.c_str(), title);
    EXPECT_EQ(assigned.getElementName(), String("annotation"));
    EXPECT_EQ(assigned.getLinkCount(), 1u);
}
