#include "core/common/file_access.h"
#include "core/common/ini_file.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace kinoval {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The check boxes that are off on a first start; every other check box is on, every tool button is up.
const std::set<int> kCheckBoxesOffByDefault = { 6, 12, 21, 23, 30, 31, 32, 34, 36, 41, 43, 45, 46, 50 };

int CheckBoxNumber(const std::string& key)
{
    return std::stoi(key.substr(std::string("CheckBox").size()));
}

// Every setting moved away from its default, to a value still accepted when read back.
TOptionValues EverythingChanged()
{
    TOptionValues values;
    for (const auto& option : TOptions::BoolOptions())
        values.*option.field = !option.fallback;
    for (const auto& option : TOptions::IntOptions())
        values.*option.field = option.fallback == option.high ? option.low : option.fallback + 1;
    values.defaultFolder = "/home/élève/Vidéos de TP";
    values.password = "mot de passe ; = [x]";
    return values;
}

TEST(Options, EveryKeyAndItsDefault)
{
    int checkBoxes = 0, toolButtons = 0;
    std::set<std::string> keys;
    for (const auto& option : TOptions::BoolOptions()) {
        std::string key = option.key;
        keys.insert(key);
        if (key.rfind("CheckBox", 0) == 0) {
            ++checkBoxes;
            ASSERT_EQ(key.substr(key.size() - 8), "_Checked");
            EXPECT_EQ(option.fallback, kCheckBoxesOffByDefault.count(CheckBoxNumber(key)) == 0) << key;
        } else {
            ++toolButtons;
            ASSERT_EQ(key.rfind("ToolButton", 0), 0u) << key;
            ASSERT_EQ(key.substr(key.size() - 5), "_Down");
            EXPECT_FALSE(option.fallback) << key;
        }
    }
    EXPECT_EQ(checkBoxes, 53);
    EXPECT_EQ(toolButtons, 43);
    EXPECT_EQ(keys.size(), 96u); // no key twice

    TOptions options;
    EXPECT_EQ(options.recentFilesMax, 8);
    EXPECT_EQ(options.trackingRadius, 40);
    for (int value :
        { options.markNumberPosition, options.sheetMarkNumberPosition, options.elementSize, options.graphPenWidth,
            options.workshopShape, options.trackingShape, options.trackingMethod, options.language })
        EXPECT_EQ(value, 0);
    EXPECT_EQ(TOptions::IntOptions().size(), 10u);
    EXPECT_NE(options.FindInt("ComboBoxLanguage_Value"), nullptr); // 0 the system's language, 1 French, 2 English
    EXPECT_TRUE(options.askToSaveOnQuit);
    EXPECT_FALSE(options.separateScales);
    EXPECT_FALSE(options.ToolButtonVecteurVideo);
    EXPECT_EQ(options.defaultFolder, "");
    EXPECT_EQ(options.password, "");
}

TEST(Options, NoFileGivesEveryDefaultAndAMissingKeyItsDefault)
{
    test::TTempDir dir;
    const std::string path = dir.File("Kinoval.ini");
    TOptions options;
    options.Assign(EverythingChanged());
    EXPECT_EQ(options.Load(path), kIniFileMissing);
    EXPECT_TRUE(static_cast<const TOptionValues&>(options) == TOptionValues());

    // A file written with every value changed, less one key of each kind.
    TOptions changed;
    changed.Assign(EverythingChanged());
    ASSERT_EQ(changed.Save(path), kIniOk);
    TIniFile ini;
    ASSERT_EQ(ini.Load(path), kIniOk);
    ASSERT_TRUE(ini.DeleteKey("Options", "CheckBox4ConfirmationFileChange_Checked"));
    ASSERT_TRUE(ini.DeleteKey("Options", "TrackingRadius_Value"));
    ASSERT_TRUE(ini.DeleteKey("Options", "Password"));
    ASSERT_EQ(ini.Save(), kIniOk);

    TOptions read;
    ASSERT_EQ(read.Load(path), kIniOk);
    EXPECT_TRUE(read.askToSaveOnOpen);
    EXPECT_EQ(read.trackingRadius, 40);
    EXPECT_EQ(read.password, "");
    EXPECT_FALSE(read.askToSaveOnQuit); // the others keep the file's values
    EXPECT_EQ(read.recentFilesMax, 9);
    EXPECT_EQ(read.defaultFolder, "/home/élève/Vidéos de TP");
}

