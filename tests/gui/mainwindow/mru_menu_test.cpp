#include "core/settings/mru_files.h"
#include "gui/mainwindow/mru_menu.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace kinoval {
namespace {

TEST(RecentFilesMenu, EntriesThenASeparatorAndAClickGivesThePath)
{
    TMRUFiles mru;
    mru.Add("/tp/chute.avi");
    mru.Add("/tp/Tom & Jerry.avi");
    std::string chosen;
    TConnection listening = mru.OnClick.Connect([&](const std::string& path) { chosen = path; });
    QMenu menu;
    menu.addAction("stale entry");
    RebuildRecentFilesMenu(menu, mru);
    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "&1 /tp/Tom && Jerry.avi"); // the "&" of the name stays visible
    EXPECT_EQ(actions[1]->text(), "&2 /tp/chute.avi");
    EXPECT_TRUE(actions[2]->isSeparator());
    actions[0]->trigger();
    EXPECT_EQ(chosen, "/tp/Tom & Jerry.avi");

    mru.Numbered = false;
    mru.Clear();
    RebuildRecentFilesMenu(menu, mru);
    EXPECT_TRUE(menu.actions().isEmpty());
}

} // namespace
} // namespace kinoval
