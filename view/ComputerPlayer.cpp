#include "view/ComputerPlayer.h"

#include <chrono>

#include "engine/Search.h"

wxDEFINE_EVENT(EVT_COMPUTER_MOVE, wxThreadEvent);

CComputerPlayer::CComputerPlayer(wxEvtHandler* sink)
    : m_sink(sink), m_search(std::make_unique<CSearch>(16, EndgameTables::Shared)),
      // Beginner's weaker moves differ from game to game.
      m_seed(
          static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
}

CComputerPlayer::~CComputerPlayer()
{
    Cancel();
}

std::uint64_t CComputerPlayer::Start(const CCheckerBoard& board, EngineLevel level)
{
    Cancel();
    const std::uint64_t request = ++m_request;
    const SearchLimits limits = LimitsForLevel(level, m_seed + request);
    m_stop = false;
    m_thinking = true;
    m_worker = std::thread(
        [this, board, limits, request]
        {
            auto* event = new wxThreadEvent(EVT_COMPUTER_MOVE);
            event->SetPayload(ComputerAnswer{request, m_search->Run(board, limits, m_stop)});
            wxQueueEvent(m_sink, event); // takes the event; safe from any thread
        });
    return request;
}

void CComputerPlayer::Cancel()
{
    m_stop = true;
    Join();
    if (m_thinking)
        ++m_request; // whatever the stopped search queued is stale now
    m_thinking = false;
}

bool CComputerPlayer::Accept(const ComputerAnswer& answer)
{
    if (!m_thinking || answer.request != m_request)
        return false;
    // The worker queued this as its last act: the join is immediate.
    Join();
    m_thinking = false;
    return true;
}

void CComputerPlayer::Join()
{
    if (m_worker.joinable())
        m_worker.join();
}
