#pragma once
// The engine drawn for paper: a white ground, every part a light fill with a dark outline, the
// valves darker so that they are found at once, the gas a light tint, the block a pale ghost
// through which the valves and the piston show, and no text, so that a grey photocopy still
// shows where the piston stands and which valve is open. The program's own parts are drawn at
// the scene's crank angle in passes (valves, crank train, gas, block), read back, and put
// together by a pure function.

#include <vector>

#include "app/scene_state.h"
#include "tools/stills/output/output_file.h"

namespace stills {

// One pass read back: colours and depths, rows top first; a depth of 1 is the empty far plane.
struct PassImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;         // 3 bytes a pixel
    std::vector<float> depth;               // window depth, 0 near to 1 far
};

struct PrintPasses {
    PassImage valves;                       // each lit for paper, on black
    PassImage crank;                        // crankshaft, rod and piston
    PassImage gas;                          // the gas alone, behind the parts that hide it
    PassImage block;                        // the casing and the spark plug
};

// The back buffer read back after glFinish, its colours and (or) its depths; false when GL
// reported an error.
bool readPass(int width, int height, bool withColour, bool withDepth, PassImage* pass);

// The picture for paper from the passes, all of one size.
RgbImage composePrintPicture(const PrintPasses& passes);

// Where model points land in a picture: the matrices and viewport it was drawn with.
struct PictureProjection {
    double modelView[16] = {};
    double projection[16] = {};
    int viewport[4] = {};
    // Pixels from the picture's top-left corner; false when the point cannot be projected.
    bool project(const Vec3& point, double* x, double* y) const;
};

// The paper's camera: from the front and above, the cylinder lying from left to right with the
// head on the right, the intake side at the back and the exhaust side in front.
void usePaperCamera(SceneSettings* settings);

// Draws the passes of the scene as it stands (crank angle, switches, camera) into the current
// window's back buffer, width x height pixels, the engine block filling the picture, and
// composes them; *projection (when given) says where model points landed, *passes (when given)
// keeps the passes, where each part can be found by itself. Leaves the GL state and matrices as
// it found them.
bool renderPrintFrame(int width, int height, RgbImage* image, PictureProjection* projection = nullptr,
                      PrintPasses* passes = nullptr);

}  // namespace stills
