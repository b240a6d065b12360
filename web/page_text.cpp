#include "web/page_text.h"

#include <emscripten.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/cycle.h"
#include "tools/stills/texts/printed_texts.h"
#include "web/engine_parts.h"

using namespace stills;

namespace {

EM_JS(void, setPageText, (const char* id, const char* text), {
    document.getElementById(UTF8ToString(id)).textContent = UTF8ToString(text);
});

EM_JS(void, showPageElement, (const char* id, int shown), {
    document.getElementById(UTF8ToString(id)).style.display = shown ? "" : "none";
});

EM_JS(void, addHelpLine, (const char* text, int heading), {
    const line = document.createElement("div");
    line.textContent = UTF8ToString(text);
    if (heading) line.className = "heading";
    document.getElementById("help").appendChild(line);
});

EM_JS(void, setLabel, (int index, const char* text, double x, double y, int shown, int large), {
    const labels = document.getElementById("labels");
    while (labels.children.length <= index) labels.appendChild(document.createElement("div"));
    const label = labels.children[index];
    label.textContent = UTF8ToString(text);
    label.className = large ? "group" : "";
    label.style.display = shown ? "" : "none";
    label.style.left = x + "px";
    label.style.top = y + "px";
});

EM_JS(void, setDocumentTitle, (const char* text), { document.title = UTF8ToString(text); });

EM_JS(void, setPageState, (const char* name, const char* value), {
    document.body.dataset[UTF8ToString(name)] = UTF8ToString(value);
});

// What each text element last showed, so that the page is written only on a change.
struct Shown {
    std::string text;
    bool visible = true;
    bool written = false;
};

void show(Shown& last, const char* id, const std::string& text, bool visible)
{
    if (!last.written || last.text != text) setPageText(id, text.c_str());
    if (!last.written || last.visible != visible) showPageElement(id, visible ? 1 : 0);
    last = {text, visible, true};
}

Shown gTitle, gExplanation, gSpeed, gPause, gFps;
bool gHelpShown = true;                     // as the page starts
std::string gGroup, gAngle, gCamera;

}  // namespace

void writeFixedTexts()
{
    setDocumentTitle(kPageTitle);
    setPageText("credit", kCredit);
    for (const HelpLine& line : kHelpLines) addHelpLine(line.text, line.heading ? 1 : 0);
}

void updateTexts(const ViewState& s)
{
    const int stroke = strokeOf(s.crankAngle);
    show(gTitle, "title", printedStrokeTitle(stroke), true);
    show(gExplanation, "explanation", printedStrokeExplanation(stroke), s.showExplanations);
    show(gSpeed, "speed", filled(kSpeedLine, frenchNumber(s.speed, 1)), true);
    // The angle held, to a whole degree as the desktop's pause line gives it.
    show(gPause, "pause", filled(kPauseLine, filled(kDegrees, frenchNumber(std::round(s.crankAngle), 0))), s.paused);
    show(gFps, "fps", filled(kFrameRateLine, frenchNumber(s.fps, 0)), s.showFps);
    if (s.showHelp != gHelpShown) showPageElement("help", s.showHelp ? 1 : 0);
    gHelpShown = s.showHelp;
    // The singled-out group, the angle drawn and the camera (azimuth, elevation, zoom), for whoever drives the page.
    const std::string group = std::to_string(s.viewMode);
    if (group != gGroup) setPageState("group", group.c_str());
    gGroup = group;
    const std::string angle = std::to_string(s.crankAngle);
    if (angle != gAngle) setPageState("angle", angle.c_str());
    gAngle = angle;
    const std::string camera = std::to_string(s.azimuth) + " " + std::to_string(s.elevation) + " " + std::to_string(s.zoom);
    if (camera != gCamera) setPageState("camera", camera.c_str());
    gCamera = camera;
}

void placeLabels(const ViewState& s, const Mat4& mvp, int width, int height)
{
    const std::vector<PageLabel>& labels = engineLabels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const PageLabel& label = labels[i];
        const double anchor[4] = {label.anchor.x, label.anchor.y, label.anchor.z, 1.0};
        double clip[4];
        transform(mvp, anchor, clip);
        // Like a raster position, a label whose point falls outside the view volume is not drawn.
        bool inside = clip[3] > 0.0;
        for (int k = 0; k < 3 && inside; ++k) inside = std::fabs(clip[k]) <= clip[3];
        const bool shown = inside && s.showLabels && s.viewMode == label.group;
        const double x = (clip[0] / clip[3] + 1.0) / 2.0 * width;
        const double y = (1.0 - clip[1] / clip[3]) / 2.0 * height;
        setLabel(static_cast<int>(i), label.text, x, y, shown ? 1 : 0, label.large ? 1 : 0);
    }
}

void showMessage(const char* text)
{
    setPageText("message", text != nullptr ? text : "");
    showPageElement("message", text != nullptr ? 1 : 0);
}
