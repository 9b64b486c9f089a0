#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "Environment/SystemServices.h"
#include "TempFolder.h"
#include "platform/io/SpecialFolders.h"
#include "platform/windows/WinSystem.h"

using tarnwick::SystemServices;

TEST(SystemServices, UserDataFolderIsUnderTheHostRootAndTheMousePositionComesFromTheHost) {
    auto folder = SystemServices::getUserDataFolder();
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(folder->exists());
    EXPECT_TRUE(IO::GetHostRoot().IsAncestorOf(folder->getLocation()));
    EXPECT_EQ(SystemServices::getPlatformSign(), 0x5757);

    // The mouse position comes from the host, clamped (not wrapped) to 16 bits.
    const struct {
        int x, y;
        int16_t wantedX, wantedY;
    } positions[] = {{0, 0, 0, 0}, {640, -12, 640, -12}, {70000, -70000, INT16_MAX, INT16_MIN}};
    for (const auto& p : positions) {
        int16_t x = 1, y = 1;
        SetCursorPos(p.x, p.y);
        SystemServices::getMousePosition(x, y);
        EXPECT_EQ(x, p.wantedX) << p.x;
        EXPECT_EQ(y, p.wantedY) << p.y;
    }
    SetCursorPos(0, 0);
    EXPECT_EQ(GetCursorPos(nullptr), FALSE);
}

TEST(SystemServices, TheUserDataFolderThatCannotBeMadeIsStillNamed) {
    TempFolder temp;
    struct Restored {
        std::string saved;
        bool had = false;
        ~Restored() {
            IO::ClearUnwritable();
            if (had)
                ::setenv("ZAVHOST_HOME", saved.c_str(), 1);
            else
                ::unsetenv("ZAVHOST_HOME");
        }
    } restored;
    if (const char* before = std::getenv("ZAVHOST_HOME")) {
        restored.saved = before;
        restored.had = true;
    }
    ::setenv("ZAVHOST_HOME", temp.path("home").c_str(), 1);
    IO::SetUnwritable(temp.location(), true);
    EXPECT_EQ(SystemServices::getUserDataFolder(), nullptr);
    EXPECT_EQ(SystemServices::getUserDataFolderPath().bytes(), temp.path("home/User Data"));
    EXPECT_FALSE(IO::Exists(temp.child("home")));
}
