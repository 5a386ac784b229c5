#include "core/export/table_hand_over.h"

#include "core/export/serveur.h"
#include "core/results/grid.h"

namespace kinoval {

TTableHandOver::TTableHandOver(
    std::function<results::TCopyableTable&()> table, TServeur& serveur, std::string programPath)
    : m_table(std::move(table))
    , m_serveur(serveur)
    , m_programPath(std::move(programPath))
{
}

TTableHandOver::TTableHandOver(results::TResGrid& grids, TServeur& serveur, std::string programPath)
    : TTableHandOver(
        [&grids]() -> results::TCopyableTable& { return grids.Current(); }, serveur, std::move(programPath))
{
}

int TTableHandOver::FillTable()
{
    return m_table().CopyText(m_programPath, m_serveur);
}

bool TTableHandOver::CopyTable()
{
    FillTable();
    return m_serveur.ToClipboard(true, false);
}

bool TTableHandOver::CopyPython()
{
    m_table().CopyPython(m_serveur);
    return m_serveur.ToClipboard(true, true);
}

bool TTableHandOver::ExportTextFile()
{
    FillTable();
    return m_serveur.ToTextFile();
}

bool TTableHandOver::ExportCsvFile()
{
    return m_serveur.ToCsvFile(m_table().Matrix());
}

int TTableHandOver::ToRegressi()
{
    const int columns = FillTable();
    return m_serveur.ToRegressi(columns);
}

int TTableHandOver::ToExcel()
{
    return m_serveur.ToExcel(m_table().Matrix());
}

int TTableHandOver::ToLibreOffice()
{
    return m_serveur.ToLibreOffice(m_table().Matrix());
}

} // namespace kinoval
