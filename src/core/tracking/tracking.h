#pragma once
// TTracking: the automatic-pointing workflow.
//
// The user draws the outline of one object on a frame, which becomes the first frame of that object's
// sequence, may draw zones to ignore on the background and set the last frame, then starts the run. The
// driver steps through the frames (by the document's frames-between-marks step), asks the mean-shift
// tracker for the object's position on each, and keeps the positions per object and per frame. Leaving the
// tracking mode offers to turn them into marks of the document, replacing marks already placed on those
// frames. One object is tracked at a time.
//
// Ownership: the driver owns the one TMeanShift and all per-object state; it borrows the view, the
// document, the message dialog and the desktop services. A run happens on the window thread: once per
// frame it lets pending events run, which is where a second press of the start button (or the player's
// pause, or closing the video) calls Run again and clears the running flag that the loop then reads.
//
// Each frame's position comes from one of two trackers, the colour histogram's mean shift or the
// correlation of a template, through the follower, which starts the search where the object's course
// leads and judges every position found. A position it refuses ends the run on that frame: the positions
// found so far stay, a message names the frame and why, and the outline tool is ready for the user to
// draw the object again there and go on; the new run takes up the course the earlier one had.
//
// The view routes its mouse and keys here in tracking mode (TViewInputReceiver) and asks for the overlay.

#include "core/common/colour.h"
#include "core/common/signal.h"
#include "core/common/user_dlg.h"
#include "core/tracking/follower.h"
#include "core/tracking/mean_shift.h"
#include "core/tracking/tracking_host.h"
#include "core/tracking/tracking_types.h"
#include "core/video/overlay.h"
#include "core/video/view_input.h"

#include <climits>
#include <functional>
#include <vector>

namespace kinoval {
class TDesktopServices;
} // namespace kinoval

namespace kinoval::tracking {

enum TLastOp { loNone, loSelect, loTrack };

enum TOutlineShape : int { osFreeHand = 0, osPolygon = 1, osCircle = 2 };
enum TDrawingMode : int { dmNone = 0, dmOutline = 1, dmZone = 2 };
enum TDrawingState : int { dsIdle = 0, dsZone = 1, dsOutline = 2 };

struct TTrackingSettings {
    int searchRadius = 40;
    int storedShape = 0; // as stored: 1 polygon, 2 free-hand, anything else circle
    bool showSearchZone = true;
    int method = tmMeanShift; // TTrackingMethod
};

// The state of one object.
struct TTrackedObject {
    TLastOp lastOp = loNone;
    int vertexCount = 0;
    TPointDDynArray outline;
    TPointDynArray outlinePx;
    TPointD outlineCentre;
    bool outlineValid = false;
    int firstFrame = 0;
    int zoneCount = 0;
    TMatricePointD zones;
    TMatricePoint zonesPx;
    // Per frame of the view's numbering.
    std::vector<TPointD> positions;
    std::vector<TPoint> positionsPx;
    std::vector<int> rawFrames; // -1: no position on that frame
    std::vector<double> similarity; // the likeness of each tracked frame's position to the model
    TPointD lastPosition;
    TPoint lastPositionPx;
    // Where the search of the coming frame starts (or started, on the frame where the object was lost).
    bool hasPrediction = false;
    TPointD prediction;
    // The frame where the last run lost the object (-1: none) and why.
    int lostFrame = -1;
    TLossReason lostReason = lrNone;
};

// The midpoint-circle polygon of a radius around a centre: the eight octants in order round the circle,
// no point twice.
TPointDynArray MidpointCircle(TPoint centre, int radius);

class TTracking : public video::TViewInputReceiver {
public:
    static constexpr int kMinRadius = 10;
    static constexpr int kMaxRadius = 100;
    static constexpr int kBinCount = 20;
    static constexpr int kMaxIterations = 10;
    static constexpr int kVertexCapacity = 32768;

    TTracking(TTrackingView& view, TTrackingDocument& document, TCustomUserDlg& dialog, TDesktopServices& desktop,
        const TTrackingSettings& settings);

    // Notifications (the tracking panel listens).
    TSignal<> OnDrawingModeSet;
    TSignal<> OnRunStarted;
    TSignal<> OnRunEnded;
    // After each frame of a run has been tracked and recorded (montage numbering), for the progress shown.
    TSignal<int> OnFrameTracked;

