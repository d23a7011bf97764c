#include "assets/Texture.h"

#include "glwnd/MessageService.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace
{

// OpenGL 1.1 names the blue-green-red order only as an extension.
constexpr GLenum kBgrExt = 0x80E0;

// Limits that keep a corrupt or hostile header from allocating gigabytes.
constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxBlockBytes = std::int64_t{256} * 1024 * 1024;

// The info header must at least hold the fields we read; anything past this
// many bytes (header plus colour table) is skipped, not kept.
constexpr std::uint32_t kMinInfoSize = 40;
constexpr std::uint32_t kMaxInfoSize = 4096;
constexpr std::uint32_t kMaxColours = 256;
constexpr std::uint32_t kFileHeaderSize = 14;

std::uint32_t U32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

std::int32_t S32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(U32(p));
}

std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool SizeAcceptable(int width, int height)
{
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    return std::int64_t{CTexture::Stride(width)} * height <= kMaxBlockBytes;
}

// Reads exactly `count` bytes; false if the stream ends first.
bool ReadExactly(std::istream& in, void* to, std::streamsize count)
{
    in.read(static_cast<char*>(to), count);
    return in.gcount() == count;
}

// One PPM header number, with any '#' comment lines before it skipped whole.
bool ReadPpmNumber(std::istream& in, int& value)
{
    char c = 0;
    if (!(in >> c))
        return false;
    while (c == '#')
    {
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        if (!(in >> c))
            return false;
    }
    in.unget();
    return static_cast<bool>(in >> value);
}

// Reads one file row of a BMP into one stored row (blue, green, red).
// False when the depth is not one we read, the stream ends, or an 8-bit
// index lies past the colour table (that last case is reported).
bool ReadBmpRow(std::istream& in, int bitCount, int width, const std::uint8_t* colours,
                std::uint32_t colourCount, std::uint8_t* buffer, std::uint8_t* to)
{
    switch (bitCount)
    {
    case 8:
        if (!ReadExactly(in, buffer, (width + 3) / 4 * 4))
            return false;
        for (int x = 0; x < width; ++x)
        {
            if (buffer[x] >= colourCount)
            {
                // Such an index names no colour: refuse the file rather than
                // paint with whatever follows the table.
                AfxMessageBox("Unsupported file type", MB_OK);
                return false;
            }
            std::memcpy(to + 3 * x, colours + 4 * buffer[x], 3);
        }
        return true;
    case 24:
        if (!ReadExactly(in, buffer, CTexture::Stride(width)))
            return false;
        std::memcpy(to, buffer, 3 * static_cast<std::size_t>(width));
        return true;
    case 32:
        if (!ReadExactly(in, buffer, 4 * static_cast<std::streamsize>(width)))
            return false;
        for (int x = 0; x < width; ++x)
            std::memcpy(to + 3 * x, buffer + 4 * x, 3);
        return true;
    default:
        return false;
    }
}

} // namespace

CTexture::CTexture() : m_uploaded(false), m_texname(0), m_height(0), m_width(0) {}

CTexture::~CTexture()
{
    m_block.reset();
    m_rows.reset();
}

bool CTexture::LoadFile(const char* filename)
{
    std::ifstream file(filename, std::ios::binary);
    if (!file)
    {
        AfxMessageBox(std::string("Unable to open image file: ") + filename, MB_OK);
        return false;
    }

    char head[20];
    if (!ReadExactly(file, head, sizeof head))
    {
        AfxMessageBox(std::string("Unsupported texture file type: ") + filename, MB_OK);
        return false;
    }
    file.seekg(0);

    if (head[0] == 'B' && head[1] == 'M')
        return ReadBmp(file);
    if (head[0] == 'P' && head[1] == '6')
        return ReadPpm(file);
    AfxMessageBox(std::string("Unsupported texture file type: ") + filename, MB_OK);
    return false;
}

