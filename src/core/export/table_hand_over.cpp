#include "core/export/table_hand_over.h"

#include "core/export/serveur.h"
#include "core/results/grid.h"

namespace kinoval {

TTableHandOver::TTableHandOver(results::TResGrid& grids, TServeur& serveur, std::string programPath)
    : m_grids(grids)
    , m_serveur(serveur)
    , m_programPath(std::move(programPath))
{
}

int TTableHandOver::FillTable()
{
    return m_grids.Current().CopyText(m_programPath, m_serveur);
}

bool TTableHandOver::CopyTable()
{
    FillTable();
    return m_serveur.ToClipboard(true, false);
}

bool TTableHandOver::CopyPython()
{
    m_grids.Current().CopyPython(m_serveur);
    return m_serveur.ToClipboard(true, true);
}

bool TTableHandOver::ExportTextFile()
{
    FillTable();
    return m_serveur.ToTextFile();
}

bool TTableHandOver::ExportCsvFile()
{
    return m_grids.Current().ExportToOffice(results::TOfficeTarget::Csv, m_serveur) == 0;
}

int TTableHandOver::ToRegressi()
{
    const int columns = FillTable();
    return m_serveur.ToRegressi(columns);
}

int TTableHandOver::ToExcel()
{
    return m_grids.Current().ExportToOffice(results::TOfficeTarget::Excel, m_serveur);
}

int TTableHandOver::ToLibreOffice()
{
    return m_grids.Current().ExportToOffice(results::TOfficeTarget::LibreOffice, m_serveur);
}

} // namespace kinoval
