// kinoval-cli fit MODEL FILE: fits one of the catalogue's models to two columns of numbers and prints the
// model's equation and parameter lines, then its statistics lines.
#include "cli/cli_command.h"
#include "core/common/numbers.h"
#include "core/modelling/exponential_model.h"
#include "core/modelling/linear_models.h"
#include "core/modelling/parabola_model.h"
#include "core/modelling/sinus_models.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kinoval::modelling::TMdl;

std::unique_ptr<TMdl> MakeModel(const std::string& name)
{
    using namespace kinoval::modelling;
    if (name == "affine")
        return std::make_unique<TMdlAffine>();
    if (name == "constant")
        return std::make_unique<TMdlConstant>();
    if (name == "proportional")
        return std::make_unique<TMdlProportionnel>();
    if (name == "parabola")
        return std::make_unique<TMdlParaboleAv>();
    if (name == "exponential")
        return std::make_unique<TMdlExponentiel>();
    if (name == "sinus")
        return std::make_unique<TMdlSinus>();
    if (name == "sinus-exp")
        return std::make_unique<TMdlSinusAe>();
    if (name == "sinus-lin")
        return std::make_unique<TMdlSinusAl>();
    return nullptr;
}

// Reads "abscissa ordinate" lines; blank lines and lines starting with '#' are skipped, and so is any other
// line whose first two fields are not numbers (a header of column names), with a note on stderr.
bool ReadColumns(const std::string& path, std::vector<double>& t, std::vector<double>& y)
{
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "kinoval-cli fit: cannot read \"%s\"\n", path.c_str());
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream fields(line);
        std::string first, second;
        if (!(fields >> first) || first[0] == '#')
            continue;
        fields >> second;
        const auto a = kinoval::ParseTypedNumber(first);
        const auto b = kinoval::ParseTypedNumber(second);
        if (!a || !b) {
            std::fprintf(stderr, "kinoval-cli fit: line %d ignored (not two numbers)\n", number);
            continue;
        }
        t.push_back(*a);
        y.push_back(*b);
    }
    return true;
}

int Run(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fprintf(stderr,
            "Usage: kinoval-cli fit MODEL FILE\n"
            "  MODEL: affine, constant, proportional, parabola, exponential, sinus, sinus-exp, "
            "sinus-lin\n");
        return 2;
    }
    std::unique_ptr<TMdl> model = MakeModel(args[0]);
    if (!model) {
        std::fprintf(stderr, "kinoval-cli fit: unknown model \"%s\"\n", args[0].c_str());
        return 2;
    }
    std::vector<double> t, y;
    if (!ReadColumns(args[1], t, y))
        return 1;
    const int code = model->Fit(t, y);
    if (code != 0) {
        std::fprintf(stderr, "kinoval-cli fit: the model cannot be fitted to %zu point(s) (code %d)\n", t.size(), code);
        return 1;
    }
    for (const std::string& line : model->Texts("y", "t"))
        std::printf("%s\n", line.c_str());
    for (const std::string& line : model->Statistics())
        std::printf("%s\n", line.c_str());
    return 0;
}

const kinoval::cli::TRegisterCommand reg("fit", "MODEL FILE", Run);

} // namespace
