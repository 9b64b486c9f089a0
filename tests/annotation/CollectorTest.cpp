// The annotation list: its XML, the collectors over text blocks and labels in every kind of view of
// a project set up on the in-process host (grouping, order, malformed user data, the monitor's
// phases, no element written), and the reductions and the merge of returned clauses.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "AnnotationTestSupport.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "annotation/AnnotationList.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "project/Plan.h"
#include "project/ViewKinds.h"

using namespace zavlink;
using annotationtest::Clause;
using annotationtest::xmlOf;
using tarnwick::String;

namespace {

Clause clause(const std::string& hidden, const std::string& original = "F10/110 Brick walling") {
    Clause c;
    c.hidden = hidden;
    c.original = original;
    c.model = original;
    return c;
}

// A scenario line adding a text block (or a label) that shows the clause.
std::string add(const char* type, const std::string& where, const Clause& c, const std::string& text = "",
                const std::string& as = "") {
    std::string line = std::string("element add ") + type + " " + where;
    if (!as.empty()) line += " as \"" + as + "\"";
    line += " text \"" + (text.empty() ? c.original : text) + "\" with-user-data \"" + xmlOf(c) + "\"\n";
    return line;
}

const char* viewKinds[] = {"detail",  "elevation", "interior-elevation", "layout",
                           "section", "worksheet", "document-3d"};

size_t totalLinks(const Annotation& a) {
    return a.getLinkCount();
}

std::multiset<uint32_t> keyKinds(const Annotation& a) {
    std::multiset<uint32_t> kinds;
    for (const auto& [key, links] : a.links)
        kinds.insert(key.getKind());
    return kinds;
}

const Annotation* find(const AnnotationList& list, const char* hidden) {
    auto it = list.findByHiddenNumber(String(hidden));
    return it == list.end() ? nullptr : &*it;
}

} // namespace

class Collectors : public annotationtest::HostAnnotations {};

TEST_F(Collectors, EveryViewKindIsReadAndNothingIsWritten) {
    std::string setup = add("text", "on \"Ground Floor\"", clause("H-all")) +
                        add("text", "on \"First Floor\"", clause("H-all")) +
                        add("label", "on \"Ground Floor\"", clause("H-all"));
    for (const char* kind : viewKinds) {
        const std::string view = std::string("V-") + kind;
        setup += std::string("view add ") + kind + " \"" + view + "\"\n";
        const std::string in = "in \"" + view + "\"";
        setup += add("text", in, clause("H-all")) + add("label", in, clause("H-all"));
        // Nothing of these may change the list.
        setup += "element add text " + in +
                 " text \"x\" with-user-data \"<annotation><number> </number></annotation>\"\n";
        setup += "element add label " + in + " text \"x\" with-user-data \"not xml at all\"\n";
        setup += "element add text " + in + " text \"no data\"\n";
        setup += "element add line " + in + " with-user-data \"" + xmlOf(clause("H-line")) + "\"\n";
    }
    ASSERT_TRUE(play(setup));

    AnnotationList list;
    const size_t before = mark();
    EXPECT_EQ(list.collectProject(nullptr), 1u);
    EXPECT_EQ(writesSince(before), 0u) << host.calls().texts(before);
    ASSERT_EQ(list.size(), 1u);
    const Annotation& all = list[0];
    EXPECT_EQ(all.hiddenNumber, String("H-all"));
    EXPECT_EQ(totalLinks(all), 3u + 2u * 7u);
    // Floor plan per storey (two keys), then one key per view.
    EXPECT_EQ(keyKinds(all), (std::multiset<uint32_t>{1, 1, 2, 3, 5, 10, 11, 12, 13}));
    for (const auto& [key, links] : all.links)
        for (const AnnotationLink& link : links)
            EXPECT_EQ(link.getStatus(), StatusDeleted);
    EXPECT_EQ(all.getStatus(), StatusDeleted);
}

