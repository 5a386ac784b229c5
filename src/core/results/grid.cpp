#include "core/results/grid.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/results/number_format.h"
#include "core/results/quantity.h"

#include <ctime>

namespace kinoval::results {

namespace {

constexpr const char* kAnglePattern = TrNoop("Angle de rotation du repère dans le sens trigonométrique %s %s %s");

} // namespace

std::string JoinTabs(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += '\t';
        line += cells[i];
    }
    return line;
}

std::string AxisAngleLine(double radians)
{
    return FormatText(Tr(kAnglePattern), { ":", FormatExportNumber(radians), Tr("rad") });
}

std::string AxisAngleCaption()
{
    return FormatText(Tr(kAnglePattern), { "(" + Tr("rad") + ")", ":", "" });
}

std::string CurrentDateTimeText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%d/%m/%Y %H:%M:%S", &local);
    return buffer;
}

TGrid::TGrid(const TTableSource& source)
    : m_source(source)
{
    DateText = CurrentDateTimeText;
    Resize();
    Layout();
}

int TGrid::EntryCount() const
{
    const int n = m_source.ObjectCount();
    return kColumnsPerObject * (n > 0 ? n : 0) + 1;
}

void TGrid::Resize()
{
    m_columns.resize(static_cast<std::size_t>(EntryCount()));
    m_objects = m_source.ObjectCount() > 0 ? m_source.ObjectCount() : 0;
}

void TGrid::ResetDigits()
{
    for (TColumnEntry& entry : m_columns)
        entry.digits = 0;
}

void TGrid::Layout()
{
    if (m_columns.size() != static_cast<std::size_t>(EntryCount()))
        Resize();
    m_visibleIds.clear();
    for (std::size_t id = 0; id < m_columns.size(); ++id) {
        // The time column stays whatever happened to the flags, so there is always a data column.
        if (id == 0 || m_columns[id].visible)
            m_visibleIds.push_back(static_cast<int>(id));
    }
    const int rows = m_source.Rows() > 0 ? m_source.Rows() : 0;
    m_firstRow.assign(static_cast<std::size_t>(m_objects), -1);
    m_lastRow.assign(static_cast<std::size_t>(m_objects), -1);
    for (int k = 0; k < m_objects && k < m_source.ObjectCount(); ++k) {
        for (int row = 0; row < rows; ++row) {
            if (m_source.FrameOf(k, row) < 0)
                continue;
            if (m_firstRow[k] < 0)
                m_firstRow[k] = row;
            m_lastRow[k] = row;
        }
    }
    m_colCount = static_cast<int>(m_visibleIds.size()) + kFixedCols;
    m_lineCount = rows + kHeaderLines;
}

int TGrid::IdentifierOf(int column) const
{
    if (column < kFixedCols || column >= kFixedCols + static_cast<int>(m_visibleIds.size()))
        return -1;
    return m_visibleIds[static_cast<std::size_t>(column - kFixedCols)];
}

TColumnQuantity TGrid::QuantityOf(int identifier) const
{
    TColumnQuantity q;
    const int n = m_objects;
    if (identifier == 0)
        return q;
    if (identifier < 0 || n == 0)
        return TColumnQuantity { TColumnGroup::Time, -1, -1 };
    int index = identifier - 1;
    if (index < 2 * n) {
        q.group = TColumnGroup::Position;
        q.object = index / 2;
        q.code = 1 + index % 2;
        return q;
    }
    index -= 2 * n;
    static constexpr TColumnGroup kGroups[]
        = { TColumnGroup::Velocity, TColumnGroup::Acceleration, TColumnGroup::Polar };
    static constexpr int kFirstCode[] = { 3, 6, 11 };
    const int group = index / (3 * n);
    if (group > 2)
        return TColumnQuantity { TColumnGroup::Time, -1, -1 };
    index -= group * 3 * n;
    q.group = kGroups[group];
    q.object = index / 3;
    q.code = kFirstCode[group] + index % 3;
    return q;
}

