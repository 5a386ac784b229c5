#pragma once
// Handing the results table to the outside world.
//
// TServeur owns the output buffer, a list of text lines that the results table fills (the tab-separated
// copy or the Python lists) before each output, and performs every hand-over: the clipboard, a text file,
// Regressi, a spreadsheet workbook opened with the desktop's spreadsheet or with LibreOffice Calc, and a
// CSV file. Each outside failure ends in one message and leaves the table untouched; nothing is retried.
//
// Regressi is a Windows program: it is started through wine, and since no conversation can be held with
// it here, the table waits on the clipboard for the user to paste it. Its location is kept by the owner
// in the settings (section "ResultsForm", key "Regressi"): TServeur reports every change of it through
// OnRegressiPathChanged, and clears it whenever it proves invalid so that the search is offered again.

#include "core/common/desktop_services.h"
#include "core/common/string_matrix.h"
#include "core/common/user_dlg.h"
#include "core/results/table_output.h"

#include <functional>
#include <string>
#include <vector>

namespace kinoval {

class TIniFile;
class TWorkbookWriter;

// Results of ToRegressi.
enum TRegressiResult : int {
    rrStarted = 0, // started, the table on the clipboard
    rrNotFound = 1, // no valid executable: the search was offered instead
    rrCancelled = 2, // the user declined the many-columns warning
    rrNoClipboard = 3, // the clipboard refused the table
    rrCannotRun = 4, // no wine on this machine: the table is on the clipboard
    rrStartFailed = 5, // wine could not start it: the table is on the clipboard
};

// Error codes of the spreadsheet hand-overs (0 none).
enum TSpreadsheetError : int {
    seNone = 0,
    seNoProgram = 1, // the spreadsheet program cannot be found
    seNotOpened = 3, // the program did not start or could not open the workbook
    seWriteFailed = 6, // the workbook could not be written
};

class TServeur : public results::TTableOutput {
public:
    TServeur(TDesktopServices& desktop, TCustomUserDlg& dlg);

    void AddLine(const std::string& text) override { m_lines.push_back(text); }
    void Clear() override { m_lines.clear(); }
    const std::vector<std::string>& Lines() const { return m_lines; }
    // The buffer's lines joined with line breaks.
    std::string Text() const;

    bool ToClipboard(bool showMessage, bool pythonFlavour);
    // Answers true when the file was written.
    bool ToTextFile();
    bool ToCsvFile(const TStringMatrix& matrix) override;
    int ToExcel(const TStringMatrix& matrix) override;
    int ToLibreOffice(const TStringMatrix& matrix) override;
    int ToRegressi(int columnCount);

    // The Regressi path in the settings file.
    static constexpr const char* kSettingsSection = "ResultsForm";
    static constexpr const char* kRegressiKey = "Regressi";
    void ReadSettings(const TIniFile& ini);
    void WriteSettings(TIniFile& ini) const;

    const std::string& RegressiPath() const { return m_regressiPath; }
    void SetRegressiPath(const std::string& path);
    // Called with the new path (empty when cleared) so the owner can store it.
    std::function<void(const std::string&)> OnRegressiPathChanged;
    // Where the search for Regressi looks first: the drive_c folders of the user's wine prefixes.
    std::vector<std::string> RegressiSearchFolders;

    // The last folder of the recent-files list: proposed by the save dialogs, updated after each file.
    std::string LastFolder;
    std::function<void(const std::string&)> OnFolderUsed;

    // Where the workbooks handed to spreadsheets are written; the system's temporary folder by default.
    std::string WorkFolder;
    void SetWorkbookWriter(TWorkbookWriter* writer) { m_writer = writer; }

    // The first "Kinoval-Tableau-N.xlsx" of WorkFolder that does not exist yet.
    std::string NextWorkbookPath() const;
    // Whether a path names an existing file called Regressi.exe (in any case).
    static bool IsRegressiExecutable(const std::string& path);
    // Replaces every empty cell between two tabs of a line by 0.
    static std::string SubstituteEmptyCells(const std::string& line);

private:
    std::string AskFileName(const std::string& title, const std::string& filter, const std::string& extension);
    // Writes beside and renames; a failure is warned about with the system's reason.
    bool WriteFile(const std::string& path, const std::string& text);
    void FileWritten(const std::string& path);
    void Warn(std::initializer_list<std::string> lines);
    int Ask(TUserDlgIcon icon, std::initializer_list<std::string> buttons, const std::vector<std::string>& lines,
        const std::vector<int>& kinds = {});
    void SearchRegressi();
    int WriteWorkbook(const TStringMatrix& matrix, std::string& path);

    TDesktopServices& m_desktop;
    TCustomUserDlg& m_dlg;
    TWorkbookWriter* m_writer = nullptr;
    std::vector<std::string> m_lines;
    std::string m_regressiPath;
};

} // namespace kinoval
