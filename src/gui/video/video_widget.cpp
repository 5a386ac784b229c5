#include "gui/video/video_widget.h"

#include "core/common/texts.h"
#include "gui/drawing/glyph_painter.h"
#include "gui/video/cursors.h"
#include "gui/video/overlay_painter.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace kinoval::video {
namespace {

TScreenPoint P(const QPoint& p)
{
    return { p.x(), p.y() };
}

TShiftState ShiftOf(Qt::KeyboardModifiers m)
{
    return { m.testFlag(Qt::ControlModifier), m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::AltModifier) };
}

bool ButtonOf(Qt::MouseButton b, TMouseButton& out)
{
    switch (b) {
    case Qt::LeftButton:
        out = TMouseButton::Left;
        return true;
    case Qt::RightButton:
        out = TMouseButton::Right;
        return true;
    case Qt::MiddleButton:
        out = TMouseButton::Middle;
        return true;
    default:
        return false;
    }
}

int KeyOf(const QKeyEvent& e)
{
    const int k = e.key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return kKeyDigit0 + (k - Qt::Key_0);
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return kKeyLetterA + (k - Qt::Key_A);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Down:
        return kKeyDown;
    case Qt::Key_Plus:
        return kKeyPlus;
    case Qt::Key_Minus:
        return kKeyMinus;
    case Qt::Key_Alt:
        return kKeyAlt;
    default:
        return kKeyOther;
    }
}

} // namespace

TVideoWidget::TVideoWidget(TVideo& video, QWidget* parent)
    : QWidget(parent)
    , m_video(video)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    m_hBar->hide();
    m_vBar->hide();
    m_loupe = new TLoupeWidget(*this);
    connect(m_hBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_syncingBars)
            m_video.SetHorizontalScroll(v);
    });
    connect(m_vBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_syncingBars)
            m_video.SetVerticalScroll(v);
    });

    m_video.hooks.repaint = [this] { Redraw(); };
    m_video.hooks.postRepaint = [this] {
        // From the timer's thread: the call runs on the window thread, and is dropped if the view is gone.
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_video.PostedRepaintDone();
                Redraw();
            },
            Qt::QueuedConnection);
    };
    m_video.hooks.runOnWindowThread = [this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    };
    m_video.hooks.setMouseCursorPos = [this](TScreenPoint p) { QCursor::setPos(mapToGlobal(QPoint(p.x, p.y))); };
    m_video.hooks.cursorChanged = [this](TCursorChoice c) { setCursor(CursorOf(c)); };
    setCursor(CursorOf(m_video.Cursor()));
}

TVideoWidget::~TVideoWidget()
{
    m_video.Stop();
    m_video.hooks.repaint = nullptr;
    m_video.hooks.postRepaint = nullptr;
    m_video.hooks.runOnWindowThread = [this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    };
    m_video.hooks.setMouseCursorPos = nullptr;
    m_video.hooks.cursorChanged = nullptr;
    m_video.hooks.runOnWindowThread = nullptr;
}

const QImage& TVideoWidget::TitlePicture()
{
    if (m_title.isNull()) {
        // Our own title picture: the program's name over a night-blue gradient with a dotted trajectory.
        m_title = QImage(640, 480, QImage::Format_RGB32);
        QPainter p(&m_title);
        QLinearGradient gradient(0, 0, 0, 480);
        gradient.setColorAt(0, QColor(16, 32, 72));
        gradient.setColorAt(1, QColor(40, 80, 140));
        p.fillRect(m_title.rect(), gradient);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i <= 12; ++i) {
            const double t = i / 12.0;
            const QPointF c(80 + 480 * t, 380 - 560 * t + 560 * t * t);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 200, 60));
            p.drawEllipse(c, 6, 6);
        }
        QFont font = p.font();
        font.setPixelSize(72);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(m_title.rect().adjusted(0, 0, 0, -60), Qt::AlignCenter, QStringLiteral("Kinoval"));
    }
    return m_title;
}

