#pragma once

#include <optional>
#include <string_view>

// The value of a number field: an optional sign, digits with at most one
// period among them (at least one digit), and an optional exponent "E"/"e"
// with an optionally signed integer. The period is the separator whatever the
// locale. Any other text, and a value beyond the largest double, is not a
// number; a value below the smallest reads as the nearest double.
std::optional<double> ParseNumberField(std::string_view field);
