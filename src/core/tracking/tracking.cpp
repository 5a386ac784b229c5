#include "core/tracking/tracking.h"

#include "core/common/desktop_services.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"

#include <algorithm>
#include <cmath>

namespace kinoval::tracking {

namespace {

constexpr const char* kTextOpenVideo = TrNoop("Ouvrir, au prélable, un fichier vidéo");
constexpr const char* kTextDrawOutline = TrNoop("Dessiner, au préalable, le contour de l'objet à suivre.");
constexpr const char* kTextLastFrame = TrNoop("La séquence débute avec la dernière image de la vidéo (suivi inutile).");
constexpr const char* kTextBadFirst = TrNoop("Le numéro de la première image du suivi est incorrect.");
constexpr const char* kTextLost = TrNoop("Le suivi s'est arrêté à l'image %s : %s.");
constexpr const char* kTextLostUnlike = TrNoop("l'objet n'y ressemble plus assez à son modèle");
constexpr const char* kTextLostJump = TrNoop("la position trouvée s'écarte trop de la trajectoire prévue");
constexpr const char* kTextLostStill = TrNoop("la position trouvée est celle d'un objet immobile");
constexpr const char* kTextLostKept = TrNoop("Les positions obtenues jusque-là sont conservées.");
constexpr const char* kTextLostAgain
    = TrNoop("Pour poursuivre, redessiner le contour de l'objet sur cette image (ou sur une "
             "image où il est visible), puis relancer le suivi.");
// The positions before a new start that lead the course on, counted in steps between pointed frames.
constexpr int kEarlierSteps = 8;

TScreenPoint ToScreen(TPoint p)
{
    return { p.x, p.y };
}

void AddPolyline(video::TOverlay& overlay, const TPointDynArray& points, TColor colour, bool closed)
{
    if (points.empty())
        return;
    video::TOverlayPolygon poly;
    poly.colour = colour;
    for (const TPoint& p : points)
        poly.points.push_back(ToScreen(p));
    if (closed && points.size() > 2 && !(points.front() == points.back()))
        poly.points.push_back(ToScreen(points.front()));
    overlay.shapes.emplace_back(std::move(poly));
}

} // namespace

TPointDynArray MidpointCircle(TPoint centre, int radius)
{
    TPointDynArray result;
    if (radius <= 0) {
        result.push_back(centre);
        return result;
    }
    // The first octant, from the top of the circle down to 45 degrees: x grows, y shrinks.
    std::vector<TPoint> octant;
    int x = 0, y = radius, d = 1 - radius;
    while (x <= y) {
        octant.push_back({ x, y });
        if (d < 0)
            d += 2 * x + 3;
        else {
            d += 2 * (x - y) + 5;
            --y;
        }
        ++x;
    }
    auto add = [&](int dx, int dy) {
        const TPoint p { centre.x + dx, centre.y + dy };
        if (result.empty() || !(result.back() == p))
            result.push_back(p);
    };
    const int n = static_cast<int>(octant.size());
    // Clockwise on the screen from the top, each octant walked in the direction of the turn.
    for (int k = 0; k < n; ++k)
        add(octant[k].x, -octant[k].y);
    for (int k = n - 1; k >= 0; --k)
        add(octant[k].y, -octant[k].x);
    for (int k = 0; k < n; ++k)
        add(octant[k].y, octant[k].x);
    for (int k = n - 1; k >= 0; --k)
        add(octant[k].x, octant[k].y);
    for (int k = 0; k < n; ++k)
        add(-octant[k].x, octant[k].y);
    for (int k = n - 1; k >= 0; --k)
        add(-octant[k].y, octant[k].x);
    for (int k = 0; k < n; ++k)
        add(-octant[k].y, -octant[k].x);
    for (int k = n - 1; k >= 0; --k)
        add(-octant[k].x, -octant[k].y);
    if (result.size() > 1 && result.back() == result.front())
        result.pop_back();
    return result;
}

TTracking::TTracking(TTrackingView& view, TTrackingDocument& document, TCustomUserDlg& dialog,
    TDesktopServices& desktop, const TTrackingSettings& settings)
    : m_view(view)
    , m_document(document)
    , m_dialog(dialog)
    , m_desktop(desktop)
{
    m_searchRadius = std::clamp(settings.searchRadius, kMinRadius, kMaxRadius);
    m_tracker.SetSearchRadius(m_searchRadius);
    m_shape = settings.storedShape == 1 ? osPolygon : settings.storedShape == 2 ? osFreeHand : osCircle;
    m_showSearchZone = settings.showSearchZone;
    m_method = settings.method == tmTemplate ? tmTemplate : tmMeanShift;
    m_draw.reserve(kVertexCapacity);
    m_drawPx.reserve(kVertexCapacity);
}

void TTracking::InitObject(TTrackedObject& object, int frames) const
{
    object = TTrackedObject();
    object.positions.assign(frames, TPointD());
    object.positionsPx.assign(frames, TPoint());
    object.rawFrames.assign(frames, -1);
    object.similarity.assign(frames, 0.0);
}

TTrackedObject* TTracking::Current()
{
    if (m_currentObject < 0 || m_currentObject >= ObjectCount())
        return nullptr;
    return &m_objects[m_currentObject];
}

void TTracking::ClearDrawing()
{
    m_drawingState = dsIdle;
    m_draw.clear();
    m_drawPx.clear();
    m_circleRadius = 0;
    m_lastPointer = { INT_MAX, INT_MAX };
}

void TTracking::Reset()
{
    const int objects = std::max(1, m_document.ObjectsPerFrame());
    const int frames = std::max(0, m_view.FrameCount());
    m_objects.assign(objects, TTrackedObject());
    for (TTrackedObject& o : m_objects)
        InitObject(o, frames);
    m_currentObject = 0;
    m_lastFrame = frames - 1;
    ClearDrawing();
    m_running = false;
}

void TTracking::Resize()
{
    const int objects = std::max(1, m_document.ObjectsPerFrame());
    const int frames = std::max(0, m_view.FrameCount());
    const int old = ObjectCount();
    m_objects.resize(objects);
    for (int k = old; k < objects; ++k)
        InitObject(m_objects[k], frames);
    for (TTrackedObject& o : m_objects)
        if (static_cast<int>(o.rawFrames.size()) != frames) {
            o.positions.resize(frames);
            o.positionsPx.resize(frames);
            o.rawFrames.resize(frames, -1);
            o.similarity.resize(frames, 0.0);
        }
    m_currentObject = std::clamp(m_currentObject, 0, objects - 1);
}

void TTracking::SetDrawingMode(int mode)
{
    if (mode != dmNone && mode != dmOutline && mode != dmZone)
        return;
    if (mode != dmNone && !m_view.IsOpened())
        return;
    m_drawingMode = mode;
    if (mode != dmNone) {
        ClearDrawing();
        OnDrawingModeSet.Emit();
    }
    m_view.CursorChanged();
}

void TTracking::SetShape(int shape)
{
    if (shape < osFreeHand || shape > osCircle)
        return;
    m_shape = shape;
    if (m_drawingState == dsOutline)
        ClearDrawing();
    m_view.Repaint();
}

void TTracking::SetSearchRadius(int n)
{
    m_searchRadius = std::clamp(n, kMinRadius, kMaxRadius);
    m_tracker.SetSearchRadius(m_searchRadius);
    m_view.Repaint();
}

void TTracking::SetMethod(int method)
{
    if (m_running || (method != tmMeanShift && method != tmTemplate))
        return;
    m_method = method;
    m_view.Repaint();
}

void TTracking::SetCurrentObject(int n)
{
    m_currentObject = std::clamp(n, 0, std::max(0, ObjectCount() - 1));
    m_view.CursorChanged();
    m_view.Repaint();
}

void TTracking::SetLastFrame(int n)
{
    const TTrackedObject* o = Current();
    const int first = o ? o->firstFrame : 0;
    m_lastFrame = std::max(1, std::min(std::max(n, first + 1), m_view.FrameCount() - 1));
}

void TTracking::Message(TUserDlgIcon icon, const char* text)
{
    m_dialog.ShowMessage(icon, { Tr(text) });
}

bool TTracking::StartCheck()
{
    if (!m_view.IsOpened()) {
        Message(TUserDlgIcon::icWarning, kTextOpenVideo);
        return false;
    }
    const TTrackedObject* o = Current();
    if (!o || !o->outlineValid || m_drawingState == dsOutline) {
        Message(TUserDlgIcon::icWarning, kTextDrawOutline);
        return false;
    }
    const int count = m_view.FrameCount();
    if (o->firstFrame >= count - 1) {
        Message(TUserDlgIcon::icWarning, kTextLastFrame);
        return false;
    }
    if (o->firstFrame < 0) {
        Message(TUserDlgIcon::icWarning, kTextBadFirst);
        return false;
    }
    if (m_lastFrame < 0 || m_lastFrame > count - 1 || m_lastFrame <= o->firstFrame)
        m_lastFrame = count - 1;
    return true;
}

bool TTracking::SequenceCheck()
{
    const TTrackedObject* o = Current();
    if (!o || !o->outlineValid) {
        Message(TUserDlgIcon::icInformation, kTextDrawOutline);
        return false;
    }
    if (o->firstFrame >= m_view.FrameCount() - 1) {
        Message(TUserDlgIcon::icWarning, kTextLastFrame);
        return false;
    }
    return true;
}

void TTracking::Record(TPointD framePixel, int frame, double similarity)
{
    TTrackedObject& o = m_objects[m_currentObject];
    o.lastOp = loTrack;
    const int w = std::max(1, m_view.FrameWidth()), h = std::max(1, m_view.FrameHeight());
    const TPointD p { framePixel.x / w, framePixel.y / h };
    o.lastPosition = p;
    o.lastPositionPx = m_view.ImageToScreen(p);
    if (frame < 0 || frame >= static_cast<int>(o.rawFrames.size()))
        return;
    o.positions[frame] = p;
    o.positionsPx[frame] = o.lastPositionPx;
    o.rawFrames[frame] = m_view.CurrentRawFrame();
    o.similarity[frame] = similarity;
}

void TTracking::SetPrediction(TTrackedObject& o, TPointD framePixel)
{
    const int w = std::max(1, m_view.FrameWidth()), h = std::max(1, m_view.FrameHeight());
    o.hasPrediction = true;
    o.prediction = { framePixel.x / w, framePixel.y / h };
}

std::vector<TMotionSample> TTracking::EarlierCourse(const TTrackedObject& o, int step) const
{
    std::vector<TMotionSample> earlier;
    const double w = m_view.FrameWidth(), h = m_view.FrameHeight();
    const int from = std::max(0, o.firstFrame - kEarlierSteps * step);
    for (int f = from; f < o.firstFrame && f < static_cast<int>(o.rawFrames.size()); ++f)
        if (o.rawFrames[f] >= 0)
            earlier.push_back({ f, { o.positions[f].x * w, o.positions[f].y * h } });
    return earlier;
}

void TTracking::ReportLoss(int frame, TLossReason reason)
{
    const char* why = reason == lrJump ? kTextLostJump : reason == lrStill ? kTextLostStill : kTextLostUnlike;
    m_dialog.ShowMessage(TUserDlgIcon::icWarning,
        { FormatText(Tr(kTextLost), { std::to_string(m_view.FrameNumberShown(frame)), Tr(why) }), "", Tr(kTextLostKept),
            Tr(kTextLostAgain) });
}

void TTracking::Run()
{
    if (m_running) {
        m_running = false; // the loop below reads it after its next yield
        return;
    }
    TTrackedObject* o = Current();
    if (!o)
        return;
    m_running = true;
    OnRunStarted.Emit();
    const int object = m_currentObject;
    auto finish = [&] {
        m_view.Repaint();
        OnRunEnded.Emit();
        m_running = false;
    };

    if (m_view.GoToFrame(o->firstFrame))
        m_view.Repaint();
    m_desktop.ProcessPendingEvents();
    TRgbImage frame;
    if (!m_running || !m_view.IsOpened() || !m_view.CopyCurrentFrame(frame)) {
        finish();
        return;
    }
    o = &m_objects[object];
    o->lostFrame = -1;
    o->lostReason = lrNone;
    o->hasPrediction = false;
    m_tracker.SetIgnoreZones(o->zones, o->zoneCount, m_view.FrameHeight(), m_view.FrameWidth());
    // A step below 1 would never reach the last frame.
    const int step = std::max(1, m_document.FramesBetweenMarks());
    TPointD position;
    if (!m_follower.Start(
            m_method, frame, o->firstFrame, o->vertexCount, o->outline, EarlierCourse(*o, step), position)) {
        finish();
        return;
    }
    // The run's sequence is its own: what an earlier run left after the first frame would otherwise mix
    // with this one's positions wherever this one stops sooner.
    for (int f = o->firstFrame + 1; f <= m_lastFrame && f < static_cast<int>(o->rawFrames.size()); ++f)
        o->rawFrames[f] = -1;
    Record(position, o->firstFrame, 1.0);

    int lostFrame = -1;
    TLossReason lostReason = lrNone;
    for (int f = m_objects[object].firstFrame + step; f <= m_lastFrame; f += step) {
        SetPrediction(m_objects[object], m_follower.Prediction(f));
        if (m_view.GoToFrame(f))
            m_view.Repaint();
        m_desktop.ProcessPendingEvents();
        // Closing the video or leaving the mode stops the run as the button does.
        if (!m_running || !m_view.IsOpened() || m_currentObject != object || ObjectCount() <= object)
            break;
        // A frame that cannot be decoded is skipped: the previous position would be recorded as a
        // measurement it is not.
        if (m_view.CurrentFrame() != f || !m_view.CopyCurrentFrame(frame))
            continue;
        const TFollowResult r = m_follower.Follow(frame, f, m_searchRadius);
        if (!r.found) {
            lostFrame = f;
            lostReason = r.reason;
            break;
        }
        Record(r.position, f, r.similarity);
        OnFrameTracked.Emit(f);
    }
    if (object < ObjectCount()) {
        TTrackedObject& done = m_objects[object];
        done.lostFrame = lostFrame;
        done.lostReason = lostReason;
        // After a whole sequence there is no coming frame to show a prediction for.
        if (lostFrame < 0)
            done.hasPrediction = false;
    }
    finish();
    if (lostFrame >= 0) {
        ReportLoss(lostFrame, lostReason);
        // The outline tool is ready: the user draws the object again where it was lost and runs on.
        SetDrawingMode(dmOutline);
    }
}

void TTracking::EraseOutline()
{
    if (m_running)
        return;
    if (m_drawingState == dsOutline) {
        ClearDrawing();
    } else if (TTrackedObject* o = Current()) {
        o->vertexCount = 0;
        o->outline.clear();
        o->outlinePx.clear();
        o->outlineValid = false;
        o->firstFrame = 0;
    }
    m_view.Repaint();
}

void TTracking::EraseTracking()
{
    if (m_running)
        return;
    TTrackedObject* o = Current();
    if (!o)
        return;
    if (o->vertexCount > 0 && m_view.GoToFrame(o->firstFrame))
        m_view.Repaint();
    std::fill(o->rawFrames.begin(), o->rawFrames.end(), -1);
    o->hasPrediction = false;
    o->lostFrame = -1;
    o->lostReason = lrNone;
    m_view.Repaint();
}

void TTracking::EraseLastZone()
{
    if (m_running)
        return;
    if (m_drawingState == dsZone) {
        ClearDrawing();
    } else if (TTrackedObject* o = Current(); o && o->zoneCount > 0) {
        --o->zoneCount;
        o->zones.resize(o->zoneCount);
        o->zonesPx.resize(o->zoneCount);
    }
    m_view.Repaint();
}

void TTracking::EraseZones()
{
    if (m_running)
        return;
    if (TTrackedObject* o = Current()) {
        o->zoneCount = 0;
        o->zones.clear();
        o->zonesPx.clear();
    }
    m_view.Repaint();
}

void TTracking::EraseAll()
{
    if (m_running)
        return;
    const int keep = m_currentObject;
    for (int k = 0; k < ObjectCount(); ++k) {
        m_currentObject = k;
        EraseOutline();
        EraseTracking();
        EraseZones();
    }
    m_currentObject = keep;
}

void TTracking::OfferToKeep()
{
    bool any = false;
    for (const TTrackedObject& o : m_objects)
        any = any || std::any_of(o.rawFrames.begin(), o.rawFrames.end(), [](int f) { return f >= 0; });
    if (!any)
        return;
    m_dialog.SetIcon(TUserDlgIcon::icConfirmation);
    m_dialog.ClearButtons();
    m_dialog.AddButton(Tr("Ignorer"), TUserDlgButtonKind::btIgnorer);
    m_dialog.AddButton(Tr("Enregistrer"), TUserDlgButtonKind::btEnregistrer);
    m_dialog.AddText(Tr("Un pointage automatique a été effectué."));
    m_dialog.AddText("");
    m_dialog.AddText(Tr("Souhaitez-vous conserver ces données ?"));
    m_dialog.AddText("");
    m_dialog.AddText(Tr("Les nouvelles marques remplaceront celles éventuellement déjà posées."));
    if (m_dialog.Run() != 1)
        return;
    std::vector<std::vector<TPointD>> positions;
    std::vector<std::vector<int>> frames;
    for (const TTrackedObject& o : m_objects) {
        positions.push_back(o.positions);
        frames.push_back(o.rawFrames);
    }
    m_document.ImportMarks(positions, frames);
}

int TTracking::ZoneCount(bool allObjects) const
{
    if (!allObjects)
        return m_currentObject < ObjectCount() ? m_objects[m_currentObject].zoneCount : 0;
    int n = 0;
    for (const TTrackedObject& o : m_objects)
        n += o.zoneCount;
    return n;
}

int TTracking::TrackedFrameCount(bool allObjects) const
{
    auto count = [](const TTrackedObject& o) {
        return static_cast<int>(std::count_if(o.rawFrames.begin(), o.rawFrames.end(), [](int f) { return f >= 0; }));
    };
    if (!allObjects)
        return m_currentObject < ObjectCount() ? count(m_objects[m_currentObject]) : 0;
    int n = 0;
    for (const TTrackedObject& o : m_objects)
        n += count(o);
    return n;
}

int TTracking::ValidOutlineCount(bool allObjects) const
{
    if (!allObjects)
        return m_currentObject < ObjectCount() && m_objects[m_currentObject].outlineValid ? 1 : 0;
    return static_cast<int>(
        std::count_if(m_objects.begin(), m_objects.end(), [](const TTrackedObject& o) { return o.outlineValid; }));
}

bool TTracking::SetOutline(const TPointDDynArray& vertices)
{
    if (m_running)
        return false;
    const int shape = m_shape;
    ClearDrawing();
    m_shape = osPolygon;
    for (const TPointD& p : vertices) {
        m_draw.push_back(p);
        m_drawPx.push_back(m_view.ImageToScreen(p));
    }
    CompleteOutline();
    m_shape = shape;
    const TTrackedObject* o = Current();
    return o && o->outlineValid;
}

void TTracking::AddZone(const TPointDDynArray& vertices)
{
    if (m_running)
        return;
    ClearDrawing();
    for (const TPointD& p : vertices) {
        m_draw.push_back(p);
        m_drawPx.push_back(m_view.ImageToScreen(p));
    }
    CompleteZone();
}

// ---- drawing ----

void TTracking::AddVertex(TPoint p)
{
    if (p == m_lastPointer || static_cast<int>(m_drawPx.size()) >= kVertexCapacity)
        return;
    m_lastPointer = p;
    m_drawPx.push_back(p);
    m_draw.push_back(m_view.ScreenToImage(p));
}

void TTracking::CompleteOutline()
{
    TTrackedObject* o = Current();
    m_drawingState = dsIdle;
    if (!o) {
        ClearDrawing();
        return;
    }
    o->lastOp = loSelect;
    if (m_shape == osCircle) {
        m_drawPx = MidpointCircle(m_circleCentre, m_circleRadius);
        m_draw.clear();
        for (const TPoint& p : m_drawPx)
            m_draw.push_back(m_view.ScreenToImage(p));
    }
    if (m_drawPx.size() >= 3) {
        o->outline = m_draw;
        o->outlinePx = m_drawPx;
        o->vertexCount = static_cast<int>(m_draw.size());
        o->firstFrame = m_view.CurrentFrame();
        SetLastFrame(m_lastFrame);
        // The midpoint of the two vertices farthest apart, measured in frame pixels.
        const double w = m_view.FrameWidth(), h = m_view.FrameHeight();
        double best = -1;
        for (std::size_t a = 0; a < o->outline.size(); ++a)
            for (std::size_t b = a + 1; b < o->outline.size(); ++b) {
                const double dx = (o->outline[a].x - o->outline[b].x) * w;
                const double dy = (o->outline[a].y - o->outline[b].y) * h;
                if (dx * dx + dy * dy > best) {
                    best = dx * dx + dy * dy;
                    o->outlineCentre
                        = { (o->outline[a].x + o->outline[b].x) / 2, (o->outline[a].y + o->outline[b].y) / 2 };
                }
            }
        TRgbImage frame;
        TPoint start;
        o->outlineValid
            = m_view.CopyCurrentFrame(frame) && m_tracker.SetModel(frame, o->vertexCount, o->outline, start);
    }
    ClearDrawing();
    m_view.Repaint();
}

void TTracking::CompleteZone()
{
    m_drawingState = dsIdle;
    TTrackedObject* o = Current();
    if (o && m_drawPx.size() > 2) {
        if (!(m_drawPx.front() == m_drawPx.back())) {
            m_drawPx.push_back(m_drawPx.front());
            m_draw.push_back(m_draw.front());
        }
        o->zones.push_back(m_draw);
        o->zonesPx.push_back(m_drawPx);
        o->zoneCount = static_cast<int>(o->zones.size());
    }
    ClearDrawing();
    m_view.Repaint();
}

void TTracking::RightClick()
{
    if (m_drawingMode == dmOutline)
        EraseOutline();
    else if (m_drawingMode == dmZone)
        EraseLastZone();
}

void TTracking::LeftClick(bool doubleClick)
{
    const TPoint p = m_pointer;
    if (m_drawingMode == dmOutline) {
        switch (m_shape) {
        case osFreeHand:
            if (m_drawingState != dsOutline) {
                ClearDrawing();
                m_drawingState = dsOutline;
                AddVertex(p);
            } else {
                CompleteOutline();
            }
            break;
        case osPolygon:
            if (m_drawingState != dsOutline) {
                ClearDrawing();
                m_drawingState = dsOutline;
            }
            AddVertex(p);
            if (doubleClick)
                CompleteOutline();
            break;
        default:
            if (m_drawingState != dsOutline) {
                ClearDrawing();
                m_drawingState = dsOutline;
                m_circleCentre = p;
                m_circleRadius = 0;
            } else {
                CompleteOutline();
            }
            break;
        }
    } else if (m_drawingMode == dmZone) {
        if (m_drawingState != dsZone) {
            ClearDrawing();
            m_drawingState = dsZone;
        }
        AddVertex(p);
        if (doubleClick)
            CompleteZone();
    }
    m_view.Repaint();
}

void TTracking::MouseDown(video::TMouseButton button, video::TShiftState shift, TScreenPoint p)
{
    if (m_running)
        return;
    m_pointer = { p.x, p.y };
    if (button == video::TMouseButton::Right)
        RightClick();
    else if (button == video::TMouseButton::Left)
        LeftClick(shift.doubleClick);
}

void TTracking::MouseMove(video::TShiftState, TScreenPoint p)
{
    m_pointer = { p.x, p.y };
    if (m_running)
        return;
    if (m_drawingState == dsOutline) {
        if (m_shape == osFreeHand)
            AddVertex(m_pointer);
        else if (m_shape == osCircle) {
            const double dx = m_pointer.x - m_circleCentre.x, dy = m_pointer.y - m_circleCentre.y;
            m_circleRadius = static_cast<int>(std::lrint(std::sqrt(dx * dx + dy * dy)));
        }
        m_view.Repaint();
    } else if (m_drawingState == dsZone) {
        m_view.Repaint();
    }
}

bool TTracking::KeyDown(int key, video::TShiftState shift)
{
    if (m_running)
        return false;
    m_pointer = m_view.MouseCursorPos();
    switch (key) {
    case video::kKeyEnter:
        if (m_drawingState == dsOutline && (m_shape == osFreeHand || m_shape == osCircle))
            return true;
        LeftClick(false);
        return true;
    case video::kKeyEscape:
        if ((m_drawingState == dsOutline && m_shape == osPolygon) || m_drawingState == dsZone)
            LeftClick(true);
        else
            RightClick();
        return true;
    case video::kKeyLeft:
    case video::kKeyRight:
    case video::kKeyUp:
    case video::kKeyDown: {
        const int d = shift.ctrl ? 10 : 1;
        TPoint p = m_pointer;
        if (key == video::kKeyLeft)
            p.x -= d;
        else if (key == video::kKeyRight)
            p.x += d;
        else if (key == video::kKeyUp)
            p.y -= d;
        else
            p.y += d;
        m_view.SetMouseCursorPos(p);
        MouseMove(shift, { p.x, p.y });
        return true;
    }
    default:
        return false;
    }
}

video::TCursorChoice TTracking::Cursor() const
{
    if (m_drawingMode == dmNone)
        return {};
    video::TCursorChoice c { video::TViewCursorShape::Outline, -1 };
    if (m_document.ObjectsPerFrame() > 1)
        c.digit = m_currentObject % 10;
    return c;
}

void TTracking::RefreshScreenPositions()
{
    for (TTrackedObject& o : m_objects) {
        for (std::size_t k = 0; k < o.outline.size() && k < o.outlinePx.size(); ++k)
            o.outlinePx[k] = m_view.ImageToScreen(o.outline[k]);
        for (std::size_t z = 0; z < o.zones.size() && z < o.zonesPx.size(); ++z)
            for (std::size_t k = 0; k < o.zones[z].size() && k < o.zonesPx[z].size(); ++k)
                o.zonesPx[z][k] = m_view.ImageToScreen(o.zones[z][k]);
        for (std::size_t f = 0; f < o.rawFrames.size(); ++f)
            if (o.rawFrames[f] >= 0)
                o.positionsPx[f] = m_view.ImageToScreen(o.positions[f]);
        o.lastPositionPx = m_view.ImageToScreen(o.lastPosition);
    }
    for (std::size_t k = 0; k < m_draw.size() && k < m_drawPx.size(); ++k)
        m_drawPx[k] = m_view.ImageToScreen(m_draw[k]);
}

void TTracking::Paint(video::TOverlay& overlay) const
{
    if (m_currentObject < 0 || m_currentObject >= ObjectCount())
        return;
    const TTrackedObject& o = m_objects[m_currentObject];
    const TColor drawing = m_document.DrawingColor();
    const TColor colour = m_document.ObjectColor(m_currentObject);

    if (m_drawingState == dsOutline && m_shape == osCircle) {
        AddPolyline(overlay, MidpointCircle(m_circleCentre, m_circleRadius), colour, true);
    } else if (m_drawingState != dsIdle) {
        TPointDynArray line = m_drawPx;
        if (m_shape == osPolygon || m_drawingState == dsZone)
            line.push_back(m_pointer); // the rubber band to the pointer
        AddPolyline(overlay, line, m_drawingState == dsZone ? drawing : colour, false);
    } else if (o.vertexCount > 0 && m_view.CurrentFrame() == o.firstFrame) {
        AddPolyline(overlay, o.outlinePx, colour, true);
    }

    // The search starts at the prediction once there is one: the circle shows where the tracker looks.
    const bool predicted = o.lastOp == loTrack && o.hasPrediction;
    if (m_showSearchZone && (o.vertexCount > 0 || o.lastOp == loTrack)) {
        const TPointD centre = predicted ? o.prediction : o.lastOp == loTrack ? o.lastPosition : o.outlineCentre;
        const int w = std::max(1, m_view.FrameWidth());
        double half = m_tracker.WindowSide() / 2.0;
        if (m_method == tmTemplate) {
            const TTemplateMatch& t = m_follower.Template();
            half = m_searchRadius + (t.HasModel() ? std::max(t.Width(), t.Height()) / 2.0 : 0.0);
        }
        const TPoint c = m_view.ImageToScreen(centre);
        const TPoint e = m_view.ImageToScreen({ centre.x + half / w, centre.y });
        const int radius = std::abs(e.x - c.x);
        AddPolyline(overlay, MidpointCircle(c, radius), colour, true);
    }
    if (predicted) {
        const TPoint c = m_view.ImageToScreen(o.prediction);
        overlay.shapes.emplace_back(video::TOverlayLine { { c.x - 5, c.y }, { c.x + 6, c.y }, colour, 1 });
        overlay.shapes.emplace_back(video::TOverlayLine { { c.x, c.y - 5 }, { c.x, c.y + 6 }, colour, 1 });
    }

    for (const TPointDynArray& zone : o.zonesPx)
        AddPolyline(overlay, zone, drawing, false);

    for (std::size_t f = 0; f < o.rawFrames.size(); ++f) {
        if (o.rawFrames[f] < 0)
            continue;
        const TPoint p = o.positionsPx[f];
        AddPolyline(overlay, { { p.x - 4, p.y - 4 }, { p.x + 4, p.y - 4 }, { p.x + 4, p.y + 4 }, { p.x - 4, p.y + 4 } },
            colour, true);
    }
}

} // namespace kinoval::tracking
