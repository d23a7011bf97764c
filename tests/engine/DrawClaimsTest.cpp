#include "engine/DrawClaims.h"
#include "engine/MoveGen.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "record/DrawRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace
{
CPosition Play(const CPosition& position, const char* text)
{
    CMoveList list;
    GenerateMoves(position, list);
    for (int i = 0; i < list.Size(); ++i)
        if (PrintMove(ToNotated(list[i])) == text)
            return position.After(list[i]);
    ADD_FAILURE() << text << " is not legal in " << PrintFen(position.ToFen());
    return position;
}
} // namespace

TEST(DrawClaims, CountRepetitionsAndQuietPliesAsTheRulesDo)
{
    // The position after each move and the move itself agree on whether
    // the quiet count starts again, through captures, crownings and kings.
    std::mt19937 random(9);
    for (int game = 0; game < 20; ++game)
    {
        CPosition position = CPosition::Start();
        for (int ply = 0; ply < 200 && !position.IsOver(); ++ply)
        {
            CMoveList list;
            GenerateMoves(position, list);
            const EngineMove move = list[static_cast<int>(random() % list.Size())];
            ASSERT_EQ(ResetsQuietCount(position, move),
                      ResetsQuietCount(position, position.After(move)))
                << PrintFen(position.ToFen()) << " " << PrintMove(ToNotated(move));
            position = position.After(move);
        }
    }

    // The starting position comes round a third time after eight plies.
    CPosition position = CPosition::FromFen(*ParseFen("B:WK30,K31:BK1"));
    CDrawClaims claims(position);
    const char* cycle[] = {"1-6", "30-26", "6-1", "26-30"};
    for (int ply = 0; ply < 8; ++ply)
    {
        EXPECT_EQ(claims.Claimable(), DrawClaim::None) << ply;
        position = Play(position, cycle[ply % 4]);
        claims.Played(position);
    }
    EXPECT_EQ(claims.Claimable(), DrawClaim::Repetition);

    // Eighty plies of kings wandering without repeating: the forty-move
    // rule, unless a man moves first.
    const auto walk = [](int ply)
    {
        CPosition p;
        p.m_black = bitboard::Bit(ply % 12) | bitboard::Bit(19);
        p.m_red = bitboard::Bit(20 + ply / 12) | bitboard::Bit(31);
        p.m_kings = bitboard::Bit(ply % 12) | p.m_red;
        p.m_side = ply % 2;
        return p;
    };
    CDrawClaims quiet(walk(0)), broken(walk(0));
    for (int ply = 1; ply <= 80; ++ply)
    {
        EXPECT_EQ(quiet.Claimable(), DrawClaim::None) << ply;
        quiet.Played(walk(ply));
        CPosition next = walk(ply);
        if (ply == 40) // black's man on square 20 steps to 24
            next.m_black ^= bitboard::Bit(19) | bitboard::Bit(23);
        if (ply > 40)
            next.m_black ^= bitboard::Bit(19) | bitboard::Bit(23);
        broken.Played(next);
    }
    EXPECT_EQ(quiet.Claimable(), DrawClaim::FortyMoves);
    EXPECT_EQ(broken.Claimable(), DrawClaim::None);

    // Kings only, and the 81st quiet ply shuts red's king in its corner:
    // the game is won, not drawn.
    const auto kings = [](int ply)
    {
        CPosition p;
        p.m_black = bitboard::Bit(ply % 12) | bitboard::Bit(21);
        p.m_red = bitboard::Bit(12 + ply / 12);
        p.m_kings = p.m_black | p.m_red;
        p.m_side = ply % 2;
        return p;
    };
    CDrawClaims won(kings(0));
    for (int ply = 1; ply <= 80; ++ply)
        won.Played(kings(ply));
    EXPECT_EQ(won.Claimable(), DrawClaim::FortyMoves);
    won.Played(CPosition::FromFen(*ParseFen("W:WK29:BK22,K25")));
    EXPECT_EQ(won.Claimable(), DrawClaim::None);
}

