#include "core/settings/file_association.h"

#include "support/fake_desktop_services.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kinoval {
namespace {

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(KvlAssociation, ExecKeyQuotesAndEscapesWhatADesktopEntryReserves)
{
    EXPECT_EQ(DesktopExecQuoted("/usr/bin/kinoval"), "/usr/bin/kinoval");
    EXPECT_EQ(DesktopExecQuoted("/home/prof/Mes logiciels/kinoval"), "\"/home/prof/Mes logiciels/kinoval\"");
    // Inside the quotes "$" takes a backslash, and that backslash is doubled by the string escaping.
    EXPECT_EQ(DesktopExecQuoted("/opt/k$v/kinoval"), "\"/opt/k\\\\$v/kinoval\"");
    // A "%" would start a field code.
    EXPECT_EQ(DesktopExecQuoted("/opt/100%/kinoval"), "/opt/100%%/kinoval");
    // A line end would end the key: no entry at all.
    EXPECT_TRUE(KvlDesktopEntry("/opt/a\nExec=rm -rf ~").empty());
}

TEST(KvlAssociation, WritesTheTypeAndTheEntryThenRefreshesTheDesktop)
{
    test::TTempDir dir;
    test::TFakeDesktopServices desktop;
    desktop.programsOnPath = { "update-mime-database", "xdg-mime" }; // no update-desktop-database here
    std::string reason;
    ASSERT_EQ(RegisterKvlAssociation(dir.Path().string(), "/usr/bin/kinoval", desktop, &reason), kAssociationOk)
        << reason;

    const std::string mime = ReadAll(dir.Path() / "mime" / "packages" / "kinoval-kvl.xml");
    EXPECT_NE(mime.find("<mime-type type=\"application/x-kinoval-study\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.kvl\"/>"), std::string::npos);
    const std::string entry = ReadAll(dir.Path() / "applications" / "kinoval.desktop");
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(entry.find("\nExec=/usr/bin/kinoval %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=application/x-kinoval-study;\n"), std::string::npos);

    ASSERT_EQ(desktop.started.size(), 2u);
    EXPECT_EQ(desktop.started[0].program, "update-mime-database");
    EXPECT_EQ(desktop.started[0].arguments, std::vector<std::string>({ (dir.Path() / "mime").string() }));
    EXPECT_EQ(desktop.started[1].program, "xdg-mime");
    EXPECT_EQ(desktop.started[1].arguments,
        std::vector<std::string>({ "default", "kinoval.desktop", "application/x-kinoval-study" }));
}

TEST(KvlAssociation, AFolderThatCannotBeMadeFailsWithItsName)
{
    test::TTempDir dir;
    // A file where the "applications" folder should go.
    std::filesystem::create_directories(dir.Path() / "mime" / "packages");
    std::ofstream(dir.Path() / "applications") << "not a folder";
    test::TFakeDesktopServices desktop;
    desktop.programsOnPath = { "xdg-mime" };
    std::string reason;
    EXPECT_EQ(
        RegisterKvlAssociation(dir.Path().string(), "/usr/bin/kinoval", desktop, &reason), kAssociationWriteFailed);
    EXPECT_NE(reason.find("applications"), std::string::npos);
    EXPECT_TRUE(desktop.started.empty()); // nothing made the default for a half-written association
}

// The installed files are the ones the settings dialog writes, for the program found on the PATH.
TEST(KvlAssociation, InstalledFilesMatchWhatTheDialogWrites)
{
    const std::filesystem::path folder = std::filesystem::path(KINOVAL_SOURCE_DIR) / "desktop";
    EXPECT_EQ(ReadAll(folder / "kinoval.desktop"), KvlDesktopEntry("kinoval"));
    EXPECT_EQ(ReadAll(folder / "kinoval-kvl.xml"), KvlMimePackage());
}

} // namespace
} // namespace kinoval
