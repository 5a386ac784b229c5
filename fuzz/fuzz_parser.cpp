// libFuzzer target: any text through the formula parser, in both angle modes and under both decimal
// separators, with an owner that knows a few names (plain, indexed, some without a value).
#include "core/common/numbers.h"
#include "core/formulas/parser.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Lookup(void*, const kinoval::formulas::TParser&, const std::string& name, bool& available, bool& known,
    double& value, bool hasBrackets, bool absoluteIndex, int index)
{
    known = name == "x" || name == "v" || name == "t" || name == "m" || name == "unset";
    available = known && name != "unset" && !(hasBrackets && absoluteIndex && index > 3);
    value = name == "x" ? 1.5 : name == "v" ? -2 : name == "m" ? 0 : 1e200;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the separator and the angle mode; the rest is the text.
    const std::uint8_t mode = data[0];
    kinoval::SetDecimalSeparator((mode & 1) != 0 ? ',' : '.');
    kinoval::formulas::TParser parser;
    parser.SetLookup(&Lookup, nullptr);
    parser.SetRadians((mode & 2) == 0);
    parser.SetText(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    parser.Evaluate();
    (void)kinoval::formulas::TParser::ErrorMessage();
    parser.Evaluate(); // the kept tree, a second time
    return 0;
}
