#pragma once
// The measurement document.
//
// TData is the one document of the program. It owns everything the user places on the video: the two mark
// sets (fixed-frame marks measured against the fixed axes, transparent marks measured against the moving
// sheet), the fixed axes, the transparent sheet, the scale, the time base, the per-object colours and
// visibility, and four undo histories (scale, axes, transparent sheet, marks). Every operation on marks
// works on the set of the view's current marking mode, asked afresh each time.
//
// Flow: the view forwards mouse and key input of its client area to MouseDown/MouseMove/MouseUp/KeyDown;
// the current tool turns it into edits. Every edit records its undo entry first, into the history chosen
// by the mode and tool of that moment, and then marks the results out of date (the generation counter the
// calculators compare). After a change the document emits Changed with the kind of change (every listener
// connects and is disconnected when its connection ends) and asks the view to repaint. The calculators read the
// document through TMeasurementSource only.
//
// The document reaches the view through TDocumentView (borrowed, may be null before the window exists),
// shows messages through the shared TCustomUserDlg (borrowed), and gets the montage's frame correction
// through MontageCorrection (0 when unset).

#include "core/common/colour.h"
#include "core/common/signal.h"
#include "core/document/document_view.h"
#include "core/document/history.h"
#include "core/document/marks.h"
#include "core/document/measurement.h"
#include "core/document/project_keys.h"
#include "core/document/scale.h"
#include "core/document/transparent.h"

#include <functional>
#include <string>
#include <vector>

namespace kinoval {

class TCustomUserDlg;
class TDocumentView;

enum class TMouseButton { Left, Right, Middle };

enum class TDocKey { Digit, Enter, Escape, Alt, Plus, Minus, CtrlA };
struct TDocKeyEvent {
    TDocKey key = TDocKey::Enter;
    int digit = 0; // for TDocKey::Digit, 0 .. 9 (main row or numeric pad alike)
    bool ctrl = false; // Ctrl held
};

struct TScaleFactors {
    double sx = -1;
    double sy = -1;
};

namespace document {

// What a notification of the document says changed.
enum class TDocChangeKind { Marks, Axes, Scale, ScaleKind, MarksPerFrame, Tool, Colour, Visibility };
struct TDocChange {
    TDocChangeKind kind = TDocChangeKind::Marks;
    // For ScaleKind: the kind of scale now and before.
    int scaleKind = 0;
    int oldScaleKind = 0;
};

class TData : public TMeasurementSource, public THistoryHost {
public:
    TData(TCustomUserDlg& dialog, const TDocumentSettings& settings);
    ~TData() override;
    TData(const TData&) = delete;
    TData& operator=(const TData&) = delete;

    void SetView(TDocumentView* view);
    TDocumentView* View() const { return m_context.view; }
    // The settings changed: scale kind, element size, number positions follow.
    void ApplySettings(const TDocumentSettings& settings);
    const TDocumentSettings& Settings() const { return m_settings; }

    // ---- notification: emitted after every change, with what changed ----
    TSignal<const TDocChange&> Changed;

    // The montage sets this: time shift, in frames, of a raw frame. Unset means no montage (0).
    std::function<int(int rawFrame)> MontageCorrection;
    int CorrectedFrame(int rawFrame) const;
    // The montage hides a raw frame: its marks leave both mark sets and the undo histories are emptied.
    void EraseHiddenFrameMarks(int rawFrame);
    int MarksOnRawFrameInAllSets(int rawFrame) const;

    // ---- the objects ----
    TRepereFixe& Axes() { return *m_axes; }
    TTransparent& Sheet() { return *m_sheet; }
    TEchelle& Scale() { return *m_scale; }
    const TEchelle& Scale() const { return *m_scale; }
    TPolyMarqueImgRep& FixedSet() { return *m_fixedSet; }
    TPolyMarqueImgTsp& TransparentSet() { return *m_tspSet; }
    bool IsTransparentMode() const;
    TPolyContainer& CurrentSet();
    const TPolyContainer& CurrentSet() const;
    const TPolyContainer& Set(TMarkSet set) const;

    // ---- tool, time base, elements ----
    std::uint8_t Tool() const { return m_tool; }
    void SetTool(std::uint8_t tool);
    int FramesNumberBetweenTwoMarks() const { return m_framesBetween; }
    void SetFramesNumberBetweenTwoMarks(int n) { m_framesBetween = n; }
    double RequiredDuration() const { return m_requiredDuration; }
    void SetTimeBetweenFrames(double seconds);
    // The study's time column follows the frames' own timestamps (t of a mark is its frame's presentation
    // time minus the first pointed frame's) instead of frame numbers times the time between two frames.
    // Off in a new study and in studies saved before the choice existed. It takes effect when the player
    // knows the frames' times; otherwise the time between two frames applies.
    bool TimeFromTimestamps() const { return m_timeFromTimestamps; }
    void SetTimeFromTimestamps(bool on);
    // The frames' times, when the choice is on and the open video has them.
    const std::vector<double>* FrameTimesInUse() const;
    std::uint8_t ElementSize() const { return m_elementSize; }
    void SetElementSize(int size);
    TColor ElementColor() const { return m_elementColor; }
    // The colour of the axes and the scale; kept with the study, so it is a change like the marks'.
    void SetElementColor(TColor colour);

