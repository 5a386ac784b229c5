#include "gui/results/results_grid_view.h"

#include "gui/results/results_grid_model.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace kinoval {

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
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

TResultsGridModel* TResultsGridView::GridModel() const
{
    return qobject_cast<TResultsGridModel*>(model());
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

} // namespace kinoval
