#include "ScenarioLine.h"

#include <cmath>
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

} // namespace zavhost
