#include <gtest/gtest.h>

#include "app/scene_state.h"
#include "interaction/keyboard.h"

// The quit keys end the process before anything touches GLUT, so they need no window here.
TEST(QuitKeysDeathTest, EscapeQAndCapitalQEndTheProcessWithStatusZero)
{
    const unsigned char quitKeys[] = {27, 'q', 'Q'};
    for (unsigned char key : quitKeys) {
        scene.leftDragging = true;                  // even in the middle of a drag
        EXPECT_EXIT(onKeyboard(key, 0, 0), ::testing::ExitedWithCode(0), "") << "key " << int(key);
    }
}
