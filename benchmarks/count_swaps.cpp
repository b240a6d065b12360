// Preloaded into a GL program, counts its buffer swaps without changing what it does: each
// glXSwapBuffers is passed on unchanged. At exit it writes, to the file named by
// TARVEX_SWAP_LOG, the process start time, the time of the first swap and the number of swaps.

#include <GL/glx.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;
using SwapFunction = void (*)(Display*, GLXDrawable);

const Clock::time_point gStart = Clock::now();
Clock::time_point gFirstSwap;
Clock::time_point gLastSwap;
long gSwaps = 0;

double secondsSince(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

struct Report {
    ~Report()
    {
        const char* path = std::getenv("TARVEX_SWAP_LOG");
        if (path == nullptr || gSwaps == 0) return;
        if (std::FILE* f = std::fopen(path, "w")) {
            std::fprintf(f, "swaps %ld\nfirst_swap_s %.6f\nlast_swap_s %.6f\n", gSwaps,
                         secondsSince(gStart, gFirstSwap), secondsSince(gStart, gLastSwap));
            std::fclose(f);
        }
    }
} gReport;

}  // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static SwapFunction next = reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    next(display, drawable);
    gLastSwap = Clock::now();
    if (gSwaps++ == 0) gFirstSwap = gLastSwap;
}
