#include "scene/SGSelection.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
// Window depths 0..1 become 0..2^32-1 in a hit record.
constexpr double kDepthScale = 4294967295.0;
constexpr std::size_t kRecordHeader = 3; // name count, zmin, zmax

double& At(CSGSelection::Matrix& m, int row, int col)
{
    return m[col * 4 + row];
}

CSGSelection::Matrix Translation(double x, double y, double z)
{
    CSGSelection::Matrix m = CSGSelection::Identity();
    At(m, 0, 3) = x;
    At(m, 1, 3) = y;
    At(m, 2, 3) = z;
    return m;
}
} // namespace

CSGSelection::CSGSelection(const Matrix& projection, const Matrix& modelview,
                           const std::array<int, 4>& viewport, std::size_t bufferSize,
                           bool cullBackFaces)
    : m_projection(projection), m_modelview{modelview}, m_viewport(viewport),
      m_cullBackFaces(cullBackFaces), m_buffer(bufferSize, 0)
{
    m_modelview.reserve(16);
}

CSGSelection::Matrix CSGSelection::Identity()
{
    Matrix m{};
    m[0] = m[5] = m[10] = m[15] = 1.0;
    return m;
}

CSGSelection::Matrix CSGSelection::Multiply(const Matrix& a, const Matrix& b)
{
    Matrix m{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
        {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[col * 4 + k];
            m[col * 4 + row] = sum;
        }
    return m;
}

CSGSelection::Matrix CSGSelection::Perspective(double fovyDegrees, double aspect, double zNear,
                                               double zFar)
{
    const double radians = fovyDegrees / 2.0 * kPi / 180.0;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    Matrix m = Identity();
    // GLU leaves the matrix alone rather than divide by zero.
    if (deltaZ == 0.0 || sine == 0.0 || aspect == 0.0)
        return m;
    const double cotangent = std::cos(radians) / sine;
    At(m, 0, 0) = cotangent / aspect;
    At(m, 1, 1) = cotangent;
    At(m, 2, 2) = -(zFar + zNear) / deltaZ;
    At(m, 3, 2) = -1.0;
    At(m, 2, 3) = -2.0 * zNear * zFar / deltaZ;
    At(m, 3, 3) = 0.0;
    return m;
}

CSGSelection::Matrix CSGSelection::LookAt(const double (&eye)[3], const double (&center)[3],
                                          const double (&up)[3])
{
    auto normalize = [](double(&v)[3])
    {
        const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (length == 0.0)
            return;
        for (double& x : v)
            x /= length;
    };
    auto cross = [](const double(&a)[3], const double(&b)[3], double(&out)[3])
    {
        out[0] = a[1] * b[2] - a[2] * b[1];
        out[1] = a[2] * b[0] - a[0] * b[2];
        out[2] = a[0] * b[1] - a[1] * b[0];
    };
    double forward[3] = {center[0] - eye[0], center[1] - eye[1], center[2] - eye[2]};
    normalize(forward);
    double side[3];
    cross(forward, up, side);
    normalize(side);
    double upright[3];
    cross(side, forward, upright);

    Matrix m = Identity();
    for (int i = 0; i < 3; ++i)
    {
        At(m, 0, i) = side[i];
        At(m, 1, i) = upright[i];
        At(m, 2, i) = -forward[i];
    }
    return Multiply(m, Translation(-eye[0], -eye[1], -eye[2]));
}

CSGSelection::Matrix CSGSelection::PickRegion(double x, double y, double width, double height,
                                              const std::array<int, 4>& viewport)
{
    if (width <= 0.0 || height <= 0.0)
        return Identity();
    Matrix scale = Identity();
    At(scale, 0, 0) = viewport[2] / width;
    At(scale, 1, 1) = viewport[3] / height;
    return Multiply(Translation((viewport[2] - 2.0 * (x - viewport[0])) / width,
                                (viewport[3] - 2.0 * (y - viewport[1])) / height, 0.0),
                    scale);
}

void CSGSelection::PushMatrix()
{
    m_modelview.push_back(m_modelview.back());
}

void CSGSelection::PopMatrix()
{
    if (m_modelview.size() > 1)
        m_modelview.pop_back();
}

void CSGSelection::Translate(double x, double y, double z)
{
    m_modelview.back() = Multiply(m_modelview.back(), Translation(x, y, z));
}

void CSGSelection::Rotate(double degrees, double x, double y, double z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0))
        return; // no axis: GL leaves the matrix as it is
    x /= length;
    y /= length;
    z /= length;
    const double radians = degrees * kPi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double t = 1.0 - c;
    Matrix r = Identity();
    At(r, 0, 0) = x * x * t + c;
    At(r, 0, 1) = x * y * t - z * s;
    At(r, 0, 2) = x * z * t + y * s;
    At(r, 1, 0) = y * x * t + z * s;
    At(r, 1, 1) = y * y * t + c;
    At(r, 1, 2) = y * z * t - x * s;
    At(r, 2, 0) = x * z * t - y * s;
    At(r, 2, 1) = y * z * t + x * s;
    At(r, 2, 2) = z * z * t + c;
    m_modelview.back() = Multiply(m_modelview.back(), r);
}

