#include "tests/support/program.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace testx {
namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A new empty file under /tmp, the one the child then writes to; the destructor removes it.
std::string tempPath(const char* what)
{
    std::string templ = std::string("/tmp/tarvex-test-") + what + "-XXXXXX";
    int fd = mkstemp(templ.data());
    if (fd >= 0) close(fd);
    return templ;
}

Display* display()
{
    static Display* d = XOpenDisplay(nullptr);
    return d;
}

}  // namespace

Program::Program(const std::vector<std::string>& argv, const std::string& workingDir,
                 const std::vector<std::string>& env)
    : outPath_(tempPath("out")), errPath_(tempPath("err"))
{
    pid_ = fork();
    if (pid_ == 0) {
        int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (!workingDir.empty() && chdir(workingDir.c_str()) != 0) _exit(126);
        // As from a terminal, whatever the suite's own caller ignores.
        signal(SIGINT, SIG_DFL);
        signal(SIGQUIT, SIG_DFL);
        for (const std::string& e : env) putenv(strdup(e.c_str()));
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execve(args[0], args.data(), environ);
        _exit(127);
    }
}

Program::~Program()
{
    if (running()) {
        kill(SIGKILL);
        waitExit(5000);
    }
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

bool Program::running()
{
    if (pid_ <= 0 || status_ != -1) return false;
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
        status_ = status;
        return false;
    }
    return r == 0;
}

int Program::waitExit(int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline) return -1;
        sleepMs(10);
    }
    return status_;
}

void Program::kill(int signal)
{
    if (pid_ > 0 && status_ == -1) ::kill(pid_, signal);
}

std::string Program::output() const { return readFile(outPath_); }
std::string Program::errors() const { return readFile(errPath_); }

int run(const std::string& command, int timeoutSeconds, std::string* out)
{
    std::string full = "timeout " + std::to_string(timeoutSeconds) + " " + command;
    FILE* pipe = popen(full.c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    int status = pclose(pipe);
    if (out) *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool xdo(const std::string& args, int timeoutSeconds)
{
    return run("xdotool " + args + " >/dev/null 2>&1", timeoutSeconds) == 0;
}

bool movePointer(int x, int y)
{
    std::string where;
    if (run("xdotool getmouselocation --shell", 5, &where) == 0 &&
        where.find("X=" + std::to_string(x) + "\n") != std::string::npos &&
        where.find("Y=" + std::to_string(y) + "\n") != std::string::npos)
        return true;
    return xdo("mousemove --sync " + std::to_string(x) + " " + std::to_string(y));
}

unsigned long findWindow(const std::string& title, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        std::string out;
        if (run("xdotool search --onlyvisible --name '" + title + "' 2>/dev/null", 5, &out) == 0) {
            unsigned long id = std::strtoul(out.c_str(), nullptr, 10);
            if (id != 0) return id;
        }
        sleepMs(50);
    } while (std::chrono::steady_clock::now() < deadline);
    return 0;
}

bool windowGeometry(unsigned long window, Geometry* geometry)
{
    Display* d = display();
    if (!d) return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, window, &attributes)) return false;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    *geometry = {x, y, attributes.width, attributes.height};
    return true;
}

std::string windowNameBytes(unsigned long window)
{
    Display* d = display();
    if (!d) return "";
    XTextProperty property;
    if (!XGetWMName(d, window, &property) || !property.value) return "";
    std::string name(reinterpret_cast<char*>(property.value), property.nitems);
    XFree(property.value);
    return name;
}

bool screenshot(unsigned long window, Image* image)
{
    Display* d = display();
    Geometry g;
    if (!d || !windowGeometry(window, &g)) return false;
    XSync(d, False);
    // A window that is being resized or moved can stick out of the screen for a moment, which
    // X answers with BadMatch: a failed screenshot then, not the end of the test process.
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XImage* x = XGetImage(d, window, 0, 0, g.width, g.height, AllPlanes, ZPixmap);
    XSync(d, False);
    XSetErrorHandler(previous);
    if (!x) return false;
    image->width = g.width;
    image->height = g.height;
    image->rgb.resize(static_cast<size_t>(g.width) * g.height * 3);
    for (int row = 0; row < g.height; ++row)
        for (int col = 0; col < g.width; ++col) {
            unsigned long p = XGetPixel(x, col, row);
            size_t i = (static_cast<size_t>(row) * g.width + col) * 3;
            image->rgb[i] = (p >> 16) & 0xff;
            image->rgb[i + 1] = (p >> 8) & 0xff;
            image->rgb[i + 2] = p & 0xff;
        }
    XDestroyImage(x);
    return true;
}

int Image::countBright(int x0, int y0, int x1, int y1, int minLevel) const
{
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width, x1); ++x)
            if (r(x, y) >= minLevel && g(x, y) >= minLevel && b(x, y) >= minLevel) ++count;
    return count;
}

int Image::countDifferent(const Image& other, int tolerance) const
{
    if (other.width != width || other.height != height) return width * height;
    int count = 0;
    for (size_t i = 0; i < rgb.size(); i += 3)
        if (std::abs(rgb[i] - other.rgb[i]) > tolerance || std::abs(rgb[i + 1] - other.rgb[i + 1]) > tolerance ||
            std::abs(rgb[i + 2] - other.rgb[i + 2]) > tolerance)
            ++count;
    return count;
}

bool waitForOutput(const Program& program, const std::string& text, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (program.output().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        sleepMs(20);
    }
    return true;
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace testx
