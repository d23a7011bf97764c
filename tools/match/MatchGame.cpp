#include "tools/match/MatchGame.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <optional>

#include "engine/DrawClaims.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "rules/GameText.h"

namespace
{
// Past this beyond its budget an engine is taken for hung.
constexpr int kSilenceMs = 60'000;

using Clock = std::chrono::steady_clock;

// The time of day and the one-minute load average, as "12:34:56, load 1.92".
std::string WhenAndLoad()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char when[16];
    std::strftime(when, sizeof when, "%H:%M:%S", &local);
    std::string load = "?";
    std::ifstream("/proc/loadavg") >> load;
    return std::string(when) + ", load " + load;
}

std::string GoCommand(const PlayerSettings& self, int clocks[2], const PlayerSettings* players[2])
{
    if (self.nodes > 0)
        return "go nodes " + std::to_string(self.nodes);
    if (self.timeMs > 0)
        return "go time " + std::to_string(self.timeMs);
    if (self.clockMs > 0)
        return "go btime " + std::to_string(clocks[0]) + " wtime " + std::to_string(clocks[1]) +
               " binc " + std::to_string(players[0]->incrementMs) + " winc " +
               std::to_string(players[1]->incrementMs);
    return "go";
}

} // namespace

std::string PlayerSettings::Describe() const
{
    if (book)
    {
        PlayerSettings bare = *this;
        bare.book = false;
        return bare.Describe() + " with the book";
    }
    if (nodes > 0)
        return "nodes " + std::to_string(nodes);
    if (timeMs > 0)
        return "time " + std::to_string(timeMs) + " ms";
    if (clockMs > 0)
    {
        char text[64];
        std::snprintf(text, sizeof text, "clock %g+%g", clockMs / 1000.0, incrementMs / 1000.0);
        return text;
    }
    return level.empty() ? "default level" : level;
}

const char* DescribeEnd(MatchEnd end)
{
    switch (end)
    {
    case MatchEnd::NoMove:
        return "no move";
    case MatchEnd::Repetition:
        return "threefold repetition";
    case MatchEnd::FortyMoves:
        return "forty-move rule";
    case MatchEnd::PlyCap:
        return "ply cap";
    case MatchEnd::Fault:
        return "fault";
    case MatchEnd::Time:
        return "time";
    }
    return "";
}

GameResult PlayGame(const std::vector<NotatedMove>& opening, CEngineProcess* engines[2],
                    const PlayerSettings* players[2], int maxPlies)
{
    GameResult result;
    CCheckerBoard board;
    std::string moves;
    for (const NotatedMove& move : opening)
    {
        PlayMove(board, move);
        moves.append(moves.empty() ? "" : " ").append(PrintMove(move));
        ++result.plies;
    }
    CDrawClaims draws(CPosition::FromBoard(board));
    int clocks[2] = {players[0]->clockMs, players[1]->clockMs};
    for (int side = 0; side < 2; ++side)
    {
        if (players[side]->clockMs > 0)
            result.sides[side].leastClockMs = players[side]->clockMs;
        if (!players[side]->level.empty())
            engines[side]->Send("level " + players[side]->level);
        if (players[side]->book)
            engines[side]->Send("book on");
        // An engine just started may still be reading its endgame tables:
        // its first answer is timed only once it says it is ready.
        engines[side]->Send("isready");
        std::optional<std::string> line;
        while ((line = engines[side]->Read(kSilenceMs)) && *line != "readyok")
        {
        }
        if (!line)
        {
            result.end = MatchEnd::Fault;
            result.winner = side ^ 1;
            result.detail = std::string(side == 0 ? "black" : "red") + " (" +
                            players[side]->Describe() + ") never answered \"isready\"";
            return result;
        }
    }
    while (!board.IsGameOver())
    {
        if (const DrawClaim claim = draws.Claimable(); claim != DrawClaim::None)
        {
            result.end =
                claim == DrawClaim::Repetition ? MatchEnd::Repetition : MatchEnd::FortyMoves;
            result.detail = PrintFen(FenFromBoard(board));
            return result;
        }
        if (result.plies >= maxPlies)
        {
            result.end = MatchEnd::PlyCap;
            result.detail = PrintFen(FenFromBoard(board));
            return result;
        }
        const int side = board.m_side;
        const PlayerSettings& player = *players[side];
        SideRecord& record = result.sides[side];
        CEngineProcess& engine = *engines[side];
        engine.Send(moves.empty() ? "position start" : "position start moves " + moves);
        const auto asked = Clock::now();
        engine.Send(GoCommand(player, clocks, players));
        const int budget = player.clockMs > 0 ? clocks[side] : player.timeMs;
        std::optional<std::string> line;
        while ((line = engine.Read(budget + kSilenceMs)) && !line->starts_with("bestmove "))
        {
        }
        const int tookMs = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count());
        ++record.moves;
        record.thinkMs += tookMs;
        if (player.clockMs > 0)
        {
            clocks[side] -= tookMs;
            if (clocks[side] < 0)
            {
                result.end = MatchEnd::Time;
                result.winner = side ^ 1;
                result.detail = std::string(side == 0 ? "black" : "red") + " (" +
                                player.Describe() + ") ran out of time after " + moves;
                return result;
            }
            clocks[side] += player.incrementMs;
            record.leastClockMs = std::min(record.leastClockMs, clocks[side]);
        }
        else if (player.timeMs > 0 && tookMs > player.timeMs)
        {
            ++record.lateAnswers;
            record.worstLateMs = std::max(record.worstLateMs, tookMs - player.timeMs);
            result.lateNotes += std::string(result.lateNotes.empty() ? "" : "; ") +
                                (side == 0 ? "black" : "red") + " late by " +
                                std::to_string(tookMs - player.timeMs) + " ms at ply " +
                                std::to_string(result.plies + 1) + " (" + WhenAndLoad() + ")";
        }

        const std::string answer = line ? line->substr(9) : "(no answer)";
        const std::optional<NotatedMove> typed = ParseMove(answer);
        const std::optional<NotatedMove> move = typed ? ResolveMove(board, *typed) : std::nullopt;
        if (!move || PlayMove(board, *move) == MoveRefused)
        {
            result.end = MatchEnd::Fault;
            result.winner = side ^ 1;
            result.detail = std::string(side == 0 ? "black" : "red") + " (" + player.Describe() +
                            ") answered \"" + answer + "\" in " + PrintFen(FenFromBoard(board)) +
                            " after " + moves;
            return result;
        }
        moves.append(moves.empty() ? "" : " ").append(PrintMove(*move));
        ++result.plies;
        draws.Played(CPosition::FromBoard(board));
    }
    result.end = MatchEnd::NoMove;
    result.winner = LosingSide(board) == CCheckerBoard::BlackSide ? 1 : 0;
    return result;
}
