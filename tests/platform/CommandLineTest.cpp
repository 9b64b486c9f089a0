#include <gtest/gtest.h>

#include "platform/windows/Shell.h"

using Args = std::vector<std::string>;

TEST(CommandLine, BlanksSeparateOutsideQuotesBackslashesEscapeBeforeQuotesAndQuotesDoubleInside) {
    EXPECT_EQ(SplitCommandLine(""), Args{});
    EXPECT_EQ(SplitCommandLine("   \t "), Args{});
    EXPECT_EQ(SplitCommandLine("a  b\tc"), (Args{"a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine("\"a b\" c"), (Args{"a b", "c"}));
    EXPECT_EQ(SplitCommandLine("x\"a b\"y"), (Args{"xa by"}));
    EXPECT_EQ(SplitCommandLine("\"\""), (Args{""})); // an empty quoted argument stays
    EXPECT_EQ(SplitCommandLine("a \"\" b"), (Args{"a", "", "b"}));
    EXPECT_EQ(SplitCommandLine("\"unterminated arg"), (Args{"unterminated arg"}));
    EXPECT_EQ(SplitCommandLine(R"(a\\b)"), (Args{R"(a\\b)"}));      // not before a quote: literal
    EXPECT_EQ(SplitCommandLine(R"(a\"b)"), (Args{R"(a"b)"}));       // odd: a literal quote
    EXPECT_EQ(SplitCommandLine(R"(a\\"b c")"), (Args{R"(a\b c)"})); // even: halved, quote toggles
    EXPECT_EQ(SplitCommandLine(R"(a\\\"b)"), (Args{R"(a\"b)"}));
    EXPECT_EQ(SplitCommandLine(R"("C:\dir\" x)"), (Args{R"(C:\dir" x)"}));
    EXPECT_EQ(SplitCommandLine(R"("C:\dir\\" x)"), (Args{R"(C:\dir\)", "x"}));
    EXPECT_EQ(SplitCommandLine(R"("a ""b"" c")"), (Args{R"(a "b" c)"}));
    EXPECT_EQ(SplitCommandLine(R"("/tmp/with space/f.txt" "--flag=1")"),
              (Args{"/tmp/with space/f.txt", "--flag=1"}));
}
