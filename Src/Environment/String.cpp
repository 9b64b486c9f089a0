#include "Environment/String.h"

#include <algorithm>
#include <cstring>

#include "Environment/NumberText.h"
#include "platform/gsroot/UniString.h"

namespace tarnwick {

namespace {

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Byte length of the character starting at byte i (stray continuation bytes stay with it).
size_t charBytes(std::string_view s, size_t i) {
    size_t j = i + 1;
    while (j < s.size() && isContinuation(static_cast<unsigned char>(s[j])))
        ++j;
    return j - i;
}

size_t offsetOf(std::string_view s, size_t index) {
    size_t i = 0;
    for (size_t n = 0; n < index && i < s.size(); ++n)
        i += charBytes(s, i);
    return i;
}

size_t indexOf(std::string_view s, size_t offset) {
    size_t n = 0;
    for (size_t i = 0; i < offset && i < s.size(); i += charBytes(s, i))
        ++n;
    return n;
}

// Where the character that ends at byte `end` (> 0) starts: the inverse of charBytes.
size_t charStartBefore(std::string_view s, size_t end) {
    size_t i = end - 1;
    while (i > 0 && isContinuation(static_cast<unsigned char>(s[i])))
        --i;
    return i;
}

// The characters of a set, looked up without a copy: one-byte characters in a table, the others
// by walking the set.
class CharacterSet {
public:
    explicit CharacterSet(std::string_view set) : m_set(set) {
        for (size_t i = 0; i < set.size();) {
            const size_t n = charBytes(set, i);
            const auto byte = static_cast<unsigned char>(set[i]);
            if (n == 1 && byte < 0x80) m_ascii[byte] = true;
            i += n;
        }
    }
    bool contains(std::string_view c) const {
        const auto byte = static_cast<unsigned char>(c[0]);
        if (c.size() == 1 && byte < 0x80) return m_ascii[byte];
        for (size_t i = 0; i < m_set.size();) {
            const size_t n = charBytes(m_set, i);
            if (m_set.substr(i, n) == c) return true;
            i += n;
        }
        return false;
    }

private:
    std::string_view m_set;
    bool m_ascii[0x80] = {};
};

// The byte offset of the first character at or after byte `from` whose membership in set is not
// `member`; the byte length when there is none.
size_t firstByteWhere(std::string_view s, const CharacterSet& set, size_t from, bool member) {
    for (size_t i = from; i < s.size();) {
        const size_t n = charBytes(s, i);
        if (set.contains(s.substr(i, n)) == member) return i;
        i += n;
    }
    return s.size();
}

// The byte offset of the last character ending at or before byte `end` whose membership in set
// is `member`; npos when there is none.
size_t lastByteWhere(std::string_view s, const CharacterSet& set, size_t end, bool member) {
    while (end > 0) {
        const size_t start = charStartBefore(s, end);
        if (set.contains(s.substr(start, end - start)) == member) return start;
        end = start;
    }
    return std::string_view::npos;
}

// The byte where the characters up to and with `index` end; the byte length past the end.
size_t endOfCharacter(std::string_view s, size_t index) {
    if (index >= s.size()) return s.size(); // never more characters than bytes
    return offsetOf(s, index + 1);
}

bool isBreak(std::string_view c) {
    return c == "\r" || c == "\n";
}

void appendUtf8(std::string& out, char32_t cp) {
    char16_t units[2];
    size_t n = 1;
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
        units[0] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        units[1] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        n = 2;
    } else {
        units[0] = cp > 0x10FFFF ? u'\uFFFD' : static_cast<char16_t>(cp);
    }
    out += GS::Utf16ToUtf8(std::u16string_view(units, n));
}

} // namespace

String::String(const char* text, size_t maxBytes) {
    if (text == nullptr) return;
    const void* nul = std::memchr(text, 0, maxBytes == npos ? std::strlen(text) + 1 : maxBytes);
    size_t n = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : maxBytes;
    m_bytes.assign(text, n);
}

String::String(const char16_t* text, size_t byteLength) {
    if (text == nullptr) return;
    size_t units = 0;
    size_t limit = byteLength == npos ? npos : byteLength / 2;
    while (units < limit && text[units] != 0)
        ++units;
    m_bytes = GS::Utf16ToUtf8(std::u16string_view(text, units));
}

String::String(const GS::UniString& text) : m_bytes(GS::Utf16ToUtf8(text.Text())) {}

String::String(size_t count, char32_t character) {
    std::string one;
    appendUtf8(one, character);
    m_bytes.reserve(one.size() * count);
    for (size_t i = 0; i < count; ++i)
        m_bytes += one;
}

String::String(int value) : String(intToText(value)) {}
String::String(unsigned value) : String(uintToText(value)) {}
String::String(long value) : String(intToText(value)) {}
String::String(unsigned long value) : String(uintToText(value)) {}
String::String(long long value) : String(intToText(value)) {}
String::String(unsigned long long value) : String(uintToText(value)) {}
String::String(double value) : String(realToText(value)) {}

