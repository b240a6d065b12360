#include "tools/stills/pictures/print_style.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "app/startup.h"
#include "interaction/camera.h"
#include "model/cycle.h"
#include "render/gas_volume.h"
#include "render/display.h"

namespace stills {

namespace {

// The paper's camera: radians and model units, as the orbit camera takes them.
constexpr double kPaperAzimuth = -1.72;     // a little from the left of straight in front (-y)
constexpr double kPaperElevation = 0.80;    // well above: into the open cylinder and passages
constexpr double kFrameMargin = 0.04;       // of the picture's size, around the engine

// Lighting for paper: a white light from the viewer and a strong ambient, so that every face
// shows its own colour and its form without dark sides. Colours red, green, blue, alpha.
constexpr GLfloat kHeadlightDirection[4] = {0.0f, 0.3f, 1.0f, 0.0f};     // eye coordinates
constexpr GLfloat kHeadlightColour[4] = {0.75f, 0.75f, 0.75f, 1.0f};
constexpr GLfloat kNoLight[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr GLfloat kPaperAmbient[4] = {0.45f, 0.45f, 0.45f, 1.0f};
constexpr GLenum kScreenLights[] = {GL_LIGHT1, GL_LIGHT2, GL_LIGHT3, GL_LIGHT4};

// Composition, bytes 0 to 255. A fill keeps a share of its lit darkness: little for the parts,
// more for the valves, which the eye must find first.
constexpr double kFillInk = 0.30;
constexpr double kValveInk = 0.75;
constexpr double kGhostOpacity = 0.55;      // the block over what lies behind it
constexpr double kGasStrength = 3.0;        // the gas pass's brightness to the tint's share
constexpr double kGasOpacity = 0.75;        // the tint's share where the gas is densest
constexpr unsigned char kGasTint[3] = {240, 170, 80};
constexpr unsigned char kPartLine = 30;     // outlines of the moving parts and valves
constexpr unsigned char kBlockLine = 110;   // outlines of the block: lighter, it stands behind
constexpr int kColourJump = 60;             // a colour step this large between neighbours is an edge
constexpr double kDepthJump = 0.04;         // eye units between neighbours: an edge
constexpr int kPixelsPerLineWidth = 400;    // an outline is 2 pixels wide per 400 of the width

enum Layer : unsigned char { kNothing, kValves, kCrank };

unsigned char lighten(unsigned char c, double ink) { return static_cast<unsigned char>(255 - (255 - c) * ink + 0.5); }

unsigned char mix(unsigned char under, unsigned char over, double share)
{
    return static_cast<unsigned char>(under + (over - under) * share + 0.5);
}

// Distance from the eye along its axis, from a window depth under the frame's perspective (the
// framing scales x and y only).
double eyeDistance(float depth)
{
    return kNearPlane * kFarPlane / (kFarPlane - depth * (kFarPlane - kNearPlane));
}

bool empty(const PassImage& pass, size_t i) { return pass.depth[i] >= 1.0f; }

// The valves and the crank train as one layer: at each pixel the nearer of the two.
struct PartLayer {
    std::vector<Layer> which;
    const PassImage* source[3];
    const unsigned char* rgb(size_t i) const { return &source[which[i]]->rgb[i * 3]; }
    float depth(size_t i) const { return which[i] == kNothing ? 1.0f : source[which[i]]->depth[i]; }
};

PartLayer partLayer(const PrintPasses& p)
{
    PartLayer layer{std::vector<Layer>(p.valves.depth.size(), kNothing), {&p.valves, &p.valves, &p.crank}};
    for (size_t i = 0; i < layer.which.size(); ++i) {
        if (!empty(p.valves, i) && p.valves.depth[i] <= p.crank.depth[i]) layer.which[i] = kValves;
        else if (!empty(p.crank, i)) layer.which[i] = kCrank;
    }
    return layer;
}

// Pixels on an edge: where one thing meets another or nothing, where the depth jumps, or where
// two differently coloured parts of one layer meet. Both pixels of a pair are marked.
template <typename Differ>
std::vector<bool> edges(int w, int h, Differ differ)
{
    std::vector<bool> edge(static_cast<size_t>(w) * h, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            if (x + 1 < w && differ(i, i + 1)) edge[i] = edge[i + 1] = true;
            if (y + 1 < h && differ(i, i + w)) edge[i] = edge[i + w] = true;
        }
    return edge;
}

bool depthJumps(float a, float b) { return std::abs(eyeDistance(a) - eyeDistance(b)) > kDepthJump; }

// The edges grown to the outline's width for a picture this wide.
std::vector<bool> thickened(const std::vector<bool>& edge, int w, int h)
{
    const int grow = std::max(0, (w + kPixelsPerLineWidth / 2) / kPixelsPerLineWidth - 2);
    if (grow == 0) return edge;
    std::vector<bool> out(edge.size(), false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!edge[static_cast<size_t>(y) * w + x]) continue;
            for (int py = std::max(0, y - grow); py <= std::min(h - 1, y + grow); ++py)
                for (int px = std::max(0, x - grow); px <= std::min(w - 1, x + grow); ++px)
                    out[static_cast<size_t>(py) * w + px] = true;
        }
    return out;
}

// Under the identity model-view: the light in eye coordinates. Then the camera.
void placePaperLightAndCamera()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, kHeadlightDirection);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kHeadlightColour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kNoLight);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kNoLight);
    applyCamera();
}

