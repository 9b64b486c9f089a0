// The text memo: the paragraph, run and line records it writes for a text (ranges without the
// trailing line breaks, line ends and starts, multibyte positions, runs that start in the breaks),
// what it reads back from records it did not write (ranges recomputed and written back, rulers
// with tabs, runs reaching to the paragraph's end, counts bounded by their blocks), and restyling.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ElementTestSupport.h"
#include "elements/text/TextMemo.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

// A memo on its own: nothing to load from.
class LooseMemo : public TextMemo {
public:
    using TextMemo::TextMemo;
    StyledString& text() { return m_text; }

protected:
    Element* getTextOwner() override { return nullptr; }
};

template <class Record> std::vector<Record> recordsIn(const char* data, size_t size) {
    std::vector<Record> records(size / sizeof(Record));
    if (!records.empty())
        std::memcpy(static_cast<void*>(records.data()), data, records.size() * sizeof(Record));
    return records;
}
template <class Record> std::vector<Record> recordsOf(GSHandle handle) {
    return handle == nullptr ? std::vector<Record>() : recordsIn<Record>(*handle, BMHandleSize(handle));
}
template <class Record> std::vector<Record> recordsOf(GSPtr ptr) {
    return ptr == nullptr ? std::vector<Record>() : recordsIn<Record>(ptr, BMPtrSize(ptr));
}
template <class Record> GSPtr pointerOf(const std::vector<Record>& records) {
    GSPtr ptr = BMNewPtr(static_cast<GSSize>(records.size() * sizeof(Record)));
    std::memcpy(ptr, records.data(), records.size() * sizeof(Record));
    return ptr;
}
GSHandle handleOf(const void* data, size_t size) {
    GSHandle handle = BMNewHandle(static_cast<GSSize>(size));
    std::memcpy(*handle, data, size);
    return handle;
}

HostTextRun run(uint32_t from, uint32_t range, double size) {
    HostTextRun record;
    record.from = from;
    record.range = range;
    record.pen = 1;
    record.size = size;
    return record;
}

// The size each character wears.
std::vector<double> characterSizes(const StyledString& text) {
    std::vector<double> sizes;
    for (size_t i = 0; i < text.getLength(); ++i)
        sizes.push_back(text.getStyleRunAt(i).value->getSize());
    return sizes;
}

std::vector<double> sizesOf(const StyledString& text) {
    std::vector<double> sizes;
    for (const StyledString::StyleRun& each : text.getStyleRuns())
        sizes.push_back(each.value->getSize());
    return sizes;
}

using TextMemos = HostTest;

} // namespace

TEST_F(TextMemos, WritesOneParagraphWithoutItsTrailingBreaksAndReadsItBack) {
    const struct {
        std::string text;
        uint32_t range;
        std::vector<uint32_t> lineEnds;
        std::vector<uint16_t> starts;
    } cases[] = {
        {"ab\r\ncd", 6, {1, 5}, {0, 4}},
        {"abc\r\n", 3, {2}, {0}},
        {"\xC3\xA4"
         "b\n\rc",
         5,
         {1, 4},
         {0, 4}},              // positions count characters, LF CR is one break
        {"\r\n", 2, {0}, {0}}, // nothing but breaks: all of it
    };
    for (const auto& c : cases) {
        LooseMemo memo{StyledString(c.text.c_str())};
        ElementMemoStore store;
        ASSERT_TRUE(memo.writeMemo(store)) << c.text;
        const API_ElementMemo& block = *store.getMemo();
        EXPECT_EQ(std::string(*block.textContent, BMHandleSize(block.textContent)), c.text + '\0');
        EXPECT_EQ(recordsOf<uint16_t>(block.lineStarts), c.starts) << c.text;
        const std::vector<HostTextParagraph> paragraphs = recordsOf<HostTextParagraph>(block.paragraphs);
        ASSERT_EQ(paragraphs.size(), 1u);
        EXPECT_EQ(paragraphs[0].from, 0u);
        EXPECT_EQ(paragraphs[0].range, c.range) << c.text;
        EXPECT_EQ(recordsOf<uint32_t>(paragraphs[0].lineEnds), c.lineEnds) << c.text;
        const std::vector<HostTextRun> runs = recordsOf<HostTextRun>(paragraphs[0].runs);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].from, 0u);
        EXPECT_EQ(runs[0].range, c.range);
        EXPECT_DOUBLE_EQ(runs[0].size, TextStyle::DefaultSize);

        LooseMemo back;
        ElementMemoStore reader(nullptr, store.getMemo());
        ASSERT_TRUE(back.readMemo(reader));
        EXPECT_TRUE(back.isLoaded());
        EXPECT_EQ(back.text(), StyledString(c.text.c_str()));
        EXPECT_EQ(back.text().getStyleCount(), 1u);
        EXPECT_EQ(back.text().getRulerCount(), 1u);
    }
}

