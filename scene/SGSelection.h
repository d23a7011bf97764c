#pragma once
// Selection-mode picking done on the CPU, as OpenGL defines it: every
// primitive is transformed by the current matrices, clipped to the view
// volume (for picking, the few pixels of the pick matrix) and, where
// anything is left, counted as a hit of the name stack, with the least and
// greatest window depth of what was left. Hit records go into a buffer laid
// out as glSelectBuffer's: name count, zmin, zmax (depth scaled to
// 0..2^32-1), then the names.
//
// Debian 12's Mesa keeps some memory for every vertex sent in GL_SELECT
// mode and never gives it back, so the game picks here instead, sending the
// driver nothing. Scene nodes feed it through CSGNode::Select, which mirrors
// their Render call for call.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/SGVec4.h"

class CSGSelection
{
public:
    // A 4 x 4 matrix in OpenGL's order: column after column.
    using Matrix = std::array<double, 16>;

    // `projection` and `modelview` are the matrices in force as selection
    // starts; `viewport` is x, y, width, height; depth range 0..1. With
    // `cullBackFaces` polygons whose window corners run clockwise (GL_CCW
    // front faces, GL_BACK culled) make no hits.
    CSGSelection(const Matrix& projection, const Matrix& modelview,
                 const std::array<int, 4>& viewport, std::size_t bufferSize, bool cullBackFaces);

    // The model-view stack, as glPushMatrix, glPopMatrix, glTranslated and
    // glRotated change it. A pop of the last matrix is ignored.
    void PushMatrix();
    void PopMatrix();
    void Translate(double x, double y, double z);
    void Rotate(double degrees, double x, double y, double z);

    // The name stack: each change first writes the record of any hit since
    // the last change, as in GL.
    void InitNames();
    void PushName(std::uint32_t name);
    void PopName();

    // One convex polygon, a triangle or a line segment; points are (x, y, z)
    // with w = 1, as glVertex3d takes them.
    void Polygon(const CSGVec4* points, std::size_t count);
    void Line(const CSGVec4& from, const CSGVec4& to);

    // Ends selection as glRenderMode(GL_RENDER) does: writes the last
    // record and returns the number of records, or -1 when they did not
    // all fit in the buffer.
    int Finish();
    // The buffer of records, bufferSize entries (unused ones are 0).
    const std::vector<std::uint32_t>& Buffer() const { return m_buffer; }

    // What GLU multiplies onto the current matrix, computed the same way:
    // gluPerspective, gluLookAt and gluPickMatrix.
    static Matrix Perspective(double fovyDegrees, double aspect, double zNear, double zFar);
    static Matrix LookAt(const double (&eye)[3], const double (&center)[3], const double (&up)[3]);
    static Matrix PickRegion(double x, double y, double width, double height,
                             const std::array<int, 4>& viewport);
    static Matrix Identity();
    // a x b: b is applied first.
    static Matrix Multiply(const Matrix& a, const Matrix& b);

private:
    using Clip = std::array<double, 4>; // x, y, z, w in clip space

    Clip ToClip(const CSGVec4& point) const;
    // Clips the polygon in place against -w <= x, y, z <= w.
    void ClipPolygon(std::vector<Clip>& polygon);
    void Hit(const std::vector<Clip>& clipped);
    void WriteRecord();

    Matrix m_projection;
    std::vector<Matrix> m_modelview; // the stack; back() is current
    std::array<int, 4> m_viewport;
    bool m_cullBackFaces;

    std::vector<std::uint32_t> m_names;
    bool m_hit = false;
    double m_minDepth = 1.0;
    double m_maxDepth = 0.0;

    std::vector<std::uint32_t> m_buffer;
    std::size_t m_used = 0;
    int m_records = 0;
    bool m_overflow = false;

    std::vector<Clip> m_scratch; // reused, so a pick pass allocates almost nothing
    std::vector<Clip> m_spare;
};
