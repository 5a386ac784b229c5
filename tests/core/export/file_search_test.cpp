#include "core/export/file_search.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kinoval {
namespace {

namespace fs = std::filesystem;

TEST(FileSearch, FindsTheProgramInAPrefixWithoutFollowingLinks)
{
    test::TTempDir dir;
    const fs::path drive = dir.Path() / "drive_c";
    fs::create_directories(drive / "Program Files (x86)" / "Regressi");
    fs::create_directories(drive / "a" / "b" / "c" / "d" / "e");
    std::ofstream(drive / "Program Files (x86)" / "Regressi" / "REGRESSI.EXE") << "MZ";
    std::ofstream(drive / "a" / "b" / "c" / "d" / "e" / "Regressi.exe") << "MZ"; // deeper than the bound
    std::ofstream(drive / "Regressi.exe.bak") << "MZ";
    // A link back to the root, as wine's dosdevices hold: followed, it would never end.
    fs::create_directory_symlink(dir.Path(), drive / "z-link");
    fs::create_symlink(drive / "Program Files (x86)" / "Regressi" / "REGRESSI.EXE", drive / "Regressi.exe");

    const auto found = FindFilesNamed({ drive.string() }, "Regressi.exe", 4);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], (drive / "Program Files (x86)" / "Regressi" / "REGRESSI.EXE").string());

    EXPECT_EQ(FindFilesNamed({ drive.string() }, "Regressi.exe", 6).size(), 2u);
    EXPECT_TRUE(FindFilesNamed({ (dir.Path() / "absent").string() }, "Regressi.exe", 4).empty());
}

TEST(FileSearch, WinePrefixFromTheEnvironment)
{
    test::TTempDir dir;
    fs::create_directories(dir.Path() / "prefix" / "drive_c");
    const char* old = std::getenv("WINEPREFIX");
    const std::string saved = old != nullptr ? old : "";
    setenv("WINEPREFIX", (dir.Path() / "prefix").c_str(), 1);
    const auto folders = WineDriveFolders();
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders[0], (dir.Path() / "prefix" / "drive_c").string());
    if (old != nullptr)
        setenv("WINEPREFIX", saved.c_str(), 1);
    else
        unsetenv("WINEPREFIX");
}

} // namespace
} // namespace kinoval
