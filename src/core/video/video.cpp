#include "core/video/video.h"

#include "core/common/texts.h"

#include <algorithm>
#include <cmath>

namespace kinoval::video {

TVideo::TVideo(TPlayerFactory& factory, TPlaybackTimer& timer)
    : m_players(factory)
    , m_timer(timer)
{
    m_players.SetErrorHandler([this](const std::string& text) { PlayerError(text); });
}

TVideo::~TVideo()
{
    m_timer.Stop();
    m_players.SetErrorHandler(nullptr);
}

void TVideo::PlayerError(const std::string& text)
{
    // A damaged frame or a variable frame duration met while playing: playback stops and the user is told.
    // The seek may have run on the timer's thread, so the message goes to the window thread.
    m_timer.Stop();
    auto report = [this, message = Tr("Lecture stoppée.") + " " + text] { notify.message.Emit(message); };
    if (hooks.runOnWindowThread)
        hooks.runOnWindowThread(report);
    else
        report();
}

// ---------------------------------------------------------------------------------------------- players

bool TVideo::Open(const std::string& fileName)
{
    Stop();
    m_lastError.clear();
    const bool ok = m_players.Open(fileName);
    m_lastError = m_players.ErrorText();
    if (!ok)
        return false;
    ++m_openSerial;
    notify.videoOpened.Emit(*m_players.Current());
    m_zoom.SetValue(kZoomDefault);
    m_zoom.dragging = false;
    m_pan.dragging = false;
    m_source = TSourceRect { 0, 0, FrameWidth(), FrameHeight() };
    m_navTool = ntNone;
    m_hideImage = false;
    SetMode(vmFixedPointing);
    UpdateGeometry();
    notify.playersOpened.Emit();
    Repaint();
    return true;
}

void TVideo::Close()
{
    Stop();
    const bool wasOpen = IsOpened();
    m_players.Close();
    m_zoom.SetValue(kZoomDefault);
    m_source = TSourceRect {};
    UpdateGeometry();
    if (wasOpen)
        notify.playersClosed.Emit();
    Repaint();
}

bool TVideo::IsOpened() const
{
    const TPlayer* p = m_players.Current();
    return p != nullptr && p->Opened();
}

int TVideo::RawFrameCount() const
{
    return IsOpened() ? Player()->FrameCount() : 0;
}

int TVideo::FrameCount() const
{
    if (!IsOpened())
        return 0;
    if (m_mode != vmMontage && hooks.montageFrameCount)
        return hooks.montageFrameCount();
    return RawFrameCount();
}

int TVideo::CurrentRawFrame() const
{
    return IsOpened() ? Player()->CurrentFrame() : -1;
}

int TVideo::CurrentMontageFrame() const
{
    if (!IsOpened())
        return -1;
    return m_mode == vmMontage ? CurrentRawFrame() : RawToMontage(CurrentRawFrame());
}

int TVideo::FrameWidth() const
{
    return IsOpened() ? Player()->Width() : 0;
}
int TVideo::FrameHeight() const
{
    return IsOpened() ? Player()->Height() : 0;
}
double TVideo::FramesPerSecond() const
{
    return IsOpened() ? Player()->FramesPerSecond() : 0;
}
double TVideo::FrameDuration() const
{
    return IsOpened() ? Player()->FrameDuration() : 0;
}
const std::vector<double>* TVideo::FrameTimes() const
{
    const TPlayer* p = IsOpened() ? Player() : nullptr;
    return p != nullptr && !p->FrameTimes().empty() ? &p->FrameTimes() : nullptr;
}

bool TVideo::VariableFrameDuration() const
{
    return IsOpened() && Player()->VariableFrameDuration();
}

std::string TVideo::FileName() const
{
    return IsOpened() ? Player()->FileName() : std::string();
}

bool TVideo::DrawCurrentFrame(TRgbImage& target)
{
    TPlayer* p = Player();
    return p != nullptr && p->Opened() && p->Draw(target);
}

bool TVideo::CurrentFrameInverted() const
{
    return m_mode == vmMontage && IsOpened() && hooks.isHiddenFrame && hooks.isHiddenFrame(CurrentRawFrame());
}

int TVideo::MontageToRaw(int m) const
{
    return hooks.montageToRaw ? hooks.montageToRaw(m) : m;
}
int TVideo::RawToMontage(int r) const
{
    return hooks.rawToMontage ? hooks.rawToMontage(r) : r;
}

// ------------------------------------------------------------------------------------------- navigation

bool TVideo::GoToFrame(int montageFrame)
{
    if (!IsOpened() || montageFrame < 0 || montageFrame >= FrameCount() || montageFrame == CurrentMontageFrame())
        return false;
    Stop();
    const int raw = m_mode == vmMontage ? montageFrame : MontageToRaw(montageFrame);
    const int before = CurrentRawFrame();
    Player()->SetCurrentFrame(raw);
    if (CurrentRawFrame() == before)
        return false;
    Repaint();
    return true;
}

bool TVideo::GoToFrameOfRaw(int rawFrame)
{
    if (!IsOpened() || rawFrame < 0)
        return false;
    return GoToFrame(m_mode == vmMontage ? rawFrame : RawToMontage(rawFrame));
}

bool TVideo::First()
{
    return GoToFrame(0);
}
bool TVideo::Previous()
{
    return GoToFrame(CurrentMontageFrame() - 1);
}
bool TVideo::Next()
{
    return GoToFrame(CurrentMontageFrame() + 1);
}
bool TVideo::Last()
{
    return GoToFrame(FrameCount() - 1);
}

bool TVideo::LastPointed()
{
    const int raw = hooks.lastPointedRawFrame ? hooks.lastPointedRawFrame() : -1;
    return raw >= 0 && GoToFrameOfRaw(raw);
}

// --------------------------------------------------------------------------------------------- playback

void TVideo::Play(int fromMontage, int toMontage)
{
    Stop();
    if (!IsOpened())
        return;
    const bool montage = m_mode == vmMontage;
    const int first = montage ? fromMontage : MontageToRaw(fromMontage);
    const int last = montage ? toMontage : MontageToRaw(toMontage);
    if (first < 0 || first > last)
        return;
    m_playFirst = first;
    m_playLast = last;
    Player()->SetCurrentFrame(first);
    Repaint();
    m_repaintPosted = false;
    m_timer.Start(std::max<int>(1, Player()->Delay()), [this] { PlaybackTick(); });
}

void TVideo::PlayButton()
{
    Play(CurrentMontageFrame() + 1, FrameCount() - 1);
}

void TVideo::Pause()
{
    if (m_mode == vmTracking)
        notify.trackingPauseAsked.Emit();
    m_timer.Stop();
}

void TVideo::Stop()
{
    m_timer.Stop();
}

void TVideo::PlaybackTick()
{
    TPlayer* p = Player();
    if (p == nullptr || !p->Opened()) {
        m_timer.Stop();
        return;
    }
    const int raw = p->CurrentFrame();
    const int next = m_mode == vmMontage ? raw + 1 : MontageToRaw(RawToMontage(raw) + 1);
    const bool inRange = next >= m_playFirst && next <= m_playLast && next != raw;
    if (inRange)
        p->SetCurrentFrame(next);
    else
        m_timer.Stop();
    // A tick that meets a draw in progress posts nothing: that draw, or the repaint still waiting, shows
    // the frame. The last tick always posts, so that playback never ends on a frame it did not show.
    const bool mayPost = !m_repaintPosted && (!p->Busy() || !inRange);
    if (hooks.postRepaint && mayPost) {
        m_repaintPosted = true;
        hooks.postRepaint();
    }
}

// ------------------------------------------------------------------------------------- modes and tools

bool TVideo::SetMode(TVideoMode mode)
{
    if (mode == m_mode)
        return true;
    auto abort = [this] {
        notify.waitAbort.Emit();
        return false;
    };
    if (mode == vmMontage && RawFrameCount() <= 1)
        return abort();
    if (mode == vmCapture && !(hooks.prepareCapture && hooks.prepareCapture()))
        return abort();

    const TVideoMode old = m_mode;
    if (old == vmMontage)
        notify.montageLeft.Emit();
    if (old == vmCapture)
        notify.captureLeft.Emit();
    if (old == vmTracking)
        notify.trackingLeft.Emit();

    m_mode = mode;
    switch (mode) {
    case vmTransparentPointing:
        notify.transparentPointingEntered.Emit();
        break;
    case vmFixedPointing:
        notify.fixedPointingEntered.Emit(IsOpened());
        break;
    case vmWorkshop:
        notify.workshopEntered.Emit();
        break;
    case vmTracking:
        notify.trackingEntered.Emit();
        break;
    default:
        break;
    }
    m_loupe.SetVisible(m_loupeWanted && IsPointingMode());
    m_navTool = ntNone;
    m_zoom.dragging = false;
    m_pan.dragging = false;
    UpdateGeometry();
    notify.modeChanged.Emit();
    CursorMayHaveChanged();
    Repaint();
    return true;
}

void TVideo::SetNavigationTool(TNavigationTool tool)
{
    m_navTool = tool;
    m_zoom.dragging = false;
    m_pan.dragging = false;
    notify.navigationToolChosen.Emit();
    CursorMayHaveChanged();
}

void TVideo::SetHideImage(bool hide)
{
    if (hide == m_hideImage)
        return;
    m_hideImage = hide;
    Repaint();
}

void TVideo::ShowWaitText(bool on)
{
    if (on && hooks.processPendingEvents)
        hooks.processPendingEvents();
    m_wait = on;
    Repaint();
}

void TVideo::ShowLoupe(bool show)
{
    m_loupeWanted = show;
    m_loupe.SetVisible(show && IsPointingMode());
    Repaint();
}

void TVideo::Repaint()
{
    if (hooks.repaint)
        hooks.repaint();
}

// --------------------------------------------------------------------------------------------- geometry

void TVideo::Resize(int clientWidth, int clientHeight)
{
    m_clientWidth = std::max(0, clientWidth);
    m_clientHeight = std::max(0, clientHeight);
    m_loupe.Place(m_clientWidth, m_clientHeight);
    UpdateGeometry();
}

void TVideo::UpdateGeometry()
{
    const int fw = FrameWidth();
    const int fh = FrameHeight();
    m_kx = m_clientWidth * static_cast<double>(m_zoom.Value()) / 100.0;
    m_ky = m_clientHeight * static_cast<double>(m_zoom.Value()) / 100.0;
    m_ox = fw > 0 ? static_cast<double>(m_source.left) / fw : 0;
    m_oy = fh > 0 ? static_cast<double>(m_source.top) / fh : 0;
    UpdateScrollBars();
    for (TViewInputReceiver* r : { m_pointing, m_workshop, m_tracker })
        if (r != nullptr)
            r->RefreshScreenPositions();
}

void TVideo::UpdateScrollBars()
{
    const bool visible = IsOpened() && m_zoom.Value() > kZoomMin;
    m_hScroll.visible = m_vScroll.visible = visible;
    if (!visible) {
        m_hScroll.position = m_vScroll.position = 0;
        m_hScroll.maximum = m_vScroll.maximum = 0;
        return;
    }
    m_hScroll.page = m_clientWidth;
    m_vScroll.page = m_clientHeight;
    m_hScroll.maximum = std::max(0, static_cast<int>(std::lround(m_kx)) - m_clientWidth);
    m_vScroll.maximum = std::max(0, static_cast<int>(std::lround(m_ky)) - m_clientHeight);
    m_hScroll.position = static_cast<int>(std::lround(m_ox * m_kx));
    m_vScroll.position = static_cast<int>(std::lround(m_oy * m_ky));
}

void TVideo::SetHorizontalScroll(int position)
{
    if (!IsOpened() || m_kx <= 0)
        return;
    m_source.left = static_cast<int>(std::lround(position * FrameWidth() / m_kx));
    m_source = ClampSource(m_source, FrameWidth(), FrameHeight());
    UpdateGeometry();
    Repaint();
}

void TVideo::SetVerticalScroll(int position)
{
    if (!IsOpened() || m_ky <= 0)
        return;
    m_source.top = static_cast<int>(std::lround(position * FrameHeight() / m_ky));
    m_source = ClampSource(m_source, FrameWidth(), FrameHeight());
    UpdateGeometry();
    Repaint();
}

TImagePoint TVideo::ScreenToImage(TScreenPoint p) const
{
    if (m_kx <= 0 || m_ky <= 0)
        return {};
    return { std::clamp(p.x / m_kx + m_ox, 0.0, 1.0), std::clamp(p.y / m_ky + m_oy, 0.0, 1.0) };
}

TScreenPoint TVideo::ImageToScreen(TImagePoint p) const
{
    auto toInt = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9))); };
    return { toInt((p.x - m_ox) * m_kx), toInt((p.y - m_oy) * m_ky) };
}

