#pragma once
// Whether the renderer can hold a texture, asked with a proxy texture before any image is
// handed over: OpenGL 1.1 only promises 64 texels a side.

#include <GL/gl.h>

// True when a level-0 2-D texture of width x height texels in internalFormat, sent as format
// bytes, would be accepted.
bool rendererHoldsTexture(GLint internalFormat, GLenum format, int width, int height);

// A new texture object, left bound, of width x height texels in internalFormat from tightly
// packed format bytes, sampled at the nearest texel and clamped: each pixel of a text drawn at
// its own size takes exactly its own texel.
GLuint nearestTexture(GLint internalFormat, GLenum format, int width, int height, const GLubyte* pixels);
