#pragma once
// How the results show a number.
//
// The screen shows each column with its own digits setting (0..8): values of everyday size in fixed
// notation, whose count of decimals shrinks as the magnitude grows so that the columns stay narrow, and
// very small or very large values in exponent notation. Every export (clipboard, text file, Python,
// spreadsheets) uses the plain general notation with 15 significant digits instead, so that nothing is
// lost on the way out. A value that is not a number shows as "#Nombre!" in both.

#include <string>

namespace kinoval::results {

inline constexpr const char* kNotANumberText = "#Nombre!";
inline constexpr int kMaxDigits = 8;

// Screen text of a value with the digits setting p (capped to 0..8), with the user's decimal separator.
std::string FormatResultNumber(double value, int digits);
// The same with an explicit decimal separator.
std::string FormatResultNumber(double value, int digits, char separator);

// Export text: general notation with up to 15 significant digits and the user's decimal separator.
std::string FormatExportNumber(double value);
std::string FormatExportNumber(double value, char separator);

// A value of an export text (FormatExportNumber, or empty when there is none) as a Python number: "." for
// the separator, always a decimal point or an exponent (so Python reads a float), and float("nan") for a
// missing value, which must not become a measured zero (Python's plotting and numerical libraries skip
// NaN).
std::string PythonNumber(std::string text, char separator);

} // namespace kinoval::results
