#pragma once
// The page's WebGL 2 drawing of one frame's batches, as the desktop program draws its lists:
// the singled-out group filled, the others as wireframe (the block's both faces, the other
// groups' front faces, their insides filled), the gas added last; and the pick pass, which
// finds the group under a pixel with the desktop's order of precedence.

#include <GLES3/gl3.h>

#include <vector>

#include "controls/view_state.h"
#include "web/frame_geometry.h"
#include "web/lighting_shader.h"

struct Renderer {
    LightingShader shader;
    GLuint vertexArray = 0, vertexBuffer = 0, indexBuffer = 0;
    GLuint texture = 0;                     // 0 when the image could not be read
    GLuint pickFramebuffer = 0, pickColour = 0;
    int pickWidth = 0, pickHeight = 0;
    bool backFacesAsLines = false;          // OpenGL's last both-faces polygon mode, carried over
};

// Every GL object, from nothing: at start and after a lost context comes back.
bool createRenderer(Renderer& r);

// The camera's model-view (look-at and zoom) and the projection for a width x height canvas.
Mat4 cameraMatrix(const ViewState& state);
Mat4 projectionMatrix(int width, int height);

void drawEngine(Renderer& r, const ViewState& state, const std::vector<Batch>& batches, int width, int height);
// The group drawn at canvas pixel (x, y), y downwards, or VIEW_ENGINE where there is none.
ViewMode pickGroup(Renderer& r, const ViewState& state, const std::vector<Batch>& batches, int width,
                   int height, int x, int y);