TEST_F(Collectors, OneClauseGroupsByDrawingAndStorey) {
    ASSERT_TRUE(play(add("label", "on \"Ground Floor\"", clause("H-1")) +
                     add("label", "on \"Ground Floor\"", clause("H-1")) +
                     add("label", "on \"First Floor\"", clause("H-2")) +
                     add("text", "on \"Ground Floor\"", clause("H-2")) + "view add detail \"D1\"\n" +
                     add("text", "in \"D1\"", clause("H-1")) + add("label", "in \"D1\"", clause("H-1"))));
    AnnotationList list;
    EXPECT_EQ(list.collectProject(nullptr), 2u);
    const Annotation* one = find(list, "H-1");
    const Annotation* two = find(list, "H-2");
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    // Two labels on one storey: one key, two links; the detail's key apart.
    ASSERT_EQ(one->links.size(), 2u);
    EXPECT_EQ(one->links.begin()->first.getKind(), 1u);
    EXPECT_EQ(one->links.begin()->first.getStoreyIndex(), 0u);
    EXPECT_EQ(one->links.begin()->second.size(), 2u);
    EXPECT_EQ(one->links.rbegin()->first.getKind(), 3u);
    EXPECT_EQ(one->links.rbegin()->second.size(), 2u);
    // One clause on two storeys: two keys.
    ASSERT_EQ(two->links.size(), 2u);
    std::set<uint32_t> storeys;
    for (const auto& [key, links] : two->links)
        storeys.insert(key.getStoreyIndex());
    EXPECT_EQ(storeys, (std::set<uint32_t>{0, 1}));
}

TEST_F(Collectors, AnEmptyHiddenNumberMatchesNothing) {
    ASSERT_TRUE(
        play(add("text", "", clause("")) + add("text", "", clause("")) + add("label", "", clause(""))));
    AnnotationList list;
    EXPECT_EQ(list.collectProject(nullptr), 3u);
    for (const Annotation& a : list)
        EXPECT_EQ(a.getLinkCount(), 1u);
    EXPECT_EQ(list.findByHiddenNumber(String("")), list.end());

    AnnotationList returned;
    returned.push_back(list[0]);
    list.mergeReturned(returned);
    for (const Annotation& a : list)
        EXPECT_EQ(a.getStatus(), StatusDeleted);
}

TEST_F(Collectors, DrawingsAreWalkedPlanFirstEachKindFromItsLastViewAndLabelsBeforeTexts) {
    ASSERT_TRUE(play(add("text", "", clause("plan")) + "view add detail \"D1\"\nview add detail \"D2\"\n" +
                     "view add section \"S1\"\n" + add("text", "in \"D1\"", clause("d1")) +
                     add("text", "in \"D2\"", clause("d2-text")) +
                     add("label", "in \"D2\"", clause("d2-label")) + add("text", "in \"S1\"", clause("s1"))));
    AnnotationList list;
    ASSERT_EQ(list.collectProject(nullptr), 5u);
    std::vector<std::string> order;
    for (const Annotation& a : list)
        order.push_back(a.hiddenNumber.bytes());
    // Details from the last index down, whatever order the host lists them in.
    tarnwick::Project* project = tarnwick::Host::getProject();
    ASSERT_EQ(project->getDetailCount(), 2u);
    const bool d1Last = project->getDetail(1)->getName() == String("D1");
    const std::vector<std::string> details = d1Last ? std::vector<std::string>{"d1", "d2-label", "d2-text"}
                                                    : std::vector<std::string>{"d2-label", "d2-text", "d1"};
    std::vector<std::string> expected{"plan"};
    expected.insert(expected.end(), details.begin(), details.end());
    expected.push_back("s1");
    EXPECT_EQ(order, expected);
}