TEST_F(TextMemos, AnEmptyTextWritesNothing) {
    LooseMemo memo;
    ElementMemoStore store;
    EXPECT_FALSE(memo.writeMemo(store));
    EXPECT_EQ(store.getTextContent(), nullptr);
    EXPECT_EQ(store.getParagraphs(), nullptr);
}

TEST_F(TextMemos, RunsThatStartInTheTrailingBreaksGoAndTheLastEndsWithTheRange) {
    // "ab", CR, LF: the range is 2 whatever style the breaks wear.
    const struct {
        size_t secondStart;
        std::vector<std::pair<uint32_t, uint32_t>> runs; // from, range
    } cases[] = {
        {1, {{0, 1}, {1, 1}}},
        {2, {{0, 2}}}, // starts at the CR: dropped, not a run of a negative length
        {3, {{0, 2}}},
    };
    for (const auto& c : cases) {
        LooseMemo memo{StyledString("ab\r\n")};
        memo.text().setStyle(TextStyle(0, 5.0), c.secondStart);
        ElementMemoStore store;
        ASSERT_TRUE(memo.writeMemo(store));
        const auto paragraphs = recordsOf<HostTextParagraph>(store.getParagraphs());
        ASSERT_EQ(paragraphs.size(), 1u);
        std::vector<std::pair<uint32_t, uint32_t>> runs;
        for (const HostTextRun& each : recordsOf<HostTextRun>(paragraphs[0].runs))
            runs.emplace_back(each.from, each.range);
        EXPECT_EQ(runs, c.runs) << c.secondStart;
    }
}

TEST_F(TextMemos, ReadsParagraphsItDidNotWriteAndWritesTheirRulersAndRunsBack) {
    // Two paragraphs of a 9-character text, from 0 and 4, with ranges the host left stale.
    const std::string text = "abc\nefghi";
    HostTextParagraph records[2];
    records[0].range = 99;
    records[0].alignment = 1;
    records[0].runs = pointerOf(std::vector<HostTextRun>{run(0, 4, 5.0)});
    records[1].from = 4;
    records[1].alignment = 2;
    HostTextTab tab;
    tab.word = 3;
    tab.position = 0.5;
    records[1].tabs = pointerOf(std::vector<HostTextTab>{tab});
    records[1].runs = pointerOf(std::vector<HostTextRun>{run(0, 2, 6.0), run(2, 1, 7.0)});
    ElementMemoStore source;
    *source.textContentAddress() = handleOf(text.c_str(), text.size() + 1);
    *source.paragraphsAddress() = handleOf(records, sizeof records);

    LooseMemo memo;
    ASSERT_TRUE(memo.readMemo(source));
    const auto read = recordsOf<HostTextParagraph>(source.getParagraphs());
    EXPECT_EQ(read[0].range, 4u); // recomputed and written back
    EXPECT_EQ(read[1].range, 5u);
    const auto rulers = memo.text().getRulerRuns();
    ASSERT_EQ(rulers.size(), 2u);
    EXPECT_EQ(rulers[1].start, 4u);
    EXPECT_EQ(rulers[1].value->getAlignment(), 2u);
    ASSERT_NE(rulers[1].value->getTabs(), nullptr);
    // The last run reaches to the paragraph's end, not just its own range.
    EXPECT_EQ(sizesOf(memo.text()), (std::vector<double>{5.0, 6.0, 7.0}));
    EXPECT_EQ(memo.text().getStyleRunAt(8).value->getSize(), 7.0);

    ElementMemoStore store;
    ASSERT_TRUE(memo.writeMemo(store));
    const auto written = recordsOf<HostTextParagraph>(store.getParagraphs());
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].range, 3u); // the line feed is not the paragraph's
    EXPECT_EQ(written[0].alignment, 1u);
    EXPECT_EQ(written[1].from, 4u);
    EXPECT_EQ(written[1].range, 5u);
    EXPECT_EQ(recordsOf<HostTextTab>(written[1].tabs).size(), 1u);
    const auto runs = recordsOf<HostTextRun>(written[1].runs);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].from, 2u);
    EXPECT_EQ(runs[1].range, 3u);
    EXPECT_EQ(runs[1].size, 7.0);
}

