#include "core/export/serveur.h"

#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "core/export/workbook.h"
#include "support/fake_desktop_services.h"
#include "support/run_command.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kinoval {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A clipboard owned by another program that ignores what we put on it.
class TRefusingClipboard : public test::TFakeDesktopServices {
public:
    void SetClipboardText(const std::string&) override { }
    std::string ClipboardText() const override { return "someone else's"; }
};

class TRecordingWriter : public TWorkbookWriter {
public:
    int Write(const std::string& path, const std::string& sheetName, const TWorkbookCells& cells) override
    {
        paths.push_back(path);
        sheet = sheetName;
        written = cells;
        return result;
    }
    int result = 0;
    std::vector<std::string> paths;
    std::string sheet;
    TWorkbookCells written;
};

class ServeurTest : public ::testing::Test {
protected:
    ServeurTest()
    {
        SetDecimalSeparator('.');
        serveur.OnRegressiPathChanged = [this](const std::string& path) { storedPaths.push_back(path); };
        serveur.OnFolderUsed = [this](const std::string& folder) { usedFolders.push_back(folder); };
        serveur.WorkFolder = dir.Path().string();
        serveur.SetWorkbookWriter(&writer);
        serveur.RegressiSearchFolders.clear();
    }
    ~ServeurTest() override { SetDecimalSeparator(0); }

    void Fill(const Lines& lines)
    {
        serveur.Clear();
        for (const auto& line : lines)
            serveur.AddLine(line);
    }
    // The six lines before the data of a tab-separated copy.
    static Lines Head()
    {
        return { "/usr/bin/kinoval", "08/12/2026", "Angle : 0 rad", "t\tx", "s\tm", "temps\tAbscisse" };
    }
    std::string MakeRegressi(const std::string& name = "Regressi.exe")
    {
        const std::string path = dir.File(name);
        std::ofstream(path) << "MZ";
        return path;
    }

    test::TTempDir dir;
    test::TFakeDesktopServices desktop;
    test::TScriptedUserDlg dlg;
    TRecordingWriter writer;
    TServeur serveur { desktop, dlg };
    std::vector<std::string> storedPaths;
    std::vector<std::string> usedFolders;
};

TEST_F(ServeurTest, ClipboardMessagesForBothFlavours)
{
    Fill({ "a\tb", "1\t2" });
    EXPECT_TRUE(serveur.ToClipboard(true, false));
    EXPECT_EQ(desktop.clipboard, "a\tb\n1\t2");
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (Lines { "Copie dans le presse-papier effectuée.", "",
            "Après avoir fermé cette fenêtre, ouvrir un logiciel et frapper au clavier simultanément Ctrl + V "
            "(ou menu Edition > Coller).",
            "", "Les éléments des colonnes sont séparés par des tabulations" }));
    EXPECT_TRUE(serveur.ToClipboard(true, true));
    EXPECT_EQ(dlg.LastRun().Texts().size(), 3u);
    EXPECT_TRUE(serveur.ToClipboard(false, false));
    EXPECT_EQ(dlg.RunCount(), 2u);
}

TEST_F(ServeurTest, ClipboardFailureIsReportedNotClaimed)
{
    TRefusingClipboard refusing;
    TServeur other(refusing, dlg);
    other.AddLine("x");
    EXPECT_FALSE(other.ToClipboard(false, false));
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().Texts(), (Lines { "La copie du fichier dans le presse-papier a échoué." }));
}

TEST_F(ServeurTest, TextFileForcesTxtAndRemembersTheFolder)
{
    serveur.LastFolder = "/home/eleve";
    Fill({ "t\tx", "0\t1" });
    desktop.saveAnswers.push_back(dir.File("mesures.csv"));
    EXPECT_TRUE(serveur.ToTextFile());
    ASSERT_EQ(desktop.saveRequests.size(), 1u);
    const TFileDialogRequest& request = desktop.saveRequests[0];
    EXPECT_EQ(request.title, "Exporter dans un fichier texte");
    EXPECT_EQ(request.filter, "Texte séparé par des tabulations (*.txt)");
    EXPECT_EQ(request.proposedName, "Tableau");
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_EQ(request.folder, "/home/eleve");
    EXPECT_FALSE(fs::exists(dir.File("mesures.csv")));
    EXPECT_EQ(ReadFile(dir.File("mesures.txt")), "t\tx\n0\t1\n");
    EXPECT_EQ(serveur.LastFolder, dir.Path().string());
    EXPECT_EQ(usedFolders, (Lines { dir.Path().string() }));
    EXPECT_EQ(dlg.LastRun().Texts(),
        (Lines { "Enregistrement dans un fichier texte effectué.", "Le fichier porte l'extension TXT." }));

    // "Tableau.TXT" keeps its name.
    desktop.saveAnswers.push_back(dir.File("Tableau.TXT"));
    EXPECT_TRUE(serveur.ToTextFile());
    EXPECT_TRUE(fs::exists(dir.File("Tableau.TXT")));
}

