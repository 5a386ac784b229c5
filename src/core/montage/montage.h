#pragma once
// TMontage: the editable frame sequence of the open video.
//
// For every raw frame of the video file the montage keeps whether it is visible and a time shift counted
// in frame periods. From these it gives two numberings: the raw numbering of the player (the marks store
// it) and the montage numbering, which counts visible frames only (navigation outside the montage mode
// uses it). The corrected number of raw frame i is i + shift(i); its instant is that number times the
// time between two frames. Hiding a frame moves every later frame one period earlier, so the hidden frame
// takes no time; declaring a missing frame moves the current frame and every later one a period later.
//
// Invariant: at least one frame stays visible.
//
// The montage reaches the view, the document and the settings only through TMontageHooks (each optional,
// set by the main window or a test), shows its messages through the shared TCustomUserDlg (borrowed), and
// fires OnChanged after every edit.

#include "core/common/signal.h"
#include "core/document/project_keys.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval {

class TCustomUserDlg;

namespace montage {

struct TMontageHooks {
    std::function<bool()> videoOpen; // unset: no video
    std::function<int()> currentRawFrame; // unset: -1
    std::function<void(int raw)> goToRawFrame;
    std::function<double()> timeBetweenFrames; // seconds; unset: 0
    std::function<bool()> documentPresent; // unset: true
    // Marks placed on a raw frame, in every mark set; unset: 0.
    std::function<int(int raw)> marksOnFrame;
    // Erases the marks of a raw frame from every mark set and empties the undo histories.
    std::function<void(int raw)> eraseFrameMarks;
    std::function<void()> resultsOutOfDate;
    std::function<void()> repaint;
    // The settings flag "Afficher une boîte de dialogue quand une image est masquée"; unset: true.
    std::function<bool()> explainHiding;
};

// FrameTime's choices.
enum TFrameTimeWhich : int { ftNextVisible = 0, ftPreviousVisible = 1, ftCurrent = 2 };

// Results of LoadMontage.
enum TMontageLoadResult : int {
    kMontageLoaded = 0,
    kMontageAbsent = 1, // no montage keys: the montage stays as it is
    kMontageOtherVideo = 2, // saved for another frame count: ignored
    kMontageDamaged = 3 // malformed or contradictory keys: ignored
};

// The series text turned into raw frames (increasing, without repeats). False for an incorrect group
// (a character other than digits, "-" and ";", an empty or malformed item, a number outside 1 .. count).
bool ParseFrameSeries(std::string_view text, int frameCount, std::vector<int>& rawFrames);

class TMontage {
public:
    explicit TMontage(TCustomUserDlg& dialog);

    TMontageHooks hooks;
    TSignal<TMontage&> OnChanged;

    void InitMontage(int frameCount);
    void RebuildIndex();

    int FrameCount() const { return static_cast<int>(m_visible.size()); }
    int RawToMontage(int raw) const;
    int MontageToRaw(int montage) const;
    int VisibleCount() const { return m_visibleCount; }
    int TimeShift(int raw) const;
    bool IsVisible(int raw) const;
    bool CurrentVisible() const;
    // Corrected number of a raw frame: raw + shift(raw).
    int CorrectedFrame(int raw) const { return raw + TimeShift(raw); }
    double FrameTime(int which) const;
    int MissingFrameCount() const;

    // Counts the edits (each one that fires OnChanged), so that an owner can tell whether the montage
    // changed since a given moment.
    std::uint64_t Generation() const { return m_generation; }

    bool ShowExplanation() const { return m_showExplanation; }

    // ---- edits ----
    bool SetFrameVisible(int raw, bool visible);
    void ToggleCurrentFrame();
    // The series dialog's "Ok": hide (or show) the frames the text names. False, after the warning, for an
    // incorrect group (the dialog then stays open); true once the frames were passed on.
    bool ShowHideSeries(bool hide, std::string_view text);
    bool ShiftInstant(int delta);
    void LeaveMontage();

    // ---- the study file's "Montage" section ----
    void SaveMontage(document::TProjectKeys& keys) const;
    // Reads the section back for the video now open (InitMontage was called for it).
    int LoadMontage(const document::TProjectKeys& keys);

private:
    bool VideoOpen() const { return hooks.videoOpen && hooks.videoOpen(); }
    int CurrentRaw() const { return hooks.currentRawFrame ? hooks.currentRawFrame() : -1; }
    double Period() const { return hooks.timeBetweenFrames ? hooks.timeBetweenFrames() : 0.0; }
    void Changed();
    void Repaint();

    TCustomUserDlg& m_dialog;
    std::vector<bool> m_visible;
    std::vector<int> m_shift;
    std::vector<int> m_rawToMontage;
    std::vector<int> m_montageToRaw;
    int m_visibleCount = 0;
    bool m_showExplanation = true;
    std::uint64_t m_generation = 0;
};

// The shift run positions as the section writes them (1-based; a stretch of consecutive positions as its
// first position negated and its last), for the shifts of every raw frame.
std::vector<int> CompressedShiftPositions(const std::vector<int>& shifts);

} // namespace montage
} // namespace kinoval
