#include <gtest/gtest.h>

#include "Environment/String.h"

using tarnwick::String;

TEST(String, CountsCharactersNotBytes) {
    String s("Größe");
    EXPECT_EQ(s.getLength(), 5u);
    EXPECT_EQ(s.getByteLength(), 7u);
}
