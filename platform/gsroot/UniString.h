// The host's Unicode string: UTF-16 text with conversions to and from multibyte text.
#pragma once

#include <string>
#include <string_view>

#include "platform/api/HostTypes.h"

namespace GS {

class HOSTLIB_API UniString {
public:
    UniString() = default;
    UniString(const char16_t* text);                // up to the first NUL; null gives empty
    UniString(const char16_t* text, size_t length); // length in UTF-16 units
    UniString(std::u16string text) : m_text(std::move(text)) {}
    // From multibyte text of the given character code (99: UTF-8); invalid bytes become U+FFFD.
    UniString(const char* text, int32_t charCode = CharacterCodeMultibyte);
    UniString(std::string_view text, int32_t charCode);

    size_t GetLength() const { return m_text.size(); }
    bool IsEmpty() const { return m_text.empty(); }
    const char16_t* ToUStr() const { return m_text.c_str(); }
    const std::u16string& Text() const { return m_text; }
    // The text as multibyte text of the given character code.
    std::string ToCStr(int32_t charCode = CharacterCodeMultibyte) const;

    char16_t operator[](size_t index) const { return m_text.at(index); }
    UniString& Append(const UniString& other);
    UniString& operator+=(const UniString& other) { return Append(other); }
    bool operator==(const UniString& other) const { return m_text == other.m_text; }
    bool operator<(const UniString& other) const { return m_text < other.m_text; }

private:
    std::u16string m_text;
};

// Conversions used by the host's text services. Invalid input becomes U+FFFD.
HOSTLIB_API std::u16string Utf8ToUtf16(std::string_view text);
HOSTLIB_API std::string Utf16ToUtf8(std::u16string_view text);
// Upper- and lower-case copies of multibyte text under the host's default character set.
HOSTLIB_API std::string ToUpperMultibyte(std::string_view text);
HOSTLIB_API std::string ToLowerMultibyte(std::string_view text);

} // namespace GS
