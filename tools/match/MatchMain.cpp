// plaxen_match: two engine programs (or one against itself) play each other
// through the text protocol, many games at once, from every opening of a
// few plies with each side taking each colour, and the score is given with
// its Elo difference and margin, or tested sequentially until it is clear.
//
//   plaxen_match [options]
//   plaxen_match <engine> <level A> <level B> [jobs]     (the older form)
//
// Options (a-/b- options set one side, the others both):
//   -a, --engine-a PATH   A's program (default: the plaxen-engine built
//                         beside this tool)
//   -b, --engine-b PATH   B's program (default: A's); "baseline" is the
//                         fixed opponent tools/baseline.sh builds
//   --level, --a-level, --b-level L       beginner, intermediate or expert
//   --nodes, --a-nodes, --b-nodes N       a node budget a move
//   --time, --a-time, --b-time MS         a fixed time a move
//   --tc, --a-tc, --b-tc SECONDS+INC      a game clock, e.g. 10+0.1
//   --book, --a-book, --b-book            play from the opening book (the
//                         levels that have it use it anyway)
//   --jobs J              games at once (default: every core)
//   --openings PLIES      openings this many plies deep (default 3)
//   --games N             play N games (default: each opening twice)
//   --max-plies P         a game this long is drawn (default 300)
//   --sprt ELO0,ELO1[,ALPHA,BETA]  stop once A's Elo over B is clearly
//                         at least ELO1 or at most ELO0 (5% errors by default)
//   --seed S              the openings' order (default 1)
//   --quiet               no line a game
//
// A's result against B comes last. Games end by the rules (a side with no
// move), by the draws a player may claim (threefold repetition, the
// forty-move rule), or drawn at the ply cap. An illegal move, a crash or
// silence loses that game and is reported; so is a clock run out. The exit
// status is 1 when any engine faulted.

#include <signal.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "notation/BoardMoves.h"
#include "tools/match/MatchGame.h"
#include "tools/match/MatchStats.h"

namespace
{
struct Options
{
    PlayerSettings players[2]; // A, B
    int jobs = 0;
    int openingPlies = 3;
    int games = 0;
    int maxPlies = 300;
    std::optional<SprtSettings> sprt;
    unsigned seed = 1;
    bool quiet = false;
};

[[noreturn]] void Usage(const std::string& problem)
{
    std::cerr << "plaxen_match: " << problem << "\n"
              << "usage: plaxen_match [-a ENGINE] [-b ENGINE|baseline] [--level|--nodes|--time|--tc"
                 " (or --a-.../--b-...) VALUE] [--jobs J] [--openings PLIES] [--games N]"
                 " [--max-plies P] [--sprt ELO0,ELO1[,ALPHA,BETA]] [--seed S] [--quiet]\n";
    std::exit(2);
}

long long Whole(const std::string& text, const std::string& option)
{
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end || value < 1)
        Usage(option + " needs a whole number above 0");
    return value;
}

void SetClock(PlayerSettings& player, const std::string& text)
{
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    double increment = 0;
    if (*end == '+')
        increment = std::strtod(end + 1, &end);
    if (*end || seconds <= 0 || increment < 0)
        Usage("a clock is SECONDS or SECONDS+INCREMENT, e.g. 10+0.1");
    player.clockMs = static_cast<int>(seconds * 1000);
    player.incrementMs = static_cast<int>(increment * 1000);
}

std::string ResolveEngine(const std::string& path)
{
    return path == "baseline" ? std::string(PLAXEN_SOURCE_DIR "/build/baseline/plaxen-engine")
                              : path;
}

