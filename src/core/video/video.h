#pragma once
// TVideo: the view model of the main window's central control.
//
// Ownership. TVideo owns the three players (through the chain that picks one per file), the zoom, the pan
// and the magnifier's state. It borrows the playback timer (the program's thread timer, or a test's
// manual one) and the receivers of its input: the measurement document in the pointing modes, the
// workshop and the tracker in theirs. It draws nothing: the Qt widget asks it what to show (the current
// frame through DrawCurrentFrame, the source rectangle, the mode, the wait and hide-image flags) and
// forwards every mouse and key event to it.
//
// Geometry. The widget tells the client size; the view keeps the source rectangle (the part of the frame
// shown) and from it the scales kx, ky and the normalised offsets ox, oy that convert between client
// pixels and normalised image positions. Every change of geometry asks each receiver to refresh the
// screen positions it caches, so that marks, axes and scale sit on the right pixels at any zoom.
//
// Frames. Navigation counts frames as the montage shows them (every frame while there is no montage);
// the player and the marks count raw frames. The montage conversions are hooks, identity until set.
//
// Playback. Play starts the timer with the player's delay; each tick, on the timer's thread, seeks the
// player to the next frame of the range and posts one repaint to the window thread (never a second while
// one is still waiting), and stops the timer once the next frame lies outside the range.
//
// Notifications are single optional callbacks, fired after the change; the main window listens.

#include "core/common/signal.h"
#include "core/document/document_view.h"
#include "core/drawing/screen_point.h"
#include "core/video/loupe.h"
#include "core/video/playback_timer.h"
#include "core/video/player_choice.h"
#include "core/video/view_input.h"
#include "core/video/zoom.h"

#include "core/common/rgb_image.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace kinoval::video {

enum TVideoMode : std::uint8_t {
    vmCapture = 1,
    vmMontage = 2,
    vmFixedPointing = 3,
    vmWorkshop = 4,
    vmTracking = 5,
    vmTransparentPointing = 6
};

enum TNavigationTool : std::uint8_t { ntNone = 0, ntZoom = 1, ntPan = 2 };

// A normalised image position: x from 0 (left edge) to 1 (right edge), y from 0 (top) to 1 (bottom).
using TImagePoint = TPointD;

struct TScrollBarState {
    bool visible = false;
    int maximum = 0; // position range [0, maximum]
    int page = 0; // client pixels shown
    int position = 0;
    int largeChange = 10;
};

// What the view asks of the rest of the program: services one provider answers (the montage's numbering,
// the widget's repaints and cursor, the capture's devices). Every hook is optional.
struct TVideoHooks {
    // Montage numbering (identity when unset).
    std::function<int(int montage)> montageToRaw;
    std::function<int(int raw)> rawToMontage;
    std::function<int()> montageFrameCount; // frames the montage keeps visible
    std::function<bool(int raw)> isHiddenFrame;
    // The raw frame of the document's last frame container, -1 without marks.
    std::function<int()> lastPointedRawFrame;
    // Entering the capture mode: false when no device could be opened, and the change is aborted.
    std::function<bool()> prepareCapture;
    // Lets pending window messages run (before the wait text is shown).
    std::function<void()> processPendingEvents;
    // Moves the real mouse cursor (arrow keys), client pixels.
    std::function<void(TScreenPoint)> setMouseCursorPos;
    // The widget: repaint now (window thread), and post a repaint from the playback thread.
    std::function<void()> repaint;
    std::function<void()> postRepaint;
    std::function<void(TCursorChoice)> cursorChanged;
    // Runs a call on the window thread later (a player's error met by a playback tick); unset: at once.
    std::function<void(std::function<void()>)> runOnWindowThread;
};

