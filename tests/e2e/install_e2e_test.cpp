#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using testx::Program;

namespace {

constexpr int kInstallSeconds = 60;
constexpr int kPackageSeconds = 120;
constexpr int kWindowMs = 10000;
constexpr int kQuitMs = 5000;
// Long enough for the texture to be read after `t`; a missing one ends the program at once.
constexpr int kRunningAfterTextureMs = 1000;

// The same for every prefix: what an install lays down, relative to the prefix.
const std::set<std::string> kInstalledFiles = {
    "bin/tarvex",
    "lib/tarvex/tarvex",
    "share/tarvex/textureAluminum.ppm",
    "share/applications/tarvex.desktop",
    "share/icons/hicolor/scalable/apps/tarvex.svg",
    "share/metainfo/org.tarvex.tarvex.metainfo.xml",
    "share/man/man1/tarvex.1.gz",
    "share/doc/tarvex/copyright",
    "share/doc/tarvex/changelog.gz",
};
// Installed only when the build has the still-picture tool.
const std::set<std::string> kOptionalFiles = {"bin/tarvex-stills", "share/man/man1/tarvex-stills.1.gz"};

// The argument quoted for the shell, so that folders with spaces stay one word.
std::string shellWord(const std::string& text)
{
    std::string out = "'";
    for (char c : text) out += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// testx::run limits the first command only; a whole command line runs in its own shell.
int runLine(const std::string& line, int timeoutSeconds, std::string* out = nullptr)
{
    return testx::run("sh -c " + shellWord(line), timeoutSeconds, out);
}

::testing::AssertionResult installInto(const std::string& destdir, const std::string& prefix)
{
    std::string out;
    const int status = testx::run("env DESTDIR=" + shellWord(destdir) + " cmake --install " TARVEX_BUILD_DIR
                                  " --prefix " + shellWord(prefix) + " 2>&1",
                                  kInstallSeconds, &out);
    if (status != 0) return ::testing::AssertionFailure() << "cmake --install failed: " << out;
    return ::testing::AssertionSuccess();
}

// Every regular file and link under root, relative to it, one a line in sorted order.
std::set<std::string> filesUnder(const std::string& root)
{
    std::string out;
    runLine("cd " + shellWord(root) + " && find . \\( -type f -o -type l \\) | sed 's|^\\./||'", 10, &out);
    std::set<std::string> files;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) files.insert(line);
    return files;
}

void expectTheInstalledFiles(const std::set<std::string>& files)
{
    for (const std::string& wanted : kInstalledFiles)
        EXPECT_EQ(files.count(wanted), 1u) << wanted << " was not installed";
    for (const std::string& file : files)
        EXPECT_TRUE(kInstalledFiles.count(file) == 1 || kOptionalFiles.count(file) == 1)
            << file << " should not be installed";
}

bool isExecutable(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR) != 0;
}

// Starts command in folder, switches textures on and checks that the program finds the
// texture (it goes on running, says nothing about a missing file) and ends with 0 on `q`.
void expectRunsWithItsTexture(const std::string& command, const std::string& folder)
{
    Program program({command}, folder);
    ASSERT_TRUE(testx::waitForOutput(program, std::string(33, '*'), kWindowMs))
        << "no banner: " << program.errors();
    ASSERT_NE(testx::findWindow("Tarvex", kWindowMs), 0u) << program.errors();
    ASSERT_TRUE(testx::movePointer(400, 300));
    ASSERT_TRUE(testx::xdo("key t"));
    testx::sleepMs(kRunningAfterTextureMs);
    EXPECT_TRUE(program.running()) << "ended after textures were switched on: " << program.output()
                                   << program.errors();
    EXPECT_EQ(program.output().find("introuvable"), std::string::npos) << program.output();

    ASSERT_TRUE(testx::xdo("key q"));
    const int status = program.waitExit(kQuitMs);
    ASSERT_NE(status, -1) << "did not end within 5 s after q";
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A folder to install into and another one, without the texture, to start the program from.
class InstalledAndElsewhere : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(destdir.path().empty());
        ASSERT_FALSE(elsewhere.path().empty());
    }
    testx::TempDir destdir{"tarvex-install"};
    testx::TempDir elsewhere{"tarvex-elsewhere"};
};

}  // namespace

