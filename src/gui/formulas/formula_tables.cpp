#include "gui/formulas/formula_tables.h"

#include "core/formulas/formula_grid.h"
#include "core/results/grid.h"
#include "gui/common/qt_text.h"
#include "gui/drawing/glyph_painter.h"
#include "gui/results/results_grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>

namespace kinoval {

namespace {

using formulas::TConstantGrid;
using formulas::TFormulaGrid;

constexpr int kHeaderLines = TFormulaGrid::kHeaderLines;
// Data lines measured for a column's width.
constexpr int kMeasuredLines = 300;
// Comments wrap within this width rather than widen their column further.
constexpr int kCommentWidth = 140;

QVariant Centred()
{
    return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
}

} // namespace

// ------------------------------------------------------------------------------------ formula table

TFormulaGridModel::TFormulaGridModel(TFormulaGrid& grid, QObject* parent)
    : QAbstractTableModel(parent)
    , m_grid(grid)
{
}

int TFormulaGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.LineCount();
}

int TFormulaGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.ColCount();
}

QVariant TFormulaGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int line = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return Q(m_grid.CellText(column, line, true));
    case Qt::EditRole:
        return Q(m_grid.CellText(column, line, false));
    case Qt::BackgroundRole:
        if (line < kHeaderLines)
            return drawing::ToQColor(results::TGrid::HeaderLineColour(line));
        if (column == 0)
            return QApplication::palette().color(QPalette::Button);
        if (m_grid.IsHidden(column))
            return QApplication::palette().color(QPalette::Window);
        return {};
    case Qt::ToolTipRole:
        if (column == 0)
            return {};
        if (line == 0)
            return T(formulas::kHintControlLine);
        if (m_grid.IsNewColumn(column) && line < kHeaderLines)
            return T("Saisir une nouvelle formule, son unité et son commentaire");
        return T(formulas::kHintFormulaLines);
    case Qt::TextAlignmentRole:
        if (line < kHeaderLines || column == 0)
            return Centred();
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    default:
        return {};
    }
}

Qt::ItemFlags TFormulaGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && Editable && m_grid.IsEditable(index.column(), index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TFormulaGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const std::string typed = value.toString().toStdString();
    // An unchanged cell is no edit: the formula is not judged again.
    if (typed == m_grid.CellText(index.column(), index.row(), false))
        return false;
    const formulas::TEditOutcome outcome = m_grid.SetCell(index.column(), index.row(), typed);
    Refresh();
    if (OnEdited)
        OnEdited(outcome);
    return outcome.accepted;
}

void TFormulaGridModel::Refresh()
{
    beginResetModel();
    endResetModel();
}

// ---------------------------------------------------------------------------------- constants table

TConstantGridModel::TConstantGridModel(TConstantGrid& grid, QObject* parent)
    : QAbstractTableModel(parent)
    , m_grid(grid)
{
}

int TConstantGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.LineCount();
}

int TConstantGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : TConstantGrid::kColumns;
}

QVariant TConstantGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int line = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return Q(m_grid.CellText(line, column));
    case Qt::EditRole:
        return Q(m_grid.EditText(line, column));
    case Qt::BackgroundRole:
        if (line < TConstantGrid::kHeaderLines)
            return drawing::ToQColor(results::TGrid::HeaderLineColour(1));
        return {};
    case Qt::ToolTipRole:
        if (line < TConstantGrid::kHeaderLines)
            return {};
        return m_grid.IsNewLine(line)
            ? T("Saisir le nom, la valeur, l'unité et le commentaire d'une nouvelle constante")
            : T(formulas::kHintConstants);
    case Qt::TextAlignmentRole:
        if (line < TConstantGrid::kHeaderLines)
            return Centred();
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags TConstantGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && Editable && m_grid.IsEditable(index.row(), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TConstantGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const std::string typed = value.toString().toStdString();
    if (typed == m_grid.EditText(index.row(), index.column()))
        return false;
    const formulas::TEditOutcome outcome = m_grid.SetCell(index.row(), index.column(), typed);
    Refresh();
    if (OnEdited)
        OnEdited(outcome);
    return outcome.accepted;
}

void TConstantGridModel::Refresh()
{
    beginResetModel();
    endResetModel();
}

// ------------------------------------------------------------------------------------- formula view

TFormulaGridView::TFormulaGridView(QWidget* parent)
    : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void TFormulaGridView::FitColumns()
{
    QAbstractItemModel* m = model();
    if (m == nullptr)
        return;
    const QFontMetrics metrics = fontMetrics();
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    const int lines = m->rowCount();
    int commentHeight = 0;
    for (int column = 0; column < m->columnCount(); ++column) {
        int width = 0;
        const auto measure = [&](int line) {
            width = std::max(width, metrics.horizontalAdvance(m->data(m->index(line, column)).toString()));
        };
        for (int line = 0; line < lines && line < kHeaderLines + kMeasuredLines; ++line) {
            if (line != TFormulaGrid::kCommentLine)
                measure(line);
        }
        if (lines > kHeaderLines + kMeasuredLines)
            measure(lines - 1);
        const QString comment = lines > TFormulaGrid::kCommentLine
            ? m->data(m->index(TFormulaGrid::kCommentLine, column)).toString()
            : "";
        width = std::max(width, std::min(metrics.horizontalAdvance(comment), kCommentWidth));
        width += padding;
        if (column >= 1)
            width = std::max(width, 3 * kDigitZoneWidth + 20);
        // The new formula's column has room for what is typed there.
        if (column == m->columnCount() - 1)
            width = std::max(width, 120);
        setColumnWidth(column, width);
        if (!comment.isEmpty()) {
            const QRect box = metrics.boundingRect(QRect(0, 0, width - padding, 10000), Qt::TextWordWrap, comment);
            commentHeight = std::max(commentHeight, box.height());
        }
    }
    if (lines > TFormulaGrid::kCommentLine)
        setRowHeight(TFormulaGrid::kCommentLine, std::max(verticalHeader()->defaultSectionSize(), commentHeight + 6));
}

bool TFormulaGridView::ControlLineClick(const QPoint& pos, Qt::MouseButton button)
{
    auto* grid = qobject_cast<TFormulaGridModel*>(model());
    const QModelIndex index = indexAt(pos);
    if (grid == nullptr || !index.isValid() || index.row() != 0)
        return false;
    const int column = index.column();
    TFormulaGrid& g = grid->Grid();
    if (button == Qt::RightButton) {
        if (!CanDelete || g.FormulaOf(column) < 0)
            return true;
        g.DeleteColumn(column);
    } else {
        if (g.IsNewColumn(column))
            return true;
        const int x = pos.x() - columnViewportPosition(column);
        switch (ControlLineAction(column, x, columnWidth(column))) {
        case TControlClick::FewerDigits:
            g.FewerDigits(column);
            break;
        case TControlClick::MoreDigits:
            g.MoreDigits(column);
            break;
        case TControlClick::Hide:
            g.ToggleColumn(column);
            break;
        case TControlClick::None:
            return true;
        }
    }
    grid->Refresh();
    if (OnControlLineChanged)
        OnControlLineChanged();
    return true;
}

void TFormulaGridView::mousePressEvent(QMouseEvent* event)
{
    if ((event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        && ControlLineClick(event->position().toPoint(), event->button())) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TFormulaGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A quick second click on the control line counts as one more click.
    if (event->button() == Qt::LeftButton && ControlLineClick(event->position().toPoint(), event->button())) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

} // namespace kinoval
