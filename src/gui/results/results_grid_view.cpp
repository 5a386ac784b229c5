#include "gui/results/results_grid_view.h"

#include "core/common/texts.h"
#include "core/results/grid.h"
#include "gui/results/results_grid_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace kinoval {

namespace {

constexpr int kHeaderLines = results::TGrid::kHeaderLines;
constexpr int kDescriptionLine = 3;
// Descriptions wrap within this width rather than widen their column further.
constexpr int kDescriptionWidth = 110;
// Data lines measured for a column's width: a long table does not cost a measure per line.
constexpr int kMeasuredLines = 400;

} // namespace

TControlClick ControlLineAction(int column, int xInColumn, int columnWidth)
{
    if (column < 1 || xInColumn < 0 || xInColumn >= columnWidth)
        return TControlClick::None;
    if (xInColumn < kDigitZoneWidth)
        return TControlClick::FewerDigits;
    if (columnWidth > kDigitZoneWidth && columnWidth - 1 - xInColumn < kDigitZoneWidth)
        return TControlClick::MoreDigits;
    // The time column carries every other one: it stays.
    return column == 1 ? TControlClick::None : TControlClick::Hide;
}

TResultsGridView::TResultsGridView(QWidget* parent)
    : QTableView(parent)
{
    Setup();
    m_frozen = new TResultsGridView(this, this);
    viewport()->stackUnder(m_frozen);
    // Widths and sideways scrolling are the grid's; the header view follows.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_frozen->horizontalScrollBar(), &QScrollBar::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
        [this](int column, int, int size) { m_frozen->setColumnWidth(column, size); });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int line, int, int size) {
        if (line < kHeaderLines) {
            m_frozen->setRowHeight(line, size);
            PlaceFrozenHeader();
        }
    });
}

TResultsGridView::TResultsGridView(QWidget* parent, TResultsGridView* grid)
    : QTableView(parent)
    , m_grid(grid)
{
    Setup();
    setObjectName("GridEntete");
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAccessibleName(QString::fromStdString(Tr("En-tête du tableau")));
    // The header lines stay where they are whatever cell becomes current (a click of the grid under it
    // makes a data cell current in both views): the view scrolls sideways only.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value != 0)
            verticalScrollBar()->setValue(0);
    });
    OnControlLineChanged = [grid] {
        if (grid->OnControlLineChanged)
            grid->OnControlLineChanged();
    };
}

void TResultsGridView::Setup()
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void TResultsGridView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    if (m_frozen != nullptr) {
        m_frozen->setModel(model);
        m_frozen->setSelectionModel(selectionModel());
        PlaceFrozenHeader();
    }
}

TResultsGridModel* TResultsGridView::GridModel() const
{
    return qobject_cast<TResultsGridModel*>(model());
}

void TResultsGridView::PlaceFrozenHeader()
{
    if (m_frozen == nullptr)
        return;
    int height = 0;
    const int lines = model() != nullptr ? std::min(kHeaderLines, model()->rowCount()) : 0;
    for (int line = 0; line < lines; ++line)
        height += rowHeight(line);
    m_frozen->setGeometry(frameWidth(), frameWidth(), viewport()->width(), height);
    m_frozen->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

void TResultsGridView::FitColumns()
{
    QAbstractItemModel* m = model();
    if (m == nullptr)
        return;
    const QFontMetrics metrics = fontMetrics();
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 10;
    const int lines = m->rowCount();
    const auto textOf = [m](int line, int column) { return m->data(m->index(line, column)).toString(); };
    int descriptionHeight = 0;
    for (int column = 0; column < m->columnCount(); ++column) {
        int width = 0;
        const auto measure
            = [&](int line) { width = std::max(width, metrics.horizontalAdvance(textOf(line, column))); };
        for (int line = 0; line < kHeaderLines && line < lines; ++line) {
            if (line != kDescriptionLine)
                measure(line);
        }
        for (int line = kHeaderLines; line < lines && line < kHeaderLines + kMeasuredLines; ++line)
            measure(line);
        if (lines > kHeaderLines + kMeasuredLines)
            measure(lines - 1);
        const QString description = lines > kDescriptionLine ? textOf(kDescriptionLine, column) : QString();
        width = std::max(width, std::min(metrics.horizontalAdvance(description), kDescriptionWidth));
        width += padding;
        if (column >= 1)
            width = std::max(width, 3 * kDigitZoneWidth);
        setColumnWidth(column, width);
        if (!description.isEmpty()) {
            const QRect box = metrics.boundingRect(QRect(0, 0, width - padding, 10000), Qt::TextWordWrap, description);
            descriptionHeight = std::max(descriptionHeight, box.height());
        }
    }
    const int line = verticalHeader()->defaultSectionSize();
    if (lines > kDescriptionLine)
        setRowHeight(kDescriptionLine, std::max(line, descriptionHeight + 6));
    if (m_frozen != nullptr) {
        for (int column = 0; column < m->columnCount(); ++column)
            m_frozen->setColumnWidth(column, columnWidth(column));
        for (int l = 0; l < kHeaderLines && l < lines; ++l)
            m_frozen->setRowHeight(l, rowHeight(l));
        PlaceFrozenHeader();
    }
}

bool TResultsGridView::ControlLineClick(const QPoint& pos)
{
    TResultsGridModel* grid = GridModel();
    const QModelIndex index = indexAt(pos);
    if (grid == nullptr || !index.isValid() || index.row() != 0)
        return false;
    const int column = index.column();
    const int x = pos.x() - columnViewportPosition(column);
    switch (ControlLineAction(column, x, columnWidth(column))) {
    case TControlClick::FewerDigits:
        grid->FewerDigits(column);
        break;
    case TControlClick::MoreDigits:
        grid->MoreDigits(column);
        break;
    case TControlClick::Hide:
        grid->HideColumn(column);
        break;
    case TControlClick::None:
        return true;
    }
    if (OnControlLineChanged)
        OnControlLineChanged();
    return true;
}

void TResultsGridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && ControlLineClick(event->position().toPoint())) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TResultsGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A quick second click on the control line counts as one more click, not as a selection.
    if (event->button() == Qt::LeftButton && ControlLineClick(event->position().toPoint())) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void TResultsGridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    PlaceFrozenHeader();
}

void TResultsGridView::wheelEvent(QWheelEvent* event)
{
    // The header lines do not scroll by themselves: the wheel turns the grid under them.
    if (m_grid != nullptr) {
        QApplication::sendEvent(m_grid->viewport(), event);
        return;
    }
    QTableView::wheelEvent(event);
}

} // namespace kinoval
