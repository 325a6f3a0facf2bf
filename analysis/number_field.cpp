#include "number_field.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
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

// Every power of ten up to 1e22 is exactly a double.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Appends the digits from p on to the mantissa; returns where they end.
const char* TakeDigits(const char* p, const char* end, std::uint64_t& mantissa) {
    for (; p != end && IsDigit(*p); ++p) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    return p;
}

// The field as almost every data file writes it, read in one pass: when its
// digits fit in 53 bits and its power of ten lies within 22, they and the
// power are exact doubles, and one correctly rounded multiplication or
// division gives the nearest double. False for anything else, which the full
// path then reads or refuses. (A bool and an out-parameter rather than an
// optional: copying a just-built optional stalls store forwarding here.)
bool ReadShortDecimal(std::string_view text, double& number) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-')) {
        ++p;
    }
    std::uint64_t mantissa = 0;
    const char* const integerStart = p;
    p = TakeDigits(p, end, mantissa);
    std::ptrdiff_t digits = p - integerStart;
    std::ptrdiff_t fractionDigits = 0;
    if (p != end && *p == '.') {
        const char* const fractionStart = ++p;
        p = TakeDigits(p, end, mantissa);
        fractionDigits = p - fractionStart;
        digits += fractionDigits;
    }
    // Up to 19 digits, leading zeros included, cannot overflow 64 bits.
    if (digits == 0 || digits > 19) {
        return false;
    }
    std::ptrdiff_t exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negativeExponent = p != end && *p == '-';
        if (p != end && (*p == '+' || *p == '-')) {
            ++p;
        }
        const char* const exponentStart = p;
        if (end - p > 3) {
            return false;  // beyond the fast path's reach or malformed
        }
        std::uint64_t exponentDigits = 0;
        p = TakeDigits(p, end, exponentDigits);
        if (p == exponentStart) {
            return false;
        }
        exponent = static_cast<std::ptrdiff_t>(exponentDigits);
        exponent = negativeExponent ? -exponent : exponent;
    }
    const std::ptrdiff_t power = exponent - fractionDigits;
    if (p != end || mantissa > (std::uint64_t{1} << 53) || power < -22 || power > 22) {
        return false;
    }
    const double value = static_cast<double>(mantissa);
    const double scaled =
        power < 0 ? value / kExactPowersOfTen[-power] : value * kExactPowersOfTen[power];
    number = negative ? -scaled : scaled;
    return true;
}

}  // namespace

std::optional<double> ParseNumberField(std::string_view field) {
    if (double number = 0.0; ReadShortDecimal(field, number)) {
        return number;
    }
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
