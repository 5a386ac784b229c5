#include "media/montage_writers.h"

#include "media/avi_writer.h"
#include "media/ffmpeg_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace kinoval::media {

namespace {

using montage::RecordErrorText;
using montage::TMovieSpec;

// An existing file of the chosen name must be replaceable before any frame is spent on it.
bool Replaceable(const std::string& fileName)
{
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(fileName, ec);
    if (ec || !std::filesystem::exists(status))
        return true;
    return std::filesystem::is_regular_file(status);
}

} // namespace

// ---------------------------------------------------------------------------------------------- AVI

TAviRecord::TAviRecord()
    : m_writer(std::make_unique<TAviWriter>())
{
}

TAviRecord::~TAviRecord()
{
    if (m_open)
        m_writer->Abandon();
}

std::vector<std::string> TAviRecord::CodecNames() const
{
    return { montage::kNoCodec, kAviMjpegCodec };
}

int TAviRecord::Failed(int code)
{
    m_error = code;
    return code;
}

int TAviRecord::Open(const TMovieSpec& movie)
{
    m_error = 0;
    if (m_open)
        Close(false);
    const bool mjpeg = movie.codec == kAviMjpegCodec;
    if (!mjpeg && movie.codec != montage::kNoCodec)
        return Failed(montage::reNoCodec);
    if (!Replaceable(movie.fileName))
        return Failed(montage::reReplace);
    const montage::TRateFraction rate = montage::RateFraction(movie.framesPerSecond);
    // The dialog's 10 .. 100 onto the JPEG scale, where below 50 the pictures of a lesson blur.
    const int jpegQuality = std::clamp(50 + movie.quality / 2, 1, 100);
    const int code = m_writer->Open(movie.fileName, movie.width, movie.height, rate.numerator, rate.denominator,
        mjpeg ? TAviCodec::acMjpeg : TAviCodec::acDib24, jpegQuality);
    if (code == -1)
        return Failed(montage::reCreateStream);
    if (code == -2)
        return Failed(montage::reWriteFile);
    if (code != 0)
        return Failed(montage::reCompress);
    m_open = true;
    return 0;
}

int TAviRecord::AddFrame(const TRgbImage& frame)
{
    if (!m_open)
        return Failed(montage::reNotOpen);
    const int code = m_writer->WriteFrame(frame);
    if (code == -1)
        return Failed(montage::reBadFrame);
    if (code == -3)
        return Failed(montage::reCompress);
    if (code != 0)
        return Failed(montage::reWriteFrame);
    return 0;
}

int TAviRecord::Close(bool complete)
{
    if (!m_open)
        return complete ? Failed(montage::reNotOpen) : 0;
    m_open = false;
    if (!complete) {
        m_writer->Abandon();
        return 0;
    }
    return m_writer->Close() == 0 ? 0 : Failed(montage::reWriteFile);
}

std::string TAviRecord::ErrorText() const
{
    return RecordErrorText(m_error);
}

// ---------------------------------------------------------------------------------------------- FFmpeg

TFFMpegRecord::TFFMpegRecord()
    : m_writer(std::make_unique<TFFMpegWriter>())
{
}

TFFMpegRecord::~TFFMpegRecord()
{
    if (m_open)
        m_writer->Abandon();
}

std::vector<std::string> TFFMpegRecord::CodecNames() const
{
    std::vector<std::string> names { kFFmpegMpeg4Codec };
    if (avcodec_find_encoder_by_name("libx264") != nullptr)
        names.emplace_back(kFFmpegH264Codec);
    return names;
}

int TFFMpegRecord::Failed(int code)
{
    m_error = code;
    return code;
}

int TFFMpegRecord::Open(const TMovieSpec& movie)
{
    m_error = 0;
    if (m_open)
        Close(false);
    TEncoderSettings settings;
    if (movie.codec == kFFmpegMpeg4Codec || movie.codec == montage::kNoCodec) {
        settings.codec = "mpeg4";
    } else if (movie.codec == kFFmpegH264Codec && avcodec_find_encoder_by_name("libx264") != nullptr) {
        settings.codec = "libx264";
    } else {
        return Failed(montage::reNoCodec);
    }
    if (!Replaceable(movie.fileName))
        return Failed(montage::reReplace);
    // Both encoders want even sides in 4:2:0.
    if (movie.width <= 0 || movie.height <= 0 || movie.width % 2 != 0 || movie.height % 2 != 0)
        return Failed(montage::reFormat);
    const montage::TRateFraction rate = montage::RateFraction(movie.framesPerSecond);
    settings.fpsNumerator = static_cast<int>(rate.numerator);
    settings.fpsDenominator = static_cast<int>(rate.denominator);
    settings.gopSize = std::clamp(movie.keyFrameInterval, 1, 250);
    // The dialog's 10 .. 100 onto the encoders' scales: quality 50 gives pictures a lesson can measure on.
    settings.qscale = std::clamp(static_cast<int>(std::lround(1 + (100 - movie.quality) / 10.0)), 1, 31);
    settings.crf = std::clamp(static_cast<int>(std::lround(14 + (100 - movie.quality) * 0.16)), 0, 51);
    const int code = m_writer->Open(movie.fileName, movie.width, movie.height, settings);
    if (code == -2)
        return Failed(montage::reWriteFile);
    if (code != 0)
        return Failed(montage::reCompress);
    m_open = true;
    return 0;
}

int TFFMpegRecord::AddFrame(const TRgbImage& frame)
{
    if (!m_open)
        return Failed(montage::reNotOpen);
    const int code = m_writer->WriteFrame(frame);
    if (code == -1)
        return Failed(montage::reBadFrame);
    return code == 0 ? 0 : Failed(montage::reWriteFrame);
}

int TFFMpegRecord::Close(bool complete)
{
    if (!m_open)
        return complete ? Failed(montage::reNotOpen) : 0;
    m_open = false;
    if (!complete) {
        m_writer->Abandon();
        return 0;
    }
    return m_writer->Close() == 0 ? 0 : Failed(montage::reWriteFile);
}

std::string TFFMpegRecord::ErrorText() const
{
    return RecordErrorText(m_error);
}

std::unique_ptr<montage::TMovieWriter> MakeMovieWriter(int framework)
{
    switch (framework) {
    case montage::fwAvi:
        return std::make_unique<TAviRecord>();
    case montage::fwFFmpeg:
        return std::make_unique<TFFMpegRecord>();
    default:
        return nullptr;
    }
}

} // namespace kinoval::media
