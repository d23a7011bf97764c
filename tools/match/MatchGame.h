#pragma once
// One game between two engine processes, refereed by the rules: the moves
// checked, the draws a player may claim taken as the end of the game, long
// games cut at a ply cap, game clocks kept.

#include <cstdint>
#include <string>
#include <vector>

#include "notation/NotatedMove.h"
#include "tools/match/EngineProcess.h"

// How one side of a match is told to think.
struct PlayerSettings
{
    std::string engine;      // the program
    std::string level;       // for a bare "go", when no limit below is set
    int timeMs = 0;          // a fixed time a move
    std::uint64_t nodes = 0; // a fixed node budget a move
    int clockMs = 0;         // a game clock of this much...
    int incrementMs = 0;     // ...gaining this much a move
    bool book = false;       // plays from the opening book with any limit

    // "expert", "nodes 20000", "time 200 ms", "clock 10+0.1": for the report.
    std::string Describe() const;
};

enum class MatchEnd
{
    NoMove,     // a side could not move: the rules' end
    Repetition, // the same position a third time
    FortyMoves, // 80 plies without a man moved or a piece taken
    PlyCap,     // too long: drawn by the referee
    Fault,      // an illegal move, a crash or silence: that side loses
    Time,       // a clock ran out: that side loses
};

struct SideRecord
{
    int moves = 0;
    long long thinkMs = 0; // the time its answers took, in all
    int lateAnswers = 0;   // answers that came after a fixed time ran out
    int worstLateMs = 0;   // by how much the latest of them was late
    int leastClockMs = -1; // the least left on its clock after a move; -1 without a clock
};

struct GameResult
{
    int winner = -1; // 0 black, 1 red, -1 drawn
    MatchEnd end = MatchEnd::NoMove;
    int plies = 0;
    std::string detail; // the fault, or the position a drawn game ended in
    // Each late answer: who, by how much, at which ply, when and at what
    // load, so that a late answer can be told from a machine that was busy.
    std::string lateNotes;
    SideRecord sides[2];
};

// Plays from the start through `opening`, then lets engines[0] (black) and
// engines[1] (red) choose every move.
GameResult PlayGame(const std::vector<NotatedMove>& opening, CEngineProcess* engines[2],
                    const PlayerSettings* players[2], int maxPlies);

// "no move", "repetition" and so on.
const char* DescribeEnd(MatchEnd end);
