#include "elements/text/TextMemo.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "Environment/Memory.h"
#include "elements/Element.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

const String lineBreaks("\r\n");

// A new host pointer of the records, freed with the memo that names it.
template <class Record> GSPtr pointerOf(const std::vector<Record>& records) {
    GSPtr ptr = allocatePtr(static_cast<GSSize>(records.size() * sizeof(Record)));
    if (!records.empty()) std::memcpy(ptr, records.data(), records.size() * sizeof(Record));
    return ptr;
}

// A new handle in a store's field; what was there goes.
char* newHandleIn(GSHandle* field, size_t size) {
    freeHandle(*field);
    *field = allocateHandle(static_cast<GSSize>(size));
    return **field;
}

struct ClippedRun {
    size_t start;
    size_t length;
    const TextStyle* style;
};

} // namespace

void TextMemo::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(getMemoMask(), store);
}

const StyledString& TextMemo::getText() {
    if (Element* owner = getTextOwner()) ensureLoaded(*owner);
    return m_text;
}

void TextMemo::setText(const StyledString& newText, bool restyle) {
    if (Element* owner = getTextOwner()) ensureLoaded(*owner);
    const StyledString old(m_text);
    m_text = newText;
    // The caller's text is what the host is to get, read or not before.
    m_loaded = true;
    if (!restyle) return;
    if (const TextRuler* ruler = old.getRulerRun(0).value) m_text.setRuler(*ruler, 0);
    TextStyle last(0, TextStyle::DefaultSize);
    size_t pos = 0;
    for (const StyledString::StyleRun& run : old.getStyleRuns()) {
        if (run.value == nullptr || run.length == 0) continue;
        last = *run.value;
        pos += run.length;
        m_text.setStyle(last, run.start, run.length);
    }
    if (pos < m_text.getLength()) m_text.setStyle(last, pos);
}

bool TextMemo::writeMemo(MemoStore& store) {
    if (Element* owner = getTextOwner()) ensureLoaded(*owner);
    if (m_text.isEmpty()) return false;
    try {
        char* content = newHandleIn(store.textContentAddress(), m_text.getByteLength() + 1);
        std::memcpy(content, m_text.c_str(), m_text.getByteLength() + 1);
        if (m_text.getStyleCount() == 0 || m_text.getRulerCount() == 0) return false;

        const std::vector<StyledString::RulerRun> rulers = m_text.getRulerRuns();
        GSHandle* paragraphsField = store.paragraphsAddress();
        newHandleIn(paragraphsField, rulers.size() * sizeof(HostTextParagraph));
        bool written = true;
        for (size_t i = 0; i < rulers.size() && written; ++i)
            written = writeParagraph(**paragraphsField + i * sizeof(HostTextParagraph), rulers[i]);

        std::vector<std::pair<size_t, size_t>> lines;
        m_text.splitLines(lines);
        std::vector<uint16_t> starts;
        starts.reserve(lines.size());
        for (const auto& line : lines)
            starts.push_back(static_cast<uint16_t>(line.first));
        char* startsData = newHandleIn(store.lineStartsAddress(), starts.size() * sizeof(uint16_t));
        std::memcpy(startsData, starts.data(), starts.size() * sizeof(uint16_t));
        return written;
    } catch (const std::bad_alloc&) {
        return false; // what was written goes with the store
    }
}

bool TextMemo::writeParagraph(char* at, const StyledString::RulerRun& ruler) {
    if (ruler.value == nullptr) return false;
    HostTextParagraph record;
    if (!ruler.value->toParagraphRecord(record)) return false;
    const size_t from = ruler.start;
    const size_t end = ruler.start + ruler.length;
    // The trailing line breaks are not the paragraph's.
    const size_t last = end > from ? m_text.findLastNotOf(lineBreaks, end - 1) : String::npos;
    const size_t range = last == String::npos || last < from ? ruler.length : last - from + 1;
    record.from = static_cast<uint32_t>(from);
    record.range = static_cast<uint32_t>(range);

    // The record (with its tab pointer) is in the memo from here, so that it goes with it.
    std::memcpy(at, &record, sizeof record);
    std::vector<std::pair<size_t, size_t>> lines;
    m_text.splitLines(lines, from, end);
    std::vector<uint32_t> lineEnds;
    lineEnds.reserve(lines.size());
    for (const auto& [start, length] : lines)
        lineEnds.push_back(static_cast<uint32_t>(start - from + length - (length != 0 ? 1 : 0)));
    record.lineEnds = pointerOf(lineEnds);
    std::memcpy(at, &record, sizeof record);

    std::vector<ClippedRun> runs;
    for (size_t pos = from; pos < end;) {
        const StyledString::StyleRun run = m_text.getStyleRunAt(pos);
        if (run.value == nullptr) return false;
        const size_t runEnd = std::min(run.start + run.length, end);
        if (runEnd <= pos) return false;
        runs.push_back({pos, runEnd - pos, run.value});
        pos = runEnd;
    }
    if (runs.empty()) return false;
    // Runs that start in the trailing line breaks go: the last one ends where the range ends.
    while (runs.size() > 1 && runs.back().start - from >= range)
        runs.pop_back();
    std::vector<HostTextRun> records(runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        const size_t offset = runs[i].start - from;
        const size_t length = i + 1 < runs.size() ? runs[i].length : range - offset;
        runs[i].style->toRunRecord(records[i], static_cast<uint32_t>(offset), static_cast<uint32_t>(length));
    }
    record.runs = pointerOf(records);
    std::memcpy(at, &record, sizeof record);
    return true;
}

bool TextMemo::readMemo(MemoStore& store) {
    m_loaded = false;
    m_text.clear();
    GSHandle content = store.getTextContent();
    const GSSize contentSize = getHandleSize(content);
    if (content == nullptr || *content == nullptr || contentSize <= 0) return false;
    m_text = StyledString(String(*content, static_cast<size_t>(contentSize)));
    GSHandle paragraphs = store.getParagraphs();
    if (paragraphs == nullptr || *paragraphs == nullptr) {
        m_loaded = true;
        return true;
    }
    const size_t length = m_text.getLength();
    const size_t count = static_cast<size_t>(getHandleSize(paragraphs)) / sizeof(HostTextParagraph);
    for (size_t i = 0; i < count; ++i) {
        char* at = *paragraphs + i * sizeof(HostTextParagraph);
        HostTextParagraph record;
        std::memcpy(static_cast<void*>(&record), at, sizeof record);
        uint32_t next = static_cast<uint32_t>(length);
        if (i + 1 < count)
            std::memcpy(&next, at + sizeof record + offsetof(HostTextParagraph, from), sizeof next);
        record.range = next > record.from ? next - record.from : 0;
        std::memcpy(at + offsetof(HostTextParagraph, range), &record.range, sizeof record.range);
        m_text.setRuler(TextRuler(record), record.from, record.range);
        if (record.runs == nullptr) continue;
        const size_t runCount = static_cast<size_t>(getPtrSize(record.runs)) / sizeof(HostTextRun);
        for (size_t j = 0; j < runCount; ++j) {
            HostTextRun run;
            std::memcpy(static_cast<void*>(&run), record.runs + j * sizeof(HostTextRun), sizeof run);
            // The last run reaches at least to the paragraph's end.
            const size_t runLength = j + 1 < runCount ? run.range : record.range;
            m_text.setStyle(TextStyle(run), size_t(record.from) + run.from, runLength);
        }
    }
    m_loaded = true;
    return true;
}

} // namespace tarnwick
