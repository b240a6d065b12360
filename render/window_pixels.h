#pragma once
// Window pixels as the frame for flat drawing over the picture: the projection becomes the
// orthographic box given (in pixels, depth from nearZ to farZ), the modelview the identity; both
// are pushed, and popWindowPixels gives the frame's own back with the modelview current.

#include <GL/gl.h>

void pushWindowPixels(double left, double right, double bottom, double top, double nearZ, double farZ);
void popWindowPixels();
