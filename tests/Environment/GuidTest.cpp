// Guids: text round trips, the empty Guid, order, hash and generation.
#include <gtest/gtest.h>

#include <set>

#include "Environment/Guid.h"

using tarnwick::Guid;
using tarnwick::String;

TEST(Guid, ParsesAndPrintsTheTextForm) {
    Guid lower(String("0123abcd-4567-89ef-0123-456789abcdef"));
    Guid upper(String("0123ABCD-4567-89EF-0123-456789ABCDEF"));
    EXPECT_TRUE(lower.isValid());
    EXPECT_TRUE(lower == upper);
    EXPECT_EQ(lower.toString(), "0123ABCD-4567-89EF-0123-456789ABCDEF");
    EXPECT_EQ(Guid(lower.toString()), lower);
    char buffer[37];
    EXPECT_EQ(String(lower.getText(buffer)), lower.toString());
    String text;
    lower.getString(text);
    EXPECT_EQ(text, lower.toString());

    for (const char* bad : {"", "0123abcd-4567-89ef-0123-456789abcde", "0123abcd-4567-89ef-0123-456789abcdeg",
                            "0123abcd_4567-89ef-0123-456789abcdef", "not a guid at all"}) {
        Guid parsed{String(bad)};
        EXPECT_FALSE(parsed.isValid()) << bad;
    }
    Guid reused = lower;
    reused.assign(String("nonsense"));
    EXPECT_FALSE(reused.isValid());
    EXPECT_EQ(Guid().toString(), "00000000-0000-0000-0000-000000000000");
}

TEST(Guid, OrderAgreesWithEqualityAndHashes) {
    Guid a(1, 2), b(1, 3), c(2, 0);
    EXPECT_TRUE(a < b && b < c && a < c);
    EXPECT_FALSE(a < a);
    EXPECT_TRUE(a != b);
    EXPECT_EQ(Guid(1, 2).getHash(), a.getHash());
    Guid copy = a;
    copy.clear();
    EXPECT_FALSE(copy.isValid());

    std::set<Guid> seen;
    for (int i = 0; i < 200; ++i) {
        Guid fresh;
        fresh.generate();
        EXPECT_TRUE(fresh.isValid());
        EXPECT_TRUE(seen.insert(fresh).second);
    }
}
