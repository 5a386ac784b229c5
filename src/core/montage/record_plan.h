#pragma once
// The order in which a recording writes its frames, the names of still pictures, and the montage as the
// blocks of an editing timeline: the arithmetic of a recording, apart from any writer, so that it is
// said once and tested without a video.

#include "core/montage/record_options.h"

#include <string>
#include <vector>

namespace kinoval::montage {

class TMontage;

// One written frame: a raw frame of the video, or a blank frame standing for a missing one.
inline constexpr int kBlankStep = -1;

// The montage's frames as written, in order: each visible raw frame; with blank frames, before a visible
// frame whose corrected number is more than one after the previous written one's, one blank step for each
// number between them. visible and shifts hold one entry per raw frame.
std::vector<int> RecordSteps(const std::vector<bool>& visible, const std::vector<int>& shifts, bool blankFrames);
std::vector<int> RecordSteps(const TMontage& montage, bool blankFrames);

// The number of a still picture among count pictures, zero-padded to the digits of count: 250 pictures
// are numbered 000 to 249, 9 pictures 0 to 8.
std::string PaddedNumber(int index, int count);
// base + "_" + PaddedNumber + ".png" or ".bmp".
std::string PictureFileName(const std::string& base, int index, int count, TPictureFormat format);
const char* PictureExtension(TPictureFormat format); // "png" or "bmp"
// The format a chosen file name asks for: ".bmp" (any case) gives bitmaps, anything else PNG.
TPictureFormat PictureFormatOf(const std::string& fileName);
// The chosen name without its picture extension (".png" or ".bmp", any case), as the pictures' base.
std::string PictureBaseName(const std::string& fileName);

// Pictures in the order of their names, numbers inside the names compared as numbers ("Image_2" before
// "Image_10"), so that pictures another program numbered without padding follow one another.
void SortPictureNames(std::vector<std::string>& names);

// One block of the editing timeline: raw frames [start, stop) of the source, placed offset frame periods
// later than their own place.
struct TBlocSource {
    int start = 0;
    int stop = 0;
    int offset = 0;
    bool operator==(const TBlocSource&) const = default;
};

// Each run of consecutive visible frames is a block, split where frames are declared missing before one
// of its frames; every block carries the shift of its first frame. The last run includes the last frame,
// as every other run includes its last visible frame, so that no visible frame is lost.
std::vector<TBlocSource> MontageBlocks(const std::vector<bool>& visible, const std::vector<int>& shifts);
std::vector<TBlocSource> MontageBlocks(const TMontage& montage);

} // namespace kinoval::montage
