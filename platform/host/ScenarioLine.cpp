#include "ScenarioLine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zavhost {

// Splits a line into words and quoted texts; '#' outside quotes starts a comment.
std::vector<Token> tokenize(const std::string& line, std::string* source) {
    std::vector<Token> tokens;
    size_t i = 0, end = line.size(), sourceEnd = 0;
    while (i < end) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') break;
        Token token;
        if (c == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < end) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\') {
                    if (i >= end) break;
                    char e = line[i++];
                    if (e == 'n')
                        token.text += '\n';
                    else if (e == 't')
                        token.text += '\t';
                    else if (e == '"' || e == '\\')
                        token.text += e;
                    else
                        throw LineError{std::string("unknown escape \\") + e + " in a quoted text"};
                    continue;
                }
                token.text += d;
            }
            if (!closed) throw LineError{"a quoted text is not closed"};
            if (i < end && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#')
                throw LineError{"a closing quote must be followed by a space"};
        } else {
            while (i < end && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#') {
                if (line[i] == '"') throw LineError{"a quote inside a word"};
                token.text += line[i++];
            }
        }
        sourceEnd = i;
        tokens.push_back(std::move(token));
    }
    *source = line.substr(0, sourceEnd);
    size_t first = source->find_first_not_of(" \t");
    *source = first == std::string::npos ? std::string() : source->substr(first);
    return tokens;
}

std::optional<int64_t> parseNumber(const std::string& text) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    const char* begin = text.c_str();
    char* stop = nullptr;
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    long long value = std::strtoll(begin, &stop, hex ? 16 : 10);
    if (stop == begin || *stop != '\0') return std::nullopt;
    return value;
}

std::optional<double> parseReal(const std::string& text) {
    if (text.empty() || text.size() > 40) return std::nullopt;
    const char* begin = text.c_str();
    char* stop = nullptr;
    double value = std::strtod(begin, &stop);
    if (stop == begin || *stop != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string numberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

namespace {
// Letters added, dropped or changed, and two neighbours swapped, each one edit.
size_t editDistance(const std::string& a, const std::string& b) {
    const size_t n = a.size(), m = b.size();
    std::vector<std::vector<size_t>> d(n + 1, std::vector<size_t>(m + 1));
    for (size_t i = 0; i <= n; ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= m; ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= n; ++i)
        for (size_t j = 1; j <= m; ++j) {
            const size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[n][m];
}
} // namespace

std::vector<std::string> nearestWords(const std::string& word, const std::vector<std::string>& known) {
    // Words of more than this many letters are no slip of the keys, and would cost much to compare.
    constexpr size_t Longest = 64;
    std::vector<std::string> nearest;
    if (word.empty() || word.size() > Longest) return nearest;
    size_t best = SIZE_MAX;
    for (const std::string& each : known) {
        if (each == word || each.empty() || each.size() > Longest) continue;
        const size_t reach = std::max<size_t>(1, std::max(word.size(), each.size()) / 3);
        const size_t distance = editDistance(word, each);
        if (distance > reach || distance > best) continue;
        if (distance < best) nearest.clear();
        best = distance;
        if (std::find(nearest.begin(), nearest.end(), each) == nearest.end()) nearest.push_back(each);
    }
    if (nearest.size() > 3) nearest.resize(3);
    return nearest;
}

std::string didYouMean(const std::string& word, const std::vector<std::string>& known) {
    const std::vector<std::string> nearest = nearestWords(word, known);
    if (nearest.empty()) return {};
    std::string text = "; did you mean ";
    for (size_t i = 0; i < nearest.size(); ++i)
        text += (i == 0 ? "" : i + 1 == nearest.size() ? " or " : ", ") + nearest[i];
    return text + "?";
}

std::string didYouMeanOrKnown(const std::string& word, const std::vector<std::string>& known) {
    std::string text = didYouMean(word, known);
    if (!text.empty() || known.empty()) return text;
    text = "; this line knows ";
    for (size_t i = 0; i < known.size(); ++i)
        text += (i == 0 ? "" : ", ") + known[i];
    return text;
}

} // namespace zavhost
