// Feeds arbitrary text to the board mesh reader, computes the normals as
// the scene does after loading, and draws the mesh through stand-in OpenGL
// entry points that read every array element they are handed, so drawing
// outside the mesh's arrays is an AddressSanitizer report.

#include "glwnd/MessageService.h"
#include "scene/SGMesh.h"

#include <GL/gl.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{

volatile double g_sink;

void Touch(const GLdouble* v, int count)
{
    double sum = 0;
    for (int i = 0; i < count; ++i)
        sum += v[i];
    g_sink = sum;
}

void Touch(const GLfloat* v, int count)
{
    double sum = 0;
    for (int i = 0; i < count; ++i)
        sum += v[i];
    g_sink = sum;
}

void CheckMesh(const CSGMesh& mesh)
{
    if (mesh.m_corners.size() % 3 != 0)
        std::abort();
    for (std::size_t i = 0; i < mesh.m_corners.size(); i += 3)
        if (!mesh.CornersInRange(i))
            std::abort();
}

// ComputeNormals promises one unit normal per vertex, whatever the input:
// a NaN here would blacken the lit board.
void CheckNormals(const CSGMesh& mesh)
{
    if (mesh.m_normals.size() != mesh.m_vertices.size())
        std::abort();
    for (const CSGVec4& n : mesh.m_normals)
        if (!(std::fabs(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z) - 1.0) < 1e-9))
            std::abort();
}

} // namespace

// The entry points CSGMesh::Render and the material code call; defined here
// they take the place of libGL's, and no rendering context is needed.
extern "C"
{
    void glGetMaterialfv(GLenum, GLenum pname, GLfloat* params)
    {
        const int count = pname == GL_SHININESS ? 1 : 4;
        for (int i = 0; i < count; ++i)
            params[i] = 0.5f;
    }
    void glMaterialfv(GLenum, GLenum pname, const GLfloat* params)
    {
        Touch(params, pname == GL_SHININESS ? 1 : 4);
    }
    void glNormal3dv(const GLdouble* v)
    {
        Touch(v, 3);
    }
    void glTexCoord2dv(const GLdouble* v)
    {
        Touch(v, 2);
    }
    void glVertex3dv(const GLdouble* v)
    {
        Touch(v, 3);
    }
    void glBegin(GLenum) {}
    void glEnd() {}
    void glPushName(GLuint) {}
    void glPopName() {}
    void glDisable(GLenum) {}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    CSGMesh mesh;
    mesh.LoadObj(in);
    CheckMesh(mesh);
    mesh.Render();
    mesh.ComputeNormals();
    CheckNormals(mesh);
    mesh.Render();
    return 0;
}
