#pragma once
// The player contract: what the video view knows of a video file.
//
// Ownership. The view owns its three players (one per back-end) for the whole run of the program and is
// the only object that talks to them; every other subsystem asks the view. A player owns everything it
// opens (the file, the demuxer, the decoder, its frame buffers) and releases it in Close, which Open calls
// first, and in its destructor. Nothing a player hands out outlives the call: Draw copies the current frame
// into an image the caller owns.
//
// Data flow. Open reads the geometry and the timing once (frame count, size, rate, duration, delay) and
// leaves the player on frame 0. SetCurrentFrame clamps the wanted frame into [0, frame count - 1] and asks
// the back-end to position itself there; Draw then copies that frame, full size, as RGB. Scaling to the
// screen and the inverted copy of hidden montage frames are the painter's business.
//
// Threads. The playback timer seeks from its own thread while the window thread draws. The busy flag is
// raised for the whole of a seek or a draw; a draw that arrives while it is raised returns false at once
// instead of entering the decoder twice, and a seek waits for the draw in progress to end.
//
// Timing. Frame n is the n-th picture in presentation order. A back-end that reads the frames' own
// timestamps hands them over in FrameTimes (seconds from the first frame, one per frame); when those
// durations differ beyond timestamp rounding, VariableFrameDuration is set and the rate and frame duration
// are the averages. Such a video steps like any other: the variation is a property of the file, not an
// error, and the document may take its times from FrameTimes instead of n x frame duration.
//
// Notifications are single optional callbacks (the view is the one listener): OnOpened after a successful
// open, OnClosed after a close of an open file, OnError when a seek or a draw meets a damaged frame.
// ErrorText holds why the last open failed, when the back-end knows.

#include "core/common/rgb_image.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kinoval::video {

// Back-end indices as the view and the settings store them: our own AVI reader, GStreamer, FFmpeg.
// The numbers are written in settings and studies and never change.
enum TBackend : int { bkAvi = 0, bkGStreamer = 1, bkFFmpeg = 2 };
inline constexpr int kBackendCount = 3;

// The largest play delay a player can hold (milliseconds); a slower video cannot be opened.
inline constexpr int kMaxDelay = 65535;

class TPlayer {
public:
    TPlayer() = default;
    virtual ~TPlayer() = default;
    TPlayer(const TPlayer&) = delete;
    TPlayer& operator=(const TPlayer&) = delete;

    // Closes any open file first. On failure the player stays closed and ErrorText may say why.
    bool Open(const std::string& fileName);
    void Close();
    // Clamps n into [0, FrameCount() - 1]; does nothing when n is already the current frame.
    void SetCurrentFrame(int n);
    // Copies the current frame, full size, into target. False (target untouched) when closed, when another
    // draw is in progress, or when the frame cannot be decoded.
    bool Draw(TRgbImage& target);

    virtual int Backend() const = 0;

    const std::string& FileName() const { return m_fileName; }
    bool Opened() const { return m_opened.load(); }
    int FrameCount() const { return m_frameCount.load(); }
    int CurrentFrame() const { return m_currentFrame.load(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    double FramesPerSecond() const { return m_fps; }
    double FrameDuration() const { return m_frameDuration; }
    double Duration() const { return m_duration; }
    std::uint16_t Delay() const { return m_delay; }
    bool Busy() const { return m_busy.load(); }
    const std::string& ErrorText() const { return m_errorText; }
    // Presentation time of each frame, seconds from the first one; empty when the back-end only knows the
    // rate (then frame n starts at n x FrameDuration()).
    const std::vector<double>& FrameTimes() const { return m_frameTimes; }
    bool VariableFrameDuration() const { return m_variable; }

    std::function<void()> OnOpened;
    std::function<void()> OnClosed;
    std::function<void(const std::string&)> OnError;

protected:
    // The back-end's own work. DoOpen fills the geometry through SetGeometry and SetTiming; it is called on a
    // closed player. DoSeek positions the decoder on frame n (already clamped) and returns the frame it is
    // really on (the back-end may know better than the caller); DoDraw decodes the current frame into
    // target, full size.
    virtual bool DoOpen(const std::string& fileName) = 0;
    virtual void DoClose() = 0;
    virtual int DoSeek(int n) = 0;
    virtual bool DoDraw(TRgbImage& target) = 0;

    // Checks and stores the size: both positive and small enough to be held in memory.
    bool SetGeometry(int width, int height);
    // Stores the rate, the frame duration and the play delay; false when the rate is not usable or the
    // delay would not fit in 16 bits. frameDuration, when given (> 0), is the exact duration the rate
    // stands for (1001/30000 rather than 1 / 29.97...).
    bool SetTiming(double framesPerSecond, int frameCount, double duration, double frameDuration = 0);
    // The frames' own presentation times (see FrameTimes) and whether their durations vary.
    void SetFrameTimes(std::vector<double> times, bool variable);
    void SetErrorText(const std::string& text) { m_errorText = text; }
    // Reports a problem met while seeking or drawing (damaged frame, variable frame duration) to the
    // listener, once the decoder lock is released, so that the listener may seek or draw again.
    void ReportError(const std::string& text) { m_pendingErrors.push_back(text); }

private:
    void FirePendingErrors();

    std::string m_fileName;
    std::atomic<bool> m_opened { false };
    std::atomic<int> m_frameCount { 0 };
    std::atomic<int> m_currentFrame { 0 };
    int m_width = 0;
    int m_height = 0;
    double m_fps = 0;
    double m_frameDuration = 0;
    double m_duration = 0;
    std::uint16_t m_delay = 0;
    std::atomic<bool> m_busy { false };
    std::mutex m_decoderLock; // held across every seek and draw
    std::string m_errorText;
    std::vector<std::string> m_pendingErrors;
    std::vector<double> m_frameTimes;
    bool m_variable = false;
    std::vector<std::uint8_t> m_spare; // a picture's storage for the next draw
};

} // namespace kinoval::video
