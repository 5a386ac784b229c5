#pragma once
// The on-screen results grid: a table view over TResultsGridModel whose control line (line 0) takes
// clicks. Near a column's left edge a click removes one digit, near its right edge it adds one, anywhere
// else it hides the column; the fixed column and the time column are never hidden. The grid's own header
// lines stand in for Qt's headers, which are switched off.

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

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TResultsGridModel* GridModel() const;
    bool ControlLineClick(const QPoint& pos);
};

} // namespace kinoval
