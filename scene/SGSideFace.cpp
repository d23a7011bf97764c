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
    face->m_normals.push_back({std::cos(m), std::sin(m), 0.0, 1.0});
    face->m_vertices.reserve(4);
    face->m_texcoords.reserve(4);
    face->m_texcoords.push_back(t[0]);
    face->m_vertices.push_back({r * std::cos(a), r * std::sin(a), 0.0});
    face->m_texcoords.push_back(t[1]);
    face->m_vertices.push_back({r * std::cos(b), r * std::sin(b), 0.0});
    face->m_texcoords.push_back(t[2]);
    face->m_vertices.push_back({r * std::cos(b), r * std::sin(b), h});
    face->m_texcoords.push_back(t[3]);
    face->m_vertices.push_back({r * std::cos(a), r * std::sin(a), h});
    faces.push_back(std::move(hold));
}
