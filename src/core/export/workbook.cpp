#include "core/export/workbook.h"

#include "core/common/numbers.h"
#include "core/results/number_format.h"

namespace kinoval {

namespace {

bool IsUndefinedData(const std::string& text)
{
    return text.empty() || text == results::kNotANumberText;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace

TWorkbookCells ToWorkbookCells(const TStringMatrix& matrix)
{
    TWorkbookCells cells(matrix.size());
    for (std::size_t line = 0; line < matrix.size(); ++line) {
        cells[line].resize(matrix[line].size());
        for (std::size_t col = 0; col < matrix[line].size(); ++col) {
            const std::string& text = matrix[line][col];
            TWorkbookCell& cell = cells[line][col];
            if (line < static_cast<std::size_t>(kMatrixHeaderLines)) {
                if (!text.empty()) {
                    cell.kind = TWorkbookCell::Kind::Text;
                    cell.text = text;
                }
                continue;
            }
            if (IsUndefinedData(text))
                continue;
            if (auto value = ParseTypedNumber(text)) {
                cell.kind = TWorkbookCell::Kind::Number;
                cell.number = *value;
            }
        }
    }
    return cells;
}

std::string MatrixToCsv(const TStringMatrix& matrix)
{
    std::string out;
    for (std::size_t line = 0; line < matrix.size(); ++line) {
        for (std::size_t col = 0; col < matrix[line].size(); ++col) {
            if (col > 0)
                out += ',';
            const std::string& text = matrix[line][col];
            const bool data = line >= static_cast<std::size_t>(kMatrixHeaderLines);
            if (data && IsUndefinedData(text))
                continue;
            if (auto value = ParseTypedNumber(text))
                out += FormatFileDouble(*value, '.');
            else if (!data)
                out += CsvField(text);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace kinoval
