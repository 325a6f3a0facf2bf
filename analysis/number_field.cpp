#include "number_field.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar by hand: from_chars alone would also take "inf", "nan"
// and a prefix of "12kg".
bool IsNumberSyntax(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    bool period = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' && !period) {
            period = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const std::size_t exponentStart = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        if (i == exponentStart) {
            return false;
        }
    }
    return i == text.size();
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
    if (!IsNumberSyntax(field)) {
        return std::nullopt;
    }
    const bool negative = field[0] == '-';
    // from_chars takes no leading "+".
    const std::string_view digits = field[0] == '+' ? field.substr(1) : field;
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (IsTooLarge(field)) {
            return std::nullopt;
        }
        return negative ? -0.0 : 0.0;
    }
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}
