#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using testx::Program;

namespace {

const std::string kMissing = "fichier textureAluminum.ppm introuvable\n";

// Starts the program in dir and waits for its window; 0 when none appeared.
unsigned long startIn(Program& program)
{
    if (!testx::waitForOutput(program, std::string(33, '*'), 10000)) return 0;
    unsigned long window = testx::findWindow("Tarvex", 10000);
    if (window != 0) testx::movePointer(400, 300);
    return window;
}

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

struct Region {
    int x0, y0, x1, y1;                     // window pixels, y from the top
};

// Inside the outer side of the barrel's -y wall (box 2) in the start view: nothing moves in
// front of it.
constexpr Region kSideWall = {550, 345, 560, 353};

double meanRed(const testx::Image& image, Region r)
{
    long sum = 0;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) sum += image.r(x, y);
    return static_cast<double>(sum) / ((r.x1 - r.x0) * (r.y1 - r.y0));
}

int differing(const testx::Image& a, const testx::Image& b, Region r, int tolerance)
{
    int count = 0;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            if (std::abs(a.r(x, y) - b.r(x, y)) > tolerance || std::abs(a.g(x, y) - b.g(x, y)) > tolerance ||
                std::abs(a.b(x, y) - b.b(x, y)) > tolerance)
                ++count;
    return count;
}

}  // namespace

TEST(RealProgramTexture, WithoutTheFileItRunsUntilTexturesAreSwitchedOn)
{
    testx::TempDir scratch("tarvex-texture");
    const std::string& dir = scratch.path();
    ASSERT_FALSE(dir.empty());
    Program program({TARVEX_BINARY}, dir);
    ASSERT_NE(startIn(program), 0u) << program.errors();
    ASSERT_TRUE(testx::xdo("key 1 2 3 4"));   // frames of every view mode, untextured
    testx::sleepMs(700);
    ASSERT_TRUE(program.running()) << program.output();
    EXPECT_EQ(program.output().find("fichier"), std::string::npos) << program.output();

    ASSERT_TRUE(testx::xdo("key t"));
    const int status = program.waitExit(5000);
    ASSERT_NE(status, -1) << "still running 5 s after textures were switched on";
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), EXIT_FAILURE);
    const std::string said = program.output();
    ASSERT_GE(said.size(), kMissing.size());
    EXPECT_EQ(said.substr(said.size() - kMissing.size()), kMissing);
}

TEST(RealProgramTexture, AMalformedFileIsReportedOnceAndTheProgramGoesOn)
{
    testx::TempDir scratch("tarvex-texture");
    const std::string& dir = scratch.path();
    ASSERT_FALSE(dir.empty());
    std::ofstream(dir + "/textureAluminum.ppm", std::ios::binary) << "P3\n2 2\n255\n1 2 3 4 5 6 7 8 9 1 2 3\n";
    Program program({TARVEX_BINARY}, dir);
    ASSERT_NE(startIn(program), 0u) << program.errors();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(testx::xdo("key t"));
        testx::sleepMs(300);
    }
    ASSERT_TRUE(program.running()) << program.output();
    EXPECT_EQ(occurrences(program.output(), "fichier textureAluminum.ppm invalide: mot magique different de P6\n"), 1u)
        << program.output();

    ASSERT_TRUE(testx::xdo("key q"));
    const int status = program.waitExit(5000);
    ASSERT_NE(status, -1);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(RealProgramTexture, TheAluminiumShowsOnTheCasingAndGoesAgainWhenSwitchedOff)
{
    Program program({TARVEX_BINARY}, TARVEX_BUILD_DIR);
    unsigned long window = startIn(program);
    ASSERT_NE(window, 0u) << program.errors();
    // Whole block solid, no help or explanation text, and the crank stopped early in the
    // intake stroke, far from the spark, so frames repeat.
    ASSERT_TRUE(testx::xdo("key 1 a e minus"));
    testx::sleepMs(700);

    testx::Image plain, textured, plainAgain;
    ASSERT_TRUE(testx::screenshot(window, &plain));
    ASSERT_TRUE(testx::xdo("key t"));
    testx::sleepMs(700);
    ASSERT_TRUE(testx::screenshot(window, &textured));
    ASSERT_TRUE(testx::xdo("key t"));
    testx::sleepMs(700);
    ASSERT_TRUE(testx::screenshot(window, &plainAgain));

    const int area = (kSideWall.x1 - kSideWall.x0) * (kSideWall.y1 - kSideWall.y0);
    EXPECT_GT(meanRed(plain, kSideWall), 30.0) << "the side wall is not lit where expected";
    EXPECT_GE(differing(plain, textured, kSideWall, 4), area * 3 / 4);
    EXPECT_LT(meanRed(textured, kSideWall), meanRed(plain, kSideWall) * 0.9);   // the aluminium modulates
    EXPECT_EQ(differing(plain, plainAgain, kSideWall, 2), 0);
    EXPECT_TRUE(program.running());
    EXPECT_EQ(program.output().find("fichier"), std::string::npos) << program.output();
    ASSERT_TRUE(testx::xdo("key q"));
    EXPECT_NE(program.waitExit(5000), -1);
}
