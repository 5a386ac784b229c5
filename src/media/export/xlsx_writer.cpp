#include "media/export/xlsx_writer.h"

#include "core/common/file_beside.h"
#include "core/common/ini_file.h"

#include <xlsxwriter.h>

namespace kinoval {

int TXlsxWriter::Write(const std::string& path, const std::string& sheetName, const TWorkbookCells& cells)
{
    m_lastError.clear();
    // The library writes the file by name: it gets the temporary one, renamed over the target at the end.
    TFileBeside beside(path);
    if (beside.Code() != kIniOk) {
        m_lastError = beside.ErrorText();
        return 1;
    }
    beside.ReleaseDescriptor();
    lxw_workbook* workbook = workbook_new(beside.TemporaryPath().c_str());
    if (workbook == nullptr) {
        m_lastError = "workbook_new";
        return 1;
    }
    // workbook_close frees the workbook whatever happened, so it is called on every path below.
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName.c_str());
    lxw_error error = sheet == nullptr ? LXW_ERROR_MEMORY_MALLOC_FAILED : LXW_NO_ERROR;
    for (std::size_t line = 0; line < cells.size() && error == LXW_NO_ERROR; ++line) {
        for (std::size_t col = 0; col < cells[line].size() && error == LXW_NO_ERROR; ++col) {
            const TWorkbookCell& cell = cells[line][col];
            const auto row = static_cast<lxw_row_t>(line);
            const auto column = static_cast<lxw_col_t>(col);
            if (cell.kind == TWorkbookCell::Kind::Text)
                error = worksheet_write_string(sheet, row, column, cell.text.c_str(), nullptr);
            else if (cell.kind == TWorkbookCell::Kind::Number)
                error = worksheet_write_number(sheet, row, column, cell.number, nullptr);
        }
    }
    const lxw_error closeError = workbook_close(workbook);
    if (error == LXW_NO_ERROR)
        error = closeError;
    if (error != LXW_NO_ERROR) {
        m_lastError = lxw_strerror(error);
        return 1; // the temporary file goes with beside
    }
    if (beside.Commit() != kIniOk) {
        m_lastError = beside.ErrorText();
        return 1;
    }
    return 0;
}

} // namespace kinoval