TEST_F(ServeurTest, TextFileAsksBeforeReplacingAFileTheUserDidNotName)
{
    std::ofstream(dir.File("notes.txt")) << "précieux";
    Fill({ "t", "0" });
    desktop.saveAnswers.push_back(dir.File("notes.dat"));
    dlg.Script(0); // Annuler
    EXPECT_FALSE(serveur.ToTextFile());
    EXPECT_EQ(ReadFile(dir.File("notes.txt")), "précieux");
    EXPECT_EQ(dlg.LastRun().Captions(), (Lines { "Annuler", "Remplacer" }));
    EXPECT_EQ(dlg.LastRun().Texts(), (Lines { "Le fichier notes.txt existe déjà.", "Voulez-vous le remplacer ?" }));

    desktop.saveAnswers.push_back(dir.File("notes.dat"));
    dlg.Script(1); // Remplacer
    EXPECT_TRUE(serveur.ToTextFile());
    EXPECT_EQ(ReadFile(dir.File("notes.txt")), "t\n0\n");
}

TEST_F(ServeurTest, TextFileWriteFailureAndCancel)
{
    Fill({ "t" });
    EXPECT_FALSE(serveur.ToTextFile()); // cancelled dialog: no message
    EXPECT_EQ(dlg.RunCount(), 0u);
    desktop.saveAnswers.push_back(dir.File("missing/folder/t.txt"));
    EXPECT_FALSE(serveur.ToTextFile());
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (Lines { "La création du fichier dans le répertoire choisi a échoué.",
            "Vérifiez vos droits d'accès à ce répertoire.", "Ce fichier ou ce dossier n'existe pas." }));
    EXPECT_TRUE(usedFolders.empty());
}

