#pragma once
// The projection and viewing matrices as GLU builds them (column-major, column vectors, the
// model's Mat4 of model/placement.h), so that the page's transforms are the desktop program's,
// and what a shader needs of a matrix.

#include <array>

#include "model/placement.h"

Mat4 perspective(double fovYDeg, double aspect, double zNear, double zFar);    // gluPerspective
Mat4 lookAt(const double eye[3], const double centre[3], const double up[3]);    // gluLookAt
Mat4 scaling(double x, double y, double z);                                     // glScale

// m times the point (x, y, z, w), into out[4].
void transform(const Mat4& m, const double in[4], double out[4]);
// The upper 3 x 3 of m's inverse transpose, as floats for a shader: how normals turn.
std::array<float, 9> normalMatrix(const Mat4& m);
std::array<float, 16> toFloats(const Mat4& m);