bool CTexture::ReadBmp(std::istream& in)
{
    std::uint8_t fileHeader[kFileHeaderSize];
    if (!ReadExactly(in, fileHeader, sizeof fileHeader))
    {
        AfxMessageBox("Unsupported image file type", MB_OK);
        return false;
    }
    if (U16(fileHeader) != 0x4D42)
    {
        AfxMessageBox("Note a BMP file", MB_OK);
        return false;
    }

    // Everything between the file header and the pixel rows: the info
    // header, the colour table and any gap. Only the part that can matter
    // is kept; a lying offset in a short file still fails as a short read.
    const std::uint32_t offBits = U32(fileHeader + 10);
    if (offBits < kFileHeaderSize + kMinInfoSize)
    {
        AfxMessageBox("Unsupported file type", MB_OK);
        return false;
    }
    const std::uint32_t blockSize = offBits - kFileHeaderSize;
    const std::uint32_t keptSize = std::min(blockSize, kMaxInfoSize + 4 * kMaxColours);
    std::vector<std::uint8_t> block(keptSize);
    const std::streamsize skipped = std::streamsize{blockSize} - keptSize;
    if (!ReadExactly(in, block.data(), keptSize) ||
        (skipped > 0 && in.ignore(skipped).gcount() != skipped))
    {
        AfxMessageBox("Premature end of file in image file", MB_OK);
        return false;
    }

    const std::uint32_t infoSize = U32(&block[0]);
    const std::int32_t width = S32(&block[4]);
    const std::int32_t height = S32(&block[8]);
    const std::uint16_t bitCount = U16(&block[14]);
    const std::uint32_t compression = U32(&block[16]);
    // A 12-byte core header keeps its sizes in 16 bits: reading it as an
    // info header would invent an image, so it is refused with the others.
    if (height < 0 || width < 0 || compression != 0 || infoSize < kMinInfoSize ||
        infoSize > kMaxInfoSize || infoSize > blockSize || !SizeAcceptable(width, height))
    {
        AfxMessageBox("Unsupported file type", MB_OK);
        return false;
    }

    SetSize(width, height);
    if (!m_rows)
        return true;

    const std::uint8_t* colours = block.data() + infoSize;
    const std::uint32_t colourCount = std::min((keptSize - infoSize) / 4, kMaxColours);
    std::vector<std::uint8_t> row(4 * static_cast<std::size_t>(width));
    for (int i = 0; i < height; ++i)
    {
        if (!ReadBmpRow(in, bitCount, width, colours, colourCount, row.data(), m_rows[i]))
        {
            Empty();
            return false;
        }
    }
    return true;
}

bool CTexture::ReadPpm(std::istream& in)
{
    char p = 0;
    char six = 0;
    if (!(in >> p >> six) || p != 'P' || six != '6')
    {
        AfxMessageBox("Invalid file type!", MB_OK);
        return false;
    }

    int width = 0;
    int height = 0;
    int maxValue = 0;
    if (!ReadPpmNumber(in, width) || !ReadPpmNumber(in, height) || !ReadPpmNumber(in, maxValue) ||
        maxValue < 1 || maxValue > 255 || !SizeAcceptable(width, height))
    {
        // Samples are taken as single bytes, so a wider range cannot be read.
        AfxMessageBox("Unsupported file type", MB_OK);
        return false;
    }
    in.get(); // the one blank that ends the header

    SetSize(width, height);
    if (!m_rows)
        return true;

    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(width));
    for (int i = height - 1; i >= 0; --i)
    {
        // A file that ends early leaves no half-filled image behind.
        if (!ReadExactly(in, row.data(), static_cast<std::streamsize>(row.size())))
        {
            Empty();
            return false;
        }
        std::uint8_t* to = m_rows[i];
        for (int x = 0; x < width; ++x)
        {
            to[3 * x + 0] = row[3 * x + 2];
            to[3 * x + 1] = row[3 * x + 1];
            to[3 * x + 2] = row[3 * x + 0];
        }
    }
    return true;
}

void CTexture::SetSize(int width, int height)
{
    // Same size and still holding its pixels (or none to hold): nothing to do.
    // After an upload the pixels are gone, and writing needs them back.
    if (width == m_width && height == m_height &&
        (m_rows || !SizeAcceptable(width, height) || width <= 0 || height <= 0))
        return;

    m_block.reset();
    m_rows.reset();
    m_height = height;
    m_width = width;
    m_uploaded = false;
    if (width <= 0 || height <= 0 || !SizeAcceptable(width, height))
        return;

    const std::size_t stride = Stride(width);
    m_block = std::make_unique_for_overwrite<std::uint8_t[]>(stride * height);
    m_rows = std::make_unique<std::uint8_t*[]>(height);
    for (int i = 0; i < height; ++i)
        m_rows[i] = m_block.get() + i * stride;
}

GLuint CTexture::TexName()
{
    if (m_uploaded)
        return m_texname;
    if (!m_rows)
        return 0;

    glGenTextures(1, &m_texname);
    glBindTexture(GL_TEXTURE_2D, m_texname);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Rows are padded to 4 bytes, the default unpack alignment, so the block
    // goes to OpenGL as it is.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, m_width, m_height, 0, kBgrExt, GL_UNSIGNED_BYTE,
                 m_rows[0]);
    m_uploaded = true;
    // OpenGL keeps its own copy for as long as the context lives, and the
    // context outlives every texture of its window: ours would only sit in
    // memory from here on.
    m_block.reset();
    m_rows.reset();
    return m_texname;
}

void CTexture::Empty()
{
    m_block.reset();
    m_rows.reset();
    m_width = 0;
    m_height = 0;
    m_uploaded = false;
}
