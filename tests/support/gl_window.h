#pragma once
// A real GLUT window for tests that need a GL context: opened once per test process at
// (0, 0), with pixel read-back and piglit-style probes that report what they saw.

#include <cstdint>
#include <string>
#include <vector>

namespace testgl {

// Opens the window (800 x 600 unless told otherwise) the first time, makes it current and
// waits until it is mapped. Later calls reuse it and resize it when asked for another size.
void openWindow(int width = 800, int height = 600);
int windowId();

// Runs GLUT's event loop once for each call, handing pending events (reshape, display) over.
void pumpEvents(int passes = 5);

struct Rgb {
    int r, g, b;
};

// Reads the back buffer (the frame being drawn, before the swap) after glFinish.
// x and y are GL window coordinates: origin at the bottom left.
Rgb readPixel(int x, int y);
std::vector<uint8_t> readBuffer(int width, int height);   // RGB rows, bottom row first

// True when the pixel is within tolerance of expected on each channel; otherwise adds a
// line to failures saying where, what was seen and what was expected.
bool probe(int x, int y, Rgb expected, int tolerance, std::string* failures, const char* what = "");

// Counts the pixels in the rectangle [x0, x1) x [y0, y1) (GL coordinates) whose three
// channels are all at least minLevel: white text shows up here.
int countBright(int x0, int y0, int x1, int y1, int minLevel = 200);

// Puts every field of the scene that the frame and the callbacks read back to the program's
// start values (camera, animation, switches, view mode, drags).
void resetToStartValues();

// The window at the given size with the scene objects built, the projection set by the reshape
// callback and the start values.
void openScene(int width = 800, int height = 600);

// Window coordinates (GL convention, y up) of a model point under the current matrices.
bool project(double x, double y, double z, double* wx, double* wy, double* wz = nullptr);

}  // namespace testgl