void TVideo::ZoomAt(TScreenPoint p, int newZoom)
{
    const int z1 = ClampZoom(newZoom);
    if (!IsOpened()) {
        m_zoom.SetValue(z1);
        UpdateGeometry();
        return;
    }
    m_source = ZoomAtPoint(
        m_source, FrameWidth(), FrameHeight(), m_clientWidth, m_clientHeight, p.x, p.y, m_zoom.Value(), z1);
    m_zoom.SetValue(z1);
    UpdateGeometry();
    notify.zoomChanged.Emit();
    Repaint();
}

void TVideo::ResetZoom()
{
    m_zoom.SetValue(kZoomDefault);
    m_source = TSourceRect { 0, 0, FrameWidth(), FrameHeight() };
    UpdateGeometry();
    notify.zoomChanged.Emit();
    Repaint();
}

// ------------------------------------------------------------------------------------------------ input

TViewInputReceiver* TVideo::ReceiverOfMode() const
{
    switch (m_mode) {
    case vmFixedPointing:
    case vmTransparentPointing:
        return m_pointing;
    case vmWorkshop:
        return m_workshop;
    case vmTracking:
        return m_tracker;
    default:
        return nullptr;
    }
}

void TVideo::MouseDown(TMouseButton button, TShiftState shift, TScreenPoint p)
{
    m_mouse = p;
    if (m_navTool == ntZoom) {
        if (button == TMouseButton::Left) {
            m_zoom.dragging = true;
            m_zoom.rectStart = m_zoom.rectEnd = p;
        }
        return;
    }
    if (m_navTool == ntPan) {
        if (button == TMouseButton::Left) {
            m_pan.dragging = true;
            m_pan.last = p;
        }
        return;
    }
    if (TViewInputReceiver* r = ReceiverOfMode())
        r->MouseDown(button, shift, p);
    CursorMayHaveChanged();
}

