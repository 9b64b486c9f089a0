#include <gtest/gtest.h>

#include "Environment/NamePattern.h"

using tarnwick::NamePattern;
using tarnwick::String;

namespace {
bool matches(const char* pattern, const char* name) {
    return NamePattern(String(pattern)).matches(String(name));
}
} // namespace

TEST(NamePattern, EmptyPatternMatchesEveryName) {
    EXPECT_TRUE(matches("", ""));
    EXPECT_TRUE(matches("", "anything"));
}

TEST(NamePattern, WithoutWildcardTheNameMustBeEqual) {
    EXPECT_TRUE(matches("Door", "Door"));
    EXPECT_FALSE(matches("Door", "door"));
    EXPECT_FALSE(matches("Door", "Doors"));
    EXPECT_FALSE(matches("Door", ""));
    EXPECT_TRUE(NamePattern(String("a*b"), String()).matches(String("a*b"))); // no wildcard text: literal
}

TEST(NamePattern, PrefixAndSuffixNeverOverlap) {
    EXPECT_FALSE(matches("ab*b", "ab"));
    EXPECT_FALSE(matches("ab*ba", "aba"));
    EXPECT_TRUE(matches("ab*b", "abb"));
    EXPECT_TRUE(matches("ab*ba", "abba"));
    EXPECT_FALSE(matches("äö*öü", "äöü"));
    EXPECT_TRUE(matches("äö*öü", "äööü"));
}

TEST(NamePattern, WildcardMatchesAnyMiddle) {
    EXPECT_TRUE(matches("*", ""));
    EXPECT_TRUE(matches("*", "x"));
    EXPECT_TRUE(matches("Door*", "Door"));
    EXPECT_TRUE(matches("Door*", "Door 90"));
    EXPECT_FALSE(matches("Door*", "Do"));
    EXPECT_TRUE(matches("*Frame", "Window Frame"));
    EXPECT_FALSE(matches("*Frame", "Frames"));
    EXPECT_TRUE(matches("Door*Frame", "Door Oak Frame"));
    EXPECT_FALSE(matches("Door*Frame", "Door Oak Fram"));
}

TEST(NamePattern, FurtherWildcardsSplitTheMiddleIntoOrderedParts) {
    EXPECT_TRUE(matches("a*b*c", "abc"));
    EXPECT_TRUE(matches("a*b*c", "axxbyyc"));
    EXPECT_FALSE(matches("a*b*c", "ac"));
    EXPECT_TRUE(matches("a*b*c", "abxc"));
    EXPECT_TRUE(matches("a*b*c*d", "a-b-c-d"));
    EXPECT_FALSE(matches("a*c*b*d", "a-b-c-d")); // parts in order
    EXPECT_FALSE(matches("a*bb*d", "abd"));
    EXPECT_FALSE(matches("a*b*b*d", "abd")); // two parts cannot share one character
    EXPECT_TRUE(matches("a*b*b*d", "abbd"));
    EXPECT_TRUE(matches("a**d", "ad"));
}

TEST(NamePattern, WildcardOfSeveralCharacters) {
    NamePattern p(String("Wall%%Ext"), String("%%"));
    EXPECT_TRUE(p.matches(String("Wall Ext")));
    EXPECT_TRUE(p.matches(String("WallExt")));
    EXPECT_FALSE(p.matches(String("Wall%Int")));
}
