#include "scene/SGNodeObject.h"

#include <GL/gl.h>

void CSGNodeObject::ApplyMaterial()
{
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, m_savedDiffuse);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, m_savedSpecular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, m_savedShininess);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m_diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m_specular);
    glMaterialfv(GL_FRONT, GL_SHININESS, m_shininess);
}

void CSGNodeObject::RestoreMaterial()
{
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m_savedDiffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m_savedSpecular);
    glMaterialfv(GL_FRONT, GL_SHININESS, m_savedShininess);
}
