#include "engine/DrawClaims.h"
#include "engine/MoveGen.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

#include <random>

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
}