    // ---- results out of date ----
    bool ResultsOutOfDate() const { return m_context.OutOfDate(); }
    void ClearResultsOutOfDate() { m_context.ClearOutOfDate(); }
    void MarkResultsOutOfDate() { m_context.MarkOutOfDate(); } // the montage moved instants
    std::uint64_t Generation() const { return m_context.Generation(); }

    // ---- marks, on the current set ----
    bool PlaceMark(TPoint p);
    void RemoveMark(TMarque* mark, TRecordKind kind = rkErased);
    void RemoveLastMark();
    void EraseFrameMarks(int frame);
    void EraseCurrentFrameMarks();
    void EraseAllMarks();
    void EraseMarksInRect(TPoint a, TPoint b);
    // Programmatic position of a fixed-frame or transparent mark (import, tracking): creates or updates.
    void SetMarkPosition(TPolyContainer& set, int objectNumber, int frame, TPointD image);
    // Per object an array of image positions and one of frame numbers (negative: no mark); fixed-frame
    // marks, one undo group in the marks history.
    void ImportMarks(const std::vector<std::vector<TPointD>>& positions, const std::vector<std::vector<int>>& frames);

    void SetObjectsPerFrame(int n);
    void SetCurrentObject(int k);
    void SetMarksToDraw(int n);
    void SetAllDrawn(bool all);
    void SetNumberPosition(int position);
    int ObjectsPerFrame() const { return CurrentSet().MarksNumberPerFrame; }
    int CurrentObject() const { return CurrentSet().CurrentMarkOrderNumber; }
    bool AllDrawn() const { return CurrentSet().MarksIsAllDrawn; }
    int MarksToDraw() const { return CurrentSet().MarksNumberToDraw; }
    int NumberPosition() const { return CurrentSet().MarksNumberPosition; }
    int MarkCount() const { return CurrentSet().MarkCount(); }
    int LastContainerFrame() const; // -1 without containers
    int MarksOnFrame(int frame) const;
    // A raw frame the open video has. Marks on other frames (a study pointed on a longer video, a damaged
    // file) stay in the study but take no part in the results; without a video every frame counts.
    bool FrameInVideo(int frame) const;
    // The marks of one object (-1: every object) that the results use.
    int MarksInVideo(TMarkSet set, int object = -1) const;
    std::string ObjectName(int k) const;
    void SetObjectName(int k, const std::string& name);
    void Renumber(TPolyContainer& set);

    TColor MarkColor(int k) const;
    void SetMarkColor(int k, TColor colour);
    bool MarkVisible(int k) const;
    void SetMarkVisible(int k, bool visible);
    int ColourCount() const { return static_cast<int>(m_colors.size()); }

    // What the view draws for the marks: the marks to draw, and the label text of a mark ("" for none).
    std::vector<const TMarque*> MarksToDrawList() const;
    std::string MarkLabel(const TMarque& mark) const;

    // ---- reference frame, scale ----
    TScaleFactors ScaleFactors() const;
    bool ScaleComplete() const;
    int ScalePointCount() const { return m_scale->PointsNumber[m_scale->Kind]; }
    int ScalePointCount(int kind) const { return m_scale->PointsNumber[kind]; }
    double ScaleLength(int kind) const { return m_scale->Length[kind]; }
    void SetScaleLength(int kind, double length);
    std::uint8_t ScaleKind() const { return m_scale->Kind; }
    void SetSeparateScales(bool separate);
    TPointD Origin() const;
    double XAxisAngle() const;
    void SetXAxisAngle(double angle);
    bool XAxisDirect() const;
    bool YAxisDirect() const;
    void SetXAxisDirect(bool direct);
    void SetYAxisDirect(bool direct);
    int OriginPlaced() const;
    void RemoveAxes();
    void RemoveAxesAndScale();
    // Removes the two points of one scale kind (its length stays, for the next segment).
    void RemoveScale(int kind);
    // While only the first point of the scale being edited exists: the rubber line from it to the mouse
    // cursor (kept horizontal or vertical for those kinds). False when there is no rubber line to draw.
    bool RubberLine(TPoint& from, TPoint& to) const;

    // Screen positions follow the view's zoom and pan.
    void RefreshScreenPositions();

