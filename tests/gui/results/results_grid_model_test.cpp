#include "gui/results/results_grid_model.h"

#include "core/common/numbers.h"
#include "core/results/grid.h"
#include "support/fake_table_source.h"

#include <QColor>

#include <gtest/gtest.h>

namespace kinoval {
namespace {

using namespace results;

TEST(ResultsGridModel, ShowsTheFormattedTableWithItsColours)
{
    SetDecimalSeparator(',');
    test::TFakeTableSource source(2, 3);
    source.Set(0, 1, 0, 1.0 / 3);
    source.Unmark(1, 2);
    TGrid grid(source);
    grid.SetVisible(true, kPositionCodes | kVelocityCodes);
    TResultsGridModel model(grid);
    EXPECT_EQ(model.rowCount(), 4 + 3);
    EXPECT_EQ(model.columnCount(), 1 + 1 + 4 + 6);
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), "x1");
    EXPECT_EQ(model.data(model.index(2, 7)).toString(), "m/s");
    EXPECT_EQ(model.data(model.index(4, 2)).toString(), "0,333");
    EXPECT_EQ(model.data(model.index(6, 0)).toString(), "3");
    EXPECT_EQ(model.data(model.index(6, 4)).toString(), "");
    EXPECT_EQ(model.data(model.index(0, 3)).toString(), "");

    EXPECT_EQ(model.data(model.index(0, 2), Qt::BackgroundRole).value<QColor>(), QColor(0xEB, 0xEB, 0xEB));
    EXPECT_EQ(model.data(model.index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(0xE2, 0xDB, 0xE2));
    EXPECT_EQ(model.data(model.index(2, 2), Qt::BackgroundRole).value<QColor>(), QColor(0xDB, 0xDF, 0xE2));
    EXPECT_EQ(model.data(model.index(4, 2), Qt::BackgroundRole).value<QColor>(), QColor(0xF8, 0xF8, 0xFF));
    EXPECT_EQ(model.data(model.index(4, 6), Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xFA, 0xFA));
    EXPECT_EQ(model.data(model.index(4, 1), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
    SetDecimalSeparator(0);
}

TEST(ResultsGridModel, DigitsAndHidingUpdateTheView)
{
    SetDecimalSeparator('.');
    test::TFakeTableSource source(1, 2);
    source.Set(0, 1, 0, 1.0 / 3);
    TGrid grid(source);
    grid.SetVisible(true, kPositionCodes);
    TResultsGridModel model(grid);
    int changed = 0, reset = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changed; });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++reset; });
    model.MoreDigits(2);
    model.MoreDigits(2);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(model.data(model.index(4, 2)).toString(), "0.33333");
    model.FewerDigits(2);
    EXPECT_EQ(model.data(model.index(4, 2)).toString(), "0.3333");

    model.HideColumn(2);
    EXPECT_EQ(reset, 1);
    EXPECT_EQ(model.columnCount(), 1 + 2);
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), "y");
    SetDecimalSeparator(0);
}

} // namespace
} // namespace kinoval