// What the view tells whoever listens (the document's link, the montage, the tracker's panel, the main
// window), each after the fact.
struct TVideoNotifications {
    TSignal<> modeChanged;
    TSignal<> navigationToolChosen;
    TSignal<> framePainted;
    TSignal<> playersClosed;
    TSignal<> playersOpened;
    TSignal<> zoomChanged;
    TSignal<> waitAbort;
    TSignal<const std::string&> message;
    // A file was opened, before the view resets its geometry: the document's time base, the montage's
    // frame count follow it.
    TSignal<const TPlayer&> videoOpened;
    // A mode change runs, in this order: the old mode is left, then the new one entered.
    TSignal<> montageLeft;
    TSignal<> captureLeft;
    TSignal<> trackingLeft; // the tracker stops a running tracking first
    TSignal<bool> fixedPointingEntered; // with whether a video is open: the document's tool follows
    TSignal<> transparentPointingEntered;
    TSignal<> workshopEntered;
    TSignal<> trackingEntered;
    // The pause button pressed in tracking mode.
    TSignal<> trackingPauseAsked;
};

class TVideo : public TDocumentView {
public:
    TVideo(TPlayerFactory& factory, TPlaybackTimer& timer);
    ~TVideo() override;
    TVideo(const TVideo&) = delete;
    TVideo& operator=(const TVideo&) = delete;

    TVideoHooks hooks;
    TVideoNotifications notify;

    // Receivers of the input: the document for the pointing modes, the workshop, the tracker.
    void SetPointingReceiver(TViewInputReceiver* r) { m_pointing = r; }
    void SetWorkshopReceiver(TViewInputReceiver* r) { m_workshop = r; }
    void SetTrackerReceiver(TViewInputReceiver* r) { m_tracker = r; }

    // --- players ---
    bool Open(const std::string& fileName);
    void Close();
    bool IsOpened() const override;
    TPlayer* Player() const { return m_players.Current(); }
    int Backend() const { return m_players.Backend(); }
    const std::string& LastError() const { return m_lastError; }
    // Grows by one at every successful open, so that a painter can tell a new video from the old one.
    int OpenSerial() const { return m_openSerial; }
    int RawFrameCount() const override;
    int FrameCount() const override; // montage numbering when a montage exists and the view is not in montage mode
    int CurrentRawFrame() const override;
    int CurrentMontageFrame() const override;
    int FrameWidth() const override;
    int FrameHeight() const override;
    double FramesPerSecond() const;
    double FrameDuration() const;
    std::string FileName() const;
    // The current frame, full size, for the painter; false while the player is busy or closed.
    bool DrawCurrentFrame(TRgbImage& target);
    // In montage mode a frame that the montage hides is drawn inverted.
    bool CurrentFrameInverted() const;

    // --- navigation (montage numbering) ---
    // Ignored when negative, past the end, or the current frame; stops playback first. True when moved.
    bool GoToFrame(int montageFrame);
    bool GoToFrameOfRaw(int rawFrame);
    void GoToMontageFrame(int frame) override { GoToFrame(frame); }
    void GoToRawFrame(int frame) override { GoToFrameOfRaw(frame); }
    bool First();
    bool Previous();
    bool Next();
    bool Last();
    bool LastPointed();

    // --- playback ---
    void Play(int fromMontage, int toMontage);
    void PlayButton(); // from the current frame + 1 to the last
    void Pause();
    void Stop();
    bool Playing() const { return m_timer.Running(); }
    int PlayFirst() const { return m_playFirst; }
    int PlayLast() const { return m_playLast; }
    // The timer's tick (timer thread); public so that tests and the timer can call it.
    void PlaybackTick();
    // The widget calls this once the posted repaint ran, so that the next tick may post again.
    void PostedRepaintDone() { m_repaintPosted = false; }

    // --- modes and tools ---
    TVideoMode Mode() const { return m_mode; }
    bool SetMode(TVideoMode mode); // false when the change was aborted
    bool IsPointingMode() const override { return m_mode == vmFixedPointing || m_mode == vmTransparentPointing; }
    bool IsCaptureMode() const override { return m_mode == vmCapture; }
    bool IsTransparentMarking() const { return m_mode == vmTransparentPointing; }
    bool Shown() const { return m_mode != vmCapture; } // the capture preview takes the view's place
    TNavigationTool NavigationTool() const { return m_navTool; }
    void SetNavigationTool(TNavigationTool tool);
    bool IsZoomOrPanToolActive() const override { return m_navTool != ntNone; }

