// The words and quoted texts of one scenario line, and a reader over them that throws LineError
// with a message for the user when the line is not what it should be.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zavhost {

struct Token {
    std::string text;
    bool quoted = false;
};

struct LineError {
    std::string message;
};

// Splits a line into words and quoted texts; '#' outside quotes starts a comment. `source` gets
// the line without its comment.
std::vector<Token> tokenize(const std::string& line, std::string* source);
// A decimal or 0x hexadecimal integer.
std::optional<int64_t> parseNumber(const std::string& text);
// A finite decimal number.
std::optional<double> parseReal(const std::string& text);
// A number as the lines and the transcript write it: six significant digits, no trailing zeros.
std::string numberText(double value);

// The known words a slip of the keys could have made `word` from: those fewest letters away
// (a letter added, dropped, changed, or two neighbours swapped), at most a third of the longer
// word's letters and at least one. At most three, in the order known.
std::vector<std::string> nearestWords(const std::string& word, const std::vector<std::string>& known);
// "; did you mean move?" or "; did you mean move or mirror?"; empty when no word is near.
std::string didYouMean(const std::string& word, const std::vector<std::string>& known);
// As didYouMean when a word is near; else every known word, "; this line knows add, set, move".
std::string didYouMeanOrKnown(const std::string& word, const std::vector<std::string>& known);

class LineReader {
public:
    explicit LineReader(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    bool atEnd() const { return m_pos >= m_tokens.size(); }
    // Consumes the word when it is next.
    bool word(const char* w) {
        if (atEnd() || m_tokens[m_pos].quoted || m_tokens[m_pos].text != w) return false;
        ++m_pos;
        return true;
    }
    std::string anyWord(const char* what) {
        if (atEnd() || m_tokens[m_pos].quoted) throw LineError{std::string("expected ") + what};
        return m_tokens[m_pos++].text;
    }
    std::string text(const char* what) {
        if (atEnd() || !m_tokens[m_pos].quoted)
            throw LineError{std::string("expected ") + what + " in double quotes"};
        return m_tokens[m_pos++].text;
    }
    bool nextIsText() const { return !atEnd() && m_tokens[m_pos].quoted; }
    // The next word or text, not consumed; empty at the end.
    std::string peek() const { return atEnd() ? std::string() : m_tokens[m_pos].text; }
    std::string path() {
        if (atEnd()) throw LineError{"expected a file path"};
        return m_tokens[m_pos++].text;
    }
    // A number no smaller than `lowest` and no greater than `highest`.
    int64_t number(const char* what, int64_t lowest, int64_t highest = INT64_MAX) {
        if (atEnd() || m_tokens[m_pos].quoted) throw LineError{std::string("expected ") + what};
        std::optional<int64_t> value = parseNumber(m_tokens[m_pos].text);
        if (!value)
            throw LineError{std::string("expected ") + what + ", not \"" + m_tokens[m_pos].text + "\""};
        if (*value < lowest)
            throw LineError{std::string(what) + " must be at least " + std::to_string(lowest)};
        if (*value > highest)
            throw LineError{std::string(what) + " must be at most " + std::to_string(highest)};
        ++m_pos;
        return *value;
    }
    double real(const char* what) {
        if (atEnd() || m_tokens[m_pos].quoted) throw LineError{std::string("expected ") + what};
        std::optional<double> value = parseReal(m_tokens[m_pos].text);
        if (!value)
            throw LineError{std::string("expected ") + what + ", not \"" + m_tokens[m_pos].text + "\""};
        ++m_pos;
        return *value;
    }
    bool nextIsReal() const {
        return !atEnd() && !m_tokens[m_pos].quoted && parseReal(m_tokens[m_pos].text).has_value();
    }
    bool nextIsWord() const { return !atEnd() && !m_tokens[m_pos].quoted; }
    bool nextIsNumber() const {
        return !atEnd() && !m_tokens[m_pos].quoted && parseNumber(m_tokens[m_pos].text).has_value();
    }
    void end() {
        if (atEnd()) return;
        const std::string& extra = m_tokens[m_pos].text;
        std::string message = "unexpected \"" + extra + "\" at the end of the line";
        if (!m_tokens[m_pos].quoted)
            message += extra == "with" ? "; did you mean containing?" : didYouMean(extra, {"containing"});
        throw LineError{message};
    }

private:
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
};

} // namespace zavhost
