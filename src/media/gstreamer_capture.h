#pragma once
// The capture back-end over GStreamer: one instance per framework of the device list.
//
// Framework 0 holds the V4L2 cameras, framework 1 every other video source the desktop offers (PipeWire,
// libcamera), and, when KINOVAL_TEST_CAMERA=1, a test camera: a moving ball with a frame counter along its
// bottom edge, 16 bits as black or white blocks, so that a recording can be checked frame by frame
// without hardware. The device monitor keeps running once the devices were listed, so that the system's
// notices of cameras plugged in and pulled out reach the capture (TakeDeviceChanges).
//
// One live pipeline runs while the capture mode is active: the device, a decoder when the device sends
// compressed pictures, a conversion to RGB and a sink whose frames feed both the preview (the view widget
// paints the latest one) and, while recording, a writer thread with our AVI writer (plain frames or MJPEG)
// or one of the framework's encoders this machine has (H.264 into MP4, VP8 into WebM).
// Frames carry the capture clock's timestamps: a gap in them counts as dropped frames, as does a frame
// the writer could not take in time, and the file declares the rate really obtained, so that the times
// measured on it are right.

#include "core/capture/capture_backend.h"

#include <memory>
#include <string>
#include <vector>

namespace kinoval::media {

class TGstCapture : public capture::TCaptureBackend {
public:
    enum TFramework { fwV4l2 = 0, fwOther = 1 };
    explicit TGstCapture(TFramework framework);
    ~TGstCapture() override;
    TGstCapture(const TGstCapture&) = delete;
    TGstCapture& operator=(const TGstCapture&) = delete;

    std::vector<std::string> DeviceNames() override;
    int DeviceIndex() const override;
    std::vector<capture::TDeviceChange> TakeDeviceChanges() override;
    void SelectDevice(int index) override;
    std::vector<std::string> FormatNames() override;
    int FormatIndex() const override;
    void SelectFormat(int index) override;
    std::vector<std::string> CompressorNames() override;
    int CompressorIndex() const override;
    void SelectCompressor(int index) override;
    std::string RecordingExtension() const override;
    void SetFrameRate(int fps) override;
    capture::TPreviewResult StartPreview() override;
    void ClosePreview() override;
    bool PreviewRunning() const override;
    bool PreviewFrame(TRgbImage& frame) override;
    bool StartCapture(const std::string& fileName) override;
    void StopCapture() override;
    bool Capturing() const override;
    int CapturedFrames() const override;
    int DroppedFrames() const override;

    void RefreshDevices() override;
    // The rate the last recording declared, frames per second (0 before one).
    double LastRecordedRate() const;
    // The capture clock's time of each frame of the last recording, seconds from its first frame.
    std::vector<double> LastRecordedTimes() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

} // namespace kinoval::media