String& String::operator=(const char* text) {
    m_bytes = text ? text : "";
    return *this;
}

String& String::operator=(const GS::UniString& text) {
    m_bytes = GS::Utf16ToUtf8(text.Text());
    return *this;
}

void String::resize(size_t byteLength) {
    if (byteLength == npos) return;
    m_bytes.resize(byteLength, '\0');
    // The text ends at its first NUL, as the host's buffer would.
    size_t nul = m_bytes.find('\0');
    if (nul != std::string::npos) m_bytes.resize(nul);
}

void String::assign(const char* text, size_t length, int32_t charCode) {
    m_bytes.clear();
    if (text == nullptr) return;
    std::string all(text);
    if (charCode != 99) all = GS::UniString(std::string_view(all), charCode).ToCStr();
    m_bytes = length == npos ? all : all.substr(0, offsetOf(all, length));
}

void String::clear() {
    m_bytes.clear();
}

void String::replace(size_t start, size_t count, const String& source, size_t sourceStart,
                     size_t sourceCount) {
    size_t from = offsetOf(m_bytes, start);
    size_t to =
        count == npos ? m_bytes.size() : offsetOf(std::string_view(m_bytes).substr(from), count) + from;
    size_t sFrom = offsetOf(source.m_bytes, sourceStart);
    size_t sTo = sourceCount == npos
                     ? source.m_bytes.size()
                     : offsetOf(std::string_view(source.m_bytes).substr(sFrom), sourceCount) + sFrom;
    m_bytes.replace(from, to - from, source.m_bytes, sFrom, sTo - sFrom);
}

size_t String::getLength() const {
    return indexOf(m_bytes, m_bytes.size());
}

size_t String::byteOffset(size_t index) const {
    return offsetOf(m_bytes, index);
}

char32_t String::at(size_t index) const {
    size_t i = offsetOf(m_bytes, index);
    if (i >= m_bytes.size()) return 0;
    std::u16string u = GS::Utf8ToUtf16(std::string_view(m_bytes).substr(i, charBytes(m_bytes, i)));
    if (u.size() == 2) return 0x10000 + ((char32_t(u[0]) - 0xD800) << 10) + (char32_t(u[1]) - 0xDC00);
    return u.empty() ? 0 : u[0];
}

String String::substring(size_t start, size_t count) const {
    size_t from = offsetOf(m_bytes, start);
    if (from >= m_bytes.size()) return String();
    if (count == npos) return String(m_bytes.substr(from));
    size_t to = from + offsetOf(std::string_view(m_bytes).substr(from), count);
    return String(m_bytes.substr(from, to - from));
}

String& String::operator+=(const String& other) {
    m_bytes += other.m_bytes;
    return *this;
}

String& String::operator+=(const char* text) {
    if (text) m_bytes += text;
    return *this;
}

String& String::operator+=(char32_t character) {
    appendUtf8(m_bytes, character);
    return *this;
}

