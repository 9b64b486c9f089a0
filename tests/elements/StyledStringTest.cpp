// Styled text: runs split and rejoined by setStyle, replace, truncate, substrings and append, in
// characters also for multibyte text; every result is checked for runs that tile the text from 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/text/StyledString.h"

using namespace tarnwick;

namespace {
constexpr size_t npos = String::npos;
const char* const Multibyte = "a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E"
                              "bc"; // a é € 𝄞 b c: characters of 1 to 4 bytes

struct Span {
    size_t start, count;
    uint16_t id; // the style word of a style, the alignment of a ruler
};

StyledString styled(const char* text, std::vector<Span> styles, std::vector<Span> rulers = {}) {
    StyledString s(text);
    for (const Span& span : styles)
        s.setStyle(TextStyle(span.id), span.start, span.count);
    for (const Span& span : rulers) {
        TextRuler ruler;
        ruler.setAlignment(span.id);
        s.setRuler(ruler, span.start, span.count);
    }
    return s;
}

uint32_t idOf(const TextStyle& style) {
    return style.getStyle();
}
uint32_t idOf(const TextRuler& ruler) {
    return ruler.getAlignment();
}

// "start+length:id ..."; fails the test when the runs do not tile the text from 0, or when the
// accessors by index and by position disagree with them.
template <class T>
std::string describe(const StyledString& s, const std::vector<StyledString::Run<T>>& runs) {
    size_t length = s.getLength();
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        const auto& run = runs[i];
        EXPECT_EQ(run.start, next) << "run " << i;
        EXPECT_TRUE(run.length > 0 || length == 0) << "run " << i;
        EXPECT_NE(run.value, nullptr);
        next = run.start + run.length;
        if (run.length > 0) {
            const T* at = nullptr;
            if constexpr (std::is_same_v<T, TextStyle>)
                at = s.getStyleRunAt(run.start + run.length - 1).value;
            else
                at = s.getRulerRunAt(run.start + run.length - 1).value;
            EXPECT_EQ(at, run.value);
        }
        if (!out.empty()) out += ' ';
        out += std::to_string(run.start) + "+" + std::to_string(run.length) + ":" +
               std::to_string(idOf(*run.value));
    }
    EXPECT_EQ(next, length);
    return out;
}
std::string styles(const StyledString& s) {
    return describe<TextStyle>(s, s.getStyleRuns());
}
std::string rulers(const StyledString& s) {
    return describe<TextRuler>(s, s.getRulerRuns());
}

StyledString sixRuns(const char* text = "abcdef") {
    return styled(text, {{0, 2, 5}, {2, 2, 7}}); // 0+2:5 2+2:7 4+2:0
}
} // namespace

TEST(StyledString, PlainTextHasOneDefaultRunOfEachKind) {
    StyledString s("abc");
    EXPECT_EQ(styles(s), "0+3:0");
    EXPECT_EQ(rulers(s), "0+3:0");
    EXPECT_EQ(s.getStyleRun(0).value->getPointSize(), 12);
    EXPECT_DOUBLE_EQ(s.getRulerRun(0).value->getValue4(), 0.003);
    EXPECT_EQ(s.getStyleRunAt(3).value, nullptr); // at the length: no run
    EXPECT_EQ(s.getStyleRun(1).value, nullptr);
    EXPECT_EQ(s.getRulerRunAt(99).length, 0u);
}

TEST(StyledString, SetStyleSplitsAndReplacesRuns) {
    struct Case {
        const char* text;
        std::vector<Span> spans;
        const char* expected;
    } cases[] = {
        {"abc", {{1, 1, 7}}, "0+1:0 1+1:7 2+1:0"},
        {"abc", {{0, npos, 7}}, "0+3:7"},
        {"abc", {{1, 99, 7}}, "0+1:0 1+2:7"},
        {"abc", {{1, 0, 7}}, "0+3:0"}, // an empty range changes nothing
        {"abc", {{3, 1, 7}}, "0+3:0"},
        {"abcdef", {{2, 2, 1}, {1, 4, 2}}, "0+1:0 1+4:2 5+1:0"},
        {"abcdef", {{2, 2, 1}, {2, 2, 3}}, "0+2:0 2+2:3 4+2:0"},
        {"abcdef", {{0, 3, 1}, {3, 3, 2}, {2, 2, 3}}, "0+2:1 2+2:3 4+2:2"},
        {Multibyte, {{3, 2, 7}}, "0+3:0 3+2:7 5+1:0"},
        {"", {{0, npos, 7}}, "0+0:7"}, // the first value changes in place
    };
    for (const Case& c : cases) {
        StyledString s = styled(c.text, c.spans);
        EXPECT_EQ(styles(s), c.expected) << c.text;
        EXPECT_EQ(rulers(s), s.isEmpty() ? "0+0:0" : "0+" + std::to_string(s.getLength()) + ":0");
    }
    StyledString r = styled("abcd", {}, {{1, 2, 4}});
    EXPECT_EQ(rulers(r), "0+1:0 1+2:4 3+1:0");
}

