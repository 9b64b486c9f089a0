#include "library/ValueLists.h"

#include <string_view>

namespace tarnwick {

namespace {
constexpr std::string_view Keyword = "VALUES";

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The bytes are scanned as they are: quotes, line ends, "," and the keyword are ASCII, which never
// occurs inside a multibyte character.
class StatementReader {
public:
    explicit StatementReader(std::string_view text) : m_text(text), m_upper(text) {
        for (char& c : m_upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }

    // The next keyword at or after from; npos when none.
    size_t nextKeyword(size_t from) const { return m_upper.find(Keyword, from); }

    // The next quoted text at or after from (its quote closed by the same character), before limit;
    // the position after its closing quote, or npos.
    size_t quoted(size_t from, size_t limit, std::string_view& inside) const {
        for (size_t at = from; at < limit; ++at) {
            if (!isQuote(m_text[at])) continue;
            const size_t close = m_text.find(m_text[at], at + 1);
            if (close == std::string_view::npos || close >= limit) return std::string_view::npos;
            inside = m_text.substr(at + 1, close - at - 1);
            return close + 1;
        }
        return std::string_view::npos;
    }

    size_t lineEnd(size_t from) const {
        size_t at = from;
        while (at < m_text.size() && !isLineEnd(m_text[at]))
            ++at;
        return at;
    }

    size_t nextLine(size_t lineEnd) const {
        size_t at = lineEnd;
        if (at < m_text.size() && isLineEnd(m_text[at])) {
            const char first = m_text[at++];
            if (at < m_text.size() && isLineEnd(m_text[at]) && m_text[at] != first) ++at;
        }
        return at;
    }

    // A "," after the position, past spaces and tabs.
    bool commaAfter(size_t at, size_t limit) const {
        while (at < limit && (m_text[at] == ' ' || m_text[at] == '\t'))
            ++at;
        return at < limit && m_text[at] == ',';
    }

    size_t size() const { return m_text.size(); }

private:
    std::string_view m_text;
    std::string m_upper;
};
} // namespace

ValueLists::ValueLists(const String& script) {
    const StatementReader reader(script.view());
    m_table.setHeader(std::make_unique<TextRecord>());
    size_t from = 0;
    for (;;) {
        const size_t keyword = reader.nextKeyword(from);
        if (keyword == std::string_view::npos) break;
        std::string_view name;
        size_t at = reader.quoted(keyword + Keyword.size(), reader.size(), name);
        if (at == std::string_view::npos) break; // a statement without a name ends the scan
        auto values = std::make_unique<TextRecord>();
        size_t lineEnd = reader.lineEnd(at);
        for (;;) {
            size_t afterLast = std::string_view::npos;
            std::string_view value;
            for (size_t next; (next = reader.quoted(at, lineEnd, value)) != std::string_view::npos;
                 at = next) {
                values->add(String(value));
                afterLast = next;
            }
            if (afterLast == std::string_view::npos || !reader.commaAfter(afterLast, lineEnd) ||
                lineEnd >= reader.size())
                break;
            at = reader.nextLine(lineEnd);
            lineEnd = reader.lineEnd(at);
        }
        // Never at or before the keyword again, so that a statement is read once.
        from = at;
        if (name.empty()) continue;
        m_first.emplace(String(name).toLower(), m_table.getRecordCount());
        m_table.getHeader()->add(String(name));
        m_table.addRecord(std::move(values));
    }
}

const TextRecord* ValueLists::find(const String& name) const {
    auto found = m_first.find(name.toLower());
    return found == m_first.end() ? nullptr : m_table.getRecord(found->second);
}

} // namespace tarnwick
