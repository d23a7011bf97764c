#pragma once
// What a position is worth, always from black's side: an estimate in
// hundredths of a man, or a result the search has proved (a side wins in so
// many of its own moves). The analysis pane, the move list, the review and
// PDN comments all speak of positions this way.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/CheckerBoard.h"

struct Evaluation
{
    enum class Kind
    {
        Score,     // `value`: black's advantage in hundredths of a man
        BlackWins, // `value`: black's moves until it wins; 0 = it has won
        RedWins,   // `value`: red's moves until it wins; 0 = it has won
    };
    Kind kind = Kind::Score;
    int value = 0;

    static Evaluation Score(int hundredths) { return {Kind::Score, hundredths}; }
    static Evaluation Wins(std::int32_t side, int moves)
    {
        return {side == CCheckerBoard::BlackSide ? Kind::BlackWins : Kind::RedWins, moves};
    }
    bool IsForced() const { return kind != Kind::Score; }
    bool operator==(const Evaluation&) const = default;
};

// A search's figures, which are from the side to move (`winMoves` > 0 it
// wins, < 0 it loses, in that many moves of the winner; 0 = nothing proved),
// turned to black's side.
Evaluation EvaluationFromSideToMove(std::int32_t sideToMove, int score, int winMoves);

// The evaluation of a game over on the board (the winner has won), or
// nothing while both sides can move.
std::optional<Evaluation> EvaluationOfEnd(const CCheckerBoard& board);

// The short form of the move list and PDN comments: "+0.35", "-3.10",
// "0.00" (men, two decimals, a sign unless level), and for a proved result
// "+#12" (black wins in 12 moves) or "-#3" (red wins in 3); "+#0" once won.
std::string ShortEvaluationText(const Evaluation& evaluation);

// Reads exactly a short form, nothing around it (at most four digits of
// men, so no number overflows). Nothing for any other text.
std::optional<Evaluation> ParseShortEvaluation(std::string_view text);

// The analysis pane's words: "+0.35: black is a little better", "Red wins
// in 12 moves", "0.00: the game is level". Scores read as level under 0.20
// of a man, a little better under 0.50, better under 1.00, much better
// under 2.00 and winning from two men on.
std::string EvaluationText(const Evaluation& evaluation);
