#include "view/SearchWorker.h"

#include "engine/Search.h"

CSearchWorker::CSearchWorker() = default;

CSearchWorker::~CSearchWorker()
{
    Cancel();
}

std::uint64_t CSearchWorker::Start(Job job)
{
    Cancel();
    if (!m_search)
        m_search = std::make_unique<CSearch>(16, EndgameTables::Shared);
    const std::uint64_t request = ++m_request;
    m_stop = false;
    m_busy = true;
    m_thread =
        std::thread([this, job = std::move(job), request] { job(*m_search, m_stop, request); });
    return request;
}

void CSearchWorker::Cancel()
{
    m_stop = true;
    Join();
    if (m_busy)
        ++m_request; // whatever the stopped job queued is stale now
    m_busy = false;
}

bool CSearchWorker::Finish(std::uint64_t request)
{
    if (!IsCurrent(request))
        return false;
    Join();
    m_busy = false;
    return true;
}

void CSearchWorker::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}
