#pragma once
// Back-end 1: GStreamer, reading by time.
//
// Open. A demux-only pass (filesrc ! parsebin ! appsink) collects the presentation time of every video
// buffer, so that frames are numbered in presentation order, counted exactly, and their own times known
// (a variable frame duration shows there). The decoding pipeline, uridecodebin ! videoflip (turned upright
// as the stream's orientation tag asks) ! videoconvert ! appsink (RGB), is then paused on the first frame.
// When the demux-only pass cannot run, the frame count falls back to the stream length x the rate.
//
// A video whose frame durations vary is refused (the decoder hands its frames the nominal duration, and
// seeks by time then land on the wrong ones), as is an AVI with B-frames (its times are decoding times)
// or with a crafted super index (GStreamer's reader would follow each of its entries): the FFmpeg
// back-end reads them. Every wait on the pipeline is bounded, and ends early when the file is no longer
// read (a damaged end of file leaves a pipeline waiting for data that never comes).
//
// Seek. Frame n is asked for at n x 1.0001 x frame duration with an accurate flushing seek, and the frame the sink
// prerolls is recognised by its time in the index. A demuxer that lands a frame or two away is asked again; one that
// lands after the frame (an open group of pictures in an AVI starts decoding at its key frame, later than the pictures
// shown before it) is sent earlier and the pipeline steps forward buffer by buffer to the frame.

#include "core/video/player.h"

#include <memory>

namespace kinoval::media {

class TGStreamerPlay : public video::TPlayer {
public:
    TGStreamerPlay();
    ~TGStreamerPlay() override;
    int Backend() const override { return video::bkGStreamer; }

    // Stream length and the time asked for the current frame, seconds.
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