namespace
{
std::string ClaimText(DrawClaim claim)
{
    return claim == DrawClaim::Repetition   ? "repetition"
           : claim == DrawClaim::FortyMoves ? "forty moves"
                                            : "none";
}

std::string ClaimText(std::optional<GameEndKind> claim)
{
    return !claim                              ? "none"
           : *claim == GameEndKind::Repetition ? "repetition"
           : *claim == GameEndKind::FortyMoves ? "forty moves"
                                               : "another end";
}

// A few pieces, mostly kings, anywhere they may stand: endings in which
// kings go round long enough for both claims to come up.
CPosition RandomEnding(std::mt19937& random)
{
    for (;;)
    {
        CPosition position;
        const int pieces = 3 + static_cast<int>(random() % 5);
        for (int placed = 0; placed < pieces;)
        {
            const int square = static_cast<int>(random() % 32);
            const bitboard::Mask bit = bitboard::Bit(square);
            const bool black = random() % 2;
            const bool king = random() % 10 < 7;
            if ((position.m_black | position.m_red) & bit ||
                (!king && (black ? bit & bitboard::kRow7 : bit & bitboard::kRow0)))
                continue;
            (black ? position.m_black : position.m_red) |= bit;
            position.m_kings |= king ? bit : 0;
            ++placed;
        }
        position.m_side = static_cast<int>(random() % 2);
        if (position.m_black && position.m_red && !position.IsOver())
            return position;
    }
}

// Games that go round: now and then a move back to a position met since
// the count last started, mostly a quiet move that gives nothing away.
EngineMove ChooseMove(const CPosition& position, const std::vector<CPosition>& sinceReset,
                      std::mt19937& random)
{
    CMoveList list;
    GenerateMoves(position, list);
    std::vector<EngineMove> back, quiet;
    for (int i = 0; i < list.Size(); ++i)
    {
        const CPosition after = position.After(list[i]);
        if (std::find(sinceReset.begin(), sinceReset.end(), after) != sinceReset.end())
            back.push_back(list[i]);
        if (!ResetsQuietCount(position, list[i]) && !after.HasCapture(after.m_side))
            quiet.push_back(list[i]);
    }
    const int roll = static_cast<int>(random() % 100);
    if (roll < 30 && !back.empty())
        return back[random() % back.size()];
    if (roll < 95 && !quiet.empty())
        return quiet[random() % quiet.size()];
    return list[static_cast<int>(random() % list.Size())];
}
} // namespace

TEST(DrawClaims, TheEnginesRefereeAndTheGameRecordClaimTheSameDrawsAtEveryPly)
{
    // The player's Claim Draw asks the record; the match tool and self-play
    // ask the engine's referee. Both follow the same games, the record on
    // the rules' board and the referee on the engine's positions, through
    // captures, crownings (also in the middle of a capture) and king
    // endings long enough for repetitions and the forty-move count.
    std::mt19937 random(2024);
    std::vector<CPosition> starts;
    for (int game = 0; game < 12; ++game)
        starts.push_back(CPosition::Start());
    // A man crowned half way through a capture goes on as a king.
    for (const char* fen : {"B:W26,27,K9,K12:B22,K1", "W:WK32,11:B6,7,K21,K24"})
        starts.push_back(CPosition::FromFen(*ParseFen(fen)));
    for (int game = 0; game < 60; ++game)
        starts.push_back(RandomEnding(random));

    int seen[3] = {}; // plies claimable: none, by repetition, by forty moves
    int both = 0, crownedMidCapture = 0, captures = 0;
    for (const CPosition& start : starts)
    {
        CPosition position = start;
        CGameRecord record;
        record.Reset(BoardFromFen(start.ToFen()));
        CDrawClaims claims(start);
        std::vector<CPosition> sinceReset{start};
        std::vector<std::string> claimed{ClaimText(claims.Claimable())};
        for (int ply = 0; ply < 300 && !position.IsOver(); ++ply)
        {
            const EngineMove move = ChooseMove(position, sinceReset, random);
            if (move.IsCapture())
                ++captures;
            for (int i = 1; move.crowns && i + 1 < move.length; ++i)
                crownedMidCapture += (bitboard::Bit(move.path[i]) &
                                      (position.m_side == CPosition::Black ? bitboard::kRow7
                                                                           : bitboard::kRow0)) != 0;
            CCheckerBoard board = record.Board();
            ASSERT_NE(PlayMove(board, ToNotated(move)), MoveRefused)
                << PrintFen(position.ToFen()) << " " << PrintMove(ToNotated(move));
            record.Played(ToNotated(move), board);
            if (ResetsQuietCount(position, move))
                sinceReset.clear();
            position = position.After(move);
            sinceReset.push_back(position);
            claims.Played(position);
            // (A move that ends the game leaves the rules' board with the
            // mover's turn; nothing can be claimed there anyway.)
            ASSERT_TRUE(position.IsOver() || CPosition::FromBoard(board) == position) << board;

            const DrawCounts counts = CountDrawRules(record);
            claimed.push_back(ClaimText(claims.Claimable()));
            ASSERT_EQ(ClaimText(ClaimableDraw(record)), claimed.back())
                << PrintFen(position.ToFen()) << " after " << PrintMoves(record.Moves()) << " from "
                << PrintFen(start.ToFen()) << ": seen " << counts.repetitions << " times, "
                << counts.quietPlies << " quiet plies";
            const bool repeated = counts.repetitions >= kRepetitionsForDraw;
            const bool quiet = counts.quietPlies >= kQuietPliesForDraw;
            ++seen[repeated ? 1 : quiet ? 2 : 0];
            both += repeated && quiet;
        }
        // Taking moves back asks the record at an earlier place.
        for (std::size_t place = 0; place < claimed.size(); place += 5)
        {
            record.GoTo(place);
            EXPECT_EQ(ClaimText(ClaimableDraw(record)), claimed[place])
                << place << " plies into the game from " << PrintFen(start.ToFen());
        }
    }
    // The games reached what the comparison is for.
    EXPECT_GT(seen[1], 100);
    EXPECT_GT(seen[2], 100);
    EXPECT_GT(both, 10);
    EXPECT_GE(crownedMidCapture, 2);
    EXPECT_GT(captures, 200);
}
