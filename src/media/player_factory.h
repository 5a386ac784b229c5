#pragma once
// The real players: our AVI reader, GStreamer and FFmpeg, for the view's back-end chain.

#include "core/video/player_choice.h"

namespace kinoval::media {

class TMediaPlayerFactory : public video::TPlayerFactory {
public:
    std::unique_ptr<video::TPlayer> CreatePlayer(int backend) override;
};

} // namespace kinoval::media
