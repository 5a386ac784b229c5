#pragma once
// A player over no file, for the view's tests: any file name opens, with the size, rate and frame count
// chosen by the test; frame n is a uniform grey of level n mod 256 (or a fixed colour), so a test can see
// which frame was painted.

#include "core/video/playback_timer.h"
#include "core/video/player.h"
#include "core/video/player_choice.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kinoval::test {

struct TSyntheticVideo {
    int width = 64;
    int height = 48;
    int frames = 20;
    double fps = 25;
    bool uniformColour = false; // every frame the colour below instead of the frame's grey
    unsigned char r = 0, g = 0, b = 0;
    int dotX = -1, dotY = -1; // a white pixel there when inside the frame
    std::string seekError; // reported by every seek when not empty
    // The frames' own times (seconds from the first) and whether their durations vary; the rate is then
    // the average one.
    std::vector<double> frameTimes;
    bool variable = false;

    // Every frame one colour.
    static TSyntheticVideo Uniform(int w, int h, int count, unsigned char red, unsigned char green, unsigned char blue)
    {
        TSyntheticVideo v;
        v.width = w;
        v.height = h;
        v.frames = count;
        v.uniformColour = true;
        v.r = red;
        v.g = green;
        v.b = blue;
        return v;
    }
};

class TSyntheticPlayer : public kinoval::video::TPlayer {
public:
    TSyntheticPlayer(int backend, const TSyntheticVideo& video)
        : m_backend(backend)
        , m_video(video)
    {
    }
    int Backend() const override { return m_backend; }
    int draws = 0;

protected:
    bool DoOpen(const std::string& fileName) override;
    void DoClose() override { }
    int DoSeek(int n) override
    {
        if (!m_video.seekError.empty())
            ReportError(m_video.seekError);
        return n;
    }
    bool DoDraw(kinoval::TRgbImage& target) override;

private:
    int m_backend;
    const TSyntheticVideo& m_video;
};

// Makes synthetic players for every back-end; only the FFmpeg one accepts files, like a build whose other
// readers do not know the format.
class TSyntheticFactory : public kinoval::video::TPlayerFactory {
public:
    TSyntheticVideo video;
    std::unique_ptr<kinoval::video::TPlayer> CreatePlayer(int backend) override;
};

// A timer fired by hand: Fire calls the tick as the timer thread would.
class TManualTimer : public kinoval::video::TPlaybackTimer {
public:
    bool Start(int periodMs, std::function<void()> tick) override
    {
        period = periodMs;
        m_tick = std::move(tick);
        m_running = true;
        ++starts;
        return true;
    }
    void Stop() override { m_running = false; }
    bool Running() const override { return m_running; }
    // Fires one tick; false when the timer is not running.
    bool Fire()
    {
        if (!m_running)
            return false;
        m_tick();
        return true;
    }
    int period = 0;
    int starts = 0;

private:
    std::function<void()> m_tick;
    bool m_running = false;
};

} // namespace kinoval::test