TEST_F(TextMemos, CountsAndPositionsFromTheHostAreBoundedByTheirBlocks) {
    HostTextParagraph records[2];
    records[0].from = 2; // then one that starts before it: an empty range, not a wrapped one
    records[0].runs = pointerOf(std::vector<HostTextRun>{run(0, 0xFFFFFFFF, 5.0)});
    records[1].from = 1;
    records[1].runs = BMNewPtr(sizeof(HostTextRun) + 10); // a record and a part
    HostTextRun far = run(1000, 3, 9.0);
    std::memcpy(records[1].runs, &far, sizeof far);
    ElementMemoStore source;
    *source.textContentAddress() = handleOf("abcd", 4); // no NUL
    std::string paragraphs(sizeof records + 50, '\0');  // two records and a part
    std::memcpy(paragraphs.data(), records, sizeof records);
    *source.paragraphsAddress() = handleOf(paragraphs.data(), paragraphs.size());

    LooseMemo memo;
    ASSERT_TRUE(memo.readMemo(source));
    EXPECT_EQ(memo.text(), String("abcd"));
    const auto read = recordsOf<HostTextParagraph>(source.getParagraphs());
    EXPECT_EQ(read[0].range, 0u);
    EXPECT_EQ(read[1].range, 3u);
    EXPECT_EQ(sizesOf(memo.text()), (std::vector<double>{TextStyle::DefaultSize}));

    ElementMemoStore noContent;
    EXPECT_FALSE(memo.readMemo(noContent));
    EXPECT_FALSE(memo.isLoaded());
    EXPECT_TRUE(memo.text().isEmpty());
}

TEST_F(TextMemos, WithoutParagraphsTheTextIsReadWithDefaultRunsAndLoaded) {
    ElementMemoStore source;
    *source.textContentAddress() = handleOf("plain", 6);
    LooseMemo memo;
    ASSERT_TRUE(memo.readMemo(source));
    EXPECT_TRUE(memo.isLoaded()); // so that a later edit is written, not read over
    EXPECT_EQ(memo.text(), String("plain"));
    EXPECT_EQ(sizesOf(memo.text()), (std::vector<double>{TextStyle::DefaultSize}));
    EXPECT_EQ(memo.text().getRulerCount(), 1u);
}

TEST_F(TextMemos, RestylingGivesTheNewTextTheOldStylesPositionByPosition) {
    const struct {
        std::vector<std::pair<size_t, double>> oldStyles; // start, size over "abcde"
        std::vector<double> newSizes;                     // of each character of "1234567"
    } cases[] = {
        {{{0, 5.0}}, std::vector<double>(7, 5.0)},
        {{{0, 3.0}, {2, 5.0}}, {3.0, 3.0, 5.0, 5.0, 5.0, 5.0, 5.0}},
    };
    for (const auto& c : cases) {
        LooseMemo memo{StyledString("abcde")};
        for (const auto& [start, size] : c.oldStyles)
            memo.text().setStyle(TextStyle(0, size), start);
        TextRuler ruler;
        ruler.setAlignment(3);
        memo.text().setRuler(ruler, 0);
        memo.setText(StyledString("1234567"), true);
        EXPECT_EQ(memo.text(), String("1234567"));
        EXPECT_EQ(characterSizes(memo.text()), c.newSizes);
        EXPECT_EQ(memo.text().getRulerRun(0).value->getAlignment(), 3u);
    }
    LooseMemo plain{StyledString("abcde")};
    plain.text().setStyle(TextStyle(0, 5.0), 0);
    plain.setText(StyledString("xy"), false);
    EXPECT_EQ(sizesOf(plain.text()), (std::vector<double>{TextStyle::DefaultSize}));
    EXPECT_TRUE(plain.isLoaded());
}
