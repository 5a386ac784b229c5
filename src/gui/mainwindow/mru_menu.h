#pragma once
// The recent-files entries of the main window's menu, rebuilt from the list whenever it changes.

class QMenu;

namespace kinoval {

class TMRUFiles;

// Replaces the menu's contents by the list's entries ("&1 /path", ... then a separator); choosing an entry
// calls mru.Click with its index. The list must outlive the menu's actions.
void RebuildRecentFilesMenu(QMenu& menu, const TMRUFiles& mru);

} // namespace kinoval
