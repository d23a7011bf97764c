#include "assets/Texture.h"

// Placeholder bodies so the library links while the readers are written.
CTexture::CTexture() : m_uploaded(false), m_texname(0), m_height(0), m_width(0) {}
CTexture::~CTexture() = default;
bool CTexture::LoadFile(const char*)
{
    return false;
}
bool CTexture::ReadBmp(std::istream&)
{
    return false;
}
bool CTexture::ReadPpm(std::istream&)
{
    return false;
}
void CTexture::SetSize(int, int) {}
GLuint CTexture::TexName()
{
    return 0;
}
