#include "TextBlocks.h"

#include <cstring>
#include <utility>
#include <vector>

#include "RecordFields.h"

namespace zavhost {

namespace {
constexpr size_t contentOffset = offsetof(API_ElementMemo, textContent);
constexpr size_t lineStartsOffset = offsetof(API_ElementMemo, lineStarts);

bool isBreak(char32_t c) {
    return c == '\r' || c == '\n';
}

// The text's characters (UTF-8 lead bytes start one), for positions that count characters.
std::vector<char32_t> charactersOf(const std::string& text) {
    std::vector<char32_t> characters;
    for (unsigned char byte : text)
        if ((byte & 0xC0) != 0x80) characters.push_back(byte < 0x80 ? byte : 0x80);
    return characters;
}

// (start, length) of each line; CR LF and LF CR are one break.
std::vector<std::pair<uint32_t, uint32_t>> linesOf(const std::vector<char32_t>& characters) {
    std::vector<std::pair<uint32_t, uint32_t>> lines;
    size_t start = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (!isBreak(characters[i])) continue;
        lines.emplace_back(static_cast<uint32_t>(start), static_cast<uint32_t>(i - start));
        if (i + 1 < characters.size() && isBreak(characters[i + 1]) && characters[i + 1] != characters[i])
            ++i;
        start = i + 1;
    }
    if (start < characters.size() || lines.empty())
        lines.emplace_back(static_cast<uint32_t>(start), static_cast<uint32_t>(characters.size() - start));
    return lines;
}

template <class Record> StoredBlock pointerOf(const std::vector<Record>& records) {
    StoredBlock block;
    block.isPointer = true;
    block.bytes.assign(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(Record));
    return block;
}

const StoredBlock* blockAt(const StoredMemo& memo, size_t offset) {
    auto it = memo.blocks.find(static_cast<uint32_t>(offset));
    return it == memo.blocks.end() ? nullptr : &it->second;
}
} // namespace

void setDefaultTextSettings(API_Element& record) {
    HostTextElement part = textPartOf(record);
    part.pen = 1;
    part.font = 1;
    part.style = 0;
    part.anchor = 0;
    part.justification = 0;
    part.size = 2.5;
    part.spacing = 1.0;
    setTextPart(record, part);
}

HostTextElement textPartOf(const API_Element& record) {
    return partOf<HostTextElement>(record);
}

void setTextPart(API_Element& record, const HostTextElement& part) {
    setPart(record, part);
}

StoredMemo makeStyledTextMemo(const std::string& text, const HostTextRun& style, uint32_t* lineCount) {
    const std::vector<char32_t> characters = charactersOf(text);
    const auto lines = linesOf(characters);
    StoredMemo memo;
    memo.blocks[contentOffset].bytes = text + '\0';
    std::vector<uint16_t> starts;
    std::vector<uint32_t> lineEnds;
    for (const auto& [start, length] : lines) {
        starts.push_back(static_cast<uint16_t>(start));
        lineEnds.push_back(start + length - (length != 0 ? 1 : 0));
    }
    memo.blocks[lineStartsOffset].bytes.assign(reinterpret_cast<const char*>(starts.data()),
                                               starts.size() * sizeof(uint16_t));
    // One paragraph: its range leaves out the trailing line breaks.
    size_t range = characters.size();
    while (range > 0 && isBreak(characters[range - 1]))
        --range;
    if (range == 0) range = characters.size();
    HostTextParagraph paragraph;
    paragraph.range = static_cast<uint32_t>(range);
    paragraph.value4 = 0.003;
    HostTextRun run = style;
    run.from = 0;
    run.range = static_cast<uint32_t>(range);
    StoredBlock& paragraphs = memo.blocks[paragraphsOffset];
    paragraphs.bytes.assign(reinterpret_cast<const char*>(&paragraph), sizeof paragraph);
    paragraphs.nested.emplace_back(offsetof(HostTextParagraph, runs),
                                   pointerOf(std::vector<HostTextRun>{run}));
    paragraphs.nested.emplace_back(offsetof(HostTextParagraph, lineEnds), pointerOf(lineEnds));
    if (lineCount != nullptr) *lineCount = static_cast<uint32_t>(lines.size());
    return memo;
}

StoredMemo makeTextMemo(const std::string& text, API_Element& record) {
    HostTextElement part = textPartOf(record);
    HostTextRun style;
    style.pen = part.pen;
    style.style = part.style;
    style.font = part.font;
    style.size = part.size;
    uint32_t lineCount = 0;
    StoredMemo memo = makeStyledTextMemo(text, style, &lineCount);
    record.head.byte76 = 1;
    part = textPartOf(record);
    part.lineCount = lineCount;
    part.severalStyles = 0;
    setTextPart(record, part);
    return memo;
}

std::string textOf(const StoredMemo& memo) {
    const StoredBlock* content = blockAt(memo, contentOffset);
    if (content == nullptr) return {};
    return content->bytes.substr(0, content->bytes.find('\0'));
}

TextShape textShapeOf(const StoredMemo& memo) {
    TextShape shape;
    const StoredBlock* paragraphs = blockAt(memo, paragraphsOffset);
    if (paragraphs == nullptr) return shape;
    shape.paragraphs = paragraphs->bytes.size() / sizeof(HostTextParagraph);
    for (const auto& [slot, block] : paragraphs->nested)
        if (slot % sizeof(HostTextParagraph) == offsetof(HostTextParagraph, runs))
            shape.runs += block.bytes.size() / sizeof(HostTextRun);
    return shape;
}

std::string textMemoProblem(const StoredMemo& memo) {
    const StoredBlock* content = blockAt(memo, contentOffset);
    if (content != nullptr && (content->bytes.empty() || content->bytes.back() != '\0'))
        return "the text content does not end in a NUL";
    const StoredBlock* paragraphs = blockAt(memo, paragraphsOffset);
    if (paragraphs == nullptr) return {};
    if (content == nullptr) return "the text has paragraphs but no content";
    if (paragraphs->bytes.size() % sizeof(HostTextParagraph) != 0)
        return "the paragraphs are not whole records";
    for (const auto& [slot, block] : paragraphs->nested) {
        const size_t field = slot % sizeof(HostTextParagraph);
        const size_t unit = field == offsetof(HostTextParagraph, runs)   ? sizeof(HostTextRun)
                            : field == offsetof(HostTextParagraph, tabs) ? sizeof(HostTextTab)
                                                                         : sizeof(uint32_t);
        if (block.bytes.size() % unit != 0)
            return "a paragraph's runs, tabs or line ends are not whole records";
    }
    return {};
}

} // namespace zavhost