    bool HideImage() const { return m_hideImage; }
    void SetHideImage(bool hide);
    bool Wait() const { return m_wait; }
    void ShowWaitText(bool on);

    // --- geometry ---
    void Resize(int clientWidth, int clientHeight);
    int ClientWidth() const override { return m_clientWidth; }
    int ClientHeight() const override { return m_clientHeight; }
    int ZoomPercent() const { return m_zoom.Value(); }
    double Zoom() const override { return m_zoom.Value(); }
    const TZoom& ZoomState() const { return m_zoom; }
    const TSourceRect& Source() const { return m_source; }
    double Ox() const { return m_ox; }
    double Oy() const { return m_oy; }
    TImagePoint ScreenToImage(TScreenPoint p) const override;
    TScreenPoint ImageToScreen(TImagePoint p) const override;
    void ZoomAt(TScreenPoint p, int newZoom);
    void ResetZoom();
    const TScrollBarState& HorizontalScrollBar() const { return m_hScroll; }
    const TScrollBarState& VerticalScrollBar() const { return m_vScroll; }
    void SetHorizontalScroll(int position);
    void SetVerticalScroll(int position);

    // --- input (client pixels) ---
    void MouseDown(TMouseButton button, TShiftState shift, TScreenPoint p);
    void MouseMove(TShiftState shift, TScreenPoint p);
    void MouseUp(TMouseButton button, TShiftState shift, TScreenPoint p);
    bool KeyDown(int key, TShiftState shift);
    TScreenPoint MouseCursorPos() const override { return m_mouse; }
    void SetMouseCursorPos(TScreenPoint p) { m_mouse = p; }
    TCursorChoice Cursor() const;
    // A receiver's cursor changed without any input (the tracker's drawing mode, its object): show it.
    void CursorMayHaveChanged();
    // The document's tools set their own shape (over a mark, over the origin ...); the document's input
    // receiver reads it back.
    void SetCursorShape(TViewCursor shape) override;
    TViewCursor DocumentCursorShape() const { return m_documentShape; }
    TMarkSet MarkingMode() const override { return IsTransparentMarking() ? TMarkSet::Transparent : TMarkSet::Fixed; }

    TLoupe& Loupe() { return m_loupe; }
    const TLoupe& Loupe() const { return m_loupe; }
    void ShowLoupe(bool show);

    void Repaint() override;
    const std::vector<double>* FrameTimes() const override;
    // The open video's frames do not all last the same time (its rate and frame duration are averages).
    bool VariableFrameDuration() const;
    void UpdateGeometry();

private:
    int MontageToRaw(int m) const;
    int RawToMontage(int r) const;
    TViewInputReceiver* ReceiverOfMode() const;
    void ZoomToolUp(TMouseButton button, TShiftState shift, TScreenPoint p);
    void UpdateScrollBars();
    void PlayerError(const std::string& text);

    TPlayerChain m_players;
    TPlaybackTimer& m_timer;
    TViewInputReceiver* m_pointing = nullptr;
    TViewInputReceiver* m_workshop = nullptr;
    TViewInputReceiver* m_tracker = nullptr;

    TVideoMode m_mode = vmFixedPointing;
    TNavigationTool m_navTool = ntNone;
    bool m_hideImage = false;
    bool m_wait = false;
    bool m_loupeWanted = false;
    std::string m_lastError;
    int m_openSerial = 0;

    TZoom m_zoom;
    TPan m_pan;
    TLoupe m_loupe;
    TSourceRect m_source;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    double m_kx = 0;
    double m_ky = 0;
    double m_ox = 0;
    double m_oy = 0;
    TScrollBarState m_hScroll;
    TScrollBarState m_vScroll;
    TScreenPoint m_mouse;
    TViewCursor m_documentShape = TViewCursor::Default;
    TCursorChoice m_lastCursor;

    std::atomic<int> m_playFirst { 0 };
    std::atomic<int> m_playLast { -1 };
    std::atomic<bool> m_repaintPosted { false };
};

} // namespace kinoval::video
