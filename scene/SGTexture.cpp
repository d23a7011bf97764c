#include "scene/SGTexture.h"

#include <GL/gl.h>

void CSGTexture::Render()
{
    glEnable(GL_TEXTURE_2D);
    // Texel colour times the lit surface colour.
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_MODULATE));
    const GLuint name = m_image.TexName();
    glBindTexture(GL_TEXTURE_2D, name);
}
