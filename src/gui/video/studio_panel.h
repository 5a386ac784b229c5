#pragma once
// The tool bar of the video workshop: the outline tools (draw, erase) and the outline's shape, the
// chronophotograph, the current frame saved as a picture, and the two conversions between a video and
// still pictures, which the window's recorder performs.
//
// Ownership: the panel borrows the workshop, the view and the settings (the shape is kept in
// StudioShapeNumber_Value); the window listens to its signals.

#include <QWidget>

class QToolButton;

namespace kinoval {
class TOptions;
}

namespace kinoval::video {

class TStudio;
class TVideo;

class TStudioPanel : public QWidget {
    Q_OBJECT
public:
    TStudioPanel(TStudio& studio, TVideo& video, TOptions& options, QWidget* parent = nullptr);

    QToolButton* Button(const char* objectName) const;
    // The buttons follow the workshop's tool and shape.
    void UpdateControls();

signals:
    void decomposeClicked();
    void assembleClicked();

private:
    QToolButton* AddButton(const char* name, const char* caption, const char* hint, bool checkable);
    void ChooseShape(int shape);

    TStudio& m_studio;
    TVideo& m_video;
    TOptions& m_options;
    QToolButton* m_draw = nullptr;
    QToolButton* m_erase = nullptr;
    QToolButton* m_shapes[3] = {};
};

} // namespace kinoval::video
