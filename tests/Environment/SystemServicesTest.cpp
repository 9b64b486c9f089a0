#include <gtest/gtest.h>

#include "Environment/SystemServices.h"
#include "platform/io/SpecialFolders.h"
#include "platform/windows/WinSystem.h"

using tarnwick::SystemServices;

TEST(SystemServices, UserDataFolderIsUnderTheHostRoot) {
    auto folder = SystemServices::getUserDataFolder();
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(folder->exists());
    EXPECT_TRUE(IO::GetHostRoot().IsAncestorOf(folder->getLocation()));
    EXPECT_EQ(SystemServices::getPlatformSign(), 0x5757);
}

TEST(SystemServices, MousePositionComesFromTheHost) {
    int16_t x = 1, y = 1;
    SetCursorPos(0, 0);
    SystemServices::getMousePosition(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    SetCursorPos(640, -12);
    SystemServices::getMousePosition(x, y);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, -12);
    SetCursorPos(70000, -70000); // outside the 16-bit range: clamped, not wrapped
    SystemServices::getMousePosition(x, y);
    EXPECT_EQ(x, INT16_MAX);
    EXPECT_EQ(y, INT16_MIN);
    SetCursorPos(0, 0);
    EXPECT_EQ(GetCursorPos(nullptr), FALSE);
}
