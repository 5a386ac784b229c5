#pragma once
// Our AVI writer: one video stream of uncompressed bottom-up 24-bit DIB frames or of MJPEG frames, a
// legacy idx1 index, files up to 1 GiB. It writes what our AVI reader, GStreamer and FFmpeg all read.
// The sample generator and the camera capture use it; the recorder of edited videos will too.

#include "core/common/rgb_image.h"

#include <memory>
#include <string>

namespace kinoval::media {

enum class TAviCodec { acDib24, acMjpeg };

class TAviWriter {
public:
    TAviWriter();
    ~TAviWriter();
    TAviWriter(const TAviWriter&) = delete;
    TAviWriter& operator=(const TAviWriter&) = delete;

    // Frames per second = rate / scale. 0 on success; -1 bad arguments, -2 the file cannot be created.
    int Open(const std::string& fileName, int width, int height, unsigned rate, unsigned scale, TAviCodec codec,
        int jpegQuality = 90);
    // 0 on success; -1 not open or wrong size, -3 encoding failed, -4 write failed or file too large.
    int WriteFrame(const TRgbImage& frame);
    // Changes the frame rate the header declares, for a recording whose real rate is known only at its end.
    void SetRate(unsigned rate, unsigned scale);
    // Writes the index and the final sizes. 0 on success, -4 when the file could not be completed.
    int Close();
    // Drops an unfinished file: nothing takes the name, which keeps what it held before.
    void Abandon();
    int FrameCount() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

} // namespace kinoval::media
