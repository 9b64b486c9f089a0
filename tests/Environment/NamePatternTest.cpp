#include <gtest/gtest.h>

#include <string>

#include "Environment/NamePattern.h"

using tarnwick::NamePattern;
using tarnwick::String;

namespace {
// "pattern|name"
bool matches(const std::string& both) {
    size_t bar = both.find('|');
    return NamePattern(String(both.substr(0, bar))).matches(String(both.substr(bar + 1)));
}
} // namespace

// An empty pattern matches every name; without a wildcard the name must be equal; prefix and
// suffix never overlap; further wildcards split the middle into ordered parts that cannot share
// a character.
TEST(NamePattern, MatchesAroundTheWildcardsWithoutOverlap) {
    for (const char* match :
         {"|", "|anything", "Door|Door", "ab*b|abb", "ab*ba|abba", "äö*öü|äööü", "*|", "*|x", "Door*|Door",
          "Door*|Door 90", "*Frame|Window Frame", "Door*Frame|Door Oak Frame", "a*b*c|abc", "a*b*c|axxbyyc",
          "a*b*c|abxc", "a*b*c*d|a-b-c-d", "a*b*b*d|abbd", "a**d|ad"})
        EXPECT_TRUE(matches(match)) << match;
    for (const char* miss : {"Door|door", "Door|Doors", "Door|", "ab*b|ab", "ab*ba|aba", "äö*öü|äöü",
                             "Door*|Do", "*Frame|Frames", "Door*Frame|Door Oak Fram", "a*b*c|ac",
                             "a*c*b*d|a-b-c-d", "a*bb*d|abd", "a*b*b*d|abd"})
        EXPECT_FALSE(matches(miss)) << miss;

    EXPECT_TRUE(NamePattern(String("a*b"), String()).matches(String("a*b"))); // no wildcard text: literal
    NamePattern p(String("Wall%%Ext"), String("%%"));                         // a wildcard of two characters
    EXPECT_TRUE(p.matches(String("Wall Ext")));
    EXPECT_TRUE(p.matches(String("WallExt")));
    EXPECT_FALSE(p.matches(String("Wall%Int")));
}
