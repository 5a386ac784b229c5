#pragma once
// The on-screen results grid: a table view over TResultsGridModel whose control line (line 0) takes
// clicks. Near a column's left edge a click removes one digit, near its right edge it adds one, anywhere
// else it hides the column; the fixed column and the time column are never hidden.
//
// The grid's own four header lines stand in for Qt's headers, which are switched off. So that they stay
// in sight while a long table scrolls, a second view of the same model lies over the top of the grid and
// shows them alone: it scrolls sideways with the grid and keeps its column widths. The clicks of the
// control line land on it.

#include <QTableView>

#include <functional>

namespace kinoval {

class TResultsGridModel;

enum class TControlClick { None, FewerDigits, MoreDigits, Hide };

// How wide the digit zones at either edge of a column are, in pixels.
inline constexpr int kDigitZoneWidth = 12;

// What a click at xInColumn pixels from the left edge of a column of the given width does; columns count
// as the grid shows them (0 the fixed column, 1 the time column).
TControlClick ControlLineAction(int column, int xInColumn, int columnWidth);

class TResultsGridView : public QTableView {
    Q_OBJECT
public:
    explicit TResultsGridView(QWidget* parent = nullptr);

    // Called after a click of the control line changed the table, so the owner can refill it.
    std::function<void()> OnControlLineChanged;

    void setModel(QAbstractItemModel* model) override;
    // The view of the header lines that lies over the grid.
    TResultsGridView* FrozenHeader() const { return m_frozen; }
    // Column widths for the numbers, the symbols and the units, with room for the three zones of the
    // control line; the descriptions wrap on their line, whose height follows the longest one.
    void FitColumns();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The view of the header lines.
    TResultsGridView(QWidget* parent, TResultsGridView* grid);
    void Setup();
    TResultsGridModel* GridModel() const;
    bool ControlLineClick(const QPoint& pos);
    void PlaceFrozenHeader();

    TResultsGridView* m_frozen = nullptr; // null in the header view itself
    TResultsGridView* m_grid = nullptr; // the grid a header view lies over
};

} // namespace kinoval
