// plaxen_match: plays plaxen-engine against itself through the text
// protocol, two child processes a game, over every two-move opening with
// each level taking each colour once.
//
//   plaxen_match <engine> <level A> <level B> [jobs] [openings]
//
// prints one line a game and then A's wins, losses and draws against B.
// Games longer than 200 plies are drawn (the rules have no draw); a move an
// engine gets wrong, or no answer, loses it the game and is reported.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "rules/GameText.h"

namespace
{
constexpr int kMaxPlies = 200;
constexpr int kAnswerTimeoutMs = 60'000;

// One engine process with its input and output on pipes.
class CEngineProcess
{
public:
    explicit CEngineProcess(const std::string& path)
    {
        int toChild[2], fromChild[2];
        // Close-on-exec, or the engines of the other games would hold these
        // pipes open too.
        if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0)
        {
            dup2(toChild[0], 0);
            dup2(fromChild[1], 1);
            close(toChild[1]);
            close(fromChild[0]);
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        m_in = toChild[1];
        m_out = fromChild[0];
    }
    CEngineProcess(const CEngineProcess&) = delete;
    CEngineProcess& operator=(const CEngineProcess&) = delete;

    ~CEngineProcess()
    {
        Send("quit");
        close(m_in);
        close(m_out);
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }

    void Send(const std::string& line)
    {
        const std::string text = line + "\n";
        if (write(m_in, text.data(), text.size()) < 0)
            return; // the next read reports the dead engine
    }

    // The next line, or nothing after `timeoutMs` or at the end of output.
    std::optional<std::string> Read(int timeoutMs)
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;)
        {
            const std::size_t end = m_buffer.find('\n');
            if (end != std::string::npos)
            {
                std::string line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd fd{m_out, POLLIN, 0};
            if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0)
                return std::nullopt;
            char chunk[4096];
            const ssize_t got = read(m_out, chunk, sizeof chunk);
            if (got <= 0)
                return std::nullopt;
            m_buffer.append(chunk, static_cast<std::size_t>(got));
        }
    }

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
};

enum class Outcome
{
    BlackWins,
    RedWins,
    Draw,
};

struct Game
{
    NotatedMove first, second; // the opening
    bool aIsBlack;
};

struct GameResult
{
    Outcome outcome = Outcome::Draw;
    int plies = 0;
    std::string fault; // an engine's illegal move or silence
    std::string final; // the position a drawn game was stopped in
};

// Plays one game; engines[0] is black.
GameResult Play(const Game& game, CEngineProcess* engines[2], const std::string levels[2])
{
    GameResult result;
    CCheckerBoard board;
    std::string moves = PrintMove(game.first) + " " + PrintMove(game.second);
    PlayMove(board, game.first);
    PlayMove(board, game.second);
    result.plies = 2;
    for (int side = 0; side < 2; ++side)
        engines[side]->Send("level " + levels[side]);
    while (!board.IsGameOver())
    {
        if (result.plies >= kMaxPlies)
        {
            result.final = PrintFen(FenFromBoard(board));
            return result;
        }
        const int side = board.m_side;
        CEngineProcess& engine = *engines[side];
        engine.Send("position start moves " + moves);
        engine.Send("go");
        std::optional<std::string> line;
        while ((line = engine.Read(kAnswerTimeoutMs)) && line->rfind("bestmove ", 0) != 0)
        {
        }
        const std::string answer = line ? line->substr(9) : "(no answer)";
        const std::optional<NotatedMove> typed = ParseMove(answer);
        const std::optional<NotatedMove> move = typed ? ResolveMove(board, *typed) : std::nullopt;
        if (!move || PlayMove(board, *move) == MoveRefused)
        {
            result.fault = std::string(side == 0 ? "black" : "red") + " (" + levels[side] +
                           ") answered \"" + answer + "\" in " + PrintFen(FenFromBoard(board)) +
                           " after " + moves;
            result.outcome = side == 0 ? Outcome::RedWins : Outcome::BlackWins;
            return result;
        }
        moves.append(" ").append(PrintMove(*move));
        ++result.plies;
    }
    result.outcome =
        LosingSide(board) == CCheckerBoard::BlackSide ? Outcome::RedWins : Outcome::BlackWins;
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
    {
        std::cerr << "usage: plaxen_match <engine> <level A> <level B> [jobs] [openings]\n";
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    const std::string engine = argv[1];
    const std::string levelA = argv[2], levelB = argv[3];
    const int jobs = argc >= 5 ? std::max(1, std::atoi(argv[4])) : 2;
    const int openings = argc >= 6 ? std::atoi(argv[5]) : 49;

    std::vector<Game> games;
    const CCheckerBoard start;
    for (const NotatedMove& first : ListLegalMoves(start))
    {
        CCheckerBoard after = start;
        PlayMove(after, first);
        for (const NotatedMove& second : ListLegalMoves(after))
            if (static_cast<int>(games.size()) < 2 * openings)
            {
                games.push_back({first, second, true});
                games.push_back({first, second, false});
            }
    }

    std::mutex lock;
    std::atomic<std::size_t> next{0};
    int wins = 0, losses = 0, draws = 0, faults = 0;
    auto worker = [&]
    {
        CEngineProcess one(engine), two(engine);
        for (std::size_t i; (i = next++) < games.size();)
        {
            const Game& game = games[i];
            CEngineProcess* engines[2] = {game.aIsBlack ? &one : &two, game.aIsBlack ? &two : &one};
            const std::string levels[2] = {game.aIsBlack ? levelA : levelB,
                                           game.aIsBlack ? levelB : levelA};
            const GameResult result = Play(game, engines, levels);
            const bool aWins =
                result.outcome == (game.aIsBlack ? Outcome::BlackWins : Outcome::RedWins);
            std::lock_guard guard(lock);
            const char* verdict = result.outcome == Outcome::Draw ? "draw (200 plies)"
                                  : aWins                         ? "A wins"
                                                                  : "B wins";
            std::cout << "game " << i + 1 << ": " << PrintMove(game.first) << " "
                      << PrintMove(game.second) << ", A (" << levelA << ") "
                      << (game.aIsBlack ? "black" : "red") << ": " << verdict << " after "
                      << result.plies << " plies" << (result.final.empty() ? "" : ", ")
                      << result.final << "\n"
                      << std::flush;
            if (!result.fault.empty())
            {
                ++faults;
                std::cout << "!!! ILLEGAL MOVE: " << result.fault << "\n" << std::flush;
            }
            if (result.outcome == Outcome::Draw)
                ++draws;
            else
                ++(aWins ? wins : losses);
        }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < jobs; ++j)
        threads.emplace_back(worker);
    for (std::thread& t : threads)
        t.join();

    const int played = wins + losses + draws;
    std::printf("%s vs %s: %d games, %d wins, %d losses, %d draws, score %.1f%%%s\n",
                levelA.c_str(), levelB.c_str(), played, wins, losses, draws,
                played ? 100.0 * (wins + 0.5 * draws) / played : 0.0,
                faults ? " -- ENGINE FAULTS, see above" : "");
    return faults ? 1 : 0;
}
