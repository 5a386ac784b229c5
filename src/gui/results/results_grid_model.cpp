#include "gui/results/results_grid_model.h"

#include "core/common/texts.h"
#include "core/results/grid.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace kinoval {

namespace {

QColor ToQColor(TColor colour)
{
    return QColor(static_cast<int>(RedOf(colour)), static_cast<int>(GreenOf(colour)), static_cast<int>(BlueOf(colour)));
}

} // namespace

TResultsGridModel::TResultsGridModel(results::TGrid& grid, QObject* parent)
    : QAbstractTableModel(parent)
    , m_grid(&grid)
{
    m_grid->Layout();
}

void TResultsGridModel::SetGrid(results::TGrid& grid)
{
    beginResetModel();
    m_grid = &grid;
    m_grid->Layout();
    endResetModel();
}

int TResultsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid->LineCount();
}

int TResultsGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid->ColCount();
}

QVariant TResultsGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int line = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(m_grid->CellText(column, line, true));
    case Qt::BackgroundRole:
        if (line < results::TGrid::kHeaderLines)
            return ToQColor(results::TGrid::HeaderLineColour(line));
        if (column < results::TGrid::kFixedCols)
            return QApplication::palette().color(QPalette::Button);
        return ToQColor(m_grid->ColumnColour(column));
    case Qt::ToolTipRole:
        // The control line carries no text: its tip says what a click does there.
        if (line == 0 && column >= results::TGrid::kFixedCols)
            return QString::fromStdString(Tr("Près du bord gauche : un chiffre de moins ; près du bord droit : un "
                                             "chiffre de plus ; ailleurs : cacher la colonne"));
        return {};
    case Qt::TextAlignmentRole:
        // Numbers line up on their last digit; the header texts are centred over them.
        if (line < results::TGrid::kHeaderLines || column < results::TGrid::kFixedCols)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    default:
        return {};
    }
}

void TResultsGridModel::Refresh()
{
    beginResetModel();
    m_grid->Layout();
    endResetModel();
}

void TResultsGridModel::FewerDigits(int column)
{
    m_grid->FewerDigits(column);
    emit dataChanged(index(results::TGrid::kHeaderLines, column), index(rowCount() - 1, column));
}

void TResultsGridModel::MoreDigits(int column)
{
    m_grid->MoreDigits(column);
    emit dataChanged(index(results::TGrid::kHeaderLines, column), index(rowCount() - 1, column));
}

void TResultsGridModel::HideColumn(int column)
{
    m_grid->HideColumn(column);
    Refresh();
}

} // namespace kinoval
