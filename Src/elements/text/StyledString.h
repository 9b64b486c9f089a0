// Rich text: a String whose characters carry text styles and paragraph rulers. Each kind is kept
// as runs: an entry at a character position applies up to the next entry of its kind, or to the
// end of the text. There is always an entry of each kind at position 0.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "Environment/Containers.h"
#include "Environment/String.h"
#include "elements/text/TextRuler.h"
#include "elements/text/TextStyle.h"

namespace tarnwick {

template <class T> class ApplicationMap : public Map<unsigned int, T> {
public:
    ApplicationMap() = default;
    ApplicationMap(const ApplicationMap&) = default;
    ApplicationMap& operator=(const ApplicationMap&) = default;
    ~ApplicationMap() override = default;
};

class StyledString : public String {
public:
    // Position -> style; a new one holds the default 12 pt style at 0.
    class StyleMap : public ApplicationMap<TextStyle> {
    public:
        StyleMap();
        StyleMap(const StyleMap&) = default;
        StyleMap& operator=(const StyleMap&) = default;
        ~StyleMap() override = default;
        // One entry at 0: the first value when there is one, else the default.
        void reset();
    };
    // Position -> ruler; a new one holds the default ruler at 0.
    class RulerMap : public ApplicationMap<TextRuler> {
    public:
        RulerMap();
        RulerMap(const RulerMap&) = default;
        RulerMap& operator=(const RulerMap&) = default;
        ~RulerMap() override = default;
        void reset();
    };

    // A run of a value: (start, length) in characters and the value, borrowed from the string
    // until its entry changes. No run: (0, 0, null).
    template <class T> struct Run {
        size_t start = 0;
        size_t length = 0;
        const T* value = nullptr;
    };
    using StyleRun = Run<TextStyle>;
    using RulerRun = Run<TextRuler>;

    StyledString();
    // length in characters; npos: up to the NUL.
    explicit StyledString(const char* text, size_t length = npos);
    StyledString(size_t count, char32_t character);
    explicit StyledString(const String& text, size_t from = 0, size_t count = npos);
    StyledString(const StyledString& other);
    // The part with its runs, the first starting at 0 (as getSubstring).
    StyledString(const StyledString& other, size_t from, size_t count = npos);
    StyledString& operator=(const StyledString& other);
    // Takes the other's text and runs without copying them; the other is left valid, its text empty.
    StyledString& operator=(StyledString&& other) noexcept;
    ~StyledString() override;

    virtual std::unique_ptr<StyledString> clone() const;
    // Cuts the text to at most byteLength bytes, before any character that would not fit whole,
    // and drops the entries from there on, except those at 0.
    virtual void truncate(size_t byteLength);
    void resize(size_t byteLength) override { truncate(byteLength); }
    using String::assign; // the text only; the runs stay as they are
    // Both maps back to one entry at 0 keeping their first values, and no text.
    void clear() override;
    // The inserted characters (plain, from source) wear the default style and ruler; the runs
    // after them keep theirs. start npos or past the end appends.
    void replace(size_t start, size_t count, const String& source, size_t sourceStart = 0,
                 size_t sourceCount = npos) override;
    // Styles of the other move with its text; its rulers land on its paragraph starts, and the
    // paragraph where the two texts meet keeps this one's ruler.
    virtual void append(const StyledString& other);
    // Plain text with the maps reset.
    virtual void assignPlain(const char* text, size_t length = npos);

    size_t getStyleCount() const { return m_styles->size(); }
    size_t getRulerCount() const { return m_rulers->size(); }
    // The index-th run in position order; (0, 0, null) past the last.
    StyleRun getStyleRun(size_t index) const;
    RulerRun getRulerRun(size_t index) const;
    // The run covering the position; (0, 0, null) at or past the end of the text.
    StyleRun getStyleRunAt(size_t position) const;
    RulerRun getRulerRunAt(size_t position) const;
    // Every run in position order, in one pass.
    std::vector<StyleRun> getStyleRuns() const;
    std::vector<RulerRun> getRulerRuns() const;

    // A copy of the value over [start, start + count) (count npos: to the end). On an empty
    // text the first value becomes the value; a start at or past the end otherwise does nothing.
    void setStyle(const TextStyle& style, size_t start, size_t count = npos);
    void setRuler(const TextRuler& ruler, size_t start, size_t count = npos);

    // The part with its runs, the first starting at 0.
    StyledString getSubstring(size_t from, size_t count = npos) const;
    StyledString toUpper() const;
    StyledString toLower() const;

    const StyleMap& getStyleMap() const { return *m_styles; }
    const RulerMap& getRulerMap() const { return *m_rulers; }

private:
    StyledString(const String& text, const StyledString& runs); // the text, clones of the maps
    void copyRunsOf(const StyledString& other, size_t from, size_t count);

    std::unique_ptr<StyleMap> m_styles;
    std::unique_ptr<RulerMap> m_rulers;
};

} // namespace tarnwick
