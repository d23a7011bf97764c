#pragma once
// Opening moves worked out in advance by the engine's own deep searches
// (tools/book builds them): for each position of the book, every move
// with its value. A game that follows the book plays at once, and by
// choosing among the moves of near-equal value, games differ.
//
// The text form: a title line, "version 1", "positions <n>", then one line
// a position: its FEN, then each move as <move>:<score>, the score in
// hundredths of a man from the side to move. Every move is checked against
// the position when the book is read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/Position.h"
#include "notation/NotatedMove.h"

constexpr int kOpeningBookVersion = 1;

struct BookMove
{
    NotatedMove move;
    int score = 0;
};

class COpeningBook
{
public:
    // The book in `text`, or nothing with the reason in `error` (the line
    // number and what is wrong with it).
    static std::optional<COpeningBook> Parse(std::string_view text, std::string* error = nullptr);
    // The book compiled into the program (engine/book/opening.txt), read
    // once; should it not read, an empty book stands in and the reason goes
    // to standard error once.
    static const COpeningBook& BuiltIn();

    // The text Parse reads back to this book.
    std::string Print() const;

    void Add(const CPosition& position, std::vector<BookMove> moves);
    int Size() const { return static_cast<int>(m_entries.size()); }

    // The book's moves for `position`, best first; empty when it is not in
    // the book.
    std::vector<BookMove> Moves(const CPosition& position) const;
    // One of the moves within `margin` of the best, drawn from `seed` and
    // the position; nothing when the position is not in the book.
    std::optional<BookMove> Choose(const CPosition& position, int margin, std::uint64_t seed) const;

private:
    struct Entry
    {
        CPosition position;
        std::vector<BookMove> moves; // best first
    };
    std::unordered_map<std::uint64_t, Entry> m_entries; // by position key
};
