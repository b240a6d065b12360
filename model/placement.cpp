#include "model/placement.h"

#include <cmath>

#include "model/crank_kinematics.h"

Mat4 identityMatrix()
{
    Mat4 r{};
    for (int i = 0; i < 4; ++i) r.m[i * 4 + i] = 1.0;
    return r;
}

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[col * 4 + k];
            r.m[col * 4 + row] = sum;
        }
    return r;
}

Vec3 transformPoint(const Mat4& m, const Vec3& p)
{
    return {m.m[0] * p.x + m.m[4] * p.y + m.m[8] * p.z + m.m[12],
            m.m[1] * p.x + m.m[5] * p.y + m.m[9] * p.z + m.m[13],
            m.m[2] * p.x + m.m[6] * p.y + m.m[10] * p.z + m.m[14]};
}

Mat4 stepMatrix(const Step& step)
{
    Mat4 r = identityMatrix();
    switch (step.kind) {
    case StepKind::translate:
        for (int i = 0; i < 3; ++i) r.m[12 + i] = step.v[i];
        break;
    case StepKind::scale:
        for (int i = 0; i < 3; ++i) r.m[i * 4 + i] = step.v[i];
        break;
    case StepKind::rotate: {
        // A turn by the right-hand rule about the normalised axis, as glRotate defines it.
        double x = step.v[1], y = step.v[2], z = step.v[3];
        const double length = std::sqrt(x * x + y * y + z * z);
        if (length == 0.0) break;
        x /= length;
        y /= length;
        z /= length;
        const double a = step.v[0] * kPi / 180.0;
        const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
        const double rows[3][3] = {{x * x * t + c, x * y * t - z * s, x * z * t + y * s},
                                   {y * x * t + z * s, y * y * t + c, y * z * t - x * s},
                                   {z * x * t - y * s, z * y * t + x * s, z * z * t + c}};
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) r.m[col * 4 + row] = rows[row][col];
        break;
    }
    case StepKind::push:
    case StepKind::pop:
    case StepKind::shape:
        break;
    }
    return r;
}

std::vector<PlacedShape> placeShapes(const Steps& steps, const Mat4& start)
{
    std::vector<PlacedShape> placed;
    std::vector<Mat4> stack{start};
    for (const Step& step : steps) {
        switch (step.kind) {
        case StepKind::push: stack.push_back(stack.back()); break;
        case StepKind::pop:
            if (stack.size() > 1) stack.pop_back();
            break;
        case StepKind::shape: {
            Mat4 model = stack.back();
            if (step.shape.kind == ShapeKind::texturedCube) {
                const float s = step.shape.size;
                model = model * stepMatrix(scaleStep(s, s, s));
            }
            placed.push_back({step.shape, model});
            break;
        }
        default: stack.back() = stack.back() * stepMatrix(step); break;
        }
    }
    return placed;
}

Mat4 stepsMatrix(const Steps& steps, const Mat4& start)
{
    std::vector<Mat4> stack{start};
    for (const Step& step : steps) {
        if (step.kind == StepKind::push) stack.push_back(stack.back());
        else if (step.kind == StepKind::pop) { if (stack.size() > 1) stack.pop_back(); }
        else stack.back() = stack.back() * stepMatrix(step);
    }
    return stack.back();
}
