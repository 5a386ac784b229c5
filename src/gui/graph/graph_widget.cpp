#include "gui/graph/graph_widget.h"

#include "core/graph/graph.h"
#include "core/graph/page_curves.h"
#include "gui/graph/graph_painter.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

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
    setAccessibleName(tr("Graphe"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TGraphWidget::~TGraphWidget() = default;

void TGraphWidget::SetGraph(TGraph* graph)
{
    if (graph == m_graph)
        return;
    m_connections.Clear();
    m_graph = graph;
    if (m_graph != nullptr) {
        m_graph->SetTextMeasure(&ScreenMeasure());
        m_graph->SetSize(width(), height());
        m_connections += m_graph->OnChanged.Connect([this] {
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
    TDrawList list;
    m_graph->Paint(list);
    PaintDrawList(painter, list);
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
    if (m_graph->MouseMove(MouseOf(event)))
        update();
}

void TGraphWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_graph == nullptr)
        return;
    if (m_graph->MouseUp(MouseOf(event)))
        update();
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