void TVideo::MouseMove(TShiftState shift, TScreenPoint p)
{
    m_mouse = p;
    if (IsPointingMode())
        m_loupe.SetCentre(p);
    if (m_navTool == ntZoom) {
        if (m_zoom.dragging) {
            m_zoom.rectEnd = p;
            Repaint();
        }
        return;
    }
    if (m_navTool == ntPan) {
        if (m_pan.dragging && IsOpened() && m_clientWidth > 0 && m_clientHeight > 0) {
            // The picture follows the pointer: the source moves the other way, by the displacement
            // expressed in frame pixels.
            const double sw = FrameWidth() * 100.0 / m_zoom.Value();
            const double sh = FrameHeight() * 100.0 / m_zoom.Value();
            m_source.left -= static_cast<int>(std::lround((p.x - m_pan.last.x) * sw / m_clientWidth));
            m_source.top -= static_cast<int>(std::lround((p.y - m_pan.last.y) * sh / m_clientHeight));
            m_source = ClampSource(m_source, FrameWidth(), FrameHeight());
            m_pan.last = p;
            UpdateGeometry();
            Repaint();
        }
        return;
    }
    if (TViewInputReceiver* r = ReceiverOfMode())
        r->MouseMove(shift, p);
    CursorMayHaveChanged();
}

