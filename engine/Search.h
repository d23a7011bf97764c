#pragma once
// The computer opponent's thinking: iterative deepening alpha-beta with
// principal variation search, a transposition table, killer and history
// move order, and captures played out before judging a position.

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "engine/EndgameTable.h"
#include "engine/MoveList.h"
#include "engine/Position.h"
#include "engine/SearchTypes.h"
#include "engine/TimeManager.h"
#include "engine/TranspositionTable.h"
#include "rules/CheckerBoard.h"

// Where a search looks up endgames: nowhere, or the process's shared
// database (SharedEndgameTable), from the first Run after it is ready.
enum class EndgameTables
{
    None,
    Shared,
};

// One search at a time, on the thread that owns the object; everything it
// learns (the table, move-order statistics) stays inside. Nothing is shared
// between instances but constant tables.
class CSearch
{
public:
    explicit CSearch(std::size_t hashMegabytes = 16, EndgameTables endgame = EndgameTables::None);
    CSearch(const CSearch&) = delete;
    CSearch& operator=(const CSearch&) = delete;

    // Searches the last position of `game` (side to move = the searching
    // side) within `limits`; returns at once with the best move so far when
    // `stop` becomes true. No move when the game is over or `game` is empty.
    // `game` holds the positions from the start of the game (or the
    // position it was set up from), each after a whole move: a position met
    // there for the third time, or 80 plies without a man moved or a piece
    // taken, is a draw either side may claim, and the search scores it so.
    // `onInfo` hears of every finished iteration, on the calling thread.
    SearchResult Run(const std::vector<CCheckerBoard>& game, const SearchLimits& limits,
                     const std::atomic<bool>& stop,
                     const std::function<void(const SearchInfo&)>& onInfo = {});
    SearchResult Run(const std::vector<CPosition>& game, const SearchLimits& limits,
                     const std::atomic<bool>& stop,
                     const std::function<void(const SearchInfo&)>& onInfo = {});
    // A game of one position: nothing before it.
    SearchResult Run(const CCheckerBoard& position, const SearchLimits& limits,
                     const std::atomic<bool>& stop,
                     const std::function<void(const SearchInfo&)>& onInfo = {});
    SearchResult Run(const CPosition& position, const SearchLimits& limits,
                     const std::atomic<bool>& stop,
                     const std::function<void(const SearchInfo&)>& onInfo = {});

    // Forgets what earlier searches learnt (for a new game).
    void Clear();

    // Positions `table` holds are judged by it from then on (nullptr: none).
    // A won one that keeps its distances scores as the game's end that many
    // plies on, so the quickest win is chosen; one that keeps results only
    // scores below every proven win and above every estimate, with the
    // estimate added, so the winner heads for a position that does.
    void SetEndgameTable(const CEndgameTable* table);

private:
    using Clock = std::chrono::steady_clock;

    // Fills the draw rules' look-back from the game before the root.
    void SetHistory(const std::vector<CPosition>& game);
    // One iteration at the root, the window placed around the last one's score.
    int SearchRoot(const CPosition& root, std::uint64_t key, int depth, int previousScore);
    int Search(const CPosition& position, std::uint64_t key, int depth, int alpha, int beta,
               int ply, bool afterCapture);
    void AdoptEndgameTable(const CEndgameTable* table);
    // The table's score of a position whose game is not over, or nothing.
    std::optional<int> EndgameScore(const CPosition& position, int ply) const;
    // Whether the position at `ply` (its key already in place) is a draw a
    // player could claim: repeated, or quiet for too long.
    bool IsClaimableDraw(const CPosition& position, int ply) const;
    // A quiet position's value, pulled towards a draw as the quiet plies
    // mount, so a side ahead makes progress rather than going round.
    int Judge(const CPosition& position, int ply) const;
    void OrderMoves(CMoveList& list, int ply, int side, std::uint16_t tableMove) const;
    void NoteCutoff(const EngineMove& move, int ply, int side, int depth);
    // The quiet plies at ply + 1 after `move` from `position` at `ply`.
    void NoteQuietPlies(const CPosition& position, const EngineMove& move, int ply);
    void PollStop();
    int ElapsedMs() const;
    SearchInfo MakeInfo(int depth, int score) const;
    EngineMove DrawAmongBest(const CPosition& root, std::uint64_t key, int depth,
                             const SearchLimits& limits);

    CTranspositionTable m_table;
    bool m_sharedEndgame = false;
    const CEndgameTable* m_endgame = nullptr;
    int m_endgamePieces = 0;        // the most pieces any slice held has
    int m_endgameComplete = 0;      // every slice of up to this many pieces is held
    std::vector<CMoveList> m_lists; // one per ply
    std::vector<std::array<std::uint16_t, 2>> m_killers;
    std::vector<int> m_history;   // [side][from][to]
    std::vector<EngineMove> m_pv; // [ply][i], kMaxPly x kMaxPly
    std::array<int, kMaxPly + 1> m_pvLength{};
    // The draw rules' memory: the keys of the game's positions since the
    // last man move or capture before the root, then one per ply of the
    // current line (the root at m_rootIndex), and the quiet plies at each.
    std::vector<std::uint64_t> m_keys;
    std::vector<int> m_quietPlies;
    int m_rootIndex = 0;

    // Per run.
    const std::atomic<bool>* m_stop = nullptr;
    Clock::time_point m_start;
    Clock::time_point m_deadline;
    bool m_hasDeadline = false;
    std::uint64_t m_nodeLimit = 0;
    CTimeManager m_time;
    bool m_stopped = false;
    std::uint64_t m_nodes = 0;
    int m_rootDepth = 0;
    EngineMove m_rootBest{};
    int m_rootScore = 0;
};
