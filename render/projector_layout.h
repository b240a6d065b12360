#pragma once
// Projector mode's screen, laid out for a room: a caption band along the bottom with the stroke
// title, the speed in its corner, the explanation wrapped to the width and the pause line; the
// engine framed to fill the space above it; the help as a panel over the engine. Every size of
// the mode is here, in pixels of the screen, as shares of its height: at 1920 x 1080 the title's
// capitals are 54 px high, the explanation's and the pause line's 32. Pure arithmetic, no GL.

#include <functional>
#include <string>
#include <vector>

#include "model/vec3.h"

// A rectangle in screen pixels, y upwards from the bottom edge as GL counts.
struct ScreenRect {
    double x, y, width, height;
};

struct ProjectorLayout {
    double width, height;                   // the screen, pixels
    double margin;                          // around the band's texts and the help panel
    double titleCap, bodyCap;               // capital heights: the title; explanation, pause, speed
    double titleBaseline;                   // the title's and the speed's, from the bottom
    double firstLineBaseline;               // the explanation's top line
    double linePitch;                       // between explanation lines
    double pauseBaseline;                   // the pause line, at the band's bottom left
    double bandTop;                         // the band covers y < bandTop
    ScreenRect engineArea;                  // above the band
    // The frame rate and the credit keep the window's corners, at the window's layout grown.
    double creditX, creditY, fpsX, fpsY;    // baseline starts, pixels
    double creditScale, fpsScale;           // times the bitmap font's size
    double labelScale;                      // the 3-D labels' growth, with the screen
};

// Stroke width for letters of a capital height: bold enough to read from afar.
double projectorStrokeWidth(double capHeightPx);

// The layout of a width x height screen whose explanations take explanationRows lines.
ProjectorLayout projectorLayout(int width, int height, int explanationRows);

// The widest the explanation's lines may be, pixels.
double explanationWidth(const ProjectorLayout& layout);

// Words of text (split at spaces) in lines no wider than maxWidth by widthOf, in order; a word
// wider than maxWidth alone has a line of its own.
std::vector<std::string> wrapWords(const std::string& text, double maxWidth,
                                   const std::function<double(const std::string&)>& widthOf);

// The help as a panel over the engine: the lines in one column, or two where one would make
// them smaller, at a uniform scale of their bitmap layout.
struct HelpPanel {
    ScreenRect box;                         // its background
    int columns;
    int linesPerColumn;
    double scale;                           // times the bitmap fonts' size
    double pitch;                           // between lines, pixels
    double columnWidth;                     // pixels, the gap included
    double firstBaseline;                   // the top line's, from the bottom
    double left;                            // the first column's text start
};
// lineWidths: each line's width in the bitmap font, pixels; capPx: the body font's capitals.
HelpPanel helpPanel(const ProjectorLayout& layout, const std::vector<double>& lineWidths, double capPx);

// The engine framed in the area above the band: a factor on the camera's zoom and a shift of the
// picture (normalised device units of the area), the orbit left as it is.
struct EngineFraming {
    double zoomFactor;
    double shiftX, shiftY;
};
// From the orbit camera (eye, target, world z up), its vertical field of view, the area's
// aspect (width / height) and the zoom at which the engine is to fill the area.
EngineFraming frameEngine(const Vec3& eye, const Vec3& lookAt, double fieldOfViewDeg, double aspect,
                          double zoom);
// Where a world point lands in the area's normalised device units, by the camera above with a
// zoom scale about the world origin; false behind the eye.
bool projectPoint(const Vec3& eye, const Vec3& lookAt, double fieldOfViewDeg, double aspect, double zoom,
                  const Vec3& point, double* ndcX, double* ndcY);
// The engine's extent, world model units: every part at every crank angle.
extern const Vec3 kEngineBoxLow, kEngineBoxHigh;
