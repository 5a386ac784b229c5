#pragma once
// Numbers typed by the user and numbers in the program's files.
//
// The user may type "," or "." as the decimal separator, whatever the locale. Settings and project files
// are written with the user's decimal separator (up to 15 significant digits, general notation) and read
// back after turning every "," and "." into one separator, with a locale-independent parser, so a study
// saved under a comma locale opens under a point locale.

#include <optional>
#include <string>
#include <string_view>

namespace kinoval {

// The decimal separator of the user's locale ("," or "."). An override set by SetDecimalSeparator wins;
// otherwise the C library's current numeric locale is asked.
char DecimalSeparator();
// Forces the separator (0 goes back to the locale). The program sets it from the system at start; tests
// use it to run under either convention.
void SetDecimalSeparator(char separator);

// A number typed by the user: optional blanks around, "," or "." as separator, optional exponent. Returns
// nothing for an empty text, trailing garbage, several separators, or a value that is not finite.
std::optional<double> ParseTypedNumber(std::string_view text);

// A double written for a file: general notation, up to 15 significant digits, with the given separator.
std::string FormatFileDouble(double value, char separator);
inline std::string FormatFileDouble(double value)
{
    return FormatFileDouble(value, DecimalSeparator());
}
// A double kept in a study or settings file: as above, but with 16 or 17 digits when 15 would not read back
// as exactly the same value, so a saved and reopened study holds the very numbers it had.
std::string FormatStoredDouble(double value, char separator);
inline std::string FormatStoredDouble(double value)
{
    return FormatStoredDouble(value, DecimalSeparator());
}

// A double read from a file: either separator accepted; nothing when the text is not a number.
std::optional<double> ParseFileDouble(std::string_view text);

// Fixed notation with `decimals` decimals, rounded first to `significant` significant digits (the decimals
// beyond them show as zeros), and exponent notation with `significant` significant digits and an exponent
// of at least `exponentDigits` digits ("1.23E+04", "-5.0E-9"); both with the given decimal separator.
std::string FormatFixed(double value, int significant, int decimals, char separator);
std::string FormatExponent(double value, int significant, int exponentDigits, char separator);

// Integers from files and typed fields (blanks around accepted, no trailing garbage).
std::optional<long long> ParseInteger(std::string_view text);

} // namespace kinoval