void TVideo::MouseUp(TMouseButton button, TShiftState shift, TScreenPoint p)
{
    m_mouse = p;
    if (m_navTool == ntZoom) {
        ZoomToolUp(button, shift, p);
        return;
    }
    if (m_navTool == ntPan) {
        if (button == TMouseButton::Left)
            m_pan.dragging = false;
        return;
    }
    if (TViewInputReceiver* r = ReceiverOfMode())
        r->MouseUp(button, shift, p);
    CursorMayHaveChanged();
}

void TVideo::ZoomToolUp(TMouseButton button, TShiftState shift, TScreenPoint p)
{
    const int z0 = m_zoom.Value();
    if (button == TMouseButton::Left && m_zoom.dragging) {
        m_zoom.dragging = false;
        m_zoom.rectEnd = p;
        const int w = std::abs(m_zoom.rectEnd.x - m_zoom.rectStart.x);
        const int h = std::abs(m_zoom.rectEnd.y - m_zoom.rectStart.y);
        if (w >= kZoomRectMin && h >= kZoomRectMin) {
            const TScreenPoint centre { (m_zoom.rectStart.x + m_zoom.rectEnd.x) / 2,
                (m_zoom.rectStart.y + m_zoom.rectEnd.y) / 2 };
            ZoomAt(centre, ZoomForRectangle(z0, m_clientWidth, m_clientHeight, w, h));
            return;
        }
    }
    if (button == TMouseButton::Left)
        ZoomAt(p, ZoomInStep(z0, shift.ctrl));
    else if (button == TMouseButton::Right)
        ZoomAt(p, ZoomOutStep(z0, shift.ctrl));
}

