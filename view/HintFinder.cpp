#include "view/HintFinder.h"

#include "engine/Search.h"

wxDEFINE_EVENT(EVT_HINT_FOUND, wxThreadEvent);

CHintFinder::CHintFinder(wxEvtHandler* sink) : m_sink(sink) {}

void CHintFinder::Start(const std::vector<CCheckerBoard>& game)
{
    if (game.empty())
        return;
    m_position = game.back();
    SearchLimits limits;
    limits.timeMs = kHintTimeMs;
    m_worker.Start(
        [sink = m_sink, game, limits](CSearch& search, const std::atomic<bool>& stop,
                                      std::uint64_t request)
        {
            auto* event = new wxThreadEvent(EVT_HINT_FOUND);
            event->SetPayload(HintAnswer{request, game.back(), search.Run(game, limits, stop)});
            wxQueueEvent(sink, event); // takes the event; safe from any thread
        });
}

void CHintFinder::Cancel()
{
    m_worker.Cancel();
}

std::optional<NotatedMove> CHintFinder::Accept(const HintAnswer& answer)
{
    if (!m_worker.Finish(answer.request) || !answer.result.hasMove)
        return std::nullopt;
    return answer.result.move;
}
