#include "record/Pdn.h"

#include <cctype>

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

// Gathers words into lines no longer than kLineWidth where it can.
class CLineFiller
{
public:
    void Add(const std::string& word)
    {
        if (!m_line.empty() && m_line.size() + 1 + word.size() > kLineWidth)
            Break();
        m_line += (m_line.empty() ? "" : " ") + word;
    }
    // Ends the line even if more would fit (after a comment to its end).
    void Break()
    {
        if (!m_line.empty())
            m_text += m_line + '\n';
        m_line.clear();
    }
    std::string Text()
    {
        Break();
        return std::move(m_text);
    }

private:
    std::string m_text;
    std::string m_line;
};

void AddComment(CLineFiller& out, const std::string& comment)
{
    const std::string text = FlowingText(comment);
    if (text.empty())
        return;
    if (text.find('}') != std::string::npos)
    {
        out.Add("; " + text);
        out.Break();
        return;
    }
    // Word by word, so a long comment wraps like the moves around it.
    std::size_t at = 0;
    while (at < text.size())
    {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        std::string word = text.substr(at, end - at);
        if (at == 0)
            word.insert(0, "{");
        if (end == text.size())
            word += '}';
        out.Add(word);
        at = end + 1;
    }
}
} // namespace

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

std::string PdnResult(const CGameRecord& record)
{
    const auto& end = record.End();
    if (!end || record.Board().IsGameOver())
        return PdnResult(record.Board());
    if (end->IsDraw())
        return "1-1";
    return end->loser == CCheckerBoard::RedSide ? "2-0" : "0-2";
}

std::string FlowingText(std::string_view text)
{
    std::string flowing;
    bool blank = false;
    for (const char c : text)
    {
        if (std::isspace(static_cast<unsigned char>(c)))
        {
            blank = true;
            continue;
        }
        if (blank && !flowing.empty())
            flowing += ' ';
        blank = false;
        flowing += c;
    }
    return flowing;
}

std::string WritePdn(const CGameRecord& record, const PdnTags& tags)
{
    const std::string result = PdnResult(record);
    std::string text;
    const auto tag = [&](const char* name, const std::string& value)
    { text += std::string("[") + name + " " + Quoted(value) + "]\n"; };
    tag("Event", tags.event);
    tag("Date", tags.date.empty() ? "????.??.??" : tags.date);
    tag("Black", tags.black);
    tag("White", tags.white);
    tag("Result", result);
    if (!tags.timeControl.empty())
        tag("TimeControl", tags.timeControl);
    if (record.End() && record.End()->kind == GameEndKind::Time)
        tag("Termination", "time forfeit");
    if (!(record.Start() == CCheckerBoard()))
        tag("FEN", PrintFen(FenFromBoard(record.Start())));
    text += '\n';

    CLineFiller out;
    AddComment(out, record.GameComment());
    int number = 1;
    for (std::size_t i = 0; i < record.Place(); ++i)
    {
        const bool black = record.BoardAfter(i).m_side == CCheckerBoard::BlackSide;
        const MoveNote& note = record.Note(i);
        // Anything but PDN's six marks would not read back as a move.
        const std::string move =
            PrintMove(record.Moves()[i]) + (IsMoveMark(note.mark) ? note.mark : "");
        if (black)
            out.Add(std::to_string(number) + ". " + move);
        else if (i == 0)
            out.Add(std::to_string(number) + "... " + move);
        else
            out.Add(move);
        if (!black)
            ++number;
        if (note.evaluation)
            out.Add("{" + ShortEvaluationText(*note.evaluation) + "}");
        AddComment(out, note.comment);
    }
    out.Add(result);
    return text + out.Text();
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
