#pragma once
// Deleters that let std::unique_ptr own FFmpeg's C handles, shared by the FFmpeg player and writer.
// Private to the media layer: include it only after the FFmpeg headers, from .cpp files.

namespace kinoval::media::ffmpeg {

struct TInputFree {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct TCodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct TFrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct TPacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct TSwsFree {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

} // namespace kinoval::media::ffmpeg
