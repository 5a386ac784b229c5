#pragma once
// The montage rendered by GStreamer Editing Services: one clip of the source video per block of the
// montage, placed at its corrected time on a timeline, and the timeline rendered to AVI (raw bitmaps or
// MJPEG). Frames the montage declares missing are gaps of the timeline, which the renderer fills with
// black frames. Unlike the frame-by-frame writers it reads the source file itself.

#include "core/montage/record_plan.h"

#include <functional>
#include <string>
#include <vector>

namespace kinoval::media {

struct TGesJob {
    std::string source; // the video file of the study
    std::string output;
    std::vector<montage::TBlocSource> blocks;
    double framesPerSecond = 25; // of the source: a block's frames take their own time
    bool mjpeg = false; // else raw bitmaps
    int quality = 50; // 10 .. 100
};

// Renders the job; progress (done fraction 0 .. 1) is called while it runs and stops it by answering
// false. 0 on success, else a code of montage::TRecordError; errorText says what GStreamer said.
int RenderTimeline(const TGesJob& job, const std::function<bool(double)>& progress, std::string* errorText = nullptr);

// Whether GStreamer's editing services can be used on this machine.
bool TimelineRendererAvailable();

} // namespace kinoval::media
