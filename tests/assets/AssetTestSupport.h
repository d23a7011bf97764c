#pragma once
// BMP files built byte by byte for the asset tests.

#include <cstdint>
#include <string>

namespace assettest
{

struct BmpLayout
{
    std::int32_t width = 1, height = 1;
    std::uint16_t bits = 24;
    std::uint32_t infoSize = 40, compression = 0;
    std::string table{};       // colour table, right after the info header
    std::int64_t offBits = -1; // -1: where the rows really start
};

// The info header is padded to infoSize with 0x5A, so a table looked for in
// the wrong place gives wrong colours.
inline std::string Bmp(const BmpLayout& l, const std::string& rows)
{
    std::string b = "BM";
    auto le = [&b](std::uint32_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            b += static_cast<char>(v >> 8 * i & 0xFF);
    };
    const auto off =
        static_cast<std::uint32_t>(l.offBits >= 0 ? l.offBits : 14 + l.infoSize + l.table.size());
    le(off + static_cast<std::uint32_t>(rows.size()), 4), le(0, 4), le(off, 4);
    le(l.infoSize, 4), le(l.width, 4), le(l.height, 4), le(1, 2), le(l.bits, 2);
    le(l.compression, 4);
    b.append(20, '\0');
    b.append(l.infoSize > 40 ? l.infoSize - 40 : 0, '\x5A');
    return b + l.table + rows;
}

} // namespace assettest