void drawGroupPass(ViewMode group)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
        drawPartGroup(group, group == VIEW_BLOCK && scene.texturesOn);
    glPopMatrix();
}

// How the frame's perspective is scaled and moved across the window so that the block, with
// both valves at their fullest lift, fills the picture but for a margin.
struct Framing {
    int width = 0, height = 0;              // the picture, pixels
    Vec3 eye{0, 0, 0};
    double zoom = 0.0;
    double scale = 1.0;
    double centreX = 0.0, centreY = 0.0;    // the engine's middle, normalised device coordinates
};

// Measured by drawing the block and the valves' extremes under the frame's own projection.
Framing measureFraming(int width, int height)
{
    Framing f;
    f.width = width;
    f.height = height;
    f.eye = scene.eye;
    f.zoom = scene.zoom;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    applyProjection();
    placePaperLightAndCamera();
    const double angle = scene.crankAngle;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawPartGroup(VIEW_BLOCK, false);
    for (int stroke : {1, kStrokeCount}) {
        scene.crankAngle = tellingAngleDeg(stroke);
        drawPartGroup(VIEW_VALVES, false);
    }
    scene.crankAngle = angle;
    PassImage extent;
    int x0 = width, y0 = height, x1 = -1, y1 = -1;          // GL pixels, y up
    if (readPass(width, height, false, true, &extent))
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (!empty(extent, static_cast<size_t>(y) * width + x)) {
                    x0 = std::min(x0, x), x1 = std::max(x1, x);
                    y0 = std::min(y0, height - 1 - y), y1 = std::max(y1, height - 1 - y);
                }
    if (x1 >= x0 && y1 >= y0) {
        f.scale = std::min((1 - 2 * kFrameMargin) * width / (x1 - x0 + 1),
                           (1 - 2 * kFrameMargin) * height / (y1 - y0 + 1));
        f.centreX = (x0 + x1 + 1.0) / width - 1;
        f.centreY = (y0 + y1 + 1.0) / height - 1;
    }
    return f;
}

// The framed projection, the same for every crank angle of one size and camera: measured once
// for them, not for every frame of an animation.
void setFramedProjection(int width, int height)
{
    static Framing framing;
    const bool sameView = framing.width == width && framing.height == height && framing.zoom == scene.zoom &&
                          framing.eye.x == scene.eye.x && framing.eye.y == scene.eye.y && framing.eye.z == scene.eye.z;
    if (!sameView) framing = measureFraming(width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScaled(framing.scale, framing.scale, 1.0);
    glTranslated(-framing.centreX, -framing.centreY, 0.0);
    applyProjection();
}

}  // namespace

bool PictureProjection::project(const Vec3& point, double* x, double* y) const
{
    double wx = 0, wy = 0, wz = 0;
    if (gluProject(point.x, point.y, point.z, modelView, projection, viewport, &wx, &wy, &wz) != GL_TRUE) return false;
    *x = wx - viewport[0];
    *y = viewport[3] - (wy - viewport[1]);
    return wz > 0.0 && wz < 1.0;
}

void usePaperCamera(SceneSettings* settings)
{
    settings->azimuth = kPaperAzimuth;
    settings->elevation = kPaperElevation;
    settings->eye = orbitEye(settings->azimuth, settings->elevation, settings->distance);
}

