#include "engine/Search.h"

#include <algorithm>
#include <cmath>

#include "engine/DrawRules.h"
#include "engine/EndgameFiles.h"
#include "engine/EndgameProgress.h"
#include "engine/Evaluation.h"
#include "engine/HashKeys.h"
#include "engine/MoveGen.h"
#include "engine/OpeningBook.h"

namespace
{
constexpr int kInfinity = kWinScore + 1;
constexpr int kWinBound = kWinScore - kMaxPly; // beyond it, a forced result
// An endgame the database calls won without saying how quickly: below every
// proven win, above every estimate, with room for the estimate on top.
constexpr int kKnownWin = kWinBound - 4000;
constexpr int kKnownWinSpread = 2000;

// Wins are stored in the table counted from the stored position, not the
// root, so they stay right wherever the position turns up again.
int ToTable(int score, int ply)
{
    return score >= kWinBound ? score + ply : score <= -kWinBound ? score - ply : score;
}

int FromTable(int score, int ply)
{
    return score >= kWinBound ? score - ply : score <= -kWinBound ? score + ply : score;
}

// Plies from the root to the end of the game for a forced result, else 0.
int PliesToEnd(int score)
{
    return score >= kWinBound ? kWinScore - score : score <= -kWinBound ? kWinScore + score : 0;
}

// The score of a finished game for the side to move, `ply` plies from the
// root. When neither side can move, the loser is the side the rules' board
// leaves to move: after a capture the capturer keeps the turn.
int GameOverScore(bool weCanMove, bool theyCanMove, bool afterCapture, int ply)
{
    const bool weWin = weCanMove || (!theyCanMove && afterCapture);
    return weWin ? kWinScore - ply : -(kWinScore - ply);
}

std::uint64_t NodesPerSecond(std::uint64_t nodes, std::chrono::steady_clock::time_point start)
{
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    return us >= 1000 ? nodes * 1'000'000 / static_cast<std::uint64_t>(us) : 0;
}

std::uint64_t Mix(std::uint64_t x)
{
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// How much less deeply the `index`th move (0 = first) is looked at first:
// more the deeper the search and the later the move, growing slowly with
// both, and a ply less on the expected line.
int LateMoveReduction(int depth, int index, bool pvNode)
{
    static const auto table = []
    {
        std::array<std::array<std::int8_t, 64>, 64> t{};
        for (int d = 1; d < 64; ++d)
            for (int i = 1; i < 64; ++i)
                t[d][i] = static_cast<std::int8_t>(1 + std::log(d) * std::log(i) / 2.5);
        return t;
    }();
    const int reduction = table[std::min(depth, 63)][std::min(index, 63)] - (pvNode ? 1 : 0);
    return std::clamp(reduction, 0, depth - 2);
}

// By depth: how far a quiet position's score may climb in that many plies.
constexpr int kFutilityMargin[3] = {0, 80, 160};

constexpr int kTableMoveKey = 1 << 30;
constexpr int kCaptureKey = 1 << 29;
constexpr int kKillerKey = 1 << 28;
constexpr int kHistoryCap = 1 << 26;
} // namespace

CSearch::CSearch(std::size_t hashMegabytes, EndgameTables endgame)
    : m_table(hashMegabytes), m_sharedEndgame(endgame == EndgameTables::Shared),
      m_lists(kMaxPly + 1), m_killers(kMaxPly + 1), m_history(2 * 32 * 32),
      m_pv(static_cast<std::size_t>(kMaxPly + 1) * (kMaxPly + 1))
{
    // The evaluation's weights and the book are read on first use: here,
    // so that the first search with a deadline does not pay for them.
    Evaluate(CPosition::Start());
    COpeningBook::BuiltIn();
}

void CSearch::SetEndgameTable(const CEndgameTable* table)
{
    m_sharedEndgame = false;
    AdoptEndgameTable(table);
}

void CSearch::AdoptEndgameTable(const CEndgameTable* table)
{
    m_endgame = table;
    m_endgamePieces = 0;
    for (int pieces = 2; table && pieces <= CEndgameTable::kMaxPieces; ++pieces)
        if (table->HoldsAny(pieces))
            m_endgamePieces = pieces;
    m_endgameComplete = table ? table->CompletePieces() : 0;
    m_table.Clear(); // its scores were found with other knowledge
}

std::optional<int> CSearch::EndgameScore(const CPosition& position, int ply) const
{
    if (!m_endgame)
        return std::nullopt;
    // Distances from mapped files only next to the root, where they choose
    // the quickest win: deeper, their pages would fill memory, and a win
    // scored without its distance serves as well there.
    const EndgameValue value = m_endgame->Probe(position, ply <= 1);
    switch (value.outcome)
    {
    case EndgameValue::Outcome::Draw:
        return 0;
    case EndgameValue::Outcome::Win:
    case EndgameValue::Outcome::Loss:
    {
        // The database counts plies to the end of the game and knows nothing
        // of the forty-move claim. A win that, played out without a capture,
        // would reach the claim first need not be one: the loser may claim.
        // A capture on the way would start the count again, so rather than
        // call it a draw the search looks on, as it would without the table.
        if (value.plies >= 0 &&
            m_quietPlies[static_cast<std::size_t>(m_rootIndex + ply)] + value.plies >
                kQuietPliesForDraw)
            return std::nullopt;
        const int sign = value.outcome == EndgameValue::Outcome::Win ? 1 : -1;
        if (value.plies >= 0 && ply + value.plies < kMaxPly)
            return sign * (kWinScore - ply - value.plies);
        const int winner = sign > 0 ? position.m_side : position.m_side ^ 1;
        const int estimate =
            std::clamp(EndgameProgress(position, winner), -kKnownWinSpread, kKnownWinSpread);
        return sign * (kKnownWin + estimate);
    }
    default:
        return std::nullopt;
    }
}

void CSearch::Clear()
{
    m_table.Clear();
    std::fill(m_killers.begin(), m_killers.end(), std::array<std::uint16_t, 2>{});
    std::fill(m_history.begin(), m_history.end(), 0);
}

SearchResult CSearch::Run(const CCheckerBoard& position, const SearchLimits& limits,
                          const std::atomic<bool>& stop,
                          const std::function<void(const SearchInfo&)>& onInfo)
{
    return Run(std::vector<CCheckerBoard>{position}, limits, stop, onInfo);
}

SearchResult CSearch::Run(const CPosition& position, const SearchLimits& limits,
                          const std::atomic<bool>& stop,
                          const std::function<void(const SearchInfo&)>& onInfo)
{
    return Run(std::vector<CPosition>{position}, limits, stop, onInfo);
}

SearchResult CSearch::Run(const std::vector<CCheckerBoard>& game, const SearchLimits& limits,
                          const std::atomic<bool>& stop,
                          const std::function<void(const SearchInfo&)>& onInfo)
{
    if (game.empty() || (game.back().m_side != CCheckerBoard::BlackSide &&
                         game.back().m_side != CCheckerBoard::RedSide))
        return {};
    std::vector<CPosition> positions;
    positions.reserve(game.size());
    for (const CCheckerBoard& board : game)
        positions.push_back(CPosition::FromBoard(board));
    return Run(positions, limits, stop, onInfo);
}

SearchResult CSearch::Run(const std::vector<CPosition>& game, const SearchLimits& limits,
                          const std::atomic<bool>& stop,
                          const std::function<void(const SearchInfo&)>& onInfo)
{
    m_start = Clock::now();
    if (m_sharedEndgame && !m_endgame)
        if (const CEndgameTable* shared = SharedEndgameTableIfReady())
            AdoptEndgameTable(shared);
    m_stop = &stop;
    m_stopped = false;
    m_nodes = 0;
    m_nodeLimit = limits.nodes;
    m_table.NewSearch();
    for (auto& killers : m_killers)
        killers = {};

    SearchResult result;
    if (game.empty() || game.back().IsOver())
        return result;
    const CPosition& root = game.back();
    if (limits.bookMargin >= 0)
        if (const std::optional<BookMove> book =
                COpeningBook::BuiltIn().Choose(root, limits.bookMargin, limits.seed))
        {
            result.hasMove = true;
            result.move = book->move;
            result.info.score = book->score;
            result.info.pv = {book->move};
            result.info.timeMs = ElapsedMs();
            if (onInfo)
                onInfo(result.info); // an analysis pane shows the book's view too
            return result;
        }
    CMoveList& rootMoves = m_lists[0];
    GenerateMoves(root, rootMoves);
    SetHistory(game);
    const std::uint64_t key = PositionKey(root);
    m_time.Start(limits, rootMoves.Size(), bitboard::Count(root.m_black | root.m_red));
    m_hasDeadline = m_time.HasDeadline();
    m_deadline = m_start + std::chrono::milliseconds(m_time.HardMs());

    const int maxDepth = limits.depth > 0 ? std::min(limits.depth, kMaxPly - 8) : kMaxPly - 8;

    // A root the database holds, with all it leads to, has its exact score
    // once the search reaches it: looking deeper finds nothing better. Not
    // so a win without its distance: the search goes on for progress.
    const std::optional<int> known = bitboard::Count(root.m_black | root.m_red) <= m_endgameComplete
                                         ? EndgameScore(root, 0)
                                         : std::nullopt;
    const bool rootExact = known && (*known == 0 || std::abs(*known) >= kWinBound);
    const int rootExactScore = rootExact ? *known : 0;

    m_rootBest = rootMoves[0];
    m_rootScore = 0;
    SearchInfo info = MakeInfo(0, 0);
    for (int depth = 1; depth <= maxDepth; ++depth)
    {
        m_rootDepth = depth;
        const int iterationStart = ElapsedMs();
        const EngineMove previousBest = m_rootBest;
        const int score = SearchRoot(root, key, depth, info.score);
        if (m_stopped)
            break;
        info = MakeInfo(depth, score);
        if (onInfo)
            onInfo(info);
        m_time.NoteIteration(ElapsedMs() - iterationStart, score,
                             depth > 1 && !(m_rootBest == previousBest));
        // A forced result seen with plies to spare will not change.
        const int toEnd = PliesToEnd(score);
        if (toEnd > 0 && depth >= toEnd + 2)
            break;
        if (!m_time.StartAnother(ElapsedMs()))
            break;
        if (rootExact && score == rootExactScore && depth >= 2)
            break;
    }

    if (limits.randomMargin > 0 && !m_stopped && rootMoves.Size() > 1)
        m_rootBest = DrawAmongBest(root, key, info.depth, limits);
    else if (info.pv.empty() || !(ToNotated(m_rootBest) == info.pv.front()))
    {
        // Stopped part way with a better move than the last full iteration's.
        info.score = m_rootScore;
        info.pv = {ToNotated(m_rootBest)};
    }
    info.nodes = m_nodes;
    info.timeMs = ElapsedMs();
    info.nodesPerSecond = NodesPerSecond(m_nodes, m_start);
    result.hasMove = true;
    result.move = ToNotated(m_rootBest);
    result.info = info;
    return result;
}

int CSearch::SearchRoot(const CPosition& root, std::uint64_t key, int depth, int previousScore)
{
    // Deep iterations rarely move the score far, so they look first in a
    // narrow window around the last one, which cuts more, and widen it only
    // when the score falls outside. Near forced results the scores jump.
    constexpr int kFirstDepth = 5;
    constexpr int kFirstWidth = 20;
    if (depth < kFirstDepth || std::abs(previousScore) >= kKnownWin - kKnownWinSpread)
        return Search(root, key, depth, -kInfinity, kInfinity, 0, false);
    int width = kFirstWidth;
    int alpha = previousScore - width, beta = previousScore + width;
    for (;;)
    {
        const int score = Search(root, key, depth, alpha, beta, 0, false);
        if (m_stopped || (score > alpha && score < beta))
            return score;
        // Outside the window: look again with a wider one on that side.
        // Until then the best move stays the one last proven best.
        width *= 3;
        if (score <= alpha)
            alpha = std::max(score - width, -kInfinity);
        else
            beta = std::min(score + width, kInfinity);
    }
}

void CSearch::SetHistory(const std::vector<CPosition>& game)
{
    // Positions before the last man move or capture can never come back.
    std::size_t first = game.size() - 1;
    while (first > 0 && !ResetsQuietCount(game[first - 1], game[first]))
        --first;
    m_rootIndex = static_cast<int>(game.size() - 1 - first);
    m_keys.assign(static_cast<std::size_t>(m_rootIndex) + kMaxPly + 2, 0);
    m_quietPlies.assign(m_keys.size(), 0);
    for (std::size_t i = first; i < game.size(); ++i)
        m_keys[i - first] = PositionKey(game[i]);
    m_quietPlies[static_cast<std::size_t>(m_rootIndex)] = m_rootIndex;
}

bool CSearch::IsClaimableDraw(const CPosition& position, int ply) const
{
    const int at = m_rootIndex + ply;
    const int quiet = m_quietPlies[static_cast<std::size_t>(at)];
    if (quiet >= kQuietPliesForDraw && !position.IsOver())
        return true;
    // A repetition within the line searched is scored as a draw at once:
    // whoever could avoid it chose not to. One reaching back before the
    // root must make the position's third occurrence.
    const std::uint64_t key = m_keys[static_cast<std::size_t>(at)];
    int earlier = 0;
    for (int j = at - 4; j >= std::max(0, at - quiet); j -= 2)
        if (m_keys[static_cast<std::size_t>(j)] == key &&
            (j >= m_rootIndex || ++earlier == kRepetitionsForDraw - 1))
            return true;
    return false;
}

int CSearch::Judge(const CPosition& position, int ply) const
{
    constexpr int kGrace = 16; // quiet plies that cost nothing
    const int quiet = std::clamp(m_quietPlies[static_cast<std::size_t>(m_rootIndex + ply)], kGrace,
                                 kQuietPliesForDraw);
    constexpr int kFloor = 20; // what is left of the score at the claim
    return Evaluate(position) * (kQuietPliesForDraw + kFloor - quiet) /
           (kQuietPliesForDraw + kFloor - kGrace);
}

int CSearch::Search(const CPosition& position, std::uint64_t key, int depth, int alpha, int beta,
                    int ply, bool afterCapture)
{
    m_pvLength[ply] = 0;
    if ((++m_nodes & 511) == 0)
        PollStop();
    if (m_stopped)
        return 0;

    m_keys[static_cast<std::size_t>(m_rootIndex + ply)] = key;
    if (ply > 0 && IsClaimableDraw(position, ply))
        return 0;
    if (ply >= kMaxPly - 1)
        return Judge(position, ply);

    // A position found in the table was no finished game when stored, so
    // the table may answer before any move is generated. Captures played
    // out at the horizon are too many and too cheap to be worth a lookup
    // in memory far away.
    const bool pvNode = beta - alpha > 1;
    const bool useTable = depth > 0;
    std::uint16_t tableMove = 0;
    if (const TableEntry* entry = useTable ? m_table.Probe(key) : nullptr)
    {
        tableMove = entry->move;
        const int stored = FromTable(entry->score, ply);
        if (!pvNode && ply > 0 && entry->depth >= depth &&
            (entry->bound == Bound::Exact || (entry->bound == Bound::Lower && stored >= beta) ||
             (entry->bound == Bound::Upper && stored <= alpha)))
            return stored;
    }

    // Quiet at the horizon: judge it, unless the game is over. Captures
    // are compulsory, so a pending one is played out whatever the depth.
    const int side = position.m_side;
    const bool theyCanMove = position.HasMove(side ^ 1);
    // A finished game is the rules' to judge (who lost can depend on the
    // last move); any other position the database holds is known exactly.
    if (ply > 0 && theyCanMove && m_endgame &&
        bitboard::Count(position.m_black | position.m_red) <= m_endgamePieces &&
        position.HasMove(side))
        if (const std::optional<int> known = EndgameScore(position, ply))
            return *known;
    if (depth <= 0 && !position.HasCapture(side))
    {
        const bool weCanMove = position.HasMove(side);
        return weCanMove && theyCanMove ? Judge(position, ply)
                                        : GameOverScore(weCanMove, theyCanMove, afterCapture, ply);
    }
    CMoveList& list = m_lists[ply];
    GenerateMoves(position, list);
    if (list.Empty() || !theyCanMove)
        return GameOverScore(!list.Empty(), theyCanMove, afterCapture, ply);
    depth = std::max(depth, 0);

    // No line can end sooner than the next ply.
    alpha = std::max(alpha, -(kWinScore - ply - 1));
    beta = std::min(beta, kWinScore - ply - 1);
    if (alpha >= beta)
        return alpha;

    OrderMoves(list, ply, side, tableMove);
    // A forced move costs the opponent nothing to answer: look one further.
    const int extension = list.Size() == 1 && !list[0].IsCapture() && ply < m_rootDepth ? 1 : 0;

    // Near the horizon, a position that judges far below the window gains
    // nothing from a late quiet move: its score would have to jump more
    // than a ply or two of quiet play ever makes up.
    const int futility = !pvNode && depth <= 2 && extension == 0 && !list[0].IsCapture() &&
                                 std::abs(alpha) < kKnownWin - kKnownWinSpread
                             ? Judge(position, ply) + kFutilityMargin[depth]
                             : kInfinity;

    int best = -kInfinity;
    std::uint16_t bestId = 0;
    Bound bound = Bound::Upper;
    for (int i = 0; i < list.Size(); ++i)
    {
        const EngineMove move = list.PickBest(i);
        if (i > 0 && futility <= alpha && !move.crowns && list.Key(i) < kKillerKey)
        {
            best = std::max(best, futility);
            continue;
        }
        const CPosition child = position.After(move);
        const std::uint64_t childKey = KeyAfter(key, position, move);
        if (depth > 1 || extension > 0)
            m_table.Prefetch(childKey); // the child looks it up
        NoteQuietPlies(position, move, ply);
        const int next = depth - 1 + extension;
        int score;
        if (i == 0)
            score = -Search(child, childKey, next, -beta, -alpha, ply + 1, move.IsCapture());
        else
        {
            // Late quiet moves rarely matter: look at them less deeply
            // first, and fully only when they surprise.
            const bool quiet = !move.IsCapture() && !move.crowns && list.Key(i) < kKillerKey;
            const int reduction =
                quiet && depth >= 3 && i >= 2 ? LateMoveReduction(depth, i, pvNode) : 0;
            score = -Search(child, childKey, next - reduction, -alpha - 1, -alpha, ply + 1,
                            move.IsCapture());
            if (score > alpha && reduction > 0)
                score =
                    -Search(child, childKey, next, -alpha - 1, -alpha, ply + 1, move.IsCapture());
            if (score > alpha && score < beta)
                score = -Search(child, childKey, next, -beta, -alpha, ply + 1, move.IsCapture());
        }
        if (m_stopped)
            return 0;
        if (score <= best)
            continue;
        best = score;
        bestId = MoveId(move);
        if (score <= alpha)
            continue;
        // Only a move that beats the window's floor is known to be better:
        // below it, scores are mere bounds, and a narrow root window can
        // leave every move there.
        if (ply == 0)
        {
            m_rootBest = move;
            m_rootScore = score;
        }
        alpha = score;
        bound = Bound::Exact;
        EngineMove* line = &m_pv[static_cast<std::size_t>(ply) * (kMaxPly + 1)];
        const EngineMove* rest = line + kMaxPly + 1;
        line[0] = move;
        std::copy(rest, rest + m_pvLength[ply + 1], line + 1);
        m_pvLength[ply] = m_pvLength[ply + 1] + 1;
        if (alpha >= beta)
        {
            bound = Bound::Lower;
            NoteCutoff(move, ply, side, depth);
            break;
        }
    }
    if (useTable)
        m_table.Store(key, depth, ToTable(best, ply), bound, bestId);
    return best;
}

void CSearch::OrderMoves(CMoveList& list, int ply, int side, std::uint16_t tableMove) const
{
    const auto& killers = m_killers[ply];
    for (int i = 0; i < list.Size(); ++i)
    {
        const EngineMove& move = list[i];
        const std::uint16_t id = MoveId(move);
        int key = m_history[(side * 32 + move.From()) * 32 + move.To()];
        if (id == tableMove)
            key = kTableMoveKey;
        else if (move.IsCapture())
            key = kCaptureKey + std::popcount(move.captured);
        else if (id == killers[0])
            key = kKillerKey + 1;
        else if (id == killers[1])
            key = kKillerKey;
        list.Key(i) = key;
    }
}

void CSearch::NoteCutoff(const EngineMove& move, int ply, int side, int depth)
{
    if (move.IsCapture())
        return; // captures are ordered by what they take
    auto& killers = m_killers[ply];
    const std::uint16_t id = MoveId(move);
    if (killers[0] != id)
    {
        killers[1] = killers[0];
        killers[0] = id;
    }
    int& history = m_history[(side * 32 + move.From()) * 32 + move.To()];
    history += depth * depth;
    if (history > kHistoryCap)
        for (int& h : m_history)
            h /= 2;
}

void CSearch::NoteQuietPlies(const CPosition& position, const EngineMove& move, int ply)
{
    const auto at = static_cast<std::size_t>(m_rootIndex + ply);
    m_quietPlies[at + 1] = ResetsQuietCount(position, move) ? 0 : m_quietPlies[at] + 1;
}

void CSearch::PollStop()
{
    if (m_stop->load(std::memory_order_relaxed) || (m_hasDeadline && Clock::now() >= m_deadline) ||
        (m_nodeLimit > 0 && m_nodes >= m_nodeLimit))
        m_stopped = true;
}

int CSearch::ElapsedMs() const
{
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start).count());
}

