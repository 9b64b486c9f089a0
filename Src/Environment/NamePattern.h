// A name pattern with one wildcard: "Door*Frame" matches names that start with "Door", end with
// "Frame" and have anything between.
#pragma once

#include "String.h"

namespace tarnwick {

class NamePattern {
public:
    NamePattern(const String& pattern, const String& wildcard = String("*"));
    // An empty pattern matches every name; without the wildcard the name must equal the pattern.
    // Prefix and suffix never overlap: the name is at least as long as both together.
    bool matches(const String& name) const;

private:
    String m_pattern;
    String m_prefix;
    String m_suffix;
    String m_middle; // what must occur between prefix and suffix (a second wildcard splits it)
    bool m_hasWildcard = false;
};

} // namespace tarnwick
