#include "Environment/NamePattern.h"

namespace tarnwick {

NamePattern::NamePattern(const String& pattern, const String& wildcard) : m_pattern(pattern) {
    size_t first = wildcard.isEmpty() ? String::npos : pattern.find(wildcard);
    if (first == String::npos) return;
    m_hasWildcard = true;
    size_t wl = wildcard.getLength();
    size_t last = first;
    for (size_t at = pattern.find(wildcard, first + wl); at != String::npos;
         at = pattern.find(wildcard, at + wl))
        last = at;
    m_prefix = pattern.substring(0, first);
    m_suffix = pattern.substring(last + wl);
    // Further wildcards split what lies between into parts that must occur in order.
    for (size_t at = first + wl; at < last;) {
        size_t next = pattern.find(wildcard, at);
        if (next > at) m_middle.push_back(pattern.substring(at, next - at));
        at = next + wl;
    }
}

bool NamePattern::matches(const String& name) const {
    if (m_pattern.isEmpty()) return true;
    if (!m_hasWildcard) return name == m_pattern;
    size_t length = name.getLength();
    size_t prefixLength = m_prefix.getLength();
    size_t suffixLength = m_suffix.getLength();
    if (length < prefixLength + suffixLength) return false;
    if (name.substring(0, prefixLength) != m_prefix) return false;
    if (name.substring(length - suffixLength) != m_suffix) return false;
    String between = name.substring(prefixLength, length - prefixLength - suffixLength);
    size_t from = 0;
    for (const String& part : m_middle) {
        size_t at = between.find(part, from);
        if (at == String::npos) return false;
        from = at + part.getLength();
    }
    return true;
}

} // namespace tarnwick