SearchInfo CSearch::MakeInfo(int depth, int score) const
{
    SearchInfo info;
    info.depth = depth;
    info.score = score;
    const int toEnd = PliesToEnd(score);
    info.winMoves = score > 0 ? (toEnd + 1) / 2 : -((toEnd + 1) / 2);
    info.nodes = m_nodes;
    info.timeMs = ElapsedMs();
    info.nodesPerSecond = NodesPerSecond(m_nodes, m_start);
    for (int i = 0; i < m_pvLength[0]; ++i)
        info.pv.push_back(ToNotated(m_pv[static_cast<std::size_t>(i)]));
    if (info.pv.empty() && depth > 0)
        info.pv.push_back(ToNotated(m_rootBest)); // every move lost: no line raised the bound
    return info;
}

// Scores every root move in full and draws one of those close to the best;
// a forced win is never passed over and a forced loss never picked when
// anything else is there.
EngineMove CSearch::DrawAmongBest(const CPosition& root, std::uint64_t key, int depth,
                                  const SearchLimits& limits)
{
    CMoveList moves = m_lists[0];
    std::vector<int> scores;
    int best = -kInfinity;
    for (int i = 0; i < moves.Size(); ++i)
    {
        const CPosition child = root.After(moves[i]);
        NoteQuietPlies(root, moves[i], 0);
        const int score = -Search(child, KeyAfter(key, root, moves[i]), depth - 1, -kInfinity,
                                  kInfinity, 1, moves[i].IsCapture());
        scores.push_back(score);
        best = std::max(best, score);
    }
    if (m_stopped)
        return m_rootBest;
    const int floor = best >= kWinBound
                          ? best
                          : std::min(best, std::max(best - limits.randomMargin, -kWinBound + 1));
    std::vector<int> candidates;
    for (int i = 0; i < moves.Size(); ++i)
        if (scores[static_cast<std::size_t>(i)] >= floor)
            candidates.push_back(i);
    const std::uint64_t draw = Mix(limits.seed ^ Mix(key));
    return moves[candidates[draw % candidates.size()]];
}
