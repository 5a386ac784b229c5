#pragma once
// Writes the results table's workbook as an Office Open XML (.xlsx) file.

#include "core/export/workbook.h"

#include <string>

namespace kinoval {

class TXlsxWriter : public TWorkbookWriter {
public:
    // The workbook is built beside its destination and renamed into place only when complete, so a failed
    // write never leaves a truncated workbook under the chosen name. 0 on success.
    int Write(const std::string& path, const std::string& sheetName, const TWorkbookCells& cells) override;

    // The library's text for the last failure, empty after a success.
    const std::string& LastError() const { return m_lastError; }

private:
    std::string m_lastError;
};

} // namespace kinoval