TEST(StyledString, ReplaceGivesTheInsertedTextTheDefaultStyleAndShiftsTheTail) {
    struct Case {
        const char* base;
        size_t start, count;
        const char* source;
        const char* text;
        const char* expected;
    } cases[] = {
        {"abcdef", 1, 2, "XY", "aXYdef", "0+1:5 1+2:0 3+1:7 4+2:0"},
        {"abcdef", 0, npos, "xy", "xy", "0+2:0"},
        {"abcdef", 0, 0, "xy", "xyabcdef", "0+2:0 2+2:5 4+2:7 6+2:0"},
        {"abcdef", npos, 0, "xy", "abcdefxy", "0+2:5 2+2:7 4+2:0 6+2:0"},
        {"abcdef", 9, 0, "xy", "abcdefxy", "0+2:5 2+2:7 4+2:0 6+2:0"},
        {"abcdef", 2, npos, "", "ab", "0+2:5"},
        {"abcdef", 3, 1, "", "abcef", "0+2:5 2+1:7 3+2:0"},
        {"abcdef", 0, npos, "", "", "0+0:5"},
        {Multibyte, 1, 2, "\xC3\xBC",
         "a\xC3\xBC\xF0\x9D\x84\x9E"
         "bc",
         "0+1:5 1+1:0 2+1:7 3+2:0"},
    };
    for (const Case& c : cases) {
        StyledString s = sixRuns(c.base);
        s.replace(c.start, c.count, String(c.source));
        EXPECT_EQ(s, String(c.text)) << c.start << " " << c.count;
        EXPECT_EQ(styles(s), c.expected) << c.start << " " << c.count;
        rulers(s);
    }
    // Only the source's part is taken, and only its text.
    StyledString s("abc");
    s.replace(1, 1, sixRuns(), 3, 2);
    EXPECT_EQ(s, String("adec"));
    EXPECT_EQ(styles(s), "0+1:0 1+2:0 3+1:0");
}

TEST(StyledString, TruncateCutsWholeCharactersAndDropsTheRunsPastTheCut) {
    struct Case {
        size_t bytes;
        size_t characters;
        const char* expected;
    } cases[] = {
        {0, 0, "0+0:5"},        {2, 1, "0+1:5"},       // inside é
        {3, 2, "0+2:5"},        {7, 3, "0+2:5 2+1:7"}, // inside 𝄞
        {10, 4, "0+2:5 2+2:7"}, {100, 6, "0+2:5 2+2:7 4+2:0"},
    };
    for (const Case& c : cases) {
        StyledString s = sixRuns(Multibyte);
        String& plain = s; // through the String operation too
        plain.resize(c.bytes);
        EXPECT_EQ(s.getLength(), c.characters) << c.bytes;
        EXPECT_EQ(s, String(Multibyte).substring(0, c.characters)) << c.bytes;
        EXPECT_EQ(styles(s), c.expected) << c.bytes;
        EXPECT_EQ(s.getRulerCount(), 1u);
    }
}

TEST(StyledString, SubstringShiftsTheRunsToStartAtZero) {
    struct Case {
        const char* base;
        size_t from, count;
        const char* expected;
    } cases[] = {
        {"abcdef", 2, 3, "0+2:7 2+1:0"}, {"abcdef", 1, 2, "0+1:5 1+1:7"}, {"abcdef", 3, npos, "0+1:7 1+2:0"},
        {"abcdef", 4, 2, "0+2:0"},       {"abcdef", 6, 1, "0+0:0"},       {Multibyte, 1, 3, "0+1:5 1+2:7"},
    };
    for (const Case& c : cases) {
        StyledString base = sixRuns(c.base);
        StyledString part = base.getSubstring(c.from, c.count);
        EXPECT_EQ(part, String(c.base).substring(c.from, c.count));
        EXPECT_EQ(styles(part), c.expected) << c.from;
        StyledString copied(base, c.from, c.count);
        EXPECT_EQ(styles(copied), c.expected) << c.from;
    }
}

TEST(StyledString, ClearAndPlainAssignmentKeepTheFirstValues) {
    StyledString s = styled("abcdef", {{0, 2, 5}, {2, 2, 7}}, {{0, 3, 2}, {3, 3, 4}});
    s.clear();
    EXPECT_EQ(styles(s), "0+0:5");
    EXPECT_EQ(rulers(s), "0+0:2");
    s.assignPlain("xyz");
    EXPECT_EQ(styles(s), "0+3:5");
    StyledString t = sixRuns();
    t.assignPlain("\xE2\x82\xAC\xE2\x82\xAC", 1);
    EXPECT_EQ(t, String("\xE2\x82\xAC"));
    EXPECT_EQ(styles(t), "0+1:5");
}

