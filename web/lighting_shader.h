#pragma once
// The shaders: OpenGL 1.1's fixed-function lighting per vertex (Gouraud) for the program's five
// lights and a part's front material, with the texture modulating the lit colour; or one flat
// colour, for the pick pass's group numbers and the lines drawn unlit.

#include <GLES3/gl3.h>

#include "model/material.h"
#include "web/matrix.h"

struct LightingShader {
    GLuint program = 0;
    GLint modelView = -1, projection = -1, normals = -1;
    GLint lit = -1, flatColour = -1, textured = -1, texture = -1;
    GLint ambient = -1, diffuse = -1, specular = -1, shininess = -1;
    GLint lights[5][9] = {};                // each light's fields, in the source's order
};

constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kNormalAttribute = 1;
constexpr GLuint kTexCoordAttribute = 2;

// Compiles and links; false (with the log on the console) when the context refuses.
bool buildLightingShader(LightingShader& shader);
// The five lights for a frame: camera is the model-view of the engine's frame (the look-at and
// the zoom), where the engine's lights are placed; light 0 is given in eye coordinates.
void sendLights(const LightingShader& shader, const Mat4& camera, bool viewerLightOn, bool sparkOn);
void sendMaterial(const LightingShader& shader, const Material& material);
void sendFlatColour(const LightingShader& shader, float red, float green, float blue, float alpha);
void sendTransforms(const LightingShader& shader, const Mat4& modelView, const Mat4& projection);
