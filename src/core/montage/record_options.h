#pragma once
// What the user asks of a recording: the writer ("cadre de travail") and its compressor, the quality and
// key frames, whether the frames are resized or cropped on the way, the frame rate and whether the frames
// the montage declares missing become blank frames. The options dialog edits a TRecordOptions; the
// settings file keeps the writer and the compressor in its section "Montage".
//
// The frameworks keep their historical numbers, which the settings file stores: 0 our AVI writer (raw
// bitmaps or MJPEG), 1 GStreamer's editing services (a timeline of the montage's blocks), 2 the FFmpeg
// libraries (MPEG-4 in MP4).

#include "core/common/rgb_image.h"

#include <string>
#include <vector>

namespace kinoval {
class TIniFile;
}

namespace kinoval::montage {

enum TFramework : int { fwAvi = 0, fwGes = 1, fwFFmpeg = 2 };
inline constexpr int kFrameworkCount = 3;

// The compressor name that means "no compression" (raw bitmaps).
inline constexpr const char* kNoCodec = "sans";

// Still pictures: PNG unless the user chose the bitmap format.
enum class TPictureFormat { Png, Bmp };

struct TRecordOptions {
    static constexpr const char* kSection = "Montage";

    int framework = fwAvi;
    std::string codec = kNoCodec;
    int quality = 50; // 10 .. 100
    int keyFrameInterval = 25; // 1 .. 250
    bool modifyImages = false;
    bool crop = false; // else resize
    int width = 0; // resize: 0 .. 10000; 0 keeps the source's
    int height = 0;
    int cropTop = 0; // crop: 0 .. 100 pixels each
    int cropBottom = 0;
    int cropSides = 0; // taken from the left and from the right
    double framesPerSecond = 0; // 0: the video's own rate
    bool blankFrames = false;

    // Brings every field into its range (a hand-edited settings file, a typed value).
    void Clamp();
    // Reads "Framework" and "Codec" of the section; an unknown framework falls back to our AVI writer.
    void Load(const TIniFile& ini);
    void Save(TIniFile& ini) const;
};

struct TFrameSize {
    int width = 0;
    int height = 0;
};

// The largest crop of each kind that still leaves one row and one column of a source of that size.
int MaxCropTopBottom(int sourceHeight);
int MaxCropSides(int sourceWidth);

// The size of the written frames for a source of that size: the source's, the typed size (a zero side
// keeps the source's), or the source less what is cropped (at least 1 x 1).
TFrameSize OutputSize(const TRecordOptions& options, int sourceWidth, int sourceHeight);

// The source frame made into a written frame: copied, stretched (bilinear) onto the output size, or cut.
TRgbImage TransformFrame(const TRecordOptions& options, const TRgbImage& source);
// Stretches a picture onto another size, bilinear on the pixels' centres.
TRgbImage Stretch(const TRgbImage& source, int width, int height);

// A frame filled with silver grey (0xC0C0C0), written for a frame the montage declares missing.
TRgbImage BlankFrame(int width, int height);
inline constexpr std::uint8_t kBlankGrey = 0xC0;

// The frameworks' and containers' names as the dialog and its summary show them.
const char* FrameworkName(int framework);
const char* ContainerOf(int framework); // "AVI" or "MP4"
const char* VideoExtension(int framework); // "avi" or "mp4"

// What the summary page says of the recording about to start. pictures: the frames go to still pictures
// of that format (then the writer, the compressor and the container are not said).
struct TSummaryFacts {
    int totalFrames = 0;
    double framesPerSecond = 0;
    TFrameSize size;
    bool pictures = false;
    TPictureFormat format = TPictureFormat::Png;
};
std::vector<std::string> SummaryLines(const TRecordOptions& options, const TSummaryFacts& facts);

// The three jobs of the recorder, which the options dialog serves alike.
enum class TRecordJob { MontageVideo, Pictures, Assembly };

// What the options dialog is told of the job before it opens.
struct TRecordDialogFacts {
    TRecordJob job = TRecordJob::MontageVideo;
    int sourceWidth = 0;
    int sourceHeight = 0;
    int visibleFrames = 0; // frames the job writes without blank frames
    int missingFrames = 0; // blank frames the montage would add
    double videoFramesPerSecond = 25;
    TPictureFormat format = TPictureFormat::Png;
    // The compressors of each framework this build can write with (empty: the framework is not offered).
    std::vector<std::vector<std::string>> codecs;
};

} // namespace kinoval::montage
