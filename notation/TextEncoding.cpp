#include "notation/TextEncoding.h"

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size())
    {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int more = 0;
        char32_t point = 0;
        char32_t least = 0; // the smallest code point that needs this many bytes
        if (lead < 0x80)
        {
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0)
            more = 1, point = lead & 0x1F, least = 0x80;
        else if ((lead & 0xF0) == 0xE0)
            more = 2, point = lead & 0x0F, least = 0x800;
        else if ((lead & 0xF8) == 0xF0)
            more = 3, point = lead & 0x07, least = 0x10000;
        else
            return false; // a continuation byte with no lead, or 0xF8 and up
        if (bytes.size() - i <= static_cast<std::size_t>(more))
            return false;
        for (int k = 1; k <= more; ++k)
        {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            point = (point << 6) | (next & 0x3F);
        }
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

std::string Utf8OrLatin1(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            text += c;
        else
        {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}
