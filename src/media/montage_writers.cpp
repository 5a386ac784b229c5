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

int TAviRecord::Open(const TMovieSpec& spec)
{
    m_error = 0;
    if (m_open)
        Close(false);
    const bool mjpeg = spec.codec == kAviMjpegCodec;
    if (!mjpeg && spec.codec != montage::kNoCodec)
        return Failed(montage::reNoCodec);
    if (!Replaceable(spec.fileName))
        return Failed(montage::reReplace);
    const montage::TRateFraction rate = montage::RateFraction(spec.framesPerSecond);
    // The dialog's 10 .. 100 onto the JPEG scale, where below 50 the pictures of a lesson blur.
    const int jpegQuality = std::clamp(50 + spec.quality / 2, 1, 100);
    const int code = m_writer->Open(spec.fileName, spec.width, spec.height, rate.numerator, rate.denominator,
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

int TFFMpegRecord::Open(const TMovieSpec& spec)
{
    m_error = 0;
    if (m_open)
        Close(false);
    TEncoderSettings settings;
    if (spec.codec == kFFmpegMpeg4Codec || spec.codec == montage::kNoCodec) {
        settings.codec = "mpeg4";
    } else if (spec.codec == kFFmpegH264Codec && avcodec_find_encoder_by_name("libx264") != nullptr) {
        settings.codec = "libx264";
    } else {
        return Failed(montage::reNoCodec);
    }
    if (!Replaceable(spec.fileName))
        return Failed(montage::reReplace);
    // Both encoders want even sides in 4:2:0.
    if (spec.width <= 0 || spec.height <= 0 || spec.width % 2 != 0 || spec.height % 2 != 0)
        return Failed(montage::reFormat);
    const montage::TRateFraction rate = montage::RateFraction(spec.framesPerSecond);
    settings.fpsNumerator = static_cast<int>(rate.numerator);
    settings.fpsDenominator = static_cast<int>(rate.denominator);
    settings.gopSize = std::clamp(spec.keyFrameInterval, 1, 250);
    // The dialog's 10 .. 100 onto the encoders' scales: quality 50 gives pictures a lesson can measure on.
    settings.qscale = std::clamp(static_cast<int>(std::lround(1 + (100 - spec.quality) / 10.0)), 1, 31);
    settings.crf = std::clamp(static_cast<int>(std::lround(14 + (100 - spec.quality) * 0.16)), 0, 51);
    const int code = m_writer->Open(spec.fileName, spec.width, spec.height, settings);
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