void TVideoWidget::PaintFrame(QPainter& painter)
{
    const QRect client(0, 0, width(), height());
    if (m_video.HideImage() || m_frame.IsEmpty()) {
        painter.fillRect(client, Qt::white);
        return;
    }
    QImage frame(m_frame.pixels.data(), m_frame.width, m_frame.height, m_frame.width * 3, QImage::Format_RGB888);
    if (m_video.CurrentFrameInverted()) {
        frame = frame.copy();
        frame.invertPixels();
    }
    // The source rectangle in exactly the units the conversions use, so that marks sit on their pixels.
    const double zoom = m_video.Zoom();
    const QRectF source(m_video.Ox() * m_frame.width, m_video.Oy() * m_frame.height, m_frame.width * 100.0 / zoom,
        m_frame.height * 100.0 / zoom);
    painter.drawImage(QRectF(client), frame, source);
}

void TVideoWidget::PaintPreview()
{
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&m_picture);
    painter.fillRect(m_picture.rect(), Qt::black);
    if (capturePreview && capturePreview(m_preview) && !m_preview.IsEmpty()) {
        const QImage frame(
            m_preview.pixels.data(), m_preview.width, m_preview.height, m_preview.width * 3, QImage::Format_RGB888);
        const QSize fitted = frame.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect place(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(place, frame);
    }
    painter.end();
    m_hBar->hide();
    m_vBar->hide();
    update();
}

void TVideoWidget::Redraw()
{
    if (width() <= 0 || height() <= 0)
        return;
    if (!m_video.Shown()) {
        PaintPreview();
        return;
    }
    const bool opened = m_video.IsOpened();
    if (opened && !m_video.HideImage()) {
        // The frame is decoded again only when it changed: dragging a mark repaints the overlay over the
        // frame already decoded.
        const std::pair<int, int> key { m_video.OpenSerial(), m_video.CurrentRawFrame() };
        if (m_frame.IsEmpty() || key != m_frameKey) {
            TPlayer* player = m_video.Player();
            if (player != nullptr && player->Busy())
                return; // a draw is in progress: keep the last picture
            if (m_video.DrawCurrentFrame(m_frame))
                m_frameKey = key;
            else if (m_frame.IsEmpty())
                return;
        }
    }
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);

    QPainter painter(&m_picture);
    if (!opened) {
        painter.drawImage(QRect(0, 0, width(), height()), TitlePicture());
    } else {
        PaintFrame(painter);
        const TZoom& zoom = m_video.ZoomState();
        if (m_video.NavigationTool() == ntZoom && zoom.dragging) {
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(
                QRect(QPoint(zoom.rectStart.x, zoom.rectStart.y), QPoint(zoom.rectEnd.x, zoom.rectEnd.y)).normalized());
        }
        m_overlay.Clear();
        if (buildOverlay)
            buildOverlay(m_video.Mode(), m_overlay);
        PaintOverlay(painter, m_overlay);
    }
    if (m_video.Wait()) {
        QFont font = painter.font();
        font.setPointSize(32);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(
            QRect(0, 0, width(), height()), Qt::AlignCenter, QString::fromStdString(Tr("Veuillez patienter ...")));
    }
    painter.end();

    SyncScrollBars();
    update();
    m_video.notify.framePainted.Emit();
    m_loupe->Sync();
}

void TVideoWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_picture.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawImage(0, 0, m_picture);
    if (m_hBar->isVisible() && m_vBar->isVisible()) {
        const QRect corner(m_vBar->x(), m_hBar->y(), m_vBar->width(), m_hBar->height());
        painter.fillRect(corner, palette().color(QPalette::Window));
    }
}

void TVideoWidget::PlaceScrollBars()
{
    const int bw = m_vBar->sizeHint().width();
    const int bh = m_hBar->sizeHint().height();
    m_vBar->setGeometry(width() - bw, 0, bw, height() - bh);
    m_hBar->setGeometry(0, height() - bh, width() - bw, bh);
}

