#include "scene/SGSquareHint.h"

#include <GL/gl.h>

#include "scene/SGSelection.h"

void CSGSquareHint::Render()
{
    const double h = m_size * 0.5;
    const double mh = m_size * -0.5;
    const GLfloat colour[4] = {0.2f, 1.0f, 0.2f, 1.0f};
    GLfloat saved[4] = {};
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, saved);
    // Smoothing is put back as found: left on, it stays on for every later
    // frame, and Mesa's software renderer then holds over 100 MB more while
    // the camera turns over a board narrowed by a pane.
    const GLboolean smooth = glIsEnabled(GL_LINE_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glMaterialfv(GL_FRONT, GL_AMBIENT, colour);
    glLineWidth(1.0f);

    glBegin(GL_LINE_LOOP);
    glVertex3d(h, 0, mh);
    glVertex3d(h, 0, h);
    glVertex3d(mh, 0, h);
    glVertex3d(mh, 0, mh);
    glEnd();

    glBegin(GL_LINES);
    glVertex3d(h, 0, mh);
    glVertex3d(mh, 0, h);
    glVertex3d(h, 0, h);
    glVertex3d(mh, 0, mh);
    glEnd();

    glMaterialfv(GL_FRONT, GL_AMBIENT, saved);
    if (!smooth)
        glDisable(GL_LINE_SMOOTH);
}

void CSGSquareHint::Select(CSGSelection& selection)
{
    const double h = m_size * 0.5;
    const double mh = m_size * -0.5;
    const CSGVec4 corners[4] = {{h, 0, mh, 1}, {h, 0, h, 1}, {mh, 0, h, 1}, {mh, 0, mh, 1}};
    for (int i = 0; i < 4; ++i)
        selection.Line(corners[i], corners[(i + 1) % 4]);
    selection.Line(corners[0], corners[2]);
    selection.Line(corners[1], corners[3]);
}
