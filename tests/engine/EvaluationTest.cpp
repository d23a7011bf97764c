#include "engine/Evaluation.h"
#include "engine/EvalFeatures.h"
#include "engine/EvalWeights.h"
#include "engine/MoveGen.h"
#include "notation/Fen.h"
#include "tools/train/TrainingData.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace
{
// The same position with the colours swapped and the board turned round.
CPosition Flipped(const CPosition& position)
{
    using evalfeatures::detail::Turned;
    CPosition flipped;
    flipped.m_black = Turned(position.m_red);
    flipped.m_red = Turned(position.m_black);
    flipped.m_kings = Turned(position.m_kings);
    flipped.m_dead = Turned(position.m_dead);
    flipped.m_side = position.m_side ^ 1;
    return flipped;
}

int ForBlack(const CPosition& position)
{
    const int score = Evaluate(position);
    return position.m_side == CPosition::Black ? score : -score;
}

// Positions along random games from the start, with kings and dead squares.
std::vector<CPosition> SamplePositions()
{
    std::mt19937 random(5);
    std::vector<CPosition> positions;
    for (int game = 0; game < 20; ++game)
    {
        CPosition position = CPosition::Start();
        if (game % 5 == 4)
            position.m_dead = bitboard::Bit(13) | bitboard::Bit(18);
        for (int ply = 0; ply < 150 && !position.IsOver(); ++ply)
        {
            positions.push_back(position);
            CMoveList list;
            GenerateMoves(position, list);
            position = position.After(list[static_cast<int>(random() % list.Size())]);
        }
    }
    return positions;
}

std::string Describe(const CPosition& position)
{
    return PrintFen(position.ToFen());
}

std::string ParseError(const std::string& text)
{
    std::string error;
    EXPECT_FALSE(ParseEvalWeights(text, &error)) << text.substr(0, 80);
    return error;
}
} // namespace

TEST(Evaluation, AColourFlippedPositionScoresExactlyOpposite)
{
    // Whatever the weights: random ones test the features themselves.
    std::mt19937 random(3);
    std::vector<long long> weights(evalfeatures::kCount);
    for (long long& w : weights)
        w = static_cast<long long>(random() % 2001) - 1000;
    auto sum = [&](const CPosition& position)
    {
        long long total = 0;
        evalfeatures::ForEach(position, [&](int i, int c) { total += weights[i] * c; });
        return total;
    };
    for (const CPosition& position : SamplePositions())
    {
        ASSERT_EQ(sum(Flipped(position)), -sum(position)) << Describe(position);
        // And the engine's own evaluation with its built-in weights, whose
        // quick sum must be the trainer's feature-by-feature sum exactly.
        ASSERT_EQ(ForBlack(Flipped(position)), -ForBlack(position)) << Describe(position);
        ASSERT_EQ(Evaluate(position), EvaluateFeatureByFeature(position)) << Describe(position);
        ASSERT_EQ(Evaluate(Flipped(position)), EvaluateFeatureByFeature(Flipped(position)))
            << Describe(position);
    }
}

TEST(Evaluation, BlocksCoverTheirOwnSquaresAndEachSquareIsInOneToFourBlocks)
{
    using evalfeatures::detail::BlockBits;
    int coverage[32] = {};
    for (int block = 0; block < evalfeatures::kBlocks; ++block)
    {
        const int row0 = 2 * (block / 3), col0 = 2 * (block % 3);
        bitboard::Mask inside = 0;
        for (int index = 0; index < 32; ++index)
            if (bitboard::RowOf(index) >= row0 && bitboard::RowOf(index) < row0 + 4 &&
                bitboard::ColOf(index) >= col0 && bitboard::ColOf(index) < col0 + 4)
            {
                inside |= bitboard::Bit(index);
                ++coverage[index];
                // Each square lands on a bit of its own.
                EXPECT_EQ(std::popcount(BlockBits(bitboard::Bit(index), block)), 1)
                    << "block " << block << ", square " << index + 1;
            }
        EXPECT_EQ(std::popcount(inside), 8) << block;
        EXPECT_EQ(BlockBits(inside, block), 0xFFu) << block;
        EXPECT_EQ(BlockBits(~inside, block), 0u) << block;
    }
    for (int index = 0; index < 32; ++index)
        EXPECT_TRUE(coverage[index] >= 1 && coverage[index] <= 4) << index + 1;
}

