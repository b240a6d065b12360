#include "tools/stills/output/interrupt_cleanup.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

#include <cstring>

namespace stills {

namespace {

constexpr int kSlots = 16;                  // a run guards one temporary an output, a cookie and
                                            // its folder, and one server
// Ending signals, and the faults a library may end the run with (the renderer, short of memory).
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGABRT, SIGSEGV, SIGBUS, SIGFPE};
constexpr int kStopWaitSteps = 40;          // a stopped process is waited for at most 2 s
constexpr long kStopWaitStepNs = 50000000;  // 50 ms

struct Guarded {
    int id;
    int dirFd;                              // -1 for a process
    bool folder;
    pid_t pid;
    char name[NAME_MAX + 1];
};

constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];
struct sigaction before[kSignalCount];      // what each signal did before: done again at the end

// Oldest first. Changed only with the signals blocked, so the handler never sees half an entry.
Guarded guarded[kSlots];
volatile sig_atomic_t guardedCount = 0;
int nextId = 0;

// Stops a child and waits, a bounded time, until it is gone: whoever started this process may
// look for it once this process has ended.
void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    const timespec step{0, kStopWaitStepNs};
    for (int i = 0; i < kStopWaitSteps && waitpid(pid, nullptr, WNOHANG) == 0; ++i) nanosleep(&step, nullptr);
}

void onEndingSignal(int signal)
{
    for (int i = guardedCount - 1; i >= 0; --i) {
        const Guarded& g = guarded[i];
        if (g.dirFd < 0) stop(g.pid);
        else unlinkat(g.dirFd, g.name, g.folder ? AT_REMOVEDIR : 0);
    }
    guardedCount = 0;
    // What the signal did before (its default action: ending the process, as its caller expects;
    // or a sanitizer's report) once this handler returns.
    for (int i = 0; i < kSignalCount; ++i)
        if (kSignals[i] == signal) sigaction(signal, &before[i], nullptr);
    raise(signal);
}

sigset_t endingSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (int s : kSignals) sigaddset(&set, s);
    return set;
}

int guard(const Guarded& entry)
{
    const SignalsHeld held;
    if (guardedCount == kSlots) return -1;
    const int id = nextId++;
    guarded[guardedCount] = entry;
    guarded[guardedCount].id = id;
    guardedCount = guardedCount + 1;
    return id;
}

}  // namespace

void installInterruptCleanup()
{
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    action.sa_mask = endingSignals();       // one handler at a time
    for (int i = 0; i < kSignalCount; ++i) {
        // A signal the caller chose to ignore (nohup, a shell's background job) stays ignored.
        sigaction(kSignals[i], nullptr, &before[i]);
        if (before[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
    }
}

int guardEntry(int dirFd, const char* name, bool folder)
{
    Guarded entry{};
    if (std::strlen(name) >= sizeof entry.name) return -1;
    std::strcpy(entry.name, name);
    entry.dirFd = dirFd;
    entry.folder = folder;
    return guard(entry);
}

int guardProcess(pid_t pid)
{
    Guarded entry{};
    entry.dirFd = -1;
    entry.pid = pid;
    return guard(entry);
}

void releaseGuard(int id)
{
    if (id < 0) return;
    const SignalsHeld held;
    const int n = guardedCount;
    for (int i = 0; i < n; ++i) {
        if (guarded[i].id != id) continue;
        for (int j = i + 1; j < n; ++j) guarded[j - 1] = guarded[j];
        guardedCount = n - 1;
        return;
    }
}

SignalsHeld::SignalsHeld()
{
    const sigset_t set = endingSignals();
    sigprocmask(SIG_BLOCK, &set, &before_);
}

SignalsHeld::~SignalsHeld() { sigprocmask(SIG_SETMASK, &before_, nullptr); }

}  // namespace stills
