#include "Environment/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

#include "Environment/String.h"

namespace tarnwick {

std::string intToText(int64_t value) {
    return std::to_string(value);
}
std::string uintToText(uint64_t value) {
    return std::to_string(value);
}

std::string realToText(double value, double precision) {
    if (precision != 0.0 && std::isfinite(precision) && std::isfinite(value)) {
        double steps = std::floor(value / precision + 0.5);
        double rounded = steps * precision;
        if (std::isfinite(rounded)) value = rounded;
    }
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

namespace {

std::string_view trimmed(const String& text) {
    std::string_view s = text.view();
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// The trimmed text without a leading "+"; "+-1" gives nothing rather than a negative number.
std::string_view numberText(const String& text) {
    std::string_view s = trimmed(text);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-') return {};
    }
    return s;
}

template <class T> T parseIntegral(const String& text, bool* valid) {
    std::string_view s = numberText(text);
    T value{};
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    bool ok = !s.empty() && ec == std::errc() && end == s.data() + s.size();
    if (valid) *valid = ok;
    return ok ? value : T{};
}

} // namespace

int32_t parseInt(const String& text, bool* valid) {
    return parseIntegral<int32_t>(text, valid);
}
uint32_t parseUInt(const String& text, bool* valid) {
    return parseIntegral<uint32_t>(text, valid);
}
int64_t parseInt64(const String& text, bool* valid) {
    return parseIntegral<int64_t>(text, valid);
}
uint64_t parseUInt64(const String& text, bool* valid) {
    return parseIntegral<uint64_t>(text, valid);
}

double parseDouble(const String& text, bool* valid) {
    std::string_view s = numberText(text);
    double value = 0.0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    bool ok = !s.empty() && ec == std::errc() && end == s.data() + s.size() && std::isfinite(value);
    if (valid) *valid = ok;
    return ok ? value : 0.0;
}

} // namespace tarnwick