TEST(Installed, LaysDownTheLauncherProgramTextureDocumentsAndValidMenuEntryAndMetadataOnly)
{
    testx::TempDir destdir("tarvex-install");
    ASSERT_FALSE(destdir.path().empty());
    ASSERT_TRUE(installInto(destdir.path(), "/usr"));

    const std::string root = destdir.path() + "/usr";
    expectTheInstalledFiles(filesUnder(root));
    EXPECT_TRUE(isExecutable(root + "/bin/tarvex"));
    EXPECT_TRUE(isExecutable(root + "/lib/tarvex/tarvex"));
    EXPECT_FALSE(isExecutable(root + "/share/tarvex/textureAluminum.ppm"));

    std::string out;
    EXPECT_EQ(testx::run("desktop-file-validate " + shellWord(root + "/share/applications/tarvex.desktop") + " 2>&1",
                         10, &out),
              0)
        << out;
    EXPECT_EQ(out, "") << "the menu entry draws remarks";
    EXPECT_EQ(testx::run("grep -qx 'Exec=tarvex' " + shellWord(root + "/share/applications/tarvex.desktop")), 0)
        << "the menu entry must start the launcher in bin";
    EXPECT_EQ(testx::run("grep -q '<svg' " + shellWord(root + "/share/icons/hicolor/scalable/apps/tarvex.svg")), 0);
    // --no-net: the screenshot's address is checked for its form, not fetched.
    EXPECT_EQ(runLine("appstreamcli validate --no-net --pedantic " + shellWord(root) +
                          "/share/metainfo/*.metainfo.xml 2>&1 && appstreamcli validate-tree --no-net " +
                          shellWord(destdir.path()) + " 2>&1",
                      60, &out),
              0)
        << out;
    EXPECT_NE(out.find("Validation was successful.\n"), std::string::npos) << "remarks, pedantic ones too: " << out;
}

TEST_F(InstalledAndElsewhere, LauncherStartsFromAnyFolderAndFindsItsTexture)
{
    ASSERT_TRUE(installInto(destdir.path(), "/usr"));

    expectRunsWithItsTexture(destdir.path() + "/usr/bin/tarvex", elsewhere.path());
}

// Without the launcher the program looks in the folder it was started from: this is what the
// launcher is for, and shows that the test above would see a texture that is not found.
TEST_F(InstalledAndElsewhere, ProgramStartedOutsideItsDataFolderEndsOnTheMissingTexture)
{
    ASSERT_TRUE(installInto(destdir.path(), "/usr"));

    Program program({destdir.path() + "/usr/lib/tarvex/tarvex"}, elsewhere.path());
    ASSERT_TRUE(testx::waitForOutput(program, std::string(33, '*'), kWindowMs)) << program.errors();
    ASSERT_NE(testx::findWindow("Tarvex", kWindowMs), 0u) << program.errors();
    ASSERT_TRUE(testx::movePointer(400, 300));
    ASSERT_TRUE(testx::xdo("key t"));
    const int status = program.waitExit(kQuitMs);
    ASSERT_NE(status, -1) << "still running without its texture";
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(program.output().find("fichier textureAluminum.ppm introuvable\n"), std::string::npos)
        << program.output();
}

// A prefix chosen at install time, with a space in it, reached through a link from another
// folder (as a link in ~/bin would be).
TEST_F(InstalledAndElsewhere, LauncherWorksUnderAMovedPrefixAndThroughASymbolicLink)
{
    const std::string prefix = "/opt/tarvex engine";
    ASSERT_TRUE(installInto(destdir.path(), prefix));
    expectTheInstalledFiles(filesUnder(destdir.path() + prefix));

    const std::string link = elsewhere.path() + "/tarvex";
    ASSERT_EQ(symlink((destdir.path() + prefix + "/bin/tarvex").c_str(), link.c_str()), 0);
    expectRunsWithItsTexture(link, elsewhere.path());
}

