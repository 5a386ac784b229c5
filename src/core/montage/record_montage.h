#pragma once
// TRecordMontage: writes new media from the open video and its montage, and from still pictures.
//
// Three jobs: the montage as a new video (its visible frames in order, with blank frames for the missing
// ones when asked), the visible frames as numbered still pictures, and a video assembled from pictures.
// Each runs on the window thread frame by frame: after every frame it reports its progress through
// OnProgress, whose owner lets pending window events run (a click on "Annuler", the player stopped); a
// Cancel made meanwhile ends the job after the current frame.
//
// The job knows neither the player nor the writer's library: frames come through a TFrameSource (the
// view's player in the window, a player of its own in the headless tool), pictures through a
// TPictureReader, and videos go to a TMovieWriter, the writer back-end contract that media implements
// for our AVI writer, GStreamer's editing services and FFmpeg.
//
// Failures are the writers' codes (0 success) with their texts; a failed or cancelled video is removed
// by its writer, so that no half-written file is taken for a recording.

#include "core/common/rgb_image.h"
#include "core/montage/record_options.h"

#include <functional>
#include <string>
#include <vector>

namespace kinoval::montage {

// The writers' error codes and their texts.
enum TRecordError : int {
    reOk = 0,
    reAborted = 1, // "Processus abandonné"
    reNotOpen = 2,
    reBadFrame = 3,
    reWriteFrame = 4,
    reCompress = 5,
    reFormat = 6,
    reReplace = 7,
    reWriteFile = 8,
    reCreateStream = 9,
    reNoCodec = 10,
    rePlayerStopped = 11, // the player was stopped while the job read its frames
    rePicture = 12, // a still picture could not be written
};
std::string RecordErrorText(int code);

// A frames-per-second value as the exact fraction a container stores (30000/1001 for 29.97).
struct TRateFraction {
    unsigned numerator = 25;
    unsigned denominator = 1;
};
TRateFraction RateFraction(double framesPerSecond);

struct TMovieSpec {
    std::string fileName;
    int width = 0;
    int height = 0;
    double framesPerSecond = 25;
    std::string codec = kNoCodec;
    int quality = 50; // 10 .. 100
    int keyFrameInterval = 25;
};

// The writer back-end contract: open, add frames of the opened size, close; codes of TRecordError.
class TMovieWriter {
public:
    virtual ~TMovieWriter() = default;
    // The compressors the user may choose, the first one being the default.
    virtual std::vector<std::string> CodecNames() const = 0;
    virtual int Open(const TMovieSpec& movie) = 0;
    virtual int AddFrame(const TRgbImage& frame) = 0;
    // Completes the file. A writer closed after an error or a cancel (complete false) removes its file.
    virtual int Close(bool complete = true) = 0;
    // Why the last call failed, in the program's words.
    virtual std::string ErrorText() const = 0;
};

class TRecordMontage {
public:
    // The full-size picture of a raw frame of the video; false when it cannot be decoded.
    using TFrameSource = std::function<bool(int raw, TRgbImage& frame)>;
    using TPictureReader = std::function<bool(const std::string& fileName, TRgbImage& picture)>;
    using TPictureWriter = std::function<bool(const std::string& fileName, const TRgbImage& picture)>;

    // After each frame: frames done so far and the total. The window lets its events run there.
    std::function<void(int done, int total)> OnProgress;

    bool IsRecording() const { return m_recording; }
    // Ends the running job after its current frame with that code (reAborted or rePlayerStopped).
    void Cancel(int code = reAborted);
    int ErrorCode() const { return m_error; }
    const std::string& ErrorText() const { return m_errorText; }
    // The files the last picture job wrote, in order.
    const std::vector<std::string>& WrittenFiles() const { return m_written; }

    // Writes the steps of RecordSteps (raw frames, kBlankStep for a blank frame) into the writer. The movie
    // names the file, the rate and the compressor; its size is that of the transformed source frames.
    int RecordVideo(TMovieWriter& writer, TMovieSpec movie, const TRecordOptions& options,
        const std::vector<int>& steps, int sourceWidth, int sourceHeight, const TFrameSource& frames);

    // Writes each raw frame of the list as base_NNN.png (or .bmp), numbered among the written pictures.
    int FramesToPictures(const std::string& base, TPictureFormat format, const TRecordOptions& options,
        const std::vector<int>& rawFrames, const TFrameSource& frames, const TPictureWriter& write = {});

    // One frame per picture, in the order given; the first picture (transformed) sets the video's size and
    // the others are stretched to it.
    int PicturesToVideo(TMovieWriter& writer, TMovieSpec movie, const TRecordOptions& options,
        const std::vector<std::string>& pictures, const TPictureReader& read);

private:
    int Begin();
    int Fail(int code, std::string text = {});
    bool Step(int done, int total);

    bool m_recording = false;
    int m_cancel = reOk;
    int m_error = reOk;
    std::string m_errorText;
    std::vector<std::string> m_written;
};

} // namespace kinoval::montage
