#include "engine/EndgameCheck.h"
#include "engine/EndgameFiles.h"
#include "engine/EndgameSolver.h"
#include "engine/Perft.h"
#include "engine/Search.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "rules/GameText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace
{
using Outcome = EndgameValue::Outcome;

std::string Fen(const CPosition& position)
{
    return PrintFen(position.ToFen());
}

CPosition FromFen(const char* text)
{
    return CPosition::FromFen(ParseFen(text).value());
}

// Every slice of up to three pieces, and the kings-only four-piece pair:
// solved once for the whole test program (about a second under sanitizers).
const CEndgameTable& SmallTable()
{
    static const CEndgameTable table = []
    {
        CEndgameTable made;
        CEndgameSolver solver(made);
        solver.SolveUpTo(3);
        solver.SolvePair({0, 2, 0, 2});
        return made;
    }();
    return table;
}

std::string Text(const EndgameMaterial& m)
{
    return CEndgameTable::FileName(m);
}
} // namespace

TEST(EndgameSlice, EveryNumberIsOnePositionOfTheSliceAndBack)
{
    for (int pieces = 2; pieces <= 4; ++pieces)
        for (const EndgameMaterial& m : MaterialsOf(pieces))
        {
            const CEndgameSlice slice(m);
            // Four-piece slices in steps, so the test stays quick under
            // sanitizers; the step is odd, so every block is crossed.
            const std::uint64_t step = pieces < 4 ? 1 : 7;
            for (std::uint64_t i = 0; i < slice.Size(); i += step)
            {
                const CPosition position = slice.PositionAt(i);
                ASSERT_EQ(slice.IndexOf(position), i) << Text(m) << " " << Fen(position);
                ASSERT_EQ(MaterialOf(position), m) << Fen(position);
                ASSERT_EQ(position.m_black & position.m_red, 0u) << Fen(position);
                ASSERT_EQ(position.m_black & ~position.m_kings & bitboard::kRow7, 0u);
                ASSERT_EQ(position.m_red & ~position.m_kings & bitboard::kRow0, 0u);
            }
        }
}

TEST(EndgameSlice, SizeIsTheNumberOfPlacementsAndNothingElseIsNumbered)
{
    // Counted square by square: a black man and a red man (not on their far
    // rows), and one king each.
    int menPlacements = 0;
    for (int black = 0; black < 28; ++black)
        for (int red = 4; red < 32; ++red)
            menPlacements += black != red;
    EXPECT_EQ(CEndgameSlice({1, 0, 1, 0}).Size(), static_cast<std::uint64_t>(menPlacements));
    EXPECT_EQ(CEndgameSlice({0, 1, 0, 1}).Size(), 32u * 31u);
    EXPECT_EQ(CEndgameSlice({1, 0, 0, 1}).Size(), 28u * 31u);

    const CEndgameSlice slice({1, 0, 0, 1});
    for (const char* outside : {"W:WK5:B1",  // red to move
                                "B:WK5:B29", // a black man on its far row
                                "B:W5:B1",   // other material
                                "B:WK5:BK1"})
        EXPECT_FALSE(slice.IndexOf(FromFen(outside))) << outside;
    CPosition dead = FromFen("B:WK5:B1");
    dead.m_dead = bitboard::Bit(20);
    EXPECT_FALSE(slice.IndexOf(dead));
    EXPECT_THROW(CEndgameSlice({0, 0, 1, 1}), std::invalid_argument);
}

