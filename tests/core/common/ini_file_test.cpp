#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "support/private_mount.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::size_t EntriesIn(const fs::path& folder)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++n;
    return n;
}

TEST(IniFile, LookupIgnoresCaseAndTheFirstOccurrenceWins)
{
    TIniFile ini;
    ini.SetText("[Options]\n"
                "EditMRU_Value = 12 \n"
                "editmru_value=99\n"
                "[OPTIONS]\n"
                "Other=1\n"
                "[MainForm]\n"
                "Directory=\t/home/élève/vidéos  \n");
    EXPECT_EQ(ini.ReadString("options", "EDITMRU_VALUE", "x"), "12");
    EXPECT_EQ(ini.ReadInteger("Options", "EditMRU_Value", 0), 12);
    // The second [OPTIONS] is never read.
    EXPECT_FALSE(ini.ValueExists("Options", "Other"));
    EXPECT_EQ(ini.ReadString("mainform", "directory", ""), "/home/élève/vidéos");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string> { "Options", "MainForm" }));
    EXPECT_EQ(ini.ReadSection("Options"), (std::vector<std::string> { "EditMRU_Value" }));
    EXPECT_FALSE(ini.Value("Nowhere", "x").has_value());
    EXPECT_EQ(ini.ReadString("Nowhere", "x", "default"), "default");
}

TEST(IniFile, OtherLinesAreKeptInOrderAndCrLfIsReadAsLf)
{
    const std::string lf = "; written by hand\n"
                           "stray=before any section\n"
                           "[A]\n"
                           "; a comment\n"
                           "k=v\n"
                           "not a key line\n"
                           "\n"
                           "  [ B ]  trailing\n"
                           "x = 1\n";
    TIniFile ini;
    ini.SetText(lf);
    EXPECT_EQ(ini.Text(), lf);
    EXPECT_EQ(ini.ReadString("b", "x", ""), "1");
    EXPECT_FALSE(ini.ValueExists("A", "stray")); // lines before the first section belong to none

    std::string crlf;
    for (char c : lf) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    ini.SetText("\xEF\xBB\xBF" + crlf);
    EXPECT_EQ(ini.Text(), lf);
    EXPECT_EQ(ini.ReadString("A", "k", ""), "v");

    // Damaged line ends and doubled byte-order marks settle at the first save instead of drifting.
    ini.SetText("\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\r\nk=v\r\r\n");
    EXPECT_EQ(ini.Text(), "[S]\nk=v\n");

    // A last line without a line end is read, and written with one.
    ini.SetText("[S]\r\nlast=yes");
    EXPECT_EQ(ini.ReadString("S", "last", ""), "yes");
    EXPECT_EQ(ini.Text(), "[S]\nlast=yes\n");
}

TEST(IniFile, WritingReplacesInPlaceOrAppendsToItsSection)
{
    TIniFile ini;
    ini.SetText("[A]\n"
                "First=1\n"
                "Second=2\n"
                "\n"
                "[B]\n"
                "x=1\n");
    ASSERT_EQ(ini.WriteString("a", "FIRST", "one"), kIniOk); // in place, the key keeps its spelling
    ASSERT_EQ(ini.WriteInteger("A", "Third", 3), kIniOk); // before the blank line separating A from B
    ASSERT_EQ(ini.WriteBool("C", "Flag", true), kIniOk); // a new section at the end
    ASSERT_EQ(ini.WriteBool("C", "Other", false), kIniOk);
    EXPECT_EQ(ini.Text(),
        "[A]\n"
        "First=one\n"
        "Second=2\n"
        "Third=3\n"
        "\n"
        "[B]\n"
        "x=1\n"
        "[C]\n"
        "Flag=1\n"
        "Other=0\n");
    EXPECT_EQ(ini.ReadString("A", "first", ""), "one");
    EXPECT_EQ(ini.ReadInteger("a", "third", 0), 3);
    EXPECT_TRUE(ini.ReadBool("c", "flag", false));

    // A duplicate key: the first one is read, so the first one is rewritten.
    ini.SetText("[A]\nk=1\nk=2\n");
    ini.WriteString("A", "K", "3");
    EXPECT_EQ(ini.Text(), "[A]\nk=3\nk=2\n");
    EXPECT_TRUE(ini.DeleteKey("a", "k"));
    EXPECT_EQ(ini.ReadString("A", "k", ""), "2"); // the duplicate shows once the first is gone
    EXPECT_FALSE(ini.DeleteKey("A", "missing"));
}

TEST(IniFile, ErasingASectionRemovesEveryOccurrenceAndNothingElse)
{
    TIniFile ini;
    ini.SetText("[RecentFiles]\nFile1=a\n[Options]\nx=1\n[recentfiles]\nFile2=b\n[Tail]\ny=2\n");
    ini.EraseSection("RECENTFILES");
    EXPECT_EQ(ini.Text(), "[Options]\nx=1\n[Tail]\ny=2\n");
    EXPECT_FALSE(ini.SectionExists("RecentFiles"));
    EXPECT_EQ(ini.ReadInteger("Tail", "y", 0), 2);
    ini.WriteString("RecentFiles", "File1", "c");
    EXPECT_EQ(
        ini.ReadSectionValues("recentfiles"), (std::vector<std::pair<std::string, std::string>> { { "File1", "c" } }));
    ini.EraseSection("Absent"); // harmless
    EXPECT_EQ(ini.ReadSections().size(), 3u);
}

