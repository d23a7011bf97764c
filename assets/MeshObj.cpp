// The reader half of CSGMesh: the OBJ subset of the board file and the
// smooth normals computed from it. Compiled into plaxen_assets; it uses only
// CSGMesh's fields and inline members, so assets needs no link to scene.

#include "assets/ArtPath.h"
#include "glwnd/MessageService.h"
#include "scene/SGMesh.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace
{

struct Vec3
{
    double x, y, z;
};

// Divides v by its largest component so that squares and cross products of
// huge or tiny coordinates neither overflow nor vanish. False when v has no
// direction: zero, or not finite.
bool ScaleDown(Vec3& v)
{
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
        return false;
    const double m = std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
    if (m == 0.0)
        return false;
    v = {v.x / m, v.y / m, v.z / m};
    return true;
}

// Scales v to unit length; false (v unusable) when it has no direction.
bool Normalise(Vec3& v)
{
    if (!ScaleDown(v))
        return false;
    const double len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    v = {v.x / len, v.y / len, v.z / len};
    return true;
}

// One corner "v/t/n": three integers with one non-blank separator between
// them, blanks allowed before each item. Indices are 1-based; 0 and negative
// (relative) ones are refused.
bool ReadCorner(std::istream& in, CSGMesh::Corner& corner)
{
    std::int32_t v = 0;
    std::int32_t t = 0;
    std::int32_t n = 0;
    char separator = 0;
    if (!(in >> v >> separator >> t >> separator >> n))
        return false;
    if (v < 1 || t < 1 || n < 1)
        return false;
    corner = {v - 1, n - 1, t - 1};
    return true;
}

bool Inside(std::int32_t index, const std::vector<CSGVec4>& array)
{
    return index >= 0 && static_cast<std::size_t>(index) < array.size();
}

} // namespace

void CSGMesh::LoadObj()
{
    std::ifstream file(ArtPath("board.obj"));
    if (!file)
    {
        AfxMessageBox("File not found", MB_OK);
        return;
    }
    LoadObj(file);
}

void CSGMesh::LoadObj(std::istream& in)
{
    const std::size_t firstNewCorner = m_corners.size();
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword))
            continue;
        if (keyword == "v" || keyword == "vn")
        {
            double x = 0;
            double y = 0;
            double z = 0;
            if (!(words >> x >> y >> z))
                continue;
            (keyword == "v" ? m_vertices : m_normals).push_back({x, y, z, 1.0});
        }
        else if (keyword == "vt")
        {
            double u = 0;
            double v = 0;
            if (!(words >> u >> v))
                continue;
            m_texcoords.push_back({u, v, 0.0, 1.0});
        }
        else if (keyword == "f")
        {
            // Only the first three corners count: no fan triangulation.
            Corner corners[3];
            if (ReadCorner(words, corners[0]) && ReadCorner(words, corners[1]) &&
                ReadCorner(words, corners[2]))
                m_corners.insert(m_corners.end(), corners, corners + 3);
        }
    }

    // Indices are checked once everything is read, so a face may name a
    // vertex listed after it. A face pointing outside an array is dropped
    // (texture indices only count when there are texture coordinates, as in
    // drawing).
    std::size_t kept = firstNewCorner;
    for (std::size_t i = firstNewCorner; i + 3 <= m_corners.size(); i += 3)
    {
        if (!CornersInRange(i))
            continue;
        std::copy(m_corners.begin() + i, m_corners.begin() + i + 3, m_corners.begin() + kept);
        kept += 3;
    }
    m_corners.resize(kept);
}

void CSGMesh::ComputeNormals()
{
    m_normals.assign(m_vertices.size(), CSGVec4{0.0, 0.0, 0.0, 0.0});
    for (std::size_t i = 0; i + 3 <= m_corners.size(); i += 3)
    {
        const std::int32_t idx[3] = {m_corners[i].vertex, m_corners[i + 1].vertex,
                                     m_corners[i + 2].vertex};
        if (!Inside(idx[0], m_vertices) || !Inside(idx[1], m_vertices) ||
            !Inside(idx[2], m_vertices))
            continue;
        const CSGVec4& p0 = m_vertices[idx[0]];
        const CSGVec4& p1 = m_vertices[idx[1]];
        const CSGVec4& p2 = m_vertices[idx[2]];
        Vec3 a{p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
        Vec3 b{p2.x - p0.x, p2.y - p0.y, p2.z - p0.z};
        if (!ScaleDown(a) || !ScaleDown(b))
            continue;
        Vec3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        // A zero-area triangle has no direction and adds nothing.
        if (!Normalise(n))
            continue;
        for (std::int32_t k : idx)
        {
            m_normals[k].x += n.x;
            m_normals[k].y += n.y;
            m_normals[k].z += n.z;
        }
    }
    for (CSGVec4& normal : m_normals)
    {
        Vec3 n{normal.x, normal.y, normal.z};
        // Unused vertices, and those whose faces cancel out, point up: the
        // board's up, so lighting stays plausible.
        if (!Normalise(n))
            n = {0.0, 1.0, 0.0};
        normal = {n.x, n.y, n.z, 0.0};
    }
}
