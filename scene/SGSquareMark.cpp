#include "scene/SGSquareMark.h"

#include <GL/gl.h>

namespace
{
// A quad over [x0, x1] x [z0, z1] in y = 0, wound to face up.
void FlatQuad(double x0, double z0, double x1, double z1)
{
    glVertex3d(x0, 0, z0);
    glVertex3d(x0, 0, z1);
    glVertex3d(x1, 0, z1);
    glVertex3d(x1, 0, z0);
}
} // namespace

void CSGSquareMark::Render()
{
    GLfloat savedAmbient[4] = {}, savedDiffuse[4] = {}, savedEmission[4] = {};
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, savedAmbient);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, savedDiffuse);
    glGetMaterialfv(GL_FRONT, GL_EMISSION, savedEmission);
    const bool translucent = m_colour[3] < 1.0f;
    const GLboolean blending = glIsEnabled(GL_BLEND);

    // The colour is emitted, and the lit terms are black: the mark looks the
    // same from every side of the board. Lighting takes alpha from diffuse.
    const GLfloat unlit[4] = {0.0f, 0.0f, 0.0f, m_colour[3]};
    glMaterialfv(GL_FRONT, GL_AMBIENT, unlit);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, unlit);
    glMaterialfv(GL_FRONT, GL_EMISSION, m_colour);
    if (translucent)
    {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    const double o = m_outer;
    const double i = m_inner;
    glBegin(GL_QUADS);
    glNormal3d(0, 1, 0);
    if (i <= 0.0)
    {
        FlatQuad(-o, -o, o, o);
    }
    else
    {
        FlatQuad(-o, -o, -i, o); // the two sides along z, whole
        FlatQuad(i, -o, o, o);
        FlatQuad(-i, -o, i, -i); // the two ends between them
        FlatQuad(-i, i, i, o);
    }
    glEnd();

    if (translucent && !blending)
        glDisable(GL_BLEND);
    glMaterialfv(GL_FRONT, GL_EMISSION, savedEmission);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, savedDiffuse);
    glMaterialfv(GL_FRONT, GL_AMBIENT, savedAmbient);
}