Options Parse(int argc, char** argv)
{
    Options options;
    options.players[0].engine = PLAXEN_ENGINE_PATH;
    std::string engineB;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 3 && !args[0].starts_with("-"))
    {
        options.players[0].engine = args[0];
        options.players[0].level = args[1];
        options.players[1].level = args[2];
        if (args.size() >= 4)
            options.jobs = static_cast<int>(Whole(args[3], "jobs"));
        options.openingPlies = 2;
        args.clear();
    }
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& name = args[i];
        if (name == "--quiet")
        {
            options.quiet = true;
            continue;
        }
        if (name == "--book" || name == "--a-book" || name == "--b-book")
        {
            for (int p = 0; p < 2; ++p)
                options.players[p].book |= name == "--book" || name[2] == "ab"[p];
            continue;
        }
        if (i + 1 >= args.size())
            Usage(name + " needs a value");
        const std::string& value = args[++i];
        // A side's own option, or one for both.
        std::vector<PlayerSettings*> sides = {&options.players[0], &options.players[1]};
        std::string option = name;
        if (name.starts_with("--a-") || name.starts_with("--b-"))
        {
            sides = {&options.players[name[2] == 'a' ? 0 : 1]};
            option = "--" + name.substr(4);
        }
        if (name == "-a" || name == "--engine-a")
            options.players[0].engine = value;
        else if (name == "-b" || name == "--engine-b")
            engineB = value;
        else if (option == "--level")
            for (PlayerSettings* p : sides)
                p->level = value;
        else if (option == "--nodes")
            for (PlayerSettings* p : sides)
                p->nodes = static_cast<std::uint64_t>(Whole(value, name));
        else if (option == "--time")
            for (PlayerSettings* p : sides)
                p->timeMs = static_cast<int>(Whole(value, name));
        else if (option == "--tc")
            for (PlayerSettings* p : sides)
                SetClock(*p, value);
        else if (name == "--jobs")
            options.jobs = static_cast<int>(Whole(value, name));
        else if (name == "--openings")
            options.openingPlies = static_cast<int>(Whole(value, name));
        else if (name == "--games")
            options.games = static_cast<int>(Whole(value, name));
        else if (name == "--max-plies")
            options.maxPlies = static_cast<int>(Whole(value, name));
        else if (name == "--seed")
            options.seed = static_cast<unsigned>(Whole(value, name));
        else if (name == "--sprt")
        {
            SprtSettings sprt;
            if (std::sscanf(value.c_str(), "%lf,%lf,%lf,%lf", &sprt.elo0, &sprt.elo1, &sprt.alpha,
                            &sprt.beta) < 2 ||
                sprt.elo1 <= sprt.elo0 || sprt.alpha <= 0 || sprt.beta <= 0 || sprt.alpha >= 0.5 ||
                sprt.beta >= 0.5)
                Usage("--sprt needs ELO0,ELO1 with ELO0 < ELO1, and errors between 0 and 0.5");
            options.sprt = sprt;
        }
        else
            Usage("unknown option " + name);
    }
    options.players[0].engine = ResolveEngine(options.players[0].engine);
    options.players[1].engine =
        engineB.empty() ? options.players[0].engine : ResolveEngine(engineB);
    if (options.jobs <= 0)
        options.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return options;
}

// Every opening `plies` deep from the start, each twice in a row (A black,
// then A red), in an order drawn from `seed` so a short match still sees a
// spread of them.
std::vector<std::vector<NotatedMove>> Openings(int plies, unsigned seed)
{
    std::vector<std::vector<NotatedMove>> lines{{}};
    for (int ply = 0; ply < plies; ++ply)
    {
        std::vector<std::vector<NotatedMove>> longer;
        for (const auto& line : lines)
        {
            CCheckerBoard board;
            for (const NotatedMove& move : line)
                PlayMove(board, move);
            if (board.IsGameOver())
                continue;
            for (const NotatedMove& move : ListLegalMoves(board))
            {
                longer.push_back(line);
                longer.back().push_back(move);
            }
        }
        lines = std::move(longer);
    }
    std::shuffle(lines.begin(), lines.end(), std::mt19937(seed));
    return lines;
}

struct PlayerRecord
{
    int moves = 0;
    long long thinkMs = 0;
    int lateAnswers = 0;
    int worstLateMs = 0;
    int leastClockMs = -1;
    int timeLosses = 0;
    int faults = 0;
};

void Add(PlayerRecord& total, const SideRecord& side)
{
    total.moves += side.moves;
    total.thinkMs += side.thinkMs;
    total.lateAnswers += side.lateAnswers;
    total.worstLateMs = std::max(total.worstLateMs, side.worstLateMs);
    if (side.leastClockMs >= 0)
        total.leastClockMs = total.leastClockMs < 0
                                 ? side.leastClockMs
                                 : std::min(total.leastClockMs, side.leastClockMs);
}

void PrintTimes(const char* name, const PlayerSettings& player, const PlayerRecord& record)
{
    std::printf("  %s (%s, %s): %.1f ms a move on average", name, player.Describe().c_str(),
                player.engine.c_str(), record.moves ? double(record.thinkMs) / record.moves : 0.0);
    if (player.timeMs > 0)
        std::printf(", %d answers past their time (worst by %d ms)", record.lateAnswers,
                    record.worstLateMs);
    if (player.clockMs > 0)
        std::printf(", least left on the clock %d ms, %d games lost on time", record.leastClockMs,
                    record.timeLosses);
    std::printf(", %d faults\n", record.faults);
}
} // namespace