TEST(Options, ARoundTripKeepsEveryValueAndTheFileReadsAsWritten)
{
    test::TTempDir dir;
    const std::string path = dir.File("Kinoval.ini");
    TOptions options;
    options.Assign(EverythingChanged());
    ASSERT_EQ(options.Save(path), kIniOk);
    TOptions read;
    ASSERT_EQ(read.Load(path), kIniOk);
    EXPECT_TRUE(static_cast<const TOptionValues&>(read) == EverythingChanged());

    // The defaults as they appear in the file: booleans as 1 and 0.
    TOptions defaults;
    ASSERT_EQ(defaults.Save(path), kIniOk);
    const std::string text = ReadAll(path);
    for (const char* line : { "[Options]\n", "\nCheckBox3ConfirmationQuit_Checked=1\n",
             "\nCheckBox6FreezeMRU_Checked=0\n", "\nEditMRU_Value=8\n", "\nTrackingRadius_Value=40\n",
             "\nToolButtonVecteurVideo_Down=0\n", "\nDefaultDirectory=\n", "\nPassword=\n" })
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST(Options, KeysAndSectionsOfOthersSurviveASave)
{
    test::TTempDir dir;
    const std::string path = dir.File("Kinoval.ini");
    WriteAll(path,
        "; notes by the teacher\r\n"
        "[ResultsForm]\r\nRegressi=C:\\Regressi\\regressi.exe\r\n"
        "[options]\r\nCheckBox3ConfirmationQuit_Checked=0\r\nSomethingNewer=42\r\n"
        "[Formulae]\r\nFormula1=v=sqrt(vx^2+vy^2)\r\n");
    TOptions options;
    ASSERT_EQ(options.Load(path), kIniOk);
    EXPECT_FALSE(options.askToSaveOnQuit);
    options.askToSaveOnQuit = true;
    ASSERT_EQ(options.Save(path), kIniOk);

    TIniFile ini;
    ASSERT_EQ(ini.Load(path), kIniOk);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string> { "ResultsForm", "options", "Formulae" }));
    EXPECT_EQ(ini.ReadString("ResultsForm", "Regressi", ""), "C:\\Regressi\\regressi.exe");
    EXPECT_EQ(ini.ReadInteger("Options", "SomethingNewer", 0), 42);
    EXPECT_EQ(ini.ReadString("Formulae", "Formula1", ""), "v=sqrt(vx^2+vy^2)");
    EXPECT_TRUE(ini.ReadBool("Options", "CheckBox3ConfirmationQuit_Checked", false));
    EXPECT_EQ(ReadAll(path).rfind("; notes by the teacher\n", 0), 0u);
}

TEST(Options, UnusableValuesInTheFileGiveTheDefault)
{
    TIniFile ini;
    ini.SetText(
        "[Options]\nPenSize_Value=7\nNumerotation_Value=-1\nNumerotationTsp_Value=2\nEditMRU_Value=300\n"
        "TrackingRadius_Value=0\nShapeNumber_Value=abc\nCheckBox9Speed_Checked=oui\nComboBoxLanguage_Value=3\n");
    TOptions options;
    options.ReadAll(ini);
    EXPECT_EQ(options.elementSize, 0);
    EXPECT_EQ(options.markNumberPosition, 0);
    EXPECT_EQ(options.sheetMarkNumberPosition, 2);
    EXPECT_EQ(options.recentFilesMax, 8);
    EXPECT_EQ(options.trackingRadius, 40);
    EXPECT_EQ(options.trackingShape, 0);
    EXPECT_TRUE(options.showVelocity);
    EXPECT_EQ(options.language, 0); // a language the program does not have: the system's
}

