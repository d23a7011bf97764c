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

std::uint64_t CComputerPlayer::Start(const std::vector<CCheckerBoard>& game, EngineLevel level,
                                     int clockMs, int incrementMs)
{
    Cancel();
    // Beginner's choices vary with the request.
    const std::uint64_t seed = m_seed + m_request + 1;
    return Launch(game, clockMs > 0 ? LimitsOnClock(level, seed, clockMs, incrementMs)
                                    : LimitsForLevel(level, seed));
}

std::uint64_t CComputerPlayer::Judge(const std::vector<CCheckerBoard>& game, EngineLevel level)
{
    return Launch(game, LimitsForJudging(level));
}

std::uint64_t CComputerPlayer::Launch(const std::vector<CCheckerBoard>& game,
                                      const SearchLimits& limits)
{
    Cancel();
    const std::uint64_t request = ++m_request;
    m_stop = false;
    m_thinking = true;
    m_worker = std::thread(
        [this, game, limits, request]
        {
            auto* event = new wxThreadEvent(EVT_COMPUTER_MOVE);
            event->SetPayload(ComputerAnswer{request, m_search->Run(game, limits, m_stop)});
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
