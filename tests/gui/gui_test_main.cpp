// Entry point of the gui suite: one QApplication on the offscreen platform for every test.
//
// A test that needs a full disk or a read-only folder runs in a process of its own, started with
// KINOVAL_TEST_TMPFS="folder size": the small tmpfs is mounted in a private namespace here, before the
// QApplication starts any thread (a process must be alone on its thread to enter a user namespace, and a
// forked copy of a running application would wait forever on threads it does not have).
#include "support/private_mount.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (const char* tmpfs = std::getenv("KINOVAL_TEST_TMPFS")) {
        std::istringstream words(tmpfs);
        std::string folder, size;
        words >> folder >> size;
        if (!kinoval::test::MountSmallTmpfs(folder, size.empty() ? "16k" : size)) {
            std::fprintf(stderr, "no private mount namespace here\n");
            return kinoval::test::kSetupRefused;
        }
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
