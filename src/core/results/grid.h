#pragma once
// The results table: the calculators' quantities laid out as a grid.
//
// One column per quantity and object, one line per row of the row list, after four header lines (a
// control line without text, the symbols, the units, the descriptions). Column 0 is the fixed column of
// row numbers. The column array has one entry per column identifier, 11·N + 1 for N objects, in this
// order: the time, x and y of every object, vx vy v of every object, ax ay a of every object, O R w of
// every object. Each entry has a visible flag and a digits setting; the visible columns, in identifier
// order, make the displayed table. The time column is always shown, so the table never loses its last
// data column.
//
// The same cell texts feed the screen (formatted with each column's digits) and every output
// (unformatted, 15 significant digits): the tab-separated copy, the Python copy and the spreadsheet
// matrix. A TResGrid owns the table of each mark set and knows which one is current.

#include "core/common/colour.h"
#include "core/common/string_matrix.h"
#include "core/results/copyable_table.h"
#include "core/results/selector.h"
#include "core/results/table_output.h"
#include "core/results/table_source.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kinoval {
}

namespace kinoval::results {

enum class TColumnGroup { Time, Position, Velocity, Acceleration, Polar };

struct TColumnEntry {
    bool visible = false;
    int digits = 0; // 0..8
};

// What an identifier stands for.
struct TColumnQuantity {
    TColumnGroup group = TColumnGroup::Time;
    int code = 0; // the calculators' quantity code
    int object = -1; // 0-based, -1 for the time
};

// Where ExportToOffice hands the matrix.
enum class TOfficeTarget { Excel, LibreOffice, Csv };

// Switches read from the settings.
struct TGridOptions {
    bool numberFromZero = false; // "Numéroter les marques à partir de zéro ..."
    bool hideVelocityEdges = false; // "Cacher la vitesse au début et à la fin (une marque)"
    bool hideAccelerationEdges = false; // "Cacher l'accélération au début et à la fin (deux marques)"
};

// 16-bit sets of quantity codes, as the results window passes them.
constexpr std::uint16_t CodeSet(std::initializer_list<int> codes)
{
    std::uint16_t set = 0;
    for (int c : codes)
        set = static_cast<std::uint16_t>(set | (1u << c));
    return set;
}
inline constexpr std::uint16_t kPositionCodes = CodeSet({ 1, 2 });
inline constexpr std::uint16_t kVelocityCodes = CodeSet({ 3, 4, 5 });
inline constexpr std::uint16_t kAccelerationCodes = CodeSet({ 6, 7, 8 });
inline constexpr std::uint16_t kPolarCodes = CodeSet({ 11, 12, 13 });

class TGrid : public TCopyableTable {
public:
    static constexpr int kFixedCols = 1;
    static constexpr int kHeaderLines = 4;
    static constexpr int kColumnsPerObject = 11;

    explicit TGrid(const TTableSource& source);

    TGridOptions Options;
    // The text of the date line of the tab-separated copy; the local date and time unless a test sets it.
    std::function<std::string()> DateText;

    // The column array for the source's current object count: existing entries keep their flag and
    // digits, new ones start hidden with 0 digits.
    void Resize();
    void ResetDigits();
    // Recomputes the visible columns, the column and line counts and each object's first and last marked
    // rows. Needed after a recomputation or a change of visibility; the copies call it themselves.
    void Layout();

    int ColCount() const { return m_colCount; }
    int LineCount() const { return m_lineCount; }
    const std::vector<TColumnEntry>& Columns() const { return m_columns; }

    // Visible column (1..ColCount-1) to identifier; -1 out of range.
    int IdentifierOf(int column) const;
    TColumnQuantity QuantityOf(int identifier) const;
    std::string Symbol(int identifier) const;
    std::string Unit(int identifier) const;
    std::string Description(int identifier) const;

    std::string CellText(int column, int line, bool formatted) const;
    TColor ColumnColour(int column) const;
    // Background of the on-screen header lines 0..3 (white for any other line).
    static TColor HeaderLineColour(int line);

    void SetVisible(bool flag, std::uint16_t codeSet);
    void HideColumn(int column);
    void FewerDigits(int column);
    void MoreDigits(int column);
    int Digits(int column) const;

    // Tab-separated copy into the output buffer; answers the number of data columns written.
    int CopyText(const std::string& firstLine, TTableOutput& out) override;
    // Python lists, one per visible data column.
    void CopyPython(TTableOutput& out) override;
    // Every cell's unformatted text, header lines included, without the fixed column; the first line
    // carries the axis angle when there is room for it.
    TStringMatrix Matrix() override;
    // Builds the matrix and hands it over; answers the hand-over's error code (0 success, for the CSV
    // file 0 when written and 1 otherwise).
    int ExportToOffice(TOfficeTarget target, TTableOutput& out);

private:
    std::string DataText(int identifier, int row, int digits, bool formatted) const;
    int EntryCount() const;

    const TTableSource& m_source;
    std::vector<TColumnEntry> m_columns;
    std::vector<int> m_visibleIds; // identifiers of visible columns 1..
    std::vector<int> m_firstRow; // per object, -1 when it has no mark
    std::vector<int> m_lastRow;
    int m_objects = 0;
    int m_colCount = 1 + 1;
    int m_lineCount = kHeaderLines;
};

// Selector of the table(s) an operation addresses: 1 current, 2 transparent, 3 camera, 0 both.
class TResGrid {
public:
    TResGrid(const TTableSource& cameraSource, const TTableSource& transparentSource);

    // Whether the view is in its transparent mode; the camera table is current without it.
    std::function<bool()> IsTransparentMode;

    TGrid& Current();
    TGrid& Camera() { return m_camera; }
    TGrid& Transparent() { return m_transparent; }

    void Resize(TSel selector);
    void ResetDigits(TSel selector);
    void SetOptions(const TGridOptions& options);

private:
    template <class F> void ForEach(TSel selector, F&& f);

    TGrid m_camera;
    TGrid m_transparent;
};

// "08/12/2026 18:39:25" for the present moment, local time.
std::string CurrentDateTimeText();

} // namespace kinoval::results
