#include "web/page_layout.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "controls/commands.h"

namespace {

ViewState* gState = nullptr;
const char* gLayout = nullptr;
bool gWideShowsHelp = true;                 // the help as the wide layout had it, given back to it

constexpr double kCompactWidth = 600.0;     // CSS px: a phone held upright, or a small tablet
constexpr unsigned char kHelpKey = 'a';

EM_JS(int, fullScreenNow, (), { return document.fullscreenElement ? 1 : 0; });

// Outside a click the browser refuses full screen; the page then stays as it is.
EM_JS(void, switchFullScreen, (), {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
});

EM_JS(double, windowWidth, (), { return window.innerWidth; });

EM_JS(void, setLayout, (const char* name), { document.body.dataset.layout = UTF8ToString(name); });

void chooseLayout()
{
    const char* layout = isFullScreen() ? "projector" : windowWidth() <= kCompactWidth ? "compact" : "wide";
    const bool entered = gLayout == nullptr || std::strcmp(layout, gLayout) != 0;
    const bool wide = std::strcmp(layout, "wide") == 0;
    const bool wasWide = gLayout == nullptr || std::strcmp(gLayout, "wide") == 0;
    if (entered) setLayout(layout);
    // The projector and the phone hide the help until asked for; back in the window it is as
    // it was there, as the program's F11 gives it back.
    if (entered && !wide && wasWide) {
        gWideShowsHelp = gState->showHelp;
        if (gState->showHelp) applyKey(*gState, kHelpKey);
    }
    if (entered && wide && !wasWide && gState->showHelp != gWideShowsHelp) applyKey(*gState, kHelpKey);
    gLayout = layout;
}

EM_BOOL onFullScreenChange(int, const EmscriptenFullscreenChangeEvent*, void*)
{
    chooseLayout();
    return EM_FALSE;
}

EM_BOOL onResize(int, const EmscriptenUiEvent*, void*)
{
    chooseLayout();
    return EM_FALSE;
}

}  // namespace

bool isFullScreen() { return fullScreenNow() != 0; }

void toggleFullScreen() { switchFullScreen(); }

void followLayout(ViewState& state)
{
    gState = &state;
    chooseLayout();
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, onFullScreenChange);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onResize);
}
