#pragma once
// Encodes RGB frames into a video file with a libavcodec encoder, the container chosen by the file's
// extension (".mp4", ".avi", ".webm", ".mov", ...). The tests and benchmarks make their videos with it;
// the recorder of edited videos writes its MPEG-4 with it.

#include "core/common/rgb_image.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kinoval::media {

struct TEncoderSettings {
    std::string codec = "mpeg4"; // libavcodec encoder name: "libx264", "libvpx-vp9", "mpeg4", "mjpeg"
    int fpsNumerator = 25;
    int fpsDenominator = 1;
    int gopSize = 12;
    int maxBFrames = 0;
    long bitRate = 0; // 0: the encoder's default quality
    int qscale = 3; // mpeg4 and mjpeg without a bit rate: 1 (best) .. 31
    int crf = 20; // libx264: 0 (lossless) .. 51
    // The timestamp of frame i in frame durations; nothing gives i (every frame lasts the same time).
    std::function<std::int64_t(int)> ptsOfFrame;
};

class TFFMpegWriter {
public:
    TFFMpegWriter();
    ~TFFMpegWriter();
    TFFMpegWriter(const TFFMpegWriter&) = delete;
    TFFMpegWriter& operator=(const TFFMpegWriter&) = delete;

    // 0 on success; -1 bad arguments or unknown encoder, -2 container or file cannot be created, -3 the
    // encoder refused the settings.
    int Open(const std::string& fileName, int width, int height, const TEncoderSettings& settings);
    // 0 on success; -1 not open or wrong size, -3 encoding or writing failed.
    int WriteFrame(const TRgbImage& frame);
    // Drains the encoder and writes the trailer; 0 on success.
    int Close();
    // Drops an unfinished file: nothing takes the name, which keeps what it held before.
    void Abandon();
    // What the encoder or muxer said when it last failed.
    const std::string& LastError() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

} // namespace kinoval::media
