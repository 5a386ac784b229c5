#pragma once
// The two tables of the formulas window as Qt item models, and the view of the formula table whose
// control line takes clicks.
//
// TFormulaGridModel borrows the window's TFormulaGrid: its cells, formatted for the screen, with the
// formula, unit and comment lines editable (while the settings allow the formulas to be changed); a typed
// cell goes to the grid, which judges it, and the outcome is handed to the window (OnEdited) to tell the
// user what was refused. TConstantGridModel does the same for the constants. TFormulaGridView turns the
// clicks of line 0 into the grid's digits, hiding and deleting: near a column's left edge one digit less,
// near its right edge one more, elsewhere the column is hidden or shown again; the right button deletes the
// formula.

#include "core/formulas/formules.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>

namespace kinoval::formulas {
class TConstantGrid;
class TFormulaGrid;
} // namespace kinoval::formulas

namespace kinoval {

class TFormulaGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TFormulaGridModel(formulas::TFormulaGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    formulas::TFormulaGrid& Grid() { return m_grid; }
    // Whether typing changes the formulas ("Permettre la modification des formules").
    bool Editable = true;
    // What became of a typed cell; the model has been refreshed already.
    std::function<void(const formulas::TEditOutcome&)> OnEdited;

public slots:
    void Refresh();

private:
    formulas::TFormulaGrid& m_grid;
};

class TConstantGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TConstantGridModel(formulas::TConstantGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    formulas::TConstantGrid& Grid() { return m_grid; }
    bool Editable = true;
    std::function<void(const formulas::TEditOutcome&)> OnEdited;

public slots:
    void Refresh();

private:
    formulas::TConstantGrid& m_grid;
};

class TFormulaGridView : public QTableView {
    Q_OBJECT
public:
    explicit TFormulaGridView(QWidget* parent = nullptr);

    // After a click of the control line changed the table (digits, hiding, deletion).
    std::function<void()> OnControlLineChanged;
    // Whether the right button may delete a formula.
    bool CanDelete = true;
    // Column widths for the texts they hold, with room for the control line's three zones.
    void FitColumns();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool ControlLineClick(const QPoint& pos, Qt::MouseButton button);
};

} // namespace kinoval
