#pragma once
// What a run holds only while it runs (temporary files, the private display's cookie and its
// folder, the display's server) is undone when SIGINT, SIGTERM, SIGHUP or SIGPIPE ends the run,
// or a fault (SIGSEGV, SIGBUS, SIGFPE, SIGABRT) in a library: the handler removes and stops what
// is guarded, then lets the signal end the process as it would have.

#include <signal.h>
#include <sys/types.h>

namespace stills {

// Once, before anything is guarded.
void installInterruptCleanup();

// Guards the entry name of the folder open as dirFd (a file, or an empty folder when folder);
// the handler removes guarded entries newest first. Returns the guard, or -1 (nothing guarded)
// when the name is too long or every slot is taken. dirFd must stay open while guarded.
int guardEntry(int dirFd, const char* name, bool folder);
// Guards a child process: the handler sends it SIGTERM and waits up to 2 s for it to end.
int guardProcess(pid_t pid);
// Ends a guard: what it named was committed or undone by the run itself. -1 is ignored.
void releaseGuard(int guard);

// Holds the ending signals back while it lives: making a thing and guarding it are one step.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t before_;
};

}  // namespace stills
