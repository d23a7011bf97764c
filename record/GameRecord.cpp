#include "record/GameRecord.h"

#include <algorithm>

namespace
{
const MoveNote kNoNote;
}

CGameRecord::CGameRecord() : m_boards{CCheckerBoard()} {}

void CGameRecord::Reset(const CCheckerBoard& start)
{
    m_moves.clear();
    m_notes.clear();
    m_boards.assign(1, start);
    m_place = 0;
    m_gameComment.clear();
    m_end.reset();
}

void CGameRecord::Played(const NotatedMove& move, const CCheckerBoard& after)
{
    // The same move from the same position is the same move: what was said
    // about it still holds.
    MoveNote note;
    if (m_place < m_moves.size() && m_moves[m_place] == move && m_boards[m_place + 1] == after)
        note = std::move(m_notes[m_place]);
    m_moves.resize(m_place);
    m_notes.resize(m_place);
    m_boards.resize(m_place + 1);
    m_moves.push_back(move);
    m_notes.push_back(std::move(note));
    m_boards.push_back(after);
    m_place = m_moves.size();
    m_end.reset();
}

void CGameRecord::GoTo(std::size_t count)
{
    m_place = std::min(count, m_moves.size());
    if (m_place < m_moves.size())
        m_end.reset();
}

const CCheckerBoard& CGameRecord::BoardAfter(std::size_t count) const
{
    return m_boards[std::min(count, m_moves.size())];
}

std::vector<CCheckerBoard> CGameRecord::History() const
{
    return {m_boards.begin(), m_boards.begin() + static_cast<std::ptrdiff_t>(m_place) + 1};
}

const MoveNote& CGameRecord::Note(std::size_t index) const
{
    return index < m_notes.size() ? m_notes[index] : kNoNote;
}

void CGameRecord::SetNote(std::size_t index, MoveNote note)
{
    if (index < m_notes.size())
        m_notes[index] = std::move(note);
}

bool CGameRecord::EndGame(const GameEnd& end)
{
    if (IsOver())
        return false;
    m_moves.resize(m_place);
    m_notes.resize(m_place);
    m_boards.resize(m_place + 1);
    m_end = end;
    return true;
}
