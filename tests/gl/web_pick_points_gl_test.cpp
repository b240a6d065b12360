// The pixels the browser page's picking test clicks pick, on the desktop, the groups that test
// expects: both editions are held to the same list.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/scene_state.h"
#include "interaction/mouse.h"
#include "tests/support/gl_window.h"

TEST(Picking, ThePagesPickPointsPickTheirGroupsOnTheDesktop)
{
    testgl::openScene();
    scene.crankAngle = 270.0;
    std::ifstream points(TARVEX_SOURCE_DIR "/tests/web/pick_points.txt");
    ASSERT_TRUE(points.is_open());
    int checked = 0;
    for (std::string line; std::getline(points, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int x = 0, y = 0, group = 0;
        std::string name;
        ASSERT_TRUE(fields >> x >> y >> group >> name) << line;
        scene.viewMode = static_cast<ViewMode>((group + 1) % 4);    // a pick that changes nothing fails
        pickObject(x, y);
        EXPECT_EQ(scene.viewMode, group) << name;
        ++checked;
    }
    EXPECT_GE(checked, 4);
    scene.crankAngle = 0.0;
}
