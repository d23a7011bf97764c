#include "record/Pdn.h"

#include <cctype>
#include <vector>

#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "notation/TextEncoding.h"
#include "record/DrawRules.h"

namespace
{
constexpr std::string_view kUnknownDate = "????.??.??";
constexpr std::string_view kTimeForfeit = "time forfeit";

bool IsMarkText(std::string_view word)
{
    return word.find_first_not_of("!?") == std::string_view::npos;
}

// Walks a PDN text once, front to back, never past its end, counting lines.
class CPdnReader
{
public:
    CPdnReader(std::string_view text, PdnProblem& problem) : m_text(text), m_problem(problem) {}

    // False when the text is no game; the problem says why.
    bool Read();
    const CGameRecord& Record() const { return m_record; }
    // The tags the game has, over the defaults of PdnTags.
    PdnTags Tags() const;

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
    bool ReadComment();
    void ReadLineComment();
    bool SkipVariation();
    void ReadAnnotation();
    std::string_view NextWord();
    bool PlayWord(std::string_view word, int line);
    // The tags are read: the game starts from its FEN, if it has one.
    bool SetUp();
    // The moves are read: the comment before them and the end the result
    // gives a game not over on the board.
    void Finish();
    const std::string* TagValue(std::string_view name) const;
    // A comment's text goes to the last move read, or to the game before
    // the first move.
    void TakeComment(std::string_view bytes);
    void TakeMark(std::string mark);

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
    std::string m_gameComment;
    std::string m_result; // the result token closing the moves, if any
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
    m_tags.push_back({std::move(name), Utf8OrLatin1(value), line});
    return true;
}

bool CPdnReader::ReadComment()
{
    const int line = m_line;
    Advance(); // {
    const std::size_t start = m_at;
    while (!AtEnd() && Peek() != '}')
        Advance();
    if (AtEnd())
        return Fail("a comment opened with { is not closed", line);
    TakeComment(m_text.substr(start, m_at - start));
    Advance();
    return true;
}

void CPdnReader::ReadLineComment()
{
    Advance(); // ;
    const std::size_t start = m_at;
    while (!AtEnd() && Peek() != '\n')
        Advance();
    TakeComment(m_text.substr(start, m_at - start));
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
            // Only to find its end: a } or ) inside must not end anything else.
            const int commentLine = m_line;
            while (!AtEnd() && Peek() != '}')
                Advance();
            if (AtEnd())
                return Fail("a comment opened with { is not closed", commentLine);
        }
        Advance();
        if (c == '(')
            ++depth;
        else if (c == ')' && --depth == 0)
            return true;
    }
    return Fail("a variation opened with ( is not closed", line);
}

