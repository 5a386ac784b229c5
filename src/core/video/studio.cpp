#include "core/video/studio.h"

#include "core/common/bmp_file.h"
#include "core/common/desktop_services.h"
#include "core/common/png_writer.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/video/video.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <numbers>

namespace kinoval::video {

namespace {

constexpr int kHitDistance = 3; // pixels on the screen around a vertex
constexpr TColor kOutlineColour = 0x00FFFF; // yellow, seen on dark and light frames
constexpr TColor kRubberColour = 0x0000FF;

bool Near(TScreenPoint a, TScreenPoint b)
{
    return std::abs(a.x - b.x) <= kHitDistance && std::abs(a.y - b.y) <= kHitDistance;
}

bool IsBmp(const std::string& name)
{
    std::string ext = std::filesystem::path(name).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".bmp";
}

} // namespace

TModeleShape ShapeOfSetting(int value)
{
    return value == 1 ? msPolygon : value == 2 ? msFreeLine : msCircle;
}

std::vector<TPointD> CirclePolygon(TPointD centre, TPointD rim, int frameWidth, int frameHeight, int vertices)
{
    std::vector<TPointD> points;
    if (frameWidth <= 0 || frameHeight <= 0 || vertices < 3)
        return points;
    const double cx = centre.x * frameWidth, cy = centre.y * frameHeight;
    const double r = std::hypot(rim.x * frameWidth - cx, rim.y * frameHeight - cy);
    for (int k = 0; k < vertices; ++k) {
        const double a = 2 * std::numbers::pi * k / vertices;
        points.push_back({ (cx + r * std::cos(a)) / frameWidth, (cy + r * std::sin(a)) / frameHeight });
    }
    return points;
}

bool CutOut(TModele& m, const TRgbImage& frame)
{
    if (m.points.size() < 3 || frame.IsEmpty())
        return false;
    std::vector<double> xs, ys;
    for (const TPointD& p : m.points) {
        xs.push_back(std::round(p.x * frame.width));
        ys.push_back(std::round(p.y * frame.height));
    }
    const int left = std::max(0, static_cast<int>(*std::min_element(xs.begin(), xs.end())));
    const int top = std::max(0, static_cast<int>(*std::min_element(ys.begin(), ys.end())));
    const int right = std::min(frame.width, static_cast<int>(*std::max_element(xs.begin(), xs.end())) + 1);
    const int bottom = std::min(frame.height, static_cast<int>(*std::max_element(ys.begin(), ys.end())) + 1);
    if (right <= left || bottom <= top)
        return false;
    m.left = left;
    m.top = top;
    m.width = right - left;
    m.height = bottom - top;
    m.mask.assign(static_cast<std::size_t>(m.width) * m.height, false);
    m.cutout = TRgbImage(m.width, m.height);
    const std::size_t n = xs.size();
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
        // Where the polygon's edges cross the row through the pixels' centres; inside between pairs.
        const double cy = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            if ((ys[i] > cy) != (ys[j] > cy))
                crossings.push_back(xs[i] + (cy - ys[i]) * (xs[j] - xs[i]) / (ys[j] - ys[i]));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            const int from = std::max(left, static_cast<int>(std::ceil(crossings[k] - 0.5)));
            const int to = std::min(right - 1, static_cast<int>(std::floor(crossings[k + 1] - 0.5)));
            for (int x = from; x <= to; ++x)
                m.mask[static_cast<std::size_t>(y - top) * m.width + (x - left)] = true;
        }
        std::copy_n(frame.At(left, y), static_cast<std::size_t>(m.width) * 3, m.cutout.Row(y - top));
    }
    return true;
}

void PasteCutOuts(const std::vector<std::unique_ptr<TModele>>& outlines, TRgbImage& picture)
{
    for (const auto& m : outlines) {
        if (!m->finished || m->cutout.IsEmpty())
            continue;
        for (int y = 0; y < m->height; ++y) {
            const int py = m->top + y;
            if (py < 0 || py >= picture.height)
                continue;
            for (int x = 0; x < m->width; ++x) {
                const int px = m->left + x;
                if (px < 0 || px >= picture.width || !m->mask[static_cast<std::size_t>(y) * m->width + x])
                    continue;
                std::copy_n(m->cutout.At(x, y), 3, picture.At(px, py));
            }
        }
    }
}

TStudio::TStudio(TVideo& video, TCustomUserDlg& dialog, TDesktopServices& desktop)
    : m_video(video)
    , m_dialog(dialog)
    , m_desktop(desktop)
{
    m_outlines.reserve(32);
}

