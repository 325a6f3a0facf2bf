// Numbers as data files write them are read without the general conversion
// when their digits and power of ten allow it; every such number must still
// come out as the nearest double, exactly as the general conversion gives it.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "number_field.h"

namespace {

// The nearest double by the standard library's correctly rounded conversion.
double Nearest(const std::string& text) {
    const std::string digits = text[0] == '+' ? text.substr(1) : text;
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

void ExpectNearest(const std::string& text) {
    const auto read = ParseNumberField(text);
    ASSERT_TRUE(read.has_value()) << text;
    EXPECT_EQ(*read, Nearest(text)) << text;
    EXPECT_EQ(std::signbit(*read), std::signbit(Nearest(text))) << text;
}

}  // namespace

TEST(NumberRounding, ReadsRandomDecimalsToTheNearestDouble) {
    std::mt19937_64 random(7);
    for (int k = 0; k < 200000; ++k) {
        const int integerDigits = static_cast<int>(random() % 12);
        const int fractionDigits = static_cast<int>(random() % 12);
        std::string text;
        if (random() % 3 == 0) {
            text += '-';
        } else if (random() % 5 == 0) {
            text += '+';
        }
        for (int d = 0; d < integerDigits; ++d) {
            text += static_cast<char>('0' + random() % 10);
        }
        if (fractionDigits > 0 || integerDigits == 0) {
            text += '.';
            for (int d = 0; d < (integerDigits == 0 ? 1 + fractionDigits : fractionDigits); ++d) {
                text += static_cast<char>('0' + random() % 10);
            }
        }
        if (random() % 4 == 0) {
            const long exponent = static_cast<long>(random() % 61) - 30;
            text += random() % 2 ? 'e' : 'E';
            if (exponent < 0) {
                text += '-';
            } else if (random() % 2) {
                text += '+';
            }
            text += std::to_string(std::labs(exponent));
        }
        ExpectNearest(text);
    }
}

TEST(NumberRounding, ReadsTheEdgesOfExactArithmetic) {
    for (const char* text : {"9007199254740992",       // 2^53, the largest mantissa taken as it is
                             "9007199254740993",       // 2^53 + 1 rounds to even
                             "9007199254740995",       // and up
                             "9999999999999999999",    // 19 digits
                             "99999999999999999999",   // 20 digits
                             "1234567890123456789e3",  // 19 digits times a power
                             "1e22",
                             "1e23",
                             "1e-22",
                             "1e-23",
                             "9007199254740991e22",
                             "9007199254740991e-22",
                             "0.1",
                             "0.2",
                             "0.3",
                             "123.456",
                             "-0",
                             "-0.0",
                             "+0.000",
                             "0e5",
                             "000000000000000000001",
                             "0.0000000000000000000000001",
                             "4.35",
                             "2.675",
                             "1.005",
                             "8.41e21",
                             "5e-324",
                             "17976931348623157e292",
                             "2.2250738585072014e-308"}) {
        ExpectNearest(text);
    }
}
