#pragma once
// Whether the renderer can hold a texture, asked with a proxy texture before any image is
// handed over: OpenGL 1.1 only promises 64 texels a side.

#include <GL/gl.h>

// True when a level-0 2-D texture of width x height texels in internalFormat, sent as format
// bytes, would be accepted.
bool rendererHoldsTexture(GLint internalFormat, GLenum format, int width, int height);
