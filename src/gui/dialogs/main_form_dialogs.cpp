#include "gui/dialogs/main_form_dialogs.h"

#include "gui/dialogs/about_box.h"
#include "gui/dialogs/names_dialog.h"
#include "gui/dialogs/properties_box.h"
#include "gui/dialogs/settings_dialog.h"
#include "gui/dialogs/time_dialog.h"
#include "gui/dialogs/value_dialog.h"

namespace kinoval::gui {

std::optional<double> AskValueDialog(
    QWidget* parent, const mainwindow::TValueUse& use, const QString& current, TCustomUserDlg& dialog)
{
    return TValueDialog::Ask(parent, use, current, dialog);
}

bool AskTimeDialog(QWidget* parent, document::TData& data, TCustomUserDlg& dialog)
{
    return TTimeDialog::Ask(parent, data, dialog);
}

void RunNamesDialog(QWidget* parent, document::TData& data, bool transparent)
{
    TNamesDialog::Run(parent, data, transparent);
}

void ShowVideoPropertiesBox(QWidget* parent, const video::TVideo& video)
{
    ShowVideoProperties(parent, video);
}

void ShowAboutKinoval(QWidget* parent)
{
    ShowAboutBox(parent);
}

bool RunSettingsDialog(QWidget* parent, TOptions& options, TCustomUserDlg& dialog, TDesktopServices& desktop)
{
    return TSettingsDialog::Run(parent, options, dialog, desktop);
}

} // namespace kinoval::gui
