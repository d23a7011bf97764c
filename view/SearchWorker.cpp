#include "view/SearchWorker.h"

#include <sys/resource.h>
#include <unistd.h>

#include "engine/Search.h"

namespace
{
// A niceness the scheduler weighs at about a tenth of a normal thread's, so
// that a background search takes what the window leaves over.
constexpr int kBackgroundNiceness = 10;
} // namespace

CSearchWorker::CSearchWorker(Priority priority) : m_priority(priority) {}

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
    m_thread = std::thread(
        [this, job = std::move(job), request, background = m_priority == Priority::Background]
        {
            // Linux gives each thread its own niceness. Failing to lower it
            // only costs the window a little speed.
            if (background)
                setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kBackgroundNiceness);
            job(*m_search, m_stop, request);
        });
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
