#pragma once
// The modal dialogs the main window opens, behind one small function each so that the window does not
// depend on how each dialog is built.

#include "core/mainwindow/value_input.h"

#include <QString>

#include <optional>

class QWidget;

namespace kinoval {
class TCustomUserDlg;
class TDesktopServices;
class TOptions;
namespace document {
class TData;
}
namespace video {
class TVideo;
}
} // namespace kinoval

namespace kinoval::gui {

// A typed value, checked on OK against the use's range; nullopt when cancelled.
std::optional<double> AskValueDialog(
    QWidget* parent, const mainwindow::TValueUse& use, const QString& current, TCustomUserDlg& dialog);
// The time between two frames; true when it changed.
bool AskTimeDialog(QWidget* parent, document::TData& data, TCustomUserDlg& dialog);
// The names-and-colours dialog of the current mark set.
void RunNamesDialog(QWidget* parent, document::TData& data, bool transparent);
void ShowVideoPropertiesBox(QWidget* parent, const video::TVideo& video);
void ShowAboutKinoval(QWidget* parent);
// True when the settings were changed.
bool RunSettingsDialog(QWidget* parent, TOptions& options, TCustomUserDlg& dialog, TDesktopServices& desktop);

} // namespace kinoval::gui
