#include "LineWords.h"

namespace rescomp {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string splitWords(std::string_view line, std::vector<Word>& words) {
    for (size_t i = 0; i < line.size();) {
        char c = line[i];
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c == '#') break;
        Word word;
        if (c != '"') {
            while (i < line.size() && !isBlank(line[i]) && line[i] != '"' && line[i] != '#')
                word.text += line[i++];
            words.push_back(std::move(word));
            continue;
        }
        word.quoted = true;
        size_t start = ++i;
        for (;; ++i) {
            if (i >= line.size())
                return "a text that starts at column " + std::to_string(start) + " is not closed";
            if (line[i] == '"') break;
            if (line[i] != '\\') {
                word.text += line[i];
                continue;
            }
            if (++i >= line.size()) return "a backslash ends the line";
            switch (line[i]) {
            case '"':
            case '\\':
                word.text += line[i];
                break;
            case 'n':
                word.text += '\n';
                break;
            case 't':
                word.text += '\t';
                break;
            default:
                return std::string("unknown escape \\") + line[i] + " (known: \\\" \\\\ \\n \\t)";
            }
        }
        ++i;
        words.push_back(std::move(word));
    }
    return {};
}

bool readInteger(const Word& word, int64_t low, int64_t high, int64_t& value) {
    if (word.quoted || word.text.empty() || word.text.size() > 7) return false;
    size_t i = word.text[0] == '-' ? 1 : 0;
    if (i == word.text.size()) return false;
    value = 0;
    for (; i < word.text.size(); ++i) {
        if (word.text[i] < '0' || word.text[i] > '9') return false;
        value = value * 10 + (word.text[i] - '0');
    }
    if (word.text[0] == '-') value = -value;
    return value >= low && value <= high;
}

std::string_view firstWord(std::string_view source) {
    if (source.substr(0, 3) == "\xEF\xBB\xBF") source.remove_prefix(3);
    while (!source.empty()) {
        size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        size_t start = line.find_first_not_of(" \t\r");
        if (start != std::string_view::npos && line[start] != '#') {
            size_t stop = line.find_first_of(" \t\r", start);
            return line.substr(start, stop == std::string_view::npos ? stop : stop - start);
        }
        if (end == std::string_view::npos) break;
        source.remove_prefix(end + 1);
    }
    return {};
}

} // namespace rescomp
