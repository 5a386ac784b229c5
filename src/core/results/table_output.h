#pragma once
// Where the results table's outputs go: a buffer of text lines (the tab-separated copy, the Python
// lists) and the hand-overs of the whole matrix to spreadsheets and CSV files. The table writes into it
// without knowing who takes the lines away; the hand-over to outside software implements it.

#include "core/common/string_matrix.h"

#include <string>

namespace kinoval::results {

class TTableOutput {
public:
    virtual ~TTableOutput() = default;

    virtual void Clear() = 0;
    virtual void AddLine(const std::string& text) = 0;
    // The hand-overs' error codes: 0 success.
    virtual int ToExcel(const TStringMatrix& matrix) = 0;
    virtual int ToLibreOffice(const TStringMatrix& matrix) = 0;
    // True when the file was written.
    virtual bool ToCsvFile(const TStringMatrix& matrix) = 0;
};

} // namespace kinoval::results