TEST_F(ServeurTest, RegressiNotFoundOffersTheSearch)
{
    serveur.SetRegressiPath(dir.File("gone/Regressi.exe"));
    storedPaths.clear();
    const std::string found = MakeRegressi("REGRESSI.EXE");
    desktop.openAnswers.push_back(found);
    Fill(Head());
    EXPECT_EQ(serveur.ToRegressi(2), rrNotFound);
    EXPECT_EQ(storedPaths, (Lines { "", found }));
    EXPECT_EQ(serveur.RegressiPath(), found);
    ASSERT_EQ(dlg.RunCount(), 1u);
    const auto& run = dlg.LastRun();
    EXPECT_EQ(run.icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(run.Captions(), (Lines { "Ok", "Annuler" }));
    EXPECT_EQ(run.Texts(),
        (Lines { "La copie a été annulée car Regressi est introuvable.",
            "Veuillez suivre la procédure suivante :", "utilisez le bouton « Rechercher » dans la prochaine fenêtre",
            "si la recherche est fructueuse, utilisez le bouton « Ouvrir »",
            "Enfin, relancez la copie annulée (Edition > copier et lancer > Regressi)." }));
    EXPECT_EQ(run.lines[2].kind, lkIndented);
    EXPECT_EQ(run.lines[4].kind, lkParagraph);
    ASSERT_EQ(desktop.openRequests.size(), 1u);
    EXPECT_NE(desktop.openRequests[0].filter.find("Regressi.exe"), std::string::npos);
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_TRUE(desktop.clipboard.empty());
}

TEST_F(ServeurTest, RegressiSearchOpensWhereWineHoldsIt)
{
    const fs::path folder = dir.Path() / "drive_c" / "Program Files" / "Regressi";
    fs::create_directories(folder);
    std::ofstream(folder / "Regressi.exe") << "MZ";
    serveur.RegressiSearchFolders = { (dir.Path() / "drive_c").string() };
    desktop.openAnswers.push_back((folder / "Regressi.exe").string());
    EXPECT_EQ(serveur.ToRegressi(2), rrNotFound);
    ASSERT_EQ(desktop.openRequests.size(), 1u);
    EXPECT_EQ(desktop.openRequests[0].folder, folder.string());
    EXPECT_EQ(desktop.openRequests[0].proposedName, "Regressi.exe");
    EXPECT_EQ(serveur.RegressiPath(), (folder / "Regressi.exe").string());
}

TEST_F(ServeurTest, RegressiSearchCancelledOrWrongFile)
{
    // A file of another name is no Regressi, even if it exists.
    serveur.SetRegressiPath(MakeRegressi("Excel.exe"));
    dlg.Script(1); // Annuler: no search
    EXPECT_EQ(serveur.ToRegressi(2), rrNotFound);
    EXPECT_TRUE(desktop.openRequests.empty());
    EXPECT_EQ(serveur.RegressiPath(), "");

    desktop.openAnswers.push_back(MakeRegressi("Regressi.txt"));
    EXPECT_EQ(serveur.ToRegressi(2), rrNotFound);
    EXPECT_EQ(desktop.openRequests.size(), 1u);
    EXPECT_EQ(serveur.RegressiPath(), "");
}

TEST_F(ServeurTest, RegressiPathLivesInTheSettingsFile)
{
    TIniFile ini;
    ini.WriteString("Options", "CheckBox1_Checked", "1");
    serveur.SetRegressiPath("/opt/wine/Regressi.exe");
    serveur.WriteSettings(ini);
    EXPECT_EQ(ini.ReadString("ResultsForm", "Regressi", "?"), "/opt/wine/Regressi.exe");
    TServeur other(desktop, dlg);
    other.ReadSettings(ini);
    EXPECT_EQ(other.RegressiPath(), "/opt/wine/Regressi.exe");
    // An invalid path is cleared in the settings as well.
    other.OnRegressiPathChanged = [&](const std::string&) { other.WriteSettings(ini); };
    EXPECT_EQ(other.ToRegressi(2), rrNotFound);
    EXPECT_EQ(ini.ReadString("ResultsForm", "Regressi", "?"), "");
    EXPECT_EQ(ini.ReadString("Options", "CheckBox1_Checked", "?"), "1");
}

TEST_F(ServeurTest, RegressiAsksAboveSixteenColumns)
{
    serveur.SetRegressiPath(MakeRegressi());
    desktop.programsOnPath.insert("wine");
    Fill(Head());
    EXPECT_EQ(serveur.ToRegressi(16), rrStarted);
    EXPECT_EQ(dlg.RunCount(), 1u); // only the closing information
    dlg.ClearRuns();

    Fill(Head());
    desktop.clipboard.clear();
    dlg.Script(0); // Annuler
    EXPECT_EQ(serveur.ToRegressi(17), rrCancelled);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Captions(), (Lines { "Annuler", "Ok" }));
    EXPECT_EQ(dlg.LastRun().Texts(),
        (Lines { "Regressi n'accepte pas un nombre élevé de variables (> 16).",
            "Le résultat du copier-coller risque d'être aléatoire." }));
    EXPECT_TRUE(desktop.clipboard.empty());

    dlg.Script(1); // Ok
    EXPECT_EQ(serveur.ToRegressi(17), rrStarted);
}

TEST_F(ServeurTest, RegressiClipboardAndStartThroughWine)
{
    const std::string exe = MakeRegressi();
    serveur.SetRegressiPath(exe);
    desktop.programsOnPath.insert("wine");
    Lines lines = Head();
    lines.push_back("0\t1");
    lines.push_back("0.04\t2");
    Fill(lines);
    EXPECT_EQ(serveur.ToRegressi(2), rrStarted);
    // The date line is emptied.
    EXPECT_EQ(desktop.clipboard, "/usr/bin/kinoval\n\nAngle : 0 rad\nt\tx\ns\tm\ntemps\tAbscisse\n0\t1\n0.04\t2");
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].program, "wine");
    EXPECT_EQ(desktop.started[0].arguments, (Lines { exe }));
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
}