TEST_F(Collectors, MalformedUserDataIsSkippedAndChangesNothing) {
    struct Case {
        const char* data;
    } cases[] = {{"<annotation><number></number></annotation>"},
                 {"<annotation><number>12</number>"},
                 {"<annotation><section>F10</section></annotation>"},
                 {"<other><number>12</number></other>"},
                 {"plain words"}};
    std::string setup = add("text", "", clause("H-1"));
    for (const Case& c : cases) {
        setup += std::string("element add text text \"x\" with-user-data \"") + c.data + "\"\n";
        setup += std::string("element add label text \"x\" with-user-data \"") + c.data + "\"\n";
    }
    setup += "element add text text \"none\"\n";
    ASSERT_TRUE(play(setup));
    AnnotationList list;
    const size_t before = mark();
    EXPECT_EQ(list.collectProject(nullptr), 1u);
    EXPECT_EQ(writesSince(before), 0u);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].getLinkCount(), 1u);
    EXPECT_EQ(list[0].number, String("12"));
}

TEST_F(Collectors, AMonitorCountsEveryDrawingThenGathersTheCountedElements) {
    ASSERT_TRUE(play(add("text", "", clause("H-1")) + "element add label text \"no data\"\n" +
                     "view add detail \"D1\"\nview add detail \"empty\"\nview add worksheet \"W1\"\n" +
                     add("label", "in \"D1\"", clause("H-2")) + add("text", "in \"W1\"", clause("H-1")) +
                     "element add text in \"W1\" text \"plain\"\n"));
    tarnwick::Project* project = tarnwick::Host::getProject();
    const int32_t views = static_cast<int32_t>(project->getDetailCount() + project->getElevationCount() +
                                               project->getInteriorElevationCount() +
                                               project->getLayoutCount() + project->getSectionCount() +
                                               project->getWorksheetCount() + project->getDocument3DCount());

    annotationtest::RecordingMonitor monitor;
    AnnotationList list;
    const size_t before = mark();
    EXPECT_EQ(list.collectProject(&monitor), 2u);
    EXPECT_EQ(writesSince(before), 0u);
    ASSERT_EQ(monitor.phases.size(), 2u);
    EXPECT_EQ(monitor.phases[0].text, "Finding annotations...");
    EXPECT_EQ(monitor.phases[0].steps, views + 1); // the floor plan is a step too
    EXPECT_EQ(monitor.phases[0].taken, views + 1);
    EXPECT_EQ(monitor.phases[1].text, "Gathering annotations...");
    EXPECT_EQ(monitor.phases[1].steps, 5); // every label and text, with user data or not
    EXPECT_EQ(monitor.phases[1].taken, 5);
    EXPECT_EQ(monitor.outside, 0);
    ASSERT_NE(find(list, "H-1"), nullptr);
    EXPECT_EQ(find(list, "H-1")->getLinkCount(), 2u);

    // The same project without a monitor gathers the same.
    AnnotationList plain;
    EXPECT_EQ(plain.collectProject(nullptr), 2u);
    EXPECT_EQ(plain[0].getLinkCount(), list[0].getLinkCount());
}

TEST_F(Collectors, AMonitorOverAnEmptyProjectSetsBothPhasesAndCollectsNothing) {
    annotationtest::RecordingMonitor monitor;
    AnnotationList list;
    EXPECT_EQ(list.collectProject(&monitor), 0u);
    ASSERT_EQ(monitor.phases.size(), 2u);
    EXPECT_EQ(monitor.phases[0].taken, monitor.phases[0].steps);
    EXPECT_GE(monitor.phases[0].steps, 1);
    EXPECT_EQ(monitor.phases[1].steps, 0);
    EXPECT_EQ(monitor.phases[1].taken, 0);
    EXPECT_TRUE(list.empty());
}

TEST_F(Collectors, TheSelectionGivesOnlySelectedElements) {
    ASSERT_TRUE(play(add("text", "", clause("H-1"), "", "a") + add("label", "", clause("H-2"), "", "b") +
                     add("text", "", clause("H-3"), "", "c") + "select \"a\" \"b\"\n"));
    AnnotationList list;
    const size_t before = mark();
    EXPECT_EQ(list.collectSelection(*tarnwick::Host::getPlan()), 2u);
    EXPECT_EQ(writesSince(before), 0u);
    EXPECT_NE(find(list, "H-1"), nullptr);
    EXPECT_NE(find(list, "H-2"), nullptr);
    EXPECT_EQ(find(list, "H-3"), nullptr);
}

