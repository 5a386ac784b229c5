#pragma once
// The settings dialog: every setting of TOptions on its page, edited on a copy and handed back only when
// the user presses OK (TOptions then tells its listener, the main window). Each control is named after its
// setting ("CheckBox41HorizAndVertScale", "EditMRU", "PenSize", "ToolButtonTempsReticule", ...), which is
// also its key in the settings file without the "_Checked", "_Value" or "_Down" ending.
//
// A password, when one is set, locks the dialog: the password box opens first and only the right entry
// lets the user in. The password is set or cleared on the "Général" page, typed twice.
//
// The same page registers ".kvl" studies with the desktop, so that a double click on a study opens it with
// the program.

#include "core/settings/options.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QTabWidget;

namespace kinoval {

class TCustomUserDlg;
class TDesktopServices;

class TSettingsDialog : public QDialog {
    Q_OBJECT
public:
    TSettingsDialog(QWidget* parent, const TOptionValues& values, TCustomUserDlg& dlg, TDesktopServices& desktop);

    // Asks the password when one is set, then shows the dialog; on OK assigns the edited settings to options
    // and returns true (the caller then writes the settings file). False when the password box or the
    // dialog was cancelled: options are untouched.
    static bool Run(QWidget* parent, TOptions& options, TCustomUserDlg& dlg, TDesktopServices& desktop);

    // The password box alone: true once the right password is typed, false when cancelled. A wrong entry
    // is refused through dlg and the box stays open with the text selected.
    static bool AskPassword(QWidget* parent, const std::string& password, TCustomUserDlg& dlg);

    // The settings as edited, after OK.
    const TOptionValues& Edited() const { return m_edited; }
    QTabWidget& Pages() const { return *m_pages; }

    // Where the ".kvl" association is written, and the program it opens (the user's data folder and this
    // program unless a test says otherwise).
    std::string AssociationFolder;
    std::string AssociationProgram;
    void RegisterAssociation();

public slots:
    void accept() override;

private:
    QWidget* AddCheckPage(const char* title,
        const std::vector<std::pair<const char*, std::vector<const char*>>>& groups, int columns = 2);
    QWidget* NewPage(const char* title);
    void BuildGeneralPage();
    void BuildPointingPage();
    void BuildModesPage();
    void BuildToolButtonsPage();
    void AddCombo(QWidget& page, const char* name, const char* label, const std::vector<const char*>& choices);
    void AddSpin(QWidget& page, const char* name, const char* label, int low, int high, const char* hint = nullptr);

    TOptions m_edited;
    TCustomUserDlg& m_dlg;
    TDesktopServices& m_desktop;
    QTabWidget* m_pages = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_confirmation = nullptr;
    // Each control writes its value into the edited copy on OK.
    std::vector<std::function<void(TOptions&)>> m_writers;
};

} // namespace kinoval
