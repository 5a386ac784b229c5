#pragma once
// The periodic timer that drives playback. The program's timer runs its ticks on a thread of its own;
// tests inject a timer they fire by hand. Stop may be called from inside a tick (playback ends itself when
// it reaches the end of its range), so an implementation must not wait there for its own thread.

#include <functional>

namespace kinoval::video {

class TPlaybackTimer {
public:
    virtual ~TPlaybackTimer() = default;
    // Starts calling tick every periodMs milliseconds (after stopping a previous run); false on failure.
    virtual bool Start(int periodMs, std::function<void()> tick) = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

} // namespace kinoval::video
