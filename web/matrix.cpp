#include "web/matrix.h"

#include <cmath>

#include "model/crank_kinematics.h"         // kPi

namespace {

double& at(Mat4& m, int row, int column) { return m.m[column * 4 + row]; }
double at(const Mat4& m, int row, int column) { return m.m[column * 4 + row]; }

void normalise(double v[3])
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0) return;
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

void cross(const double a[3], const double b[3], double out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

Mat4 perspective(double fovYDeg, double aspect, double zNear, double zFar)
{
    const double f = 1.0 / std::tan(fovYDeg * kPi / 360.0);
    Mat4 m{};
    at(m, 0, 0) = f / aspect;
    at(m, 1, 1) = f;
    at(m, 2, 2) = (zFar + zNear) / (zNear - zFar);
    at(m, 2, 3) = 2.0 * zFar * zNear / (zNear - zFar);
    at(m, 3, 2) = -1.0;
    return m;
}

Mat4 lookAt(const double eye[3], const double centre[3], const double up[3])
{
    double forward[3] = {centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]};
    normalise(forward);
    double side[3];
    cross(forward, up, side);
    normalise(side);
    double upward[3];
    cross(side, forward, upward);
    Mat4 m = identityMatrix();
    for (int c = 0; c < 3; ++c) {
        at(m, 0, c) = side[c];
        at(m, 1, c) = upward[c];
        at(m, 2, c) = -forward[c];
    }
    at(m, 0, 3) = -(side[0] * eye[0] + side[1] * eye[1] + side[2] * eye[2]);
    at(m, 1, 3) = -(upward[0] * eye[0] + upward[1] * eye[1] + upward[2] * eye[2]);
    at(m, 2, 3) = forward[0] * eye[0] + forward[1] * eye[1] + forward[2] * eye[2];
    return m;
}

Mat4 scaling(double x, double y, double z)
{
    Mat4 m = identityMatrix();
    at(m, 0, 0) = x;
    at(m, 1, 1) = y;
    at(m, 2, 2) = z;
    return m;
}

void transform(const Mat4& m, const double in[4], double out[4])
{
    for (int r = 0; r < 4; ++r)
        out[r] = at(m, r, 0) * in[0] + at(m, r, 1) * in[1] + at(m, r, 2) * in[2] + at(m, r, 3) * in[3];
}

std::array<float, 9> normalMatrix(const Mat4& m)
{
    // The inverse transpose of the upper 3 x 3 is its cofactor matrix over the determinant.
    double a[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) a[r][c] = at(m, r, c);
    double cof[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cof[r][c] = a[r1][c1] * a[r2][c2] - a[r1][c2] * a[r2][c1];
        }
    const double det = a[0][0] * cof[0][0] + a[0][1] * cof[0][1] + a[0][2] * cof[0][2];
    std::array<float, 9> out{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) out[c * 3 + r] = static_cast<float>(det != 0.0 ? cof[r][c] / det : 0.0);
    return out;
}

std::array<float, 16> toFloats(const Mat4& m)
{
    std::array<float, 16> out{};
    for (int i = 0; i < 16; ++i) out[i] = static_cast<float>(m.m[i]);
    return out;
}
