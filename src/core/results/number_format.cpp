#include "core/results/number_format.h"

#include "core/common/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kinoval::results {

std::string FormatResultNumber(double value, int digits, char separator)
{
    if (!std::isfinite(value))
        return kNotANumberText;
    const int p = digits < 0 ? 0 : (digits > kMaxDigits ? kMaxDigits : digits);
    const double magnitude = std::fabs(value);
    if (magnitude >= 0.01 && magnitude <= 10000) {
        int decimals = p;
        if (magnitude <= 10)
            decimals = p + 3;
        else if (magnitude <= 100)
            decimals = p + 2;
        else if (magnitude <= 1000)
            decimals = p + 1;
        return FormatFixed(value, p + 4, decimals, separator);
    }
    if (value == 0)
        return "0";
    return FormatExponent(value, p + 3, p + 1, separator);
}

std::string FormatResultNumber(double value, int digits)
{
    return FormatResultNumber(value, digits, DecimalSeparator());
}

std::string FormatExportNumber(double value, char separator)
{
    if (!std::isfinite(value))
        return kNotANumberText;
    return FormatFileDouble(value, separator);
}

std::string FormatExportNumber(double value)
{
    return FormatExportNumber(value, DecimalSeparator());
}

std::string PythonNumber(std::string text, char separator)
{
    if (text.empty() || text == kNotANumberText)
        return "float(\"nan\")";
    if (text.find(separator) == std::string::npos && text.find('E') == std::string::npos
        && text.find('e') == std::string::npos)
        text += std::string(1, separator) + "0";
    for (char& c : text) {
        if (c == separator)
            c = '.';
    }
    return text;
}

} // namespace kinoval::results
