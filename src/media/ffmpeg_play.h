#pragma once
// Back-end 2: FFmpeg, linked directly.
//
// Index. At open, every packet of the video stream is read once without decoding. Each packet gets its
// presentation timestamp: the container's own when it has one (MP4, Matroska, transport and program
// streams), otherwise one rebuilt from the bitstream (an AVI or a raw stream stores decoding times only:
// the picture order counts of H.264 and HEVC, the anchor rule of the MPEG family). Sorting by that time
// numbers the frames in presentation order; frame n is the n-th picture a viewer sees, whatever the first
// timestamp, the time base, the B-frames or the edit list. The key frames tell where decoding may start.
//
// Seek. Frame n is decoded from the key frame before it: the demuxer is positioned at or before that key
// frame (by byte position in transport and program streams, whose timestamp seeks may land late, by
// timestamp elsewhere, stepping back a key frame at a time when it still lands late), the packets before
// the key frame are passed over undecoded, and the decoder runs forward until frame n comes out. Every
// packet enters the decoder with the presentation time the index gave it, so each decoded picture names
// its own frame. Pictures the caller will not see are decoded only when other pictures refer to them.
//
// Cache. Decoded pictures (before colour conversion) are kept around the frame last asked for, within a
// memory budget: stepping back and forth, and stepping back frame after frame through a group of pictures
// (the first step back decodes the group once), are served without decoding. Conversion to RGB and the
// display matrix's rotation happen when the frame is drawn.
//
// Every read is bounded: an interrupt stops a demuxer that runs past its time, and a decode gives up after
// the packets the index says frame n needs plus the decoder's reorder depth.

#include "core/video/player.h"

#include <memory>

namespace kinoval::media {

class TFFMpegPlay : public video::TPlayer {
public:
    TFFMpegPlay();
    ~TFFMpegPlay() override;
    int Backend() const override { return video::bkFFmpeg; }

    // How many times the demuxer was repositioned since the open (for tests and benchmarks).
    int SeekCount() const;
    // How many pictures the decoder has given since the open.
    int DecodedFrameCount() const;
    // The rotation the display matrix asks for, clockwise degrees: 0, 90, 180 or 270.
    int Rotation() const;

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
