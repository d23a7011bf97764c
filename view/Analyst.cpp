#include "view/Analyst.h"

#include "engine/Search.h"
#include "record/AnalysisText.h"
#include "record/Evaluation.h"

wxDEFINE_EVENT(EVT_ANALYSIS_INFO, wxThreadEvent);

namespace
{
const char* const kAnalysisHeading = "Analysis";
const char* const kComputerHeading = "The computer's search";
const char* const kAnalysing = "Analysing...";
const char* const kThinking = "Thinking...";
} // namespace

CAnalyst::CAnalyst(wxEvtHandler* sink) : m_sink(sink), m_worker(CSearchWorker::Priority::Background)
{
}

void CAnalyst::Analyse(const std::vector<CCheckerBoard>& game)
{
    if (game.empty() || (m_mode == Mode::Searching && game == m_game))
        return;
    m_worker.Cancel();
    Begin(Mode::Searching, game, kAnalysisHeading, kAnalysing);
    // No limits: it searches until stopped, or until it has proved the result.
    m_worker.Start(
        [sink = m_sink, game](CSearch& search, const std::atomic<bool>& stop, std::uint64_t request)
        {
            search.Run(game, SearchLimits{}, stop,
                       [sink, request](const SearchInfo& info)
                       {
                           auto* event = new wxThreadEvent(EVT_ANALYSIS_INFO);
                           event->SetPayload(AnalysisNews{request, info});
                           wxQueueEvent(sink, event);
                       });
        });
}

void CAnalyst::FollowComputer(const std::vector<CCheckerBoard>& game, std::uint64_t request)
{
    if (m_mode == Mode::Computer && request == m_computerRequest && game == m_game)
        return;
    m_worker.Cancel();
    m_computerRequest = request;
    Begin(Mode::Computer, game, kComputerHeading, kThinking);
}

void CAnalyst::Hold(const std::vector<CCheckerBoard>& game, const std::string& state)
{
    if (m_mode == Mode::Held && game == m_game && state == m_report.state)
        return;
    m_worker.Cancel();
    Begin(Mode::Held, game, kAnalysisHeading, state);
    if (!game.empty())
        if (const auto end = EvaluationOfEnd(game.back()))
            m_report.evaluation = EvaluationText(*end);
}

void CAnalyst::Stop()
{
    m_worker.Cancel();
    m_mode = Mode::Stopped;
    m_game.clear();
    m_report = AnalysisReport();
}

bool CAnalyst::Hear(const AnalysisNews& news)
{
    if (m_mode != Mode::Searching || !m_worker.IsCurrent(news.request))
        return false;
    Show(news.info);
    return true;
}

bool CAnalyst::HearComputer(std::uint64_t request, const SearchInfo& info)
{
    if (m_mode != Mode::Computer || request != m_computerRequest)
        return false;
    Show(info);
    return true;
}

void CAnalyst::Begin(Mode mode, const std::vector<CCheckerBoard>& game, const std::string& heading,
                     const std::string& state)
{
    m_mode = mode;
    m_game = game;
    m_report = AnalysisReport();
    m_report.heading = heading;
    m_report.state = state;
    if (!game.empty())
    {
        m_report.position = game.back();
        m_report.plies = game.size() - 1;
    }
}

void CAnalyst::Show(const SearchInfo& info)
{
    if (m_game.empty())
        return;
    const std::int32_t side = m_game.back().m_side;
    m_report.state.clear();
    m_report.evaluation = EvaluationText(EvaluationFromSideToMove(side, info.score, info.winMoves));
    m_report.depth = std::to_string(info.depth) + (info.depth == 1 ? " ply" : " plies");
    m_report.speed = info.nodesPerSecond > 0 ? SpeedText(info.nodesPerSecond) : std::string();
    m_report.line = NumberedLine(NextMoveNumber(m_game), side, info.pv);
}