int main(int argc, char** argv)
{
    signal(SIGPIPE, SIG_IGN);
    const Options options = Parse(argc, argv);
    const auto openings = Openings(options.openingPlies, options.seed);
    if (openings.empty())
        Usage("no openings that deep");
    const std::size_t total = options.games > 0 ? static_cast<std::size_t>(options.games)
                              : options.sprt    ? SIZE_MAX
                                                : 2 * openings.size();
    const PlayerSettings& a = options.players[0];
    const PlayerSettings& b = options.players[1];
    std::printf("A: %s, %s\nB: %s, %s\n%d jobs, openings of %d plies (%zu)\n", a.engine.c_str(),
                a.Describe().c_str(), b.engine.c_str(), b.Describe().c_str(), options.jobs,
                options.openingPlies, openings.size());
    std::fflush(stdout);

    std::mutex lock;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> decided{false};
    MatchTally tally;
    PlayerRecord records[2];
    int ends[6] = {};
    auto worker = [&]
    {
        std::unique_ptr<CEngineProcess> processes[2];
        for (std::size_t i; !decided && (i = next++) < total;)
        {
            for (int p = 0; p < 2; ++p)
                if (!processes[p])
                    processes[p] = std::make_unique<CEngineProcess>(options.players[p].engine);
            const auto& opening = openings[(i / 2) % openings.size()];
            const int aSide = i % 2 == 0 ? 0 : 1; // A black in the first game of a pair
            CEngineProcess* engines[2] = {processes[aSide].get(), processes[aSide ^ 1].get()};
            const PlayerSettings* players[2] = {&options.players[aSide],
                                                &options.players[aSide ^ 1]};
            const GameResult result = PlayGame(opening, engines, players, options.maxPlies);

            std::lock_guard guard(lock);
            for (int side = 0; side < 2; ++side)
                Add(records[side == aSide ? 0 : 1], result.sides[side]);
            ++ends[static_cast<int>(result.end)];
            const char* verdict = "draw";
            if (result.winner >= 0)
            {
                const bool aWins = result.winner == aSide;
                ++(aWins ? tally.wins : tally.losses);
                verdict = aWins ? "A wins" : "B wins";
                PlayerRecord& loser = records[aWins ? 1 : 0];
                if (result.end == MatchEnd::Fault)
                {
                    ++loser.faults;
                    // A faulty engine may be dead or confused: start afresh.
                    processes[aWins ? aSide ^ 1 : aSide].reset();
                }
                if (result.end == MatchEnd::Time)
                    ++loser.timeLosses;
            }
            else
                ++tally.draws;
            if (!options.quiet)
            {
                std::string line;
                for (const NotatedMove& move : opening)
                    line += PrintMove(move) + " ";
                std::printf("game %zu: %sA %s: %s (%s) after %d plies%s%s\n", i + 1, line.c_str(),
                            aSide == 0 ? "black" : "red", verdict, DescribeEnd(result.end),
                            result.plies, result.detail.empty() ? "" : ", ", result.detail.c_str());
                if (!result.lateNotes.empty())
                    std::printf("  late: %s\n", result.lateNotes.c_str());
            }
            if (result.end == MatchEnd::Fault)
                std::printf("!!! ENGINE FAULT: %s\n", result.detail.c_str());
            const int played = tally.Games();
            if (options.sprt)
            {
                const SprtState state = TestSprt(tally, *options.sprt);
                if (state.verdict != SprtVerdict::Continue && played % 2 == 0)
                    decided = true;
            }
            if (played % 20 == 0)
            {
                std::printf("after %d games: %d-%d-%d, %s", played, tally.wins, tally.losses,
                            tally.draws, DescribeScore(tally).c_str());
                if (options.sprt)
                    std::printf(
                        ", %s",
                        DescribeSprt(TestSprt(tally, *options.sprt), *options.sprt).c_str());
                std::printf("\n");
            }
            std::fflush(stdout);
        }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < options.jobs; ++j)
        threads.emplace_back(worker);
    for (std::thread& t : threads)
        t.join();

    std::printf("A (%s) vs B (%s): %d games, %d wins, %d losses, %d draws, %s\n",
                a.Describe().c_str(), b.Describe().c_str(), tally.Games(), tally.wins, tally.losses,
                tally.draws, DescribeScore(tally).c_str());
    if (options.sprt)
        std::printf("SPRT elo0 %+g elo1 %+g: %s\n", options.sprt->elo0, options.sprt->elo1,
                    DescribeSprt(TestSprt(tally, *options.sprt), *options.sprt).c_str());
    std::printf("ends: %d no move, %d repetition, %d forty-move rule, %d ply cap, %d fault, "
                "%d time\n",
                ends[0], ends[1], ends[2], ends[3], ends[4], ends[5]);
    PrintTimes("A", a, records[0]);
    PrintTimes("B", b, records[1]);
    const bool faulty =
        records[0].faults + records[1].faults + records[0].timeLosses + records[1].timeLosses > 0;
    if (faulty)
        std::printf("-- ENGINE FAULTS, see above\n");
    return faulty ? 1 : 0;
}
