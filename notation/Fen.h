#pragma once
// Positions in PDN FEN: "B:W21,22,...,32:B1,2,...,12" — the side to move
// (B black, W red), then each colour's squares, kings prefixed by K.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/CheckerBoard.h"

struct FenPosition
{
    int side = CCheckerBoard::BlackSide;
    // Bit n - 1 stands for square n.
    std::uint32_t black = 0;
    std::uint32_t red = 0;
    std::uint32_t kings = 0; // of either colour

    bool operator==(const FenPosition&) const = default;
};

// Reads a FEN: the side letter, then up to one W and one B field in either
// order, separated by colons; squares as a comma list where "K" marks a king
// and "a-b" a run of squares; blanks around the parts and a final "." are
// allowed. A square out of 1..32 or given twice, a missing side or an
// unknown letter is refused with the reason in `error`.
std::optional<FenPosition> ParseFen(std::string_view text, std::string* error = nullptr);

// "B:W21,...:B1,...": red's field first, squares in ascending order.
std::string PrintFen(const FenPosition& position);

// The pieces and side to move of `board`. Dark squares holding no piece
// (empty or dead) are simply absent: FEN has no dead squares.
FenPosition FenFromBoard(const CCheckerBoard& board);

// The board of `position`: light squares 0, empty dark squares 1.
CCheckerBoard BoardFromFen(const FenPosition& position);