int String::compare(const String& other) const {
    int c = m_bytes.compare(other.m_bytes);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

size_t String::find(const String& text, size_t start) const {
    size_t from = offsetOf(m_bytes, start);
    if (from > m_bytes.size()) return npos;
    size_t at = m_bytes.find(text.m_bytes, from);
    return at == std::string::npos ? npos : indexOf(m_bytes, at);
}

size_t String::findFirstOf(const String& set, size_t start) const {
    const size_t from = offsetOf(m_bytes, start);
    const size_t at = firstByteWhere(m_bytes, CharacterSet(set.m_bytes), from, true);
    return at >= m_bytes.size() ? npos : start + indexOf(std::string_view(m_bytes).substr(from), at - from);
}

size_t String::findFirstNotOf(const String& set, size_t start) const {
    const size_t from = offsetOf(m_bytes, start);
    const size_t at = firstByteWhere(m_bytes, CharacterSet(set.m_bytes), from, false);
    return at >= m_bytes.size() ? npos : start + indexOf(std::string_view(m_bytes).substr(from), at - from);
}

size_t String::findLastOf(const String& set, size_t start) const {
    const size_t at = lastByteWhere(m_bytes, CharacterSet(set.m_bytes), endOfCharacter(m_bytes, start), true);
    return at == std::string_view::npos ? npos : indexOf(m_bytes, at);
}

size_t String::findLastNotOf(const String& set, size_t start) const {
    const size_t at =
        lastByteWhere(m_bytes, CharacterSet(set.m_bytes), endOfCharacter(m_bytes, start), false);
    return at == std::string_view::npos ? npos : indexOf(m_bytes, at);
}

bool String::findQuoted(size_t start, const String& quotes, size_t* open, size_t* close) const {
    size_t first = findFirstOf(quotes, start);
    if (first == npos) return false;
    size_t second = find(substring(first, 1), first + 1);
    if (second == npos) return false;
    if (open) *open = first;
    if (close) *close = second;
    return true;
}

std::pair<size_t, size_t> String::findLineBreak(size_t from, size_t to) const {
    const std::string_view all(m_bytes);
    size_t i = offsetOf(all, from);
    for (size_t n = from; n < to && i < all.size(); ++n) {
        const size_t len = charBytes(all, i);
        const std::string_view c = all.substr(i, len);
        i += len;
        if (!isBreak(c)) continue;
        size_t next = n + 1;
        if (next < to && i < all.size()) {
            const std::string_view after = all.substr(i, charBytes(all, i));
            if (isBreak(after) && after != c) {
                ++next;
                i += after.size();
            }
        }
        return {n, next >= to || i >= all.size() ? npos : next};
    }
    return {npos, npos};
}

size_t String::splitLines(std::vector<std::pair<size_t, size_t>>& lines, size_t from, size_t to) const {
    // One pass over the characters, with the break rules of findLineBreak.
    const std::string_view all(m_bytes);
    size_t i = 0;
    size_t n = 0;
    while (n < from && i < all.size()) {
        i += charBytes(all, i);
        ++n;
    }
    // A range that starts past the text or past its own end has no line; one that starts at
    // its end has one empty line.
    if (n < from || from > to) return 0;
    size_t added = 0;
    size_t start = from;
    while (true) {
        // Up to the next break or the end of the range.
        std::string_view c;
        while (n < to && i < all.size()) {
            c = all.substr(i, charBytes(all, i));
            if (isBreak(c)) break;
            i += c.size();
            ++n;
        }
        lines.emplace_back(start, n - start);
        ++added;
        if (n >= to || i >= all.size()) break;
        i += c.size();
        ++n;
        if (n < to && i < all.size()) {
            const std::string_view after = all.substr(i, charBytes(all, i));
            if (isBreak(after) && after != c) {
                i += after.size();
                ++n;
            }
        }
        if (n >= to || i >= all.size()) break; // a break at the very end ends the last line
        start = n;
    }
    return added;
}

String String::toUpper() const {
    return String(GS::ToUpperMultibyte(m_bytes));
}
String String::toLower() const {
    return String(GS::ToLowerMultibyte(m_bytes));
}

String& String::padLeft(size_t width, const String& pad) {
    if (pad.isEmpty()) return *this;
    String prefix;
    size_t length = getLength();
    while (length + prefix.getLength() < width)
        prefix += pad;
    if (length + prefix.getLength() > width) prefix = prefix.substring(0, width - length);
    m_bytes.insert(0, prefix.m_bytes);
    return *this;
}

String& String::trim(const String& set) {
    // In bytes and in place: only the blanks at either end are looked at.
    const CharacterSet blanks(set.m_bytes);
    const size_t first = firstByteWhere(m_bytes, blanks, 0, false);
    if (first >= m_bytes.size()) {
        m_bytes.clear();
        return *this;
    }
    const size_t last = lastByteWhere(m_bytes, blanks, m_bytes.size(), false);
    m_bytes.erase(last + charBytes(m_bytes, last));
    m_bytes.erase(0, first);
    return *this;
}

String& String::replaceAll(const String& from, const String& to) {
    if (from.isEmpty()) return *this;
    std::string out;
    size_t i = 0;
    while (true) {
        size_t at = m_bytes.find(from.m_bytes, i);
        if (at == std::string::npos) break;
        out.append(m_bytes, i, at - i);
        out += to.m_bytes;
        i = at + from.m_bytes.size();
    }
    out.append(m_bytes, i, std::string::npos);
    m_bytes = std::move(out);
    return *this;
}

size_t String::copyTo(char* buffer, size_t bufferSize) const {
    if (buffer == nullptr || bufferSize == 0) return 0;
    size_t n = 0;
    while (n < m_bytes.size()) {
        size_t len = charBytes(m_bytes, n);
        if (n + len > bufferSize - 1) break;
        n += len;
    }
    std::memcpy(buffer, m_bytes.data(), n);
    buffer[n] = '\0';
    return n;
}

void String::copyToUtf16(char16_t* field, size_t sizeInBytes) const {
    if (field == nullptr || sizeInBytes < 2) return;
    std::u16string u = toUtf16();
    size_t room = sizeInBytes / 2 - 1;
    size_t n = std::min(room, u.size());
    if (n > 0 && n < u.size() && u[n - 1] >= 0xD800 && u[n - 1] <= 0xDBFF) --n;
    std::copy(u.begin(), u.begin() + static_cast<std::ptrdiff_t>(n), field);
    field[n] = 0;
}

GS::UniString String::toUniString() const {
    return GS::UniString(toUtf16());
}

std::u16string String::toUtf16() const {
    return GS::Utf8ToUtf16(m_bytes);
}

} // namespace tarnwick