bool TVideo::KeyDown(int key, TShiftState shift)
{
    if (m_mode == vmCapture)
        return false;
    // The tracker draws with the keys too (Enter clicks, Escape completes or erases, the arrows move the
    // pointer); what it leaves goes to the document, as in the other modes.
    if (m_mode == vmTracking && m_navTool == ntNone && m_tracker != nullptr && m_tracker->KeyDown(key, shift))
        return true;
    if (!IsPointingMode())
        return m_pointing != nullptr && m_pointing->KeyDown(key, shift); // the document's colour keys
    const TShiftState none;
    switch (key) {
    case kKeyEnter:
        if (m_navTool == ntZoom) {
            // A press and its release: the zoom tool acts on the release.
            MouseDown(TMouseButton::Left, none, m_mouse);
            MouseUp(TMouseButton::Left, shift, m_mouse);
            return true;
        }
        if (m_navTool == ntPan) {
            if (m_pan.dragging)
                MouseUp(TMouseButton::Left, none, m_mouse);
            else
                MouseDown(TMouseButton::Left, none, m_mouse);
            return true;
        }
        break; // the document's Enter
    case kKeyEscape:
        MouseDown(TMouseButton::Right, none, m_mouse);
        if (m_navTool == ntZoom)
            MouseUp(TMouseButton::Right, shift, m_mouse);
        return true;
    case kKeyLeft:
    case kKeyRight:
    case kKeyUp:
    case kKeyDown: {
        const int step = shift.ctrl ? 10 : 1;
        if (key == kKeyLeft)
            m_mouse.x -= step;
        else if (key == kKeyRight)
            m_mouse.x += step;
        else if (key == kKeyUp)
            m_mouse.y -= step;
        else
            m_mouse.y += step;
        if (hooks.setMouseCursorPos)
            hooks.setMouseCursorPos(m_mouse);
        return true;
    }
    default:
        break;
    }
    return m_pointing != nullptr && m_pointing->KeyDown(key, shift);
}

TCursorChoice TVideo::Cursor() const
{
    if (m_navTool == ntZoom)
        return { TViewCursorShape::Zoom, -1 };
    if (m_navTool == ntPan)
        return { TViewCursorShape::Pan, -1 };
    if (m_mode == vmCapture || m_mode == vmMontage)
        return {};
    if (const TViewInputReceiver* r = ReceiverOfMode())
        return r->Cursor();
    return {};
}

void TVideo::SetCursorShape(TViewCursor shape)
{
    m_documentShape = shape;
    CursorMayHaveChanged();
}

void TVideo::CursorMayHaveChanged()
{
    const TCursorChoice c = Cursor();
    if (c == m_lastCursor)
        return;
    m_lastCursor = c;
    if (hooks.cursorChanged)
        hooks.cursorChanged(c);
}

} // namespace kinoval::video
