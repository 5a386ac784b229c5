#include "gui/dialogs/names_dialog.h"

#include "core/document/data.h"
#include "gui/drawing/glyph_painter.h"
#include "modal_driver.h"
#include "support/fake_view.h"
#include "support/scripted_user_dlg.h"

#include <QHeaderView>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace kinoval {
namespace {

using Col = TNamesDialog::TColumn;

struct NamesDialogTest : ::testing::Test {
    test::TScriptedUserDlg dlg;
    test::TFakeView view;
    document::TData data { dlg, document::TDocumentSettings() };

    void SetUp() override
    {
        data.SetView(&view);
        data.SetObjectsPerFrame(3);
    }

    static QString Cell(const TNamesDialog& dialog, int row, int column)
    {
        const QTableWidgetItem* item = dialog.Grid().item(row, column);
        return item == nullptr ? QString() : item->text();
    }
};

TEST_F(NamesDialogTest, OneNumberedRowPerObjectThenTheAxesColourRow)
{
    TNamesDialog dialog(nullptr, data, false);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Modifier le nom et la couleur de chaque marque");
    ASSERT_EQ(dialog.ObjectRows(), 3);
    ASSERT_EQ(dialog.Grid().rowCount(), 4);
    EXPECT_EQ(dialog.Grid().horizontalHeaderItem(Col::kColumnGlyph)->text().toStdString(), "la marque");
    EXPECT_EQ(dialog.Grid().horizontalHeaderItem(Col::kColumnName)->text().toStdString(), "repère les positions");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(Cell(dialog, k, Col::kColumnNumber), QString::number(k + 1));
        EXPECT_EQ(Cell(dialog, k, Col::kColumnName).toStdString(), "du point n°" + std::to_string(k + 1));
        EXPECT_EQ(
            dialog.Grid().item(k, Col::kColumnColour)->background().color(), drawing::ToQColor(data.MarkColor(k)));
        EXPECT_EQ(dialog.Grid().item(k, Col::kColumnVisible)->checkState(), Qt::Checked);
    }
    EXPECT_EQ(Cell(dialog, 3, Col::kColumnGlyph).toStdString(), "Couleur des axes et de l'échelle");
    EXPECT_EQ(test::TextOf(dialog, "LabelHint"), "Les noms seront utilisés pour clarifier les résultats");
}

TEST_F(NamesDialogTest, NamesAreTrimmedAndStoredWhenTheDialogCloses)
{
    test::WhenModal([](QDialog& dialog) {
        auto& names = static_cast<TNamesDialog&>(dialog);
        names.Grid().item(0, Col::kColumnName)->setText(QStringLiteral("  d'une balle \t"));
        names.Grid().item(2, Col::kColumnName)->setText(QStringLiteral("du centre de la Terre"));
        dialog.reject(); // closing the window stores the names too
    });
    TNamesDialog::Run(nullptr, data, false);
    EXPECT_EQ(data.FixedSet().SystemName[0], "d'une balle");
    EXPECT_EQ(data.FixedSet().SystemName[1], "du point n°2");
    EXPECT_EQ(data.FixedSet().SystemName[2], "du centre de la Terre");
}

TEST_F(NamesDialogTest, ColourAndVisibilityCellsActAtOnce)
{
    int colourNotices = 0;
    TConnection listening = data.Changed.Connect(
        [&](const document::TDocChange& c) { colourNotices += c.kind == document::TDocChangeKind::Colour ? 1 : 0; });
    TNamesDialog dialog(nullptr, data, false);
    std::vector<TColor> offered;
    dialog.ChooseColour = [&](TColor current) -> std::optional<TColor> {
        offered.push_back(current);
        return offered.size() == 2 ? std::nullopt : std::optional<TColor>(0x00336699u); // the second is cancelled
    };
    const TColor before = data.MarkColor(1);
    dialog.CellClicked(1, Col::kColumnColour);
    EXPECT_EQ(offered.at(0), before);
    EXPECT_EQ(data.MarkColor(1), 0x00336699u);
    EXPECT_EQ(dialog.Grid().item(1, Col::kColumnColour)->background().color(), drawing::ToQColor(0x00336699u));

    dialog.CellClicked(0, Col::kColumnColour); // cancelled: unchanged
    EXPECT_EQ(data.MarkColor(0), offered.at(1));

    dialog.CellClicked(3, Col::kColumnColour); // the axes and the scale
    EXPECT_EQ(data.ElementColor(), 0x00336699u);
    EXPECT_EQ(colourNotices, 2);
    EXPECT_GT(view.repaints, 0);

    dialog.CellClicked(2, Col::kColumnVisible);
    EXPECT_FALSE(data.MarkVisible(2));
    EXPECT_EQ(dialog.Grid().item(2, Col::kColumnVisible)->checkState(), Qt::Unchecked);
    dialog.CellClicked(2, Col::kColumnVisible);
    EXPECT_TRUE(data.MarkVisible(2));
    dialog.CellClicked(2, Col::kColumnName); // a name cell only edits
    EXPECT_TRUE(data.MarkVisible(2));
}

TEST_F(NamesDialogTest, TransparentPointingNamesTheObjectAndTheBodyTheSheetFollows)
{
    TNamesDialog dialog(nullptr, data, true);
    ASSERT_EQ(dialog.ObjectRows(), 1);
    ASSERT_EQ(dialog.Grid().rowCount(), 2);
    EXPECT_EQ(Cell(dialog, 1, Col::kColumnNumber).toStdString(), "Le milieu du transparent suit les positions");
    EXPECT_EQ(Cell(dialog, 1, Col::kColumnName).toStdString(), "du point n°2");
    dialog.Grid().item(0, Col::kColumnName)->setText(QStringLiteral(" d'une bille "));
    dialog.Grid().item(1, Col::kColumnName)->setText(QStringLiteral("du wagon "));
    dialog.accept();
    EXPECT_EQ(data.TransparentSet().SystemName, std::vector<std::string>({ "d'une bille", "du wagon" }));
    // The fixed-frame names are another set's.
    EXPECT_EQ(data.FixedSet().SystemName[0], "du point n°1");
}

TEST_F(NamesDialogTest, TheHintRemindsOfTheArticleWhileANameIsEdited)
{
    TNamesDialog dialog(nullptr, data, false);
    dialog.show();
    dialog.Grid().setCurrentCell(0, Col::kColumnName); // moving onto a name opens its editor
    EXPECT_EQ(test::TextOf(dialog, "LabelHint"), "Ne pas oublier l'article devant le nom");
    // The name being typed when OK is pressed counts.
    auto* editor = qobject_cast<QLineEdit*>(dialog.Grid().indexWidget(dialog.Grid().currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("de la pointe d'un javelot  "));
    dialog.accept();
    EXPECT_EQ(data.FixedSet().SystemName[0], "de la pointe d'un javelot");
}

} // namespace
} // namespace kinoval