    // ---- input from the view ----
    void MouseDown(TMouseButton button, TPoint p);
    void MouseMove(TPoint p);
    void MouseUp(TMouseButton button, TPoint p);
    bool KeyDown(const TDocKeyEvent& key);

    // ---- undo ----
    THistorique& CurrentHistory();
    THistorique& MarksHistory() { return m_marksHistory; }
    THistorique& TransparentHistory() { return m_tspHistory; }
    bool Undo();
    std::string UndoCaption();

    // A new study (a video was opened).
    void NewStudy();

    // ---- the study file's Data section ----
    // Writes the document's keys in the study file's order. Load appends to what is in memory (callers
    // reset with NewStudy first) and repairs what would break the document: a second mark of one object
    // on a frame, or a second container of one frame, is merged away; objects per frame stays within 1 to
    // kMaxObjectsPerFrame. A mark that cannot be read is left out rather than invented, and every such
    // repair is said through the keys' Report, for the user.
    void Save(TProjectKeys& keys) const;
    void Load(const TProjectKeys& keys);
    void LoadMarkSet(TPolyContainer& set, const TProjectKeys& keys, const std::string& suffix);
    // Tells, through the keys' report, how many marks sit on frames the open video does not have.
    void ReportMarksOutsideVideo(const TProjectKeys& keys) const;

    // ---- TMeasurementSource ----
    bool IsVideoOpen() const override;
    void ExportMeasurement(TMarkSet set, TMeasurement& out) const override;
    TFrameGeometry Geometry(TMarkSet set) const override;
    double TimeBetweenFrames() const override { return m_requiredDuration; }

    // ---- THistoryHost ----
    THistObject* FindLive(std::int32_t identity) override;
    void RemoveLive(THistObject& live, std::uint8_t createdKind) override;
    void PutBack(std::unique_ptr<THistObject> object, std::uint8_t erasedKind) override;
    void Refresh(THistObject& live) override;

private:
    void Record(THistObject& object, TRecordKind kind);
    void Repaint();
    void Notify(TDocChangeKind kind) { Changed.Emit(TDocChange { kind }); }
    void ShowSimilarMark();
    bool PlaceMarkAt(TPoint p, bool advance);
    void AdvanceView();
    bool AddMarkBack(std::unique_ptr<TMarque> mark, std::uint8_t kind);
    void SetCurrentObjectOf(TPolyContainer& set, int k);
    void SetObjectsPerFrameOf(TPolyContainer& set, int n);
    void EnsureObjectArrays(int n);
    void RemoveDatedOrigin(TOrigine* origin, TRecordKind kind);
    void RefreshSheet();
    bool InPointing() const;

    void PlaceMarksDown(TMouseButton button, TPoint p);
    void MoveMarksDown(TMouseButton button, TPoint p);
    void EraseDown(TMouseButton button, TPoint p);
    void OriginDown(TMouseButton button, TPoint p);
    void ScaleDown(TMouseButton button, TPoint p);
    void SheetDown(TMouseButton button, TPoint p);
    void OriginMove(TPoint p);
    void ScaleMove(TPoint p);
    void SheetUp(TPoint p);
    bool HitsAxisHalf(TPoint p, TPoint end) const;
    void SetCursor(TViewCursor shape);

    TCustomUserDlg& m_dialog;
    TDocumentSettings m_settings;
    TDocContext m_context;
    std::unique_ptr<TRepereFixe> m_axes;
    std::unique_ptr<TTransparent> m_sheet;
    std::unique_ptr<TEchelle> m_scale;
    std::unique_ptr<TPolyMarqueImgRep> m_fixedSet;
    std::unique_ptr<TPolyMarqueImgTsp> m_tspSet;
    THistorique m_scaleHistory;
    THistorique m_axesHistory;
    THistorique m_tspHistory;
    THistorique m_marksHistory;
    THistorique* m_forcedHistory = nullptr; // the import records into the marks history whatever the mode
    bool m_undoing = false;
    int m_batch = 0; // while above 0, renumbering waits for the end of the batch

    std::uint8_t m_tool = toPlaceMarks;
    int m_framesBetween = 1;
    double m_requiredDuration = 0;
    bool m_timeFromTimestamps = false;
    std::uint8_t m_elementSize = 0;
    TColor m_elementColor = 0xFFFF;
    std::vector<TColor> m_colors;
    std::vector<bool> m_visible;
};

// Where the number beside a mark starts (text origin), for number position 0 (below) or 1 (right), and the
// font size for an element size (0 keeps the canvas's size).
TPoint MarkLabelOrigin(TPoint mark, int elementSize, int numberPosition);
int MarkLabelFontSize(int elementSize, int canvasSize);

// The physical position of an exported point (X, Y: relative, normalised, Y upward) in the frame's axes.
TPointD ToPhysical(double X, double Y, const TFrameGeometry& geometry);

} // namespace document
} // namespace kinoval
