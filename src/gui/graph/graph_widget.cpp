#include "gui/graph/graph_widget.h"

#include "core/graph/graph.h"
#include "core/graph/page_curves.h"
#include "gui/common/qt_text.h"
#include "gui/graph/graph_painter.h"

#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <cmath>

namespace kinoval {

namespace {

using namespace graph;

const TQtTextMeasure& ScreenMeasure()
{
    static const TQtTextMeasure measure;
    return measure;
}

TGraphMouse MouseOf(const QMouseEvent* event, bool doubleClick = false)
{
    TGraphMouse mouse;
    mouse.at = { event->position().x(), event->position().y() };
    // A move carries the buttons held rather than the one that changed.
    Qt::MouseButton button = event->button();
    if (button == Qt::NoButton)
        button = (event->buttons() & Qt::RightButton) ? Qt::RightButton
            : (event->buttons() & Qt::MiddleButton)   ? Qt::MiddleButton
                                                      : Qt::LeftButton;
    switch (button) {
    case Qt::RightButton:
        mouse.button = TGraphButton::Right;
        break;
    case Qt::MiddleButton:
        mouse.button = TGraphButton::Middle;
        break;
    default:
        mouse.button = TGraphButton::Left;
        break;
    }
    mouse.shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    mouse.ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    mouse.alt = (event->modifiers() & Qt::AltModifier) != 0;
    mouse.doubleClick = doubleClick;
    return mouse;
}

Qt::CursorShape ShapeOf(TGraphCursor cursor)
{
    switch (cursor) {
    case TGraphCursor::Construction:
        return Qt::CrossCursor;
    case TGraphCursor::ZoomBoth:
        return Qt::CrossCursor;
    case TGraphCursor::ZoomX:
        return Qt::SizeHorCursor;
    case TGraphCursor::ZoomY:
        return Qt::SizeVerCursor;
    case TGraphCursor::Pan:
        return Qt::OpenHandCursor;
    case TGraphCursor::Panning:
        return Qt::ClosedHandCursor;
    case TGraphCursor::Move:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

TGraphWidget::TGraphWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Graphe");
    setAccessibleName(T("Graphe"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A pan that rests this long gets its content painted again where the move uncovered it.
    m_settle.setSingleShot(true);
    m_settle.setInterval(150);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        m_contentValid = false;
        update();
    });
}

TGraphWidget::~TGraphWidget() = default;

void TGraphWidget::SetGraph(TGraph* graph)
{
    if (graph == m_graph)
        return;
    m_connections.Clear();
    m_graph = graph;
    m_contentValid = false;
    if (m_graph != nullptr) {
        m_graph->SetTextMeasure(&ScreenMeasure());
        m_graph->SetSize(width(), height());
        m_connections += m_graph->OnChanged.Connect([this] {
            // What a pan changes, the picture of the content follows by a shift.
            if (!m_graph->Panning())
                m_contentValid = false;
            update();
            // Many changes in a row (a pan, a new page) say what the graph shows once.
            if (!m_repaintPending) {
                m_repaintPending = true;
                QTimer::singleShot(0, this, [this] {
                    m_repaintPending = false;
                    UpdateDescription();
                });
            }
        });
        m_connections += m_graph->OnOptionChange.Connect([this] { UpdateCursor(); });
    }
    UpdateCursor();
    UpdateDescription();
    update();
}

void TGraphWidget::UpdateDescription()
{
    std::string text;
    if (m_graph != nullptr)
        text = describe ? describe(*m_graph) : DescribeGraph(*m_graph, '.');
    const QString description = QString::fromStdString(text);
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void TGraphWidget::UpdateCursor()
{
    setCursor(m_graph != nullptr ? ShapeOf(m_graph->Cursor()) : Qt::ArrowCursor);
}

void TGraphWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_graph == nullptr) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    // A change of the content is painted straight; the picture of the content is made when the frame
    // alone changes (a pan, the bubble, the zoom box) and serves until the content changes.
    const bool frameOnly = m_graph->Panning() || m_frameOnly;
    m_frameOnly = false;
    if (frameOnly && PaintWithContent(painter))
        return;
    m_contentValid = false;
    TDrawList list;
    m_graph->Paint(list);
    PaintDrawList(painter, list);
}

bool TGraphWidget::PaintWithContent(QPainter& painter)
{
    const TMapping& map = m_graph->Mapping();
    const TWorld& world = map.world;
    if (!map.Usable())
        return false;
    // The picture of the content serves while only the frame changed (the bubble, the zoom box), and
    // shifted while the user pans; a new plot or a new range is painted whole.
    const auto sameSize = [](double a, double b) { return std::fabs(a - b) <= 1e-9 * std::fabs(a); };
    if (m_contentValid
        && (!(m_contentPlot == map.plot) || !sameSize(m_contentWorld.Width(), world.Width())
            || !sameSize(m_contentWorld.Height(), world.Height())))
        m_contentValid = false;
    const qreal ratio = devicePixelRatioF();
    // The elements are clipped to the plot: the picture is the plot's.
    const QSize pixels(int(std::lround(map.plot.width * ratio)), int(std::lround(map.plot.height * ratio)));
    if (!m_contentValid) {
        if (m_content.size() != pixels || m_content.devicePixelRatio() != ratio) {
            m_content = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            m_content.setDevicePixelRatio(ratio);
        }
        m_content.fill(Qt::transparent);
        TDrawList content;
        m_graph->Paint(content, TGraph::kLayerContent);
        QPainter into(&m_content);
        into.translate(-map.plot.left, -map.plot.top);
        PaintDrawList(into, content);
        into.end();
        m_contentWorld = world;
        m_contentPlot = map.plot;
        m_contentValid = true;
    }
    TDrawList under;
    m_graph->Paint(under, TGraph::kLayerUnder);
    PaintDrawList(painter, under);
    const double dx = std::round((m_contentWorld.xmin - world.xmin) * map.plot.width / world.Width());
    const double dy = std::round((world.ymin - m_contentWorld.ymin) * map.plot.height / world.Height());
    painter.save();
    painter.setClipRect(QRect(map.plot.left, map.plot.top, map.plot.width, map.plot.height));
    painter.drawImage(QPointF(map.plot.left + dx, map.plot.top + dy), m_content);
    painter.restore();
    TDrawList over;
    m_graph->Paint(over, TGraph::kLayerOver);
    PaintDrawList(painter, over);
    // A shifted picture leaves the uncovered strip empty until the mouse rests.
    if (dx != 0 || dy != 0)
        m_settle.start();
    return true;
}

void TGraphWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_graph != nullptr)
        m_graph->SetSize(width(), height());
}

void TGraphWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_graph == nullptr)
        return;
    setFocus(Qt::MouseFocusReason);
    if (m_graph->MouseDown(MouseOf(event)))
        update();
    UpdateCursor();
}

void TGraphWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_graph == nullptr)
        return;
    if (m_graph->MouseMove(MouseOf(event))) {
        m_frameOnly = true;
        update();
    }
}

void TGraphWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_graph == nullptr)
        return;
    const bool panned = m_graph->Panning();
    if (m_graph->MouseUp(MouseOf(event)) || panned) {
        m_settle.stop();
        m_contentValid = false;
        update();
    }
    UpdateCursor();
}

void TGraphWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_graph == nullptr)
        return;
    if (m_graph->MouseDown(MouseOf(event, true)))
        update();
}

void TGraphWidget::keyPressEvent(QKeyEvent* event)
{
    if (m_graph == nullptr) {
        QWidget::keyPressEvent(event);
        return;
    }
    TGraphKeyPress key;
    key.ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    key.shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Space:
        key.key = TGraphKey::Space;
        break;
    case Qt::Key_Left:
        key.key = TGraphKey::Left;
        break;
    case Qt::Key_Right:
        key.key = TGraphKey::Right;
        break;
    case Qt::Key_Up:
        key.key = TGraphKey::Up;
        break;
    case Qt::Key_Down:
        key.key = TGraphKey::Down;
        break;
    case Qt::Key_Insert:
        key.key = TGraphKey::Insert;
        break;
    case Qt::Key_Delete:
        key.key = TGraphKey::Delete;
        break;
    case Qt::Key_A:
    case Qt::Key_Z:
        // With Ctrl the text is a control character: the key says which letter it was.
        key.key = TGraphKey::Letter;
        key.letter = event->key() == Qt::Key_A ? 'a' : 'z';
        break;
    default:
        if (!event->text().isEmpty()) {
            key.key = TGraphKey::Letter;
            key.letter = event->text().at(0).toLatin1();
        }
        break;
    }
    const TKeyAnswer answer = m_graph->KeyDown(key);
    if (!answer.handled) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (answer.moveX != 0 || answer.moveY != 0)
        QCursor::setPos(QCursor::pos() + QPoint(answer.moveX, answer.moveY));
    update();
}

} // namespace kinoval
