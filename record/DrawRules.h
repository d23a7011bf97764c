#pragma once
// The two draws a player may claim, counted over a game's record up to its
// place. They are claims, never automatic ends: the game plays on until
// someone claims. The count starts where the record starts (the opening, a
// PDN game's set-up position or a loaded .plx position).

#include <optional>

#include "record/GameRecord.h"
#include "rules/GameEnd.h"

struct DrawCounts
{
    int repetitions = 1; // times the place's position occurred, this time included
    int quietPlies = 0;  // plies in a row up to the place with kings only moving, no capture
};

// The counts at the record's place.
DrawCounts CountDrawRules(const CGameRecord& record);

// The draw that may be claimed at the record's place: Repetition before
// FortyMoves when both may; nothing when neither may or the game is over.
std::optional<GameEndKind> ClaimableDraw(const CGameRecord& record);
