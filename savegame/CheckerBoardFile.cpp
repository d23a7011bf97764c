// The saved-game operations of CCheckerBoard: the 153-byte text file and
// its lenient reader. No window system here; the Load Game and Save Game
// commands live beside this file in the window-system part of the folder.

#include "rules/CheckerBoard.h"

#include "savegame/FileReplace.h"

#include <cctype>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

namespace
{
// Each board line ends with two carriage returns and a line feed: that is
// what the files this program has always written contain.
constexpr char kLineEnd[] = "\r\r\n";

enum class SideValue
{
    Missing, // no number where the side belongs: keep the current side
    Valid,
    Invalid,
};

// Reads an optionally signed decimal number after white space. A number of
// any size other than 0 or 1 is Invalid; anything that does not start a
// number is Missing. The rest of the stream is ignored.
SideValue ReadSide(std::istream& in, std::int32_t& side)
{
    in >> std::ws;
    std::string digits;
    bool negative = false;
    int next = in.peek();
    if (next == '+' || next == '-')
    {
        negative = next == '-';
        in.get();
        next = in.peek();
    }
    while (next != std::char_traits<char>::eof() && std::isdigit(next))
    {
        digits.push_back(static_cast<char>(in.get()));
        next = in.peek();
    }
    if (digits.empty())
        return SideValue::Missing;
    const auto first = digits.find_first_not_of('0');
    const std::string value = first == std::string::npos ? "0" : digits.substr(first);
    if (value == "0")
        side = CCheckerBoard::BlackSide;
    else if (value == "1" && !negative)
        side = CCheckerBoard::RedSide;
    else
        return SideValue::Invalid;
    return SideValue::Valid;
}

} // namespace

void CCheckerBoard::WriteGame(std::ostream& out) const
{
    for (int r = 7; r >= 0; --r)
    {
        for (int c = 0; c < 8; ++c)
            out << LetterOf(m_cells[8 * r + c]) << ' ';
        out << kLineEnd;
    }
    out << m_side;
}

bool CCheckerBoard::ReadGame(std::istream& in)
{
    CCheckerBoard scratch = *this;
    for (int r = 7; r >= 0; --r)
        for (int c = 0; c < 8; ++c)
        {
            char letter = 0;
            if (!(in >> std::ws).get(letter))
                return false;
            const std::int32_t code = CodeOf(letter);
            if (code < 0)
                return false;
            scratch.m_cells[8 * r + c] = code;
        }
    if (ReadSide(in, scratch.m_side) == SideValue::Invalid)
        return false;

    // Light squares are never played on; a dark square may hold anything,
    // "X" included (a dead square no piece can enter).
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if ((r - c) % 2 != 0 && scratch.m_cells[8 * r + c] != Light)
                return false;
    *this = scratch;
    return true;
}

bool CCheckerBoard::LoadGame(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    return ReadGame(in);
}

bool CCheckerBoard::SaveGame(const std::string& path) const
{
    std::ostringstream text(std::ios::binary);
    WriteGame(text);
    return ReplaceFile(path, text.str());
}
