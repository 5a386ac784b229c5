// The help command: which page is opened, from which folder, and what is said when none can be shown.
#include "core/mainwindow/help.h"

#include "core/common/texts.h"

#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

TEST(Help, OpensTheFirstExistingPageOrWarns)
{
    test::TTempDir dir;
    const fs::path program = dir.Path() / "bin";
    const fs::path beside = program / "Help";
    const fs::path installed = dir.Path() / "share" / "kinoval" / "Help";
    fs::create_directories(beside);
    fs::create_directories(installed);
    const auto folders = HelpFolders(program.string());
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(fs::path(folders[1]).lexically_normal(), installed.lexically_normal());

    test::TFakeDesktopServices desktop;
    test::TScriptedUserDlg dlg;
    EXPECT_FALSE(ShowHelp(folders, desktop, dlg));
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { "Impossible de lancer l'aide.",
            "Vérifier la présence du répertoire « Help » à côté du programme « kinoval »." }));
    EXPECT_TRUE(desktop.openedWithDefault.empty());

    WriteAll((installed / "Help_fr.html").string(), "<html></html>");
    WriteAll((beside / "Help.html").string(), "<html></html>");
    WriteAll((beside / "Help_en.html").string(), "<html></html>");
    EXPECT_EQ(FindHelpFile(folders), (beside / "Help_en.html").string()); // the folder beside the program first
    WriteAll((beside / "Help_fr.html").string(), "<html></html>");
    EXPECT_TRUE(ShowHelp(folders, desktop, dlg));
    EXPECT_EQ(desktop.openedWithDefault, (std::vector<std::string> { (beside / "Help_fr.html").string() }));
    EXPECT_EQ(dlg.RunCount(), 1u);

    desktop.openWithDefaultSucceeds = false; // no browser, and no window of the program's: the same warning
    EXPECT_FALSE(ShowHelp(folders, desktop, dlg));
    EXPECT_EQ(dlg.RunCount(), 2u);

    // No browser, but the program's own window shows the page found.
    std::vector<std::string> shown;
    EXPECT_TRUE(ShowHelp(folders, desktop, dlg, [&](const std::string& file) {
        shown.push_back(file);
        return true;
    }));
    EXPECT_EQ(shown, (std::vector<std::string> { (beside / "Help_fr.html").string() }));
    EXPECT_EQ(dlg.RunCount(), 2u);
    EXPECT_FALSE(ShowHelp(folders, desktop, dlg, [](const std::string&) { return false; }));
    EXPECT_EQ(dlg.RunCount(), 3u);
}

TEST(Help, ThePagesShippedWithTheProgramAreFound)
{
    const std::string source = std::string(KINOVAL_SOURCE_DIR) + "/help";
    EXPECT_EQ(FindHelpFile({ source }), source + "/Help_fr.html");
    for (const char* page : { "Help_fr.html", "Help_en.html" }) {
        const std::string text = ReadAll(source + "/" + page);
        EXPECT_NE(text.find("<meta charset=\"utf-8\">"), std::string::npos) << page;
        EXPECT_NE(text.find("</html>"), std::string::npos) << page;
    }
}

TEST(Help, ThePageOfTheInterfacesLanguageComesFirst)
{
    EXPECT_EQ(HelpFileNames(),
        (std::vector<std::string> { "Help_fr.html", "Help_cz.html", "Help_es.html", "Help_en.html", "Help.html" }));
    SetCurrentLanguage(TLanguage::English);
    EXPECT_EQ(CurrentLanguage(), TLanguage::English);
    const auto& english = HelpFileNames();
    ASSERT_EQ(english.size(), 5u);
    EXPECT_EQ(english[0], "Help_en.html");
    EXPECT_EQ(english[1], "Help.html");
    EXPECT_EQ(english[2], "Help_fr.html"); // an installation without the English page still has help
    SetCurrentLanguage(TLanguage::French);
}

} // namespace
} // namespace kinoval
