#include "record/Evaluation.h"

#include <cctype>
#include <cstdlib>

#include "rules/GameText.h"

namespace
{
const char* Winner(Evaluation::Kind kind)
{
    return kind == Evaluation::Kind::BlackWins ? "Black" : "Red";
}

// The digits at the front of `text`, taken off it; at most `most` of them.
std::optional<int> TakeNumber(std::string_view& text, std::size_t most)
{
    std::size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == 0 || digits > most)
        return std::nullopt;
    int number = 0;
    for (std::size_t i = 0; i < digits; ++i)
        number = number * 10 + (text[i] - '0');
    text.remove_prefix(digits);
    return number;
}

} // namespace

Evaluation EvaluationFromSideToMove(std::int32_t sideToMove, int score, int winMoves)
{
    const std::int32_t other =
        sideToMove == CCheckerBoard::BlackSide ? CCheckerBoard::RedSide : CCheckerBoard::BlackSide;
    if (winMoves > 0)
        return Evaluation::Wins(sideToMove, winMoves);
    if (winMoves < 0)
        return Evaluation::Wins(other, -winMoves);
    return Evaluation::Score(sideToMove == CCheckerBoard::BlackSide ? score : -score);
}

std::optional<Evaluation> EvaluationOfEnd(const CCheckerBoard& board)
{
    const std::int32_t loser = LosingSide(board);
    if (loser == -1)
        return std::nullopt;
    return Evaluation::Wins(
        loser == CCheckerBoard::BlackSide ? CCheckerBoard::RedSide : CCheckerBoard::BlackSide, 0);
}

std::string ShortEvaluationText(const Evaluation& evaluation)
{
    if (evaluation.IsForced())
        return (evaluation.kind == Evaluation::Kind::BlackWins ? "+#" : "-#") +
               std::to_string(evaluation.value);
    const long long hundredths = std::llabs(static_cast<long long>(evaluation.value));
    std::string text = evaluation.value > 0 ? "+" : evaluation.value < 0 ? "-" : "";
    const long long cents = hundredths % 100;
    return text + std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") +
           std::to_string(cents);
}

std::optional<Evaluation> ParseShortEvaluation(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const char sign = text.front() == '+' || text.front() == '-' ? text.front() : '\0';
    if (sign)
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '#')
    {
        text.remove_prefix(1);
        const auto moves = TakeNumber(text, 4);
        if (!sign || !moves || !text.empty())
            return std::nullopt;
        return Evaluation::Wins(sign == '+' ? CCheckerBoard::BlackSide : CCheckerBoard::RedSide,
                                *moves);
    }
    const auto men = TakeNumber(text, 4);
    if (!men || text.empty() || text.front() != '.')
        return std::nullopt;
    text.remove_prefix(1);
    const std::string_view decimals = text;
    const auto cents = TakeNumber(text, 2);
    if (!cents || decimals.size() != 2 || !text.empty())
        return std::nullopt;
    const int hundredths = *men * 100 + *cents;
    return Evaluation::Score(sign == '-' ? -hundredths : hundredths);
}

std::string EvaluationText(const Evaluation& evaluation)
{
    if (evaluation.IsForced())
    {
        const std::string winner = Winner(evaluation.kind);
        if (evaluation.value <= 0)
            return winner + " has won";
        return winner + " wins in " + std::to_string(evaluation.value) +
               (evaluation.value == 1 ? " move" : " moves");
    }
    const long long size = std::llabs(static_cast<long long>(evaluation.value));
    const std::string side = evaluation.value > 0 ? "black" : "red";
    std::string words;
    if (size < 20)
        words = "the game is level";
    else if (size < 50)
        words = side + " is a little better";
    else if (size < 100)
        words = side + " is better";
    else if (size < 200)
        words = side + " is much better";
    else
        words = side + " is winning";
    return ShortEvaluationText(evaluation) + ": " + words;
}
