#include "media/player_factory.h"

#include "media/ds_play.h"
#include "media/ffmpeg_play.h"
#include "media/vfw_play.h"

namespace kinoval::media {

std::unique_ptr<video::TPlayer> TMediaPlayerFactory::CreatePlayer(int backend)
{
    switch (backend) {
    case video::bkVfw:
        return std::make_unique<TVfwPlay>();
    case video::bkDirectShow:
        return std::make_unique<TDSPlay>();
    case video::bkFFmpeg:
        return std::make_unique<TFFMpegPlay>();
    default:
        return nullptr;
    }
}

} // namespace kinoval::media