void TVideoWidget::SyncScrollBars()
{
    m_syncingBars = true;
    const TScrollBarState& h = m_video.HorizontalScrollBar();
    const TScrollBarState& v = m_video.VerticalScrollBar();
    for (auto [bar, state] : { std::pair { m_hBar, &h }, std::pair { m_vBar, &v } }) {
        bar->setVisible(state->visible);
        if (state->visible) {
            bar->setRange(0, state->maximum);
            bar->setPageStep(state->largeChange);
            bar->setValue(state->position);
        }
    }
    m_syncingBars = false;
}

void TVideoWidget::resizeEvent(QResizeEvent*)
{
    m_video.Resize(width(), height());
    PlaceScrollBars();
    Redraw();
}

void TVideoWidget::mousePressEvent(QMouseEvent* event)
{
    TMouseButton b;
    if (ButtonOf(event->button(), b))
        m_video.MouseDown(b, ShiftOf(event->modifiers()), P(event->position().toPoint()));
}

void TVideoWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt sends the second press of a double click here instead of as a press: it stays a press, marked as
    // the second of a double click, which is what closes a polygon outline or a zone of the tracker.
    TMouseButton b;
    if (!ButtonOf(event->button(), b))
        return;
    TShiftState shift = ShiftOf(event->modifiers());
    shift.doubleClick = true;
    m_video.MouseDown(b, shift, P(event->position().toPoint()));
}

void TVideoWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_video.MouseMove(ShiftOf(event->modifiers()), P(event->position().toPoint()));
    if (m_video.Loupe().Visible())
        m_loupe->Sync();
}

void TVideoWidget::mouseReleaseEvent(QMouseEvent* event)
{
    TMouseButton b;
    if (ButtonOf(event->button(), b))
        m_video.MouseUp(b, ShiftOf(event->modifiers()), P(event->position().toPoint()));
}

void TVideoWidget::keyPressEvent(QKeyEvent* event)
{
    if (!m_video.KeyDown(KeyOf(*event), ShiftOf(event->modifiers())))
        QWidget::keyPressEvent(event);
}

// ------------------------------------------------------------------------------------------- magnifier

TLoupeWidget::TLoupeWidget(TVideoWidget& view)
    : QWidget(&view)
    , m_view(view)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void TLoupeWidget::Sync()
{
    const TLoupe& loupe = m_view.Video().Loupe();
    setGeometry(loupe.Left(), loupe.Top(), loupe.Width(), loupe.Height());
    setVisible(loupe.Visible() && loupe.Width() > 0 && loupe.Height() > 0);
    if (isVisible())
        update();
}

void TLoupeWidget::paintEvent(QPaintEvent*)
{
    const TLoupe& loupe = m_view.Video().Loupe();
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QImage& picture = m_view.Picture();
    if (!picture.isNull()) {
        const QRect source(loupe.Centre().x - loupe.SourceWidth() / 2, loupe.Centre().y - loupe.SourceHeight() / 2,
            loupe.SourceWidth(), loupe.SourceHeight());
        p.drawImage(rect(), picture, source);
    }
    const int cx = width() / 2, cy = height() / 2;
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(0, cy, cx - kLoupeCrossGap, cy);
    p.drawLine(cx + kLoupeCrossGap, cy, width() - 1, cy);
    p.drawLine(cx, 0, cx, cy - kLoupeCrossGap);
    p.drawLine(cx, cy + kLoupeCrossGap, cx, height() - 1);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TLoupeWidget::mousePressEvent(QMouseEvent* event)
{
    TLoupe& loupe = m_view.Video().Loupe();
    const TLoupeButton b = event->button() == Qt::RightButton ? TLoupeButton::Right : TLoupeButton::Left;
    const QPoint global = event->globalPosition().toPoint();
    if (loupe.MouseDown(b, P(event->position().toPoint()), P(global)))
        update();
}

void TLoupeWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_view.Video().Loupe().MouseMove(P(event->globalPosition().toPoint())))
        Sync();
}

void TLoupeWidget::mouseReleaseEvent(QMouseEvent*)
{
    m_view.Video().Loupe().MouseUp();
}

} // namespace kinoval::video
