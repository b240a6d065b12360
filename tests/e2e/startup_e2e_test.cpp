#include <sys/wait.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/program.h"

using testx::Program;

namespace {

const std::string kTitle = "Tarvex \xE0 explosion (essence, 4 temps)";

std::string bannerWith(const std::string& titleLetter)
{
    return std::string(25, ' ') + std::string(33, '*') + "\n" +
           std::string(28, ' ') + "Projet: Tarvex " + titleLetter + " explosion\n" +
           std::string(27, ' ') + "Auteurs: l'equipe Tarvex\n" +
           std::string(34, ' ') + "Cours: mecanique\n" +
           std::string(39, ' ') + "Classe: tous\n" +
           std::string(25, ' ') + std::string(33, '*') + "\n";
}

// Starts the program, waits for its window and returns its id (0 when none appeared).
unsigned long startAndFindWindow(Program& program)
{
    if (!testx::waitForOutput(program, std::string(33, '*'), 10000)) return 0;
    return testx::findWindow("Tarvex", 10000);
}

// Sends one key to the window, with the pointer on it so that the key reaches it.
void sendKey(const std::string& key)
{
    ASSERT_TRUE(testx::movePointer(400, 300));
    ASSERT_TRUE(testx::xdo("key " + key));
}

void expectQuitsWithStatusZero(const std::string& key)
{
    Program program({TARVEX_BINARY}, TARVEX_BUILD_DIR);
    ASSERT_NE(startAndFindWindow(program), 0u) << program.errors();
    sendKey(key);
    int status = program.waitExit(5000);
    ASSERT_NE(status, -1) << "the program did not end within 5 s after " << key;
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace

TEST(RealProgram, PrintsTheBannerByteForByte)
{
    {
        Program program({TARVEX_BINARY}, TARVEX_BUILD_DIR, {"LC_ALL=C", "LANG=C"});
        ASSERT_NE(startAndFindWindow(program), 0u) << program.errors();
        EXPECT_EQ(program.output(), bannerWith("\xE0"));    // ISO 8859-1 console
    }
    {
        Program program({TARVEX_BINARY}, TARVEX_BUILD_DIR, {"LC_ALL=C.UTF-8"});
        ASSERT_NE(startAndFindWindow(program), 0u) << program.errors();
        EXPECT_EQ(program.output(), bannerWith("\xC3\xA0"));  // UTF-8 console
    }
}

TEST(RealProgram, OpensItsTitled800x600WindowAtTheOrigin)
{
    Program program({TARVEX_BINARY}, TARVEX_BUILD_DIR);
    unsigned long window = startAndFindWindow(program);
    ASSERT_NE(window, 0u) << program.errors();
    EXPECT_EQ(testx::windowNameBytes(window), kTitle);
    testx::Geometry g{};
    ASSERT_TRUE(testx::windowGeometry(window, &g));
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 600);
}

TEST(RealProgram, QuitKeysEndItWithStatusZero)
{
    expectQuitsWithStatusZero("q");
    expectQuitsWithStatusZero("Q");
    expectQuitsWithStatusZero("Escape");
}

TEST(RealProgram, ArgumentsGoToGlutAndOthersChangeNothing)
{
    // GLUT takes -sync and -display; a word of no meaning to GLUT is left alone.
    {
        Program program({TARVEX_BINARY, "-sync", "unrelated-word", "--help"}, TARVEX_BUILD_DIR);
        unsigned long window = startAndFindWindow(program);
        ASSERT_NE(window, 0u) << program.errors();
        testx::Geometry g{};
        ASSERT_TRUE(testx::windowGeometry(window, &g));
        EXPECT_EQ(g.width, 800);
        EXPECT_EQ(g.height, 600);
        sendKey("q");
        EXPECT_NE(program.waitExit(5000), -1);
    }
    {
        Program program({TARVEX_BINARY, "-display", ":987"}, TARVEX_BUILD_DIR);
        int status = program.waitExit(10000);
        ASSERT_NE(status, -1);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_NE(WEXITSTATUS(status), 0);
        EXPECT_NE(program.errors().find("failed to open display"), std::string::npos) << program.errors();
    }
}

TEST(RealProgram, EndsInsideGlutWhenNoDisplayCanBeOpened)
{
    Program program({TARVEX_BINARY}, TARVEX_BUILD_DIR, {"DISPLAY=:987"});
    int status = program.waitExit(10000);
    ASSERT_NE(status, -1);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    // The banner comes first, so it shows even then.
    EXPECT_EQ(program.output().substr(0, 58), std::string(25, ' ') + std::string(33, '*'));
    EXPECT_NE(program.errors().find("failed to open display"), std::string::npos) << program.errors();
}
