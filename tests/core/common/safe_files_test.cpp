// Reading files of any kind without blocking or growing without bound, writing beside and renaming, and
// the texts that tell the user why.
#include "core/common/file_access.h"
#include "core/common/file_beside.h"
#include "core/common/ini_file.h"
#include "core/common/png_writer.h"
#include "core/common/system_errors.h"
#include "support/private_mount.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
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

std::size_t EntriesIn(const std::string& folder)
{
    std::size_t n = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        (void)entry;
        ++n;
    }
    return n;
}

TEST(ReadWholeFile, OnlyRegularFilesWithinTheCapAreRead)
{
    test::TTempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string contents = "left over";
    std::string reason;
    // A pipe with no writer: refused at once instead of blocking the reader.
    EXPECT_EQ(ReadWholeFile(fifo, kMaxTextFileBytes, contents, &reason), frNotRegular);
    EXPECT_EQ(reason, "Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre).");
    EXPECT_TRUE(contents.empty());
    EXPECT_EQ(ReadWholeFile("/dev/zero", kMaxTextFileBytes, contents, &reason), frNotRegular);
    EXPECT_EQ(ReadWholeFile(dir.Path().string(), kMaxTextFileBytes, contents, &reason), frNotRegular);
    EXPECT_EQ(reason, "C'est un dossier, pas un fichier.");
    EXPECT_EQ(ReadWholeFile(dir.File("absent"), kMaxTextFileBytes, contents, &reason), frMissing);
    EXPECT_EQ(reason, "Ce fichier ou ce dossier n'existe pas.");

    const std::string small = dir.File("small.txt");
    std::ofstream(small) << "0123456789";
    EXPECT_EQ(ReadWholeFile(small, 10, contents, &reason), frOk);
    EXPECT_EQ(contents, "0123456789");
    EXPECT_EQ(ReadWholeFile(small, 9, contents, &reason), frTooLarge);
    EXPECT_TRUE(contents.empty());
    // A symbolic link to a regular file is that file.
    fs::create_symlink(small, dir.File("link.txt"));
    EXPECT_EQ(ReadWholeFile(dir.File("link.txt"), 100, contents), frOk);
    EXPECT_EQ(NotARegularFileReason(dir.File("link.txt")), "");
}

TEST(SystemErrorText, TheCommonReasonsAreSaidInFrench)
{
    EXPECT_EQ(SystemErrorText(ENOSPC), "Il n'y a plus de place sur le disque.");
    EXPECT_EQ(SystemErrorText(EROFS), "Le support est en lecture seule.");
    EXPECT_EQ(SystemErrorText(EACCES), "Permission refusée.");
    EXPECT_EQ(SystemErrorText(EDQUOT), "Le quota d'espace disque est dépassé.");
    EXPECT_EQ(SystemErrorText(0), "");
    EXPECT_FALSE(SystemErrorText(EHOSTDOWN).empty()); // the library's own words, rather than nothing
}

TEST(EscapeForMessage, BytesFromAFileComeOutAsCleanText)
{
    EXPECT_EQ(EscapeForMessage("/home/élève/vidéo.avi"), "/home/élève/vidéo.avi");
    EXPECT_EQ(EscapeForMessage("a\nb\rc\x1b[31m"), "a\\x0Ab\\x0Dc\\x1B[31m");
    EXPECT_EQ(EscapeForMessage("C:\\dossier"), "C:\\\\dossier");
    // Broken sequences, an overlong form, a surrogate and a C1 control are bytes, not characters.
    EXPECT_EQ(EscapeForMessage("\xC3"), "\\xC3");
    EXPECT_EQ(EscapeForMessage("\xC0\xAF"), "\\xC0\\xAF");
    EXPECT_EQ(EscapeForMessage("\xED\xA0\x80"), "\\xED\\xA0\\x80");
    EXPECT_EQ(EscapeForMessage("\xC2\x85"), "\\xC2\\x85");
    EXPECT_EQ(EscapeForMessage("\xF0\x9F\x99\x82"), "\xF0\x9F\x99\x82");
    EXPECT_EQ(EscapeForMessage(std::string(600, 'x'), 10), std::string(10, 'x') + "…");
}

TEST(FileBeside, AGivenUpWriteLeavesTheTargetAndNoTemporaryFile)
{
    test::TTempDir dir;
    const std::string target = dir.File("video.avi");
    std::ofstream(target) << "the old video";
    ::chmod(target.c_str(), 0640);
    {
        TFileBeside beside(target);
        ASSERT_EQ(beside.Code(), kIniOk) << beside.ErrorText();
        EXPECT_EQ(fs::path(beside.TemporaryPath()).parent_path(), fs::path(target).parent_path());
        EXPECT_EQ(beside.Write("half a new vid"), kIniOk);
        EXPECT_EQ(EntriesIn(dir.Path().string()), 2u);
    } // given up: no Commit
    EXPECT_EQ(ReadAll(target), "the old video");
    EXPECT_EQ(EntriesIn(dir.Path().string()), 1u);

    TFileBeside beside(target);
    ASSERT_EQ(beside.Write("the new video"), kIniOk);
    ASSERT_EQ(beside.Commit(), kIniOk);
    EXPECT_EQ(ReadAll(target), "the new video");
    struct stat status { };
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u); // the file keeps its permissions
    EXPECT_EQ(EntriesIn(dir.Path().string()), 1u);

    // Over a pipe the rename would replace the node itself: refused before anything is written.
    const std::string fifo = dir.File("pipe.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    TFileBeside onPipe(fifo);
    EXPECT_EQ(onPipe.Code(), kIniNotRegular);
    EXPECT_EQ(onPipe.Write("x"), kIniNotRegular);
    EXPECT_EQ(EntriesIn(dir.Path().string()), 2u);
}

TEST(FileBeside, APictureOnAFullDiskLeavesThePreviousOneByteForByte)
{
    test::TTempDir dir;
    const std::string folder = dir.File("disk");
    fs::create_directory(folder);
    const int result = test::InChild([&] {
        if (!test::MountSmallTmpfs(folder, "64k"))
            return test::kSetupRefused;
        const std::string path = folder + "/frame.png";
        if (WritePng(path, TRgbImage(8, 8)) != 0)
            return 10;
        const std::string before = ReadAll(path);
        std::string reason;
        if (WritePng(path, TRgbImage(200, 200), &reason) != -2) // 120 kB of pixels
            return 11;
        if (reason != "Il n'y a plus de place sur le disque.")
            return 12;
        if (ReadAll(path) != before)
            return 13;
        return EntriesIn(folder) == 1 ? 0 : 14;
    });
    if (result == test::kSetupRefused)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(result, 0);
}

} // namespace
} // namespace kinoval
