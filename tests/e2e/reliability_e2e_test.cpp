// The real program under bad input: malformed texture files, a directory in the texture's
// place, extreme window sizes, key floods, and a long stop at high speed.
#include <sys/stat.h>
#include <sys/wait.h>
#include <signal.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using testx::Program;

namespace {

constexpr int kWindowWaitMs = 10000;
constexpr int kQuitWaitMs = 5000;
// The stroke's title, drawn at 1 % of the width and 11 % of the height from the bottom of the
// 800 x 600 window: its text lies inside this box, counted from the top.
constexpr int kTitleBox[4] = {0, 515, 300, 545};

// A working directory of its own holding a copy of the program; the texture file is the test's.
class Sandbox {
public:
    Sandbox() { std::system(("cp '" TARVEX_BINARY "' '" + dir() + "/tarvex'").c_str()); }
    void copyGoodTexture() const
    {
        std::system(("cp '" TARVEX_BUILD_DIR "/textureAluminum.ppm' '" + dir() + "/'").c_str());
    }
    std::string binary() const { return dir() + "/tarvex"; }
    const std::string& dir() const { return scratch_.path(); }

private:
    testx::TempDir scratch_{"tarvex-rel"};
};

unsigned long startAndFindWindow(Program& program)
{
    if (!testx::waitForOutput(program, std::string(33, '*'), kWindowWaitMs)) return 0;
    return testx::findWindow("Tarvex", kWindowWaitMs);
}

// Keys go to the window under the pointer. No --sync: it waits for a motion that never comes
// when the pointer is already there; the server handles the move before any later request.
bool pointerOnWindow() { return testx::xdo("mousemove 400 300"); }

void expectQuitWithStatusZero(Program& program)
{
    ASSERT_TRUE(pointerOnWindow());
    ASSERT_TRUE(testx::xdo("key q"));
    const int status = program.waitExit(kQuitWaitMs);
    ASSERT_NE(status, -1) << "still running " << kQuitWaitMs << " ms after q";
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n" << program.errors();
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// The title region holds drawn text: the frame was drawn with a stroke in 1..4.
int titlePixels(unsigned long window)
{
    testx::Image shot;
    if (!testx::screenshot(window, &shot)) return -1;
    return shot.countBright(kTitleBox[0], kTitleBox[1], kTitleBox[2], kTitleBox[3], 150);
}

// Switches textures on and waits for the reader's message about the file that place() put in
// the texture's place.
template <typename Place>
void expectTextureRejectedWith(Place place, const std::string& reason)
{
    SCOPED_TRACE(reason);
    Sandbox box;
    place(box.dir() + "/textureAluminum.ppm");
    Program program({box.binary()}, box.dir());
    ASSERT_NE(startAndFindWindow(program), 0u) << program.errors();
    ASSERT_TRUE(pointerOnWindow());
    ASSERT_TRUE(testx::xdo("key t"));
    const std::string message = "fichier textureAluminum.ppm invalide: " + reason + "\n";
    EXPECT_TRUE(testx::waitForOutput(program, message, kWindowWaitMs)) << program.output();
    testx::sleepMs(200);
    EXPECT_TRUE(program.running()) << program.errors();
    expectQuitWithStatusZero(program);
}

void expectTextureRejected(const std::string& bytes, const std::string& reason)
{
    expectTextureRejectedWith([&](const std::string& path) { std::ofstream(path, std::ios::binary) << bytes; },
                              reason);
}

}  // namespace

TEST(BadInput, EachMalformedTextureIsReportedAndTheProgramGoesOn)
{
    expectTextureRejected("P3\n1 1\n255\n0 0 0\n", "mot magique different de P6");
    expectTextureRejected("P6\n0 4\n255\n", "largeur invalide (entier decimal positif attendu)");
    expectTextureRejected("P6\n100000 100000\n255\n", "image trop grande (plus de 4096 pixels de cote)");
    expectTextureRejected("P6\n1 1\n0\nabc", "valeur maximale invalide (entier de 1 a 255 attendu)");
    expectTextureRejected("P6\n1 1\n300\nabc", "valeur maximale invalide (entier de 1 a 255 attendu)");
    expectTextureRejected("P6\n# rien d'autre", "fin de fichier dans l'en-tete");
    expectTextureRejected("P6\n2 2\n255\nabcdef", "donnees de pixels incompletes");
}

TEST(BadInput, ADirectoryOrANamedPipeInTheTexturesPlaceIsRefusedWithoutFreezing)
{
    const std::string reason = "pas un fichier ordinaire";
    expectTextureRejectedWith([](const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0700), 0); }, reason);
    expectTextureRejectedWith([](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }, reason);
}

// The program started in its sandbox with the good texture, its window found.
class RunningProgram : public testing::Test {
protected:
    void SetUp() override
    {
        box_.copyGoodTexture();
        program_ = std::make_unique<Program>(std::vector<std::string>{box_.binary()}, box_.dir());
        window_ = startAndFindWindow(*program_);
        ASSERT_NE(window_, 0u) << program_->errors();
        ASSERT_TRUE(pointerOnWindow());
    }

    // After the abuse: still running, the stroke's title drawn, and q ends it with status 0.
    void expectStillDrawingThenQuit()
    {
        EXPECT_TRUE(program_->running()) << program_->errors();
        EXPECT_GT(titlePixels(window_), 20);
        expectQuitWithStatusZero(*program_);
    }

    Sandbox box_;
    std::unique_ptr<Program> program_;
    unsigned long window_ = 0;
};

// One xdotool call pressing key count times with no delay.
bool pressRepeatedly(const std::string& key, int count)
{
    std::string keys;
    for (int i = 0; i < count; ++i) keys += " " + key;
    return testx::xdo("key --delay 0" + keys, 30);
}

TEST_F(RunningProgram, AOnePixelWindowAndBackKeepsItDrawing)
{
    const std::string id = std::to_string(window_);
    ASSERT_TRUE(testx::xdo("windowsize --sync " + id + " 1 1"));
    testx::sleepMs(300);
    EXPECT_TRUE(program_->running()) << program_->errors();
    ASSERT_TRUE(testx::xdo("windowsize --sync " + id + " 800 600"));
    testx::sleepMs(300);
    expectStillDrawingThenQuit();
}

TEST_F(RunningProgram, AThousandPlusAndAThousandMinusPressesKeepItRunning)
{
    for (int call = 0; call < 10; ++call) ASSERT_TRUE(pressRepeatedly("plus", 100));
    EXPECT_TRUE(program_->running()) << program_->errors();
    for (int call = 0; call < 10; ++call) ASSERT_TRUE(pressRepeatedly("minus", 100));
    testx::sleepMs(300);
    expectStillDrawingThenQuit();
}

TEST_F(RunningProgram, StoppedThreeSecondsAtHighSpeedItResumesWithAValidStroke)
{
    ASSERT_TRUE(pressRepeatedly("plus", 50));
    testx::sleepMs(300);
    program_->kill(SIGSTOP);
    testx::sleepMs(3000);
    program_->kill(SIGCONT);
    // Two frames after the resume must both show a stroke title.
    testx::sleepMs(300);
    EXPECT_GT(titlePixels(window_), 20);
    testx::sleepMs(200);
    expectStillDrawingThenQuit();
}
