#pragma once
// The camera's recordings through the compressors of the desktop's media framework (GStreamer): H.264
// into MP4, VP8 into WebM, as far as this machine has the encoders.
//
// Unlike our AVI writer, whose file holds one rate for all its frames, these containers keep each
// frame's own time. The writer is given the frames with their times on the capture clock (from the first
// frame), and the file keeps them, so that a frame the camera delivered late stays late in the video and
// the times measured on it are those of the experiment. The last frame lasts the mean interval of the
// recording: the file's length is then frame count x the mean interval, and its rate the rate obtained.

#include "core/common/rgb_image.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kinoval::media {

// A compressor of the framework, with the container it writes into.
struct TCaptureEncoder {
    std::string name; // as the compressor list shows it
    std::string extension; // of the file it makes, without the dot
    std::string element; // the encoder's element
    std::string chain; // encoder, parser, muxer (the source and the file are the writer's own)
};

// Every compressor this program knows of, whether or not the machine has it, in the order offered.
const std::vector<TCaptureEncoder>& KnownEncoders();
// Those whose elements are all installed.
std::vector<TCaptureEncoder> InstalledEncoders();

class TGstEncoderWriter {
public:
    explicit TGstEncoderWriter(TCaptureEncoder encoder);
    ~TGstEncoderWriter();
    TGstEncoderWriter(const TGstEncoderWriter&) = delete;
    TGstEncoderWriter& operator=(const TGstEncoderWriter&) = delete;

    // Starts the encoding of frames of this size; fps is the rate asked of the camera, a hint for the
    // encoder's rate control. 0 on success; -1 bad arguments, -2 the pipeline cannot be built or started.
    int Open(const std::string& fileName, int width, int height, int fps);
    // time: nanoseconds from the first frame, increasing. 0 on success; -1 not open or wrong size, -4 the
    // encoding or the file failed.
    int WriteFrame(const TRgbImage& frame, std::int64_t time);
    // Ends the stream and completes the file. 0 on success, -4 when it could not be completed.
    int Close();
    int FrameCount() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

} // namespace kinoval::media
