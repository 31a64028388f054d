#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace Sandbox {

// Ends the process when a job overruns, even if the UI thread is stuck in
// a nested event loop or a blocking call where no timer can fire.
class CWatchdog
{
public:
    CWatchdog() = default;
    // Disarms; the process then lives on.
    ~CWatchdog();
    CWatchdog(const CWatchdog &) = delete;
    CWatchdog &operator=(const CWatchdog &) = delete;

    // After timeout, runs onExpiry on the watchdog's own thread and then
    // exits the process with exitCode without any clean-up.
    void arm(std::chrono::milliseconds timeout, int exitCode, std::function<void()> onExpiry);
    void disarm();

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_disarmed = false;
    std::thread m_thread;
};

} // namespace Sandbox
