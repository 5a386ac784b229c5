#pragma once
// A table that leaves the program: the results table and the formulas table alike give the tab-separated
// copy (clipboard, text file, Regressi), the Python lists and the cell matrix (spreadsheets, CSV file), so
// that one hand-over serves both windows.

#include "core/common/string_matrix.h"
#include "core/results/table_output.h"

#include <string>
#include <vector>

namespace kinoval::results {

class TCopyableTable {
public:
    virtual ~TCopyableTable() = default;

    // Tab-separated copy into the output buffer, its first line given; answers the number of data columns.
    virtual int CopyText(const std::string& firstLine, TTableOutput& out) = 0;
    // Python lists, one per data column.
    virtual void CopyPython(TTableOutput& out) = 0;
    // Every cell's unformatted text, header lines included.
    virtual TStringMatrix Matrix() = 0;
};

// One line of a tab-separated copy.
std::string JoinTabs(const std::vector<std::string>& cells);

// The line of the copies that gives the axis angle, and the two cells the matrices give it in.
std::string AxisAngleLine(double radians);
std::string AxisAngleCaption();

} // namespace kinoval::results
