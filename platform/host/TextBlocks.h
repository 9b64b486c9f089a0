// The stand-in host's text blocks (type 15): their default settings, the memo the host makes for
// a text (its content, line starts and one paragraph of one run), the checks it makes of a text
// memo a module hands it, and what a scenario reads back of one.
#pragma once

#include <cstddef>
#include <string>

#include "StoredBlocks.h"
#include "platform/api/TextRecords.h"

namespace zavhost {

inline constexpr uint32_t TextTypeCode = 15;

// The host's text settings of a new project: pen 1, font 1, 2.5 mm, anchored at the top left.
void setDefaultTextSettings(API_Element& record);
HostTextElement textPartOf(const API_Element& record);
void setTextPart(API_Element& record, const HostTextElement& part);

// The memo of a text in the record's style, as the host makes one; the record's has-memo flag,
// line count and several-styles flag follow it.
StoredMemo makeTextMemo(const std::string& text, API_Element& record);
// The same in one style run's pen, style, font and size; the count of its lines when asked.
StoredMemo makeStyledTextMemo(const std::string& text, const HostTextRun& style,
                              uint32_t* lineCount = nullptr);
// The text content up to its NUL, never past its block; empty when there is none.
std::string textOf(const StoredMemo& memo);

struct TextShape {
    size_t paragraphs = 0;
    size_t runs = 0; // of every paragraph
};
TextShape textShapeOf(const StoredMemo& memo);

// Why the memo's text parts cannot be a text block's, or nothing: content without its NUL,
// paragraphs without a text or not whole records, runs, tabs or line ends not whole records.
std::string textMemoProblem(const StoredMemo& memo);

} // namespace zavhost
