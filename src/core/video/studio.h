#pragma once
// TStudio: the video workshop, where a chronophotograph is composed.
//
// On several frames the user draws an outline (TModele) around the moving object: a circle from its
// centre to its rim, a polygon clicked vertex by vertex (a double click ends it), or a free line. When an
// outline is finished the workshop cuts the frame's pixels inside it out (its bounding rectangle, a mask
// of the inside and those pixels) and moves on by the frames-between-marks count. Composing pastes every
// cut-out, in the order drawn, onto a white page or onto the frame of the earliest outline, and saves the
// picture. The workshop also saves the current frame as a picture.
//
// Ownership: the workshop owns its outlines (at most one per frame, in montage numbering) and borrows the
// view (frames, geometry, navigation, repaint), the message dialog and the desktop's save dialogs. The view
// hands it the mouse in the workshop mode (it is the view's workshop receiver); the window's widget asks
// BuildOverlay what to draw over the frame. Outlines keep normalised points, so zoom and pan only move
// their cached screen positions (RefreshScreenPositions).

#include "core/common/rgb_image.h"
#include "core/document/doc_types.h"
#include "core/video/overlay.h"
#include "core/video/view_input.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace kinoval {
class TCustomUserDlg;
class TDesktopServices;
} // namespace kinoval

namespace kinoval::video {

class TVideo;

enum TStudioTool : std::uint8_t { stNone = 0, stDraw = 1, stErase = 2 };
enum TModeleShape : std::uint8_t { msFreeLine = 0, msPolygon = 1, msCircle = 2 };

// The shape kind a value of the setting StudioShapeNumber_Value gives: 1 polygon, 2 free line, else circle.
TModeleShape ShapeOfSetting(int value);

// One outline with its cut-out.
struct TModele {
    int frame = -1; // montage numbering
    bool finished = false;
    TModeleShape shape = msCircle;
    std::vector<TPointD> points; // normalised image coordinates
    std::vector<TScreenPoint> screen; // the same points on the view
    // After finishing: the bounding rectangle in frame pixels, the inside mask over it (row by row) and
    // the frame's pixels there.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<bool> mask;
    TRgbImage cutout;
};

// The polygon of a circle centred on the first point through the second, in the frame's pixels (so that
// it stays round on a frame that is not square), as normalised points.
std::vector<TPointD> CirclePolygon(TPointD centre, TPointD rim, int frameWidth, int frameHeight, int vertices = 72);

// Cuts the outline out of the frame: bounding rectangle (clipped to the frame), mask of the pixels whose
// centres lie inside the polygon (even-odd rule), and the pixels. False when nothing of it is inside.
bool CutOut(TModele& modele, const TRgbImage& frame);

// The chronophotograph of outlines pasted in order onto background (a frame, or a white page).
void PasteCutOuts(const std::vector<std::unique_ptr<TModele>>& outlines, TRgbImage& picture);

class TStudio : public TViewInputReceiver {
public:
    TStudio(TVideo& video, TCustomUserDlg& dialog, TDesktopServices& desktop);

    // The document's frames-between-marks count (unset: 1) and the folder of file dialogs (unset: none).
    std::function<int()> framesBetweenMarks;
    std::function<std::string&()> folder;
    std::function<void()> changed; // after an outline was added or removed

    TStudioTool Tool() const { return m_tool; }
    void SetTool(TStudioTool tool);
    TModeleShape ShapeKind() const { return m_shape; }
    // Drops the unfinished outline of the current frame.
    void SetShapeKind(TModeleShape shape);
    // The erase-all command of the workshop mode.
    void Clear();
    // Entering the mode: no tool, no drawing in progress.
    void Reset();

    int FinishedCount() const;
    const std::vector<std::unique_ptr<TModele>>& Outlines() const { return m_outlines; }
    const TModele* OutlineOfFrame(int frame) const;

    // Compose, ask and save; 0 when saved, 1 cancelled, 2 failed (each with its message).
    int ComposeChronophotograph();
    int SaveCurrentFrame();
    // The picture alone: the earliest outline's frame or white beneath; false when it cannot be drawn.
    bool Compose(bool background, TRgbImage& picture);

    void BuildOverlay(TOverlay& overlay) const;

    void MouseDown(TMouseButton button, TShiftState shift, TScreenPoint p) override;
    void MouseMove(TShiftState shift, TScreenPoint p) override;
    void MouseUp(TMouseButton button, TShiftState shift, TScreenPoint p) override;
    bool KeyDown(int key, TShiftState shift) override;
    TCursorChoice Cursor() const override;
    void RefreshScreenPositions() override;

private:
    TModele* Current();
    TModele& StartOutline();
    void RemoveOfFrame(int frame);
    void RemoveAt(std::size_t index);
    void AddPoint(TModele& modele, TScreenPoint p);
    void Finish(TModele& modele);
    std::ptrdiff_t HitOutline(TScreenPoint p) const;
    void Repaint();
    int Save(const std::string& title, const std::string& proposed, const TRgbImage& picture,
        const std::vector<std::string>& success);

    TVideo& m_video;
    TCustomUserDlg& m_dialog;
    TDesktopServices& m_desktop;
    std::vector<std::unique_ptr<TModele>> m_outlines;
    TStudioTool m_tool = stNone;
    TModeleShape m_shape = msCircle;
    bool m_drawing = false;
    static constexpr int kNone = std::numeric_limits<int>::max();
    TScreenPoint m_last { kNone, kNone };
    TScreenPoint m_rubber { kNone, kNone };
    bool m_erasing = false;
    TScreenPoint m_eraseA;
    TScreenPoint m_eraseB;
    TScreenPoint m_pointer;
};

} // namespace kinoval::video
