// The rich text of a text block or label, exchanged with the host's element memo: the text
// content (with its NUL), the start of every line, and one paragraph record per ruler run with its
// tab stops, style runs and line ends.
#pragma once

#include <cstdint>

#include "elements/text/StyledString.h"
#include "platform/api/ElementRecords.h"
#include "project/Memo.h"

namespace tarnwick {

class TextMemo : public Memo {
public:
    explicit TextMemo(const StyledString& text = StyledString()) : m_text(text) {}
    TextMemo(const TextMemo&) = default;
    TextMemo& operator=(const TextMemo&) = default;
    ~TextMemo() override = default;

    bool isValid() const override { return true; }
    // Has the owner fetch the text parts and read them.
    void load(Element& owner, MemoStore*& store) override;
    // New handles for the text's parts in the store. False for an empty text (nothing written),
    // and when a paragraph cannot be written (the line starts are written all the same).
    bool writeMemo(MemoStore& store) override;
    // Replaces the text by the store's; loaded when the text was there. Every count and position
    // is bounded by the block that holds it. False, unloaded and empty, without text content.
    bool readMemo(MemoStore& store) override;
    virtual uint64_t getMemoMask() const { return MemoText; }

    // Loads it first.
    const StyledString& getText();
    // Takes the text (loaded from then on, so that it is written); restyle gives it the old
    // text's first ruler and its styles position by position, the last one reaching to the end.
    void setText(const StyledString& newText, bool restyle);

protected:
    // The element that embeds the memo and fetches its parts; null for a memo on its own.
    virtual Element* getTextOwner() = 0;

    StyledString m_text;

private:
    // One paragraph record at `at` (in the memo's paragraphs handle), with its tabs, line ends and
    // runs; false when the ruler or a style is missing.
    bool writeParagraph(char* at, const StyledString::RulerRun& ruler);
};

} // namespace tarnwick
