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

std::uint64_t CComputerPlayer::Start(const std::vector<CCheckerBoard>& game, EngineLevel level,
                                     int clockMs, int incrementMs)
{
    // Beginner's choices vary with the request.
    return Launch(game,
                  [level, clockMs, incrementMs](std::uint64_t seed)
                  {
                      return clockMs > 0 ? LimitsOnClock(level, seed, clockMs, incrementMs)
                                         : LimitsForLevel(level, seed);
                  });
}

std::uint64_t CComputerPlayer::Judge(const std::vector<CCheckerBoard>& game, EngineLevel level)
{
    return Launch(game, [level](std::uint64_t) { return LimitsForJudging(level); });
}

std::uint64_t CComputerPlayer::Launch(const std::vector<CCheckerBoard>& game,
                                      std::function<SearchLimits(std::uint64_t seed)> limitsFor)
{
    return m_worker.Start(
        [sink = m_sink, game, limitsFor = std::move(limitsFor),
         seed = m_seed](CSearch& search, const std::atomic<bool>& stop, std::uint64_t request)
        {
            const auto tell = [sink, request](const SearchInfo& info)
            {
                auto* thought = new wxThreadEvent(EVT_COMPUTER_INFO);
                thought->SetPayload(ComputerThought{request, info});
                wxQueueEvent(sink, thought);
            };
            const SearchLimits limits = limitsFor(seed + request);
            auto* event = new wxThreadEvent(EVT_COMPUTER_MOVE);
            event->SetPayload(ComputerAnswer{request, search.Run(game, limits, stop, tell)});
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
