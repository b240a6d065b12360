#include "tools/stills/pictures/headless_display.h"

#include <X11/Xauth.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/random.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/stills/output/interrupt_cleanup.h"
#include "tools/stills/output/document_format.h"
#include "tools/stills/pictures/view_settings.h"

namespace stills {

namespace {

constexpr const char* kServer = "Xvfb";
constexpr int kMinScreenWidth = 1280;       // pixels, as the test runs use
constexpr int kMinScreenHeight = 1024;
constexpr int kStartTimeoutMs = 10000;      // Xvfb is ready in well under a second
constexpr const char* kDefaultTemporaryFolder = "/tmp";
constexpr const char* kFolderStem = "tarvex-stills-";
constexpr const char* kCookieName = "cookie";
constexpr int kCookieBytes = 16;            // 128 bits, the size X's own tools give a cookie
constexpr mode_t kCookieMode = 0600;

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

// In the child: becomes the server, which writes its display number to displayFd once ready.
[[noreturn]] void execServer(int displayFd, const std::string& screen, const std::string& cookie)
{
    // The server goes with this process, however it ends, and takes signals as a new process.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    const int fd = dup(displayFd);          // without close-on-exec
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    const std::string fdText = std::to_string(fd);
    // -noreset: a server whose last client leaves resets, and refuses whoever comes meanwhile;
    // this one serves the run alone, from its first client to its end.
    execlp(kServer, kServer, "-displayfd", fdText.c_str(), "-screen", "0", screen.c_str(), "-auth", cookie.c_str(),
           "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
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
    return writeCookie() && startServer(width, height);
}

bool HeadlessDisplay::writeCookie()
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string parent = tmp != nullptr && tmp[0] == '/' ? tmp : kDefaultTemporaryFolder;
    parentFd_ = open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string pattern = parent + "/" + kFolderStem + "XXXXXX";
    {
        const SignalsHeld held;             // made and guarded as one step
        if (parentFd_ < 0 || mkdtemp(pattern.data()) == nullptr) {
            std::fprintf(stderr, "%s: cannot make a private folder in '%s' for the display's cookie: %s\n", kProgram,
                         parent.c_str(), std::strerror(errno));
            return false;
        }
        folder_ = pattern;
        folderGuard_ = guardEntry(parentFd_, folder_.substr(folder_.rfind('/') + 1).c_str(), true);
    }
    folderFd_ = open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    unsigned char secret[kCookieBytes];
    int fd = -1;
    if (folderFd_ >= 0 && getrandom(secret, sizeof secret, 0) == static_cast<ssize_t>(sizeof secret)) {
        const SignalsHeld held;
        fd = openat(folderFd_, kCookieName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kCookieMode);
        if (fd >= 0) cookieGuard_ = guardEntry(folderFd_, kCookieName, false);
    }
    std::FILE* file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    // One entry for any address and display number: the display's number is known only once
    // the server runs, and the file is the server's as much as this run's.
    static char kProtocol[] = "MIT-MAGIC-COOKIE-1";
    Xauth entry{};
    entry.family = FamilyWild;
    entry.name_length = sizeof kProtocol - 1;
    entry.name = kProtocol;
    entry.data_length = sizeof secret;
    entry.data = reinterpret_cast<char*>(secret);
    bool written = false;
    if (file != nullptr) {
        written = XauWriteAuth(file, &entry) == 1;
        written = std::fclose(file) == 0 && written;
    } else if (fd >= 0) {
        close(fd);
    }
    if (!written) {
        std::fprintf(stderr, "%s: cannot write the display's cookie in '%s': %s\n", kProgram, folder_.c_str(),
                     std::strerror(errno));
        return false;
    }
    setenv("XAUTHORITY", (folder_ + "/" + kCookieName).c_str(), 1);
    return true;
}

bool HeadlessDisplay::startServer(int width, int height)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        std::perror(kProgram);
        return false;
    }
    const std::string screen = std::to_string(std::max(width, kMinScreenWidth)) + "x"
                               + std::to_string(std::max(height, kMinScreenHeight)) + "x24";
    const std::string cookie = folder_ + "/" + kCookieName;
    pid_t pid;
    {
        const SignalsHeld held;             // started and guarded as one step
        pid = fork();
        if (pid == 0) execServer(pipeFds[1], screen, cookie);
        if (pid > 0) serverGuard_ = guardProcess(server_ = pid);
    }
    close(pipeFds[1]);
    if (pid < 0) {
        close(pipeFds[0]);
        std::perror(kProgram);
        return false;
    }
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
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
        releaseGuard(serverGuard_);
    }
    if (folderFd_ >= 0) unlinkat(folderFd_, kCookieName, 0);
    releaseGuard(cookieGuard_);
    if (!folder_.empty()) unlinkat(parentFd_, folder_.substr(folder_.rfind('/') + 1).c_str(), AT_REMOVEDIR);
    releaseGuard(folderGuard_);
    if (folderFd_ >= 0) close(folderFd_);
    if (parentFd_ >= 0) close(parentFd_);
}

}  // namespace stills
