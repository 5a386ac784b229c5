#include "media/player_factory.h"

#include "media/avi_play.h"
#include "media/ffmpeg_play.h"
#include "media/gstreamer_play.h"

namespace kinoval::media {

std::unique_ptr<video::TPlayer> TMediaPlayerFactory::CreatePlayer(int backend)
{
    switch (backend) {
    case video::bkAvi:
        return std::make_unique<TAviPlay>();
    case video::bkGStreamer:
        return std::make_unique<TGStreamerPlay>();
    case video::bkFFmpeg:
        return std::make_unique<TFFMpegPlay>();
    default:
        return nullptr;
    }
}

} // namespace kinoval::media
