// The module's texts with the names they mention filled in.
#include <gtest/gtest.h>

#include "Environment/Host.h"
#include "support/TestAddon.h"

using namespace tarnwick;

TEST(ResourceText, EachArgumentTakesItsOwnPlace) {
    testsupport::ModuleUnderTest module;
    EXPECT_EQ(Host::getResourceString(Host::FrameworkTexts, 28, String("a.xml"), String("b.xml")),
              String("The settings stored in \"a.xml\" could not all be read. Before they were replaced, a "
                     "copy of them as they were stored was kept in \"b.xml\"."));
    EXPECT_EQ(Host::getResourceString(Host::FrameworkTexts, 27, String("3")),
              String("3 styles were imported from the selected file."));
    // Without arguments the text stands as it was written.
    EXPECT_EQ(Host::getResourceString(Host::FrameworkTexts, 27),
              String("$1 styles were imported from the selected file."));
}

TEST(ResourceText, AMissingTextStaysEmptyWithArguments) {
    testsupport::ModuleUnderTest module;
    EXPECT_TRUE(Host::getResourceString(Host::FrameworkTexts, 999, String("x"), String("y")).isEmpty());
    EXPECT_TRUE(Host::getResourceString(1, 1, String("x")).isEmpty());
}
