#pragma once
// One RGB image read from a BMP or binary PPM file, and the OpenGL texture
// object made from it on first use.

#include <GL/gl.h>

#include <cstdint>
#include <istream>
#include <memory>

// Pixels are kept exactly as glTexImage2D takes them with the default
// unpack alignment: blue, green, red bytes, bottom row first, each row
// padded to a multiple of 4 bytes. Owns the pixel block and the row table;
// the texture object, once made, lives as long as the rendering context.
class CTexture
{
public:
    CTexture();
    virtual ~CTexture();

    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    // Reads a BMP ("BM") or binary PPM ("P6") file, told apart by its first
    // two bytes, whatever its name. Reports a failure in a message box and
    // returns false; the image is then unchanged or empty.
    bool LoadFile(const char* filename);

    // Read a whole image from the stream's current position; on failure
    // report (where there is a text for it) and return false.
    bool ReadBmp(std::istream& in);
    bool ReadPpm(std::istream& in);

    // Makes room for width x height pixels (contents undefined); does
    // nothing when the size is already that. A width or height of 0 or less,
    // or a size past 16384 pixels a side or 256 MiB, leaves no image. Any
    // change drops the uploaded state.
    void SetSize(int width, int height);

    // The texture object holding this image, made and loaded on the first
    // call (a rendering context must be current). 0 while there is no image.
    // The upload hands the pixels over: m_rows is null afterwards, the size
    // stays, and SetSize makes room again for a new image.
    GLuint TexName();

    // Bytes per stored row: 3 per pixel, padded to a multiple of 4.
    static int Stride(int width) { return (3 * width + 3) / 4 * 4; }

    bool m_uploaded;
    GLuint m_texname;
    int m_height;
    int m_width;
    std::unique_ptr<std::uint8_t*[]> m_rows;

private:
    // Frees the image and forgets any texture object: the state after a
    // read that failed part-way.
    void Empty();

    std::unique_ptr<std::uint8_t[]> m_block;
};