    // ---- commands ----
    void Reset();
    void Resize();
    void SetDrawingMode(int mode);
    void SetShape(int shape);
    void SetSearchRadius(int n);
    void SetCurrentObject(int n);
    void SetLastFrame(int n);
    // The tracker of the coming runs (TTrackingMethod); ignored while running.
    void SetMethod(int method);
    void Run();
    void EraseOutline();
    void EraseTracking();
    void EraseLastZone();
    void EraseZones();
    void EraseAll();
    void OfferToKeep();
    // Headless equivalents of drawing with the mouse, in normalised coordinates: the outline of the current
    // object, completed on the view's current frame as a drawn polygon is (false when it is not stored or
    // the tracker cannot build a model from it), and one more zone to ignore.
    bool SetOutline(const TPointDDynArray& vertices);
    void AddZone(const TPointDDynArray& vertices);

    // The checks the main window makes before Run and before asking for the last frame; each shows its
    // own message and returns false when the action must not go on.
    bool StartCheck();
    bool SequenceCheck();

    // ---- queries ----
    int ZoneCount(bool allObjects = false) const;
    int TrackedFrameCount(bool allObjects = false) const;
    int ValidOutlineCount(bool allObjects = false) const; // current object: 0 or 1
    bool Running() const { return m_running; }
    int CurrentObject() const { return m_currentObject; }
    int LastFrame() const { return m_lastFrame; }
    int SearchRadius() const { return m_searchRadius; }
    int Method() const { return m_method; }
    int Shape() const { return m_shape; }
    void SetShowSearchZone(bool show) { m_showSearchZone = show; }
    int DrawingMode() const { return m_drawingMode; }
    int DrawingState() const { return m_drawingState; }
    int ObjectCount() const { return static_cast<int>(m_objects.size()); }
    const TTrackedObject& Object(int k) const { return m_objects.at(k); }
    const TPointDynArray& InProgressPx() const { return m_drawPx; }
    int CircleRadius() const { return m_circleRadius; }
    const TMeanShift& Tracker() const { return m_tracker; }
    const TFollower& Follower() const { return m_follower; }

    // ---- view hooks ----
    void MouseDown(video::TMouseButton button, video::TShiftState shift, TScreenPoint p) override;
    void MouseMove(video::TShiftState shift, TScreenPoint p) override;
    void MouseUp(video::TMouseButton, video::TShiftState, TScreenPoint) override { }
    bool KeyDown(int key, video::TShiftState shift) override;
    video::TCursorChoice Cursor() const override;
    void RefreshScreenPositions() override;
    void Paint(video::TOverlay& overlay) const;

private:
    void InitObject(TTrackedObject& object, int frames) const;
    TTrackedObject* Current();
    void ClearDrawing();
    void AddVertex(TPoint p);
    void CompleteOutline();
    void CompleteZone();
    void Record(TPointD framePixel, int frame, double similarity);
    void SetPrediction(TTrackedObject& o, TPointD framePixel);
    void ReportLoss(int frame, TLossReason reason);
    std::vector<TMotionSample> EarlierCourse(const TTrackedObject& o, int step) const;
    void LeftClick(bool doubleClick);
    void RightClick();
    void Message(TUserDlgIcon icon, const char* text);

    TTrackingView& m_view;
    TTrackingDocument& m_document;
    TCustomUserDlg& m_dialog;
    TDesktopServices& m_desktop;
    TMeanShift m_tracker;
    TFollower m_follower { m_tracker };
    int m_method = tmMeanShift;

    std::vector<TTrackedObject> m_objects;
    int m_currentObject = 0;
    int m_lastFrame = 0;
    int m_searchRadius = 40;
    int m_shape = osCircle;
    bool m_showSearchZone = true;
    int m_drawingMode = dmNone;
    int m_drawingState = dsIdle;
    TPointDDynArray m_draw;
    TPointDynArray m_drawPx;
    TPoint m_circleCentre;
    int m_circleRadius = 0;
    TPoint m_lastPointer { INT_MAX, INT_MAX };
    TPoint m_pointer; // where the mouse is, for the rubber band and the keys
    bool m_running = false;
};

} // namespace kinoval::tracking