TEST(EndgameSlice, TurningTheBoardKeepsTheGame)
{
    EXPECT_EQ(Rotated(0x00000001u), 0x80000000u); // square 1 becomes 32
    EXPECT_EQ(Rotated(0x00000F00u), 0x00F00000u); // 9..12 become 21..24
    std::mt19937 random(5);
    for (int i = 0; i < 200; ++i)
    {
        const CPosition position = CEndgameSlice({1, 1, 2, 0}).PositionAt(random() % 100000);
        CPosition red = position;
        red.m_side = CPosition::Red;
        const CPosition turned = Canonical(red);
        ASSERT_EQ(turned.m_side, CPosition::Black);
        ASSERT_EQ(Canonical(turned), turned);
        ASSERT_EQ(Rotated(Rotated(position.m_black)), position.m_black);
        ASSERT_EQ(Perft(red, 3), Perft(turned, 3)) << Fen(red);
    }
}

TEST(EndgameSolver, EveryValueIsWhatOneMoveOverTheTableFinds)
{
    const CEndgameTable& table = SmallTable();
    EXPECT_EQ(table.CompletePieces(), 3);
    std::mt19937 random(7);
    for (int pieces = 2; pieces <= 4; ++pieces)
        for (const EndgameMaterial& m : MaterialsOf(pieces))
        {
            const CEndgameSlice* slice = table.Slice(m);
            if (!slice)
                continue;
            int wins = 0, losses = 0;
            // Every position up to three pieces, a sample of the four.
            const std::uint64_t count = pieces < 4 ? slice->Size() : 3000;
            for (std::uint64_t n = 0; n < count; ++n)
            {
                const std::uint64_t i = pieces < 4 ? n : random() % slice->Size();
                const CPosition position = slice->PositionAt(i);
                const EndgameValue held = table.ValueAt(m, i);
                ASSERT_EQ(held, ValueByOneMove(table, position)) << Text(m) << " " << Fen(position);
                ASSERT_EQ(table.Probe(position), held);
                wins += held.outcome == Outcome::Win;
                losses += held.outcome == Outcome::Loss;
            }
            EXPECT_GT(wins + losses, 0) << Text(m);
        }
}

TEST(EndgameSolver, AgreesWithADeepSearchOfThePosition)
{
    const CEndgameTable& table = SmallTable();
    std::mt19937 random(3);
    const std::atomic<bool> never{false};
    CSearch search(4);
    int wins = 0, losses = 0, draws = 0;
    std::vector<EndgameMaterial> materials = MaterialsOf(2);
    for (const EndgameMaterial& m : MaterialsOf(3))
        materials.push_back(m);
    for (const EndgameMaterial& m : materials)
        for (int tries = 0; tries < 60; ++tries)
        {
            const std::uint64_t i = random() % table.Slice(m)->Size();
            const CPosition position = table.Slice(m)->PositionAt(i);
            const EndgameValue value = table.ValueAt(m, i);
            // Short results only: the search proves them in a few plies.
            if (value.plies > 9 || position.IsOver())
                continue;
            const bool decided = value.outcome != Outcome::Draw;
            if (!decided && draws > wins / 3)
                continue;
            search.Clear();
            const SearchResult result = search.Run(position, {.depth = 14}, never);
            const int moves = (value.plies + 1) / 2;
            const int expected = value.outcome == Outcome::Win    ? moves
                                 : value.outcome == Outcome::Loss ? -moves
                                                                  : 0;
            EXPECT_EQ(result.info.winMoves, expected) << Fen(position);
            (value.outcome == Outcome::Win    ? wins
             : value.outcome == Outcome::Loss ? losses
                                              : draws)++;
        }
    EXPECT_GT(wins, 100);
    EXPECT_GT(losses, 20);
    EXPECT_GT(draws, 8);
}

