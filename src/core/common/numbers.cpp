#include "core/common/numbers.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace kinoval {

namespace {

std::atomic<char> g_separatorOverride { 0 };

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

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
    if (value == 0 || !std::isfinite(value)) {
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return buffer;
    }
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

char DecimalSeparator()
{
    if (char forced = g_separatorOverride.load())
        return forced;
    const std::lconv* conv = std::localeconv();
    if (conv != nullptr && conv->decimal_point != nullptr && conv->decimal_point[0] == ',')
        return ',';
    return '.';
}

void SetDecimalSeparator(char separator)
{
    g_separatorOverride.store(separator == ',' || separator == '.' ? separator : 0);
}

std::optional<double> ParseTypedNumber(std::string_view text)
{
    text = Trim(text);
    if (text.empty())
        return std::nullopt;
    std::string normalised(text);
    int separators = 0;
    for (char& c : normalised) {
        if (c == ',' || c == '.') {
            c = '.';
            ++separators;
        }
    }
    if (separators > 1)
        return std::nullopt;
    const char* first = normalised.data();
    const char* last = first + normalised.size();
    if (*first == '+')
        ++first; // from_chars refuses a leading plus, which a user may well type
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

// General notation with the separator; exponents as "1E20" and "1E-5" (no plus sign, no leading zeros).
std::string FormatGeneral(double value, char separator, bool exact)
{
    // Exact: fifteen digits when they read back as the same double, as most values do; otherwise the
    // fewest of 16 or 17 that do.
    char buffer[64];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
        if (!exact)
            break;
        double back = 0;
        const auto [end, ec] = std::from_chars(buffer, buffer + std::strlen(buffer), back);
        if (ec == std::errc() && *end == '\0' && back == value)
            break;
    }
    std::string text(buffer);
    if (auto e = text.find('E'); e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 1);
        bool negative = !exponent.empty() && exponent.front() == '-';
        if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+'))
            exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text = mantissa + "E" + (negative ? "-" : "") + exponent;
    }
    for (char& c : text) {
        if (c == '.' || c == ',')
            c = separator;
    }
    return text;
}

} // namespace

std::string FormatFileDouble(double value, char separator)
{
    // A position measured exactly on an axis may come out as -0: the table says 0.
    if (value == 0)
        value = 0.0;
    return FormatGeneral(value, separator, false);
}

std::string FormatStoredDouble(double value, char separator)
{
    return FormatGeneral(value, separator, true);
}

std::optional<double> ParseFileDouble(std::string_view text)
{
    return ParseTypedNumber(text);
}

std::optional<long long> ParseInteger(std::string_view text)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string FormatFixed(double value, int significant, int decimals, char separator)
{
    return WithSeparator(FixedText(value, significant, decimals), separator);
}

std::string FormatExponent(double value, int significant, int exponentDigits, char separator)
{
    return WithSeparator(ExponentText(value, significant, exponentDigits), separator);
}

} // namespace kinoval
