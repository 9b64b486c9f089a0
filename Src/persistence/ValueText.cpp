#include "persistence/ValueText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "Environment/NumberText.h"

namespace tarnwick {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

} // namespace

String exactRealText(double value) {
    if (std::isnan(value)) return String("nan");
    if (std::isinf(value)) return String(value > 0 ? "inf" : "-inf");
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return String(realToText(value));
    return String(std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

bool parseExactReal(const String& text, double& value) {
    std::string_view s = trimmed(text.view());
    if (s == "nan") {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (s == "inf" || s == "-inf") {
        value = s.front() == '-' ? -std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::infinity();
        return true;
    }
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double parsed = 0.0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), parsed);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

int32_t saturateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

int64_t saturateToInt64(double value) {
    if (std::isnan(value)) return 0;
    // 2^63 is exact as a double; anything at or above it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit) return std::numeric_limits<int64_t>::max();
    if (value <= -limit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}

namespace {

// The real number the text begins with (no "+" before it); false when it begins with none.
// Beyond a double's range the sign gives the bound, and a tiny value 0.
bool readLeadingReal(std::string_view s, double& value) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (end == s.data()) return false;
    if (ec == std::errc::result_out_of_range) {
        bool tiny = false;
        for (const char* p = s.data(); p != end; ++p) {
            if (*p == 'e' || *p == 'E') {
                tiny = p + 1 != end && p[1] == '-';
                break;
            }
        }
        const double bound = std::numeric_limits<double>::max();
        value = tiny ? 0.0 : s.front() == '-' ? -bound : bound;
    }
    return true;
}

} // namespace

int64_t leadingInteger(const String& text) {
    std::string_view s = trimmed(text.view());
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int64_t whole = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), whole);
    if (ec == std::errc() && end == s.data() + s.size()) return whole;
    double real = 0.0;
    if (!readLeadingReal(s, real)) return 0;
    return saturateToInt64(real);
}

double leadingReal(const String& text) {
    double value = 0.0;
    if (parseExactReal(text, value)) return value;
    std::string_view s = trimmed(text.view());
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    return readLeadingReal(s, value) && std::isfinite(value) ? value : 0.0;
}

} // namespace tarnwick