TEST(EndgameSolver, KnowsTheGamesOwnEnds)
{
    const CEndgameTable& table = SmallTable();
    const struct
    {
        const char* fen;
        EndgameValue value;
    } cases[] = {
        {"B:W28:B19,20", {Outcome::Win, 1}},     // block the last piece
        {"B:W27,28,31:B20", {}},                 // four pieces with men: not held
        {"B:WK32:BK14,K19", {Outcome::Win, -1}}, // two kings catch one
        {"W:WK32:BK14,K19", {Outcome::Loss, -1}},
        {"W:W5:B1", {Outcome::Loss, 0}}, // red is stuck
        {"B:W5:B1", {Outcome::Win, 0}},
        {"B:W15", {}}, // over: nothing to look up
    };
    for (const auto& c : cases)
    {
        const EndgameValue value = table.Probe(FromFen(c.fen));
        EXPECT_EQ(value.outcome, c.value.outcome) << c.fen;
        EXPECT_TRUE(c.value.plies < 0 || value.plies == c.value.plies) << c.fen;
    }
    // The last piece taken with both sides stuck: the capturer keeps the
    // turn and loses, so this capture, black's only move, loses.
    const CPosition stuck = FromFen("B:W24:B19,32");
    EXPECT_EQ(ValueByOneMove(table, stuck).outcome, Outcome::Loss);
}

TEST(EndgameSolver, RefusesASliceBeforeWhatItLeadsTo)
{
    CEndgameTable table;
    CEndgameSolver solver(table);
    try
    {
        solver.SolvePair({1, 0, 0, 1});
        FAIL() << "solved without its successors";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ(error.what(), "slice 0101 must be solved before 1001");
    }
    EXPECT_FALSE(table.Has({1, 0, 0, 1}));
}

namespace
{
const EndgameMaterial kKingAndMan{1, 0, 0, 1};

std::string SliceFile(bool distances)
{
    std::ostringstream out;
    SmallTable().Write(kKingAndMan, out, distances);
    return out.str();
}

// What reading `bytes` as the file of kKingAndMan says, read and mapped
// alike: "" when it is taken.
std::string ReadProblem(const std::string& bytes)
{
    CEndgameTable read, mapped;
    std::istringstream in(bytes);
    std::string error, mapError;
    const bool taken = read.Read(in, kKingAndMan, &error);
    testsupport::TempFolder folder;
    EXPECT_EQ(mapped.Map(folder.Write("slice", bytes), kKingAndMan, &mapError), taken);
    EXPECT_EQ(mapError, error);
    EXPECT_EQ(taken, error.empty());
    EXPECT_EQ(read.Has(kKingAndMan), taken);
    return error;
}

// `bytes` with the checksum made to match its values again.
std::string Resealed(std::string bytes)
{
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 32; i < bytes.size(); ++i)
        hash = (hash ^ static_cast<std::uint8_t>(bytes[i])) * 16777619u;
    for (int i = 0; i < 4; ++i)
        bytes[28 + i] = static_cast<char>(hash >> (8 * i));
    return bytes;
}

std::string Patched(std::string bytes, std::size_t at, char value)
{
    bytes[at] = value;
    return bytes;
}
} // namespace

TEST(EndgameFiles, ASliceReadsBackAsItWasWrittenWithOrWithoutDistances)
{
    const CEndgameTable& table = SmallTable();
    const CEndgameSlice& slice = *table.Slice(kKingAndMan);
    for (const bool distances : {true, false})
    {
        CEndgameTable read;
        std::istringstream in(SliceFile(distances));
        std::string error;
        ASSERT_TRUE(read.Read(in, kKingAndMan, &error)) << error;
        EXPECT_EQ(SliceFile(distances).size(),
                  32 + (distances ? slice.Size() : (slice.Size() + 3) / 4));
        for (std::uint64_t i = 0; i < slice.Size(); ++i)
        {
            EndgameValue expected = table.ValueAt(kKingAndMan, i);
            if (!distances && expected.outcome != Outcome::Draw)
                expected.plies = -1;
            ASSERT_EQ(read.ValueAt(kKingAndMan, i), expected) << i;
        }
    }
}