TEST_F(Collectors, TheModelTitleIsTheElementsTextAndAnEditedOneWins) {
    struct Case {
        const char* type;
        std::vector<std::string> texts; // the elements' texts in walk order
        std::string model;
    } cases[] = {
        {"text", {"F10/110 Brick walling"}, "F10/110 Brick walling"},
        {"label", {"edited"}, "edited"},
        {"text", {"F10/110 Brick walling", "edited"}, "edited"},
        {"label", {"first edit", "second edit"}, "first edit"},
        {"text", {"edited", "F10/110 Brick walling"}, "edited"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string hidden = "H-" + std::to_string(++n);
        std::string setup;
        for (const std::string& text : c.texts)
            setup += add(c.type, "", clause(hidden), text);
        ASSERT_TRUE(play(setup));
        AnnotationList list;
        list.collectProject(nullptr);
        const Annotation* a = find(list, hidden.c_str());
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->modelDisplayTitle, String(c.model)) << hidden;
        EXPECT_EQ(a->originalDisplayTitle, String("F10/110 Brick walling"));
    }
}

TEST_F(Collectors, AcceptedElementsAreIgnoredLinks) {
    Clause accepted = clause("H-1");
    accepted.accepted = true;
    ASSERT_TRUE(play(add("text", "", accepted) + add("label", "", clause("H-1"))));
    AnnotationList list;
    list.collectProject(nullptr);
    ASSERT_EQ(list.size(), 1u);
    const auto& links = list[0].links.begin()->second;
    ASSERT_EQ(links.size(), 2u);
    // Labels are walked first.
    EXPECT_EQ(links[0].getStatus(), StatusDeleted);
    EXPECT_EQ(links[1].getStatus(), StatusIgnored);

    EXPECT_EQ(list.keepIgnored(), 1u);
    ASSERT_EQ(list[0].getLinkCount(), 1u);
    EXPECT_EQ(list[0].getStatus(), StatusIgnored);
}

TEST_F(Collectors, MergingReturnedClauses) {
    ASSERT_TRUE(play(add("text", "", clause("H-1")) + add("text", "", clause("H-2")) +
                     add("text", "", clause("H-3"))));
    AnnotationList gathered;
    ASSERT_EQ(gathered.collectProject(nullptr), 3u);

    AnnotationList returned;
    for (const char* hidden : {"H-9", "H-1", "H-3"}) {
        Clause c = clause(hidden);
        if (std::string(hidden) == "H-3") c.revision = "Z";
        AnnotationList one;
        tarnwick::DataBufferIn in{String("<annotations>" + xmlOf(c) + "</annotations>")};
        tarnwick::XMLReader reader(in);
        ASSERT_TRUE(reader.read(one));
        returned.push_back(one[0]);
    }
    EXPECT_FALSE(gathered.mergeReturned(returned));
    EXPECT_TRUE(gathered.needsUpdate);
    EXPECT_EQ(find(gathered, "H-1")->getStatus(), StatusCurrent);
    EXPECT_EQ(find(gathered, "H-2")->getStatus(), StatusDeleted); // not returned
    EXPECT_EQ(find(gathered, "H-3")->getStatus(), StatusChanged);
    EXPECT_EQ(find(gathered, "H-3")->revision, String("Z"));
    EXPECT_EQ(find(gathered, "H-9"), nullptr); // returned alone: left aside

    // Only current clauses left: nothing needs an update.
    AnnotationList current;
    current.push_back(*find(gathered, "H-1"));
    EXPECT_TRUE(current.mergeReturned(returned));
    EXPECT_FALSE(current.needsUpdate);
}

// --- The list without a host.

