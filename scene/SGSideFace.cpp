#include "scene/SGSideFace.h"

#include "scene/SGPolygon.h"

#include <cmath>

void AddSGSideFace(std::vector<CSGPtr>& faces, double r, double h, double s, double a,
                   const CSGVec4 (&t)[4])
{
    auto* face = new CSGPolygon;
    CSGPtr hold(face);
    const double m = s * 0.5 + a;
    const double b = a + s;
    const double ca = std::cos(a);
    const double sa = std::sin(a);
    const double cb = std::cos(b);
    const double sb = std::sin(b);
    face->m_normals.push_back({std::cos(m), std::sin(m), 0.0, 1.0});
    face->m_vertices.reserve(4);
    face->m_texcoords.reserve(4);
    face->m_texcoords.push_back(t[0]);
    face->m_vertices.push_back({r * ca, r * sa, 0.0});
    face->m_texcoords.push_back(t[1]);
    face->m_vertices.push_back({r * cb, r * sb, 0.0});
    face->m_texcoords.push_back(t[2]);
    face->m_vertices.push_back({r * cb, r * sb, h});
    face->m_texcoords.push_back(t[3]);
    face->m_vertices.push_back({r * ca, r * sa, h});
    faces.push_back(std::move(hold));
}
