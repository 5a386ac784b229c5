#pragma once
// The Qt version the interface runs on, for the about box.

#include <QString>

namespace kinoval::gui {

QString RunningQtVersion();

} // namespace kinoval::gui
