#include "gui/results/res_modeller_panel.h"

#include "core/graph/graph.h"
#include "core/graph/model_tool.h"
#include "gui/common/qt_text.h"
#include "gui/graph/graph_painter.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <numbers>

namespace kinoval {

namespace {

using graph::TStepButton;

// The short names of the buttons, with the parameter's letter after them.
const char* StepButtonName(TStepButton kind)
{
    switch (kind) {
    case TStepButton::DecreaseFast:
        return TrNoop("Diminuer rapidement");
    case TStepButton::Decrease:
        return TrNoop("Diminuer");
    case TStepButton::Increase:
        return TrNoop("Augmenter");
    case TStepButton::IncreaseFast:
        return TrNoop("Augmenter rapidement");
    }
    return "";
}

// A glyph of our own: one or two triangles pointing down (decrease) or up (increase).
QIcon StepIcon(TStepButton kind)
{
    QIcon icon;
    for (int scale : { 1, 2 }) {
        const int size = 12 * scale;
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 60, 110));
        const bool up = kind == TStepButton::Increase || kind == TStepButton::IncreaseFast;
        const bool fast = kind == TStepButton::DecreaseFast || kind == TStepButton::IncreaseFast;
        const double s = scale;
        const auto triangle = [&](double top) {
            QPainterPath path;
            if (up) {
                path.moveTo(6 * s, top);
                path.lineTo(11 * s, top + 4.5 * s);
                path.lineTo(1 * s, top + 4.5 * s);
            } else {
                path.moveTo(1 * s, top);
                path.lineTo(11 * s, top);
                path.lineTo(6 * s, top + 4.5 * s);
            }
            path.closeSubpath();
            p.drawPath(path);
        };
        if (fast) {
            triangle(1 * s);
            triangle(6.5 * s);
        } else {
            triangle(3.75 * s);
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// The letter of a parameter line ("c = -4.900" gives "c").
QString LetterOf(const std::string& line)
{
    const std::size_t end = line.find(" = ");
    return Q(end == std::string::npos ? line : line.substr(0, end));
}

// A cursor drawn for us: a turning arrow, or an arrow up or down beside an envelope.
QCursor DrawnCursor(graph::TGraphCursor kind)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& [colour, width] : { std::pair { QColor(Qt::white), 4.0 }, std::pair { QColor(Qt::black), 1.8 } }) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        if (kind == graph::TGraphCursor::Rotate) {
            p.drawArc(QRectF(7, 7, 18, 18), 30 * 16, 280 * 16);
            const QPointF tip(16 + 9 * std::cos(std::numbers::pi / 6), 16 - 9 * std::sin(std::numbers::pi / 6));
            p.drawLine(tip, tip + QPointF(-5, -1));
            p.drawLine(tip, tip + QPointF(1, -5));
        } else {
            const bool up = kind == graph::TGraphCursor::DampUp;
            p.drawLine(QPointF(16, 5), QPointF(16, 27));
            const QPointF tip(16, up ? 5 : 27);
            p.drawLine(tip, tip + QPointF(-5, up ? 6 : -6));
            p.drawLine(tip, tip + QPointF(5, up ? 6 : -6));
            QPainterPath envelope;
            envelope.moveTo(4, 8);
            envelope.quadTo(10, 20, 24, 24);
            p.drawPath(envelope);
        }
    }
    p.end();
    return QCursor(pixmap, 16, 16);
}

