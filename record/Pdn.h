#pragma once
// Portable Draughts Notation: a game as tags ([Event "..."]) and numbered
// moves ("1. 11-15 23-19 2. 8-11 ..."), the form other checkers programs,
// books and forums use. Red plays the side PDN calls White; results read
// 2-0 when black won, 0-2 when red won and * while the game goes on.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "record/GameRecord.h"

struct PdnTags
{
    std::string event = "Plaxen game";
    std::string date;  // "2026.12.06"; "????.??.??" when empty
    std::string black; // who played black
    std::string white; // who played red
};

// The moves of `record` up to its place, as one PDN game: Event, Date,
// Black, White and Result tags, a FEN tag when the game did not start from
// the opening, then the numbered moves and the result, lines kept short.
std::string WritePdn(const CGameRecord& record, const PdnTags& tags);

// The result token of the game on `board`: "2-0", "0-2" or "*".
std::string PdnResult(const CCheckerBoard& board);

// Longer texts are refused unread: a game of checkers is a few kilobytes.
constexpr std::size_t kMaxPdnBytes = std::size_t{1} << 20;

struct PdnProblem
{
    int line = 0; // 1-based; 0 when the trouble is the text as a whole
    std::string reason;
};

// Reads the first game of `text`: the starting position from its FEN tag
// (else the opening) and every move replayed through the rules, the last
// one on the board. Move numbers, comments ({...} and ; to the end of the
// line), variations ((...), nested), numeric annotations ($n) and move
// marks (!, ?) are skipped as PDN allows; a move may be given by its first
// and last squares when only one capture joins them. A bare FEN reads as a
// game of no moves. Nothing when the text is not such a game or a move is
// not legal; `problem` then says where and why.
std::optional<CGameRecord> ReadPdn(std::string_view text, PdnProblem& problem);

// What a refusal box says after its own sentence: "Line N: reason." or, for
// the text as a whole, "Reason.".
std::string DescribePdnProblem(const PdnProblem& problem);