TEST(IniFile, TypedReadsFallBackOnUnreadableValues)
{
    TIniFile ini;
    ini.SetText("[N]\n"
                "i=  -42 \n"
                "junk=12abc\n"
                "huge=99999999999\n"
                "b0=0\nb2=2\nbt=True\nbx=maybe\n"
                "comma=3,25\npoint=-1.5E-3\nempty=\n");
    EXPECT_EQ(ini.ReadInteger("N", "i", 7), -42);
    EXPECT_EQ(ini.ReadInteger("N", "junk", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "huge", 7), 99999999999LL);
    EXPECT_EQ(ini.ReadInt("N", "huge", 7), 7); // out of int range
    EXPECT_FALSE(ini.ReadBool("N", "b0", true));
    EXPECT_TRUE(ini.ReadBool("N", "b2", false));
    EXPECT_TRUE(ini.ReadBool("N", "bt", false));
    EXPECT_TRUE(ini.ReadBool("N", "bx", true));
    EXPECT_FALSE(ini.ReadBool("N", "bx", false));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "comma", 0), 3.25);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "point", 0), -1.5e-3);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "empty", 9), 9);
    EXPECT_EQ(ini.ReadString("N", "empty", "x"), ""); // present but empty is not missing
}

TEST(IniFile, DoublesAreWrittenWithTheUserSeparatorAndReadUnderEither)
{
    TIniFile ini;
    SetDecimalSeparator(',');
    ini.WriteFloat("F", "g", 9.80665);
    ini.WriteFloat("F", "tiny", 1.25e-7);
    EXPECT_EQ(ini.ReadString("F", "g", ""), "9,80665");
    SetDecimalSeparator('.');
    EXPECT_DOUBLE_EQ(ini.ReadFloat("F", "g", 0), 9.80665);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("F", "tiny", 0), 1.25e-7);
    ini.WriteFloat("F", "third", 1.0 / 3.0);
    EXPECT_NEAR(ini.ReadFloat("F", "third", 0), 1.0 / 3.0, 1e-15);
    SetDecimalSeparator(0);
}

TEST(IniFile, WritesThatWouldBreakTheLineStructureAreRefused)
{
    TIniFile ini;
    ini.SetText("[A]\nk=v\n");
    const std::string before = ini.Text();
    EXPECT_EQ(ini.WriteString("A", "k", "line\nFile9=/etc/passwd"), kIniBadValue);
    EXPECT_EQ(ini.WriteString("A", "k", "cr\rhere"), kIniBadValue);
    EXPECT_EQ(ini.WriteString("A", "a=b", "v"), kIniBadName);
    EXPECT_EQ(ini.WriteString("A", "", "v"), kIniBadName);
    EXPECT_EQ(ini.WriteString("A", "[X]", "v"), kIniBadName);
    EXPECT_EQ(ini.WriteString("A", " padded", "v"), kIniBadName);
    EXPECT_EQ(ini.WriteString("A]x", "k", "v"), kIniBadName);
    EXPECT_EQ(ini.WriteString("", "k", "v"), kIniBadName);
    EXPECT_EQ(ini.Text(), before);
    // Blanks around a value are accepted and trimmed when read back, as in every private-profile file.
    EXPECT_EQ(ini.WriteString("A", "k", "  v w  "), kIniOk);
    EXPECT_EQ(ini.ReadString("A", "k", ""), "v w");
}

TEST(IniFile, SaveAndLoadRoundTripThroughTheDisk)
{
    test::TTempDir dir;
    const std::string path = dir.File("Kinoval.ini");
    TIniFile missing;
    EXPECT_EQ(missing.Load(path), kIniFileMissing);
    EXPECT_EQ(missing.Text(), "");
    EXPECT_EQ(missing.Path(), path);

    WriteAll(path, "; kept\r\n[Other]\r\nforeign=yes\r\n");
    ::chmod(path.c_str(), 0640);
    TIniFile ini;
    ASSERT_EQ(ini.Load(path), kIniOk);
    ini.WriteString("Options", "Password", "s3cret é");
    ASSERT_EQ(ini.Save(), kIniOk) << ini.LastErrorText();
    EXPECT_EQ(ReadAll(path), "; kept\n[Other]\nforeign=yes\n[Options]\nPassword=s3cret é\n");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u); // no temporary file left behind
    struct stat st { };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u); // the file keeps its permissions

    TIniFile again;
    ASSERT_EQ(again.Load(path), kIniOk);
    EXPECT_EQ(again.ReadString("OTHER", "Foreign", ""), "yes");
    EXPECT_EQ(again.ReadString("options", "password", ""), "s3cret é");

    TIniFile noPath;
    EXPECT_EQ(noPath.Save(), kIniNoPath);
    TIniFile folder;
    EXPECT_EQ(folder.Load(dir.Path().string()), kIniNotRegular); // a folder is not a file
    EXPECT_EQ(folder.LastErrorText(), "C'est un dossier, pas un fichier.");
}

