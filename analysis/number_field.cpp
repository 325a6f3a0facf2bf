#include "number_field.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// from_chars reports both overflow and underflow as out of range; tells them
// apart by the decimal order of magnitude, which for an out-of-range value is
// either above 300 or below -300.
bool IsTooLarge(std::string_view text) {
    std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    long long order = 0;  // digits before the period, less leading zeros
    bool seenNonZero = false;
    bool afterPeriod = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            afterPeriod = true;
        } else if (!seenNonZero && text[i] == '0') {
            order -= afterPeriod ? 1 : 0;
        } else {
            seenNonZero = true;
            order += afterPeriod ? 0 : 1;
        }
    }
    long long exponent = 0;
    if (i < text.size()) {
        ++i;
        const bool negative = text[i] == '-';
        i += (text[i] == '+' || text[i] == '-') ? 1 : 0;
        // Saturate past any order the digits can reach (at most their count),
        // so that the sign of the total stays right however long the field is.
        const auto limit = static_cast<long long>(text.size()) + 400;
        for (; i < text.size(); ++i) {
            if (exponent <= limit) {
                exponent = exponent * 10 + (text[i] - '0');
            }
        }
        exponent = negative ? -exponent : exponent;
    }
    return order + exponent > 0;
}

}  // namespace

std::optional<double> ParseNumberField(std::string_view field) {
    // from_chars reads this grammar but for a leading "+", which it refuses,
    // and "inf", "nan" and the like, which it takes: after the sign, a digit
    // or a period must come.
    const std::size_t sign = !field.empty() && (field[0] == '+' || field[0] == '-') ? 1 : 0;
    if (sign == field.size() || !(IsDigit(field[sign]) || field[sign] == '.')) {
        return std::nullopt;
    }
    const std::string_view digits = field[0] == '+' ? field.substr(1) : field;
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        if (IsTooLarge(field)) {
            return std::nullopt;
        }
        return field[0] == '-' ? -0.0 : 0.0;
    }
    return value;
}
