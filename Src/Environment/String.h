// Multibyte text (the host's character code 99, UTF-8 here). Lengths and positions count
// characters unless a name says bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace GS {
class UniString;
}

namespace tarnwick {

class String {
public:
    static constexpr size_t npos = ~size_t(0);

    String() = default;
    // From 8-bit text in character code 99: up to the first NUL or maxBytes, whichever comes first.
    String(const char* text, size_t maxBytes = npos);
    String(std::string_view text) : m_bytes(text) {}
    String(std::string text) : m_bytes(std::move(text)) {}
    // From UTF-16 text: byteLength bytes, or up to the terminator when npos; stops at the first NUL.
    String(const char16_t* text, size_t byteLength = npos);
    String(const GS::UniString& text);
    String(size_t count, char32_t character); // count copies of one character
    explicit String(int value);
    explicit String(unsigned value);
    explicit String(long value);
    explicit String(unsigned long value);
    explicit String(long long value);
    explicit String(unsigned long long value);
    explicit String(double value); // six significant digits, general notation
    String(const String&) = default;
    String(String&&) noexcept = default;
    String& operator=(const String&) = default;
    String& operator=(String&&) noexcept = default;
    String& operator=(const char* text);
    String& operator=(const GS::UniString& text);
    virtual ~String() = default;

    // Writes a NUL at that byte: the text ends there, growing (with NULs) when needed.
    virtual void resize(size_t byteLength);
    // Replaces the text by `length` characters of text (npos: up to the NUL) in the given code.
    virtual void assign(const char* text, size_t length = npos, int32_t charCode = 99);
    virtual void clear();
    // Replaces count characters from start by sourceCount characters of source from sourceStart.
    virtual void replace(size_t start, size_t count, const String& source, size_t sourceStart = 0,
                         size_t sourceCount = npos);

    bool isEmpty() const { return m_bytes.empty(); }
    size_t getLength() const; // characters
    size_t getByteLength() const { return m_bytes.size(); }
    size_t byteOffset(size_t index) const; // byte offset of a character; the byte length past the end
    const char* c_str() const { return m_bytes.c_str(); } // never null
    const std::string& bytes() const { return m_bytes; }
    std::string_view view() const { return m_bytes; }
    char32_t at(size_t index) const; // the character at index; 0 past the end

    String substring(size_t start, size_t count = npos) const; // empty when start is past the end
    String& operator+=(const String& other);
    String& operator+=(const char* text);
    String& operator+=(char32_t character);
    // Appends bytes as they are (no NUL ends them); the room already held is reused.
    String& appendBytes(std::string_view bytes) {
        m_bytes.append(bytes);
        return *this;
    }
    friend String operator+(String a, const String& b) { return a += b; }
    friend String operator+(String a, const char* b) { return a += b; }
    friend String operator+(const char* a, const String& b) { return String(a) += b; }

    int compare(const String& other) const; // byte order, -1, 0 or 1
    bool operator==(const String& other) const { return m_bytes == other.m_bytes; }
    bool operator==(const char* text) const { return m_bytes == (text ? text : ""); }
    bool operator<(const String& other) const { return compare(other) < 0; }
    bool operator>(const String& other) const { return compare(other) > 0; }

    size_t find(const String& text, size_t start = 0) const; // npos when absent
    size_t findFirstOf(const String& set, size_t start = 0) const;
    size_t findFirstNotOf(const String& set, size_t start = 0) const;
    size_t findLastOf(const String& set, size_t start = npos) const; // at or before start
    size_t findLastNotOf(const String& set, size_t start = npos) const;
    // The next opening character of the set at or after start and the next occurrence of that
    // same character after it; false when either is missing.
    bool findQuoted(size_t start, const String& quotes, size_t* open, size_t* close) const;
    // The first CR or LF in [from, to) and the position after the break (CR LF and LF CR count
    // as one break); the second is npos when the break ends the range; (npos, npos) when none.
    std::pair<size_t, size_t> findLineBreak(size_t from = 0, size_t to = npos) const;
    // Appends (start, length) per line of [from, to); answers how many were added.
    size_t splitLines(std::vector<std::pair<size_t, size_t>>& lines, size_t from = 0, size_t to = npos) const;

    String toUpper() const;
    String toLower() const;
    String& padLeft(size_t width, const String& pad = String(" "));
    String& trim(const String& set = String(" \t\r\n"));
    String& replaceAll(const String& from, const String& to);

    // Copies into an 8-bit buffer of bufferSize bytes: whole characters that fit before the NUL.
    // Answers the bytes copied, the NUL not counted. A null buffer or size 0 writes nothing.
    size_t copyTo(char* buffer, size_t bufferSize) const;
    // Copies into a UTF-16 field of sizeInBytes bytes: at most sizeInBytes / 2 - 1 units and a
    // NUL, never splitting a surrogate pair. A null field does nothing.
    void copyToUtf16(char16_t* field, size_t sizeInBytes) const;
    GS::UniString toUniString() const;
    std::u16string toUtf16() const;

private:
    std::string m_bytes;
};

} // namespace tarnwick

template <> struct std::hash<tarnwick::String> {
    size_t operator()(const tarnwick::String& s) const { return std::hash<std::string>()(s.bytes()); }
};
