#include "media/ffmpeg_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}
#include "media/ffmpeg_handles.h"

#include "core/common/file_beside.h"
#include "core/common/ini_file.h"

#include <algorithm>
#include <string>

namespace kinoval::media {

namespace {

using ffmpeg::TCodecFree;
using ffmpeg::TFrameFree;
using ffmpeg::TPacketFree;
using ffmpeg::TSwsFree;
struct TOutputFree {
    void operator()(AVFormatContext* f) const
    {
        if (!(f->oformat->flags & AVFMT_NOFILE))
            avio_closep(&f->pb);
        avformat_free_context(f);
    }
};

std::string ErrorString(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = { 0 };
    av_strerror(code, text, sizeof text);
    return text;
}

} // namespace

struct TFFMpegWriter::TImpl {
    // The video is written beside its name and takes it once the trailer is written: a failed or
    // unfinished recording never replaces a video of that name.
    std::unique_ptr<TFileBeside> beside;
    std::unique_ptr<AVFormatContext, TOutputFree> out;
    std::unique_ptr<AVCodecContext, TCodecFree> enc;
    std::unique_ptr<AVFrame, TFrameFree> frame;
    std::unique_ptr<AVPacket, TPacketFree> packet;
    std::unique_ptr<SwsContext, TSwsFree> sws;
    AVStream* stream = nullptr;
    int width = 0, height = 0;
    std::int64_t nextPts = 0;
    std::function<std::int64_t(int)> ptsOfFrame;
    bool headerWritten = false;
    std::string lastError;

