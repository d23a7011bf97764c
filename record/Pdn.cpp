#include "record/Pdn.h"

#include <cctype>
#include <vector>

#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "rules/GameText.h"

namespace
{
constexpr std::size_t kLineWidth = 79;

std::string Quoted(const std::string& value)
{
    std::string text = "\"";
    for (const char c : value)
    {
        if (c == '"' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + '"';
}

// Walks a PDN text once, front to back, never past its end, counting lines.
class CPdnReader
{
public:
    CPdnReader(std::string_view text, PdnProblem& problem) : m_text(text), m_problem(problem) {}

    // False when the text is no game; the problem says why.
    bool Read();
    const CGameRecord& Record() const { return m_record; }

private:
    bool AtEnd() const { return m_at >= m_text.size(); }
    char Peek() const { return m_text[m_at]; }
    void Advance()
    {
        if (m_text[m_at] == '\n')
            ++m_line;
        ++m_at;
    }
    bool Fail(std::string reason, int line = -1)
    {
        m_problem.line = line < 0 ? m_line : line;
        m_problem.reason = std::move(reason);
        return false;
    }

    void SkipBlanks();
    bool ReadTag();
    bool SkipComment();
    bool SkipVariation();
    std::string_view NextWord();
    bool PlayWord(std::string_view word, int line);
    // The tags are read: the game starts from its FEN, if it has one.
    bool SetUp();

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
    PdnProblem& m_problem;
    struct Tag
    {
        std::string name;
        std::string value;
        int line;
    };
    std::vector<Tag> m_tags;
    CCheckerBoard m_board;
    CGameRecord m_record;
};

void CPdnReader::SkipBlanks()
{
    while (!AtEnd() && std::isspace(static_cast<unsigned char>(Peek())))
        Advance();
}

// [Name "value"], the value with \" and \\ escapes.
bool CPdnReader::ReadTag()
{
    const int line = m_line;
    Advance(); // [
    SkipBlanks();
    std::string name;
    while (!AtEnd() && (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_'))
    {
        name += Peek();
        Advance();
    }
    SkipBlanks();
    if (name.empty() || AtEnd() || Peek() != '"')
        return Fail("a tag must read [Name \"value\"]", line);
    Advance();
    std::string value;
    while (!AtEnd() && Peek() != '"')
    {
        if (Peek() == '\\' && m_at + 1 < m_text.size())
            Advance();
        value += Peek();
        Advance();
    }
    if (AtEnd())
        return Fail("the value of the tag " + name + " is not closed", line);
    Advance(); // "
    SkipBlanks();
    if (AtEnd() || Peek() != ']')
        return Fail("the tag " + name + " is not closed with ]", line);
    Advance();
    m_tags.push_back({std::move(name), std::move(value), line});
    return true;
}

bool CPdnReader::SkipComment()
{
    const int line = m_line;
    while (!AtEnd() && Peek() != '}')
        Advance();
    if (AtEnd())
        return Fail("a comment opened with { is not closed", line);
    Advance();
    return true;
}

bool CPdnReader::SkipVariation()
{
    const int line = m_line;
    int depth = 0;
    while (!AtEnd())
    {
        const char c = Peek();
        if (c == '{')
        {
            if (!SkipComment())
                return false;
            continue;
        }
        Advance();
        if (c == '(')
            ++depth;
        else if (c == ')' && --depth == 0)
            return true;
    }
    return Fail("a variation opened with ( is not closed", line);
}

// The next run of characters up to a blank or one of PDN's brackets.
std::string_view CPdnReader::NextWord()
{
    const std::size_t start = m_at;
    while (!AtEnd())
    {
        const char c = Peek();
        if (std::isspace(static_cast<unsigned char>(c)) || c == '{' || c == '(' || c == ')' ||
            c == '[' || c == ']' || c == ';' || c == '$')
            break;
        Advance();
    }
    return m_text.substr(start, m_at - start);
}

bool CPdnReader::PlayWord(std::string_view word, int line)
{
    // Marks of a good or bad move ride on its end: "11-15!", "9-14?!".
    while (!word.empty() && (word.back() == '!' || word.back() == '?'))
        word.remove_suffix(1);
    // Built by appending: GCC 12 warns falsely about "literal" + string here.
    std::string reason;
    const auto typed = ParseMove(word);
    if (!typed)
    {
        reason += '"';
        reason.append(word).append("\" is not a move");
        return Fail(reason, line);
    }
    const auto move = ResolveMove(m_board, *typed);
    if (!move || PlayMove(m_board, *move) == MoveRefused)
    {
        reason.append(word).append(" is not a legal move for ");
        reason.append(m_board.m_side == CCheckerBoard::BlackSide ? "black" : "red");
        return Fail(reason, line);
    }
    m_record.Played(*move, m_board);
    return true;
}

bool CPdnReader::Read()
{
    if (m_text.size() > kMaxPdnBytes)
        return Fail("the text is larger than a PDN game can be", 0);

    // A bare FEN, as pasted from elsewhere, is a game of no moves.
    std::string fenError;
    if (m_text.find(':') != std::string_view::npos)
    {
        if (const auto bare = ParseFen(m_text, &fenError))
        {
            m_record.Reset(BoardFromFen(*bare));
            return true;
        }
    }

    bool started = false; // a move, move number or result was read
    bool setUp = false;
    while (true)
    {
        SkipBlanks();
        if (AtEnd())
            break;
        const char c = Peek();
        if (c == '[')
        {
            if (started)
                break; // the next game's tags: the first game ends here
            if (!ReadTag())
                return false;
            continue;
        }
        if (!setUp)
        {
            setUp = true;
            if (!SetUp())
                return false;
        }
        if (c == '{')
        {
            if (!SkipComment())
                return false;
            continue;
        }
        if (c == ';' || (c == '%' && (m_at == 0 || m_text[m_at - 1] == '\n')))
        {
            while (!AtEnd() && Peek() != '\n')
                Advance();
            continue;
        }
        if (c == '(')
        {
            if (!SkipVariation())
                return false;
            continue;
        }
        if (c == '$')
        {
            Advance();
            NextWord(); // the annotation's number
            continue;
        }
        if (c == ')' || c == ']')
            return Fail(std::string("a ") + c + " without its opening");

        const int line = m_line;
        std::string_view word = NextWord();
        started = true;
        if (word == "*" || word == "2-0" || word == "0-2" || word == "1-1" || word == "0-0" ||
            word == "1-0" || word == "0-1" || word == "1/2-1/2")
        {
            // The result ends the game; anything after it belongs to the next.
            break;
        }
        // A move number, "12." or "12...", perhaps run together with its move.
        std::size_t digits = 0;
        while (digits < word.size() && std::isdigit(static_cast<unsigned char>(word[digits])))
            ++digits;
        if (digits > 0 && digits < word.size() && word[digits] == '.')
        {
            word.remove_prefix(digits);
            while (!word.empty() && word.front() == '.')
                word.remove_prefix(1);
            if (word.empty())
                continue;
        }
        if (!PlayWord(word, line))
            return false;
    }
    // Tags alone set up a position with no moves played yet.
    if (!setUp && m_tags.empty())
        return Fail("there is no game in it", 0);
    return setUp || SetUp();
}

bool CPdnReader::SetUp()
{
    for (const auto& [name, value, line] : m_tags)
    {
        if (name == "GameType" && value.substr(0, value.find(',')) != "21")
            return Fail("the game is not checkers (GameType " + value + ")", line);
        if (name == "FEN")
        {
            std::string error;
            const auto fen = ParseFen(value, &error);
            if (!fen)
                return Fail("the FEN tag: " + error, line);
            m_board = BoardFromFen(*fen);
        }
    }
    m_record.Reset(m_board);
    return true;
}
} // namespace

std::optional<CGameRecord> ReadPdn(std::string_view text, PdnProblem& problem)
{
    CPdnReader reader(text, problem);
    if (!reader.Read())
        return std::nullopt;
    return reader.Record();
}

std::string PdnResult(const CCheckerBoard& board)
{
    switch (LosingSide(board))
    {
    case CCheckerBoard::RedSide:
        return "2-0";
    case CCheckerBoard::BlackSide:
        return "0-2";
    default:
        return "*";
    }
}

std::string WritePdn(const CGameRecord& record, const PdnTags& tags)
{
    const CCheckerBoard& last = record.Board();
    const std::string result = PdnResult(last);
    std::string text;
    const auto tag = [&](const char* name, const std::string& value)
    { text += std::string("[") + name + " " + Quoted(value) + "]\n"; };
    tag("Event", tags.event);
    tag("Date", tags.date.empty() ? "????.??.??" : tags.date);
    tag("Black", tags.black);
    tag("White", tags.white);
    tag("Result", result);
    if (!(record.Start() == CCheckerBoard()))
        tag("FEN", PrintFen(FenFromBoard(record.Start())));
    text += '\n';

    std::string line;
    const auto add = [&](const std::string& word)
    {
        if (!line.empty() && line.size() + 1 + word.size() > kLineWidth)
        {
            text += line + '\n';
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    };
    int number = 1;
    for (std::size_t i = 0; i < record.Place(); ++i)
    {
        const bool black = record.BoardAfter(i).m_side == CCheckerBoard::BlackSide;
        if (black)
            add(std::to_string(number) + ". " + PrintMove(record.Moves()[i]));
        else if (i == 0)
            add(std::to_string(number) + "... " + PrintMove(record.Moves()[i]));
        else
            add(PrintMove(record.Moves()[i]));
        if (!black)
            ++number;
    }
    add(result);
    return text + line + '\n';
}

std::string DescribePdnProblem(const PdnProblem& problem)
{
    if (problem.line > 0)
        return "Line " + std::to_string(problem.line) + ": " + problem.reason + ".";
    std::string said = problem.reason;
    if (!said.empty())
        said[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(said[0])));
    return said + ".";
}
