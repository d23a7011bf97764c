#pragma once
// Solves endgame slices backwards from the positions where the game is
// over (retrograde analysis), smallest first: captures and crownings lead
// into slices already solved, so only the moves that stay inside a slice
// need working backwards.

#include <functional>

#include "engine/EndgameTable.h"

struct EndgameSliceReport
{
    EndgameMaterial material;
    std::uint64_t positions = 0;
    std::uint64_t wins = 0; // for the side to move
    std::uint64_t losses = 0;
    std::uint64_t draws = 0;
    int longestPlies = 0; // the longest win or loss in the slice
    double seconds = 0;   // for the slice and its colour-swapped twin together
};

class CEndgameSolver
{
public:
    // Solved slices go into `table`, which also answers for the smaller
    // slices a capture or a crowning leads to.
    explicit CEndgameSolver(CEndgameTable& table) : m_table(table) {}

    // Every slice of up to `pieces` pieces that the table does not hold,
    // in an order that has each slice's successors solved before it.
    // `onSlice` hears of each slice as it is done.
    void SolveUpTo(int pieces, const std::function<void(const EndgameSliceReport&)>& onSlice = {});

    // `material` and its colour-swapped twin, which are solved together
    // (a move in the one leads into the other). Throws std::runtime_error
    // when a slice they lead to is not in the table, or a win is longer
    // than a code holds.
    void SolvePair(const EndgameMaterial& material,
                   const std::function<void(const EndgameSliceReport&)>& onSlice = {});

private:
    CEndgameTable& m_table;
};
