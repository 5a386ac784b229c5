#include "core/export/table_hand_over.h"

#include "core/common/numbers.h"
#include "core/export/serveur.h"
#include "core/export/workbook.h"
#include "core/results/grid.h"
#include "support/fake_desktop_services.h"
#include "support/fake_table_source.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kinoval {
namespace {

class TCountingWriter : public TWorkbookWriter {
public:
    int Write(const std::string&, const std::string&, const TWorkbookCells& cells) override
    {
        lines = cells.size();
        return 0;
    }
    std::size_t lines = 0;
};

// The commands read the current table: the transparent one in transparent mode.
TEST(TableHandOver, EachCommandFillsTheBufferForItsDestination)
{
    SetDecimalSeparator('.');
    test::TFakeTableSource camera(1, 3), transparent(2, 4);
    results::TResGrid grids(camera, transparent);
    bool transparentMode = true;
    grids.IsTransparentMode = [&] { return transparentMode; };
    grids.Transparent().SetVisible(true, results::kPositionCodes);
    test::TFakeDesktopServices desktop;
    test::TScriptedUserDlg dlg;
    TServeur serveur(desktop, dlg);
    TCountingWriter writer;
    serveur.SetWorkbookWriter(&writer);
    test::TTempDir dir;
    serveur.WorkFolder = dir.Path().string();
    TTableHandOver handOver(grids, serveur, "/usr/bin/kinoval");

    ASSERT_TRUE(handOver.CopyTable());
    EXPECT_EQ(desktop.clipboard.substr(0, 17), "/usr/bin/kinoval\n");
    EXPECT_EQ(serveur.Lines().size(), 6u + 4u);
    EXPECT_EQ(serveur.Lines()[3], "t\tx1\ty1\tx2\ty2");
    EXPECT_EQ(dlg.LastRun().Texts().back(), "Les éléments des colonnes sont séparés par des tabulations");

    ASSERT_TRUE(handOver.CopyPython());
    EXPECT_EQ(desktop.clipboard.substr(0, 7), "t = [0.");
    EXPECT_EQ(serveur.Lines().size(), 5u);

    desktop.saveAnswers.push_back(dir.File("t"));
    ASSERT_TRUE(handOver.ExportTextFile());
    std::ifstream file(dir.File("t.txt"));
    std::string first;
    std::getline(file, first);
    EXPECT_EQ(first, "/usr/bin/kinoval");

    desktop.saveAnswers.push_back(dir.File("t.csv"));
    EXPECT_TRUE(handOver.ExportCsvFile());

    EXPECT_EQ(handOver.ToExcel(), seNone);
    EXPECT_EQ(writer.lines, 4u + 4u);
    transparentMode = false;
    desktop.programsOnPath.insert("soffice");
    EXPECT_EQ(handOver.ToLibreOffice(), seNone);
    EXPECT_EQ(writer.lines, 4u + 3u);

    // Regressi receives the number of columns of the table it was given: 5, so no many-columns question.
    transparentMode = true;
    std::ofstream(dir.File("Regressi.exe")) << "MZ";
    serveur.SetRegressiPath(dir.File("Regressi.exe"));
    desktop.programsOnPath.insert("wine");
    const std::size_t runs = dlg.RunCount();
    EXPECT_EQ(handOver.ToRegressi(), rrStarted);
    EXPECT_EQ(dlg.RunCount(), runs + 1);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(serveur.Lines()[1], "");
    EXPECT_EQ(serveur.Lines()[3], "t\tx1\ty1\tx2\ty2");
    SetDecimalSeparator(0);
}

} // namespace
} // namespace kinoval