TEST(Evaluation, WeightFilesAreCheckedWhenRead)
{
    std::vector<std::int32_t> weights(evalfeatures::kCount, 0);
    weights[0] = 1600;
    weights.back() = -7;
    const std::string text = PrintEvalWeights(weights);
    EXPECT_EQ(ParseEvalWeights(text), weights);
    // The file built into the program is whole, and a man is worth 100.
    std::string error;
    EXPECT_TRUE(ParseEvalWeights(kEvalWeightsTextForTests(), &error)) << error;
    EXPECT_EQ(BuiltInEvalWeights()[evalfeatures::kMan], 100 * kEvalWeightScale);

    const std::size_t body = text.find("1600");
    const std::string header = text.substr(0, body);
    const std::string count = std::to_string(evalfeatures::kCount);
    EXPECT_EQ(ParseError("weights\n" + text), "not a Plaxen evaluation weights file");
    EXPECT_EQ(ParseError("plaxen evaluation weights\nversion 2\n"),
              "version 2 is not supported (this program reads 1)");
    EXPECT_EQ(ParseError("plaxen evaluation weights\nversion x\n"), "no version line");
    std::string wrongCount = text;
    wrongCount.replace(wrongCount.find(count), count.size(), "12");
    EXPECT_EQ(ParseError(wrongCount), "the file has 12 weights, this program needs " + count);
    EXPECT_EQ(ParseError(header.substr(0, header.find("checksum")) + "1 2 3\n"),
              "no checksum line");
    EXPECT_EQ(ParseError(header + "1600 0 zero"), "weight 3 is not a number in range");
    EXPECT_EQ(ParseError(header + "1600 99999999"), "weight 2 is not a number in range");
    EXPECT_EQ(ParseError(header + "1600 0 0"), "the file ends after 3 weights");
    EXPECT_EQ(ParseError(text + " 5"),
              "weight " + std::to_string(evalfeatures::kCount + 1) + " is not a number in range");
    std::string changed = text;
    changed.replace(body, 4, "1601");
    EXPECT_EQ(ParseError(changed), "the checksum does not match the weights");
}

TEST(Evaluation, TrainingDataSurvivesItsFileAndRefusesOthers)
{
    const std::vector<TrainingPosition> positions = {{0x00000FFFu, 0xFFF00000u, 0, 0, 1, 7},
                                                     {0x1u, 0x80000000u, 0x80000001u, 1, 2, 299}};
    std::stringstream file;
    ASSERT_TRUE(WriteTrainingData(file, positions));
    std::vector<TrainingPosition> read;
    std::string error;
    ASSERT_TRUE(ReadTrainingData(file, read, error)) << error;
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].Position().m_kings, 0x80000001u);
    EXPECT_EQ(read[1].ply, 299);
    EXPECT_EQ(read[0].result, 1);

    std::istringstream other("PLXTRN02........");
    EXPECT_FALSE(ReadTrainingData(other, read, error));
    EXPECT_EQ(error, "not a Plaxen training file");
    const std::string whole = file.str();
    std::istringstream cut(whole.substr(0, whole.size() - 3));
    EXPECT_FALSE(ReadTrainingData(cut, read, error));
    EXPECT_EQ(error, "the file ends after 1 of 2 positions");
    std::string overlapping = whole;
    overlapping[16 + 4] = 1; // red on black's square 1
    std::istringstream bad(overlapping);
    EXPECT_FALSE(ReadTrainingData(bad, read, error));
    EXPECT_EQ(error, "position 1 is not a position");
}