void CSGSelection::InitNames()
{
    WriteRecord();
    m_names.clear();
}

void CSGSelection::PushName(std::uint32_t name)
{
    WriteRecord();
    m_names.push_back(name);
}

void CSGSelection::PopName()
{
    WriteRecord();
    if (!m_names.empty())
        m_names.pop_back();
}

CSGSelection::Clip CSGSelection::ToClip(const CSGVec4& point) const
{
    const Matrix& mv = m_modelview.back();
    double eye[4];
    for (int row = 0; row < 4; ++row)
        eye[row] = mv[row] * point.x + mv[4 + row] * point.y + mv[8 + row] * point.z + mv[12 + row];
    Clip clip;
    for (int row = 0; row < 4; ++row)
        clip[row] = m_projection[row] * eye[0] + m_projection[4 + row] * eye[1] +
                    m_projection[8 + row] * eye[2] + m_projection[12 + row] * eye[3];
    return clip;
}

void CSGSelection::ClipPolygon(std::vector<Clip>& polygon)
{
    // Inside each of the six planes: w + x, w - x, w + y, w - y, w + z, w - z >= 0.
    std::vector<Clip>& kept = m_spare;
    for (int plane = 0; plane < 6 && !polygon.empty(); ++plane)
    {
        const int axis = plane / 2;
        const double sign = plane % 2 == 0 ? 1.0 : -1.0;
        auto distance = [&](const Clip& p) { return p[3] + sign * p[axis]; };
        kept.clear();
        for (std::size_t i = 0; i < polygon.size(); ++i)
        {
            const Clip& a = polygon[i];
            const Clip& b = polygon[(i + 1) % polygon.size()];
            const double da = distance(a);
            const double db = distance(b);
            if (da >= 0.0)
                kept.push_back(a);
            if ((da >= 0.0) != (db >= 0.0))
            {
                const double t = da / (da - db);
                Clip cut;
                for (int k = 0; k < 4; ++k)
                    cut[k] = a[k] + t * (b[k] - a[k]);
                kept.push_back(cut);
            }
        }
        polygon.swap(kept);
    }
}

void CSGSelection::Polygon(const CSGVec4* points, std::size_t count)
{
    if (count < 3)
        return; // GL draws nothing for a polygon of fewer corners
    m_scratch.clear();
    for (std::size_t i = 0; i < count; ++i)
        m_scratch.push_back(ToClip(points[i]));
    ClipPolygon(m_scratch);
    if (m_scratch.size() < 3)
        return;
    if (m_cullBackFaces)
    {
        // Twice the signed area in normalised device x, y; the viewport
        // scales both axes by positive factors, so the sign is the window's.
        double area = 0.0;
        for (std::size_t i = 0; i < m_scratch.size(); ++i)
        {
            const Clip& a = m_scratch[i];
            const Clip& b = m_scratch[(i + 1) % m_scratch.size()];
            area += a[0] / a[3] * (b[1] / b[3]) - b[0] / b[3] * (a[1] / a[3]);
        }
        if (!(area > 0.0))
            return; // clockwise or flat: a back face
    }
    Hit(m_scratch);
}

void CSGSelection::Line(const CSGVec4& from, const CSGVec4& to)
{
    // A segment is a two-corner polygon to the clipper: the cut keeps the
    // part inside, and a segment wholly outside leaves nothing.
    m_scratch.clear();
    m_scratch.push_back(ToClip(from));
    m_scratch.push_back(ToClip(to));
    ClipPolygon(m_scratch);
    Hit(m_scratch);
}

void CSGSelection::Hit(const std::vector<Clip>& clipped)
{
    if (clipped.empty())
        return;
    m_hit = true;
    for (const Clip& p : clipped)
    {
        const double depth = std::clamp(p[2] / p[3] * 0.5 + 0.5, 0.0, 1.0);
        m_minDepth = std::min(m_minDepth, depth);
        m_maxDepth = std::max(m_maxDepth, depth);
    }
}

void CSGSelection::WriteRecord()
{
    if (!m_hit)
        return;
    const std::size_t size = kRecordHeader + m_names.size();
    if (m_used + size > m_buffer.size())
        m_overflow = true;
    else
    {
        m_buffer[m_used] = static_cast<std::uint32_t>(m_names.size());
        m_buffer[m_used + 1] = static_cast<std::uint32_t>(m_minDepth * kDepthScale);
        m_buffer[m_used + 2] = static_cast<std::uint32_t>(m_maxDepth * kDepthScale);
        std::copy(m_names.begin(), m_names.end(), m_buffer.begin() + m_used + kRecordHeader);
        m_used += size;
        ++m_records;
    }
    m_hit = false;
    m_minDepth = 1.0;
    m_maxDepth = 0.0;
}

int CSGSelection::Finish()
{
    WriteRecord();
    return m_overflow ? -1 : m_records;
}
