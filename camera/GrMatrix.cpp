#include "camera/GrMatrix.h"

#include <cmath>

CGrMatrix::CGrMatrix() : m_e{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}} {}

CGrMatrix CGrMatrix::Identity()
{
    return CGrMatrix();
}

CGrMatrix CGrMatrix::RotateX(double degrees)
{
    const double c = std::cos(degrees * DegreesToRadians);
    const double s = std::sin(degrees * DegreesToRadians);
    CGrMatrix m;
    m.m_e[1][1] = c;
    m.m_e[1][2] = -s;
    m.m_e[2][1] = s;
    m.m_e[2][2] = c;
    return m;
}

CGrMatrix CGrMatrix::RotateY(double degrees)
{
    const double c = std::cos(degrees * DegreesToRadians);
    const double s = std::sin(degrees * DegreesToRadians);
    CGrMatrix m;
    m.m_e[0][0] = c;
    m.m_e[0][2] = s;
    m.m_e[2][0] = -s;
    m.m_e[2][2] = c;
    return m;
}

CGrMatrix CGrMatrix::RotateZ(double degrees)
{
    const double c = std::cos(degrees * DegreesToRadians);
    const double s = std::sin(degrees * DegreesToRadians);
    CGrMatrix m;
    m.m_e[0][0] = c;
    m.m_e[0][1] = -s;
    m.m_e[1][0] = s;
    m.m_e[1][1] = c;
    return m;
}

CGrMatrix CGrMatrix::Translate(double x, double y, double z)
{
    CGrMatrix m;
    m.m_e[0][3] = x;
    m.m_e[1][3] = y;
    m.m_e[2][3] = z;
    return m;
}

CGrMatrix CGrMatrix::Translate(const GrVec3& offset)
{
    return Translate(offset[0], offset[1], offset[2]);
}

CGrMatrix CGrMatrix::About(const GrVec3& centre, const CGrMatrix& transform)
{
    return Translate(centre) * transform * Translate(-centre[0], -centre[1], -centre[2]);
}

CGrMatrix CGrMatrix::operator*(const CGrMatrix& right) const
{
    CGrMatrix product;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += m_e[r][k] * right.m_e[k][c];
            product.m_e[r][c] = sum;
        }
    return product;
}

GrVec3 CGrMatrix::Apply(const GrVec3& point) const
{
    GrVec3 result;
    for (int r = 0; r < 3; ++r)
        result[r] = m_e[r][0] * point[0] + m_e[r][1] * point[1] + m_e[r][2] * point[2] + m_e[r][3];
    return result;
}
