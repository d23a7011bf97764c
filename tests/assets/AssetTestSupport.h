#pragma once
// Helpers for the asset tests: image files built byte by byte, a temporary
// folder, and a recorder for message boxes.

#include "glwnd/MessageService.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace assettest
{

inline void PutLe(std::string& to, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to += static_cast<char>(value >> (8 * i) & 0xFF);
}

// Everything a test may want to vary in a BMP header.
struct BmpLayout
{
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t infoSize = 40;
    std::uint32_t compression = 0;
    std::string table{};       // colour table bytes, right after the info header
    std::int64_t offBits = -1; // -1: 14 + infoSize + table size, the honest value
};

// File header, an info header padded to `infoSize` with 0x5A bytes (so a
// table read from the wrong place gives wrong colours), the table, `rows`.
inline std::string Bmp(const BmpLayout& layout, const std::string& rows)
{
    std::string bytes = "BM";
    const std::uint32_t offBits =
        layout.offBits >= 0
            ? static_cast<std::uint32_t>(layout.offBits)
            : 14 + layout.infoSize + static_cast<std::uint32_t>(layout.table.size());
    PutLe(bytes, offBits + static_cast<std::uint32_t>(rows.size()), 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, offBits, 4);
    PutLe(bytes, layout.infoSize, 4);
    PutLe(bytes, static_cast<std::uint32_t>(layout.width), 4);
    PutLe(bytes, static_cast<std::uint32_t>(layout.height), 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, layout.bits, 2);
    PutLe(bytes, layout.compression, 4);
    bytes.append(20, '\0'); // image size, resolutions, colours used and important
    if (layout.infoSize > 40)
        bytes.append(layout.infoSize - 40, '\x5A');
    return bytes + layout.table + rows;
}

// A 24-bit BMP of the given rows (each already padded as the file wants).
inline std::string Bmp24(int width, int height, const std::string& rows)
{
    return Bmp({.width = width, .height = height}, rows);
}

// A folder of its own under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plaxen-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = (m_path / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Records the text of every message box while it lives.
class MessageLog
{
public:
    MessageLog()
        : m_previous(SetMessageBoxHandler(
              [this](const std::string& text, const std::string&, unsigned type)
              {
                  texts.push_back(text);
                  types.push_back(type);
              }))
    {
    }
    ~MessageLog() { SetMessageBoxHandler(m_previous); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<std::string> texts;
    std::vector<unsigned> types;

private:
    MessageBoxHandler m_previous;
};

} // namespace assettest