RgbImage composePrintPicture(const PrintPasses& p)
{
    const int w = p.valves.width, h = p.valves.height;
    const PartLayer parts = partLayer(p);
    const std::vector<bool> partLines = thickened(edges(w, h, [&](size_t a, size_t b) {
        if (parts.which[a] != parts.which[b]) return true;
        if (parts.which[a] == kNothing) return false;
        if (depthJumps(parts.depth(a), parts.depth(b))) return true;
        for (int c = 0; c < 3; ++c)
            if (std::abs(parts.rgb(a)[c] - parts.rgb(b)[c]) > kColourJump) return true;
        return false;
    }), w, h);
    const std::vector<bool> blockLines = thickened(edges(w, h, [&](size_t a, size_t b) {
        if (empty(p.block, a) != empty(p.block, b)) return true;
        return !empty(p.block, a) && depthJumps(p.block.depth[a], p.block.depth[b]);
    }), w, h);

    RgbImage out;
    out.width = w;
    out.height = h;
    out.rgb.assign(static_cast<size_t>(w) * h * 3, 255);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        unsigned char* o = &out.rgb[i * 3];
        if (parts.which[i] != kNothing) {
            const double ink = parts.which[i] == kValves ? kValveInk : kFillInk;
            for (int c = 0; c < 3; ++c) o[c] = lighten(parts.rgb(i)[c], ink);
        }
        const unsigned char* g = &p.gas.rgb[i * 3];
        const double gas = std::min(1.0, kGasStrength * std::max({g[0], g[1], g[2]}) / 255.0) * kGasOpacity;
        for (int c = 0; c < 3; ++c) o[c] = mix(o[c], kGasTint[c], gas);
        const bool blockInFront = !empty(p.block, i) && p.block.depth[i] < parts.depth(i);
        if (blockInFront)
            for (int c = 0; c < 3; ++c) o[c] = mix(o[c], lighten(p.block.rgb[i * 3 + c], kFillInk), kGhostOpacity);
        if (blockLines[i] && (blockInFront || parts.which[i] == kNothing))
            for (int c = 0; c < 3; ++c) o[c] = std::min(o[c], kBlockLine);
        if (partLines[i])
            for (int c = 0; c < 3; ++c) o[c] = blockInFront ? mix(kPartLine, o[c], kGhostOpacity) : kPartLine;
    }
    return out;
}

bool renderPrintFrame(int width, int height, RgbImage* image, PictureProjection* projection, PrintPasses* kept)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glDrawBuffer(GL_BACK);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    for (GLenum light : kScreenLights) glDisable(light);
    glEnable(GL_LIGHT0);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, kPaperAmbient);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    setFramedProjection(width, height);
    placePaperLightAndCamera();
    if (projection) {
        glGetDoublev(GL_MODELVIEW_MATRIX, projection->modelView);
        glGetDoublev(GL_PROJECTION_MATRIX, projection->projection);
        glGetIntegerv(GL_VIEWPORT, projection->viewport);
    }

    PrintPasses passes;
    drawGroupPass(VIEW_VALVES);
    bool ok = readPass(width, height, true, true, &passes.valves);
    drawGroupPass(VIEW_CRANK);
    ok = ok && readPass(width, height, true, true, &passes.crank);

    // The gas where the moving parts do not hide it; the block does not, it is a ghost.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    drawPartGroup(VIEW_VALVES, false);
    drawPartGroup(VIEW_CRANK, false);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (scene.showGas) {
        glPushMatrix();
            scene.gas->draw(static_cast<float>(scene.crankAngle));
        glPopMatrix();
    }
    ok = ok && readPass(width, height, true, false, &passes.gas);

    if (scene.showBlock) {
        drawGroupPass(VIEW_BLOCK);
        ok = ok && readPass(width, height, true, true, &passes.block);
    } else {
        passes.block.width = width;
        passes.block.height = height;
        passes.block.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
        passes.block.depth.assign(static_cast<size_t>(width) * height, 1.0f);
    }

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    if (ok) *image = composePrintPicture(passes);
    if (ok && kept) *kept = std::move(passes);
    return ok;
}

bool readPass(int width, int height, bool withColour, bool withDepth, PassImage* pass)
{
    glFinish();
    std::vector<unsigned char> rgb(withColour ? static_cast<size_t>(width) * height * 3 : 0);
    std::vector<float> depth(withDepth ? static_cast<size_t>(width) * height : 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    if (withColour) glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (withDepth) glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    if (glGetError() != GL_NO_ERROR) return false;
    // GL counts rows from the bottom, pictures from the top.
    pass->width = width;
    pass->height = height;
    pass->rgb.assign(rgb.size(), 0);
    pass->depth.assign(depth.size(), 1.0f);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        const size_t from = static_cast<size_t>(height - 1 - y), to = static_cast<size_t>(y);
        if (withColour) std::copy_n(&rgb[from * rowBytes], rowBytes, &pass->rgb[to * rowBytes]);
        if (withDepth) std::copy_n(&depth[from * width], width, &pass->depth[to * width]);
    }
    return true;
}

}  // namespace stills
