#pragma once

#include <array>

// A point or direction in world space.
using GrVec3 = std::array<double, 3>;

// A 4 x 4 transform of doubles, row-major (m_e[row][column]), acting on
// column vectors (x, y, z, 1): in A * B, B is applied first.
class CGrMatrix
{
public:
    // Degrees to radians, pi / 180.
    static constexpr double DegreesToRadians = 0.017453292519943295;

    // Starts as the identity.
    CGrMatrix();

    static CGrMatrix Identity();
    // Right-handed rotations about the coordinate axes, angles in degrees.
    static CGrMatrix RotateX(double degrees);
    static CGrMatrix RotateY(double degrees);
    static CGrMatrix RotateZ(double degrees);
    static CGrMatrix Translate(double x, double y, double z);
    static CGrMatrix Translate(const GrVec3& offset);
    // `transform` applied about `centre` instead of the origin: T(c) x M x T(-c).
    static CGrMatrix About(const GrVec3& centre, const CGrMatrix& transform);

    CGrMatrix operator*(const CGrMatrix& right) const;
    // Transforms `point` as (x, y, z, 1); the fourth row is taken to be (0, 0, 0, 1).
    GrVec3 Apply(const GrVec3& point) const;

    double m_e[4][4];
};
