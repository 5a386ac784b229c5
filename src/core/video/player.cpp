#include "core/video/player.h"

#include "core/video/player_timing.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace kinoval::video {

namespace {

// A frame larger than this many pixels is taken for a corrupted header rather than allocated.
constexpr long long kMaxPixels = 16384LL * 16384LL;
constexpr int kMaxSide = 32768;

// Raises the busy flag for the lifetime of the guard.
class TBusyGuard {
public:
    explicit TBusyGuard(std::atomic<bool>& flag)
        : m_flag(flag)
    {
        m_flag.store(true);
    }
    ~TBusyGuard() { m_flag.store(false); }
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
    std::atomic<bool>& m_flag;
};

} // namespace

bool TPlayer::Open(const std::string& fileName)
{
    Close();
    {
        std::lock_guard lock(m_decoderLock);
        TBusyGuard busy(m_busy);
        m_errorText.clear();
        m_pendingErrors.clear();
        m_fileName = fileName;
        m_currentFrame = 0;
        m_frameCount = 0;
        m_width = m_height = 0;
        m_frameTimes.clear();
        m_variable = false;
        bool ok = DoOpen(fileName) && m_frameCount > 0 && m_width > 0 && m_height > 0;
        if (!ok) {
            DoClose();
            m_frameCount = 0;
            m_frameTimes.clear();
            m_variable = false;
            m_pendingErrors.clear();
            return false;
        }
        m_opened = true;
        m_pendingErrors.clear(); // what the first decode met is reported when that frame is asked for
    }
    if (OnOpened)
        OnOpened();
    return true;
}

void TPlayer::Close()
{
    bool wasOpen = false;
    {
        std::lock_guard lock(m_decoderLock);
        wasOpen = m_opened;
        if (wasOpen)
            DoClose();
        m_opened = false;
        m_frameCount = 0;
        m_currentFrame = 0;
        m_frameTimes.clear();
        m_variable = false;
        m_pendingErrors.clear();
    }
    if (wasOpen && OnClosed)
        OnClosed();
}

void TPlayer::SetCurrentFrame(int n)
{
    if (!m_opened)
        return;
    int last = m_frameCount - 1;
    if (n < 0)
        n = 0;
    if (n > last)
        n = last;
    if (n == m_currentFrame)
        return;
    {
        std::lock_guard lock(m_decoderLock);
        TBusyGuard busy(m_busy);
        int reached = DoSeek(n);
        if (reached < 0)
            reached = 0;
        if (reached > last)
            reached = last;
        m_currentFrame = reached;
    }
    FirePendingErrors();
}

bool TPlayer::Draw(TRgbImage& target)
{
    if (!m_opened)
        return false;
    bool ok = false;
    {
        std::unique_lock lock(m_decoderLock, std::try_to_lock);
        if (!lock.owns_lock())
            return false;
        TBusyGuard busy(m_busy);
        // The frame is made in the buffer the caller gave up at the previous draw, so that stepping
        // through a video neither allocates nor clears a picture per frame.
        TRgbImage frame;
        frame.pixels = std::move(m_spare);
        ok = DoDraw(frame) && frame.width == m_width && frame.height == m_height
            && frame.pixels.size() == static_cast<std::size_t>(m_width) * m_height * 3;
        if (ok) {
            std::swap(target, frame);
            m_spare = std::move(frame.pixels);
        } else {
            m_spare = std::move(frame.pixels);
        }
    }
    FirePendingErrors();
    return ok;
}

void TPlayer::FirePendingErrors()
{
    std::vector<std::string> errors;
    {
        std::lock_guard lock(m_decoderLock);
        errors.swap(m_pendingErrors);
    }
    if (OnError) {
        for (const auto& text : errors)
            OnError(text);
    }
}

bool TPlayer::SetGeometry(int width, int height)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return false;
    if (static_cast<long long>(width) * height > kMaxPixels)
        return false;
    m_width = width;
    m_height = height;
    return true;
}

bool TPlayer::SetTiming(double framesPerSecond, int frameCount, double duration, double frameDuration)
{
    if (!std::isfinite(framesPerSecond) || framesPerSecond <= 0 || frameCount <= 0)
        return false;
    if (!(frameDuration > 0) || !std::isfinite(frameDuration))
        frameDuration = 1.0 / framesPerSecond;
    int delay = DelayFromDuration(frameDuration);
    if (delay < 0)
        return false;
    m_fps = framesPerSecond;
    m_frameDuration = frameDuration;
    m_delay = static_cast<std::uint16_t>(delay);
    m_frameCount = frameCount;
    m_duration = std::isfinite(duration) && duration > 0 ? duration : frameCount * frameDuration;
    return true;
}

void TPlayer::SetFrameTimes(std::vector<double> times, bool variable)
{
    m_frameTimes = std::move(times);
    m_variable = variable;
}

} // namespace kinoval::video
