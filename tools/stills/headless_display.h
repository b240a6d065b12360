#pragma once
// An X display for the run: the user's when one can be opened, else a private Xvfb started for
// this run alone and stopped at its end.

struct _XDisplay;

namespace stills {

class HeadlessDisplay {
public:
    HeadlessDisplay() = default;
    ~HeadlessDisplay();                     // stops the private server, if one was started
    HeadlessDisplay(const HeadlessDisplay&) = delete;
    HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

    // Makes $DISPLAY name a display that opens; the private one has a screen of at least
    // width x height pixels. false (reported) when there is none and none can be started.
    bool ensure(int width, int height);

private:
    _XDisplay* probe_ = nullptr;            // the user's display, open for the run
    int server_ = -1;                       // process id of the private Xvfb
};

}  // namespace stills