std::string TGrid::Symbol(int identifier) const
{
    const TColumnQuantity q = QuantityOf(identifier);
    if (q.code < 0)
        return {};
    std::string symbol = TextOf(q.code).symbol;
    if (q.object >= 0 && m_objects > 1)
        symbol += std::to_string(q.object + 1);
    return symbol;
}

std::string TGrid::Unit(int identifier) const
{
    const TColumnQuantity q = QuantityOf(identifier);
    return q.code < 0 ? std::string() : std::string(TextOf(q.code).unit);
}

std::string TGrid::Description(int identifier) const
{
    const TColumnQuantity q = QuantityOf(identifier);
    if (q.code < 0)
        return {};
    std::string text = Tr(TextOf(q.code).description);
    if (q.object >= 0)
        text += " " + m_source.ObjectName(q.object);
    return text;
}

std::string TGrid::DataText(int identifier, int row, int digits, bool formatted) const
{
    const TColumnQuantity q = QuantityOf(identifier);
    if (q.code < 0)
        return {};
    double value = 0;
    if (q.code == 0) {
        value = m_source.Time(row);
    } else {
        const int k = q.object;
        if (k >= m_source.ObjectCount() || m_source.FrameOf(k, row) < 0)
            return {};
        // The first and last velocities rest on one-sided differences, the accelerations on two such
        // steps: the options hide them rather than show their doubtful values.
        const int first = k < static_cast<int>(m_firstRow.size()) ? m_firstRow[k] : -1;
        const int last = k < static_cast<int>(m_lastRow.size()) ? m_lastRow[k] : -1;
        if (q.group == TColumnGroup::Velocity && Options.hideVelocityEdges && (row == first || row == last))
            return {};
        if (q.group == TColumnGroup::Acceleration && Options.hideAccelerationEdges
            && (row == first || row == first + 1 || row == last - 1 || row == last))
            return {};
        value = m_source.Value(k, q.code, row);
    }
    return formatted ? FormatResultNumber(value, digits) : FormatExportNumber(value);
}

std::string TGrid::CellText(int column, int line, bool formatted) const
{
    const int rows = m_lineCount - kHeaderLines;
    if (line < 0 || line >= m_lineCount || column < 0 || column >= m_colCount)
        return {};
    if (column == 0) {
        if (line < kHeaderLines)
            return {};
        const int row = line - kHeaderLines;
        return std::to_string(Options.numberFromZero ? row : row + 1);
    }
    const int id = IdentifierOf(column);
    switch (line) {
    case 0:
        return {};
    case 1:
        return Symbol(id);
    case 2:
        return Unit(id);
    case 3:
        return Description(id);
    default:
        break;
    }
    const int row = line - kHeaderLines;
    if (row >= rows)
        return {};
    return DataText(id, row, m_columns[static_cast<std::size_t>(id)].digits, formatted);
}

TColor TGrid::ColumnColour(int column) const
{
    switch (QuantityOf(IdentifierOf(column)).group) {
    case TColumnGroup::Position:
        return MakeColor(0xF8, 0xF8, 0xFF);
    case TColumnGroup::Velocity:
        return MakeColor(0xFF, 0xFA, 0xFA);
    case TColumnGroup::Acceleration:
        return MakeColor(0xFF, 0xFA, 0xF0);
    case TColumnGroup::Polar:
        return MakeColor(0xF5, 0xF5, 0xF5);
    default:
        return clWhite;
    }
}

TColor TGrid::HeaderLineColour(int line)
{
    switch (line) {
    case 0:
        return MakeColor(0xEB, 0xEB, 0xEB);
    case 1:
        return MakeColor(0xE2, 0xDB, 0xE2);
    case 2:
    case 3:
        return MakeColor(0xDB, 0xDF, 0xE2);
    default:
        return clWhite;
    }
}

void TGrid::SetVisible(bool flag, std::uint16_t codeSet)
{
    for (std::size_t id = 0; id < m_columns.size(); ++id) {
        const int code = QuantityOf(static_cast<int>(id)).code;
        if (code >= 0 && code < 16 && (codeSet & (1u << code)) != 0)
            m_columns[id].visible = flag;
    }
    if (!m_columns.empty())
        m_columns[0].visible = true;
}

