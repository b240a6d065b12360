#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/program.h"

using testx::Program;

namespace {

std::string makeTempDir()
{
    char templ[] = "/tmp/tarvex-install-XXXXXX";
    const char* dir = mkdtemp(templ);
    return dir ? dir : "";
}

}  // namespace

TEST(Installed, LauncherStartsFromAnyFolderAndFindsItsTexture)
{
    const std::string destdir = makeTempDir();
    ASSERT_FALSE(destdir.empty());
    std::string out;
    ASSERT_EQ(testx::run("env DESTDIR=" + destdir + " cmake --install " TARVEX_BUILD_DIR " --prefix /usr 2>&1", 60, &out), 0)
        << out;

    // Started from a folder without the texture; the launcher moves to where it lies.
    const std::string elsewhere = makeTempDir();
    Program program({destdir + "/usr/bin/tarvex"}, elsewhere);
    ASSERT_TRUE(testx::waitForOutput(program, std::string(33, '*'), 10000)) << program.errors();
    ASSERT_NE(testx::findWindow("Tarvex", 10000), 0u) << program.errors();
    ASSERT_TRUE(testx::movePointer(400, 300));
    ASSERT_TRUE(testx::xdo("key t"));
    testx::sleepMs(1500);
    EXPECT_TRUE(program.running()) << "ended after textures were switched on: " << program.output();
    EXPECT_EQ(program.output().find("introuvable"), std::string::npos) << program.output();

    ASSERT_TRUE(testx::xdo("key q"));
    const int status = program.waitExit(5000);
    ASSERT_NE(status, -1);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    testx::run("rm -rf " + destdir + " " + elsewhere);
}

TEST(Installed, DebianPackageHoldsTheProgramAndNamesItsRuntimeLibraries)
{
    const std::string dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    std::string out;
    ASSERT_EQ(testx::run("cpack -G DEB --config " TARVEX_BUILD_DIR "/CPackConfig.cmake -B " + dir + " 2>&1", 120, &out), 0)
        << out;
    std::string deb;
    ASSERT_EQ(testx::run("sh -c 'ls " + dir + "/tarvex_*.deb'", 10, &deb), 0);
    deb = deb.substr(0, deb.find('\n'));

    std::string files;
    ASSERT_EQ(testx::run("dpkg-deb -c " + deb, 10, &files), 0);
    for (const char* path : {"./usr/bin/tarvex", "./usr/lib/tarvex/tarvex", "./usr/share/tarvex/textureAluminum.ppm",
                             "./usr/share/applications/tarvex.desktop",
                             "./usr/share/icons/hicolor/scalable/apps/tarvex.svg"})
        EXPECT_NE(files.find(path), std::string::npos) << path << " missing from\n" << files;
    for (const char* unwanted : {"gtest", "tarvex_make_texture", "_tests"})
        EXPECT_EQ(files.find(unwanted), std::string::npos) << unwanted << " should not be packaged";

    std::string depends;
    ASSERT_EQ(testx::run("dpkg-deb -f " + deb + " Depends", 10, &depends), 0);
    for (const char* library : {"libglut", "libglu1", "libc6", "libstdc++6"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << " not in: " << depends;
    std::string name;
    testx::run("dpkg-deb -f " + deb + " Package", 10, &name);
    EXPECT_EQ(name, "tarvex\n");
    testx::run("rm -rf " + dir);
}
