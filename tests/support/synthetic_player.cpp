#include "support/synthetic_player.h"

#include <cstdint>

namespace kinoval::test {

bool TSyntheticPlayer::DoOpen(const std::string& fileName)
{
    if (m_backend != kinoval::video::bkFFmpeg || fileName.empty())
        return false;
    if (!SetGeometry(m_video.width, m_video.height)
        || !SetTiming(m_video.fps, m_video.frames, m_video.frames / m_video.fps))
        return false;
    if (!m_video.frameTimes.empty())
        SetFrameTimes(m_video.frameTimes, m_video.variable);
    return true;
}

bool TSyntheticPlayer::DoDraw(kinoval::TRgbImage& target)
{
    ++draws;
    target = kinoval::TRgbImage(Width(), Height());
    const auto grey = static_cast<unsigned char>(CurrentFrame() % 256);
    for (std::size_t i = 0; i + 2 < target.pixels.size(); i += 3) {
        target.pixels[i] = m_video.uniformColour ? m_video.r : grey;
        target.pixels[i + 1] = m_video.uniformColour ? m_video.g : grey;
        target.pixels[i + 2] = m_video.uniformColour ? m_video.b : grey;
    }
    if (m_video.dotX >= 0 && m_video.dotY >= 0 && m_video.dotX < Width() && m_video.dotY < Height()) {
        std::uint8_t* px = target.At(m_video.dotX, m_video.dotY);
        px[0] = px[1] = px[2] = 255;
    }
    return true;
}

std::unique_ptr<kinoval::video::TPlayer> TSyntheticFactory::CreatePlayer(int backend)
{
    return std::make_unique<TSyntheticPlayer>(backend, video);
}

} // namespace kinoval::test