QCursor ModelCursor(graph::TGraphCursor kind)
{
    using graph::TGraphCursor;
    switch (kind) {
    case TGraphCursor::Move:
        return Qt::SizeAllCursor;
    case TGraphCursor::SizeHor:
        return Qt::SizeHorCursor;
    case TGraphCursor::SizeVer:
        return Qt::SizeVerCursor;
    case TGraphCursor::DeformTopLeft:
    case TGraphCursor::DeformBottomRight:
        return Qt::SizeFDiagCursor;
    case TGraphCursor::DeformTopRight:
    case TGraphCursor::DeformBottomLeft:
        return Qt::SizeBDiagCursor;
    case TGraphCursor::Rotate:
    case TGraphCursor::DampUp:
    case TGraphCursor::DampDown: {
        static const QCursor rotate = DrawnCursor(TGraphCursor::Rotate);
        static const QCursor up = DrawnCursor(TGraphCursor::DampUp);
        static const QCursor down = DrawnCursor(TGraphCursor::DampDown);
        return kind == TGraphCursor::Rotate ? rotate : kind == TGraphCursor::DampUp ? up : down;
    }
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

TModeleurPanel::TModeleurPanel(QWidget* graphControl)
    : QFrame(graphControl)
{
    setObjectName("Modeleur");
    setAccessibleName(T("Modificateur du modèle"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setMouseTracking(true);
    for (int i = 0; i < graph::TModeleur::kMaxParameters * 4; ++i) {
        auto* button = new QToolButton(this);
        const auto kind = TStepButton(i % 4);
        button->setObjectName(QStringLiteral("BoutonModeleur%1").arg(i));
        button->setAutoRaise(true);
        button->setAutoRepeat(true);
        button->setAutoRepeatDelay(350);
        button->setAutoRepeatInterval(50);
        button->setIcon(StepIcon(kind));
        button->setIconSize(QSize(12, 12));
        button->setToolTip(T(graph::StepButtonHint(kind)));
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
        const std::size_t index = std::size_t(i);
        connect(button, &QToolButton::clicked, this, [this, index] { Step(index); });
        m_buttons.push_back(button);
    }
    hide();
    graphControl->installEventFilter(this);
}

TModeleurPanel::~TModeleurPanel() = default;

bool TModeleurPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != parentWidget() || m_graph == nullptr)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ToolTip: {
        // Over a model's curve the hint is the model's text; elsewhere the page's own hint.
        auto* help = static_cast<QHelpEvent*>(event);
        const std::string text = graph::ModelHintAt(*m_graph, { double(help->pos().x()), double(help->pos().y()) });
        if (text.empty())
            break;
        QToolTip::showText(help->globalPos(), Q(text), parentWidget());
        return true;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        // After the graph has seen the mouse: the cursor says what a press would do there.
        if (m_graph->Tool() == graph::gtModifierModele && !m_cursorPending) {
            m_cursorPending = true;
            QTimer::singleShot(0, this, [this] { ApplyCursor(); });
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void TModeleurPanel::ApplyCursor()
{
    m_cursorPending = false;
    if (m_graph != nullptr && m_graph->Tool() == graph::gtModifierModele && parentWidget() != nullptr)
        parentWidget()->setCursor(ModelCursor(m_graph->Cursor()));
}

void TModeleurPanel::SetGraph(graph::TGraph* graph)
{
    m_graphLinks.Clear();
    m_modelLink.Disconnect();
    m_graph = graph;
    m_model = nullptr;
    if (m_graph != nullptr) {
        m_graphLinks += m_graph->OnChanged.Connect([this] { Sync(); });
        m_graphLinks += m_graph->OnOptionChange.Connect([this] { Sync(); });
    }
    Sync();
}

graph::TGModele* TModeleurPanel::ShownModel() const
{
    if (m_graph == nullptr)
        return nullptr;
    for (graph::TGModele* model : graph::ModelsOf(*m_graph)) {
        if (model != nullptr && model->Modeleur().Visible())
            return model;
    }
    return nullptr;
}

void TModeleurPanel::Sync()
{
    if (m_syncing)
        return;
    m_syncing = true;
    graph::TGModele* model = ShownModel();
    if (model != m_model) {
        m_modelLink.Disconnect();
        m_model = model;
        if (m_model != nullptr) {
            m_modelLink = m_model->Modeleur().Changed.Connect([this] { Sync(); });
            if (m_placed)
                m_model->Modeleur().MoveTo(m_place.x(), m_place.y());
        }
    }
    if (m_model == nullptr) {
        m_dragging = false;
        hide();
        m_syncing = false;
        return;
    }
    const graph::TModeleur& modeleur = m_model->Modeleur();
    const graph::TModeleurLayout& layout = modeleur.Layout();
    const graph::TRectF rect = modeleur.Rect();
    setGeometry(int(std::lround(rect.left)), int(std::lround(rect.top)), int(std::ceil(rect.width)),
        int(std::ceil(rect.height)));
    std::vector<bool> used(m_buttons.size(), false);
    const std::vector<std::string>& lines = modeleur.EquationLines();
    for (const graph::TModeleurButton& b : layout.buttons) {
        const std::size_t index = std::size_t(b.parameter * 4 + int(b.kind));
        if (index >= m_buttons.size())
            continue;
        QToolButton* button = m_buttons[index];
        button->setGeometry(int(b.rect.left), int(b.rect.top), int(b.rect.width), int(b.rect.height));
        const std::size_t line = std::size_t(b.parameter) + 1;
        const QString letter = line < lines.size() ? LetterOf(lines[line]) : QString::number(b.parameter + 1);
        button->setAccessibleName(T(StepButtonName(b.kind)) + " " + letter);
        button->setAccessibleDescription(T(graph::StepButtonHint(b.kind)));
        button->show();
        used[index] = true;
    }
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (!used[i])
            m_buttons[i]->hide();
    }
    QStringList text;
    for (const graph::TModeleurLine& line : layout.lines)
        text << Q(line.text);
    const QString description = text.join('\n');
    if (description != accessibleDescription())
        setAccessibleDescription(description);
    show();
    raise();
    update();
    m_syncing = false;
}

void TModeleurPanel::Step(std::size_t button)
{
    if (m_model == nullptr)
        return;
    const bool ctrl = (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
    m_model->Modeleur().Step(int(button / 4), TStepButton(int(button % 4)), ctrl);
}

void TModeleurPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_model == nullptr)
        return;
    const graph::TModeleurLayout& layout = m_model->Modeleur().Layout();
    QPainter p(this);
    // The grip: two rows of dots, centred at the top.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    const graph::TRectF& grip = layout.grip;
    for (double x = grip.left + 2; x < grip.Right() - 1; x += 4) {
        p.drawRect(QRectF(x, grip.top + 1, 2, 2));
        p.drawRect(QRectF(x, grip.top + 5, 2, 2));
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = GraphFont(graph::TModeleur::kPointSize, false);
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetricsF metrics(font);
    for (const graph::TModeleurLine& line : layout.lines)
        p.drawText(QPointF(line.at.x, line.at.y + metrics.ascent()), Q(line.text));
}

void TModeleurPanel::mousePressEvent(QMouseEvent* event)
{
    if (m_model == nullptr || event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    // Anywhere but on a button the panel is taken by its grip.
    m_dragging = true;
    m_dragFrom = event->globalPosition();
    m_model->Modeleur().BeginDrag();
    setCursor(Qt::SizeAllCursor);
}

void TModeleurPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || m_model == nullptr) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    const QPointF now = event->globalPosition();
    const QPointF delta = now - m_dragFrom;
    m_dragFrom = now;
    m_model->Modeleur().MoveBy(delta.x(), delta.y());
}

void TModeleurPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    unsetCursor();
    if (m_model != nullptr) {
        m_model->Modeleur().EndDrag();
        m_placed = true;
        m_place = QPointF(m_model->Modeleur().Rect().left, m_model->Modeleur().Rect().top);
    }
}

} // namespace kinoval
