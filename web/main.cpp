// Tarvex in the browser: the model's engine drawn with WebGL 2, its texts in HTML over the
// canvas, run by the same controls and clock as the desktop program.

#include <emscripten.h>
#include <emscripten/html5.h>

#include <vector>

#include "controls/animation_step.h"
#include "tools/stills/texts/printed_texts.h"
#include "web/engine_parts.h"
#include "web/input.h"
#include "web/page_buttons.h"
#include "web/page_layout.h"
#include "web/page_text.h"
#include "web/renderer.h"

namespace {

ViewState gState;
Renderer gRenderer;
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE gContext = 0;
std::vector<Batch> gBatches;                // the frame last drawn, which a click picks in
int gWidth = 0, gHeight = 0;                // the canvas, pixels

double readClockMs() { return emscripten_get_now(); }

// The moment the first engine is drawn, on the page's own timeline, for measuring start-up.
EM_JS(void, markFirstFrame, (), { performance.mark("tarvex-first-frame"); });
bool gFirstFrameDrawn = false;

// The canvas's drawing buffer follows its size on the page, pixel for pixel.
void fitCanvas()
{
    double cssWidth = 0.0, cssHeight = 0.0;
    emscripten_get_element_css_size("#canvas", &cssWidth, &cssHeight);
    const int width = static_cast<int>(cssWidth), height = static_cast<int>(cssHeight);
    if (width != gWidth || height != gHeight) emscripten_set_canvas_element_size("#canvas", width, height);
    gWidth = width;
    gHeight = height;
}

ViewMode pickAt(int x, int y)
{
    if (emscripten_is_webgl_context_lost(gContext)) return gState.viewMode;
    return pickGroup(gRenderer, gState, gBatches, gWidth, gHeight, x, y);
}

EM_BOOL onFrame(double, void*)
{
    stepAnimation(gState, readClockMs);
    updateTexts(gState);
    updatePageButtons(gState);
    if (emscripten_is_webgl_context_lost(gContext)) return EM_TRUE;
    fitCanvas();
    gBatches = engineBatches(gState.crankAngle);
    drawEngine(gRenderer, gState, gBatches, gWidth, gHeight);
    placeLabels(gState, projectionMatrix(gWidth, gHeight) * cameraMatrix(gState), gWidth, gHeight);
    if (!gFirstFrameDrawn) markFirstFrame();
    gFirstFrameDrawn = true;
    return EM_TRUE;
}

// The browser may take the context away (a driver reset, too many pages); cancelling the
// default lets it come back, and every GL object is then made anew.
EM_BOOL onContextLost(int, const void*, void*)
{
    showMessage(stills::kContextLost);
    return EM_TRUE;
}

EM_BOOL onContextRestored(int, const void*, void*)
{
    emscripten_webgl_make_context_current(gContext);
    createRenderer(gRenderer);
    showMessage(nullptr);
    return EM_TRUE;
}

}  // namespace

int main()
{
    writeFixedTexts();
    addPageButtons(gState);
    followLayout(gState);
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = EM_FALSE;            // the clear colour is the picture's, not the page's
    attributes.antialias = EM_FALSE;        // the desktop's aliased edges
    attributes.depth = EM_TRUE;
    gContext = emscripten_webgl_create_context("#canvas", &attributes);
    if (gContext <= 0) {
        showMessage(stills::kNoWebGl2);
        return 0;
    }
    emscripten_webgl_make_context_current(gContext);
    createRenderer(gRenderer);
    emscripten_set_webglcontextlost_callback("#canvas", nullptr, EM_FALSE, onContextLost);
    emscripten_set_webglcontextrestored_callback("#canvas", nullptr, EM_FALSE, onContextRestored);
    listenToInput(gState, pickAt);
    gState.lastFrameTime = readClockMs();
    emscripten_request_animation_frame_loop(onFrame, nullptr);
    return 0;
}