TEST(IniFile, SavingThroughASymbolicLinkKeepsTheLink)
{
    test::TTempDir dir;
    const std::string real = dir.File("real.ini");
    const std::string link = dir.File("Kinoval.ini");
    WriteAll(real, "[A]\nk=1\n");
    fs::create_symlink(real, link);
    TIniFile ini;
    ASSERT_EQ(ini.Load(link), kIniOk);
    ini.WriteInteger("A", "k", 2);
    ASSERT_EQ(ini.Save(), kIniOk);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(real), "[A]\nk=2\n");
}

TEST(IniFile, SavingIntoAMissingFolderFailsAndSaysWhy)
{
    test::TTempDir dir;
    TIniFile ini;
    ini.WriteString("A", "k", "v");
    EXPECT_EQ(ini.SaveAs(dir.File("no/such/folder/Kinoval.ini")), kIniCreateFailed);
    EXPECT_FALSE(ini.LastErrorText().empty());
}

using test::InChild;
using test::MountSmallTmpfs;

// What every failed save must guarantee: a failure code and a reason, the old contents, no stray file.
int CheckFailedSave(TIniFile& ini, const std::string& path, const std::string& oldText, int expected)
{
    int code = ini.Save();
    if (code != expected) {
        std::fprintf(stderr, "save returned %d, expected %d (%s)\n", code, expected, ini.LastErrorText().c_str());
        return 1;
    }
    if (ini.LastErrorText().empty())
        return 2;
    if (ReadAll(path) != oldText) {
        std::fprintf(stderr, "the old file was damaged\n");
        return 3;
    }
    if (EntriesIn(fs::path(path).parent_path()) != 1) {
        std::fprintf(stderr, "a temporary file was left behind\n");
        return 4;
    }
    return 0;
}

TEST(IniFile, AFullDiskLeavesThePreviousFileIntact)
{
    test::TTempDir dir;
    const std::string folder = dir.File("disk");
    fs::create_directory(folder);
    int result = InChild([&] {
        if (!MountSmallTmpfs(folder))
            return 77;
        const std::string path = folder + "/Kinoval.ini";
        TIniFile ini(path);
        ini.WriteInteger("Options", "EditMRU_Value", 8);
        if (ini.Save() != kIniOk)
            return 10;
        const std::string oldText = ReadAll(path);
        ini.WriteString("Options", "Big", std::string(64 * 1024, 'x'));
        return CheckFailedSave(ini, path, oldText, kIniWriteFailed);
    });
    if (result == 77)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(result, 0);
}

TEST(IniFile, AReadOnlyFolderLeavesThePreviousFileIntact)
{
    test::TTempDir dir;
    const std::string folder = dir.File("ro");
    fs::create_directory(folder);
    int result = InChild([&] {
        if (!MountSmallTmpfs(folder))
            return 77;
        const std::string path = folder + "/Kinoval.ini";
        TIniFile ini(path);
        ini.WriteInteger("Options", "EditMRU_Value", 8);
        if (ini.Save() != kIniOk)
            return 10;
        const std::string oldText = ReadAll(path);
        if (!test::RemountReadOnly(folder))
            return 77;
        ini.WriteInteger("Options", "EditMRU_Value", 9);
        return CheckFailedSave(ini, path, oldText, kIniCreateFailed);
    });
    if (result == 77)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(result, 0);
}

TEST(IniFile, AWriteFailureInTheMiddleLeavesThePreviousFileIntact)
{
    // A file-size limit makes the write fail part-way, as a disk that fills up would; it works without
    // any privilege, so this case runs everywhere.
    test::TTempDir dir;
    const std::string path = dir.File("Kinoval.ini");
    int result = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        TIniFile ini(path);
        ini.WriteInteger("Options", "EditMRU_Value", 8);
        if (ini.Save() != kIniOk)
            return 10;
        const std::string oldText = ReadAll(path);
        rlimit limit { 4096, 4096 };
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 77;
        ini.WriteString("Options", "Big", std::string(16 * 1024, 'x'));
        return CheckFailedSave(ini, path, oldText, kIniWriteFailed);
    });
    if (result == 77)
        GTEST_SKIP() << "no file-size limit here";
    EXPECT_EQ(result, 0);
}

TEST(IniFile, CaseFolding)
{
    EXPECT_EQ(FoldCase("Options_Checked9"), "options_checked9");
    EXPECT_TRUE(SameTextIgnoringCase("/Home/A.AVI", "/home/a.avi"));
    EXPECT_FALSE(SameTextIgnoringCase("/home/a.avi", "/home/a.av"));
    EXPECT_FALSE(SameTextIgnoringCase("a", "b"));
}

} // namespace
} // namespace kinoval
