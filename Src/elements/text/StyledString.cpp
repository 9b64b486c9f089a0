#include "elements/text/StyledString.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tarnwick {

namespace {

template <class T> using PositionMap = Map<unsigned int, T>;

unsigned int key(size_t position) {
    return static_cast<unsigned int>(position);
}

template <class T> void resetMap(PositionMap<T>& map) {
    std::unique_ptr<T> first = map.empty() ? nullptr : std::move(map.begin()->second);
    map.clear();
    map.set(0, first ? std::move(first) : std::make_unique<T>());
}

// The run of one entry; an entry left past the end of the text (after a plain assign) is empty.
template <class T>
StyledString::Run<T> runOf(const PositionMap<T>& map, typename PositionMap<T>::const_iterator it,
                           size_t length) {
    if (it == map.end()) return {};
    auto next = std::next(it);
    size_t end = std::min(next == map.end() ? length : size_t(next->first), length);
    size_t start = it->first;
    return {start, end > start ? end - start : 0, it->second.get()};
}

template <class T> StyledString::Run<T> runAt(const PositionMap<T>& map, size_t position, size_t length) {
    if (position >= length) return {};
    auto it = map.upperBound(key(position));
    if (it == map.begin()) return {};
    return runOf(map, std::prev(it), length);
}

template <class T> StyledString::Run<T> runByIndex(const PositionMap<T>& map, size_t index, size_t length) {
    if (index >= map.size()) return {};
    return runOf(map, std::next(map.begin(), static_cast<std::ptrdiff_t>(index)), length);
}

template <class T> std::vector<StyledString::Run<T>> runsOf(const PositionMap<T>& map, size_t length) {
    std::vector<StyledString::Run<T>> runs;
    runs.reserve(map.size());
    for (auto it = map.begin(); it != map.end(); ++it)
        runs.push_back(runOf(map, it, length));
    return runs;
}

template <class T>
void applyValue(PositionMap<T>& map, const T& value, size_t start, size_t count, size_t length) {
    if (start >= length) {
        if (length == 0 && !map.empty()) *map.begin()->second = value;
        return;
    }
    if (count == String::npos || count > length - start) count = length - start;
    // An empty range would otherwise restyle from start to the next entry.
    if (count == 0) return;
    size_t end = start + count;
    auto first = map.atOrBefore(key(start));
    auto last = map.upperBound(key(end - 1));
    if (first == last) return;
    // The old run goes on after the range unless an entry starts exactly there.
    std::unique_ptr<T> rest;
    if (end < length && (last == map.end() || last->first != end))
        rest = std::make_unique<T>(*std::prev(last)->second);
    if (first->first < start) ++first;
    map.erase(first, last);
    if (rest) map.set(key(end), std::move(rest));
    map.set(key(start), std::make_unique<T>(value));
}

// The entries of source over [from, from + count), shifted by -from, the first at 0.
template <class T>
void copyPart(PositionMap<T>& target, const PositionMap<T>& source, size_t from, size_t count) {
    target.clear();
    auto last = source.upperBound(key(from + count - 1));
    for (auto it = source.atOrBefore(key(from)); it != last; ++it)
        target.set(it->first < from ? 0 : key(it->first - from), std::make_unique<T>(*it->second));
    if (target.empty()) target.set(0, std::make_unique<T>());
}

// Drops the entries at or past the position; the one at 0 stays.
template <class T> void dropFrom(PositionMap<T>& map, size_t position) {
    map.erase(map.upperBound(key(position == 0 ? 0 : position - 1)), map.end());
}

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

StyledString::StyleMap::StyleMap() {
    set(0, std::make_unique<TextStyle>());
}
void StyledString::StyleMap::reset() {
    resetMap<TextStyle>(*this);
}

StyledString::RulerMap::RulerMap() {
    set(0, std::make_unique<TextRuler>());
}
void StyledString::RulerMap::reset() {
    resetMap<TextRuler>(*this);
}

StyledString::StyledString()
    : m_styles(std::make_unique<StyleMap>()), m_rulers(std::make_unique<RulerMap>()) {}

StyledString::StyledString(const char* text, size_t length) : StyledString() {
    String::assign(text, length, 99);
}

StyledString::StyledString(size_t count, char32_t character)
    : String(count, character), m_styles(std::make_unique<StyleMap>()),
      m_rulers(std::make_unique<RulerMap>()) {}

StyledString::StyledString(const String& text, size_t from, size_t count)
    : String(from == 0 && count == npos ? text : text.substring(from, count)),
      m_styles(std::make_unique<StyleMap>()), m_rulers(std::make_unique<RulerMap>()) {}

StyledString::StyledString(const StyledString& other) : StyledString(other, other) {}

StyledString::StyledString(const StyledString& other, size_t from, size_t count)
    : String(other.substring(from, count)), m_styles(std::make_unique<StyleMap>()),
      m_rulers(std::make_unique<RulerMap>()) {
    if (isEmpty()) return;
    size_t length = getLength();
    copyPart<TextStyle>(*m_styles, *other.m_styles, from, length);
    copyPart<TextRuler>(*m_rulers, *other.m_rulers, from, length);
}

StyledString::StyledString(const String& text, const StyledString& runs)
    : String(text), m_styles(std::make_unique<StyleMap>(*runs.m_styles)),
      m_rulers(std::make_unique<RulerMap>(*runs.m_rulers)) {}

StyledString& StyledString::operator=(const StyledString& other) {
    if (this == &other) return *this;
    auto styles = std::make_unique<StyleMap>(*other.m_styles);
    auto rulers = std::make_unique<RulerMap>(*other.m_rulers);
    String::operator=(other);
    m_styles = std::move(styles);
    m_rulers = std::move(rulers);
    return *this;
}

StyledString& StyledString::operator=(StyledString&& other) noexcept {
    if (this == &other) return *this;
    String::operator=(std::move(static_cast<String&>(other)));
    std::swap(m_styles, other.m_styles);
    std::swap(m_rulers, other.m_rulers);
    return *this;
}

StyledString::~StyledString() = default;

std::unique_ptr<StyledString> StyledString::clone() const {
    return std::make_unique<StyledString>(*this);
}

void StyledString::truncate(size_t byteLength) {
    const std::string& text = bytes();
    size_t cut = std::min(byteLength, text.size());
    while (cut > 0 && cut < text.size() && isContinuation(text[cut]))
        --cut;
    size_t characters = String(std::string_view(text).substr(0, cut)).getLength();
    dropFrom<TextStyle>(*m_styles, characters);
    dropFrom<TextRuler>(*m_rulers, characters);
    String::resize(cut);
}

void StyledString::clear() {
    m_styles->reset();
    m_rulers->reset();
    String::clear();
}

void StyledString::replace(size_t start, size_t count, const String& source, size_t sourceStart,
                           size_t sourceCount) {
    StyledString inserted(source.substring(sourceStart, sourceCount));
    size_t length = getLength();
    if (start == npos || start > length) {
        append(inserted);
        return;
    }
    if (count == npos || count > length - start) count = length - start;
    StyledString tail = getSubstring(start + count);
    truncate(byteOffset(start));
    append(inserted);
    append(tail);
}

void StyledString::append(const StyledString& other) {
    if (other.isEmpty()) return;
    if (isEmpty()) {
        *this = other;
        return;
    }
    if (&other == this) {
        StyledString copy(other);
        append(copy);
        return;
    }
    size_t n = getLength();
    String::operator+=(other);
    for (const auto& [position, style] : *other.m_styles)
        m_styles->set(key(position + n), std::make_unique<TextStyle>(*style));

    // Each ruler run is one paragraph, so the appended rulers take the paragraphs that lie wholly
    // in the appended text one by one, in order. A ruler placed before the next free paragraph
    // (in the one where the texts meet, which keeps this text's ruler, or in one already taken)
    // is dropped.
    std::vector<std::pair<size_t, size_t>> lines;
    splitLines(lines, n - 1);
    size_t line = 1;
    if (line >= lines.size()) return;
    for (const auto& [position, ruler] : *other.m_rulers) {
        if (position + n < lines[line].first) continue;
        m_rulers->set(key(lines[line].first), std::make_unique<TextRuler>(*ruler));
        if (++line == lines.size()) return;
    }
}

void StyledString::assignPlain(const char* text, size_t length) {
    m_styles->reset();
    m_rulers->reset();
    String::assign(text, length, 99);
}

StyledString::StyleRun StyledString::getStyleRun(size_t index) const {
    return runByIndex<TextStyle>(*m_styles, index, getLength());
}
StyledString::RulerRun StyledString::getRulerRun(size_t index) const {
    return runByIndex<TextRuler>(*m_rulers, index, getLength());
}
StyledString::StyleRun StyledString::getStyleRunAt(size_t position) const {
    return runAt<TextStyle>(*m_styles, position, getLength());
}
StyledString::RulerRun StyledString::getRulerRunAt(size_t position) const {
    return runAt<TextRuler>(*m_rulers, position, getLength());
}
std::vector<StyledString::StyleRun> StyledString::getStyleRuns() const {
    return runsOf<TextStyle>(*m_styles, getLength());
}
std::vector<StyledString::RulerRun> StyledString::getRulerRuns() const {
    return runsOf<TextRuler>(*m_rulers, getLength());
}

void StyledString::setStyle(const TextStyle& style, size_t start, size_t count) {
    applyValue<TextStyle>(*m_styles, style, start, count, getLength());
}
void StyledString::setRuler(const TextRuler& ruler, size_t start, size_t count) {
    applyValue<TextRuler>(*m_rulers, ruler, start, count, getLength());
}

StyledString StyledString::getSubstring(size_t from, size_t count) const {
    return StyledString(*this, from, count);
}

StyledString StyledString::toUpper() const {
    return StyledString(String::toUpper(), *this);
}
StyledString StyledString::toLower() const {
    return StyledString(String::toLower(), *this);
}

} // namespace tarnwick
