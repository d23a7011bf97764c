#include "view/ComputerPlayer.h"

#include <chrono>

#include "engine/Search.h"

wxDEFINE_EVENT(EVT_COMPUTER_MOVE, wxThreadEvent);
wxDEFINE_EVENT(EVT_COMPUTER_INFO, wxThreadEvent);

CComputerPlayer::CComputerPlayer(wxEvtHandler* sink)
    : m_sink(sink),
      // Beginner's weaker moves differ from game to game.
      m_seed(
          static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
}

std::uint64_t CComputerPlayer::Start(const CCheckerBoard& board, EngineLevel level)
{
    return m_worker.Start(
        [sink = m_sink, board, level, seed = m_seed](CSearch& search, const std::atomic<bool>& stop,
                                                     std::uint64_t request)
        {
            const auto tell = [sink, request](const SearchInfo& info)
            {
                auto* thought = new wxThreadEvent(EVT_COMPUTER_INFO);
                thought->SetPayload(ComputerThought{request, info});
                wxQueueEvent(sink, thought);
            };
            const SearchLimits limits = LimitsForLevel(level, seed + request);
            auto* event = new wxThreadEvent(EVT_COMPUTER_MOVE);
            event->SetPayload(ComputerAnswer{request, search.Run(board, limits, stop, tell)});
            wxQueueEvent(sink, event); // takes the event; safe from any thread
        });
}

void CComputerPlayer::Cancel()
{
    m_worker.Cancel();
}

bool CComputerPlayer::Accept(const ComputerAnswer& answer)
{
    // The worker queued this as its last act: the join is immediate.
    return m_worker.Finish(answer.request);
}
