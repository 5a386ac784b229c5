#pragma once
// How the models write their numbers and name their parameters.
//
// Parameter values are shown with FormatModelValue: fixed notation with a number of decimals that falls as
// the magnitude grows (so every value shows about four significant digits), exponent notation outside
// [0.01, 10000]. The statistics lines use a short general notation with three significant digits.

#include <string>

namespace kinoval::modelling {

// The text of a parameter (extraDigits 0) or of a correlation coefficient (extraDigits 2). A value that is
// not a number reads "#Nombre!"; extraDigits is capped at 8.
std::string FormatModelValue(int extraDigits, double value);

// General notation with three significant digits ("0.0123", "1.23E-7", "0"), with the user's separator.
std::string FormatStatisticValue(double value);

// The letter that names parameter i (0-based): r, b, c, d, k, f, g, ...
std::string ParameterLetter(int index);

} // namespace kinoval::modelling
