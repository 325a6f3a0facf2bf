#pragma once

#include <string>
#include <string_view>

// The one conversion of a number to the text a user sees: at most 15
// significant digits, no trailing zeros, "E+15" / "E-05" for magnitudes
// outside 1E-04 .. 999999999999999, negative zero as "0", and the decimal
// separator of the user's regional settings.
std::string FormatNumber(double value);

// The same with a given decimal separator.
std::string FormatNumber(double value, std::string_view decimalSeparator);

// The user's decimal separator, read once per run without touching the
// process's global locale; "." when the settings cannot be read.
const std::string& UserDecimalSeparator();