TEST(EndgameFiles, ADamagedOrForeignFileIsRefusedWithItsReason)
{
    const std::string good = SliceFile(true);
    EXPECT_EQ(ReadProblem(good), "");
    EXPECT_EQ(ReadProblem(""), "not an endgame database file");
    EXPECT_EQ(ReadProblem(Patched(good, 0, 'Q')), "not an endgame database file");
    EXPECT_EQ(ReadProblem(Patched(good, 8, 2)),
              "endgame database format 2, this program reads format 1");
    EXPECT_EQ(ReadProblem(Patched(good, 15, 0)), "holds slice 1000 instead of 1001");
    EXPECT_EQ(ReadProblem(Patched(good, 16, 1)), "holds 769 positions, the slice has 868");
    EXPECT_EQ(ReadProblem(Patched(good, 24, 6)), "unknown value form 6");
    EXPECT_EQ(ReadProblem(good.substr(0, good.size() - 1)), "ends before its last value");
    EXPECT_EQ(ReadProblem(good + "x"), "goes on past its last value");
    EXPECT_EQ(ReadProblem(Patched(good, 40, static_cast<char>(good[40] ^ 2))),
              "damaged: its checksum does not match its values");
    // Values out of range with a checksum to match them.
    EXPECT_EQ(ReadProblem(Resealed(Patched(good, 32 + 5, static_cast<char>(255)))),
              "holds a value no solver writes at position 5");
    const std::string results = SliceFile(false);
    EXPECT_EQ(ReadProblem(Resealed(Patched(results, 32 + 3, static_cast<char>(0x30)))),
              "holds a value no solver writes at position 14");
}

TEST(EndgameFiles, DistancesBeyondAByteReadBackAsWinsAndLossesOfUnknownLength)
{
    std::vector<endgamecode::Code> codes(868, endgamecode::kDraw);
    codes[1] = endgamecode::Win(125);
    codes[2] = endgamecode::Win(126);
    codes[3] = endgamecode::Loss(300);
    CEndgameTable table;
    table.Add(kKingAndMan, codes);
    EXPECT_EQ(table.ValueAt(kKingAndMan, 3), (EndgameValue{Outcome::Loss, 300}));
    std::ostringstream out;
    table.Write(kKingAndMan, out);
    CEndgameTable read;
    std::istringstream in(out.str());
    std::string error;
    ASSERT_TRUE(read.Read(in, kKingAndMan, &error)) << error;
    EXPECT_EQ(read.ValueAt(kKingAndMan, 1), (EndgameValue{Outcome::Win, 125}));
    EXPECT_EQ(read.ValueAt(kKingAndMan, 2), (EndgameValue{Outcome::Win, -1}));
    EXPECT_EQ(read.ValueAt(kKingAndMan, 3), (EndgameValue{Outcome::Loss, -1}));
}

TEST(EndgameFiles, AFolderGivesWhatItHoldsAndNamesWhatItCannotRead)
{
    testsupport::TempFolder folder;
    const CEndgameTable& table = SmallTable();
    for (const EndgameMaterial& m : MaterialsOf(2))
    {
        std::ofstream out(folder / CEndgameTable::FileName(m), std::ios::binary);
        table.Write(m, out);
    }
    folder.Write(CEndgameTable::FileName({0, 1, 0, 1}), "PLXNEGDB");
    for (const std::uint64_t mapFrom : {CEndgameTable::kMapFromBytes, std::uint64_t{0}})
    {
        CEndgameTable read;
        std::vector<std::string> problems;
        EXPECT_EQ(read.ReadFolder(folder.path, 5, &problems, mapFrom), 3);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0], folder / "slice-0101.egdb" + ": not an endgame database file");
        EXPECT_EQ(read.CompletePieces(), 0);
        for (const EndgameMaterial& m : {EndgameMaterial{1, 0, 1, 0}, EndgameMaterial{1, 0, 0, 1}})
            for (std::uint64_t i = 0; i < table.Slice(m)->Size(); ++i)
            {
                // Mapped, the distance comes from the file only when asked for.
                const EndgameValue value = table.ValueAt(m, i);
                const bool mapped = mapFrom == 0 && value.outcome != Outcome::Draw;
                ASSERT_EQ(read.ValueAt(m, i, true), value) << i;
                ASSERT_EQ(read.ValueAt(m, i),
                          (EndgameValue{value.outcome, mapped ? -1 : value.plies}))
                    << i;
            }
        EXPECT_EQ(read.Probe(FromFen("B:WK28:BK24")).outcome, Outcome::Unknown);
        EXPECT_EQ(read.Bytes(), mapFrom ? 868u + 868u + 760u : 217u + 217u + 190u);
        EXPECT_EQ(read.MappedBytes(), mapFrom ? 0u : 3 * 32 + 868u + 868u + 760u);
    }
}

