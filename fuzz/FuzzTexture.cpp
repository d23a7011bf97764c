// Feeds arbitrary bytes to the BMP and PPM readers, as CTexture::LoadFile
// hands them a file, and checks that an accepted image is one OpenGL can be
// given: every byte glTexImage2D would read lies inside the pixel block.

#include "assets/Texture.h"
#include "glwnd/MessageService.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{

volatile unsigned g_sink;

// Reads the whole block the way the upload does (rows contiguous from row 0),
// so a block shorter than its size claims is an AddressSanitizer report.
void CheckImage(const CTexture& texture)
{
    const bool hasPixels = texture.m_width > 0 && texture.m_height > 0;
    if (hasPixels != static_cast<bool>(texture.m_rows))
        std::abort();
    if (!hasPixels)
        return;
    const std::size_t stride = CTexture::Stride(texture.m_width);
    const std::uint8_t* first = texture.m_rows[0];
    for (int i = 0; i < texture.m_height; ++i)
        if (texture.m_rows[i] != first + i * stride)
            std::abort();
    unsigned sum = 0;
    for (std::size_t i = 0; i < stride * texture.m_height; ++i)
        sum += first[i];
    g_sink = sum;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the reader, so each reader also meets files that
    // do not carry its own signature (LoadFile only ever seeks back to 0).
    std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1),
                          std::ios::binary);
    CTexture texture;
    const bool read = (data[0] & 1) != 0 ? texture.ReadPpm(in) : texture.ReadBmp(in);
    // A refused file leaves a fresh texture as it was: no image at all.
    if (!read && (texture.m_rows || texture.m_width != 0 || texture.m_height != 0))
        std::abort();
    CheckImage(texture);
    return 0;
}
