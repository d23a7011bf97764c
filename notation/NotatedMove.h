#pragma once
// A whole move in standard notation: the squares the piece stands on, from
// the start through every landing square, "11-15" for a step and "22x15" or
// "1x10x19" for a capture.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct NotatedMove
{
    std::vector<int> squares; // 1..32; at least two
    bool capture = false;

    bool operator==(const NotatedMove&) const = default;
};

// Reads "a-b" (a step: exactly two squares) or "a x b x c ..." written
// without blanks ("axbxc", 'x' or 'X'). Nothing else is accepted: no blanks,
// no trailing text, squares 1..32 only. The text is not checked against any
// position.
std::optional<NotatedMove> ParseMove(std::string_view text);

// "11-15", "22x15", "1x10x19". A move without squares prints as "".
std::string PrintMove(const NotatedMove& move);

// The moves printed one after another, separated by single blanks.
std::string PrintMoves(const std::vector<NotatedMove>& moves);
