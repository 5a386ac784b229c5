#include "core/video/thread_timer.h"

#include <algorithm>
#include <chrono>

namespace kinoval::video {

TThreadTimer::~TThreadTimer()
{
    Stop();
    Join();
}

void TThreadTimer::Join()
{
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

bool TThreadTimer::Start(int periodMs, std::function<void()> tick)
{
    Stop();
    Join();
    if (periodMs <= 0 || !tick)
        return false;
    m_running = true;
    m_thread = std::thread([this, periodMs, t = std::move(tick)]() mutable { Loop(periodMs, std::move(t)); });
    return true;
}

void TThreadTimer::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
    }
    m_wake.notify_all();
}

void TThreadTimer::Loop(int periodMs, std::function<void()> tick)
{
    using clock = std::chrono::steady_clock;
    auto next = clock::now() + std::chrono::milliseconds(periodMs);
    while (m_running) {
        {
            // Sleep in 1 ms slices so that Stop is seen at once and the period keeps to the millisecond.
            std::unique_lock lock(m_mutex);
            while (m_running && clock::now() < next)
                m_wake.wait_until(lock, std::min(next, clock::now() + std::chrono::milliseconds(1)));
        }
        if (!m_running)
            break;
        tick();
        next += std::chrono::milliseconds(periodMs);
        if (next < clock::now()) // a slow tick does not make the timer race to catch up
            next = clock::now() + std::chrono::milliseconds(periodMs);
    }
}

} // namespace kinoval::video