TEST_F(ServeurTest, RegressiWithoutWineLeavesTheTableOnTheClipboard)
{
    serveur.SetRegressiPath(MakeRegressi());
    Fill(Head());
    EXPECT_EQ(serveur.ToRegressi(2), rrCannotRun);
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_NE(desktop.clipboard.find("temps\tAbscisse"), std::string::npos);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_NE(dlg.LastRun().JoinedText().find("ne peut pas être lancé sur cet ordinateur"), std::string::npos);
    EXPECT_NE(dlg.LastRun().JoinedText().find("presse-papier"), std::string::npos);

    desktop.programsOnPath.insert("wine");
    desktop.startProgramSucceeds = false;
    Fill(Head());
    EXPECT_EQ(serveur.ToRegressi(2), rrStartFailed);
    EXPECT_EQ(dlg.LastRun().Texts()[0], "Une erreur a été détectée. Impossible de lancer Regressi.");
}

TEST_F(ServeurTest, RegressiEmptyCellScan)
{
    serveur.SetRegressiPath(MakeRegressi());
    desktop.programsOnPath.insert("wine");

    // Empty cells only in the last column: no question.
    Lines lines = Head();
    lines.push_back("0\t1\t");
    lines.push_back("0.04\t2\t");
    Fill(lines);
    EXPECT_EQ(serveur.ToRegressi(3), rrStarted);
    EXPECT_EQ(dlg.RunCount(), 1u);
    dlg.ClearRuns();

    // "Continuer" asks again at the next such line; "Substituer" fills that line and all after it.
    lines = Head();
    lines.push_back("0\t\t1"); // asked, kept
    lines.push_back("1\t2\t3");
    lines.push_back("2\t\t\t\t5"); // asked, substituted
    lines.push_back("3\t\t4\t");
    Fill(lines);
    dlg.Script(0); // Continuer
    dlg.Script(1); // Substituer
    EXPECT_EQ(serveur.ToRegressi(3), rrStarted);
    ASSERT_EQ(dlg.RunCount(), 3u);
    EXPECT_EQ(dlg.Runs()[0].Captions(), (Lines { "Continuer", "Substituer" }));
    EXPECT_EQ(dlg.Runs()[0].Texts(),
        (Lines { "Le tableau contient des valeurs non définies.",
            "Une version ancienne de Regressi risque de mal interpréter une de ces "
            "valeurs.",
            "Substituer les valeurs non définies par des zéros ?" }));
    const Lines& out = serveur.Lines();
    EXPECT_EQ(out[6], "0\t\t1");
    EXPECT_EQ(out[7], "1\t2\t3");
    EXPECT_EQ(out[8], "2\t0\t0\t0\t5");
    EXPECT_EQ(out[9], "3\t0\t4\t");
}

TEST(RegressiSubstitution, EveryEmptyCellOfARunGetsItsZero)
{
    // Three tabs in a row hold two empty cells; both become zeros, none is skipped.
    EXPECT_EQ(TServeur::SubstituteEmptyCells("1\t\t\t4"), "1\t0\t0\t4");
    EXPECT_EQ(TServeur::SubstituteEmptyCells("\t\t\t"), "\t0\t0\t");
    EXPECT_EQ(TServeur::SubstituteEmptyCells("1\t2"), "1\t2");
    EXPECT_EQ(TServeur::SubstituteEmptyCells("1\t"), "1\t");
}

TEST(WorkbookCells, HeadersAsTextDataAsNumbers)
{
    SetDecimalSeparator(',');
    const TStringMatrix matrix { { "Angle", "0,5" }, { "t", "x" }, { "s", "m" }, { "temps", "" }, { "0", "1,5" },
        { "0,04", "" }, { "0,08", "#Nombre!" }, { "1E-5", "abc" } };
    const TWorkbookCells cells = ToWorkbookCells(matrix);
    SetDecimalSeparator(0);
    using K = TWorkbookCell::Kind;
    EXPECT_EQ(cells[0][1].kind, K::Text);
    EXPECT_EQ(cells[0][1].text, "0,5");
    EXPECT_EQ(cells[3][1].kind, K::Empty);
    EXPECT_EQ(cells[4][1].kind, K::Number);
    EXPECT_EQ(cells[4][1].number, 1.5);
    EXPECT_EQ(cells[5][1].kind, K::Empty);
    EXPECT_EQ(cells[6][1].kind, K::Empty);
    EXPECT_EQ(cells[7][0].kind, K::Number);
    EXPECT_EQ(cells[7][0].number, 1e-5);
    EXPECT_EQ(cells[7][1].kind, K::Empty);
}

