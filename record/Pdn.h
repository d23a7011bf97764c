#pragma once
// Portable Draughts Notation: a game as tags ([Event "..."]) and numbered
// moves ("1. 11-15 23-19 2. 8-11 ..."), the form other checkers programs,
// books and forums use. Red plays the side PDN calls White; results read
// 2-0 when black won, 0-2 when red won, 1-1 for a draw and * while the game
// goes on. Marks ride on their moves ("3-7??"), comments follow them in
// braces, and a comment that is exactly an evaluation ("{-3.10}", "{+#12}")
// is the evaluation of the position after the move, from black's side.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "record/GameRecord.h"

struct PdnTags
{
    std::string event = "Plaxen game";
    std::string date;        // "2026.12.06"; "????.??.??" when empty
    std::string black;       // who played black
    std::string white;       // who played red
    std::string timeControl; // "300+3" when the game was played on a clock; "" for none
};

// The moves of `record` up to its place, as one PDN game: Event, Date,
// Black, White and Result tags, a TimeControl tag when `tags` has one, a
// Termination tag ("time forfeit") for a loss on time, a FEN tag when the
// game did not start from the opening; then the game's comment, the
// numbered moves with their marks, evaluations and comments, and the
// result, lines kept short. A comment holding a "}" is written after a ";"
// to the end of its line instead, where a "}" ends nothing.
std::string WritePdn(const CGameRecord& record, const PdnTags& tags);

// The result token of the game on `board`: "2-0", "0-2" or "*".
std::string PdnResult(const CCheckerBoard& board);
// The result token of `record` at its place: the board's when a side cannot
// move, else "1-1" for a draw, the winner's for a resignation or a loss on
// time, "*" while the game goes on.
std::string PdnResult(const CGameRecord& record);

// A comment as PDN games keep it: runs of blanks and line ends made one
// space, the ends trimmed.
std::string FlowingText(std::string_view text);

// Longer texts are refused unread: a game of checkers is a few kilobytes.
constexpr std::size_t kMaxPdnBytes = std::size_t{1} << 20;

struct PdnProblem
{
    int line = 0; // 1-based; 0 when the trouble is the text as a whole
    std::string reason;
};

// Reads the first game of `text`: the starting position from its FEN tag
// (else the opening) and every move replayed through the rules, the last
// one on the board, whatever positions repeat. Comments ({...} and ; to the
// end of the line) and marks (!, ?, !!, ??, !?, ?! and $1 to $6) stay with
// the move before them, a comment before the first move with the game; text
// that is not UTF-8 is read as Latin-1. Variations ((...), nested) and
// other numeric annotations are skipped as PDN allows; a move may be given
// by its first and last squares when only one capture joins them. A result
// on a game not over on the board ends it: 1-1 as the draw claimable there
// (else by agreement), a win as a loss on time when the Termination tag
// says "time forfeit" (else a resignation). A bare FEN reads as a game of
// no moves. Nothing when the text is not such a game or a move is not
// legal; `problem` then says where and why.
std::optional<CGameRecord> ReadPdn(std::string_view text, PdnProblem& problem);
// As above, and `tags` gets the game's Event, Date ("" when unknown), Black,
// White and TimeControl tags (the defaults of PdnTags where it has none).
std::optional<CGameRecord> ReadPdn(std::string_view text, PdnProblem& problem, PdnTags& tags);

// What a refusal box says after its own sentence: "Line N: reason." or, for
// the text as a whole, "Reason.".
std::string DescribePdnProblem(const PdnProblem& problem);
