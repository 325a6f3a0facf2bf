#include "number_field.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar, which from_chars alone does not ("inf", "nan", a prefix
// of "12kg"), and on the way notes the decimal order of magnitude: the digits
// before the period less leading zeros, plus the exponent. from_chars reports
// overflow and underflow alike; the sign of the order tells them apart.
bool ScanNumber(std::string_view text, long long& order) {
    std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    std::size_t digits = 0;
    bool period = false;
    bool seenNonZero = false;
    order = 0;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
            if (text[i] != '0' || seenNonZero) {
                seenNonZero = true;
                order += period ? 0 : 1;
            } else {
                order -= period ? 1 : 0;
            }
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
        const bool negative = i + 1 < text.size() && text[i + 1] == '-';
        i += (i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-')) ? 2 : 1;
        const std::size_t exponentStart = i;
        // Saturates past any order the digits can reach (at most their
        // count), so the sign of the sum stays right however long the field.
        const auto limit = static_cast<long long>(text.size()) + 400;
        long long exponent = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            exponent = exponent > limit ? exponent : exponent * 10 + (text[i] - '0');
        }
        if (i == exponentStart) {
            return false;
        }
        order += negative ? -exponent : exponent;
    }
    return i == text.size();
}

}  // namespace

std::optional<double> ParseNumberField(std::string_view field) {
    long long order = 0;
    if (!ScanNumber(field, order)) {
        return std::nullopt;
    }
    // from_chars takes no leading "+".
    const std::string_view digits = field[0] == '+' ? field.substr(1) : field;
    double value = 0.0;
    const auto error = std::from_chars(digits.data(), digits.data() + digits.size(), value).ec;
    if (error == std::errc::result_out_of_range) {
        if (order > 0) {
            return std::nullopt;  // beyond the largest double
        }
        return field[0] == '-' ? -0.0 : 0.0;
    }
    return value;
}
