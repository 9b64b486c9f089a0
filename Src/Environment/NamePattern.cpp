#include "NamePattern.h"

namespace tarnwick {

NamePattern::NamePattern(const String& pattern, const String& wildcard) : m_pattern(pattern) {
    size_t first = wildcard.isEmpty() ? String::npos : pattern.find(wildcard);
    if (first == String::npos) return;
    m_hasWildcard = true;
    size_t wl = wildcard.getLength();
    size_t last = first;
    for (size_t at = pattern.find(wildcard, first + wl); at != String::npos; at = pattern.find(wildcard, at + wl))
        last = at;
    m_prefix = pattern.substring(0, first);
    m_suffix = pattern.substring(last + wl);
    if (last > first) {
        m_middle = pattern.substring(first + wl, last - first - wl);
        m_middle.replaceAll(wildcard, String()); // nested wildcards only separate what must occur
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
    if (m_middle.isEmpty()) return true;
    String between = name.substring(prefixLength, length - prefixLength - suffixLength);
    return between.find(m_middle) != String::npos;
}

} // namespace tarnwick
