#pragma once
// What the capture asks of a device framework, said without one.
//
// The capture mixes two frameworks in one device list (on this system the V4L2 cameras, and every other
// video source the desktop's media framework offers); each framework is one TCaptureBackend, which keeps
// its own selected device, format and compressor, runs the preview while the capture mode is active and
// writes a recording to a file. media implements it over GStreamer; tests give a scripted one.
//
// The preview is not a window of the back-end's own: the back-end keeps its latest frame, and the view
// widget paints it in place of the video, so the preview lives in the program's own window.

#include "core/common/rgb_image.h"

#include <string>
#include <vector>

namespace kinoval::capture {

// Why a preview could not start.
enum class TPreviewResult { prOk, prNoDevice, prDeviceFailed, prNoneSelected };

// A notice of the system: a device of the framework was plugged in, or pulled out.
enum class TDeviceChange { dcArrived, dcRemoved };

class TCaptureBackend {
public:
    virtual ~TCaptureBackend() = default;

    // The devices of this framework, as the user reads them (without the framework's name).
    virtual std::vector<std::string> DeviceNames() = 0;
    // Lists the devices again (one plugged in since), keeping the selected one when it is still there.
    virtual void RefreshDevices() = 0;
    virtual int DeviceIndex() const = 0; // -1: none selected
    // The notices of devices plugged in or pulled out since the last call, oldest first. They may come
    // from any thread of the framework; the capture takes them on the window's.
    virtual std::vector<TDeviceChange> TakeDeviceChanges() = 0;
    virtual void SelectDevice(int index) = 0;

    // The image formats the selected device offers ("640x480 YUY2, 30 fps"); may be empty.
    virtual std::vector<std::string> FormatNames() = 0;
    virtual int FormatIndex() const = 0;
    virtual void SelectFormat(int index) = 0;

    // "sans" first (frames written uncompressed), then the compressors this framework can write with; a
    // compressor may write into another container than AVI.
    virtual std::vector<std::string> CompressorNames() = 0;
    virtual int CompressorIndex() const = 0;
    virtual void SelectCompressor(int index) = 0;
    // The extension of the file the selected compressor writes, without the dot ("avi", "mp4"...).
    virtual std::string RecordingExtension() const = 0;

    // The frame rate asked of the device (frames per second).
    virtual void SetFrameRate(int fps) = 0;

    virtual TPreviewResult StartPreview() = 0;
    virtual void ClosePreview() = 0;
    virtual bool PreviewRunning() const = 0;
    // Copies the latest preview frame; false when none came since the preview started.
    virtual bool PreviewFrame(TRgbImage& frame) = 0;

    // Starts writing the frames to a file (the preview keeps running); false when it cannot.
    virtual bool StartCapture(const std::string& fileName) = 0;
    // Stops writing and completes the file.
    virtual void StopCapture() = 0;
    virtual bool Capturing() const = 0;
    virtual int CapturedFrames() const = 0;
    virtual int DroppedFrames() const = 0;
};

} // namespace kinoval::capture
