#pragma once
// The room's background and the five lights as OpenGL 1.1's fixed function takes them: light 0 follows the viewer, light 1
// is the spark (lit only in the spark's window, model/cycle.h), lights 2 to 4 are tinted
// spotlights fixed to the engine. Colours as red, green, blue, alpha; places in model units;
// cones in degrees. Any renderer computes its lighting from these.

// The dark room the engine stands in: the colour every frame starts from.
constexpr float kClearColour[4] = {0.05f, 0.05f, 0.05f, 0.0f};   // near black

struct LightColours {
    float ambient[4];
    float diffuse[4];
    float specular[4];
};

// A spotlight fixed to the engine: where it stands and its cone.
struct Spotlight {
    float place[3];
    float direction[3];
    float cutoffDeg;
    float exponent;
    LightColours colours;
};

// Grey light 10 units above the eye, given in eye coordinates: it travels with the viewer.
constexpr float kViewerLightPosition[4] = {0.0f, 10.0f, 0.0f, 1.0f};
constexpr LightColours kViewerLight = {
    {0.4f, 0.4f, 0.4f, 0.3f}, {0.8f, 0.8f, 0.8f, 0.3f}, {0.3f, 0.3f, 0.3f, 0.01f}};

// White spark light in the combustion chamber, facing down the cylinder (-x). OpenGL refuses a
// cutoff of 100 degrees and keeps 180, so this is a point light; 180 is sent as such.
constexpr float kSparkPlace[3] = {6.8f, 0.0f, 0.0f};
constexpr LightColours kSparkLight = {
    {0.01f, 0.01f, 0.01f, 0.1f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}};
constexpr float kSparkDirection[3] = {-1.0f, 0.0f, 0.0f};
constexpr float kSparkCutoffDeg = 180.0f;
constexpr float kSparkExponent = 50.0f;
constexpr float kSparkQuadraticAttenuation = 0.3f;   // per squared eye-space unit

// Tinted spotlights fixed to the engine, lights 2, 3 and 4 in this order.
constexpr int kSpotlightCount = 3;
constexpr Spotlight kSpotlights[kSpotlightCount] = {
    {{12.0f, 6.0f, 3.0f}, {-0.3f, -0.8f, -0.5f}, 70.0f, 2.0f,
     {{0.5f, 0.2f, 0.3f, 0.6f}, {0.5f, 0.2f, 0.3f, 0.8f}, {0.2f, 0.1f, 0.2f, 0.01f}}},
    {{-1.0f, 0.0f, 2.5f}, {-1.0f, 0.0f, -0.35f}, 70.0f, 2.0f,
     {{0.3f, 0.3f, 0.5f, 0.4f}, {0.3f, 0.3f, 0.5f, 0.3f}, {0.2f, 0.2f, 0.3f, 0.01f}}},
    {{2.0f, -5.0f, -3.0f}, {-1.0f, 0.8f, 0.5f}, 90.0f, 2.0f,
     {{0.2f, 0.2f, 0.4f, 0.3f}, {0.2f, 0.2f, 0.4f, 0.4f}, {0.0f, 0.0f, 0.0f, 0.01f}}},
};

// The markers key r shows at the spotlights: three unlit lines from each one's place along the
// engine's axes, x red, y green, z blue.
constexpr float kLightMarkerLength = 1.0f;  // model units
constexpr float kLightMarkerColours[3][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};
