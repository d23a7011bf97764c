#include "record/AnalysisText.h"

#include <algorithm>

int NextMoveNumber(std::span<const CCheckerBoard> game)
{
    if (game.empty())
        return 1;
    // Each board but the last had its side move from it.
    return 1 + static_cast<int>(std::count_if(game.begin(), game.end() - 1,
                                              [](const CCheckerBoard& board)
                                              { return board.m_side == CCheckerBoard::RedSide; }));
}

std::string NumberedLine(int number, std::int32_t sideToMove, std::span<const NotatedMove> moves)
{
    std::string line;
    bool black = sideToMove == CCheckerBoard::BlackSide;
    for (std::size_t i = 0; i < moves.size(); ++i)
    {
        if (!line.empty())
            line += ' ';
        if (black)
            line += std::to_string(number) + ". ";
        else if (i == 0)
            line += std::to_string(number) + "... ";
        line += PrintMove(moves[i]);
        if (!black)
            ++number;
        black = !black;
    }
    return line;
}

std::string SpeedText(std::uint64_t nodesPerSecond)
{
    const auto tenths = [](std::uint64_t value, std::uint64_t unit)
    {
        const std::uint64_t rounded = (value * 10 + unit / 2) / unit;
        return std::to_string(rounded / 10) + "." + std::to_string(rounded % 10);
    };
    if (nodesPerSecond >= 999'500)
        return tenths(nodesPerSecond, 1'000'000) + " million positions a second";
    if (nodesPerSecond >= 1'000)
        return std::to_string((nodesPerSecond + 500) / 1'000) + " thousand positions a second";
    return std::to_string(nodesPerSecond) + " positions a second";
}
