#include "core/export/serveur.h"

#include "core/common/numbers.h"
#include "core/results/grid.h"
#include "gui/common/qt_desktop_services.h"
#include "support/fake_table_source.h"
#include "support/scripted_user_dlg.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace kinoval {
namespace {

// The table reaches the desktop's clipboard intact: tabs, line breaks and accented descriptions.
TEST(ServeurClipboard, TheTableReachesTheQtClipboardIntact)
{
    SetDecimalSeparator(',');
    test::TFakeTableSource source(2, 3);
    source.Unmark(1, 1);
    results::TGrid grid(source);
    grid.SetVisible(true, results::kPositionCodes | results::kAccelerationCodes);
    grid.DateText = [] { return std::string("08/12/2026 10:00:00"); };
    TQtDesktopServices desktop;
    test::TScriptedUserDlg dlg;
    TServeur serveur(desktop, dlg);
    grid.CopyText("/usr/bin/kinoval", serveur);
    ASSERT_TRUE(serveur.ToClipboard(true, false));

    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_EQ(text, QString::fromStdString(serveur.Text()));
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 6 + 3);
    EXPECT_TRUE(lines[5].contains(QString::fromUtf8("Ordonnée objet 2")));
    EXPECT_TRUE(lines[4].contains(QString::fromUtf8("m/s²")));
    EXPECT_EQ(lines[7].split('\t').size(), 11);
    EXPECT_EQ(lines[7].split('\t')[3], "");
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    SetDecimalSeparator(0);
}

} // namespace
} // namespace kinoval