TEST(EndgameFiles, TheCacheFolderFollowsTheDesktopsRules)
{
    const char* savedCache = std::getenv("XDG_CACHE_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string cache = savedCache ? savedCache : "", home = savedHome ? savedHome : "";
    setenv("XDG_CACHE_HOME", "/tmp/c", 1);
    setenv("HOME", "/home/h", 1);
    EXPECT_EQ(EndgameCacheFolder(), "/tmp/c/plaxen");
    setenv("XDG_CACHE_HOME", "", 1);
    EXPECT_EQ(EndgameCacheFolder(), "/home/h/.cache/plaxen");
    unsetenv("XDG_CACHE_HOME");
    unsetenv("HOME");
    EXPECT_EQ(EndgameCacheFolder(), "");
    savedCache ? setenv("XDG_CACHE_HOME", cache.c_str(), 1) : unsetenv("XDG_CACHE_HOME");
    savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

namespace
{
struct PlayedGame
{
    int plies = 0;
    int loser = -1; // a side, or -1 when the game was still going
};

// The engine against itself from `start`, both sides with `table`, at most
// `maxPlies` plies.
PlayedGame PlayItself(const CPosition& start, const CEndgameTable* table, int depth, int maxPlies)
{
    CSearch search(4);
    search.SetEndgameTable(table);
    const std::atomic<bool> never{false};
    CCheckerBoard board = BoardFromFen(start.ToFen());
    PlayedGame game;
    for (; game.plies < maxPlies && !board.IsGameOver(); ++game.plies)
    {
        const SearchResult result = search.Run(board, {.depth = depth}, never);
        EXPECT_TRUE(result.hasMove) << board;
        if (!result.hasMove || PlayMove(board, result.move) == MoveRefused)
            break;
    }
    if (board.IsGameOver())
        game.loser = LosingSide(board);
    return game;
}

// Positions of `m` that the table calls `outcome` (the longest of them
// first), up to `count` of them, from numbers spread over the slice.
std::vector<std::pair<CPosition, EndgameValue>>
Sample(const CEndgameTable& table, const EndgameMaterial& m, Outcome outcome, int count)
{
    std::vector<std::pair<CPosition, EndgameValue>> found;
    const CEndgameSlice& slice = *table.Slice(m);
    std::pair<CPosition, EndgameValue> longest{CPosition(), {}};
    for (std::uint64_t i = 0; i < slice.Size(); ++i)
    {
        const EndgameValue value = table.ValueAt(m, i);
        if (value.outcome == outcome && value.plies >= 0 && value.plies > longest.second.plies)
            longest = {slice.PositionAt(i), value};
    }
    if (longest.second.outcome == outcome)
        found.push_back(longest);
    std::mt19937 random(static_cast<unsigned>(slice.Size()));
    for (int tries = 0; tries < 2000 && static_cast<int>(found.size()) < count; ++tries)
    {
        const std::uint64_t i = random() % slice.Size();
        if (table.ValueAt(m, i).outcome == outcome && !slice.PositionAt(i).IsOver())
            found.push_back({slice.PositionAt(i), table.ValueAt(m, i)});
    }
    return found;
}
} // namespace

TEST(EndgameSearch, AWonEndingIsWonAsQuicklyAsTheTableSaysAndADrawnOneIsNotLost)
{
    const CEndgameTable& table = SmallTable();
    for (const EndgameMaterial& m :
         {EndgameMaterial{0, 2, 0, 1}, EndgameMaterial{2, 0, 1, 0}, EndgameMaterial{0, 2, 0, 2}})
        for (const auto& [position, value] : Sample(table, m, Outcome::Win, 4))
        {
            // Both sides know the distances: the winner hurries, the loser
            // holds out, and the game lasts exactly as long as the table says.
            const PlayedGame game = PlayItself(position, &table, 3, 200);
            EXPECT_EQ(game.plies, value.plies) << Fen(position);
            EXPECT_EQ(game.loser, CPosition::Red) << Fen(position);
        }
    for (const EndgameMaterial& m : {EndgameMaterial{0, 1, 0, 1}, EndgameMaterial{0, 2, 0, 2}})
        for (const auto& [position, value] : Sample(table, m, Outcome::Draw, 3))
            EXPECT_EQ(PlayItself(position, &table, 3, 40).loser, -1) << Fen(position);
}

TEST(EndgameSearch, TwoKingsThatCannotForceTheWinScoreAsADraw)
{
    // Two kings against one: held in black's single corner by the lone
    // king, they cannot get out without one being taken, and the search
    // finds the repetition the defence forces even without the table. The
    // lone king a square further off lets them out (a win in 33 plies).
    const CPosition held = FromFen("B:WK11:BK3,K4");
    const CPosition free = FromFen("B:WK15:BK3,K4");
    ASSERT_EQ(SmallTable().Probe(held), (EndgameValue{Outcome::Draw, 0}));
    ASSERT_EQ(SmallTable().Probe(free, true), (EndgameValue{Outcome::Win, 33}));
    const std::atomic<bool> never{false};
    const SearchInfo heldAlone = CSearch(1).Run(held, {.depth = 24}, never).info;
    EXPECT_EQ(heldAlone.score, 0);
    EXPECT_EQ(heldAlone.winMoves, 0);
    EXPECT_GT(CSearch(1).Run(free, {.depth = 24}, never).info.score, kLevelMargin);

    // With the table the free kings win, unless the win, all of it quiet,
    // would run into the forty-move claim: after 47 quiet plies the last
    // capture comes on the 80th, after 48 the loser claims first, and
    // after 70 the search sees every line end in the claim.
    const auto afterQuietPlies = [](const CPosition& root, int quiet)
    {
        std::vector<CPosition> game; // made up: only the counts matter, and none repeats
        for (int ply = 0; ply < quiet; ++ply)
        {
            CPosition position;
            position.m_black = bitboard::Bit(ply % 12) | bitboard::Bit(13);
            position.m_red = bitboard::Bit(20 + ply / 12);
            position.m_kings = position.m_black | position.m_red;
            position.m_side = (root.m_side + quiet - ply) % 2;
            game.push_back(position);
        }
        game.push_back(root);
        return game;
    };
    CSearch search(1);
    search.SetEndgameTable(&SmallTable());
    EXPECT_EQ(search.Run(held, {.depth = 12}, never).info.score, 0);
    EXPECT_EQ(search.Run(afterQuietPlies(free, 47), {.depth = 12}, never).info.winMoves, 17);
    const SearchInfo late = search.Run(afterQuietPlies(free, 48), {.depth = 12}, never).info;
    EXPECT_EQ(late.winMoves, 0);
    EXPECT_LT(late.score, kWinScore - kMaxPly);
    EXPECT_EQ(search.Run(afterQuietPlies(free, 70), {.depth = 12}, never).info.score, 0);
}

TEST(EndgameSearch, ResultsWithoutDistancesStillWinAndAnExactRootEndsTheSearch)
{
    // Two kings against one with results only: the search heads for the
    // end by its estimate, and the two-piece slices it reaches are exact.
    CEndgameTable table;
    CEndgameSolver(table).SolveUpTo(3);
    for (const EndgameMaterial& m : MaterialsOf(3))
    {
        const CEndgameSlice& slice = *table.Slice(m);
        std::vector<endgamecode::Code> codes(slice.Size());
        for (std::uint64_t i = 0; i < slice.Size(); ++i)
        {
            const EndgameValue value = table.ValueAt(m, i);
            codes[i] = value.outcome == Outcome::Win    ? endgamecode::Win(value.plies)
                       : value.outcome == Outcome::Loss ? endgamecode::Loss(value.plies)
                                                        : endgamecode::kDraw;
        }
        table.Add(m, codes, false);
    }
    for (const EndgameMaterial& m : {EndgameMaterial{0, 2, 0, 1}, EndgameMaterial{1, 1, 0, 1}})
        for (const auto& [position, value] : Sample(table, m, Outcome::Win, 3))
        {
            const PlayedGame game = PlayItself(position, &table, 9, 120);
            EXPECT_EQ(game.loser, CPosition::Red) << Fen(position);
        }

    // An exact value at the root: two iterations make sure of it.
    const CEndgameTable& exact = SmallTable();
    const auto longest = Sample(exact, {0, 2, 0, 1}, Outcome::Win, 1).front();
    CSearch search(4);
    search.SetEndgameTable(&exact);
    const SearchResult result = search.Run(longest.first, {.depth = 40}, false);
    EXPECT_EQ(result.info.depth, 2);
    EXPECT_EQ(result.info.winMoves, (longest.second.plies + 1) / 2);
}

TEST(EndgameFiles, TheSharedTableIsMadeAwayFromTheSearchAndHoldsTheSmallSlices)
{
    testsupport::TempFolder cache;
    const char* saved = std::getenv("XDG_CACHE_HOME");
    const std::string savedCache = saved ? saved : "";
    std::filesystem::create_directories(cache.path / "plaxen");
    // Results only: the four-piece slice is read, the three-piece one is
    // solved here all the same, with its distances.
    for (const EndgameMaterial& m : {EndgameMaterial{0, 2, 0, 2}, EndgameMaterial{1, 0, 1, 0}})
    {
        std::ofstream out(cache / ("plaxen/" + CEndgameTable::FileName(m)), std::ios::binary);
        SmallTable().Write(m, out, false);
    }
    setenv("XDG_CACHE_HOME", cache.path.c_str(), 1);

    // A search asked to use it goes on without it until it is there.
    CSearch search(1, EndgameTables::Shared);
    const std::atomic<bool> never{false};
    const CPosition won = FromFen("B:WK32:BK14,K19");
    const auto start = std::chrono::steady_clock::now();
    const CEndgameTable* table = nullptr;
    while (!(table = SharedEndgameTableIfReady()) &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(60))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    saved ? setenv("XDG_CACHE_HOME", savedCache.c_str(), 1) : unsetenv("XDG_CACHE_HOME");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(&SharedEndgameTable(), table);
    EXPECT_EQ(table->CompletePieces(), kBuiltInEndgamePieces);
    const CPosition kings = Sample(SmallTable(), {0, 2, 0, 2}, Outcome::Win, 1).front().first;
    EXPECT_EQ(table->Probe(kings), (EndgameValue{Outcome::Win, -1}));
    EXPECT_EQ(table->Probe(FromFen("B:W28:B24")), SmallTable().Probe(FromFen("B:W28:B24")));
    EXPECT_EQ(table->Probe(won), SmallTable().Probe(won));

    const SearchResult result = search.Run(won, {.depth = 40}, never);
    EXPECT_EQ(result.info.depth, 2); // exact at once
    EXPECT_EQ(result.info.winMoves, (SmallTable().Probe(won).plies + 1) / 2);
}