TEST(Options, AFailedSaveIsReportedAndTouchesNothing)
{
    test::TTempDir dir;
    TOptions options;
    std::string reason;
    EXPECT_EQ(options.Save(dir.File("missing/Kinoval.ini"), &reason), kIniCreateFailed);
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(fs::exists(dir.File("missing")));

    // A settings "file" that cannot be read is not replaced: its other sections would be lost.
    fs::create_directory(dir.File("Kinoval.ini"));
    reason.clear();
    EXPECT_EQ(options.Save(dir.File("Kinoval.ini"), &reason), kIniNotRegular);
    EXPECT_EQ(reason, "C'est un dossier, pas un fichier.");
    EXPECT_TRUE(fs::is_directory(dir.File("Kinoval.ini")));

    // Nor is one too large to be a settings file (a sparse file: no disk space is used).
    const std::string huge = dir.File("huge/Kinoval.ini");
    fs::create_directory(dir.File("huge"));
    {
        std::ofstream out(huge);
        out << "[Options]\nEditMRU_Value=3\n";
    }
    fs::resize_file(huge, kMaxTextFileBytes + 1);
    TOptions readBack;
    EXPECT_EQ(readBack.Load(huge), kIniTooLarge);
    EXPECT_EQ(readBack.recentFilesMax, 8); // the defaults, not a part of the file
    reason.clear();
    EXPECT_EQ(options.Save(huge, &reason), kIniTooLarge);
    EXPECT_EQ(reason, "Le fichier dépasse la taille admise (64 Mo).");
    EXPECT_EQ(fs::file_size(huge), kMaxTextFileBytes + 1);

    auto lines = SettingsSaveFailureLines("/x/Kinoval.ini", reason);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Impossible d'enregistrer les paramètres dans « /x/Kinoval.ini ».");
    EXPECT_EQ(lines[1], reason);
}

TEST(Options, TheListenerHearsOfRealChangesOnly)
{
    TOptions options;
    int calls = 0;
    TConnection listening = options.OnChange.Connect([&] { ++calls; });
    TOptionValues same = options;
    options.Assign(same);
    EXPECT_EQ(calls, 0);
    same.elementSize = 2;
    options.Assign(same);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(options.elementSize, 2);
    TIniFile empty;
    options.ReadAll(empty);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(options.elementSize, 0);

    // The settings dialog reaches a setting by its control's key.
    ASSERT_NE(options.FindBool("checkbox41horizandvertscale_checked"), nullptr);
    *options.FindBool("CheckBox41HorizAndVertScale_Checked") = true;
    EXPECT_TRUE(options.separateScales);
    *options.FindInt("EditMRU_Value") = 4;
    EXPECT_EQ(options.recentFilesMax, 4);
    *options.FindText("Password") = "x";
    EXPECT_EQ(options.password, "x");
    EXPECT_EQ(options.FindBool("EditMRU_Value"), nullptr);
    EXPECT_EQ(options.FindInt("Nothing"), nullptr);
}

TEST(RecentFiles, SamePathInAnotherCaseLeavesOneEntryOnTop)
{
    TMRUFiles mru;
    mru.Add("/cours/Chute.avi");
    mru.Add("/cours/pendule.avi");
    mru.Add("/COURS/chute.AVI");
    EXPECT_EQ(mru.Files(), (std::vector<std::string> { "/COURS/chute.AVI", "/cours/pendule.avi" }));
    mru.Add("");
    EXPECT_EQ(mru.Files().size(), 2u);
}