void TGrid::HideColumn(int column)
{
    const int id = IdentifierOf(column);
    if (id > 0)
        m_columns[static_cast<std::size_t>(id)].visible = false;
}

void TGrid::FewerDigits(int column)
{
    const int id = IdentifierOf(column);
    if (id >= 0 && m_columns[static_cast<std::size_t>(id)].digits > 0)
        --m_columns[static_cast<std::size_t>(id)].digits;
}

void TGrid::MoreDigits(int column)
{
    const int id = IdentifierOf(column);
    if (id >= 0 && m_columns[static_cast<std::size_t>(id)].digits < kMaxDigits)
        ++m_columns[static_cast<std::size_t>(id)].digits;
}

int TGrid::Digits(int column) const
{
    const int id = IdentifierOf(column);
    return id >= 0 ? m_columns[static_cast<std::size_t>(id)].digits : 0;
}

int TGrid::CopyText(const std::string& firstLine, TTableOutput& out)
{
    Layout();
    out.Clear();
    out.AddLine(firstLine);
    out.AddLine(DateText ? DateText() : std::string());
    out.AddLine(AxisAngleLine(m_source.AxisAngle()));
    std::vector<std::string> cells;
    for (int line = 1; line < m_lineCount; ++line) {
        cells.clear();
        for (int column = kFixedCols; column < m_colCount; ++column)
            cells.push_back(CellText(column, line, false));
        out.AddLine(JoinTabs(cells));
    }
    return m_colCount - kFixedCols;
}

void TGrid::CopyPython(TTableOutput& out)
{
    Layout();
    out.Clear();
    const char separator = DecimalSeparator();
    for (int column = kFixedCols; column < m_colCount; ++column) {
        std::string line = CellText(column, 1, false) + " = [";
        for (int l = kHeaderLines; l < m_lineCount; ++l) {
            if (l > kHeaderLines)
                line += ", ";
            line += PythonNumber(CellText(column, l, false), separator);
        }
        line += "]";
        out.AddLine(line);
    }
}

TStringMatrix TGrid::Matrix()
{
    Layout();
    TStringMatrix matrix(static_cast<std::size_t>(m_lineCount));
    for (int line = 0; line < m_lineCount; ++line) {
        for (int column = kFixedCols; column < m_colCount; ++column)
            matrix[static_cast<std::size_t>(line)].push_back(CellText(column, line, false));
    }
    if (m_colCount - kFixedCols > 1) {
        matrix[0][0] = AxisAngleCaption();
        matrix[0][1] = FormatExportNumber(m_source.AxisAngle());
    }
    return matrix;
}

int TGrid::ExportToOffice(TOfficeTarget target, TTableOutput& out)
{
    const TStringMatrix matrix = Matrix();
    switch (target) {
    case TOfficeTarget::Excel:
        return out.ToExcel(matrix);
    case TOfficeTarget::LibreOffice:
        return out.ToLibreOffice(matrix);
    case TOfficeTarget::Csv:
        return out.ToCsvFile(matrix) ? 0 : 1;
    }
    return 1;
}

TResGrid::TResGrid(const TTableSource& cameraSource, const TTableSource& transparentSource)
    : m_camera(cameraSource)
    , m_transparent(transparentSource)
{
}

TGrid& TResGrid::Current()
{
    return IsTransparentMode && IsTransparentMode() ? m_transparent : m_camera;
}

template <class F> void TResGrid::ForEach(TSel selector, F&& f)
{
    switch (selector) {
    case TSel::Current:
        f(Current());
        break;
    case TSel::Transparent:
        f(m_transparent);
        break;
    case TSel::Fixed:
        f(m_camera);
        break;
    case TSel::Both:
        f(m_camera);
        f(m_transparent);
        break;
    }
}

void TResGrid::Resize(TSel selector)
{
    ForEach(selector, [](TGrid& grid) { grid.Resize(); });
}

void TResGrid::ResetDigits(TSel selector)
{
    ForEach(selector, [](TGrid& grid) { grid.ResetDigits(); });
}

void TResGrid::SetOptions(const TGridOptions& options)
{
    m_camera.Options = options;
    m_transparent.Options = options;
}

} // namespace kinoval::results
