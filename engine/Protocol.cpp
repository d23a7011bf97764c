#include "engine/Protocol.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

#include "engine/Perft.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"

namespace
{
std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::optional<long long> Number(const std::string& text)
{
    long long value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string InfoLine(const SearchInfo& info)
{
    std::ostringstream line;
    line << "info depth " << info.depth << " score ";
    if (info.winMoves > 0)
        line << "win " << info.winMoves;
    else if (info.winMoves < 0)
        line << "loss " << -info.winMoves;
    else
        line << info.score;
    line << " nodes " << info.nodes << " time " << info.timeMs << " nps " << info.nodesPerSecond;
    if (!info.pv.empty())
        line << " pv " << PrintMoves(info.pv);
    return line.str();
}
} // namespace

CProtocol::CProtocol(std::istream& in, std::ostream& out) : CProtocol(in, out, Caps{}) {}

CProtocol::CProtocol(std::istream& in, std::ostream& out, const Caps& caps)
    : m_in(in), m_out(out), m_caps(caps)
{
}

CProtocol::~CProtocol()
{
    EndSearch(0);
}

void CProtocol::Run()
{
    std::string line;
    bool tooLong = false;
    while (ReadLine(line, tooLong))
    {
        if (tooLong)
            Say("error line longer than " + std::to_string(m_caps.maxLine) + " characters");
        else if (!Handle(line))
            return EndSearch(0);
    }
    // Nobody is left to stop an analysis.
    EndSearch(m_infinite ? 0 : m_caps.endOfInputGraceMs);
}

bool CProtocol::ReadLine(std::string& line, bool& tooLong)
{
    line.clear();
    tooLong = false;
    std::streambuf* buffer = m_in.rdbuf();
    if (!buffer)
        return false;
    for (;;)
    {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof())
            return !line.empty() || tooLong;
        if (c == '\n')
            break;
        if (line.size() < m_caps.maxLine)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool CProtocol::Handle(const std::string& line)
{
    const std::vector<std::string> words = Words(line);
    if (words.empty())
        return true;
    const std::string& command = words[0];
    if (command == "quit")
        return false;
    if (command == "isready")
    {
        // A host that asks first gets its first timed answer in time: the
        // search and its hash table are made now, not inside that search.
        if (!Searching())
            MakeSearch();
        Say("readyok");
    }
    else if (command == "stop")
        RaiseStop(); // the search answers for itself
    else if (command == "position" || command == "go" || command == "perft")
    {
        if (Searching())
            Say("error a search is running; send stop first");
        else if (command == "position")
            SetPosition(words);
        else if (command == "go")
            Go(words);
        else
            CountMoves(words);
    }
    else if (command == "level")
        SetLevel(words);
    else if (command == "book")
        SetBook(words);
    else
        Say("error unknown command \"" + command.substr(0, 40) + "\"");
    return true;
}

void CProtocol::SetPosition(const std::vector<std::string>& words)
{
    const auto movesAt = std::find(words.begin(), words.end(), "moves");
    CCheckerBoard board;
    if (words.size() >= 2 && words[1] == "start")
    {
        if (words.begin() + 2 != movesAt)
            return Say("error expected \"moves\" after \"position start\"");
    }
    else if (words.size() >= 3 && words[1] == "fen" && words.begin() + 2 != movesAt)
    {
        std::string text;
        for (auto word = words.begin() + 2; word != movesAt; ++word)
            text += (text.empty() ? "" : " ") + *word;
        std::string error;
        const std::optional<FenPosition> fen = ParseFen(text, &error);
        if (!fen)
            return Say("error bad FEN: " + error);
        board = BoardFromFen(*fen);
    }
    else
        return Say("error expected \"position start\" or \"position fen <FEN>\"");

    std::vector<CCheckerBoard> game{board};
    if (movesAt != words.end())
        for (auto word = movesAt + 1; word != words.end(); ++word)
        {
            const std::string shown = word->substr(0, 40);
            const std::optional<NotatedMove> typed = ParseMove(*word);
            if (!typed)
                return Say("error bad move \"" + shown + "\"");
            if (board.IsGameOver())
                return Say("error move \"" + shown + "\" after the game is over");
            const std::optional<NotatedMove> move = ResolveMove(board, *typed);
            if (!move || PlayMove(board, *move) == MoveRefused)
                return Say("error illegal move \"" + shown + "\"");
            game.push_back(board);
        }
    m_game = std::move(game);
}

void CProtocol::MakeSearch()
{
    if (!m_search)
        m_search = std::make_unique<CSearch>(m_caps.hashMegabytes, m_caps.endgame);
}

void CProtocol::Go(const std::vector<std::string>& words)
{
    std::optional<SearchLimits> parsed = ParseGo(words);
    if (!parsed)
        return;
    SearchLimits limits = *parsed;
    // Analysis wants the search's own view, never the book's.
    if (m_book && words.size() > 1 && words[1] != "infinite")
    {
        limits.bookMargin = kBookMargin;
        limits.seed = m_goCount;
    }
    const bool infinite = words.size() == 2 && words[1] == "infinite";
    m_infinite = infinite;
    ++m_goCount;
    limits.depth = limits.depth > 0 ? std::min(limits.depth, m_caps.maxDepth) : m_caps.maxDepth;
    limits.timeMs = std::min(limits.timeMs, m_caps.maxTimeMs);
    limits.clockMs = std::min(limits.clockMs, m_caps.maxTimeMs);

    if (m_worker.joinable())
        m_worker.join(); // finished: it cleared m_searching last
    MakeSearch();
    m_stop = false;
    m_searching = true;
    m_worker = std::thread(
        [this, limits, infinite, game = m_game]
        {
            const SearchResult result = m_search->Run(
                game, limits, m_stop, [this](const SearchInfo& info) { Say(InfoLine(info)); });
            if (infinite)
            {
                // Analysis answers only when told to, even when the search
                // has nothing left to learn.
                std::unique_lock lock(m_stopLock);
                m_stopSignal.wait(lock, [this] { return m_stop.load(); });
            }
            {
                // Free before the answer goes out: whoever reads it may send
                // the next command at once.
                std::lock_guard lock(m_doneLock);
                m_searching = false;
                m_done.notify_all();
            }
            Say("bestmove " + (result.hasMove ? PrintMove(result.move) : std::string("none")));
        });
}

std::optional<SearchLimits> CProtocol::ParseGo(const std::vector<std::string>& words)
{
    SearchLimits limits;
    if (words.size() == 1)
        return LimitsForLevel(m_level, m_goCount);
    if (words.size() == 2 && words[1] == "infinite")
        return limits;
    long long clocks[2] = {-1, -1}, increments[2] = {0, 0};
    for (std::size_t i = 1; i < words.size(); i += 2)
    {
        const std::string& name = words[i];
        const bool mayBeZero =
            name == "btime" || name == "wtime" || name == "binc" || name == "winc";
        const bool known = mayBeZero || name == "depth" || name == "time" || name == "nodes" ||
                           name == "movestogo";
        if (!known || i + 1 >= words.size())
        {
            Say("error expected \"go\", \"go infinite\" or \"go\" with depth, time, nodes, "
                "btime, wtime, binc, winc or movestogo, each followed by a number");
            return std::nullopt;
        }
        const std::optional<long long> value = Number(words[i + 1]);
        if (!value || *value < (mayBeZero ? 0 : 1))
        {
            Say("error " + name + " must be a whole number " +
                (mayBeZero ? "0 or more" : "above 0"));
            return std::nullopt;
        }
        const int clamped = static_cast<int>(std::min<long long>(*value, 1 << 30));
        if (name == "depth")
            limits.depth = clamped;
        else if (name == "time")
            limits.timeMs = clamped;
        else if (name == "nodes")
            limits.nodes = static_cast<std::uint64_t>(*value);
        else if (name == "movestogo")
            limits.movesToGo = clamped;
        else
            (name[1] == 't' ? clocks : increments)[name[0] == 'b' ? 0 : 1] = clamped;
    }
    if ((clocks[0] < 0) != (clocks[1] < 0) || (clocks[0] < 0 && (increments[0] || increments[1])))
    {
        Say("error a game clock needs both btime and wtime");
        return std::nullopt;
    }
    if (clocks[0] >= 0)
    {
        const int side = m_game.back().m_side == CCheckerBoard::RedSide ? 1 : 0;
        // A clock already at zero still gets an answer, as fast as can be.
        limits.clockMs = static_cast<int>(std::max<long long>(clocks[side], 1));
        limits.incrementMs = static_cast<int>(increments[side]);
    }
    return limits;
}

void CProtocol::CountMoves(const std::vector<std::string>& words)
{
    const std::optional<long long> depth = words.size() == 2 ? Number(words[1]) : std::nullopt;
    if (!depth || *depth < 0 || *depth > kMaxPerftDepth)
        return Say("error expected \"perft <depth>\" with a depth of 0.." +
                   std::to_string(kMaxPerftDepth));
    const int plies = static_cast<int>(*depth);
    const std::optional<std::uint64_t> count =
        Perft(CPosition::FromBoard(m_game.back()), plies, m_caps.perftBudget);
    if (!count)
        return Say("error perft " + words[1] + " would take too long");
    Say("perft " + std::to_string(plies) + " " + std::to_string(*count));
}

void CProtocol::SetLevel(const std::vector<std::string>& words)
{
    const std::string name = words.size() == 2 ? words[1] : "";
    if (name == "beginner")
        m_level = EngineLevel::Beginner;
    else if (name == "intermediate")
        m_level = EngineLevel::Intermediate;
    else if (name == "expert")
        m_level = EngineLevel::Expert;
    else
        Say("error expected \"level beginner\", \"level intermediate\" or \"level expert\"");
}

void CProtocol::SetBook(const std::vector<std::string>& words)
{
    const std::string value = words.size() == 2 ? words[1] : "";
    if (value == "on" || value == "off")
        m_book = value == "on";
    else
        Say("error expected \"book on\" or \"book off\"");
}

void CProtocol::Say(const std::string& line)
{
    std::lock_guard lock(m_outLock);
    m_out << line << '\n' << std::flush;
}

void CProtocol::EndSearch(int graceMs)
{
    {
        std::unique_lock lock(m_doneLock);
        m_done.wait_for(lock, std::chrono::milliseconds(graceMs), [this] { return !Searching(); });
    }
    RaiseStop();
    if (m_worker.joinable())
        m_worker.join();
}

void CProtocol::RaiseStop()
{
    {
        // Under the lock, so a worker about to wait cannot miss it.
        std::lock_guard lock(m_stopLock);
        m_stop = true;
    }
    m_stopSignal.notify_all();
}
