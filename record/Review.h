#pragma once
// A game review's verdict on each move, from the evaluations of the
// positions the game went through.
//
// A move is judged by the value it cost the side that played it: the
// evaluation before the move against the one after it, both seen from the
// mover. Ordinary scores count only up to kReviewRange either way (past a
// few men the game is decided, and a winning side trading down from +6 to
// +4 has made no mistake). A proved win counts as +kReviewRange and a
// proved loss as -kReviewRange, so a forced win traded for a merely better
// position costs what it gave away; a position that was not lost turned
// into a proved loss is always a blunder, and a move in a position already
// lost is never marked.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "record/Evaluation.h"
#include "record/GameRecord.h"

constexpr int kReviewRange = 300; // hundredths of a man
constexpr int kMistakeCost = 50;  // "?": half a man or more
constexpr int kBlunderCost = 100; // "??": a man or more

// `evaluation` on the review's one scale, from black's side: a score
// clamped to kReviewRange either way, a proved result at the end it leads to.
// The evaluation graph plots this.
int ReviewScale(const Evaluation& evaluation);

struct ReviewedMove
{
    Evaluation evaluation; // of the position after the move
    std::string mark;      // "??", "?" or ""
};

// `positions` holds the evaluation of every position of the game, from its
// start to its end, each from black's side; `movers` the side that played
// each move. One verdict a move, for as many moves as both cover.
std::vector<ReviewedMove> ReviewMoves(std::span<const Evaluation> positions,
                                      std::span<const std::int32_t> movers);

// Reviews the moves of `record` up to its place from `positions` (as above,
// from the start to the place) and puts each verdict in the move's note:
// the evaluation always, and the review's "?" or "??" in place of any
// earlier "?" or "??" (so a second review leaves no stale mark); other marks
// and comments are kept.
void AttachReview(CGameRecord& record, std::span<const Evaluation> positions);
