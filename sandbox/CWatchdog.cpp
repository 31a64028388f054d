#include "sandbox/CWatchdog.h"

#include <cstdio>
#include <cstdlib>

namespace Sandbox {

CWatchdog::~CWatchdog()
{
    disarm();
}

void CWatchdog::arm(std::chrono::milliseconds timeout, int exitCode, std::function<void()> onExpiry)
{
    disarm();
    m_disarmed = false;
    m_thread = std::thread([this, timeout, exitCode, onExpiry] {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_condition.wait_for(lock, timeout, [this] { return m_disarmed; }))
            return;
        if (onExpiry)
            onExpiry();
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(exitCode);
    });
}

void CWatchdog::disarm()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_disarmed = true;
    }
    m_condition.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace Sandbox