void TStudio::SetTool(TStudioTool tool)
{
    m_tool = tool;
    m_drawing = false;
    m_erasing = false;
    m_last = m_rubber = { kNone, kNone };
    Repaint();
}

void TStudio::SetShapeKind(TModeleShape shape)
{
    m_shape = shape;
    if (TModele* m = Current(); m != nullptr && !m->finished)
        RemoveOfFrame(m->frame);
    m_drawing = false;
    Repaint();
}

void TStudio::Clear()
{
    m_outlines.clear();
    m_drawing = false;
    if (changed)
        changed();
    Repaint();
}

void TStudio::Reset()
{
    // An outline left half drawn when the mode was left is dropped; finished ones stay.
    std::erase_if(m_outlines, [](const auto& m) { return !m->finished; });
    SetTool(stNone);
}

int TStudio::FinishedCount() const
{
    return static_cast<int>(
        std::count_if(m_outlines.begin(), m_outlines.end(), [](const auto& m) { return m->finished; }));
}

const TModele* TStudio::OutlineOfFrame(int frame) const
{
    for (const auto& m : m_outlines)
        if (m->frame == frame)
            return m.get();
    return nullptr;
}

TModele* TStudio::Current()
{
    return const_cast<TModele*>(OutlineOfFrame(m_video.CurrentMontageFrame()));
}

void TStudio::RemoveOfFrame(int frame)
{
    for (std::size_t i = 0; i < m_outlines.size(); ++i)
        if (m_outlines[i]->frame == frame) {
            RemoveAt(i);
            return;
        }
}

void TStudio::RemoveAt(std::size_t index)
{
    m_outlines.erase(m_outlines.begin() + static_cast<std::ptrdiff_t>(index));
    if (changed)
        changed();
}

TModele& TStudio::StartOutline()
{
    // A second outline on a frame replaces the first.
    RemoveOfFrame(m_video.CurrentMontageFrame());
    auto m = std::make_unique<TModele>();
    m->frame = m_video.CurrentMontageFrame();
    m->shape = m_shape;
    m->points.reserve(256);
    m_outlines.push_back(std::move(m));
    return *m_outlines.back();
}

void TStudio::AddPoint(TModele& m, TScreenPoint p)
{
    m.points.push_back(m_video.ScreenToImage(p));
    m.screen.push_back(m_video.ImageToScreen(m.points.back()));
}

void TStudio::Finish(TModele& m)
{
    m_drawing = false;
    m_last = m_rubber = { kNone, kNone };
    if (m.shape == msCircle && m.points.size() >= 2)
        m.points = CirclePolygon(m.points.front(), m.points.back(), m_video.FrameWidth(), m_video.FrameHeight());
    TRgbImage frame;
    const bool cut = m.points.size() >= 3 && m_video.DrawCurrentFrame(frame) && CutOut(m, frame);
    if (!cut) {
        RemoveOfFrame(m.frame); // too small to hold anything: nothing is kept
        Repaint();
        return;
    }
    m.finished = true;
    RefreshScreenPositions();
    if (changed)
        changed();
    const int step = framesBetweenMarks ? std::max(1, framesBetweenMarks()) : 1;
    if (!m_video.GoToFrame(m.frame + step))
        Repaint();
}

