#pragma once
// Games for the record's tests, written as a player would: a FEN (or the
// opening) and moves in standard notation, each replayed through the rules.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "record/GameRecord.h"

// Plays `moves` on `record` at its place; a move the rules refuse fails the
// test and stops there.
inline void PlayOn(CGameRecord& record, std::initializer_list<const char*> moves)
{
    CCheckerBoard board = record.Board();
    for (const char* text : moves)
    {
        const auto typed = ParseMove(text);
        const auto move = typed ? ResolveMove(board, *typed) : std::nullopt;
        if (!move || PlayMove(board, *move) == MoveRefused)
        {
            ADD_FAILURE() << text << " is refused on\n" << board;
            return;
        }
        record.Played(*move, board);
    }
}

// A game from `fen` ("" for the opening) through `moves`.
inline CGameRecord GameOf(const std::string& fen, std::initializer_list<const char*> moves)
{
    CGameRecord record;
    if (!fen.empty())
        record.Reset(BoardFromFen(ParseFen(fen).value()));
    PlayOn(record, moves);
    return record;
}