TEST_F(ServeurTest, ExcelEntryWritesAWorkbookAndOpensIt)
{
    const TStringMatrix matrix { { "", "" }, { "t", "x" }, { "s", "m" }, { "temps", "Abscisse" }, { "0", "1.5" } };
    EXPECT_EQ(serveur.ToExcel(matrix), seNone);
    ASSERT_EQ(writer.paths.size(), 1u);
    EXPECT_EQ(writer.paths[0], dir.File("Kinoval-Tableau-1.xlsx"));
    EXPECT_EQ(writer.sheet, "Kinoval");
    EXPECT_EQ(writer.written[4][1].number, 1.5);
    EXPECT_EQ(desktop.openedWithDefault, (Lines { writer.paths[0] }));
    EXPECT_EQ(dlg.RunCount(), 0u);

    std::ofstream(writer.paths[0]) << "x"; // the next workbook takes the next free name
    desktop.openWithDefaultSucceeds = false;
    EXPECT_EQ(serveur.ToExcel(matrix), seNotOpened);
    EXPECT_EQ(writer.paths[1], dir.File("Kinoval-Tableau-2.xlsx"));
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().Texts()[0], "Une erreur a été détectée.");
    EXPECT_EQ(dlg.LastRun().Texts()[1], "La connection avec Excel n'a pas été établie.");

    writer.result = 1;
    desktop.openedWithDefault.clear();
    EXPECT_EQ(serveur.ToExcel(matrix), seWriteFailed);
    EXPECT_TRUE(desktop.openedWithDefault.empty());
}

TEST_F(ServeurTest, LibreOfficeEntryReportsEachStep)
{
    const TStringMatrix matrix { { "" }, { "t" }, { "s" }, { "temps" }, { "0" } };
    EXPECT_EQ(serveur.ToLibreOffice(matrix), seNoProgram);
    EXPECT_EQ(dlg.LastRun().Texts()[0], "Une erreur a été détectée.");
    EXPECT_TRUE(writer.paths.empty());

    desktop.programsOnPath.insert("soffice");
    EXPECT_EQ(serveur.ToLibreOffice(matrix), seNone);
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].program, "soffice");
    EXPECT_EQ(desktop.started[0].arguments, (Lines { "--calc", writer.paths[0] }));

    desktop.startProgramSucceeds = false;
    EXPECT_EQ(serveur.ToLibreOffice(matrix), seNotOpened);
    EXPECT_EQ(dlg.LastRun().Texts(), (Lines { "Le tableur n'a pas pu être ouvert." }));

    writer.result = 1;
    EXPECT_EQ(serveur.ToLibreOffice(matrix), seWriteFailed);
    EXPECT_EQ(dlg.LastRun().Texts(), (Lines { "L'écriture dans une cellule a échouée." }));
}

TEST_F(ServeurTest, CsvFileReadByPython)
{
    SetDecimalSeparator(',');
    const TStringMatrix matrix { { "Angle de rotation (rad) : ", "0,5", "" }, { "t", "x", "y" }, { "s", "m", "m" },
        { "temps", "Abscisse \"A\", rouge", "Ordonnée A" }, { "0", "1,5", "" }, { "0,04", "#Nombre!", "-2E-7" } };
    desktop.saveAnswers.push_back(dir.File("tableau"));
    EXPECT_TRUE(serveur.ToCsvFile(matrix));
    ASSERT_TRUE(fs::exists(dir.File("tableau.csv")));
    EXPECT_EQ(desktop.saveRequests[0].defaultExtension, "csv");

    // Python's csv module reads it back; every cell is printed as its repr, one line per record.
    std::ofstream(dir.File("read.py")) << "import csv, sys\n"
                                          "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                          "    for record in csv.reader(f):\n"
                                          "        print('|'.join(record))\n";
    const std::string command = "/usr/bin/python3 " + dir.File("read.py") + " " + dir.File("tableau.csv");
    const std::string output = test::RunCommand(command);
    EXPECT_EQ(output,
        "Angle de rotation (rad) : |0.5|\n"
        "t|x|y\n"
        "s|m|m\n"
        "temps|Abscisse \"A\", rouge|Ordonnée A\n"
        "0|1.5|\n"
        "0.04||-2E-7\n");
}

} // namespace
} // namespace kinoval
