// A name pattern with one wildcard: "Door*Frame" matches names that start with "Door", end with
// "Frame" and have anything between.
#pragma once

#include <vector>

#include "Environment/String.h"

namespace tarnwick {

class NamePattern {
public:
    NamePattern(const String& pattern, const String& wildcard = String("*"));
    // An empty pattern matches every name; without the wildcard the name must equal the pattern.
    // Prefix and suffix never overlap: the name is at least as long as both together. Further
    // wildcards split what lies between into parts that must occur there in order.
    bool matches(const String& name) const;

private:
    String m_pattern;
    String m_prefix;
    String m_suffix;
    std::vector<String> m_middle; // what must occur between prefix and suffix, in this order
    bool m_hasWildcard = false;
};

} // namespace tarnwick
