#include "notation/NotatedMove.h"

namespace
{
// A square number of one or two digits, 1..32; advances `at` past it.
std::optional<int> ReadSquare(std::string_view text, std::size_t& at)
{
    int value = 0;
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 3)
    {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++digits;
    }
    if (digits == 0 || digits > 2 || value < 1 || value > 32)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<NotatedMove> ParseMove(std::string_view text)
{
    NotatedMove move;
    std::size_t at = 0;
    const auto first = ReadSquare(text, at);
    if (!first)
        return std::nullopt;
    move.squares.push_back(*first);
    if (at >= text.size())
        return std::nullopt;
    const char separator = text[at] == 'X' ? 'x' : text[at];
    if (separator != '-' && separator != 'x')
        return std::nullopt;
    move.capture = separator == 'x';
    while (at < text.size())
    {
        const char here = text[at] == 'X' ? 'x' : text[at];
        if (here != separator)
            return std::nullopt;
        ++at;
        const auto next = ReadSquare(text, at);
        if (!next)
            return std::nullopt;
        move.squares.push_back(*next);
    }
    // A step joins exactly two squares; only captures chain.
    if (!move.capture && move.squares.size() != 2)
        return std::nullopt;
    return move;
}

std::string PrintMove(const NotatedMove& move)
{
    std::string text;
    for (std::size_t i = 0; i < move.squares.size(); ++i)
    {
        if (i > 0)
            text += move.capture ? 'x' : '-';
        text += std::to_string(move.squares[i]);
    }
    return text;
}

std::string PrintMoves(const std::vector<NotatedMove>& moves)
{
    std::string text;
    for (const NotatedMove& move : moves)
    {
        if (!text.empty())
            text += ' ';
        text += PrintMove(move);
    }
    return text;
}