    int Drain(AVFrame* input)
    {
        int r = avcodec_send_frame(enc.get(), input);
        if (r < 0 && r != AVERROR_EOF) {
            lastError = ErrorString(r);
            return -3;
        }
        while (true) {
            r = avcodec_receive_packet(enc.get(), packet.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return 0;
            if (r < 0) {
                lastError = ErrorString(r);
                return -3;
            }
            av_packet_rescale_ts(packet.get(), enc->time_base, stream->time_base);
            packet->stream_index = stream->index;
            r = av_interleaved_write_frame(out.get(), packet.get());
            if (r < 0) {
                lastError = ErrorString(r);
                return -3;
            }
        }
    }
};

TFFMpegWriter::TFFMpegWriter()
    : m_impl(std::make_unique<TImpl>())
{
    // The program keeps no log: the libraries' chatter on the terminal helps no one.
    av_log_set_level(AV_LOG_FATAL);
}

TFFMpegWriter::~TFFMpegWriter()
{
    if (m_impl->out)
        Close();
}

int TFFMpegWriter::Open(const std::string& fileName, int width, int height, const TEncoderSettings& settings)
{
    if (m_impl->out)
        Close();
    auto& m = *m_impl;
    m = TImpl {};
    if (width <= 0 || height <= 0 || settings.fpsNumerator <= 0 || settings.fpsDenominator <= 0)
        return -1;
    const AVCodec* codec = avcodec_find_encoder_by_name(settings.codec.c_str());
    if (!codec) {
        m.lastError = "unknown encoder " + settings.codec;
        return -1;
    }
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, nullptr, fileName.c_str()) < 0 || !raw)
        return -2;
    m.out.reset(raw);
    m.stream = avformat_new_stream(raw, nullptr);
    m.enc.reset(avcodec_alloc_context3(codec));
    if (!m.stream || !m.enc)
        return -2;
    auto* c = m.enc.get();
    c->width = width;
    c->height = height;
    c->time_base = AVRational { settings.fpsDenominator, settings.fpsNumerator };
    c->framerate = AVRational { settings.fpsNumerator, settings.fpsDenominator };
    c->gop_size = settings.gopSize;
    c->max_b_frames = settings.maxBFrames;
    c->pix_fmt = codec->pix_fmts ? codec->pix_fmts[0] : AV_PIX_FMT_YUV420P;
    if (settings.bitRate > 0)
        c->bit_rate = settings.bitRate;
    if (settings.codec == "mjpeg" || settings.codec == "mpeg4") {
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = FF_QP2LAMBDA * std::clamp(settings.qscale, 1, 31);
    }
    if (settings.codec == "libx264") {
        av_opt_set(c->priv_data, "preset", "veryfast", 0);
        av_opt_set(c->priv_data, "crf", std::to_string(std::clamp(settings.crf, 0, 51)).c_str(), 0);
    }
    if (settings.codec == "libvpx-vp9") {
        av_opt_set(c->priv_data, "deadline", "realtime", 0);
        av_opt_set(c->priv_data, "cpu-used", "8", 0);
        if (settings.bitRate <= 0)
            av_opt_set(c->priv_data, "crf", "30", 0);
    }
    if (raw->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int r = avcodec_open2(c, codec, nullptr);
    if (r < 0) {
        m.lastError = ErrorString(r);
        return -3;
    }
    if (avcodec_parameters_from_context(m.stream->codecpar, c) < 0)
        return -3;
    m.stream->time_base = c->time_base;
    m.stream->avg_frame_rate = c->framerate;
    if (!(raw->oformat->flags & AVFMT_NOFILE)) {
        // The container was chosen from the real name; the bytes go to the file beside it.
        m.beside = std::make_unique<TFileBeside>(fileName);
        if (m.beside->Code() != kIniOk) {
            m.lastError = m.beside->ErrorText();
            return -2;
        }
        m.beside->ReleaseDescriptor();
        if (avio_open(&raw->pb, m.beside->TemporaryPath().c_str(), AVIO_FLAG_WRITE) < 0)
            return -2;
    }
    r = avformat_write_header(raw, nullptr);
    if (r < 0) {
        m.lastError = ErrorString(r);
        return -2;
    }
    m.headerWritten = true;
    m.frame.reset(av_frame_alloc());
    m.packet.reset(av_packet_alloc());
    if (!m.frame || !m.packet)
        return -3;
    m.frame->format = c->pix_fmt;
    m.frame->width = width;
    m.frame->height = height;
    if (av_frame_get_buffer(m.frame.get(), 0) < 0)
        return -3;
    m.sws.reset(sws_getContext(
        width, height, AV_PIX_FMT_RGB24, width, height, c->pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!m.sws)
        return -3;
    m.width = width;
    m.height = height;
    m.ptsOfFrame = settings.ptsOfFrame;
    return 0;
}

int TFFMpegWriter::WriteFrame(const TRgbImage& frame)
{
    auto& m = *m_impl;
    if (!m.headerWritten || frame.width != m.width || frame.height != m.height)
        return -1;
    if (av_frame_make_writable(m.frame.get()) < 0)
        return -3;
    const std::uint8_t* src[1] = { frame.pixels.data() };
    const int srcStride[1] = { frame.width * 3 };
    sws_scale(m.sws.get(), src, srcStride, 0, frame.height, m.frame->data, m.frame->linesize);
    const auto index = m.nextPts++;
    m.frame->pts = m.ptsOfFrame ? m.ptsOfFrame(static_cast<int>(index)) : index;
    return m.Drain(m.frame.get());
}

int TFFMpegWriter::Close()
{
    auto& m = *m_impl;
    if (!m.out)
        return -1;
    int result = 0;
    if (m.headerWritten) {
        result = m.Drain(nullptr);
        if (av_write_trailer(m.out.get()) < 0)
            result = -3;
    }
    const bool wasWritten = m.headerWritten;
    m.out.reset(); // closes the file
    m.enc.reset();
    m.headerWritten = false;
    if (m.beside) {
        if (result == 0 && wasWritten && m.beside->Commit() != kIniOk) {
            m.lastError = m.beside->ErrorText();
            result = -3;
        }
        m.beside.reset(); // removes the file beside when it was not committed
    }
    return result;
}

void TFFMpegWriter::Abandon()
{
    auto& m = *m_impl;
    m.out.reset(); // closes the file beside
    m.enc.reset();
    m.headerWritten = false;
    m.beside.reset(); // removes it: it was not committed
}

const std::string& TFFMpegWriter::LastError() const
{
    return m_impl->lastError;
}

} // namespace kinoval::media
