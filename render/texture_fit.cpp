#include "render/texture_fit.h"

bool rendererHoldsTexture(GLint internalFormat, GLenum format, int width, int height)
{
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, nullptr);
    GLint held = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &held);
    return held != 0;
}
