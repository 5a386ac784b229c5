#pragma once
// The writers a recording chooses from ("cadre de travail"), each behind the writer back-end contract of
// the recorder: our AVI writer (framework 0: raw bitmaps, or MJPEG) and the FFmpeg libraries (framework
// 2: MPEG-4 in MP4, and H.264 when the libraries have libx264). MakeMovieWriter gives the one a framework
// number names, or null for a framework this build cannot write with.

#include "core/montage/record_montage.h"

#include <memory>
#include <string>
#include <vector>

namespace kinoval::media {

class TAviWriter;
class TFFMpegWriter;

// The compressor names the dialog lists.
inline constexpr const char* kAviMjpegCodec = "MJPEG";
inline constexpr const char* kFFmpegMpeg4Codec = "FFMpeg internal MPEG4 codec";
inline constexpr const char* kFFmpegH264Codec = "H.264 (libx264)";

class TAviRecord : public montage::TMovieWriter {
public:
    TAviRecord();
    ~TAviRecord() override;
    std::vector<std::string> CodecNames() const override;
    int Open(const montage::TMovieSpec& movie) override;
    int AddFrame(const TRgbImage& frame) override;
    int Close(bool complete = true) override;
    std::string ErrorText() const override;

private:
    int Failed(int code);
    std::unique_ptr<TAviWriter> m_writer;
    bool m_open = false;
    int m_error = 0;
};

class TFFMpegRecord : public montage::TMovieWriter {
public:
    TFFMpegRecord();
    ~TFFMpegRecord() override;
    std::vector<std::string> CodecNames() const override;
    int Open(const montage::TMovieSpec& movie) override;
    int AddFrame(const TRgbImage& frame) override;
    int Close(bool complete = true) override;
    std::string ErrorText() const override;

private:
    int Failed(int code);
    std::unique_ptr<TFFMpegWriter> m_writer;
    bool m_open = false;
    int m_error = 0;
};

std::unique_ptr<montage::TMovieWriter> MakeMovieWriter(int framework);

} // namespace kinoval::media
