#include "record/Review.h"

#include <algorithm>

int ReviewScale(const Evaluation& evaluation)
{
    switch (evaluation.kind)
    {
    case Evaluation::Kind::BlackWins:
        return kReviewRange;
    case Evaluation::Kind::RedWins:
        return -kReviewRange;
    case Evaluation::Kind::Score:
        break;
    }
    return std::clamp(evaluation.value, -kReviewRange, kReviewRange);
}

namespace
{
// The value of `evaluation` to `side`, on the review's one scale.
int ValueTo(std::int32_t side, const Evaluation& evaluation)
{
    const int black = ReviewScale(evaluation);
    return side == CCheckerBoard::BlackSide ? black : -black;
}

bool IsLostFor(std::int32_t side, const Evaluation& evaluation)
{
    return evaluation.kind == (side == CCheckerBoard::BlackSide ? Evaluation::Kind::RedWins
                                                                : Evaluation::Kind::BlackWins);
}

std::string Verdict(std::int32_t mover, const Evaluation& before, const Evaluation& after)
{
    if (IsLostFor(mover, before))
        return std::string();
    if (IsLostFor(mover, after))
        return "??";
    const int cost = ValueTo(mover, before) - ValueTo(mover, after);
    if (cost >= kBlunderCost)
        return "??";
    return cost >= kMistakeCost ? "?" : "";
}
} // namespace

std::vector<ReviewedMove> ReviewMoves(std::span<const Evaluation> positions,
                                      std::span<const std::int32_t> movers)
{
    std::vector<ReviewedMove> moves;
    if (positions.empty())
        return moves;
    const std::size_t count = std::min(positions.size() - 1, movers.size());
    for (std::size_t i = 0; i < count; ++i)
        moves.push_back({positions[i + 1], Verdict(movers[i], positions[i], positions[i + 1])});
    return moves;
}

void AttachReview(CGameRecord& record, std::span<const Evaluation> positions)
{
    std::vector<std::int32_t> movers;
    for (std::size_t i = 0; i < record.Place(); ++i)
        movers.push_back(record.BoardAfter(i).m_side);
    const std::vector<ReviewedMove> verdicts = ReviewMoves(positions, movers);
    for (std::size_t i = 0; i < verdicts.size(); ++i)
    {
        MoveNote note = record.Note(i);
        note.evaluation = verdicts[i].evaluation;
        if (!verdicts[i].mark.empty() || note.mark == "?" || note.mark == "??")
            note.mark = verdicts[i].mark;
        record.SetNote(i, std::move(note));
    }
}
