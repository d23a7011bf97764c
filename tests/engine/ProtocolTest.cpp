#include "engine/Protocol.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{
std::string Output(const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out;
    CProtocol(in, out, {.perftBudget = 1'000'000, .maxLine = 200, .hashMegabytes = 1}).Run();
    return out.str();
}

// Everything the protocol answers to `input`, info lines left out (their
// figures vary) once checked for their form.
std::string Replies(const std::string& input)
{
    std::istringstream lines(Output(input));
    std::string replies;
    for (std::string line; std::getline(lines, line);)
        if (!line.starts_with("info "))
            replies += line + "\n";
        else
            EXPECT_TRUE(line.starts_with("info depth ")) << line;
    return replies;
}
} // namespace

TEST(EngineProtocol, AnswersEveryLine)
{
    const struct
    {
        std::string input;
        std::string replies; // a final '*' stands for anything
    } cases[] = {
        {"isready\n", "readyok\n"},
        {"\n  \nperft 3\r\n", "perft 3 302\n"},
        {"position start moves 11-15 23-19 8-11\nperft 0\n", "perft 0 1\n"},
        {"position fen B:W16,24,28:B11,15,19\ngo depth 3\n", "bestmove 11x20\n"},
        {"position fen W:W4:B12\ngo depth 3\n", "bestmove none\n"},
        {"position fen B:W6,14:B2 moves 2x18\nperft 1\n", "perft 1 0\n"}, // short capture form
        {"position fen B:W15:B11 moves 11x18 18-22\n",
         "error move \"18-22\" after the game is over\n"},
        // A refused line leaves the earlier position (one legal move) in place.
        {"position fen B:W16,24,28:B11,15,19\nposition start moves 11-15 11-15\nperft 1\n",
         "error illegal move \"11-15\"\nperft 1 1\n"},
        {"position start moves 11-15 x\nposition fen B:W1:B1\nposition fen Q\nposition\n"
         "position start 11-15\nperft 1\n",
         "error bad move \"x\"\nerror bad FEN: square 1 given twice\n"
         "error bad FEN: the side to move must be B or W\n"
         "error expected \"position start\" or \"position fen <FEN>\"\n"
         "error expected \"moves\" after \"position start\"\nperft 1 7\n"},
        {"go depth 0\ngo time x\ngo fast 1\ngo nodes 0\ngo btime -1 wtime 5\ngo infinite 5\n"
         "go btime 100\ngo winc 100\nperft 65\nlevel hard\n",
         "error depth must be a whole number above 0\n"
         "error time must be a whole number above 0\n"
         "error expected \"go\", \"go infinite\" or \"go\" with depth, time, nodes, btime, "
         "wtime, binc, winc or movestogo, each followed by a number\n"
         "error nodes must be a whole number above 0\n"
         "error btime must be a whole number 0 or more\n"
         "error expected \"go\", \"go infinite\" or \"go\" with depth, time, nodes, btime, "
         "wtime, binc, winc or movestogo, each followed by a number\n"
         "error a game clock needs both btime and wtime\n"
         "error a game clock needs both btime and wtime\n"
         "error expected \"perft <depth>\" with a depth of 0..64\n"
         "error expected \"level beginner\", \"level intermediate\" or \"level expert\"\n"},
        {"bogus\n" + std::string(300, 'x') + "\nisready\n",
         "error unknown command \"bogus\"\nerror line longer than 200 characters\nreadyok\n"},
        {"perft 20\n", "error perft 20 would take too long\n"},
        {"book maybe\nbook on\nbook off\n", "error expected \"book on\" or \"book off\"\n"},
        {"level beginner\nposition fen B:W16,24,28:B11,15,19\ngo\n", "bestmove 11x20\n"},
        {"go depth 60\nperft 1\nstop\n", "error a search is running; send stop first\nbestmove *"},
        {"quit\nisready\n", ""},
        // Other limits: a node budget, the game clock of the side to move
        // (red's here, nearly gone), analysis until stopped.
        {"position fen B:W16,24,28:B11,15,19\ngo nodes 5000\n", "bestmove 11x20\n"},
        {"position start moves 11-15\ngo btime 100000 wtime 20 winc 0 binc 0\n", "bestmove *"},
        {"go infinite\nisready\nstop\n", "readyok\nbestmove *"},

    };
    for (const auto& c : cases)
    {
        const std::string replies = Replies(c.input);
        if (c.replies.ends_with('*'))
            EXPECT_EQ(replies.substr(0, c.replies.size() - 1),
                      c.replies.substr(0, c.replies.size() - 1))
                << c.input;
        else
            EXPECT_EQ(replies, c.replies) << c.input;
    }
}

TEST(EngineProtocol, HandsTheGameSoFarToTheSearch)
{
    // Black's king against two goes round with red's; after these moves
    // black's 6-1 makes a position's third occurrence, a draw to claim.
    const std::string moves = " moves 1-6 30-26 6-1 26-30 1-6 30-26 6-1 26-30 1-6 30-26";
    const std::string withGame = Output("position fen B:WK30,K31:BK1" + moves + "\ngo depth 7\n");
    EXPECT_NE(withGame.find("depth 7 score 0 "), std::string::npos) << withGame;
    EXPECT_TRUE(withGame.ends_with("bestmove 6-1\n")) << withGame;
    // The same position without its past is simply worse by a king.
    const std::string alone = Output("position fen B:WK26,K31:BK6\ngo depth 7\n");
    EXPECT_NE(alone.find("depth 7 score -"), std::string::npos) << alone;
}
