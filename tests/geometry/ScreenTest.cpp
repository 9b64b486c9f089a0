#include <gtest/gtest.h>

#include "Environment/SystemServices.h"
#include "geometry/ScreenPoint.h"
#include "platform/windows/WinSystem.h"

using namespace tarnwick;

TEST(MousePosition, ComesAsAPlainScreenPointClampedTo16Bits) {
    SetCursorPos(120, -40);
    ScreenPoint position(1, 1, 6, 9);
    SystemServices::getMousePosition(position);
    EXPECT_EQ(position.getX(), 120);
    EXPECT_EQ(position.getY(), -40);
    EXPECT_TRUE(position.isClientCoordinateSpace());
    SetCursorPos(70000, -70000);
    SystemServices::getMousePosition(position);
    EXPECT_EQ(position.getX(), 32767);
    EXPECT_EQ(position.getY(), -32768);
    SetCursorPos(0, 0);
}
