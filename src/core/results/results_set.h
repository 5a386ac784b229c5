#pragma once
// The program's results machinery in one piece: the two calculators, the table sources over them and the
// two results tables. The main window owns one for the program's life; the command-line tool builds one
// for a study it loaded. The tables name objects after the document's names of each mark set.

#include "core/document/data.h"
#include "core/results/calcul_table_source.h"
#include "core/results/grid.h"
#include "core/results/res_calc.h"

namespace kinoval::results {

class TResultsSet {
public:
    explicit TResultsSet(const document::TData& data);
    TResultsSet(const TResultsSet&) = delete;
    TResultsSet& operator=(const TResultsSet&) = delete;

    TResCalc Calc;
    TCalculTableSource CameraSource;
    TCalculTableSource TransparentSource;
    TResGrid Grids;
};

} // namespace kinoval::results
