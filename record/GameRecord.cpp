#include "record/GameRecord.h"

#include <algorithm>

CGameRecord::CGameRecord() : m_boards{CCheckerBoard()} {}

void CGameRecord::Reset(const CCheckerBoard& start)
{
    m_moves.clear();
    m_boards.assign(1, start);
    m_place = 0;
}

void CGameRecord::Played(const NotatedMove& move, const CCheckerBoard& after)
{
    m_moves.resize(m_place);
    m_boards.resize(m_place + 1);
    m_moves.push_back(move);
    m_boards.push_back(after);
    m_place = m_moves.size();
}

void CGameRecord::GoTo(std::size_t count)
{
    m_place = std::min(count, m_moves.size());
}

const CCheckerBoard& CGameRecord::BoardAfter(std::size_t count) const
{
    return m_boards[std::min(count, m_moves.size())];
}
