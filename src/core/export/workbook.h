#pragma once
// The results table as a spreadsheet workbook.
//
// The core decides what every cell holds: header lines keep their text, data cells become numbers, and
// an empty data cell or one that is not a number stays empty, so that a spreadsheet's own formulas and
// charts see numbers only. Writing the file itself is the job of a TWorkbookWriter, which the media layer
// implements over a workbook library; tests may record the cells instead.

#include "core/common/string_matrix.h"

#include <string>
#include <vector>

namespace kinoval {

struct TWorkbookCell {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::string text;
    double number = 0;
};

using TWorkbookCells = std::vector<std::vector<TWorkbookCell>>;

// The cells of a results matrix: lines 0..3 as text (an empty text gives an empty cell); on the lines
// after them an empty text or "#Nombre!" gives an empty cell, a number a numeric cell, and a text that is
// not a number an empty cell.
TWorkbookCells ToWorkbookCells(const TStringMatrix& matrix);

class TWorkbookWriter {
public:
    virtual ~TWorkbookWriter() = default;
    // Writes a new workbook of one sheet; 0 on success, non-zero when the file could not be written.
    virtual int Write(const std::string& path, const std::string& sheetName, const TWorkbookCells& cells) = 0;
};

// The matrix as CSV text: comma separator, "." as the decimal point, RFC 4180 quoting and CRLF line ends.
// Numbers are rewritten with "." whatever the user's separator; data cells that are not numbers
// ("#Nombre!") are left empty, as in the workbook.
std::string MatrixToCsv(const TStringMatrix& matrix);

} // namespace kinoval
