#include "engine/OpeningBook.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>

#include "engine/HashKeys.h"
#include "engine/MoveGen.h"
#include "notation/Fen.h"

extern const char kOpeningBookText[]; // generated from engine/book/opening.txt

namespace
{
constexpr std::string_view kTitle = "plaxen opening book";

std::uint64_t Mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::vector<std::string_view> Split(std::string_view line)
{
    std::vector<std::string_view> words;
    while (!line.empty())
    {
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string_view::npos)
            break;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find_first_of(" \t\r"), line.size());
        words.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    return words;
}

bool IsLegal(const CPosition& position, const NotatedMove& move)
{
    CMoveList list;
    GenerateMoves(position, list);
    for (int i = 0; i < list.Size(); ++i)
        if (ToNotated(list[i]) == move)
            return true;
    return false;
}
} // namespace

std::optional<COpeningBook> COpeningBook::Parse(std::string_view text, std::string* error)
{
    auto fail = [&](int line, const std::string& reason) -> std::optional<COpeningBook>
    {
        if (error)
            *error = line > 0 ? "line " + std::to_string(line) + ": " + reason : reason;
        return std::nullopt;
    };
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();)
    {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.empty() || lines[0] != kTitle)
        return fail(0, "not a Plaxen opening book");
    int version = 0, count = -1;
    const auto header = [&](std::size_t at, std::string_view name, int& value)
    {
        const auto words = at < lines.size() ? Split(lines[at]) : std::vector<std::string_view>{};
        return words.size() == 2 && words[0] == name &&
               std::from_chars(words[1].data(), words[1].data() + words[1].size(), value).ec ==
                   std::errc();
    };
    if (!header(1, "version", version))
        return fail(2, "expected \"version <n>\"");
    if (version != kOpeningBookVersion)
        return fail(2, "version " + std::to_string(version) +
                           " is not supported (this program reads " +
                           std::to_string(kOpeningBookVersion) + ")");
    if (!header(2, "positions", count) || count < 0)
        return fail(3, "expected \"positions <n>\"");
    COpeningBook book;
    int read = 0;
    for (std::size_t at = 3; at < lines.size(); ++at)
    {
        const int number = static_cast<int>(at) + 1;
        const auto words = Split(lines[at]);
        if (words.empty())
            continue;
        std::string why;
        const std::optional<FenPosition> fen = ParseFen(words[0], &why);
        if (!fen)
            return fail(number, "bad FEN: " + why);
        const CPosition position = CPosition::FromFen(*fen);
        if (words.size() < 2)
            return fail(number, "a position without moves");
        std::vector<BookMove> moves;
        for (std::size_t w = 1; w < words.size(); ++w)
        {
            const std::size_t colon = words[w].find(':');
            BookMove entry;
            const std::optional<NotatedMove> move = colon == std::string_view::npos
                                                        ? std::nullopt
                                                        : ParseMove(words[w].substr(0, colon));
            const std::string_view score =
                colon == std::string_view::npos ? std::string_view() : words[w].substr(colon + 1);
            const auto parsed =
                std::from_chars(score.data(), score.data() + score.size(), entry.score);
            if (!move || parsed.ec != std::errc() || parsed.ptr != score.data() + score.size() ||
                score.empty())
                return fail(number,
                            "expected <move>:<score>, not \"" + std::string(words[w]) + "\"");
            if (!IsLegal(position, *move))
                return fail(number, "\"" + PrintMove(*move) + "\" is not a legal move here");
            entry.move = *move;
            moves.push_back(entry);
        }
        book.Add(position, std::move(moves));
        ++read;
    }
    if (read != count)
        return fail(0, "the book promises " + std::to_string(count) + " positions and holds " +
                           std::to_string(read));
    return book;
}

const COpeningBook& COpeningBook::BuiltIn()
{
    static const COpeningBook book = []
    {
        std::string error;
        if (std::optional<COpeningBook> parsed = Parse(kOpeningBookText, &error))
            return *parsed;
        std::fprintf(stderr, "plaxen: the built-in opening book is unusable (%s)\n", error.c_str());
        return COpeningBook();
    }();
    return book;
}

std::string COpeningBook::Print() const
{
    // In FEN order, so the file does not depend on the table's layout.
    std::map<std::string, const Entry*> sorted;
    for (const auto& [key, entry] : m_entries)
        sorted[PrintFen(entry.position.ToFen())] = &entry;
    std::string text = std::string(kTitle) + "\nversion " + std::to_string(kOpeningBookVersion) +
                       "\npositions " + std::to_string(sorted.size()) + "\n";
    for (const auto& [fen, entry] : sorted)
    {
        text += fen;
        for (const BookMove& move : entry->moves)
            text += " " + PrintMove(move.move) + ":" + std::to_string(move.score);
        text += "\n";
    }
    return text;
}

void COpeningBook::Add(const CPosition& position, std::vector<BookMove> moves)
{
    std::stable_sort(moves.begin(), moves.end(),
                     [](const BookMove& a, const BookMove& b) { return a.score > b.score; });
    m_entries[PositionKey(position)] = Entry{position, std::move(moves)};
}

std::vector<BookMove> COpeningBook::Moves(const CPosition& position) const
{
    const auto found = m_entries.find(PositionKey(position));
    if (found == m_entries.end() || !(found->second.position == position))
        return {};
    return found->second.moves;
}

std::optional<BookMove> COpeningBook::Choose(const CPosition& position, int margin,
                                             std::uint64_t seed) const
{
    const std::vector<BookMove> moves = Moves(position);
    if (moves.empty())
        return std::nullopt;
    std::size_t near = 1;
    while (near < moves.size() && moves[near].score >= moves[0].score - std::max(margin, 0))
        ++near;
    return moves[Mix(seed ^ Mix(PositionKey(position))) % near];
}
