#include "UniString.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace GS {

namespace {

// Decodes one UTF-8 sequence at text[i]; answers U+FFFD and one byte for anything malformed.
char32_t decodeUtf8(std::string_view text, size_t& i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    size_t need = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        need = 1, cp = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        need = 2, cp = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        need = 3, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + need >= text.size()) { // truncated sequence
        ++i;
        return 0xFFFD;
    }
    for (size_t k = 1; k <= need; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += need + 1;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

locale_t utf8Locale() {
    static locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return loc;
}

template <class Convert> std::string mapCase(std::string_view text, Convert convert) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        size_t start = i;
        char32_t cp = decodeUtf8(text, i);
        if (cp == 0xFFFD && i == start + 1 && static_cast<unsigned char>(text[start]) >= 0x80) {
            out += text[start]; // keep bytes we cannot decode as they are
            continue;
        }
        appendUtf8(out, convert(cp));
    }
    return out;
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char32_t cp = decodeUtf8(text, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string ToUpperMultibyte(std::string_view text) {
    locale_t loc = utf8Locale();
    return mapCase(text, [loc](char32_t cp) -> char32_t {
        if (loc != static_cast<locale_t>(nullptr))
            return static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), loc));
        return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
    });
}

std::string ToLowerMultibyte(std::string_view text) {
    locale_t loc = utf8Locale();
    return mapCase(text, [loc](char32_t cp) -> char32_t {
        if (loc != static_cast<locale_t>(nullptr))
            return static_cast<char32_t>(towlower_l(static_cast<wint_t>(cp), loc));
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    });
}

UniString::UniString(const char16_t* text) {
    if (text != nullptr) m_text = text;
}

UniString::UniString(const char16_t* text, size_t length) {
    if (text != nullptr) m_text.assign(text, length);
}

UniString::UniString(const char* text, int32_t charCode)
    : UniString(std::string_view(text ? text : ""), charCode) {}

UniString::UniString(std::string_view text, int32_t charCode) {
    if (charCode == CharacterCodeMultibyte) {
        m_text = Utf8ToUtf16(text);
    } else { // any other code is read as Latin-1
        m_text.reserve(text.size());
        for (char c : text)
            m_text += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
}

std::string UniString::ToCStr(int32_t charCode) const {
    if (charCode == CharacterCodeMultibyte) return Utf16ToUtf8(m_text);
    std::string out;
    for (char16_t c : m_text)
        out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
}

UniString& UniString::Append(const UniString& other) {
    m_text += other.m_text;
    return *this;
}

} // namespace GS
