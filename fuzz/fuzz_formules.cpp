// libFuzzer target: a list of formulas and constants, one per line, validated, computed in dependency
// order over a few rows of results, saved to a project file and loaded back. Lines starting with "c "
// are constants "name=value"; the first byte chooses the separator, the numbering and the angle mode.
#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "core/formulas/formules.h"
#include "core/formulas/kinematic_values.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

class TFiveRows : public kinoval::formulas::TKinematicValues {
public:
    int Rows() const override { return 5; }
    int ObjectCount() const override { return 2; }
    double Time(int row) const override { return 0.04 * row; }
    int FrameOf(int object, int row) const override { return object == 1 && (row == 0 || row == 4) ? -1 : row; }
    double Value(int object, std::uint8_t code, int row) const override { return (object + 1) * code * 0.5 + row; }
    double AxisAngle() const override { return 0.3; }
};

void AddLines(kinoval::formulas::TFormules& formules, std::string_view text)
{
    int lines = 0;
    while (!text.empty() && lines++ < 64) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.substr(0, 2) == "c ") {
            const std::string_view body = line.substr(2);
            const std::size_t equal = body.find('=');
            const int k = formules.AddConstant(
                body.substr(0, equal), equal == std::string_view::npos ? "" : body.substr(equal + 1));
            (void)formules.Message(formules.Validate(formules.Constant(k)), formules.Constant(k));
        } else {
            const int k = formules.AddFormula(line, "comment", "unit");
            (void)formules.Message(formules.Validate(formules.Formula(k)), formules.Formula(k));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    kinoval::SetDecimalSeparator((mode & 1) != 0 ? ',' : '.');
    TFiveRows rows;
    kinoval::formulas::TFormules formules;
    formules.SetSource(&rows);
    formules.SetStartAtZero((mode & 2) != 0);
    formules.SetRadians((mode & 4) == 0);
    formules.SetVelocityAvailable((mode & 8) == 0);
    AddLines(formules, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    formules.ComputeAll();
    formules.SetSelected(0);
    (void)formules.MaxAll();
    (void)formules.MinAll();

    kinoval::TIniFile file;
    formules.Save(file);
    kinoval::formulas::TFormules loaded;
    loaded.SetSource(&rows);
    loaded.Load(file);
    loaded.ComputeAll();
    if (formules.FormulaCount() > 0)
        formules.RemoveFormula(0);
    formules.ComputeFormulas();
    return 0;
}
