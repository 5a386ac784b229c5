#pragma once
// The results window's hand-over commands, each in one call.
//
// Every command fills the server's buffer from the current table in the layout its destination expects
// and hands it over: the tab-separated table (whose first line is the program's own path) for the
// clipboard, the text file and Regressi; the Python lists for the clipboard; the cell matrix for the
// spreadsheets and the CSV file.

#include <string>

namespace kinoval {

class TServeur;
namespace results {
class TResGrid;
}

class TTableHandOver {
public:
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

    results::TResGrid& m_grids;
    TServeur& m_serveur;
    std::string m_programPath;
};

} // namespace kinoval
