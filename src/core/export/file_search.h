#pragma once
// Looking for a program on the local disks, for the Regressi search.
//
// Regressi runs under wine, so it lives in a wine prefix (drive_c/Program Files/...). The search walks the
// given folders to a bounded depth, never follows symbolic links (a prefix's dosdevices link z: to the
// whole file system) and skips folders it may not read, so it ends quickly on any machine.

#include <string>
#include <vector>

namespace kinoval {

// Files named `name` (ASCII case ignored) under the roots, at most maxDepth folders below a root, in the
// order found; the walk stops after maxEntries directory entries.
std::vector<std::string> FindFilesNamed(
    const std::vector<std::string>& roots, const std::string& name, int maxDepth, int maxEntries = 200000);

// The drive_c folders of the user's wine prefixes: $WINEPREFIX, ~/.wine, and each prefix under
// ~/.local/share/wineprefixes; only those that exist.
std::vector<std::string> WineDriveFolders();

} // namespace kinoval
