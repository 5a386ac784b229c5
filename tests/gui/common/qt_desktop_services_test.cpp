#include "gui/common/qt_desktop_services.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kinoval {
namespace {

TEST(QtDesktopServices, ClipboardProgramsAndMissingFiles)
{
    TQtDesktopServices desktop;
    desktop.SetClipboardText("t\tx\n0,04\t0,125");
    EXPECT_EQ(desktop.ClipboardText(), "t\tx\n0,04\t0,125");
    EXPECT_TRUE(desktop.ProgramExists("sh"));
    EXPECT_TRUE(desktop.ProgramExists("/bin/sh"));
    EXPECT_FALSE(desktop.ProgramExists("no-such-program-kinoval"));
    EXPECT_FALSE(desktop.ProgramExists(KINOVAL_SOURCE_DIR "/CMakeLists.txt")); // not executable
    test::TTempDir dir;
    EXPECT_FALSE(desktop.OpenWithDefaultProgram(dir.File("Help_fr.html"))); // nothing to open
    EXPECT_FALSE(desktop.StartProgram(dir.File("missing-program"), {}));
}

} // namespace
} // namespace kinoval