TEST(Installed, DebianPackageHoldsTheProgramAndNamesItsRuntimeLibraries)
{
    testx::TempDir dir("tarvex-package");
    ASSERT_FALSE(dir.path().empty());
    std::string out;
    // The package and cpack's staging go to the temporary folder, not into the build tree.
    ASSERT_EQ(runLine("cd " + shellWord(dir.path()) + " && cpack -G DEB --config " TARVEX_BUILD_DIR
                         "/CPackConfig.cmake -B " + shellWord(dir.path()) + " 2>&1",
                         kPackageSeconds, &out),
              0)
        << out;
    std::string deb;
    ASSERT_EQ(testx::run("ls " + shellWord(dir.path()) + "/tarvex_*_*.deb", 10, &deb), 0) << out;
    deb = deb.substr(0, deb.find('\n'));

    const std::string unpacked = dir.path() + "/unpacked";
    ASSERT_EQ(testx::run("dpkg-deb -x " + shellWord(deb) + " " + shellWord(unpacked)), 0);
    expectTheInstalledFiles(filesUnder(unpacked + "/usr"));
    EXPECT_EQ(filesUnder(unpacked).size(), filesUnder(unpacked + "/usr").size()) << "files outside /usr";

    std::string field;
    testx::run("dpkg-deb -f " + shellWord(deb) + " Package", 10, &field);
    EXPECT_EQ(field, "tarvex\n");
    std::string version;
    testx::run("dpkg-deb -f " + shellWord(deb) + " Version", 10, &version);
    std::string arch;
    testx::run("dpkg --print-architecture", 10, &arch);
    EXPECT_EQ(deb, dir.path() + "/tarvex_" + version.substr(0, version.find('\n')) + "_" +
                       arch.substr(0, arch.find('\n')) + ".deb");

    std::string depends;
    ASSERT_EQ(testx::run("dpkg-deb -f " + shellWord(deb) + " Depends", 10, &depends), 0);
    // The libraries, and the fonts of the tool's texts with the answer key's oblique.
    for (const char* package : {"libglut", "libglu1", "libc6", "libstdc++6", "fonts-dejavu-extra"})
        EXPECT_NE(depends.find(package), std::string::npos) << package << " not in: " << depends;
    // The GL entry points come from GLVND's split libraries or from the whole libGL.
    EXPECT_TRUE(depends.find("libgl1") != std::string::npos ||
                (depends.find("libopengl0") != std::string::npos && depends.find("libglx0") != std::string::npos))
        << "no OpenGL runtime in: " << depends;

    // apt resolves its dependencies against this system without installing anything.
    EXPECT_EQ(testx::run("apt-get install -s -q " + shellWord(deb) + " 2>&1", 60, &out), 0) << out;
    EXPECT_NE(out.find("Inst tarvex"), std::string::npos) << out;

    // No error and no warning from Debian's checker; its own files go to the temporary folder.
    const int lintian = testx::run("env TMPDIR=" + shellWord(dir.path()) + " lintian --fail-on error,warning " +
                                       shellWord(deb) + " 2>&1",
                                   kPackageSeconds, &out);
    const std::string asRoot = "running with root privileges is not recommended!\n";
    if (out.find(asRoot) != std::string::npos) out.erase(out.find(asRoot), asRoot.size());
    EXPECT_EQ(lintian, 0) << out;
    EXPECT_EQ(out, "") << "lintian's remarks";

    // The tool's page is made from the tool: it names every option its --help lists, and the
    // package's version.
    std::string page;
    ASSERT_EQ(runLine("zcat " + shellWord(unpacked + "/usr/share/man/man1/tarvex-stills.1.gz") + " | sed 's/\\\\-/-/g'",
                      10, &page),
              0);
    std::string options;
    runLine(TARVEX_STILLS " --help | grep -o -- '--[a-z][a-z-]*' | sort -u", 10, &options);
    std::istringstream names(options);
    int named = 0;
    for (std::string option; std::getline(names, option); ++named)
        EXPECT_NE(page.find(option), std::string::npos) << option << " missing from the manual page";
    EXPECT_GT(named, 5) << options;
    EXPECT_NE(page.find("tarvex-stills " + version.substr(0, version.find('\n'))), std::string::npos) << page;
}

// The portable tarball: unpacked anywhere (here a folder with a space), its launcher starts the
// program with the texture found; it carries the licence.
TEST_F(InstalledAndElsewhere, TarballUnpackedAnywhereRunsWithItsTextureAndCarriesTheLicence)
{
    std::string out;
    ASSERT_EQ(runLine("cd " + shellWord(destdir.path()) + " && cpack -G TGZ --config " TARVEX_BUILD_DIR
                         "/CPackConfig.cmake -B " + shellWord(destdir.path()) + " 2>&1",
                         kPackageSeconds, &out),
              0)
        << out;
    const std::string unpacked = destdir.path() + "/un packed";
    ASSERT_EQ(runLine("mkdir " + shellWord(unpacked) + " && tar -xzf " + shellWord(destdir.path()) +
                          "/tarvex-*.tar.gz -C " + shellWord(unpacked) + " 2>&1",
                      kInstallSeconds, &out),
              0)
        << out;
    std::string top;
    ASSERT_EQ(runLine("ls -d " + shellWord(unpacked) + "/tarvex-*", 10, &top), 0);
    top = top.substr(0, top.find('\n'));
    EXPECT_EQ(testx::run("grep -q 'Permission is hereby granted' " + shellWord(top + "/LICENSE")), 0);
    std::set<std::string> files = filesUnder(top);
    EXPECT_EQ(files.erase("LICENSE"), 1u);
    expectTheInstalledFiles(files);

    expectRunsWithItsTexture(top + "/bin/tarvex", elsewhere.path());
}
