#pragma once
// Back-end 0: our own AVI reader. It reads uncompressed DIB frames (24 or 32 bits, bottom-up or top-down)
// and MJPEG frames; a file in any other codec fails the open so that the view falls back to GStreamer.

#include "core/video/player.h"

#include <memory>

namespace kinoval::media {

class TAviPlay : public video::TPlayer {
public:
    TAviPlay();
    ~TAviPlay() override;
    int Backend() const override { return video::bkAvi; }

protected:
    bool DoOpen(const std::string& fileName) override;
    void DoClose() override;
    int DoSeek(int n) override;
    bool DoDraw(TRgbImage& target) override;

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

} // namespace kinoval::media
