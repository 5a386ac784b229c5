#pragma once
// The results table as a Qt item model, for the on-screen grid of the results window.
//
// The model borrows one TGrid and shows its formatted texts: line 0 is the control line (the window puts
// its narrowing, widening and hiding controls on it), lines 1 to 3 the symbols, units and descriptions,
// then one line per row; column 0 is the fixed column of row numbers. Backgrounds follow the table's
// colours. Refresh() after a recomputation or a change of visibility; the digit and hiding operations
// refresh by themselves. SetGrid switches to the other mark set's table (the results window follows the
// view's marking mode).

#include <QAbstractTableModel>

namespace kinoval::results {
class TGrid;
}

namespace kinoval {

class TResultsGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TResultsGridModel(results::TGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    results::TGrid& Grid() { return *m_grid; }
    // Shows another table; the view is reset.
    void SetGrid(results::TGrid& grid);

public slots:
    void Refresh();
    void FewerDigits(int column);
    void MoreDigits(int column);
    void HideColumn(int column);

private:
    results::TGrid* m_grid;
};

} // namespace kinoval
