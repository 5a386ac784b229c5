#pragma once
// The video view's widget: paints what the view model TVideo describes and hands it every mouse and key
// event.
//
// Painting goes to an off-screen picture of the client size, in this order: the frame's source rectangle
// stretched over the picture (white when the image is hidden, inverted for a frame the montage hides, our
// title picture when no video is open; the camera's picture in capture mode), the zoom rectangle being drawn, the
// overlay of the mode (built by its owner: the document in the pointing modes, the workshop, the tracker), and the wait
// text. The picture is then shown in one block, the magnifier copies its part from it, and the frame-painted
// notification fires. Nothing is painted while the player is busy drawing: the last picture stays.
//
// Playback repaints arrive from the timer's thread as queued calls, so all drawing stays on the window
// thread.

#include "core/video/overlay.h"
#include "core/video/video.h"

#include "core/common/rgb_image.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <utility>

class QScrollBar;

namespace kinoval::video {

class TLoupeWidget;

class TVideoWidget : public QWidget {
    Q_OBJECT
public:
    explicit TVideoWidget(TVideo& video, QWidget* parent = nullptr);
    ~TVideoWidget() override;

    // Fills the overlay of the given mode in client pixels; set by the program for each owner.
    std::function<void(TVideoMode, TOverlay&)> buildOverlay;
    // In capture mode the camera's latest picture takes the video's place: this copies it (false when
    // none came yet), and Redraw paints it whole, kept in its proportions, on black.
    std::function<bool(TRgbImage&)> capturePreview;

    // Paints the off-screen picture now and schedules its copy to the screen.
    void Redraw();
    const QImage& Picture() const { return m_picture; }
    TVideo& Video() { return m_video; }
    TLoupeWidget* LoupeWidget() const { return m_loupe; }
    QScrollBar* HorizontalScrollBar() const { return m_hBar; }
    QScrollBar* VerticalScrollBar() const { return m_vBar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PaintFrame(QPainter& painter);
    void PlaceScrollBars();
    void SyncScrollBars();
    const QImage& TitlePicture();
    void PaintPreview();

    TVideo& m_video;
    QImage m_picture;
    QImage m_title;
    TRgbImage m_frame;
    std::pair<int, int> m_frameKey { -1, -1 }; // open serial and raw frame of m_frame
    TOverlay m_overlay;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
    TLoupeWidget* m_loupe = nullptr;
    bool m_syncingBars = false;
    TRgbImage m_preview;
};

// The magnifier: a child of the view that enlarges the view's picture around the pointer.
class TLoupeWidget : public QWidget {
    Q_OBJECT
public:
    explicit TLoupeWidget(TVideoWidget& view);
    void Sync(); // geometry and visibility from the model, then repaint

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TVideoWidget& m_view;
};

// The gap left around the centre of the magnifier's cross-hair, in pixels.
inline constexpr int kLoupeCrossGap = 4;

} // namespace kinoval::video
