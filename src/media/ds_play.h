#pragma once
// Back-end 1: GStreamer, reading by time. A paused uridecodebin ! videoconvert ! appsink (RGB) pipeline;
// frame n is asked for at n x 1.0001 x frame duration with an accurate flushing seek, and the frame count
// is the stream length x the rate, rounded. The timestamp of the frame the sink prerolls is checked
// against the one asked for and the seek corrected, since some demuxers land a frame or two away.

#include "core/video/player.h"

#include <memory>

namespace kinoval::media {

class TDSPlay : public video::TPlayer {
public:
    TDSPlay();
    ~TDSPlay() override;
    int Backend() const override { return video::bkDirectShow; }

    // Stream length and the time of the current frame, seconds.
    double StreamLength() const;
    double CurrentTime() const;
    // How many seeks had to be corrected after checking the frame's timestamp (for tests).
    int CorrectedSeeks() const;

protected:
    bool DoOpen(const std::string& fileName) override;
    void DoClose() override;
    int DoSeek(int n) override;
    bool DoDraw(TRgbImage& target) override;

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

} // namespace kinoval::media
