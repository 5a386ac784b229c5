// kinoval-cli calc: evaluates one expression of the formula language, as the calculator does.
#include "cli/cli_command.h"
#include "core/common/numbers.h"
#include "core/formulas/parser.h"

#include <cmath>
#include <cstdio>

namespace kinoval::cli {
namespace {

int Run(const std::vector<std::string>& args)
{
    bool radians = true;
    std::size_t first = 0;
    if (!args.empty() && args[0] == "--degrees") {
        radians = false;
        first = 1;
    }
    if (args.size() != first + 1) {
        std::fprintf(stderr, "Usage: kinoval-cli calc [--degrees] \"EXPRESSION\"\n");
        return 2;
    }
    kinoval::formulas::TParser parser;
    parser.SetRadians(radians);
    parser.SetText(args[first]);
    parser.Evaluate();
    if (kinoval::formulas::TParser::ErrorCode() != 0) {
        std::fprintf(stderr, "%s\n", kinoval::formulas::TParser::ErrorMessage().c_str());
        return 1;
    }
    const double value = parser.Value();
    if (!std::isfinite(value)) {
        // sqrt(-1), exp(1000): no error code, but no number either; say so rather than print "nan".
        std::printf("#Nombre!\n");
        return 1;
    }
    std::printf("%s\n", kinoval::FormatFileDouble(value).c_str());
    return 0;
}

const kinoval::cli::TRegisterCommand reg("calc", "[--degrees] \"EXPRESSION\"", Run);

} // namespace
} // namespace kinoval::cli
