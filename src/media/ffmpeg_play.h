#pragma once
// Back-end 2: FFmpeg, linked directly. At open, every packet of the video stream is read once without
// decoding, to index the frames' timestamps in presentation order and the key frames; the frame count is
// the indexed count. Seeking to frame n jumps to the key frame at or before n and decodes forward to
// exactly n, checking each decoded frame's timestamp against the index; stepping to the next frame
// decodes one more frame without seeking; a small cache of converted frames serves back-and-forth steps.

#include "core/video/player.h"

#include <memory>

namespace kinoval::media {

class TFFMpegPlay : public video::TPlayer {
public:
    TFFMpegPlay();
    ~TFFMpegPlay() override;
    int Backend() const override { return video::bkFFmpeg; }

    // Whether the frame durations of the open file differ beyond timestamp rounding.
    bool VariableFrameDuration() const;
    // How many times the decoder was repositioned since the open (for tests and benchmarks).
    int SeekCount() const;

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
