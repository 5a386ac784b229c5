#include "media/export/xlsx_writer.h"

#include "core/common/numbers.h"
#include "core/results/grid.h"
#include "support/fake_table_source.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kinoval {
namespace {

namespace fs = std::filesystem;
using namespace results;

// Every cell of the first sheet as "line col kind value", kind E (empty), S (text) or N (number).
const char* kReader = R"(import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
print('sheets', '|'.join(book.sheetnames))
sheet = book.worksheets[0]
for row in sheet.iter_rows(min_row=1, max_row=int(sys.argv[2]), max_col=int(sys.argv[3])):
    for cell in row:
        v = cell.value
        if v is None:
            print(cell.row - 1, cell.column - 1, 'E')
        elif isinstance(v, str):
            print(cell.row - 1, cell.column - 1, 'S', v)
        else:
            print(cell.row - 1, cell.column - 1, 'N', repr(float(v)))
)";

struct CommaSeparator {
    CommaSeparator() { SetDecimalSeparator(','); }
    ~CommaSeparator() { SetDecimalSeparator(0); }
};

TEST(XlsxWriter, OpenpyxlReadsBackEveryCellOfTheMatrix)
{
    const CommaSeparator comma;
    test::TFakeTableSource source(2, 6);
    source.angle = -0.75;
    source.Unmark(1, 0);
    source.Set(0, 1, 2, std::nan(""));
    source.Set(0, 2, 3, 1.0 / 3);
    source.Set(0, 1, 4, -2.5e-9);
    source.names = { "balle", "chariot" };
    TGrid grid(source);
    grid.SetVisible(true, kPositionCodes | kVelocityCodes);
    const TStringMatrix matrix = grid.Matrix();

    test::TTempDir dir;
    const std::string path = dir.File("Kinoval-Tableau-1.xlsx");
    TXlsxWriter writer;
    const TWorkbookCells cells = ToWorkbookCells(matrix);
    ASSERT_EQ(writer.Write(path, "Kinoval", cells), 0) << writer.LastError();
    EXPECT_FALSE(fs::exists(path + ".partial"));
    std::ofstream(dir.File("read.py")) << kReader;

    const std::size_t lines = matrix.size(), columns = matrix[0].size();
    const std::string output = test::RunCommand("/usr/bin/python3 " + dir.File("read.py") + " " + path + " "
        + std::to_string(lines) + " " + std::to_string(columns));
    std::istringstream in(output);
    std::string first;
    std::getline(in, first);
    ASSERT_EQ(first, "sheets Kinoval") << output;

    std::size_t checked = 0;
    int numbers = 0;
    std::string record;
    while (std::getline(in, record)) {
        std::istringstream fields(record);
        std::size_t line = 0, col = 0;
        std::string kind;
        fields >> line >> col >> kind;
        std::string value;
        std::getline(fields, value);
        if (!value.empty())
            value.erase(0, 1);
        ASSERT_LT(line, lines) << record;
        ASSERT_LT(col, columns) << record;
        const std::string& text = matrix[line][col];
        if (line < 4) {
            // Header lines are text, the angle's number included.
            if (text.empty())
                EXPECT_EQ(kind, "E") << record;
            else
                EXPECT_EQ(kind + " " + value, "S " + text) << record;
        } else if (text.empty() || text == "#Nombre!") {
            EXPECT_EQ(kind, "E") << record;
        } else {
            ASSERT_EQ(kind, "N") << record;
            const auto expected = ParseTypedNumber(text);
            ASSERT_TRUE(expected.has_value()) << text;
            EXPECT_EQ(std::strtod(value.c_str(), nullptr), *expected) << record;
            ++numbers;
        }
        ++checked;
    }
    EXPECT_EQ(checked, lines * columns) << output;
    EXPECT_GT(numbers, 40);
    EXPECT_EQ(matrix[3][1], "Abscisse balle");
    EXPECT_EQ(matrix[0][1], "-0,75");
}

TEST(XlsxWriter, FailureLeavesNoFile)
{
    test::TTempDir dir;
    TXlsxWriter writer;
    const std::string path = dir.File("absent/t.xlsx");
    EXPECT_NE(writer.Write(path, "Kinoval", { { TWorkbookCell { TWorkbookCell::Kind::Text, "t", 0 } } }), 0);
    EXPECT_FALSE(writer.LastError().empty());
    EXPECT_FALSE(fs::exists(path));
}

} // namespace
} // namespace kinoval
