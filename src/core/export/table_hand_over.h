#pragma once
// The hand-over commands of the results window and of the formulas window, each in one call.
//
// Every command fills the server's buffer from the table it serves (the current results table, or the
// formulas table) in the layout its destination expects and hands it over: the tab-separated table (whose
// first line is the program's own path) for the clipboard, the text file and Regressi; the Python lists for
// the clipboard; the cell matrix for the spreadsheets and the CSV file.

#include <functional>
#include <string>

namespace kinoval {

class TServeur;
namespace results {
class TCopyableTable;
class TResGrid;
} // namespace results

class TTableHandOver {
public:
    // The table is asked for at each command, so that it may follow the view's marking mode.
    TTableHandOver(std::function<results::TCopyableTable&()> table, TServeur& serveur, std::string programPath);
    // The current table of the results window.
    TTableHandOver(results::TResGrid& grids, TServeur& serveur, std::string programPath);

    // "Copier le tableau dans le presse-papier"
    bool CopyTable();
    // "Copier le tableau dans le presse-papier pour Python"
    bool CopyPython();
    bool ExportTextFile();
    bool ExportCsvFile();
    int ToRegressi();
    int ToExcel();
    int ToLibreOffice();

private:
    int FillTable();

    std::function<results::TCopyableTable&()> m_table;
    TServeur& m_serveur;
    std::string m_programPath;
};

} // namespace kinoval