std::ptrdiff_t TStudio::HitOutline(TScreenPoint p) const
{
    for (std::size_t i = m_outlines.size(); i-- > 0;) {
        if (!m_outlines[i]->finished)
            continue;
        for (const TScreenPoint& v : m_outlines[i]->screen)
            if (Near(v, p))
                return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

void TStudio::MouseDown(TMouseButton button, TShiftState shift, TScreenPoint p)
{
    m_pointer = p;
    if (!m_video.IsOpened())
        return;
    if (button == TMouseButton::Right) {
        m_drawing = false;
        const int frame = m_video.CurrentMontageFrame();
        if (OutlineOfFrame(frame) != nullptr) {
            RemoveOfFrame(frame);
        } else if (!m_outlines.empty()) {
            const int last = m_outlines.back()->frame;
            m_video.GoToFrame(last);
            RemoveOfFrame(last);
        }
        Repaint();
        return;
    }
    if (button != TMouseButton::Left)
        return;
    if (m_tool == stErase) {
        const std::ptrdiff_t hit = HitOutline(p);
        if (hit >= 0) {
            RemoveAt(static_cast<std::size_t>(hit));
        } else {
            m_erasing = true;
            m_eraseA = m_eraseB = p;
        }
        Repaint();
        return;
    }
    if (m_tool != stDraw)
        return;
    if (m_shape == msPolygon) {
        TModele* m = Current();
        if (m == nullptr || m->finished)
            m = &StartOutline();
        AddPoint(*m, p);
        m_drawing = true;
        m_rubber = p;
        if (shift.doubleClick && m->points.size() >= 3)
            Finish(*m);
        Repaint();
        return;
    }
    TModele& m = StartOutline();
    AddPoint(m, p);
    m_drawing = true;
    m_last = p;
    Repaint();
}

void TStudio::MouseMove(TShiftState, TScreenPoint p)
{
    m_pointer = p;
    if (m_erasing) {
        m_eraseB = p;
        Repaint();
        return;
    }
    if (!m_drawing)
        return;
    TModele* m = Current();
    if (m == nullptr)
        return;
    if (m->shape == msPolygon) {
        m_rubber = p;
    } else if (!(p == m_last)) {
        if (m->shape == msCircle && m->points.size() >= 2) {
            m->points.pop_back();
            m->screen.pop_back();
        }
        AddPoint(*m, p);
        m_last = p;
    }
    Repaint();
}

void TStudio::MouseUp(TMouseButton button, TShiftState, TScreenPoint p)
{
    m_pointer = p;
    if (button != TMouseButton::Left)
        return;
    if (m_erasing) {
        m_erasing = false;
        const int x0 = std::min(m_eraseA.x, p.x), x1 = std::max(m_eraseA.x, p.x);
        const int y0 = std::min(m_eraseA.y, p.y), y1 = std::max(m_eraseA.y, p.y);
        const std::size_t before = m_outlines.size();
        std::erase_if(m_outlines, [&](const auto& m) {
            return m->finished && std::all_of(m->screen.begin(), m->screen.end(), [&](TScreenPoint v) {
                return v.x >= x0 && v.x <= x1 && v.y >= y0 && v.y <= y1;
            });
        });
        if (m_outlines.size() != before && changed)
            changed();
        Repaint();
        return;
    }
    if (!m_drawing || m_shape == msPolygon)
        return;
    if (TModele* m = Current(); m != nullptr && !m->finished)
        Finish(*m);
    m_drawing = false;
}

bool TStudio::KeyDown(int key, TShiftState)
{
    if (key == kKeyEscape && m_drawing) {
        if (TModele* m = Current(); m != nullptr && !m->finished)
            RemoveOfFrame(m->frame);
        m_drawing = false;
        Repaint();
        return true;
    }
    return false;
}

TCursorChoice TStudio::Cursor() const
{
    if (m_tool == stErase)
        return { HitOutline(m_pointer) >= 0 ? TViewCursorShape::OverMark : TViewCursorShape::EraseTool, -1 };
    if (m_tool == stDraw)
        return { TViewCursorShape::Outline, -1 };
    return {};
}

void TStudio::RefreshScreenPositions()
{
    for (auto& m : m_outlines) {
        m->screen.clear();
        for (const TPointD& p : m->points)
            m->screen.push_back(m_video.ImageToScreen(p));
    }
}

void TStudio::Repaint()
{
    m_video.Repaint();
}

void TStudio::BuildOverlay(TOverlay& overlay) const
{
    if (m_erasing)
        overlay.shapes.emplace_back(TOverlayFocusRect { m_eraseA, m_eraseB });
    for (const auto& m : m_outlines) {
        if (m->screen.empty())
            continue;
        TOverlayPolygon outline;
        outline.points = m->screen;
        if (m->finished)
            outline.points.push_back(m->screen.front());
        outline.colour = kOutlineColour;
        outline.width = 2;
        overlay.shapes.emplace_back(std::move(outline));
    }
    if (m_drawing && m_shape == msPolygon && !(m_rubber.x == kNone)) {
        const TModele* m = OutlineOfFrame(m_video.CurrentMontageFrame());
        if (m != nullptr && !m->screen.empty())
            overlay.shapes.emplace_back(TOverlayLine { m->screen.back(), m_rubber, kRubberColour, 1 });
    }
}

bool TStudio::Compose(bool background, TRgbImage& picture)
{
    if (FinishedCount() == 0)
        return false;
    if (background) {
        const TModele* first = nullptr;
        for (const auto& m : m_outlines)
            if (m->finished && (first == nullptr || m->frame < first->frame))
                first = m.get();
        m_video.GoToFrame(first->frame);
        if (m_video.CurrentMontageFrame() != first->frame || !m_video.DrawCurrentFrame(picture))
            return false;
    } else {
        picture = TRgbImage(m_video.FrameWidth(), m_video.FrameHeight());
        std::fill(picture.pixels.begin(), picture.pixels.end(), 255);
    }
    PasteCutOuts(m_outlines, picture);
    return true;
}

int TStudio::Save(const std::string& title, const std::string& proposed, const TRgbImage& picture,
    const std::vector<std::string>& success)
{
    TFileDialogRequest request;
    request.title = title;
    request.filter = Tr("Fichier image PNG (*.png)") + ";;" + Tr("Ficher bitmap (*.bmp)");
    request.proposedName = proposed + ".png";
    request.defaultExtension = "png";
    if (folder)
        request.folder = folder();
    const auto chosen = m_desktop.SaveFileDialog(request);
    if (!chosen || chosen->empty())
        return 1;
    if (folder)
        folder() = std::filesystem::path(*chosen).parent_path().string();
    std::string why;
    const bool bmp = IsBmp(*chosen);
    const int code = bmp ? WriteBmp(*chosen, picture, &why) : WritePng(*chosen, picture, &why);
    m_dialog.ClearButtons();
    m_dialog.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
    if (code != 0) {
        m_dialog.SetIcon(TUserDlgIcon::icWarning);
        m_dialog.AddText(EscapeForMessage(*chosen), lkParagraph, clBlue);
        m_dialog.AddText("");
        m_dialog.AddText(Tr("Impossible d'écrire le fichier image sur le disque"));
        if (!why.empty())
            m_dialog.AddText(why);
        m_dialog.Run();
        return 2;
    }
    m_dialog.SetIcon(TUserDlgIcon::icInformation);
    for (const std::string& line : success)
        m_dialog.AddText(line == "%ext"
                ? (bmp ? Tr("Le fichier porte l'extension BMP.") : Tr("Le fichier porte l'extension PNG."))
                : line);
    if (success.size() == 1) {
        m_dialog.AddText("");
        m_dialog.AddText(EscapeForMessage(*chosen), lkParagraph, clBlue);
    }
    m_dialog.Run();
    return 0;
}

int TStudio::ComposeChronophotograph()
{
    if (FinishedCount() == 0) {
        m_dialog.ShowMessage(TUserDlgIcon::icWarning,
            { Tr("Dessiner, au préalable, au moins une fois le contour d'un objet."),
                Tr("Utiliser le bouton « Dessiner le contour de l'objet ».") });
        return 1;
    }
    m_dialog.SetIcon(TUserDlgIcon::icInformation);
    m_dialog.ClearButtons();
    m_dialog.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
    m_dialog.AddButton(Tr("Annuler"), TUserDlgButtonKind::btAnnuler);
    m_dialog.AddText(Tr("Les images d'un objet à différentes positions peuvent être dessinées :"));
    m_dialog.AddText(Tr("- sur une page blanche"));
    m_dialog.AddText(Tr("- sur une image d'arrière plan"));
    m_dialog.AddText("");
    m_dialog.AddText(Tr("L'image de la vidéo placée en arrière plan correspondant à la 1ère position de l'objet."));
    m_dialog.CheckBoxCaption = Tr("Insérer une image d'arrière plan");
    m_dialog.CheckBoxCheck = true;
    if (m_dialog.Run() != 0)
        return 1;
    const bool background = m_dialog.CheckBoxCheck;
    TRgbImage picture;
    if (!Compose(background, picture)) {
        m_dialog.ShowMessage(TUserDlgIcon::icError,
            { Tr("Erreur inattendue détectée pendant la création de la chronophotographie."),
                Tr("Opération annulée.") });
        return 2;
    }
    return Save(Tr("Enregistrer la chronophotographie dans un fichier"), "ChronoPhoto", picture,
        { Tr("Le fichier a été enregistré avec succès :") });
}

int TStudio::SaveCurrentFrame()
{
    TRgbImage picture;
    if (!m_video.IsOpened() || !m_video.DrawCurrentFrame(picture)) {
        m_dialog.ShowMessage(TUserDlgIcon::icError,
            { Tr("Erreur inattendue détectée pendant la capture d'image."), Tr("Opération annulée.") });
        return 2;
    }
    return Save(Tr("Enregistrer l'image dans un fichier"), "Image" + std::to_string(m_video.CurrentMontageFrame() + 1),
        picture, { Tr("Enregistrement dans un fichier image effectué."), "%ext" });
}

} // namespace kinoval::video