// $n: PDN's numbered annotations; $1 to $6 are the marks of a move.
void CPdnReader::ReadAnnotation()
{
    Advance(); // $
    const std::string_view number = NextWord();
    if (number.empty() || number.size() > 3 ||
        number.find_first_not_of("0123456789") != std::string_view::npos)
        return;
    TakeMark(MarkOfAnnotation(std::stoi(std::string(number))));
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

void CPdnReader::TakeComment(std::string_view bytes)
{
    const std::string text = FlowingText(Utf8OrLatin1(bytes));
    if (text.empty())
        return;
    const auto join = [](std::string& to, const std::string& more)
    { to += (to.empty() ? "" : " ") + more; };
    if (m_record.Moves().empty())
    {
        join(m_gameComment, text);
        return;
    }
    const std::size_t last = m_record.Moves().size() - 1;
    MoveNote note = m_record.Note(last);
    // The first comment that is exactly an evaluation is the move's
    // evaluation, as the writer puts it there; any later one is words.
    if (const auto evaluation = note.evaluation ? std::nullopt : ParseShortEvaluation(text))
        note.evaluation = evaluation;
    else
        join(note.comment, text);
    m_record.SetNote(last, std::move(note));
}

void CPdnReader::TakeMark(std::string mark)
{
    if (mark.empty() || m_record.Moves().empty())
        return;
    const std::size_t last = m_record.Moves().size() - 1;
    MoveNote note = m_record.Note(last);
    note.mark = std::move(mark);
    m_record.SetNote(last, std::move(note));
}

bool CPdnReader::PlayWord(std::string_view word, int line)
{
    // Marks of a good or bad move ride on its end ("11-15!", "9-14?!") or
    // stand after it ("11-15 !"); a run that is none of the six is dropped.
    const std::size_t markAt = word.find_last_not_of("!?") + 1;
    const std::string_view mark = word.substr(markAt);
    word = word.substr(0, markAt);
    if (word.empty())
    {
        TakeMark(IsMoveMark(mark) ? std::string(mark) : std::string());
        return true;
    }
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
    TakeMark(IsMoveMark(mark) ? std::string(mark) : std::string());
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
            if (!ReadComment())
                return false;
            continue;
        }
        if (c == ';')
        {
            ReadLineComment();
            continue;
        }
        if (c == '%' && (m_at == 0 || m_text[m_at - 1] == '\n'))
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
            ReadAnnotation();
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
            m_result = word;
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
        if (IsMarkText(word) && m_record.Moves().empty())
            continue; // a mark with no move before it marks nothing
        if (!PlayWord(word, line))
            return false;
    }
    // Tags alone set up a position with no moves played yet.
    if (!setUp && m_tags.empty())
        return Fail("there is no game in it", 0);
    if (!setUp && !SetUp())
        return false;
    Finish();
    return true;
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

const std::string* CPdnReader::TagValue(std::string_view name) const
{
    const std::string* value = nullptr;
    for (const Tag& tag : m_tags)
        if (tag.name == name)
            value = &tag.value; // the last of the same name counts
    return value;
}

void CPdnReader::Finish()
{
    m_record.SetGameComment(std::move(m_gameComment));
    const std::string* tagged = TagValue("Result");
    const std::string result = !m_result.empty() ? m_result : tagged ? *tagged : "";
    // A game over on the board ended there, whatever the result says. On a
    // game that is not, a draw was claimed when a claim was open (else
    // agreed), and a win was a loss on time when the game says so (else a
    // resignation): a game Plaxen saved reads back with the end it had.
    if (m_record.IsOver())
        return;
    if (result == "1-1" || result == "1/2-1/2")
    {
        m_record.EndGame(DrawnBy(ClaimableDraw(m_record).value_or(GameEndKind::Agreement)));
        return;
    }
    if (result != "2-0" && result != "0-2")
        return;
    const std::string* termination = TagValue("Termination");
    const GameEndKind kind =
        termination && *termination == kTimeForfeit ? GameEndKind::Time : GameEndKind::Resignation;
    m_record.EndGame(
        LostBy(kind, result == "2-0" ? CCheckerBoard::RedSide : CCheckerBoard::BlackSide));
}

PdnTags CPdnReader::Tags() const
{
    PdnTags tags;
    for (const auto& [name, value, line] : m_tags)
    {
        if (name == "Event")
            tags.event = value;
        else if (name == "Date")
            tags.date = value == kUnknownDate ? std::string() : value;
        else if (name == "Black")
            tags.black = value;
        else if (name == "White")
            tags.white = value;
        else if (name == "TimeControl")
            tags.timeControl = value;
    }
    return tags;
}
} // namespace

std::optional<CGameRecord> ReadPdn(std::string_view text, PdnProblem& problem)
{
    PdnTags tags;
    return ReadPdn(text, problem, tags);
}

std::optional<CGameRecord> ReadPdn(std::string_view text, PdnProblem& problem, PdnTags& tags)
{
    CPdnReader reader(text, problem);
    if (!reader.Read())
        return std::nullopt;
    tags = reader.Tags();
    return reader.Record();
}
