#pragma once
// The videos the media tests read, made on the spot in a temporary folder: each frame shows its number.

#include "frame_code.h"
#include "media/avi_writer.h"
#include "media/ffmpeg_writer.h"

#include <string>

namespace kinoval::test {

struct TTestVideo {
    const char* name; // file name, its extension picks the container
    const char* codec; // libavcodec encoder, or "avi-dib" / "avi-mjpeg" for our own writer
    int bFrames;
};

inline const TTestVideo kTestVideos[] = {
    { "dib.avi", "avi-dib", 0 },
    { "mjpeg.avi", "avi-mjpeg", 0 },
    { "h264.mp4", "libx264", 2 },
    { "mpeg4.avi", "mpeg4", 0 },
    { "vp9.webm", "libvpx-vp9", 0 },
    { "mjpeg.mov", "mjpeg", 0 },
};

// Writes video in folder with frames numbered 0 .. frames - 1; false when the encoder is missing.
inline bool MakeTestVideo(
    const std::string& path, const TTestVideo& video, int frames, int width = 192, int height = 144, int gop = 12)
{
    std::string codec = video.codec;
    if (codec == "avi-dib" || codec == "avi-mjpeg") {
        media::TAviWriter writer;
        if (writer.Open(
                path, width, height, 25, 1, codec == "avi-dib" ? media::TAviCodec::acDib24 : media::TAviCodec::acMjpeg)
            != 0)
            return false;
        for (int i = 0; i < frames; ++i)
            writer.WriteFrame(MakeNumberedFrame(width, height, i));
        return writer.Close() == 0;
    }
    media::TFFMpegWriter writer;
    media::TEncoderSettings settings;
    settings.codec = codec;
    settings.gopSize = gop;
    settings.maxBFrames = video.bFrames;
    if (writer.Open(path, width, height, settings) != 0)
        return false;
    for (int i = 0; i < frames; ++i) {
        if (writer.WriteFrame(MakeNumberedFrame(width, height, i)) != 0)
            return false;
    }
    return writer.Close() == 0;
}

} // namespace kinoval::test
