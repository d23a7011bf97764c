#include "notation/Fen.h"

#include <cctype>
#include <charconv>

#include "notation/Squares.h"

namespace
{
std::nullopt_t Refuse(std::string* error, std::string reason)
{
    if (error)
        *error = std::move(reason);
    return std::nullopt;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::optional<int> ToSquare(std::string_view text)
{
    int value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < 1 || value > 32)
        return std::nullopt;
    return value;
}

// One colour's comma list into `mine` (and `kings`); `taken` holds every
// square placed so far, of either colour.
bool ReadSquares(std::string_view list, std::uint32_t& mine, std::uint32_t& kings,
                 std::uint32_t& taken, std::string* error)
{
    while (!list.empty())
    {
        const std::size_t comma = list.find(',');
        std::string_view item = Trim(list.substr(0, comma));
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        if (item.empty())
            continue; // "W:B" and stray commas list nothing
        const bool king = item.front() == 'K' || item.front() == 'k';
        if (king)
            item.remove_prefix(1);
        const std::size_t dash = item.find('-');
        const auto first = ToSquare(Trim(item.substr(0, dash)));
        const auto last =
            dash == std::string_view::npos ? first : ToSquare(Trim(item.substr(dash + 1)));
        if (!first || !last || *last < *first)
        {
            Refuse(error, "bad square \"" + std::string(item) + "\"");
            return false;
        }
        for (int square = *first; square <= *last; ++square)
        {
            const std::uint32_t bit = std::uint32_t{1} << (square - 1);
            if (taken & bit)
            {
                Refuse(error, "square " + std::to_string(square) + " given twice");
                return false;
            }
            taken |= bit;
            mine |= bit;
            if (king)
                kings |= bit;
        }
    }
    return true;
}

void PrintSquares(std::string& text, std::uint32_t mine, std::uint32_t kings)
{
    bool first = true;
    for (int square = 1; square <= 32; ++square)
    {
        const std::uint32_t bit = std::uint32_t{1} << (square - 1);
        if (!(mine & bit))
            continue;
        if (!first)
            text += ',';
        first = false;
        if (kings & bit)
            text += 'K';
        text += std::to_string(square);
    }
}
} // namespace

std::optional<FenPosition> ParseFen(std::string_view text, std::string* error)
{
    text = Trim(text);
    if (!text.empty() && text.back() == '.')
        text.remove_suffix(1);
    const std::size_t colon = text.find(':');
    const std::string_view side = Trim(text.substr(0, colon));
    FenPosition position;
    if (side == "B")
        position.side = CCheckerBoard::BlackSide;
    else if (side == "W")
        position.side = CCheckerBoard::RedSide;
    else
        return Refuse(error, "the side to move must be B or W");

    std::uint32_t taken = 0;
    bool seen[2] = {false, false}; // W, B
    std::string_view rest =
        colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    while (colon != std::string_view::npos)
    {
        const std::size_t next = rest.find(':');
        const std::string_view field = Trim(rest.substr(0, next));
        if (field.empty() || (field.front() != 'W' && field.front() != 'B'))
            return Refuse(error, "a colour field must start with W or B");
        const bool red = field.front() == 'W';
        if (seen[red ? 0 : 1])
            return Refuse(error, std::string("two ") + field.front() + " fields");
        seen[red ? 0 : 1] = true;
        if (!ReadSquares(field.substr(1), red ? position.red : position.black, position.kings,
                         taken, error))
            return std::nullopt;
        if (next == std::string_view::npos)
            break;
        rest = rest.substr(next + 1);
    }
    return position;
}

std::string PrintFen(const FenPosition& position)
{
    std::string text = position.side == CCheckerBoard::RedSide ? "W:W" : "B:W";
    PrintSquares(text, position.red, position.kings);
    text += ":B";
    PrintSquares(text, position.black, position.kings);
    return text;
}

FenPosition FenFromBoard(const CCheckerBoard& board)
{
    FenPosition position;
    position.side = board.m_side;
    for (int square = 1; square <= 32; ++square)
    {
        int row = 0, col = 0;
        SquareRowCol(square, row, col);
        const std::uint32_t bit = std::uint32_t{1} << (square - 1);
        switch (board.m_cells[8 * row + col])
        {
        case CCheckerBoard::BlackKing:
            position.kings |= bit;
            [[fallthrough]];
        case CCheckerBoard::BlackMan:
            position.black |= bit;
            break;
        case CCheckerBoard::RedKing:
            position.kings |= bit;
            [[fallthrough]];
        case CCheckerBoard::RedMan:
            position.red |= bit;
            break;
        default:
            break;
        }
    }
    return position;
}

CCheckerBoard BoardFromFen(const FenPosition& position)
{
    CCheckerBoard board;
    for (int square = 1; square <= 32; ++square)
    {
        int row = 0, col = 0;
        SquareRowCol(square, row, col);
        const std::uint32_t bit = std::uint32_t{1} << (square - 1);
        const bool king = (position.kings & bit) != 0;
        std::int32_t code = CCheckerBoard::Empty;
        if (position.black & bit)
            code = king ? CCheckerBoard::BlackKing : CCheckerBoard::BlackMan;
        else if (position.red & bit)
            code = king ? CCheckerBoard::RedKing : CCheckerBoard::RedMan;
        board.m_cells[8 * row + col] = code;
    }
    board.m_side = position.side;
    return board;
}
