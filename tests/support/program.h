#pragma once
// Runs the real program (or any command) as a child process with time limits, and drives and
// reads its window on the X display: xdotool for input, X itself for geometry and screenshots.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testx {

// A child process whose standard output and error go to files; killed when destroyed.
class Program {
public:
    // argv[0] is the program's path. env entries are "NAME=value" added to the environment.
    Program(const std::vector<std::string>& argv, const std::string& workingDir = "",
            const std::vector<std::string>& env = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool running();
    // Waits up to timeoutMs for the child to end; returns its wait status, or -1 on timeout.
    int waitExit(int timeoutMs);
    void kill(int signal);
    pid_t pid() const { return pid_; }
    std::string output() const;             // what it wrote to standard output so far
    std::string errors() const;             // what it wrote to standard error so far

private:
    pid_t pid_ = -1;
    int status_ = -1;
    std::string outPath_;
    std::string errPath_;
};

// Runs a shell command with a time limit in seconds; returns its exit status (124 on timeout)
// and stores what it printed on standard output in out when given.
int run(const std::string& command, int timeoutSeconds = 10, std::string* out = nullptr);

// xdotool with the given arguments, limited to timeoutSeconds; true when it succeeded.
bool xdo(const std::string& args, int timeoutSeconds = 10);

// Moves the pointer to (x, y) on the screen and waits until it is there. (xdotool's own
// --sync waits forever when the pointer is already at the target.)
bool movePointer(int x, int y);

// The id of the first window whose name contains title, waiting up to timeoutMs; 0 if none.
unsigned long findWindow(const std::string& title, int timeoutMs = 10000);

struct Geometry {
    int x, y, width, height;
};
bool windowGeometry(unsigned long window, Geometry* geometry);
std::string windowNameBytes(unsigned long window);   // WM_NAME exactly as X holds it

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;               // rows top first, 3 bytes a pixel
    int r(int x, int y) const { return rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    int g(int x, int y) const { return rgb[(static_cast<size_t>(y) * width + x) * 3 + 1]; }
    int b(int x, int y) const { return rgb[(static_cast<size_t>(y) * width + x) * 3 + 2]; }
    // Pixels with all channels at least minLevel in [x0, x1) x [y0, y1), y from the top.
    int countBright(int x0, int y0, int x1, int y1, int minLevel = 200) const;
    // Pixels that differ from other by more than tolerance on some channel.
    int countDifferent(const Image& other, int tolerance = 16) const;
};

// The window's contents as they are on the screen now.
bool screenshot(unsigned long window, Image* image);

// Waits (up to timeoutMs) until the process has said at least `text` on its standard output.
bool waitForOutput(const Program& program, const std::string& text, int timeoutMs);

void sleepMs(int ms);

}  // namespace testx
