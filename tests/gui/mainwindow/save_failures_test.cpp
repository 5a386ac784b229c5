// The window's save commands on a full disk and on a read-only folder: a small tmpfs in a private mount
// namespace, in a process of the suite of its own (see gui_test_main.cpp). Each failure is said with the
// system's reason, and the study saved before stays on the disk byte for byte, with no temporary file
// beside it.
#include "main_form_fixture.h"

#include "support/private_mount.h"
#include "support/run_command.h"

#include <QAction>

#include <cstdlib>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kinoval::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::size_t EntriesIn(const std::string& folder)
{
    std::size_t n = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        n += entry.exists() ? 1 : 0;
    return n;
}

// Writes zeros into path until the disk refuses any more.
void FillTheDisk(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return;
    const std::string block(4096, '\0');
    while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0) { }
    std::fclose(f);
}

class SaveFailuresTest : public MainFormTest {
protected:
    // In the child: the parabola pointed three times and saved as a new study in folder. 0 when done.
    int SaveAFirstStudy(const std::string& study)
    {
        if (!OpenParabola())
            return 20;
        for (int i = 0; i < 3; ++i)
            ClickPicture(100 + 40 * i, 100 + 10 * i);
        desktop.saveAnswers.push_back(study);
        Action("MenuFichierEnregistrerSous")->trigger();
        if (!fs::exists(study) || data.MarkCount() != 3) {
            std::fprintf(stderr, "first save: %s\n", dlg.LastRun().JoinedText().c_str());
            return 21;
        }
        return 0;
    }

    // In the child: two more marks, the "Enregistrer" command, then what must hold. 0 when it did.
    int SaveFailsWith(
        const std::string& study, const std::string& before, const std::string& reason, std::size_t entries)
    {
        ClickPicture(300, 150);
        ClickPicture(340, 160);
        dlg.ClearRuns();
        Action("MenuFichierEnregistrer")->trigger();
        if (dlg.RunCount() != 1)
            return 30;
        const std::vector<std::string> texts = dlg.LastRun().Texts();
        if (dlg.LastRun().icon != TUserDlgIcon::icError || texts.empty()
            || texts.front() != "La sauvegarde du fichier a échoué."
            || std::find(texts.begin(), texts.end(), reason) == texts.end()) {
            std::fprintf(stderr, "message: %s\n", dlg.LastRun().JoinedText().c_str());
            return 31;
        }
        if (ReadAll(study) != before)
            return 32;
        if (EntriesIn(fs::path(study).parent_path().string()) != entries)
            return 33;
        // The study is still the one in the window, with its unsaved marks: nothing was given up.
        if (data.MarkCount() != 5 || !form->Commands().Modified())
            return 34;
        return 0;
    }
};

// The folder the process's tmpfs is mounted on, or empty when this process has none.
std::string PrivateFolder()
{
    const char* tmpfs = std::getenv("KINOVAL_TEST_TMPFS");
    if (tmpfs == nullptr)
        return {};
    std::istringstream words(tmpfs);
    std::string folder;
    words >> folder;
    return folder;
}

// Runs one test of this suite in a new process over a tmpfs of that size; its exit status.
int InOwnProcess(const std::string& test, const std::string& folder, const std::string& size)
{
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string output = RunCommand("KINOVAL_TEST_TMPFS='" + folder + " " + size + "' '" + self
        + "' --gtest_filter=" + test + " --gtest_brief=1; echo status=$?");
    const std::size_t at = output.rfind("status=");
    const int status = at == std::string::npos ? -1 : std::atoi(output.c_str() + at + 7);
    if (status != 0 && status != kSetupRefused)
        std::fprintf(stderr, "%s", output.c_str());
    if (status == 0 && output.find("[  PASSED  ] 1 test.") == std::string::npos)
        return -2; // it did not run
    return status;
}

TEST_F(SaveFailuresTest, AFullDiskLeavesThePreviousStudyByteForByte)
{
    const std::string folder = dir.File("disk");
    fs::create_directory(folder);
    const int status = InOwnProcess("SaveFailuresTest.OnAFullDisk", folder, "32k");
    if (status == kSetupRefused)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(status, 0);
}

TEST_F(SaveFailuresTest, AReadOnlyFolderLeavesThePreviousStudyByteForByte)
{
    const std::string folder = dir.File("ro");
    fs::create_directory(folder);
    const int status = InOwnProcess("SaveFailuresTest.OnAReadOnlyFolder", folder, "64k");
    if (status == kSetupRefused)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(status, 0);
}

// The two halves that run in the processes above.
TEST_F(SaveFailuresTest, OnAFullDisk)
{
    const std::string folder = PrivateFolder();
    if (folder.empty())
        GTEST_SKIP() << "runs in a process of its own, over a full disk";
    const std::string study = folder + "/parabole.kvl";
    ASSERT_EQ(SaveAFirstStudy(study), 0);
    const std::string before = ReadAll(study);
    FillTheDisk(folder + "/filler");
    EXPECT_EQ(SaveFailsWith(study, before, "Il n'y a plus de place sur le disque.", 2), 0);
}

TEST_F(SaveFailuresTest, OnAReadOnlyFolder)
{
    const std::string folder = PrivateFolder();
    if (folder.empty())
        GTEST_SKIP() << "runs in a process of its own, over a read-only folder";
    const std::string study = folder + "/parabole.kvl";
    ASSERT_EQ(SaveAFirstStudy(study), 0);
    const std::string before = ReadAll(study);
    ASSERT_TRUE(RemountReadOnly(folder, "64k"));
    EXPECT_EQ(SaveFailsWith(study, before, "Le support est en lecture seule.", 1), 0);
}

} // namespace
} // namespace kinoval::test