namespace {

Annotation titled(const char* hidden, const char* title, const char* original, const char* model) {
    Annotation a;
    a.hiddenNumber = hidden;
    a.number = "1";
    a.zavTitle = title;
    a.originalDisplayTitle = original;
    a.modelDisplayTitle = model;
    return a;
}

std::vector<std::string> hiddenOf(const AnnotationList& list) {
    std::vector<std::string> out;
    for (const Annotation& a : list)
        out.push_back(a.hiddenNumber.bytes());
    return out;
}

AnnotationList sample() {
    AnnotationList list;
    list.push_back(titled("a", "Brick", "F10 Brick walling", "F10 Brick walling"));
    list.push_back(titled("b", "", "F20 Blocks", "F20 blocks, edited"));
    list.push_back(titled("c", "Roof", "H60 Roof", "H60 Roof"));
    list.push_back(titled("d", "", "", ""));
    return list;
}

} // namespace

TEST(AnnotationListOps, FilterByTextKeepsMatchesOfEitherTitle) {
    struct Case {
        const char* text;
        std::vector<std::string> kept;
    } cases[] = {
        {"Brick", {"a"}},  {"edited", {"b"}}, {"blocks", {"b"}},       {"Blocks", {"b"}},
        {"F", {"a", "b"}}, {"brick", {}},     {"0 ", {"a", "b", "c"}}, {"", {"a", "b", "c", "d"}},
    };
    for (const Case& c : cases) {
        AnnotationList list = sample();
        EXPECT_EQ(list.filterByText(String(c.text)), c.kept.size()) << c.text;
        EXPECT_EQ(hiddenOf(list), c.kept) << c.text;
    }
}

TEST(AnnotationListOps, DropUntitledKeepsTheOrderOfTheRest) {
    AnnotationList list = sample();
    EXPECT_EQ(list.dropUntitled(), 2u);
    EXPECT_EQ(hiddenOf(list), (std::vector<std::string>{"a", "c"}));
}

TEST(AnnotationListOps, FindByHiddenNumberGivesTheFirst) {
    AnnotationList list = sample();
    list.push_back(titled("a", "second", "", ""));
    auto it = list.findByHiddenNumber(String("a"));
    ASSERT_NE(it, list.end());
    EXPECT_EQ(it->zavTitle, String("Brick"));
    EXPECT_EQ(list.findByHiddenNumber(String("A")), list.end());
    EXPECT_EQ(list.findByHiddenNumber(String("")), list.end());
}

TEST(AnnotationListOps, TheListTravelsAsAnnotationsElements) {
    AnnotationList list = sample();
    String text;
    tarnwick::DataBufferOut out;
    ASSERT_TRUE(out.open(text));
    tarnwick::XMLWriter writer(out);
    ASSERT_TRUE(writer.write(list, false, 1, true, false));
    ASSERT_TRUE(out.close());
    const std::string xml = text.bytes();
    EXPECT_EQ(xml.rfind("<annotations>", 0), 0u) << xml;
    size_t members = 0;
    for (size_t at = xml.find("<annotation>"); at != std::string::npos; at = xml.find("<annotation>", at + 1))
        ++members;
    EXPECT_EQ(members, 4u);

    AnnotationList back;
    back.needsUpdate = true;
    back.push_back(titled("old", "", "", ""));
    back.reset();
    EXPECT_FALSE(back.needsUpdate);
    tarnwick::DataBufferIn in{String(xml)};
    tarnwick::XMLReader reader(in);
    ASSERT_TRUE(reader.read(back));
    EXPECT_EQ(hiddenOf(back), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(back[1].modelDisplayTitle, String("F20 blocks, edited"));

    // Only "annotation" members are made; others are skipped.
    AnnotationList other;
    EXPECT_EQ(other.makeMember(String("clause")), nullptr);
    EXPECT_TRUE(other.empty());
    tarnwick::DataBufferIn mixed{String("<annotations><clause><number>1</number></clause>"
                                        "<annotation><number>2</number></annotation></annotations>")};
    tarnwick::XMLReader mixedReader(mixed);
    ASSERT_TRUE(mixedReader.read(other));
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].number, String("2"));
    // A member without a number fails the whole read.
    AnnotationList bad;
    tarnwick::DataBufferIn blank{String("<annotations><annotation><number/></annotation></annotations>")};
    tarnwick::XMLReader blankReader(blank);
    EXPECT_FALSE(blankReader.read(bad));
}
