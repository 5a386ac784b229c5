// kinoval-cli fit MODEL FILE: fits one of the catalogue's models to two columns of numbers and prints the
// model's equation and parameter lines, then its statistics lines. A model that the points cannot
// determine (more parameters than distinct abscissae) is refused rather than given made-up parameters.
#include "cli/cli_command.h"
#include "core/common/file_access.h"
#include "core/common/numbers.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/modelling/exponential_model.h"
#include "core/modelling/linear_models.h"
#include "core/modelling/parabola_model.h"
#include "core/modelling/sinus_models.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace kinoval::cli {
namespace {

using kinoval::EscapeForMessage;
using kinoval::FormatText;
using kinoval::Tr;
using kinoval::modelling::TMdl;

// Lines about ignored lines stop after this many; a count says how many more there were.
constexpr int kMaxReportedLines = 10;

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

void Say(const std::string& text)
{
    std::fprintf(stderr, "kinoval-cli fit: %s\n", text.c_str());
}

// Reads "abscissa ordinate" lines; blank lines and lines starting with '#' are skipped, and so is any other
// line whose first two fields are not numbers (a header of column names), with a note on stderr. Only a
// regular file of a sane size is read: a pipe or /dev/zero would never end.
bool ReadColumns(const std::string& path, std::vector<double>& t, std::vector<double>& y)
{
    std::string contents;
    std::string reason;
    if (kinoval::ReadWholeFile(path, kinoval::kMaxTextFileBytes, contents, &reason) != kinoval::frOk) {
        Say(FormatText(Tr("impossible de lire « %s » : %s"), { EscapeForMessage(path), reason }));
        return false;
    }
    std::istringstream in(contents);
    std::string line;
    int number = 0;
    int ignored = 0;
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
            if (++ignored <= kMaxReportedLines)
                Say(FormatText(
                    Tr("ligne %s ignorée (elle ne commence pas par deux nombres)"), { std::to_string(number) }));
            continue;
        }
        t.push_back(*a);
        y.push_back(*b);
    }
    if (ignored > kMaxReportedLines)
        Say(FormatText(Tr("%s autres lignes ignorées"), { std::to_string(ignored - kMaxReportedLines) }));
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
        Say(FormatText(Tr("modèle inconnu « %s »"), { EscapeForMessage(args[0]) }));
        return 2;
    }
    std::vector<double> t, y;
    if (!ReadColumns(args[1], t, y))
        return 1;
    const int needed = model->FittedParameterCount();
    const int distinct = kinoval::modelling::DistinctAbscissae(t);
    if (distinct < needed) {
        Say(FormatText(Tr("le modèle « %s » a %s paramètres : il faut au moins autant d'abscisses différentes, les "
                          "points n'en ont que %s"),
            { args[0], std::to_string(needed), std::to_string(distinct) }));
        return 1;
    }
    const int code = model->Fit(t, y);
    if (code != 0) {
        Say(FormatText(Tr("le modèle ne peut pas être ajusté à ces %s point(s) (code %s)"),
            { std::to_string(t.size()), std::to_string(code) }));
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
} // namespace kinoval::cli