TEST(StyledString, AppendMovesStylesAndPutsRulersOnParagraphStarts) {
    struct Case {
        const char* head;
        const char* tail;
        std::vector<Span> tailRulers;
        const char* text;
        const char* expected;
    } cases[] = {
        {"x\r\n", "ab\r\ncd", {{4, npos, 3}}, "x\r\nab\r\ncd", "0+3:1 3+4:2 7+2:3"},
        {"x", "ab\r\ncd", {{4, npos, 3}}, "xab\r\ncd", "0+5:1 5+2:3"},
        // The rulers take the whole paragraphs in order: "b", which had none of its own, takes 3.
        {"x\r\n", "a\r\nb\r\nc\r\nd", {{6, npos, 3}}, "x\r\na\r\nb\r\nc\r\nd", "0+3:1 3+3:2 6+7:3"},
        {"x\r\n", "ab", {}, "x\r\nab", "0+3:1 3+2:2"},
        {"x\r\n", "", {}, "x\r\n", "0+3:1"},
        {"", "ab\r\ncd", {{4, npos, 3}}, "ab\r\ncd", "0+4:2 4+2:3"},
    };
    for (const Case& c : cases) {
        StyledString head = styled(c.head, {}, {{0, npos, 1}});
        std::vector<Span> tailRulers = {{0, npos, 2}};
        tailRulers.insert(tailRulers.end(), c.tailRulers.begin(), c.tailRulers.end());
        StyledString tail = styled(c.tail, {{1, 1, 9}}, tailRulers);
        head.append(tail);
        EXPECT_EQ(head, String(c.text));
        EXPECT_EQ(rulers(head), c.expected) << c.text;
        styles(head);
    }
    StyledString ab = styled("ab", {{0, npos, 5}});
    ab.append(styled("cd", {{1, 1, 7}}));
    EXPECT_EQ(styles(ab), "0+2:5 2+1:0 3+1:7");
    ab.append(ab);
    EXPECT_EQ(styles(ab), "0+2:5 2+1:0 3+1:7 4+2:5 6+1:0 7+1:7");
}

TEST(StyledString, AppendedRulersInsideParagraphsGoToTheParagraphsTheyReach) {
    struct Case {
        const char* head;
        const char* tail;
        std::vector<Span> tailRulers; // after the tail's ruler 2 at 0
        const char* expected;
    } cases[] = {
        // Ruler 3 from the middle of "cdef" goes to its start, and 4 to the start of "gh".
        {"x\n", "ab\ncdef\ngh", {{4, npos, 3}, {8, npos, 4}}, "0+2:1 2+3:2 5+5:3 10+2:4"},
        // Two in one paragraph: the first takes it, the second is dropped; 5 from inside "de".
        {"x\n", "abc\nde", {{1, npos, 3}, {5, npos, 5}}, "0+2:1 2+4:2 6+2:5"},
        // Both inside the paragraph where the texts meet: that paragraph keeps the head's ruler.
        {"x", "ab\ncd", {{1, npos, 3}}, "0+6:1"},
        // More rulers than paragraphs: those left over are dropped.
        {"x\n", "ab", {{1, npos, 3}}, "0+2:1 2+2:2"},
    };
    for (const Case& c : cases) {
        StyledString head = styled(c.head, {}, {{0, npos, 1}});
        std::vector<Span> tailRulers = {{0, npos, 2}};
        tailRulers.insert(tailRulers.end(), c.tailRulers.begin(), c.tailRulers.end());
        head.append(styled(c.tail, {}, tailRulers));
        String joined(c.head);
        joined += c.tail;
        EXPECT_EQ(head, joined);
        EXPECT_EQ(rulers(head), c.expected) << c.head << c.tail;
    }
}

TEST(StyledString, CopiesOwnTheirValues) {
    StyledString s = sixRuns();
    StyledString copy(s);
    StyledString assigned;
    assigned = s;
    std::unique_ptr<StyledString> cloned = s.clone();
    StyledString upper = s.toUpper();
    EXPECT_EQ(upper, String("ABCDEF"));
    for (const StyledString* other : {&copy, &assigned, cloned.get(), &upper}) {
        EXPECT_EQ(styles(*other), "0+2:5 2+2:7 4+2:0");
        EXPECT_NE(other->getStyleRun(1).value, s.getStyleRun(1).value);
    }
    copy.setStyle(TextStyle(1), 0, npos);
    EXPECT_EQ(styles(s), "0+2:5 2+2:7 4+2:0");
    EXPECT_EQ(styles(s.toLower()), "0+2:5 2+2:7 4+2:0");
}

TEST(StyledString, MoveAssignmentTakesTextAndRunsAndLeavesTheSourceUsable) {
    StyledString moved;
    moved.setStyle(TextStyle(3), 0, npos);
    moved = sixRuns();
    EXPECT_EQ(moved, String("abcdef"));
    EXPECT_EQ(styles(moved), "0+2:5 2+2:7 4+2:0");

    StyledString source = sixRuns();
    const TextStyle* taken = source.getStyleRun(1).value;
    StyledString target(String("xy"));
    target = std::move(source);
    EXPECT_EQ(target.getStyleRun(1).value, taken); // the runs themselves, not copies
    EXPECT_EQ(styles(target), "0+2:5 2+2:7 4+2:0");
    // The source stays usable: it can be read, written and assigned again.
    source = StyledString(String("new"));
    EXPECT_EQ(source, String("new"));
    EXPECT_EQ(source.getStyleCount(), 1u);
    EXPECT_EQ(styles(target), "0+2:5 2+2:7 4+2:0");
}