TEST(RecentFiles, TheMaximumDropsTheOldest)
{
    TMRUFiles mru;
    EXPECT_EQ(mru.Maximum(), 9);
    mru.SetMaximum(8);
    for (int i = 1; i <= 9; ++i)
        mru.Add("/v/" + std::to_string(i) + ".avi");
    ASSERT_EQ(mru.Files().size(), 8u);
    EXPECT_EQ(mru.Files().front(), "/v/9.avi");
    EXPECT_EQ(mru.Files().back(), "/v/2.avi");

    mru.SetMaximum(3);
    EXPECT_EQ(mru.Files(), (std::vector<std::string> { "/v/9.avi", "/v/8.avi", "/v/7.avi" }));
    // Zero would make a list that can hold nothing; the maximum stays.
    mru.SetMaximum(0);
    EXPECT_EQ(mru.Maximum(), 3);
    mru.Add("/v/10.avi");
    EXPECT_EQ(mru.Files().size(), 3u);
    mru.SetMaximum(1000);
    EXPECT_EQ(mru.Maximum(), TMRUFiles::kLargestMaximum);
}

TEST(RecentFiles, StoredInTheirSectionWithTheLastFolderInTheMainWindowSection)
{
    TIniFile ini;
    ini.SetText("[RecentFiles]\nFile1=/old/a.avi\nFile9=/old/stale.avi\n[MainForm]\nLeft=10\n");
    TMRUFiles mru;
    mru.Add("/b.avi");
    mru.Add("/a.avi");
    mru.Add("/bad\nname.avi"); // a line end cannot be stored: left out, the numbering has no gap
    mru.Directory = "/home/prof/vidéos";
    mru.WriteList(ini);
    mru.WriteFolder(ini);
    EXPECT_EQ(ini.ReadSectionValues("RecentFiles"),
        (std::vector<std::pair<std::string, std::string>> { { "File1", "/a.avi" }, { "File2", "/b.avi" } }));
    EXPECT_EQ(ini.ReadString("MainForm", "Directory", ""), "/home/prof/vidéos");
    EXPECT_EQ(ini.ReadInteger("MainForm", "Left", 0), 10);

    TMRUFiles read;
    int changes = 0;
    TConnection listening = read.OnListChange.Connect([&] { ++changes; });
    read.ReadList(ini);
    read.ReadFolder(ini);
    EXPECT_EQ(read.Files(), (std::vector<std::string> { "/a.avi", "/b.avi" }));
    EXPECT_EQ(read.Directory, "/home/prof/vidéos");
    EXPECT_EQ(changes, 1);

    // A hand-edited list: gaps, empty values, duplicates, more than the maximum.
    ini.SetText("[recentfiles]\nFile2=/x.avi\nFile3=\nFile5=/X.AVI\nFile6=/y.avi\nFile7=/z.avi\n");
    read.SetMaximum(2);
    read.ReadList(ini);
    EXPECT_EQ(read.Files(), (std::vector<std::string> { "/x.avi", "/y.avi" }));
}

TEST(RecentFiles, MenuCaptionsAndClicks)
{
    TMRUFiles mru;
    EXPECT_TRUE(mru.MenuEntries().empty());
    mru.Add("/b.avi");
    mru.Add("/a 100%s.avi");
    auto entries = mru.MenuEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].caption, "&1 /a 100%s.avi");
    EXPECT_EQ(entries[1].caption, "&2 /b.avi");
    EXPECT_EQ(entries[2].caption, "-");
    EXPECT_EQ(entries[1].number, 2);
    mru.Numbered = false;
    EXPECT_EQ(mru.MenuEntries()[0].caption, "/a 100%s.avi");

    std::vector<std::string> clicked;
    TConnection clicks = mru.OnClick.Connect([&](const std::string& path) { clicked.push_back(path); });
    mru.Click(1);
    mru.Click(5); // outside the list: nothing
    EXPECT_EQ(clicked, (std::vector<std::string> { "/b.avi" }));
}

} // namespace
} // namespace kinoval
