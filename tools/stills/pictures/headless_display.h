#pragma once
// An X display for the run: the user's when one can be opened, else a private Xvfb started for
// this run alone and stopped at its end. The private one admits only clients that show the
// run's cookie, written in a folder of its own that only its owner may enter; it takes no TCP
// connections, and the cookie and its folder go when the run ends, also on an ending signal.

#include <string>

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
    bool writeCookie();                     // the folder and the cookie; false (reported)
    bool startServer(int width, int height);

    _XDisplay* probe_ = nullptr;            // the user's display, open for the run
    int server_ = -1;                       // process id of the private Xvfb
    int serverGuard_ = -1;
    int parentFd_ = -1;                     // the folder the private folder is made in
    std::string folder_;                    // the private folder's path
    int folderFd_ = -1;
    int folderGuard_ = -1;
    int cookieGuard_ = -1;
};

}  // namespace stills
