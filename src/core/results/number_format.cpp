#include "core/results/number_format.h"

#include "core/common/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kinoval::results {

namespace {

std::string WithSeparator(std::string text, char separator)
{
    for (char& c : text) {
        if (c == '.')
            c = separator;
    }
    return text;
}

std::string FixedText(double value, int significant, int decimals)
{
    char buffer[64];
    // Digits after the point that the significant-digit limit still allows.
    const int integerDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    const int significantDecimals = significant - integerDigits;
    if (decimals <= significantDecimals) {
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return buffer;
    }
    // Round to the significant digits first; the remaining decimals are shown as zeros.
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, value);
    const double rounded = std::strtod(buffer, nullptr);
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
    return buffer;
}

std::string ExponentText(double value, int significant, int exponentDigits)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", significant - 1, value);
    std::string text(buffer);
    const auto e = text.find('E');
    if (e == std::string::npos)
        return text;
    const std::string mantissa = text.substr(0, e);
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < exponentDigits)
        digits.insert(0, static_cast<std::size_t>(exponentDigits) - digits.size(), '0');
    return mantissa + "E" + (exponent < 0 ? "-" : "+") + digits;
}

} // namespace

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
        return WithSeparator(FixedText(value, p + 4, decimals), separator);
    }
    if (value == 0)
        return "0";
    return WithSeparator(ExponentText(value, p + 3, p + 1), separator);
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
