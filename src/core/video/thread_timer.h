#pragma once
// The program's playback timer: a thread of its own that calls the tick every period on a 1 ms
// steady-clock loop. The tick only seeks and posts; it never draws. Stop may come from the tick itself,
// in which case the thread ends after the tick returns and is joined by the next Start or the destructor.

#include "core/video/playback_timer.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kinoval::video {

class TThreadTimer : public TPlaybackTimer {
public:
    TThreadTimer() = default;
    ~TThreadTimer() override;
    TThreadTimer(const TThreadTimer&) = delete;
    TThreadTimer& operator=(const TThreadTimer&) = delete;

    bool Start(int periodMs, std::function<void()> tick) override;
    void Stop() override;
    bool Running() const override { return m_running.load(); }

private:
    void Join();
    void Loop(int periodMs, std::function<void()> tick);

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

} // namespace kinoval::video
