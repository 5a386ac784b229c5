#include "core/common/folders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace kinoval {
namespace {

// Sets (or unsets) an environment variable for one test and puts the old value back.
class TScopedEnv {
public:
    TScopedEnv(const char* name, std::optional<std::string> value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~TScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(Folders, TemporaryFolderTakesTheFirstVariableNamingAnExistingFolder)
{
    test::TTempDir dir;
    const std::string temp = dir.Path().string();
    {
        // TMP names a folder that does not exist: TEMP is tried next.
        TScopedEnv tmp("TMP", temp + "/missing");
        TScopedEnv tempVar("TEMP", temp);
        TScopedEnv tmpdir("TMPDIR", "/");
        EXPECT_EQ(TemporaryFolder(), temp);
    }
    {
        TScopedEnv tmp("TMP", temp);
        TScopedEnv tempVar("TEMP", "/");
        EXPECT_EQ(TemporaryFolder(), temp);
    }
    {
        TScopedEnv tmp("TMP", "");
        TScopedEnv tempVar("TEMP", std::nullopt);
        TScopedEnv tmpdir("TMPDIR", temp);
        EXPECT_EQ(TemporaryFolder(), temp);
    }
    {
        // A plain file is not a folder.
        TScopedEnv tmp("TMP", std::string(KINOVAL_SOURCE_DIR) + "/CMakeLists.txt");
        TScopedEnv tempVar("TEMP", std::nullopt);
        TScopedEnv tmpdir("TMPDIR", std::nullopt);
        EXPECT_EQ(TemporaryFolder(), "/tmp");
    }
}

TEST(Folders, SettingsLiveInThePerUserConfigurationFolder)
{
    test::TTempDir dir;
    const std::string base = dir.Path().string();
    {
        TScopedEnv forced("KINOVAL_CONFIG_DIR", std::nullopt);
        TScopedEnv xdg("XDG_CONFIG_HOME", base + "/xdg");
        EXPECT_EQ(ConfigFolder(), base + "/xdg/kinoval");
        EXPECT_EQ(SettingsFilePath(), base + "/xdg/kinoval/Kinoval.ini");
        EXPECT_TRUE(std::filesystem::is_directory(base + "/xdg/kinoval")); // created on demand
    }
    {
        TScopedEnv forced("KINOVAL_CONFIG_DIR", std::nullopt);
        TScopedEnv xdg("XDG_CONFIG_HOME", "relative/ignored");
        TScopedEnv home("HOME", base + "/home");
        EXPECT_EQ(ConfigFolder(), base + "/home/.config/kinoval");
    }
    {
        TScopedEnv forced("KINOVAL_CONFIG_DIR", base + "/forced");
        TScopedEnv xdg("XDG_CONFIG_HOME", base + "/xdg");
        EXPECT_EQ(SettingsFilePath(), base + "/forced/Kinoval.ini");
    }
}

TEST(Folders, ProgramFolderHoldsTheRunningTest)
{
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(ProgramFolder()) / "kinoval_core_tests"));
}

} // namespace
} // namespace kinoval
