#include "core/modelling/model_texts.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kinoval::modelling {
namespace {

std::string WithUserSeparator(std::string text)
{
    const char separator = DecimalSeparator();
    if (separator != '.')
        std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

// Splits "1.23E+04" into its mantissa and exponent and writes the exponent with its sign and at least
// minDigits digits ("E+4", "E-003"); a sign of "+" is left out when showPlus is false.
std::string RewriteExponent(const std::string& text, int minDigits, bool showPlus)
{
    const std::size_t e = text.find('E');
    if (e == std::string::npos)
        return text;
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    std::string sign = exponent < 0 ? "-" : (showPlus ? "+" : "");
    return text.substr(0, e) + "E" + sign + digits;
}

} // namespace

std::string FormatModelValue(int extraDigits, double value)
{
    // An infinite parameter is as meaningless to the user as a NaN one.
    if (!std::isfinite(value))
        return "#Nombre!"; // the marker of the tables and of the hand-over, in every language
    const int a = std::clamp(extraDigits, 0, 8);
    const double magnitude = std::fabs(value);
    char buffer[64];
    if (magnitude >= 0.01 && magnitude <= 10000) {
        int decimals = a + 3;
        if (magnitude > 1000)
            decimals = a;
        else if (magnitude > 100)
            decimals = a + 1;
        else if (magnitude > 10)
            decimals = a + 2;
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return WithUserSeparator(buffer);
    }
    if (value == 0)
        return "0";
    std::snprintf(buffer, sizeof buffer, "%.*E", a + 2, value); // a + 3 significant digits
    return WithUserSeparator(RewriteExponent(buffer, a + 1, true));
}

std::string FormatStatisticValue(double value)
{
    if (!std::isfinite(value))
        return "#Nombre!"; // the marker of the tables and of the hand-over, in every language
    if (value == 0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3G", value);
    return WithUserSeparator(RewriteExponent(buffer, 1, false));
}

std::string ParameterLetter(int index)
{
    const std::string letters = Tr("rbcdkfghijlmnopq");
    if (index < 0 || static_cast<std::size_t>(index) >= letters.size())
        return "?";
    return letters.substr(static_cast<std::size_t>(index), 1);
}

} // namespace kinoval::modelling
