#pragma once

#include <optional>
#include <string_view>

// A second, deliberately different reading of the number field grammar,
// to check ParseNumberField against: a table-driven state machine for the
// syntax and the C library's strtod in the "C" locale for the value. Slow, and
// only for the fuzzer.
std::optional<double> SlowNumberField(std::string_view field);
