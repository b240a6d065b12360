#pragma once
// Steps evaluated into matrices, as OpenGL 1.1's matrix stack would hold them: for a renderer
// that draws each shape with one model matrix. Column-major 4 x 4, model units; pure.

#include <vector>

#include "model/part_recipe.h"
#include "model/vec3.h"

struct Mat4 {
    double m[16];                           // column-major: m[column * 4 + row]
};

Mat4 identityMatrix();
Mat4 operator*(const Mat4& a, const Mat4& b);
Vec3 transformPoint(const Mat4& m, const Vec3& p);
Mat4 stepMatrix(const Step& step);          // identity for push, pop and shapes

struct PlacedShape {
    Shape shape;
    Mat4 model;                             // shape frame to the frame the steps start in,
                                            // the textured cube's scale included
};

// Every shape the steps draw with the matrix it is drawn with; start is the matrix before the
// first step. Pushes and pops nest as OpenGL's do; an unmatched pop is ignored.
std::vector<PlacedShape> placeShapes(const Steps& steps, const Mat4& start);
// The matrix the steps leave, for a placement made of moves and turns only.
Mat4 stepsMatrix(const Steps& steps, const Mat4& start);
