#include "tools/stills/headless_display.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/stills/options.h"

namespace stills {

namespace {

constexpr const char* kServer = "Xvfb";
constexpr int kMinScreenWidth = 1280;       // pixels, as the test runs use
constexpr int kMinScreenHeight = 1024;
constexpr int kStartTimeoutMs = 10000;      // Xvfb is ready in well under a second

bool onPath(const char* program)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    for (;;) {
        const size_t end = dirs.find(':', start);
        const std::string dir = dirs.substr(start, end - start);
        if (access(((dir.empty() ? "." : dir) + "/" + program).c_str(), X_OK) == 0) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

// Reads the display number Xvfb writes to fd once it accepts clients; -1 when it did not.
int readDisplayNumber(int fd)
{
    std::string text;
    pollfd p{fd, POLLIN, 0};
    while (text.find('\n') == std::string::npos && poll(&p, 1, kStartTimeoutMs) == 1) {
        char buffer[32];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    if (text.find('\n') == std::string::npos) return -1;
    return std::atoi(text.c_str());
}

}  // namespace

bool HeadlessDisplay::ensure(int width, int height)
{
    // The connection stays open for the run: an X server whose last client leaves resets, and
    // refuses the next one (GLUT's) while it does.
    probe_ = XOpenDisplay(nullptr);
    if (probe_ != nullptr) return true;
    const char* display = std::getenv("DISPLAY");
    if (!onPath(kServer)) {
        std::fprintf(stderr, "%s: no X display could be opened (DISPLAY is %s) and Xvfb, which would give one, "
                             "is not installed: install the package xvfb, or run on a desktop\n",
                     kProgram, display && *display ? display : "not set");
        return false;
    }
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        std::perror(kProgram);
        return false;
    }
    const std::string screen = std::to_string(std::max(width, kMinScreenWidth)) + "x"
                               + std::to_string(std::max(height, kMinScreenHeight)) + "x24";
    const pid_t pid = fork();
    if (pid == 0) {
        // The server goes with this process, however it ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int fd = dup(pipeFds[1]);     // without close-on-exec
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const std::string fdText = std::to_string(fd);
        execlp(kServer, kServer, "-displayfd", fdText.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    if (pid < 0) {
        close(pipeFds[0]);
        std::perror(kProgram);
        return false;
    }
    server_ = pid;
    const int number = readDisplayNumber(pipeFds[0]);
    close(pipeFds[0]);
    if (number < 0) {
        std::fprintf(stderr, "%s: no X display could be opened and Xvfb did not start\n", kProgram);
        return false;
    }
    setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
    return true;
}

HeadlessDisplay::~HeadlessDisplay()
{
    if (probe_ != nullptr) XCloseDisplay(probe_);
    if (server_ <= 0) return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
}

}  // namespace stills
